// The skinned main menu bar driven like a person would: Alt and the
// arrows, accelerators, the mouse moving from one open menu to the next,
// a bar too narrow for its items, and its form description.

#include <string>
#include <vector>

#include "SkinFormTestSupport.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/core/FormText.h"
#include "skin/form/bsSkinMenuBar.h"
#include "skin/form/bsSkinMenus.h"

namespace kora::test {
namespace {

class SkinMenuBarTest : public SkinFormTest {
protected:
  void SetUp() override {
    SkinFormTest::SetUp();
    Menu = new TbsSkinMainMenu(Form.get());
    File = Add(Menu->Items(), "F1", "文件(&F)");
    ChooseRom = Add(File, "N1", "选择ROM(&C)");
    SaveData = Add(File, "N4", "保存数据");
    SaveData->SetEnabled(false);
    Add(File, "N2", "-");
    Add(File, "N3", "退出程序");
    Help = Add(Menu->Items(), "H1", "帮助(&H)");
    About = Add(Help, "A1", "关于(&A)");
    Bar = new TbsSkinMainMenuBar(Form.get());
    Bar->SetParent(Form.get());
    Bar->SetSkinData(Skin);
    Bar->SetSkinForm(Frame);
    Bar->SetMainMenu(Menu);
    Frame->SetMainMenuBar(Bar);
    LoadProgramSkin();
    ShowForm();
  }
  TMenuItem* Add(TMenuItem* parent, const std::string& name, const std::string& caption) {
    auto* item = new TMenuItem(Form.get());
    item->SetName(name);
    item->SetCaption(caption);
    item->SetOnClick([this, item](TObject*) { Clicked.push_back(item); });
    parent->Add(item);
    return item;
  }
  // Runs when the next loop waits for input.
  void Step(std::function<void()> step) { Screen.WhenIdle(std::move(step)); }
  // The caption of the bar's highlighted item, "" for none.
  std::string Lit() const {
    const int i = Bar->HighlightedIndex();
    return i < 0 ? "" : Bar->Item(i)->MenuItem->Caption();
  }
  // The menu whose drop-down is open, null when none.
  TMenuItem* OpenMenu() const {
    TbsSkinMenu* engine = SkinMenuOf(Frame);
    return engine->Visible() && engine->PopupCount() > 0 ? engine->PopupWindow(0)->Parent : nullptr;
  }
  POINT ItemCentre(int index) const {
    const RECT r = Bar->Item(index)->ObjectRect;
    return Bar->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  }
  // A chain a test leaves open closes after a minute, failing the test.
  void Guard() {
    Guarding = std::make_unique<TTimer>(nullptr);
    Guarding->SetInterval(60000);
    Guarding->SetOnTimer([this](TObject*) {
      ADD_FAILURE() << "the menu was left open";
      SkinMenuOf(Frame)->CloseAll();
    });
  }

  TbsSkinMainMenu* Menu = nullptr;
  TbsSkinMainMenuBar* Bar = nullptr;
  TMenuItem *File, *ChooseRom, *SaveData, *Help, *About;
  std::vector<TMenuItem*> Clicked;
  std::unique_ptr<TTimer> Guarding;
};

TEST_F(SkinMenuBarTest, TheSkinGivesTheHeightAndEachItemIsItsCaptionPlusElevenPixels) {
  EXPECT_EQ(Bar->Height(), 20);
  EXPECT_EQ(Bar->Top(), 0);
  ASSERT_EQ(Bar->ItemCount(), 2);
  TBitmap probe;
  probe.SetSize(1, 1);
  probe.Canvas()->Font()->SetName(Bar->DefItemFont()->Name());
  probe.Canvas()->Font()->SetHeight(-12);
  const int file = probe.Canvas()->TextWidth("文件(F)");
  const RECT first = Bar->Item(0)->ObjectRect, second = Bar->Item(1)->ObjectRect;
  EXPECT_EQ(first.Left, 2);  // the record's items area
  EXPECT_EQ(WidthOf(first), file + 11);
  EXPECT_EQ(second.Left, first.Right);
  RECT window;
  GetWindowRect(Form->Handle(), &window);
  TSheet sheet(WidthOf(window) + 20, 80);
  sheet.Put(Screen, RECT::FromSize(window.Left, window.Top, WidthOf(window), 50), 10, 4, "bar");
  sheet.Save("skin-menu-bar");
}

TEST_F(SkinMenuBarTest, AltHighlightsTheFileMenuAndTheArrowsWrapWithoutOpeningIt) {
  Screen.PressKey(VK_MENU);
  Screen.RunUntilIdle();
  EXPECT_TRUE(Frame->MenuMode().KeyboardMode());
  EXPECT_EQ(Lit(), "文件(&F)");
  EXPECT_EQ(OpenMenu(), nullptr);
  Screen.PressKey(VK_RIGHT);
  Screen.RunUntilIdle();
  EXPECT_EQ(Lit(), "帮助(&H)");
  Screen.PressKey(VK_RIGHT);
  Screen.RunUntilIdle();
  EXPECT_EQ(Lit(), "文件(&F)");
  Screen.PressKey(VK_LEFT);
  Screen.RunUntilIdle();
  EXPECT_EQ(Lit(), "帮助(&H)");
  Screen.PressKey(VK_ESCAPE);
  Screen.RunUntilIdle();
  EXPECT_FALSE(Frame->MenuMode().KeyboardMode());
  EXPECT_EQ(Lit(), "");
}

TEST_F(SkinMenuBarTest, AltFOpensTheFileMenuOnItsFirstItemAndDownSkipsTheDisabledSave) {
  Guard();
  std::vector<std::string> seen;
  Step([&] {
    seen.push_back(OpenMenu() ? OpenMenu()->Caption() : "none");
    Screen.PressKey(VK_DOWN);
  });
  Step([&] {
    const TbsSkinPopupWindow* w = SkinMenuOf(Frame)->PopupWindow(0);
    seen.push_back(w->Hot >= 0 ? w->Items[size_t(w->Hot)]->Caption() : "");
    Screen.PressKey(VK_UP);
    Screen.PressKey(VK_RETURN);
  });
  Screen.KeyDown(VK_MENU);
  Screen.PressKey('F');
  Screen.KeyUp(VK_MENU);
  Screen.RunUntilIdle();
  EXPECT_EQ(seen, (std::vector<std::string>{"文件(&F)", "退出程序"}));
  EXPECT_EQ(Clicked, (std::vector<TMenuItem*>{ChooseRom}));
  EXPECT_FALSE(Frame->MenuMode().MenuOpen());
  EXPECT_EQ(Lit(), "");
}

TEST_F(SkinMenuBarTest, MovingTheMouseToTheNextItemSwitchesTheOpenMenu) {
  Guard();
  std::vector<std::string> modes;
  Frame->OnMainMenuEnter = [&](TObject*) { modes.push_back("enter"); };
  Frame->OnMainMenuExit = [&](TObject*) { modes.push_back("exit"); };
  std::vector<TMenuItem*> open;
  Step([&] {
    open.push_back(OpenMenu());
    Screen.MouseMove(ItemCentre(1));
  });
  Step([&] {
    open.push_back(OpenMenu());
    Screen.PressKey(VK_RIGHT);  // Right over an item without a submenu: the next menu, wrapping
  });
  Step([&] {
    open.push_back(OpenMenu());
    Screen.PressKey(VK_ESCAPE);
  });
  Screen.Click(ItemCentre(0));
  Screen.RunUntilIdle();
  EXPECT_EQ(open, (std::vector<TMenuItem*>{File, Help, File}));
  EXPECT_FALSE(Frame->MenuMode().MenuOpen());
  EXPECT_TRUE(Clicked.empty());
  // Opened by the mouse, the menu mode is entered once; Escape after the
  // keys took over keeps it on, the next one leaves it.
  EXPECT_EQ(modes, (std::vector<std::string>{"enter"}));
  Screen.PressKey(VK_ESCAPE);
  Screen.RunUntilIdle();
  EXPECT_EQ(modes, (std::vector<std::string>{"enter", "exit"}));
  // A menu opened and closed by the mouse alone: enter and exit as well.
  Screen.Wait(1000);
  Step([&] { Screen.Click(AtWindow(300, 300)); });
  Screen.Click(ItemCentre(1));
  Screen.RunUntilIdle();
  EXPECT_EQ(modes, (std::vector<std::string>{"enter", "exit", "enter", "exit"}));
}

TEST_F(SkinMenuBarTest, ACommandChosenWithTheMouseMayChangeTheMenuAndRebuildTheBar) {
  // The editor's open command enables "保存数据", which rebuilds the bar's
  // items while the click on the bar is still being handled.
  ChooseRom->SetOnClick([this](TObject*) {
    Clicked.push_back(ChooseRom);
    SaveData->SetEnabled(true);
  });
  Guard();
  std::vector<TMenuItem*> open;
  Step([&] {
    open.push_back(OpenMenu());
    const RECT r = SkinMenuOf(Frame)->PopupWindow(0)->ItemScreenRect(0);
    Screen.Click({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  });
  Screen.Click(ItemCentre(0));
  Screen.RunUntilIdle();
  EXPECT_EQ(open, (std::vector<TMenuItem*>{File}));
  EXPECT_EQ(Clicked, (std::vector<TMenuItem*>{ChooseRom}));
  EXPECT_EQ(OpenMenu(), nullptr);
  EXPECT_FALSE(Frame->MenuMode().MenuOpen());
  EXPECT_EQ(Screen.PendingIdleSteps(), 0u);
  EXPECT_EQ(Bar->ItemCount(), 2);
}

TEST_F(SkinMenuBarTest, AfterACommandThatFailsTheMenusStillOpen) {
  ChooseRom->SetOnClick([this](TObject*) {
    Clicked.push_back(ChooseRom);
    throw Exception("Cannot open file");
  });
  std::vector<std::string> errors;
  App->OnException = [&](TObject*, const std::exception& error) { errors.push_back(error.what()); };
  Guard();
  const auto clickFirstItem = [this] {
    const RECT r = SkinMenuOf(Frame)->PopupWindow(0)->ItemScreenRect(0);
    Screen.Click({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  };
  // By the mouse, then by the keyboard: each time the menu opens again.
  Step(clickFirstItem);
  Screen.Click(ItemCentre(0));
  Screen.RunUntilIdle();
  EXPECT_EQ(Lit(), "");
  Step(clickFirstItem);
  Screen.Click(ItemCentre(0));
  Screen.RunUntilIdle();
  Step([this] { Screen.PressKey(VK_RETURN); });
  Screen.KeyDown(VK_MENU);
  Screen.PressKey('F');
  Screen.KeyUp(VK_MENU);
  Screen.RunUntilIdle();
  EXPECT_EQ(Clicked, (std::vector<TMenuItem*>{ChooseRom, ChooseRom, ChooseRom}));
  EXPECT_EQ(errors, (std::vector<std::string>(3, "Cannot open file")));
  EXPECT_EQ(OpenMenu(), nullptr);
  EXPECT_FALSE(Frame->MenuMode().MenuOpen());
  EXPECT_EQ(Screen.PendingIdleSteps(), 0u);
}

TEST_F(SkinMenuBarTest, ANarrowBarHidesTheItemsThatDoNotFit) {
  for (bool scroll : {true, false}) {
    SCOPED_TRACE(scroll);
    Bar->SetScrollMenu(scroll);
    Form->SetClientWidth(WidthOf(Bar->Item(0)->ObjectRect) + 12);
    Screen.RunUntilIdle();
    Bar->Repaint();
    EXPECT_TRUE(Bar->Item(0)->Shown);
    EXPECT_FALSE(Bar->Item(1)->Shown);
    EXPECT_FALSE(Bar->Item(1)->Enabled);
    EXPECT_TRUE(Bar->Layout().Overflow());
    Form->SetClientWidth(554);
    Screen.RunUntilIdle();
    Bar->Repaint();
    EXPECT_TRUE(Bar->Item(1)->Shown);
    EXPECT_TRUE(Bar->Item(1)->Enabled);
  }
  // A disabled menu item comes back disabled.
  Help->SetEnabled(false);
  Bar->Repaint();
  EXPECT_FALSE(Bar->Item(1)->Enabled);
}

TEST_F(SkinMenuBarTest, AFormDescriptionBuildsTheBarAndChangesToTheMenuRebuildIt) {
  RegisterSkinFormClasses();
  auto* form = new TForm(nullptr);
  std::unique_ptr<TForm> owned(form);
  ReadComponentText(
      "object F: TForm\n"
      "  object Bar1: TbsSkinMainMenuBar\n    ScrollMenu = False\n    DefaultHeight = 24\n"
      "    PopupToUp = True\n    MainMenu = Menu1\n  end\n"
      "  object Menu1: TbsSkinMainMenu\n"
      "    object X1: TMenuItem\n      Caption = 'X'\n    end\n"
      "    object Y1: TMenuItem\n      Caption = 'Y'\n      Visible = False\n    end\n"
      "  end\n"
      "end\n",
      form);
  auto* bar = dynamic_cast<TbsSkinMainMenuBar*>(form->FindComponent("Bar1"));
  ASSERT_TRUE(bar);
  EXPECT_FALSE(bar->ScrollMenu());
  EXPECT_TRUE(bar->PopupToUp());
  EXPECT_EQ(bar->Height(), 24);
  EXPECT_EQ(bar->Align(), alTop);
  ASSERT_EQ(bar->ItemCount(), 1);
  EXPECT_EQ(bar->Item(0)->IDName, "X1");
  auto* menu = dynamic_cast<TbsSkinMainMenu*>(form->FindComponent("Menu1"));
  menu->Items()->Items(1)->SetVisible(true);
  EXPECT_EQ(bar->ItemCount(), 2);
  delete menu;
  EXPECT_EQ(bar->ItemCount(), 0);
  EXPECT_EQ(bar->MainMenu(), nullptr);
}

}  // namespace
}  // namespace kora::test
