#include "xvfb/SdlScreenFixture.h"

#include <thread>

#include "platform/backends/sdl/X11Bridge.h"

namespace kora::test {

namespace {

// Pixels in a rectangle that differ from a colour.
int CountOther(const RootImage& image, RECT r, uint32_t pixel) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) n += image.At({x, y}) != pixel;
  return n;
}

// What a person sees of the scene with the top-level window at origin.
::testing::AssertionResult SceneShownAt(const RootImage& shot, POINT origin) {
  auto at = [&](int x, int y) { return POINT{origin.X + x, origin.Y + y}; };
  if (shot.At(at(70, 130)) != ScreenPixel(kChildColor))
    return ::testing::AssertionFailure() << "no child at its place, pixel " << std::hex << shot.At(at(70, 130));
  if (shot.At(at(150, 180)) != ScreenPixel(kTopColor))
    return ::testing::AssertionFailure() << "no top-level background, pixel " << std::hex << shot.At(at(150, 180));
  // The cut-out corner shows the desktop.
  for (POINT p : {at(261, 1), at(280, 20), at(299, 39)})
    if (shot.At(p) != kDesktopPixel)
      return ::testing::AssertionFailure() << "the shaped-out corner is drawn at " << p.X << "," << p.Y;
  if (shot.At(at(259, 1)) != ScreenPixel(kTopColor) || shot.At(at(299, 41)) != ScreenPixel(kTopColor))
    return ::testing::AssertionFailure() << "the shape cuts more than the corner";
  const int ink = CountOther(shot, RECT::FromSize(origin.X + 20, origin.Y + 20, 80, 30), ScreenPixel(kTopColor));
  if (ink < 40) return ::testing::AssertionFailure() << "the label left only " << ink << " pixels";
  return ::testing::AssertionSuccess();
}

}  // namespace

TEST_F(SdlScreenTest, ShapedWindowChildAndPopupReachTheScreenAndFollowAMove) {
  BuildScene();
  RootImage shot;
  auto shows = [&](POINT origin) {
    return [&, origin] {
      shot = FProbe->Capture();
      return SceneShownAt(shot, origin) && shot.At({350, 280}) == ScreenPixel(kPopupColor);
    };
  };
  const bool shown = PumpUntil(shows({100, 100}));
  XProbe::SaveArtifact(shot, "xvfb-scene");
  ASSERT_TRUE(shown) << SceneShownAt(shot, {100, 100}).message();
  EXPECT_EQ(shot.At({430, 310}), ScreenPixel(kPopupColor)) << "the popup beyond the top-level window";

  // Another window goes over the owner, then the owner moves and comes
  // back to the top: its popup stays above both, and the old place shows
  // the desktop again.
  ShowOtherWindow(RECT::FromSize(420, 280, 200, 150));
  ASSERT_TRUE(PumpUntil([&] { return FProbe->Capture().At({500, 400}) == ScreenPixel(kOtherColor); }));
  MoveWindow(FTop, 140, 130, 300, 200, true);
  SetForegroundWindow(FTop);
  const bool moved = PumpUntil([&] {
    return shows({140, 130})() && shot.At({430, 325}) == ScreenPixel(kTopColor) &&
           shot.At({430, 300}) == ScreenPixel(kPopupColor);
  });
  XProbe::SaveArtifact(shot, "xvfb-scene-moved");
  ASSERT_TRUE(moved) << SceneShownAt(shot, {140, 130}).message() << std::hex << " owner " << shot.At({430, 325})
                     << " popup " << shot.At({430, 300});
  for (POINT p : {POINT{105, 105}, POINT{120, 250}}) EXPECT_EQ(shot.At(p), kDesktopPixel) << p.X << "," << p.Y;
  EXPECT_EQ(shot.At({500, 400}), ScreenPixel(kOtherColor));
}

TEST_F(SdlScreenTest, RealInputIsRoutedAndThePopupNeverTakesTheFocus) {
  BuildScene();
  ASSERT_TRUE(PumpUntil([&] { return FProbe->Capture().At({350, 280}) == ScreenPixel(kPopupColor); }));
  const unsigned long popupX = FProbe->WindowAt({350, 280});
  const unsigned long topX = FProbe->WindowAt({150, 280});
  ASSERT_NE(popupX, 0u);
  ASSERT_NE(popupX, topX);
  EXPECT_NE(FProbe->FocusWindow(), popupX) << "showing the popup kept the X focus there";

  FProbe->Click({135, 215});
  ASSERT_TRUE(PumpUntil([&] { return Count(FChild, WM_LBUTTONDOWN) == 1; }));
  for (const SeenMessage& m : Seen()) {
    if (m.Msg == WM_LBUTTONDOWN) {
      EXPECT_EQ(LParamToPoint(m.LParam), (POINT{15, 15}));
    }
  }

  FProbe->Click({350, 280});
  ASSERT_TRUE(PumpUntil([&] { return Count(FPopup, WM_LBUTTONDOWN) == 1; }));
  EXPECT_EQ(Count(FTop, WM_LBUTTONDOWN), 0u);
  EXPECT_EQ(GetActiveWindow(), FTop);
  EXPECT_EQ(GetFocus(), FTop);
  EXPECT_NE(FProbe->FocusWindow(), popupX);

  // Typing reaches the focus window; Alt+letter is a shortcut, not text.
  FProbe->Tap("a");
  ASSERT_TRUE(PumpUntil([&] { return Count(FTop, WM_CHAR) == 1; }));
  FProbe->Key("Alt_L", true);
  FProbe->Tap("f");
  FProbe->Key("Alt_L", false);
  ASSERT_TRUE(PumpUntil([&] { return Count(FTop, WM_SYSCHAR) == 1; }));
  PumpOnce();
  std::vector<WPARAM> chars;
  for (const SeenMessage& m : Seen())
    if (m.Msg == WM_CHAR) chars.push_back(m.WParam);
  EXPECT_EQ(chars, std::vector<WPARAM>{'a'});
  EXPECT_EQ(GetFocus(), FTop);

  // Outside our windows the pointer is still followed.
  FProbe->MoveTo({700, 600});
  POINT cursor;
  EXPECT_TRUE(PumpUntil([&] {
    return GetCursorPos(&cursor) && cursor == POINT{700, 600};
  })) << cursor.X
      << "," << cursor.Y;
}

TEST_F(SdlScreenTest, TheMessageLoopWakesForTimersAndOtherThreads) {
  BuildScene();
  ASSERT_TRUE(PumpUntil([&] { return FProbe->Capture().At({350, 280}) == ScreenPixel(kPopupColor); }));
  using Clock = std::chrono::steady_clock;
  MSG m;
  const auto start = Clock::now();
  ASSERT_NE(SetTimer(FTop, 7, 60, nullptr), 0u);
  do {
    ASSERT_TRUE(GetMessage(&m, {}, 0, 0));
  } while (m.message != WM_TIMER);
  const auto waited = Clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(55));
  EXPECT_LT(waited, std::chrono::milliseconds(2000));
  KillTimer(FTop, 7);

  // A slow timer bounds the wait should the wake-up get lost.
  ASSERT_NE(SetTimer(FTop, 8, 3000, nullptr), 0u);
  std::thread poster([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    PostMessage(FTop, WM_USER + 5, 0, 0);
  });
  const auto before = Clock::now();
  do {
    ASSERT_TRUE(GetMessage(&m, {}, 0, 0));
  } while (m.message != WM_USER + 5 && m.message != WM_TIMER);
  poster.join();
  EXPECT_EQ(m.message, WM_USER + 5u);
  EXPECT_LT(Clock::now() - before, std::chrono::milliseconds(2000));
}

TEST_F(SdlScreenTest, LayeredOpacityIsHandedToTheXWindow) {
  BuildScene();
  ASSERT_TRUE(PumpUntil([&] { return FProbe->Capture().At({250, 280}) == ScreenPixel(kTopColor); }));
  const unsigned long topX = FProbe->WindowAt({250, 280});
  EXPECT_FALSE(FProbe->CardinalProperty(topX, "_NET_WM_WINDOW_OPACITY"));
  SetWindowLong(FTop, GWL_EXSTYLE, GetWindowLong(FTop, GWL_EXSTYLE) | WS_EX_LAYERED);
  SetLayeredWindowAttributes(FTop, 0, 128, LWA_ALPHA);
  std::optional<uint32_t> opacity;
  ASSERT_TRUE(PumpUntil([&] { return bool(opacity = FProbe->CardinalProperty(topX, "_NET_WM_WINDOW_OPACITY")); }));
  EXPECT_NEAR(double(*opacity) / 0xFFFFFFFFu, 128.0 / 255.0, 0.01);
}

TEST_F(SdlScreenTest, MinimizedWindowsLeaveABareXScreenAndComeBack) {
  BuildScene();
  ShowWindow(FPopup, SW_HIDE);
  ASSERT_TRUE(PumpUntil([&] { return FProbe->Capture().At({150, 180}) == ScreenPixel(kTopColor); }));
  ShowWindow(FTop, SW_MINIMIZE);
  EXPECT_TRUE(PumpUntil([&] { return FProbe->Capture().At({150, 180}) == kDesktopPixel; }));
  ShowWindow(FTop, SW_RESTORE);
  EXPECT_TRUE(PumpUntil([&] {
    const RootImage shot = FProbe->Capture();
    return shot.At({150, 180}) == ScreenPixel(kTopColor) && shot.At({170, 230}) == ScreenPixel(kChildColor);
  }));
}

TEST_F(SdlScreenTest, AWindowThatStopsBeingAPopupIsMadeAgainInPlace) {
  BuildScene();
  ASSERT_TRUE(PumpUntil([&] { return FProbe->Capture().At({350, 280}) == ScreenPixel(kPopupColor); }));
  const unsigned long popupX = FProbe->WindowAt({350, 280});
  SetWindowLong(FPopup, GWL_EXSTYLE, WS_EX_TOPMOST);
  ASSERT_TRUE(PumpUntil([&] {
    return FProbe->WindowAt({350, 280}) != popupX && FProbe->Capture().At({350, 280}) == ScreenPixel(kPopupColor);
  }));
  FProbe->Click({330, 250});
  ASSERT_TRUE(PumpUntil([&] { return Count(FPopup, WM_LBUTTONDOWN) == 1; }));
  EXPECT_EQ(LParamToPoint(Seen().back().LParam), (POINT{10, 10}));
}

TEST_F(SdlScreenTest, TheApplicationIsActiveWhileTheXFocusIsOnItsWindows) {
  BuildScene();
  ASSERT_TRUE(PumpUntil([&] { return FProbe->Capture().At({350, 280}) == ScreenPixel(kPopupColor); }));
  const unsigned long topX = FProbe->WindowAt({150, 280});
  auto activations = [&] {
    std::vector<WPARAM> seen;
    for (const SeenMessage& m : Seen()) {
      if (m.Wnd == FTop && m.Msg == WM_ACTIVATEAPP) seen.push_back(m.WParam);
    }
    return seen;
  };
  EXPECT_TRUE(activations().empty()) << "showing the popup deactivated the application";

  FProbe->Focus(FProbe->ShowForeignWindow(RECT::FromSize(600, 500, 100, 100)));
  ASSERT_TRUE(PumpUntil([&] { return activations() == std::vector<WPARAM>{0}; }));
  EXPECT_EQ(GetActiveWindow(), HWND());
  FProbe->Focus(topX);
  ASSERT_TRUE(PumpUntil([&] { return activations() == std::vector<WPARAM>{0, 1}; }));
  EXPECT_EQ(GetActiveWindow(), FTop);

  // With no window manager to move the focus, a click does: keys typed
  // after it reach the clicked program, not the one before.
  FProbe->Focus(FProbe->WindowAt({650, 550}));
  ASSERT_TRUE(PumpUntil([&] { return activations() == std::vector<WPARAM>{0, 1, 0}; }));
  FProbe->Click({150, 250});
  ASSERT_TRUE(PumpUntil([&] { return activations() == std::vector<WPARAM>{0, 1, 0, 1}; }));
  EXPECT_EQ(FProbe->FocusWindow(), topX);
  FProbe->Tap("b");
  EXPECT_TRUE(PumpUntil([&] { return Count(FTop, WM_CHAR) == 1; }));
}

// Another client destroys our windows while the program goes on using
// them: the requests fail, the program does not, nor does it wait for ever
// on them; and an error that comes after the display is closed ends nothing.
TEST_F(SdlScreenTest, WindowsDestroyedByAnotherClientEndNothing) {
  BuildScene();
  ASSERT_TRUE(PumpUntil([&] { return FProbe->Capture().At({350, 280}) == ScreenPixel(kPopupColor); }));
  const uint64_t errorsBefore = X11ErrorCount();
  FProbe->Destroy(FProbe->WindowAt({150, 280}));
  FProbe->Destroy(FProbe->WindowAt({350, 280}));
  MoveWindow(FTop, 120, 120, 300, 200, true);
  InvalidateRect(FTop, nullptr, true);
  SetWindowLong(FTop, GWL_EXSTYLE, GetWindowLong(FTop, GWL_EXSTYLE) | WS_EX_LAYERED);
  SetLayeredWindowAttributes(FTop, 0, 200, LWA_ALPHA);
  PumpUntil([] { return false; }, std::chrono::milliseconds(100));
  ShowWindow(FPopup, SW_HIDE);
  ShowWindow(FTop, SW_HIDE);
  ShowWindow(FTop, SW_SHOW);
  DestroyWindow(FTop);
  ShowOtherWindow(RECT::FromSize(400, 300, 200, 150));
  EXPECT_TRUE(PumpUntil([&] { return FProbe->Capture().At({500, 375}) == ScreenPixel(kOtherColor); }));
  EXPECT_GT(X11ErrorCount(), errorsBefore);

  ResetWindowSystem();
  FBackend.reset();
  const uint64_t afterClose = X11ErrorCount();
  FProbe->Destroy(0x3FFFFF);  // no such window
  EXPECT_EQ(X11ErrorCount(), afterClose + 1);
}

TEST_F(SdlScreenTest, TheScreenIsTheXScreen) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
}

}  // namespace kora::test
