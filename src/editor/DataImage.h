#pragma once
// The unpacked game-data block of the open ROM and the parser of list ids.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kora {

// Size of the unpacked game-data block.
inline constexpr int kDataImageSize = 72043;

// The image is a plain byte array; every edit is a byte write at a fixed
// record offset. Bytes the editor does not name pass through unchanged.
using DataImage = std::vector<uint8_t>;

// The eight stats, in the order they are stored in every stat block.
inline constexpr int kStatCount = 8;
inline constexpr std::array<const char*, kStatCount> kStatLabels = {"体力", "力量", "魔力", "技术",
                                                                    "速度", "运气", "防御", "魔防"};
// Short ASCII keys for the same stats, for files and command lines.
inline constexpr std::array<const char*, kStatCount> kStatKeys = {"hp",  "str", "mag", "skl",
                                                                  "spd", "lck", "def", "res"};

// Hexadecimal text to a 32-bit value (wrapping). Any character other than
// 0-9, A-F, a-f makes the whole result 0; an empty text is 0.
int32_t HexToInt(std::string_view text);

}  // namespace kora
