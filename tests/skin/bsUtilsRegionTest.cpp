#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "framework/core/SysUtils.h"
#include "platform/gdi/Region.h"
#include "skin/bsUtilsTestSupport.h"
#include "skin/data/bsUtils.h"

namespace kora {
namespace {

using namespace test;

RGNDATAHEADER HeaderOf(const std::vector<uint8_t>& block) {
  RGNDATAHEADER header;
  std::memcpy(&header, block.data(), sizeof header);
  return header;
}

std::vector<RECT> RectsOf(const std::vector<uint8_t>& block) {
  std::vector<RECT> rects(HeaderOf(block).nCount);
  std::memcpy(rects.data(), block.data() + sizeof(RGNDATAHEADER), rects.size() * sizeof(RECT));
  return rects;
}

TEST(bsUtilsRegionTest, EachRunOfPureBlackBecomesOneRectangle) {
  TBitmap mask;
  mask.SetSize(4, 2);
  for (int x : {0, 2, 3}) SetPixelAt(mask, x, 0, 0);  // black, white, black, black
  SetPixelAt(mask, 0, 1, 0x010000);                   // near-black is outside
  SetPixelAt(mask, 1, 1, 0);
  const std::vector<uint8_t> block = MaskRunsToRegionData(&mask, 5, 7);
  ASSERT_EQ(block.size(), 32u + 3 * 16u);
  const RGNDATAHEADER header = HeaderOf(block);
  EXPECT_EQ(header.dwSize, 32u);
  EXPECT_EQ(header.iType, 1u);
  EXPECT_EQ(header.rcBound, (RECT{5, 7, 9, 9}));
  EXPECT_EQ(RectsOf(block), (std::vector<RECT>{{5, 7, 6, 8}, {7, 7, 9, 8}, {6, 8, 7, 9}}));

  TBitmap dot;
  dot.SetSize(1, 1);
  SetPixelAt(dot, 0, 0, 0);
  const std::vector<uint8_t> one = MaskRunsToRegionData(&dot, 3, 4);
  EXPECT_EQ(one.size(), 48u);
  EXPECT_EQ(RectsOf(one), std::vector<RECT>({{3, 4, 4, 5}}));

  TBitmap empty;
  EXPECT_TRUE(MaskRunsToRegionData(&empty, 0, 0).empty());
  EXPECT_FALSE(RegionFromMask(&empty));
}

TEST(bsUtilsRegionTest, MoreThanTenThousandRunsAreAllKept) {
  TBitmap mask;  // a checkerboard: 12,000 runs
  mask.SetSize(240, 100);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 240; ++x) SetPixelAt(mask, x, y, (x + y) % 2 ? kWhite : 0);
  HRGN region = RegionFromMask(&mask);
  EXPECT_TRUE(PtInRegion(region, 239, 99));
  EXPECT_FALSE(PtInRegion(region, 239, 98));
  DeleteObject(region);
}

TEST(bsUtilsRegionTest, RunsAreFoundInRowsOfAnyWidthWhateverTheFourthByte) {
  for (int w : {1, 2, 3, 5, 7, 33}) {
    TBitmap mask;
    mask.SetSize(w, 4);
    std::vector<RECT> want{{-2, 3, w - 2, 4}};  // all black
    for (int x = 0; x < w; ++x) {
      SetPixelAt(mask, x, 0, 0xFF000000);                            // black with a fourth byte
      SetPixelAt(mask, x, 1, x % 2 ? 0xFF000001 : 0x01000100);       // dark, never black
      SetPixelAt(mask, x, 2, x % 3 == 2 ? 0x80FFFFFF : 0x7F000000);  // two black, one white
      SetPixelAt(mask, x, 3, x == w - 1 ? 0 : 0x00000100);
    }
    for (int x = 0; x < w; x += 3) want.push_back({x - 2, 5, std::min(x + 2, w) - 2, 6});
    want.push_back({w - 3, 6, w - 2, 7});
    const std::vector<uint8_t> block = MaskRunsToRegionData(&mask, -2, 3);
    ASSERT_EQ(block.size(), 32 + 16 * want.size()) << w;
    EXPECT_EQ(HeaderOf(block).rcBound, (RECT{-2, 3, w - 2, 7}));
    EXPECT_EQ(RectsOf(block), want) << w;
  }
}

// A 20 x 16 mask whose corners are cut off by white pixels.
struct RoundedMask {
  RECT C{3, 4, 17, 12};
  POINT LT{6, 5}, RT{14, 5}, LB{6, 10}, RB{14, 10};
  TBitmap mask;

  RoundedMask() {
    mask.SetSize(20, 16);
    Fill(mask, 0);
    for (POINT p : std::vector<POINT>{{0, 0}, {1, 0}, {0, 1}, {19, 0}, {18, 0}, {19, 1}, {0, 15}, {19, 15}})
      SetPixelAt(mask, p.X, p.Y, kWhite);
  }
  HRGN Build(int W, int H) {
    const TbsSkinGeometry n = TbsSkinGeometry{LT, RT, LB, RB, C}.Moved({0, 0, 20, 16}, W, H);
    return BuildSkinRegion({LT, RT, LB, RB, C}, n, &mask, {W, H});
  }
};

TEST(bsUtilsRegionTest, SkinRegionCutsTheCornersAtAnySize) {
  RoundedMask m;
  HRGN region = m.Build(31, 25);
  ASSERT_TRUE(region);
  const std::vector<POINT> cut{{0, 0}, {1, 0}, {0, 1}, {30, 0}, {29, 0}, {30, 1}, {0, 24}, {30, 24}};
  for (int y = -1; y <= 25; ++y)
    for (int x = -1; x <= 31; ++x) {
      const bool inside =
          x >= 0 && x < 31 && y >= 0 && y < 25 && std::find(cut.begin(), cut.end(), POINT{x, y}) == cut.end();
      EXPECT_EQ(PtInRegion(region, x, y), inside) << x << ", " << y;
    }
  DeleteObject(region);

  EXPECT_FALSE(m.Build(10, 25));  // NewRT.X = 4 < NewLT.X = 6: the plain shape stays
  EXPECT_FALSE(m.Build(31, 10));  // NewLB.Y = 4 < NewLT.Y = 5
}

TEST(bsUtilsRegionTest, FBitmapRowsArePaddedBgrTriples) {
  TBitmap bmp;
  bmp.SetSize(5, 2);
  SetPixelAt(bmp, 4, 1, 0x112233);
  const TbsFBitmap f(bmp.Handle());
  EXPECT_EQ(f.Padding(), 1u);
  EXPECT_EQ(f.RowBytes(), 16);
  EXPECT_EQ(f.TotalBytes(), 32u);
  EXPECT_EQ(f.Row(1), f.Row(0) + 16);
  EXPECT_EQ(f.Row(1)[12], 0x33);
  EXPECT_EQ(f.Row(1)[14], 0x11);
  EXPECT_THROW(TbsFBitmap{HBITMAP()}, Exception);
}

}  // namespace
}  // namespace kora
