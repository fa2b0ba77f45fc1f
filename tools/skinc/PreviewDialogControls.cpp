// The controls only the dialogs place: check and radio boxes, the tab
// scroller and a scroll bar. Their records are bound the usual way; how
// they draw beyond that is ours, so they compose like the spin edit does.
#include "skinc/PreviewParts.h"

namespace kora::skinc {

void ComposeCheckRadio(const TbsSkinData& data, const char* recordName, bool checked, int look, const std::string& text,
                       TBitmap& target) {
  const auto* r = FindControlRecord<TbsDataSkinCheckRadioControl>(data, recordName);
  if (!r) return;
  TBitmap* picture = data.FindActivePicture(r->PictureIndex);
  const int W = WidthOf(r->SkinRect);
  StripImage(target, picture, r->SkinRect, r->LeftTopPoint.X, W - r->RightTopPoint.X, W, r->StretchEffect);
  RECT box = checked ? r->CheckImageRect : r->UnCheckImageRect;
  TColor color = r->FontColor;
  if (look == 1) {
    box = checked ? r->ActiveCheckImageRect : r->ActiveUnCheckImageRect;
    color = r->ActiveFontColor;
  } else if (look == 3) {
    box = checked ? r->UnEnabledCheckImageRect : r->UnEnabledUnCheckImageRect;
    color = r->UnEnabledFontColor;
  }
  TCanvas* canvas = target.Canvas();
  const RECT& area = r->CheckImageArea;
  CopyPiece(canvas, area.Left + (WidthOf(area) - WidthOf(box)) / 2, area.Top + (HeightOf(area) - HeightOf(box)) / 2,
            picture, box);
  SetFont(canvas, r->FontName, r->FontHeight, r->FontStyle, color, r->FontCharset);
  const SIZE size = MeasureText(canvas, text);
  DrawTextAt(canvas, r->TextArea.Left, r->TextArea.Top + HeightOf(r->TextArea) / 2 - size.cy / 2, text);
}

void ComposeUpDown(const TbsSkinData& data, const char* recordName, int hotButton, bool pressed, TBitmap& target) {
  const auto* r = FindControlRecord<TbsDataSkinUpDownControl>(data, recordName);
  if (!r) return;
  TBitmap* picture = data.FindActivePicture(r->PictureIndex);
  target.SetSize(WidthOf(r->SkinRect), HeightOf(r->SkinRect));
  CopyPiece(target.Canvas(), 0, 0, picture, r->SkinRect);
  // 0 the up (right) button, 1 the down (left) one.
  const RECT& at = hotButton == 0 ? r->UpButtonRect : r->DownButtonRect;
  const RECT piece = hotButton == 0 ? (pressed ? r->DownUpButtonRect : r->ActiveUpButtonRect)
                                    : (pressed ? r->DownDownButtonRect : r->ActiveDownButtonRect);
  if (hotButton >= 0) CopyPiece(target.Canvas(), at.Left, at.Top, picture, piece);
}

void ComposeScrollBar(const TbsSkinData& data, const char* recordName, int W, int thumbAt, bool hotThumb,
                      TBitmap& target) {
  const auto* r = FindControlRecord<TbsDataSkinScrollBarControl>(data, recordName);
  if (!r) return;
  TBitmap* picture = data.FindActivePicture(r->PictureIndex);
  const int dW = W - WidthOf(r->SkinRect);
  StripImage(target, picture, r->SkinRect, r->LeftTopPoint.X, WidthOf(r->SkinRect) - r->RightTopPoint.X, W,
             r->StretchEffect);
  const RECT track{r->TrackArea.Left, r->TrackArea.Top, r->TrackArea.Right + dW, r->TrackArea.Bottom};
  const RECT& thumb = hotThumb ? r->ActiveThumbRect : r->ThumbRect;
  CopyPiece(target.Canvas(), track.Left + thumbAt, track.Top, picture, thumb);
}

}  // namespace kora::skinc
