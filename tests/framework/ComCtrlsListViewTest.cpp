// The list view as a file list: layouts of the four styles, selection by
// click and arrow keys, and the selection events.

#include "framework/ComCtrls.h"
#include "framework/ControlTestSupport.h"

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

}  // namespace
}  // namespace kora::test
