#include <gtest/gtest.h>

#include "skin/bsUtilsTestSupport.h"
#include "skin/data/bsUtils.h"

namespace kora {
namespace {

using namespace test;

const RECT s{2, 3, 14, 8};  // a 12 x 5 strip of a coded 20 x 12 picture

TEST(bsUtilsStripTest, HorizontalStripsKeepTheirEndsAndRepeatTheMiddle) {
  TBitmap picture, target;
  MakeCodedPicture(picture, 20, 12);
  ComposeHorizontalStrip(3, 2, &target, false, 20, s, &picture);
  ASSERT_EQ(target.Height(), 5);
  EXPECT_TRUE(Copied(target, {0, 0, 3, 5}, {2, 3}));
  EXPECT_TRUE(Copied(target, {10, 0, 17, 5}, {5, 3}));  // middle 7 wide: tiles at 3, 10, 17 (cut)
  EXPECT_TRUE(Copied(target, {17, 0, 18, 5}, {5, 3}));
  EXPECT_TRUE(Copied(target, {18, 0, 20, 5}, {12, 3}));
  // A middle of no width counts as the one column after the left end.
  ComposeHorizontalStrip(6, 6, &target, false, 20, s, &picture);
  for (int x = 6; x < 14; ++x) EXPECT_TRUE(Copied(target, {x, 0, x + 1, 5}, {8, 3})) << x;

  ComposeHorizontalStripOpenRight(3, 2, &target, false, 20, s, &picture);
  EXPECT_TRUE(Copied(target, {17, 0, 20, 5}, {5, 3}));  // no right end
  ComposeHorizontalMiddle(3, 2, &target, false, 16, s, &picture);
  EXPECT_TRUE(Copied(target, {0, 0, 7, 5}, {5, 3}));
  EXPECT_TRUE(Copied(target, {14, 0, 16, 5}, {5, 3}));
}

TEST(bsUtilsStripTest, VerticalStripsRepeatDownwards) {
  TBitmap picture, target, fresh;
  MakeCodedPicture(picture, 20, 12);
  ComposeVerticalStrip(1, 1, &target, false, 11, s, &picture);
  ASSERT_EQ(target.Width(), 12);
  EXPECT_TRUE(Copied(target, {0, 7, 12, 10}, {2, 4}));  // middle 3 high: tiles at 1, 4, 7
  EXPECT_TRUE(Copied(target, {0, 10, 12, 11}, {2, 7}));
  ComposeVerticalStrip(2, 3, &fresh, false, 11, s, &picture);  // no middle rows
  EXPECT_TRUE(Uniform(fresh, {0, 2, 12, 8}, kWhite));
  EXPECT_TRUE(Copied(fresh, {0, 8, 12, 11}, {2, 5}));
}

TEST(bsUtilsStripTest, StripFramesDrawOneFrameWithoutItsKeyColour) {
  TBitmap strip, canvas;
  MakeCodedPicture(strip, 64, 8);
  canvas.SetSize(40, 20);
  DrawStripFrame(canvas.Canvas(), 5, 6, 2, 4, &strip);  // columns 16 to 31
  EXPECT_TRUE(Copied(canvas, {5, 6, 21, 13}, {16, 0}));
  EXPECT_TRUE(Copied(canvas, {6, 13, 21, 14}, {17, 7}));
  EXPECT_EQ(PixelAt(canvas, 5, 13), kWhite);  // the frame's bottom-left colour is see-through
  EXPECT_TRUE(Uniform(canvas, {21, 0, 40, 20}, kWhite));

  Fill(canvas, kWhite);
  DrawStripFrame(canvas.Canvas(), 0, 0, 5, 4, &strip);  // no such frame
  DrawStripFrame(canvas.Canvas(), 0, 0, 1, 0, &strip);
  EXPECT_TRUE(Uniform(canvas, {0, 0, 40, 20}, kWhite));
}

}  // namespace
}  // namespace kora
