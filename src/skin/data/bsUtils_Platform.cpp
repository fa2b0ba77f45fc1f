// Platform helpers: feature checks, window opacity, work areas, scroll bars.

#include <algorithm>

#include "platform/window/Screen.h"
#include "platform/window/ScrollBars.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyles.h"
#include "skin/data/bsUtils.h"

namespace kora {

namespace {

// Our window system takes layered-window opacity and the drop-shadow class
// style, so it answers feature checks as a version that has both.
constexpr int kPlatformMajor = 6;
constexpr int kPlatformMinor = 0;

}  // namespace

bool IsXpOrLater(int major, int minor) { return major > 5 || (major == 5 && minor == 1); }

bool HasLayeredWindows(int major, int minor) { return major > 5 || (major == 5 && minor >= 0 && minor <= 2); }

bool IsXpOrLater() { return IsXpOrLater(kPlatformMajor, kPlatformMinor); }

bool HasLayeredWindows() { return HasLayeredWindows(kPlatformMajor, kPlatformMinor); }

void ApplyWindowAlpha(HWND window, int alpha) {
  SetLayeredWindowAttributes(window, 0, uint8_t(std::clamp(alpha, 0, 255)), LWA_ALPHA);
}

void ScreenWorkArea(bool workArea, RECT& out) {
  if (workArea && SystemParametersInfo(SPI_GETWORKAREA, 0, &out, 0)) return;
  out = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void MonitorWorkArea(HWND window, bool workArea, RECT& out) {
  if (GetSystemMetrics(SM_CMONITORS) > 1) {
    MONITORINFO info;
    if (GetMonitorInfo(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
      out = workArea ? info.rcWork : info.rcMonitor;
      return;
    }
  }
  ScreenWorkArea(workArea, out);
}

bool QueryScrollBarInfo(HWND window, int bar, TbsScrollBarInfo& info) {
  info.rgstate[0] = bsStateInvisible;
  SCROLLBARINFO sbi;
  if (!GetScrollBarInfo(window, bar, &sbi)) return false;
  info.rcScrollBar = sbi.rcScrollBar;
  info.dxyLineButton = sbi.dxyLineButton;
  info.xyThumbTop = sbi.xyThumbTop;
  info.xyThumbBottom = sbi.xyThumbBottom;
  std::copy(std::begin(sbi.rgstate), std::end(sbi.rgstate), std::begin(info.rgstate));
  return true;
}

}  // namespace kora
