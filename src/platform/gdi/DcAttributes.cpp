// Origins, clipping, colours and modes of a DC, and the surface DCs of the
// window layer.

#include "platform/gdi/DeviceContext.h"

namespace kora {

namespace {

// Logical to the DC's device units (before the device origin).
POINT LogicalToDevice(const DeviceContext& d) { return d.State.ViewportOrg - d.State.WindowOrg; }

// Everything the DC can reach, in its device units: the base a clip
// operation starts from when the DC has no clip yet.
Region DeviceExtent(DeviceContext& d) {
  const PixelSurface s = d.Surface();
  Region extent(RECT{0, 0, s.Width, s.Height});
  if (d.HasVisible) extent = extent.Intersect(d.Visible);
  extent.Offset(-d.DeviceOrigin.X, -d.DeviceOrigin.Y);
  return extent;
}

int ClipType(DeviceContext& d) {
  const PixelSurface s = d.Surface();
  if (!s.Bits) return NULLREGION;
  return d.EffectiveClip(s).Type();
}

int SetClip(DeviceContext& d, Region clip) {
  d.State.Clip = std::move(clip);
  d.State.HasClip = true;
  d.InvalidateClip();
  return ClipType(d);
}

Region ClipBase(DeviceContext& d) { return d.State.HasClip ? d.State.Clip : DeviceExtent(d); }

RECT LogicalRectToDevice(const DeviceContext& d, int left, int top, int right, int bottom) {
  const POINT o = LogicalToDevice(d);
  const RECT r = RECT{left, top, right, bottom}.Normalized();
  return {ClampCoord(int64_t(r.Left) + o.X), ClampCoord(int64_t(r.Top) + o.Y), ClampCoord(int64_t(r.Right) + o.X),
          ClampCoord(int64_t(r.Bottom) + o.Y)};
}

// A DC attribute exchanged or read; fail for a bad DC.
template <class T>
T Exchange(HDC dc, T DcState::*field, T value, T fail) {
  DeviceContext* d = FindDc(dc);
  if (!d) return fail;
  const T old = d->State.*field;
  d->State.*field = value;
  return old;
}

template <class T>
T Read(HDC dc, T DcState::*field, T fail) {
  const DeviceContext* d = FindDc(dc);
  return d ? d->State.*field : fail;
}

bool SetOrigin(HDC dc, POINT DcState::*field, POINT value, POINT* old) {
  if (!FindDc(dc)) return false;
  const POINT previous = Exchange(dc, field, value, POINT());
  if (old) *old = previous;
  return true;
}

bool GetOrigin(HDC dc, POINT DcState::*field, POINT* out) {
  if (!FindDc(dc) || !out) return false;
  *out = Read(dc, field, POINT());
  return true;
}

}  // namespace

// ---- Origins ------------------------------------------------------------------

bool SetViewportOrgEx(HDC dc, int x, int y, POINT* old) { return SetOrigin(dc, &DcState::ViewportOrg, {x, y}, old); }
bool GetViewportOrgEx(HDC dc, POINT* out) { return GetOrigin(dc, &DcState::ViewportOrg, out); }
bool SetWindowOrgEx(HDC dc, int x, int y, POINT* old) { return SetOrigin(dc, &DcState::WindowOrg, {x, y}, old); }

bool OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old) {
  DeviceContext* d = FindDc(dc);
  if (!d) return false;
  if (old) *old = d->State.ViewportOrg;
  d->State.ViewportOrg = d->State.ViewportOrg.Offsetted(dx, dy);
  return true;
}

bool LPtoDP(HDC dc, POINT* points, int count) {
  DeviceContext* d = FindDc(dc);
  if (!d || (!points && count > 0)) return false;
  const POINT o = LogicalToDevice(*d);
  for (int i = 0; i < count; ++i) points[i] = points[i] + o;
  return true;
}

bool DPtoLP(HDC dc, POINT* points, int count) {
  DeviceContext* d = FindDc(dc);
  if (!d || (!points && count > 0)) return false;
  const POINT o = LogicalToDevice(*d);
  for (int i = 0; i < count; ++i) points[i] = points[i] - o;
  return true;
}

// ---- Clipping -----------------------------------------------------------------

int SelectClipRgn(HDC dc, HRGN region) { return ExtSelectClipRgn(dc, region, RGN_COPY); }

int ExtSelectClipRgn(HDC dc, HRGN region, int mode) {
  DeviceContext* d = FindDc(dc);
  if (!d || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  if (!region) {
    if (mode != RGN_COPY) return ERROR;
    d->State.HasClip = false;
    d->State.Clip.Clear();
    d->InvalidateClip();
    return ClipType(*d);
  }
  const Region* r = GetRegionObject(region);
  if (!r) return ERROR;
  if (mode == RGN_COPY) return SetClip(*d, *r);
  return SetClip(*d, ClipBase(*d).Combine(*r, mode));
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  DeviceContext* d = FindDc(dc);
  if (!d) return ERROR;
  return SetClip(*d, ClipBase(*d).Intersect(LogicalRectToDevice(*d, left, top, right, bottom)));
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  DeviceContext* d = FindDc(dc);
  if (!d) return ERROR;
  return SetClip(*d, ClipBase(*d).Subtract(Region(LogicalRectToDevice(*d, left, top, right, bottom))));
}

int OffsetClipRgn(HDC dc, int dx, int dy) {
  DeviceContext* d = FindDc(dc);
  if (!d) return ERROR;
  if (!d->State.HasClip) return ClipType(*d);
  Region moved = d->State.Clip;
  moved.Offset(dx, dy);
  return SetClip(*d, std::move(moved));
}

int GetClipBox(HDC dc, RECT* out) {
  DrawTarget t;
  if (!out || !AcquireTarget(dc, t)) return ERROR;
  *out = t.Clip->IsEmpty() ? RECT{} : t.Clip->Bounds().Offsetted(-t.Dx, -t.Dy);
  return t.Clip->Type();
}

bool PtVisible(HDC dc, int x, int y) {
  DrawTarget t;
  return AcquireTarget(dc, t) && t.Clip->Contains(t.ToSurface(POINT{x, y}));
}

// ---- Colours and modes --------------------------------------------------------

COLORREF SetTextColor(HDC dc, COLORREF color) { return Exchange(dc, &DcState::TextColor, color, CLR_INVALID); }
COLORREF GetTextColor(HDC dc) { return Read(dc, &DcState::TextColor, CLR_INVALID); }
COLORREF SetBkColor(HDC dc, COLORREF color) { return Exchange(dc, &DcState::BkColor, color, CLR_INVALID); }
COLORREF GetBkColor(HDC dc) { return Read(dc, &DcState::BkColor, CLR_INVALID); }
uint32_t SetTextAlign(HDC dc, uint32_t align) { return Exchange(dc, &DcState::TextAlign, align, 0xFFFFFFFFu); }
uint32_t GetTextAlign(HDC dc) { return Read(dc, &DcState::TextAlign, 0xFFFFFFFFu); }
int GetBkMode(HDC dc) { return Read(dc, &DcState::BkMode, 0); }
int GetROP2(HDC dc) { return Read(dc, &DcState::Rop2, 0); }

int SetBkMode(HDC dc, int mode) {
  return mode == TRANSPARENT || mode == OPAQUE ? Exchange(dc, &DcState::BkMode, mode, 0) : 0;
}

int SetROP2(HDC dc, int mode) {
  switch (mode) {
    case R2_BLACK:
    case R2_NOT:
    case R2_XORPEN:
    case R2_NOP:
    case R2_COPYPEN:
    case R2_WHITE: return Exchange(dc, &DcState::Rop2, mode, 0);
    default: return 0;
  }
}

int SetPolyFillMode(HDC dc, int mode) {
  return mode == ALTERNATE || mode == WINDING ? Exchange(dc, &DcState::PolyFillMode, mode, 0) : 0;
}

// ---- Surface DCs ----------------------------------------------------------------

namespace {

HDC NewSurfaceDc(HBITMAP bitmap, const PixelSurface& raw, POINT origin, const Region* visible) {
  auto dc = std::make_unique<DeviceContext>();
  dc->SurfaceBitmap = bitmap;
  dc->RawSurface = raw;
  dc->DeviceOrigin = origin;
  dc->HasVisible = visible != nullptr;
  if (visible) dc->Visible = *visible;
  InitDcState(*dc);
  return HDC(RegisterGdiObject(std::move(dc)));
}

}  // namespace

HDC CreateSurfaceDC(HBITMAP surface, POINT origin, const Region* visible) {
  if (!FindBitmap(surface)) return HDC();
  return NewSurfaceDc(surface, {}, origin, visible);
}

HDC CreateSurfaceDC(const PixelSurface& surface, POINT origin, const Region* visible) {
  if (!surface.Bits || surface.Width <= 0 || surface.Height <= 0 || surface.Stride < surface.Width) return HDC();
  return NewSurfaceDc(HBITMAP(), surface, origin, visible);
}

bool GetDCDeviceOrigin(HDC dc, POINT* origin) {
  DeviceContext* d = FindDc(dc);
  if (!d || !origin) return false;
  *origin = d->DeviceOrigin;
  return true;
}

bool SetDCOwnerTag(HDC dc, uintptr_t tag) {
  DeviceContext* d = FindDc(dc);
  if (!d) return false;
  d->OwnerTag = tag;
  return true;
}

uintptr_t GetDCOwnerTag(HDC dc) {
  const DeviceContext* d = FindDc(dc);
  return d ? d->OwnerTag : 0;
}

}  // namespace kora
