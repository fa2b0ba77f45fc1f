#pragma once

#include <cstdint>
#include <span>
#include <vector>

// A complete small cartridge image around one packed game-data block, so the
// editor and the tests have something to open without a real cartridge.
namespace kora::cli {

// CRC-16 with the reflected polynomial 0xA001 and start value 0xFFFF, the
// checksum the cartridge header carries at 0x15C (logo) and 0x15E (header).
uint16_t Crc16(std::span<const uint8_t> bytes);

// Header, dummy ARM9/ARM7 code, file name table, file allocation table and a
// few dummy files, with `packedBlock` as one file placed where the chosen
// layout expects it. The same inputs give the same bytes.
std::vector<uint8_t> BuildDemoRom(std::span<const uint8_t> packedBlock, bool alternate);

}  // namespace kora::cli
