// The skinned main window on a real X server through the SDL backend, on a
// bare server and under a window manager (Openbox) that places, moves and
// focuses windows on its own: shaped and undecorated, dragged by its
// caption, minimised and restored twice, its popup leaving the keyboard
// focus where it was, and its close button ending the program.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "framework/forms/Forms.h"
#include "platform/backends/sdl/SdlBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/form/bsSkinForm.h"
#include "xvfb/FrameXSide.h"
#include "xvfb/SkinWindowFixture.h"
#include "xvfb/XProbe.h"
#include "xvfb/XvfbServer.h"

namespace kora::test {
namespace {

class SkinFrameXvfbTest : public SkinWindowXvfbTest {
protected:
  POINT ButtonAt(const char* name) {
    const RECT& r = FFrame->FrameObjects().Find(name)->ObjectRect;
    return At(r.Left + WidthOf(r) / 2, r.Top + HeightOf(r) / 2);
  }
  // The server shows our window where we have it: its own pixels at a few
  // frame points, the root's beyond its cut corner.
  ::testing::AssertionResult ShownAsWeDrawIt(const RootImage& shot) {
    TopLevelInfo info;
    if (!GetTopLevelInfo(FForm->Handle(), &info) || !info.Pixels.Bits)
      return ::testing::AssertionFailure() << "no pixels";
    const RECT r = info.Rect;
    for (POINT p : {POINT{100, 12}, POINT{300, 3}, POINT{2, 200}, POINT{300, 462}, POINT{200, 100}}) {
      // Minimised or not yet painted at its size, the window has fewer
      // pixels than these points need.
      if (p.X >= info.Pixels.Width || p.Y >= info.Pixels.Height)
        return ::testing::AssertionFailure()
               << "the window's pixels are " << info.Pixels.Width << " x " << info.Pixels.Height;
      const uint32_t ours = info.Pixels.Bits[size_t(p.Y) * info.Pixels.Stride + size_t(p.X)] & 0xFFFFFF;
      const uint32_t shown = shot.At({r.Left + p.X, r.Top + p.Y});
      if (ours != shown)
        return ::testing::AssertionFailure()
               << "at " << p.X << "," << p.Y << " the server shows " << std::hex << shown << " for " << ours;
    }
    if (shot.At({r.Left, r.Top}) != kRootPixel || shot.At({r.Right - 1, r.Top}) != kRootPixel)
      return ::testing::AssertionFailure() << "the corners are not cut: " << std::hex << shot.At({r.Left, r.Top});
    return ::testing::AssertionSuccess();
  }
  std::string Name(const std::string& what) { return SkinWindowXvfbTest::Name("frame", what); }
};

TEST_P(SkinFrameXvfbTest, ShapedUndecoratedAndMovedByItsCaption) {
  FForm->Show();
  RootImage shot;
  const bool shown = PumpUntil([&] {
    shot = FProbe->Capture();
    return bool(ShownAsWeDrawIt(shot));
  });
  XProbe::SaveArtifact(shot, Name("shown"));
  ASSERT_TRUE(shown) << ShownAsWeDrawIt(shot).message();
  const RECT before = Rect();
  const POINT grip = At(150, 12);
  const unsigned long ours = FX->FindByName("Kora Editor");
  ASSERT_NE(ours, 0u);
  // The program is inside the move loop while the button is down: the
  // person drags from a thread of their own, in small slow steps, each
  // once the window has followed the one before. The window lands exactly
  // where the pointer went: no step is lost, however still the pointer
  // stands in the moving window.
  const POINT steps[] = {{30, 0}, {10, 5}, {10, 5}};
  std::atomic<bool> released{false};
  std::atomic<int> followed{0};
  std::thread person([&] {
    XSide x;
    x.MoveTo(grip);
    x.Button(1, true);
    POINT d{0, 0};
    for (const POINT step : steps) {
      d = d + step;
      x.MoveTo(grip + d);
      for (int i = 0; i < 600 && x.Geometry(ours).TopLeft() != before.TopLeft() + d; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      followed += x.Geometry(ours).TopLeft() == before.TopLeft() + d;
    }
    x.Button(1, false);
    released = true;
  });
  const RECT wanted = before.Offsetted(50, 10);
  const bool moved = PumpUntil([&] {
    shot = FProbe->Capture();
    return released && GetCapture() == HWND() && Rect() == wanted && ShownAsWeDrawIt(shot);
  });
  person.join();
  XProbe::SaveArtifact(shot, Name("dragged"));
  EXPECT_EQ(followed, 3) << "the window did not follow every step";
  ASSERT_TRUE(moved) << "now at " << Rect().Left << "," << Rect().Top << "; " << ShownAsWeDrawIt(shot).message();
  EXPECT_EQ(FX->Geometry(ours), wanted);
}

TEST_P(SkinFrameXvfbTest, MinimisesAndComesBackTwice) {
  FForm->Show();
  RootImage first;
  const bool shown = PumpUntil([&] { return bool(ShownAsWeDrawIt(first = FProbe->Capture())); });
  if (!shown) XProbe::SaveArtifact(first, Name("first-show-failed"));
  ASSERT_TRUE(shown) << ShownAsWeDrawIt(first).message() << "; the X window " << FX->FindByName("Kora Editor")
                     << " is viewable: " << FX->Viewable(FX->FindByName("Kora Editor"));
  const unsigned long ours = FX->FindByName("Kora Editor");
  ASSERT_NE(ours, 0u);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    const POINT button = ButtonAt("minbutton");
    const POINT inside = At(300, 200);
    FX->MoveTo(button);
    PumpUntil([] { return false; }, 50);
    FX->Button(1, true);
    PumpUntil([] { return false; }, 30);
    FX->Button(1, false);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(FForm->Handle()) && !FX->Viewable(ours); }))
        << "iconic " << IsIconic(FForm->Handle());
    const RootImage gone = FProbe->Capture();
    EXPECT_EQ(gone.At(inside), kRootPixel);
    // Back: the window manager's way, or the program's own without one.
    if (GetParam())
      FX->Activate(ours);
    else
      PostMessage(FForm->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    RootImage shot;
    const bool back = PumpUntil([&] {
      shot = FProbe->Capture();
      return !IsIconic(FForm->Handle()) && ShownAsWeDrawIt(shot);
    });
    XProbe::SaveArtifact(shot, Name("restored-" + std::to_string(round)));
    ASSERT_TRUE(back) << ShownAsWeDrawIt(shot).message();
    PumpUntil([] { return false; }, 600);  // not a double click
  }
}

TEST_P(SkinFrameXvfbTest, ThePopupLeavesTheFocusAndTheCloseButtonEndsTheProgram) {
  FForm->Show();
  ASSERT_TRUE(PumpUntil([&] { return bool(ShownAsWeDrawIt(FProbe->Capture())) && GetActiveWindow(); }));
  const POINT grip = At(150, 12);
  const POINT close = ButtonAt("closebutton");
  const unsigned long ours = FX->FindByName("Kora Editor");
  std::atomic<bool> done{false};
  unsigned long focusBefore = 0, focusWithPopup = 0;
  bool popupSeen = false, menuGone = false;
  // A person on the other side of the screen while the program runs its loop.
  std::thread person([&] {
    XSide x;
    XProbe probe;
    const auto wait = [&](auto condition) {
      for (int i = 0; i < 300; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      return false;
    };
    wait([&] { return x.Focus() != 0; });
    focusBefore = x.Focus();
    const POINT probeAt{grip.X + 40, grip.Y + 12};
    const uint32_t beforeMenu = probe.Capture().At(probeAt);
    x.MoveTo(grip);
    x.Button(3, true);
    x.Button(3, false);
    popupSeen = wait([&] { return probe.Capture().At(probeAt) != beforeMenu; });
    focusWithPopup = x.Focus();
    RootImage shot = probe.Capture();
    XProbe::SaveArtifact(shot, Name("system-menu"));
    x.Tap("Escape");
    // The close button once the menu has gone: a click while it is open
    // would only close the menu.
    menuGone = wait([&] { return probe.Capture().At(probeAt) == beforeMenu; });
    x.MoveTo(close);
    x.Button(1, true);
    x.Button(1, false);
    if (!wait([&] { return done.load(); })) PostMessage(FForm->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  FApp->Run();
  done = true;
  person.join();
  EXPECT_TRUE(popupSeen);
  EXPECT_TRUE(menuGone);
  EXPECT_NE(focusBefore, 0u);
  EXPECT_EQ(focusWithPopup, focusBefore) << "the popup took the keyboard focus";
  EXPECT_TRUE(FApp->Terminated());
  EXPECT_FALSE(FForm->Visible());
  PumpUntil([] { return false; }, 100);
  EXPECT_FALSE(FX->Viewable(ours));
}

INSTANTIATE_TEST_SUITE_P(Desktop, SkinFrameXvfbTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "UnderOpenbox" : "BareServer";
                         });

}  // namespace
}  // namespace kora::test
