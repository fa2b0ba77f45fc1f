#include "CliFixture.h"

#include "editor/Records.h"
#include "editor/RomBlock.h"
#include "editor/RomJournal.h"
#include "editor/RomSession.h"

#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>
#include <thread>

namespace kora::clitest {

namespace {

void Put32(Bytes& b, std::size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

int gKillAt = -1;
std::vector<std::string> gSteps;

void KillAtStep(int step, const char*) {
  if (step == gKillAt) _exit(77);
}

void RecordStep(int, const char* what) { gSteps.emplace_back(what); }

// Opens the ROM in the program folder and saves it with one item changed,
// as kora-cli import does.
void SaveChanged(const fs::path& program, const fs::path& rom) {
  RomSession session(program.string());
  session.Open(rom.string());
  session.Image()[kItemTableOffset + kItemHitOffset] ^= 0x55;
  session.Save();
}

bool OnlyTheLockIsLeft(const fs::path& romData) {
  for (const auto& entry : fs::directory_iterator(romData)) {
    if (entry.path().filename() != "kora-cli.lock") return false;
  }
  return true;
}

TEST_F(CliTest, EmptyBlockIsRejected) {
  const fs::path path = MakeRom("empty.nds", false);
  Bytes rom = ReadBytes(path);
  Put32(rom, kPrimaryPointerTable + 4, U32(rom, kPrimaryPointerTable));
  WriteBytes(path, rom);

  for (const auto& args : std::vector<std::vector<std::string>>{{"info", path.string()}, {"export", path.string()}}) {
    const RunResult r = Cli(args);
    EXPECT_EQ(r.Status, 1) << args[0];
    EXPECT_NE(r.Err.find("empty"), std::string::npos) << r.Err;
    EXPECT_EQ(r.Out, "");
  }
  EXPECT_TRUE(OnlyTheLockIsLeft(FProgram / "RomData"));
  EXPECT_TRUE(ReadBytes(path) == rom);
}

TEST_F(CliTest, AlternateBlockAwayFromItsWriteBackOffsetIsNotOverwritten) {
  // The block moved 0x200 up; other data now lies where it is written back.
  const fs::path path = MakeRom("moved.nds", true);
  Bytes rom = ReadBytes(path);
  const uint32_t start = U32(rom, kAltPointerTable), end = U32(rom, kAltPointerTable + 4);
  ASSERT_EQ(start, kAltWriteBackOffset);
  std::copy_backward(rom.begin() + start, rom.begin() + end, rom.begin() + end + 0x200);
  std::fill(rom.begin() + start, rom.begin() + start + 0x200, 0xEE);
  Put32(rom, kAltPointerTable, start + 0x200);
  Put32(rom, kAltPointerTable + 4, end + 0x200);
  WriteBytes(path, rom);

  const RunResult exported = Cli({"export", path.string(), "--kind", "item"});
  ASSERT_EQ(exported.Status, 0) << exported.Err;
  WriteText(FDir / "edit.csv", "id,hit\n01,7\n");
  const RunResult r = Cli({"import", path.string(), (FDir / "edit.csv").string()});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("the ROM was not changed"), std::string::npos) << r.Err;
  EXPECT_TRUE(ReadBytes(path) == rom);

  const RunResult again = Cli({"export", path.string(), "--kind", "item"});
  EXPECT_EQ(again.Status, 0) << again.Err;
  EXPECT_EQ(again.Out, exported.Out);
}

TEST_F(CliTest, SaveCutShortIsRolledBackByTheNextRun) {
  const fs::path rom = MakeRom("demo.nds", false);
  const Bytes old = ReadBytes(rom);
  const RunResult exported = Cli({"export", rom.string()});
  ASSERT_EQ(exported.Status, 0) << exported.Err;

  // The steps of the same save, on a copy whose path is as long (the
  // journal holds it).
  fs::copy_file(rom, FDir / "mode.nds");
  gSteps.clear();
  SetRomWriteStepHook(RecordStep);
  SaveChanged(FProgram, FDir / "mode.nds");
  SetRomWriteStepHook(nullptr);
  auto stepOf = [&](const std::string& what, std::size_t nth) {
    for (std::size_t i = 0; i < gSteps.size(); ++i) {
      if (gSteps[i] == what && nth-- == 0) return static_cast<int>(i);
    }
    return -1;
  };
  const auto romWrites = static_cast<std::size_t>(std::count(gSteps.begin(), gSteps.end(), "write the ROM"));
  ASSERT_GE(romWrites, 2u);
  ASSERT_FALSE(ReadBytes(FDir / "mode.nds") == old);

  char oldEnd[32];
  std::snprintf(oldEnd, sizeof oldEnd, "block_end: 0x%X\n", U32(old, kPrimaryPointerTable + 4));

  struct Point {
    int Step;
    bool Journaled;  // the journal was in place, so a rollback is told
  };
  for (const Point point : {Point{stepOf("write the journal", 2), false}, Point{stepOf("write the ROM", 0), true},
                            Point{stepOf("write the ROM", romWrites / 2), true},
                            Point{stepOf("flush the ROM", 0), true}, Point{stepOf("remove the journal", 0), true}}) {
    SCOPED_TRACE("killed before " + gSteps.at(static_cast<std::size_t>(point.Step)));
    const pid_t child = fork();
    if (child == 0) {
      gKillAt = point.Step;
      SetRomWriteStepHook(KillAtStep, 4096);
      SaveChanged(FProgram, rom);
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 77);

    const RunResult info = Cli({"info", rom.string()});
    EXPECT_EQ(info.Status, 0) << info.Err;
    EXPECT_NE(info.Out.find(oldEnd), std::string::npos) << info.Out;
    EXPECT_EQ(info.Err.find("was rolled back") != std::string::npos, point.Journaled) << info.Err;
    EXPECT_TRUE(ReadBytes(rom) == old);
    const RunResult again = Cli({"export", rom.string()});
    EXPECT_EQ(again.Out, exported.Out);
    EXPECT_EQ(again.Err, "");
  }
}

TEST_F(CliTest, KilledWhileThePackerRunsTheRomStaysAndTheNextImportWorks) {
  const fs::path rom = MakeRom("demo.nds", false);
  const Bytes old = ReadBytes(rom);
  WriteText(FDir / "edit.csv", "id,hit\n01,7\n");
  const fs::path tool = FProgram / "Tool" / "agblz";
  fs::rename(tool, tool.string() + ".real");
  WriteText(tool,
            "#!/bin/sh\nif [ \"$1\" = z ]; then echo $$ > ../stalled; exec sleep 60; fi\nexec \"$0.real\" \"$@\"\n");
  fs::permissions(tool, fs::perms::owner_all);

  const pid_t cli = fork();
  if (cli == 0) {
    const std::string program = (FProgram / "kora-cli").string();
    freopen("/dev/null", "w", stdout);
    freopen("/dev/null", "w", stderr);
    execl(program.c_str(), program.c_str(), "import", rom.c_str(), (FDir / "edit.csv").c_str(), nullptr);
    _exit(127);
  }
  pid_t packer = 0;
  for (int i = 0; i < 600 && packer == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const std::string text = ReadText(FDir / "stalled");
    if (!text.empty() && text.back() == '\n') packer = std::stoi(text);
  }
  kill(cli, SIGKILL);
  int status = 0;
  waitpid(cli, &status, 0);
  ASSERT_GT(packer, 0) << "the packer never started";
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_TRUE(ReadBytes(rom) == old);

  // The stalled packer still runs, but the lock went with kora-cli.
  fs::remove(tool);
  fs::rename(tool.string() + ".real", tool);
  const RunResult r = Cli({"import", rom.string(), (FDir / "edit.csv").string()});
  kill(packer, SIGKILL);
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Err, "");
  EXPECT_NE(r.Out.find("saved"), std::string::npos);
  EXPECT_FALSE(ReadBytes(rom) == old);
  EXPECT_TRUE(OnlyTheLockIsLeft(FProgram / "RomData"));
}

}  // namespace

}  // namespace kora::clitest
