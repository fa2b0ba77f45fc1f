#pragma once
// Sending, posting and retrieving messages. One GUI thread owns the windows;
// only PostMessage may also be called from other threads, and it wakes the
// backend's wait.

#include <functional>

#include "platform/window/Messages.h"
#include "platform/window/WinTypes.h"

namespace kora {

// Calls the window procedure at once (re-entrant). 0 for a stale handle.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Queues a message; thread-safe. False for a stale handle. A null hwnd
// queues a message for the thread (DispatchMessage ignores it).
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// GetMessage returns false with WM_QUIT once the posted messages before it are gone.
void PostQuitMessage(int exitCode);

// Order of retrieval, as in the classic system: posted messages, WM_QUIT,
// input (routed to its window only now, one device event at a time),
// WM_PAINT, WM_TIMER. hwnd filters to a window and its children; min..max
// to a message range (0, 0: all). Returns false when nothing matches.
bool PeekMessage(MSG* msg, HWND hwnd, UINT min, UINT max, UINT removeFlags);
// Waits for a message; false for WM_QUIT. Presents painted pixels before waiting.
bool GetMessage(MSG* msg, HWND hwnd, UINT min, UINT max);
// Produces WM_CHAR / WM_SYSCHAR for the keys that have no text of their own
// (Enter, Escape, Backspace, Tab, Ctrl+letter; Alt+letter/digit/space).
// Printable characters arrive as WM_CHAR from text input instead.
bool TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);

// A message number in 0xC000..0xFFFF, the same for the same name (case-insensitive).
UINT RegisterWindowMessage(const char* name);

DWORD GetMessageTime();
DWORD GetMessagePos();  // MAKELONG(x, y) of the screen cursor when the last message was retrieved

// Hooks of the application's message loop: each retrieved message is shown
// to the hooks, newest first, before it is translated and dispatched; a hook
// returning true eats it. The framework's loops call CallMessageHooks.
using MessageHook = std::function<bool(MSG&)>;
int AddMessageHook(MessageHook hook);
void RemoveMessageHook(int id);
bool CallMessageHooks(MSG& msg);

// One step of a message loop: hooks, translate, dispatch. Returns false for
// WM_QUIT (which is not dispatched).
bool ProcessMessage(MSG& msg);

}  // namespace kora
