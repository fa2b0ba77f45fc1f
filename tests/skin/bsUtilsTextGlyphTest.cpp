#include <gtest/gtest.h>

#include "platform/TextFlags.h"
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
        Fill(bmp, kWhite);
        Canvas()->Font()->SetName("Arial");
        Canvas()->Font()->SetHeight(-12);
        Canvas()->Font()->SetColor(clBlack);
        Canvas()->Brush()->SetStyle(bsClear);
    }
    TCanvas* Canvas() { return bmp.Canvas(); }
    // The bounding box of the non-white pixels.
    RECT Ink() const {
        RECT box{bmp.Width(), bmp.Height(), 0, 0};
        for (int y = 0; y < bmp.Height(); ++y)
            for (int x = 0; x < bmp.Width(); ++x)
                if (PixelAt(bmp, x, y) != kWhite)
                    box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                           std::max(box.Bottom, y + 1)};
        return box;
    }
};

TEST(bsUtilsTextTest, EllipsisKeepsWhatFitsAndAlwaysEndsInDots) {
    Sheet sheet;
    TCanvas* c = sheet.Canvas();
    std::string fits = "Hello";
    EllipsizeText(c, fits, c->TextWidth("Hello"));
    EXPECT_EQ(fits, "Hello");

    std::string longer = "Hello world";
    EllipsizeText(c, longer, c->TextWidth("Hello..."));
    EXPECT_EQ(longer, "Hello...");

    std::string nothing = "Hello";
    EllipsizeText(c, nothing, 1);
    EXPECT_EQ(nothing, "...");

    // Whole characters go, never half of one.
    std::string chinese = "宋体字体";
    EllipsizeText(c, chinese, c->TextWidth("宋体..."));
    EXPECT_EQ(chinese, "宋体...");

    std::u16string wide = u"Hello world";
    EllipsizeWideText(c, wide, c->TextWidth("Hello..."));
    EXPECT_EQ(wide, u"Hello...");
    std::u16string pair = u"ab\U0001F600\U0001F600";
    EllipsizeWideText(c, pair, MeasureWideTextWidth(c, u"ab\U0001F600..."));
    EXPECT_EQ(pair, u"ab\U0001F600...");
}

TEST(bsUtilsTextTest, WideTextDrawsAndMeasuresLikeItsUtf8Form) {
    Sheet sheet;
    TCanvas* c = sheet.Canvas();
    EXPECT_EQ(MeasureWideTextWidth(c, u"Skin 宋体"), c->TextWidth("Skin 宋体"));
    EXPECT_EQ(MeasureWideTextHeight(c, u"Skin"), c->TextHeight("Skin"));
    EXPECT_EQ(MeasureWideTextHeight(c, u"a\nb"), 2 * c->TextHeight("a"));
    RECT r{10, 5, 110, 35};
    EXPECT_EQ(DrawWideText(c, u"Skin", r, DT_SINGLELINE), c->TextHeight("Skin"));
    const RECT ink = sheet.Ink();
    EXPECT_GE(ink.Left, 10);
    EXPECT_GE(ink.Top, 5);
    EXPECT_LE(ink.Right, 10 + c->TextWidth("Skin"));
}

TEST(bsUtilsTextTest, ItemTextsAreCentredAndClipped) {
    Sheet single;
    DrawSingleLineText(single.Canvas(), "Hg", {20, 0, 100, 40});
    RECT ink = single.Ink();
    EXPECT_GE(ink.Left, 20);
    EXPECT_LE(std::abs((ink.Top + ink.Bottom) - 40), 6);  // ink centred within a few pixels

    Sheet item;
    const int h = item.Canvas()->TextHeight("Wide item text");
    DrawItemText(item.Canvas(), "Wide item text", {30, 10, 60, 30}, 5);
    ink = item.Ink();
    EXPECT_GE(ink.Left, 37);
    EXPECT_LE(ink.Right, 60);  // clipped
    EXPECT_GE(ink.Top, 20 - h / 2);

    Sheet empty;
    DrawItemText(empty.Canvas(), "", {0, 0, 100, 40});
    DrawSingleLineText(empty.Canvas(), "", {0, 0, 100, 40});
    EXPECT_TRUE(Uniform(empty.bmp, {0, 0, 120, 40}, kWhite));
}

std::string Glyph(void (*draw)(TCanvas*, int, int, TColor), int w, int h) {
    Sheet sheet(w + 4, h + 4);
    draw(sheet.Canvas(), 2, 2, clBlack);
    return Ascii(sheet.bmp, {2, 2, 2 + w, 2 + h});
}

TEST(bsUtilsGlyphTest, CaptionGlyphsHaveTheirClassicShapes) {
    EXPECT_EQ(Glyph(DrawCloseGlyph, 11, 10),
              "...........\n"
              ".##.....##.\n"
              "..##...##..\n"
              "...##.##...\n"
              "....###....\n"
              "....###....\n"
              "...##.##...\n"
              "..##...##..\n"
              ".##.....##.\n"
              "...........\n");
    EXPECT_EQ(Glyph(DrawMaximizeGlyph, 11, 10),
              "###########\n"
              "###########\n"
              "#.........#\n"
              "#.........#\n"
              "#.........#\n"
              "#.........#\n"
              "#.........#\n"
              "#.........#\n"
              "#.........#\n"
              "###########\n");
    EXPECT_EQ(Glyph(DrawRestoreGlyph, 10, 10),
              "..########\n"
              "..########\n"
              "..#......#\n"
              "..#......#\n"
              "#######..#\n"
              "##########\n"
              "#.....#...\n"
              "#.....#...\n"
              "#.....#...\n"
              "#######...\n");
    EXPECT_EQ(Glyph(DrawMinimizeGlyph, 10, 10).substr(88), ".########.\n.########.\n");
    EXPECT_EQ(Glyph(DrawSysMenuGlyph, 10, 6).substr(33), ".########.\n.#......#.\n.########.\n");
    EXPECT_EQ(Glyph(DrawRollUpGlyph, 10, 7).substr(22),
              "..........\n"
              "....##....\n"
              "...####...\n"
              "..######..\n"
              ".########.\n");
    EXPECT_EQ(Glyph(DrawRollDownGlyph, 10, 7).substr(22),
              ".########.\n"
              "..######..\n"
              "...####...\n"
              "....##....\n"
              "..........\n");
    EXPECT_EQ(Glyph(DrawTrayGlyph, 8, 8).substr(18), "..#####.\n..#####.\n..#####.\n..#####.\n..#####.\n........\n");
    EXPECT_EQ(Glyph(DrawRadioDot, 7, 7), std::string(6, '#') + ".\n" + std::string(6, '#') + ".\n" +
                                              std::string(6, '#') + ".\n" + std::string(6, '#') + ".\n" +
                                              std::string(6, '#') + ".\n" + std::string(6, '#') + ".\n.......\n");
    EXPECT_EQ(Glyph(DrawCheckMark, 8, 8),
              "........\n"
              "......#.\n"
              ".....##.\n"
              "#...###.\n"
              "##.###..\n"
              "#####...\n"
              ".###....\n"
              "..#.....\n");
}

std::string Arrow(int direction) {
    Sheet sheet(10, 10);
    DrawArrow(sheet.Canvas(), {0, 0, 10, 10}, clBlack, direction);
    return Ascii(sheet.bmp, {0, 0, 10, 10});
}

TEST(bsUtilsGlyphTest, ArrowsPointTheirWayAndMirrorEachOther) {
    const std::string down = Arrow(4);
    EXPECT_EQ(down.substr(44, 44),
              "..#######.\n"
              "...#####..\n"
              "....###...\n"
              ".....#....\n");
    const std::string left = Arrow(1), right = Arrow(2), up = Arrow(3);
    const auto at = [](const std::string& s, int x, int y) { return s[std::size_t(y * 11 + x)]; };
    for (int y = 1; y < 10; ++y)
        for (int x = 1; x < 10; ++x) {
            EXPECT_EQ(at(right, x, y), at(down, y, x)) << x << "," << y;  // right is down turned over
            EXPECT_EQ(at(left, 10 - x, y), at(right, x, y)) << x << "," << y;
            EXPECT_EQ(at(up, x, 10 - y), at(down, x, y)) << x << "," << y;
        }
    EXPECT_EQ(Arrow(0), Arrow(9));
    EXPECT_EQ(Arrow(0).find('#'), std::string::npos);

    Sheet drop(10, 10);
    DrawDropDownArrow(drop.Canvas(), {0, 0, 10, 10}, clBlack);
    EXPECT_EQ(Ascii(drop.bmp, {0, 5, 10, 8}), "...#####..\n....###...\n.....#....\n");
}

TEST(bsUtilsGlyphTest, GlyphsLeaveTheBrushAsItWas) {
    Sheet sheet;
    sheet.Canvas()->Brush()->SetStyle(bsSolid);
    sheet.Canvas()->Brush()->SetColor(clRed);
    DrawMaximizeGlyph(sheet.Canvas(), 0, 0, clBlue);
    DrawTrayGlyph(sheet.Canvas(), 20, 0, clBlue);
    EXPECT_EQ(sheet.Canvas()->Brush()->Style(), bsSolid);
    EXPECT_EQ(sheet.Canvas()->Brush()->Color(), clRed);
    EXPECT_EQ(PixelAt(sheet.bmp, 5, 5), kWhite);        // hollow inside
    EXPECT_EQ(PixelAt(sheet.bmp, 24, 4), 0x0000FFu);    // filled in the glyph colour
}

}  // namespace
}  // namespace kora
