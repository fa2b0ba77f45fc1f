#pragma once
// What the menu bar core asks of the skinned menu bar: its items and where
// they are, the items' looks after each change of the core's state (with
// OnItemMouseEnter and OnItemMouseLeave), the drop-downs through the frame's
// popups and the menu modes handed over to the frame.

#include "framework/menus/Menus_BarTracker.h"

namespace kora {

class TbsSkinMainMenuBar;

class TbsMenuBarTracking : public TMenuBarLook {
public:
  explicit TbsMenuBarTracking(TbsSkinMainMenuBar* bar) : FBar(bar) {}
  TbsMenuBarTracking(const TbsMenuBarTracking&) = delete;
  TbsMenuBarTracking& operator=(const TbsMenuBarTracking&) = delete;

  int BarItemCount() const override;
  TMenuItem* BarItem(int index) const override;
  bool BarItemShown(int index) const override;
  int BarItemAt(POINT screen) const override;
  void BarStateChanged(bool now) override;
  TMenuTrackEnd DropDown(int index, const TMenuBarDrop& drop) override;
  void BarModeChanged(TMenuBarMode from, TMenuBarMode to) override;

  // The items were made again: none of them was told of yet.
  void ItemsRebuilt() { FEntered = -1; }

private:
  TbsSkinMainMenuBar* FBar;
  // The item OnItemMouseEnter last told of; -1 for none.
  int FEntered = -1;
  // OnMainMenuEnter fired for a drop-down opened by the mouse: its
  // OnMainMenuExit is owed.
  bool FMouseMenuEntered = false;
};

}  // namespace kora
