#include <gtest/gtest.h>

#include "framework/controls/Controls.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/Screen.h"
#include "platform/window/ScrollBars.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyles.h"
#include "skin/bsUtilsTestSupport.h"
#include "skin/data/bsUtils.h"

namespace kora {
namespace {

using namespace test;

TEST(bsUtilsPlatformTest, FeatureChecksFollowTheVersionRules) {
  EXPECT_FALSE(IsXpOrLater(5, 0));
  EXPECT_TRUE(IsXpOrLater(5, 1));
  EXPECT_FALSE(IsXpOrLater(5, 2));
  EXPECT_TRUE(IsXpOrLater(6, 0));
  EXPECT_TRUE(HasLayeredWindows(5, 2));
  EXPECT_FALSE(HasLayeredWindows(5, 3));
  EXPECT_FALSE(HasLayeredWindows(4, 10));
  EXPECT_TRUE(IsXpOrLater() && HasLayeredWindows());  // our window system has both
  TbsScrollBarInfo info;
  EXPECT_FALSE(QueryScrollBarInfo(HWND(), 1, info));
  EXPECT_EQ(info.rgstate[0], bsStateInvisible);
}

TEST(bsUtilsPlatformTest, ScrollBarInfoComesFromTheWindowsOwnBars) {
  HeadlessBackend screen;
  SetBackend(&screen);
  WNDCLASS wc;
  wc.lpfnWndProc = &DefWindowProc;
  wc.lpszClassName = "bsUtilsScrollInfoTest";
  RegisterClass(&wc);
  HWND window = CreateWindowEx(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 100, 50, 200, 150, HWND(),
                               0, nullptr);
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  si.nMin = 0;
  si.nMax = 99;
  si.nPage = 10;
  SetScrollInfo(window, SB_VERT, &si, false);

  TbsScrollBarInfo info;
  ASSERT_TRUE(QueryScrollBarInfo(window, OBJID_VSCROLL, info));
  EXPECT_EQ(info.rgstate[0] & bsStateInvisible, 0u);
  EXPECT_EQ(info.rcScrollBar.Right, 300);  // screen coordinates, at the window's right edge
  EXPECT_EQ(info.rcScrollBar.Top, 50);
  EXPECT_GT(info.xyThumbBottom, info.xyThumbTop);

  TbsScrollBarInfo horizontal;
  QueryScrollBarInfo(window, OBJID_HSCROLL, horizontal);  // the window has none
  EXPECT_NE(horizontal.rgstate[0] & bsStateInvisible, 0u);
  DestroyWindow(window);
  SetBackend(nullptr);
}

TEST(bsUtilsPlatformTest, WorkAreasComeFromTheNearestMonitor) {
  HeadlessBackend screen;
  SetBackend(&screen);
  RECT r;
  ScreenWorkArea(false, r);
  EXPECT_EQ(r, (RECT{0, 0, 1024, 768}));
  MonitorWorkArea(HWND(), true, r);  // one monitor: the screen's work area
  EXPECT_EQ(r, (RECT{0, 0, 1024, 728}));

  screen.SetMonitors(
      {{{0, 0, 1024, 768}, {0, 0, 1024, 728}, true}, {{1024, 0, 1824, 600}, {1024, 0, 1824, 570}, false}});
  WNDCLASS wc;
  wc.lpfnWndProc = &DefWindowProc;
  wc.lpszClassName = "bsUtilsPlatformTest";
  RegisterClass(&wc);
  HWND right = CreateWindowEx(WS_EX_LAYERED, wc.lpszClassName, "", WS_POPUP, 1100, 50, 200, 100, HWND(), 0, nullptr);
  MonitorWorkArea(right, true, r);
  EXPECT_EQ(r, (RECT{1024, 0, 1824, 570}));
  MonitorWorkArea(right, false, r);
  EXPECT_EQ(r, (RECT{1024, 0, 1824, 600}));

  uint8_t alpha = 0;
  ApplyWindowAlpha(right, 400);
  ASSERT_TRUE(GetLayeredWindowAttributes(right, nullptr, &alpha, nullptr));
  EXPECT_EQ(alpha, 255);
  DestroyWindow(right);
  SetBackend(nullptr);
}

// A parent that paints red with one black pixel at (12, 9).
class MarkedParent : public TWinControl {
public:
  MarkedParent() : TWinControl(nullptr) { SetBounds(0, 0, 20, 15); }
  void PaintWindow(HDC dc) override {
    ++Paints;
    SawPaintCopy = ControlState().Contains(csPaintCopy);
    Fill(dc, RGB(255, 0, 0));
    SetPixel(dc, 12, 9, RGB(0, 0, 0));
    if (Reenter) PaintParentBackground(Reenter, Target);
  }
  static void Fill(HDC dc, COLORREF color) {
    const RECT all{0, 0, 100, 100};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
  }
  int Paints = 0;
  bool SawPaintCopy = false;
  TControl* Reenter = nullptr;
  TCanvas* Target = nullptr;
};

// A windowless child that paints green: a label of the parent.
class GreenMark : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  void Paint() override {
    Canvas()->Brush()->SetColor(clLime);
    Canvas()->FillRect(ClientRect());
  }
};

class SkinnedParent : public MarkedParent, public IbsSkinBackground {
public:
  void PaintSkinBackground(HDC dc) override { Fill(dc, RGB(0, 0, 255)); }
};

TEST(bsUtilsPlatformTest, ParentBackgroundShowsThroughAtTheControlsPlace) {
  MarkedParent parent;
  TWinControl child(nullptr);
  child.SetBounds(10, 7, 8, 6);
  child.SetParent(&parent);
  TBitmap canvas;
  canvas.SetSize(16, 12);
  PaintParentBackground(&child, canvas.Canvas());
  EXPECT_EQ(PixelAt(canvas, 2, 2), 0u);  // the marker, moved by (-10, -7)
  EXPECT_EQ(PixelAt(canvas, 9, 7), 0xFF0000u);
  EXPECT_TRUE(Uniform(canvas, {10, 0, 16, 12}, kWhite));  // beyond the parent's 20 x 15 client
  EXPECT_TRUE(Uniform(canvas, {0, 8, 10, 12}, kWhite));
  EXPECT_TRUE(parent.SawPaintCopy);
  EXPECT_FALSE(parent.ControlState().Contains(csPaintCopy));
  EXPECT_EQ(parent.Paints, 1);

  // The parent's windowless children under the control show too, not
  // painted over by the parent a second time.
  GreenMark label(nullptr);
  label.SetBounds(14, 8, 3, 3);
  label.SetParent(&parent);
  PaintParentBackground(&child, canvas.Canvas());
  EXPECT_EQ(PixelAt(canvas, 5, 2), 0x00FF00u);
  label.SetParent(nullptr);

  PaintParentBackground(&child, canvas.Canvas(), {1, 1, 0, 0});
  EXPECT_EQ(PixelAt(canvas, 1, 1), 0u);

  // Asking again from inside the parent's own painting stops there.
  parent.Reenter = &child;
  parent.Target = canvas.Canvas();
  parent.Paints = 0;
  PaintParentBackground(&child, canvas.Canvas());
  EXPECT_LE(parent.Paints, 2);
  child.SetParent(nullptr);

  SkinnedParent skinned;
  child.SetParent(&skinned);
  PaintParentBackground(&child, canvas.Canvas());
  EXPECT_TRUE(Uniform(canvas, {0, 0, 8, 6}, 0x0000FFu));
  EXPECT_EQ(skinned.Paints, 0);
  child.SetParent(nullptr);
}

}  // namespace
}  // namespace kora
