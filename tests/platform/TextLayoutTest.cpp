#include "TextTestSupport.h"

#include "platform/text/TextLayout.h"
#include "platform/text/Utf8.h"

#include <gtest/gtest.h>

namespace kora {
namespace {

class TextLayoutTest : public ::testing::Test {
protected:
  FontInstance& FSong = TestFont("宋体", -12);
  FontInstance& FSans = TestFont("Arial", -12);

  int Width(FontInstance& font, std::u32string_view text) {
    int w = 0;
    for (char32_t c : text) w += font.Advance(c);
    return w;
  }
  static std::u32string Shown(const LaidLine& line) {
    std::u32string s;
    for (const PlacedChar& p : line.Chars) s.push_back(p.Char);
    return s;
  }
  TextLayoutResult Lay(FontInstance& font, std::string_view text, RECT rect, uint32_t format) {
    return LayoutText(font, Utf8ToUtf32(text), rect, format);
  }
};

TEST_F(TextLayoutTest, CalcRectMeasuresLinesAndDrawsNothing) {
  const int h = FSong.Metrics().tmHeight;
  TextLayoutResult one = Lay(FSong, "保存数据", {10, 20, 10, 20}, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(one.Bounds, (RECT{10, 20, 10 + 48, 20 + h}));
  EXPECT_EQ(one.Result, h);
  EXPECT_TRUE(one.Lines.empty());

  TextLayoutResult three = Lay(FSans, "Kora\r\nEditor\nab\r\n", {0, 0, 0, 0}, DT_CALCRECT);
  EXPECT_EQ(three.Bounds.Width(), Width(FSans, U"Editor"));
  EXPECT_EQ(three.Bounds.Height(), 3 * FSans.Metrics().tmHeight);
  EXPECT_EQ(three.Result, 3 * FSans.Metrics().tmHeight);

  EXPECT_EQ(Lay(FSans, "a\n\nb", {0, 0, 0, 0}, DT_CALCRECT).Result, 3 * FSans.Metrics().tmHeight);
  // LF CR is one break as CR LF is; two of them leave one blank line.
  EXPECT_EQ(Lay(FSans, "a\n\rb", {0, 0, 0, 0}, DT_CALCRECT).Result, 2 * FSans.Metrics().tmHeight);
  EXPECT_EQ(Lay(FSans, "a\n\r\n\rb\r\r", {0, 0, 0, 0}, DT_CALCRECT).Result, 4 * FSans.Metrics().tmHeight);

  // Line breaks do not break a single line; an empty text has no size.
  TextLayoutResult single = Lay(FSans, "Kora\r\nEditor", {0, 0, 0, 0}, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(single.Bounds.Width(), Width(FSans, U"KoraEditor"));
  TextLayoutResult empty = Lay(FSans, "", {5, 5, 50, 50}, DT_CALCRECT);
  EXPECT_EQ(empty.Result, 0);
  EXPECT_EQ(empty.Bounds, (RECT{5, 5, 5, 5}));
}

TEST_F(TextLayoutTest, WordBreakWrapsAtBlanksAndBetweenHanzi) {
  const int limit = Width(FSans, U"Kora Editor") + 2;
  TextLayoutResult latin = Lay(FSans, "Kora Editor   big sky", {0, 0, limit, 200}, DT_WORDBREAK);
  ASSERT_EQ(latin.Lines.size(), 2u);
  EXPECT_EQ(Shown(latin.Lines[0]), U"Kora Editor");
  EXPECT_EQ(Shown(latin.Lines[1]), U"big sky");
  EXPECT_EQ(latin.Result, 2 * FSans.Metrics().tmHeight);
  EXPECT_EQ(latin.Lines[1].Y, FSans.Metrics().tmHeight);

  // Three hanzi per line; the closing mark stays with the hanzi before it.
  TextLayoutResult hanzi = Lay(FSong, "人物参数职业参数。", {0, 0, 36, 200}, DT_WORDBREAK);
  ASSERT_EQ(hanzi.Lines.size(), 3u);
  EXPECT_EQ(Shown(hanzi.Lines[0]), U"人物参");
  EXPECT_EQ(Shown(hanzi.Lines[2]), U"参数。");
  TextLayoutResult noBreak = Lay(FSong, "人物参数", {0, 0, 36, 200}, DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK);
  EXPECT_EQ(noBreak.Lines.size(), 1u);
}

TEST_F(TextLayoutTest, OverlongWordsOverflowUnlessLikeAnEditControl) {
  const int limit = Width(FSans, U"Kora");
  TextLayoutResult plain = Lay(FSans, "Kora Editorial x", {0, 0, limit, 100}, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(plain.Bounds.Width(), Width(FSans, U"Editorial"));
  EXPECT_EQ(plain.Result, 3 * FSans.Metrics().tmHeight);

  TextLayoutResult edit = Lay(FSans, "Editorial", {0, 0, limit, 1000}, DT_WORDBREAK | DT_EDITCONTROL);
  ASSERT_GE(edit.Lines.size(), 2u);
  for (const LaidLine& line : edit.Lines) EXPECT_LE(line.Width, limit);
  // A line cut off at the bottom is not shown.
  const int h = FSans.Metrics().tmHeight;
  TextLayoutResult cut = Lay(FSans, "a\nb\nc", {0, 0, 50, 2 * h + h / 2}, DT_EDITCONTROL);
  EXPECT_EQ(cut.Lines.size(), 2u);
  EXPECT_EQ(Lay(FSans, "a\nb\nc", {0, 0, 50, 2 * h + h / 2}, 0).Lines.size(), 3u);
}

TEST_F(TextLayoutTest, EllipsesFitTheRectAndCanRewriteTheText) {
  const int limit = 60;
  TextLayoutResult end =
      Lay(FSong, "选择ROM文件所在的目录", {0, 0, limit, 20}, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  ASSERT_EQ(end.Lines.size(), 1u);
  EXPECT_LE(end.Lines[0].Width, limit);
  EXPECT_EQ(Shown(end.Lines[0]), U"选择ROM...");
  ASSERT_TRUE(end.Modified);
  EXPECT_EQ(*end.Modified, U"选择ROM...");

  // Without DT_MODIFYSTRING the text is left alone; a fitting text is never changed.
  EXPECT_FALSE(Lay(FSong, "选择ROM文件所在的目录", {0, 0, limit, 20}, DT_END_ELLIPSIS).Modified);
  TextLayoutResult fits = Lay(FSong, "保存", {0, 0, limit, 20}, DT_END_ELLIPSIS | DT_MODIFYSTRING);
  EXPECT_FALSE(fits.Modified);
  EXPECT_EQ(Shown(fits.Lines[0]), U"保存");

  // Not even one character and the dots fit: the dots alone.
  EXPECT_EQ(Shown(Lay(FSong, "数据", {0, 0, 10, 20}, DT_END_ELLIPSIS).Lines[0]), U"...");

  const std::string path = "C:\\Games\\Roms\\Emblem.nds";
  const int pathLimit = Width(FSong, U"C:\\Ga...\\Emblem.nds");
  TextLayoutResult middle = Lay(FSong, path, {0, 0, pathLimit, 20}, DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
  EXPECT_EQ(Shown(middle.Lines[0]), U"C:\\Ga...\\Emblem.nds");
  EXPECT_EQ(*middle.Modified, U"C:\\Ga...\\Emblem.nds");

  const int wordLimit = Width(FSans, U"Kora Edit...");
  TextLayoutResult word = Lay(FSans, "Kora Editor Tools", {0, 0, wordLimit, 20}, DT_WORD_ELLIPSIS);
  EXPECT_EQ(Shown(word.Lines[0]), U"Kora...");
}

TEST_F(TextLayoutTest, PrefixMarksUnderlineOneCharacter) {
  TextLayoutResult r = Lay(FSong, "选择ROM(&C)", {0, 0, 200, 20}, DT_SINGLELINE);
  const LaidLine& line = r.Lines[0];
  EXPECT_EQ(Shown(line), U"选择ROM(C)");
  EXPECT_EQ(line.PrefixLeft, Width(FSong, U"选择ROM("));
  EXPECT_EQ(line.PrefixRight, line.PrefixLeft + FSong.Advance(U'C'));

  TextLayoutResult amp = Lay(FSans, "Save && Quit&", {0, 0, 200, 20}, DT_SINGLELINE);
  EXPECT_EQ(Shown(amp.Lines[0]), U"Save & Quit");
  EXPECT_LE(amp.Lines[0].PrefixRight, amp.Lines[0].PrefixLeft);

  TextLayoutResult raw = Lay(FSans, "&File", {0, 0, 200, 20}, DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(Shown(raw.Lines[0]), U"&File");
  EXPECT_LE(raw.Lines[0].PrefixRight, raw.Lines[0].PrefixLeft);

  EXPECT_FALSE(Lay(FSans, "&File", {0, 0, 200, 20}, DT_HIDEPREFIX).DrawPrefix);
  EXPECT_FALSE(Lay(FSans, "&File", {0, 0, 200, 20}, DT_PREFIXONLY).DrawGlyphs);
}

TEST_F(TextLayoutTest, AlignmentPlacesEachLine) {
  const RECT box{10, 20, 110, 80};
  const int h = FSong.Metrics().tmHeight;
  const int w = Width(FSong, U"数据");
  EXPECT_EQ(Lay(FSong, "数据", box, 0).Lines[0].X, 10);
  EXPECT_EQ(Lay(FSong, "数据", box, DT_CENTER).Lines[0].X, 10 + (100 - w) / 2);
  EXPECT_EQ(Lay(FSong, "数据", box, DT_RIGHT).Lines[0].X, 110 - w);

  TextLayoutResult centred = Lay(FSong, "数据", box, DT_SINGLELINE | DT_VCENTER);
  EXPECT_EQ(centred.Lines[0].Y, 20 + (60 - h) / 2);
  EXPECT_EQ(centred.Result, (60 - h) / 2 + h);
  TextLayoutResult bottom = Lay(FSong, "数据", box, DT_SINGLELINE | DT_BOTTOM);
  EXPECT_EQ(bottom.Lines[0].Y, 80 - h);
  EXPECT_EQ(bottom.Result, 60);
  // Vertical placement needs a single line.
  EXPECT_EQ(Lay(FSong, "数据", box, DT_VCENTER).Lines[0].Y, 20);

  TextLayoutResult lines = Lay(FSong, "人物\n参数表格", box, DT_RIGHT);
  EXPECT_EQ(lines.Lines[0].X, 110 - 24);
  EXPECT_EQ(lines.Lines[1].X, 110 - 48);
}

TEST_F(TextLayoutTest, TabsExpandToStopsOfAverageCharacters) {
  const int ave = FSong.Metrics().tmAveCharWidth;
  TextLayoutResult eight = Lay(FSong, "ab\tc", {0, 0, 300, 20}, DT_EXPANDTABS);
  ASSERT_EQ(Shown(eight.Lines[0]), U"abc");
  EXPECT_EQ(eight.Lines[0].Chars[2].X, 8 * ave);

  // DT_TABSTOP takes the tab size from the second byte, which then holds no flags.
  TextLayoutResult four = Lay(FSong, "ab\tc", {0, 0, 300, 20}, DT_EXPANDTABS | DT_TABSTOP | (4 << 8));
  EXPECT_EQ(four.Lines[0].Chars[2].X, 4 * ave);

  TextLayoutResult raw = Lay(FSong, "ab\tc", {0, 0, 300, 20}, 0);
  EXPECT_EQ(Shown(raw.Lines[0]), U"ab\tc");
}

}  // namespace
}  // namespace kora
