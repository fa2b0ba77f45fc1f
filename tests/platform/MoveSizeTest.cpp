// The move/size loop, caption buttons, system commands and window states.

#include "WindowTestSupport.h"

namespace kora::test {
namespace {

using MoveSizeTest = WindowTest;

RECT RectOf(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  return r;
}

TEST_F(MoveSizeTest, DraggingTheCaptionMovesTheWindowTheHandlerWay) {
  HWND w = Top(100, 100, 300, 200);
  Screen.RunUntilIdle();
  // The handler keeps the window on a 10-pixel grid and out of the top 50 rows.
  On(w, [](HWND, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (msg != WM_MOVING) return std::nullopt;
    RECT* r = FromLParam<RECT>(lp);
    const int x = r->Left / 10 * 10;
    const int y = std::max(50, r->Top / 10 * 10);
    r->Offset(x - r->Left, y - r->Top);
    return 1;
  });
  Log().Clear();
  Screen.MouseDown({200, 110});
  Screen.MouseMove({237, 30});
  Screen.MouseMove({263, 148});
  Screen.MouseUp({263, 148});
  Screen.RunUntilIdle();
  EXPECT_EQ(RectOf(w), (RECT{160, 130, 460, 330}));
  EXPECT_TRUE(MatchesSequence(Log().Messages, {
                                                  {WM_NCLBUTTONDOWN, w, WPARAM(HTCAPTION)},
                                                  {WM_SYSCOMMAND, w, SC_MOVE + HTCAPTION},
                                                  {WM_ENTERSIZEMOVE, w},
                                                  {WM_MOVING, w},
                                                  {WM_MOVE, w},
                                                  {WM_MOVING, w},
                                                  {WM_MOVE, w},
                                                  {WM_EXITSIZEMOVE, w},
                                              }));
  const LoggedMessage* firstMove = nullptr;
  for (const auto& m : Log().Messages) {
    if (m.Msg == WM_MOVE) {
      firstMove = &m;
      break;
    }
  }
  ASSERT_TRUE(firstMove);
  // The first step was pushed back below row 50: client top = 50 + 4 + 19.
  EXPECT_EQ(LParamToPoint(firstMove->LParam), (POINT{130 + 4, 50 + 23}));
  EXPECT_EQ(GetCapture(), HWND());
}

TEST_F(MoveSizeTest, EscapePutsTheWindowBack) {
  HWND w = Top(100, 100, 300, 200);
  Screen.RunUntilIdle();
  Screen.MouseDown({200, 110});
  Screen.MouseMove({300, 300});
  Screen.KeyDown(VK_ESCAPE);
  Screen.KeyUp(VK_ESCAPE);
  Screen.MouseUp({300, 300});
  Screen.RunUntilIdle();
  EXPECT_EQ(RectOf(w), (RECT{100, 100, 400, 300}));
  EXPECT_EQ(Log().Count(w, WM_EXITSIZEMOVE), 1u);
}

// A release with no motion before it at its place (a backend that drops a
// motion) still ends the move or size there.
TEST_F(MoveSizeTest, TheReleaseEndsTheDragWhereItHappened) {
  HWND w = Top(100, 100, 300, 200);
  Screen.RunUntilIdle();
  Screen.MouseDown({200, 110});
  Screen.MouseMove({230, 110});
  Screen.MouseUp({250, 115});
  Screen.RunUntilIdle();
  EXPECT_EQ(RectOf(w), (RECT{150, 105, 450, 305}));
  Screen.MouseDown({449, 304});  // the bottom-right corner
  Screen.MouseMove({459, 304});
  Screen.MouseUp({469, 324});
  Screen.RunUntilIdle();
  EXPECT_EQ(RectOf(w), (RECT{150, 105, 470, 325}));
}

TEST_F(MoveSizeTest, SizingFollowsTheEdgeWithinTheTrackingLimits) {
  HWND w = Top(100, 100, 300, 200);
  On(w, [](HWND, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (msg == WM_GETMINMAXINFO) FromLParam<MINMAXINFO>(lp)->ptMinTrackSize = {200, 150};
    return std::nullopt;
  });
  Screen.RunUntilIdle();
  Log().Clear();
  Screen.MouseDown({399, 299});  // bottom-right corner
  Screen.MouseMove({449, 319});
  RECT during;
  // The loop waits for more input: look at the window then, and let go.
  Screen.WhenIdle([&] {
    during = RectOf(w);
    Screen.MouseMove({150, 150});
    Screen.MouseUp({150, 150});
  });
  Screen.RunUntilIdle();
  EXPECT_EQ(during, (RECT{100, 100, 450, 320}));  // full-window dragging: it follows at once
  EXPECT_EQ(RectOf(w), (RECT{100, 100, 300, 250}));
  const LoggedMessage* sizing = Log().Last(w, WM_SIZING);
  ASSERT_TRUE(sizing);
  EXPECT_EQ(sizing->WParam, WMSZ_BOTTOMRIGHT);
  EXPECT_GE(Log().Count(w, WM_SIZE), 2u);
}

TEST_F(MoveSizeTest, CaptionButtonsActOnlyWhenReleasedOverThem) {
  HWND w = Top(100, 100, 300, 200);
  Screen.RunUntilIdle();
  RECT r = RectOf(w);
  const POINT close{r.Right - 4 - 2 - 8, r.Top + 4 + 8};
  const POINT minimize{r.Right - 4 - 2 - 16 - 2 - 16 - 8, r.Top + 4 + 8};
  // Pressed on close, released elsewhere: nothing.
  Screen.MouseDown(close);
  Screen.MouseMove({close.X - 100, close.Y + 100});
  Screen.MouseUp({close.X - 100, close.Y + 100});
  Screen.RunUntilIdle();
  EXPECT_TRUE(IsWindow(w));
  EXPECT_EQ(Log().Count(w, WM_SYSCOMMAND), 0u);

  Screen.Click(minimize);
  Screen.RunUntilIdle();
  EXPECT_TRUE(IsIconic(w));
  EXPECT_EQ(Log().Last(w, WM_SIZE)->WParam, SIZE_MINIMIZED);
  ShowWindow(w, SW_RESTORE);
  EXPECT_FALSE(IsIconic(w));
  EXPECT_EQ(RectOf(w), r);

  Screen.Click(close);
  Screen.RunUntilIdle();
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(MoveSizeTest, MaximizeFillsTheWorkAreaAndRestoreReturns) {
  HWND w = Top(100, 100, 300, 200);
  Screen.RunUntilIdle();
  SendMessage(w, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_TRUE(IsZoomed(w));
  // The border lies outside the 1024 x 728 work area, the client inside.
  EXPECT_EQ(RectOf(w), (RECT{-4, -4, 1028, 732}));
  EXPECT_EQ(Log().Last(w, WM_SIZE)->WParam, SIZE_MAXIMIZED);
  // A maximized window does not move by its caption.
  Screen.MouseDown({500, 5});
  Screen.MouseMove({600, 100});
  Screen.MouseUp({600, 100});
  Screen.RunUntilIdle();
  EXPECT_EQ(RectOf(w).Left, -4);
  // Double-clicking the caption restores.
  Screen.Click({500, 5});
  Screen.Click({500, 5});
  Screen.RunUntilIdle();
  EXPECT_FALSE(IsZoomed(w));
  EXPECT_EQ(RectOf(w), (RECT{100, 100, 400, 300}));
  SendMessage(w, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(MoveSizeTest, HidingTheActiveWindowActivatesItsOwner) {
  HWND owner = Top(0, 0, 400, 300);
  HWND other = Top(500, 0, 200, 200);
  HWND dialog = Top(50, 50, 200, 150, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, "Logged", owner);
  ASSERT_EQ(GetActiveWindow(), dialog);
  ShowWindow(dialog, SW_HIDE);
  EXPECT_EQ(GetActiveWindow(), owner);
  ShowWindow(dialog, SW_SHOW);
  SetActiveWindow(other);
  // An owned window stays above its owner when the owner comes forward.
  SetActiveWindow(owner);
  EXPECT_EQ(GetTopWindow({}), dialog);
  EXPECT_EQ(GetWindow(dialog, GW_HWNDNEXT), owner);
}

}  // namespace
}  // namespace kora::test
