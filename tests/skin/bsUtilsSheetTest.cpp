// Draws a sheet of skin compositions, a region cut-out, every morph and
// every inactive effect; with KORA_ARTIFACTS set it is saved as
// skin-draw-sheet.png for a person to look at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/gdi/PngFile.h"
#include "platform/gdi/Region.h"
#include "skin/bsUtilsTestSupport.h"
#include "skin/data/bsEffects.h"
#include "skin/data/bsUtils.h"

namespace kora {
namespace {

using namespace test;

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

// A 60 x 40 window skin: dark border, gradient caption with end caps,
// a checkered client that shows how it is tiled, a mask with round corners.
struct WindowSkin {
  RECT R{0, 0, 60, 40};
  RECT C{3, 14, 57, 37};
  POINT LT{14, 16}, RT{46, 16}, LB{14, 34}, RB{46, 34};
  TBitmap picture, mask;

  WindowSkin() {
    picture.SetSize(60, 40);
    mask.SetSize(60, 40);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 60; ++x) {
        uint32_t c;
        if (x < 3 || x >= 57 || y < 3 || y >= 37)
          c = Rgb(30, 40, 90);
        else if (y < 14)
          c = (x < 14 || x >= 46) ? Rgb(200, 120, 40) : Rgb(60 + y * 12, 110 + y * 8, 220);
        else
          c = ((x / 6 + y / 6) % 2) ? Rgb(235, 235, 225) : Rgb(210, 220, 235);
        if ((x == 14 || x == 45) && y < 14 && y > 2) c = Rgb(255, 255, 255);
        SetPixelAt(picture, x, y, c);
        const int dx = std::min(x, 59 - x), dy = std::min(y, 39 - y);
        SetPixelAt(mask, x, y, (dx + dy < 4 && y < 20) || (dx + dy < 2) ? kWhite : 0);
      }
  }
  void Compose(TBitmap& target, int W, int H, bool stretch) {
    const TbsSkinGeometry n = TbsSkinGeometry{LT, RT, LB, RB, C}.Moved(R, W, H);
    ComposeNinePart({LT, RT, LB, RB, C}, n, &target, &picture, R, {W, H}, true,
                    {stretch, stretch, stretch, stretch, stretch});
  }
  HRGN Region(int W, int H) {
    const TbsSkinGeometry n = TbsSkinGeometry{LT, RT, LB, RB, C}.Moved(R, W, H);
    return BuildSkinRegion({LT, RT, LB, RB, C}, n, &mask, {W, H});
  }
};

std::vector<uint8_t> Bytes(const TbsEffectBmp& bmp) { return {bmp.Bits(), bmp.Bits() + bmp.Size()}; }

// An 80 x 25 button look, blue when normal and orange when active.
TbsEffectBmp Button(bool active) {
  TBitmap bmp;
  bmp.SetSize(80, 25);
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 80; ++x) {
      uint32_t c = active ? Rgb(250, 170 - y * 2, 60) : Rgb(90, 120 + y * 3, 200);
      if (x > 10 && x < 70 && y > 10 && y < 14) c = active ? Rgb(120, 30, 0) : Rgb(255, 255, 255);
      if (x == 0 || y == 0 || x == 79 || y == 24) c = Rgb(20, 30, 60);
      SetPixelAt(bmp, x, y, c);
    }
  return TbsEffectBmp(bmp.Handle());
}

TEST(bsUtilsSheetTest, CompositionsMorphsAndEffects) {
  WindowSkin skin;
  TBitmap sheet;
  sheet.SetSize(760, 640);
  Fill(sheet, Rgb(200, 200, 200));
  TCanvas* canvas = sheet.Canvas();
  canvas->Font()->SetName("Arial");
  canvas->Font()->SetHeight(-11);
  canvas->Brush()->SetStyle(bsClear);
  const HDC dc = canvas->Handle();
  auto label = [&](int x, int y, const std::string& text) { canvas->TextOut(x, y, text); };
  auto put = [&](int x, int y, TBitmap& bmp) {
    BitBlt(dc, x, y, bmp.Width(), bmp.Height(), bmp.Canvas()->Handle(), 0, 0, SRCCOPY);
  };

  // Nine parts: the skin itself, wider and taller tiled, stretched, narrow.
  label(10, 4, "ComposeNinePart: 60x40, 160x90 tiled, 160x90 stretched, 40x30");
  put(10, 20, skin.picture);
  int x = 80;
  for (const bool stretch : {false, true}) {
    TBitmap target;
    skin.Compose(target, 160, 90, stretch);
    put(x, 20, target);
    x += 170;
  }
  TBitmap narrow;
  skin.Compose(narrow, 40, 30, false);
  put(x, 20, narrow);

  // Strips from the caption row.
  label(10, 118, "Strips: horizontal 200 tiled / stretched, vertical 70, middle only 120");
  TBitmap strip, stretched;
  ComposeHorizontalStrip(14, 14, &strip, false, 200, {0, 0, 60, 14}, &skin.picture);
  put(10, 134, strip);
  ComposeHorizontalStrip(14, 14, &stretched, true, 200, {0, 0, 60, 14}, &skin.picture);
  put(10, 152, stretched);
  EXPECT_EQ(PixelAt(strip, 199, 5), PixelAt(skin.picture, 59, 5));  // the fixed right end
  EXPECT_EQ(PixelAt(stretched, 199, 5), PixelAt(skin.picture, 59, 5));
  int differing = 0;
  for (int x = 14; x < 186; ++x) differing += PixelAt(strip, x, 5) != PixelAt(stretched, x, 5);
  EXPECT_GT(differing, 10);  // tiles repeat the middle, a stretch widens it
  ComposeVerticalStrip(14, 3, &strip, false, 70, {0, 0, 20, 40}, &skin.picture);
  EXPECT_EQ(strip.Width(), 20);
  EXPECT_EQ(strip.Height(), 70);
  put(220, 134, strip);
  ComposeHorizontalMiddle(14, 14, &strip, false, 120, {0, 0, 60, 14}, &skin.picture);
  EXPECT_EQ(strip.Width(), 120);
  EXPECT_EQ(PixelAt(strip, 0, 5), PixelAt(skin.picture, 14, 5));  // the middle starts at once
  put(250, 134, strip);

  // A window-sized composition cut out by its region.
  label(400, 118, "BuildSkinRegion 220x100 (round corners)");
  TBitmap window;
  skin.Compose(window, 220, 100, false);
  HRGN region = skin.Region(220, 100);
  ASSERT_TRUE(region);
  OffsetRgn(region, 400, 134);
  SelectClipRgn(dc, region);
  put(400, 134, window);
  SelectClipRgn(dc, HRGN());
  DeleteObject(region);
  EXPECT_EQ(PixelAt(sheet, 400, 134), Rgb(200, 200, 200));  // the corner is cut away
  EXPECT_EQ(PixelAt(sheet, 401, 150), Rgb(30, 40, 90));     // the left border inside

  // Every morph at three steps, normal and active looks first.
  label(10, 244, "Morphs at kf 0.25, 0.5, 0.75 (normal, active at left)");
  const TbsEffectBmp normal = Button(false), active = Button(true);
  normal.DrawToDevice(dc, 10, 262);
  active.DrawToDevice(dc, 10, 292);
  const char* names[] = {"blend", "gradient", "left gradient", "right gradient", "left slide", "right slide", "push"};
  for (int kind = 0; kind < 7; ++kind) {
    const int col = 100 + (kind % 4) * 160, row = 262 + (kind / 4) * 110;
    label(col, row - 2, names[kind]);
    for (int i = 0; i < 3; ++i) {
      TbsEffectBmp step = normal;
      step.Morph(kind, active, 0.25 * (i + 1));
      step.DrawToDevice(dc, col, row + 12 + i * 28);
      // Part way, a morph shows neither look alone.
      EXPECT_NE(Bytes(step), Bytes(normal)) << names[kind] << " " << i;
      EXPECT_NE(Bytes(step), Bytes(active)) << names[kind] << " " << i;
    }
  }

  // Every inactive effect on the composed window.
  label(10, 484, "Inactive effects: brightness, darkness, grayscale, noise, split blur, invert");
  TBitmap small;
  skin.Compose(small, 110, 60, false);
  const TbsEffectBmp original(small.Handle());
  std::vector<std::vector<uint8_t>> looks;
  for (int effect = 0; effect < 6; ++effect) {
    TbsEffectBmp image(small.Handle());
    image.ApplyInactiveEffect(effect);
    image.DrawToDevice(dc, 10 + effect * 122, 502);
    looks.push_back(Bytes(image));
  }
  // Each effect changes the window, and no two look alike.
  for (int a = 0; a < 6; ++a) {
    EXPECT_NE(looks[std::size_t(a)], Bytes(original)) << a;
    for (int b = a + 1; b < 6; ++b) EXPECT_NE(looks[std::size_t(a)], looks[std::size_t(b)]) << a << " " << b;
  }

  const char* folder = std::getenv("KORA_ARTIFACTS");
  if (!folder || !*folder) return;
  std::filesystem::create_directories(folder);
  const std::string path = (std::filesystem::path(folder) / "skin-draw-sheet.png").string();
  SavePngFile(path, sheet.Handle());
  EXPECT_GT(std::filesystem::file_size(path), 1000u);
}

}  // namespace
}  // namespace kora
