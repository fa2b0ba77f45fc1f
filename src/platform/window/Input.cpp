// Device events from the backend, key and button state, the cursor position.

#include "platform/window/Input.h"
#include "platform/text/Utf8.h"
#include "platform/window/Backend.h"
#include "platform/window/Messages.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

constexpr uint8_t kDown = 0x80;
constexpr uint8_t kToggled = 0x01;

UINT ButtonVk(int button) {
  return button == MOUSE_RIGHT ? VK_RBUTTON : button == MOUSE_MIDDLE ? VK_MBUTTON : VK_LBUTTON;
}

// Left and right variants also drive the shared code, as in the classic state table.
UINT SharedVk(UINT vk) {
  switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU: return VK_MENU;
    default: return vk;
  }
}

void SetKey(uint8_t* table, UINT vk, bool down) {
  vk &= 0xFF;
  if (down) {
    if (!(table[vk] & kDown)) table[vk] ^= kToggled;
    table[vk] |= kDown;
  } else {
    table[vk] &= uint8_t(~kDown);
  }
}

int16_t KeyBits(const uint8_t* table, int vk) {
  if (vk < 0 || vk > 255) return 0;
  const uint8_t v = table[vk];
  return int16_t(((v & kDown) ? 0x8000 : 0) | (v & kToggled));
}

}  // namespace

void UpdateKeyTable(uint8_t* table, UINT vk, bool down) {
  SetKey(table, vk, down);
  if (SharedVk(vk) != vk) SetKey(table, SharedVk(vk), down);
}

void PushRawInput(const RawInput& in) {
  auto& q = Sys().Queue;
  std::lock_guard lock(q.Mutex);
  q.Raw.push_back(in);
}

void PostMouseMove(POINT screen) {
  Sys().Mouse.Pos = screen;
  PushRawInput({RawInput::MouseMove, screen});
}

void PostMouseButton(int button, bool down, POINT screen) {
  auto& s = Sys();
  s.Mouse.Pos = screen;
  UpdateKeyTable(s.AsyncKeys, ButtonVk(button), down);
  RawInput in{down ? RawInput::ButtonDown : RawInput::ButtonUp, screen};
  in.Button = button;
  PushRawInput(in);
}

void PostMouseWheel(int delta, POINT screen) {
  Sys().Mouse.Pos = screen;
  RawInput in{RawInput::Wheel, screen};
  in.Delta = delta;
  PushRawInput(in);
}

void PostKey(UINT vk, bool down) {
  UpdateKeyTable(Sys().AsyncKeys, vk, down);
  RawInput in{down ? RawInput::KeyDown : RawInput::KeyUp, Sys().Mouse.Pos};
  in.Vk = vk;
  PushRawInput(in);
}

void PostText(std::string_view utf8) {
  size_t pos = 0;
  while (pos < utf8.size()) {
    RawInput in{RawInput::Char, Sys().Mouse.Pos};
    in.Code = DecodeUtf8(utf8, pos);
    PushRawInput(in);
  }
}

void PostAppActivation(bool active) {
  RawInput in{RawInput::AppActivate, Sys().Mouse.Pos};
  in.Active = active;
  PushRawInput(in);
}

bool RouteRawInput(const RawInput& in, MSG& out) {
  out = MSG{};
  out.pt = in.Pt;
  out.time = DWORD(NowMs());
  switch (in.Type) {
    case RawInput::MouseMove:
    case RawInput::ButtonDown:
    case RawInput::ButtonUp:
    case RawInput::Wheel:
      if (in.Type == RawInput::ButtonDown || in.Type == RawInput::ButtonUp)
        UpdateKeyTable(Sys().Keys, ButtonVk(in.Button), in.Type == RawInput::ButtonDown);
      return RouteMouse(in, out);
    case RawInput::KeyDown:
    case RawInput::KeyUp:
    case RawInput::Char: return RouteKeyboard(in, out);
    case RawInput::AppActivate: RouteAppActivation(in.Active); return false;
  }
  return false;
}

WPARAM MouseKeyFlags() {
  const uint8_t* k = Sys().Keys;
  WPARAM f = 0;
  if (k[VK_LBUTTON] & kDown) f |= MK_LBUTTON;
  if (k[VK_RBUTTON] & kDown) f |= MK_RBUTTON;
  if (k[VK_MBUTTON] & kDown) f |= MK_MBUTTON;
  if (k[VK_SHIFT] & kDown) f |= MK_SHIFT;
  if (k[VK_CONTROL] & kDown) f |= MK_CONTROL;
  return f;
}

int16_t GetKeyState(int vk) { return KeyBits(Sys().Keys, vk); }
int16_t GetAsyncKeyState(int vk) { return int16_t(KeyBits(Sys().AsyncKeys, vk) & int16_t(0x8000)); }

bool GetCursorPos(POINT* out) {
  if (!out) return false;
  *out = Sys().Mouse.Pos;
  return true;
}

bool SetCursorPos(int x, int y) {
  const POINT p{x, y};
  if (Backend* b = Sys().CurrentBackend) b->WarpCursor(p);
  PostMouseMove(p);
  return true;
}

void ForgetWindowInInput(HWND hwnd) {
  auto& m = Sys().Mouse;
  if (m.TrackWnd == hwnd) {
    m.TrackWnd = {};
    m.TrackFlags = 0;
  }
  if (m.LastDownWnd == hwnd) m.LastDownMsg = 0;
}

}  // namespace kora
