#include "TextTestSupport.h"

#include <gtest/gtest.h>

#include "platform/text/FreeTypeFont.h"

namespace kora {
namespace {

// The face fontconfig matched, at its size.
SizedFace& PrimaryOf(FontInstance& font) { return dynamic_cast<FreeTypeFont&>(font.Source()).Primary(); }

TEST(FontMatch, ClassicFaceNamesGoToTheirInstalledSubstitutes) {
  for (const char* name : {"宋体", "SimSun", "simsun"}) {
    FontFace& face = PrimaryOf(TestFont(name, -12, FW_NORMAL, false, GB2312_CHARSET)).Face();
    EXPECT_EQ(face.Family(), "AR PL UMing CN") << name;
    EXPECT_NE(face.GlyphIndex(U'人'), 0u) << name;
  }
  for (const char* name : {"Arial", "MS Sans Serif"})
    EXPECT_EQ(PrimaryOf(TestFont(name, -11)).Face().Family(), "Liberation Sans") << name;
}

TEST(FontMatch, UnknownFaceFallsBackByCharacterSet) {
  FontInstance& latin = TestFont("No Such Face 4711", -12);
  EXPECT_FALSE(PrimaryOf(latin).Face().Family().empty());
  EXPECT_GT(latin.Advance(U'W'), 0);
  // A Chinese character set asks for a face that can show Chinese.
  FontInstance& chinese = TestFont("No Such Face 4711", -12, FW_NORMAL, false, GB2312_CHARSET);
  EXPECT_NE(PrimaryOf(chinese).Face().GlyphIndex(U'参'), 0u);
}

TEST(FontMatch, MissingCharactersComeFromAnotherFace) {
  FontInstance& arial = TestFont("Arial", -12);
  ASSERT_EQ(PrimaryOf(arial).Face().GlyphIndex(U'职'), 0u);
  const GlyphImage& glyph = arial.Glyph(U'职');
  EXPECT_GT(glyph.Advance, 8);
  EXPECT_GT(glyph.Width, 4);
  // Invalid input is shown as U+FFFD, which the Latin face may lack too.
  EXPECT_GT(arial.Glyph(0xFFFD).Width, 0);
}

TEST(FontMatch, StylesTheFaceLacksAreSynthesised) {
  // The Song face has no bold or italic: bold widens every advance by a pixel.
  FontInstance& regular = TestFont("宋体", -12);
  FontInstance& bold = TestFont("宋体", -12, FW_BOLD);
  EXPECT_EQ(PrimaryOf(bold).Face().Family(), PrimaryOf(regular).Face().Family());
  EXPECT_EQ(bold.Advance(U'人'), regular.Advance(U'人') + 1);
  EXPECT_EQ(bold.Metrics().tmWeight, FW_BOLD);

  const GlyphImage& upright = regular.Glyph(U'I');
  const GlyphImage& slanted = TestFont("宋体", -12, FW_NORMAL, true).Glyph(U'I');
  EXPECT_GT(slanted.Width, upright.Width);
  EXPECT_EQ(slanted.Advance, upright.Advance);

  // The sans family has a real bold, so nothing is synthesised.
  FontInstance& sansBold = TestFont("Arial", -12, FW_BOLD);
  EXPECT_EQ(PrimaryOf(sansBold).Face().Family(), "Liberation Sans");
  EXPECT_EQ(PrimaryOf(sansBold).BoldExtra(), 0);
}

TEST(FontMatch, SmallSongSizesUseTheCrispBitmapStrike) {
  auto isTwoLevel = [](const GlyphImage& g) {
    for (uint8_t v : g.Coverage)
      if (v != 0 && v != 255) return false;
    return true;
  };
  FontInstance& song12 = TestFont("宋体", -12);
  EXPECT_TRUE(PrimaryOf(song12).UsesStrike());
  EXPECT_TRUE(isTwoLevel(song12.Glyph(U'数')));
  EXPECT_TRUE(isTwoLevel(song12.Glyph(U'g')));
  FontInstance& song24 = TestFont("宋体", -24);
  EXPECT_FALSE(PrimaryOf(song24).UsesStrike());
  EXPECT_FALSE(isTwoLevel(song24.Glyph(U'数')));
  EXPECT_FALSE(isTwoLevel(TestFont("Arial", -12).Glyph(U'O')));
}

}  // namespace
}  // namespace kora
