#pragma once
// Basic types of the window system: handles, message parameters and the
// records passed by pointer in lParam.

#include <cstdint>

#include "platform/gdi/GdiTypes.h"

namespace kora {

using UINT = uint32_t;
using WORD = uint16_t;
using LONG = int32_t;
using UINT_PTR = uintptr_t;
using LONG_PTR = intptr_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using ATOM = uint16_t;

// A window handle is an id into the window table, never a pointer to memory:
// a stale handle is detected at every entry point.
class HWND : public HandleValue {
public:
  using HandleValue::HandleValue;
  friend constexpr bool operator==(HWND a, HWND b) noexcept { return a.Value() == b.Value(); }
};
class HMONITOR : public HandleValue {
public:
  using HandleValue::HandleValue;
  friend constexpr bool operator==(HMONITOR a, HMONITOR b) noexcept { return a.Value() == b.Value(); }
};

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

constexpr WORD LOWORD(uintptr_t v) { return WORD(v & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(int lo, int hi) { return LPARAM(int32_t(uint32_t(WORD(lo)) | (uint32_t(WORD(hi)) << 16))); }
constexpr WPARAM MAKEWPARAM(int lo, int hi) { return WPARAM(uint32_t(WORD(lo)) | (uint32_t(WORD(hi)) << 16)); }
constexpr int GET_X_LPARAM(LPARAM l) { return int16_t(LOWORD(uintptr_t(l))); }
constexpr int GET_Y_LPARAM(LPARAM l) { return int16_t(HIWORD(uintptr_t(l))); }
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM w) { return int16_t(HIWORD(w)); }
constexpr LPARAM PointToLParam(POINT p) { return MAKELPARAM(p.X, p.Y); }
constexpr POINT LParamToPoint(LPARAM l) { return {GET_X_LPARAM(l), GET_Y_LPARAM(l)}; }

// Pointer-valued parameters travel through LPARAM/WPARAM.
template <class T>
LPARAM ToLParam(T* p) {
  return reinterpret_cast<LPARAM>(p);
}
template <class T>
T* FromLParam(LPARAM l) {
  return reinterpret_cast<T*>(l);
}
// Window handles travel in WPARAM/LPARAM as their value.
constexpr LPARAM HwndToParam(HWND h) { return LPARAM(h.Value()); }
constexpr HWND ParamToHwnd(uintptr_t v) { return HWND(uint64_t(v)); }

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
};

struct CREATESTRUCT {
  void* lpCreateParams = nullptr;
  UINT_PTR hMenu = 0;  // the child id
  HWND hwndParent = nullptr;
  int cy = 0;
  int cx = 0;
  int y = 0;
  int x = 0;
  LONG style = 0;
  const char* lpszName = nullptr;
  const char* lpszClass = nullptr;
  DWORD dwExStyle = 0;
};

struct WINDOWPOS {
  HWND hwnd = nullptr;
  HWND hwndInsertAfter = nullptr;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
};

// rgrc[0]: in the proposed window rectangle, out the client rectangle (both
// in parent client coordinates). rgrc[1], rgrc[2]: old window and client.
struct NCCALCSIZE_PARAMS {
  RECT rgrc[3];
  WINDOWPOS* lppos = nullptr;
};

struct MINMAXINFO {
  POINT ptReserved;
  POINT ptMaxSize;
  POINT ptMaxPosition;
  POINT ptMinTrackSize;
  POINT ptMaxTrackSize;
};

struct STYLESTRUCT {
  DWORD styleOld = 0;
  DWORD styleNew = 0;
};

struct TRACKMOUSEEVENT {
  DWORD cbSize = sizeof(TRACKMOUSEEVENT);
  DWORD dwFlags = 0;
  HWND hwndTrack = nullptr;
  DWORD dwHoverTime = 0;
};

struct MONITORINFO {
  DWORD cbSize = sizeof(MONITORINFO);
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags = 0;
};

}  // namespace kora
