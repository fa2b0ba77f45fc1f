#include "framework/controls/ExtCtrls.h"

#include <unordered_map>

#include "framework/core/ClassBuilder.h"
#include "framework/graphics/Graphics.h"
#include "platform/window/Timers.h"

namespace kora {

namespace {

// Window-less timers call back a plain function; this finds the component.
std::unordered_map<UINT_PTR, TTimer*>& LiveTimers() {
  static std::unordered_map<UINT_PTR, TTimer*> timers;
  return timers;
}

}  // namespace

TClass TTimer::StaticClass() {
  static const TClassInfo info(TClassBuilder<TTimer>("TTimer")
                                   .Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                                   .Default(true)
                                   .Property("Interval", &TTimer::Interval, &TTimer::SetInterval)
                                   .Default(1000)
                                   .Property("OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer));
  return &info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() { Stop(); }

void TTimer::SetEnabled(bool value) {
  if (FEnabled == value) return;
  FEnabled = value;
  UpdateTimer();
}

void TTimer::SetInterval(uint32_t value) {
  if (FInterval == value) return;
  FInterval = value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent value) {
  FOnTimer = std::move(value);
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::Timer() {
  // A copy keeps the handler alive when it frees this timer.
  const TNotifyEvent handler = FOnTimer;
  handler(this);
}

void TTimer::Stop() {
  if (!FId) return;
  KillTimer(HWND{}, FId);
  LiveTimers().erase(FId);
  FId = 0;
}

void TTimer::UpdateTimer() {
  // Every change restarts the period, as a person changing the interval expects.
  Stop();
  if (!FEnabled || FInterval == 0 || !FOnTimer) return;
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning)) return;
  FId = SetTimer(HWND{}, 0, FInterval, &TTimer::TimerProc);
  if (!FId) throw EOutOfResources("Not enough timers available");
  LiveTimers()[FId] = this;
}

void TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  const auto it = LiveTimers().find(id);
  if (it != LiveTimers().end()) it->second->Timer();
}

}  // namespace kora
