#pragma once

// Platform-internal entry points: the object table for other kinds of
// drawing objects (fonts), surface DCs for the window layer, and mask
// blending for text. Not for use above src/platform.

#include <cstdint>
#include <memory>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Region.h"

namespace kora {

// ---- The object table --------------------------------------------------------

enum class GdiKind : uint8_t { Pen, Brush, Font, Bitmap, Region, Dc, Icon };

class GdiObject {
public:
  explicit GdiObject(GdiKind kind) : FKind(kind) {}
  virtual ~GdiObject() = default;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  GdiKind Kind() const { return FKind; }
  // Stock objects are shared and survive DeleteObject.
  bool IsStock() const { return FStock; }
  void SetStock(bool stock) { FStock = stock; }
  // How many DCs have this object selected; such an object is not deleted.
  int SelectCount() const { return FSelectCount; }
  void AddSelection() { ++FSelectCount; }
  void RemoveSelection() { --FSelectCount; }

private:
  GdiKind FKind;
  bool FStock = false;
  int FSelectCount = 0;
};

// Takes ownership and returns the new handle value (never 0).
uint64_t RegisterGdiObject(std::unique_ptr<GdiObject> object);
// The live object behind a handle value if it has the given kind, else null.
GdiObject* LookupGdiObject(uint64_t value, GdiKind kind);
// T declares `static constexpr GdiKind kObjectKind`.
template <class T>
T* LookupGdiObject(HandleValue handle) {
  return static_cast<T*>(LookupGdiObject(handle.Value(), T::kObjectKind));
}
// Destroys a live object of the given kind regardless of selection; false for a bad handle.
bool UnregisterGdiObject(uint64_t value, GdiKind kind);
// Makes an object the stock object of that index (the text layer's fonts)
// and marks it stock.
void RegisterStockObject(int index, HGDIOBJ object);

// ---- Surfaces and window DCs -----------------------------------------------

// 32-bit pixels 0xAARRGGBB, rows top-down, Stride in pixels.
struct PixelSurface {
  uint32_t* Bits = nullptr;
  int Width = 0;
  int Height = 0;
  int Stride = 0;
};

// The pixel memory of a bitmap, Bits null for a bad handle. Valid until the
// bitmap is deleted.
PixelSurface GetBitmapSurface(HBITMAP bitmap);

// A DC drawing on a bitmap (a window's surface) without selecting it, so any
// number of such DCs can share one surface. origin is where device (0, 0)
// of the DC lies on the surface (a window's or client area's offset);
// visible, in surface coordinates, limits drawing on top of the DC's own
// clip (null: the whole surface). If the bitmap is deleted the DC's drawing
// calls fail.
HDC CreateSurfaceDC(HBITMAP surface, POINT origin, const Region* visible);
// The same on memory the caller keeps alive for the life of the DC.
HDC CreateSurfaceDC(const PixelSurface& surface, POINT origin, const Region* visible);
bool GetDCDeviceOrigin(HDC dc, POINT* origin);
// A free value for the window layer (which window the DC belongs to).
bool SetDCOwnerTag(HDC dc, uintptr_t tag);
uintptr_t GetDCOwnerTag(HDC dc);

// ---- Regions ---------------------------------------------------------------

// The region behind a handle, null for a bad handle; valid until deleted.
Region* GetRegionObject(HRGN region);
HRGN CreateRegionHandle(Region region);

// ---- Text ------------------------------------------------------------------

// A glyph's coverage: 8-bit (0 = none, 255 = full) or 1-bit rows, most
// significant bit first. Stride in bytes.
struct GlyphMask {
  const uint8_t* Bits = nullptr;
  int Width = 0;
  int Height = 0;
  int Stride = 0;
  bool Monochrome = false;
};

// Blends the mask in color with its top-left at logical (x, y), through the
// DC's origin and clip. False for a bad DC.
bool BlendGlyphMask(HDC dc, int x, int y, const GlyphMask& mask, COLORREF color);
// Fills a logical rectangle with a colour through the clip, ignoring the
// brush and mix mode (opaque text backgrounds).
bool FillSolidRect(HDC dc, const RECT& r, COLORREF color);

}  // namespace kora
