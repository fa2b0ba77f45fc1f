// The Windows text room draws with the system's fonts, whose pixels differ
// from machine to machine: what must hold everywhere is that text is drawn
// where it is measured, with the faces the program asks for, Chinese too.

#include <gtest/gtest.h>

#include "TextTestSupport.h"

namespace kora {
namespace {

TEST(GdiText, GlyphsAreDrawnInsideTheMeasuredCell) {
  for (const char* face : {"宋体", "Arial", "MS Sans Serif"}) {
    SCOPED_TRACE(face);
    TextTestCanvas canvas(200, 40);
    canvas.UseFont(face, -12);
    const std::string text = "Kora 人物参数";
    RECT measured{0, 0, 0, 0};
    DrawText(canvas.Dc(), text, &measured, DT_SINGLELINE | DT_CALCRECT);
    ASSERT_GT(measured.Width(), 40);
    ASSERT_GE(measured.Height(), 12);
    ASSERT_TRUE(TextOut(canvas.Dc(), 10, 5, text));
    const RECT ink = canvas.Ink();
    ASSERT_FALSE(ink.IsEmpty());
    // The ink lies in the cell the measure gave, and fills most of it.
    const RECT cell{10, 5, 10 + measured.Width(), 5 + measured.Height()};
    EXPECT_TRUE(cell.Inflated(1, 1).Contains(ink))
        << ink.Left << "," << ink.Top << "," << ink.Right << "," << ink.Bottom;
    EXPECT_GT(ink.Width(), measured.Width() * 3 / 4);
  }
}

TEST(GdiText, AdvancesAddUpToTheMeasuredWidth) {
  FontInstance& song = TestFont("宋体", -12, FW_NORMAL, false, GB2312_CHARSET);
  TextTestCanvas canvas(300, 40);
  canvas.UseFont("宋体", -12);
  const std::u32string characters = U"Ab9 职业道具";
  int sum = 0;
  for (const char32_t c : characters) sum += song.Advance(c);
  RECT measured{0, 0, 0, 0};
  DrawText(canvas.Dc(), "Ab9 职业道具", &measured, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(measured.Width(), sum);
  // A Chinese character is as wide as two Latin ones in the Song face, as
  // the program's stored layouts expect; bold is never narrower.
  EXPECT_GE(song.Advance(U'职'), song.Advance(U'A'));
  EXPECT_NEAR(song.Advance(U'职'), 12, 2);
  EXPECT_GE(TestFont("宋体", -12, FW_BOLD).Advance(U'职'), song.Advance(U'职'));
  // The same description gives the same advances every time.
  EXPECT_EQ(TestFont("宋体", -12, FW_NORMAL, false, GB2312_CHARSET).Advance(U'业'), song.Advance(U'业'));
}

TEST(GdiText, ChineseCharactersHaveGlyphsOfTheirOwn) {
  FontInstance& song = TestFont("宋体", -12, FW_NORMAL, false, GB2312_CHARSET);
  const GlyphImage& a = song.Glyph(U'人');
  const GlyphImage& b = song.Glyph(U'物');
  ASSERT_GT(a.Width, 4);
  ASSERT_GT(a.Height, 4);
  ASSERT_GT(b.Width, 4);
  // Not the same box drawn for every character a face lacks.
  EXPECT_TRUE(a.Coverage != b.Coverage);
  // A Latin face reaches Chinese too (the system links another face).
  EXPECT_GT(TestFont("Arial", -12).Glyph(U'职').Width, 4);
}

}  // namespace
}  // namespace kora
