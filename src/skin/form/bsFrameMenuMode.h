#pragma once
// The frame's menus: the popups it opens (from its objects, the system
// menu, the menu bar's drop-downs), the keyboard menu mode of the form's
// skinned menu bar (Alt, F10, Alt with a letter) with the message-loop hook
// that routes keys to it, the form's short-cuts and the system menu's items.

#include <memory>

#include "framework/menus/Menus.h"
#include "framework/menus/Menus_Tracker.h"

namespace kora {

class TbsSkinForm;
class TbsSkinData;
class IbsFrameMenuBar;
struct TbsMenuDropOptions;

class TbsFrameMenuMode {
public:
  explicit TbsFrameMenuMode(TbsSkinForm* frame);
  ~TbsFrameMenuMode();
  TbsFrameMenuMode(const TbsFrameMenuMode&) = delete;
  TbsFrameMenuMode& operator=(const TbsFrameMenuMode&) = delete;

  // Drops a menu's items at a screen point, or under (over) the rectangle
  // of the object it belongs to, in the frame's menu skin; the one place the
  // frame shows a popup (the skinned popup engine takes it over). Returns
  // how the chain ended.
  TMenuTrackEnd PopupAt(TMenuItem* items, POINT at, const RECT* under);
  // The same under (popupUp: over) an anchor rectangle, with a skin of the
  // menu's own and the control that asked (it hears 1228 and 1229).
  // Drop-downs of a menu bar show the items from index first and end as the
  // options say.
  TMenuTrackEnd Popup(TMenuItem* items, const RECT& anchor, bool popupUp, TbsSkinData* skin, TControl* popupControl,
                      int first = 0, const TbsMenuDropOptions* drop = nullptr);
  // A popup the frame opened has closed.
  void Closed();
  void EnterKeyboardMode(bool announce);
  void LeaveKeyboardMode();
  // SC_KEYMENU: Alt or F10 alone toggles the mode; Alt with a letter goes
  // to that item of the bar. False when the key is not the bar's (Alt+Space).
  bool KeyMenu(WORD letter);
  // A key the form did not take, offered to the bar's menu.
  bool ShortCut(const MSG& msg);
  // The system menu's items, rebuilt for the frame's state (or the
  // application's SystemMenu with the standard commands on top).
  TMenuItem* SystemMenuItems();

  bool MenuOpen() const { return FMenuOpen; }
  bool KeyboardMode() const { return FKeyboardMode; }
  // Counts the popups opened, so a caller learns whether one came and went.
  int PopupCount() const { return FPopupCount; }

private:
  IbsFrameMenuBar* Bar() const;
  bool HandleKey(MSG& msg);
  void InstallHook();
  void RemoveHook();
  void RebuildSystemMenu();

  TbsSkinForm* FFrame;
  std::unique_ptr<TPopupMenu> FSysMenu;
  bool FMenuOpen = false;
  bool FKeyboardMode = false;
  int FHookId = 0;
  int FPopupCount = 0;
};

}  // namespace kora
