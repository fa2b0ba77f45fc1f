#include "editor/RomJournal.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <functional>

#include "EditorTestSupport.h"
#include "editor/RomSession.h"
#include "framework/core/Classes.h"

namespace kora {
namespace {

using namespace test;

constexpr int kKilled = 77;
constexpr int kThrew = 78;

// What the hooks act on; plain globals because the hook is a plain function.
int gStopAt = -1;
std::vector<std::string> gSteps;

void KillAtStep(int step, const char*) {
  if (step == gStopAt) _exit(kKilled);
}

void RecordStep(int, const char* what) { gSteps.emplace_back(what); }

void FailAtStep(int step, const char* what) {
  if (step == gStopAt) throw EInOutError(std::string("Injected failure before: ") + what, EIO);
}

// Runs `body` in a child process and returns its exit code: 0 when it ran
// to its end, kThrew when it raised.
int RunInChild(const std::function<void()>& body) {
  const pid_t pid = fork();
  if (pid == 0) {
    try {
      body();
    } catch (...) {
      _exit(kThrew);
    }
    _exit(0);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A ROM whose block, with the stand-in packer, unpacks to one image, and a
// save of another image that rewrites every byte of the block and moves the
// end pointer.
class RomSaveCrashTest : public ::testing::Test {
protected:
  void SetUp() override {
    FDir = TempFolder();
    FProgram = MakeProgramFolder(FDir);
    // Packing adds five bytes, unpacking drops them again.
    WritePacker(FProgram,
                "if [ \"$1\" = z ]; then cat \"$2\" > \"$3\"; printf 'GROWN' >> \"$3\"; "
                "else head -c 72043 \"$2\" > \"$3\"; fi\n");
    FRom = FDir + "a.nds";
    FJournal = RomSession(FProgram).JournalFileName();
    FOldImage = ToImage(Pattern(kDataImageSize, 1));
    FNewImage = ToImage(Pattern(kDataImageSize, 2));
    MakeRom();
    FOldDigest = Digest(FRom);

    // One whole save, to know the new ROM and every step on the way.
    gSteps.clear();
    SetRomWriteStepHook(RecordStep);
    OpenForSave().Save();
    SetRomWriteStepHook(nullptr);
    FNewDigest = Digest(FRom);
    ASSERT_NE(FNewDigest, FOldDigest);
  }

  void TearDown() override { SetRomWriteStepHook(nullptr); }

  void MakeRom() { MakeRomWithFat(FRom, std::string(FOldImage.begin(), FOldImage.end())); }

  RomSession OpenForSave() {
    RomSession session(FProgram);
    session.Open(FRom);
    session.Image() = FNewImage;
    return session;
  }

  // A fresh old ROM whose save is killed at `step`; returns the child's code.
  int KilledSave(int step) {
    MakeRom();
    RomSession session = OpenForSave();
    gStopAt = step;
    return RunInChild([&] {
      SetRomWriteStepHook(KillAtStep, 4096);
      session.Save();
    });
  }

  int StepOf(const std::string& what, int nth) const {
    for (std::size_t i = 0; i < gSteps.size(); ++i) {
      if (gSteps[i] == what && nth-- == 0) return static_cast<int>(i);
    }
    return -1;
  }

  // The ROM after the next open: old or new, the image to match, and no
  // journal left.
  void ExpectOldOrNew(const std::string& when, bool& wasNew) {
    RomSession next(FProgram);
    next.Open(FRom);
    const uint64_t digest = Digest(FRom);
    ASSERT_TRUE(digest == FOldDigest || digest == FNewDigest) << when;
    wasNew = digest == FNewDigest;
    EXPECT_TRUE(next.Image() == (wasNew ? FNewImage : FOldImage)) << when;
    EXPECT_FALSE(FileExists(FJournal) || FileExists(FJournal + ".tmp")) << when;
  }

  std::string FDir, FProgram, FRom, FJournal;
  DataImage FOldImage, FNewImage;
  uint64_t FOldDigest = 0, FNewDigest = 0;
};

TEST_F(RomSaveCrashTest, KilledAtAnyStepTheRomIsOldOrNewAfterTheNextOpen) {
  ASSERT_GE(StepOf("write the journal", 30), 0);
  ASSERT_GE(StepOf("write the ROM", 15), 0);
  int killed = 0, oldAfter = 0, newAfter = 0;
  for (int step = 0;; ++step) {
    const int code = KilledSave(step);
    const std::string when =
        "killed before step " + std::to_string(step) + (step < int(gSteps.size()) ? ": " + gSteps[step] : "");
    bool wasNew = false;
    ExpectOldOrNew(when, wasNew);
    if (HasFatalFailure()) return;
    if (code == 0) {
      EXPECT_EQ(step, static_cast<int>(gSteps.size())) << "every step was reached";
      EXPECT_TRUE(wasNew);
      break;
    }
    ASSERT_EQ(code, kKilled) << when;
    ++killed;
    ++(wasNew ? newAfter : oldAfter);
    // Until the journal is gone, the old ROM comes back.
    EXPECT_EQ(wasNew, step > StepOf("remove the journal", 0)) << when;
  }
  EXPECT_GE(killed, 50);
  EXPECT_GT(oldAfter, 0);
  EXPECT_GT(newAfter, 0);
}

TEST_F(RomSaveCrashTest, AKilledRollbackIsRolledBackAgain) {
  const int midRom = StepOf("write the ROM", 9);
  ASSERT_EQ(KilledSave(midRom), kKilled);
  // Learn the rollback's steps.
  gSteps.clear();
  SetRomWriteStepHook(RecordStep);
  RomSession(FProgram).Recover();
  SetRomWriteStepHook(nullptr);
  const std::vector<std::string> recoverySteps = gSteps;
  ASSERT_GE(recoverySteps.size(), 15u);
  EXPECT_EQ(Digest(FRom), FOldDigest);
  for (int step = 0; step <= static_cast<int>(recoverySteps.size()); ++step) {
    ASSERT_EQ(KilledSave(midRom), kKilled);
    gStopAt = step;
    const int code = RunInChild([&] {
      SetRomWriteStepHook(KillAtStep, 4096);
      RomSession(FProgram).Open(FRom);
    });
    EXPECT_EQ(code, step < static_cast<int>(recoverySteps.size()) ? kKilled : 0);
    bool wasNew = true;
    ExpectOldOrNew("rollback killed before step " + std::to_string(step), wasNew);
    EXPECT_FALSE(wasNew);
  }
}

TEST_F(RomSaveCrashTest, AFailureAtAnyStepRaisesAndLeavesTheOldRom) {
  for (int step = 0; step < static_cast<int>(gSteps.size()); ++step) {
    const std::string when = "failed before step " + std::to_string(step) + ": " + gSteps[step];
    MakeRom();
    RomSession session = OpenForSave();
    gStopAt = step;
    SetRomWriteStepHook(FailAtStep, 4096);
    bool threw = false;
    try {
      session.Save();
    } catch (const Exception& e) {
      threw = true;
      EXPECT_NE(e.Message().find("Injected failure"), std::string::npos) << e.Message();
    }
    SetRomWriteStepHook(nullptr);
    // Only the last step, syncing the folder after the journal went, may
    // fail unnoticed: the new bytes are on disk by then.
    EXPECT_EQ(Digest(FRom), threw ? FOldDigest : FNewDigest) << when;
    EXPECT_EQ(threw, step + 1 < static_cast<int>(gSteps.size())) << when;
    EXPECT_FALSE(FileExists(FJournal) || FileExists(FJournal + ".tmp")) << when;
  }
}

TEST_F(RomSaveCrashTest, AJournalThatCannotBeWrittenFailsTheSaveBeforeTheRomIsTouched) {
  MakeRom();
  RomSession session = OpenForSave();
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  // Room for the image and the packed file, not for the journal of both
  // old and new block.
  const int code = RunInChild([&] {
    const rlimit limit{100000, 100000};
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, SIG_IGN);
    try {
      session.Save();
    } catch (const Exception& e) {
      const ssize_t written = write(pipeEnds[1], e.Message().data(), e.Message().size());
      (void)written;
      throw;
    }
  });
  close(pipeEnds[1]);
  std::string message(512, '\0');
  message.resize(static_cast<std::size_t>(std::max<ssize_t>(read(pipeEnds[0], message.data(), message.size()), 0)));
  close(pipeEnds[0]);
  EXPECT_EQ(code, kThrew);
  EXPECT_EQ(message.rfind("Cannot write the save journal \"" + FJournal + "\". ", 0), 0u) << message;
  EXPECT_NE(message.find("; the ROM was not changed"), std::string::npos) << message;
  EXPECT_EQ(Digest(FRom), FOldDigest);
  EXPECT_FALSE(FileExists(FJournal) || FileExists(FJournal + ".tmp"));

  // A folder in the journal's way fails the same way.
  std::filesystem::create_directory(FJournal + ".tmp");
  EXPECT_THROW(session.Save(), EInOutError);
  EXPECT_EQ(Digest(FRom), FOldDigest);
}

TEST_F(RomSaveCrashTest, JournalsThatCannotBeTrustedAreDroppedAndTheRomLeftAlone) {
  const int midRom = StepOf("write the ROM", 5);
  struct Damage {
    const char* What;
    std::function<void()> Apply;
  };
  const std::vector<Damage> damages{
      {"cut short", [&] { std::filesystem::resize_file(FJournal, std::filesystem::file_size(FJournal) - 1); }},
      {"one byte changed",
       [&] {
         std::string bytes = ReadFileBytes(FJournal);
         bytes[bytes.size() / 2] ^= 0x01;
         WriteFileBytes(FJournal, bytes);
       }},
      {"ROM replaced since", [&] { PutBytes(FRom, kPrimaryWriteBackOffset + 10, Pattern(8, 99)); }},
      {"ROM grown since", [&] { std::filesystem::resize_file(FRom, std::filesystem::file_size(FRom) + 1); }},
  };
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.What);
    ASSERT_EQ(KilledSave(midRom), kKilled);
    ASSERT_TRUE(FileExists(FJournal));
    damage.Apply();
    const uint64_t before = Digest(FRom);
    RomSession session(FProgram);
    EXPECT_EQ(session.Recover().Outcome, RecoveryOutcome::SetAside);
    EXPECT_EQ(Digest(FRom), before);
    EXPECT_FALSE(FileExists(FJournal));
  }

  // A journal that never got its own name never let the ROM be touched.
  MakeRom();
  WriteFileBytes(FJournal + ".tmp", "KORAJRN1 half");
  RomSession session(FProgram);
  session.Open(FRom);
  EXPECT_EQ(session.LastRecovery().Outcome, RecoveryOutcome::None);
  EXPECT_FALSE(FileExists(FJournal + ".tmp"));
  EXPECT_EQ(Digest(FRom), FOldDigest);
}

TEST_F(RomSaveCrashTest, ACutShortSaveIsRolledBackWhicheverRomOpensNext) {
  const int midRom = StepOf("write the ROM", 5);
  const std::string other = FDir + "other.nds";
  MakeRomWithFat(other, Pattern(kDataImageSize, 5));
  const uint64_t otherDigest = Digest(other);

  ASSERT_EQ(KilledSave(midRom), kKilled);
  const std::string journal = ReadFileBytes(FJournal);
  RomSession session(FProgram);
  session.Open(other);
  EXPECT_EQ(session.LastRecovery().Outcome, RecoveryOutcome::RolledBack);
  EXPECT_EQ(session.LastRecovery().RomPath, FRom);
  EXPECT_EQ(Digest(FRom), FOldDigest);
  EXPECT_EQ(session.Image(), ToImage(Pattern(kDataImageSize, 5)));

  // A journal that is still waiting keeps every save out.
  WriteFileBytes(FJournal, journal);
  EXPECT_THROW(session.Save(), Exception);
  EXPECT_EQ(Digest(other), otherDigest);
  EXPECT_EQ(ReadFileBytes(FJournal), journal);

  // With its ROM gone, there is nothing left to roll back.
  std::filesystem::remove(FRom);
  session.Open(other);
  EXPECT_EQ(session.LastRecovery().Outcome, RecoveryOutcome::SetAside);
  EXPECT_EQ(session.LastRecovery().Reason, "the ROM is no longer there");
  EXPECT_FALSE(FileExists(FJournal));
  session.Save();
  EXPECT_NE(Digest(other), otherDigest);
}

}  // namespace
}  // namespace kora
