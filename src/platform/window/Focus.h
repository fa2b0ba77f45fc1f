#pragma once
// Keyboard focus, activation, mouse capture and enabling.

#include "platform/window/WinTypes.h"

namespace kora {

// Moves the focus (activating the window's top-level window first when
// needed); WM_KILLFOCUS goes to the old focus before WM_SETFOCUS to the new.
// Returns the previous focus. Null removes the focus.
HWND SetFocus(HWND hwnd);
HWND GetFocus();
// Top-level windows only (a child names its top-level window). Sends
// WM_NCACTIVATE and WM_ACTIVATE to the old, then to the new window.
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
// The same as SetActiveWindow and bringing the window to the top.
bool SetForegroundWindow(HWND hwnd);

// All mouse input goes to the window as client messages until released.
// WM_CAPTURECHANGED goes to the window losing the capture.
HWND SetCapture(HWND hwnd);
bool ReleaseCapture();
HWND GetCapture();

// Sends WM_ENABLE; disabling the focus window (or its ancestor) removes the
// focus. Returns whether the window was disabled before.
bool EnableWindow(HWND hwnd, bool enable);

}  // namespace kora
