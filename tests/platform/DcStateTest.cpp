#include <gtest/gtest.h>

#include "platform/GdiTestCanvas.h"

namespace kora {
namespace {

using test::kBlack;
using test::kRed;
using test::kWhite;
using test::TestCanvas;

void FillAll(HDC dc, COLORREF color, int w, int h) {
  const RECT all{0, 0, w, h};
  FillSolidRect(dc, all, color);
}

TEST(DcStateTest, ClippingWithSaveAndRestore) {
  TestCanvas c(6, 4);
  const int level = SaveDC(c.Dc);
  EXPECT_EQ(level, 1);
  EXPECT_EQ(IntersectClipRect(c.Dc, 1, 1, 5, 3), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(c.Dc, 2, 1, 4, 2), COMPLEXREGION);
  RECT box;
  EXPECT_EQ(GetClipBox(c.Dc, &box), COMPLEXREGION);
  EXPECT_EQ(box, (RECT{1, 1, 5, 3}));
  FillAll(c.Dc, kBlack, 6, 4);
  EXPECT_EQ(GetPixel(c.Dc, 0, 0), CLR_INVALID);  // outside the clip
  EXPECT_EQ(SetPixel(c.Dc, 0, 0, kRed), CLR_INVALID);
  EXPECT_FALSE(PtVisible(c.Dc, 2, 1));
  EXPECT_TRUE(RestoreDC(c.Dc, -1));
  EXPECT_EQ(GetClipBox(c.Dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{0, 0, 6, 4}));
  EXPECT_EQ(c.Ascii(),
            "......\n"
            ".#..#.\n"
            ".####.\n"
            "......\n");
}

TEST(DcStateTest, OriginsMoveDrawingButNotTheClip) {
  TestCanvas c(6, 4);
  EXPECT_EQ(IntersectClipRect(c.Dc, 0, 0, 4, 4), SIMPLEREGION);
  POINT old;
  EXPECT_TRUE(SetViewportOrgEx(c.Dc, 2, 1, &old));
  EXPECT_EQ(old, (POINT{0, 0}));
  EXPECT_TRUE(SetWindowOrgEx(c.Dc, 1, 0, nullptr));  // logical (x, y) lands at (x + 1, y + 1)
  SetPixel(c.Dc, 0, 0, kBlack);                      // at (1, 1)
  SetPixel(c.Dc, 3, 0, kBlack);                      // at (4, 1): clipped, the clip stays in device units
  RECT box;
  GetClipBox(c.Dc, &box);
  EXPECT_EQ(box, (RECT{-1, -1, 3, 3}));
  POINT p{0, 0};
  LPtoDP(c.Dc, &p, 1);
  EXPECT_EQ(p, (POINT{1, 1}));
  DPtoLP(c.Dc, &p, 1);
  EXPECT_EQ(p, (POINT{0, 0}));
  EXPECT_EQ(c.Ascii(),
            "......\n"
            ".#....\n"
            "......\n"
            "......\n");
  // Clip operations after the origin change use the new logical units.
  SelectClipRgn(c.Dc, HRGN());
  IntersectClipRect(c.Dc, 2, 1, 3, 2);  // device (3, 2)
  FillAll(c.Dc, kRed, 6, 4);
  EXPECT_EQ(c.At(3, 2), kRed);
  EXPECT_EQ(c.At(2, 2), kWhite);
}

TEST(DcStateTest, SaveLevelsObjectsAndTheGuard) {
  TestCanvas c(2, 1);
  HPEN pen = CreatePen(PS_SOLID, 1, kRed);
  SetTextColor(c.Dc, kRed);
  {
    ScopedSaveDC guard(c.Dc);
    EXPECT_EQ(guard.Level(), 1);
    SelectObject(c.Dc, pen);
    SetTextColor(c.Dc, kBlack);
    SetBkMode(c.Dc, TRANSPARENT);
    EXPECT_EQ(SaveDC(c.Dc), 2);
    SetViewportOrgEx(c.Dc, 5, 5, nullptr);
    EXPECT_FALSE(DeleteObject(pen));  // selected
  }
  EXPECT_EQ(GetTextColor(c.Dc), kRed);
  EXPECT_EQ(GetBkMode(c.Dc), OPAQUE);
  EXPECT_EQ(GetCurrentObject(c.Dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  POINT org;
  GetViewportOrgEx(c.Dc, &org);
  EXPECT_EQ(org, (POINT{0, 0}));
  EXPECT_FALSE(RestoreDC(c.Dc, 1));  // nothing saved any more
  EXPECT_TRUE(DeleteObject(pen));

  // A pen deleted while only a saved state refers to it comes back as the default.
  HPEN gone = CreatePen(PS_SOLID, 1, kRed);
  SelectObject(c.Dc, gone);
  SaveDC(c.Dc);
  SelectObject(c.Dc, GetStockObject(WHITE_PEN));
  EXPECT_TRUE(DeleteObject(gone));
  EXPECT_TRUE(RestoreDC(c.Dc, -1));
  EXPECT_EQ(GetCurrentObject(c.Dc, OBJ_PEN), GetStockObject(BLACK_PEN));
}

TEST(DcStateTest, SurfaceDcsDrawThroughOriginAndVisibleRegion) {
  TestCanvas c(8, 4);
  // A "window" at (2, 1) whose lower-right part is covered.
  const Region visible = Region(RECT{2, 1, 8, 4}).Subtract(Region(RECT{5, 2, 8, 4}));
  HDC win = CreateSurfaceDC(c.Bitmap, {2, 1}, &visible);
  ASSERT_TRUE(win);
  SetDCOwnerTag(win, 42);
  EXPECT_EQ(GetDCOwnerTag(win), 42u);
  FillAll(win, kBlack, 10, 10);
  EXPECT_EQ(c.Ascii(),
            "........\n"
            "..######\n"
            "..###...\n"
            "..###...\n");
  // The DC's own clip narrows further and is relative to its origin.
  IntersectClipRect(win, 0, 0, 1, 1);
  FillAll(win, kRed, 10, 10);
  EXPECT_EQ(c.At(2, 1), kRed);
  EXPECT_EQ(c.At(3, 1), kBlack);
  POINT origin;
  EXPECT_TRUE(GetDCDeviceOrigin(win, &origin));
  EXPECT_EQ(origin, (POINT{2, 1}));

  // Deleting the surface makes the DC fail instead of writing freed memory.
  HBITMAP surface = CreateCompatibleBitmap(HDC(), 4, 4);
  HDC lost = CreateSurfaceDC(surface, {0, 0}, nullptr);
  EXPECT_TRUE(DeleteObject(surface));
  EXPECT_EQ(FillRect(lost, &visible.Bounds(), HBRUSH(GetStockObject(BLACK_BRUSH))), 0);
  DeleteDC(lost);
  DeleteDC(win);
}

TEST(DcStateTest, GlyphMasksBlendThroughTheClip) {
  TestCanvas c(4, 2);
  const uint8_t coverage[8] = {0, 128, 255, 64, 255, 255, 255, 255};
  GlyphMask mask{coverage, 4, 2, 4, false};
  IntersectClipRect(c.Dc, 0, 0, 4, 1);
  EXPECT_TRUE(BlendGlyphMask(c.Dc, 0, 0, mask, kBlack));
  EXPECT_EQ(c.At(0, 0), kWhite);
  EXPECT_EQ(c.At(1, 0), RGB(127, 127, 127));
  EXPECT_EQ(c.At(2, 0), kBlack);
  EXPECT_EQ(c.At(0, 1), kWhite);         // clipped
  const uint8_t bits[2] = {0xA0, 0x40};  // 1010 / 0100
  GlyphMask mono{bits, 4, 2, 1, true};
  SelectClipRgn(c.Dc, HRGN());
  c.Fill(kWhite);
  BlendGlyphMask(c.Dc, 0, 0, mono, kRed);
  EXPECT_EQ(c.Ascii({{kRed, 'r'}}), "r.r.\n.r..\n");
}

TEST(DcStateTest, BadHandlesFailCleanly) {
  HDC dc = CreateCompatibleDC(HDC());
  EXPECT_TRUE(DeleteDC(dc));
  const RECT r{0, 0, 2, 2};
  POINT p{1, 1};
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(FillRect(dc, &r, HBRUSH(GetStockObject(BLACK_BRUSH))), 0);
  EXPECT_FALSE(LineTo(dc, 1, 1));
  EXPECT_FALSE(BitBlt(dc, 0, 0, 1, 1, dc, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
  EXPECT_EQ(SaveDC(dc), 0);
  EXPECT_EQ(SelectClipRgn(dc, HRGN()), ERROR);
  EXPECT_FALSE(SelectObject(dc, GetStockObject(BLACK_PEN)));
  EXPECT_FALSE(LPtoDP(dc, &p, 1));
  EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
  EXPECT_FALSE(BlendGlyphMask(dc, 0, 0, GlyphMask{}, 0));

  // A handle of another kind is not accepted either.
  TestCanvas c(2, 2);
  HRGN region = CreateRectRgn(0, 0, 1, 1);
  EXPECT_FALSE(SelectObject(c.Dc, region));
  EXPECT_EQ(FillRect(c.Dc, &r, HBRUSH(region)), 0);
  EXPECT_EQ(GetObjectType(region), OBJ_REGION);
  DeleteObject(region);
  EXPECT_EQ(GetObjectType(region), 0);
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));  // stock objects stay
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), OBJ_PEN);
  BITMAP bm;
  EXPECT_EQ(GetObject(HBITMAP(GetStockObject(BLACK_PEN)), &bm), 0);
}

}  // namespace
}  // namespace kora
