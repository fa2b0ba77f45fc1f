// How the skinned menu bar answers the menu bar core.

#include "skin/form/bsMenuBarTracking.h"

#include "skin/form/bsSkinMenuBar.h"

namespace kora {

int TbsMenuBarTracking::BarItemCount() const { return FBar->ItemCount(); }
TMenuItem* TbsMenuBarTracking::BarItem(int index) const { return FBar->Item(index)->MenuItem; }
bool TbsMenuBarTracking::BarItemShown(int index) const { return FBar->Item(index)->Shown; }

int TbsMenuBarTracking::BarItemAt(POINT screen) const {
  if (!FBar->HandleAllocated()) return -1;
  const POINT p = FBar->ScreenToClient(screen);
  for (size_t i = 0; i < FBar->FItems.size(); ++i)
    if (FBar->FItems[i]->Shown && PtInRect(&FBar->FItems[i]->ObjectRect, p)) return int(i);
  return -1;
}

void TbsMenuBarTracking::BarStateChanged(bool now) {
  for (int i = 0; i < FBar->ItemCount(); ++i) {
    TbsSkinMainMenuBarItem& item = *FBar->FItems[size_t(i)];
    const TMenuBarItemState state = FBar->FTracker.ItemState(i);
    item.Active = item.MouseIn = state != TMenuBarItemState::Normal;
    item.Down = state == TMenuBarItemState::Open;
    item.MorphKf = item.Down ? 1 : 0;
  }
  // The events follow the highlight, wherever the pointer or the keys take it.
  if (const int entered = FBar->FTracker.Highlighted(); entered != FEntered) {
    const int left = FEntered;
    FEntered = entered;
    if (left >= 0 && left < FBar->ItemCount()) FBar->OnItemMouseLeave(FBar, FBar->FItems[size_t(left)]->MenuItem);
    if (entered >= 0) FBar->OnItemMouseEnter(FBar, FBar->FItems[size_t(entered)]->MenuItem);
  }
  if (!FBar->HandleAllocated()) return;
  FBar->Invalidate();
  if (now) FBar->Update();
}

TMenuTrackEnd TbsMenuBarTracking::DropDown(int index, const TMenuBarDrop& drop) {
  if (!FBar->FSkinForm) return TMenuTrackEnd::Closed;
  const RECT r = FBar->FItems[size_t(index)]->ObjectRect;
  const POINT topLeft = FBar->ClientToScreen(r.TopLeft());
  TbsMenuDropOptions options;
  options.LeaveSideways = true;
  options.OnMouseOutside = drop.OnMouseOutside;
  options.OnClosed = drop.OnClosed;
  // Every window of the skinned look opens on its first item.
  return FBar->FSkinForm->MenuMode().Popup(FBar->FItems[size_t(index)]->MenuItem,
                                           RECT::FromSize(topLeft.X, topLeft.Y, WidthOf(r), HeightOf(r)),
                                           FBar->FPopupToUp, FBar->DropSkin(), FBar, 0, &options);
}

// The frame keeps its own keyboard menu mode and the OnMainMenuEnter and
// OnMainMenuExit events: a menu mode the mouse began is announced here, a
// walk back from a drop-down to the bar hands the keys to the frame again.
void TbsMenuBarTracking::BarModeChanged(TMenuBarMode from, TMenuBarMode to) {
  if (!FBar->FSkinForm) return;
  if (from == TMenuBarMode::Rest && to == TMenuBarMode::Menus) {
    if (FBar->FSkinForm->MenuMode().KeyboardMode()) return;
    FMouseMenuEntered = true;
    FBar->FSkinForm->OnMainMenuEnter(FBar->FSkinForm);
  } else if (from == TMenuBarMode::Menus && to == TMenuBarMode::Keys) {
    // A menu mode the mouse began goes on under the keyboard: entered once.
    const bool announce = !FMouseMenuEntered;
    FMouseMenuEntered = false;
    if (!FBar->FSkinForm->MenuMode().KeyboardMode()) FBar->FSkinForm->MenuMode().EnterKeyboardMode(announce);
  } else if (to == TMenuBarMode::Rest) {
    FBar->FSkinForm->MenuMode().LeaveKeyboardMode();
    if (!FMouseMenuEntered) return;
    FMouseMenuEntered = false;
    FBar->FSkinForm->OnMainMenuExit(FBar->FSkinForm);
  }
}

}  // namespace kora
