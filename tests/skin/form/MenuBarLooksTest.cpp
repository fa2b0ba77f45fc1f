// The menu bar core driven through both of its looks, the plain bar in a
// form's frame and the skinned bar control, like a person would: Alt, F10
// and the arrows, accelerators, the pointer moving along an open bar, and
// commands that fail.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/forms/Forms.h"
#include "framework/menus/Menus_BarTracker.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/form/bsSkinMenuBar.h"

namespace kora::test {
namespace {

enum class TLook { Plain, Skinned };

class MenuBarLooksTest : public ::testing::TestWithParam<TLook> {
protected:
  void SetUp() override {
    ResetWindowSystem();
    SetBackend(&Screen);
    App = std::make_unique<TApplication>(nullptr);
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(100, 80, 480, 320);
    Menu = Skinned() ? new TbsSkinMainMenu(Form.get()) : new TMainMenu(Form.get());
    File = Add(Menu->Items(), "&File");
    Open = Add(File, "&Open");
    Add(File, "E&xit");
    Edit = Add(Menu->Items(), "&Edit");
    Copy = Add(Edit, "&Copy");
    Tools = Add(Menu->Items(), "&Tools");
    Add(Tools, "&Options");
    Tools->SetEnabled(false);
    About = Add(Menu->Items(), "&About");  // a command of its own
    Help = Add(Menu->Items(), "&Help");
    Add(Help, "&Contents");
    if (Skinned()) {
      auto* frame = new TbsSkinForm(Form.get());
      Bar = new TbsSkinMainMenuBar(Form.get());
      Bar->SetParent(Form.get());
      Bar->SetSkinForm(frame);
      Bar->SetMainMenu(static_cast<TbsSkinMainMenu*>(Menu));
      frame->SetMainMenuBar(Bar);
    } else {
      Form->SetMenu(Menu);
    }
    App->SetMainForm(Form.get());
    Form->Show();
    SetActiveWindow(Form->Handle());
    Screen.RunUntilIdle();
  }
  void TearDown() override {
    Form.reset();
    App.reset();
    ResetWindowSystem();
    SetBackend(nullptr);
  }

  bool Skinned() const { return GetParam() == TLook::Skinned; }
  TMenuItem* Add(TMenuItem* parent, const std::string& caption) {
    auto* item = new TMenuItem(Form.get());
    item->SetCaption(caption);
    item->SetOnClick([this, item](TObject*) {
      Clicked.push_back(item);
      // The bar has let go of everything before a command runs.
      EXPECT_EQ(Core().Mode(), TMenuBarMode::Rest);
      EXPECT_EQ(DropDowns(), 0);
    });
    parent->Add(item);
    return item;
  }
  const TMenuBarTracker& Core() const { return Skinned() ? Bar->Tracker() : *PlainMenuBarTracker(*Form); }
  TMenuBarMode Mode() const { return Core().Mode(); }
  TMenuItem* Lit() const {
    const int index = Core().Mode() == TMenuBarMode::Rest ? -1 : Core().Highlighted();
    return index < 0 ? nullptr : Menu->Items()->Items(index);
  }
  // The item whose drop-down shows, null when none does.
  TMenuItem* OpenMenu() const {
    return Core().Open() >= 0 && DropDowns() > 0 ? Menu->Items()->Items(Core().Open()) : nullptr;
  }
  static int DropDowns() {
    int count = 0;
    EnumWindows(
        [](HWND hwnd, LPARAM counter) {
          const std::string name = GetClassName(hwnd);
          if (IsWindowVisible(hwnd) && (name == "TPlainPopupMenu" || name == "TbsSkinPopupWindow"))
            ++*reinterpret_cast<int*>(counter);
          return true;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
  }
  POINT ItemCentre(int index) const {
    RECT r = Skinned() ? Bar->Item(index)->ObjectRect : PlainMenuBarItemRect(*Form, index);
    if (Skinned()) OffsetRect(&r, Bar->ClientToScreen({0, 0}).X, Bar->ClientToScreen({0, 0}).Y);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  POINT Elsewhere() const { return Form->ClientToScreen({300, 200}); }
  void Press(UINT vk) {
    Screen.PressKey(vk);
    Screen.RunUntilIdle();
  }
  void AltWith(UINT vk) {
    Screen.KeyDown(VK_MENU);
    Screen.PressKey(vk);
    Screen.KeyUp(VK_MENU);
    Screen.RunUntilIdle();
  }
  // Runs when the next menu loop waits for input.
  void Then(std::function<void()> step) { Screen.WhenIdle(std::move(step)); }

  HeadlessBackend Screen;
  std::unique_ptr<TApplication> App;
  std::unique_ptr<TForm> Form;
  TMainMenu* Menu = nullptr;
  TbsSkinMainMenuBar* Bar = nullptr;
  TMenuItem *File, *Open, *Edit, *Copy, *Tools, *About, *Help;
  std::vector<TMenuItem*> Clicked;
};

TEST_P(MenuBarLooksTest, TheKeysLightTheItemsAndStepAlongTheBarWrappingAndSkippingWhatCannotBeChosen) {
  Press(VK_MENU);
  EXPECT_EQ(Mode(), TMenuBarMode::Keys);
  EXPECT_EQ(Lit(), File);
  std::vector<TMenuItem*> lit;
  for (const UINT key : {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT}) {
    Press(key);
    lit.push_back(Lit());
  }
  EXPECT_EQ(lit, (std::vector<TMenuItem*>{Edit, About, Help, File, Help}));
  EXPECT_EQ(DropDowns(), 0);
  Press(VK_ESCAPE);
  EXPECT_EQ(Mode(), TMenuBarMode::Rest);
  EXPECT_EQ(Lit(), nullptr);
  // Alt tapped and F10 leave as they entered; so does a click elsewhere.
  for (const UINT key : {VK_MENU, VK_F10}) {
    SCOPED_TRACE(key);
    Press(key);
    EXPECT_EQ(Mode(), TMenuBarMode::Keys);
    Press(key);
    EXPECT_EQ(Mode(), TMenuBarMode::Rest);
  }
  Press(VK_F10);
  Screen.Click(Elsewhere());
  Screen.RunUntilIdle();
  EXPECT_EQ(Mode(), TMenuBarMode::Rest);
  EXPECT_TRUE(Clicked.empty());
}

TEST_P(MenuBarLooksTest, DownOpensTheLitMenuOnItsFirstItemAndEscapeWalksBackToTheBar) {
  Press(VK_MENU);
  Press(VK_RIGHT);
  TMenuItem* open = nullptr;
  Then([&] {
    open = OpenMenu();
    Screen.PressKey(VK_ESCAPE);
  });
  Press(VK_DOWN);
  EXPECT_EQ(open, Edit);
  EXPECT_EQ(Mode(), TMenuBarMode::Keys);
  EXPECT_EQ(Lit(), Edit);
  EXPECT_EQ(DropDowns(), 0);
  Then([this] { Screen.PressKey(VK_RETURN); });
  Press(VK_RETURN);
  EXPECT_EQ(Clicked, (std::vector<TMenuItem*>{Copy}));
  EXPECT_EQ(Mode(), TMenuBarMode::Rest);
  // Up opens too, and an item without a drop-down runs.
  Then([this] { Screen.PressKey(VK_RETURN); });
  Press(VK_MENU);
  Press(VK_UP);
  Press(VK_MENU);
  Press(VK_LEFT);
  Press(VK_LEFT);
  Press(VK_DOWN);
  EXPECT_EQ(Clicked, (std::vector<TMenuItem*>{Copy, Open, About}));
  EXPECT_EQ(Mode(), TMenuBarMode::Rest);
}

TEST_P(MenuBarLooksTest, AcceleratorsOpenOrRunTheirItemAndADisabledItemsArePassedOver) {
  TMenuItem* open = nullptr;
  Then([&] {
    open = OpenMenu();
    Screen.PressKey(VK_RETURN);
  });
  AltWith('F');
  EXPECT_EQ(open, File);
  for (const UINT letter : {'T', 'Q'}) {  // Tools is disabled, no item has Q: passed over
    AltWith(letter);
    EXPECT_EQ(Mode(), TMenuBarMode::Rest);
    EXPECT_EQ(DropDowns(), 0);
  }
  EXPECT_EQ(Screen.Beeps(), 0);
  AltWith('A');
  EXPECT_EQ(Clicked, (std::vector<TMenuItem*>{Open, About}));
  EXPECT_EQ(Mode(), TMenuBarMode::Rest);
  // The letters alone in the keyboard mode.
  Press(VK_MENU);
  Press('T');
  EXPECT_EQ(Mode(), TMenuBarMode::Keys);
  EXPECT_EQ(Lit(), File);
  Then([&] {
    open = OpenMenu();
    Screen.PressKey(VK_ESCAPE);
  });
  Press('H');
  EXPECT_EQ(open, Help);
  EXPECT_EQ(Lit(), Help);
  Press(VK_ESCAPE);
  EXPECT_EQ(Mode(), TMenuBarMode::Rest);
}

TEST_P(MenuBarLooksTest, ThePointerHandsTheOpenMenuOnAlongTheBarAndOnlyLightsACommandOnTheWay) {
  std::vector<TMenuItem*> open;
  Then([&] {
    open.push_back(OpenMenu());
    Screen.MouseMove(ItemCentre(1));
  });
  Then([&] {
    open.push_back(OpenMenu());
    Screen.MouseMove(ItemCentre(2));  // Tools, disabled: Edit stays open
  });
  Then([&] {
    open.push_back(OpenMenu());
    Screen.MouseMove(ItemCentre(3));  // About: lit, not run
  });
  Screen.Click(ItemCentre(0));
  Screen.RunUntilIdle();
  EXPECT_EQ(open, (std::vector<TMenuItem*>{File, Edit, Edit}));
  EXPECT_EQ(Mode(), TMenuBarMode::Keys);
  EXPECT_EQ(Lit(), About);
  EXPECT_EQ(DropDowns(), 0);
  // The menus still follow the pointer: on to Help, then a click elsewhere.
  Then([&] {
    open.push_back(OpenMenu());
    Screen.Click(Elsewhere());
  });
  Screen.MouseMove(ItemCentre(4));
  Screen.RunUntilIdle();
  EXPECT_EQ(open.back(), Help);
  EXPECT_EQ(Mode(), TMenuBarMode::Rest);
  EXPECT_EQ(Core().Highlighted(), -1);
  EXPECT_TRUE(Clicked.empty());
  // A click on a disabled item opens nothing.
  Screen.Click(ItemCentre(2));
  Screen.RunUntilIdle();
  EXPECT_EQ(Mode(), TMenuBarMode::Rest);
  EXPECT_EQ(Screen.PendingIdleSteps(), 0u);
}

TEST_P(MenuBarLooksTest, LeftAndRightInAnOpenMenuStepAlongTheBar) {
  std::vector<TMenuItem*> open;
  const auto then = [&](UINT key) {
    Then([&, key] {
      open.push_back(OpenMenu());
      Screen.PressKey(key);
    });
  };
  then(VK_RIGHT);
  then(VK_RIGHT);  // past the disabled Tools to About, which only lights
  AltWith('F');
  EXPECT_EQ(open, (std::vector<TMenuItem*>{File, Edit}));
  EXPECT_EQ(Lit(), About);
  EXPECT_EQ(DropDowns(), 0);
  then(VK_RIGHT);  // wraps round to File
  then(VK_LEFT);
  then(VK_ESCAPE);
  Press(VK_RIGHT);  // the menus follow the keys on from About
  EXPECT_EQ(open, (std::vector<TMenuItem*>{File, Edit, Help, File, Help}));
  EXPECT_EQ(Mode(), TMenuBarMode::Keys);
  EXPECT_EQ(Lit(), Help);
  Press(VK_ESCAPE);
  EXPECT_EQ(Mode(), TMenuBarMode::Rest);
  EXPECT_TRUE(Clicked.empty());
}

TEST_P(MenuBarLooksTest, ACommandThatFailsLeavesTheBarAtRestAndAbleToOpenAgain) {
  for (TMenuItem* item : {About, Open})
    item->SetOnClick([this](TObject*) {
      EXPECT_EQ(Mode(), TMenuBarMode::Rest);
      throw Exception("Cannot open file");
    });
  std::vector<std::string> errors;
  App->OnException = [&](TObject*, const std::exception& error) { errors.push_back(error.what()); };
  Screen.Click(ItemCentre(3));
  Screen.RunUntilIdle();
  Then([this] { Screen.PressKey(VK_RETURN); });
  AltWith('F');
  EXPECT_EQ(errors, (std::vector<std::string>(2, "Cannot open file")));
  EXPECT_EQ(Mode(), TMenuBarMode::Rest);
  EXPECT_EQ(DropDowns(), 0);
  TMenuItem* open = nullptr;
  Then([&] {
    open = OpenMenu();
    Screen.PressKey(VK_ESCAPE);  // opened by the mouse: Escape dismisses
  });
  Screen.Click(ItemCentre(0));
  Screen.RunUntilIdle();
  EXPECT_EQ(open, File);
  EXPECT_EQ(Mode(), TMenuBarMode::Rest);
}

INSTANTIATE_TEST_SUITE_P(Looks, MenuBarLooksTest, ::testing::Values(TLook::Plain, TLook::Skinned),
                         [](const ::testing::TestParamInfo<TLook>& info) {
                           return info.param == TLook::Plain ? "Plain" : "Skinned";
                         });

}  // namespace
}  // namespace kora::test
