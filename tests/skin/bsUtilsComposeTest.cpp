#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "skin/bsUtilsTestSupport.h"
#include "skin/data/bsUtils.h"

namespace kora {
namespace {

using namespace test;

// A 20 x 16 element at (10, 5) of a 40 x 30 picture: corners 6 wide and
// 5 high on top, middles 8 wide and 5 high, client (3, 4, 17, 12).
struct Skin {
  RECT R{10, 5, 30, 21};
  RECT C{3, 4, 17, 12};
  POINT LT{6, 5}, RT{14, 5}, LB{6, 10}, RB{14, 10};
  TBitmap picture;

  Skin() { MakeCodedPicture(picture, 40, 30); }

  TbsSkinGeometry MovedTo(int W, int H) const { return TbsSkinGeometry{LT, RT, LB, RB, C}.Moved(R, W, H); }
  void NinePart(TBitmap& target, int W, int H, bool stretchEdges = false, bool stretchClient = false) {
    const TbsSkinGeometry n = MovedTo(W, H);
    ComposeNinePart({LT, RT, LB, RB, C}, n, &target, &picture, R, {W, H}, true,
                    {stretchEdges, stretchEdges, stretchEdges, stretchEdges, stretchClient});
  }
  // Where a point relative to R lies in the picture.
  POINT At(int x, int y) const { return {R.Left + x, R.Top + y}; }
};

TEST(bsUtilsComposeTest, TargetOfTheSkinSizeReproducesItExactly) {
  Skin skin;
  for (int flags = 0; flags < 4; ++flags) {
    TBitmap target;
    skin.NinePart(target, 20, 16, flags & 1, flags & 2);
    EXPECT_TRUE(Copied(target, {0, 0, 20, 16}, skin.At(0, 0))) << flags;
  }
}

TEST(bsUtilsComposeTest, WiderTargetsRepeatTheMiddlesFromTheirStart) {
  Skin skin;
  TBitmap target;
  skin.NinePart(target, 31, 25);                                // NewRT.X 25, NewLB.Y 19, NewC (3, 4, 28, 21)
  EXPECT_TRUE(Copied(target, {14, 0, 22, 4}, skin.At(6, 0)));   // second top tile
  EXPECT_TRUE(Copied(target, {22, 0, 25, 4}, skin.At(6, 0)));   // third, cut at NewRT.X
  EXPECT_TRUE(Copied(target, {25, 0, 31, 4}, skin.At(14, 0)));  // right corner
  EXPECT_TRUE(Copied(target, {0, 15, 3, 19}, skin.At(0, 5)));   // left tile cut at NewLB.Y
  EXPECT_TRUE(Copied(target, {25, 21, 31, 25}, skin.At(14, 12)));
  EXPECT_TRUE(Copied(target, {17, 12, 28, 20}, skin.At(3, 4)));  // client tiled both ways
  EXPECT_TRUE(Copied(target, {3, 20, 17, 21}, skin.At(3, 4)));
}

TEST(bsUtilsComposeTest, NarrowTargetsCutOrDropTheMiddlesAndDegenerateOnesStayBlank) {
  Skin skin;
  TBitmap target;
  skin.NinePart(target, 17, 16);  // NewRT.X 11: one tile cut at 11
  EXPECT_TRUE(Copied(target, {6, 0, 11, 4}, skin.At(6, 0)));
  EXPECT_TRUE(Copied(target, {11, 0, 17, 4}, skin.At(14, 0)));
  skin.NinePart(target, 10, 16);  // NewRT.X 4 < NewLT.X: corners overlap, the right one last
  EXPECT_TRUE(Copied(target, {0, 0, 4, 4}, skin.At(0, 0)));
  EXPECT_TRUE(Copied(target, {4, 0, 10, 4}, skin.At(14, 0)));

  skin.RB.X = skin.LT.X;
  TBitmap blank;
  skin.NinePart(blank, 30, 20);
  EXPECT_EQ(blank.Width(), 30);
  EXPECT_TRUE(Uniform(blank, {0, 0, 30, 20}, kWhite));
}

TEST(bsUtilsComposeTest, StretchedPiecesScaleByNearestPixel) {
  Skin skin;
  TBitmap target;
  skin.NinePart(target, 28, 26, true, true);  // top middle 8 -> 16
  for (int x = 6; x < 22; ++x) EXPECT_TRUE(Copied(target, {x, 0, x + 1, 4}, skin.At(6 + (x - 6) / 2, 0))) << x;
  EXPECT_TRUE(Copied(target, {22, 0, 28, 4}, skin.At(14, 0)));
  EXPECT_EQ(PixelAt(target, 24, 21), Code(skin.R.Left + 16, skin.R.Top + 11));  // client 14 x 8 -> 22 x 18

  TBitmap frame;
  frame.SetSize(40, 32);
  ComposeStretchedFrame(&frame, &skin.picture, skin.R, skin.C, true);  // points at C's corners
  EXPECT_TRUE(Copied(frame, {0, 0, 3, 4}, skin.At(0, 0)));
  EXPECT_TRUE(Copied(frame, {37, 28, 40, 32}, skin.At(17, 12)));
  EXPECT_EQ(PixelAt(frame, 36, 27), Code(skin.R.Left + 16, skin.R.Top + 11));
}

TEST(bsUtilsComposeTest, OpenRightRunsTheTopAndClientToTheEdge) {
  Skin skin;
  TBitmap target;
  const TbsSkinGeometry n = skin.MovedTo(31, 16);
  ComposeNinePartOpenRight({skin.LT, skin.RT, skin.LB, skin.RB, skin.C}, n, &target, &skin.picture, skin.R, {31, 16},
                           true, {});
  EXPECT_TRUE(Copied(target, {30, 0, 31, 4}, skin.At(6, 0)));  // a tile, no right corner
  EXPECT_TRUE(Copied(target, {30, 12, 31, 16}, skin.At(6, 12)));
  EXPECT_TRUE(Copied(target, {17, 4, 31, 12}, skin.At(3, 4)));
}

TEST(bsUtilsComposeTest, BorderBandsTileFromTheBandEdgeAndShareTheHeight) {
  Skin skin;
  TBitmap left, top, right, bottom;
  auto compose = [&](bool stretch) {
    const TbsSkinGeometry n = skin.MovedTo(31, 25);  // NewC (3, 4, 28, 21)
    ComposeBorderBands({skin.LT, skin.RT, skin.LB, skin.RB, skin.C}, n, {&left, &top, &right, &bottom}, &skin.picture,
                       skin.R, {31, 25}, {stretch, stretch, stretch, stretch});
  };
  compose(false);
  ASSERT_EQ(top.Width(), 31);
  ASSERT_EQ(top.Height(), 4);
  ASSERT_EQ(bottom.Height(), 4);
  ASSERT_EQ(left.Height(), 17);
  ASSERT_EQ(right.Width(), 3);
  // Tiles start at 0 under the corner: column 6 shows the middle's seventh column.
  EXPECT_EQ(PixelAt(top, 6, 0), Code(skin.R.Left + 12, skin.R.Top));
  EXPECT_TRUE(Copied(top, {25, 0, 31, 4}, skin.At(14, 0)));
  EXPECT_TRUE(Copied(bottom, {8, 0, 16, 4}, skin.At(6, 12)));
  // Side bands: the piece above (row 4), tiles from 0, the piece below.
  EXPECT_TRUE(Copied(left, {0, 0, 3, 1}, skin.At(0, 4)));
  EXPECT_TRUE(Copied(left, {0, 1, 3, 5}, skin.At(0, 6)));
  EXPECT_TRUE(Copied(right, {0, 15, 3, 17}, skin.At(17, 10)));

  compose(true);  // the middle fills the rows between the fixed pieces
  for (int y = 1; y < 15; ++y)
    EXPECT_TRUE(Copied(left, {0, y, 3, y + 1}, skin.At(0, 5 + (2 * (y - 1) + 1) * 5 / 28))) << y;

  skin.RT.X = skin.LT.X;  // no top middle: no top band, the sides grow
  compose(false);
  EXPECT_TRUE(top.Empty());
  EXPECT_EQ(left.Height(), 21);
}

TEST(bsUtilsComposeTest, TilesAreCutAtTheBandEndAndNeverStartThere) {
  TBitmap picture, target;
  MakeCodedPicture(picture, 10, 4);
  target.SetSize(20, 4);
  const TbsPiecePainter painter(&target, &picture);
  painter.TileX({2, 0, 6, 4}, 1, 13, 0, 4);  // 3 tiles of 4; the fourth would start at 13
  EXPECT_TRUE(Copied(target, {9, 0, 13, 4}, {2, 0}));
  painter.TileX({2, 0, 6, 4}, 14, 16, 0, 4);  // cut at the band end
  EXPECT_TRUE(Copied(target, {14, 0, 16, 4}, {2, 0}));
  painter.TileX({2, 0, 2, 4}, 0, 20, 0, 4);   // zero-width tile
  painter.TileX({2, 0, 6, 4}, 19, 16, 0, 4);  // band of negative length
  EXPECT_TRUE(Uniform(target, {16, 0, 20, 4}, kWhite));
  EXPECT_TRUE(Uniform(target, {13, 0, 14, 4}, kWhite));
}

// Tiling a coded piece must give, for every pixel the band covers, the
// piece's column (or row) at the pixel's distance from the band start modulo
// the piece, and leave every other pixel alone, however the spans are filled.
TEST(bsUtilsComposeTest, TilingRepeatsThePieceAcrossOddCountsCutEndsAndClippedTargets) {
  TBitmap picture;
  MakeCodedPicture(picture, 20, 12);
  const std::vector<std::pair<int, int>> bands{{0, 30}, {1, 13}, {3, 4}, {-5, 17}, {10, 40}, {7, 7}, {9, 2}};
  for (int step : {1, 2, 3, 5, 6, 7})
    for (const auto& band : bands)
      for (int top : {0, -2, 3}) {
        const int a = band.first, b = band.second;  // clang 14 cannot capture a structured binding
        const RECT s{2, 1, 2 + step, 5};            // 4 rows
        TBitmap target;
        target.SetSize(30, 5);
        TbsPiecePainter(&target, &picture).TileX(s, a, b, top, top + 4);
        EXPECT_TRUE(Matches(target, {0, 0, 30, 5},
                            [&](int x, int y) {
                              const bool in = x >= a && x < b && y >= top && y < top + 4;
                              return in ? Code(s.Left + (x - a) % step, s.Top + y - top) : kWhite;
                            }))
            << "TileX step " << step << " band " << a << ".." << b << " top " << top;

        const RECT v{1, 2, 5, 2 + step};  // 4 columns
        target.SetSize(5, 30);
        Fill(target, kWhite);
        TbsPiecePainter(&target, &picture).TileY(v, a, b, top, top + 4);
        EXPECT_TRUE(Matches(target, {0, 0, 5, 30},
                            [&](int x, int y) {
                              const bool in = y >= a && y < b && x >= top && x < top + 4;
                              return in ? Code(v.Left + x - top, v.Top + (y - a) % step) : kWhite;
                            }))
            << "TileY step " << step << " band " << a << ".." << b << " left " << top;
      }

  for (int sw : {1, 3, 5})
    for (int sh : {1, 2, 5}) {
      const RECT s{3, 2, 3 + sw, 2 + sh}, d{-3, 1, 25, 19};
      TBitmap target;
      target.SetSize(22, 16);
      TbsPiecePainter(&target, &picture).TileXY(s, d);
      EXPECT_TRUE(Matches(target, {0, 0, 22, 16},
                          [&](int x, int y) {
                            return y >= d.Top ? Code(s.Left + (x - d.Left) % sw, s.Top + (y - d.Top) % sh) : kWhite;
                          }))
          << "TileXY " << sw << " x " << sh;
    }
}

TEST(bsUtilsComposeTest, TilingHonoursClipsOriginsScalingAndPiecesOffThePicture) {
  TBitmap picture;
  MakeCodedPicture(picture, 20, 12);
  const RECT s{2, 1, 5, 5};
  auto tiled = [&](int x, int y) { return Code(s.Left + x % 3, s.Top + y); };

  TBitmap clipped;
  clipped.SetSize(30, 4);
  IntersectClipRect(clipped.Canvas()->Handle(), 5, 0, 15, 4);
  TbsPiecePainter(&clipped, &picture).TileX(s, 0, 30, 0, 4);
  EXPECT_TRUE(Matches(clipped, {0, 0, 30, 4}, [&](int x, int y) { return x >= 5 && x < 15 ? tiled(x, y) : kWhite; }));

  TBitmap moved;
  moved.SetSize(30, 6);
  SetViewportOrgEx(moved.Canvas()->Handle(), 2, 1, nullptr);
  TbsPiecePainter(&moved, &picture).TileX(s, 0, 20, 0, 4);
  EXPECT_TRUE(Matches(moved, {0, 0, 30, 6}, [&](int x, int y) {
    return x >= 2 && x < 22 && y >= 1 && y < 5 ? tiled(x - 2, y - 1) : kWhite;
  }));

  TBitmap scaled;  // a band twice the piece's height doubles its rows
  scaled.SetSize(12, 8);
  TbsPiecePainter(&scaled, &picture).TileX(s, 0, 12, 0, 8);
  EXPECT_TRUE(Matches(scaled, {0, 0, 12, 8}, [&](int x, int y) { return tiled(x, y / 2); }));

  TBitmap edge;  // columns 20 and 21 of the piece are off the picture and left out
  edge.SetSize(12, 4);
  TbsPiecePainter(&edge, &picture).TileX({18, 0, 22, 4}, 0, 12, 0, 4);
  EXPECT_TRUE(Matches(edge, {0, 0, 12, 4}, [](int x, int y) { return x % 4 < 2 ? Code(18 + x % 4, y) : kWhite; }));
}

}  // namespace
}  // namespace kora
