#pragma once
// The one tracker of popup menus: a chain of popup windows that never take
// the activation, one per open level, driven by a message hook inside a
// nested loop until the chain closes. Hover delays, keys, wrapping past
// lines and disabled items, scrolling and the mouse live here once; how a
// window is laid out, placed and painted is the business of its look (the
// plain look of the framework, the skin engine's own).

#include <functional>
#include <memory>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "framework/menus/Menus.h"
#include "platform/window/WindowStyles.h"

namespace kora {

class TMenuTracker;

// How a chain of popup menus ended.
enum class TMenuTrackEnd {
  Closed,   // a click outside, Alt, F10, or Cancel
  Escaped,  // Escape on the first level
  Chosen,   // an enabled item without children was picked (and clicked)
  Left,     // Left on the first level (LeaveSideways)
  Right,    // Right over an item without a submenu (LeaveSideways)
  Outside,  // OnMouseOutside took a mouse move
};

// Alt tapped alone, or F10, ends a menu mode as the key is let go; the
// release goes no further, or it would turn the menu bar on again. The
// popup tracker and the menu bar follow the same keys.
class TMenuModeKeys {
public:
  // A key message: true when it is a press or release of Alt or F10 (the
  // menu takes it); ends tells whether the mode ends with it.
  bool Take(const MSG& msg, bool& ends);

private:
  bool FAltAlone = false;  // Alt went down and nothing else since
};

// Where a popup window goes (screen coordinates).
struct TMenuAnchor {
  // The point of a context menu (an empty rectangle at it), the bar item
  // or button a menu drops from, or the item a submenu belongs to.
  RECT Rect;
  // The first level drops from Rect instead of opening at its corner.
  bool Under = false;
  // Dropping from Rect: above it rather than below.
  bool PopupUp = false;
};

// One open window of the chain. The tracker decides which item is
// highlighted, which one has its submenu open and how far the window is
// scrolled; the look deriving from it lays out the items, places and
// paints the window.
class TMenuPopup {
public:
  TMenuPopup(TMenuTracker& tracker, TMenuItem* parent, int level);
  virtual ~TMenuPopup();  // destroys the window
  TMenuPopup(const TMenuPopup&) = delete;
  TMenuPopup& operator=(const TMenuPopup&) = delete;

  // ---- What a look supplies ----
  // Sizes the window for Items: Size and, when it cannot show them all,
  // Scrolls.
  virtual void Measure() = 0;
  // Places the items from FirstVisible (client coordinates): Rects for
  // the shown ones, empty rectangles for the others; sets ShownCount.
  virtual void LayoutItems() = 0;
  // The window's top-left for Size next to the anchor; submenus have the
  // parent window at Level - 1.
  virtual POINT Place(const TMenuAnchor& anchor) const = 0;
  // The whole window into a canvas of its size.
  virtual void Paint(TCanvas& canvas) = 0;
  virtual const char* ClassName() const = 0;
  virtual UINT ClassStyle() const { return CS_SAVEBITS; }
  // After the window exists, before it is shown: region, opacity.
  virtual void Prepare() {}
  // Once it is on screen (a fade-in starts here).
  virtual void Shown() {}
  // An item's highlight or open state changed; repaints it by default.
  virtual void ItemChanged(int index);
  // The window's messages the tracker leaves alone; true when handled.
  virtual bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The areas of the scroll markers (client coordinates) while scrolling.
  virtual RECT UpMarker() const { return {}; }
  virtual RECT DownMarker() const { return {}; }

  // ---- Built by the tracker ----
  // Creates the window at its place without showing it.
  void Create(const TMenuAnchor& anchor);
  void Show();

  // ---- Reading ----
  int Count() const { return int(Items.size()); }
  // The shown item under a client point, -1 when none.
  int ItemAt(POINT client) const;
  bool IsShown(int index) const { return index >= FirstVisible && index < FirstVisible + ShownCount; }
  RECT ScreenRect() const;
  RECT ItemScreenRect(int index) const;
  // The item the highlight is on: the hot one, else the one whose submenu is
  // open.
  int Highlighted() const { return Hot >= 0 ? Hot : Open; }
  bool AtEnd() const { return FirstVisible + ShownCount >= Count(); }
  // The next selectable item after `from` going by `step`, wrapping round.
  int Step(int from, int step) const;
  void Invalidate() const;
  void InvalidateItem(int index) const;

  TMenuTracker& Tracker;
  TMenuItem* Parent;
  const int Level;
  HWND Window;
  // The visible children shown in this window, and their places.
  std::vector<TMenuItem*> Items;
  std::vector<RECT> Rects;
  SIZE Size{};
  int Hot = -1;
  int Open = -1;  // the item whose submenu is the next level
  // Hot by the keyboard or the opening rather than by the mouse.
  bool Armed = false;
  // Scrolling: the window shows ShownCount items from FirstVisible.
  bool Scrolls = false;
  int FirstVisible = 0;
  int ShownCount = 0;
  int ScrollCode = 0;  // 0 none, 1 up, 2 down
  POINT LastPoll{-1, -1};
};

// Makes the windows of a chain.
class TMenuLook {
public:
  virtual ~TMenuLook() = default;
  // A window for the visible children of parent from child index first.
  virtual std::unique_ptr<TMenuPopup> CreatePopup(TMenuTracker& tracker, TMenuItem* parent, int level, int first) = 0;
};

// Behaviour that differs between looks of the same tracker.
struct TMenuTrackOptions {
  // Milliseconds the mouse rests on an item before its submenu opens.
  int SubmenuDelay = 400;
  // Milliseconds between looks at the cursor; 0 follows the mouse messages.
  int MousePoll = 0;
  // Every window opens with its first selectable item highlighted.
  bool ArmFirst = false;
  // Opening a submenu by a click, a key or the delay also clicks its item.
  bool ClickParents = false;
  // Milliseconds per item while the mouse rests on a scroll marker.
  int ScrollInterval = 100;
};

// Shows the visible children of an item as a chain of popup windows and
// handles the mouse and keys in a nested loop until the chain closes.
// Submenus open on hover after a delay, on a click, on Right and Enter;
// the chosen item is clicked once every window is gone.
class TMenuTracker {
public:
  TMenuTracker(TMenuItem* items, TMenuLook& look, TMenuTrackOptions options = {});
  virtual ~TMenuTracker();
  TMenuTracker(const TMenuTracker&) = delete;
  TMenuTracker& operator=(const TMenuTracker&) = delete;

  // Opens the first level with its top-left at `at` (screen coordinates);
  // with `exclude` it drops from that rectangle (a bar item). selectFirst
  // highlights the first selectable item.
  TMenuTrackEnd Track(POINT at, const RECT* exclude = nullptr, bool selectFirst = false);
  // The same at an anchor, showing the children of the menu from index first.
  TMenuTrackEnd Track(const TMenuAnchor& anchor, bool selectFirst, int first = 0);
  // The item picked when Track ended with Chosen.
  TMenuItem* Chosen() const { return FChosen; }
  // Screen rectangles of the open windows, the first level first.
  std::vector<RECT> WindowRects() const;
  int PopupCount() const { return int(FLevels.size()); }
  TMenuPopup* Popup(int level) const { return FLevels[size_t(level)].get(); }
  bool Tracking() const { return FTracking; }
  // Ends the chain as Closed once the current message is handled.
  void Cancel();
  // Closes the windows after a level (and its open-submenu mark).
  void CloseLevelsAfter(int level);

  // A mouse move outside every window (screen point): true ends Track
  // with Outside (the menu bar switching to another of its items).
  std::function<bool(POINT)> OnMouseOutside;
  // Every window is gone; the chosen item (if any) is clicked next.
  std::function<void()> OnClosed;
  // For a menu bar's drop-downs: Left on the first level and Right over an
  // item without a submenu end Track with Left or Right.
  bool LeaveSideways = false;

  // The plain look's delay.
  static constexpr int kSubmenuDelay = 400;
  // Timer ids the tracker sets on the popup windows; looks use others.
  static constexpr UINT_PTR kSubmenuTimer = 1;
  static constexpr UINT_PTR kPollTimer = 2;
  static constexpr UINT_PTR kScrollTimer = 3;

private:
  bool HandleMessage(MSG& msg);
  void HandleTimer(const MSG& msg);
  void HandleMouse(UINT msg, POINT screen);
  void HandleKey(WORD key);
  // The pointer over a client point of a level: markers, then items.
  void Hover(int level, POINT client);
  void OpenLevel(TMenuItem* parent, const TMenuAnchor& anchor, int first, bool selectFirst);
  // Levels are counted from 0 (the first window), items within a level.
  void OpenSubmenu(int level, int item, bool selectFirst);
  void SetHot(int level, int item, bool armed = false);
  // Makes the item shown in a scrolling window.
  void ScrollTo(int level, int item);
  void StartScroll(int level, int code);
  void StopScroll(int level);
  void ScrollStep(int level);
  void StartWait(int level);
  void StopWait();
  void Choose(TMenuItem* item);
  void End(TMenuTrackEnd how);
  int LevelAt(POINT screen) const;
  int LevelOf(HWND window) const;

  TMenuItem* FItems;
  TMenuLook& FLook;
  TMenuTrackOptions FOptions;
  std::vector<std::unique_ptr<TMenuPopup>> FLevels;
  TMenuItem* FChosen = nullptr;
  TMenuTrackEnd FEnd = TMenuTrackEnd::Closed;
  bool FDone = false;
  TMenuModeKeys FModeKeys;
  bool FTracking = false;
  int FWaitLevel = -1;  // the level whose hot item waits to open its submenu
};

// The tracker with the plain look.
class TPlainMenuTracker : public TMenuTracker {
public:
  explicit TPlainMenuTracker(TMenuItem* items);
};

// The default presenter of TPopupMenu: the plain popup windows.
void PlainPopupMenu(TPopupMenu& menu, int x, int y);

}  // namespace kora
