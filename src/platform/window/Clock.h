#pragma once
// Time for timers, message times and double-clicks: a real clock with a
// display backend, a virtual one that tests advance.

#include <cstdint>

#include "platform/window/WinTypes.h"

namespace kora {

class Clock {
public:
  virtual ~Clock() = default;
  // Milliseconds on a monotonic scale.
  virtual uint64_t NowMs() const = 0;
};

// Monotonic time since the process started.
class RealClock final : public Clock {
public:
  uint64_t NowMs() const override;
};

// The backend's clock (the real one when no backend is attached), in ms.
DWORD GetTickCount();
uint64_t GetTickCount64();

}  // namespace kora
