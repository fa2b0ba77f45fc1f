// The plain popup menu windows: a chain of topmost windows that never take
// the activation, driven by a message hook inside a nested loop.

#include <algorithm>

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/Menus_PlainLook.h"
#include "platform/window/WindowSystem.h"

namespace kora {

namespace {

constexpr const char* kClassName = "TPlainPopupMenu";
constexpr const char* kLevelProp = "PlainPopupLevel";
constexpr UINT_PTR kSubmenuTimer = 1;

RECT MonitorRectAt(POINT p) {
  MONITORINFO monitor;
  GetMonitorInfo(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcMonitor;
}

POINT MouseScreenPoint(const MSG& msg) {
  POINT p = LParamToPoint(msg.lParam);
  if (msg.message >= WM_MOUSEMOVE && msg.message <= WM_MOUSELAST) ClientToScreen(msg.hwnd, &p);
  return p;
}

bool IsMouseInput(UINT msg) {
  return (msg >= WM_MOUSEMOVE && msg <= WM_MOUSELAST) || (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK);
}

bool IsKeyInput(UINT msg) {
  return msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_CHAR || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP ||
         msg == WM_SYSCHAR;
}

}  // namespace

// One open window of the chain.
struct TPlainMenuTracker::TLevel {
  TPlainMenuLayout Layout;
  HWND Window;
  int Hot = -1;
  int Open = -1;  // the item whose submenu is the next level

  ~TLevel() {
    if (IsWindow(Window)) {
      RemoveProp(Window, kLevelProp);
      DestroyWindow(Window);
    }
  }
  RECT ScreenRect() const {
    RECT r;
    GetWindowRect(Window, &r);
    return r;
  }
  int ItemAt(POINT screen) const {
    POINT p = screen;
    ScreenToClient(Window, &p);
    for (size_t i = 0; i < Layout.Rects.size(); ++i) {
      if (PtInRect(&Layout.Rects[i], p)) return int(i);
    }
    return -1;
  }
  RECT ItemScreenRect(int index) const {
    RECT r = Layout.Rects[size_t(index)];
    MapWindowPoints(Window, HWND{}, &r);
    return r;
  }
  void InvalidateItem(int index) const {
    if (index >= 0) InvalidateRect(Window, &Layout.Rects[size_t(index)], false);
  }
  // The next selectable item after `from` going by `step`, wrapping round.
  int Step(int from, int step) const {
    const int count = int(Layout.Items.size());
    int i = from;
    for (int n = 0; n < count; ++n) {
      i = i < 0 ? (step > 0 ? 0 : count - 1) : (i + step + count) % count;
      if (IsSelectableItem(Layout.Items[size_t(i)])) return i;
    }
    return -1;
  }
};

namespace {

LRESULT PopupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* level = reinterpret_cast<TPlainMenuTracker::TLevel*>(GetProp(hwnd, kLevelProp));
  switch (msg) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (level) {
        TCanvas canvas;
        canvas.SetHandle(dc);
        PaintPlainMenu(canvas, level->Layout, level->Hot >= 0 ? level->Hot : level->Open);
        canvas.SetHandle(HDC{});
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

void RegisterPopupClass() {
  WNDCLASS existing;
  if (GetClassInfo(kClassName, &existing)) return;
  WNDCLASS wc;
  wc.style = CS_SAVEBITS;
  wc.lpfnWndProc = &PopupProc;
  wc.lpszClassName = kClassName;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClass(&wc);
}

}  // namespace

void RunMenuLoop(const std::function<bool()>& done) {
  if (Application) {
    Application->ModalLoop(done);
    return;
  }
  MSG msg;
  while (!done()) {
    if (!GetMessage(&msg, HWND{}, 0, 0)) {
      PostQuitMessage(int(msg.wParam));  // the outer loop must see it too
      return;
    }
    ProcessMessage(msg);
  }
}

TPlainMenuTracker::TPlainMenuTracker(TMenuItem* items) : FItems(items) {}

TPlainMenuTracker::~TPlainMenuTracker() = default;

std::vector<RECT> TPlainMenuTracker::WindowRects() const {
  std::vector<RECT> rects;
  for (const auto& level : FLevels) rects.push_back(level->ScreenRect());
  return rects;
}

TMenuTrackEnd TPlainMenuTracker::Track(POINT at, const RECT* exclude, bool selectFirst) {
  FChosen = nullptr;
  FDone = false;
  FEnd = TMenuTrackEnd::Closed;
  if (!FItems || FItems->VisibleCount() == 0) return FEnd;
  if (Application) Application->CancelHint();
  RegisterPopupClass();
  const int hook = AddMessageHook([this](MSG& msg) { return HandleMessage(msg); });
  const auto cleanUp = [&] {
    RemoveMessageHook(hook);
    if (!FLevels.empty() && GetCapture() == FLevels.front()->Window) ReleaseCapture();
    FLevels.clear();
    FWaitLevel = -1;
  };
  try {
    OpenLevel(FItems, at, exclude, selectFirst);
    SetCapture(FLevels.front()->Window);
    RunMenuLoop([this] { return FDone || FLevels.empty() || GetCapture() != FLevels.front()->Window; });
  } catch (...) {
    cleanUp();
    throw;
  }
  cleanUp();
  if (FEnd == TMenuTrackEnd::Chosen && FChosen) FChosen->Click();
  return FEnd;
}

void TPlainMenuTracker::OpenLevel(TMenuItem* parent, POINT at, const RECT* exclude, bool selectFirst) {
  auto level = std::make_unique<TLevel>();
  level->Layout = LayoutPlainMenu(parent);
  const SIZE size = level->Layout.Size;
  const RECT screen = MonitorRectAt(at);
  int x = at.X;
  int y = at.Y;
  if (exclude) {
    // Below the bar item, or above it when the screen ends first.
    x = exclude->Left;
    y = exclude->Bottom;
    if (y + size.cy > screen.Bottom && exclude->Top - size.cy >= screen.Top) y = exclude->Top - size.cy;
  } else {
    if (x + size.cx > screen.Right) x -= size.cx;
    if (y + size.cy > screen.Bottom) y -= size.cy;
  }
  x = std::clamp<int>(x, screen.Left, std::max<int>(screen.Left, screen.Right - size.cx));
  y = std::clamp<int>(y, screen.Top, std::max<int>(screen.Top, screen.Bottom - size.cy));
  level->Window = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, "", WS_POPUP, x, y,
                                 size.cx, size.cy, HWND{}, 0, nullptr);
  if (!level->Window) throw EMenuError("Cannot create the menu window");
  SetProp(level->Window, kLevelProp, reinterpret_cast<uintptr_t>(level.get()));
  if (selectFirst) level->Hot = level->Step(-1, 1);
  ShowWindow(level->Window, SW_SHOWNA);
  FLevels.push_back(std::move(level));
}

void TPlainMenuTracker::OpenSubmenu(int index, int item, bool selectFirst) {
  TLevel& level = *FLevels[size_t(index)];
  TMenuItem* parent = level.Layout.Items[size_t(item)];
  if (level.Open == item && int(FLevels.size()) > index + 1) return;
  CloseLevelsAfter(index);
  if (parent->VisibleCount() == 0) return;
  if (FWaitLevel >= 0) KillTimer(FLevels[size_t(FWaitLevel)]->Window, kSubmenuTimer);
  FWaitLevel = -1;
  level.Open = item;
  level.Hot = item;
  level.InvalidateItem(item);
  const RECT anchor = level.ItemScreenRect(item);
  const RECT owner = level.ScreenRect();
  const POINT at{owner.Right - kPlainMenuFrame, anchor.Top - kPlainMenuFrame};
  OpenLevel(parent, at, nullptr, selectFirst);
  // Flip to the left of the parent when there is no room on the right.
  TLevel& sub = *FLevels.back();
  const RECT placed = sub.ScreenRect();
  const RECT screen = MonitorRectAt(at);
  if (at.X + sub.Layout.Size.cx > screen.Right) {
    const int x = std::max<int>(screen.Left, owner.Left - sub.Layout.Size.cx + kPlainMenuFrame);
    SetWindowPos(sub.Window, HWND{}, x, placed.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TPlainMenuTracker::CloseLevelsAfter(int index) {
  if (FWaitLevel > index) FWaitLevel = -1;
  while (int(FLevels.size()) > index + 1) FLevels.pop_back();
  if (index >= 0 && index < int(FLevels.size())) {
    TLevel& level = *FLevels[size_t(index)];
    if (level.Open >= 0) level.InvalidateItem(level.Open);
    level.Open = -1;
  }
}

void TPlainMenuTracker::SetHot(int index, int item) {
  TLevel& level = *FLevels[size_t(index)];
  if (level.Hot == item) return;
  level.InvalidateItem(level.Hot);
  level.Hot = item;
  level.InvalidateItem(item);
}

void TPlainMenuTracker::Choose(TMenuItem* item) {
  FChosen = item;
  End(TMenuTrackEnd::Chosen);
}

void TPlainMenuTracker::End(TMenuTrackEnd how) {
  FEnd = how;
  FDone = true;
}

int TPlainMenuTracker::LevelAt(POINT screen) const {
  for (int i = int(FLevels.size()) - 1; i >= 0; --i) {
    const RECT r = FLevels[size_t(i)]->ScreenRect();
    if (PtInRect(&r, screen)) return i;
  }
  return -1;
}

bool TPlainMenuTracker::HandleMessage(MSG& msg) {
  if (FDone || FLevels.empty()) return false;
  if (msg.message == WM_TIMER && msg.wParam == kSubmenuTimer && FWaitLevel >= 0 &&
      msg.hwnd == FLevels[size_t(FWaitLevel)]->Window) {
    const int index = FWaitLevel;
    KillTimer(msg.hwnd, kSubmenuTimer);
    FWaitLevel = -1;
    TLevel& level = *FLevels[size_t(index)];
    if (level.Hot >= 0) OpenSubmenu(index, level.Hot, false);
    return true;
  }
  if (msg.message == WM_CANCELMODE) {
    End(TMenuTrackEnd::Closed);
    return false;
  }
  if (IsMouseInput(msg.message)) {
    HandleMouse(msg.message, MouseScreenPoint(msg));
    return true;
  }
  if (IsKeyInput(msg.message)) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) HandleKey(WORD(msg.wParam));
    return true;
  }
  return false;
}

void TPlainMenuTracker::HandleMouse(UINT msg, POINT screen) {
  const int index = LevelAt(screen);
  if (index < 0) {
    if (IsMouseButtonPress(msg)) {
      End(TMenuTrackEnd::Closed);
    } else if (msg == WM_MOUSEMOVE && OnMouseOutside && OnMouseOutside(screen)) {
      End(TMenuTrackEnd::Outside);
    }
    return;
  }
  TLevel& level = *FLevels[size_t(index)];
  const int item = level.ItemAt(screen);
  TMenuItem* target = item >= 0 ? level.Layout.Items[size_t(item)] : nullptr;
  const bool selectable = target && IsSelectableItem(target);
  if (msg == WM_MOUSEMOVE) {
    if (!selectable) {
      if (level.Open < 0) SetHot(index, -1);
      return;
    }
    if (level.Hot == item && (level.Open == item || FWaitLevel == index || target->VisibleCount() == 0)) return;
    SetHot(index, item);
    // Hovering anything but the open item closes what is open beyond it.
    if (level.Open != item) CloseLevelsAfter(index);
    if (FWaitLevel >= 0 && FWaitLevel < int(FLevels.size()))
      KillTimer(FLevels[size_t(FWaitLevel)]->Window, kSubmenuTimer);
    FWaitLevel = -1;
    if (target->VisibleCount() > 0 && level.Open != item) {
      FWaitLevel = index;
      SetTimer(level.Window, kSubmenuTimer, kSubmenuDelay, nullptr);
    }
    return;
  }
  if (!selectable) return;
  if (IsMouseButtonPress(msg)) {
    SetHot(index, item);
    if (target->VisibleCount() > 0) OpenSubmenu(index, item, false);
  } else if ((msg == WM_LBUTTONUP || msg == WM_RBUTTONUP) && target->Count() == 0) {
    Choose(target);
  }
}

void TPlainMenuTracker::HandleKey(WORD key) {
  const int index = int(FLevels.size()) - 1;
  TLevel& level = *FLevels[size_t(index)];
  const auto activate = [&](int item) {
    TMenuItem* target = level.Layout.Items[size_t(item)];
    SetHot(index, item);
    if (target->VisibleCount() > 0) {
      OpenSubmenu(index, item, true);
    } else if (target->Count() == 0) {
      Choose(target);
    }
  };
  switch (key) {
    case VK_UP:
    case VK_DOWN: {
      const int next = level.Step(level.Hot, key == VK_DOWN ? 1 : -1);
      if (next >= 0) SetHot(index, next);
      return;
    }
    case VK_RETURN:
      if (level.Hot >= 0) activate(level.Hot);
      return;
    case VK_RIGHT:
      if (level.Hot >= 0 && level.Layout.Items[size_t(level.Hot)]->VisibleCount() > 0) {
        OpenSubmenu(index, level.Hot, true);
      } else if (LeaveSideways) {
        End(TMenuTrackEnd::Right);
      }
      return;
    case VK_LEFT:
    case VK_ESCAPE:
      if (index > 0) {
        CloseLevelsAfter(index - 1);
        FLevels[size_t(index - 1)]->InvalidateItem(FLevels[size_t(index - 1)]->Hot);
      } else if (key == VK_ESCAPE) {
        End(TMenuTrackEnd::Closed);
      } else if (LeaveSideways) {
        End(TMenuTrackEnd::Left);
      }
      return;
    case VK_MENU:
    case VK_F10: End(TMenuTrackEnd::Closed); return;
    default: break;
  }
  for (size_t i = 0; i < level.Layout.Items.size(); ++i) {
    const TMenuItem* item = level.Layout.Items[i];
    if (!item->IsLine() && IsAccel(char32_t(key), item->Caption())) {
      if (item->Enabled()) activate(int(i));
      return;
    }
  }
}

void PlainPopupMenu(TPopupMenu& menu, int x, int y) {
  TPlainMenuTracker tracker(menu.Items());
  tracker.Track({x, y});
}

}  // namespace kora
