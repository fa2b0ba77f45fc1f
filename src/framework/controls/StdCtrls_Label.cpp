// TCustomLabel: a windowless caption with auto-size, alignment, layout,
// word wrap and an accelerator.

#include <algorithm>
#include <cwctype>

#include "framework/controls/StdCtrls.h"
#include "framework/core/ClassBuilder.h"
#include "platform/text/Text.h"
#include "platform/text/TextFlags.h"
#include "platform/text/Utf8.h"

namespace kora {

const TTypeInfo* TypeInfoOf(TTextLayout) {
  static const TTypeInfo info = EnumTypeInfo("TTextLayout", {"tlTop", "tlCenter", "tlBottom"});
  return &info;
}

TClass TCustomLabel::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TCustomLabel>("TCustomLabel")
          .Property("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment)
          .Default(taLeftJustify)
          .Property("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize)
          .Default(true)
          .Property("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl)
          .Property("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout)
          .Default(tlTop)
          .Property("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar)
          .Default(true)
          .Property("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent)
          .Default(false)
          .Property("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap)
          .Default(false));
  return &info;
}

TClass TLabel::StaticClass() {
  static const TClassInfo info(TClassBuilder<TLabel>("TLabel"));
  return &info;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAutoSize(bool value) {
  if (value == FAutoSize) return;
  FAutoSize = value;
  AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
  if (value == FLayout) return;
  FLayout = value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
  if (value == FWordWrap) return;
  FWordWrap = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
  if (value == FShowAccelChar) return;
  FShowAccelChar = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  const TControlStyle style = ControlStyle();
  SetControlStyle(value ? style - TControlStyle{csOpaque} : style + TControlStyle{csOpaque});
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* value) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = value;
  if (value) value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == FFocusControl) FFocusControl = nullptr;
}

uint32_t TCustomLabel::TextFlags() const {
  uint32_t flags = DT_EXPANDTABS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  return flags;
}

void TCustomLabel::DoDrawText(TCanvas* canvas, RECT& rect, uint32_t flags) {
  // An empty caption still has the height of a line.
  const std::string_view text = (flags & DT_CALCRECT) && Caption().empty() ? std::string_view(" ") : Caption();
  canvas->SetFont(Font());
  const HDC dc = canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  if (!Enabled()) {
    // The classic engraved look: highlight offset by one, shadow on top.
    RECT shifted{rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1};
    SetTextColor(dc, ColorToColorRef(SystemColor(COLOR_BTNHIGHLIGHT)));
    DrawText(dc, text, &shifted, flags);
    SetTextColor(dc, ColorToColorRef(SystemColor(COLOR_GRAYTEXT)));
  } else {
    SetTextColor(dc, ColorToColorRef(Font()->Color()));
  }
  DrawText(dc, text, &rect, flags);
}

void TCustomLabel::Paint() {
  TCanvas* canvas = Canvas();
  const RECT client = ClientRect();
  if (!FTransparent) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(client);
  }
  canvas->Brush()->SetStyle(bsClear);
  RECT rect = client;
  uint32_t flags = TextFlags();
  if (FAlignment == taRightJustify) flags |= DT_RIGHT;
  if (FAlignment == taCenter) flags |= DT_CENTER;
  if (FLayout != tlTop) {
    RECT measured = rect;
    DoDrawText(canvas, measured, flags | DT_CALCRECT);
    const int h = measured.Bottom - measured.Top;
    rect.Top = FLayout == tlBottom ? client.Bottom - h : client.Top + (client.Bottom - client.Top - h) / 2;
  }
  DoDrawText(canvas, rect, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || ComponentState().Contains(csLoading)) return;
  TCanvas measure;
  const HDC dc = GetDC(HWND());
  measure.SetHandle(dc);
  RECT rect{0, 0, FWordWrap ? Width() : 0, 0};
  DoDrawText(&measure, rect, TextFlags() | DT_CALCRECT);
  measure.SetHandle(HDC());
  ReleaseDC(HWND(), dc);
  int left = Left();
  const int width = rect.Right - rect.Left;
  // The aligned edge stays where it is.
  if (FAlignment == taRightJustify) left += Width() - width;
  if (FAlignment == taCenter) left += (Width() - width) / 2;
  SetBounds(left, Top(), width, rect.Bottom - rect.Top);
}

void TCustomLabel::TextChanged() {
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::FontChanged() {
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::WndProc(TMessage& message) {
  if (message.Msg == CM_DIALOGCHAR && FShowAccelChar && Enabled() && Visible() && FFocusControl) {
    // The character after a single "&" ("&&" is a literal ampersand).
    const std::u32string text = Utf8ToUtf32(Caption());
    for (size_t i = 0; i + 1 < text.size(); ++i) {
      if (text[i] != U'&') continue;
      if (text[i + 1] == U'&') {
        ++i;
        continue;
      }
      const auto upper = [](char32_t c) { return char32_t(std::towupper(wint_t(c))); };
      if (upper(text[i + 1]) == upper(char32_t(message.WParam)) && FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        message.Result = 1;
        return;
      }
      break;
    }
  }
  TGraphicControl::WndProc(message);
}

}  // namespace kora
