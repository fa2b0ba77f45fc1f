#include "TextTestSupport.h"

#include <gtest/gtest.h>

namespace kora {
namespace {

TEST(TextDraw, SongBitmapTextIsSolidInTheTextColourInsideItsCell) {
  TextTestCanvas canvas(120, 40);
  canvas.UseFont("宋体", -12);
  SetTextColor(canvas.Dc(), RGB(0, 0, 160));
  ASSERT_TRUE(TextOut(canvas.Dc(), 10, 5, "人物参数"));
  TEXTMETRIC tm;
  ASSERT_TRUE(GetTextMetrics(canvas.Dc(), &tm));
  const RECT cell{10, 5, 10 + 48, 5 + tm.tmHeight};
  const RECT ink = canvas.Ink();
  EXPECT_TRUE(cell.Contains(ink)) << ink.Left << "," << ink.Top << "," << ink.Right << "," << ink.Bottom;
  EXPECT_GT(ink.Width(), 40);
  // The strike is two-level: every touched pixel is exactly the text colour.
  EXPECT_EQ(canvas.CountPixels(0xFFFFFF, cell) + canvas.CountPixels(0x0000A0, cell), 48 * tm.tmHeight);
}

TEST(TextDraw, OutlineTextIsAntialiased) {
  TextTestCanvas canvas(120, 40);
  canvas.UseFont("Arial", -16);
  TextOut(canvas.Dc(), 2, 2, "Kora Editor");
  const RECT ink = canvas.Ink();
  const int solid = canvas.CountPixels(0x000000, ink);
  const int white = canvas.CountPixels(0xFFFFFF, ink);
  EXPECT_GT(ink.Width() * ink.Height() - solid - white, 10);  // grey edge pixels
}

TEST(TextDraw, TextAlignmentAndBackgroundMode) {
  TextTestCanvas canvas(200, 60);
  canvas.UseFont("宋体", -12);
  TEXTMETRIC tm;
  GetTextMetrics(canvas.Dc(), &tm);
  SIZE size;
  ASSERT_TRUE(GetTextExtentPoint32(canvas.Dc(), "保存数据", &size));
  EXPECT_EQ(size.cx, 48);
  EXPECT_EQ(size.cy, tm.tmHeight);

  SetTextAlign(canvas.Dc(), TA_RIGHT | TA_BASELINE);
  SetBkMode(canvas.Dc(), OPAQUE);
  SetBkColor(canvas.Dc(), RGB(255, 0, 0));
  TextOut(canvas.Dc(), 150, 40, "保存数据");
  // The whole cell left of x and above/below the baseline is painted.
  const RECT cell{150 - 48, 40 - tm.tmAscent, 150, 40 + tm.tmDescent};
  EXPECT_EQ(canvas.Ink(), cell);
  EXPECT_EQ(canvas.CountPixels(0xFF0000, cell) + canvas.CountPixels(0x000000, cell), 48 * tm.tmHeight);

  // TA_UPDATECP draws at the current position and moves it past the text.
  canvas.Clear();
  SetBkMode(canvas.Dc(), TRANSPARENT);
  SetTextAlign(canvas.Dc(), TA_UPDATECP);
  MoveToEx(canvas.Dc(), 30, 10, nullptr);
  TextOut(canvas.Dc(), 0, 0, "数据");
  POINT pos;
  GetCurrentPositionEx(canvas.Dc(), &pos);
  EXPECT_EQ(pos.X, 30 + 24);
  EXPECT_GE(canvas.Ink().Left, 30);
}

TEST(TextDraw, ExtTextOutOpaqueAndClipped) {
  TextTestCanvas canvas(100, 40);
  canvas.UseFont("Arial", -20);
  SetBkColor(canvas.Dc(), RGB(0, 255, 0));
  const RECT box{5, 5, 30, 25};
  // With no text the call only fills, a common way to paint a rectangle.
  ASSERT_TRUE(ExtTextOut(canvas.Dc(), 0, 0, ETO_OPAQUE, &box, ""));
  EXPECT_EQ(canvas.CountPixels(0x00FF00, box), 25 * 20);
  EXPECT_EQ(canvas.Ink(), box);

  canvas.Clear();
  ExtTextOut(canvas.Dc(), 5, 5, ETO_CLIPPED, &box, "WWWWWW");
  EXPECT_TRUE(box.Contains(canvas.Ink()));
  EXPECT_FALSE(canvas.Ink().IsEmpty());
}

TEST(TextDraw, DrawTextClipsToTheRectUnlessNoClip) {
  TextTestCanvas canvas(200, 40);
  canvas.UseFont("宋体", -12);
  const RECT box{10, 10, 40, 30};
  RECT r = box;
  DrawText(canvas.Dc(), "武器道具武器道具", &r, DT_SINGLELINE);
  EXPECT_TRUE(box.Contains(canvas.Ink()));
  canvas.Clear();
  r = box;
  DrawText(canvas.Dc(), "武器道具武器道具", &r, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(canvas.Ink().Right, 90);
  EXPECT_EQ(r, box);  // only DT_CALCRECT changes the rectangle
}

TEST(TextDraw, PrefixIsUnderlinedUnlessHidden) {
  TextTestCanvas shown(120, 30), hidden(120, 30);
  for (TextTestCanvas* c : {&shown, &hidden}) c->UseFont("宋体", -12);
  RECT r{0, 0, 120, 30};
  const std::string text = "选择ROM(&C)";
  const int height = DrawText(shown.Dc(), text, &r, DT_SINGLELINE);
  DrawText(hidden.Dc(), text, &r, DT_SINGLELINE | DT_HIDEPREFIX);
  TEXTMETRIC tm;
  GetTextMetrics(shown.Dc(), &tm);
  EXPECT_EQ(height, tm.tmHeight);

  // The two differ exactly by a line under "C": 4 hanzi-widths of "选择" + "ROM(" is 24 + 24.
  const int left = 24 + 4 * 6;
  RECT diff;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x)
      if (shown.Pixel(x, y) != hidden.Pixel(x, y)) diff = diff.Union({x, y, x + 1, y + 1});
  EXPECT_EQ(diff.Left, left);
  EXPECT_EQ(diff.Right, left + 6);
  EXPECT_GE(diff.Top, tm.tmAscent);
  EXPECT_LE(diff.Bottom, tm.tmHeight);

  // DT_PREFIXONLY draws the underline alone.
  TextTestCanvas only(120, 30);
  only.UseFont("宋体", -12);
  DrawText(only.Dc(), text, &r, DT_SINGLELINE | DT_PREFIXONLY);
  EXPECT_EQ(only.Ink(), diff);
}

TEST(TextDraw, UnderlinedAndStruckFontsDrawLinesAcrossTheText) {
  TextTestCanvas canvas(150, 40);
  canvas.UseFont("Arial", -16, FW_NORMAL, false, true, true);
  SIZE size;
  GetTextExtentPoint32(canvas.Dc(), "Kora", &size);
  TextOut(canvas.Dc(), 10, 5, "Kora");
  const FontInstance& font = TestFont("Arial", -16);  // decorations sit where the plain face says
  const int underlineRow = 5 + font.Underline().Top;
  const int strikeRow = 5 + font.StrikeOut().Top;
  EXPECT_EQ(canvas.CountPixels(0x000000, {10, underlineRow, 10 + size.cx, underlineRow + 1}), size.cx);
  EXPECT_EQ(canvas.CountPixels(0x000000, {10, strikeRow, 10 + size.cx, strikeRow + 1}), size.cx);
}

TEST(TextDraw, CalcRectThroughTheDcAndModifyString) {
  TextTestCanvas canvas(10, 10);
  canvas.UseFont("宋体", -12);
  RECT r{0, 0, 0, 0};
  EXPECT_EQ(DrawText(canvas.Dc(), "职业参数", &r, DT_CALCRECT | DT_SINGLELINE), r.Bottom);
  EXPECT_EQ(r.Right, 48);
  EXPECT_EQ(canvas.Ink(), RECT{});

  std::string text = "武器道具名称";
  RECT narrow{0, 0, 42, 20};  // two hanzi and the dots
  DrawText(canvas.Dc(), text, &narrow, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT);
  EXPECT_EQ(text, "武器...");
  std::string untouched = "武器道具名称";
  DrawText(canvas.Dc(), untouched, &narrow, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_EQ(untouched, "武器道具名称");
}

TEST(TextDraw, OriginDefaultFontAndBadInput) {
  TextTestCanvas canvas(100, 40);
  // No font selected: the stock system font, the program's Song face.
  SetViewportOrgEx(canvas.Dc(), 20, 10, nullptr);
  TextOut(canvas.Dc(), 0, 0, "数据");
  const RECT ink = canvas.Ink();
  EXPECT_GE(ink.Left, 20);
  EXPECT_GE(ink.Top, 10);
  EXPECT_LE(ink.Right, 44);
  LOGFONT lf;
  EXPECT_EQ(GetObject(HFONT(GetStockObject(SYSTEM_FONT)), &lf), int(sizeof(LOGFONT)));
  EXPECT_EQ(lf.lfFaceName, "宋体");
  EXPECT_EQ(GetObject(HFONT(GetStockObject(DEFAULT_GUI_FONT)), &lf), int(sizeof(LOGFONT)));

  // Invalid bytes draw replacement characters; bad handles fail cleanly.
  canvas.Clear();
  EXPECT_TRUE(TextOut(canvas.Dc(), 0, 0, "\xFF\xC3"));
  EXPECT_FALSE(canvas.Ink().IsEmpty());
  RECT r{0, 0, 50, 50};
  EXPECT_EQ(DrawText(HDC(), "x", &r, 0), 0);
  EXPECT_FALSE(TextOut(HDC(), 0, 0, "x"));
  EXPECT_EQ(GetObject(HFONT(), &lf), 0);
  TEXTMETRIC tm;
  EXPECT_FALSE(GetTextMetrics(HDC(), &tm));
}

TEST(TextDraw, CreateFontKeepsItsDescription) {
  HFONT font = CreateFont(-11, 0, 0, 0, FW_BOLD, 1, 0, 1, GB2312_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  ASSERT_TRUE(font);
  EXPECT_EQ(GetObjectType(font), OBJ_FONT);
  LOGFONT lf;
  ASSERT_EQ(GetObject(font, &lf), int(sizeof(LOGFONT)));
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfItalic, 1);
  EXPECT_EQ(lf.lfStrikeOut, 1);
  EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
  EXPECT_EQ(lf.lfFaceName, "MS Sans Serif");
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_EQ(GetObject(font, &lf), 0);
}

TEST(TextDraw, ExtentsOfLatinAndHanzi) {
  TextTestCanvas canvas(10, 10);
  canvas.UseFont("宋体", -12);
  SIZE size;
  GetTextExtentPoint32(canvas.Dc(), "Kora编辑器", &size);
  EXPECT_EQ(size.cx, 4 * 6 + 3 * 12);
  int fit = 0;
  std::vector<int> extents;
  ASSERT_TRUE(GetTextExtentExPoint(canvas.Dc(), "ab人物", 24, &fit, &extents, &size));
  EXPECT_EQ(fit, 3);
  EXPECT_EQ(extents, (std::vector<int>{6, 12, 24, 36}));
  int widths[3];
  ASSERT_TRUE(GetCharWidth32(canvas.Dc(), U'a', U'c', widths));
  EXPECT_EQ(widths[2], 6);
}

}  // namespace
}  // namespace kora
