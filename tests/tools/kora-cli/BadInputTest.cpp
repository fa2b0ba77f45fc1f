// Inputs made to hurt: ROMs whose header or pointers claim gigabytes, a
// named pipe where a file belongs, a journal whose range wraps around, a
// packer whose output does not unpack. Each ends in a message at once, with
// little memory, and the ROM as it was.

#include "CliFixture.h"

#include "editor/EditorTestSupport.h"
#include "editor/RomBlock.h"
#include "kora-cli/RecordFiles.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace kora::clitest {

namespace {

void PutNumber(Bytes& b, std::size_t at, uint64_t v, int width) {
  for (int i = 0; i < width; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// The most memory any program this test ran has held, in MB.
long ChildrenPeakMb() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return usage.ru_maxrss / 1024;
}

// Far below the gigabytes the inputs below claim, far above what a run needs
// (with the sanitizers too).
constexpr long kPeakMb = 512;

// The demo ROM made sparse and 4.5 GB long, so its pointers and header may
// point anywhere in it.
fs::path HugeRom(const fs::path& rom) {
  fs::resize_file(rom, (uint64_t{9} << 29));
  return rom;
}

TEST_F(CliTest, PointersAndTablesClaimingGigabytesAreNeverRead) {
  // The end pointer 4 GB on: a block no header can describe.
  const fs::path block = HugeRom(MakeRom("block.nds", false));
  test::PutU32(block.string(), kPrimaryPointerTable + 4, 0xFFFFFF00u);
  RunResult r = Cli({"export", block.string()});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("but the 72043 bytes its header promises never take more than"), std::string::npos) << r.Err;

  // The packer given such a block refuses it as well.
  const fs::path packed = FDir / "huge.bin";
  WriteBytes(packed, {kBlockTypeLz10, 0x6B, 0x19, 0x01});
  fs::resize_file(packed, uint64_t{1} << 32);
  const std::string agblz = (FProgram / "Tool" / "agblz").string();
  const int status = std::system(
      ("'" + agblz + "' u '" + packed.string() + "' '" + (FDir / "out.bin").string() + "' 2>/dev/null").c_str());
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_FALSE(fs::exists(FDir / "out.bin"));
  fs::remove(packed);

  // An allocation table of 4 GB: no table; the room ends at the end pointer.
  const fs::path table = HugeRom(MakeRom("table.nds", false));
  test::PutU32(table.string(), kFatOffsetField, 0x200);
  test::PutU32(table.string(), kFatSizeField, 0xFFFFF000u);
  r = Cli({"info", table.string()});
  EXPECT_EQ(r.Status, 0) << r.Err;
  const uint32_t end = test::GetU32(table.string(), kPrimaryPointerTable + 4);
  EXPECT_NE(r.Out.find("room: " + std::to_string(end - kPrimaryWriteBackOffset) + "\n"), std::string::npos) << r.Out;
  EXPECT_LT(ChildrenPeakMb(), kPeakMb);
}

TEST_F(CliTest, ANamedPipeIsNoRomAndNoImportFile) {
  const fs::path rom = MakeRom("demo.nds", false);
  const Bytes before = ReadBytes(rom);
  const fs::path pipe = FDir / "pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
  const std::string refused = "\"" + pipe.string() + "\" is not a file but a named pipe; it was not opened";
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"info", pipe.string()}, {"export", pipe.string()}, {"import", rom.string(), pipe.string()}}) {
    const RunResult r = Cli(args);
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "kora-cli: " + refused + "\n");
  }
  EXPECT_EQ(ReadBytes(rom), before);
  EXPECT_EQ(Cli({"export", rom.string()}).Status, 0);
}

TEST_F(CliTest, AJournalWhoseRangeWrapsAroundIsSetAsideAndTheRunGoesOn) {
  const fs::path rom = MakeRom("demo.nds", false);
  const Bytes before = ReadBytes(rom);
  // Whole and with a right checksum, but its one range starts 8 bytes
  // before 2^64 and is 16 bytes long: the end wraps to 8, inside the ROM.
  const std::string path = fs::absolute(rom).string();
  Bytes journal{'K', 'O', 'R', 'A', 'J', 'R', 'N', '1'};
  const std::size_t head = journal.size();
  journal.resize(head + 4 + path.size() + 8 + 4 + 8 + 4 + 32);
  PutNumber(journal, head, path.size(), 4);
  std::copy(path.begin(), path.end(), journal.begin() + static_cast<std::ptrdiff_t>(head + 4));
  std::size_t at = head + 4 + path.size();
  PutNumber(journal, at, before.size(), 8);
  PutNumber(journal, at + 8, 1, 4);
  PutNumber(journal, at + 12, ~uint64_t{7}, 8);
  PutNumber(journal, at + 20, 16, 4);
  uint64_t hash = 1469598103934665603ull;
  for (const uint8_t byte : journal) hash = (hash ^ byte) * 1099511628211ull;
  journal.resize(journal.size() + 8);
  PutNumber(journal, journal.size() - 8, hash, 8);
  for (const char c : std::string("COMPLETE")) journal.push_back(static_cast<uint8_t>(c));
  const fs::path journalPath = FProgram / "RomData" / "romData.journal";
  WriteBytes(journalPath, journal);

  const RunResult r = Cli({"export", rom.string(), "--kind", "item"});
  EXPECT_EQ(r.Status, 0) << r.Err;
  const fs::path aside = journalPath.string() + ".bad";
  EXPECT_NE(r.Err.find("cannot be used (the journal is incomplete or damaged); it was set aside as " + aside.string()),
            std::string::npos)
      << r.Err;
  EXPECT_FALSE(fs::exists(journalPath));
  EXPECT_EQ(ReadBytes(aside), journal);
  EXPECT_EQ(ReadBytes(rom), before);
}

TEST_F(CliTest, APackerWhoseOutputDoesNotUnpackNeverReachesTheRom) {
  const fs::path rom = MakeRom("demo.nds", false);
  const Bytes before = ReadBytes(rom);
  // Packs with the real packer, then drops the last four bytes and says
  // all went well.
  const fs::path tool = FProgram / "Tool" / "agblz";
  fs::rename(tool, tool.string() + ".real");
  WriteText(tool, "#!/bin/sh\n\"$0.real\" \"$@\" || exit\n[ \"$1\" = z ] && truncate -s -4 \"$3\"\nexit 0\n");
  fs::permissions(tool, fs::perms::owner_all);
  WriteText(FDir / "edit.csv", "id,hit\n01,7\n");

  const RunResult r = Cli({"import", rom.string(), (FDir / "edit.csv").string()});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("The packed block does not unpack again (truncated stream"), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("the ROM was not changed"), std::string::npos) << r.Err;
  EXPECT_EQ(ReadBytes(rom), before);
}

TEST_F(CliTest, ImportFilesTooLargeForRecordsOrWithHugeNamesGetOneShortLine) {
  const fs::path rom = MakeRom("demo.nds", false);
  const Bytes before = ReadBytes(rom);
  const fs::path big = FDir / "big.csv";
  WriteText(big, "id,hit\n");
  fs::resize_file(big, cli::kMaxRecordFileSize + 1);
  RunResult r = Cli({"import", rom.string(), big.string()});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err, "kora-cli: \"" + big.string() +
                       "\" is 16777217 bytes, more than the 16777216 it can be; it was "
                       "not read\n");

  const std::string name(1 << 20, 'x');
  WriteText(FDir / "name.csv", "id," + name + "\n01,1\n");
  WriteText(FDir / "name.json", "{\"items\": [{\"id\": \"01\", \"" + name + "\": 1}]}");
  for (const char* file : {"name.csv", "name.json"}) {
    r = Cli({"import", rom.string(), (FDir / file).string()});
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("field \"" + name.substr(0, 40) + "...\" (1048576 bytes): unknown"), std::string::npos)
        << r.Err.substr(0, 200);
    EXPECT_LT(r.Err.size(), 300u);
  }
  EXPECT_EQ(ReadBytes(rom), before);
}

}  // namespace

}  // namespace kora::clitest
