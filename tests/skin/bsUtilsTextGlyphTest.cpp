#include <gtest/gtest.h>

#include "platform/text/TextFlags.h"
#include "skin/bsUtilsTestSupport.h"
#include "skin/data/bsUtils.h"

namespace kora {
namespace {

using namespace test;

// A white bitmap with an 8-point sans font on its canvas.
struct Sheet {
  TBitmap bmp;
  explicit Sheet(int w = 120, int h = 40) {
    bmp.SetSize(w, h);
    Canvas()->Font()->SetName("Arial");
    Canvas()->Font()->SetHeight(-12);
    Canvas()->Brush()->SetStyle(bsClear);
  }
  TCanvas* Canvas() { return bmp.Canvas(); }
  // The bounding box of the non-white pixels; empty on a blank sheet.
  RECT Ink() const {
    RECT box{bmp.Width(), bmp.Height(), 0, 0};
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x)
        if (PixelAt(bmp, x, y) != kWhite)
          box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
    return box;
  }
};

TEST(bsUtilsTextTest, EllipsisKeepsWhatFitsAndAlwaysEndsInDots) {
  Sheet sheet;
  TCanvas* c = sheet.Canvas();
  auto ellipsized = [c](std::string text, int width) {
    EllipsizeText(c, text, width);
    return text;
  };
  EXPECT_EQ(ellipsized("Hello", c->TextWidth("Hello")), "Hello");
  EXPECT_EQ(ellipsized("Hello world", c->TextWidth("Hello...")), "Hello...");
  EXPECT_EQ(ellipsized("Hello", 1), "...");
  EXPECT_EQ(ellipsized("宋体字体", c->TextWidth("宋体...")), "宋体...");  // whole characters go

  std::u16string wide = u"ab\U0001F600\U0001F600";  // surrogate pairs stay whole
  EllipsizeWideText(c, wide, MeasureWideTextWidth(c, u"ab\U0001F600..."));
  EXPECT_EQ(wide, u"ab\U0001F600...");
}

// The rule as it reads: drop the last whole character until the rest and
// "..." fit or nothing is left.
template <class Text, class Measure>
Text DroppedOneByOne(Text text, int width, Measure measure) {
  const Text dots = {'.', '.', '.'};
  if (measure(text) <= width) return text;
  do {
    std::size_t n = text.size() - 1;
    if constexpr (sizeof(typename Text::value_type) == 1) {
      while (n > 0 && (uint8_t(text[n]) & 0xC0) == 0x80) --n;
    } else if (n > 0 && text[n] >= 0xDC00 && text[n] <= 0xDFFF && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) {
      --n;
    }
    text.resize(n);
  } while (!text.empty() && measure(text + dots) > width);
  return text + dots;
}

TEST(bsUtilsTextTest, EllipsisCutsWhereDroppingOneCharacterAtATimeWould) {
  Sheet sheet;
  TCanvas* c = sheet.Canvas();
  for (std::string text : {"Hello, 宋体 world", "a&b&&c",
                           "ab\x80\x80"
                           "c\xE4\xB8"}) {
    auto measure = [c](const std::string& t) { return c->TextWidth(t); };
    for (int width = -1; width <= measure(text) + 1; ++width) {
      std::string shortened = text;
      EllipsizeText(c, shortened, width);
      EXPECT_EQ(shortened, DroppedOneByOne(text, width, measure)) << text << " in " << width;
    }
  }
  // No room at all: an empty text still comes back as the ellipsis alone.
  std::u16string none;
  EllipsizeWideText(c, none, -1);
  EXPECT_EQ(none, u"...");
  // Line breaks make some longer texts narrower; the cut must not change.
  for (std::u16string text :
       {u"ab\U0001F600cd\U0001F600", u"x\xD800y\xDC00z\xDBFF", u"&Save 宋体", u"one\ntwo three", u"ab\r\ncdefgh"}) {
    auto measure = [c](const std::u16string& t) { return MeasureWideTextWidth(c, t); };
    for (int width = -1; width <= measure(text) + 1; ++width) {
      std::u16string shortened = text;
      EllipsizeWideText(c, shortened, width);
      EXPECT_EQ(shortened, DroppedOneByOne(text, width, measure)) << width;
    }
  }
}

TEST(bsUtilsTextTest, WideAndItemTextsDrawWhereTheyShould) {
  Sheet sheet;
  TCanvas* c = sheet.Canvas();
  EXPECT_EQ(MeasureWideTextWidth(c, u"Skin 宋体"), c->TextWidth("Skin 宋体"));
  EXPECT_EQ(MeasureWideTextHeight(c, u"a\nb"), 2 * c->TextHeight("a"));
  RECT r{10, 5, 110, 35};
  EXPECT_EQ(DrawWideText(c, u"Skin", r, DT_SINGLELINE), c->TextHeight("Skin"));
  ASSERT_FALSE(IsEmptyRect(sheet.Ink()));
  EXPECT_GE(sheet.Ink().Left, 10);

  Sheet single;
  DrawSingleLineText(single.Canvas(), "Hg", {20, 0, 100, 40});
  ASSERT_FALSE(IsEmptyRect(single.Ink()));
  EXPECT_LE(std::abs(single.Ink().Top + single.Ink().Bottom - 40), 6);  // centred within a few pixels

  Sheet item;
  DrawItemText(item.Canvas(), "Wide item text", {30, 10, 60, 30}, 5);
  ASSERT_FALSE(IsEmptyRect(item.Ink()));
  EXPECT_GE(item.Ink().Left, 37);
  EXPECT_LE(item.Ink().Right, 60);  // clipped to the rectangle
}

std::string Glyph(void (*draw)(TCanvas*, int, int, TColor), int w, int h) {
  Sheet sheet(w + 4, h + 4);
  draw(sheet.Canvas(), 2, 2, clBlack);
  return Ascii(sheet.bmp, {2, 2, 2 + w, 2 + h});
}

TEST(bsUtilsGlyphTest, GlyphsHaveTheirClassicShapes) {
  EXPECT_EQ(Glyph(DrawCloseGlyph, 11, 10),
            "...........\n.##.....##.\n..##...##..\n...##.##...\n....###....\n"
            "....###....\n...##.##...\n..##...##..\n.##.....##.\n...........\n");
  EXPECT_EQ(Glyph(DrawCheckMark, 8, 8),
            "........\n......#.\n.....##.\n#...###.\n##.###..\n#####...\n.###....\n..#.....\n");

  Sheet drop(10, 10);
  DrawDropDownArrow(drop.Canvas(), {0, 0, 10, 10}, clBlack);
  EXPECT_EQ(Ascii(drop.bmp, {0, 5, 10, 8}), "...#####..\n....###...\n.....#....\n");
}

TEST(bsUtilsGlyphTest, ArrowsPointTheirWayAndMirrorEachOther) {
  std::string arrows[5];
  for (int d = 0; d < 5; ++d) {
    Sheet sheet(10, 10);
    DrawArrow(sheet.Canvas(), {0, 0, 10, 10}, clBlack, d);
    arrows[d] = Ascii(sheet.bmp, {0, 0, 10, 10});
  }
  const std::string &left = arrows[1], &right = arrows[2], &up = arrows[3], &down = arrows[4];
  EXPECT_EQ(down.substr(44), "..#######.\n...#####..\n....###...\n.....#....\n..........\n..........\n");
  const auto at = [](const std::string& s, int x, int y) { return s[std::size_t(y * 11 + x)]; };
  for (int y = 1; y < 10; ++y)
    for (int x = 1; x < 10; ++x) {
      EXPECT_EQ(at(right, x, y), at(down, y, x));  // right is down turned over
      EXPECT_EQ(at(left, 10 - x, y), at(right, x, y));
      EXPECT_EQ(at(up, x, 10 - y), at(down, x, y));
    }
  EXPECT_EQ(arrows[0].find('#'), std::string::npos);  // unknown direction
}

}  // namespace
}  // namespace kora
