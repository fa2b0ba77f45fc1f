// Buttons, spin edits, combo boxes and their drop-down list, composed as
// the skinned controls compose them from their control records.
#include <algorithm>

#include "skinc/PreviewParts.h"

namespace kora::skinc {

namespace {

constexpr int kButtonSpacing = 1;   // a button's gap between glyph and text
constexpr int kItemTextIndent = 2;  // list items draw their text this far into the text rectangle

// Nine-part composition of a stretchable record to W x H, client drawn.
void NinePart(const TbsDataSkinCustomControl& r, TBitmap* picture, const RECT& source, int W, int H, TBitmap& target,
              RECT& fitInner) {
  const TbsSkinGeometry geo{r.LeftTopPoint, r.RightTopPoint, r.LeftBottomPoint, r.RightBottomPoint, r.ClientRect};
  const TbsSkinGeometry g = geo.Moved(r.SkinRect, W, H);
  fitInner = g.C;
  ComposeNinePart(geo, g, &target, picture, source, {W, H}, true,
                  {r.LeftStretch, r.TopStretch, r.RightStretch, r.BottomStretch, r.StretchEffect});
}

// The horizontal strip of a record stretchable only sideways.
void SideStrip(const TbsDataSkinCustomControl& r, TBitmap* picture, const RECT& source, int W, TBitmap& target) {
  StripImage(target, picture, source, r.LeftTopPoint.X, WidthOf(r.SkinRect) - r.RightTopPoint.X, W, r.StretchEffect);
}

}  // namespace

void ComposeButton(const TbsSkinData& data, const char* recordName, int W, int H, int look, const std::string& caption,
                   TBitmap& target) {
  const auto* r = FindControlRecord<TbsDataSkinButtonControl>(data, recordName);
  if (!r) return;
  TBitmap* picture = data.FindActivePicture(r->PictureIndex);
  const RECT hot = IsEmptyRect(r->ActiveSkinRect) ? r->SkinRect : r->ActiveSkinRect;
  const RECT down = IsEmptyRect(r->DownSkinRect) ? hot : r->DownSkinRect;
  RECT source = r->SkinRect;
  bool active = false, pressed = false;
  if (look == 3 && !IsEmptyRect(r->DisabledSkinRect))
    source = r->DisabledSkinRect;
  else if (look == 2)
    source = down, active = pressed = true;
  else if (look == 1)
    source = hot, active = true;

  RECT textArea;
  NinePart(*r, picture, source, W, H, target, textArea);
  TCanvas* canvas = target.Canvas();
  const TColor color = look == 3 ? r->DisabledFontColor
                       : pressed ? r->DownFontColor
                       : active  ? r->ActiveFontColor
                                 : r->FontColor;
  SetFont(canvas, r->FontName, r->FontHeight, r->FontStyle, color, r->FontCharset);
  // The glyph-and-text block centred (no glyph, spacing 1), the text
  // centred in a box 2 wider than itself, one pixel down-right while pressed.
  const SIZE size = MeasureText(canvas, caption);
  const int cx = textArea.Left + WidthOf(textArea) / 2, cy = textArea.Top + HeightOf(textArea) / 2;
  const int half = (size.cx + kButtonSpacing) / 2;
  const int shift = pressed ? 1 : 0;
  DrawTextAt(canvas, cx + half - size.cx + 1 + shift, cy - size.cy / 2 + shift, caption);
}

void ComposeSpinEdit(const TbsSkinData& data, int W, bool hot, int pressed, const std::string& text, TBitmap& target) {
  const auto* r = FindControlRecord<TbsDataSkinSpinEditControl>(data, "spinedit");
  if (!r) return;
  TBitmap* picture = data.FindActivePicture(r->PictureIndex);
  SideStrip(*r, picture, hot && !IsEmptyRect(r->ActiveSkinRect) ? r->ActiveSkinRect : r->SkinRect, W, target);
  const int dW = W - WidthOf(r->SkinRect);
  auto place = [&](RECT b) {
    if (b.Left > r->RightTopPoint.X) b.Offset(dW, 0);
    return b;
  };
  const RECT up = place(r->UpButtonRect), down = place(r->DownButtonRect);
  TCanvas* canvas = target.Canvas();
  if (hot) {
    const RECT upPressed = IsEmptyRect(r->DownUpButtonRect) ? r->ActiveUpButtonRect : r->DownUpButtonRect;
    const RECT downPressed = IsEmptyRect(r->DownDownButtonRect) ? r->ActiveDownButtonRect : r->DownDownButtonRect;
    CopyPiece(canvas, up.Left, up.Top, picture, pressed == 1 ? upPressed : r->ActiveUpButtonRect);
    CopyPiece(canvas, down.Left, down.Top, picture, pressed == 2 ? downPressed : r->ActiveDownButtonRect);
  }
  // The inner edit: the text area's left, one font cell high, centred.
  const RECT area{r->ClientRect.Left, r->ClientRect.Top, r->ClientRect.Right + dW, r->ClientRect.Bottom};
  SetFont(canvas, r->FontName, r->FontHeight, r->FontStyle, hot ? r->ActiveFontColor : r->FontColor, r->FontCharset);
  const SIZE size = MeasureText(canvas, text.empty() ? " " : text);
  DrawTextAt(canvas, area.Left + 1, area.Top + HeightOf(area) / 2 - size.cy / 2, text);
}

void ComposeComboBox(const TbsSkinData& data, int W, int look, const std::string& text, TBitmap& target) {
  const auto* r = FindControlRecord<TbsDataSkinComboBox>(data, "combobox");
  if (!r) return;
  TBitmap* picture = data.FindActivePicture(r->PictureIndex);
  const bool hot = look == 1 || look == 2, focused = look == 3;
  SideStrip(*r, picture, (hot || focused) && !IsEmptyRect(r->ActiveSkinRect) ? r->ActiveSkinRect : r->SkinRect, W,
            target);
  const int dW = W - WidthOf(r->SkinRect);
  RECT button = r->ButtonRect;
  if (button.Left >= WidthOf(r->SkinRect) - r->RightTopPoint.X) button.Offset(dW, 0);
  const RECT itemArea{r->ClientRect.Left, r->ClientRect.Top, r->ClientRect.Right + dW, r->ClientRect.Bottom};
  TCanvas* canvas = target.Canvas();
  if (look == 2)
    CopyPiece(canvas, button.Left, button.Top, picture, r->DownButtonRect);
  else if (hot)
    CopyPiece(canvas, button.Left, button.Top, picture, r->ActiveButtonRect);

  // The shown item: a strip as wide as the item area, as tall as itemrect.
  const RECT focusItem = IsEmptyRect(r->FocusItemRect) ? r->ItemRect : r->FocusItemRect;
  const RECT source = focused ? focusItem : hot && !IsEmptyRect(r->ActiveItemRect) ? r->ActiveItemRect : r->ItemRect;
  const int itemW = WidthOf(itemArea);
  TBitmap item;
  StripImage(item, picture, source, r->ItemLeftOffset, r->ItemRightOffset, itemW,
             focused ? r->FocusItemStretchEffect : r->ItemStretchEffect);
  RECT t = r->ItemTextRect;
  t.Right += itemW - WidthOf(r->ItemRect);
  TCanvas* c = item.Canvas();
  SetFont(c, r->FontName, r->FontHeight, r->FontStyle,
          focused ? r->FocusFontColor
          : hot   ? r->ActiveFontColor
                  : r->FontColor,
          r->FontCharset);
  const SIZE size = MeasureText(c, text);
  DrawTextAt(c, t.Left + kItemTextIndent, t.Top + HeightOf(t) / 2 - size.cy / 2, text);
  Paste(canvas, itemArea.Left, itemArea.Top, item);
}

void ComposeDropDownList(const TbsSkinData& data, int W, const std::vector<std::string>& rows, int selected,
                         TBitmap& target) {
  const auto* combo = FindControlRecord<TbsDataSkinComboBox>(data, "combobox");
  if (!combo) return;
  const auto* r = FindControlRecord<TbsDataSkinListBox>(data, combo->ListBoxName.c_str());
  if (!r) return;
  TBitmap* picture = data.FindActivePicture(r->PictureIndex);
  const int rowH = HeightOf(r->ItemRect);
  const int H = int(rows.size()) * rowH + HeightOf(r->SkinRect) - HeightOf(r->ClientRect);
  RECT inner;
  NinePart(*r, picture, r->SkinRect, W, H, target, inner);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const bool isSelected = int(i) == selected;
    const int rowW = WidthOf(inner);
    TBitmap row;
    StripImage(row, picture, isSelected ? r->FocusItemRect : r->ItemRect, r->ItemLeftOffset, r->ItemRightOffset, rowW,
               true);
    RECT t = r->ItemTextRect;
    t.Right += rowW - WidthOf(r->ItemRect);
    TCanvas* c = row.Canvas();
    SetFont(c, r->FontName, r->FontHeight, r->FontStyle, isSelected ? r->FocusFontColor : r->FontColor, r->FontCharset);
    const SIZE size = MeasureText(c, rows[i]);
    DrawTextAt(c, t.Left + kItemTextIndent, t.Top + HeightOf(t) / 2 - size.cy / 2, rows[i]);
    Paste(target.Canvas(), inner.Left, inner.Top + int(i) * rowH, row);
  }
}

}  // namespace kora::skinc
