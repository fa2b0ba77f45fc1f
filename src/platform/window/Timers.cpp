// Window timers on the window system's clock.

#include <algorithm>
#include <chrono>

#include "platform/window/Clock.h"
#include "platform/window/Timers.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

uint64_t RealClock::NowMs() const {
  static const auto start = std::chrono::steady_clock::now();
  return uint64_t(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}

DWORD GetTickCount() { return DWORD(NowMs()); }
uint64_t GetTickCount64() { return NowMs(); }

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
  auto& s = Sys();
  if (hwnd && !Win(hwnd)) return 0;
  const UINT interval = std::max(elapseMs, USER_TIMER_MINIMUM);
  auto it = std::find_if(s.Timers.begin(), s.Timers.end(),
                         [&](const TimerRec& t) { return t.Wnd == hwnd && t.Id == id && (hwnd || id); });
  if (it == s.Timers.end()) {
    if (!hwnd && !id) {
      do {
        id = ++s.NextThreadTimerId;
      } while (std::any_of(s.Timers.begin(), s.Timers.end(), [&](const TimerRec& t) { return !t.Wnd && t.Id == id; }));
    }
    s.Timers.push_back({hwnd, id, interval, proc, 0, s.NextTimerOrder++});
    it = s.Timers.end() - 1;
  }
  it->Interval = interval;
  it->Proc = proc;
  it->Due = NowMs() + interval;
  return id;
}

bool KillTimer(HWND hwnd, UINT_PTR id) {
  auto& s = Sys();
  auto it =
      std::find_if(s.Timers.begin(), s.Timers.end(), [&](const TimerRec& t) { return t.Wnd == hwnd && t.Id == id; });
  if (it == s.Timers.end()) return false;
  s.Timers.erase(it);
  return true;
}

bool NextTimerDue(uint64_t* due) {
  auto& s = Sys();
  if (s.Timers.empty()) return false;
  uint64_t best = s.Timers.front().Due;
  for (const TimerRec& t : s.Timers) best = std::min(best, t.Due);
  if (due) *due = best;
  return true;
}

void KillWindowTimers(HWND hwnd) {
  auto& t = Sys().Timers;
  t.erase(std::remove_if(t.begin(), t.end(), [&](const TimerRec& r) { return r.Wnd == hwnd; }), t.end());
}

bool TakeDueTimer(HWND filter, bool remove, MSG& out) {
  auto& s = Sys();
  const uint64_t now = NowMs();
  TimerRec* best = nullptr;
  for (TimerRec& t : s.Timers) {
    if (t.Due > now) continue;
    if (filter && t.Wnd != filter && !IsChild(filter, t.Wnd)) continue;
    if (!best || t.Due < best->Due || (t.Due == best->Due && t.Order < best->Order)) best = &t;
  }
  if (!best) return false;
  out =
      MSG{best->Wnd, WM_TIMER, best->Id, LPARAM(reinterpret_cast<uintptr_t>(best->Proc)), DWORD(now), Sys().Mouse.Pos};
  if (remove) best->Due = now + best->Interval;
  return true;
}

}  // namespace kora
