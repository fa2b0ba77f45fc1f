#pragma once
// Keyboard and mouse state for polling, and mouse-leave tracking.

#include "platform/window/VirtualKeys.h"
#include "platform/window/WinTypes.h"

namespace kora {

// High bit (negative result) while down, low bit toggled by each press.
// GetKeyState follows the messages retrieved so far, GetAsyncKeyState the
// devices. VK_LBUTTON/VK_RBUTTON/VK_MBUTTON report the mouse buttons.
int16_t GetKeyState(int vk);
int16_t GetAsyncKeyState(int vk);

bool GetCursorPos(POINT* out);
// Moves the pointer (the backend warps it) and routes a mouse move there.
bool SetCursorPos(int x, int y);

// TME_LEAVE (with TME_NONCLIENT for the frame) posts WM_MOUSELEAVE /
// WM_NCMOUSELEAVE once when the mouse leaves; TME_CANCEL stops tracking,
// TME_QUERY fills in the current request.
bool TrackMouseEvent(TRACKMOUSEEVENT* tme);

}  // namespace kora
