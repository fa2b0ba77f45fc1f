// Context menus: a right click or the menu key opens the PopupMenu of the
// control under it, or of the nearest parent that has one.

#include "framework/controls/Controls.h"

namespace kora {

bool TControl::DoContextPopup(POINT screen, bool byKeyboard) {
  bool handled = false;
  OnContextPopup(this, byKeyboard ? POINT{-1, -1} : ScreenToClient(screen), handled);
  if (handled) return true;
  auto* menu = dynamic_cast<TContextPopup*>(FPopupMenu);
  if (!menu || !menu->OpensOnContextClick()) return false;
  menu->OpenForContext(this, screen);
  return true;
}

void TWinControl::HandleContextMenu(TMessage& message) {
  message.Result = 1;
  const bool byKeyboard = message.LParam == -1;
  TControl* target = this;
  POINT screen;
  if (byKeyboard) {
    // The menu key opens it in the middle of the focused control.
    screen = ClientToScreen({Width() / 2, Height() / 2});
  } else {
    screen = LParamToPoint(message.LParam);
    const POINT client = ScreenToClient(screen);
    // A click on the frame (the caption, a border) is the frame's: its
    // system menu, not a control's popup menu.
    if (!ClientRect().Contains(client)) {
      message.Result = 0;
      DefaultHandler(message);
      return;
    }
    if (TControl* child = ControlAtPos(client)) target = child;
  }
  // Our parents are asked here, with our point, rather than through the
  // window system, which would pass them the keyboard's (-1, -1).
  for (TControl* control = target; control; control = control->Parent()) {
    if (control->DoContextPopup(screen, byKeyboard)) return;
  }
  message.Result = 0;
}

}  // namespace kora
