#include <memory>
#include <string>
#include <vector>

#include "FormTestSupport.h"
#include "framework/controls/StdCtrls.h"
#include "framework/menus/Menus.h"

namespace kora::test {
namespace {

// Records where it was asked to open instead of showing anything.
class TRecordingPopup : public TPopupMenu {
public:
  TRecordingPopup(TComponent* owner, std::vector<std::string>& log) : TPopupMenu(owner), FLog(log) {
    Items()->Add(new TMenuItem(this));
  }
  void Popup(int x, int y) override {
    const auto* control = dynamic_cast<TControl*>(PopupComponent());
    FLog.push_back(Name() + " for " + (control ? control->Name() : "?"));
    At = {x, y};
  }
  POINT At;

private:
  std::vector<std::string>& FLog;
};

class FormContextMenuTest : public FormFixture {
protected:
  void SetUp() override {
    FormFixture::SetUp();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetName("Form");
    Form->SetBounds(100, 100, 300, 200);
    FormMenu = MakeMenu("FormMenu");
    EditMenu = MakeMenu("EditMenu");
    Form->SetPopupMenu(FormMenu);
    Edit = new TEdit(Form.get());
    Edit->SetName("Edit");
    Edit->SetParent(Form.get());
    Edit->SetBounds(10, 10, 120, 24);
    Edit->SetPopupMenu(EditMenu);
    Plain = new TEdit(Form.get());
    Plain->SetName("Plain");
    Plain->SetParent(Form.get());
    Plain->SetBounds(10, 50, 120, 24);
    Caption = new TLabel(Form.get());
    Caption->SetName("Caption");
    Caption->SetParent(Form.get());
    Caption->SetBounds(10, 100, 120, 20);
    Form->Show();
    Screen.RunUntilIdle();
  }
  TRecordingPopup* MakeMenu(const std::string& name) {
    auto* menu = new TRecordingPopup(Form.get(), Log);
    menu->SetName(name);
    return menu;
  }
  void RightClick(TControl* control, POINT at = {5, 5}) {
    Screen.Click(control->ClientToScreen(at), MOUSE_RIGHT);
    Screen.RunUntilIdle();
  }

  TRecordingPopup* FormMenu = nullptr;
  TRecordingPopup* EditMenu = nullptr;
  TEdit* Edit = nullptr;
  TEdit* Plain = nullptr;
  TLabel* Caption = nullptr;
  std::vector<std::string> Log;
};

TEST_F(FormContextMenuTest, RightClickOpensTheNearestPopupMenuAtTheCursor) {
  RightClick(Edit, {7, 9});
  EXPECT_EQ(EditMenu->At, Edit->ClientToScreen({7, 9}));
  RightClick(Plain);    // none of its own: the form's serves it
  RightClick(Caption);  // a control without a window too
  RightClick(Form.get(), {200, 150});
  EXPECT_EQ(Log, (std::vector<std::string>{"EditMenu for Edit", "FormMenu for Form", "FormMenu for Form",
                                           "FormMenu for Form"}));
  EXPECT_EQ(FormMenu->At, Form->ClientToScreen({200, 150}));
}

TEST_F(FormContextMenuTest, RightClickOnTheCaptionIsTheFramesNotThePopupMenus) {
  RECT window;
  GetWindowRect(Form->Handle(), &window);
  const POINT caption{window.Left + 60, window.Top + 8};
  ASSERT_EQ(SendMessage(Form->Handle(), WM_NCHITTEST, 0, PointToLParam(caption)), HTCAPTION);
  Screen.Click(caption, MOUSE_RIGHT);
  Screen.RunUntilIdle();
  EXPECT_TRUE(Log.empty());
  // The client area right under it still opens the form's menu.
  RightClick(Form.get(), {60, 2});
  EXPECT_EQ(Log, (std::vector<std::string>{"FormMenu for Form"}));
}

TEST_F(FormContextMenuTest, HandlersAndAutoPopupDecide) {
  std::vector<POINT> asked;
  Edit->OnContextPopup = [&](TObject*, POINT mousePos, bool& handled) {
    asked.push_back(mousePos);
    handled = true;
  };
  RightClick(Edit, {3, 4});
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(asked, (std::vector<POINT>{{3, 4}}));

  // A menu that does not pop up by itself leaves the click to the parent.
  Edit->OnContextPopup = nullptr;
  EditMenu->SetAutoPopup(false);
  RightClick(Edit);
  EXPECT_EQ(Log, (std::vector<std::string>{"FormMenu for Form"}));
}

TEST_F(FormContextMenuTest, MenuKeyAndShiftF10OpenItInTheFocusedControl) {
  Edit->SetFocus();
  Keys({}, VK_APPS);
  EXPECT_EQ(EditMenu->At, Edit->ClientToScreen({Edit->Width() / 2, Edit->Height() / 2}));
  std::vector<POINT> asked;
  Plain->OnContextPopup = [&](TObject*, POINT mousePos, bool&) { asked.push_back(mousePos); };
  Plain->SetFocus();
  Keys({VK_SHIFT}, VK_F10);
  EXPECT_EQ(asked, (std::vector<POINT>{{-1, -1}}));
  EXPECT_EQ(FormMenu->At, Plain->ClientToScreen({Plain->Width() / 2, Plain->Height() / 2}));
  EXPECT_EQ(Log, (std::vector<std::string>{"EditMenu for Edit", "FormMenu for Form"}));
  // F10 alone is the menu bar's key, not the context menu's.
  Keys({}, VK_F10);
  EXPECT_EQ(Log.size(), 2u);
}

}  // namespace
}  // namespace kora::test
