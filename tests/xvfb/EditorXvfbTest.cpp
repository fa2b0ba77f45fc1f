// The editor as a person uses it on a desktop: the real kora-editor on a
// private X server under Openbox, driven through XTest alone. It opens the
// demo ROM through the File menu and the skinned file dialog, picks a
// character, raises its numbers with "+", takes them with "确定", saves
// through the menu, closes the message box and then the window by its close
// button. A screenshot after each step goes to KORA_ARTIFACTS; the ROM's
// exported records show exactly that character's numbers raised.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "editor/ProgramCopy.h"
#include "framework/TempFolder.h"
#include "xvfb/EditorDesktop.h"

extern char** environ;

namespace kora::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class EditorXvfbTest : public EditorDesktopTest {
protected:
  void SetUp() override {
    FShotPrefix = "xvfb-editor-";
    StartDesktop();
    if (HasFatalFailure() || IsSkipped()) return;
    // A program folder of its own: its working files and its lock stay
    // away from other tests.
    FProgram = MakeProgramCopy(TempFolder());
    FRom = FProgram + "game.nds";
    ASSERT_EQ(std::system(("'" + FProgram + "kora-cli' make-demo-rom '" + FRom + "' >/dev/null").c_str()), 0);
  }
  void TearDown() override {
    if (FPid > 0) {
      kill(FPid, SIGKILL);
      waitpid(FPid, nullptr, 0);
    }
    StopDesktop();
  }

  void StartEditor() { FPid = Spawn("stderr.txt"); }
  // The editor of the program folder, its error output in the named file.
  pid_t Spawn(const std::string& errorFile) {
    const std::string program = FProgram + "kora-editor", errors = FProgram + errorFile;
    setenv("SDL_VIDEODRIVER", "x11", 1);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
  }
  void AltKey(const char* letter) { Chord("Alt_L", letter); }
  bool Exited(int* status) {
    if (waitpid(FPid, status, WNOHANG) != FPid) return false;
    FPid = 0;
    return true;
  }

  std::string FProgram, FRom;
  pid_t FPid = 0;
};

TEST_F(EditorXvfbTest, OpenPickRaiseTakeSaveAndCloseByMouseAndKeys) {
  FLayout = EditorWindowLayout(FProgram);
  ASSERT_EQ(FLayout.size(), 5u);
  const std::string original = ReadFile(FRom);
  const std::vector<std::string> before = Characters(FProgram, FRom);
  ASSERT_GT(before.size(), 2u);

  StartEditor();
  ASSERT_TRUE(WaitFor([&] {
    FWindow = FX->FindByName("Kora Editor");
    return FWindow && FX->Viewable(FWindow);
  })) << ReadFile(FProgram + "stderr.txt");
  Shot("1-started");

  // 文件(&F), 选择ROM(&C) (the first item, lit as the menu opens); the
  // dialog opens in the program folder, which lists Data, Image, RomData,
  // Tool and the ROM: Tab to the list, down to the ROM, Enter.
  AltKey("f");
  Shot("2-file-menu");
  Tap("Return");
  Shot("3-open-dialog");
  Tap("Tab");
  for (int i = 0; i < 5; ++i) Tap("Down");
  Shot("4-rom-selected");
  Tap("Return");
  Shot("5-opened");

  // The first character, "+" (all its numbers up by 10), "确定".
  ClickOn("bsSkinComboBox3");
  Shot("6-character-list");
  Tap("Down");
  Tap("Return");
  Shot("7-character-picked");
  WindowShot("xvfb-editor-window");
  ClickOn("bsSkinButton4");
  ClickOn("bsSkinButton1");
  Shot("8-raised-and-taken");

  // 文件(&F), Down to 保存数据, Enter; the message box goes with Enter.
  AltKey("f");
  Tap("Down");
  Tap("Return");
  ASSERT_TRUE(WaitFor([&] { return ReadFile(FRom) != original; })) << ReadFile(FProgram + "stderr.txt");
  Shot("9-saved-message");
  Tap("Return");
  Shot("10-message-closed");

  ClickOn("close");
  int status = -1;
  ASSERT_TRUE(WaitFor([&] { return Exited(&status); })) << "the close button did not end the program";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadFile(FProgram + "stderr.txt");
  Shot("11-closed");

  // Same size; of all the characters' numbers exactly the picked one's 16
  // changed, each by +10.
  EXPECT_EQ(ReadFile(FRom).size(), original.size());
  const std::vector<std::string> after = Characters(FProgram, FRom);
  ASSERT_EQ(after.size(), before.size());
  std::vector<size_t> changedRows;
  int changed = 0;
  for (size_t row = 0; row < before.size(); ++row) {
    const std::vector<std::string> a = Fields(before[row]), b = Fields(after[row]);
    ASSERT_EQ(a.size(), b.size());
    for (size_t column = 0; column < a.size(); ++column)
      if (a[column] != b[column]) {
        ++changed;
        if (changedRows.empty() || changedRows.back() != row) changedRows.push_back(row);
        EXPECT_EQ(std::stoi(b[column]) - std::stoi(a[column]), 10) << before[0] << " / column " << column;
      }
  }
  EXPECT_EQ(changed, 16);
  EXPECT_EQ(changedRows.size(), 1u);
  // The editor cleaned its working files on the way out; the lock file stays.
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(FProgram + "RomData")) left.push_back(entry.path().filename());
  EXPECT_EQ(left, (std::vector<std::string>{"kora-cli.lock"}));
}

// A second editor started on the same program folder, as from a desktop
// icon: it says why in a message box and ends with a failure status once
// the box is closed; the first goes on.
TEST_F(EditorXvfbTest, ASecondEditorSaysWhyItCannotStart) {
  StartEditor();
  ASSERT_TRUE(WaitFor([&] {
    FWindow = FX->FindByName("Kora Editor");
    return FWindow && FX->Viewable(FWindow);
  })) << ReadFile(FProgram + "stderr.txt");
  pid_t second = Spawn("second.txt");
  unsigned long notice = 0;
  ASSERT_TRUE(WaitFor([&] {
    notice = FX->FindByName("错误");
    return notice && FX->Viewable(notice);
  })) << ReadFile(FProgram + "second.txt");
  Shot("second-editor-notice");
  const RECT box = FX->Geometry(notice);
  FProbe->Click({box.Left + box.Width() / 2, box.Top + 10});
  FProbe->Tap("Return");
  int status = -1;
  ASSERT_TRUE(WaitFor([&] { return waitpid(second, &status, WNOHANG) == second; }));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  EXPECT_NE(ReadFile(FProgram + "second.txt").find("another Kora Editor is using the working files"),
            std::string::npos);
  EXPECT_FALSE(Exited(&status)) << "the first editor ended";
}

// The X server goes away under the running editor: it ends at once with
// one line that says why, not with Xlib's report or a hang.
TEST_F(EditorXvfbTest, LosingTheServerEndsTheEditorWithOneLine) {
  StartEditor();
  ASSERT_TRUE(WaitFor([&] {
    FWindow = FX->FindByName("Kora Editor");
    return FWindow && FX->Viewable(FWindow);
  })) << ReadFile(FProgram + "stderr.txt");
  FProbe.reset();
  FX.reset();
  FManager.reset();
  FServer.reset();
  int status = -1;
  ASSERT_TRUE(WaitFor([&] { return Exited(&status); })) << "the editor did not end";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  const std::string errors = ReadFile(FProgram + "stderr.txt");
  EXPECT_NE(errors.find("kora-editor: lost the connection to the X server"), std::string::npos) << errors;
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

}  // namespace
}  // namespace kora::test
