// Popup menu windows: the window every look's popup lives in (topmost,
// never activated, painted by its look), and the plain look's popups.

#include <algorithm>

#include "framework/menus/Menus.h"
#include "framework/menus/Menus_PlainLook.h"
#include "platform/window/WindowSystem.h"

namespace kora {

namespace {

constexpr const char* kPopupProp = "MenuPopup";

LRESULT PopupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* popup = reinterpret_cast<TMenuPopup*>(GetProp(hwnd, kPopupProp));
  LRESULT result = 0;
  if (popup && popup->Message(msg, wParam, lParam, result)) return result;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterPopupClass(const char* name, UINT style) {
  WNDCLASS existing;
  if (GetClassInfo(name, &existing)) return;
  WNDCLASS wc;
  wc.style = style;
  wc.lpfnWndProc = &PopupProc;
  wc.lpszClassName = name;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClass(&wc);
}

RECT MonitorRectAt(POINT p) {
  MONITORINFO monitor;
  GetMonitorInfo(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcMonitor;
}

// The plain look: system menu colours, an etched frame, flipped where the
// screen ends.
class TPlainPopup : public TMenuPopup {
public:
  using TMenuPopup::TMenuPopup;

  void Measure() override {
    FLayout = LayoutPlainMenu(Parent);
    Items = FLayout.Items;
    Size = FLayout.Size;
  }
  void LayoutItems() override {
    Rects = FLayout.Rects;
    ShownCount = Count();
  }
  POINT Place(const TMenuAnchor& anchor) const override {
    const POINT at = anchor.Rect.TopLeft();
    const RECT screen = MonitorRectAt(at);
    int x = at.X;
    int y = at.Y;
    if (Level > 0) {
      // Right of the parent window, level with the item; left of it when
      // there is no room.
      const RECT owner = Tracker.Popup(Level - 1)->ScreenRect();
      x = owner.Right - kPlainMenuFrame;
      y = anchor.Rect.Top - kPlainMenuFrame;
      if (x + Size.cx > screen.Right) x = std::max<int>(screen.Left, owner.Left - Size.cx + kPlainMenuFrame);
    } else if (anchor.Under) {
      // Below the bar item, or above it when the screen ends first.
      x = anchor.Rect.Left;
      y = anchor.Rect.Bottom;
      if (y + Size.cy > screen.Bottom && anchor.Rect.Top - Size.cy >= screen.Top) y = anchor.Rect.Top - Size.cy;
    } else {
      if (x + Size.cx > screen.Right) x -= Size.cx;
      if (y + Size.cy > screen.Bottom) y -= Size.cy;
    }
    x = std::clamp<int>(x, screen.Left, std::max<int>(screen.Left, screen.Right - Size.cx));
    y = std::clamp<int>(y, screen.Top, std::max<int>(screen.Top, screen.Bottom - Size.cy));
    return {x, y};
  }
  void Paint(TCanvas& canvas) override { PaintPlainMenu(canvas, FLayout, Highlighted()); }
  const char* ClassName() const override { return "TPlainPopupMenu"; }

private:
  TPlainMenuLayout FLayout;
};

class TPlainLook : public TMenuLook {
public:
  std::unique_ptr<TMenuPopup> CreatePopup(TMenuTracker& tracker, TMenuItem* parent, int level, int) override {
    return std::make_unique<TPlainPopup>(tracker, parent, level);
  }
};

TPlainLook& PlainLook() {
  static TPlainLook look;
  return look;
}

}  // namespace

// ---- TMenuPopup
// --------------------------------------------------------------------

TMenuPopup::TMenuPopup(TMenuTracker& tracker, TMenuItem* parent, int level)
    : Tracker(tracker), Parent(parent), Level(level) {}

TMenuPopup::~TMenuPopup() {
  if (IsWindow(Window)) {
    RemoveProp(Window, kPopupProp);
    DestroyWindow(Window);
  }
}

void TMenuPopup::Create(const TMenuAnchor& anchor) {
  Measure();
  LayoutItems();
  const POINT at = Place(anchor);
  RegisterPopupClass(ClassName(), ClassStyle());
  Window = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, ClassName(), "", WS_POPUP, at.X, at.Y,
                          Size.cx, Size.cy, HWND{}, 0, nullptr);
  if (!Window) throw EMenuError("Cannot create the menu window");
  SetProp(Window, kPopupProp, reinterpret_cast<uintptr_t>(this));
  Prepare();
}

void TMenuPopup::Show() {
  ShowWindow(Window, SW_SHOWNA);
  Shown();
}

bool TMenuPopup::Message(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  switch (msg) {
    case WM_MOUSEACTIVATE: result = MA_NOACTIVATE; return true;
    case WM_ERASEBKGND: result = 1; return true;  // Paint covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Window, &ps);
      TCanvas canvas;
      canvas.SetHandle(dc);
      Paint(canvas);
      canvas.SetHandle(HDC{});
      EndPaint(Window, &ps);
      result = 0;
      return true;
    }
    default: return false;
  }
}

void TMenuPopup::ItemChanged(int index) { InvalidateItem(index); }

int TMenuPopup::ItemAt(POINT client) const {
  for (int i = 0; i < Count(); ++i) {
    if (IsShown(i) && PtInRect(&Rects[size_t(i)], client)) return i;
  }
  return -1;
}

RECT TMenuPopup::ScreenRect() const {
  RECT r;
  GetWindowRect(Window, &r);
  return r;
}

RECT TMenuPopup::ItemScreenRect(int index) const {
  RECT r = Rects[size_t(index)];
  MapWindowPoints(Window, HWND{}, &r);
  return r;
}

int TMenuPopup::Step(int from, int step) const {
  const int count = Count();
  int i = from;
  for (int n = 0; n < count; ++n) {
    i = i < 0 ? (step > 0 ? 0 : count - 1) : (i + step + count) % count;
    if (IsSelectableItem(Items[size_t(i)])) return i;
  }
  return -1;
}

void TMenuPopup::Invalidate() const {
  if (IsWindow(Window)) InvalidateRect(Window, nullptr, false);
}

void TMenuPopup::InvalidateItem(int index) const {
  if (index >= 0 && index < Count() && IsWindow(Window)) InvalidateRect(Window, &Rects[size_t(index)], false);
}

// ---- The plain look
// -----------------------------------------------------------------

TPlainMenuTracker::TPlainMenuTracker(TMenuItem* items) : TMenuTracker(items, PlainLook()) {}

void PlainPopupMenu(TPopupMenu& menu, int x, int y) {
  TPlainMenuTracker tracker(menu.Items());
  tracker.Track({x, y});
}

}  // namespace kora
