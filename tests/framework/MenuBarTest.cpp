#include <vector>

#include "MenuTestSupport.h"
#include "framework/menus/Menus_BarTracker.h"

namespace kora::test {
namespace {

class MenuBarTest : public MenuFormTest {
protected:
  void SetUp() override {
    MenuFormTest::SetUp();
    Form->SetCaption("Kora Editor");
    Menu = new TMainMenu(Form);
    File = Add(Menu->Items(), "&File");
    Open = Add(File, "&Open...");
    Save = Add(File, "&Save");
    Save->SetEnabled(false);
    Add(File, "-");
    Exit = Add(File, "E&xit");
    Edit = Add(Menu->Items(), "&Edit");
    Copy = Add(Edit, "&Copy");
    Copy->SetShortCut(ShortCut('C', {ssCtrl}));
    Paste = Add(Edit, "&Paste");
    About = Add(Menu->Items(), "&About");
    ShowForm(100, 80, 420, 300);
    ClientWithoutBar = Form->ClientHeight();
    Form->SetMenu(Menu);
    Screen.RunUntilIdle();
  }

  RECT BarItem(int index) { return PlainMenuBarItemRect(*Form, index); }
  TMainMenu* Menu = nullptr;
  TMenuItem *File, *Open, *Save, *Exit, *Edit, *Copy, *Paste, *About;
  int ClientWithoutBar = 0;
};

TEST_F(MenuBarTest, TheBarTakesItsRoomFromTheClientAreaUntilTheMenuGoes) {
  EXPECT_EQ(Form->ClientHeight(), ClientWithoutBar - GetSystemMetrics(SM_CYMENU));
  const RECT file = BarItem(0);
  const POINT origin = Form->ClientOrigin();
  EXPECT_EQ(file.Bottom, origin.Y);
  EXPECT_EQ(file.Left, origin.X);
  EXPECT_LT(BarItem(0).Right, BarItem(1).Left + 1);
  EXPECT_EQ(SendMessage(Form->Handle(), WM_NCHITTEST, 0, PointToLParam(Center(file))), HTMENU);
  // The caption is still the caption.
  EXPECT_NE(SendMessage(Form->Handle(), WM_NCHITTEST, 0, PointToLParam({file.Left + 5, file.Top - 8})), HTMENU);

  Form->SetMenu(nullptr);
  EXPECT_EQ(Form->ClientHeight(), ClientWithoutBar);
  EXPECT_EQ(BarItem(0).Right, 0);
  Form->SetMenu(Menu);
  delete Menu;  // freeing the menu removes the bar too
  Menu = nullptr;
  EXPECT_EQ(Form->ClientHeight(), ClientWithoutBar);
}

TEST_F(MenuBarTest, AClickOpensTheDropDownUnderTheItemAndAnItemRunsAfterItClosed) {
  Step([&] {
    const std::vector<RECT> open = MenuWindows();
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].Left, BarItem(0).Left);
    EXPECT_EQ(open[0].Top, BarItem(0).Bottom);
    Screen.SaveArtifact("menu_bar_plain");
    Screen.Click({open[0].Left + 30, open[0].Top + 12});  // Open...
  });
  Screen.Click(Center(BarItem(0)));
  Screen.RunUntilIdle();
  ASSERT_EQ(Clicked.size(), 1u);
  EXPECT_EQ(Clicked[0], Open);
  EXPECT_TRUE(MenuWindows().empty());

  // An item without a drop-down is a command of its own.
  Screen.Click(Center(BarItem(2)));
  Screen.RunUntilIdle();
  ASSERT_EQ(Clicked.size(), 2u);
  EXPECT_EQ(Clicked[1], About);
}

TEST_F(MenuBarTest, MovingAlongTheBarSwitchesDropDownsAndArrowsToo) {
  std::vector<RECT> seen;
  Step([&] { Screen.MouseMove(Center(BarItem(1))); });  // to Edit
  Step([&] {
    seen = MenuWindows();
    Screen.PressKey(VK_LEFT);  // back to File
  });
  Step([&] {
    const std::vector<RECT> now = MenuWindows();
    ASSERT_EQ(now.size(), 1u);
    EXPECT_EQ(now[0].Left, BarItem(0).Left);
    Screen.PressKey(VK_LEFT);  // wraps to About, which only lights up
  });
  Step([&] {
    EXPECT_TRUE(MenuWindows().empty());
    Screen.PressKey(VK_ESCAPE);
  });
  Screen.Click(Center(BarItem(0)));
  Screen.RunUntilIdle();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Left, BarItem(1).Left);
  EXPECT_TRUE(Clicked.empty());
  EXPECT_TRUE(MenuWindows().empty());
}

TEST_F(MenuBarTest, AltEntersKeyboardModeAndAltLetterOpensTheItem) {
  // The keyboard mode lasts without a loop of its own; the drop-down has one.
  Key(VK_RETURN);                                       // Copy
  for (const UINT vk : {VK_MENU, VK_RIGHT, VK_DOWN}) {  // File -> Edit, opened on Copy
    Screen.PressKey(vk);
    Screen.RunUntilIdle();
  }
  ASSERT_EQ(Clicked.size(), 1u);
  EXPECT_EQ(Clicked[0], Copy);

  Step([&] { EXPECT_EQ(MenuWindows().size(), 1u); });
  Key('X');  // Exit in the File menu
  Screen.KeyDown(VK_MENU);
  Screen.PressKey('F');
  Screen.KeyUp(VK_MENU);
  Screen.RunUntilIdle();
  ASSERT_EQ(Clicked.size(), 2u);
  EXPECT_EQ(Clicked[1], Exit);

  for (const UINT vk : {VK_F10, VK_ESCAPE}) {
    Screen.PressKey(vk);
    Screen.RunUntilIdle();
  }
  EXPECT_EQ(Clicked.size(), 2u);
  EXPECT_EQ(PlainMenuBarTracker(*Form)->Mode(), TMenuBarMode::Rest);
  EXPECT_EQ(Screen.PendingIdleSteps(), 0u);
}

TEST_F(MenuBarTest, MenuChangesReLayTheBar) {
  const int editLeft = BarItem(1).Left;
  File->SetCaption("&File and more");
  EXPECT_GT(BarItem(1).Left, editLeft);
  Edit->SetVisible(false);
  Screen.RunUntilIdle();
  Screen.Click(Center(BarItem(1)));  // now About
  Screen.RunUntilIdle();
  ASSERT_EQ(Clicked.size(), 1u);
  EXPECT_EQ(Clicked[0], About);
}

}  // namespace
}  // namespace kora::test
