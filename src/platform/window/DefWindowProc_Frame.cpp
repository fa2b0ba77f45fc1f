// Painting the built-in frame for windows nobody skins: a 3-D border, the
// title bar with its caption text, and the minimize, maximize and close boxes.

#include "platform/text/Text.h"
#include "platform/window/Painting.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

HFONT CaptionFont() {
  static const HFONT font = CreateFont(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  return font;
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

// The glyphs of the classic caption buttons, drawn in a box of the button's size.
void DrawGlyph(HDC dc, const RECT& r, LRESULT kind, bool zoomed, bool iconic) {
  const int cx = r.Left + r.Width() / 2;
  const int cy = r.Top + r.Height() / 2;
  if (kind == HTCLOSE) {
    for (int i = 0; i < 2; ++i) {
      Line(dc, cx - 4 + i, cy - 3, cx + 3 + i, cy + 4);
      Line(dc, cx + 2 + i, cy - 3, cx - 5 + i, cy + 4);
    }
  } else if (kind == HTMINBUTTON && !iconic) {
    const RECT bar{cx - 4, cy + 2, cx + 2, cy + 4};
    FillRect(dc, &bar, HBRUSH(COLOR_BTNTEXT + 1));
  } else if (kind == HTMAXBUTTON && !zoomed) {
    const RECT box{cx - 5, cy - 5, cx + 4, cy + 4};
    FrameRect(dc, &box, HBRUSH(COLOR_BTNTEXT + 1));
    const RECT top{box.Left, box.Top + 1, box.Right, box.Top + 2};
    FillRect(dc, &top, HBRUSH(COLOR_BTNTEXT + 1));
  } else {
    // Restore: two small overlapping windows.
    const RECT back{cx - 3, cy - 5, cx + 4, cy + 1};
    const RECT front{cx - 5, cy - 2, cx + 2, cy + 4};
    FrameRect(dc, &back, HBRUSH(COLOR_BTNTEXT + 1));
    const RECT backTop{back.Left, back.Top + 1, back.Right, back.Top + 2};
    FillRect(dc, &backTop, HBRUSH(COLOR_BTNTEXT + 1));
    FillRect(dc, &front, HBRUSH(COLOR_BTNFACE + 1));
    FrameRect(dc, &front, HBRUSH(COLOR_BTNTEXT + 1));
    const RECT frontTop{front.Left, front.Top + 1, front.Right, front.Top + 2};
    FillRect(dc, &frontTop, HBRUSH(COLOR_BTNTEXT + 1));
  }
}

void DrawCaptionButton(HDC dc, const WindowRec& w, RECT r, LRESULT kind) {
  if (r.IsEmpty()) return;
  const bool pressed = w.PressedButton == kind;
  FillRect(dc, &r, HBRUSH(COLOR_BTNFACE + 1));
  RECT edge = r;
  DrawEdge(dc, &edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  if (pressed) r.Offset(1, 1);
  const HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
  const HGDIOBJ old = SelectObject(dc, pen);
  DrawGlyph(dc, r, kind, w.Style & WS_MAXIMIZE, w.Style & WS_MINIMIZE);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void DrawCaption(HDC dc, const WindowRec& w, const FrameLayout& f) {
  const bool active = w.FrameActive;
  FillRect(dc, &f.Caption, HBRUSH((active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION) + 1));
  int textLeft = f.Caption.Left + 3;
  if (!f.SysIcon.IsEmpty()) {
    HICON icon = w.IconSmall ? w.IconSmall : w.IconBig ? w.IconBig : w.Class->IconSmall;
    if (!icon) icon = w.Class->Icon;
    if (!icon) icon = LoadIcon(nullptr, IDI_APPLICATION);
    DrawIconEx(dc, f.SysIcon.Left, f.SysIcon.Top, icon, f.SysIcon.Width(), f.SysIcon.Height(), 0, {}, DI_NORMAL);
    textLeft = f.SysIcon.Right + 3;
  }
  DrawCaptionButton(dc, w, f.Close, HTCLOSE);
  DrawCaptionButton(dc, w, f.Max, HTMAXBUTTON);
  DrawCaptionButton(dc, w, f.Min, HTMINBUTTON);
  int textRight = f.Caption.Right - 2;
  for (const RECT* b : {&f.Min, &f.Max, &f.Close}) {
    if (!b->IsEmpty()) {
      textRight = b->Left - 2;
      break;
    }
  }
  if (w.Text.empty() || textRight <= textLeft) return;
  const HGDIOBJ oldFont = SelectObject(dc, CaptionFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  RECT text{textLeft, f.Caption.Top, textRight, f.Caption.Bottom};
  DrawText(dc, w.Text, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}

}  // namespace

void PaintDefaultFrame(HWND hwnd, WPARAM region) {
  WindowRec* w = Win(hwnd);
  if (!w) return;
  const RECT insets = DefaultFrameInsets(w->Style, w->ExStyle);
  if (insets.Left == 0 && insets.Top == 0 && insets.Right == 0 && insets.Bottom == 0) return;
  const HDC dc = region > 1 ? GetDCEx(hwnd, HRGN(uint64_t(region)), DCX_WINDOW | DCX_INTERSECTRGN) : GetWindowDC(hwnd);
  if (!dc) return;
  const RECT client = w->Client.Offsetted(-w->Window.Left, -w->Window.Top);
  ExcludeClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);

  RECT r = RECT::FromSize(0, 0, w->Window.Width(), w->Window.Height());
  FillRect(dc, &r, HBRUSH(COLOR_BTNFACE + 1));
  const FrameLayout f = ComputeFrameLayout(*w);
  if (f.Border >= 3) {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
  } else if (f.Border == 1) {
    FrameRect(dc, &r, HBRUSH(COLOR_WINDOWFRAME + 1));
  }
  if (w->ExStyle & WS_EX_CLIENTEDGE) {
    // The sunken edge takes the scroll bars in with the client area.
    RECT bars = client;
    for (int bar : {SB_VERT, SB_HORZ}) bars = bars.Union(ComputeScrollBar(*w, bar).Bar);
    RECT edge = bars.Inflated(2, 2);
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  }
  if (!f.Caption.IsEmpty()) DrawCaption(dc, *w, f);
  ReleaseDC(hwnd, dc);
}

}  // namespace kora
