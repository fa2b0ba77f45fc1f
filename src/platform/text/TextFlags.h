#pragma once

#include <cstdint>

namespace kora {

// DrawText formats.
constexpr uint32_t DT_TOP = 0x00000000;
constexpr uint32_t DT_LEFT = 0x00000000;
constexpr uint32_t DT_CENTER = 0x00000001;
constexpr uint32_t DT_RIGHT = 0x00000002;
constexpr uint32_t DT_VCENTER = 0x00000004;
constexpr uint32_t DT_BOTTOM = 0x00000008;
constexpr uint32_t DT_WORDBREAK = 0x00000010;
constexpr uint32_t DT_SINGLELINE = 0x00000020;
constexpr uint32_t DT_EXPANDTABS = 0x00000040;
// Bits 8..15 then give the tab size in average characters instead of flags.
constexpr uint32_t DT_TABSTOP = 0x00000080;
constexpr uint32_t DT_NOCLIP = 0x00000100;
constexpr uint32_t DT_EXTERNALLEADING = 0x00000200;
constexpr uint32_t DT_CALCRECT = 0x00000400;
constexpr uint32_t DT_NOPREFIX = 0x00000800;
constexpr uint32_t DT_INTERNAL = 0x00001000;
constexpr uint32_t DT_EDITCONTROL = 0x00002000;
constexpr uint32_t DT_PATH_ELLIPSIS = 0x00004000;
constexpr uint32_t DT_END_ELLIPSIS = 0x00008000;
constexpr uint32_t DT_MODIFYSTRING = 0x00010000;
constexpr uint32_t DT_RTLREADING = 0x00020000;
constexpr uint32_t DT_WORD_ELLIPSIS = 0x00040000;
constexpr uint32_t DT_NOFULLWIDTHCHARBREAK = 0x00080000;
constexpr uint32_t DT_HIDEPREFIX = 0x00100000;
constexpr uint32_t DT_PREFIXONLY = 0x00200000;

// ExtTextOut options.
constexpr uint32_t ETO_OPAQUE = 0x0002;
constexpr uint32_t ETO_CLIPPED = 0x0004;

}  // namespace kora
