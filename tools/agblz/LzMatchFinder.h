#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kora::lz {

// The longest earlier copy of the bytes at a position, as a type 0x10
// reference can express it. Every shorter length (down to 3) is available at
// the same distance, which is what lets the packer's parse stay exact while
// looking at one match per position.
struct Match {
  uint8_t Length = 0;     // 0 when no copy of 3 bytes or more exists
  uint16_t Distance = 0;  // 2..4096
};

inline constexpr std::size_t kMinMatch = 3;
inline constexpr std::size_t kMaxMatch = 18;
inline constexpr std::size_t kWindow = 4096;
// Distance 1 is left out so that the stream also decodes with routines that
// write 16 bits at a time into video memory.
inline constexpr std::size_t kMinDistance = 2;

// The longest match for every position of the data.
std::vector<Match> FindLongestMatches(std::span<const uint8_t> data);

}  // namespace kora::lz
