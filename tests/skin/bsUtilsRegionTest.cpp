#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "framework/SysUtils.h"
#include "platform/Region.h"
#include "skin/bsUtilsTestSupport.h"
#include "skin/data/bsUtils.h"

namespace kora {
namespace {

using namespace test;

std::vector<RECT> RectsOf(const std::vector<uint8_t>& block) {
    RGNDATAHEADER header;
    std::memcpy(&header, block.data(), sizeof header);
    std::vector<RECT> rects(header.nCount);
    std::memcpy(rects.data(), block.data() + sizeof header, rects.size() * sizeof(RECT));
    return rects;
}

TEST(bsUtilsRegionTest, BlackRunsBecomeOneRectangleEach) {
    TBitmap mask;
    mask.SetSize(4, 2);
    Fill(mask, kWhite);
    SetPixelAt(mask, 0, 0, 0);
    SetPixelAt(mask, 2, 0, 0);
    SetPixelAt(mask, 3, 0, 0);
    SetPixelAt(mask, 0, 1, 0x010000);  // near-black is outside
    SetPixelAt(mask, 1, 1, 0);

    const std::vector<uint8_t> block = MaskRunsToRegionData(&mask, 5, 7);
    ASSERT_EQ(block.size(), 32u + 3 * 16u);
    RGNDATAHEADER header;
    std::memcpy(&header, block.data(), sizeof header);
    EXPECT_EQ(header.dwSize, 32u);
    EXPECT_EQ(header.iType, 1u);
    EXPECT_EQ(header.nRgnSize, 0u);
    EXPECT_EQ(header.rcBound, (RECT{5, 7, 9, 9}));
    const std::vector<RECT> want{{5, 7, 6, 8}, {7, 7, 9, 8}, {6, 8, 7, 9}};
    EXPECT_EQ(RectsOf(block), want);

    TBitmap dot;
    dot.SetSize(1, 1);
    Fill(dot, 0);
    const std::vector<uint8_t> one = MaskRunsToRegionData(&dot, 3, 4);
    EXPECT_EQ(one.size(), 48u);
    EXPECT_EQ(RectsOf(one), std::vector<RECT>({{3, 4, 4, 5}}));

    TBitmap empty;
    EXPECT_TRUE(MaskRunsToRegionData(&empty, 0, 0).empty());
    EXPECT_FALSE(RegionFromMask(&empty));
}

TEST(bsUtilsRegionTest, ManyRunsAreAllKept) {
    // A checkerboard of 240 x 100 has 12,000 runs, more than the classic 10,001.
    TBitmap mask;
    mask.SetSize(240, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 240; ++x) SetPixelAt(mask, x, y, (x + y) % 2 ? kWhite : 0);
    HRGN region = RegionFromMask(&mask);
    ASSERT_TRUE(region);
    EXPECT_TRUE(PtInRegion(region, 238, 98));
    EXPECT_TRUE(PtInRegion(region, 239, 99));
    EXPECT_FALSE(PtInRegion(region, 239, 98));
    DeleteObject(region);
}

// A 20 x 16 mask whose corners are cut off by white pixels.
struct RoundedMask {
    RECT C{3, 4, 17, 12};
    POINT LT{6, 5}, RT{14, 5}, LB{6, 10}, RB{14, 10};
    TBitmap mask;

    RoundedMask() {
        mask.SetSize(20, 16);
        Fill(mask, 0);
        for (POINT p : {POINT{0, 0}, POINT{1, 0}, POINT{0, 1}, POINT{19, 0}, POINT{18, 0}, POINT{19, 1},
                        POINT{0, 15}, POINT{19, 15}})
            SetPixelAt(mask, p.X, p.Y, kWhite);
    }
    HRGN Build(int W, int H) {
        const TbsSkinGeometry n = TbsSkinGeometry{LT, RT, LB, RB, C}.Moved({0, 0, 20, 16}, W, H);
        return BuildSkinRegion(LT, RT, LB, RB, C, n.LT, n.RT, n.LB, n.RB, n.C, &mask, W, H);
    }
};

TEST(bsUtilsRegionTest, SkinRegionCutsTheCornersAtAnySize) {
    RoundedMask m;
    HRGN region = m.Build(31, 25);
    ASSERT_TRUE(region);
    const std::vector<POINT> outside{{0, 0}, {1, 0}, {0, 1}, {30, 0}, {29, 0}, {30, 1}, {0, 24}, {30, 24}};
    for (int y = -1; y <= 25; ++y)
        for (int x = -1; x <= 31; ++x) {
            const bool inWindow = x >= 0 && x < 31 && y >= 0 && y < 25;
            const bool cut = std::find(outside.begin(), outside.end(), POINT{x, y}) != outside.end();
            EXPECT_EQ(PtInRegion(region, x, y), inWindow && !cut) << x << ", " << y;
        }
    DeleteObject(region);

    // Bands come out of ComposeMaskBands at the documented sizes.
    TBitmap top, left, right, bottom;
    ComposeMaskBands(m.LT, m.RT, m.LB, m.RB, m.C, m.LT, {25, 5}, {6, 19}, {25, 19}, {3, 4, 28, 21}, &m.mask, &top,
                     &left, &right, &bottom, 31, 25);
    EXPECT_EQ(top.Width(), 31);
    EXPECT_EQ(top.Height(), 4);
    EXPECT_EQ(bottom.Height(), 4);
    EXPECT_EQ(left.Width(), 3);
    EXPECT_EQ(left.Height(), 17);
    EXPECT_EQ(right.Width(), 3);
    EXPECT_EQ(Ascii(top, {26, 0, 31, 2}), "###..\n####.\n");
}

TEST(bsUtilsRegionTest, TargetsSmallerThanTheMaskCornersKeepTheirPlainShape) {
    RoundedMask m;
    EXPECT_FALSE(m.Build(10, 25));  // NewRT.X = 4 < NewLT.X = 6
    EXPECT_FALSE(m.Build(31, 10));  // NewLB.Y = 4 < NewLT.Y = 5
    TBitmap none;
    HRGN plain = BuildSkinRegion(m.LT, m.RT, m.LB, m.RB, m.C, m.LT, m.RT, m.LB, m.RB, m.C, &none, 20, 16);
    ASSERT_TRUE(plain);  // no mask: only the client rectangle
    RECT box;
    GetRgnBox(plain, &box);
    EXPECT_EQ(box, m.C);
    DeleteObject(plain);
}

TEST(bsUtilsRegionTest, FBitmapRowsArePaddedBgrTriples) {
    TBitmap bmp;
    bmp.SetSize(5, 2);
    Fill(bmp, kWhite);
    SetPixelAt(bmp, 4, 1, 0x112233);
    const TbsFBitmap f(bmp.Handle());
    EXPECT_EQ(f.Padding(), 1u);
    EXPECT_EQ(f.RowBytes(), 16);
    EXPECT_EQ(f.TotalBytes(), 32u);
    EXPECT_EQ(f.Info().bmiHeader.biHeight, -2);
    const uint8_t* p = f.Row(1) + 12;
    EXPECT_EQ(p[0], 0x33);
    EXPECT_EQ(p[1], 0x22);
    EXPECT_EQ(p[2], 0x11);
    EXPECT_EQ(f.Row(1), f.Row(0) + 16);
    EXPECT_THROW(TbsFBitmap{HBITMAP()}, Exception);
}

}  // namespace
}  // namespace kora
