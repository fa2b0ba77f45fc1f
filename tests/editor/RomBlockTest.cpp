#include "editor/RomBlock.h"

#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "framework/core/Classes.h"

namespace kora {
namespace {

using namespace test;

TEST(RomLayout, PrimaryWhenTheProbeMatches) {
  const std::string dir = TempFolder();
  const std::string rom = dir + "a.nds";
  const std::string block = Pattern(300, 1);
  MakePrimaryRom(rom, block);

  const RomLayout layout = ExtractRomData(rom, dir + "packed.bin");
  EXPECT_FALSE(layout.AltLayout);
  EXPECT_EQ(layout.PointerTableOffset, 0x2353B8u);
  EXPECT_EQ(layout.BlockStart, 0x015D8000u);
  EXPECT_EQ(layout.BlockEnd, 0x015D8000u + 300);
  EXPECT_EQ(ReadFileBytes(dir + "packed.bin"), block);

  // A shorter block: written at the fixed offset, end pointer patched, the
  // old block's tail left behind, the start pointer untouched.
  WriteFileBytes(dir + "new.bin", "NEWBLOCK");
  WriteRomData(layout, dir + "new.bin", rom, dir + "journal");
  EXPECT_EQ(GetBytes(rom, 0x015D8000, 8), "NEWBLOCK");
  EXPECT_EQ(GetBytes(rom, 0x015D8000 + 8, 292), block.substr(8));
  EXPECT_EQ(GetU32(rom, 0x2353B8), 0x015D8000u);
  EXPECT_EQ(GetU32(rom, 0x2353BC), 0x015D8000u + 8);
}

TEST(RomLayout, AlternateWritesBackAtItsOwnOffset) {
  const std::string dir = TempFolder();
  const std::string rom = dir + "b.nds";
  const std::string block = Pattern(64, 2);
  MakeAltRom(rom, kAltWriteBackOffset, block);

  const RomLayout layout = ExtractRomData(rom, dir + "packed.bin");
  EXPECT_TRUE(layout.AltLayout);
  EXPECT_EQ(layout.PointerTableOffset, 0x1223B8u);
  EXPECT_EQ(layout.BlockStart, 0x015D7C00u);
  EXPECT_EQ(ReadFileBytes(dir + "packed.bin"), block);

  const std::string packed = Pattern(40, 3);
  WriteFileBytes(dir + "new.bin", packed);
  WriteRomData(layout, dir + "new.bin", rom, dir + "journal");
  EXPECT_EQ(GetBytes(rom, 0x015D7C00, 40), packed);
  EXPECT_EQ(GetBytes(rom, 0x015D7C00 + 40, 24), block.substr(40));
  EXPECT_EQ(GetU32(rom, 0x1223B8), 0x015D7C00u);
  EXPECT_EQ(GetU32(rom, 0x1223BC), 0x015D7C00u + 40);
  EXPECT_EQ(GetU32(rom, kProbeOffset), 0x12345678u);
}

TEST(RomLayout, AlternateBlockElsewhereIsReadButNotOverwritten) {
  // Writing at 0x015D7C00 would bury whatever lies below the block and leave
  // the start pointer inside the new one: the ROM would no longer open.
  const std::string dir = TempFolder();
  const std::string rom = dir + "b.nds";
  const uint32_t start = 0x015D8100;
  const std::string block = Pattern(64, 2);
  MakeAltRom(rom, start, block);
  PutBytes(rom, kAltWriteBackOffset, Pattern(0x500, 9));  // someone else's data

  const RomLayout layout = ExtractRomData(rom, dir + "packed.bin");
  EXPECT_EQ(layout.BlockStart, start);
  EXPECT_EQ(ReadFileBytes(dir + "packed.bin"), block);

  const uint64_t before = Digest(rom);
  WriteFileBytes(dir + "new.bin", Pattern(100, 3));
  try {
    WriteRomData(layout, dir + "new.bin", rom, dir + "journal");
    FAIL() << "the save went through";
  } catch (const ERomError& e) {
    EXPECT_NE(e.Message().find("0x15D8100"), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find("the ROM was not changed"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(Digest(rom), before);
  EXPECT_FALSE(std::filesystem::exists(dir + "journal"));
}

TEST(RomLayout, MalformedRomsAreRejectedBeforeAnythingIsWritten) {
  const std::string dir = TempFolder();
  const std::string out = dir + "packed.bin";

  MakeSparseFile(dir + "short.nds", kProbeOffset + 4);
  EXPECT_THROW(ExtractRomData(dir + "short.nds", out), ERomError);

  MakeAltRom(dir + "backwards.nds", 0x015D8000, "");
  PutU32(dir + "backwards.nds", kAltPointerTable + 4, 0x015D7FFF);
  try {
    ExtractRomData(dir + "backwards.nds", out);
    FAIL();
  } catch (const ERomError& e) {
    EXPECT_NE(e.Message().find("before it starts"), std::string::npos) << e.Message();
  }

  MakePrimaryRom(dir + "beyond.nds", Pattern(100, 0));
  std::filesystem::resize_file(dir + "beyond.nds", kPrimaryWriteBackOffset + 50);
  EXPECT_THROW(ExtractRomData(dir + "beyond.nds", out), ERomError);

  // An empty block is no block: it must not turn into "the whole ROM".
  MakePrimaryRom(dir + "empty.nds", "");
  try {
    ExtractRomData(dir + "empty.nds", out);
    FAIL() << "an empty block opened";
  } catch (const ERomError& e) {
    EXPECT_NE(e.Message().find("empty"), std::string::npos) << e.Message();
  }
  EXPECT_THROW(InspectRom(dir + "empty.nds"), ERomError);

  EXPECT_THROW(ExtractRomData(dir + "missing.nds", out), EFOpenError);
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(WriteRomData, RefusesWhatDoesNotFitAndLeavesTheRomAlone) {
  const std::string dir = TempFolder();
  const std::string rom = dir + "a.nds";
  MakePrimaryRom(rom, Pattern(300, 1));
  const RomLayout layout = ExtractRomData(rom, dir + "packed.bin");
  const uint64_t before = Digest(rom);

  // Without an allocation table the room ends at the old end pointer.
  EXPECT_EQ(InspectRom(rom).Room, 300u);
  WriteFileBytes(dir + "big.bin", Pattern(301, 4));
  EXPECT_THROW(WriteRomData(layout, dir + "big.bin", rom, dir + "journal"), ERomError);
  WriteFileBytes(dir + "empty.bin", "");
  EXPECT_THROW(WriteRomData(layout, dir + "empty.bin", rom, dir + "journal"), ERomError);
  EXPECT_THROW(WriteRomData(layout, dir + "missing.bin", rom, dir + "journal"), EFOpenError);
  EXPECT_EQ(Digest(rom), before);

  WriteFileBytes(dir + "exact.bin", Pattern(300, 5));
  WriteRomData(layout, dir + "exact.bin", rom, dir + "journal");
  EXPECT_EQ(GetBytes(rom, 0x015D8000, 300), Pattern(300, 5));
}

TEST(WriteRomData, RoomReachesTheNextFileOfTheAllocationTable) {
  const std::string dir = TempFolder();
  const std::string rom = dir + "fat.nds";
  MakeRomWithFat(rom, Pattern(0x1000, 6));
  const RoomInfo info = InspectRom(rom);
  EXPECT_TRUE(info.RoomFromFat);
  EXPECT_EQ(info.BlockSize, 0x1000u);
  EXPECT_EQ(info.RoomEnd, 0x015F8000u);
  EXPECT_EQ(info.Room, 0x20000u);
  EXPECT_STREQ(info.LayoutName(), "primary");

  const RomLayout layout = ExtractRomData(rom, dir + "packed.bin");
  const std::string next = GetBytes(rom, 0x015F8000, 16);
  WriteFileBytes(dir + "longer.bin", Pattern(0x20000, 7));
  WriteRomData(layout, dir + "longer.bin", rom, dir + "journal");
  EXPECT_EQ(GetU32(rom, kPrimaryPointerTable + 4), 0x015F8000u);
  EXPECT_EQ(GetBytes(rom, 0x015F8000, 16), next);

  const uint64_t before = Digest(rom);
  WriteFileBytes(dir + "toolong.bin", Pattern(0x20001, 7));
  EXPECT_THROW(WriteRomData(layout, dir + "toolong.bin", rom, dir + "journal"), ERomError);
  EXPECT_EQ(Digest(rom), before);
}

TEST(DataImageFile, LoadsTheFirstBytesAndSavesOverThemKeepingTheTail) {
  const std::string dir = TempFolder();
  const std::string path = dir + "unpacked.bin";
  const std::string bytes = Pattern(kDataImageSize + 57, 8);
  WriteFileBytes(path, bytes);
  DataImage image = LoadDataImage(path);
  ASSERT_EQ(image.size(), static_cast<std::size_t>(kDataImageSize));
  EXPECT_EQ(std::string(image.begin(), image.end()), bytes.substr(0, kDataImageSize));

  image[0] ^= 0xFF;
  SaveDataImage(image, path);
  const std::string saved = ReadFileBytes(path);
  EXPECT_EQ(saved.substr(0, kDataImageSize), std::string(image.begin(), image.end()));
  EXPECT_EQ(saved.substr(kDataImageSize), bytes.substr(kDataImageSize));

  WriteFileBytes(dir + "short.bin", Pattern(kDataImageSize - 1, 0));
  EXPECT_THROW(LoadDataImage(dir + "short.bin"), EReadError);
  EXPECT_THROW(SaveDataImage(image, dir + "missing.bin"), EFOpenError);

  EXPECT_EQ(FileSizeOf(path), kDataImageSize + 57);
  EXPECT_EQ(FileSizeOf(dir + "missing.bin"), 0);
  EXPECT_EQ(FileSizeOf(dir), 0);
}

}  // namespace
}  // namespace kora
