#pragma once
// TTimer: a component that calls OnTimer every Interval milliseconds while
// Enabled, through the message loop (a window-less window timer).

#include <cstdint>

#include "framework/core/Components.h"
#include "framework/core/Events.h"
#include "platform/window/WinTypes.h"

namespace kora {

class TTimer : public TComponent {
  KORA_CLASS(TTimer, TComponent)

  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  // Milliseconds; 0 stops the timer without clearing Enabled.
  uint32_t Interval() const { return FInterval; }
  void SetInterval(uint32_t value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent value);

  // Whether a platform timer is running right now.
  bool Running() const { return FId != 0; }

  void Loaded() override;

protected:
  // Calls OnTimer; overridable like the classic Timer method.
  virtual void Timer();

private:
  static void TimerProc(HWND hwnd, UINT msg, UINT_PTR id, DWORD time);
  void UpdateTimer();
  void Stop();

  bool FEnabled = true;
  uint32_t FInterval = 1000;
  TNotifyEvent FOnTimer;
  UINT_PTR FId = 0;
};

}  // namespace kora
