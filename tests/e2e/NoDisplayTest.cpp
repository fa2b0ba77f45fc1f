// kora-editor on a machine without a display: it says so in one line on
// stderr, draws the window opened on the ROM, with its first character
// picked, into a picture and prints the picture's full path.

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "editor/ProgramCopy.h"
#include "framework/TempFolder.h"
#include "platform/ForgedBitmap.h"
#include "platform/PngReader.h"
#include "platform/gdi/Geometry.h"

namespace kora::test {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct TEditorRun {
  int Status = -1;
  std::string Out, Err;
};

class NoDisplayTest : public ::testing::Test {
protected:
  void SetUp() override {
    // A program folder of the test's own: the editor's lock and working
    // files stay away from the other tests.
    FDir = TempFolder();
    FProgram = MakeProgramCopy(FDir.string());
    FRom = FDir / "game.nds";
    ASSERT_EQ(std::system(("'" + (FProgram / "kora-cli").string() + "' make-demo-rom '" + FRom.string() + "'").c_str()),
              0);
  }
  // The editor started from folder with the environment's display taken
  // away (or pointed at a server that is not there). Under the sanitizers
  // a frame's memory read after it returned is caught too; a run that hangs
  // is ended after half a minute.
  TEditorRun Editor(const std::string& display, const std::string& arguments) {
    const std::string env = display.empty() ? "env -u DISPLAY -u WAYLAND_DISPLAY" : "env DISPLAY=" + display;
    const fs::path out = FDir / "out.txt", err = FDir / "err.txt";
    const std::string command = "cd '" + FDir.string() + "' && " + env +
                                " SDL_VIDEODRIVER=x11 ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_stack_use_after_return=1\" "
                                "timeout 30 '" +
                                (FProgram / "kora-editor").string() + "' " + arguments + " >'" + out.string() +
                                "' 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(out), ReadAll(err)};
  }

  fs::path FDir, FProgram, FRom;
};

// The window's box on the screen: where the pixels differ from the desktop
// at the picture's top-left corner.
RECT WindowBox(const TPngImage& png) {
  const uint32_t desktop = png.At(0, 0);
  RECT box{png.Width, png.Height, 0, 0};
  for (int y = 0; y < png.Height; ++y)
    for (int x = 0; x < png.Width; ++x)
      if (png.At(x, y) != desktop) {
        box.Left = std::min(box.Left, x), box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1), box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box;
}

TEST_F(NoDisplayTest, TheWindowIsDrawnIntoAPictureWhosePathIsPrinted) {
  const TEditorRun run = Editor("", "'" + FRom.string() + "'");
  ASSERT_EQ(run.Status, 0) << run.Err;
  const fs::path picture = FDir / "kora-editor.png";
  EXPECT_EQ(run.Out, picture.string() + "\n");
  EXPECT_EQ(run.Err.find("kora-editor: no display"), 0u) << run.Err;
  EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
  const TPngImage withRom = DecodePng(ReadAll(picture));
  ASSERT_GT(withRom.Width, 0);

  // The same without a ROM, from an X server that cannot be reached.
  fs::remove(picture);
  const TEditorRun bare = Editor(":999", "");
  ASSERT_EQ(bare.Status, 0) << bare.Err;
  const TPngImage empty = DecodePng(ReadAll(picture));
  ASSERT_EQ(empty.Width, withRom.Width);
  ASSERT_EQ(empty.Height, withRom.Height);

  // The main window (562 x 465) stands on the desktop in both.
  const RECT box = WindowBox(withRom);
  EXPECT_EQ(box.Right - box.Left, 562);
  EXPECT_EQ(box.Bottom - box.Top, 465);
  EXPECT_EQ(WindowBox(empty).Left, box.Left);
  // The ROM's first character is picked: its portrait fills the combo box
  // at the first page's top-left, which is blank without a ROM.
  long portrait = 0;
  for (int y = box.Top + 80; y < box.Top + 190; ++y)
    for (int x = box.Left + 24; x < box.Left + 150; ++x) portrait += withRom.At(x, y) != empty.At(x, y);
  EXPECT_GT(portrait, 2000);
}

// A portrait whose header claims 32768 x 2048 pixels in 64 bytes, and a
// named pipe for the ROM: each is said in one line on the error output
// (there is no one to close a window), quickly and with little memory, and
// the window is still drawn.
TEST_F(NoDisplayTest, StartUpErrorsAreSaidOnTheErrorOutput) {
  const fs::path portrait = FProgram / "Image" / "Face" / "001.bmp";
  std::ofstream(portrait, std::ios::binary | std::ios::trunc) << ForgedRle8Bitmap();
  const fs::path pipe = FDir / "pipe.nds";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);

  const TEditorRun run = Editor("", "--snapshot shot.png '" + pipe.string() + "'");
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Err, "Kora Editor: 图片 \"" + portrait.string() +
                         "\" 无法使用: Bitmap image is not valid: the image is 32768 x 2048, larger than the 128 x 128 "
                         "it may be here\n"
                         "Kora Editor: \"" +
                         pipe.string() + "\" 不是普通文件, 而是命名管道; 未打开它\n");
  EXPECT_EQ(run.Out, "shot.png\n");
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  EXPECT_LT(usage.ru_maxrss / 1024, 300) << "MB";
}

// Steps that cannot be played are named by file and line: a wrong word is
// refused before the window is made, a part the window does not show when
// its turn comes; no picture is written either way.
TEST_F(NoDisplayTest, StepsThatCannotBePlayedAreNamedByLine) {
  std::ofstream(FDir / "bad.txt") << "# a comment\nkey Ctrl+S\npress Enter\n";
  TEditorRun run = Editor("", "--snapshot shot.png --play bad.txt '" + FRom.string() + "'");
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "kora-editor: bad.txt:3: unknown step \"press\"\n");

  std::ofstream(FDir / "hidden.txt") << "type 5\n\nclick bsSkinEdit21\nkey Enter\n";
  run = Editor("", "--snapshot shot.png --play hidden.txt '" + FRom.string() + "'");
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "kora-editor: hidden.txt:3: \"bsSkinEdit21\" is not shown\n");
  EXPECT_FALSE(fs::exists(FDir / "shot.png"));

  EXPECT_EQ(Editor("", "--play hidden.txt").Status, 2);  // steps need a picture to end in
}

}  // namespace
}  // namespace kora::test
