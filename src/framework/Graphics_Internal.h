#pragma once
// Helpers the graphics units share; not for use outside them.

#include <cstdint>
#include <vector>

#include "framework/Classes.h"
#include "platform/gdi/GdiHandles.h"

namespace kora::graphics_detail {

std::uint16_t ReadLE16(const std::uint8_t* p);
std::uint32_t ReadLE32(const std::uint8_t* p);
void WriteLE16(std::vector<std::uint8_t>& out, std::uint16_t value);
void WriteLE32(std::vector<std::uint8_t>& out, std::uint32_t value);
// Appends exactly `count` bytes, in pieces so that a forged length cannot
// make us allocate more than the stream holds; EReadError when it ends first.
void ReadExactly(TStream& stream, std::vector<std::uint8_t>& data, std::size_t count);

// A 32-bit top-down bitmap whose pixel memory we can reach; EOutOfResources
// when the platform refuses the size.
HBITMAP NewPixelBitmap(int width, int height, std::uint32_t** bits);

// Deletes a drawing object, or keeps it for a later try while a device
// context still holds it.
void ReleaseGdiObject(HGDIOBJ object);

}  // namespace kora::graphics_detail
