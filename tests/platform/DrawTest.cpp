#include <gtest/gtest.h>

#include "platform/GdiTestCanvas.h"

namespace kora {
namespace {

using test::kBlack;
using test::kBlue;
using test::kRed;
using test::kWhite;
using test::Selected;
using test::TestCanvas;

TEST(DrawTest, LinesLeaveOutTheirEndPoint) {
  TestCanvas c(7, 5);
  MoveToEx(c.Dc, 1, 1, nullptr);
  LineTo(c.Dc, 5, 1);
  MoveToEx(c.Dc, 0, 4, nullptr);
  LineTo(c.Dc, 3, 1);  // diagonal up: (0,4) (1,3) (2,2)
  POINT pos;
  GetCurrentPositionEx(c.Dc, &pos);
  EXPECT_EQ(pos, (POINT{3, 1}));
  EXPECT_EQ(c.Ascii(),
            ".......\n"
            ".####..\n"
            "..#....\n"
            ".#.....\n"
            "#......\n");

  // A polyline draws each inner vertex once and leaves out the last point.
  TestCanvas p(5, 4);
  const POINT pts[] = {{0, 0}, {3, 0}, {3, 3}, {0, 3}};
  {
    Selected pen(p.Dc, CreatePen(PS_SOLID, 1, kRed));
    SetROP2(p.Dc, R2_XORPEN);  // a pixel drawn twice would cancel out
    EXPECT_TRUE(Polyline(p.Dc, pts, 4));
  }
  EXPECT_EQ(p.Ascii({{RGB(0, 255, 255), 'x'}}),
            "xxxx.\n"
            "...x.\n"
            "...x.\n"
            ".xxx.\n");
}

TEST(DrawTest, WideAndDottedPens) {
  TestCanvas c(12, 7);
  {
    Selected pen(c.Dc, CreatePen(PS_SOLID, 3, kBlack));
    MoveToEx(c.Dc, 1, 1, nullptr);
    LineTo(c.Dc, 6, 1);
  }
  EXPECT_EQ(c.Ascii({0, 0, 8, 3}),
            "#######.\n"
            "#######.\n"
            "#######.\n");

  // Dots are three on, three off; OPAQUE fills the gaps with the background colour.
  TestCanvas d(12, 2);
  Selected pen(d.Dc, CreatePen(PS_DOT, 1, kBlack));
  SetBkColor(d.Dc, kRed);
  SetBkMode(d.Dc, OPAQUE);
  MoveToEx(d.Dc, 0, 0, nullptr);
  LineTo(d.Dc, 12, 0);
  SetBkMode(d.Dc, TRANSPARENT);
  MoveToEx(d.Dc, 0, 1, nullptr);
  LineTo(d.Dc, 12, 1);
  EXPECT_EQ(d.Ascii({{kRed, 'r'}}),
            "###rrr###rrr\n"
            "###...###...\n");
}

TEST(DrawTest, AbsurdCoordinatesAreClippedCheaply) {
  TestCanvas c(10, 3);
  {
    Selected pen(c.Dc, CreatePen(PS_DOT, 1, kBlack));
    SetBkMode(c.Dc, TRANSPARENT);
    MoveToEx(c.Dc, -100000, 0, nullptr);  // the dash phase is kept across the unseen part
    LineTo(c.Dc, 100000, 0);
  }
  {
    Selected pen(c.Dc, CreatePen(PS_SOLID, 3, kRed));
    MoveToEx(c.Dc, INT32_MIN, 2, nullptr);
    LineTo(c.Dc, INT32_MAX, 2);
    SelectObject(c.Dc, GetStockObject(NULL_BRUSH));
    Ellipse(c.Dc, -1000000000, -1000000000, 1000000000, 1000000000);  // its outline lies far outside
  }
  const RECT huge{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  DrawFocusRect(c.Dc, &huge);
  SetViewportOrgEx(c.Dc, 5, 5, nullptr);
  EXPECT_EQ(FillRect(c.Dc, &huge, HBRUSH(GetStockObject(NULL_BRUSH))), 0);
  EXPECT_TRUE(PatBlt(c.Dc, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, BLACKNESS));
  EXPECT_EQ(c.Ascii({0, 0, 10, 1}, {{kRed, 'r'}}), "..###...##\n");
  EXPECT_EQ(c.Ascii({0, 2, 10, 3}, {{kRed, 'r'}}), "rrrrrrrrrr\n");
}

TEST(DrawTest, FillFrameAndRectangleRules) {
  TestCanvas c(8, 6);
  HBRUSH red = CreateSolidBrush(kRed);
  const RECT fill{1, 1, 4, 3}, frame{0, 0, 8, 6};
  EXPECT_EQ(FillRect(c.Dc, &fill, red), 1);
  EXPECT_EQ(FrameRect(c.Dc, &frame, HBRUSH(GetStockObject(BLACK_BRUSH))), 1);
  EXPECT_EQ(c.Ascii({{kRed, 'r'}}),
            "########\n"
            "#rrr...#\n"
            "#rrr...#\n"
            "#......#\n"
            "#......#\n"
            "########\n");

  // Pen outline on the edge pixels, brush inside; without a pen the fill
  // stops one pixel short on the right and bottom.
  TestCanvas r(8, 5);
  {
    Selected brush(r.Dc, CreateSolidBrush(kRed));
    EXPECT_TRUE(Rectangle(r.Dc, 0, 0, 5, 4));
    SelectObject(r.Dc, GetStockObject(NULL_PEN));
    EXPECT_TRUE(Rectangle(r.Dc, 5, 0, 8, 3));
    SelectObject(r.Dc, GetStockObject(BLACK_PEN));
  }
  SelectObject(r.Dc, GetStockObject(NULL_BRUSH));
  EXPECT_TRUE(Rectangle(r.Dc, 1, 3, 8, 5));
  EXPECT_EQ(r.Ascii({{kRed, 'r'}}),
            "#####rr.\n"
            "#rrr#rr.\n"
            "#rrr#...\n"
            "########\n"
            ".#######\n");
  DeleteObject(red);
}

TEST(DrawTest, EllipsesAndRoundRectsAreSymmetricAndInsideTheirBox) {
  TestCanvas c(12, 10);
  Selected brush(c.Dc, CreateSolidBrush(kRed));
  EXPECT_TRUE(Ellipse(c.Dc, 1, 1, 11, 9));
  const std::string art = c.Ascii({{kRed, 'r'}});
  std::vector<std::string> rows;
  for (std::size_t at = 0; at < art.size(); at = art.find('\n', at) + 1) rows.push_back(art.substr(at, 12));
  for (int y = 0; y < 10; ++y) {
    EXPECT_EQ(rows[std::size_t(y)], std::string(rows[std::size_t(y)].rbegin(), rows[std::size_t(y)].rend()));
    EXPECT_EQ(rows[std::size_t(y)], rows[std::size_t(9 - y)]);
  }
  EXPECT_EQ(rows[0], "............");
  EXPECT_EQ(rows[1].substr(0, 4), "....");  // corners stay clear
  EXPECT_EQ(rows[4], ".#rrrrrrrr#.");       // outline at the sides, fill between
  EXPECT_EQ(rows[1].find_first_not_of('.'), rows[1].find('#'));

  TestCanvas rr(10, 6);
  SelectObject(rr.Dc, GetStockObject(NULL_BRUSH));
  EXPECT_TRUE(RoundRect(rr.Dc, 0, 0, 10, 6, 4, 4));
  EXPECT_EQ(rr.Ascii(),
            ".########.\n"
            "#........#\n"
            "#........#\n"
            "#........#\n"
            "#........#\n"
            ".########.\n");
}

TEST(DrawTest, PolygonFillsInsideAndOutlinesThroughTheVertices) {
  TestCanvas c(7, 6);
  Selected brush(c.Dc, CreateSolidBrush(kRed));
  const POINT square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
  EXPECT_TRUE(Polygon(c.Dc, square, 4));
  EXPECT_EQ(c.Ascii({{kRed, 'r'}}),
            ".......\n"
            ".#####.\n"
            ".#rrr#.\n"
            ".#rrr#.\n"
            ".#rrr#.\n"
            ".#####.\n");
}

TEST(DrawTest, MixModesPatternsAndFocusRectanglesUndoThemselves) {
  TestCanvas c(9, 7);
  const RECT r{1, 1, 8, 6};
  c.Fill(RGB(10, 20, 30));
  const std::string before = c.Ascii({{RGB(10, 20, 30), 'o'}});
  DrawFocusRect(c.Dc, &r);
  EXPECT_EQ(c.Ascii({{RGB(10, 20, 30), 'o'}, {RGB(245, 235, 225), 'x'}}),
            "ooooooooo\n"
            "oxoxoxoxo\n"
            "ooooooooo\n"
            "oxoooooxo\n"
            "ooooooooo\n"
            "oxoxoxoxo\n"
            "ooooooooo\n");
  DrawFocusRect(c.Dc, &r);
  EXPECT_EQ(c.Ascii({{RGB(10, 20, 30), 'o'}}), before);

  EXPECT_TRUE(InvertRect(c.Dc, &r));
  EXPECT_EQ(c.At(1, 1), RGB(245, 235, 225));
  EXPECT_TRUE(PatBlt(c.Dc, 1, 1, 7, 5, DSTINVERT));
  EXPECT_EQ(c.Ascii({{RGB(10, 20, 30), 'o'}}), before);

  HGDIOBJ old = SelectObject(c.Dc, CreateSolidBrush(kBlue));
  EXPECT_TRUE(PatBlt(c.Dc, 8, 6, -2, -2, PATCOPY));  // negative extents cover (6, 4)..(7, 5)
  EXPECT_EQ(c.At(6, 4), kBlue);
  EXPECT_EQ(c.At(7, 5), kBlue);
  EXPECT_EQ(c.At(8, 6), RGB(10, 20, 30));
  EXPECT_TRUE(PatBlt(c.Dc, 0, 0, 1, 1, WHITENESS));
  EXPECT_TRUE(PatBlt(c.Dc, 1, 0, 1, 1, BLACKNESS));
  EXPECT_EQ(c.At(0, 0), kWhite);
  EXPECT_EQ(c.At(1, 0), kBlack);
  EXPECT_FALSE(PatBlt(c.Dc, 0, 0, 1, 1, SRCCOPY));  // needs a source
  DeleteObject(SelectObject(c.Dc, old));

  Selected pen(c.Dc, CreatePen(PS_SOLID, 1, RGB(255, 0, 255)));
  SetROP2(c.Dc, R2_XORPEN);
  MoveToEx(c.Dc, 0, 3, nullptr);
  LineTo(c.Dc, 9, 3);
  EXPECT_EQ(c.At(4, 3), RGB(10 ^ 255, 20, 30 ^ 255));
  MoveToEx(c.Dc, 0, 3, nullptr);
  LineTo(c.Dc, 9, 3);
  EXPECT_EQ(c.At(4, 3), RGB(10, 20, 30));
}

TEST(DrawTest, RaisedAndSunkenEdges) {
  TestCanvas c(6, 5);
  RECT r{0, 0, 6, 5};
  EXPECT_TRUE(DrawEdge(c.Dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST));
  EXPECT_EQ(r, (RECT{2, 2, 4, 3}));
  const std::map<COLORREF, char> legend = {
      {GetSysColor(COLOR_3DLIGHT), 'l'}, {GetSysColor(COLOR_3DDKSHADOW), 'd'}, {GetSysColor(COLOR_BTNSHADOW), 's'}};
  // The light scheme's button face equals 3D light, so the middle reads as 'l'.
  EXPECT_EQ(c.Ascii(legend),
            "llllld\n"
            "l...sd\n"
            "l.llsd\n"
            "lssssd\n"
            "dddddd\n");
  RECT s{0, 0, 6, 5};
  EXPECT_TRUE(DrawEdge(c.Dc, &s, EDGE_SUNKEN, BF_RECT));
  EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(c.At(5, 4), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(c.At(1, 1), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(c.At(4, 3), GetSysColor(COLOR_3DLIGHT));
}

TEST(DrawTest, SystemColoursResolveEverywhere) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_MENUBAR), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(31), 0u);
  EXPECT_EQ(ColorToRGB(0xFF000000 | COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(ColorToRGB(RGB(1, 2, 3)), RGB(1, 2, 3));

  TestCanvas c(3, 1);
  const RECT a{0, 0, 1, 1}, b{1, 0, 2, 1};
  FillRect(c.Dc, &a, HBRUSH(COLOR_BTNSHADOW + 1));  // the classic "index + 1" brush
  FillRect(c.Dc, &b, GetSysColorBrush(COLOR_HIGHLIGHT));
  SetPixel(c.Dc, 2, 0, 0xFF000000 | COLOR_INFOBK);
  EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(c.At(1, 0), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(c.At(2, 0), GetSysColor(COLOR_INFOBK));
  EXPECT_TRUE(DeleteObject(GetSysColorBrush(COLOR_HIGHLIGHT)));  // shared: survives
  EXPECT_EQ(GetObjectType(GetSysColorBrush(COLOR_HIGHLIGHT)), OBJ_BRUSH);
}

TEST(DrawTest, GeometryHelpers) {
  RECT r, a{0, 0, 10, 10}, b{5, 5, 20, 8}, empty{3, 3, 3, 9};
  EXPECT_TRUE(IntersectRect(&r, &a, &b));
  EXPECT_EQ(r, (RECT{5, 5, 10, 8}));
  EXPECT_FALSE(IntersectRect(&r, &a, &empty));
  EXPECT_EQ(r, RECT{});
  EXPECT_TRUE(UnionRect(&r, &a, &empty));
  EXPECT_EQ(r, a);
  EXPECT_TRUE(UnionRect(&r, &a, &b));
  EXPECT_EQ(r, (RECT{0, 0, 20, 10}));
  EXPECT_TRUE(PtInRect(&a, {0, 9}));
  EXPECT_FALSE(PtInRect(&a, {10, 5}));
  EXPECT_TRUE(IsRectEmpty(&empty));
  EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
  const RECT top{0, 0, 10, 4};
  EXPECT_TRUE(SubtractRect(&r, &a, &top));
  EXPECT_EQ(r, (RECT{0, 4, 10, 10}));
  EXPECT_TRUE(SubtractRect(&r, &a, &b));  // b removes no whole side
  EXPECT_EQ(r, a);
  r = a;
  InflateRect(&r, -2, 1);
  OffsetRect(&r, 1, 1);
  EXPECT_EQ(r, (RECT{3, 0, 9, 12}));
}

}  // namespace
}  // namespace kora
