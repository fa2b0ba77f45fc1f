// The plain menu bar: a form's main menu drawn in its frame between the
// caption and the client area, opening drop-downs with the plain popup
// windows, driven by the mouse and by Alt, F10 and Alt+letter.

#include <algorithm>
#include <cstdint>
#include <map>

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/Menus_PlainLook.h"
#include "platform/text/Text.h"
#include "platform/window/WindowSystem.h"

namespace kora {

namespace {

constexpr int kItemPadding = 7;

// The highlighted item of each bar while it is in use.
std::map<uint64_t, int>& HotItems() {
  static std::map<uint64_t, int> items;
  return items;
}

int BarHeight() { return GetSystemMetrics(SM_CYMENU); }

// The bar in screen coordinates: the strip just above the client area.
RECT BarScreenRect(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  MapWindowPoints(hwnd, HWND{}, &client);
  return {client.Left, client.Top - BarHeight(), client.Right, client.Top};
}

struct TBarItem {
  TMenuItem* Item;
  RECT Rect;  // screen coordinates
};

std::vector<TBarItem> LayoutBar(HWND hwnd, const TMainMenu& menu) {
  std::vector<TBarItem> items;
  const RECT bar = BarScreenRect(hwnd);
  TCanvas canvas;
  HDC dc = GetDC(HWND{});
  canvas.SetHandle(dc);
  int x = bar.Left;
  for (int i = 0; i < menu.Items()->Count(); ++i) {
    TMenuItem* item = menu.Items()->Items(i);
    if (!item->Visible()) continue;
    RECT text{0, 0, 0, 0};
    DrawText(canvas.Handle(), item->Caption(), &text, DT_CALCRECT | DT_SINGLELINE);
    const int width = text.Right + 2 * kItemPadding;
    items.push_back({item, {x, bar.Top, x + width, bar.Bottom}});
    x += width;
  }
  canvas.SetHandle(HDC{});
  ReleaseDC(HWND{}, dc);
  return items;
}

int ItemAt(const std::vector<TBarItem>& items, POINT screen) {
  for (size_t i = 0; i < items.size(); ++i) {
    if (PtInRect(&items[i].Rect, screen)) return int(i);
  }
  return -1;
}

void PaintBar(HWND hwnd, const TMainMenu& menu) {
  const auto hot = HotItems().find(hwnd.Value());
  const int hotIndex = hot == HotItems().end() ? -1 : hot->second;
  RECT window;
  GetWindowRect(hwnd, &window);
  HDC dc = GetWindowDC(hwnd);
  TCanvas canvas;
  canvas.SetHandle(dc);
  RECT bar = BarScreenRect(hwnd);
  OffsetRect(&bar, -window.Left, -window.Top);
  canvas.Brush()->SetColor(clMenu);
  canvas.FillRect(bar);
  const std::vector<TBarItem> items = LayoutBar(hwnd, menu);
  for (size_t i = 0; i < items.size(); ++i) {
    RECT r = items[i].Rect;
    OffsetRect(&r, -window.Left, -window.Top);
    const bool isHot = int(i) == hotIndex;
    if (isHot) {
      canvas.Brush()->SetColor(clHighlight);
      canvas.FillRect(r);
    }
    DrawMenuText(canvas, items[i].Item->Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE, items[i].Item->Enabled(),
                 isHot);
  }
  canvas.SetHandle(HDC{});
  ReleaseDC(hwnd, dc);
}

void SetHot(HWND hwnd, const TMainMenu& menu, int index) {
  if (index < 0) {
    HotItems().erase(hwnd.Value());
  } else {
    HotItems()[hwnd.Value()] = index;
  }
  PaintBar(hwnd, menu);
}

// The next enabled item going by step, wrapping round.
int StepItem(const std::vector<TBarItem>& items, int from, int step) {
  const int count = int(items.size());
  int i = from;
  for (int n = 0; n < count; ++n) {
    i = (i + step + count) % count;
    if (items[size_t(i)].Item->Enabled()) return i;
  }
  return from;
}

int AccelItem(const std::vector<TBarItem>& items, char32_t key) {
  for (size_t i = 0; i < items.size(); ++i) {
    if (IsAccel(key, items[i].Item->Caption())) return int(i);
  }
  return -1;
}

// How the bar's keyboard mode ended: an item to open, or leaving the menu.
struct TKeyboardMode {
  int Index;
  bool Open = false;
  bool SelectFirst = false;
};

// The highlight moves along the bar with Left and Right until Down, Enter,
// an accelerator or a click opens an item; Escape, Alt, F10 or a click
// elsewhere leave.
TKeyboardMode WaitInKeyboardMode(HWND hwnd, TMainMenu& menu, const std::vector<TBarItem>& items, int index) {
  TKeyboardMode result{index};
  bool waiting = true;
  const auto open = [&](int item, bool selectFirst) {
    result = {item, true, selectFirst};
    waiting = false;
  };
  const int hook = AddMessageHook([&](MSG& msg) {
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        switch (msg.wParam) {
          case VK_LEFT:
          case VK_RIGHT:
            result.Index = StepItem(items, result.Index, msg.wParam == VK_LEFT ? -1 : 1);
            SetHot(hwnd, menu, result.Index);
            break;
          case VK_DOWN:
          case VK_UP:
          case VK_RETURN: open(result.Index, true); break;
          case VK_ESCAPE:
          case VK_MENU:
          case VK_F10: waiting = false; break;
          default:
            if (const int found = AccelItem(items, char32_t(msg.wParam)); found >= 0) open(found, true);
            break;
        }
        return true;
      case WM_KEYUP:
      case WM_SYSKEYUP:
      case WM_CHAR:
      case WM_SYSCHAR: return true;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_NCLBUTTONDOWN:
      case WM_NCRBUTTONDOWN: {
        POINT p = LParamToPoint(msg.lParam);
        if (msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN) ClientToScreen(msg.hwnd, &p);
        const int over = ItemAt(items, p);
        waiting = false;
        if (over < 0) return false;  // a click elsewhere leaves and goes on
        open(over, false);
        return true;
      }
      default: return false;
    }
  });
  try {
    RunMenuLoop([&] { return !waiting || !IsWindow(hwnd); });
  } catch (...) {
    RemoveMessageHook(hook);
    throw;
  }
  RemoveMessageHook(hook);
  return result;
}

// Runs the bar from `index`: drop-downs open one after the other as the
// mouse or Left and Right move along the bar; without `open` the bar waits
// in keyboard mode with the item highlighted. Returns once the menu closed.
void TrackBar(HWND hwnd, TMainMenu& menu, int index, bool open, bool selectFirst) {
  std::vector<TBarItem> items = LayoutBar(hwnd, menu);
  if (items.empty() || index < 0) return;
  if (Application) Application->CancelHint();
  // The bar loses its highlight however the tracking ends, a failing
  // command included.
  struct TUnhighlight {
    HWND Window;
    TMainMenu& Menu;
    ~TUnhighlight() {
      if (IsWindow(Window)) SetHot(Window, Menu, -1);
    }
  } unhighlight{hwnd, menu};
  TMenuItem* command = nullptr;
  bool done = false;
  bool arrived = false;  // moved to this item along the bar rather than picked
  while (!done) {
    items = LayoutBar(hwnd, menu);
    if (index >= int(items.size())) break;
    SetHot(hwnd, menu, index);
    TMenuItem* item = items[size_t(index)].Item;
    if (open && item->VisibleCount() == 0) {
      if (!arrived) {
        // Activated, an item without a drop-down is a command of its own.
        if (item->Enabled() && item->Count() == 0) command = item;
        break;
      }
      open = false;  // reached by moving along the bar: only highlighted
    }
    arrived = false;
    if (open) {
      TPlainMenuTracker tracker(item);
      tracker.LeaveSideways = true;
      // The bar lets go of the item before the chosen command runs.
      tracker.OnClosed = [&] {
        if (tracker.Chosen() && IsWindow(hwnd)) SetHot(hwnd, menu, -1);
      };
      int switchTo = -1;
      tracker.OnMouseOutside = [&](POINT p) {
        const int over = ItemAt(items, p);
        if (over < 0 || over == index || !items[size_t(over)].Item->Enabled()) return false;
        switchTo = over;
        return true;
      };
      const RECT anchor = items[size_t(index)].Rect;
      switch (tracker.Track({anchor.Left, anchor.Bottom}, &anchor, selectFirst)) {
        case TMenuTrackEnd::Left:
          index = StepItem(items, index, -1);
          selectFirst = arrived = true;
          break;
        case TMenuTrackEnd::Right:
          index = StepItem(items, index, 1);
          selectFirst = arrived = true;
          break;
        case TMenuTrackEnd::Outside:
          index = switchTo;
          selectFirst = false;
          arrived = true;
          break;
        default: done = true; break;
      }
      continue;
    }
    const TKeyboardMode keys = WaitInKeyboardMode(hwnd, menu, items, index);
    if (!IsWindow(hwnd)) return;
    index = keys.Index;
    open = keys.Open;
    selectFirst = keys.SelectFirst;
    done = !keys.Open;
  }
  if (IsWindow(hwnd)) SetHot(hwnd, menu, -1);
  if (command) command->Click();
}

}  // namespace

void PlainMenuBarChanged(TCustomForm& form) {
  if (form.ComponentState().Contains(csDestroying)) return;
  if (TMainMenu* menu = form.Menu(); menu && form.HandleAllocated()) menu->SetWindowHandle(form.Handle());
  if (form.HandleAllocated())
    SetWindowPos(form.Handle(), HWND{}, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT PlainMenuBarItemRect(TCustomForm& form, int index) {
  if (!form.Menu() || !form.HandleAllocated() || index < 0) return {};
  const std::vector<TBarItem> items = LayoutBar(form.Handle(), *form.Menu());
  return index < int(items.size()) ? items[size_t(index)].Rect : RECT{};
}

bool PlainMenuBarMessage(TCustomForm& form, TMessage& message) {
  TMainMenu* menu = form.Menu();
  if (!menu || !form.HandleAllocated()) return false;
  const HWND hwnd = form.Handle();
  switch (message.Msg) {
    case WM_NCCALCSIZE: {
      message.Result = DefWindowProc(hwnd, message.Msg, message.WParam, message.LParam);
      // With wParam the first rectangle of NCCALCSIZE_PARAMS is the client.
      RECT* client = reinterpret_cast<RECT*>(message.LParam);
      if (client) client->Top = std::min<int>(client->Top + BarHeight(), client->Bottom);
      menu->SetWindowHandle(hwnd);
      return true;
    }
    case WM_NCPAINT:
    case WM_NCACTIVATE:
      message.Result = DefWindowProc(hwnd, message.Msg, message.WParam, message.LParam);
      PaintBar(hwnd, *menu);
      return true;
    case WM_NCHITTEST: {
      const POINT p = LParamToPoint(message.LParam);
      const RECT bar = BarScreenRect(hwnd);
      if (!PtInRect(&bar, p)) return false;
      message.Result = HTMENU;
      return true;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      if (message.WParam != WPARAM(HTMENU)) return false;
      const int index = ItemAt(LayoutBar(hwnd, *menu), LParamToPoint(message.LParam));
      if (index >= 0 && LayoutBar(hwnd, *menu)[size_t(index)].Item->Enabled())
        TrackBar(hwnd, *menu, index, true, false);
      message.Result = 0;
      return true;
    }
    case WM_SYSCOMMAND: {
      if ((message.WParam & 0xFFF0) != SC_KEYMENU) return false;
      const std::vector<TBarItem> items = LayoutBar(hwnd, *menu);
      message.Result = 0;
      if (items.empty()) return false;
      if (message.LParam == 0) {
        TrackBar(hwnd, *menu, StepItem(items, -1, 1), false, false);
      } else if (const int found = AccelItem(items, char32_t(message.LParam)); found >= 0) {
        if (items[size_t(found)].Item->Enabled()) TrackBar(hwnd, *menu, found, true, true);
      } else if (message.LParam != ' ') {
        MessageBeep(0);
      } else {
        return false;  // Alt+Space: the system menu
      }
      return true;
    }
    case WM_NCDESTROY:
      HotItems().erase(hwnd.Value());
      if (menu->WindowHandle() == hwnd) menu->SetWindowHandle(HWND{});
      return false;
    default: return false;
  }
}

}  // namespace kora
