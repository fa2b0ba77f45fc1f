#include "platform/backends/Display.h"
#include "platform/backends/sdl/SdlBackend.h"

namespace kora {

std::unique_ptr<Backend> OpenDisplay() { return std::make_unique<SdlBackend>(); }

}  // namespace kora
