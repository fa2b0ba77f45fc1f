#pragma once
// Helpers the graphics units share; not for use outside them.

#include <cstdint>
#include <vector>

#include "framework/core/Classes.h"
#include "platform/gdi/GdiHandles.h"

namespace kora::graphics_detail {

// A pixel's colour bits, white, without the alpha byte.
constexpr uint32_t WHITE_PIXEL = 0x00FFFFFF;

uint16_t ReadLE16(const uint8_t* p);
uint32_t ReadLE32(const uint8_t* p);
void WriteLE16(std::vector<uint8_t>& out, uint16_t value);
void WriteLE32(std::vector<uint8_t>& out, uint32_t value);
// Appends exactly `count` bytes, in pieces so that a forged length cannot
// make us allocate more than the stream holds; EReadError when it ends first.
void ReadExactly(TStream& stream, std::vector<uint8_t>& data, std::size_t count);

// A 32-bit top-down bitmap whose pixel memory we can reach; EOutOfResources
// when the platform refuses the size.
HBITMAP NewPixelBitmap(int width, int height, uint32_t** bits);

// Deletes a drawing object, or keeps it for a later try while a device
// context still holds it.
void ReleaseGdiObject(HGDIOBJ object);

}  // namespace kora::graphics_detail
