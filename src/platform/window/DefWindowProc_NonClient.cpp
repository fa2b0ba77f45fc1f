// The built-in frame's geometry: client size, hit test and the
// non-client mouse (moving, sizing, caption buttons).

#include "platform/window/MessageQueue.h"
#include "platform/window/Screen.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

bool HasDlgFrame(DWORD style, DWORD ex) {
  return (ex & WS_EX_DLGMODALFRAME) || ((style & WS_DLGFRAME) && !(style & WS_THICKFRAME));
}

bool HasThinFrame(DWORD style) { return (style & WS_BORDER) || !(style & (WS_CHILD | WS_POPUP)); }

int OuterBorder(DWORD style, DWORD ex) {
  if (HasThickFrame(style, ex)) return GetSystemMetrics(SM_CXFRAME);
  if (HasDlgFrame(style, ex)) return GetSystemMetrics(SM_CXDLGFRAME);
  if (HasThinFrame(style)) return GetSystemMetrics(SM_CXBORDER);
  return 0;
}

int ClientEdge(DWORD ex) {
  return ((ex & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0) + ((ex & WS_EX_STATICEDGE) ? 1 : 0);
}

}  // namespace

bool HasThickFrame(DWORD style, DWORD ex) {
  (void)ex;
  return (style & WS_THICKFRAME) && (style & (WS_DLGFRAME | WS_BORDER)) != WS_DLGFRAME;
}

bool HasDefaultCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

int CaptionHeightFor(DWORD exStyle) {
  return GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

RECT DefaultFrameInsets(DWORD style, DWORD exStyle) {
  const int b = OuterBorder(style, exStyle) + ClientEdge(exStyle);
  RECT r{b, b, b, b};
  if (HasDefaultCaption(style)) r.Top += CaptionHeightFor(exStyle);
  return r;
}

bool AdjustWindowRectEx(RECT* rect, DWORD style, bool menu, DWORD exStyle) {
  if (!rect || menu) return false;
  const RECT in = DefaultFrameInsets(style, exStyle);
  rect->Left -= in.Left;
  rect->Top -= in.Top;
  rect->Right += in.Right;
  rect->Bottom += in.Bottom;
  return true;
}

FrameLayout ComputeFrameLayout(const WindowRec& w) {
  FrameLayout f;
  f.Border = OuterBorder(w.Style, w.ExStyle);
  if (!HasDefaultCaption(w.Style)) return f;
  const int width = w.Window.Width();
  const int b = f.Border;
  const int capH = CaptionHeightFor(w.ExStyle);
  const bool tool = w.ExStyle & WS_EX_TOOLWINDOW;
  // The caption strip; a one-pixel line separates it from what follows.
  f.Caption = {b, b, width - b, b + capH - 1};
  if (!(w.Style & WS_SYSMENU)) return f;
  const int bw = capH - 3;
  const int bh = capH - 5;
  const int top = b + 2;
  f.Close = {width - b - 2 - bw, top, width - b - 2, top + bh};
  if (!tool && (w.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
    f.Max = f.Close.Offsetted(-bw - 2, 0);
    f.Min = f.Max.Offsetted(-bw, 0);
  }
  if (!tool) {
    const int icon = GetSystemMetrics(SM_CXSMICON);
    f.SysIcon = RECT::FromSize(b + 2, b + (capH - 1 - icon) / 2, icon, icon);
  }
  return f;
}

void DefaultCalcSize(const WindowRec& w, RECT* proposed) {
  if (!proposed) return;
  const RECT in = DefaultFrameInsets(w.Style, w.ExStyle);
  proposed->Left += in.Left;
  proposed->Top += in.Top;
  proposed->Right -= in.Right;
  proposed->Bottom -= in.Bottom;
  RemoveScrollBarArea(w, *proposed);
  if (proposed->Right < proposed->Left) proposed->Right = proposed->Left;
  if (proposed->Bottom < proposed->Top) proposed->Bottom = proposed->Top;
}

// The classic order: outside, client, sizing border, plain border, caption parts.
LRESULT DefaultHitTest(const WindowRec& w, POINT screen) {
  const RECT rect = ScreenWindowRect(w);
  if (!rect.Contains(screen)) return HTNOWHERE;
  const POINT p = screen - rect.TopLeft();
  const RECT client = w.Client.Offsetted(-w.Window.Left, -w.Window.Top);
  if (client.Contains(p)) return HTCLIENT;
  if (w.Style & WS_MINIMIZE) return HTCAPTION;
  if (const LRESULT bar = ScrollBarHitTest(w, p)) return bar;
  const FrameLayout f = ComputeFrameLayout(w);
  const int width = rect.Width();
  const int height = rect.Height();
  const int b = f.Border;
  const bool onBorder = p.X < b || p.Y < b || p.X >= width - b || p.Y >= height - b;
  if (onBorder && HasThickFrame(w.Style, w.ExStyle) && !(w.Style & WS_MAXIMIZE)) {
    const int grip = GetSystemMetrics(SM_CXSIZE) + b;
    const bool left = p.X < grip, right = p.X >= width - grip;
    const bool top = p.Y < grip, bottom = p.Y >= height - grip;
    if (p.Y < b) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    if (p.Y >= height - b) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    if (p.X < b) return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
    return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
  }
  if (onBorder) return HTBORDER;
  if (f.Caption.Contains(p)) {
    if (f.SysIcon.Contains(p)) return HTSYSMENU;
    if (f.Close.Contains(p)) return HTCLOSE;
    if (f.Max.Contains(p)) return HTMAXBUTTON;
    if (f.Min.Contains(p)) return HTMINBUTTON;
    return HTCAPTION;
  }
  return HTBORDER;
}

LRESULT DefNcMouse(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowRec* w = Win(hwnd);
  if (!w) return 0;
  const LRESULT hit = LRESULT(wParam);
  switch (msg) {
    case WM_NCLBUTTONDOWN:
      if (hit == HTCAPTION) {
        SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, lParam);
      } else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) {
        SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE + WPARAM(hit - HTLEFT + WMSZ_LEFT), lParam);
      } else if (hit == HTMINBUTTON || hit == HTMAXBUTTON || hit == HTCLOSE) {
        if (!TrackCaptionButton(hwnd, hit)) return 0;
        WPARAM cmd = SC_CLOSE;
        if (hit == HTMINBUTTON) cmd = IsIconic(hwnd) ? SC_RESTORE : SC_MINIMIZE;
        if (hit == HTMAXBUTTON) cmd = IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE;
        SendMessage(hwnd, WM_SYSCOMMAND, cmd, lParam);
      } else if (hit == HTVSCROLL || hit == HTHSCROLL) {
        SendMessage(hwnd, WM_SYSCOMMAND, (hit == HTVSCROLL ? SC_VSCROLL : SC_HSCROLL) + WPARAM(hit), lParam);
      }
      return 0;
    case WM_NCLBUTTONDBLCLK:
      // A quick second press on a bar is just another press.
      if (hit == HTVSCROLL || hit == HTHSCROLL) return DefNcMouse(hwnd, WM_NCLBUTTONDOWN, wParam, lParam);
      if (hit == HTCAPTION && (w->Style & WS_MAXIMIZEBOX)) {
        const bool restore = w->Style & (WS_MAXIMIZE | WS_MINIMIZE);
        SendMessage(hwnd, WM_SYSCOMMAND, restore ? SC_RESTORE : SC_MAXIMIZE, lParam);
      } else if (hit == HTSYSMENU && (w->Style & WS_SYSMENU)) {
        SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
      }
      return 0;
    case WM_NCRBUTTONUP: SendMessage(hwnd, WM_CONTEXTMENU, WPARAM(hwnd.Value()), lParam); return 0;
    default: return 0;
  }
}

}  // namespace kora
