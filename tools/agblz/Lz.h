#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

// The LZ block format of the game data: a 4-byte header (type, 24-bit
// little-endian unpacked size) followed by flag-led groups of literals and
// back-references.
namespace kora::lz {

struct LzError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

inline constexpr uint8_t kTypeLz10 = 0x10;
inline constexpr uint8_t kTypeLz11 = 0x11;

// The header's size field has 24 bits, so nothing this large can be described.
inline constexpr std::size_t kSizeLimit = std::size_t{1} << 24;

// A stream of n unpacked bytes spends at most one flag bit on each of them,
// so it is never longer than this (padding to 4 bytes included).
constexpr std::size_t MaxPackedSize(std::size_t n) { return (4 + n + (n + 7) / 8 + 3) & ~std::size_t{3}; }
// What a ROM builder may leave after a stream, up to where the next file is
// aligned; the editor extracts blocks with it and allows the same.
inline constexpr std::size_t kTrailingSlack = 0x200;

// Type 0x10 stream of the smallest possible size, padded with zeros to a
// multiple of 4. Throws LzError for input of kSizeLimit bytes or more.
std::vector<uint8_t> Pack(std::span<const uint8_t> data);

// Reads type 0x10 and 0x11. Throws LzError with a one-line message on bad input.
std::vector<uint8_t> Unpack(std::span<const uint8_t> stream);

}  // namespace kora::lz
