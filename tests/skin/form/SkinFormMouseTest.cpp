// The main window's frame under the mouse: the close button's release rule,
// dragging by the caption, the caption's double- and right-click, the
// system menu, minimize and restore, and the morph of a hovered button.

#include <string>
#include <vector>

#include "SkinFormTestSupport.h"
#include "skin/form/bsSkinMenus.h"

namespace kora::test {
namespace {

class SkinFormMouseTest : public SkinFormTest {
protected:
  void SetUp() override {
    SkinFormTest::SetUp();
    LoadProgramSkin();
    ShowForm();
  }
  POINT CloseButton() { return Middle(Button("closebutton")->ObjectRect); }
  POINT MinimizeButton() { return Middle(Button("minbutton")->ObjectRect); }
  bool Closed() const { return App->Terminated() && !Form->Visible(); }
};

TEST_F(SkinFormMouseTest, TheCloseButtonClosesOnlyWhenReleasedOverIt) {
  // Pressed, dragged off and released elsewhere: nothing happens.
  Screen.MouseMove(CloseButton());
  Screen.MouseDown(CloseButton());
  Screen.RunUntilIdle();
  EXPECT_TRUE(Button("closebutton")->Down());
  EXPECT_EQ(GetCapture(), Window());
  Screen.MouseMove(AtWindow(300, 200));
  Screen.Wait(100);
  EXPECT_FALSE(Button("closebutton")->Active);
  Screen.MouseUp(AtWindow(300, 200));
  Screen.RunUntilIdle();
  EXPECT_FALSE(Closed());
  EXPECT_FALSE(Button("closebutton")->Down());
  EXPECT_NE(GetCapture(), Window());

  // Off and back on before the release: it closes.
  Screen.MouseMove(CloseButton());
  Screen.MouseDown(CloseButton());
  Screen.MouseMove(AtWindow(300, 12));
  Screen.MouseMove(CloseButton());
  Screen.MouseUp(CloseButton());
  Screen.RunUntilIdle();
  EXPECT_TRUE(Closed());
}

TEST_F(SkinFormMouseTest, DraggingTheCaptionMovesTheWindowThroughTheMoveLoop) {
  const RECT before = WindowRect();
  Log.clear();
  const POINT grip = AtWindow(150, 12);
  Screen.MouseMove(grip);
  Screen.MouseDown(grip);
  Screen.MouseMove({grip.X + 30, grip.Y + 10});
  Screen.MouseMove({grip.X + 60, grip.Y + 25});
  Screen.MouseUp({grip.X + 60, grip.Y + 25});
  Screen.RunUntilIdle();
  EXPECT_EQ(WindowRect(), before.Offsetted(60, 25));
  EXPECT_EQ(LoggedNames({WM_NCLBUTTONDOWN, WM_SYSCOMMAND, WM_ENTERSIZEMOVE, WM_MOVING, WM_EXITSIZEMOVE}),
            (std::vector<std::string>{"WM_NCLBUTTONDOWN", "SC_MOVE", "WM_ENTERSIZEMOVE", "WM_MOVING", "WM_MOVING",
                                      "WM_EXITSIZEMOVE"}));
  EXPECT_FALSE(Frame->States().InSizeMove());
  EXPECT_EQ(Frame->Hover().CapturedIndex(), -1);
  // The frame still answers the mouse afterwards.
  Screen.MouseMove(CloseButton());
  Screen.RunUntilIdle();
  EXPECT_TRUE(Button("closebutton")->MouseIn);
}

TEST_F(SkinFormMouseTest, DoubleClickingTheCaptionDoesNothingAndRightClickingOpensTheSystemMenu) {
  const RECT before = WindowRect();
  const POINT grip = AtWindow(150, 12);
  Screen.Click(grip);
  Screen.Click(grip);
  Screen.RunUntilIdle();
  EXPECT_EQ(WindowRect(), before);
  EXPECT_FALSE(Frame->States().RolledUp());
  EXPECT_EQ(Frame->States().WindowState(), fwsNormal);

  std::vector<std::string> shown;
  POINT at{};
  // The menu opens through the frame's skinned popup engine.
  Screen.WhenIdle([&] {
    const TbsSkinPopupWindow* popup = SkinMenuOf(Frame)->PopupWindow(0);
    ASSERT_TRUE(popup);
    at = popup->ScreenRect().TopLeft();
    for (const TMenuItem* item : popup->Items)
      shown.push_back(item->Caption() + (item->ShortCutText().empty() ? "" : "\t" + item->ShortCutText()));
    EXPECT_TRUE(Frame->MenuMode().MenuOpen());
    Screen.PressKey(VK_ESCAPE);
  });
  Screen.Click(grip, MOUSE_RIGHT);
  Screen.RunUntilIdle();
  EXPECT_EQ(shown, (std::vector<std::string>{"最小化(&N)", "-", "关闭(&C)\tAlt+F4"}));
  EXPECT_EQ(at, grip);
  EXPECT_FALSE(Frame->MenuMode().MenuOpen());
}

// The first press opens the system menu; the second, on the button while
// the menu runs, makes a double-click, which closes the form.
TEST_F(SkinFormMouseTest, DoubleClickingTheSystemMenuButtonClosesTheForm) {
  Frame->SetBorderIcons({TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMinimize});
  Screen.RunUntilIdle();
  const POINT button = Middle(Button("sysmenubutton")->ObjectRect);
  bool opened = false;
  Screen.WhenIdle([&] {
    opened = Frame->MenuMode().MenuOpen();
    Screen.Click(button);
  });
  Screen.Click(button);
  Screen.RunUntilIdle();
  EXPECT_TRUE(opened);
  EXPECT_TRUE(Closed());
}

TEST_F(SkinFormMouseTest, TheSystemMenuShowsOnScreenKeepsTheFocusAndItsCommandsWork) {
  auto* edit = new TWinControl(Form.get());
  edit->SetParent(Form.get());
  edit->SetBounds(10, 40, 100, 20);
  edit->SetTabStop(true);
  edit->SetFocus();
  Screen.RunUntilIdle();
  const HWND focus = GetFocus();
  const POINT grip = AtWindow(150, 12);
  bool looked = false;
  Screen.WhenIdle([&] {
    looked = true;
    EXPECT_TRUE(Frame->MenuMode().MenuOpen());
    EXPECT_EQ(GetFocus(), focus);
    EXPECT_EQ(GetActiveWindow(), Window());
    Screen.SaveArtifact("skin-form-system-menu");
    // "关闭(&C)" by its accelerator.
    Screen.PressKey('C');
  });
  Screen.Click(grip, MOUSE_RIGHT);
  Screen.RunUntilIdle();
  EXPECT_TRUE(looked);
  EXPECT_TRUE(Closed());
}

TEST_F(SkinFormMouseTest, TheMinimizeButtonMinimizesTheApplicationAndRestoringWorksTwice) {
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    Log.clear();
    Screen.Click(MinimizeButton());
    Screen.RunUntilIdle();
    EXPECT_TRUE(IsIconic(Window()));
    EXPECT_TRUE(App->Minimized());
    // The main form's own state stays: the application holds it.
    EXPECT_EQ(Frame->States().WindowState(), fwsNormal);
    PostMessage(Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    Screen.RunUntilIdle();
    EXPECT_FALSE(IsIconic(Window()));
    EXPECT_FALSE(App->Minimized());
    EXPECT_EQ(LoggedNames({WM_SIZE, WM_SYSCOMMAND}),
              (std::vector<std::string>{"WM_SIZE(minimized)", "SC_RESTORE", "WM_SIZE"}));
    EXPECT_EQ(WidthOf(WindowRect()), 562);
    EXPECT_EQ(Form->ClientHeight(), 434);
    // The button is not left hot or pressed.
    EXPECT_FALSE(Button("minbutton")->Down());
    Screen.Wait(1000);
  }
}

TEST_F(SkinFormMouseTest, AQuickDoubleClickOnAButtonRunsItsCommandAndLetsItUp) {
  // The first close is refused, so the second press arrives as a double click.
  int queries = 0;
  Form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries >= 2; };
  Screen.Click(CloseButton());
  Screen.Click(CloseButton());
  Screen.RunUntilIdle();
  EXPECT_EQ(queries, 2);
  EXPECT_TRUE(Closed());
  EXPECT_FALSE(Button("closebutton")->Down());
  EXPECT_NE(GetCapture(), Window());
}

TEST_F(SkinFormMouseTest, AHoveredButtonMorphsInFiveStepsAndBack) {
  TbsSkinStdButtonObject* close = Button("closebutton");
  Screen.MouseMove(CloseButton());
  Screen.RunUntilIdle();
  EXPECT_TRUE(close->Active);
  EXPECT_TRUE(Frame->Animator().MorphTimer()->Enabled());
  std::vector<double> steps;
  for (int i = 0; i < 6; ++i) {
    Screen.Wait(25);
    steps.push_back(close->MorphFactor);
  }
  EXPECT_NEAR(steps[0], 0.2, 1e-9);
  EXPECT_NEAR(steps[1], 0.4, 1e-9);
  EXPECT_EQ(steps[4], 1.0);
  EXPECT_FALSE(Frame->Animator().MorphTimer()->Enabled());
  // Hot look at the end: the active rectangle's pixels.
  const TbsDataSkinObject* record = Skin->ObjectRecord(Skin->FindObjectRecord("closebutton"));
  TBitmap* picture = Skin->FindActivePicture(record->ActivePictureIndex);
  const POINT at = AtWindow(close->ObjectRect.Left + 10, close->ObjectRect.Top + 10);
  EXPECT_EQ(PixelAt(at), picture->Canvas()->Pixels(record->ActiveSkinRect.Left + 10, record->ActiveSkinRect.Top + 10));
  // Leaving runs it back.
  Screen.MouseMove(AtWindow(300, 200));
  Screen.Wait(60);
  EXPECT_FALSE(close->Active);
  Screen.Wait(200);
  EXPECT_EQ(close->MorphFactor, 0.0);
  EXPECT_EQ(PixelAt(at), picture->Canvas()->Pixels(record->SkinRect.Left + 10, record->SkinRect.Top + 10));
}

}  // namespace
}  // namespace kora::test
