// Mouse routing: client and non-client messages, capture, shapes,
// transparency, double-clicks, disabled windows and non-activating popups.

#include "WindowTestSupport.h"

namespace kora::test {
namespace {

using InputRoutingTest = WindowTest;

TEST_F(InputRoutingTest, HitTestChoosesClientOrNonClientMessages) {
  HWND w = Top(100, 100, 300, 200);
  Screen.RunUntilIdle();
  Log().Clear();
  const POINT inClient = ScreenPointOf(w, 10, 20);
  Screen.Click(inClient);
  const POINT onCaption{200, 110};
  Screen.Click(onCaption);
  Screen.RunUntilIdle();

  const LoggedMessage* down = Log().Last(w, WM_LBUTTONDOWN);
  ASSERT_TRUE(down);
  EXPECT_EQ(LParamToPoint(down->LParam), (POINT{10, 20}));  // client coordinates
  EXPECT_TRUE(down->WParam & MK_LBUTTON);
  const LoggedMessage* ncDown = Log().Last(w, WM_NCLBUTTONDOWN);
  ASSERT_TRUE(ncDown);
  EXPECT_EQ(LRESULT(ncDown->WParam), HTCAPTION);
  EXPECT_EQ(LParamToPoint(ncDown->LParam), onCaption);  // screen coordinates
  EXPECT_TRUE(MatchesSequence(Log().Messages, {{WM_NCHITTEST, w},
                                               {WM_SETCURSOR, w},
                                               {WM_MOUSEMOVE, w},
                                               {WM_NCHITTEST, w},
                                               {WM_SETCURSOR, w},
                                               {WM_LBUTTONDOWN, w},
                                               {WM_NCHITTEST, w},
                                               {WM_SETCURSOR, w},
                                               {WM_LBUTTONUP, w},
                                               {WM_NCHITTEST, w},
                                               {WM_SETCURSOR, w},
                                               {WM_NCMOUSEMOVE, w},
                                               {WM_NCHITTEST, w},
                                               {WM_SETCURSOR, w},
                                               {WM_NCLBUTTONDOWN, w},
                                               {WM_NCHITTEST, w, std::nullopt, true},
                                               {WM_SETCURSOR, w, std::nullopt, true},
                                               {WM_NCLBUTTONUP, w, std::nullopt, true}}));
}

TEST_F(InputRoutingTest, CaptureTakesEveryMouseMessageAsClientInput) {
  HWND a = Top(0, 0, 200, 200);
  HWND b = Top(300, 0, 200, 200);
  Screen.RunUntilIdle();
  SetCapture(a);
  Log().Clear();
  Screen.Click({400, 100});  // over b
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(b, WM_LBUTTONDOWN), 0u);
  EXPECT_EQ(Log().Count(b, WM_NCHITTEST), 0u);
  const LoggedMessage* down = Log().Last(a, WM_LBUTTONDOWN);
  ASSERT_TRUE(down);
  POINT expected{400, 100};
  ScreenToClient(a, &expected);
  EXPECT_EQ(LParamToPoint(down->LParam), expected);
  // Releasing tells the old capture window.
  SetCapture(b);
  EXPECT_EQ(Log().Last(a, WM_CAPTURECHANGED)->LParam, HwndToParam(b));
  ReleaseCapture();
  EXPECT_EQ(GetCapture(), HWND());
  EXPECT_EQ(Log().Last(b, WM_CAPTURECHANGED)->LParam, 0);
}

TEST_F(InputRoutingTest, OnlyTheShapeOfAWindowTakesTheMouse) {
  HWND below = Top(0, 0, 300, 300, WS_POPUP | WS_VISIBLE);
  HWND shaped = Top(0, 0, 300, 300, WS_POPUP | WS_VISIBLE);
  SetWindowRgn(shaped, CreateRectRgn(100, 100, 200, 200), true);
  Screen.RunUntilIdle();
  EXPECT_EQ(WindowFromPoint({50, 50}), below);
  EXPECT_EQ(WindowFromPoint({150, 150}), shaped);
  Log().Clear();
  Screen.Click({150, 150});
  Screen.Click({50, 50});  // activates and raises the lower window
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(below, WM_LBUTTONDOWN), 1u);
  EXPECT_EQ(Log().Count(shaped, WM_LBUTTONDOWN), 1u);
}

TEST_F(InputRoutingTest, TransparentHitPassesToTheWindowBelow) {
  HWND top = Top(0, 0, 400, 400, WS_POPUP | WS_VISIBLE);
  HWND lower = Child(top, 10, 10, 100, 100, WS_CHILD | WS_VISIBLE, 1);
  HWND upper = Child(top, 10, 10, 100, 100, WS_CHILD | WS_VISIBLE, 2);
  On(upper, [](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_NCHITTEST) return HTTRANSPARENT;
    return std::nullopt;
  });
  Screen.RunUntilIdle();
  Log().Clear();
  Screen.Click({50, 50});
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(upper, WM_LBUTTONDOWN), 0u);
  EXPECT_EQ(Log().Count(lower, WM_LBUTTONDOWN), 1u);
}

TEST_F(InputRoutingTest, DoubleClicksNeedTheClassStyleTimeAndDistance) {
  HWND plain = Top(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
  HWND dbl = Top(300, 0, 200, 200, WS_POPUP | WS_VISIBLE, 0, "LoggedDbl");
  Screen.RunUntilIdle();
  auto twoClicks = [&](POINT p, POINT q, uint64_t gap) {
    Screen.Click(p);
    Screen.RunUntilIdle();
    Screen.Time().Advance(gap);
    Screen.Click(q);
    Screen.RunUntilIdle();
    Screen.Time().Advance(1000);  // the next pair starts afresh
  };
  Log().Clear();
  twoClicks({50, 50}, {50, 50}, 100);
  EXPECT_EQ(Log().Count(plain, WM_LBUTTONDBLCLK), 0u);
  EXPECT_EQ(Log().Count(plain, WM_LBUTTONDOWN), 2u);

  twoClicks({350, 50}, {352, 48}, 499);
  EXPECT_EQ(Log().Count(dbl, WM_LBUTTONDOWN), 1u);
  EXPECT_EQ(Log().Count(dbl, WM_LBUTTONDBLCLK), 1u);

  Log().Clear();
  twoClicks({350, 50}, {350, 50}, 501);  // too slow
  twoClicks({350, 50}, {353, 50}, 10);   // too far
  EXPECT_EQ(Log().Count(dbl, WM_LBUTTONDBLCLK), 0u);

  // The caption double-clicks without the class style, as in the classic system.
  HWND framed = Top(0, 300, 300, 200);
  Screen.RunUntilIdle();
  Log().Clear();
  twoClicks({150, 310}, {150, 310}, 100);
  EXPECT_EQ(Log().Count(framed, WM_NCLBUTTONDBLCLK), 1u);
}

TEST_F(InputRoutingTest, ClicksOnDisabledWindowsGoNowhere) {
  HWND owner = Top(0, 0, 400, 300);
  HWND button = Child(owner, 10, 10, 80, 30);
  HWND off = Child(owner, 100, 10, 80, 30);
  EnableWindow(off, false);
  Screen.RunUntilIdle();
  Log().Clear();
  Screen.Click(ScreenPointOf(off, 5, 5));
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(off, WM_LBUTTONDOWN), 0u);
  EXPECT_EQ(Log().Count(owner, WM_LBUTTONDOWN), 0u);

  // A modal window disables its owner: clicks on the owner reach nothing.
  HWND dialog = Top(100, 100, 200, 150, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, "Logged", owner);
  EnableWindow(owner, false);
  Screen.RunUntilIdle();
  Log().Clear();
  Screen.Click(ScreenPointOf(button, 5, 5));
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(button, WM_LBUTTONDOWN), 0u);
  EXPECT_EQ(Log().Count(owner, WM_NCLBUTTONDOWN), 0u);
  EXPECT_EQ(GetActiveWindow(), dialog);
  EXPECT_EQ(Screen.Beeps(), 0);
}

TEST_F(InputRoutingTest, NonActivatingPopupsKeepActivationAndFocus) {
  HWND main = Top(0, 0, 400, 300);
  HWND edit = Child(main, 10, 10, 100, 20);
  SetFocus(edit);
  HWND menu = Top(200, 200, 120, 100, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE);
  ShowWindow(menu, SW_SHOWNA);
  HWND tip = Top(500, 200, 120, 100, WS_POPUP);
  On(tip, [](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return std::nullopt;
  });
  SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  Screen.RunUntilIdle();
  ASSERT_EQ(GetActiveWindow(), main);
  Log().Clear();
  Screen.Click({250, 250});
  Screen.Click({550, 250});
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(menu, WM_LBUTTONDOWN), 1u);
  EXPECT_EQ(Log().Count(tip, WM_LBUTTONDOWN), 1u);
  EXPECT_EQ(GetActiveWindow(), main);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(Log().Count(main, WM_NCACTIVATE), 0u);
  EXPECT_EQ(Log().Count(edit, WM_KILLFOCUS), 0u);
}

TEST_F(InputRoutingTest, ClickActivationOrder) {
  HWND a = Top(0, 0, 300, 300);
  HWND aEdit = Child(a, 10, 10, 50, 20);
  SetFocus(aEdit);
  HWND b = Top(400, 0, 300, 300);
  HWND bEdit = Child(b, 10, 10, 50, 20);
  On(b, [bEdit](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    // Like a form: activation gives the focus to its control.
    if (msg == WM_ACTIVATE && LOWORD(wp) != WA_INACTIVE) {
      SetFocus(bEdit);
      return 0;
    }
    return std::nullopt;
  });
  SetActiveWindow(a);
  SetFocus(aEdit);
  Screen.RunUntilIdle();
  Log().Clear();
  Screen.Click(ScreenPointOf(b, 100, 100));
  Screen.RunUntilIdle();
  EXPECT_TRUE(MatchesSequence(Log().Messages, {
                                                  {WM_MOUSEACTIVATE, b},
                                                  {WM_WINDOWPOSCHANGING, b, std::nullopt, true},
                                                  {WM_WINDOWPOSCHANGED, b, std::nullopt, true},
                                                  {WM_NCACTIVATE, a, 0},
                                                  {WM_ACTIVATE, a, WA_INACTIVE},
                                                  {WM_NCACTIVATE, b, 1},
                                                  {WM_ACTIVATE, b, WA_CLICKACTIVE},
                                                  {WM_KILLFOCUS, aEdit},
                                                  {WM_SETFOCUS, bEdit},
                                                  {WM_LBUTTONDOWN, b},
                                              }));
  EXPECT_EQ(GetTopWindow({}), b);
}

TEST_F(InputRoutingTest, MouseLeaveIsPostedOnceWhenTheMouseLeaves) {
  HWND w = Top(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
  HWND other = Top(300, 0, 200, 200, WS_POPUP | WS_VISIBLE);
  Screen.MouseMove({50, 50});
  Screen.RunUntilIdle();
  TRACKMOUSEEVENT tme;
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = w;
  ASSERT_TRUE(TrackMouseEvent(&tme));
  Screen.MouseMove({60, 60});
  Screen.MouseMove({350, 50});
  Screen.MouseMove({360, 50});
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(w, WM_MOUSELEAVE), 1u);
  EXPECT_EQ(Log().Count(other, WM_MOUSELEAVE), 0u);
  // Tracking a window the mouse is not over reports the leave at once.
  tme.hwndTrack = w;
  TrackMouseEvent(&tme);
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(w, WM_MOUSELEAVE), 2u);
}

TEST_F(InputRoutingTest, CursorFollowsTheHitCode) {
  HWND w = Top(100, 100, 300, 200);
  Screen.MouseMove({101, 200});  // left sizing border
  Screen.RunUntilIdle();
  EXPECT_EQ(Screen.Cursor(), CursorShape::SizeWE);
  Screen.MouseMove({250, 250});
  Screen.RunUntilIdle();
  EXPECT_EQ(Screen.Cursor(), CursorShape::Arrow);
  SetClassLong(w, GCLP_HCURSOR, LONG_PTR(LoadCursor(nullptr, IDC_IBEAM).Value()));
  Screen.MouseMove({251, 250});
  Screen.RunUntilIdle();
  EXPECT_EQ(Screen.Cursor(), CursorShape::IBeam);
}

TEST_F(InputRoutingTest, DroppedFilesGoToTheAcceptingWindowOrItsAncestor) {
  HWND top = Top(100, 100, 300, 200);
  HWND child = Child(top, 10, 10, 100, 50);
  Screen.RunUntilIdle();
  const POINT onChild = ScreenPointOf(child, 5, 6);
  // Nobody accepts files yet: the drop is refused.
  EXPECT_FALSE(PostDropFiles(onChild, {"/a.nds"}));
  DragAcceptFiles(top, true);
  EXPECT_FALSE(PostDropFiles(onChild, {}));
  Log().Clear();
  ASSERT_TRUE(PostDropFiles(onChild, {"/a.nds", "/b c.nds"}));
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(child, WM_DROPFILES), 0u);
  const LoggedMessage* drop = Log().Last(top, WM_DROPFILES);
  ASSERT_TRUE(drop);
  EXPECT_EQ(DragQueryFiles(drop->WParam), (std::vector<std::string>{"/a.nds", "/b c.nds"}));
  POINT at{};
  ASSERT_TRUE(DragQueryPoint(drop->WParam, &at));
  const POINT origin = ScreenPointOf(top, 0, 0);
  EXPECT_EQ(at, (POINT{onChild.X - origin.X, onChild.Y - origin.Y}));  // the accepting window's client coordinates
  DragFinish(drop->WParam);
  EXPECT_TRUE(DragQueryFiles(drop->WParam).empty());
  EXPECT_FALSE(DragQueryPoint(drop->WParam, &at));
  DragAcceptFiles(top, false);
  EXPECT_FALSE(PostDropFiles(onChild, {"/a.nds"}));
}

}  // namespace
}  // namespace kora::test
