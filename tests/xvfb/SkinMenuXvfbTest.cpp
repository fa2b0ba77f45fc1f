// The skinned popup menu, the skinned hint and the tray icon on a real X
// server through the SDL backend, bare and under a window manager: the
// menu and the hint leave the keyboard focus with the form and close on a
// click elsewhere; the tray icon waits for a tray, docks into it by the
// system-tray protocol, hears the mouse, and comes back when the tray
// restarts.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "framework/forms/Forms.h"
#include "platform/backends/sdl/SdlBackend.h"
#include "platform/backends/sdl/X11Bridge.h"
#include "platform/backends/sdl/X11Tray.h"
#include "platform/window/WindowSystem.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinHint.h"
#include "skin/form/bsSkinMenus.h"
#include "skin/form/bsTrayIcon.h"
#include "xvfb/FakeTray.h"
#include "xvfb/FrameXSide.h"
#include "xvfb/SkinWindowFixture.h"
#include "xvfb/XProbe.h"
#include "xvfb/XvfbServer.h"

namespace kora::test {
namespace {

class SkinMenuXvfbTest : public SkinWindowXvfbTest {
protected:
  void ShowForm() {
    FForm->Show();
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == FForm->Handle() && FX->Focus() != 0; }));
    PumpUntil([] { return false; }, 100);
  }
  std::string Name(const std::string& what) { return SkinWindowXvfbTest::Name("menus", what); }
  // A right click on the icon a tray docked, once the tray shows it.
  void RightClickIcon(FakeTray& tray) {
    const unsigned long icon = tray.Docked().back();
    ASSERT_TRUE(PumpUntil([&] {
      tray.Poll();
      return tray.Viewable(icon);
    })) << "the docked icon never showed";
    int x = -1, y = -1;
    tray.Centre(icon, &x, &y);
    ASSERT_GE(x, 0);
    FX->MoveTo({x, y});
    FX->Button(3, true);
    FX->Button(3, false);
  }
};

TEST_P(SkinMenuXvfbTest, ThePopupMenuAndTheHintLeaveTheFocusAndCloseOnAClickElsewhere) {
  auto* menu = new TbsSkinPopupMenu(FForm.get());
  bool chosen = false;
  for (const char* caption : {"选择ROM(&C)", "保存数据", "-", "退出程序"}) {
    auto* item = new TMenuItem(FForm.get());
    item->SetCaption(caption);
    item->SetOnClick([&](TObject*) { chosen = true; });
    menu->Items()->Add(item);
  }
  FForm->SetPopupMenu(menu);
  ShowForm();
  const POINT at = At(200, 200);
  const POINT elsewhere = At(480, 400);
  std::atomic<bool> done{false};
  unsigned long focusBefore = 0, focusWithMenu = 0;
  bool menuSeen = false, menuGone = false;
  // The person clicks while the program runs the menu's loop.
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
    focusBefore = x.Focus();
    const POINT inMenu{at.X + 30, at.Y + 12};
    const uint32_t before = probe.Capture().At(inMenu);
    x.MoveTo(at);
    x.Button(3, true);
    x.Button(3, false);
    menuSeen = wait([&] { return probe.Capture().At(inMenu) != before; });
    focusWithMenu = x.Focus();
    XProbe::SaveArtifact(probe.Capture(), Name("popup"));
    x.MoveTo(elsewhere);
    x.Button(1, true);
    x.Button(1, false);
    menuGone = wait([&] { return probe.Capture().At(inMenu) == before; });
    done = true;
  });
  PumpUntil([&] { return done.load(); }, 8000);
  person.join();
  EXPECT_TRUE(menuSeen);
  EXPECT_TRUE(menuGone);
  EXPECT_FALSE(chosen);
  EXPECT_NE(focusBefore, 0u);
  EXPECT_EQ(focusWithMenu, focusBefore) << "the menu took the keyboard focus";
  EXPECT_EQ(GetActiveWindow(), FForm->Handle());

  // The hint of a frame object: shown without the focus, gone on a click.
  auto* hint = new TbsSkinHint(FForm.get());
  hint->SetSkinData(FSkin);
  FFrame->SetSkinHint(hint);
  FFrame->ShowObjectHint = true;
  const POINT hintAt = At(100, 300);
  const uint32_t under = FProbe->Capture().At({hintAt.X + 5, hintAt.Y + 5});
  hint->ActivateHint(hintAt, "最小化到系统托盘区");
  EXPECT_TRUE(PumpUntil([&] { return FProbe->Capture().At({hintAt.X + 5, hintAt.Y + 5}) != under; }));
  XProbe::SaveArtifact(FProbe->Capture(), Name("hint"));
  EXPECT_EQ(FX->Focus(), focusBefore) << "the hint took the keyboard focus";
  FX->MoveTo(elsewhere);
  PumpUntil([] { return false; }, 50);
  FX->Button(1, true);
  FX->Button(1, false);
  EXPECT_TRUE(PumpUntil([&] { return !hint->ObjectHintShowing(); }));
  EXPECT_TRUE(PumpUntil([&] { return FProbe->Capture().At({hintAt.X + 5, hintAt.Y + 5}) == under; }));
}

TEST_P(SkinMenuXvfbTest, TheTrayIconDocksIntoATrayHearsTheMouseAndComesBackAfterARestart) {
  ShowForm();
  ASSERT_TRUE(FBackend->Tray());
  // No tray: the icon stays hidden and nothing fails.
  auto* tray = new TbsTrayIcon(FForm.get());
  tray->SetHint("Kora Editor");
  std::vector<TMouseButton> pressed;
  tray->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int, int) { pressed.push_back(button); };
  PumpUntil([] { return false; }, 100);
  EXPECT_FALSE(tray->IconShown());

  // A tray starts: the icon is docked into it.
  auto first = std::make_unique<FakeTray>();
  ASSERT_TRUE(first->Start());
  ASSERT_TRUE(PumpUntil([&] {
    first->Poll();
    return first->Docked().size() == 1;
  })) << "no dock request";
  EXPECT_TRUE(tray->IconShown());
  const unsigned long icon = first->Docked()[0];
  EXPECT_EQ(icon, FBackend->Tray()->IconWindow(tray->MessageWindow(), TbsTrayIcon::kIconId));
  EXPECT_TRUE(first->HasXembedInfo(icon));
  RightClickIcon(*first);
  EXPECT_TRUE(PumpUntil([&] { return !pressed.empty(); }));
  EXPECT_EQ(pressed, (std::vector<TMouseButton>{mbRight}));
  XProbe::SaveArtifact(FProbe->Capture(), Name("tray"));

  // The tray goes and another starts: the visible icon comes back.
  first->Stop();
  PumpUntil([] { return false; }, 200);
  auto second = std::make_unique<FakeTray>();
  ASSERT_TRUE(second->Start());
  EXPECT_TRUE(PumpUntil([&] {
    second->Poll();
    return second->Docked().size() == 1;
  })) << "the icon did not come back";
  EXPECT_TRUE(tray->IconShown());
  // A hidden icon leaves the tray.
  tray->HideIcon();
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(FBackend->Tray()->IconWindow(tray->MessageWindow(), TbsTrayIcon::kIconId), 0u);

  // A tray that crashes while it docks the icon takes the icon's window
  // with it: what the program then asks of the gone windows fails, and it
  // goes on; the next tray gets the icon, which hears the mouse.
  second->Stop();
  const uint64_t errorsBefore = X11ErrorCount();
  auto crashing = std::make_unique<FakeTray>();
  crashing->VanishOnDock = true;
  ASSERT_TRUE(crashing->Start());
  PumpUntil([] { return false; }, 100);
  tray->ShowIcon();
  ASSERT_TRUE(PumpUntil([&] {
    crashing->Poll();
    return crashing->Docked().size() == 1;
  }));
  PumpUntil([] { return false; }, 200);
  auto third = std::make_unique<FakeTray>();
  ASSERT_TRUE(third->Start());
  ASSERT_TRUE(PumpUntil([&] {
    third->Poll();
    return third->Docked().size() == 1;
  })) << "the icon did not come back after the crash";
  EXPECT_GT(X11ErrorCount(), errorsBefore);
  RightClickIcon(*third);
  EXPECT_TRUE(PumpUntil([&] { return pressed.size() == 2; }));
}

INSTANTIATE_TEST_SUITE_P(Desktop, SkinMenuXvfbTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "UnderOpenbox" : "BareServer";
                         });

}  // namespace
}  // namespace kora::test
