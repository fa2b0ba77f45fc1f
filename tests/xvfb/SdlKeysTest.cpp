#include <gtest/gtest.h>

#include "platform/backends/sdl/SdlKeys.h"
#include "platform/window/VirtualKeys.h"

namespace kora {
namespace {

TEST(SdlKeys, MapToClassicVirtualKeys) {
  const std::pair<SDL_Keycode, UINT> cases[] = {
      {SDLK_a, 'A'},
      {SDLK_z, 'Z'},
      {SDLK_0, '0'},
      {SDLK_9, '9'},
      {SDLK_F1, VK_F1},
      {SDLK_F12, VK_F12},
      {SDLK_KP_0, VK_NUMPAD0},
      {SDLK_KP_1, VK_NUMPAD0 + 1},
      {SDLK_KP_9, VK_NUMPAD9},
      {SDLK_KP_ENTER, VK_RETURN},
      {SDLK_LSHIFT, VK_SHIFT},
      {SDLK_RCTRL, VK_CONTROL},
      {SDLK_RALT, VK_MENU},
      {SDLK_PAGEUP, VK_PRIOR},
      {SDLK_DELETE, VK_DELETE},
      {SDLK_BACKQUOTE, VK_OEM_3},
  };
  for (const auto& [sdl, vk] : cases) EXPECT_EQ(VirtualKeyFromSdl(sdl), vk) << SDL_GetKeyName(sdl);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F13), 0u);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_AUDIOPLAY), 0u);
}

TEST(SdlKeys, ASharedModifierStaysDownWhileItsOtherSideIsHeld) {
  EXPECT_TRUE(OtherSideStillHeld(SDLK_LSHIFT, KMOD_RSHIFT));
  EXPECT_FALSE(OtherSideStillHeld(SDLK_LSHIFT, KMOD_NONE));
  EXPECT_TRUE(OtherSideStillHeld(SDLK_RCTRL, KMOD_LCTRL));
  EXPECT_FALSE(OtherSideStillHeld(SDLK_RCTRL, KMOD_LSHIFT));
  EXPECT_TRUE(OtherSideStillHeld(SDLK_LALT, KMOD_RALT));
  EXPECT_FALSE(OtherSideStillHeld(SDLK_a, KMOD_SHIFT));
}

TEST(SdlKeys, TextTypedWithAltIsDroppedUnlessAltGrComposedIt) {
  EXPECT_FALSE(IsAltShortcutText("f", KMOD_NONE, SDLK_f));
  EXPECT_TRUE(IsAltShortcutText("f", KMOD_LALT, SDLK_f));
  EXPECT_TRUE(IsAltShortcutText("F", KMOD_LALT | KMOD_LSHIFT, SDLK_f));
  EXPECT_TRUE(IsAltShortcutText("@", KMOD_LALT, SDLK_q));
  // Right Alt: its own letter is a shortcut, another character is AltGr's.
  EXPECT_TRUE(IsAltShortcutText("f", KMOD_RALT, SDLK_f));
  EXPECT_FALSE(IsAltShortcutText("@", KMOD_RALT, SDLK_q));
  EXPECT_FALSE(IsAltShortcutText("\xE2\x82\xAC", KMOD_RALT, SDLK_e));
}

}  // namespace
}  // namespace kora
