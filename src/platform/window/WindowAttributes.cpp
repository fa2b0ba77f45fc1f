// Window state queries, the tree, window longs, properties and text.

#include <algorithm>
#include <cstring>

#include "platform/window/Focus.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

bool IsWindow(HWND hwnd) { return Win(hwnd) != nullptr; }

bool IsWindowVisible(HWND hwnd) {
  WindowRec* w = Win(hwnd);
  return w && IsReallyVisible(*w);
}

bool IsWindowEnabled(HWND hwnd) {
  WindowRec* w = Win(hwnd);
  return w && !(w->Style & WS_DISABLED);
}

bool IsIconic(HWND hwnd) {
  WindowRec* w = Win(hwnd);
  return w && (w->Style & WS_MINIMIZE);
}

bool IsZoomed(HWND hwnd) {
  WindowRec* w = Win(hwnd);
  return w && (w->Style & WS_MAXIMIZE);
}

bool IsChild(HWND parent, HWND hwnd) { return Win(parent) && IsDescendant(parent, hwnd); }

HWND GetParent(HWND hwnd) {
  WindowRec* w = Win(hwnd);
  if (!w) return {};
  if (w->Style & WS_CHILD) return w->Parent;
  return w->Parent ? w->Parent : w->Owner;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  WindowRec* w = Win(hwnd);
  if (!w) return {};
  switch (flags) {
    case GA_PARENT: return w->Parent;
    case GA_ROOT: return RootOf(hwnd);
    case GA_ROOTOWNER: {
      HWND h = RootOf(hwnd);
      while (WindowRec* r = Win(h)) {
        if (!r->Owner) break;
        h = r->Owner;
      }
      return h;
    }
    default: return {};
  }
}

HWND GetWindow(HWND hwnd, UINT cmd) {
  WindowRec* w = Win(hwnd);
  if (!w) return {};
  if (cmd == GW_OWNER) return w->Parent ? HWND() : w->Owner;
  if (cmd == GW_CHILD) return w->Children.empty() ? HWND() : w->Children.front();
  if (cmd == GW_ENABLEDPOPUP) {
    for (HWND t : Sys().TopLevels) {
      WindowRec* r = Win(t);
      if (r && r->Owner == hwnd && (r->Style & WS_VISIBLE) && !(r->Style & WS_DISABLED)) return t;
    }
    return {};
  }
  const auto& list = SiblingList(*w);
  auto it = std::find(list.begin(), list.end(), hwnd);
  switch (cmd) {
    case GW_HWNDFIRST: return list.front();
    case GW_HWNDLAST: return list.back();
    case GW_HWNDNEXT: return (it == list.end() || it + 1 == list.end()) ? HWND() : *(it + 1);
    case GW_HWNDPREV: return (it == list.begin() || it == list.end()) ? HWND() : *(it - 1);
    default: return {};
  }
}

HWND GetTopWindow(HWND parent) {
  if (!parent) return Sys().TopLevels.empty() ? HWND() : Sys().TopLevels.front();
  return GetWindow(parent, GW_CHILD);
}

bool EnumWindows(bool (*f)(HWND, LPARAM), LPARAM lParam) {
  if (!f) return false;
  const std::vector<HWND> tops = Sys().TopLevels;
  for (HWND t : tops) {
    if (Win(t) && !f(t, lParam)) return false;
  }
  return true;
}

HWND FindWindow(const char* className, const char* windowName) {
  for (HWND t : Sys().TopLevels) {
    WindowRec* w = Win(t);
    if (!w) continue;
    if (className && w->Class->Name != className) continue;
    if (windowName && w->Text != windowName) continue;
    return t;
  }
  return {};
}

int GetDlgCtrlID(HWND hwnd) {
  WindowRec* w = Win(hwnd);
  return (w && (w->Style & WS_CHILD)) ? int(w->Id) : 0;
}

HWND GetDlgItem(HWND parent, int id) {
  WindowRec* w = Win(parent);
  if (!w) return {};
  for (HWND c : w->Children) {
    WindowRec* r = Win(c);
    if (r && int(r->Id) == id) return c;
  }
  return {};
}

LONG_PTR GetWindowLong(HWND hwnd, int index) {
  WindowRec* w = Win(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWL_STYLE: return LONG_PTR(w->Style);
    case GWL_EXSTYLE: return LONG_PTR(w->ExStyle);
    case GWL_WNDPROC: return LONG_PTR(reinterpret_cast<uintptr_t>(w->Proc));
    case GWL_USERDATA: return w->UserData;
    case GWL_ID: return LONG_PTR(w->Id);
    case GWL_HWNDPARENT: return LONG_PTR(GetParent(hwnd).Value());
    default: return 0;
  }
}

LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value) {
  WindowRec* w = Win(hwnd);
  if (!w) return 0;
  const LONG_PTR old = GetWindowLong(hwnd, index);
  switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE: {
      STYLESTRUCT ss{DWORD(old), DWORD(value)};
      if (index == GWL_EXSTYLE) {
        // Topmost changes only through SetWindowPos, as in the classic system.
        ss.styleNew = (ss.styleNew & ~WS_EX_TOPMOST) | (ss.styleOld & WS_EX_TOPMOST);
      }
      SendTo(*w, WM_STYLECHANGING, WPARAM(index), ToLParam(&ss));
      if (!(w = Win(hwnd))) return 0;
      if (index == GWL_STYLE) {
        w->Style = ss.styleNew;
      } else {
        w->ExStyle = ss.styleNew;
        if (!(w->ExStyle & WS_EX_LAYERED)) w->Alpha = 255;
      }
      SendTo(*w, WM_STYLECHANGED, WPARAM(index), ToLParam(&ss));
      if ((w = Win(hwnd)) && IsTopLevel(*w)) NotifyBackend(hwnd);
      break;
    }
    case GWL_WNDPROC: {
      auto proc = reinterpret_cast<WNDPROC>(uintptr_t(value));
      if (!proc) return 0;
      w->Proc = proc;
      break;
    }
    case GWL_USERDATA: w->UserData = value; break;
    case GWL_ID: w->Id = UINT_PTR(value); break;
    case GWL_HWNDPARENT:
      if (w->Parent) return 0;
      w->Owner = RootOf(ParamToHwnd(uintptr_t(value)));
      NotifyBackend(hwnd);
      break;
    default: return 0;
  }
  return old;
}

bool SetProp(HWND hwnd, std::string_view name, uintptr_t value) {
  WindowRec* w = Win(hwnd);
  if (!w || name.empty()) return false;
  w->Props.insert_or_assign(std::string(name), value);
  return true;
}

uintptr_t GetProp(HWND hwnd, std::string_view name) {
  WindowRec* w = Win(hwnd);
  if (!w) return 0;
  auto it = w->Props.find(name);
  return it == w->Props.end() ? 0 : it->second;
}

uintptr_t RemoveProp(HWND hwnd, std::string_view name) {
  WindowRec* w = Win(hwnd);
  if (!w) return 0;
  auto it = w->Props.find(name);
  if (it == w->Props.end()) return 0;
  const uintptr_t v = it->second;
  w->Props.erase(it);
  return v;
}

bool SetWindowText(HWND hwnd, const char* text) {
  if (!Win(hwnd)) return false;
  return SendMessage(hwnd, WM_SETTEXT, 0, ToLParam(text ? text : "")) != 0;
}

int GetWindowTextLength(HWND hwnd) { return int(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

int GetWindowText(HWND hwnd, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = 0;
  return int(SendMessage(hwnd, WM_GETTEXT, WPARAM(size), ToLParam(buffer)));
}

std::string GetWindowText(HWND hwnd) {
  const int n = GetWindowTextLength(hwnd);
  if (n <= 0) return {};
  std::string s(size_t(n) + 1, '\0');
  const int got = GetWindowText(hwnd, s.data(), n + 1);
  s.resize(size_t(std::max(got, 0)));
  return s;
}

}  // namespace kora
