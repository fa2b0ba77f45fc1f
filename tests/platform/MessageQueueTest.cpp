// Posting, retrieval order, paint generation, timers on the virtual clock,
// the message-loop hook and posting from another thread.

#include <thread>

#include "WindowTestSupport.h"

namespace kora::test {
namespace {

using MessageQueueTest = WindowTest;

TEST_F(MessageQueueTest, RetrievalOrderAndFilters) {
  HWND w = Top(0, 0, 200, 200);
  HWND c = Child(w, 0, 0, 20, 20);
  HWND other = Top(300, 0, 100, 100);
  Screen.RunUntilIdle();
  PostMessage(w, WM_USER + 1, 0, 0);
  PostMessage(other, WM_USER + 2, 0, 0);
  PostMessage(c, WM_USER + 3, 0, 0);
  PostQuitMessage(7);
  MSG m;
  // A window filter takes the window and its children.
  ASSERT_TRUE(PeekMessage(&m, w, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER + 1);
  ASSERT_TRUE(PeekMessage(&m, w, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER + 3);
  EXPECT_FALSE(PeekMessage(&m, w, WM_USER, WM_USER + 10, PM_REMOVE));
  // PM_NOREMOVE leaves it in place; a range picks it.
  ASSERT_TRUE(PeekMessage(&m, {}, WM_USER + 2, WM_USER + 2, PM_NOREMOVE));
  ASSERT_TRUE(PeekMessage(&m, {}, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER + 2);
  // WM_QUIT comes when the posted messages are gone.
  EXPECT_FALSE(GetMessage(&m, {}, 0, 0));
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 7u);
}

TEST_F(MessageQueueTest, PaintComesOnlyWhenNothingElseIsQueued) {
  HWND w = Top(0, 0, 200, 200);
  Screen.RunUntilIdle();
  InvalidateRect(w, nullptr, true);
  PostMessage(w, WM_USER, 0, 0);
  Screen.MouseMove({50, 50});
  SetTimer(w, 1, 10, nullptr);
  Screen.Time().Advance(20);
  std::vector<UINT> order;
  MSG m;
  while (PeekMessage(&m, {}, 0, 0, PM_REMOVE)) {
    if (m.message != WM_NCMOUSEMOVE) order.push_back(m.message);
    DispatchMessage(&m);
    if (m.message == WM_TIMER) KillTimer(w, 1);
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_MOUSEMOVE, WM_PAINT, WM_TIMER}));
  // Dispatching the paint validated the window: no second WM_PAINT.
  EXPECT_FALSE(PeekMessage(&m, {}, WM_PAINT, WM_PAINT, PM_REMOVE));
}

TEST_F(MessageQueueTest, AWindowThatIgnoresPaintIsNotPaintedForever) {
  HWND w = Top(0, 0, 200, 200);
  On(w, [](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_PAINT) return 0;  // never calls BeginPaint
    return std::nullopt;
  });
  InvalidateRect(w, nullptr, false);
  EXPECT_LT(Screen.RunUntilIdle(), 10);
  EXPECT_EQ(Log().Count(w, WM_PAINT), 1u);
}

TEST_F(MessageQueueTest, TimersFireInDueOrderOnTheVirtualClock) {
  HWND w = Top(0, 0, 200, 200);
  Screen.RunUntilIdle();
  SetTimer(w, 1, 50, nullptr);
  SetTimer(w, 2, 20, nullptr);
  Log().Clear();
  Screen.Wait(19);
  EXPECT_EQ(Log().Count(w, WM_TIMER), 0u);
  Screen.Wait(101);  // now 120 ms after setting
  std::vector<WPARAM> ids;
  for (const auto& m : Log().Messages) {
    if (m.Msg == WM_TIMER) ids.push_back(m.WParam);
  }
  // At 100 ms both are due: the older timer goes first.
  EXPECT_EQ(ids, (std::vector<WPARAM>{2, 2, 1, 2, 2, 1, 2, 2}));
  // Setting again restarts the period; killing stops it.
  Log().Clear();
  SetTimer(w, 1, 50, nullptr);
  KillTimer(w, 2);
  Screen.Wait(49);
  EXPECT_EQ(Log().Count(w, WM_TIMER), 0u);
  Screen.Wait(1);
  EXPECT_EQ(Log().Count(w, WM_TIMER), 1u);
  // A late retrieval gives one WM_TIMER, not one per period missed.
  Log().Clear();
  Screen.Time().Advance(500);
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(w, WM_TIMER), 1u);
  // Timers die with their window.
  DestroyWindow(w);
  EXPECT_FALSE(NextTimerDue(nullptr));
}

int gTimerCalls = 0;
void CountTimer(HWND, UINT, UINT_PTR, DWORD) { ++gTimerCalls; }

TEST_F(MessageQueueTest, TimerCallbacksRunFromDispatch) {
  gTimerCalls = 0;
  const UINT_PTR id = SetTimer({}, 0, 30, &CountTimer);
  ASSERT_NE(id, 0u);
  Screen.Wait(95);
  EXPECT_EQ(gTimerCalls, 3);
  KillTimer({}, id);
  // A forged WM_TIMER naming a function that is no live timer's is ignored.
  MSG forged{{}, WM_TIMER, id, LPARAM(reinterpret_cast<uintptr_t>(&CountTimer)), 0, {}};
  DispatchMessage(&forged);
  EXPECT_EQ(gTimerCalls, 3);
}

TEST_F(MessageQueueTest, TheLoopHookSeesMessagesFirstAndMayEatThem) {
  HWND w = Top(0, 0, 200, 200);
  Screen.RunUntilIdle();
  std::vector<UINT> seen;
  const int first = AddMessageHook([&](MSG& m) {
    seen.push_back(m.message);
    return false;
  });
  const int eater = AddMessageHook([](MSG& m) { return m.message == WM_KEYDOWN; });
  SetFocus(w);
  Log().Clear();
  Screen.PressKey('A');
  PostMessage(w, WM_USER, 0, 0);
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(w, WM_KEYDOWN), 0u);  // eaten by the newest hook
  EXPECT_EQ(Log().Count(w, WM_KEYUP), 1u);
  EXPECT_EQ(Log().Count(w, WM_USER), 1u);
  // The older hook never saw the eaten message.
  EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_KEYDOWN), 0);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_USER), 1);
  RemoveMessageHook(eater);
  Screen.PressKey('B');
  Screen.RunUntilIdle();
  EXPECT_EQ(Log().Count(w, WM_KEYDOWN), 1u);
  RemoveMessageHook(first);
}

TEST_F(MessageQueueTest, PostingFromAnotherThreadWakesTheLoop) {
  SetBackend(nullptr);  // a real wait
  HWND w = Top(0, 0, 200, 200);
  std::thread poster([w] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    PostMessage(w, WM_USER + 5, 1, 2);
  });
  MSG m;
  while (GetMessage(&m, {}, 0, 0)) {
    DispatchMessage(&m);
    if (m.message == WM_USER + 5) break;
  }
  poster.join();
  EXPECT_EQ(m.message, WM_USER + 5);
  EXPECT_EQ(m.lParam, 2);
}

TEST_F(MessageQueueTest, HeadlessLoopsLetTimePassAndRefuseToHangForever) {
  HWND w = Top(0, 0, 200, 200);
  Screen.RunUntilIdle();
  SetTimer(w, 9, 250, nullptr);
  const uint64_t start = Screen.Time().NowMs();
  MSG m;
  while (GetMessage(&m, {}, 0, 0)) {
    if (m.message == WM_TIMER) break;
    DispatchMessage(&m);
  }
  EXPECT_EQ(Screen.Time().NowMs() - start, 250u);
  KillTimer(w, 9);
  EXPECT_THROW(GetMessage(&m, {}, 0, 0), std::runtime_error);
}

}  // namespace
}  // namespace kora::test
