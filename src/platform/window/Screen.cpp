// Monitors, work areas, system metrics and settings.

#include <algorithm>

#include "platform/window/Backend.h"
#include "platform/window/Screen.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 768;

std::vector<MonitorDesc> CurrentMonitors() {
  auto& s = Sys();
  std::vector<MonitorDesc> list;
  if (Backend* b = s.CurrentBackend) list = b->Monitors();
  if (list.empty()) {
    const RECT screen = RECT::FromSize(0, 0, kDefaultWidth, kDefaultHeight);
    list.push_back({screen, screen, true});
  }
  if (s.WorkAreaOverride) {
    for (size_t i = 0; i < list.size() && i < s.WorkAreaOverride->size(); ++i) list[i].Work = (*s.WorkAreaOverride)[i];
  }
  return list;
}

// HMONITOR values are the monitor's index + 1.
HMONITOR MonitorHandle(size_t index) { return HMONITOR(uint64_t(index + 1)); }

int64_t DistanceSquared(const RECT& r, POINT p) {
  const int64_t dx = p.X < r.Left ? r.Left - p.X : p.X >= r.Right ? p.X - r.Right + 1 : 0;
  const int64_t dy = p.Y < r.Top ? r.Top - p.Y : p.Y >= r.Bottom ? p.Y - r.Bottom + 1 : 0;
  return dx * dx + dy * dy;
}

}  // namespace

int GetSystemMetrics(int index) {
  const RECT screen = CurrentMonitors().front().Monitor;
  switch (index) {
    case SM_CXSCREEN: return screen.Width();
    case SM_CYSCREEN: return screen.Height();
    case SM_CXVIRTUALSCREEN:
    case SM_CYVIRTUALSCREEN:
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN: {
      RECT all;
      for (const MonitorDesc& m : CurrentMonitors()) all = all.Union(m.Monitor);
      return index == SM_CXVIRTUALSCREEN   ? all.Width()
             : index == SM_CYVIRTUALSCREEN ? all.Height()
             : index == SM_XVIRTUALSCREEN  ? all.Left
                                           : all.Top;
    }
    case SM_CXFULLSCREEN: {
      RECT work;
      SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
      return work.Width();
    }
    case SM_CYFULLSCREEN: {
      RECT work;
      SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
      return work.Height() - GetSystemMetrics(SM_CYCAPTION);
    }
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CYMENU: return 19;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CXMIN:
    case SM_CXMINTRACK: return 112;
    case SM_CYMIN:
    case SM_CYMINTRACK: return 27;
    case SM_CXMAXTRACK: return screen.Width() + 12;
    case SM_CYMAXTRACK: return screen.Height() + 12;
    case SM_CXMAXIMIZED:
    case SM_CYMAXIMIZED: {
      RECT work;
      SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
      return (index == SM_CXMAXIMIZED ? work.Width() : work.Height()) + 8;
    }
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYSMCAPTION: return 15;
    case SM_CXSMSIZE: return 12;
    case SM_CYSMSIZE: return 14;
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE: return 18;
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINIMIZED: return 24;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 13;
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER: return 1;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_MOUSEWHEELPRESENT: return 1;
    case SM_CMONITORS: return int(CurrentMonitors().size());
    case SM_SWAPBUTTON: return 0;
    default: return 0;
  }
}

bool SystemParametersInfo(UINT action, UINT uiParam, void* pvParam, UINT /*winIni*/) {
  auto& s = Sys();
  switch (action) {
    case SPI_GETWORKAREA:
      if (!pvParam) return false;
      *static_cast<RECT*>(pvParam) = CurrentMonitors().front().Work;
      return true;
    case SPI_SETWORKAREA:
      if (!pvParam) {
        s.WorkAreaOverride.reset();
      } else {
        std::vector<RECT> areas;
        for (const MonitorDesc& m : CurrentMonitors()) areas.push_back(m.Work);
        areas.front() = *static_cast<const RECT*>(pvParam);
        s.WorkAreaOverride = areas;
      }
      return true;
    case SPI_GETDRAGFULLWINDOWS:
      if (!pvParam) return false;
      *static_cast<bool*>(pvParam) = s.DragFullWindows;
      return true;
    case SPI_SETDRAGFULLWINDOWS: s.DragFullWindows = uiParam != 0; return true;
    default: return false;
  }
}

HMONITOR MonitorFromRect(const RECT* r, DWORD flags) {
  if (!r) return {};
  const auto list = CurrentMonitors();
  size_t best = 0;
  int64_t bestArea = -1;
  for (size_t i = 0; i < list.size(); ++i) {
    const RECT common = list[i].Monitor.Intersect(*r);
    const int64_t area = int64_t(common.Width()) * common.Height();
    if (!common.IsEmpty() && area > bestArea) {
      best = i;
      bestArea = area;
    }
  }
  if (bestArea > 0) return MonitorHandle(best);
  if (flags == MONITOR_DEFAULTTONULL) return {};
  if (flags == MONITOR_DEFAULTTOPRIMARY) return MonitorHandle(0);
  const POINT centre{r->Left + r->Width() / 2, r->Top + r->Height() / 2};
  for (size_t i = 1; i < list.size(); ++i) {
    if (DistanceSquared(list[i].Monitor, centre) < DistanceSquared(list[best].Monitor, centre)) best = i;
  }
  return MonitorHandle(best);
}

HMONITOR MonitorFromPoint(POINT pt, DWORD flags) {
  const RECT r = RECT::FromSize(pt.X, pt.Y, 1, 1);
  return MonitorFromRect(&r, flags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return flags == MONITOR_DEFAULTTONULL ? HMONITOR() : MonitorHandle(0);
  if (IsIconic(hwnd)) {
    WINDOWPLACEMENT wp;
    GetWindowPlacement(hwnd, &wp);
    r = wp.rcNormalPosition;
  }
  return MonitorFromRect(&r, flags);
}

bool GetMonitorInfo(HMONITOR monitor, MONITORINFO* info) {
  const auto list = CurrentMonitors();
  const uint64_t v = monitor.Value();
  if (!info || v == 0 || v > list.size()) return false;
  const MonitorDesc& m = list[v - 1];
  info->rcMonitor = m.Monitor;
  info->rcWork = m.Work;
  info->dwFlags = v == 1 ? MONITORINFOF_PRIMARY : 0;
  return true;
}

UINT GetDoubleClickTime() { return 500; }

bool MessageBeep(UINT /*type*/) {
  if (Backend* b = Sys().CurrentBackend) b->Beep();
  return true;
}

}  // namespace kora
