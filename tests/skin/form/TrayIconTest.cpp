// The tray icon on the notification area's model: its record, the area
// missing and coming back, clicks told from double-clicks, its menu through
// the skinned engine, the frame's minimize-to-tray and the icon animation.

#include <string>
#include <vector>

#include "SkinMenuTestSupport.h"
#include "platform/shell/NotifyArea.h"
#include "skin/form/bsTrayIcon.h"

namespace kora::test {
namespace {

class TrayIconTest : public SkinMenuTest {
protected:
  void SetUp() override {
    SkinMenuTest::SetUp();
    SetNotifyAreaModelPresent(true);
    LoadProgramSkin();
    ShowForm();
    Tray = new TbsTrayIcon(Form.get());
    Tray->SetHint("Kora Editor");
    Tray->OnClick = [this](TObject*) { Events.push_back("click"); };
    Tray->OnDblClick = [this](TObject*) { Events.push_back("dblclick"); };
  }
  void TearDown() override {
    SetNotifyAreaModelPresent(true);
    SkinMenuTest::TearDown();
  }
  void Mouse(UINT message) {
    ASSERT_TRUE(PostNotifyIconInput(Tray->MessageWindow(), TbsTrayIcon::kIconId, message));
    Screen.RunUntilIdle();
  }

  TbsTrayIcon* Tray = nullptr;
  std::vector<std::string> Events;
};

TEST_F(TrayIconTest, TheIconShowsFromCreationWithItsTipAndGoesWhenHidden) {
  std::vector<NotifyIconInfo> icons = NotifyIcons();
  ASSERT_EQ(icons.size(), 1u);
  EXPECT_EQ(icons[0].Wnd, Tray->MessageWindow());
  EXPECT_EQ(icons[0].Id, 1u);
  EXPECT_EQ(icons[0].CallbackMessage, 2048u);
  EXPECT_EQ(icons[0].Tip, "Kora Editor");
  EXPECT_TRUE(icons[0].Icon);  // the system's application icon for an empty Icon
  EXPECT_EQ(Tray->IconData().uFlags, 7u);
  // A long tip is cut to 127 characters, Chinese ones as much as others.
  std::string tip;
  while (tip.size() < 600) tip += "最小化到系统托盘区";
  Tray->SetHint(tip);
  const std::string shown = NotifyIcons()[0].Tip;
  EXPECT_EQ(shown.size(), 127u * 3);
  EXPECT_EQ(tip.compare(0, shown.size(), shown), 0);
  Tray->SetShowHint(false);
  EXPECT_EQ(NotifyIcons()[0].Tip, "");
  Tray->HideIcon();
  EXPECT_TRUE(NotifyIcons().empty());
  EXPECT_FALSE(Tray->IconShown());
  Tray->ShowIcon();
  EXPECT_EQ(NotifyIcons().size(), 1u);
  delete Tray;
  EXPECT_TRUE(NotifyIcons().empty());
}

TEST_F(TrayIconTest, WithoutAnAreaTheIconWaitsAndAfterARestartItComesBack) {
  // The area goes away: nothing fails and nothing shows.
  Tray->HideIcon();
  SetNotifyAreaModelPresent(false);
  Tray->ShowIcon();
  EXPECT_FALSE(Tray->IconShown());
  EXPECT_TRUE(NotifyIcons().empty());
  // The area starts: the icon is added again.
  SetNotifyAreaModelPresent(true);
  NotifyAreaRestarted();
  Screen.RunUntilIdle();
  EXPECT_TRUE(Tray->IconShown());
  ASSERT_EQ(NotifyIcons().size(), 1u);
  // A restart forgets the shown icons; a visible one reappears, a hidden one not.
  NotifyAreaRestarted();
  EXPECT_TRUE(NotifyIcons().empty());
  Screen.RunUntilIdle();
  EXPECT_EQ(NotifyIcons().size(), 1u);
  Tray->HideIcon();
  NotifyAreaRestarted();
  Screen.RunUntilIdle();
  EXPECT_TRUE(NotifyIcons().empty());
}

TEST_F(TrayIconTest, AClickWaitsForTheDoubleClickTimeAndADoubleClickIsNoClick) {
  Mouse(WM_LBUTTONDOWN);
  Mouse(WM_LBUTTONUP);
  EXPECT_TRUE(Events.empty());
  Screen.Wait(GetDoubleClickTime() + 10);
  EXPECT_EQ(Events, (std::vector<std::string>{"click"}));
  // Held past the double-click time: the release is the click.
  Events.clear();
  Mouse(WM_LBUTTONDOWN);
  Screen.Wait(GetDoubleClickTime() + 10);
  EXPECT_TRUE(Events.empty());
  Mouse(WM_LBUTTONUP);
  EXPECT_EQ(Events, (std::vector<std::string>{"click"}));
  // A double-click, which also runs the popup menu's default item.
  Events.clear();
  auto* menu = new TPopupMenu(Form.get());
  TMenuItem* restore = Add(menu->Items(), "", "恢复(&R)");
  restore->SetDefault(true);
  Tray->SetPopupMenu(menu);
  Mouse(WM_LBUTTONDOWN);
  Mouse(WM_LBUTTONUP);
  Mouse(WM_LBUTTONDBLCLK);
  Mouse(WM_LBUTTONUP);
  Screen.Wait(GetDoubleClickTime() + 10);
  EXPECT_EQ(Events, (std::vector<std::string>{"dblclick"}));
  EXPECT_EQ(Clicked, (std::vector<TMenuItem*>{restore}));
}

TEST_F(TrayIconTest, TheRightButtonOpensTheMenuThroughTheSkinnedEngineAtTheCursor) {
  auto* menu = new TbsSkinPopupMenu(Form.get());
  TMenuItem* close = Add(menu->Items(), "TRAY_BSF_CLOSE", "关闭(&C)");
  Tray->SetPopupMenu(menu);
  const POINT cursor{600, 500};
  Screen.MouseMove(cursor);
  Screen.RunUntilIdle();
  RECT shown{};
  bool skinned = false;
  Step([&] {
    shown = PopupRect(0);
    skinned = Popup(0)->Skinned();
    Screen.PressKey(VK_RETURN);
  });
  Mouse(WM_RBUTTONDOWN);
  EXPECT_EQ(shown.TopLeft(), cursor);
  EXPECT_TRUE(skinned);
  EXPECT_EQ(Clicked, (std::vector<TMenuItem*>{close}));
}

TEST_F(TrayIconTest, TheFramesMinimizeToTrayHidesTheWindowAndADoubleClickBringsItBack) {
  Frame->SetTrayIcon(Tray);
  EXPECT_FALSE(Tray->IconShown());  // hidden unless AlwaysShowInTray
  EXPECT_EQ(Tray->PopupMenu(), Frame->TrayPopupMenu());
  Tray->OnDblClick = nullptr;
  Frame->SetTrayIcon(nullptr);
  Frame->SetTrayIcon(Tray);  // the frame's restore becomes the double-click
  Frame->MinimizeToTray();
  Screen.RunUntilIdle();
  EXPECT_TRUE(Tray->IconShown());
  EXPECT_TRUE(Tray->ApplicationHidden());
  EXPECT_FALSE(IsWindowVisible(Window()));
  Mouse(WM_LBUTTONDOWN);
  Mouse(WM_LBUTTONUP);
  Mouse(WM_LBUTTONDBLCLK);
  Screen.RunUntilIdle();
  EXPECT_TRUE(IsWindowVisible(Window()));
  EXPECT_FALSE(IsIconic(Window()));
  EXPECT_FALSE(Tray->ApplicationHidden());
  EXPECT_FALSE(Tray->IconShown());
}

TEST_F(TrayIconTest, CyclingStepsThroughTheIconListAndWraps) {
  auto* images = new TImageList(Form.get());
  TBitmap picture;
  picture.SetSize(48, 16);
  picture.Canvas()->Brush()->SetColor(clRed);
  picture.Canvas()->FillRect({0, 0, 48, 16});
  images->Add(&picture, nullptr);
  ASSERT_EQ(images->Count(), 3);
  std::vector<int> seen;
  Tray->OnCycle = [&](TObject*) { seen.push_back(Tray->IconIndex()); };
  Tray->SetIconList(images);
  Tray->SetAnimateTimerInterval(100);
  Tray->SetCycleIcons(true);
  Screen.Wait(350);
  Tray->SetCycleIcons(false);
  Screen.Wait(300);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 0}));
  EXPECT_TRUE(NotifyIcons()[0].Icon);
}

}  // namespace
}  // namespace kora::test
