#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "platform/gdi/Region.h"

namespace kora {
namespace {

// A brute-force membership grid to check the banded algebra against.
std::vector<bool> Grid(const Region& r, int size = 24) {
  std::vector<bool> g(std::size_t(size * size));
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) g[std::size_t(y * size + x)] = r.Contains(x, y);
  return g;
}

// Banding invariants: sorted, bands share top/bottom, no touching spans,
// no mergeable neighbouring bands.
void ExpectCanonical(const Region& r) {
  const auto rects = r.Rects();
  for (std::size_t i = 0; i < rects.size(); ++i) {
    ASSERT_FALSE(rects[i].IsEmpty());
    if (i == 0) continue;
    const RECT& a = rects[i - 1];
    const RECT& b = rects[i];
    if (a.Top == b.Top) {
      EXPECT_EQ(a.Bottom, b.Bottom);
      EXPECT_LT(a.Right, b.Left) << "touching spans in one band";
    } else {
      EXPECT_GE(b.Top, a.Bottom);
    }
  }
}

TEST(RegionTest, CombineModesAgreeWithPixelSets) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(0, 20);
  for (int round = 0; round < 200; ++round) {
    std::vector<RECT> ra, rb;
    for (int i = 0; i < 4; ++i) {
      ra.push_back(RECT{coord(rng), coord(rng), coord(rng), coord(rng)}.Normalized());
      rb.push_back(RECT{coord(rng), coord(rng), coord(rng), coord(rng)}.Normalized());
    }
    const Region a = Region::FromRects(ra), b = Region::FromRects(rb);
    const auto ga = Grid(a), gb = Grid(b);
    for (int mode : {RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF}) {
      const Region c = a.Combine(b, mode);
      ExpectCanonical(c);
      const auto gc = Grid(c);
      for (std::size_t i = 0; i < gc.size(); ++i) {
        const bool want = mode == RGN_AND   ? ga[i] && gb[i]
                          : mode == RGN_OR  ? ga[i] || gb[i]
                          : mode == RGN_XOR ? ga[i] != gb[i]
                                            : ga[i] && !gb[i];
        ASSERT_EQ(gc[i], want) << "mode " << mode << " round " << round << " pixel " << i;
      }
    }
  }
}

TEST(RegionTest, EqualityIsStructuralWhateverTheConstructionOrder) {
  // An L shape built three ways.
  const Region a = Region::FromRects(std::vector<RECT>{{0, 0, 10, 5}, {0, 5, 4, 10}});
  const Region b = Region::FromRects(std::vector<RECT>{{0, 0, 4, 10}, {4, 0, 10, 5}});
  Region c = Region(RECT{0, 0, 10, 10}).Subtract(Region(RECT{4, 5, 10, 10}));
  EXPECT_EQ(a, b);
  EXPECT_EQ(a, c);
  EXPECT_EQ(a.Rects().size(), 2u);
  // Rows with identical spans merge into one rectangle.
  std::vector<RECT> rows;
  for (int y = 0; y < 8; ++y) rows.push_back({2, y, 6, y + 1});
  EXPECT_EQ(Region::FromRects(rows), Region(RECT{2, 0, 6, 8}));
  EXPECT_EQ(Region::FromRects(rows).Type(), SIMPLEREGION);
}

TEST(RegionTest, EmptyResultsAndTypes) {
  const Region a(RECT{0, 0, 10, 10});
  EXPECT_EQ(a.Subtract(a).Type(), NULLREGION);
  EXPECT_EQ(a.Intersect(Region(RECT{10, 0, 20, 10})).Type(), NULLREGION);
  EXPECT_EQ(a.Xor(a).Type(), NULLREGION);
  EXPECT_EQ(a.Union(Region()).Type(), SIMPLEREGION);
  EXPECT_EQ(a.Subtract(Region(RECT{2, 2, 4, 4})).Type(), COMPLEXREGION);
  EXPECT_EQ(a.Subtract(a).Bounds(), RECT{});
  EXPECT_TRUE(Region(RECT{5, 5, 5, 9}).IsEmpty());
}

TEST(RegionTest, PointsRectsOffsetAndBounds) {
  Region r = Region::FromRects(std::vector<RECT>{{0, 0, 4, 4}, {10, 10, 12, 12}});
  EXPECT_EQ(r.Bounds(), (RECT{0, 0, 12, 12}));
  EXPECT_TRUE(r.Contains(3, 3));
  EXPECT_FALSE(r.Contains(4, 3));  // right edge excluded
  EXPECT_FALSE(r.Contains(6, 6));
  EXPECT_TRUE(r.Intersects({3, 3, 11, 11}));
  EXPECT_FALSE(r.Intersects({4, 4, 10, 10}));  // the gap between them
  r.Offset(5, -2);
  EXPECT_EQ(r.Bounds(), (RECT{5, -2, 17, 10}));
  EXPECT_TRUE(r.Contains(5, -2));
  EXPECT_TRUE(r.Contains(16, 9));
}

TEST(RegionTest, HandleCallsFollowTheClassicContract) {
  HRGN a = CreateRectRgn(0, 0, 10, 10);
  HRGN b = CreateRectRgn(5, 5, 15, 15);
  HRGN d = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), COMPLEXREGION);
  EXPECT_EQ(CombineRgn(d, a, b, RGN_AND), SIMPLEREGION);
  RECT box;
  EXPECT_EQ(GetRgnBox(d, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{5, 5, 10, 10}));
  EXPECT_EQ(CombineRgn(d, a, a, RGN_DIFF), NULLREGION);
  EXPECT_EQ(CombineRgn(d, a, HRGN(), RGN_COPY), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(d, a));
  EXPECT_EQ(CombineRgn(d, a, HRGN(), RGN_OR), ERROR);  // a second operand is required
  EXPECT_EQ(OffsetRgn(d, 3, 4), SIMPLEREGION);
  EXPECT_TRUE(PtInRegion(d, 12, 13));
  const RECT probe{0, 0, 3, 4};
  EXPECT_FALSE(RectInRegion(d, &probe));
  EXPECT_TRUE(SetRectRgn(d, 1, 1, 2, 2));
  EXPECT_TRUE(PtInRegion(d, 1, 1));

  // Deleted handles fail cleanly.
  EXPECT_TRUE(DeleteObject(b));
  EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), ERROR);
  EXPECT_FALSE(PtInRegion(b, 6, 6));
  EXPECT_EQ(OffsetRgn(b, 1, 1), ERROR);
  EXPECT_FALSE(DeleteObject(b));
  DeleteObject(a);
  DeleteObject(d);
}

std::vector<uint8_t> Block(std::vector<RECT> rects, uint32_t size = 32, uint32_t type = 1) {
  std::vector<uint8_t> out(32 + 16 * rects.size());
  const uint32_t header[4] = {size, type, uint32_t(rects.size()), 0};
  std::memcpy(out.data(), header, 16);
  if (!rects.empty()) std::memcpy(out.data() + 32, rects.data(), 16 * rects.size());
  return out;
}

TEST(RegionTest, RectangleListBlocksInAndOut) {
  // Runs of a mask row "black white black black" at y = 3.
  auto data = Block({{0, 3, 1, 4}, {2, 3, 4, 4}});
  HRGN r = ExtCreateRegion(nullptr, uint32_t(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
  ASSERT_TRUE(r);
  EXPECT_TRUE(PtInRegion(r, 0, 3));
  EXPECT_FALSE(PtInRegion(r, 1, 3));
  EXPECT_TRUE(PtInRegion(r, 3, 3));

  const uint32_t need = GetRegionData(r, 0, nullptr);
  EXPECT_EQ(need, 32u + 2 * 16u);
  std::vector<uint8_t> back(need);
  EXPECT_EQ(GetRegionData(r, need - 1, reinterpret_cast<RGNDATA*>(back.data())), 0u);
  EXPECT_EQ(GetRegionData(r, need, reinterpret_cast<RGNDATA*>(back.data())), need);
  HRGN again = ExtCreateRegion(nullptr, need, reinterpret_cast<const RGNDATA*>(back.data()));
  EXPECT_TRUE(EqualRgn(r, again));
  DeleteObject(r);
  DeleteObject(again);

  // A 1 x 1 run is a 48-byte block.
  auto one = Block({{7, 8, 8, 9}});
  EXPECT_EQ(one.size(), 48u);
  HRGN dot = ExtCreateRegion(nullptr, 48, reinterpret_cast<const RGNDATA*>(one.data()));
  RECT box;
  EXPECT_EQ(GetRgnBox(dot, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{7, 8, 8, 9}));
  DeleteObject(dot);
}

TEST(RegionTest, MalformedRectangleListsAreRejected) {
  const auto check = [](const std::vector<uint8_t>& d, uint32_t count) {
    return !ExtCreateRegion(nullptr, count, reinterpret_cast<const RGNDATA*>(d.data()));
  };
  const auto good = Block({{0, 0, 2, 2}});
  EXPECT_TRUE(check(Block({{0, 0, 2, 2}}, 40), 48)) << "wrong header size";
  EXPECT_TRUE(check(Block({{0, 0, 2, 2}}, 32, 2), 48)) << "wrong type";
  EXPECT_TRUE(check(good, 47)) << "count claims more than the block";
  EXPECT_TRUE(check(good, 20)) << "shorter than a header";
  EXPECT_TRUE(check(Block({{5, 0, 2, 2}}), 48)) << "inverted rectangle";
  auto huge = good;
  const uint32_t many = 0x10000000;
  std::memcpy(huge.data() + 8, &many, 4);
  EXPECT_TRUE(check(huge, 48)) << "absurd count";
  EXPECT_TRUE(ExtCreateRegion(nullptr, 48, nullptr) == HRGN());
}

TEST(RegionTest, ManyRunsUniteQuickly) {
  // A 560 x 460 mask-like pattern: several runs on every row.
  std::vector<RECT> runs;
  for (int y = 0; y < 460; ++y)
    for (int k = 0; k < 11; ++k) runs.push_back({k * 50 + (y % 7), y, k * 50 + 30 + (y % 5), y + 1});
  const Region banded = Region::FromRects(runs);
  ExpectCanonical(banded);
  std::shuffle(runs.begin(), runs.end(), std::mt19937(3));
  const Region swept = Region::FromRects(runs);
  EXPECT_EQ(banded, swept);

  // A staircase of tall rectangles: every band keeps thousands active, so
  // the sweep hands over to the recursive union; the result is the same.
  std::vector<RECT> stairs;
  for (int i = 0; i < 3000; ++i) stairs.push_back({i, i, i + 2, i + 3000});
  const Region tall = Region::FromRects(stairs);
  ExpectCanonical(tall);
  EXPECT_TRUE(tall.Contains(2000, 2500));
  EXPECT_FALSE(tall.Contains(2000, 1998));
  EXPECT_TRUE(tall.Contains(2001, 2001));
  EXPECT_FALSE(tall.Contains(2002, 1999));
  EXPECT_TRUE(banded.Contains(29, 0));
  EXPECT_FALSE(banded.Contains(30, 0));
  EXPECT_FALSE(banded.Contains(31, 1));
}

}  // namespace
}  // namespace kora
