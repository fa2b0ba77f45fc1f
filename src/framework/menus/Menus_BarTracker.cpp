// The menu bar core: the modes, the keys, the pointer and the hand-over
// between drop-downs.

#include "framework/menus/Menus_BarTracker.h"

#include "framework/menus/Menus_PlainLook.h"
#include "platform/window/WindowSystem.h"

namespace kora {

namespace {

bool IsButtonPress(UINT msg) {
  return IsMouseButtonPress(msg) || msg == WM_NCLBUTTONDOWN || msg == WM_NCRBUTTONDOWN || msg == WM_NCMBUTTONDOWN ||
         msg == WM_NCLBUTTONDBLCLK || msg == WM_NCRBUTTONDBLCLK;
}

bool IsKeyMessage(UINT msg) {
  return msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_CHAR || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP ||
         msg == WM_SYSCHAR;
}

// The screen point of a mouse message; client messages carry the window's
// client coordinates, non-client ones the screen's.
POINT ScreenPoint(const MSG& msg) {
  POINT p = LParamToPoint(msg.lParam);
  if (msg.message >= WM_MOUSEMOVE && msg.message <= WM_MOUSELAST) ClientToScreen(msg.hwnd, &p);
  return p;
}

}  // namespace

TMenuBarTracker::TMenuBarTracker(TMenuBarLook& look) : FLook(look) {}

TMenuBarTracker::~TMenuBarTracker() {
  *FAlive = false;
  if (FHook) RemoveMessageHook(FHook);
}

// ---- Reading
// ------------------------------------------------------------------------

TMenuBarItemState TMenuBarTracker::ItemState(int index) const {
  if (index < 0) return TMenuBarItemState::Normal;
  if (index == FOpen) return TMenuBarItemState::Open;
  if (index == Highlighted()) return FMode == TMenuBarMode::Rest ? TMenuBarItemState::Hot : TMenuBarItemState::Lit;
  return TMenuBarItemState::Normal;
}

bool TMenuBarTracker::Selectable(int index) const {
  return index >= 0 && index < FLook.BarItemCount() && FLook.BarItemShown(index) &&
         IsSelectableItem(FLook.BarItem(index));
}

int TMenuBarTracker::Step(int from, int step) const {
  const int count = FLook.BarItemCount();
  if (count == 0) return -1;
  int i = from < 0 ? (step > 0 ? -1 : count) : from;
  for (int n = 0; n < count; ++n) {
    i = ((i + step) % count + count) % count;
    if (Selectable(i)) return i;
  }
  return -1;
}

int TMenuBarTracker::AccelItem(char32_t key) const {
  for (int i = 0; i < FLook.BarItemCount(); ++i)
    if (Selectable(i) && IsAccel(key, FLook.BarItem(i)->Caption())) return i;
  return -1;
}

bool TMenuBarTracker::HasDropDown(int index) const { return FLook.BarItem(index)->VisibleCount() > 0; }

// ---- Modes
// --------------------------------------------------------------------------

void TMenuBarTracker::SetMode(TMenuBarMode mode) {
  if (FMode == mode) return;
  const TMenuBarMode old = FMode;
  FMode = mode;
  // In the keyboard mode the bar hears the loop: keys, the pointer along
  // it, a click elsewhere. A drop-down's own loop hook comes after and
  // sees everything first.
  if (mode != TMenuBarMode::Rest && !FHook) {
    FModeKeys = {};
    FHook = AddMessageHook([this](MSG& msg) { return HookMessage(msg); });
  } else if (mode == TMenuBarMode::Rest && FHook) {
    RemoveMessageHook(FHook);
    FHook = 0;
  }
  FLook.BarModeChanged(old, mode);
}

void TMenuBarTracker::Changed(bool now) { FLook.BarStateChanged(now); }

void TMenuBarTracker::ToKeys(int index, bool follow) {
  FLit = index;
  FOpen = -1;
  FFollow = follow;
  SetMode(TMenuBarMode::Keys);
  Changed();
}

void TMenuBarTracker::Quit() {
  FHot = FLit = FOpen = -1;
  FFollow = false;
  SetMode(TMenuBarMode::Rest);
  Changed(true);
}

void TMenuBarTracker::EnterKeys() {
  if (FMode != TMenuBarMode::Rest) return;
  const int first = Step(-1, 1);
  if (first >= 0) ToKeys(first, false);
}

void TMenuBarTracker::Leave() {
  if (FMode == TMenuBarMode::Keys) Quit();
}

bool TMenuBarTracker::KeyMenu(char32_t letter) {
  if (FLook.BarItemCount() == 0 || letter == ' ') return false;
  if (FMode == TMenuBarMode::Menus) return true;
  if (letter == 0) {
    if (FMode == TMenuBarMode::Rest)
      EnterKeys();
    else
      Quit();
    return true;
  }
  // A letter no item can take, a disabled one's included, does nothing.
  if (const int index = AccelItem(letter); index >= 0) Activate(index, true);
  return true;
}

// ---- Opening
// ------------------------------------------------------------------------

void TMenuBarTracker::Activate(int index, bool byKeys) {
  if (FMode == TMenuBarMode::Menus || !Selectable(index)) return;
  if (HasDropDown(index)) {
    RunMenus(index, byKeys);
  } else if (FLook.BarItem(index)->Count() == 0) {
    RunCommand(index);
  } else {
    Quit();  // every child hidden: nothing to show
  }
}

bool TMenuBarTracker::ActivateLit() {
  if (FMode != TMenuBarMode::Keys || FLit < 0) return false;
  Activate(FLit, true);
  return true;
}

void TMenuBarTracker::RunCommand(int index) {
  TMenuItem* item = FLook.BarItem(index);
  // The bar lets go of the item first: a dialog the command opens does
  // not show it held behind.
  Quit();
  item->Click();
}

// Drop-downs one after the other: Left and Right step along the bar, the
// pointer moving onto another item switches to it, until one ends the
// menus. Reaching an item without a drop-down only lights it.
void TMenuBarTracker::RunMenus(int index, bool byKeys) {
  const std::shared_ptr<bool> alive = FAlive;
  SetMode(TMenuBarMode::Menus);
  while (Selectable(index)) {
    if (!HasDropDown(index)) {
      ToKeys(index, true);
      return;
    }
    FLit = FOpen = index;
    Changed(true);
    int switchTo = -1;
    TMenuBarDrop drop;
    drop.SelectFirst = byKeys;
    drop.OnMouseOutside = [this, &switchTo](POINT p) {
      const int over = FLook.BarItemAt(p);
      if (over == FOpen || !Selectable(over)) return false;
      switchTo = over;
      return true;
    };
    drop.OnClosed = [this, alive](bool chosen) {
      if (chosen && *alive) Quit();
    };
    TMenuTrackEnd end = TMenuTrackEnd::Closed;
    try {
      end = FLook.DropDown(index, drop);
    } catch (...) {
      // A failing command leaves the bar at rest, able to open again.
      if (*alive) Quit();
      throw;
    }
    if (!*alive || FMode != TMenuBarMode::Menus) return;  // freed, or chosen
    FOpen = -1;
    switch (end) {
      case TMenuTrackEnd::Left:
      case TMenuTrackEnd::Right:
        index = Step(index, end == TMenuTrackEnd::Left ? -1 : 1);
        byKeys = true;
        break;
      case TMenuTrackEnd::Outside:
        index = switchTo;
        byKeys = false;
        break;
      case TMenuTrackEnd::Escaped:
        // Walked back from the keys, the item stays lit; the mouse's
        // Escape dismisses the menus.
        if (byKeys) {
          ToKeys(index, false);
          return;
        }
        Quit();
        return;
      default: Quit(); return;
    }
  }
  Quit();
}

// ---- Keys and pointer
// ---------------------------------------------------------------

void TMenuBarTracker::StepLit(int step) {
  if (FMode != TMenuBarMode::Keys) return;
  const int next = Step(FLit, step);
  if (next < 0) return;
  if (FFollow && HasDropDown(next)) {
    RunMenus(next, true);
    return;
  }
  FLit = next;
  Changed();
}

bool TMenuBarTracker::Key(const MSG& msg) {
  if (FMode != TMenuBarMode::Keys) return false;
  bool ends = false;
  if (FModeKeys.Take(msg, ends)) {
    if (ends) Quit();
    return true;
  }
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  const WORD key = WORD(msg.wParam);
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT: StepLit(key == VK_LEFT ? -1 : 1); return true;
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN: return ActivateLit();
    case VK_ESCAPE: Quit(); return true;
    default: break;
  }
  const int index = AccelItem(char32_t(key));
  if (index < 0) return false;
  Activate(index, true);
  return true;
}

void TMenuBarTracker::PointerMove(POINT screen) {
  const int over = FLook.BarItemAt(screen);
  if (FMode == TMenuBarMode::Rest) {
    const int hot = Selectable(over) ? over : -1;
    if (hot == FHot) return;
    FHot = hot;
    Changed();
  } else if (FMode == TMenuBarMode::Keys && over != FLit && Selectable(over)) {
    // Off the items the lit one stays.
    if (FFollow && HasDropDown(over)) {
      RunMenus(over, false);
      return;
    }
    FLit = over;
    Changed();
  }
}

void TMenuBarTracker::PointerLeft() {
  if (FMode != TMenuBarMode::Rest || FHot < 0) return;
  FHot = -1;
  Changed();
}

bool TMenuBarTracker::PointerDown(POINT screen) {
  const int over = FLook.BarItemAt(screen);
  if (over < 0) return false;
  if (Selectable(over)) Activate(over, false);
  return true;
}

void TMenuBarTracker::ItemsChanged() {
  const int count = FLook.BarItemCount();
  FHot = -1;  // found again as the pointer moves
  if (FOpen >= count) FOpen = -1;
  if (FLit >= count) {
    if (FMode == TMenuBarMode::Keys)
      Quit();
    else
      FLit = -1;
  }
}

bool TMenuBarTracker::HookMessage(MSG& msg) {
  if (FMode != TMenuBarMode::Keys) return false;
  if (IsKeyMessage(msg.message)) {
    Key(msg);
    return true;  // the keys are the bar's while the mode lasts
  }
  if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
    PointerMove(ScreenPoint(msg));
  } else if (IsButtonPress(msg.message)) {
    // A left press on an item opens it as the bar hears the press;
    // anywhere else the mode ends and the press goes on.
    const bool left =
        msg.message == WM_LBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN || msg.message == WM_NCLBUTTONDBLCLK;
    if (!left || !Selectable(FLook.BarItemAt(ScreenPoint(msg)))) Quit();
  }
  return false;
}

}  // namespace kora
