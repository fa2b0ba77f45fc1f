// Window classes.

#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

ATOM RegisterClass(const WNDCLASS* wc) {
  if (!wc || !wc->lpszClassName || !*wc->lpszClassName || !wc->lpfnWndProc) return 0;
  auto& s = Sys();
  if (s.Classes.count(wc->lpszClassName)) return 0;
  auto rec = std::make_shared<WindowClassRec>();
  rec->Name = wc->lpszClassName;
  rec->Atom = s.NextAtom++;
  rec->Style = wc->style;
  rec->Proc = wc->lpfnWndProc;
  rec->Icon = wc->hIcon;
  rec->IconSmall = wc->hIconSm;
  rec->Cursor = wc->hCursor;
  rec->Background = wc->hbrBackground;
  s.Classes.emplace(rec->Name, rec);
  return rec->Atom;
}

bool GetClassInfo(const char* className, WNDCLASS* out) {
  if (!className || !out) return false;
  auto& s = Sys();
  auto it = s.Classes.find(std::string_view(className));
  if (it == s.Classes.end()) return false;
  const WindowClassRec& c = *it->second;
  out->style = c.Style;
  out->lpfnWndProc = c.Proc;
  out->hIcon = c.Icon;
  out->hIconSm = c.IconSmall;
  out->hCursor = c.Cursor;
  out->hbrBackground = c.Background;
  out->lpszClassName = c.Name.c_str();
  return true;
}

LONG_PTR GetClassLong(HWND hwnd, int index) {
  WindowRec* w = Win(hwnd);
  if (!w) return 0;
  const WindowClassRec& c = *w->Class;
  switch (index) {
    case GCL_STYLE: return LONG_PTR(c.Style);
    case GCLP_HCURSOR: return LONG_PTR(c.Cursor.Value());
    case GCLP_HBRBACKGROUND: return LONG_PTR(c.Background.Value());
    case GCLP_HICON: return LONG_PTR(c.Icon.Value());
    default: return 0;
  }
}

LONG_PTR SetClassLong(HWND hwnd, int index, LONG_PTR value) {
  WindowRec* w = Win(hwnd);
  if (!w) return 0;
  const LONG_PTR old = GetClassLong(hwnd, index);
  WindowClassRec& c = *w->Class;
  switch (index) {
    case GCL_STYLE: c.Style = UINT(value); break;
    case GCLP_HCURSOR: c.Cursor = HCURSOR(uint64_t(value)); break;
    case GCLP_HBRBACKGROUND: c.Background = HBRUSH(uint64_t(value)); break;
    case GCLP_HICON: c.Icon = HICON(uint64_t(value)); break;
    default: return 0;
  }
  return old;
}

int GetClassName(HWND hwnd, char* buffer, int size) {
  WindowRec* w = Win(hwnd);
  if (!w || !buffer || size <= 0) return 0;
  const std::string& name = w->Class->Name;
  const int n = std::min<int>(int(name.size()), size - 1);
  name.copy(buffer, size_t(n));
  buffer[n] = 0;
  return n;
}

std::string GetClassName(HWND hwnd) {
  WindowRec* w = Win(hwnd);
  return w ? w->Class->Name : std::string();
}

}  // namespace kora
