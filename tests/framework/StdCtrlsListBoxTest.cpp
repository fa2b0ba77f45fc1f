// The list box: selection by click, keys and drag, scrolling by keys, wheel
// and its scroll bar, owner draw.

#include "framework/ControlTestSupport.h"
#include "framework/controls/StdCtrls.h"

namespace kora::test {
namespace {

class ListBoxTest : public ControlTest {
protected:
  void SetUp() override {
    ControlTest::SetUp();
    List = new TListBox(Form);
    List->SetBounds(10, 10, 150, 4 + 5 * 16);  // five rows
    List->SetParent(Form);
    for (int i = 0; i < 20; ++i) List->Items()->Add("item " + std::to_string(i));
    List->OnClick = [this](TObject*) { ++Clicks; };
    Screen.RunUntilIdle();
    GetWindowRect(List->Handle(), &Frame);
  }
  // The middle of a visible row.
  POINT Row(int row) { return At(List, 20, row * 16 + 8); }
  SCROLLINFO Bar() {
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(List->Handle(), SB_VERT, &si);
    return si;
  }
  bool BarShown() { return GetWindowLong(List->Handle(), GWL_STYLE) & WS_VSCROLL; }
  // A point on the bar, y from the window's top edge.
  POINT OnBar(int y) const { return {Frame.Right - 2 - 8, Frame.Top + y}; }
  int ThumbMiddle() {
    SCROLLBARINFO sbi;
    GetScrollBarInfo(List->Handle(), OBJID_VSCROLL, &sbi);
    return 2 + (sbi.xyThumbTop + sbi.xyThumbBottom) / 2;
  }

  TListBox* List = nullptr;
  RECT Frame;
  int Clicks = 0;
};

TEST_F(ListBoxTest, ClickSelectsTheItemUnderThePointer) {
  Screen.Click(Row(3));
  Screen.RunUntilIdle();
  EXPECT_EQ(List->ItemIndex(), 3);
  EXPECT_EQ(Clicks, 1);
  EXPECT_TRUE(List->Focused());
  Screen.Click(Row(3));  // the same item again: no change, no click
  Screen.RunUntilIdle();
  EXPECT_EQ(Clicks, 1);
  // Dragging follows the pointer.
  Screen.MouseDown(Row(1));
  Screen.MouseMove(Row(4));
  Screen.MouseUp(Row(4));
  Screen.RunUntilIdle();
  EXPECT_EQ(List->ItemIndex(), 4);
}

TEST_F(ListBoxTest, KeysMoveTheSelectionAndScrollItIntoView) {
  List->SetFocus();
  Press(VK_DOWN);
  EXPECT_EQ(List->ItemIndex(), 0);
  for (int i = 0; i < 6; ++i) Press(VK_DOWN);
  EXPECT_EQ(List->ItemIndex(), 6);
  EXPECT_EQ(List->TopIndex(), 2);
  Press(VK_END);
  EXPECT_EQ(List->ItemIndex(), 19);
  EXPECT_EQ(List->TopIndex(), 15);
  Press(VK_PRIOR);
  EXPECT_EQ(List->ItemIndex(), 15);
  Press(VK_HOME);
  EXPECT_EQ(List->TopIndex(), 0);
  EXPECT_EQ(Clicks, 10);
  // A click on a scrolled list picks by the visible row.
  List->SetTopIndex(10);
  Screen.Click(Row(0));
  Screen.RunUntilIdle();
  EXPECT_EQ(List->ItemIndex(), 10);
}

TEST_F(ListBoxTest, WheelScrollsAndTopIndexStaysInRange) {
  List->SetFocus();
  Screen.Wheel(Row(2), -WHEEL_DELTA);
  Screen.RunUntilIdle();
  EXPECT_EQ(List->TopIndex(), 3);
  List->SetTopIndex(100);
  EXPECT_EQ(List->TopIndex(), 15);
  List->Items()->Clear();
  EXPECT_EQ(List->TopIndex(), 0);
  EXPECT_EQ(List->ItemIndex(), -1);
}

TEST_F(ListBoxTest, OwnerDrawGetsEachVisibleItemWithItsState) {
  List->SetStyle(lbOwnerDrawFixed);
  List->SetItemIndex(2);
  std::vector<int> drawn;
  List->OnDrawItem = [&](TWinControl* control, int index, RECT rect, TOwnerDrawState state) {
    drawn.push_back(index);
    auto* canvas = static_cast<TListBox*>(control)->Canvas();
    canvas->Brush()->SetColor(state.Contains(odSelected) ? clRed : clLime);
    canvas->FillRect(rect);
  };
  List->Repaint();
  Screen.RunUntilIdle();
  EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(Screen.Capture().ColorAt(Row(2).X, Row(2).Y), RGB(255, 0, 0));
  EXPECT_EQ(Screen.Capture().ColorAt(Row(1).X, Row(1).Y), RGB(0, 255, 0));
}

TEST_F(ListBoxTest, BarFollowsItemsTopIndexAndSize) {
  SCROLLINFO si = Bar();
  EXPECT_TRUE(BarShown());
  EXPECT_EQ(si.nMin, 0);
  EXPECT_EQ(si.nMax, 19);
  EXPECT_EQ(si.nPage, 5u);
  EXPECT_EQ(si.nPos, 0);
  EXPECT_EQ(List->ClientWidth(), 150 - 4 - 16);

  List->SetTopIndex(7);
  EXPECT_EQ(Bar().nPos, 7);
  List->SetFocus();
  Press(VK_END);
  EXPECT_EQ(Bar().nPos, 15);
  Screen.Wheel(At(List, 20, 20), WHEEL_DELTA);
  Screen.RunUntilIdle();
  EXPECT_EQ(Bar().nPos, 12);

  // Taller: every item fits, the bar goes and the list shows from the top.
  List->SetHeight(4 + 20 * 16);
  Screen.RunUntilIdle();
  EXPECT_FALSE(BarShown());
  EXPECT_EQ(List->TopIndex(), 0);
  EXPECT_EQ(List->ClientWidth(), 150 - 4);
  List->SetHeight(4 + 5 * 16);
  EXPECT_TRUE(BarShown());
  List->Items()->Clear();
  EXPECT_FALSE(BarShown());
  List->Items()->Add("one");
  EXPECT_FALSE(BarShown());
  List->SetItemHeight(4);  // now twenty rows fit
  for (int i = 0; i < 20; ++i) List->Items()->Add("more");
  EXPECT_TRUE(BarShown());
  EXPECT_EQ(Bar().nPage, 20u);
}

TEST_F(ListBoxTest, ArrowTrackAndThumbMoveTheTopIndex) {
  Screen.Click(OnBar(2 + 64 + 8));  // the down arrow
  Screen.RunUntilIdle();
  EXPECT_EQ(List->TopIndex(), 1);
  Screen.Click(OnBar(ThumbMiddle() + 14));  // the track below the thumb: a page
  Screen.RunUntilIdle();
  EXPECT_EQ(List->TopIndex(), 6);
  Screen.Click(OnBar(2 + 8));  // the up arrow
  Screen.RunUntilIdle();
  EXPECT_EQ(List->TopIndex(), 5);

  // The list follows the thumb while it is dragged.
  const int grab = ThumbMiddle();
  int during = -1;
  Screen.MouseDown(OnBar(grab));
  Screen.MouseMove(OnBar(grab + 200));
  Screen.WhenIdle([&] {
    during = List->TopIndex();
    Screen.MouseUp(OnBar(grab + 200));
  });
  Screen.RunUntilIdle();
  EXPECT_EQ(during, 15);
  EXPECT_EQ(List->TopIndex(), 15);
  EXPECT_EQ(Bar().nPos, 15);
  EXPECT_EQ(List->ItemAtPos({20, 8}, true), 15);
  Screen.SaveArtifact("listbox_scroll");
}

// A list whose scroll bar lives outside its window, as in a skinned drop-down.
class TOutsideBarList : public TListBox {
public:
  using TListBox::TListBox;
  std::vector<SCROLLINFO> Bars;

protected:
  void SetBarInfo(const SCROLLINFO& info) override { Bars.push_back(info); }
};

TEST_F(ListBoxTest, AScrollBarOutsideTheListGetsTheRangesAndDrivesTopIndex) {
  auto* list = new TOutsideBarList(Form);
  list->SetBounds(200, 10, 120, 4 + 5 * 16);
  list->SetParent(Form);
  for (int i = 0; i < 12; ++i) list->Items()->Add("row " + std::to_string(i));
  Screen.RunUntilIdle();
  EXPECT_FALSE(GetWindowLong(list->Handle(), GWL_STYLE) & WS_VSCROLL);
  ASSERT_FALSE(list->Bars.empty());
  EXPECT_EQ(list->Bars.back().nMax, 11);
  EXPECT_EQ(list->Bars.back().nPage, 5u);
  // The outside bar moves the list; keys move the bar.
  list->SetTopIndex(4);
  EXPECT_EQ(list->Bars.back().nPos, 4);
  list->SetFocus();
  Screen.PressKey(VK_END);
  Screen.RunUntilIdle();
  EXPECT_EQ(list->Bars.back().nPos, 7);
}

}  // namespace
}  // namespace kora::test
