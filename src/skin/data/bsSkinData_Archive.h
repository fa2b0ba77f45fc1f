#pragma once
// Pieces of the skin archive format shared by its writer and its reader.
// Everything here is internal to the skin data units.
//
// The archive, integers 32-bit little-endian: the version; for the main,
// inactive and mask pictures an absent flag byte (0: a BMP file follows);
// in version 2 two more such pairs; the active picture count and that many
// BMP files, each as long as its file header says; then the lines of
// skin.ini, each ended by CR LF, to the end.

#include <cstdint>

#include "framework/core/Classes.h"

namespace kora::skin_archive {

// The version the builder writes and the highest the reader takes.
constexpr int32_t kVersion = 3;

inline void WriteInt32(TStream& stream, int32_t value) {
  const auto u = static_cast<uint32_t>(value);
  const uint8_t bytes[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8), static_cast<uint8_t>(u >> 16),
                            static_cast<uint8_t>(u >> 24)};
  stream.WriteBuffer(bytes, 4);
}

inline int32_t ReadInt32(TStream& stream) {
  uint8_t b[4];
  stream.ReadBuffer(b, 4);
  return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

}  // namespace kora::skin_archive
