#pragma once
// The standard scroll bars of a window: WS_VSCROLL and WS_HSCROLL show them
// in the non-client area beside and below the client area. The bar reports
// what the user does (WM_VSCROLL / WM_HSCROLL); the window's procedure
// decides the new position. Scroll bar controls (SB_CTL) are not built.

#include "platform/window/WinTypes.h"

namespace kora {

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;

// WM_VSCROLL / WM_HSCROLL request codes (LOWORD of wParam).
constexpr int SB_LINEUP = 0;
constexpr int SB_LINELEFT = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_LINERIGHT = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGELEFT = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_PAGERIGHT = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_LEFT = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_RIGHT = 7;
constexpr int SB_ENDSCROLL = 8;

constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// EnableScrollBar
constexpr UINT ESB_ENABLE_BOTH = 0x0000;
constexpr UINT ESB_DISABLE_LTUP = 0x0001;
constexpr UINT ESB_DISABLE_LEFT = 0x0001;
constexpr UINT ESB_DISABLE_UP = 0x0001;
constexpr UINT ESB_DISABLE_RTDN = 0x0002;
constexpr UINT ESB_DISABLE_RIGHT = 0x0002;
constexpr UINT ESB_DISABLE_DOWN = 0x0002;
constexpr UINT ESB_DISABLE_BOTH = 0x0003;

// GetScrollBarInfo objects and part states.
constexpr LONG OBJID_CLIENT = LONG(0xFFFFFFFC);
constexpr LONG OBJID_VSCROLL = LONG(0xFFFFFFFB);
constexpr LONG OBJID_HSCROLL = LONG(0xFFFFFFFA);
constexpr DWORD STATE_SYSTEM_UNAVAILABLE = 0x00000001;
constexpr DWORD STATE_SYSTEM_PRESSED = 0x00000008;
constexpr DWORD STATE_SYSTEM_INVISIBLE = 0x00008000;
constexpr DWORD STATE_SYSTEM_OFFSCREEN = 0x00010000;

// The system command a press on a window scroll bar sends (plus the hit code).
constexpr WPARAM SC_VSCROLL = 0xF070;
constexpr WPARAM SC_HSCROLL = 0xF080;

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;  // where the thumb is while the user drags it
};

// rgstate: the bar, the top/left arrow, the page area before the thumb,
// the thumb, the page area after it, the bottom/right arrow.
struct SCROLLBARINFO {
  DWORD cbSize = sizeof(SCROLLBARINFO);
  RECT rcScrollBar;  // screen coordinates
  int dxyLineButton = 0;
  int xyThumbTop = 0;  // from the start of rcScrollBar
  int xyThumbBottom = 0;
  int reserved = 0;
  DWORD rgstate[6] = {};
};

// Applies the fields fMask names and returns the new position: the page is
// kept within the range and the position within [nMin, nMax - max(nPage - 1, 0)].
// A bar that has nothing left to scroll is hidden, or only disabled with
// SIF_DISABLENOSCROLL; one that has is shown and enabled again.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, bool redraw);
bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
// Return the previous position / the position (0 on failure).
int SetScrollPos(HWND hwnd, int bar, int pos, bool redraw);
int GetScrollPos(HWND hwnd, int bar);
bool SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, bool redraw);
bool GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
// SB_HORZ, SB_VERT or SB_BOTH: sets the style bits and recalculates the frame.
bool ShowScrollBar(HWND hwnd, int bar, bool show);
// True when the arrows' state changed.
bool EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
// object is OBJID_VSCROLL or OBJID_HSCROLL.
bool GetScrollBarInfo(HWND hwnd, LONG object, SCROLLBARINFO* info);

}  // namespace kora
