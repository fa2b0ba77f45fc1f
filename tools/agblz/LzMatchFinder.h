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
    std::uint8_t Length = 0;     // 0 when no copy of 3 bytes or more exists
    std::uint16_t Distance = 0;  // 2..4096
};

inline constexpr std::size_t MinMatch = 3;
inline constexpr std::size_t MaxMatch = 18;
inline constexpr std::size_t Window = 4096;
// Distance 1 is left out so that the stream also decodes with routines that
// write 16 bits at a time into video memory.
inline constexpr std::size_t MinDistance = 2;

// The longest match for every position of the data.
std::vector<Match> FindLongestMatches(std::span<const std::uint8_t> data);

}  // namespace kora::lz
