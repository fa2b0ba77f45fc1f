#include "CliFixture.h"

#include "editor/DataImage.h"
#include "editor/RomBlock.h"

#include <algorithm>
#include <map>
#include <sstream>

namespace kora::clitest {

namespace {

uint16_t Crc16(const uint8_t* p, std::size_t n) {
  uint16_t crc = 0xFFFF;
  while (n--) {
    crc ^= *p++;
    for (int i = 0; i < 8; ++i) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  return crc;
}

// Number of files the name table lists, walking every directory's entries.
std::size_t FilesInNameTable(const Bytes& rom, uint32_t fnt) {
  const std::size_t dirs = rom[fnt + 6] | rom[fnt + 7] << 8;
  std::size_t files = 0;
  for (std::size_t d = 0; d < dirs; ++d) {
    std::size_t at = fnt + U32(rom, fnt + d * 8);
    while (const uint8_t head = rom[at]) {
      const std::size_t length = head & 0x7F;
      at += 1 + length;
      if (head & 0x80)
        at += 2;  // sub-directory id
      else
        ++files;
    }
  }
  return files;
}

std::map<std::string, std::string> KeyValues(const std::string& text) {
  std::map<std::string, std::string> values;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const std::size_t colon = line.find(": ");
    if (colon != std::string::npos) values[line.substr(0, colon)] = line.substr(colon + 2);
  }
  return values;
}

std::string Hex(uint32_t v) {
  std::ostringstream s;
  s << "0x" << std::uppercase << std::hex << v;
  return s.str();
}

class DemoRomTest : public CliTest, public ::testing::WithParamInterface<bool> {};

TEST(DemoRomCrc, MatchesTheStandardCheckValue) {
  const std::string text = "123456789";
  EXPECT_EQ(Crc16(reinterpret_cast<const uint8_t*>(text.data()), text.size()), 0x4B37);
}

TEST_P(DemoRomTest, HeaderFatAndBlockAreConsistent) {
  const bool alternate = GetParam();
  const Bytes rom = ReadBytes(MakeRom("demo.nds", alternate));
  ASSERT_GT(rom.size(), 0x1000000u);

  EXPECT_EQ(Crc16(rom.data(), 0x15E), rom[0x15E] | rom[0x15F] << 8);
  EXPECT_EQ(U32(rom, 0x80), rom.size());
  EXPECT_EQ(U32(rom, 0x84), 0x4000u);

  const uint32_t pointerTable = alternate ? kAltPointerTable : kPrimaryPointerTable;
  const uint32_t writeBack = alternate ? kAltWriteBackOffset : kPrimaryWriteBackOffset;
  EXPECT_EQ(U32(rom, kProbeOffset) == kPrimaryProbeValue, !alternate);

  // Every FAT entry is a file inside the ROM, clear of the others and of
  // the header, code, name table and FAT itself.
  const uint32_t fat = U32(rom, kFatOffsetField), fatSize = U32(rom, kFatSizeField);
  ASSERT_EQ(fatSize % 8, 0u);
  ASSERT_LE(fat, pointerTable);
  ASSERT_LT(pointerTable, fat + fatSize);
  ASSERT_EQ((pointerTable - fat) % 8, 0u);
  std::vector<std::pair<uint32_t, uint32_t>> areas{{0, 0x4000},
                                                   {U32(rom, 0x20), U32(rom, 0x20) + U32(rom, 0x2C)},
                                                   {U32(rom, 0x30), U32(rom, 0x30) + U32(rom, 0x3C)},
                                                   {U32(rom, 0x40), U32(rom, 0x40) + U32(rom, 0x44)},
                                                   {fat, fat + fatSize}};
  for (uint32_t at = fat; at < fat + fatSize; at += 8) {
    EXPECT_LE(U32(rom, at), U32(rom, at + 4));
    EXPECT_LE(U32(rom, at + 4), rom.size());
    areas.emplace_back(U32(rom, at), U32(rom, at + 4));
  }
  std::sort(areas.begin(), areas.end());
  for (std::size_t i = 1; i < areas.size(); ++i)
    EXPECT_LE(areas[i - 1].second, areas[i].first) << "overlap at " << Hex(areas[i].first);
  EXPECT_EQ(FilesInNameTable(rom, U32(rom, 0x40)), fatSize / 8);

  // The block's entry is the pointer pair; the next file leaves some room.
  const uint32_t start = U32(rom, pointerTable), end = U32(rom, pointerTable + 4);
  EXPECT_EQ(start, writeBack);
  const auto next = std::upper_bound(areas.begin(), areas.end(), std::pair(start, end));
  ASSERT_NE(next, areas.end());
  EXPECT_EQ(next->first % 0x200, 0u);
  EXPECT_GE(next->first, end + 0x400);

  const Bytes image = UnpackedImage(rom, pointerTable);
  ASSERT_EQ(image.size(), static_cast<std::size_t>(kDataImageSize));
  EXPECT_GT(std::count_if(image.begin(), image.end(), [](uint8_t b) { return b != 0; }), kDataImageSize / 4);

  // Same bytes every run.
  EXPECT_EQ(ReadBytes(MakeRom("again.nds", alternate)), rom);
}

TEST_P(DemoRomTest, InfoDescribesTheBlock) {
  const bool alternate = GetParam();
  const fs::path path = MakeRom("demo.nds", alternate);
  const Bytes rom = ReadBytes(path);
  const RunResult r = Cli({"info", path.string()});
  ASSERT_EQ(r.Status, 0) << r.Err;
  auto info = KeyValues(r.Out);
  const uint32_t pointerTable = alternate ? kAltPointerTable : kPrimaryPointerTable;
  const uint32_t start = U32(rom, pointerTable), end = U32(rom, pointerTable + 4);
  EXPECT_EQ(info["layout"], alternate ? "alternate" : "primary");
  EXPECT_EQ(info["pointer_table"], Hex(pointerTable));
  EXPECT_EQ(info["block_start"], Hex(start));
  EXPECT_EQ(info["block_end"], Hex(end));
  EXPECT_EQ(info["block_size"], std::to_string(end - start));
  EXPECT_EQ(info["writeback_offset"], Hex(alternate ? kAltWriteBackOffset : kPrimaryWriteBackOffset));
  EXPECT_GT(std::stoul(info["room"]), end - start);
  EXPECT_EQ(info["image_size"], "72043");
}

INSTANTIATE_TEST_SUITE_P(Layouts, DemoRomTest, ::testing::Values(false, true),
                         [](const auto& p) { return p.param ? "Alternate" : "Primary"; });

TEST_F(CliTest, WrongArgumentsShowUsage) {
  for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                {"frobnicate"},
                                                                {"info"},
                                                                {"export", "a.nds", "--kind", "weapon"},
                                                                {"import", "a.nds"},
                                                                {"make-demo-rom", "x.nds", "--format", "csv"}}) {
    const RunResult r = Cli(args);
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("usage: kora-cli"), std::string::npos) << r.Err;
  }
}

TEST_F(CliTest, MissingRomIsAOneLineError) {
  const RunResult r = Cli({"info", (FDir / "none.nds").string()});
  EXPECT_NE(r.Status, 0);
  EXPECT_EQ(r.Err.rfind("kora-cli: ", 0), 0u);
  EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1);
}

}  // namespace

}  // namespace kora::clitest
