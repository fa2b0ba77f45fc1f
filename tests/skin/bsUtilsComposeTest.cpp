#include <gtest/gtest.h>

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
        ComposeNinePart(LT, RT, LB, RB, C, n.LT, n.RT, n.LB, n.RB, n.C, &target, &picture, R, W, H, true,
                        stretchEdges, stretchEdges, stretchEdges, stretchEdges, stretchClient);
    }
    // Where a point relative to R lies in the picture.
    POINT At(int x, int y) const { return {R.Left + x, R.Top + y}; }
};

TEST(bsUtilsComposeTest, TargetOfTheSkinSizeReproducesItExactly) {
    Skin skin;
    for (int flags = 0; flags < 4; ++flags) {
        TBitmap target;
        skin.NinePart(target, 20, 16, flags & 1, flags & 2);
        ASSERT_EQ(target.Width(), 20);
        EXPECT_TRUE(Copied(target, {0, 0, 20, 16}, skin.At(0, 0))) << flags;

        TBitmap tiled;
        const TbsSkinGeometry n = skin.MovedTo(20, 16);
        ComposeNinePartTiled(skin.LT, skin.RT, skin.LB, skin.RB, skin.C, n.LT, n.RT, n.LB, n.RB, n.C, &tiled,
                             &skin.picture, skin.R, 20, 16, true, flags & 1, flags & 1, flags & 2, flags & 2);
        EXPECT_TRUE(Copied(tiled, {0, 0, 20, 16}, skin.At(0, 0))) << flags;
    }
}

TEST(bsUtilsComposeTest, WiderTargetsRepeatTheMiddlesFromTheirStart) {
    Skin skin;
    TBitmap target;
    skin.NinePart(target, 31, 25);  // NewRT.X 25, NewLB.Y 19, NewC (3, 4, 28, 21)
    // Top middle: tiles at 6, 14 and a cut one at 22.
    EXPECT_TRUE(Copied(target, {6, 0, 14, 4}, skin.At(6, 0)));
    EXPECT_TRUE(Copied(target, {14, 0, 22, 4}, skin.At(6, 0)));
    EXPECT_TRUE(Copied(target, {22, 0, 25, 4}, skin.At(6, 0)));
    EXPECT_TRUE(Copied(target, {25, 0, 31, 4}, skin.At(14, 0)));
    // Left middle along y from 5: tiles at 5, 10, and one cut at 19.
    EXPECT_TRUE(Copied(target, {0, 10, 3, 15}, skin.At(0, 5)));
    EXPECT_TRUE(Copied(target, {0, 15, 3, 19}, skin.At(0, 5)));
    EXPECT_TRUE(Copied(target, {0, 19, 3, 25}, skin.At(0, 10)));
    // Right middle and bottom corners.
    EXPECT_TRUE(Copied(target, {28, 15, 31, 19}, skin.At(17, 5)));
    EXPECT_TRUE(Copied(target, {25, 21, 31, 25}, skin.At(14, 12)));
    EXPECT_TRUE(Copied(target, {22, 21, 25, 25}, skin.At(6, 12)));
    // Client tiled both ways, the last row cut.
    EXPECT_TRUE(Copied(target, {3, 4, 17, 12}, skin.At(3, 4)));
    EXPECT_TRUE(Copied(target, {17, 12, 28, 20}, skin.At(3, 4)));
    EXPECT_TRUE(Copied(target, {3, 20, 17, 21}, skin.At(3, 4)));
}

TEST(bsUtilsComposeTest, NarrowerTargetsCutOrDropTheMiddles) {
    Skin skin;
    TBitmap target;
    skin.NinePart(target, 17, 16);  // NewRT.X 11: one tile cut at 11
    EXPECT_TRUE(Copied(target, {6, 0, 11, 4}, skin.At(6, 0)));
    EXPECT_TRUE(Copied(target, {11, 0, 17, 4}, skin.At(14, 0)));

    skin.NinePart(target, 10, 16);  // NewRT.X 4 < NewLT.X: corners overlap, the right one last
    EXPECT_TRUE(Copied(target, {0, 0, 4, 4}, skin.At(0, 0)));
    EXPECT_TRUE(Copied(target, {4, 0, 10, 4}, skin.At(14, 0)));
}

TEST(bsUtilsComposeTest, StretchedPiecesScaleByNearestPixel) {
    Skin skin;
    TBitmap target;
    skin.NinePart(target, 28, 26, true, true);  // top middle 8 -> 16, left middle 5 -> 15
    for (int x = 6; x < 22; ++x) EXPECT_TRUE(Copied(target, {x, 0, x + 1, 4}, skin.At(6 + (x - 6) / 2, 0))) << x;
    for (int y = 5; y < 20; ++y) EXPECT_TRUE(Copied(target, {0, y, 3, y + 1}, skin.At(0, 5 + (y - 5) / 3))) << y;
    EXPECT_TRUE(Copied(target, {22, 0, 28, 4}, skin.At(14, 0)));
    EXPECT_EQ(PixelAt(target, 3, 4), Code(skin.R.Left + 3, skin.R.Top + 4));
    EXPECT_EQ(PixelAt(target, 24, 21), Code(skin.R.Left + 16, skin.R.Top + 11));
}

TEST(bsUtilsComposeTest, DegenerateGeometryOrPictureLeavesTheTargetBlank) {
    Skin skin;
    skin.RB.X = skin.LT.X;
    TBitmap target;
    skin.NinePart(target, 30, 20);
    EXPECT_EQ(target.Width(), 30);
    EXPECT_EQ(target.Height(), 20);
    EXPECT_TRUE(Uniform(target, {0, 0, 30, 20}, kWhite));

    Skin noPicture;
    noPicture.picture.SetSize(0, 0);
    TBitmap blank;
    noPicture.NinePart(blank, 25, 18);
    EXPECT_EQ(blank.Width(), 25);
    EXPECT_TRUE(Uniform(blank, {0, 0, 25, 18}, kWhite));
}

TEST(bsUtilsComposeTest, OpenRightRunsTheTopAndClientToTheEdge) {
    Skin skin;
    TBitmap target;
    const TbsSkinGeometry n = skin.MovedTo(31, 16);
    ComposeNinePartOpenRight(skin.LT, skin.RT, skin.LB, skin.RB, skin.C, n.LT, n.RT, n.LB, n.RB, n.C, &target,
                             &skin.picture, skin.R, 31, 16, true, false, false, false, false, false);
    EXPECT_TRUE(Copied(target, {0, 0, 6, 4}, skin.At(0, 0)));
    EXPECT_TRUE(Copied(target, {22, 0, 30, 4}, skin.At(6, 0)));
    EXPECT_TRUE(Copied(target, {30, 0, 31, 4}, skin.At(6, 0)));  // no right corner
    EXPECT_TRUE(Copied(target, {30, 12, 31, 16}, skin.At(6, 12)));
    EXPECT_TRUE(Copied(target, {17, 4, 31, 12}, skin.At(3, 4)));  // client, no right band
}

TEST(bsUtilsComposeTest, StretchedFrameKeepsCornersAndStretchesTheRest) {
    Skin skin;
    TBitmap target;
    target.SetSize(40, 32);  // NewC (3, 4, 37, 28)
    ComposeStretchedFrame(&target, &skin.picture, skin.R, skin.C, true);
    EXPECT_TRUE(Copied(target, {0, 0, 3, 4}, skin.At(0, 0)));
    EXPECT_TRUE(Copied(target, {37, 0, 40, 4}, skin.At(17, 0)));
    EXPECT_TRUE(Copied(target, {37, 28, 40, 32}, skin.At(17, 12)));
    EXPECT_EQ(PixelAt(target, 3, 4), Code(skin.R.Left + 3, skin.R.Top + 4));
    EXPECT_EQ(PixelAt(target, 36, 27), Code(skin.R.Left + 16, skin.R.Top + 11));
    EXPECT_EQ(PixelAt(target, 20, 0), Code(skin.R.Left + 3 + 17 * 14 / 34, skin.R.Top));
}

TEST(bsUtilsComposeTest, BorderBandsTileFromTheBandEdgeAndShareTheHeight) {
    Skin skin;
    TBitmap left, top, right, bottom;
    const TbsSkinGeometry n = skin.MovedTo(31, 25);  // NewC (3, 4, 28, 21)
    ComposeBorderBands(skin.LT, skin.RT, skin.LB, skin.RB, skin.C, n.LT, n.RT, n.LB, n.RB, n.C, &left, &top, &right,
                       &bottom, &skin.picture, skin.R, 31, 25, false, false, false, false);
    ASSERT_EQ(top.Width(), 31);
    ASSERT_EQ(top.Height(), 4);
    ASSERT_EQ(bottom.Height(), 4);
    ASSERT_EQ(left.Width(), 3);
    ASSERT_EQ(left.Height(), 17);
    ASSERT_EQ(right.Width(), 3);
    // Tiles start at 0 under the corner: column 6 shows the middle's seventh column.
    EXPECT_EQ(PixelAt(top, 6, 0), Code(skin.R.Left + 12, skin.R.Top));
    EXPECT_TRUE(Copied(top, {8, 0, 16, 4}, skin.At(6, 0)));
    EXPECT_TRUE(Copied(top, {25, 0, 31, 4}, skin.At(14, 0)));
    EXPECT_TRUE(Copied(bottom, {0, 0, 6, 4}, skin.At(0, 12)));
    EXPECT_TRUE(Copied(bottom, {8, 0, 16, 4}, skin.At(6, 12)));
    // Side bands: the fixed piece above (row 4), tiles from 0, the piece below.
    EXPECT_TRUE(Copied(left, {0, 0, 3, 1}, skin.At(0, 4)));
    EXPECT_TRUE(Copied(left, {0, 1, 3, 5}, skin.At(0, 6)));
    EXPECT_TRUE(Copied(left, {0, 15, 3, 17}, skin.At(0, 10)));
    EXPECT_TRUE(Copied(right, {0, 0, 3, 1}, skin.At(17, 4)));
    EXPECT_TRUE(Copied(right, {0, 15, 3, 17}, skin.At(17, 10)));

    // Stretched: the middle fills the rows between the fixed pieces.
    ComposeBorderBands(skin.LT, skin.RT, skin.LB, skin.RB, skin.C, n.LT, n.RT, n.LB, n.RB, n.C, &left, &top, &right,
                       &bottom, &skin.picture, skin.R, 31, 25, true, true, true, true);
    // Nearest pixel: destination row i samples source row (2i + 1) * 5 / 28.
    for (int y = 1; y < 15; ++y)
        EXPECT_TRUE(Copied(left, {0, y, 3, y + 1}, skin.At(0, 5 + (2 * (y - 1) + 1) * 5 / 28))) << y;
    EXPECT_TRUE(Copied(top, {6, 0, 7, 4}, skin.At(6, 0)));

    // Without a top middle the top band is not made and the sides grow.
    skin.RT.X = skin.LT.X;
    const TbsSkinGeometry m = skin.MovedTo(31, 25);
    ComposeBorderBands(skin.LT, skin.RT, skin.LB, skin.RB, skin.C, m.LT, m.RT, m.LB, m.RB, m.C, &left, &top, &right,
                       &bottom, &skin.picture, skin.R, 31, 25, false, false, false, false);
    EXPECT_TRUE(top.Empty());
    EXPECT_EQ(left.Height(), 21);
}

TEST(bsUtilsComposeTest, TilesAreCutAtTheBandEndAndNeverStartThere) {
    TBitmap picture, target;
    MakeCodedPicture(picture, 10, 4);
    target.SetSize(20, 4);
    Fill(target, kWhite);
    const TbsPiecePainter painter(&target, &picture);
    painter.TileX({2, 0, 6, 4}, 1, 13, 0, 4);  // 12 = 3 tiles of 4; the fourth starts at 13
    EXPECT_TRUE(Copied(target, {9, 0, 13, 4}, {2, 0}));
    EXPECT_TRUE(Uniform(target, {13, 0, 20, 4}, kWhite));
    painter.TileX({2, 0, 6, 4}, 14, 16, 0, 4);  // cut at the band end
    EXPECT_TRUE(Copied(target, {14, 0, 16, 4}, {2, 0}));
    EXPECT_TRUE(Uniform(target, {16, 0, 20, 4}, kWhite));
    painter.TileX({2, 0, 2, 4}, 0, 20, 0, 4);  // zero-width tile
    painter.TileX({2, 0, 6, 4}, 19, 16, 0, 4);  // band of negative length
    EXPECT_TRUE(Uniform(target, {16, 0, 20, 4}, kWhite));
    EXPECT_EQ(PixelAt(target, 0, 0), kWhite);
}

}  // namespace
}  // namespace kora
