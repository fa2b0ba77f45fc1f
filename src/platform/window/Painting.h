#pragma once
// Update regions, WM_PAINT and window device contexts. Every window draws
// into the pixels of its top-level window; children and overlapping
// siblings are always clipped out (the classic WS_CLIPCHILDREN and
// WS_CLIPSIBLINGS behaviour), and only changed rectangles are presented.

#include "platform/window/WinTypes.h"

namespace kora {

struct PAINTSTRUCT {
  HDC hdc;
  bool fErase = false;  // the background still needs erasing (WM_ERASEBKGND answered 0)
  RECT rcPaint;         // client coordinates
};

constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_INTERNALPAINT = 0x0002;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_VALIDATE = 0x0008;
constexpr UINT RDW_NOINTERNALPAINT = 0x0010;
constexpr UINT RDW_NOERASE = 0x0020;
constexpr UINT RDW_NOCHILDREN = 0x0040;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ERASENOW = 0x0200;
constexpr UINT RDW_FRAME = 0x0400;
constexpr UINT RDW_NOFRAME = 0x0800;

constexpr DWORD DCX_WINDOW = 0x00000001;
constexpr DWORD DCX_CACHE = 0x00000002;
constexpr DWORD DCX_CLIPCHILDREN = 0x00000008;
constexpr DWORD DCX_CLIPSIBLINGS = 0x00000010;
constexpr DWORD DCX_PARENTCLIP = 0x00000020;
constexpr DWORD DCX_EXCLUDERGN = 0x00000040;
constexpr DWORD DCX_INTERSECTRGN = 0x00000080;

// rect/region in client coordinates; null means the whole client area.
// Children are not included (use RedrawWindow with RDW_ALLCHILDREN).
bool InvalidateRect(HWND hwnd, const RECT* rect, bool erase);
// Paints the window and its children now if they wait for paint.
bool UpdateWindow(HWND hwnd);
bool RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags);

// Sends WM_NCPAINT when the frame waits for it and WM_ERASEBKGND when the
// background does; the DC is clipped to the update region, which is
// validated.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
bool EndPaint(HWND hwnd, const PAINTSTRUCT* ps);

// The client area's DC, clipped to its visible part. GetDC(null) gives a
// DC on a scratch bitmap (for measuring). Release with ReleaseDC.
HDC GetDC(HWND hwnd);
// The whole window including the frame.
HDC GetWindowDC(HWND hwnd);
// DCX_WINDOW for the whole window; DCX_INTERSECTRGN / DCX_EXCLUDERGN with a
// region in screen coordinates (as WM_NCPAINT passes it). The region stays
// the caller's.
HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags);
int ReleaseDC(HWND hwnd, HDC dc);
HWND WindowFromDC(HDC dc);

// Hands what was painted since the last call to the backend now, instead of
// when the message loop next waits.
bool GdiFlush();

}  // namespace kora
