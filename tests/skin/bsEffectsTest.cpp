#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "framework/SysUtils.h"
#include "skin/data/bsEffects.h"

namespace kora {
namespace {

TbsEffectBmp Filled(int w, int h, TbsBGR c) {
    TbsEffectBmp bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) bmp.SetPixel(x, y, c);
    return bmp;
}

TbsBGR Grey(uint8_t v) { return {v, v, v}; }

// Each pixel tells where it came from: blue = x, green = y, red = tag.
TbsEffectBmp Coded(int w, int h, uint8_t tag) {
    TbsEffectBmp bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) bmp.SetPixel(x, y, {uint8_t(x), uint8_t(y), tag});
    return bmp;
}

constexpr uint8_t kNormal = 1, kActive = 2;

TEST(bsEffectsTest, LayoutPadsRowsToFourBytesAndRunsTopDown) {
    TbsEffectBmp bmp(5, 3);
    EXPECT_EQ(bmp.RowBytes(), 16u);
    EXPECT_EQ(bmp.Size(), 48u);
    EXPECT_EQ(bmp.Info().bmiHeader.biHeight, -3);
    EXPECT_EQ(bmp.Info().bmiHeader.biBitCount, 24);
    bmp.SetPixel(4, 2, {1, 2, 3});
    const uint8_t* p = bmp.Bits() + 2 * 16 + 12;
    EXPECT_EQ(p[0], 1);
    EXPECT_EQ(p[2], 3);
    TbsEffectBmp empty(-4, 7);
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.Size(), 0u);
}

TEST(bsEffectsTest, CopiesAPlatformBitmapAndDrawsItBack) {
    const uint32_t pixels[] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00102030, 0x00405060, 0x00708090};
    HBITMAP source = CreateBitmap(3, 2, 1, 32, pixels);
    TbsEffectBmp bmp(source);
    EXPECT_EQ(bmp.GetPixel(0, 0), (TbsBGR{0, 0, 255}));
    EXPECT_EQ(bmp.GetPixel(2, 1), (TbsBGR{0x90, 0x80, 0x70}));

    bmp.InvertColours();
    HDC dc = CreateCompatibleDC(HDC());
    HBITMAP target = CreateCompatibleBitmap(dc, 5, 4);
    HGDIOBJ old = SelectObject(dc, target);
    bmp.DrawToDevice(dc, 1, 2);
    EXPECT_EQ(GetPixel(dc, 1, 2), RGB(0, 255, 255));
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(0x8F, 0x7F, 0x6F));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    DeleteObject(source);

    EXPECT_THROW(TbsEffectBmp{HBITMAP()}, Exception);
}

TEST(bsEffectsTest, BlendRoundsHalvesToEvenAndClampsTheFactor) {
    TbsEffectBmp s = Filled(4, 2, Grey(0));
    s.BlendMorph(Filled(4, 2, Grey(255)), 0.5);
    EXPECT_EQ(s.GetPixel(3, 1), Grey(128));

    TbsEffectBmp odd = Filled(1, 1, Grey(1));
    odd.BlendMorph(Filled(1, 1, Grey(2)), 0.5);  // 1.5 goes to 2
    EXPECT_EQ(odd.GetPixel(0, 0), Grey(2));
    odd.BlendMorph(Filled(1, 1, Grey(3)), 0.5);  // 2.5 goes to 2
    EXPECT_EQ(odd.GetPixel(0, 0), Grey(2));

    TbsEffectBmp over = Filled(2, 2, Grey(10));
    over.BlendMorph(Filled(2, 2, Grey(200)), 7.0);
    EXPECT_EQ(over.GetPixel(0, 0), Grey(200));
    over.BlendMorph(Filled(2, 2, Grey(0)), std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(over.GetPixel(0, 0), Grey(200));
    over.BlendMorph(Filled(3, 2, Grey(0)), 1.0);  // other size: nothing
    EXPECT_EQ(over.GetPixel(0, 0), Grey(200));
}

TEST(bsEffectsTest, CentreGradientShowsTheActiveBandAndFadesOutward) {
    TbsEffectBmp h = Filled(10, 2, Grey(0));
    h.MorphGradientH(Filled(10, 2, Grey(255)), 0.4);  // b 4, c 3, d 2: band 3..7
    for (int x = 3; x <= 7; ++x) EXPECT_EQ(h.GetPixel(x, 1), Grey(255)) << x;
    EXPECT_EQ(h.GetPixel(2, 0), Grey(170));  // t = 1/3
    EXPECT_EQ(h.GetPixel(1, 0), Grey(85));
    EXPECT_EQ(h.GetPixel(0, 0), Grey(0));
    EXPECT_EQ(h.GetPixel(8, 0), Grey(170));
    EXPECT_EQ(h.GetPixel(9, 0), Grey(85));

    TbsEffectBmp v = Filled(2, 10, Grey(0));
    v.MorphGradientV(Filled(2, 10, Grey(255)), 0.4);  // c 2, one less than across
    for (int y = 3; y <= 7; ++y) EXPECT_EQ(v.GetPixel(0, y), Grey(255)) << y;
    EXPECT_EQ(v.GetPixel(0, 2), Grey(128));  // t = 1/2
    EXPECT_EQ(v.GetPixel(0, 1), Grey(0));
    EXPECT_EQ(v.GetPixel(0, 8), Grey(128));
    EXPECT_EQ(v.GetPixel(0, 9), Grey(0));

    // A full band leaves c = 0 vertically: the outer rows stay active.
    TbsEffectBmp full = Filled(1, 4, Grey(0));
    full.MorphGradientV(Filled(1, 4, Grey(255)), 1.0);
    for (int y = 0; y < 4; ++y) EXPECT_EQ(full.GetPixel(0, y), Grey(255));

    // Taller than wide picks the vertical gradient.
    TbsEffectBmp tall = Filled(2, 10, Grey(0));
    tall.MorphGradient(Filled(2, 10, Grey(255)), 0.4);
    EXPECT_EQ(tall.GetPixel(0, 2), Grey(128));
}

TEST(bsEffectsTest, EdgeGradientsGrowFromTheirEdge) {
    TbsEffectBmp left = Filled(10, 1, Grey(0));
    left.MorphGradientFromLeft(Filled(10, 1, Grey(200)), 0.4);  // a = 4
    EXPECT_EQ(left.GetPixel(0, 0), Grey(200));
    EXPECT_EQ(left.GetPixel(1, 0), Grey(150));
    EXPECT_EQ(left.GetPixel(2, 0), Grey(100));
    EXPECT_EQ(left.GetPixel(4, 0), Grey(0));
    EXPECT_EQ(left.GetPixel(9, 0), Grey(0));

    TbsEffectBmp right = Filled(10, 1, Grey(0));
    right.MorphGradientFromRight(Filled(10, 1, Grey(200)), 0.4);  // a = 6, step 1/4
    EXPECT_EQ(right.GetPixel(9, 0), Grey(200));
    EXPECT_EQ(right.GetPixel(8, 0), Grey(150));
    EXPECT_EQ(right.GetPixel(6, 0), Grey(50));
    EXPECT_EQ(right.GetPixel(5, 0), Grey(0));

    // kf 0 still shows A in the edge column.
    TbsEffectBmp start = Filled(10, 1, Grey(0));
    start.MorphGradientFromLeft(Filled(10, 1, Grey(200)), 0);
    EXPECT_EQ(start.GetPixel(0, 0), Grey(200));
    EXPECT_EQ(start.GetPixel(1, 0), Grey(0));
}

TEST(bsEffectsTest, SlidesAndPushMoveWholeColumns) {
    const TbsEffectBmp active = Coded(8, 2, kActive);

    TbsEffectBmp fromLeft = Coded(8, 2, kNormal);
    fromLeft.MorphSlideFromLeft(active, 0);  // b at least 1
    EXPECT_EQ(fromLeft.GetPixel(0, 1), (TbsBGR{7, 1, kActive}));
    EXPECT_EQ(fromLeft.GetPixel(1, 1), (TbsBGR{1, 1, kNormal}));
    fromLeft.MorphSlideFromLeft(active, 0.5);
    EXPECT_EQ(fromLeft.GetPixel(0, 0), (TbsBGR{4, 0, kActive}));
    EXPECT_EQ(fromLeft.GetPixel(3, 0), (TbsBGR{7, 0, kActive}));
    EXPECT_EQ(fromLeft.GetPixel(4, 0), (TbsBGR{4, 0, kNormal}));

    TbsEffectBmp fromRight = Coded(8, 2, kNormal);
    fromRight.MorphSlideFromRight(active, 1.0);  // b at most W - 1
    EXPECT_EQ(fromRight.GetPixel(0, 0), (TbsBGR{0, 0, kNormal}));
    EXPECT_EQ(fromRight.GetPixel(1, 0), (TbsBGR{0, 0, kActive}));
    EXPECT_EQ(fromRight.GetPixel(7, 0), (TbsBGR{6, 0, kActive}));

    TbsEffectBmp push = Coded(8, 2, kNormal);
    push.MorphPushAside(active, 0);  // already moved by one column
    EXPECT_EQ(push.GetPixel(0, 0), (TbsBGR{7, 0, kActive}));
    EXPECT_EQ(push.GetPixel(1, 0), (TbsBGR{0, 0, kNormal}));
    EXPECT_EQ(push.GetPixel(7, 0), (TbsBGR{6, 0, kNormal}));
    TbsEffectBmp push2 = Coded(8, 2, kNormal);
    push2.MorphPushAside(active, 0.25);  // a = 2
    EXPECT_EQ(push2.GetPixel(0, 1), (TbsBGR{5, 1, kActive}));
    EXPECT_EQ(push2.GetPixel(2, 1), (TbsBGR{7, 1, kActive}));
    EXPECT_EQ(push2.GetPixel(3, 1), (TbsBGR{0, 1, kNormal}));
}

TEST(bsEffectsTest, MorphKindsSelectTheirOperation) {
    const TbsEffectBmp active = Coded(10, 4, kActive);
    for (int kind = -1; kind <= 7; ++kind) {
        TbsEffectBmp viaKind = Coded(10, 4, kNormal), direct = Coded(10, 4, kNormal);
        viaKind.Morph(kind, active, 0.3);
        switch (kind) {
        case bsMorphGradient: direct.MorphGradient(active, 0.3); break;
        case bsMorphLeftGradient: direct.MorphGradientFromLeft(active, 0.3); break;
        case bsMorphRightGradient: direct.MorphGradientFromRight(active, 0.3); break;
        case bsMorphLeftSlide: direct.MorphSlideFromLeft(active, 0.3); break;
        case bsMorphRightSlide: direct.MorphSlideFromRight(active, 0.3); break;
        case bsMorphPush: direct.MorphPushAside(active, 0.3); break;
        default: direct.BlendMorph(active, 0.3); break;
        }
        EXPECT_EQ(std::vector<uint8_t>(viaKind.Bits(), viaKind.Bits() + viaKind.Size()),
                  std::vector<uint8_t>(direct.Bits(), direct.Bits() + direct.Size()))
            << kind;
    }
}

TEST(bsEffectsTest, ColourEffectsFollowTheirRoundingRules) {
    TbsEffectBmp bright = Filled(2, 1, Grey(0));
    bright.SetPixel(1, 0, Grey(255));
    bright.Brighten(0.5);
    EXPECT_EQ(bright.GetPixel(0, 0), Grey(128));
    EXPECT_EQ(bright.GetPixel(1, 0), Grey(255));

    TbsEffectBmp dark = Filled(2, 1, Grey(100));
    dark.SetPixel(1, 0, Grey(0));
    dark.Darken(0.3);
    EXPECT_EQ(dark.GetPixel(0, 0), Grey(70));
    EXPECT_EQ(dark.GetPixel(1, 0), Grey(0));
    dark.Darken(-2);  // clamped to 0: no change
    EXPECT_EQ(dark.GetPixel(0, 0), Grey(70));

    TbsEffectBmp red = Filled(1, 1, {0, 0, 255});
    red.ToGrayscale();
    EXPECT_EQ(red.GetPixel(0, 0), Grey(76));

    TbsEffectBmp coded = Coded(7, 3, 99), inverted = Coded(7, 3, 99);
    inverted.InvertColours();
    EXPECT_EQ(inverted.GetPixel(2, 1), (TbsBGR{253, 254, 156}));
    inverted.InvertColours();
    EXPECT_EQ(std::vector<uint8_t>(inverted.Bits(), inverted.Bits() + inverted.Size()),
              std::vector<uint8_t>(coded.Bits(), coded.Bits() + coded.Size()));
}

TEST(bsEffectsTest, NoiseShiftsAllChannelsOfAPixelAlike) {
    TbsEffectBmp bmp = Filled(100, 100, {100, 128, 156});
    bmp.AddRandomNoise(50);
    int lowest = 99, highest = -99;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const TbsBGR p = bmp.GetPixel(x, y);
            const int r = p.G - 128;
            ASSERT_EQ(p.B - 100, r);
            ASSERT_EQ(p.R - 156, r);
            lowest = std::min(lowest, r);
            highest = std::max(highest, r);
        }
    EXPECT_EQ(lowest, -25);
    EXPECT_EQ(highest, 24);

    TbsEffectBmp edge = Filled(50, 50, {0, 0, 255});
    edge.AddRandomNoise(50);
    for (int x = 0; x < 50; ++x) EXPECT_LE(edge.GetPixel(x, 7).B, 24);
}

TEST(bsEffectsTest, SplitBlurAveragesFourSamplesInPlace) {
    // One bright pixel at (1, 1) of a 3 x 10 image; amount 1.
    TbsEffectBmp bmp = Filled(3, 10, Grey(0));
    bmp.SetPixel(1, 1, Grey(200));
    TbsEffectBmp blurred = bmp;
    blurred.SplitBlurPass(1);
    EXPECT_EQ(blurred.GetPixel(0, 0), Grey(50));   // (0,0) (0,1) (1,0) (1,1)
    EXPECT_EQ(blurred.GetPixel(1, 0), Grey(12));   // reads the updated (0, 0)
    EXPECT_EQ(blurred.GetPixel(2, 0), Grey(106));  // x2 wraps to W - x = 1
    EXPECT_EQ(blurred.GetPixel(1, 1), Grey(39));

    // The last row averages with row 1 (H - y = 1), not with itself.
    TbsEffectBmp rows = Filled(1, 10, Grey(0));
    rows.SetPixel(0, 1, Grey(200));
    TbsEffectBmp copy = rows;
    copy.SplitBlurPass(1);
    const int row1 = copy.GetPixel(0, 1).G, row8 = copy.GetPixel(0, 8).G;
    EXPECT_EQ(copy.GetPixel(0, 9).G, (row8 + row1 + row8 + row1) / 4);
    EXPECT_GT(copy.GetPixel(0, 9).G, 0);

    TbsEffectBmp untouched = bmp;
    untouched.SplitBlurPass(0);
    untouched.SplitBlurPass(-3);
    EXPECT_EQ(untouched.GetPixel(1, 1), Grey(200));
}

TEST(bsEffectsTest, InactiveEffectsUseTheirFixedAmounts) {
    auto apply = [](int effect, TbsBGR c) {
        TbsEffectBmp bmp = Filled(2, 2, c);
        bmp.ApplyInactiveEffect(effect);
        return bmp.GetPixel(0, 0);
    };
    EXPECT_EQ(apply(bsEffectBrightness, Grey(0)), Grey(128));
    EXPECT_EQ(apply(bsEffectDarkness, Grey(100)), Grey(70));
    EXPECT_EQ(apply(bsEffectGrayscale, {0, 0, 255}), Grey(76));
    EXPECT_EQ(apply(bsEffectInvert, Grey(55)), Grey(200));
    EXPECT_EQ(apply(bsEffectSplitBlur, Grey(40)), Grey(40));
    const TbsBGR noisy = apply(bsEffectNoise, Grey(100));
    EXPECT_TRUE(noisy.B == noisy.G && noisy.G >= 75 && noisy.G <= 124);
    EXPECT_EQ(apply(42, {0, 0, 255}), Grey(76));  // unknown: grey
}

TEST(bsEffectsTest, RotationsAndFlipMapEveryPixel) {
    const TbsEffectBmp src = Coded(3, 2, 7);  // W 3, H 2
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
    // Top-left goes to the bottom-left when turning left.
    EXPECT_EQ(left.GetPixel(0, 2), (TbsBGR{0, 0, 7}));

    TbsEffectBmp self = Coded(3, 2, 7);
    self.RotateLeft90(self);
    EXPECT_EQ(self.Width(), 2);
    EXPECT_EQ(self.GetPixel(0, 2), (TbsBGR{0, 0, 7}));
}

}  // namespace
}  // namespace kora
