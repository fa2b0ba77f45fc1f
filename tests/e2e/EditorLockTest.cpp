// One editor per program folder: while the window holds the working
// folder, kora-cli started from the same folder and a second lock or window
// in the same process are refused at once, with the holder named, and the
// window's working files stay; once the window is gone the folder is free.

#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "EditorE2eSupport.h"
#include "editor/WorkLock.h"

namespace kora::test {
namespace {

namespace fs = std::filesystem;

struct CliRun {
  int Status = -1;
  std::string Output;  // stdout and stderr
  double Seconds = 0;
};

CliRun RunCli(const std::string& program, const std::string& arguments) {
  CliRun run;
  const auto start = std::chrono::steady_clock::now();
  const std::string command = "'" + program + "kora-cli' " + arguments + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.Output.append(buffer, n);
  const int status = ::pclose(pipe);
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return run;
}

using EditorLockTest = EditorE2eTest;

TEST_F(EditorLockTest, WhileTheWindowRunsNoSecondEditorGetsItsWorkingFolder) {
  OpenWindow();
  OpenThroughMenu(Rom);
  ASSERT_TRUE(Form->Session()->IsOpen());
  const std::string unpacked = Form->Session()->UnpackedFileName();
  ASSERT_TRUE(fs::exists(unpacked));
  const std::string working = ReadFileBytes(unpacked);
  const std::string original = ReadFileBytes(Rom);
  const std::string refusal = "another Kora Editor is using the working files (" +
                              WorkLock::LockFileName(ProgramPaths::Portable(Program)) + " is locked)";

  WriteFileBytes(Dir + "edit.csv", "id,base_hp\n001,5\n");
  for (const std::string& arguments :
       {"export '" + Rom + "' --kind char", "import '" + Rom + "' '" + Dir + "edit.csv'"}) {
    SCOPED_TRACE(arguments);
    const CliRun run = RunCli(Program, arguments);
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Output, "kora-cli: " + refusal + "\n");
    EXPECT_LT(run.Seconds, 5.0);  // refused, not waiting for the window
  }
  try {
    WorkLock second(ProgramPaths::Portable(Program), "test");
    ADD_FAILURE() << "a second lock was granted";
  } catch (const EWorkFolderLocked& error) {
    EXPECT_EQ(error.Message(), refusal);
  }
  try {
    std::unique_ptr<TfrmMain> second(CreateMainForm(nullptr));
    ADD_FAILURE() << "a second window was made";
  } catch (const EWorkFolderLocked& error) {
    EXPECT_EQ(error.Message(), refusal);
  }
  // Nothing of the window's was touched, and it still saves.
  EXPECT_TRUE(FileHolds(unpacked, working));
  EXPECT_TRUE(FileHolds(Rom, original));
  ExpectNothingOpen();
  ShowPage(0);
  PickRow(Part<TbsSkinComboBox>("bsSkinComboBox3"), 0);
  ClickOn(Part<TbsSkinButton>("bsSkinButton4"));
  ClickOn(Part<TbsSkinButton>("bsSkinButton1"));
  const DataImage edited = Form->Session()->Image();
  SaveThroughMenu();
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Text, "数据导入成功!\n\r谢谢使用!");
  EXPECT_EQ(DecodeRom(Rom).Image, edited);

  // The window gone, its working files go with it and the folder is free.
  Form.reset();
  EXPECT_FALSE(fs::exists(unpacked));
  EXPECT_FALSE(fs::exists(Program + "RomData/romData.bin"));
  const CliRun run = RunCli(Program, "export '" + Rom + "' --kind char");
  EXPECT_EQ(run.Status, 0) << run.Output;
  EXPECT_NE(run.Output.find("001,"), std::string::npos);
}

}  // namespace
}  // namespace kora::test
