// TbsSkinEditHost: the inner edit's layout, repaints, font and colours.

#include "skin/controls/bsSkinCtrls_EditHost.h"

#include "framework/core/ClassBuilder.h"

namespace kora {

TClass TbsSkinEditHost::StaticClass() {
  static const TClassInfo info(TClassBuilder<TbsSkinEditHost>("TbsSkinEditHost"));
  return &info;
}

TbsSkinEditHost::TbsSkinEditHost(TComponent* owner)
    : TbsSkinCustomControl(owner), FDefaultColor(SystemColor(COLOR_WINDOW)) {}

void TbsSkinEditHost::SetBounds(int left, int top, int width, int height) {
  TbsSkinCustomControl::SetBounds(left, top, width, height);
  LayoutControls();
}

void TbsSkinEditHost::Resize() {
  TbsSkinCustomControl::Resize();
  LayoutControls();
}

void TbsSkinEditHost::Invalidate() {
  TbsSkinCustomControl::Invalidate();
  // A transparent edit shows our picture, so it is stale too.
  if (FInnerEdit && RecordIndex() != -1) FInnerEdit->Invalidate();
}

void TbsSkinEditHost::SetFocus() {
  if (FInnerEdit->CanFocus())
    FInnerEdit->SetFocus();
  else
    TbsSkinCustomControl::SetFocus();
}

bool TbsSkinEditHost::InnerEditMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_SETFOCUS:
      TbsSkinCustomControl::WndProc(message);
      if (FInnerEdit->CanFocus()) FInnerEdit->SetFocus();
      return true;
    case WM_ERASEBKGND:
      // Asked for our picture from outside a paint (a container copying its
      // children): the control and then its edit into the same context.
      if (message.WParam && !InSystemPaint() && !ControlState().Contains(csPaintCopy)) {
        const HDC dc = HDC(uint64_t(message.WParam));
        PaintWindow(dc);
        const ScopedSaveDC saved(dc);
        OffsetViewportOrgEx(dc, FInnerEdit->Left(), FInnerEdit->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, FInnerEdit->Width(), FInnerEdit->Height());
        FInnerEdit->PaintWindow(dc);
      }
      message.Result = 1;
      return true;
    case CM_ENABLEDCHANGED:
      FInnerEdit->SetEnabled(Enabled());
      UpdateEditColor();
      Invalidate();
      return false;
    default: return false;
  }
}

void TbsSkinEditHost::ApplySkinChange() {
  TbsSkinCustomControl::ApplySkinChange();
  UpdateEditFont();
  const bool bound = RecordIndex() != -1;
  FInnerEdit->SetEditTransparent(bound);
  if (!bound) FInnerEdit->SetColor(FDefaultColor);
  LayoutControls();
  UpdateEditColor();
  Invalidate();
}

void TbsSkinEditHost::DefaultFontUpdated() {
  if (!FInnerEdit) return;
  if (RecordIndex() == -1 || !UseSkinFont()) {
    UpdateEditFont();
    UpdateEditColor();
    LayoutControls();
  }
}

void TbsSkinEditHost::UpdateEditFont() {
  TFont font;
  font.Assign(DefaultFont());
  if (RecordIndex() != -1) {
    if (UseSkinFont()) {
      font.SetName(FFontName);
      font.SetHeight(FFontHeight);
      font.SetStyle(FFontStyle);
    }
    font.SetColor(FFontColor);
  }
  font.SetCharset(SkinTextCharset(SkinData(), DefaultFont()));
  if (FMarked) font.SetStyle(font.Style() + TFontStyles{fsBold});
  FInnerEdit->SetFont(&font);
}

void TbsSkinEditHost::SetMarked(bool value) {
  if (value == FMarked) return;
  FMarked = value;
  if (!FInnerEdit) return;
  UpdateEditFont();
  UpdateEditColor();
  FInnerEdit->Invalidate();
}

void TbsSkinEditHost::UpdateEditColor() {
  const bool bound = RecordIndex() != -1;
  TColor color;
  if (Enabled())
    color = !bound ? DefaultFont()->Color() : Active() ? FActiveFontColor : FFontColor;
  else
    color = !bound ? SystemColor(COLOR_GRAYTEXT) : FDisabledFontColor;
  FInnerEdit->Font()->SetColor(color);
}

}  // namespace kora
