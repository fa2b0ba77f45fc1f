#pragma once
// Window timers. A due timer produces WM_TIMER (wParam = id, lParam = the
// callback) when the queue has nothing else, at most one pending per timer,
// as in the classic system; the next period starts when it is retrieved.

#include "platform/window/WinTypes.h"

namespace kora {

constexpr UINT USER_TIMER_MINIMUM = 10;

// With hwnd, (hwnd, id) names the timer and setting it again restarts it;
// returns id. Without hwnd, a new id is made up (or id reused when it
// names an existing window-less timer). 0 on failure.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
bool KillTimer(HWND hwnd, UINT_PTR id);

// The earliest due time of any timer (ms on the clock), or none.
bool NextTimerDue(uint64_t* due);

}  // namespace kora
