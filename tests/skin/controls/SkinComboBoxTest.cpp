// The combo box: opening and closing its drop-down by mouse and keys with
// the events in order, tracking and auto-scroll, placement above the box at
// the bottom of the work area, keys, wheel, typed search, the edit style,
// and a drop-down that never takes the activation.

#include <string>
#include <vector>

#include "ComboTestForm.h"
#include "SkinControlTestSupport.h"
#include "framework/core/FormText.h"
#include "framework/forms/Forms.h"
#include "skin/controls/bsSkinBoxCtrls.h"

namespace kora::test {
namespace {

class SkinComboBoxTest : public SkinControlTest {
protected:
  TbsSkinComboBox* Combo(int left, int top, int items, int width = 150) {
    auto* combo = new TbsSkinComboBox(Form.get());
    combo->SetName("combo" + std::to_string(++Made));
    combo->SetBounds(left, top, width, 20);
    for (int i = 0; i < items; ++i) combo->Items()->Add("item " + std::to_string(i));
    combo->SetParent(Form.get());
    Log(combo);
    return combo;
  }
  void Log(TbsSkinComboBox* combo) {
    combo->OnChange = [this](TObject*) { Events.push_back("change"); };
    combo->OnClick = [this, combo](TObject*) { Events.push_back("click " + std::to_string(combo->ItemIndex())); };
    combo->OnDropDown = [this](TObject*) { Events.push_back("dropdown"); };
    combo->OnCloseUp = [this](TObject*) { Events.push_back("closeup"); };
  }
  static POINT ButtonPoint(TbsSkinComboBox* combo) {
    const RECT b = combo->ArrowButtonRect();
    return At(combo, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
  }
  // The middle of a row of the open list, on the screen.
  static POINT RowPoint(TbsSkinComboBox* combo, int index) {
    TbsListBox* rows = combo->ListBox()->ListBox();
    const RECT r = rows->ItemRect(index);
    return rows->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  }
  void Run() { Screen.RunUntilIdle(); }
  void Press(UINT key) {
    Screen.PressKey(key);
    Run();
  }
  std::vector<std::string> Events;
  int Made = 0;
};

TEST_F(SkinComboBoxTest, AReleaseOnARowChangesClicksAndClosesInThatOrder) {
  ShowForm();
  TbsSkinComboBox* combo = Combo(20, 20, 5);
  Run();
  Screen.MouseMove(ButtonPoint(combo));
  Screen.MouseDown(ButtonPoint(combo));
  Run();
  ASSERT_TRUE(combo->DroppedDown());
  Screen.MouseMove(RowPoint(combo, 2));
  Run();
  Screen.MouseUp(RowPoint(combo, 2));
  Run();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(Events, (std::vector<std::string>{"dropdown", "change", "click 2", "closeup"}));
  EXPECT_EQ(combo->Text(), "item 2");
}

TEST_F(SkinComboBoxTest, AReleaseOutsideKeepsTheListForAClickOnARow) {
  ShowForm();
  TbsSkinComboBox* combo = Combo(20, 20, 5);
  Run();
  Screen.Click(ButtonPoint(combo));
  Run();
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_EQ(Events, (std::vector<std::string>{"dropdown"}));
  Screen.Click(RowPoint(combo, 3));
  Run();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(Events, (std::vector<std::string>{"dropdown", "change", "click 3", "closeup"}));
  // Nothing took the activation or the focus from the form.
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
  EXPECT_TRUE(combo->Focused());
}

TEST_F(SkinComboBoxTest, EscapeRestoresTheOldSelectionWithoutEvents) {
  ShowForm();
  TbsSkinComboBox* combo = Combo(20, 20, 5);
  combo->SetItemIndex(1);
  Run();
  Events.clear();
  Screen.Click(ButtonPoint(combo));
  Run();
  Screen.MouseMove(RowPoint(combo, 4));  // hover selects the row
  Run();
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 4);
  Press(VK_ESCAPE);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "item 1");
  EXPECT_EQ(Events, (std::vector<std::string>{"dropdown"}));
}

TEST_F(SkinComboBoxTest, AComboBoxAtTheBottomOfTheWorkAreaOpensUpward) {
  Form->SetBounds(20, 560, 400, 160);
  ShowForm();
  TbsSkinComboBox* low = Combo(20, 120, 8);
  Run();
  low->DropDown();
  Run();
  const RECT list = low->ListBox()->BoundsRect();
  const POINT top = At(low, 0, 0);
  EXPECT_EQ(list.Bottom, top.Y);
  EXPECT_EQ(list.Left, top.X);
  low->CloseUp(false);
  TbsSkinComboBox* high = Combo(20, 10, 3);
  Run();
  high->DropDown();
  EXPECT_EQ(high->ListBox()->BoundsRect().Top, At(high, 0, high->Height()).Y);
}

TEST_F(SkinComboBoxTest, ItemIndexWhileLoadingRaisesNoClick) {
  RegisterSkinControlClasses();
  auto* form = new TForm(nullptr);
  std::unique_ptr<TForm> owner(form);
  ReadComponentText(
      "object Form2: TForm\n"
      "  object box: TbsSkinComboBox\n"
      "    Items.Strings = (\n      'one'\n      'two')\n"
      "    ItemIndex = 1\n"
      "  end\n"
      "end\n",
      form);
  auto* box = dynamic_cast<TbsSkinComboBox*>(form->FindComponent("box"));
  ASSERT_TRUE(box);
  EXPECT_EQ(box->ItemIndex(), 1);
  EXPECT_EQ(box->Text(), "two");
  // Loaded: from here on program code raises OnClick too.
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  box->SetItemIndex(0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(SkinComboBoxTest, KeysStepThroughTheItemsAndPageByTheDropDownCount) {
  ShowForm();
  TbsSkinComboBox* combo = Combo(20, 20, 40);
  combo->SetFocus();
  combo->SetItemIndex(20);
  Run();
  Events.clear();
  Press(VK_PRIOR);
  EXPECT_EQ(combo->ItemIndex(), 11);
  combo->SetItemIndex(20);
  Press(VK_NEXT);
  EXPECT_EQ(combo->ItemIndex(), 27);
  Press(VK_UP);
  Press(VK_LEFT);
  Press(VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 26);
  Screen.KeyDown(VK_MENU);
  Press(VK_DOWN);
  Screen.KeyUp(VK_MENU);
  Run();
  EXPECT_TRUE(combo->DroppedDown());
  Press(VK_DOWN);  // while open, still through ItemIndex
  Press(VK_RETURN);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 27);
  EXPECT_EQ(Events.back(), "closeup");
}

TEST_F(SkinComboBoxTest, HoldingBelowTheListScrollsItOneRowPerTick) {
  ShowForm();
  TbsSkinComboBox* combo = Combo(20, 20, 30);
  Run();
  Screen.MouseMove(ButtonPoint(combo));
  Screen.MouseDown(ButtonPoint(combo));
  Run();
  // Into the list, then below it with the button still down.
  Screen.MouseMove(RowPoint(combo, 1));
  Run();
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 1);
  const RECT list = combo->ListBox()->BoundsRect();
  Screen.MouseMove({list.Left + 20, list.Bottom + 10});
  Screen.Wait(250);  // ten ticks of 25 ms
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 11);
  EXPECT_EQ(combo->ListBox()->TopIndex(), 4);
  // Back on the box above the list: scrolling up, since the list was entered.
  Screen.MouseMove(ButtonPoint(combo));
  Screen.Wait(50);
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 9);
  // A release outside the list closes it without taking the row.
  Screen.MouseUp(ButtonPoint(combo));
  Run();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(Events, (std::vector<std::string>{"dropdown"}));
}

TEST_F(SkinComboBoxTest, HoldingTheButtonOfAnUpwardListDoesNotRunIt) {
  Form->SetBounds(20, 560, 400, 160);
  ShowForm();
  TbsSkinComboBox* combo = Combo(20, 120, 30);
  combo->SetItemIndex(4);
  Run();
  Screen.MouseMove(ButtonPoint(combo));
  Screen.MouseDown(ButtonPoint(combo));
  Screen.Wait(200);
  EXPECT_TRUE(combo->DroppedDown());
  EXPECT_LT(combo->ListBox()->BoundsRect().Bottom, ButtonPoint(combo).Y);
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 4);
  Screen.MouseUp(ButtonPoint(combo));
  Run();
  EXPECT_TRUE(combo->DroppedDown());
}

TEST_F(SkinComboBoxTest, TypedLettersFindItemsByPrefix) {
  ShowForm();
  auto* combo = new TbsSkinComboBox(Form.get());
  combo->SetBounds(20, 20, 150, 20);
  for (const char* name : {"Axe", "bow", "Blade", "Bolt", "lance"}) combo->Items()->Add(name);
  combo->SetParent(Form.get());
  Log(combo);
  combo->SetFocus();
  Run();
  Screen.Type("b");
  Run();
  EXPECT_EQ(combo->ItemIndex(), 1);
  // Within half a second the letters make one search text.
  Screen.Type("l");
  Run();
  EXPECT_EQ(combo->ItemIndex(), 2);
  Screen.Wait(500);
  Screen.Type("b");
  Run();
  EXPECT_EQ(combo->ItemIndex(), 3);  // one letter: after the current item
  Screen.Wait(500);
  Screen.Type("B");
  Run();
  EXPECT_EQ(combo->ItemIndex(), 1);  // around the end, any case
  EXPECT_EQ(Events, (std::vector<std::string>{"change", "click 1", "change", "click 2", "change", "click 3", "change",
                                              "click 1"}));
  // Without AutoComplete each letter searches alone.
  combo->SetAutoComplete(false);
  Screen.Type("bo");
  Run();
  EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(SkinComboBoxTest, TheWheelMovesTheListWhileOpenAndTheSelectionWhileClosed) {
  ShowForm();
  TbsSkinComboBox* combo = Combo(20, 20, 5);
  combo->SetFocus();
  combo->SetItemIndex(1);
  Run();
  Events.clear();
  Screen.Wheel(Middle(combo), -120);  // toward the user: the next item
  Run();
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(Events, (std::vector<std::string>{"change", "click 2"}));
  combo->DropDown();
  Run();
  Events.clear();
  Screen.Wheel(Middle(combo), 120);
  Screen.Wheel(Middle(combo), 120);
  Run();
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 0);
  EXPECT_TRUE(Events.empty());
  Press(VK_RETURN);
  EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(SkinComboBoxTest, APressElsewhereOrLosingTheFocusClosesTheList) {
  ShowForm();
  TbsSkinComboBox* combo = Combo(20, 20, 5);
  TbsSkinComboBox* other = Combo(20, 200, 5);
  combo->SetFocus();
  combo->DropDown();
  Run();
  Screen.Click(At(Form.get(), 400, 400));  // the form's empty part
  Run();
  EXPECT_FALSE(combo->DroppedDown());
  combo->DropDown();
  Run();
  other->SetFocus();
  Run();
  EXPECT_FALSE(combo->DroppedDown());
  // Tab, which the open list keeps from the form, closes it and moves on.
  other->DropDown();
  Run();
  Press(VK_TAB);
  EXPECT_FALSE(other->DroppedDown());
  EXPECT_TRUE(combo->Focused());
  EXPECT_EQ(Events, (std::vector<std::string>{"dropdown", "dropdown", "dropdown"}));
}

TEST_F(SkinComboBoxTest, TheListShowsAScrollBarOnlyWhenTheRowsDoNotFit) {
  LoadProgramSkin();
  ShowForm();
  TbsSkinComboBox* few = Combo(20, 20, 3);
  TbsSkinComboBox* many = Combo(20, 60, 40);
  few->SetSkinData(Skin);
  many->SetSkinData(Skin);
  Run();
  EXPECT_EQ(few->ListBox()->SkinDataName(), "combolistbox");
  few->DropDown();
  Run();
  EXPECT_FALSE(few->ListBox()->VScrollBar()->Visible());
  // Rows of the record's item height (18) and the record's frame (2).
  EXPECT_EQ(few->ListBox()->Height(), 3 * 18 + 2);
  few->CloseUp(false);
  many->SetFocus();
  many->SetItemIndex(30);
  many->DropDown();
  Run();
  TbsSkinScrollBar* bar = many->ListBox()->VScrollBar();
  ASSERT_TRUE(bar->Visible());
  EXPECT_EQ(bar->SkinDataName(), "vscrollbar");
  EXPECT_EQ(bar->Width(), 16);
  EXPECT_EQ(many->ListBox()->TopIndex(), 23);  // the selection scrolled into view
  EXPECT_EQ(bar->Position(), 23);
  // The bar drives the rows.
  const RECT up = bar->UpButtonRect();
  Screen.Click(bar->ClientToScreen({(up.Left + up.Right) / 2, (up.Top + up.Bottom) / 2}));
  Run();
  EXPECT_EQ(many->ListBox()->TopIndex(), 22);
  EXPECT_TRUE(many->DroppedDown());
  EXPECT_TRUE(many->Focused());
}

TEST_F(SkinComboBoxTest, OwnerDrawnRowsGetAPreparedItemBitmap) {
  ShowForm();
  TbsSkinComboBox* combo = Combo(20, 20, 3, 153);
  combo->SetUseSkinSize(false);
  combo->SetHeight(129);
  combo->SetDropDownCount(2);
  combo->SetListBoxDefaultItemHeight(130);
  combo->SetListBoxUseSkinItemHeight(false);
  struct TCall {
    int Index, Width, Height;
    RECT Text;
    bool Focused;
  };
  std::vector<TCall> rows, box;
  combo->SetOnListBoxDrawItem([&](TCanvas* canvas, int index, int w, int h, RECT text, TOwnerDrawState state) {
    rows.push_back({index, w, h, text, state.Contains(odFocused)});
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect({0, 0, 10, 10});
  });
  combo->OnComboBoxDrawItem = [&](TCanvas*, int index, int w, int h, RECT text, TOwnerDrawState state) {
    box.push_back({index, w, h, text, state.Contains(odFocused)});
  };
  combo->SetFocus();
  combo->SetItemIndex(1);
  Run();
  ASSERT_FALSE(box.empty());
  EXPECT_EQ(box.back().Index, 1);
  EXPECT_EQ(box.back().Width, 153 - 19 - 1 - 2);
  EXPECT_EQ(box.back().Height, 129 - 4);
  EXPECT_EQ(box.back().Text, (RECT{2, 0, box.back().Width - 2, 129 - 4}));
  EXPECT_TRUE(box.back().Focused);
  combo->DropDown();
  Run();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].Index, combo->ListBox()->TopIndex());
  EXPECT_EQ(rows[1].Height, 130);
  EXPECT_EQ(combo->ListBox()->Height(), 2 * 130 + 4);
  // What the handler drew lands in the row; the rest is the prepared
  // background, here the selected row's.
  TbsListBox* list = combo->ListBox()->ListBox();
  const POINT row1 = list->ClientToScreen({0, list->ItemRect(1).Top});
  EXPECT_EQ(Screen.Capture().ColorAt(row1.X + 2, row1.Y + 2), RGB(255, 0, 0));
  EXPECT_EQ(Screen.Capture().ColorAt(row1.X + 20, row1.Y + 20), COLORREF(ColorToRGB(clHighlight)));
}

TEST_F(SkinComboBoxTest, TheMainWindowsDrawnListsFromAFormDescription) {
  LoadProgramSkin();
  TComboTestForm form(nullptr);
  form.Load();
  TbsSkinComboBox* portraits = form.Portraits();
  TbsSkinComboBox* icons = form.Icons();
  portraits->SetSkinData(Skin);
  icons->SetSkinData(Skin);
  form.Show();
  portraits->SetItemIndex(0);
  Run();
  // Stretched to hold a whole portrait, the handler drawing the closed box.
  EXPECT_EQ(portraits->Height(), 129);
  EXPECT_GT(form.Draws, 0);
  form.Draws = 0;
  portraits->DropDown();
  Run();
  EXPECT_EQ(form.Draws, 2 + 1);  // both rows, and the box showing what it shows
  EXPECT_EQ(portraits->ListBox()->ItemHeight(), 130);
  EXPECT_EQ(portraits->ListBox()->Height(), 2 * 130 + 2);
  EXPECT_TRUE(portraits->ListBox()->VScrollBar()->Visible());
  portraits->CloseUp(false);
  // The icons' rows keep their 20 pixels with the skin, and the box its 22.
  EXPECT_EQ(icons->Height(), 22);
  icons->DropDown();
  Run();
  EXPECT_EQ(icons->ListBox()->ItemHeight(), 20);
  EXPECT_EQ(icons->ListBox()->Height(), 4 * 20 + 2);
  EXPECT_EQ(icons->ListBox()->Images(), form.FindComponent("ImageList1"));
}

// A button in the fixed right part moves with the right edge, also when
// that part is wider than the rest of the record (the test is against where
// it begins, as for the spin edit).
TEST_F(SkinComboBoxTest, TheButtonOfAWideRightPartMovesWithTheRightEdge) {
  LoadMiniSkin(
      "[VERSION]\nver=3\n[PICTURES]\npicture=\ninactivepicture=\nmask=\nactivepicturescount=1\n0=controls.bmp\n"
      "[FORMINFO]\nborderwidth=4\n[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=1\n0=wide:combobox\n"
      "[wide]\npictureindex=0\nskinrect=0,0,60,22\nlefttoppoint=3,0\nrighttoppoint=20,0\n"
      "clientrect=3,3,20,19\nbuttonrect=25,1,40,21\n",
      {{"controls.bmp", BmpOf(60, 22, [](int x, int) { return x < 20 ? RGB(255, 255, 255) : RGB(0, 0, 200); })}});
  ShowForm();
  TbsSkinComboBox* combo = Combo(20, 20, 3, 100);
  combo->SetSkinDataName("wide");
  combo->SetSkinData(Skin);
  Run();
  EXPECT_EQ(combo->Height(), 22);
  EXPECT_EQ(combo->ArrowButtonRect(), (RECT{65, 1, 80, 21}));
  EXPECT_EQ(combo->ItemRect(), (RECT{3, 3, 60, 19}));
}

TEST_F(SkinComboBoxTest, TheEditStyleCompletesFromTheItems) {
  ShowForm();
  TbsSkinComboBox* combo = Combo(20, 20, 0);
  for (const char* name : {"Axe", "Blade", "Bolt"}) combo->Items()->Add(name);
  combo->SetStyle(bscbEditStyle);
  ASSERT_TRUE(combo->Edit());
  combo->SetFocus();
  Run();
  EXPECT_TRUE(combo->Edit()->Focused());
  Screen.Type("bo");
  Run();
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "bo");
  Press(VK_UP);  // the list's keys reach the combo box from the edit
  EXPECT_EQ(combo->Text(), "Blade");
  EXPECT_EQ(combo->Edit()->Text(), "Blade");
  combo->DropDown();
  Run();
  EXPECT_TRUE(combo->Edit()->Focused());
  Press(VK_DOWN);
  Press(VK_RETURN);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->Edit()->Text(), "Bolt");
  EXPECT_EQ(combo->Edit()->SelLength(), 4);
}

TEST_F(SkinComboBoxTest, ATranslucentListFadesInOnItsTimer) {
  ShowForm();
  TbsSkinComboBox* combo = Combo(20, 20, 5);
  combo->SetAlphaBlend(true);
  combo->SetAlphaBlendValue(200);
  combo->SetAlphaBlendAnimation(true);
  combo->DropDown();
  Run();
  const HWND popup = combo->ListBox()->Handle();
  EXPECT_TRUE(GetWindowLong(popup, GWL_EXSTYLE) & WS_EX_LAYERED);
  Screen.Wait(200);
  COLORREF key;
  uint8_t alpha = 0;
  DWORD flags;
  ASSERT_TRUE(GetLayeredWindowAttributes(popup, &key, &alpha, &flags));
  EXPECT_EQ(alpha, 200);
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
}

TEST_F(SkinComboBoxTest, AnEditStyleBoxPutsItsTextInItsCharacterCase) {
  TbsSkinComboBox* combo = Combo(20, 20, 3);
  combo->SetStyle(bscbEditStyle);
  combo->SetItemIndex(2);
  combo->SetCharCase(ecUpperCase);
  EXPECT_EQ(combo->Text(), "ITEM 2");
}

}  // namespace
}  // namespace kora::test
