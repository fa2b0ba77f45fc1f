// TbsCustomEdit and TbsSkinNumEdit: the borderless inner edits of the
// skinned controls and the numeric keystroke filter.

#include "skin/controls/bsSkinCtrls_Edit.h"

#include "framework/core/ClassBuilder.h"
#include "platform/text/Utf8.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsUtils.h"

namespace kora {

int FontCellHeight(const TFont* font) {
  TBitmap measure;
  measure.SetSize(1, 1);
  measure.Canvas()->SetFont(font);
  return measure.Canvas()->TextHeight("Wg");
}

bool DrawResizableSkinButton(TbsSkinData* skin, TCanvas* canvas, const RECT& rect, bool hot, bool pressed,
                             int arrowDirection) {
  if (!skin || skin->Empty()) return false;
  int index = skin->FindControlRecord("editbutton");
  if (index < 0) index = skin->FindControlRecord("resizebutton");
  if (index < 0) return false;
  const auto* record = dynamic_cast<const TbsDataSkinButtonControl*>(skin->ControlRecord(index));
  TBitmap* picture = record ? skin->FindActivePicture(record->PictureIndex) : nullptr;
  if (!picture) return false;
  const int w = WidthOf(rect), h = HeightOf(rect);
  if (w <= 0 || h <= 0) return true;
  RECT source = record->SkinRect;
  TColor color = record->FontColor;
  if (pressed && !IsEmptyRect(record->DownSkinRect)) {
    source = record->DownSkinRect;
    color = record->DownFontColor;
  } else if ((hot || pressed) && !IsEmptyRect(record->ActiveSkinRect)) {
    source = record->ActiveSkinRect;
    color = record->ActiveFontColor;
  }
  const TbsSkinGeometry geometry{record->LeftTopPoint, record->RightTopPoint, record->LeftBottomPoint,
                                 record->RightBottomPoint, record->ClientRect};
  const TbsStretchFlags stretch{record->LeftStretch, record->TopStretch, record->RightStretch, record->BottomStretch,
                                record->StretchEffect};
  TBitmap face;
  ComposeNinePart(geometry, geometry.Moved(source, w, h), &face, picture, source, {w, h}, true, stretch);
  const int shift = pressed ? 2 : 0;
  DrawArrow(face.Canvas(), {shift, shift, w + shift, h + shift}, color, arrowDirection);
  canvas->Draw(rect.Left, rect.Top, &face);
  return true;
}

void DrawDefaultEditButton(TCanvas* canvas, const RECT& rect, bool hot, bool pressed, bool framedAtRest,
                           int arrowDirection, bool enabled) {
  if (IsEmptyRect(rect)) return;
  canvas->Brush()->SetStyle(bsSolid);
  if (hot) {
    canvas->Brush()->SetColor(pressed ? RGB(133, 147, 181) : RGB(182, 189, 210));
    canvas->FillRect(rect);
    canvas->Brush()->SetColor(RGB(0, 0, 128));
    canvas->FrameRect(rect);
  } else {
    canvas->Brush()->SetColor(SystemColor(COLOR_BTNFACE));
    canvas->FillRect(rect);
    if (framedAtRest) {
      canvas->Brush()->SetColor(SystemColor(COLOR_BTNSHADOW));
      canvas->FrameRect(rect);
    }
  }
  DrawArrow(canvas, rect, enabled ? clBlack : SystemColor(COLOR_BTNSHADOW), arrowDirection);
}

// ---- TbsCustomEdit ---------------------------------------------------------------

TClass TbsCustomEdit::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsCustomEdit>("TbsCustomEdit")
          .Property("EditTransparent", &TbsCustomEdit::EditTransparent, &TbsCustomEdit::SetEditTransparent)
          .Default(false)
          .Property("OnMouseEnter", &TbsCustomEdit::OnMouseEnter)
          .Property("OnMouseLeave", &TbsCustomEdit::OnMouseLeave));
  return &info;
}

TbsCustomEdit::TbsCustomEdit(TComponent* owner) : TCustomEdit(owner) {
  SetBorderStyle(bsNone);
  // One line exactly as high as the font: no room above or below the text.
  SetTextMargins({1, 0, 1, 0});
  SetParentFont(false);
  SetParentColor(false);
}

void TbsCustomEdit::WndProc(TMessage& message) {
  TCustomEdit::WndProc(message);
  if (message.Msg == CM_MOUSEENTER) OnMouseEnter(this);
  if (message.Msg == CM_MOUSELEAVE) OnMouseLeave(this);
}

// ---- TbsSkinNumEdit ----------------------------------------------------------------

TClass TbsSkinNumEdit::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsSkinNumEdit>("TbsSkinNumEdit")
          .Property("EditorEnabled", &TbsSkinNumEdit::EditorEnabled, &TbsSkinNumEdit::SetEditorEnabled)
          .Default(true));
  return &info;
}

TbsSkinNumEdit::TbsSkinNumEdit(TComponent* owner) : TbsCustomEdit(owner) {}

bool TbsSkinNumEdit::IsValidChar(char32_t key) const {
  if (!FEditorEnabled && (key == 8 || (key >= 32 && key <= 255))) return false;
  if (key >= U'0' && key <= U'9') return true;
  // A sign or separator is judged by the text as it will be: typed over a
  // selection that holds the old one ("-5" selected, "-" typed), it replaces it.
  if (key == U'-' || (FFloat && key == U'.')) {
    std::u32string kept = Utf8ToUtf32(Text());
    kept.erase(size_t(SelStart()), size_t(SelLength()));
    return kept.find(key) == std::u32string::npos;
  }
  return key < 32 && key != 13;
}

void TbsSkinNumEdit::KeyDown(WORD& key, TShiftState shift) {
  switch (key) {
    case VK_UP:
      if (OnIncrement) OnIncrement();
      key = 0;
      return;
    case VK_DOWN:
      if (OnDecrement) OnDecrement();
      key = 0;
      return;
    case VK_RETURN: FEnterReachedEdit = true; break;
    default: break;
  }
  TbsCustomEdit::KeyDown(key, shift);
}

void TbsSkinNumEdit::KeyPress(char32_t& key) {
  if (key == 13 && !FEnterReachedEdit) {
    // A default button took the Enter already; only the character is left.
    key = 0;
    return;
  }
  if (!IsValidChar(key)) {
    key = 0;
    MessageBeep(0);
    return;
  }
  TbsCustomEdit::KeyPress(key);
}

void TbsSkinNumEdit::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_KEYDOWN:
      if (message.WParam == VK_RETURN) FEnterReachedEdit = false;
      break;
    case WM_MOUSEWHEEL: {
      // Toward the user adds, away subtracts.
      const int delta = GET_WHEEL_DELTA_WPARAM(message.WParam);
      if (delta <= 0) {
        if (OnIncrement) OnIncrement();
      } else if (OnDecrement) {
        OnDecrement();
      }
      message.Result = 0;
      return;
    }
    default: break;
  }
  TbsCustomEdit::WndProc(message);
}

}  // namespace kora
