#pragma once
// Windows: classes, creation and destruction, the tree, attributes and
// geometry. Everything runs on the GUI thread; a stale handle makes every
// call fail cleanly (false, 0 or null).

#include <string>
#include <string_view>

#include "platform/window/Messages.h"
#include "platform/window/WinTypes.h"
#include "platform/window/WindowStyles.h"

namespace kora {

// hbrBackground may be a system colour index + 1 (HBRUSH(COLOR_BTNFACE + 1)).
struct WNDCLASS {
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  const char* lpszClassName = nullptr;
  HICON hIconSm;
};

// Returns the class atom, 0 when the name is taken or the record incomplete.
ATOM RegisterClass(const WNDCLASS* wc);
bool GetClassInfo(const char* className, WNDCLASS* out);
// GCL_STYLE, GCLP_HCURSOR, GCLP_HBRBACKGROUND, GCLP_HICON.
constexpr int GCLP_HBRBACKGROUND = -10;
constexpr int GCLP_HCURSOR = -12;
constexpr int GCLP_HICON = -14;
constexpr int GCL_STYLE = -26;
LONG_PTR GetClassLong(HWND hwnd, int index);
LONG_PTR SetClassLong(HWND hwnd, int index, LONG_PTR value);

// A top-level window's parent argument is its owner. Returns null when the
// class is unknown, the parent is stale, or WM_NCCREATE answers 0 or
// WM_CREATE answers -1 (the window is destroyed again then).
HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, UINT_PTR id, void* param);
bool DestroyWindow(HWND hwnd);

bool IsWindow(HWND hwnd);
bool IsWindowVisible(HWND hwnd);  // the window and all its ancestors
bool IsWindowEnabled(HWND hwnd);
bool IsIconic(HWND hwnd);
bool IsZoomed(HWND hwnd);
bool IsChild(HWND parent, HWND hwnd);  // any depth

// The parent of a child window, the owner of a top-level one.
HWND GetParent(HWND hwnd);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetWindow(HWND hwnd, UINT cmd);
HWND GetTopWindow(HWND parent);  // null parent: the topmost top-level window
// Top-level windows in z-order from the top.
bool EnumWindows(bool (*f)(HWND, LPARAM), LPARAM lParam);
HWND FindWindow(const char* className, const char* windowName);
int GetClassName(HWND hwnd, char* buffer, int size);
std::string GetClassName(HWND hwnd);
int GetDlgCtrlID(HWND hwnd);
HWND GetDlgItem(HWND parent, int id);

// GWL_STYLE, GWL_EXSTYLE, GWL_WNDPROC, GWL_USERDATA, GWL_ID, GWL_HWNDPARENT.
// Setting GWL_WNDPROC returns the previous procedure (subclassing); setting
// a style sends WM_STYLECHANGING and WM_STYLECHANGED. Frame changes need
// SetWindowPos(SWP_FRAMECHANGED) as in the classic system.
LONG_PTR GetWindowLong(HWND hwnd, int index);
LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value);

// Named values attached to a window, for layers that subclass it.
bool SetProp(HWND hwnd, std::string_view name, uintptr_t value);
uintptr_t GetProp(HWND hwnd, std::string_view name);
uintptr_t RemoveProp(HWND hwnd, std::string_view name);

// UTF-8, through WM_SETTEXT / WM_GETTEXT.
bool SetWindowText(HWND hwnd, const char* text);
int GetWindowText(HWND hwnd, char* buffer, int size);
std::string GetWindowText(HWND hwnd);
int GetWindowTextLength(HWND hwnd);

// ---- Geometry --------------------------------------------------------------

bool GetWindowRect(HWND hwnd, RECT* out);  // screen coordinates
bool GetClientRect(HWND hwnd, RECT* out);  // (0, 0, width, height)
bool ClientToScreen(HWND hwnd, POINT* p);
bool ScreenToClient(HWND hwnd, POINT* p);
// Null stands for the screen. Returns the offset as MAKELONG(dx, dy), 0 on failure.
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
int MapWindowPoints(HWND from, HWND to, RECT* rect);
// The deepest visible window under a screen point, region-aware, without hit tests.
HWND WindowFromPoint(POINT screen);
// The child of parent (or parent itself) under a point in parent client coordinates.
HWND ChildWindowFromPointEx(HWND parent, POINT client, UINT flags);

// The window takes the region (window coordinates) and deletes it when
// replaced or destroyed; null removes the shape. Only the region's pixels
// are drawn and receive the mouse.
int SetWindowRgn(HWND hwnd, HRGN region, bool redraw);
// Copies the shape into an existing region: its type, or ERROR without one.
int GetWindowRgn(HWND hwnd, HRGN region);
// LWA_ALPHA on a WS_EX_LAYERED top-level window: 0 transparent .. 255 opaque.
bool SetLayeredWindowAttributes(HWND hwnd, COLORREF key, uint8_t alpha, DWORD flags);
bool GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, uint8_t* alpha, DWORD* flags);

// The window rectangle whose client area (from the default WM_NCCALCSIZE)
// is rect; menu must be false (there are no native menu bars).
bool AdjustWindowRectEx(RECT* rect, DWORD style, bool menu, DWORD exStyle);

// ---- Placement (WindowPos.cpp) ---------------------------------------------

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint);
// Returns whether the window was visible before.
bool ShowWindow(HWND hwnd, int cmd);

struct WINDOWPLACEMENT {
  UINT length = sizeof(WINDOWPLACEMENT);
  UINT flags = 0;
  UINT showCmd = SW_SHOWNORMAL;
  POINT ptMinPosition;
  POINT ptMaxPosition;
  RECT rcNormalPosition;
};
bool GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* out);

// ---- Window procedures ---------------------------------------------------------

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Destroys every window and forgets classes, timers, queued messages and
// input state: a fresh window system (tests, shutdown).
void ResetWindowSystem();

}  // namespace kora
