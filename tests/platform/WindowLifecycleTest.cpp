// Creating and destroying windows, window longs, subclassing and text.

#include "WindowTestSupport.h"

namespace kora::test {
namespace {

using WindowLifecycleTest = WindowTest;

TEST_F(WindowLifecycleTest, CreationSendsTheClassicSequence) {
  HWND w = Top(10, 10, 200, 150);
  ASSERT_TRUE(IsWindow(w));
  EXPECT_TRUE(MatchesSequence(Log().Messages, {
                                                  {WM_GETMINMAXINFO, w},
                                                  {WM_NCCREATE, w},
                                                  {WM_NCCALCSIZE, w, 0},
                                                  {WM_CREATE, w},
                                                  {WM_SIZE, w},
                                                  {WM_MOVE, w},
                                                  {WM_SHOWWINDOW, w, 1},
                                                  {WM_WINDOWPOSCHANGING, w},
                                                  {WM_NCACTIVATE, w, 1},
                                                  {WM_ACTIVATE, w, WA_ACTIVE},
                                                  {WM_SETFOCUS, w},
                                                  {WM_WINDOWPOSCHANGED, w},
                                              }));
  EXPECT_EQ(GetActiveWindow(), w);
  EXPECT_EQ(GetFocus(), w);
  RECT client;
  GetClientRect(w, &client);
  // Thick frame 4 + caption 19 on top, 4 elsewhere.
  EXPECT_EQ(client, (RECT{0, 0, 192, 150 - 4 - 19 - 4}));
}

TEST_F(WindowLifecycleTest, RefusedCreationLeavesNoWindow) {
  Log().AnyWindow = [](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_CREATE) return -1;
    return std::nullopt;
  };
  EXPECT_FALSE(Top(0, 0, 100, 100));
  EXPECT_EQ(Log().Messages.back().Msg, WM_NCDESTROY);
  Log().AnyWindow = [](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_NCCREATE) return 0;
    return std::nullopt;
  };
  EXPECT_FALSE(Top(0, 0, 100, 100));
  EXPECT_FALSE(GetTopWindow({}));
}

TEST_F(WindowLifecycleTest, DestroySendsDestroyTopDownAndNcDestroyBottomUp) {
  HWND top = Top(0, 0, 300, 300);
  HWND a = Child(top, 0, 0, 50, 50, WS_CHILD | WS_VISIBLE, 1);
  HWND b = Child(top, 60, 0, 50, 50, WS_CHILD | WS_VISIBLE, 2);
  HWND a1 = Child(a, 0, 0, 10, 10, WS_CHILD | WS_VISIBLE, 3);
  Log().Clear();
  ASSERT_TRUE(DestroyWindow(top));
  // Children are listed topmost first: b was created last and is on top.
  EXPECT_TRUE(MatchesSequence(Log().Messages, {
                                                  {WM_DESTROY, top},
                                                  {WM_DESTROY, b},
                                                  {WM_DESTROY, a},
                                                  {WM_DESTROY, a1},
                                                  {WM_NCDESTROY, b},
                                                  {WM_NCDESTROY, a1},
                                                  {WM_NCDESTROY, a},
                                                  {WM_NCDESTROY, top},
                                              }));
  for (HWND h : {top, a, b, a1}) EXPECT_FALSE(IsWindow(h));
}

TEST_F(WindowLifecycleTest, StaleHandlesFailCleanly) {
  HWND w = Top(0, 0, 100, 100);
  DestroyWindow(w);
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(SendMessage(w, WM_USER, 1, 2), 0);
  EXPECT_FALSE(PostMessage(w, WM_USER, 1, 2));
  RECT r;
  EXPECT_FALSE(GetWindowRect(w, &r));
  EXPECT_FALSE(SetWindowPos(w, {}, 0, 0, 1, 1, 0));
  EXPECT_EQ(GetWindowLong(w, GWL_STYLE), 0);
  EXPECT_FALSE(DestroyWindow(w));
  // A window made later never answers to the old handle.
  HWND again = Top(0, 0, 100, 100);
  EXPECT_NE(again, w);
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(WindowLifecycleTest, OwnedWindowsDieWithTheirOwner) {
  HWND owner = Top(0, 0, 300, 300);
  HWND owned = Top(50, 50, 100, 100, WS_POPUP | WS_VISIBLE, 0, "Logged", owner);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
  EXPECT_EQ(GetParent(owned), owner);
  DestroyWindow(owner);
  EXPECT_FALSE(IsWindow(owned));
}

// Subclassing: each layer calls the one it replaced.
std::vector<std::string> gChain;
WNDPROC gInner = nullptr;
WNDPROC gOuter = nullptr;
LRESULT InnerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_USER) gChain.push_back("inner");
  return CallWindowProc(gInner, h, m, w, l);
}
LRESULT OuterProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_USER) gChain.push_back("outer");
  if (m == WM_USER + 1) return 42;  // eaten by the outer layer
  return CallWindowProc(gOuter, h, m, w, l);
}

TEST_F(WindowLifecycleTest, SubclassingChainsNewestFirst) {
  HWND w = Top(0, 0, 100, 100);
  gChain.clear();
  gInner = reinterpret_cast<WNDPROC>(SetWindowLong(w, GWL_WNDPROC, LONG_PTR(reinterpret_cast<uintptr_t>(&InnerProc))));
  gOuter = reinterpret_cast<WNDPROC>(SetWindowLong(w, GWL_WNDPROC, LONG_PTR(reinterpret_cast<uintptr_t>(&OuterProc))));
  EXPECT_EQ(gInner, &LoggingProc);
  EXPECT_EQ(gOuter, &InnerProc);
  Log().Clear();
  SendMessage(w, WM_USER, 0, 0);
  EXPECT_EQ(gChain, (std::vector<std::string>{"outer", "inner"}));
  EXPECT_EQ(Log().Count(w, WM_USER), 1u);  // reached the original procedure last
  EXPECT_EQ(SendMessage(w, WM_USER + 1, 0, 0), 42);
  EXPECT_EQ(Log().Count(w, WM_USER + 1), 0u);
  // Unhooking the outer layer restores the inner one.
  SetWindowLong(w, GWL_WNDPROC, LONG_PTR(reinterpret_cast<uintptr_t>(gOuter)));
  gChain.clear();
  SendMessage(w, WM_USER, 0, 0);
  EXPECT_EQ(gChain, (std::vector<std::string>{"inner"}));
}

TEST_F(WindowLifecycleTest, StyleChangesAreAnnounced) {
  HWND w = Top(0, 0, 200, 200);
  Log().Clear();
  const LONG_PTR old = SetWindowLong(w, GWL_STYLE, GetWindowLong(w, GWL_STYLE) & ~LONG_PTR(WS_CAPTION));
  EXPECT_TRUE(old & WS_CAPTION);
  EXPECT_TRUE(MatchesSequence(Log().Messages,
                              {{WM_STYLECHANGING, w, WPARAM(GWL_STYLE)}, {WM_STYLECHANGED, w, WPARAM(GWL_STYLE)}}));
  // The frame follows only after SWP_FRAMECHANGED, as in the classic system.
  RECT before, after;
  GetClientRect(w, &before);
  SetWindowPos(w, {}, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  GetClientRect(w, &after);
  EXPECT_EQ(after.Height(), before.Height() + GetSystemMetrics(SM_CYCAPTION));
  // Topmost is not a style bit one can set directly.
  SetWindowLong(w, GWL_EXSTYLE, WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLong(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(WindowLifecycleTest, TextIsUtf8AndTruncatedOnCharacterBoundaries) {
  HWND w = Top(0, 0, 200, 200);
  ASSERT_TRUE(SetWindowText(w, "人物参数"));
  EXPECT_EQ(GetWindowText(w), "人物参数");
  EXPECT_EQ(GetWindowTextLength(w), 12);
  char small[8];
  // Seven bytes fit, but only two whole characters (six bytes).
  EXPECT_EQ(GetWindowText(w, small, 8), 6);
  EXPECT_STREQ(small, "人物");
}

TEST_F(WindowLifecycleTest, LongsPropsAndIds) {
  HWND top = Top(0, 0, 200, 200);
  HWND c = Child(top, 0, 0, 10, 10, WS_CHILD, 77);
  EXPECT_EQ(GetDlgCtrlID(c), 77);
  EXPECT_EQ(GetDlgItem(top, 77), c);
  SetWindowLong(c, GWL_USERDATA, 1234);
  EXPECT_EQ(GetWindowLong(c, GWL_USERDATA), 1234);
  EXPECT_TRUE(SetProp(c, "Owner", 99));
  EXPECT_EQ(GetProp(c, "Owner"), 99u);
  EXPECT_EQ(RemoveProp(c, "Owner"), 99u);
  EXPECT_EQ(GetProp(c, "Owner"), 0u);
  EXPECT_EQ(GetParent(c), top);
  EXPECT_EQ(GetAncestor(c, GA_ROOT), top);
  EXPECT_TRUE(IsChild(top, c));
  EXPECT_FALSE(IsChild(c, top));
}

TEST_F(WindowLifecycleTest, FrameSizesAndRegisteredMessages) {
  RECT r{0, 0, 200, 100};
  ASSERT_TRUE(AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, false, 0));
  EXPECT_EQ(r, (RECT{-4, -23, 204, 104}));
  HWND w = CreateWindowEx(0, "Logged", "", WS_OVERLAPPEDWINDOW, r.Left + 50, r.Top + 50, r.Width(), r.Height(), {}, 0,
                          nullptr);
  RECT client;
  GetClientRect(w, &client);
  EXPECT_EQ(client, (RECT{0, 0, 200, 100}));
  const UINT a = RegisterWindowMessage("TaskbarCreated");
  EXPECT_GE(a, 0xC000u);
  EXPECT_EQ(RegisterWindowMessage("taskbarcreated"), a);
  EXPECT_NE(RegisterWindowMessage("Other"), a);
}

TEST_F(WindowLifecycleTest, SetRedrawOffCollectsNoPaint) {
  HWND w = Top(0, 0, 200, 200);
  Screen.RunUntilIdle();
  SendMessage(w, WM_SETREDRAW, 0, 0);
  InvalidateRect(w, nullptr, true);
  Log().Clear();
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(w, WM_PAINT), 0u);
  EXPECT_TRUE(IsWindowVisible(w));
  SendMessage(w, WM_SETREDRAW, 1, 0);
  InvalidateRect(w, nullptr, true);
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(w, WM_PAINT), 1u);
}

}  // namespace
}  // namespace kora::test
