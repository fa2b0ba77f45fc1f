#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "framework/core/SysUtils.h"
#include "skin/data/bsEffects.h"

namespace kora {
namespace {

TbsBGR Grey(uint8_t v) { return {v, v, v}; }

TbsEffectBmp Filled(int w, int h, TbsBGR c) {
  TbsEffectBmp bmp(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bmp.SetPixel(x, y, c);
  return bmp;
}

// Each pixel tells where it came from: blue = x, green = y, red = tag.
TbsEffectBmp Coded(int w, int h, uint8_t tag) {
  TbsEffectBmp bmp(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bmp.SetPixel(x, y, {uint8_t(x), uint8_t(y), tag});
  return bmp;
}

std::vector<uint8_t> BytesOf(const TbsEffectBmp& bmp) { return {bmp.Bits(), bmp.Bits() + bmp.Size()}; }

// The grey levels of row 0 after a morph from black to grey 200.
std::vector<int> Row0(void (TbsEffectBmp::*morph)(const TbsEffectBmp&, double), int w, double kf) {
  TbsEffectBmp s = Filled(w, 1, Grey(0));
  (s.*morph)(Filled(w, 1, Grey(200)), kf);
  std::vector<int> out;
  for (int x = 0; x < w; ++x) out.push_back(s.GetPixel(x, 0).G);
  return out;
}

TEST(bsEffectsTest, RowsArePaddedTopDownAndPlatformBitmapsRoundTrip) {
  TbsEffectBmp bmp(5, 3);
  bmp.SetPixel(4, 2, {1, 2, 3});
  EXPECT_EQ(bmp.Bits()[2 * 16 + 12 + 2], 3);  // rows of 16 bytes, blue first

  const uint32_t pixels[] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00102030};
  HBITMAP source = CreateBitmap(2, 2, 1, 32, pixels);
  TbsEffectBmp copy(source);
  EXPECT_EQ(copy.GetPixel(0, 0), (TbsBGR{0, 0, 255}));
  HDC dc = CreateCompatibleDC(HDC());
  HGDIOBJ old = SelectObject(dc, source);
  copy.InvertColours();
  copy.DrawToDevice(dc, 0, 0);
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0xEF, 0xDF, 0xCF));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(source);
  EXPECT_THROW(TbsEffectBmp{HBITMAP()}, Exception);
}

TEST(bsEffectsTest, BlendRoundsHalvesToEvenAndClampsTheFactor) {
  TbsEffectBmp s = Filled(2, 2, Grey(0));
  s.BlendMorph(Filled(2, 2, Grey(255)), 0.5);  // 127.5 -> 128
  EXPECT_EQ(s.GetPixel(1, 1), Grey(128));
  TbsEffectBmp odd = Filled(1, 1, Grey(2));
  odd.BlendMorph(Filled(1, 1, Grey(3)), 0.5);  // 2.5 -> 2
  EXPECT_EQ(odd.GetPixel(0, 0), Grey(2));
  odd.BlendMorph(Filled(1, 1, Grey(9)), 7.0);
  EXPECT_EQ(odd.GetPixel(0, 0), Grey(9));
  odd.BlendMorph(Filled(1, 1, Grey(0)), std::numeric_limits<double>::quiet_NaN());
  odd.BlendMorph(Filled(2, 1, Grey(0)), 1.0);  // another size: nothing
  EXPECT_EQ(odd.GetPixel(0, 0), Grey(9));
}

TEST(bsEffectsTest, GradientsShowTheActiveBandAndFadeOut) {
  using V = std::vector<int>;
  // W 10, kf 0.4: b 4, c 3, d 2, columns 3..7 active.
  EXPECT_EQ(Row0(&TbsEffectBmp::MorphGradientH, 10, 0.4), (V{0, 67, 133, 200, 200, 200, 200, 200, 133, 67}));
  // Vertically c is one less (2): rows 1 and 9 are back to normal.
  TbsEffectBmp v = Filled(1, 10, Grey(0));
  v.MorphGradientV(Filled(1, 10, Grey(200)), 0.4);
  V rows;
  for (int y = 0; y < 10; ++y) rows.push_back(v.GetPixel(0, y).G);
  EXPECT_EQ(rows, (V{0, 0, 100, 200, 200, 200, 200, 200, 100, 0}));
  // A tall image takes the vertical one.
  TbsEffectBmp tall = Filled(1, 10, Grey(0));
  tall.MorphGradient(Filled(1, 10, Grey(200)), 0.4);
  EXPECT_EQ(BytesOf(tall), BytesOf(v));

  EXPECT_EQ(Row0(&TbsEffectBmp::MorphGradientFromLeft, 8, 0.5), (V{200, 150, 100, 50, 0, 0, 0, 0}));
  EXPECT_EQ(Row0(&TbsEffectBmp::MorphGradientFromLeft, 8, 0), (V{200, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Row0(&TbsEffectBmp::MorphGradientFromRight, 8, 0.5), (V{0, 0, 0, 0, 50, 100, 150, 200}));
}

TEST(bsEffectsTest, SlidesAndPushMoveWholeColumns) {
  const TbsEffectBmp active = Coded(8, 2, 2);
  auto columns = [&](void (TbsEffectBmp::*morph)(const TbsEffectBmp&, double), double kf) {
    TbsEffectBmp s = Coded(8, 2, 1);
    (s.*morph)(active, kf);
    std::string out;  // e.g. "a7" = active column 7, "n0" = normal column 0
    for (int x = 0; x < 8; ++x) {
      const TbsBGR p = s.GetPixel(x, 1);
      out += (p.R == 2 ? 'a' : 'n');
      out += char('0' + p.B);
    }
    return out;
  };
  EXPECT_EQ(columns(&TbsEffectBmp::MorphSlideFromLeft, 0), "a7n1n2n3n4n5n6n7");
  EXPECT_EQ(columns(&TbsEffectBmp::MorphSlideFromLeft, 0.5), "a4a5a6a7n4n5n6n7");
  EXPECT_EQ(columns(&TbsEffectBmp::MorphSlideFromRight, 1.0), "n0a0a1a2a3a4a5a6");
  EXPECT_EQ(columns(&TbsEffectBmp::MorphPushAside, 0), "a7n0n1n2n3n4n5n6");
  EXPECT_EQ(columns(&TbsEffectBmp::MorphPushAside, 0.25), "a5a6a7n0n1n2n3n4");
}

TEST(bsEffectsTest, MorphKindsAndInactiveEffectsSelectTheirOperation) {
  using Morph = void (TbsEffectBmp::*)(const TbsEffectBmp&, double);
  const Morph byKind[] = {&TbsEffectBmp::BlendMorph,
                          &TbsEffectBmp::MorphGradient,
                          &TbsEffectBmp::MorphGradientFromLeft,
                          &TbsEffectBmp::MorphGradientFromRight,
                          &TbsEffectBmp::MorphSlideFromLeft,
                          &TbsEffectBmp::MorphSlideFromRight,
                          &TbsEffectBmp::MorphPushAside,
                          &TbsEffectBmp::BlendMorph};
  const TbsEffectBmp active = Coded(10, 4, 2);
  for (int kind = 0; kind < 8; ++kind) {
    TbsEffectBmp viaKind = Coded(10, 4, 1), direct = Coded(10, 4, 1);
    viaKind.Morph(kind, active, 0.3);
    (direct.*byKind[kind])(active, 0.3);
    EXPECT_EQ(BytesOf(viaKind), BytesOf(direct)) << kind;
  }

  auto effect = [](int e, TbsBGR c) {
    TbsEffectBmp bmp = Filled(3, 3, c);
    bmp.ApplyInactiveEffect(e);
    return bmp.GetPixel(1, 1);
  };
  EXPECT_EQ(effect(bsEffectBrightness, Grey(0)), Grey(128));  // 127.5 -> 128
  EXPECT_EQ(effect(bsEffectBrightness, Grey(255)), Grey(255));
  EXPECT_EQ(effect(bsEffectDarkness, Grey(100)), Grey(70));
  EXPECT_EQ(effect(bsEffectGrayscale, {0, 0, 255}), Grey(76));  // 76.5 -> 76
  EXPECT_EQ(effect(bsEffectInvert, {55, 0, 255}), (TbsBGR{200, 255, 0}));
  {
    // Split blur keeps the colours of a coloured picture (greyscale would not).
    TbsEffectBmp viaEffect = Coded(6, 5, 3), direct = Coded(6, 5, 3), grey = Coded(6, 5, 3);
    viaEffect.ApplyInactiveEffect(bsEffectSplitBlur);
    direct.SplitBlurPass(1);
    grey.ToGrayscale();
    EXPECT_EQ(BytesOf(viaEffect), BytesOf(direct));
    EXPECT_NE(BytesOf(viaEffect), BytesOf(grey));
  }
  EXPECT_EQ(effect(42, {0, 0, 255}), Grey(76));  // unknown: grey

  // Noise shifts the three channels of a pixel alike, by -25 .. 24.
  TbsEffectBmp noisy = Filled(100, 100, {100, 128, 156});
  noisy.ApplyInactiveEffect(bsEffectNoise);
  int lowest = 99, highest = -99;
  for (int i = 0; i < 10000; ++i) {
    const TbsBGR p = noisy.GetPixel(i % 100, i / 100);
    ASSERT_TRUE(p.B - 100 == p.G - 128 && p.R - 156 == p.G - 128);
    lowest = std::min(lowest, p.G - 128);
    highest = std::max(highest, p.G - 128);
  }
  EXPECT_EQ(lowest, -25);
  EXPECT_EQ(highest, 24);
}

TEST(bsEffectsTest, SplitBlurReadsUpdatedPixelsAndWrapsAtTheFarEdge) {
  TbsEffectBmp bmp = Filled(3, 10, Grey(0));
  bmp.SetPixel(1, 1, Grey(200));
  bmp.SplitBlurPass(1);
  EXPECT_EQ(bmp.GetPixel(0, 0), Grey(50));   // (0,0) (0,1) (1,0) (1,1)
  EXPECT_EQ(bmp.GetPixel(1, 0), Grey(12));   // reads the updated (0, 0)
  EXPECT_EQ(bmp.GetPixel(2, 0), Grey(106));  // x2 wraps to W - x = 1
  EXPECT_EQ(bmp.GetPixel(1, 1), Grey(39));

  // The last row averages with row 1 (H - y), which holds 50 by then.
  TbsEffectBmp rows = Filled(1, 10, Grey(0));
  rows.SetPixel(0, 1, Grey(200));
  rows.SplitBlurPass(1);
  EXPECT_EQ(rows.GetPixel(0, 1), Grey(50));
  EXPECT_EQ(rows.GetPixel(0, 9), Grey(25));
  rows.SplitBlurPass(-3);
  EXPECT_EQ(rows.GetPixel(0, 9), Grey(25));
}

TEST(bsEffectsTest, RotationsAndFlipMapEveryPixel) {
  const TbsEffectBmp src = Coded(3, 2, 7);
  TbsEffectBmp left(1, 1), right(1, 1), flipped(1, 1);
  src.RotateLeft90(left);
  src.RotateRight90(right);
  src.FlipRows(flipped);
  ASSERT_EQ(left.Width(), 2);
  ASSERT_EQ(left.Height(), 3);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(left.GetPixel(y, 2 - x), src.GetPixel(x, y));
      EXPECT_EQ(right.GetPixel(1 - y, x), src.GetPixel(x, y));
      EXPECT_EQ(flipped.GetPixel(x, 1 - y), src.GetPixel(x, y));
    }
  TbsEffectBmp self = Coded(3, 2, 7);
  self.RotateLeft90(self);
  EXPECT_EQ(BytesOf(self), BytesOf(left));
}

}  // namespace
}  // namespace kora
