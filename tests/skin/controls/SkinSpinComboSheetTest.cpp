// Sheets of the spin edit and the combo box for a person to look at: every
// state with the program's skin, stretched, and in the default look; the
// combo boxes closed, open downward and upward, with the main window's
// owner-drawn portrait rows and its icon rows.

#include <string>

#include "ComboTestForm.h"
#include "SkinControlTestSupport.h"
#include "skin/controls/bsSkinBoxCtrls.h"

namespace kora::test {
namespace {

class SkinSpinComboSheetTest : public SkinControlTest {
protected:
  void Run() { Screen.RunUntilIdle(); }
  void Hover(TControl* control, POINT client) {
    Screen.MouseMove(At(control, client.X, client.Y));
    Run();
  }
  void Away() {
    Screen.MouseMove({1000, 740});
    Run();
  }
  static POINT Mid(const RECT& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

  TbsSkinSpinEdit* Spin(int left, int top, int width, double value, const std::string& record = "spinedit") {
    auto* spin = new TbsSkinSpinEdit(Form.get());
    spin->SetBounds(left, top, width, 16);
    spin->SetMinValue(-128);
    spin->SetMaxValue(127);
    spin->SetSkinDataName(record);
    spin->SetParent(Form.get());
    spin->SetValue(value);
    return spin;
  }

  // One row of a sheet: the spin edit in each state.
  void SpinRow(TSheet& sheet, int y, const std::string& record, bool skinned, bool useSkinSize, int width) {
    TbsSkinSpinEdit* spin = Spin(20, 20, width, -128, record);
    spin->SetUseSkinSize(useSkinSize);
    if (!useSkinSize) spin->SetHeight(30);
    if (skinned) spin->SetSkinData(Skin);
    Run();
    const std::string looks[] = {"normal", "hot", "focused", "up pressed", "down pressed", "disabled"};
    for (int i = 0; i < 6; ++i) {
      Away();
      if (i == 1) Hover(spin, {3, 3});
      if (i == 2) {
        spin->SetFocus();
        Run();
      }
      if (i == 3 || i == 4) {
        const POINT p = Mid(i == 3 ? spin->UpButtonRect() : spin->DownButtonRect());
        Hover(spin, p);
        Screen.MouseDown(At(spin, p.X, p.Y));
        Run();
      }
      if (i == 5) {
        Form->SetFocus();
        spin->SetEnabled(false);
        Run();
      }
      sheet.Put(Screen, spin, 10 + i * 110, y, looks[i]);
      if (i == 3 || i == 4) {
        const POINT p = Mid(i == 3 ? spin->UpButtonRect() : spin->DownButtonRect());
        Screen.MouseUp(At(spin, p.X + 100, p.Y));  // released away: no step
        Run();
      }
    }
    delete spin;
    Run();
  }
};

TEST_F(SkinSpinComboSheetTest, SpinEdits) {
  LoadProgramSkin();
  ShowForm();
  TSheet sheet(680, 300);
  sheet.Bitmap().Canvas()->TextOut(10, 4, "program skin, main window size (41 wide, value -128)");
  SpinRow(sheet, 20, "spinedit", true, true, 41);
  sheet.Bitmap().Canvas()->TextOut(10, 64, "program skin, 90 wide");
  SpinRow(sheet, 80, "spinedit", true, true, 90);
  sheet.Bitmap().Canvas()->TextOut(10, 124, "program skin \"statusspinedit\", 65 wide");
  SpinRow(sheet, 140, "statusspinedit", true, true, 65);
  sheet.Bitmap().Canvas()->TextOut(10, 184, "stretched (UseSkinSize false), 90 x 30");
  SpinRow(sheet, 200, "spinedit", true, false, 90);
  sheet.Bitmap().Canvas()->TextOut(10, 244, "default look, 60 x 16");
  SpinRow(sheet, 260, "spinedit", false, true, 60);
  sheet.ExpectDrawn();
  sheet.Save("spin-edits");
}

TEST_F(SkinSpinComboSheetTest, ComboBoxes) {
  LoadProgramSkin();
  ShowForm();
  TSheet sheet(900, 840);
  TCanvas* label = sheet.Bitmap().Canvas();
  for (int pass = 0; pass < 2; ++pass) {
    const bool skinned = pass == 0;
    const int y0 = pass * 420;
    label->TextOut(10, y0 + 2, skinned ? "program skin" : "default look");
    auto* combo = new TbsSkinComboBox(Form.get());
    combo->SetBounds(20, 20, 145, 25);
    for (int i = 0; i < 12; ++i)
      combo->Items()->Add(i % 2 ? "重甲骑士 " + std::to_string(i) : "剑士 " + std::to_string(i));
    combo->SetParent(Form.get());
    if (skinned) combo->SetSkinData(Skin);
    combo->SetItemIndex(3);
    Run();
    const std::string looks[] = {"normal", "hot", "button hot", "button pressed", "focused", "disabled"};
    for (int i = 0; i < 6; ++i) {
      Away();
      const POINT button = Mid(combo->ArrowButtonRect());
      if (i == 1) Hover(combo, {10, 5});
      if (i == 2) Hover(combo, button);
      if (i == 3) {
        // Held on the button with the list closed again at once.
        Hover(combo, button);
        Screen.MouseDown(At(combo, button.X, button.Y));
        Run();
        combo->CloseUp(false);
        Form->SetFocus();
        Run();
      }
      if (i == 4) {
        combo->SetFocus();
        Run();
      }
      if (i == 5) {
        Form->SetFocus();
        combo->SetEnabled(false);
        Run();
      }
      sheet.Put(Screen, combo, 10 + (i % 3) * 150, y0 + 20 + (i / 3) * 45, looks[i]);
      if (i == 3) {
        Screen.MouseUp(At(combo, button.X, button.Y));
        Run();
      }
    }
    combo->SetEnabled(true);
    combo->SetFocus();
    combo->DropDown();
    Hover(combo->ListBox()->ListBox(), {20, 30});
    sheet.Put(Screen, combo, 10, y0 + 110, "open: 12 items, 8 shown");
    sheet.Put(Screen, combo->ListBox(), 10, y0 + 110 + combo->Height(), "");
    combo->CloseUp(false);
    Run();

    // The main window's drawn lists: icons in 20-pixel rows, portraits in
    // 130-pixel rows, both from a form description.
    TComboTestForm drawn(nullptr);
    drawn.Load();
    TbsSkinComboBox* icons = drawn.Icons();
    TbsSkinComboBox* portraits = drawn.Portraits();
    if (skinned) {
      icons->SetSkinData(Skin);
      portraits->SetSkinData(Skin);
    }
    drawn.Show();
    icons->SetItemIndex(2);
    portraits->SetItemIndex(1);
    Run();
    icons->DropDown();
    Hover(icons->ListBox()->ListBox(), {20, 30});
    sheet.Put(Screen, icons, 170, y0 + 110, "icons, 20-pixel rows");
    sheet.Put(Screen, icons->ListBox(), 170, y0 + 110 + icons->Height(), "");
    icons->CloseUp(false);
    Run();
    sheet.Put(Screen, portraits, 540, y0 + 20, "portraits: closed, 153 x 129");
    portraits->DropDown();
    Hover(portraits->ListBox()->ListBox(), {20, 150});
    sheet.Put(Screen, portraits->ListBox(), 720, y0 + 20, "open: two 130-pixel rows");
    portraits->CloseUp(false);
    drawn.Hide();
    Run();

    // Opening upward at the bottom of the work area.
    Form->SetTop(560);
    combo->SetTop(130);
    Run();
    combo->DropDown();
    Run();
    const int listHeight = combo->ListBox()->Height();
    sheet.Put(Screen, combo->ListBox(), 370, y0 + 110, "open upward");
    sheet.Put(Screen, combo, 370, y0 + 110 + listHeight, "");
    combo->CloseUp(false);
    Form->SetTop(20);
    Run();

    delete combo;
    Run();
  }
  sheet.ExpectDrawn();
  sheet.Save("combo-boxes");
}

}  // namespace
}  // namespace kora::test
