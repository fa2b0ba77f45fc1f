#include "editor/RomSession.h"

#include <gtest/gtest.h>
#include <csignal>

#include "EditorTestSupport.h"
#include "framework/core/Classes.h"

namespace kora {
namespace {

using namespace test;

class RomSessionTest : public ::testing::Test {
protected:
  void SetUp() override {
    FDir = TempFolder();
    FProgram = MakeProgramFolder(FDir);
    WritePacker(FProgram, kCopyPacker);
  }

  // A primary-layout ROM whose block, with the copy packer, is `image`.
  std::string PrimaryRom(const std::string& name, const std::string& image) {
    MakePrimaryRom(FDir + name, image);
    return FDir + name;
  }

  std::string FDir;
  std::string FProgram;
};

TEST_F(RomSessionTest, OpenEditSaveRunsThePackerFromTheProgramFolder) {
  // The packer logs mode, current folder and paths, then copies.
  WritePacker(FProgram,
              "printf '%s|%s|%s|%s\\n' \"$1\" \"$PWD\" \"$2\" \"$3\" >> ../calls.log\n" + std::string(kCopyPacker));
  const std::string data = Pattern(kDataImageSize, 1);
  const std::string rom = PrimaryRom("a.nds", data);
  const std::string folder = FProgram.substr(0, FProgram.size() - 1);
  RomSession session(folder);
  const std::string packed = session.PackedFileName();
  const std::string unpacked = session.UnpackedFileName();
  EXPECT_EQ(session.UnpackCommandLine(packed, unpacked),
            FProgram + "/Tool/agblz u \"" + packed + "\" \"" + unpacked + "\"");
  int pumps = 0;
  session.SetOnProcessMessages([&] { ++pumps; });

  session.Open(rom);
  EXPECT_EQ(session.RomFileName(), rom);
  EXPECT_FALSE(session.AltLayout());
  EXPECT_EQ(session.PointerTableOffset(), 0x2353B8u);
  EXPECT_EQ(session.Image(), ToImage(data));
  EXPECT_FALSE(FileExists(packed));

  session.Image()[100] ^= 0xFF;
  session.Save();
  std::string expected = data;
  expected[100] = static_cast<char>(expected[100] ^ 0xFF);
  EXPECT_EQ(GetBytes(rom, 0x015D8000, kDataImageSize), expected);
  EXPECT_EQ(GetU32(rom, 0x2353BC), 0x015D8000u + kDataImageSize);
  // Open unpacks; save packs, then unpacks the block again to check it.
  EXPECT_EQ(pumps, 3);
  EXPECT_EQ(ReadFileBytes(FDir + "calls.log"), "u|" + folder + "|" + packed + "|" + unpacked + "\n" + "z|" + folder +
                                                   "|" + unpacked + "|" + packed + "\n" + "u|" + folder + "|" + packed +
                                                   "|" + session.CheckFileName() + "\n");
  EXPECT_FALSE(FileExists(session.CheckFileName()));
  EXPECT_TRUE(FileExists(packed) && FileExists(unpacked));
  session.CleanUp();
  EXPECT_FALSE(FileExists(packed) || FileExists(unpacked));
}

TEST_F(RomSessionTest, SecondOpenRetestsTheLayoutAndSavesIntoTheSecondRom) {
  const std::string first = PrimaryRom("a.nds", Pattern(kDataImageSize, 1));
  const std::string second = FDir + "b.nds";
  const std::string data = Pattern(kDataImageSize, 9);
  MakeAltRom(second, kAltWriteBackOffset, data);
  const uint64_t firstDigest = Digest(first);

  RomSession session(FProgram);
  session.Open(first);
  session.Open(second);
  EXPECT_TRUE(session.AltLayout());
  EXPECT_EQ(session.PointerTableOffset(), 0x1223B8u);
  EXPECT_EQ(session.RomFileName(), second);
  EXPECT_EQ(session.Image(), ToImage(data));

  session.Save();
  EXPECT_EQ(GetBytes(second, 0x015D7C00, kDataImageSize), data);
  EXPECT_EQ(GetU32(second, 0x1223B8), 0x015D7C00u);
  EXPECT_EQ(GetU32(second, 0x1223BC), 0x015D7C00u + kDataImageSize);
  EXPECT_EQ(Digest(first), firstDigest);
}

// What must survive a failed open: the previous ROM, layout, image and the
// unpacked working file a later save writes through.
struct SessionSnapshot {
  explicit SessionSnapshot(const RomSession& s)
      : Rom(s.RomFileName()),
        Alt(s.AltLayout()),
        Table(s.PointerTableOffset()),
        Image(s.Image()),
        Unpacked(ReadFileBytes(s.UnpackedFileName())) {}
  bool operator==(const SessionSnapshot&) const = default;
  std::string Rom;
  bool Alt;
  uint32_t Table;
  DataImage Image;
  std::string Unpacked;
};

TEST_F(RomSessionTest, FailedOpenKeepsThePreviousRom) {
  const std::string data = Pattern(kDataImageSize, 4);
  const std::string good = PrimaryRom("good.nds", data);
  const std::string other = FDir + "other.nds";
  MakeAltRom(other, 0x015D8000, Pattern(kDataImageSize, 5));
  RomSession session(FProgram);
  session.Open(good);
  session.Image()[7] = 0x77;  // an edit not yet saved
  const SessionSnapshot before(session);

  // Each failure says what became of the packer, and what it complained.
  struct Fault {
    const char* Packer;
    const char* What;
  };
  for (const Fault& fault :
       {Fault{nullptr, "is missing, and unpacked nothing"}, Fault{"exit 0\n", "ended without an error, and unpacked"},
        Fault{"head -c 100 \"$2\" > \"$3\"\n", "unpacked to 100 bytes, not the 72043"},
        Fault{"kill -SEGV $$\n", "was killed by signal 11"},
        Fault{"echo 'bad block' >&2; echo 'at 0x10' >&2; exit 2\n", "exit code 2 and wrote: bad block / at 0x10"}}) {
    SCOPED_TRACE(fault.What);
    std::filesystem::remove(FProgram + "Tool/agblz");
    if (fault.Packer) WritePacker(FProgram, fault.Packer);
    try {
      session.Open(other);
      ADD_FAILURE() << "opened";
    } catch (const ERomError& error) {
      EXPECT_NE(error.Message().find(fault.What), std::string::npos) << error.Message();
      EXPECT_TRUE(error.Message().ends_with("; the ROM was not opened")) << error.Message();
    }
    EXPECT_TRUE(SessionSnapshot(session) == before);
    EXPECT_FALSE(FileExists(session.PackedFileName()));
  }

  MakeSparseFile(FDir + "short.nds", 1000);
  EXPECT_THROW(session.Open(FDir + "short.nds"), ERomError);
  EXPECT_THROW(session.Open(FDir + "missing.nds"), EFOpenError);
  EXPECT_TRUE(SessionSnapshot(session) == before);

  // The kept session still saves into its own ROM.
  WritePacker(FProgram, kCopyPacker);
  session.Save();
  EXPECT_EQ(GetBytes(good, 0x015D8000 + 7, 1), "\x77");
  EXPECT_NE(GetBytes(other, 0x015D8000, 16), GetBytes(good, 0x015D8000, 16));
}

TEST_F(RomSessionTest, FailedSaveLeavesTheRomUnchanged) {
  const std::string rom = PrimaryRom("a.nds", Pattern(kDataImageSize, 6));
  RomSession session(FProgram);
  EXPECT_THROW(session.Save(), Exception);  // nothing open yet
  session.Open(rom);
  session.Image()[0] ^= 1;
  session.Save();  // leaves a packed working file behind
  const uint64_t saved = Digest(rom);
  session.Image()[1] ^= 1;

  struct Fault {
    const char* Packer;
    const char* What;
  };
  for (const Fault& fault :
       {Fault{"exit 0\n", "packer writes nothing"}, Fault{"cat \"$2\" \"$2\" > \"$3\"\n", "block larger than its room"},
        Fault{": > \"$3\"\n", "packer writes an empty file"}, Fault{"kill -KILL $$\n", "packer crashes"},
        Fault{"head -c 100 \"$2\" > \"$3\"; kill -KILL $$\n", "packer killed after writing a part"},
        Fault{"cat \"$2\" > \"$3\"; exit 1\n", "packer writes its output but fails"}}) {
    SCOPED_TRACE(fault.What);
    WritePacker(FProgram, fault.Packer);
    EXPECT_THROW(session.Save(), Exception);
    EXPECT_EQ(Digest(rom), saved);
  }
}

TEST_F(RomSessionTest, RoomStaysAsLargeAsAtOpenAfterASmallerSave) {
  // The packer stores the image and then whatever ../pad holds, so the block
  // shrinks and grows with it; unpacking keeps the image. Without an
  // allocation table the room ends at the end pointer, which the smaller
  // save lowers.
  WritePacker(FProgram,
              "if [ \"$1\" = z ]; then head -c 72043 \"$2\" > \"$3\"; cat ../pad >> \"$3\"; "
              "else head -c 72043 \"$2\" > \"$3\"; fi\n");
  const std::string tail = Pattern(200, 3);
  const std::string rom = PrimaryRom("a.nds", Pattern(kDataImageSize, 2) + tail);
  RomSession session(FProgram);
  session.Open(rom);
  EXPECT_EQ(session.Room().Room, kDataImageSize + 200u);

  WriteFileBytes(FDir + "pad", "");
  session.Save();
  EXPECT_EQ(GetU32(rom, kPrimaryPointerTable + 4), kPrimaryWriteBackOffset + kDataImageSize);
  EXPECT_EQ(session.Room().Room, kDataImageSize + 200u);

  WriteFileBytes(FDir + "pad", tail);
  session.Save();
  EXPECT_EQ(GetU32(rom, kPrimaryPointerTable + 4), kPrimaryWriteBackOffset + kDataImageSize + 200);
  EXPECT_EQ(GetBytes(rom, kPrimaryWriteBackOffset + kDataImageSize, 200), tail);

  // Never more than the open found.
  const uint64_t before = Digest(rom);
  WriteFileBytes(FDir + "pad", tail + "x");
  EXPECT_THROW(session.Save(), ERomError);
  EXPECT_EQ(Digest(rom), before);
}

TEST_F(RomSessionTest, APackerThatNeverEndsIsEndedAtTheTimeLimit) {
  const std::string rom = PrimaryRom("a.nds", Pattern(kDataImageSize, 3));
  RomSession session(FProgram);
  session.Open(rom);
  const SessionSnapshot before(session);
  const uint64_t digest = Digest(rom);
  WritePacker(FProgram, "echo $$ > ../packer.pid; exec sleep 600\n");
  session.SetPackerTimeLimit(100);
  for (const bool saving : {true, false}) {
    SCOPED_TRACE(saving ? "save" : "open");
    try {
      saving ? session.Save() : session.Open(rom);
      FAIL() << "the packer was waited for";
    } catch (const Exception& e) {
      EXPECT_NE(e.Message().find("did not finish within 1 s and was ended; nothing was changed"), std::string::npos)
          << e.Message();
    }
    // Ended and reaped.
    const pid_t packer = std::stoi(ReadFileBytes(FDir + "packer.pid"));
    EXPECT_NE(kill(packer, 0), 0);
    EXPECT_EQ(Digest(rom), digest);
    EXPECT_TRUE(SessionSnapshot(session) == before);
  }
}

TEST_F(RomSessionTest, MissingWorkingFolderIsACreateError) {
  std::filesystem::remove_all(FProgram + "RomData");
  RomSession session(FProgram);
  try {
    session.Open(PrimaryRom("a.nds", Pattern(kDataImageSize, 1)));
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message().rfind("Cannot create file \"" + session.PackedFileName() + "\". ", 0), 0u);
  }
  EXPECT_FALSE(session.IsOpen());
}

TEST_F(RomSessionTest, RealPackerRoundTrip) {
  const std::string agblz = std::string(KORA_PROGRAM_DIR) + "/Tool/agblz";
  if (!std::filesystem::exists(agblz)) GTEST_SKIP() << "agblz is not built";
  std::filesystem::remove(FProgram + "Tool/agblz");
  std::filesystem::create_symlink(agblz, FProgram + "Tool/agblz");

  // Pack a game-data image with the real packer and lay it into a ROM.
  const std::string data = Pattern(kDataImageSize, 11);
  WriteFileBytes(FDir + "plain.bin", data);
  RomSession session(FProgram);
  session.PackRomData(FDir + "plain.bin", FDir + "block.bin");
  const std::string block = ReadFileBytes(FDir + "block.bin");
  ASSERT_FALSE(block.empty());
  // The allocation table gives the block room to grow when edited.
  const std::string rom = FDir + "a.nds";
  MakeRomWithFat(rom, block);

  session.Open(rom);
  EXPECT_EQ(session.Image(), ToImage(data));
  session.Image()[5000] = 0x42;
  session.Save();

  RomSession reopened(FProgram);
  reopened.Open(rom);
  EXPECT_EQ(reopened.Image()[5000], 0x42);
  EXPECT_EQ(reopened.Image()[5001], session.Image()[5001]);
}

}  // namespace
}  // namespace kora
