#pragma once

// Block transfers between surfaces (platform-internal).

#include "platform/gdi/DeviceContext.h"

namespace kora {

struct BlitParams {
  enum Kind { Rop, Transparent, Alpha };
  Kind Mode = Rop;
  uint8_t Code = 0xCC;   // ternary raster operation
  uint32_t Pattern = 0;  // the brush pixel when the operation uses it
  uint32_t Key = 0;      // Transparent: the pixel left out
  BLENDFUNCTION Blend;   // Alpha
};

// Copies the source rectangle (sx, sy, sw, sh) of src onto the destination
// rectangle (x, y, w, h), both in surface coordinates, through the target's
// clip. Extents of different signs mirror; sizes that differ scale by the
// nearest pixel. Source pixels outside src are left out.
void BlitSurface(const DrawTarget& t, int64_t x, int64_t y, int w, int h, const PixelSurface& src, int64_t sx,
                 int64_t sy, int sw, int sh, const BlitParams& params);

}  // namespace kora
