#pragma once
// The real display of the system the program is built for: SDL2 windows on
// X11 on Linux, Win32 windows on Windows. Which one is decided by the
// backend library linked, so the program's entry names neither.

#include <memory>

#include "platform/window/Backend.h"

namespace kora {

// Opens the display and installs its notification area; throws
// std::runtime_error when there is none. The caller attaches it with
// SetBackend and keeps it for as long as windows are shown.
std::unique_ptr<Backend> OpenDisplay();

}  // namespace kora
