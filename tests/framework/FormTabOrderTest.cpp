#include <memory>
#include <vector>

#include "FormTestSupport.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/StdCtrls.h"

namespace kora::test {
namespace {

// A form with an edit, a page control whose two pages hold an edit each,
// and a list box; Tab and Shift+Tab walk them through the headless keyboard.
class FormTabOrderTest : public FormFixture {
protected:
  void SetUp() override {
    FormFixture::SetUp();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(50, 50, 400, 300);
    Name = Place<TEdit>(Form.get(), 10, 10);
    Pages = Place<TPageControl>(Form.get(), 10, 40);
    Pages->SetBounds(10, 40, 300, 150);
    for (int i = 0; i < 2; ++i) {
      Sheets[i] = new TTabSheet(Form.get());
      Sheets[i]->SetPageControl(Pages);
      Sheets[i]->SetCaption(i == 0 ? "One" : "Two");
      PageEdits[i] = Place<TEdit>(Sheets[i], 10, 10);
    }
    Pages->SetActivePage(Sheets[0]);
    List = Place<TListBox>(Form.get(), 10, 200);
    Form->Show();
    Screen.RunUntilIdle();
  }
  template <typename T>
  T* Place(TWinControl* parent, int left, int top) {
    auto* control = new T(Form.get());
    control->SetParent(parent);
    control->SetBounds(left, top, 100, 24);
    return control;
  }
  // Presses the key with the modifiers and names where the focus went.
  TWinControl* Press(std::initializer_list<UINT> held, UINT key) {
    Keys(held, key);
    EXPECT_EQ(Form->ActiveControl(), Focus());
    return Focus();
  }
  TEdit* Name = nullptr;
  TPageControl* Pages = nullptr;
  TTabSheet* Sheets[2] = {};
  TEdit* PageEdits[2] = {};
  TListBox* List = nullptr;
};

TEST_F(FormTabOrderTest, TabWalksIntoAndOutOfThePagesAndWraps) {
  EXPECT_EQ(Focus(), Name);
  const std::vector<TWinControl*> forward{Pages, PageEdits[0], List, Name};
  for (TWinControl* expected : forward) EXPECT_EQ(Press({}, VK_TAB), expected);
  const std::vector<TWinControl*> backward{List, PageEdits[0], Pages, Name};
  for (TWinControl* expected : backward) EXPECT_EQ(Press({VK_SHIFT}, VK_TAB), expected);
}

TEST_F(FormTabOrderTest, HiddenPagesDisabledAndNonStopControlsAreSkipped) {
  Pages->SetActivePage(Sheets[1]);
  EXPECT_EQ(Press({}, VK_TAB), Pages);
  EXPECT_EQ(Press({}, VK_TAB), PageEdits[1]);
  // Ctrl+Tab inside the pages switches the page; the focus leaves the
  // hidden one but stays in the page control.
  TWinControl* focus = Press({VK_CONTROL}, VK_TAB);
  EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
  ASSERT_NE(focus, nullptr);
  EXPECT_TRUE(focus->CanFocus());
  EXPECT_TRUE(Pages->ContainsControl(focus));

  List->SetEnabled(false);
  Pages->SetTabStop(false);
  Name->SetFocus();
  EXPECT_EQ(Press({}, VK_TAB), PageEdits[0]);
  EXPECT_EQ(Press({}, VK_TAB), Name);

  // A new tab order is followed.
  List->SetEnabled(true);
  List->SetTabOrder(0);
  EXPECT_EQ(Press({VK_SHIFT}, VK_TAB), List);
}

}  // namespace
}  // namespace kora::test
