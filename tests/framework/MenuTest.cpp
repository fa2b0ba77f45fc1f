#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/FormText.h"
#include "framework/menus/Menus.h"
#include "platform/window/VirtualKeys.h"

namespace kora::test {
namespace {

TMenuItem* NewItem(TComponent* owner, const std::string& caption) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  return item;
}

TEST(ShortCutTest, TextRoundTripsAndIgnoresCase) {
  struct Case {
    TShortCut ShortCut;
    const char* Text;
  };
  const std::vector<Case> cases{
      {ShortCut('S', {ssCtrl}), "Ctrl+S"},
      {ShortCut(VK_F1, {ssShift, ssCtrl}), "Shift+Ctrl+F1"},
      {ShortCut(VK_BACK, {ssAlt}), "Alt+BkSp"},
      {ShortCut(VK_DELETE, {}), "Del"},
      {ShortCut('0', {ssShift, ssCtrl, ssAlt}), "Shift+Ctrl+Alt+0"},
      {ShortCut(VK_F12, {}), "F12"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortCutToText(c.ShortCut), c.Text);
    EXPECT_EQ(TextToShortCut(c.Text), c.ShortCut) << c.Text;
  }
  EXPECT_EQ(ShortCut('S', {ssCtrl}), 0x4053);
  EXPECT_EQ(TextToShortCut("ctrl+alt+del"), ShortCut(VK_DELETE, {ssCtrl, ssAlt}));
  EXPECT_EQ(TextToShortCut("Alt+Shift+x"), ShortCut('X', {ssShift, ssAlt}));

  uint16_t key = 0;
  TShiftState shift;
  ShortCutToKey(ShortCut(VK_F5, {ssAlt}), key, shift);
  EXPECT_EQ(key, VK_F5);
  EXPECT_EQ(shift, TShiftState({ssAlt}));
}

TEST(ShortCutTest, NonsenseGivesNone) {
  for (const char* text : {"", "Ctrl+", "Ctrl+Bogus", "F13", "Ctrl", "SS"}) {
    EXPECT_EQ(TextToShortCut(text), scNone) << text;
  }
  EXPECT_EQ(ShortCutToText(scNone), "");
  EXPECT_EQ(ShortCutToText(scCtrl | 0xE7), "");  // a key without a name
  EXPECT_EQ(ShortCut(0x1FF, {ssCtrl}), scNone);  // would spill into the modifier bits
}

TEST(HotkeyTest, AmpersandsMarkTheAccelerator) {
  EXPECT_EQ(StripHotkey("&File"), "File");
  EXPECT_EQ(StripHotkey("选择ROM(&C)"), "选择ROM(C)");
  EXPECT_EQ(StripHotkey("Save && &Quit"), "Save & Quit");
  EXPECT_EQ(StripHotkey("Trailing&"), "Trailing");
  EXPECT_EQ(GetHotkey("文件(&F)"), U'F');
  EXPECT_EQ(GetHotkey("Save && &quit"), U'Q');
  EXPECT_EQ(GetHotkey("Fish && Chips"), 0u);
  EXPECT_EQ(GetHotkey("End&"), 0u);
  EXPECT_TRUE(IsAccel(U'f', "文件(&F)"));
  EXPECT_TRUE(IsAccel(U'F', "文件(&F)"));
  EXPECT_FALSE(IsAccel(U'H', "文件(&F)"));
  EXPECT_FALSE(IsAccel(U'&', "A && B"));
}

TEST(MenuItemTest, TreeKeepsOrderAndRefusesLoops) {
  TComponent form(nullptr);
  TMainMenu menu(&form);
  TMenuItem* file = NewItem(&form, "&File");
  TMenuItem* open = NewItem(&form, "&Open");
  TMenuItem* quit = NewItem(&form, "E&xit");
  menu.Items()->Add(file);
  file->Add(quit);
  file->Insert(0, open);
  ASSERT_EQ(file->Count(), 2);
  EXPECT_EQ(file->Items(0), open);
  EXPECT_EQ(quit->MenuIndex(), 1);
  EXPECT_EQ(open->Parent(), file);
  EXPECT_EQ(open->GetParentMenu(), &menu);
  EXPECT_EQ(file->Find("exit"), quit);
  EXPECT_EQ(file->Find("E&xit"), quit);
  EXPECT_EQ(file->Find("Nothing"), nullptr);

  EXPECT_THROW(file->Items(2), EMenuError);
  EXPECT_THROW(open->Add(file), EMenuError);          // its own ancestor
  EXPECT_THROW(menu.Items()->Add(open), EMenuError);  // already has a parent

  quit->SetMenuIndex(0);
  EXPECT_EQ(file->Items(0), quit);

  // Freeing an item takes it out of the tree.
  delete open;
  EXPECT_EQ(file->Count(), 1);
  // Freeing the menu leaves the form's items alive.
}

TEST(MenuItemTest, RadioGroupsAndDefaultsAreExclusive) {
  TComponent form(nullptr);
  TPopupMenu menu(&form);
  std::vector<TMenuItem*> items;
  for (int i = 0; i < 4; ++i) {
    TMenuItem* item = NewItem(&form, "Item" + std::to_string(i));
    item->SetRadioItem(i < 3);
    item->SetGroupIndex(i < 2 ? 1 : 2);
    menu.Items()->Add(item);
    items.push_back(item);
  }
  items[3]->SetChecked(true);  // not a radio item
  items[2]->SetChecked(true);  // the only one of group 2
  items[0]->SetChecked(true);
  items[1]->SetChecked(true);
  EXPECT_FALSE(items[0]->Checked());
  EXPECT_TRUE(items[1]->Checked());
  EXPECT_TRUE(items[2]->Checked());
  EXPECT_TRUE(items[3]->Checked());

  items[0]->SetDefault(true);
  items[2]->SetDefault(true);
  EXPECT_FALSE(items[0]->Default());
  EXPECT_TRUE(items[2]->Default());
}

TEST(MenuItemTest, ClickRunsOnlyEnabledItemsAndShortCutsFindThem) {
  TComponent form(nullptr);
  TMainMenu menu(&form);
  TMenuItem* file = NewItem(&form, "&File");
  TMenuItem* save = NewItem(&form, "&Save");
  TMenuItem* grid = NewItem(&form, "&Grid");
  menu.Items()->Add(file);
  file->Add(save);
  file->Add(grid);
  std::vector<std::string> clicked;
  save->SetOnClick([&](TObject* sender) { clicked.push_back(static_cast<TMenuItem*>(sender)->Caption()); });
  save->SetShortCut(ShortCut('S', {ssCtrl}));
  grid->SetAutoCheck(true);
  grid->SetShortCut(ShortCut('G', {ssCtrl}));
  EXPECT_EQ(save->ShortCutText(), "Ctrl+S");

  EXPECT_TRUE(menu.IsShortCut('S', {ssCtrl}));
  EXPECT_FALSE(menu.IsShortCut('S', {ssAlt}));
  EXPECT_TRUE(menu.IsShortCut('G', {ssCtrl}));
  EXPECT_TRUE(grid->Checked());
  save->SetEnabled(false);
  save->Click();
  EXPECT_FALSE(menu.IsShortCut('S', {ssCtrl}));
  save->SetEnabled(true);
  file->SetVisible(false);  // hidden parents hide their short-cuts
  EXPECT_FALSE(menu.IsShortCut('S', {ssCtrl}));
  EXPECT_EQ(clicked, std::vector<std::string>{"&Save"});
}

TEST(MenuTest, ChangesAreReported) {
  TComponent form(nullptr);
  TMainMenu menu(&form);
  std::vector<std::pair<TMenuItem*, bool>> changes;
  menu.OnChange = [&](TObject*, TMenuItem* source, bool rebuild) { changes.emplace_back(source, rebuild); };
  TMenuItem* item = NewItem(&form, "&Edit");
  menu.Items()->Add(item);
  item->SetCaption("&Edit");  // unchanged: nothing
  item->SetEnabled(false);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_TRUE(changes[0].second);
  EXPECT_EQ(changes[1], std::make_pair(item, false));
}

TEST(PopupMenuTest, PopupFiresOnPopupAndShowsThroughThePresenter) {
  TComponent form(nullptr);
  TPopupMenu menu(&form);
  menu.Items()->Add(NewItem(&form, "Copy"));
  std::vector<std::string> log;
  menu.SetOnPopup([&](TObject*) { log.push_back("popup"); });
  TPopupMenu::SetPresenter([&](TPopupMenu& shown, int x, int y) {
    EXPECT_EQ(&shown, &menu);
    log.push_back("shown at " + std::to_string(x) + "," + std::to_string(y));
  });
  menu.Popup(30, 40);
  EXPECT_EQ(menu.PopupPoint().X, 30);
  // A menu whose items are all hidden opens nothing.
  menu.Items()->Items(0)->SetVisible(false);
  menu.Popup(1, 2);
  TPopupMenu::SetPresenter(nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"popup", "shown at 30,40", "popup"}));
}

TEST(PopupMenuTest, ForgetsFreedComponents) {
  TComponent form(nullptr);
  TPopupMenu menu(&form);
  auto* source = new TComponent(&form);
  menu.SetPopupComponent(source);
  delete source;
  EXPECT_EQ(menu.PopupComponent(), nullptr);
}

}  // namespace
}  // namespace kora::test

namespace kora::test {
namespace {

// Menu items nest inside their menu in a form description, and come back
// out the same way.
TEST(MenuStreamTest, NestedItemsLoadAndWriteBack) {
  RegisterClasses({TMainMenu::StaticClass(), TMenuItem::StaticClass()});
  const std::string text =
      "object Form1: TComponent\n"
      "  object MainMenu1: TMainMenu\n"
      "    object N1: TMenuItem\n"
      "      Caption = '&File'\n"
      "      object N2: TMenuItem\n"
      "        Caption = '&Open'\n"
      "        ShortCut = 16463\n"
      "      end\n"
      "      object N3: TMenuItem\n"
      "        Caption = '-'\n"
      "      end\n"
      "    end\n"
      "    object N4: TMenuItem\n"
      "      Caption = '&Help'\n"
      "      Enabled = False\n"
      "    end\n"
      "  end\n"
      "end\n";
  TComponent form(nullptr);
  ReadComponentText(text, &form);
  auto* menu = static_cast<TMainMenu*>(form.FindComponent("MainMenu1"));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->Items()->Count(), 2);
  TMenuItem* file = menu->Items()->Items(0);
  EXPECT_EQ(file->Name(), "N1");
  ASSERT_EQ(file->Count(), 2);
  EXPECT_EQ(file->Items(0)->ShortCutText(), "Ctrl+O");
  EXPECT_TRUE(file->Items(1)->IsLine());
  EXPECT_FALSE(menu->Items()->Items(1)->Enabled());
  EXPECT_EQ(WriteComponentText(&form), text);
}

}  // namespace
}  // namespace kora::test
