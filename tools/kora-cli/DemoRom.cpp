#include "kora-cli/DemoRom.h"

#include "editor/RomBlock.h"
#include "kora-cli/SplitMix.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace kora::cli {

namespace {

constexpr uint32_t kHeaderSize = 0x4000;
constexpr uint32_t kArm9Offset = 0x4000, kArm9Size = 0x2000;
constexpr uint32_t kArm7Offset = 0x6000, kArm7Size = 0x1000;
constexpr uint32_t kFileAlign = 0x200;
// Room left after the block so a slightly larger re-packed block still fits.
constexpr uint32_t kBlockSlack = 0x1000;

struct DemoFile {
  const char* Name;
  uint32_t Size;  // 0 for the game-data block, whose size is given
};

// Ids 0-6 live in "data", id 7 in "sound".
constexpr std::array<DemoFile, 8> kFiles{{
    {"chapter.bin", 0x2A310},
    {"map.bin", 0x6C8F0},
    {"script.bin", 0x3B0A4},
    {"message.bin", 0x51F22},
    {"unit.lz", 0},
    {"face.bin", 0x1E8000},
    {"font.bin", 0x12C40},
    {"sound.sdat", 0xB71B00},
}};
constexpr uint16_t kBlockFileId = 4;
constexpr uint16_t kSoundFileId = 7;
// Files placed in front of the block, in this order; font.bin follows it.
constexpr std::array<uint16_t, 6> kFrontOrder{0, 1, 2, 3, 7, 5};
constexpr uint16_t kTailFileId = 6;

uint32_t AlignUp(uint32_t v, uint32_t a) { return (v + a - 1) / a * a; }

void Put16(std::vector<uint8_t>& b, std::size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(std::vector<uint8_t>& b, std::size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

void PutText(std::vector<uint8_t>& b, std::size_t at, const std::string& text) {
  std::copy(text.begin(), text.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
}

std::vector<uint8_t> BuildNameTable() {
  std::vector<uint8_t> t(24);  // three directories of 8 bytes
  auto entry = [&](std::size_t dir, uint16_t firstId, uint16_t third) {
    Put32(t, dir * 8, static_cast<uint32_t>(t.size()));
    Put16(t, dir * 8 + 4, firstId);
    Put16(t, dir * 8 + 6, third);
  };
  auto name = [&](uint8_t flag, const std::string& text) {
    t.push_back(static_cast<uint8_t>(flag | text.size()));
    t.insert(t.end(), text.begin(), text.end());
  };
  auto subdir = [&](const std::string& text, uint16_t id) {
    name(0x80, text);
    t.push_back(static_cast<uint8_t>(id));
    t.push_back(static_cast<uint8_t>(id >> 8));
  };
  entry(0, 0, 3);  // the root's third field counts the directories
  subdir("data", 0xF001);
  subdir("sound", 0xF002);
  t.push_back(0);
  entry(1, 0, 0xF000);
  for (uint16_t id = 0; id < kSoundFileId; ++id) name(0, kFiles[id].Name);
  t.push_back(0);
  entry(2, kSoundFileId, 0xF000);
  name(0, kFiles[kSoundFileId].Name);
  t.push_back(0);
  return t;
}

void FillRandom(std::vector<uint8_t>& rom, uint32_t at, uint32_t size, uint64_t seed) {
  SplitMix random(seed);
  for (uint32_t i = 0; i < size; i += 8) {
    const uint64_t v = random.Next();
    for (uint32_t k = 0; k < 8 && i + k < size; ++k) rom[at + i + k] = static_cast<uint8_t>(v >> (8 * k));
  }
}

// Word-aligned words with the "always" condition, which reads as ARM code.
void FillCode(std::vector<uint8_t>& rom, uint32_t at, uint32_t size, uint64_t seed) {
  SplitMix random(seed);
  for (uint32_t i = 0; i < size; i += 4)
    Put32(rom, at + i, 0xE0000000u | static_cast<uint32_t>(random.Next() & 0x0FFFFFFF));
}

void WriteHeader(std::vector<uint8_t>& rom, bool alternate, uint32_t fnt, uint32_t fntSize, uint32_t fat,
                 uint32_t used) {
  PutText(rom, 0x00, "KORA DEMO");
  PutText(rom, 0x0C, alternate ? "KRDJ" : "KRDE");
  PutText(rom, 0x10, "ZK");
  rom[0x12] = 0;  // unit code
  uint8_t capacity = 0;
  while ((0x20000u << capacity) < used) ++capacity;
  rom[0x14] = capacity;
  Put32(rom, 0x20, kArm9Offset);
  Put32(rom, 0x24, 0x02000800);
  Put32(rom, 0x28, 0x02000000);
  Put32(rom, 0x2C, kArm9Size);
  Put32(rom, 0x30, kArm7Offset);
  Put32(rom, 0x34, 0x02380000);
  Put32(rom, 0x38, 0x02380000);
  Put32(rom, 0x3C, kArm7Size);
  Put32(rom, 0x40, fnt);
  Put32(rom, 0x44, fntSize);
  Put32(rom, kFatOffsetField, fat);
  Put32(rom, kFatSizeField, static_cast<uint32_t>(kFiles.size() * 8));
  Put32(rom, 0x60, 0x00586000);
  Put32(rom, 0x64, 0x001808F8);
  Put16(rom, 0x6E, 0x051E);
  Put32(rom, 0x70, 0x02000A00);
  Put32(rom, 0x74, 0x02380118);
  Put32(rom, 0x80, used);
  Put32(rom, 0x84, kHeaderSize);
  // The logo area stays empty; its checksum still matches what is there.
  Put16(rom, 0x15C, Crc16(std::span(rom).subspan(0xC0, 0x9C)));
  Put16(rom, 0x15E, Crc16(std::span(rom).first(0x15E)));
}

}  // namespace

uint16_t Crc16(std::span<const uint8_t> bytes) {
  uint16_t crc = 0xFFFF;
  for (uint8_t b : bytes) {
    crc ^= b;
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
  }
  return crc;
}

std::vector<uint8_t> BuildDemoRom(std::span<const uint8_t> packedBlock, bool alternate) {
  const uint32_t pointerTable = alternate ? kAltPointerTable : kPrimaryPointerTable;
  const uint32_t writeBack = alternate ? kAltWriteBackOffset : kPrimaryWriteBackOffset;
  const auto blockSize = static_cast<uint32_t>(packedBlock.size());
  if (blockSize == 0 || blockSize > 0x100000)
    throw std::invalid_argument("packed data block of " + std::to_string(blockSize) + " bytes does not fit");

  // The FAT is laid so that the block's entry is the pointer pair the
  // editor reads; the name table sits right in front of it.
  const std::vector<uint8_t> names = BuildNameTable();
  const uint32_t fat = pointerTable - kBlockFileId * 8;
  const uint32_t fnt = (fat - static_cast<uint32_t>(names.size())) & ~3u;
  const uint32_t fatEnd = fat + static_cast<uint32_t>(kFiles.size() * 8);

  std::array<uint32_t, kFiles.size()> start{};
  uint32_t cursor = AlignUp(kArm7Offset + kArm7Size, kFileAlign);
  for (uint16_t id : kFrontOrder) {
    if (cursor < fatEnd && cursor + kFiles[id].Size > fnt) cursor = AlignUp(fatEnd, kFileAlign);
    start[id] = cursor;
    cursor = AlignUp(cursor + kFiles[id].Size, kFileAlign);
  }
  start[kBlockFileId] = writeBack;
  start[kTailFileId] = AlignUp(writeBack + blockSize + kBlockSlack, kFileAlign);
  const uint32_t used = start[kTailFileId] + kFiles[kTailFileId].Size;

  std::vector<uint8_t> rom(used, 0xFF);
  std::fill(rom.begin(), rom.begin() + kHeaderSize, 0);
  FillCode(rom, kArm9Offset, kArm9Size, 9);
  FillCode(rom, kArm7Offset, kArm7Size, 7);
  std::copy(names.begin(), names.end(), rom.begin() + fnt);
  for (uint16_t id = 0; id < kFiles.size(); ++id) {
    const uint32_t size = id == kBlockFileId ? blockSize : kFiles[id].Size;
    Put32(rom, fat + id * 8u, start[id]);
    Put32(rom, fat + id * 8u + 4, start[id] + size);
    if (id != kBlockFileId) FillRandom(rom, start[id], size, 0x4B6F7261u + id);
  }
  std::copy(packedBlock.begin(), packedBlock.end(), rom.begin() + writeBack);
  WriteHeader(rom, alternate, fnt, static_cast<uint32_t>(names.size()), fat, used);
  return rom;
}

}  // namespace kora::cli
