// TCustomEdit: editing, selection, clipboard and undo of one line of text.

#include <algorithm>

#include "framework/controls/StdCtrls.h"
#include "framework/core/ClassBuilder.h"
#include "platform/text/Utf8.h"

namespace kora {

namespace {

bool IsWordChar(char32_t c) { return c != U' ' && c != U'\t'; }

// Marks the text change as the edit's own for its duration.
class TEditScope {
public:
  explicit TEditScope(bool& flag) : FFlag(flag) { FFlag = true; }
  ~TEditScope() { FFlag = false; }
  TEditScope(const TEditScope&) = delete;
  TEditScope& operator=(const TEditScope&) = delete;

private:
  bool& FFlag;
};

}  // namespace

TClass TCustomEdit::StaticClass() {
  static const TClassInfo info(TClassBuilder<TCustomEdit>("TCustomEdit")
                                   .Property("Text", &TCustomEdit::Text, &TCustomEdit::SetText)
                                   .Property("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength)
                                   .Default(0)
                                   .Property("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly)
                                   .Default(false)
                                   .Property("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle)
                                   .Default(bsSingle)
                                   .Property("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect)
                                   .Default(true)
                                   .Property("OnChange", &TCustomEdit::OnChange)
                                   .Redeclare("TabStop")
                                   .Default(true)
                                   .Redeclare("Cursor")
                                   .Default(crIBeam)
                                   .Redeclare("ParentColor")
                                   .Default(false));
  return &info;
}

TClass TEdit::StaticClass() {
  static const TClassInfo info(TClassBuilder<TEdit>("TEdit"));
  return &info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
  SetBounds(0, 0, 121, 21);
  SetColor(SystemColor(COLOR_WINDOW));
  SetTabStop(true);
  SetCursor(crIBeam);
}

std::u32string TCustomEdit::Chars() const { return Utf8ToUtf32(Text()); }
int TCustomEdit::CharCount() const { return int(Chars().size()); }

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  Invalidate();
}

void TCustomEdit::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  TControlStyle style = ControlStyle();
  SetControlStyle(value ? style - TControlStyle{csOpaque} : style + TControlStyle{csOpaque});
  RecreateWnd();
  Invalidate();
}

// ---- Selection ---------------------------------------------------------------------

void TCustomEdit::MoveCaret(int pos, bool extend) {
  pos = std::clamp(pos, 0, CharCount());
  const int anchor = FCaret == FSelStart ? FSelStart + FSelLength : FSelStart;
  if (extend) {
    FSelStart = std::min(anchor, pos);
    FSelLength = std::abs(pos - anchor);
  } else {
    FSelStart = pos;
    FSelLength = 0;
  }
  FCaret = pos;
  ScrollToCaret();
  Invalidate();
}

void TCustomEdit::SetSelStart(int value) { MoveCaret(value, false); }

void TCustomEdit::SelectAll() {
  FSelStart = 0;
  FSelLength = CharCount();
  FCaret = FSelLength;
  ScrollToCaret();
  Invalidate();
}

std::string TCustomEdit::SelText() const { return Utf32ToUtf8(Chars().substr(size_t(FSelStart), size_t(FSelLength))); }

void TCustomEdit::ReplaceSelection(const std::u32string& with) {
  std::u32string chars = Chars();
  FUndoText = Text();
  FUndoCaret = FCaret;
  FCanUndo = true;
  chars.replace(size_t(FSelStart), size_t(FSelLength), with);
  FSelStart += int(with.size());
  FSelLength = 0;
  FCaret = FSelStart;
  FModified = true;
  {
    TEditScope scope(FInEdit);
    SetText(Utf32ToUtf8(chars));
  }
  ScrollToCaret();
  Invalidate();
}

void TCustomEdit::ClearSelection() {
  if (!FReadOnly && FSelLength > 0) ReplaceSelection({});
}

void TCustomEdit::CopyToClipboard() {
  if (FSelLength > 0) SetClipboardText(SelText());
}

void TCustomEdit::CutToClipboard() {
  if (FReadOnly) return;
  CopyToClipboard();
  ClearSelection();
}

void TCustomEdit::PasteFromClipboard() {
  if (FReadOnly) return;
  std::u32string text = Utf8ToUtf32(GetClipboardText());
  // One line: the text stops at the first line break.
  text = text.substr(0, text.find_first_of(U"\r\n"));
  if (FMaxLength > 0) {
    const int room = std::max(FMaxLength - (CharCount() - FSelLength), 0);
    if (int(text.size()) > room) text.resize(size_t(room));
  }
  if (!text.empty() || FSelLength > 0) ReplaceSelection(text);
}

void TCustomEdit::Undo() {
  if (!FCanUndo || FReadOnly) return;
  const std::string redo = Text();
  const int redoCaret = FCaret;
  {
    TEditScope scope(FInEdit);
    SetText(FUndoText);
  }
  FUndoText = redo;
  FSelStart = FCaret = std::min(FUndoCaret, CharCount());
  FSelLength = 0;
  FUndoCaret = redoCaret;
  FModified = true;
  ScrollToCaret();
  Invalidate();
}

void TCustomEdit::TextChanged() {
  if (!FInEdit) {
    // Text from the program: caret to the start, nothing to undo.
    FSelStart = FSelLength = FCaret = 0;
    FScroll = 0;
    FCanUndo = false;
  }
  Invalidate();
  Change();
}

void TCustomEdit::Change() { OnChange(this); }

// ---- Keyboard and mouse -----------------------------------------------------------

void TCustomEdit::KeyDown(WORD& key, TShiftState shift) {
  const bool extend = shift.Contains(ssShift);
  switch (key) {
    case VK_LEFT:
      if (!extend && FSelLength > 0)
        MoveCaret(FSelStart, false);
      else
        MoveCaret(FCaret - 1, extend);
      break;
    case VK_RIGHT:
      if (!extend && FSelLength > 0)
        MoveCaret(FSelStart + FSelLength, false);
      else
        MoveCaret(FCaret + 1, extend);
      break;
    case VK_HOME: MoveCaret(0, extend); break;
    case VK_END: MoveCaret(CharCount(), extend); break;
    case VK_DELETE:
      if (extend) {
        CutToClipboard();
      } else if (!FReadOnly) {
        if (FSelLength == 0 && FCaret < CharCount()) FSelLength = 1;
        ClearSelection();
      }
      break;
    case VK_INSERT:
      if (shift.Contains(ssCtrl))
        CopyToClipboard();
      else if (extend)
        PasteFromClipboard();
      break;
    default: return;
  }
  key = 0;
}

void TCustomEdit::KeyPress(char32_t& key) {
  switch (key) {
    case 1: SelectAll(); return;            // Ctrl+A
    case 3: CopyToClipboard(); return;      // Ctrl+C
    case 22: PasteFromClipboard(); return;  // Ctrl+V
    case 24: CutToClipboard(); return;      // Ctrl+X
    case 26: Undo(); return;                // Ctrl+Z
    case 8:                                 // Backspace
      if (FReadOnly) return;
      if (FSelLength == 0 && FCaret > 0) {
        FSelStart = FCaret - 1;
        FSelLength = 1;
      }
      ClearSelection();
      return;
    default: break;
  }
  if (key < 0x20 || key == 0x7F || FReadOnly) return;
  if (FMaxLength > 0 && CharCount() - FSelLength >= FMaxLength) {
    MessageBeep(0);
    return;
  }
  ReplaceSelection(std::u32string(1, key));
}

void TCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && !shift.Contains(ssDouble)) MoveCaret(PosFromX(x), shift.Contains(ssShift));
  TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomEdit::MouseMove(TShiftState shift, int x, int y) {
  if (shift.Contains(ssLeft) && MouseCapture()) MoveCaret(PosFromX(x), true);
  TCustomControl::MouseMove(shift, x, y);
}

void TCustomEdit::DblClick() {
  // Selects the word under the caret.
  const std::u32string chars = Chars();
  int start = FCaret, end = FCaret;
  while (start > 0 && IsWordChar(chars[size_t(start - 1)])) --start;
  while (end < int(chars.size()) && IsWordChar(chars[size_t(end)])) ++end;
  FSelStart = start;
  FSelLength = end - start;
  FCaret = end;
  Invalidate();
  TCustomControl::DblClick();
}

void TCustomEdit::WndProc(TMessage& message) {
  TCustomControl::WndProc(message);
  switch (message.Msg) {
    case WM_SETFOCUS:
      if (FAutoSelect && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
      Invalidate();
      break;
    case WM_KILLFOCUS: Invalidate(); break;
    case WM_SIZE: ScrollToCaret(); break;
    default: break;
  }
}

// ---- Geometry and painting ---------------------------------------------------------------

void TCustomEdit::SetTextMargins(const RECT& value) {
  if (value == FTextMargins) return;
  FTextMargins = value;
  ScrollToCaret();
  Invalidate();
}

RECT TCustomEdit::TextRect() const {
  const RECT r = ClientRect();
  const int border = FBorderStyle == bsSingle ? 2 : 0;
  const int left = r.Left + border + FTextMargins.Left, top = r.Top + border + FTextMargins.Top;
  return {left, top, std::max(r.Right - border - FTextMargins.Right, left),
          std::max(r.Bottom - border - FTextMargins.Bottom, top)};
}

TColor TCustomEdit::TextColor() const { return Enabled() ? Font()->Color() : SystemColor(COLOR_GRAYTEXT); }

void TCustomEdit::PaintBackground(TCanvas* canvas, const RECT& client) {
  if (FTransparent && Parent()) {
    // The parent's picture under this control stands in for the colour.
    PaintParentImage(this, canvas->Handle());
    return;
  }
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(Enabled() ? Color() : SystemColor(COLOR_BTNFACE));
  canvas->FillRect(client);
}

int TCustomEdit::XOfPos(int pos) {
  const std::u32string shown = Utf8ToUtf32(Text());
  pos = std::clamp(pos, 0, int(shown.size()));
  return Canvas()->TextExtent(Utf32ToUtf8(shown.substr(0, size_t(pos)))).cx;
}

int TCustomEdit::PosFromX(int x) {
  Canvas()->SetFont(Font());
  const int textX = x - TextRect().Left + FScroll;
  const int count = CharCount();
  // The character boundary nearest to the point.
  int best = 0, bestDistance = std::abs(textX);
  for (int i = 1; i <= count; ++i) {
    const int distance = std::abs(XOfPos(i) - textX);
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

void TCustomEdit::ScrollToCaret() {
  if (!HandleAllocated()) return;
  Canvas()->SetFont(Font());
  const RECT r = TextRect();
  const int width = r.Right - r.Left;
  const int caretX = XOfPos(FCaret);
  if (caretX - FScroll > width - 1) FScroll = caretX - width + 1;
  if (caretX < FScroll) FScroll = caretX;
  FScroll = std::max(FScroll, 0);
}

void TCustomEdit::Paint() {
  TCanvas* canvas = Canvas();
  const HDC dc = canvas->Handle();
  RECT client = ClientRect();
  PaintBackground(canvas, client);
  if (FBorderStyle == bsSingle) DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT);

  const RECT text = TextRect();
  canvas->SetFont(Font());
  const std::string shown = Text();
  const int height = canvas->TextExtent("Wg").cy;
  const int y = text.Top + std::max((text.Bottom - text.Top - height) / 2, 0);
  const int x = text.Left - FScroll;
  ScopedSaveDC saved(dc);
  IntersectClipRect(dc, text.Left, text.Top, text.Right, text.Bottom);
  canvas->Brush()->SetStyle(bsClear);
  canvas->Font()->SetColor(TextColor());
  canvas->TextOut(x, y, shown);
  if (FSelLength > 0 && Focused()) {
    const std::u32string chars = Utf8ToUtf32(shown);
    const int x1 = x + XOfPos(FSelStart);
    const int x2 = x + XOfPos(FSelStart + FSelLength);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(SystemColor(COLOR_HIGHLIGHT));
    canvas->Font()->SetColor(SystemColor(COLOR_HIGHLIGHTTEXT));
    canvas->TextRect({x1, y, x2, y + height}, x1, y, Utf32ToUtf8(chars.substr(size_t(FSelStart), size_t(FSelLength))));
  }
  if (Focused()) {
    const int cx = x + XOfPos(FCaret);
    canvas->Pen()->SetColor(SystemColor(COLOR_WINDOWTEXT));
    canvas->MoveTo(cx, y);
    canvas->LineTo(cx, y + height);
  }
}

}  // namespace kora
