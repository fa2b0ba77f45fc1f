// The list view as a file list: layouts of the four styles, selection by
// click and arrow keys (one item, or several with Ctrl and Shift), the
// selection events, the scroll bars of each style driven by the mouse, the
// column dividers, and long lists filled in one go.

#include "framework/ControlTestSupport.h"
#include "framework/controls/ComCtrls.h"

namespace kora::test {
namespace {

class ListViewTest : public ControlTest {
protected:
  void SetUp() override {
    ControlTest::SetUp();
    View = new TListView(Form);
    View->SetBounds(10, 10, 300, 200);
    View->SetParent(Form);
    View->Columns() = {{"Name", 120}, {"Size", 60}};
    for (int i = 0; i < 30; ++i) View->AddItem({"file" + std::to_string(i) + ".nds", {std::to_string(i) + " KB"}, -1});
    View->OnSelectItem = [this](TObject*, int index, bool selected) {
      Events.push_back(selected ? index : -1 - index);
    };
    Screen.RunUntilIdle();
  }
  void ClickItem(int index) {
    const RECT r = View->ItemRect(index);
    Click(View, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  bool Shown(DWORD bit) { return GetWindowLong(View->Handle(), GWL_STYLE) & bit; }
  SCROLLINFO Info(int bar) {
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(View->Handle(), bar, &si);
    return si;
  }
  SCROLLBARINFO Bar(LONG object) {
    SCROLLBARINFO sbi;
    GetScrollBarInfo(View->Handle(), object, &sbi);
    return sbi;
  }
  // The last (down or right) arrow and a point on the track past the thumb.
  POINT LastArrow(LONG object) {
    const RECT r = Bar(object).rcScrollBar;
    return object == OBJID_VSCROLL ? POINT{r.Left + 8, r.Bottom - 8} : POINT{r.Right - 8, r.Top + 8};
  }
  POINT PastThumb(LONG object) {
    const SCROLLBARINFO sbi = Bar(object);
    const RECT r = sbi.rcScrollBar;
    const int at = sbi.xyThumbBottom + 3;
    return object == OBJID_VSCROLL ? POINT{r.Left + 8, r.Top + at} : POINT{r.Left + at, r.Top + 8};
  }
  void ClickAndRun(POINT p) {
    Screen.Click(p);
    Screen.RunUntilIdle();
  }

  TListView* View = nullptr;
  std::vector<int> Events;
};

TEST_F(ListViewTest, EachStyleLaysItemsOutAndHitTestsThem) {
  for (TViewStyle style : {vsIcon, vsSmallIcon, vsList, vsReport}) {
    View->SetViewStyle(style);
    const RECT first = View->ItemRect(0);
    const RECT second = View->ItemRect(1);
    EXPECT_GT(first.Right, first.Left) << style;
    // Icons and small icons run along rows, the list down columns, the report is one per row.
    if (style == vsList || style == vsReport) {
      EXPECT_EQ(second.Left, first.Left) << style;
      EXPECT_EQ(second.Top, first.Bottom) << style;
    } else {
      EXPECT_EQ(second.Left, first.Right) << style;
      EXPECT_EQ(second.Top, first.Top) << style;
    }
    EXPECT_EQ(View->ItemAt((second.Left + second.Right) / 2, (second.Top + second.Bottom) / 2), 1) << style;
  }
  // Report rows start below the column headers.
  EXPECT_GT(View->ItemRect(0).Top, 10);
}

TEST_F(ListViewTest, ClickAndArrowsSelectWithEvents) {
  View->SetViewStyle(vsReport);
  ClickItem(2);
  EXPECT_EQ(View->ItemIndex(), 2);
  EXPECT_TRUE(View->Focused());
  Press(VK_DOWN);
  EXPECT_EQ(View->ItemIndex(), 3);
  EXPECT_EQ(Events, (std::vector<int>{2, -3, 3}));
  Press(VK_END);  // scrolls the last item into view
  EXPECT_EQ(View->ItemIndex(), 29);
  EXPECT_GT(View->ItemRect(29).Bottom, 0);
  EXPECT_EQ(View->ItemRect(0).Right, 0);

  View->SetViewStyle(vsIcon);
  Press(VK_HOME);
  const int perRow = View->ItemsPerLine();
  EXPECT_GT(perRow, 1);
  Press(VK_DOWN);  // one row down in the grid
  EXPECT_EQ(View->ItemIndex(), perRow);
  Press(VK_RIGHT);
  EXPECT_EQ(View->ItemIndex(), perRow + 1);
}

TEST_F(ListViewTest, MultiSelectAddsWithCtrlAndExtendsWithShift) {
  View->SetViewStyle(vsReport);
  ClickItem(1);
  // Single selection: Ctrl does not add.
  Screen.KeyDown(VK_CONTROL);
  ClickItem(3);
  Screen.KeyUp(VK_CONTROL);
  EXPECT_EQ(View->SelCount(), 1);
  EXPECT_TRUE(View->Selected(3));

  View->SetMultiSelect(true);
  Events.clear();
  Screen.KeyDown(VK_CONTROL);
  ClickItem(5);
  ClickItem(3);  // a second Ctrl+click takes it out again
  Screen.KeyUp(VK_CONTROL);
  EXPECT_EQ(Events, (std::vector<int>{5, -4}));
  EXPECT_EQ(View->SelCount(), 1);
  EXPECT_EQ(View->ItemIndex(), 3);
  // Shift: the range from the last plain or Ctrl click.
  ClickItem(2);
  Screen.KeyDown(VK_SHIFT);
  ClickItem(6);
  Screen.KeyUp(VK_SHIFT);
  EXPECT_EQ(View->SelCount(), 5);
  for (int i = 2; i <= 6; ++i) EXPECT_TRUE(View->Selected(i)) << i;
  PressWith(VK_SHIFT, VK_DOWN);
  EXPECT_EQ(View->SelCount(), 6);
  // A plain click or arrow is one item again.
  Press(VK_UP);
  EXPECT_EQ(View->SelCount(), 1);
  EXPECT_TRUE(View->Selected(6));
  View->SetSelected(8, true);
  EXPECT_EQ(View->SelCount(), 2);
  View->SetMultiSelect(false);
  EXPECT_EQ(View->SelCount(), 1);
  EXPECT_EQ(View->ItemIndex(), 8);
}

TEST_F(ListViewTest, HeaderDividersResizeColumnsAndColumnsAlignTheirCells) {
  View->SetViewStyle(vsReport);
  Screen.RunUntilIdle();
  const POINT divider = At(View, 120, 4);
  Screen.MouseDown(divider);
  Screen.MouseMove({divider.X + 30, divider.Y});
  Screen.MouseUp({divider.X + 30, divider.Y});
  Screen.RunUntilIdle();
  EXPECT_EQ(View->Columns()[0].Width, 150);
  // Never below a few pixels.
  const POINT moved = At(View, 150, 4);
  Screen.MouseDown(moved);
  Screen.MouseMove({moved.X - 400, moved.Y});
  Screen.MouseUp({moved.X - 400, moved.Y});
  Screen.RunUntilIdle();
  EXPECT_EQ(View->Columns()[0].Width, 8);
  // A press on a row does not grab the divider.
  View->Columns()[0].Width = 120;
  View->ColumnsChanged();
  ClickItem(0);
  EXPECT_EQ(View->Columns()[0].Width, 120);

  // Right-aligned cells end at their column's right edge.
  View->Columns()[1].Alignment = taRightJustify;
  View->ColumnsChanged();
  Screen.RunUntilIdle();
  const RECT row = View->ItemRect(5);
  const ScreenImage image = Screen.Capture();
  const auto inkIn = [&](int from, int to) {
    for (int x = from; x < to; ++x)
      for (int y = row.Top; y < row.Bottom; ++y) {
        const POINT p = View->ClientToScreen({x, y});
        if (image.ColorAt(p.X, p.Y) != ColorToColorRef(View->Color())) return true;
      }
    return false;
  };
  EXPECT_TRUE(inkIn(150, 176));
  EXPECT_FALSE(inkIn(124, 140));
}

TEST_F(ListViewTest, ThousandsOfItemsFillAtOnceBetweenBeginAndEndUpdate) {
  View->SetViewStyle(vsList);
  View->BeginUpdate();
  View->ClearItems();
  for (int i = 0; i < 20000; ++i) View->AddItem({"rom" + std::to_string(i) + ".nds", {}, -1});
  View->EndUpdate();
  Screen.RunUntilIdle();
  EXPECT_EQ(View->ItemCount(), 20000);
  EXPECT_EQ(Info(SB_HORZ).nMax, (20000 + View->ItemsPerLine() - 1) / View->ItemsPerLine() - 1);
  // The widest caption sets the column width, however the items came.
  const int width = View->ItemRect(0).Width();
  View->AddItem({std::string(40, 'W'), {}, -1});
  EXPECT_GT(View->ItemRect(0).Width(), width);
  View->DeleteItem(View->ItemCount() - 1);
  EXPECT_EQ(View->ItemRect(0).Width(), width);
}

TEST_F(ListViewTest, DeletingItemsKeepsTheSelectionOnItsItem) {
  View->SetItemIndex(5);
  View->DeleteItem(2);
  EXPECT_EQ(View->ItemIndex(), 4);
  EXPECT_EQ(View->Items(4).Caption, "file5.nds");
  View->DeleteItem(4);
  EXPECT_EQ(View->ItemIndex(), -1);
  EXPECT_THROW(View->Items(100), EListError);
  View->ClearItems();
  EXPECT_EQ(View->ItemCount(), 0);
}

TEST_F(ListViewTest, ReportScrollsRowsDownAndWideColumnsAcross) {
  View->SetViewStyle(vsReport);
  Screen.RunUntilIdle();
  EXPECT_TRUE(Shown(WS_VSCROLL));
  EXPECT_FALSE(Shown(WS_HSCROLL));  // 180 pixels of columns fit
  SCROLLINFO si = Info(SB_VERT);
  EXPECT_EQ(si.nMax, 29);
  EXPECT_EQ(int(si.nPage), View->VisibleLines());
  ClickAndRun(LastArrow(OBJID_VSCROLL));
  EXPECT_EQ(View->TopIndex(), 1);
  ClickAndRun(PastThumb(OBJID_VSCROLL));
  EXPECT_EQ(View->TopIndex(), 1 + View->VisibleLines());
  EXPECT_EQ(Info(SB_VERT).nPos, View->TopIndex());

  View->Columns() = {{"Name", 250}, {"Size", 150}};
  View->ColumnsChanged();
  Screen.RunUntilIdle();
  ASSERT_TRUE(Shown(WS_HSCROLL));
  const int visibleWidth = View->ClientWidth();
  EXPECT_EQ(visibleWidth, 300 - 4 - 16);
  EXPECT_EQ(Info(SB_HORZ).nMax, 399);
  EXPECT_EQ(int(Info(SB_HORZ).nPage), visibleWidth);
  const int left = View->ItemRect(View->TopIndex()).Left;
  ClickAndRun(LastArrow(OBJID_HSCROLL));
  EXPECT_EQ(View->ScrollX(), 8);
  EXPECT_EQ(View->ItemRect(View->TopIndex()).Left, left - 8);
  ClickAndRun(PastThumb(OBJID_HSCROLL));  // a page: as far as the columns go
  EXPECT_EQ(View->ScrollX(), 400 - visibleWidth);
  // Hit tests follow the scrolled rows.
  const RECT row = View->ItemRect(View->TopIndex() + 2);
  EXPECT_EQ(View->ItemAt(row.Left + 300, (row.Top + row.Bottom) / 2), View->TopIndex() + 2);
  Screen.SaveArtifact("listview_report_scroll");
}

TEST_F(ListViewTest, ListScrollsColumnsAcrossAndIconsScrollDown) {
  for (int i = 30; i < 100; ++i) View->AddItem({"file" + std::to_string(i) + ".nds", {}, -1});
  View->SetViewStyle(vsList);
  Screen.RunUntilIdle();
  EXPECT_TRUE(Shown(WS_HSCROLL));
  EXPECT_FALSE(Shown(WS_VSCROLL));
  const int perColumn = View->ItemsPerLine();
  EXPECT_EQ(Info(SB_HORZ).nMax, (100 + perColumn - 1) / perColumn - 1);
  ClickAndRun(LastArrow(OBJID_HSCROLL));
  EXPECT_EQ(View->TopIndex(), 1);
  EXPECT_EQ(View->ItemAt(View->ItemRect(perColumn).Left + 4, View->ItemRect(perColumn).Top + 4), perColumn);
  Screen.SaveArtifact("listview_list_scroll");

  View->SetViewStyle(vsIcon);
  Screen.RunUntilIdle();
  EXPECT_TRUE(Shown(WS_VSCROLL));
  EXPECT_FALSE(Shown(WS_HSCROLL));
  const RECT bar = Bar(OBJID_VSCROLL).rcScrollBar;
  // Dragging the thumb to the bottom shows the last row of icons.
  const SCROLLBARINFO sbi = Bar(OBJID_VSCROLL);
  const POINT grab{bar.Left + 8, bar.Top + (sbi.xyThumbTop + sbi.xyThumbBottom) / 2};
  Screen.MouseDown(grab);
  Screen.MouseMove({grab.X, grab.Y + 400});
  Screen.MouseUp({grab.X, grab.Y + 400});
  Screen.RunUntilIdle();
  EXPECT_GT(View->ItemRect(99).Bottom, 0);
  EXPECT_EQ(Info(SB_VERT).nPos, View->TopIndex());
  EXPECT_EQ(View->TopIndex(), Info(SB_VERT).nMax + 1 - View->VisibleLines());
  Screen.SaveArtifact("listview_icon_scroll");

  // Few items: no bars at all.
  while (View->ItemCount() > 2) View->DeleteItem(View->ItemCount() - 1);
  EXPECT_FALSE(Shown(WS_VSCROLL));
  EXPECT_EQ(View->TopIndex(), 0);
}

}  // namespace
}  // namespace kora::test
