// The frame's window management: magnetic docking, the fade-in driven by its
// timer, placement on first show, roll-up, and what a stored frame takes
// over and forgets.

#include <string>
#include <vector>

#include "SkinFormTestSupport.h"
#include "framework/core/FormText.h"

namespace kora::test {
namespace {

class SkinFormStatesTest : public SkinFormTest {};

TEST_F(SkinFormStatesTest, AWindowNearTheEdgeSnapsAndLeavesOnlyAfterTheCursorMovedFurther) {
  LoadProgramSkin();
  Frame->Magnetic = true;
  ShowForm();
  Form->SetBounds(4, 100, Form->Width(), Form->Height());
  Screen.RunUntilIdle();
  const POINT grip = AtWindow(150, 12);
  std::vector<int> lefts;
  const auto moveBy = [&](int dx) {
    Screen.WhenIdle([&, dx] {
      lefts.push_back(WindowRect().Left);
      Screen.MouseMove({grip.X + dx, grip.Y});
    });
  };
  Screen.MouseMove(grip);
  Screen.MouseDown(grip);
  // -1 puts it 3 pixels from the edge: it snaps. The cursor then moves up
  // to 5 pixels on without pulling it away; 6 pixels do.
  for (int dx : {-1, 1, 4, 5}) moveBy(dx);
  Screen.WhenIdle([&] {
    lefts.push_back(WindowRect().Left);
    Screen.MouseUp({grip.X + 5, grip.Y});
  });
  Screen.RunUntilIdle();
  ASSERT_EQ(lefts.size(), 5u);
  EXPECT_EQ(lefts[0], 4);  // before the first move
  EXPECT_EQ(lefts[1], 0);
  EXPECT_EQ(lefts[2], 0);
  EXPECT_EQ(lefts[3], 0);
  EXPECT_EQ(lefts[4], 6);  // the cursor is 6 pixels from where it snapped
  EXPECT_EQ(WindowRect().Left, 6);

  // Pushed 3 pixels past the edge it snaps; pulled away it follows the
  // cursor from the edge and does not snap back while still near it.
  Form->SetBounds(2, 100, Form->Width(), Form->Height());
  Screen.Wait(1000);  // a new press, not a double-click
  lefts.clear();
  Screen.MouseMove(grip);
  Screen.MouseDown(grip);
  for (int dx : {-5, 1, 2, 3}) moveBy(dx);
  Screen.WhenIdle([&] {
    lefts.push_back(WindowRect().Left);
    Screen.MouseUp({grip.X + 3, grip.Y});
  });
  Screen.RunUntilIdle();
  EXPECT_EQ(lefts, (std::vector<int>{2, 0, 6, 7, 8}));
}

TEST_F(SkinFormStatesTest, TheFadeInRunsOnTheTimerUpToItsTarget) {
  LoadProgramSkin();
  Frame->AlphaBlendAnimation = true;
  ShowForm();
  const auto alpha = [&] {
    uint8_t a = 255;
    DWORD flags = 0;
    GetLayeredWindowAttributes(Window(), nullptr, &a, &flags);
    return int(a);
  };
  EXPECT_TRUE(GetWindowLong(Window(), GWL_EXSTYLE) & WS_EX_LAYERED);
  std::vector<int> seen;
  for (int i = 0; i < 6 && (GetWindowLong(Window(), GWL_EXSTYLE) & WS_EX_LAYERED); ++i) {
    seen.push_back(alpha());
    Screen.Wait(10);
  }
  // Rising in steps of ten, a tick at a time, not all at once.
  ASSERT_GE(seen.size(), 3u);
  EXPECT_LT(seen[1], seen[2]);
  EXPECT_LE(seen[2] - seen[1], 10);
  Screen.Wait(500);
  // Animation without AlphaBlend ends opaque and drops the layered style.
  EXPECT_FALSE(GetWindowLong(Window(), GWL_EXSTYLE) & WS_EX_LAYERED);

  // With AlphaBlend the window stays layered at its value.
  Form->Hide();
  Frame->AlphaBlend = true;
  Form->Show();
  Screen.Wait(600);
  EXPECT_TRUE(GetWindowLong(Window(), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_EQ(alpha(), 200);
}

TEST_F(SkinFormStatesTest, PlacementOnFirstShowAndRollingUp) {
  LoadProgramSkin();
  Frame->PositionInMonitor = bspDesktopCenter;
  Frame->SetBorderIcons({TbsBorderIcon::biMinimize, TbsBorderIcon::biRollUp});
  std::vector<bool> rolled;
  Frame->OnChangeRollUpState = [&](TObject*) { rolled.push_back(Frame->States().RolledUp()); };
  ShowForm();
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  const RECT placed = WindowRect();
  EXPECT_EQ(placed.Left, work.Left + WidthOf(work) / 2 - 562 / 2);
  EXPECT_EQ(placed.Top, work.Top + HeightOf(work) / 2 - 465 / 2);
  // The caption's double click rolls a non-sizeable frame up and down.
  Screen.Click(AtWindow(150, 12));
  Screen.Click(AtWindow(150, 12));
  Screen.RunUntilIdle();
  EXPECT_TRUE(Frame->States().RolledUp());
  EXPECT_EQ(HeightOf(WindowRect()), 31);
  // Rolled up, the whole frame is the caption or the buttons.
  EXPECT_EQ(SendMessage(Window(), WM_NCHITTEST, 0, MAKELPARAM(placed.Left + 150, placed.Top + 12)), HTCAPTION);
  Screen.Wait(1000);
  Screen.Click(AtWindow(150, 12));
  Screen.Click(AtWindow(150, 12));
  Screen.RunUntilIdle();
  EXPECT_FALSE(Frame->States().RolledUp());
  EXPECT_EQ(WindowRect(), placed);
  EXPECT_EQ(Form->ClientHeight(), 434);
  EXPECT_EQ(rolled, (std::vector<bool>{true, false}));
  // The system menu offers what the state allows.
  Frame->RollUp(true);
  std::vector<std::string> names;
  for (int i = 0; i < Frame->MenuMode().SystemMenuItems()->Count(); ++i)
    names.push_back(Frame->MenuMode().SystemMenuItems()->Items(i)->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"BSF_MINITEM", "BSF_RESTORE", "BSF_LINE", "BSF_CLOSE"}));
  // An application's own system menu gets the commands on top, the same
  // each time it opens.
  auto* own = new TPopupMenu(Form.get());
  auto* item = new TMenuItem(own);
  item->SetName("Own");
  item->SetCaption("自己的命令");
  own->Items()->Add(item);
  Frame->SetSystemMenu(own);
  for (int opening = 0; opening < 2; ++opening) {
    names.clear();
    TMenuItem* root = Frame->MenuMode().SystemMenuItems();
    for (int i = 0; i < root->Count(); ++i) names.push_back(root->Items(i)->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"BSF_MINITEM", "BSF_RESTORE", "BSF_LINE", "BSF_CLOSE", "Own"}));
  }
}

// Loaded, the frame takes the form's border icons over; values it refuses
// leave the stored ones, and a removed component is forgotten.
TEST_F(SkinFormStatesTest, AStoredFrameTakesTheBorderIconsAndForgetsRemovedParts) {
  Form.reset();
  RegisterFrameworkClasses();
  RegisterSkinFormClasses();
  RegisterClasses({TbsSkinData::StaticClass()});
  std::unique_ptr<TComponent> root(
      ReadComponentText("object frmMain: TForm\n"
                        "  BorderStyle = bsSingle\n"
                        "  object bsSkinForm1: TbsSkinForm\n"
                        "    StatusBar = Bar\n"
                        "    MaxMenuItemsInWindow = 7\n"
                        "    DefMenuItemHeight = 22\n"
                        "    TrayIcon = Bar\n"
                        "    MainMenuBar = Bar\n"
                        "    BorderIcons = [biMinimize, biMinimizeToTray]\n"
                        "  end\n"
                        "  object Bar: TListBox\n"
                        "  end\n"
                        "end\n"));
  auto* form = dynamic_cast<TForm*>(root.get());
  ASSERT_TRUE(form);
  auto* frame = dynamic_cast<TbsSkinForm*>(form->FindComponent("bsSkinForm1"));
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->BorderIcons(), (TbsBorderIcons{TbsBorderIcon::biMinimize, TbsBorderIcon::biMinimizeToTray}));
  EXPECT_TRUE(form->BorderIcons().Empty());
  frame->SetDefMenuItemHeight(0);
  frame->SetMaxMenuItemsInWindow(-1);
  EXPECT_EQ(frame->DefMenuItemHeight(), 22);
  EXPECT_EQ(frame->MaxMenuItemsInWindow(), 7);
  TComponent* bar = form->FindComponent("Bar");
  ASSERT_EQ(frame->StatusBar(), bar);
  delete bar;
  EXPECT_EQ(frame->StatusBar(), nullptr);
  EXPECT_EQ(frame->MainMenuBar(), nullptr);
  EXPECT_EQ(frame->TrayIcon(), nullptr);
}

}  // namespace
}  // namespace kora::test
