#include "platform/backends/sdl/SdlKeys.h"

#include "platform/window/VirtualKeys.h"

namespace kora {

namespace {

struct KeyPair {
  SDL_Keycode Sdl;
  UINT Vk;
};

constexpr KeyPair kKeys[] = {
    {SDLK_BACKSPACE, VK_BACK},
    {SDLK_TAB, VK_TAB},
    {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_ESCAPE, VK_ESCAPE},
    {SDLK_SPACE, VK_SPACE},
    {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_END, VK_END},
    {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},
    {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},
    {SDLK_INSERT, VK_INSERT},
    {SDLK_DELETE, VK_DELETE},
    {SDLK_LSHIFT, VK_SHIFT},
    {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},
    {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},
    {SDLK_LGUI, VK_LWIN},
    {SDLK_RGUI, VK_RWIN},
    {SDLK_APPLICATION, VK_APPS},
    {SDLK_PAUSE, VK_PAUSE},
    {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDLK_SCROLLLOCK, VK_SCROLL},
    {SDLK_PRINTSCREEN, VK_SNAPSHOT},
    {SDLK_KP_MULTIPLY, VK_MULTIPLY},
    {SDLK_KP_PLUS, VK_ADD},
    {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_PERIOD, VK_DECIMAL},
    {SDLK_KP_DIVIDE, VK_DIVIDE},
    {SDLK_SEMICOLON, VK_OEM_1},
    {SDLK_EQUALS, VK_OEM_PLUS},
    {SDLK_COMMA, VK_OEM_COMMA},
    {SDLK_MINUS, VK_OEM_MINUS},
    {SDLK_PERIOD, VK_OEM_PERIOD},
    {SDLK_SLASH, VK_OEM_2},
    {SDLK_BACKQUOTE, VK_OEM_3},
    {SDLK_LEFTBRACKET, VK_OEM_4},
    {SDLK_BACKSLASH, VK_OEM_5},
    {SDLK_RIGHTBRACKET, VK_OEM_6},
    {SDLK_QUOTE, VK_OEM_7},
};

}  // namespace

UINT VirtualKeyFromSdl(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return UINT('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return UINT('0' + (key - SDLK_0));
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + UINT(key - SDLK_F1);
  // SDL numbers the keypad 1..9 then 0.
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD0 + 1 + UINT(key - SDLK_KP_1);
  if (key == SDLK_KP_0) return VK_NUMPAD0;
  for (const KeyPair& k : kKeys)
    if (k.Sdl == key) return k.Vk;
  return 0;
}

bool OtherSideStillHeld(SDL_Keycode released, Uint16 mods) {
  switch (released) {
    case SDLK_LSHIFT: return (mods & KMOD_RSHIFT) != 0;
    case SDLK_RSHIFT: return (mods & KMOD_LSHIFT) != 0;
    case SDLK_LCTRL: return (mods & KMOD_RCTRL) != 0;
    case SDLK_RCTRL: return (mods & KMOD_LCTRL) != 0;
    case SDLK_LALT: return (mods & KMOD_RALT) != 0;
    case SDLK_RALT: return (mods & KMOD_LALT) != 0;
    default: return false;
  }
}

bool IsAltShortcutText(std::string_view text, Uint16 mods, SDL_Keycode key) {
  if ((mods & KMOD_LALT) != 0) return true;
  if ((mods & KMOD_RALT) == 0) return false;
  if (text.size() != 1 || key <= 0 || key >= 0x80) return false;
  char c = text[0];
  if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return SDL_Keycode(c) == key;
}

}  // namespace kora
