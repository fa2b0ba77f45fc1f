// skinc preview on the program's own skin: the sheet's size and pixels that
// only a faithful composition produces; bad input leaves no file behind.
#include <sys/wait.h>

#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>

#include "framework/TempFolder.h"
#include "platform/PngReader.h"
#include "skin/SkinTestSupport.h"

namespace kora {
namespace {

// The sheet's layout: frames of the 554 x 434 client wrapped by the skin's
// 4/27/4/4 borders, the active one at (10, 10), the inactive one beside it,
// then a 220-high row of single elements.
constexpr int kFrameW = 562, kFrameH = 465;
constexpr int kSheetW = 2 * kFrameW + 30, kSheetH = kFrameH + 20 + 220 + 10;
constexpr int kActiveX = 10, kInactiveX = 20 + kFrameW, kFrameY = 10;
constexpr int kRowY = kFrameY + kFrameH + 10;
constexpr uint32_t kDesktop = 0x5E6E80;  // 0xRRGGBB

struct PreviewRun {
  int ExitCode = -1;
  std::string Errors;
};

// Runs skinc preview with its errors in folder's stderr.txt.
PreviewRun Preview(const std::string& file, const std::string& out, const std::string& folder) {
  const std::string err = folder + "stderr.txt";
  const int status =
      std::system(("'" KORA_PROGRAM_DIR "/skinc' preview '" + file + "' '" + out + "' 2>'" + err + "'").c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::ReadFileBytes(err)};
}

TEST(SkinPreview, ComposesTheProgramSkinIntoASheet) {
  const std::string dir = test::TempFolder(), out = dir + "skin-preview.png";
  const PreviewRun run = Preview(KORA_SKIN_ARCHIVE, out, dir);
  ASSERT_EQ(run.ExitCode, 0) << run.Errors;
  EXPECT_EQ(run.Errors, "");
  if (const char* folder = std::getenv("KORA_ARTIFACTS")) {
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(out, std::filesystem::path(folder) / "skin-preview.png",
                               std::filesystem::copy_options::overwrite_existing);
  }
  const test::TPngImage png = test::DecodePng(test::ReadFileBytes(out));
  ASSERT_EQ(png.Width, kSheetW);
  ASSERT_EQ(png.Height, kSheetH);

  // The mask rounds the top corners: the desktop shows there, the frame
  // a few pixels inside and along the top edge's middle.
  for (int x : {kActiveX, kInactiveX}) {
    EXPECT_EQ(png.At(x, kFrameY), kDesktop);
    EXPECT_EQ(png.At(x + kFrameW - 1, kFrameY), kDesktop);
    EXPECT_NE(png.At(x + 4, kFrameY + 4), kDesktop);
    EXPECT_NE(png.At(x + kFrameW / 2, kFrameY), kDesktop);
    EXPECT_NE(png.At(x + kFrameW / 2, kFrameY + kFrameH - 1), kDesktop);
  }
  // The active caption is blue; the inactive one is the same darkened by 0.3.
  const uint32_t active = png.At(kActiveX + 200, kFrameY + 20), inactive = png.At(kInactiveX + 200, kFrameY + 20);
  EXPECT_GT(active & 0xFF, (active >> 16 & 0xFF) + 8);
  for (int shift : {0, 8, 16})
    EXPECT_NEAR(double(inactive >> shift & 0xFF), 0.7 * double(active >> shift & 0xFF), 1.0) << shift;
  // Close buttons end at the caption rectangle's right (282 of 285).
  EXPECT_GT(
      png.Difference(kActiveX + kFrameW - 3 - 21, kFrameY + 5, kInactiveX + kFrameW - 3 - 21, kFrameY + 5, 21, 21), 0);

  // Buttons at 80 x 25 in the element row: each look differs from normal.
  const int buttonX = 10 + 250, buttonY = kRowY + 10;
  for (int look = 1; look < 4; ++look)
    EXPECT_GT(png.Difference(buttonX, buttonY, buttonX, buttonY + 32 * look, 80, 25), 80 * 25) << look;
  // A spin edit's hot look and its pressed up arrow differ from the normal ones.
  const int spinX = 10 + 410;
  EXPECT_GT(png.Difference(spinX, buttonY, spinX, buttonY + 32, 121, 22), 0);
  EXPECT_GT(png.Difference(spinX + 100, buttonY + 32, spinX + 100, buttonY + 64, 21, 10), 0);

  // The program's own group box draws its row: the caption in the record's
  // colour inside the caption rectangle, none in the box without a caption.
  const int boxX = 10 + 740, boxY = kRowY + 10;
  const auto captionInk = [&](int x) {
    int n = 0;
    for (int y = 1; y < 21; ++y)
      for (int dx = 6; dx < 160; ++dx) n += png.At(x + dx, boxY + y) == 0x20407C;
    return n;
  };
  EXPECT_GT(captionInk(boxX), 20);
  EXPECT_EQ(captionInk(boxX + 210), 0);
}

TEST(SkinPreview, RefusesBadInputWithoutWritingAFile) {
  const std::string dir = test::TempFolder();
  const std::string garbage = dir + "garbage.skin";
  test::WriteFileBytes(garbage, std::string("\3\0\0\0\x10\0\0\0not a zlib stream", 25));
  for (const std::string& input : {dir + "missing.skin", garbage}) {
    const std::string out = dir + "out.png";
    const PreviewRun run = Preview(input, out, dir);
    EXPECT_EQ(run.ExitCode, 1) << input;
    EXPECT_EQ(run.Errors.rfind("skinc: ", 0), 0u) << run.Errors;
    EXPECT_EQ(std::count(run.Errors.begin(), run.Errors.end(), '\n'), 1) << run.Errors;
    EXPECT_FALSE(std::filesystem::exists(out)) << input;
  }
  // An output that cannot be created fails the same way and leaves nothing.
  const PreviewRun run = Preview(KORA_SKIN_ARCHIVE, dir + "no-such-folder/out.png", dir);
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir + "no-such-folder"));
  // Only the input and the error text are in the folder: no temporary left.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 2);
}

}  // namespace
}  // namespace kora
