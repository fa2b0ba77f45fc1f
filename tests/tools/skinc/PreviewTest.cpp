// skinc preview on the program's own skin: the sheet's size and pixels that
// only a faithful composition produces; bad input leaves no file behind.
#include <sys/wait.h>
#include <zlib.h>

#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>

#include "framework/TempFolder.h"
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

uint32_t Be32(const std::string& s, std::size_t at) {
  auto b = [&](std::size_t i) { return uint32_t(uint8_t(s[at + i])); };
  return b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
}

// An 8-bit RGB PNG as 0xRRGGBB pixels (the writer's only format).
struct Png {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;

  explicit Png(const std::string& file) {
    std::string idat;
    for (std::size_t at = 8; at + 12 <= file.size();) {
      const uint32_t length = Be32(file, at);
      const std::string type = file.substr(at + 4, 4);
      if (type == "IHDR") Width = int(Be32(file, at + 8)), Height = int(Be32(file, at + 12));
      if (type == "IDAT") idat += file.substr(at + 8, length);
      at += 12 + length;
    }
    const std::size_t stride = std::size_t(Width) * 3;
    std::vector<uint8_t> raw((stride + 1) * std::size_t(Height));
    uLongf size = uLongf(raw.size());
    if (uncompress(raw.data(), &size, reinterpret_cast<const Bytef*>(idat.data()), uLong(idat.size())) != Z_OK) return;
    std::vector<uint8_t> cur(stride), prev(stride, 0);
    for (int y = 0; y < Height; ++y) {
      const uint8_t* line = &raw[std::size_t(y) * (stride + 1)];
      for (std::size_t i = 0; i < stride; ++i) {
        const int a = i >= 3 ? cur[i - 3] : 0, b = prev[i], c = i >= 3 ? prev[i - 3] : 0;
        const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
        const int predictor[] = {0, a, b, (a + b) / 2, pa <= pb && pa <= pc ? a : pb <= pc ? b : c};
        cur[i] = uint8_t(line[1 + i] + (line[0] <= 4 ? predictor[line[0]] : 0));
      }
      for (int x = 0; x < Width; ++x)
        Pixels.push_back(uint32_t(cur[std::size_t(x) * 3]) << 16 | uint32_t(cur[std::size_t(x) * 3 + 1]) << 8 |
                         cur[std::size_t(x) * 3 + 2]);
      std::swap(cur, prev);
    }
  }
  uint32_t At(int x, int y) const { return Pixels[std::size_t(y) * std::size_t(Width) + std::size_t(x)]; }
  // Summed channel differences of two equal areas.
  long Difference(int x1, int y1, int x2, int y2, int w, int h) const {
    long sum = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        for (int shift : {0, 8, 16})
          sum += std::abs(int(At(x1 + x, y1 + y) >> shift & 0xFF) - int(At(x2 + x, y2 + y) >> shift & 0xFF));
    return sum;
  }
};

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
  const Png png(test::ReadFileBytes(out));
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
