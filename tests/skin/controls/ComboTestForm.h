#pragma once
// A form with the main window's two drawn combo boxes, read from a form
// description: the character list with 128 x 128 portraits in 130-pixel
// rows (two in the drop-down, drawn by the form's handler for the list and
// the closed box alike) and the item list with 16 x 16 icons from an image
// list in 20-pixel rows.

#include <string>

#include "framework/core/ClassBuilder.h"
#include "framework/core/FormText.h"
#include "framework/forms/Forms.h"
#include "framework/graphics/ImgList.h"
#include "skin/controls/bsSkinBoxCtrls.h"
#include "skin/controls/bsSkinCtrls.h"

namespace kora::test {

class TComboTestForm : public TForm {
  KORA_CLASS(TComboTestForm, TForm)
  using TForm::TForm;

  // As the editor's handler draws a character: the portrait 5 pixels above
  // the text rectangle, the name 5 pixels in from its corner.
  void bsSkinComboBox3ListBoxDrawItem(TCanvas* canvas, int index, int, int, RECT text, TOwnerDrawState) {
    ++Draws;
    canvas->Draw(text.Left, text.Top - 5, &Faces[index % 3]);
    canvas->Font()->SetColor(RGB(160, 0, 0));
    canvas->TextOut(text.Left + 5, text.Top + 5, Portraits()->Items()->Strings(index));
  }

  TbsSkinComboBox* Portraits() const { return static_cast<TbsSkinComboBox*>(FindComponent("bsSkinComboBox3")); }
  TbsSkinComboBox* Icons() const { return static_cast<TbsSkinComboBox*>(FindComponent("bsSkinComboBox2")); }

  // Reads the description, fills the lists and draws the pictures.
  void Load() {
    RegisterFrameworkClasses();
    RegisterSkinControlClasses();
    RegisterClass(StaticClass());
    ReadComponentText(
        "object ComboTestForm: TComboTestForm\n"
        "  Left = 560\n  Top = 20\n  Width = 420\n  Height = 300\n  BorderStyle = bsNone\n"
        "  object ImageList1: TImageList\n  end\n"
        "  object bsSkinComboBox3: TbsSkinComboBox\n"
        "    Left = 8\n    Top = 8\n    Width = 153\n    Height = 129\n"
        "    SkinDataName = 'combobox'\n    UseSkinSize = False\n"
        "    Font.Height = -14\n    Font.Style = [fsBold]\n"
        "    DropDownCount = 2\n    ListBoxDefaultItemHeight = 130\n    ListBoxUseSkinItemHeight = False\n"
        "    OnListBoxDrawItem = bsSkinComboBox3ListBoxDrawItem\n"
        "    OnComboBoxDrawItem = bsSkinComboBox3ListBoxDrawItem\n"
        "  end\n"
        "  object bsSkinComboBox2: TbsSkinComboBox\n"
        "    Left = 200\n    Top = 8\n    Width = 185\n    Height = 25\n"
        "    SkinDataName = 'combobox'\n    Images = ImageList1\n"
        "    ListBoxDefaultItemHeight = 20\n    ListBoxUseSkinItemHeight = False\n"
        "  end\n"
        "end\n",
        this);
    for (const char* name : {"艾瑞克", "赛丽娅", "罗德"}) Portraits()->Items()->Add(name);
    for (int i = 0; i < 3; ++i) DrawPortrait(Faces[i], i);
    TBitmap strip;
    strip.SetSize(64, 16);
    for (int i = 0; i < 4; ++i) {
      strip.Canvas()->Brush()->SetColor(RGB(200 - i * 40, 60 + i * 40, 40 + i * 50));
      strip.Canvas()->FillRect({i * 16, 0, i * 16 + 16, 16});
      strip.Canvas()->Brush()->SetColor(clWhite);
      strip.Canvas()->FillRect({i * 16 + 5, 5, i * 16 + 11, 11});
    }
    static_cast<TImageList*>(FindComponent("ImageList1"))->Add(&strip, nullptr);
    for (const char* name : {"铁剑", "钢枪", "银斧", "火焰魔导书"}) Icons()->Items()->Add(name);
  }

  TBitmap Faces[3];
  int Draws = 0;

private:
  // A stand-in portrait: a face of rings on white.
  static void DrawPortrait(TBitmap& b, int seed) {
    b.SetSize(128, 128);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect({0, 0, 128, 128});
    c->Pen()->SetColor(RGB(60, 40, 20));
    c->Brush()->SetColor(RGB(240, 200, 160 - seed * 30));
    c->Ellipse(24, 16, 104, 112);
    c->Brush()->SetColor(RGB(40 + seed * 60, 60, 160));
    c->Ellipse(44, 48, 56, 60);
    c->Ellipse(72, 48, 84, 60);
    c->MoveTo(48, 88);
    c->LineTo(80, 88);
  }
};

inline TClass TComboTestForm::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TComboTestForm>("TComboTestForm")
          .Method("bsSkinComboBox3ListBoxDrawItem", &TComboTestForm::bsSkinComboBox3ListBoxDrawItem));
  return &info;
}

}  // namespace kora::test
