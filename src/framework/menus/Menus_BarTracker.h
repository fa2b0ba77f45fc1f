#pragma once
// The one core of menu bars: which item is lit under the pointer or by the
// keys, the keyboard menu mode (Alt and F10 in and out, the arrows, Enter,
// Escape, "&" accelerators), and the hand-over from one open drop-down to
// the next as the pointer moves along the bar or the keys step. A bar
// supplies only its items' places and its painting (a TMenuBarLook): the
// plain bar in a form's frame, the skin engine's bar control.

#include <functional>
#include <memory>

#include "framework/menus/Menus.h"
#include "framework/menus/Menus_Tracker.h"

namespace kora {

enum class TMenuBarMode {
  Rest,   // nothing in use; the item under the pointer may be hot
  Keys,   // an item lit, no drop-down open; keys go to the bar
  Menus,  // a drop-down open (the popup tracker's loop runs)
};

// How one item of a bar shows.
enum class TMenuBarItemState {
  Normal,
  Hot,   // under the pointer, the bar at rest
  Lit,   // highlighted in the menu mode
  Open,  // its drop-down open
};

// What the core asks of a drop-down beyond a popup menu's.
struct TMenuBarDrop {
  // Reached by the keys: the first item highlighted.
  bool SelectFirst = false;
  // A mouse move outside the drop-down (screen point): true ends it with
  // TMenuTrackEnd::Outside, the bar switching to the item under it.
  std::function<bool(POINT)> OnMouseOutside;
  // Every window is gone; chosen tells whether an item was picked, whose
  // command runs right after.
  std::function<void(bool chosen)> OnClosed;
};

// The geometry and painting of a bar, and how it shows a drop-down.
class TMenuBarLook {
public:
  virtual ~TMenuBarLook() = default;
  // The bar's items in order.
  virtual int BarItemCount() const = 0;
  virtual TMenuItem* BarItem(int index) const = 0;
  // False for an item the bar has no room to show.
  virtual bool BarItemShown(int) const { return true; }
  // The item under a screen point; -1 for none.
  virtual int BarItemAt(POINT screen) const = 0;
  // The items' states changed; now: paint before anything else happens
  // (a drop-down opening, a command about to run).
  virtual void BarStateChanged(bool now) = 0;
  // Shows an item's drop-down under it and returns once it closed. Left
  // on its first level and Right over an item without a submenu end it
  // with TMenuTrackEnd::Left and Right.
  virtual TMenuTrackEnd DropDown(int index, const TMenuBarDrop& drop) = 0;
  // The menu mode went from one mode to another.
  virtual void BarModeChanged(TMenuBarMode, TMenuBarMode) {}
};

// Drives a bar. Its owner routes the bar's pointer messages and the
// window's key-menu command here; in the keyboard mode the core watches
// the keys and the mouse through the message loop itself.
class TMenuBarTracker {
public:
  explicit TMenuBarTracker(TMenuBarLook& look);
  ~TMenuBarTracker();
  TMenuBarTracker(const TMenuBarTracker&) = delete;
  TMenuBarTracker& operator=(const TMenuBarTracker&) = delete;

  // ---- Reading ----
  TMenuBarMode Mode() const { return FMode; }
  // The lit item in the menu mode, the hot one at rest; -1 for none.
  int Highlighted() const { return FMode == TMenuBarMode::Rest ? FHot : FLit; }
  // The item whose drop-down is open; -1 for none.
  int Open() const { return FOpen; }
  TMenuBarItemState ItemState(int index) const;
  // Shown, visible, enabled and not a line: the keys and the mouse may
  // pick it. A disabled item's accelerator is passed over like any other
  // key: it neither opens nor runs the item.
  bool Selectable(int index) const;
  // The next selectable item after `from` going by `step`, wrapping
  // round; -1 when there is none.
  int Step(int from, int step) const;
  // The first selectable item whose "&" letter is key; -1 for none.
  int AccelItem(char32_t key) const;

  // ---- What the bar routes here ----
  // The window's key-menu command: letter 0 (Alt or F10 alone) enters or
  // leaves the keyboard mode, a letter opens or runs its item (any other
  // letter is passed over quietly). False for Alt+Space (the system
  // menu's) and for a bar without items.
  bool KeyMenu(char32_t letter);
  // The keyboard mode with the first selectable item lit; in the mode
  // already, nothing changes.
  void EnterKeys();
  // Back to rest from the keyboard mode; an open drop-down ends on its own.
  void Leave();
  // A key message while the keyboard mode is on; true when the bar used it.
  bool Key(const MSG& msg);
  // Opens the item's drop-down, or runs it when it has no children.
  void Activate(int index, bool byKeys);
  // Enter and Down on the lit item; false when none is lit.
  bool ActivateLit();
  // The arrows along the bar: the lit item moves by step.
  void StepLit(int step);
  void PointerMove(POINT screen);
  void PointerLeft();
  // A left button press on the bar: true when it was over an item.
  bool PointerDown(POINT screen);
  // The bar's items were built again: forget what no longer exists.
  void ItemsChanged();

private:
  bool HasDropDown(int index) const;
  void RunMenus(int index, bool byKeys);
  void RunCommand(int index);
  void ToKeys(int index, bool follow);
  void Quit();
  void SetMode(TMenuBarMode mode);
  void Changed(bool now = false);
  bool HookMessage(MSG& msg);

  TMenuBarLook& FLook;
  TMenuBarMode FMode = TMenuBarMode::Rest;
  int FHot = -1;
  int FLit = -1;
  int FOpen = -1;
  // In the keyboard mode because a step along the bar reached an item
  // without a drop-down: the drop-downs still follow the pointer and keys.
  bool FFollow = false;
  TMenuModeKeys FModeKeys;
  int FHook = 0;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

}  // namespace kora
