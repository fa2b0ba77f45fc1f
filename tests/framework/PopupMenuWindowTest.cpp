#include <vector>

#include "MenuTestSupport.h"
#include "framework/graphics/ImgList.h"
#include "framework/menus/Menus_PlainLook.h"

namespace kora::test {
namespace {

class PopupMenuWindowTest : public MenuFormTest {
protected:
  void SetUp() override {
    MenuFormTest::SetUp();
    ShowForm(50, 50, 500, 400);
    Menu = new TPopupMenu(Form);
    Open = Add(Menu->Items(), "&Open");
    Open->SetShortCut(ShortCut('O', {ssCtrl}));
    Open->SetDefault(true);
    Save = Add(Menu->Items(), "&Save");
    Save->SetEnabled(false);
    Add(Menu->Items(), "-");
    Checked = Add(Menu->Items(), "&Word wrap");
    Checked->SetChecked(true);
    Radio = Add(Menu->Items(), "&Large icons");
    Radio->SetRadioItem(true);
    Radio->SetChecked(true);
    Recent = Add(Menu->Items(), "&Recent");
    First = Add(Recent, "&First.nds");
    Second = Add(Recent, "S&econd.nds");
    Exit = Add(Menu->Items(), "E&xit");
    Exit->SetShortCut(ShortCut(VK_F4, {ssAlt}));
  }

  // The screen centre of a visible child of `parent` in the level's window.
  POINT ItemCenter(TMenuItem* parent, TMenuItem* item, int level) {
    const TPlainMenuLayout layout = LayoutPlainMenu(parent);
    const RECT window = Tracker->WindowRects()[size_t(level)];
    for (size_t i = 0; i < layout.Items.size(); ++i) {
      if (layout.Items[i] == item) {
        const RECT& r = layout.Rects[i];
        return {window.Left + (r.Left + r.Right) / 2, window.Top + (r.Top + r.Bottom) / 2};
      }
    }
    ADD_FAILURE() << "item not shown";
    return {};
  }
  TMenuTrackEnd Track(POINT at = {200, 150}) {
    TPlainMenuTracker tracker(Menu->Items());
    Tracker = &tracker;
    const TMenuTrackEnd end = tracker.Track(at);
    Tracker = nullptr;
    return end;
  }

  TPopupMenu* Menu = nullptr;
  TMenuItem *Open, *Save, *Checked, *Radio, *Recent, *First, *Second, *Exit;
  TPlainMenuTracker* Tracker = nullptr;
};

TEST_F(PopupMenuWindowTest, ArrowsSkipSeparatorsAndDisabledItemsAndWrap) {
  Key(VK_DOWN);  // Open
  Key(VK_DOWN);  // past Save and the line: Word wrap
  Key(VK_UP);    // back to Open
  Key(VK_UP);    // wraps to Exit
  Key(VK_RETURN);
  EXPECT_EQ(Track(), TMenuTrackEnd::Chosen);
  ASSERT_EQ(Clicked.size(), 1u);
  EXPECT_EQ(Clicked[0], Exit);
  EXPECT_EQ(MenuWindowsAtClick, 0);  // the menu was gone before the command ran
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_RETURN);
  Track();
  ASSERT_EQ(Clicked.size(), 2u);
  EXPECT_EQ(Clicked[1], Checked);
}

TEST_F(PopupMenuWindowTest, SubmenusOpenOnRightCloseOnLeftAndEscape) {
  size_t levels = 0;
  Key('R');  // the accelerator of an item with a submenu opens it
  Step([&] { levels = Tracker->WindowRects().size(); });
  Key(VK_LEFT);
  Step([&] { EXPECT_EQ(Tracker->WindowRects().size(), 1u); });
  Key(VK_RIGHT);  // Recent is still the hot item
  Step([&] {
    EXPECT_EQ(Tracker->WindowRects().size(), 2u);
    Screen.SaveArtifact("popup_menu_plain_submenu");
  });
  Key(VK_ESCAPE);
  Key(VK_ESCAPE);
  EXPECT_EQ(Track(), TMenuTrackEnd::Escaped);
  EXPECT_EQ(levels, 2u);
  EXPECT_TRUE(Clicked.empty());
}

TEST_F(PopupMenuWindowTest, AcceleratorsPickItemsAndDisabledOnesAreIgnored) {
  // A typed "y" comes as a character with F10's code: it is not F10.
  Step([this] { Screen.Type("y"); });
  Key('S');  // disabled: nothing
  Key('X');
  EXPECT_EQ(Track(), TMenuTrackEnd::Chosen);
  ASSERT_EQ(Clicked.size(), 1u);
  EXPECT_EQ(Clicked[0], Exit);
}

TEST_F(PopupMenuWindowTest, HoverOpensTheSubmenuAfterTheDelayAndAClickPicksAnItem) {
  Step([&] { Screen.MouseMove(ItemCenter(Menu->Items(), Recent, 0)); });
  Step([&] {
    EXPECT_EQ(Tracker->WindowRects().size(), 1u);
    Screen.Time().Advance(TPlainMenuTracker::kSubmenuDelay + 10);
  });
  Step([&] {
    ASSERT_EQ(Tracker->WindowRects().size(), 2u);
    const RECT parent = Tracker->WindowRects()[0];
    const RECT sub = Tracker->WindowRects()[1];
    EXPECT_GE(sub.Left, parent.Right - 4);  // opens to the right of its parent
    Screen.Click(ItemCenter(Recent, Second, 1));
  });
  EXPECT_EQ(Track(), TMenuTrackEnd::Chosen);
  ASSERT_EQ(Clicked.size(), 1u);
  EXPECT_EQ(Clicked[0], Second);

  // Hovering an item without children closes the open submenu.
  Key('R');
  Step([&] { Screen.MouseMove(ItemCenter(Menu->Items(), Open, 0)); });
  Step([&] {
    EXPECT_EQ(Tracker->WindowRects().size(), 1u);
    Screen.Click(ItemCenter(Menu->Items(), Save, 0));  // disabled: stays open
  });
  Step([&] {
    EXPECT_EQ(Tracker->WindowRects().size(), 1u);
    Screen.Click({900, 700});  // outside
  });
  EXPECT_EQ(Track(), TMenuTrackEnd::Closed);
  EXPECT_EQ(Clicked.size(), 1u);
}

TEST_F(PopupMenuWindowTest, StaysOnScreenAtTheEdges) {
  RECT placed{};
  Step([&] {
    placed = Tracker->WindowRects()[0];
    Screen.PressKey(VK_ESCAPE);
  });
  Track({1020, 760});
  EXPECT_EQ(placed.Right, 1020);  // flipped left of the point
  EXPECT_EQ(placed.Bottom, 760);  // and above it
  Step([&] {
    placed = Tracker->WindowRects()[0];
    Screen.PressKey(VK_ESCAPE);
  });
  Track({300, 200});
  EXPECT_EQ(placed.Left, 300);
  EXPECT_EQ(placed.Top, 200);
}

TEST_F(PopupMenuWindowTest, PopupMenuUsesThePlainWindowsByDefault) {
  bool popped = false;
  Menu->SetOnPopup([&](TObject*) { popped = true; });
  Step([&] {
    EXPECT_EQ(MenuWindows().size(), 1u);
    EXPECT_EQ(GetActiveWindow(), Form->Handle());  // the form keeps the activation
    Screen.SaveArtifact("popup_menu_plain");
    Screen.PressKey('O');
  });
  Menu->Popup(120, 100);
  EXPECT_TRUE(popped);
  ASSERT_EQ(Clicked.size(), 1u);
  EXPECT_EQ(Clicked[0], Open);
  EXPECT_TRUE(MenuWindows().empty());
}

TEST_F(PopupMenuWindowTest, PicturesComeFromTheItemOrTheMenusImages) {
  TBitmap red;
  red.SetSize(16, 16);
  red.Canvas()->Brush()->SetColor(clRed);
  red.Canvas()->FillRect({0, 0, 16, 16});
  Open->SetBitmap(&red);
  TBitmap green;
  green.SetSize(16, 16);
  green.Canvas()->Brush()->SetColor(clLime);
  green.Canvas()->FillRect({0, 0, 16, 16});
  auto* images = new TImageList(Form);
  images->Add(&green, nullptr);
  Menu->SetImages(images);
  Exit->SetImageIndex(0);
  int reds = 0;
  int greens = 0;
  Step([&] {
    const RECT window = Tracker->WindowRects()[0];
    const ScreenImage shot = Screen.Capture();
    for (int y = window.Top; y < window.Bottom; ++y) {
      for (int x = window.Left; x < window.Left + 30; ++x) {
        reds += shot.ColorAt(x, y) == RGB(255, 0, 0);
        greens += shot.ColorAt(x, y) == RGB(0, 255, 0);
      }
    }
    Screen.SaveArtifact("popup_menu_plain_pictures");
    Screen.PressKey(VK_ESCAPE);
  });
  Track();
  EXPECT_EQ(reds, 16 * 16);
  EXPECT_EQ(greens, 16 * 16);
}

TEST_F(PopupMenuWindowTest, LayoutGivesLinesLessRoomAndWidensForShortCuts) {
  const TPlainMenuLayout layout = LayoutPlainMenu(Menu->Items());
  ASSERT_EQ(layout.Items.size(), 7u);
  const int line = layout.Rects[2].Bottom - layout.Rects[2].Top;
  const int item = layout.Rects[0].Bottom - layout.Rects[0].Top;
  EXPECT_LT(line, item);
  EXPECT_GT(layout.ShortCutWidth, 0);
  Exit->SetShortCut(scNone);
  Open->SetShortCut(scNone);
  EXPECT_LT(LayoutPlainMenu(Menu->Items()).Size.cx, layout.Size.cx);
  Save->SetVisible(false);
  EXPECT_EQ(LayoutPlainMenu(Menu->Items()).Items.size(), 6u);
}

}  // namespace
}  // namespace kora::test
