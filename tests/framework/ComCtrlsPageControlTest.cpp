// The page control: tab clicks, keys, Ctrl+Tab from inside a page, hidden
// tabs and the change events.

#include "framework/ControlTestSupport.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/StdCtrls.h"

namespace kora::test {
namespace {

class PageControlTest : public ControlTest {
protected:
  void SetUp() override {
    ControlTest::SetUp();
    Pages = new TPageControl(Form);
    Pages->SetBounds(10, 10, 300, 200);
    Pages->SetParent(Form);
    for (const char* caption : {"First", "Second", "Hidden", "Fourth"}) {
      auto* sheet = new TTabSheet(Form);
      sheet->SetCaption(caption);
      sheet->SetPageControl(Pages);
      Sheets.push_back(sheet);
    }
    Sheets[2]->SetTabVisible(false);
    Edit = new TEdit(Form);
    Edit->SetBounds(10, 10, 100, 22);
    Edit->SetParent(Sheets[0]);
    Pages->OnChanging = [this](TObject*, bool& allow) {
      Log.push_back("changing");
      allow = AllowChange;
    };
    Pages->OnChange = [this](TObject*) { Log.push_back("change " + Pages->ActivePage()->Caption()); };
    Screen.RunUntilIdle();
  }
  void ClickTab(int tab) {
    const RECT r = Pages->TabRect(tab);
    Click(Pages, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }

  TPageControl* Pages = nullptr;
  std::vector<TTabSheet*> Sheets;
  TEdit* Edit = nullptr;
  std::vector<std::string> Log;
  bool AllowChange = true;
};

TEST_F(PageControlTest, FirstPageIsActiveAndFillsThePageArea) {
  EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
  EXPECT_TRUE(Sheets[0]->Visible());
  EXPECT_FALSE(Sheets[1]->Visible());
  const RECT display = Pages->DisplayRect();
  EXPECT_EQ(Sheets[0]->BoundsRect().Top, display.Top);
  EXPECT_GT(display.Top, Pages->TabRect(0).Bottom - 1);
  // Tabs sit side by side on one line; the hidden page has none.
  EXPECT_EQ(Pages->VisibleTabCount(), 3);
  EXPECT_EQ(Pages->TabRect(0).Right, Pages->TabRect(1).Left);
  EXPECT_EQ(Pages->TabRect(1).Top, Pages->TabRect(2).Top);
  EXPECT_EQ(Pages->PageForTab(2), Sheets[3]);
  EXPECT_EQ(Sheets[3]->TabIndex(), 2);
  EXPECT_EQ(Sheets[2]->TabIndex(), -1);
}

TEST_F(PageControlTest, ClickingATabSwitchesPagesWithEvents) {
  ClickTab(2);
  EXPECT_EQ(Pages->ActivePage(), Sheets[3]);
  EXPECT_TRUE(Sheets[3]->Visible());
  EXPECT_FALSE(Sheets[0]->Visible());
  EXPECT_EQ(Log, (std::vector<std::string>{"changing", "change Fourth"}));
  AllowChange = false;
  ClickTab(0);
  EXPECT_EQ(Pages->ActivePage(), Sheets[3]);
  // The program switching pages raises nothing.
  Log.clear();
  Pages->SetActivePage(Sheets[1]);
  EXPECT_TRUE(Log.empty());
}

TEST_F(PageControlTest, CtrlTabFromInsideAPageAndArrowsOnTheTabs) {
  Edit->SetFocus();
  Screen.RunUntilIdle();
  PressWith(VK_CONTROL, VK_TAB);
  EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
  Screen.KeyDown(VK_CONTROL);
  Screen.KeyDown(VK_SHIFT);
  Screen.PressKey(VK_TAB);
  Screen.KeyUp(VK_SHIFT);
  Screen.KeyUp(VK_CONTROL);
  Screen.RunUntilIdle();
  EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
  PressWith(VK_CONTROL, VK_TAB);
  PressWith(VK_CONTROL, VK_TAB);  // skips the hidden tab
  EXPECT_EQ(Pages->ActivePage(), Sheets[3]);
  PressWith(VK_CONTROL, VK_TAB);  // wraps around
  EXPECT_EQ(Pages->ActivePage(), Sheets[0]);

  Pages->SetFocus();
  Screen.RunUntilIdle();
  Press(VK_RIGHT);
  EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
  Press(VK_LEFT);
  Press(VK_LEFT);  // no wrapping with arrows
  EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
}

TEST_F(PageControlTest, RemovingTheActivePageActivatesANeighbour) {
  Pages->SetActivePage(Sheets[1]);
  delete Sheets[1];
  EXPECT_EQ(Pages->PageCount(), 3);
  EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
  EXPECT_THROW(Pages->SetActivePage(new TTabSheet(Form)), EInvalidOperation);
}

}  // namespace
}  // namespace kora::test
