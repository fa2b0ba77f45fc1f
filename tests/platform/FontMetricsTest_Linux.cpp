#include "TextTestSupport.h"

#include <gtest/gtest.h>

namespace kora {
namespace {

TEST(FontMetrics, NegativeHeightIsTheEmAndPositiveTheCell) {
  for (const char* face : {"宋体", "Arial"}) {
    for (int size : {11, 12, 16, 20}) {
      const TEXTMETRIC& em = TestFont(face, -size).Metrics();
      EXPECT_EQ(em.tmHeight - em.tmInternalLeading, size) << face << " " << size;
      EXPECT_EQ(em.tmAscent + em.tmDescent, em.tmHeight);
      const TEXTMETRIC& cell = TestFont(face, size).Metrics();
      EXPECT_EQ(cell.tmHeight, size) << face << " " << size;
      EXPECT_LE(cell.tmHeight, em.tmHeight);
    }
  }
}

TEST(FontMetrics, SongHasHalfWidthLatinAndFullWidthHanzi) {
  FontInstance& song = TestFont("宋体", -12);
  EXPECT_EQ(song.Metrics().tmAveCharWidth, 6);
  EXPECT_EQ(song.Advance(U'A'), 6);
  EXPECT_EQ(song.Advance(U'i'), 6);
  EXPECT_EQ(song.Advance(U'人'), 12);
  EXPECT_EQ(song.Metrics().tmMaxCharWidth, 12);
  EXPECT_EQ(song.Metrics().tmCharSet, GB2312_CHARSET);  // DEFAULT_CHARSET resolves by the face
}

TEST(FontMetrics, SansIsProportionalWithTheClassicAverage) {
  FontInstance& sans = TestFont("Arial", -11);
  EXPECT_LT(sans.Advance(U'i'), sans.Advance(U'W'));
  // The frequency-weighted lower-case average, not the all-glyph one.
  EXPECT_EQ(sans.Metrics().tmAveCharWidth, 5);
  EXPECT_EQ(sans.Metrics().tmCharSet, ANSI_CHARSET);
}

TEST(FontMetrics, WidthScalesTheAverageCharacter) {
  FontInstance& narrow = TestFont("Arial", -20, FW_NORMAL, false, DEFAULT_CHARSET, 5);
  FontInstance& wide = TestFont("Arial", -20, FW_NORMAL, false, DEFAULT_CHARSET, 16);
  EXPECT_NEAR(narrow.Metrics().tmAveCharWidth, 5, 1);
  EXPECT_NEAR(wide.Metrics().tmAveCharWidth, 16, 1);
  EXPECT_LT(narrow.Advance(U'M'), wide.Advance(U'M'));
  EXPECT_EQ(narrow.Metrics().tmHeight, wide.Metrics().tmHeight);
}

TEST(FontMetrics, DecorationsLieInsideTheCell) {
  for (const char* face : {"宋体", "Arial"}) {
    for (int size : {-11, -12, -24}) {
      FontInstance& font = TestFont(face, size);
      const TEXTMETRIC& tm = font.Metrics();
      EXPECT_GE(font.Underline().Top, tm.tmAscent) << face << size;
      EXPECT_LE(font.Underline().Top + font.Underline().Height, tm.tmHeight) << face << size;
      EXPECT_GT(font.StrikeOut().Top, 0);
      EXPECT_LT(font.StrikeOut().Top, tm.tmAscent);
    }
  }
}

TEST(FontMetrics, AbsurdHeightsAreBounded) {
  FontInstance& huge = TestFont("Arial", INT32_MIN, FW_NORMAL, false, DEFAULT_CHARSET, INT32_MIN);
  EXPECT_LE(huge.Metrics().tmHeight, 4096);
  FontInstance& zero = TestFont("Arial", 0);
  EXPECT_GT(zero.Metrics().tmHeight, 8);
}

}  // namespace
}  // namespace kora
