#pragma once

// The standard icons, drawn by us at any size (platform-internal).

#include <cstdint>
#include <vector>

namespace kora {

// True for the IDI_ ids we can draw.
bool IsSystemIconId(int id);
// size x size pixels 0xAARRGGBB with straight alpha, rows top-down; empty
// for an unknown id.
std::vector<uint32_t> RenderSystemIcon(int id, int size);

}  // namespace kora
