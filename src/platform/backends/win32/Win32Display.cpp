#include "platform/backends/Display.h"
#include "platform/backends/win32/Win32Backend.h"

namespace kora {

std::unique_ptr<Backend> OpenDisplay() { return std::make_unique<Win32Backend>(); }

}  // namespace kora
