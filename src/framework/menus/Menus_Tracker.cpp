// The tracker of popup menu chains: the nested loop, the mouse, the keys,
// submenus opening on hover after a delay, scrolling windows.

#include "framework/controls/ModalLoop.h"
#include "framework/menus/Menus.h"
#include "framework/menus/Menus_PlainLook.h"
#include "platform/window/WindowSystem.h"

namespace kora {

namespace {

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

bool HasSubmenu(const TMenuItem* item) { return item->VisibleCount() > 0; }

}  // namespace

bool TMenuModeKeys::Take(const MSG& msg, bool& ends) {
  ends = false;
  const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  const bool up = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
  // Only presses and releases: a typed "y" comes as a character whose
  // code is F10's.
  const WORD key = WORD(msg.wParam);
  if ((!down && !up) || (key != VK_MENU && key != VK_F10)) {
    if (down) FAltAlone = false;
    return false;
  }
  if (down) {
    if (!(msg.lParam & (1 << 30))) FAltAlone = key == VK_MENU;
  } else {
    ends = key == VK_F10 || FAltAlone;
    FAltAlone = false;
  }
  return true;
}

TMenuTracker::TMenuTracker(TMenuItem* items, TMenuLook& look, TMenuTrackOptions options)
    : FItems(items), FLook(look), FOptions(options) {}

TMenuTracker::~TMenuTracker() = default;

std::vector<RECT> TMenuTracker::WindowRects() const {
  std::vector<RECT> rects;
  for (const auto& level : FLevels) rects.push_back(level->ScreenRect());
  return rects;
}

void TMenuTracker::Cancel() {
  if (FTracking) End(TMenuTrackEnd::Closed);
}

TMenuTrackEnd TMenuTracker::Track(POINT at, const RECT* exclude, bool selectFirst) {
  TMenuAnchor anchor;
  anchor.Rect = exclude ? *exclude : RECT{at.X, at.Y, at.X, at.Y};
  anchor.Under = exclude != nullptr;
  return Track(anchor, selectFirst);
}

TMenuTrackEnd TMenuTracker::Track(const TMenuAnchor& anchor, bool selectFirst, int first) {
  FChosen = nullptr;
  FDone = false;
  FEnd = TMenuTrackEnd::Closed;
  if (!FItems || FItems->VisibleCount() == 0 || FTracking) return FEnd;
  CancelModalHint();
  FTracking = true;
  const int hook = AddMessageHook([this](MSG& msg) { return HandleMessage(msg); });
  const auto cleanUp = [&] {
    RemoveMessageHook(hook);
    if (!FLevels.empty() && GetCapture() == FLevels.front()->Window) ReleaseCapture();
    FLevels.clear();
    FWaitLevel = -1;
    FTracking = false;
  };
  try {
    OpenLevel(FItems, anchor, first, selectFirst);
    if (!FLevels.empty()) {
      SetCapture(FLevels.front()->Window);
      RunModalLoop([this] { return FDone || FLevels.empty() || GetCapture() != FLevels.front()->Window; });
    }
  } catch (...) {
    cleanUp();
    throw;
  }
  cleanUp();
  if (OnClosed) OnClosed();
  if (FEnd == TMenuTrackEnd::Chosen && FChosen) FChosen->Click();
  return FEnd;
}

void TMenuTracker::OpenLevel(TMenuItem* parent, const TMenuAnchor& anchor, int first, bool selectFirst) {
  std::unique_ptr<TMenuPopup> level = FLook.CreatePopup(*this, parent, int(FLevels.size()), first);
  FLevels.push_back(std::move(level));
  TMenuPopup& popup = *FLevels.back();
  try {
    popup.Create(anchor);
  } catch (...) {
    FLevels.pop_back();
    throw;
  }
  if (popup.Count() == 0) {
    FLevels.pop_back();
    return;
  }
  if (selectFirst || FOptions.ArmFirst) {
    popup.Hot = popup.Step(-1, 1);
    popup.Armed = popup.Hot >= 0;
    if (popup.Hot >= 0 && popup.Scrolls && !popup.IsShown(popup.Hot)) ScrollTo(popup.Level, popup.Hot);
    if (popup.Hot >= 0) popup.ItemChanged(popup.Hot);
  }
  popup.Show();
  if (FOptions.MousePoll > 0) SetTimer(popup.Window, kPollTimer, UINT(FOptions.MousePoll), nullptr);
}

void TMenuTracker::OpenSubmenu(int index, int item, bool selectFirst) {
  TMenuPopup& level = *FLevels[size_t(index)];
  TMenuItem* parent = level.Items[size_t(item)];
  if (level.Open == item && int(FLevels.size()) > index + 1) return;
  CloseLevelsAfter(index);
  StopWait();
  if (FOptions.ClickParents) {
    parent->Click();
    if (FDone || index >= int(FLevels.size())) return;  // the handler ended the chain
  }
  if (!HasSubmenu(parent)) return;
  level.Open = item;
  level.Hot = item;
  level.ItemChanged(item);
  TMenuAnchor anchor;
  anchor.Rect = level.ItemScreenRect(item);
  OpenLevel(parent, anchor, 0, selectFirst);
}

void TMenuTracker::CloseLevelsAfter(int index) {
  if (FWaitLevel > index) StopWait();
  while (int(FLevels.size()) > index + 1) FLevels.pop_back();
  if (index >= 0 && index < int(FLevels.size())) {
    TMenuPopup& level = *FLevels[size_t(index)];
    const int open = level.Open;
    level.Open = -1;
    if (open >= 0) level.ItemChanged(open);
  }
}

void TMenuTracker::SetHot(int index, int item, bool armed) {
  TMenuPopup& level = *FLevels[size_t(index)];
  level.Armed = armed && item >= 0;
  if (level.Hot == item) return;
  const int old = level.Hot;
  level.Hot = item;
  if (old >= 0) level.ItemChanged(old);
  if (item >= 0) level.ItemChanged(item);
}

void TMenuTracker::StartWait(int index) {
  StopWait();
  FWaitLevel = index;
  SetTimer(FLevels[size_t(index)]->Window, kSubmenuTimer, UINT(FOptions.SubmenuDelay), nullptr);
}

void TMenuTracker::StopWait() {
  if (FWaitLevel >= 0 && FWaitLevel < int(FLevels.size()))
    KillTimer(FLevels[size_t(FWaitLevel)]->Window, kSubmenuTimer);
  FWaitLevel = -1;
}

void TMenuTracker::Choose(TMenuItem* item) {
  FChosen = item;
  End(TMenuTrackEnd::Chosen);
}

void TMenuTracker::End(TMenuTrackEnd how) {
  FEnd = how;
  FDone = true;
}

int TMenuTracker::LevelAt(POINT screen) const {
  for (int i = int(FLevels.size()) - 1; i >= 0; --i) {
    const RECT r = FLevels[size_t(i)]->ScreenRect();
    if (PtInRect(&r, screen)) return i;
  }
  return -1;
}

int TMenuTracker::LevelOf(HWND window) const {
  for (size_t i = 0; i < FLevels.size(); ++i) {
    if (FLevels[i]->Window == window) return int(i);
  }
  return -1;
}

// ---- Scrolling
// ----------------------------------------------------------------------

void TMenuTracker::ScrollTo(int index, int item) {
  TMenuPopup& level = *FLevels[size_t(index)];
  if (!level.Scrolls || level.IsShown(item)) return;
  if (item < level.FirstVisible) {
    level.FirstVisible = item;
    level.LayoutItems();
  } else {
    // Forward until the item fits at the bottom; items may differ in height.
    while (!level.IsShown(item) && !level.AtEnd()) {
      ++level.FirstVisible;
      level.LayoutItems();
    }
  }
  level.Invalidate();
}

void TMenuTracker::StartScroll(int index, int code) {
  TMenuPopup& level = *FLevels[size_t(index)];
  level.ScrollCode = code;
  CloseLevelsAfter(index);
  level.Invalidate();
  SetTimer(level.Window, kScrollTimer, UINT(FOptions.ScrollInterval), nullptr);
}

void TMenuTracker::StopScroll(int index) {
  TMenuPopup& level = *FLevels[size_t(index)];
  if (level.ScrollCode == 0) return;
  level.ScrollCode = 0;
  KillTimer(level.Window, kScrollTimer);
  level.Invalidate();
}

void TMenuTracker::ScrollStep(int index) {
  TMenuPopup& level = *FLevels[size_t(index)];
  if (level.ScrollCode == 1 && level.FirstVisible > 0) {
    --level.FirstVisible;
  } else if (level.ScrollCode == 2 && !level.AtEnd()) {
    ++level.FirstVisible;
  }
  level.LayoutItems();
  level.Invalidate();
  if ((level.ScrollCode == 1 && level.FirstVisible == 0) || (level.ScrollCode == 2 && level.AtEnd())) StopScroll(index);
}

// ---- Messages
// -----------------------------------------------------------------------

bool TMenuTracker::HandleMessage(MSG& msg) {
  if (FDone || FLevels.empty()) return false;
  if (msg.message == WM_TIMER && LevelOf(msg.hwnd) >= 0 &&
      (msg.wParam == kSubmenuTimer || msg.wParam == kPollTimer || msg.wParam == kScrollTimer)) {
    HandleTimer(msg);
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
    bool ends = false;
    if (FModeKeys.Take(msg, ends)) {
      if (ends) End(TMenuTrackEnd::Closed);
    } else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
      HandleKey(WORD(msg.wParam));
    }
    return true;
  }
  return false;
}

void TMenuTracker::HandleTimer(const MSG& msg) {
  const int index = LevelOf(msg.hwnd);
  TMenuPopup& level = *FLevels[size_t(index)];
  switch (msg.wParam) {
    case kSubmenuTimer:
      KillTimer(msg.hwnd, kSubmenuTimer);
      if (FWaitLevel != index) return;
      FWaitLevel = -1;
      if (level.Hot >= 0) OpenSubmenu(index, level.Hot, false);
      return;
    case kScrollTimer: ScrollStep(index); return;
    case kPollTimer: {
      POINT cursor;
      GetCursorPos(&cursor);
      if (cursor == level.LastPoll) return;
      level.LastPoll = cursor;
      if (WindowFromPoint(cursor) == level.Window) {
        POINT client = cursor;
        ScreenToClient(level.Window, &client);
        Hover(index, client);
      } else {
        StopScroll(index);
      }
      return;
    }
    default: return;
  }
}

void TMenuTracker::Hover(int index, POINT client) {
  TMenuPopup& level = *FLevels[size_t(index)];
  if (level.Scrolls) {
    const RECT up = level.UpMarker();
    const RECT down = level.DownMarker();
    if (PtInRect(&up, client)) {
      if (level.ScrollCode != 1 && level.FirstVisible > 0) StartScroll(index, 1);
      return;
    }
    if (PtInRect(&down, client)) {
      if (level.ScrollCode != 2 && !level.AtEnd()) StartScroll(index, 2);
      return;
    }
    StopScroll(index);
  }
  const int item = level.ItemAt(client);
  if (item < 0) return;  // between items the highlight stays
  TMenuItem* target = level.Items[size_t(item)];
  if (!IsSelectableItem(target)) {
    if (level.Hot >= 0 && FWaitLevel == index) StopWait();
    if (level.Open < 0) SetHot(index, -1);
    return;
  }
  if (level.Hot == item) {
    // Resting on it: a highlighted parent (armed by the keyboard or the
    // opening) starts to wait for its submenu.
    level.Armed = false;
    if (level.Open != item && FWaitLevel != index && HasSubmenu(target)) StartWait(index);
    return;
  }
  SetHot(index, item);
  // Hovering anything but the open item closes what is open beyond it.
  if (level.Open != item) CloseLevelsAfter(index);
  StopWait();
  if (HasSubmenu(target) && level.Open != item) StartWait(index);
}

void TMenuTracker::HandleMouse(UINT msg, POINT screen) {
  const int index = LevelAt(screen);
  if (index < 0) {
    if (IsMouseButtonPress(msg)) {
      End(TMenuTrackEnd::Closed);
    } else if (msg == WM_MOUSEMOVE && OnMouseOutside && OnMouseOutside(screen)) {
      End(TMenuTrackEnd::Outside);
    }
    return;
  }
  TMenuPopup& level = *FLevels[size_t(index)];
  POINT client = screen;
  ScreenToClient(level.Window, &client);
  // Polling looks at the cursor on its own time; a button catches up first.
  if (msg == WM_MOUSEMOVE) {
    if (FOptions.MousePoll <= 0) Hover(index, client);
    return;
  }
  if (FOptions.MousePoll > 0 && (IsMouseButtonPress(msg) || msg == WM_LBUTTONUP || msg == WM_RBUTTONUP)) {
    level.LastPoll = screen;
    Hover(index, client);
    if (FDone || index >= int(FLevels.size())) return;
  }
  const int item = level.ItemAt(client);
  TMenuItem* target = item >= 0 ? level.Items[size_t(item)] : nullptr;
  if (!target || !IsSelectableItem(target)) return;
  if (IsMouseButtonPress(msg)) {
    SetHot(index, item);
    if (HasSubmenu(target) || (FOptions.ClickParents && target->Count() > 0)) OpenSubmenu(index, item, false);
  } else if ((msg == WM_LBUTTONUP || msg == WM_RBUTTONUP) && target->Count() == 0) {
    Choose(target);
  }
}

void TMenuTracker::HandleKey(WORD key) {
  const int index = int(FLevels.size()) - 1;
  TMenuPopup& level = *FLevels[size_t(index)];
  const auto activate = [&](int item) {
    TMenuItem* target = level.Items[size_t(item)];
    SetHot(index, item, true);
    if (HasSubmenu(target)) {
      OpenSubmenu(index, item, true);
    } else if (target->Count() == 0) {
      Choose(target);
    }
  };
  switch (key) {
    case VK_UP:
    case VK_DOWN: {
      const int next = level.Step(level.Hot, key == VK_DOWN ? 1 : -1);
      if (next < 0) return;
      StopWait();
      SetHot(index, next, true);
      ScrollTo(index, next);
      return;
    }
    case VK_RETURN:
      if (level.Hot >= 0) activate(level.Hot);
      return;
    case VK_RIGHT:
      if (level.Hot >= 0 && HasSubmenu(level.Items[size_t(level.Hot)])) {
        OpenSubmenu(index, level.Hot, true);
      } else if (LeaveSideways) {
        End(TMenuTrackEnd::Right);
      }
      return;
    case VK_LEFT:
    case VK_ESCAPE:
      if (index > 0) {
        CloseLevelsAfter(index - 1);
        TMenuPopup& parent = *FLevels[size_t(index - 1)];
        parent.ItemChanged(parent.Hot);
      } else if (key == VK_ESCAPE) {
        End(TMenuTrackEnd::Escaped);
      } else if (LeaveSideways) {
        End(TMenuTrackEnd::Left);
      }
      return;
    default: break;
  }
  for (int i = 0; i < level.Count(); ++i) {
    const TMenuItem* item = level.Items[size_t(i)];
    if (!item->IsLine() && IsAccel(char32_t(key), item->Caption())) {
      if (item->Enabled()) {
        ScrollTo(index, i);
        activate(i);
      }
      return;
    }
  }
}

}  // namespace kora
