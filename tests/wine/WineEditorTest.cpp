// The Windows build's editor as a person uses it: kora-editor.exe under
// Wine on a private X server under Openbox, its real windows driven through
// XTest alone. It opens on the demo ROM, shows its File menu and its open
// dialog; a character is picked, a value typed, "确定" taken, the data saved
// through the menu and the message box closed, then the window by its close
// button. The Linux kora-cli reads back exactly that value in the ROM. The
// screenshots go to KORA_ARTIFACTS (wine-editor-*.png).

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "framework/TempFolder.h"
#include "wine/WineSupport.h"
#include "xvfb/EditorDesktop.h"

namespace kora::test {
namespace {

// Wine's first start of a program on a server brings up its own desktop
// process as well; on a loaded machine that takes a while.
constexpr int kWineStartMs = 20000;

// Ends every program of the build's Wine prefix, its desktop process too:
// the next one starts on this test's server, not on one that is gone.
void EndWinePrograms() {
  const std::string command = std::string("WINEPREFIX='") + KORA_WINDOWS_BUILD +
                              "/wine-prefix' timeout 20 /usr/lib/wine/wineserver -k > /dev/null 2>&1";
  [[maybe_unused]] const int ignored = std::system(command.c_str());
}

class WineEditorTest : public EditorDesktopTest {
protected:
  void SetUp() override {
    KORA_NEED_WINDOWS_BUILD();
    FShotPrefix = "wine-editor-";
    StartDesktop();
    if (HasFatalFailure() || IsSkipped()) return;
    EndWinePrograms();
    FProgram = MakeWindowsProgramCopy(TempFolder());
    FRom = FProgram + "game.nds";
    ASSERT_EQ(std::system(
                  (std::string("'") + KORA_PROGRAM_DIR + "/kora-cli' make-demo-rom '" + FRom + "' >/dev/null").c_str()),
              0);
  }
  void TearDown() override {
    if (FPid > 0) {
      kill(FPid, SIGKILL);
      waitpid(FPid, nullptr, 0);
    }
    EndWinePrograms();
    StopDesktop();
  }

  std::string Output() { return ReadFileBytes(FProgram + "output.txt"); }
  // No window stands black on the screen: a new one is mapped at once and
  // drawn once the program has filled it (the open dialog lists the drives
  // and folders first).
  bool NothingBlank() {
    const RootImage screen = FProbe->Capture();
    return std::count_if(screen.Pixels.begin(), screen.Pixels.end(), [](uint32_t p) { return (p & 0xFFFFFF) == 0; }) <
           20000;
  }

  std::string FProgram, FRom;
  pid_t FPid = 0;
};

TEST_F(WineEditorTest, PickTypeTakeSaveAndCloseInTheRealWindows) {
  // The Linux build's program folder has the same lists and pictures.
  FLayout = EditorWindowLayout(std::string(KORA_PROGRAM_DIR) + "/");
  ASSERT_EQ(FLayout.size(), 5u);
  const std::string original = ReadFileBytes(FRom);
  const std::vector<std::string> before = Characters(std::string(KORA_PROGRAM_DIR) + "/", FRom);
  ASSERT_GT(before.size(), 2u);

  FPid = StartWindowsProgram({FProgram + "kora-editor.exe", WindowsPath(FRom)}, FProgram + "output.txt");
  ASSERT_GT(FPid, 0);
  const bool shown = WaitFor(
      [&] {
        FWindow = FX->FindByName("Kora Editor - game.nds");
        return FWindow && FX->Viewable(FWindow);
      },
      kWineStartMs);
  if (!shown) Shot("0-not-shown");  // what there was instead
  ASSERT_TRUE(shown) << Output();
  // Settled: the window drawn whole before anything is done in it.
  Act([] {});
  Shot("1-started");

  // The File menu (文件(&F)) and its first command, the skinned open dialog;
  // Escape closes it again.
  Chord("Alt_L", "f");
  Shot("2-file-menu");
  Tap("Return");
  EXPECT_TRUE(WaitFor([&] { return NothingBlank(); }, 15000));
  Act([] {});
  Shot("3-open-dialog");
  Tap("Escape");

  // A character from the list, a value typed over its first number, "确定".
  ClickOn("bsSkinComboBox3");
  Tap("Down");
  Tap("Return");
  ClickOn("bsSkinEdit1");
  Chord("Control_L", "a");
  Tap("7");
  Tap("7");
  Shot("4-typed");
  WindowShot("wine-editor-window");
  ClickOn("bsSkinButton1");

  // 文件(&F), Down to 保存数据, Enter; the message box goes with Enter.
  Chord("Alt_L", "f");
  Tap("Down");
  Tap("Return");
  ASSERT_TRUE(WaitFor([&] { return ReadFileBytes(FRom) != original; }, 30000)) << Output();
  Act([] {});
  Shot("5-saved-message");
  Tap("Return");
  Shot("6-message-closed");

  ClickOn("close");
  EXPECT_EQ(WaitForProgram(FPid, 30000), 0) << Output();
  FPid = 0;

  // Same size; of all the characters' numbers exactly one changed, to 77.
  EXPECT_EQ(ReadFileBytes(FRom).size(), original.size());
  const std::vector<std::string> after = Characters(std::string(KORA_PROGRAM_DIR) + "/", FRom);
  ASSERT_EQ(after.size(), before.size());
  int changed = 0;
  for (size_t row = 0; row < before.size(); ++row) {
    const std::vector<std::string> a = Fields(before[row]), b = Fields(after[row]);
    ASSERT_EQ(a.size(), b.size());
    for (size_t column = 0; column < a.size(); ++column)
      if (a[column] != b[column]) {
        ++changed;
        EXPECT_EQ(b[column], "77") << before[0] << " / column " << column;
      }
  }
  EXPECT_EQ(changed, 1);
}

}  // namespace
}  // namespace kora::test
