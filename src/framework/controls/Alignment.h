#pragma once
// Horizontal alignment of text in labels, panels and captions.

#include <cstdint>

#include "framework/core/TypInfo.h"

namespace kora {

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

inline const TTypeInfo* TypeInfoOf(TAlignment) {
  static const TTypeInfo info = EnumTypeInfo("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
  return &info;
}

}  // namespace kora
