#pragma once

// Device contexts (platform-internal): their state, and the drawing target
// every drawing call resolves a DC to.

#include <climits>
#include <vector>

#include "platform/gdi/GdiObjects.h"

namespace kora {

// What SaveDC keeps.
struct DcState {
  POINT ViewportOrg;
  POINT WindowOrg;
  bool HasClip = false;
  Region Clip;  // device units of the DC
  HPEN Pen;
  HBRUSH Brush;
  HFONT Font;
  HBITMAP Bitmap;  // memory DCs only
  COLORREF TextColor = RGB(0, 0, 0);
  COLORREF BkColor = RGB(255, 255, 255);
  int BkMode = OPAQUE;
  int Rop2 = R2_COPYPEN;
  int PolyFillMode = ALTERNATE;
  uint32_t TextAlign = TA_LEFT | TA_TOP;
  POINT CurrentPos;
};

class DeviceContext : public GdiObject {
public:
  static constexpr GdiKind kObjectKind = GdiKind::Dc;
  DeviceContext() : GdiObject(kObjectKind) {}

  DcState State;
  std::vector<DcState> Saved;
  bool Memory = false;      // a memory DC drawing on its selected bitmap
  HBITMAP SurfaceBitmap;    // a surface DC on a bitmap
  PixelSurface RawSurface;  // a surface DC on caller memory
  POINT DeviceOrigin;
  bool HasVisible = false;
  Region Visible;  // surface coordinates
  uintptr_t OwnerTag = 0;

  // The pixels drawn on; Bits null when the surface is gone.
  PixelSurface Surface() const;
  // Surface-coordinate clip: surface bounds, visible region and clip region.
  const Region& EffectiveClip(const PixelSurface& surface);
  void InvalidateClip() { FClipValid = false; }
  // Logical to surface offset.
  POINT LogicalToSurface() const;

private:
  bool FClipValid = false;
  int FClipWidth = 0;
  int FClipHeight = 0;
  Region FClip;
};

DeviceContext* FindDc(HDC dc);
// Selects the default pen, brush, font (and bitmap for memory DCs).
void InitDcState(DeviceContext& dc);

// Drawing coordinates are clamped to +-2^29 so that sums, widths and
// doubled error terms stay inside 32 bits whatever a caller passes.
constexpr int64_t COORD_LIMIT = int64_t(1) << 29;
constexpr int32_t ClampCoord(int64_t v) {
  return int32_t(v < -COORD_LIMIT ? -COORD_LIMIT : v > COORD_LIMIT ? COORD_LIMIT : v);
}
// A rectangle from an origin and extents of either sign, normalised.
constexpr RECT SpanRect(int64_t x, int64_t y, int64_t w, int64_t h) {
  return RECT{ClampCoord(x), ClampCoord(y), ClampCoord(x + w), ClampCoord(y + h)}.Normalized();
}

// A DC resolved for one drawing call.
struct DrawTarget {
  DeviceContext* Dc = nullptr;
  PixelSurface Surface;
  const Region* Clip = nullptr;  // surface coordinates, never null once acquired
  int Dx = 0;                    // logical + (Dx, Dy) = surface
  int Dy = 0;

  RECT ToSurface(const RECT& r) const {
    return {ClampCoord(int64_t(r.Left) + Dx), ClampCoord(int64_t(r.Top) + Dy), ClampCoord(int64_t(r.Right) + Dx),
            ClampCoord(int64_t(r.Bottom) + Dy)};
  }
  POINT ToSurface(POINT p) const { return {ClampCoord(int64_t(p.X) + Dx), ClampCoord(int64_t(p.Y) + Dy)}; }
  uint32_t* Row(int y) const { return Surface.Bits + std::ptrdiff_t(y) * Surface.Stride; }
};

// False for a bad handle or a DC whose surface is gone.
bool AcquireTarget(HDC dc, DrawTarget& target);

// A source for blits: a DC's surface and its logical-to-surface offset.
struct BlitSource {
  PixelSurface Surface;
  int Dx = 0;
  int Dy = 0;
};
bool AcquireSource(HDC dc, BlitSource& source);

}  // namespace kora
