// Routing keys and characters to the focus window, and application activation.

#include "platform/window/Focus.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

bool Down(UINT vk) { return Sys().Keys[vk & 0xFF] & 0x80; }

}  // namespace

bool RouteKeyboard(const RawInput& in, MSG& out) {
  auto& s = Sys();
  HWND target = s.Focus;
  bool toActive = false;
  if (!Win(target)) {
    // Without a focus window keys go to the active window as system keys.
    target = s.Active;
    toActive = true;
  }
  if (in.Type == RawInput::Char) {
    if (!Win(target)) return false;
    out.hwnd = target;
    out.message = WM_CHAR;
    out.wParam = WPARAM(in.Code);
    out.lParam = 1;
    return true;
  }

  const bool down = in.Type == RawInput::KeyDown;
  const bool wasDown = Down(in.Vk);
  UpdateKeyTable(s.Keys, in.Vk, down);
  const bool isAlt = in.Vk == VK_MENU || in.Vk == VK_LMENU || in.Vk == VK_RMENU;
  if (down) {
    if (!isAlt)
      s.AltAlone = false;
    else if (!wasDown)
      s.AltAlone = true;
  } else if (isAlt) {
    s.AltTapped = s.AltAlone;
    s.AltAlone = false;
  }
  if (!Win(target)) return false;

  const bool alt = Down(VK_MENU) || isAlt;
  const bool ctrl = Down(VK_CONTROL);
  // Alt (without Ctrl, which makes AltGr) and F10 give the system-key messages.
  const bool sys = toActive || (alt && !ctrl) || in.Vk == VK_F10;
  out.hwnd = target;
  out.message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  out.wParam = WPARAM(in.Vk);
  uint32_t lp = 1;
  if (alt && !ctrl) lp |= 1u << 29;
  if (wasDown) lp |= 1u << 30;
  if (!down) lp |= (1u << 30) | (1u << 31);
  out.lParam = LPARAM(int32_t(lp));
  return true;
}

void RouteAppActivation(bool active) {
  auto& s = Sys();
  if (active == s.AppActive) return;
  if (!active) {
    s.Deactivated = s.Active;
    ActivateWindow({}, false);
    s.AppActive = false;
  } else {
    s.AppActive = true;
  }
  const std::vector<HWND> tops = s.TopLevels;
  for (HWND t : tops) {
    if (WindowRec* w = Win(t)) SendTo(*w, WM_ACTIVATEAPP, active, 0);
  }
  if (active && Win(s.Deactivated)) ActivateWindow(s.Deactivated, false);
  if (active) s.Deactivated = {};
}

}  // namespace kora
