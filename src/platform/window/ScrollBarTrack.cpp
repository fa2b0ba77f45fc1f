// The mouse on a standard scroll bar: a nested loop holding the capture
// from the press until the release. Arrows and the track repeat their
// request on a timer; the thumb follows the pointer and reports where.

#include <algorithm>

#include "platform/window/Input.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Timers.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

// A system timer id, out of the way of the ids programs choose.
constexpr UINT_PTR kRepeatTimer = 0xFFFA;
constexpr UINT kFirstDelay = 350;
constexpr UINT kRepeatDelay = 50;
// Farther than this many bar widths across the bar, the thumb goes back
// to where the drag began.
constexpr int kSnapBackWidths = 4;

int RequestFor(ScrollPart part) {
  switch (part) {
    case SBP_LINEUP: return SB_LINEUP;
    case SBP_LINEDOWN: return SB_LINEDOWN;
    case SBP_PAGEUP: return SB_PAGEUP;
    default: return SB_PAGEDOWN;
  }
}

class BarTracker {
public:
  BarTracker(HWND hwnd, int bar) : FWnd(hwnd), FBar(bar), FMsg(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL) {}

  void Run(POINT screen) {
    WindowRec* w = Win(FWnd);
    if (!w) return;
    const ScrollBarGeometry g = ComputeScrollBar(*w, FBar);
    const POINT p = ToWindow(*w, screen);
    FPart = ScrollPartAt(g, p);
    const ScrollBarRec& r = ScrollBarOf(*w, FBar);
    if (FPart == SBP_NONE || !ScrollBarActive(*w, FBar)) return;
    if ((FPart == SBP_LINEUP && (r.Disabled & ESB_DISABLE_LTUP)) ||
        (FPart == SBP_LINEDOWN && (r.Disabled & ESB_DISABLE_RTDN)))
      return;
    SetCapture(FWnd);
    if (FPart == SBP_THUMB)
      TrackThumb(g.Along(p) - g.ThumbStart);
    else
      Repeat(screen);
    if (GetCapture() == FWnd) ReleaseCapture();
    Send(SB_ENDSCROLL, 0);
  }

private:
  static POINT ToWindow(const WindowRec& w, POINT screen) { return screen - ScreenWindowRect(w).TopLeft(); }

  bool Send(int code, int pos) {
    SendMessage(FWnd, FMsg, MAKEWPARAM(code, pos), 0);
    return Win(FWnd) != nullptr;
  }

  void Show(int pressed) {
    WindowRec* w = Win(FWnd);
    if (!w) return;
    ScrollBarOf(*w, FBar).Pressed = pressed;
    InvalidateScrollBar(*w, FBar);
    SendNcPaint(FWnd);
  }

  // The next message for the loop; false when it should end.
  bool Next(MSG& msg) {
    if (!Win(FWnd) || GetCapture() != FWnd) return false;
    if (!GetMessage(&msg, {}, 0, 0)) {
      PostQuitMessage(int(msg.wParam));
      return false;
    }
    return !(msg.hwnd == FWnd && msg.message == WM_LBUTTONUP);
  }

  bool IsOurs(const MSG& msg, UINT message) const { return msg.hwnd == FWnd && msg.message == message; }

  // Arrows and the track: at once, then again and again while the button
  // stays down on the same part (for the track, until the thumb reaches the pointer).
  void Repeat(POINT pointer) {
    const int code = RequestFor(FPart);
    Show(FPart);
    if (!Send(code, 0)) return;
    SetTimer(FWnd, kRepeatTimer, kFirstDelay, nullptr);
    bool first = true;
    MSG msg;
    while (Next(msg)) {
      if (IsOurs(msg, WM_TIMER) && msg.wParam == kRepeatTimer) {
        if (first) SetTimer(FWnd, kRepeatTimer, kRepeatDelay, nullptr);
        first = false;
        if (PartUnder(pointer) == FPart && !Send(code, 0)) return;
        continue;
      }
      if (IsOurs(msg, WM_MOUSEMOVE)) {
        pointer = msg.pt;
        const int pressed = PartUnder(pointer) == FPart ? FPart : SBP_NONE;
        if (WindowRec* w = Win(FWnd); w && ScrollBarOf(*w, FBar).Pressed != pressed) Show(pressed);
        continue;
      }
      if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) continue;
      ProcessMessage(msg);
    }
    KillTimer(FWnd, kRepeatTimer);
    Show(SBP_NONE);
  }

  ScrollPart PartUnder(POINT screen) const {
    WindowRec* w = Win(FWnd);
    return w ? ScrollPartAt(ComputeScrollBar(*w, FBar), ToWindow(*w, screen)) : SBP_NONE;
  }

  void SetTrack(int pos) {
    if (WindowRec* w = Win(FWnd)) {
      ScrollBarRec& r = ScrollBarOf(*w, FBar);
      r.TrackPos = pos;
      InvalidateScrollBar(*w, FBar);
      SendNcPaint(FWnd);
    }
  }

  // The thumb follows the pointer (grab pixels into it) and each new
  // position is reported; the release reports the last one.
  void TrackThumb(int grab) {
    WindowRec* w = Win(FWnd);
    ScrollBarRec& r = ScrollBarOf(*w, FBar);
    const int start = r.Pos;
    r.Tracking = true;
    r.TrackPos = start;
    Show(SBP_THUMB);
    MSG msg;
    while (Next(msg)) {
      if (IsOurs(msg, WM_MOUSEMOVE)) {
        WindowRec* cur = Win(FWnd);
        const ScrollBarGeometry g = ComputeScrollBar(*cur, FBar);
        const POINT p = ToWindow(*cur, msg.pt);
        const int thickness = g.Vertical ? g.Bar.Width() : g.Bar.Height();
        const int across = g.Vertical ? std::max(g.Bar.Left - p.X, p.X - g.Bar.Right + 1)
                                      : std::max(g.Bar.Top - p.Y, p.Y - g.Bar.Bottom + 1);
        const int pos = across > kSnapBackWidths * thickness ? start : ScrollPosAt(*cur, FBar, g.Along(p) - grab);
        if (pos == ScrollBarOf(*cur, FBar).TrackPos) continue;
        SetTrack(pos);
        if (!Send(SB_THUMBTRACK, pos)) return;
        continue;
      }
      if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) continue;
      ProcessMessage(msg);
    }
    WindowRec* cur = Win(FWnd);
    if (!cur) return;
    // The window still sees the tracking position while it handles the drop.
    if (!Send(SB_THUMBPOSITION, ScrollBarOf(*cur, FBar).TrackPos)) return;
    if ((cur = Win(FWnd))) ScrollBarOf(*cur, FBar).Tracking = false;
    Show(SBP_NONE);
  }

  HWND FWnd;
  int FBar;
  UINT FMsg;
  ScrollPart FPart = SBP_NONE;
};

}  // namespace

void TrackScrollBar(HWND hwnd, int bar, POINT screen) {
  if (!Win(hwnd) || GetKeyState(int(VK_LBUTTON)) >= 0) return;  // released already: nothing to follow
  BarTracker(hwnd, bar).Run(screen);
}

}  // namespace kora
