// Painting: update regions, erasing, clipping of children and siblings,
// the built-in frame, shapes, opacity and what reaches the backend.

#include <cmath>

#include "WindowTestSupport.h"

namespace kora::test {
namespace {

using PaintTest = WindowTest;

HRGN CreateEllipticRgnForTest(int left, int top, int right, int bottom) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
  const double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
  for (int y = top; y < bottom; ++y) {
    const double dy = (y + 0.5 - cy) / ry;
    const double half = rx * std::sqrt(std::max(0.0, 1 - dy * dy));
    HRGN row = CreateRectRgn(int(cx - half), y, int(cx + half), y + 1);
    CombineRgn(rgn, rgn, row, RGN_OR);
    DeleteObject(row);
  }
  return rgn;
}

constexpr COLORREF kRed = RGB(220, 30, 30);
constexpr COLORREF kBlue = RGB(30, 60, 220);
constexpr COLORREF kGreen = RGB(30, 180, 60);
constexpr COLORREF kYellow = RGB(240, 220, 40);

TEST_F(PaintTest, ChildrenAndHigherSiblingsAreNeverOverdrawn) {
  HWND top = Top(50, 50, 300, 200, WS_POPUP | WS_VISIBLE);
  HWND child = Child(top, 20, 20, 60, 60, WS_CHILD | WS_VISIBLE, 1);
  HWND lower = Child(top, 150, 40, 80, 80, WS_CHILD | WS_VISIBLE, 2);
  HWND upper = Child(top, 190, 80, 80, 80, WS_CHILD | WS_VISIBLE, 3);
  On(top, PaintWith(kRed));
  On(child, PaintWith(kBlue));
  On(lower, PaintWith(kYellow));
  On(upper, PaintWith(kGreen));
  Screen.RunUntilIdle();
  auto shot = Screen.Capture();
  EXPECT_EQ(shot.ColorAt(55, 55), kRed);
  EXPECT_EQ(shot.ColorAt(100, 100), kBlue);
  EXPECT_EQ(shot.ColorAt(210, 100), kYellow);
  EXPECT_EQ(shot.ColorAt(250, 140), kGreen);  // the overlap belongs to the upper sibling

  // The parent and the lower sibling paint again; neither reaches into the others.
  Log().Clear();
  InvalidateRect(top, nullptr, true);
  InvalidateRect(lower, nullptr, true);
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(top, WM_PAINT), 1u);
  EXPECT_EQ(Log().Count(child, WM_PAINT), 0u);
  shot = Screen.Capture();
  EXPECT_EQ(shot.ColorAt(100, 100), kBlue);
  EXPECT_EQ(shot.ColorAt(250, 140), kGreen);
  EXPECT_EQ(shot.ColorAt(210, 100), kYellow);
  Screen.SaveArtifact("paint-child-clipping");

  // Moving a child away uncovers the parent, which repaints there.
  SetWindowPos(child, {}, 20, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Screen.RunUntilIdle();
  shot = Screen.Capture();
  EXPECT_EQ(shot.ColorAt(100, 100), kRed);
  EXPECT_EQ(shot.ColorAt(100, 200), kBlue);
}

TEST_F(PaintTest, BeginPaintClipsToTheUpdateRegionAndPresentsOnlyIt) {
  HWND top = Top(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
  COLORREF color = kRed;
  RECT painted;
  On(top, [&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg != WM_PAINT) return std::nullopt;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    painted = ps.rcPaint;
    RECT all{0, 0, 200, 200};
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc, &all, b);
    DeleteObject(b);
    EndPaint(hwnd, &ps);
    return 0;
  });
  Screen.RunUntilIdle();
  Screen.ClearPresented();
  color = kBlue;
  const RECT small{10, 10, 30, 40};
  InvalidateRect(top, &small, false);
  Screen.RunUntilIdle();
  EXPECT_EQ(painted, small);
  const auto shot = Screen.Capture();
  EXPECT_EQ(shot.ColorAt(15, 15), kBlue);
  EXPECT_EQ(shot.ColorAt(35, 15), kRed);
  ASSERT_EQ(Screen.Presented().size(), 1u);
  EXPECT_EQ(Screen.Presented()[0].Rect, small);
}

TEST_F(PaintTest, EraseUsesTheClassBrushAndReportsWhetherItErased) {
  HWND w = Top(0, 0, 200, 150, WS_POPUP | WS_VISIBLE);
  Screen.RunUntilIdle();
  EXPECT_EQ(Screen.Capture().ColorAt(100, 100), GetSysColor(COLOR_WINDOW));
  bool erasePending = false;
  On(w, [&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_ERASEBKGND) return 0;  // leaves the erasing to WM_PAINT
    if (msg != WM_PAINT) return std::nullopt;
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    erasePending = ps.fErase;
    EndPaint(hwnd, &ps);
    return 0;
  });
  InvalidateRect(w, nullptr, true);
  Screen.RunUntilIdle();
  EXPECT_TRUE(erasePending);
  InvalidateRect(w, nullptr, false);
  Screen.RunUntilIdle();
  EXPECT_FALSE(erasePending);
}

TEST_F(PaintTest, ReleaseDCReleasesOnlyWhatGetDCGave) {
  HWND w = Top(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
  HDC mine = CreateCompatibleDC({});
  EXPECT_EQ(ReleaseDC(w, mine), 0);
  EXPECT_EQ(ReleaseDC({}, mine), 0);
  EXPECT_GT(SaveDC(mine), 0);  // still alive
  DeleteDC(mine);
  HDC client = GetDC(w);
  EXPECT_EQ(WindowFromDC(client), w);
  EXPECT_EQ(ReleaseDC({}, client), 0);  // not the window it came from
  EXPECT_EQ(ReleaseDC(w, client), 1);
  EXPECT_EQ(ReleaseDC({}, GetDC({})), 1);
}

TEST_F(PaintTest, UpdateWindowPaintsAtOnceParentsBeforeChildren) {
  HWND top = Top(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
  HWND child = Child(top, 10, 10, 50, 50);
  Log().Clear();
  UpdateWindow(top);
  EXPECT_TRUE(MatchesSequence(Log().Messages, {{WM_PAINT, top}, {WM_PAINT, child}}));
  MSG m;
  EXPECT_FALSE(PeekMessage(&m, {}, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(PaintTest, PartOfTheFrameGetsNcPaintWithARegion) {
  HWND w = Top(100, 100, 300, 200);
  Screen.RunUntilIdle();
  std::vector<RECT> boxes;
  On(w, [&](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_NCPAINT) {
      RECT box{-1, -1, -1, -1};
      if (wp != 1) GetRgnBox(HRGN(uint64_t(wp)), &box);
      boxes.push_back(box);
    }
    return std::nullopt;
  });
  RedrawWindow(w, nullptr, {}, RDW_INVALIDATE | RDW_FRAME);
  Screen.RunUntilIdle();
  const RECT caption{-20, -20, 40, 0};  // client coordinates: above the client area
  RedrawWindow(w, &caption, {}, RDW_INVALIDATE | RDW_FRAME);
  Screen.RunUntilIdle();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], (RECT{-1, -1, -1, -1}));  // wParam 1: the whole frame
  // The region comes in screen coordinates and covers only frame pixels.
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  EXPECT_EQ(boxes[1], (RECT{100, origin.Y - 20, origin.X + 40, origin.Y}));
}

TEST_F(PaintTest, ScreenShowsShapesOpacityAndZOrder) {
  HWND back = Top(40, 40, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  SetWindowText(back, "Kora Editor");
  HWND front = Top(200, 140, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  SetWindowText(front, "选择游戏ROM");
  Screen.RunUntilIdle();
  auto shot = Screen.Capture();
  EXPECT_EQ(shot.ColorAt(120, 50), GetSysColor(COLOR_INACTIVECAPTION));
  EXPECT_EQ(shot.ColorAt(420, 150), GetSysColor(COLOR_ACTIVECAPTION));  // past the title
  EXPECT_EQ(shot.ColorAt(250, 200), GetSysColor(COLOR_WINDOW));         // front covers back
  Screen.SaveArtifact("windows-overlapping-default-frames");

  HWND round = Top(600, 300, 200, 200, WS_POPUP | WS_VISIBLE);
  On(round, PaintWith(kGreen));
  SetWindowRgn(round, CreateEllipticRgnForTest(0, 0, 200, 200), true);
  HWND glass = Top(560, 80, 200, 150, WS_POPUP | WS_VISIBLE, WS_EX_LAYERED);
  On(glass, PaintWith(RGB(0, 0, 0)));
  SetLayeredWindowAttributes(glass, 0, 128, LWA_ALPHA);
  Screen.RunUntilIdle();
  shot = Screen.Capture();
  const COLORREF desktop = shot.ColorAt(1000, 10);
  EXPECT_EQ(shot.ColorAt(700, 400), kGreen);
  EXPECT_EQ(shot.ColorAt(605, 305), desktop);  // outside the ellipse
  const COLORREF half = shot.ColorAt(740, 100);
  EXPECT_NEAR(GetRValue(half), GetRValue(desktop) / 2, 2);
  EXPECT_NEAR(GetBValue(half), GetBValue(desktop) / 2, 2);
  Screen.SaveArtifact("windows-shaped-and-layered");
}

}  // namespace
}  // namespace kora::test
