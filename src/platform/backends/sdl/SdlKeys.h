#pragma once
// SDL keyboard input in the window system's terms.

#include <SDL_keyboard.h>

#include <string_view>

#include "platform/window/WinTypes.h"

namespace kora {

// The virtual key of an SDL key, 0 for keys the window system has no code for.
UINT VirtualKeyFromSdl(SDL_Keycode key);

// Both Shift (Ctrl, Alt) keys share one virtual key: releasing one while
// the other is held must not release it. mods is the state after the release.
bool OtherSideStillHeld(SDL_Keycode released, Uint16 mods);

// Alt+letter also arrives as text, which must not become a WM_CHAR next to
// the WM_SYSCHAR of the shortcut. Right Alt doubles as AltGr on many
// layouts: its text is kept when it is not simply the key's own character.
bool IsAltShortcutText(std::string_view text, Uint16 mods, SDL_Keycode key);

}  // namespace kora
