// Region handles over the Region class.

#include <cstring>

#include "platform/gdi/GdiObjects.h"

namespace kora {

Region* GetRegionObject(HRGN region) {
  auto* r = LookupGdiObject<RegionObject>(region);
  return r ? &r->Rgn : nullptr;
}

HRGN CreateRegionHandle(Region region) {
  auto r = std::make_unique<RegionObject>();
  r->Rgn = std::move(region);
  return HRGN(RegisterGdiObject(std::move(r)));
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return CreateRegionHandle(Region(RECT{left, top, right, bottom}.Normalized()));
}

HRGN CreateRectRgnIndirect(const RECT* r) { return r ? CreateRectRgn(r->Left, r->Top, r->Right, r->Bottom) : HRGN(); }

HRGN ExtCreateRegion(const XFORM* transform, uint32_t byteCount, const RGNDATA* data) {
  if (transform || !data || byteCount < sizeof(RGNDATAHEADER)) return HRGN();
  RGNDATAHEADER header;
  std::memcpy(&header, static_cast<const void*>(data), sizeof header);
  if (header.dwSize != sizeof(RGNDATAHEADER) || header.iType != RDH_RECTANGLES) return HRGN();
  if (uint64_t(header.nCount) * sizeof(RECT) > byteCount - sizeof(RGNDATAHEADER)) return HRGN();
  std::vector<RECT> rects(header.nCount);
  if (header.nCount) std::memcpy(rects.data(), data->Buffer, rects.size() * sizeof(RECT));
  for (const RECT& r : rects)
    if (r.Left > r.Right || r.Top > r.Bottom) return HRGN();
  return CreateRegionHandle(Region::FromRects(rects));
}

int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode) {
  Region* d = GetRegionObject(dst);
  const Region* a = GetRegionObject(src1);
  if (!d || !a || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  if (mode == RGN_COPY) {
    *d = *a;
    return d->Type();
  }
  const Region* b = GetRegionObject(src2);
  if (!b) return ERROR;
  *d = a->Combine(*b, mode);
  return d->Type();
}

int OffsetRgn(HRGN region, int dx, int dy) {
  Region* r = GetRegionObject(region);
  if (!r) return ERROR;
  r->Offset(dx, dy);
  return r->Type();
}

bool PtInRegion(HRGN region, int x, int y) {
  const Region* r = GetRegionObject(region);
  return r && r->Contains(x, y);
}

bool RectInRegion(HRGN region, const RECT* rect) {
  const Region* r = GetRegionObject(region);
  return r && rect && r->Intersects(rect->Normalized());
}

int GetRgnBox(HRGN region, RECT* out) {
  const Region* r = GetRegionObject(region);
  if (!r || !out) return ERROR;
  *out = r->Bounds();
  return r->Type();
}

bool EqualRgn(HRGN a, HRGN b) {
  const Region* ra = GetRegionObject(a);
  const Region* rb = GetRegionObject(b);
  return ra && rb && *ra == *rb;
}

bool SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
  Region* r = GetRegionObject(region);
  if (!r) return false;
  r->SetRect(RECT{left, top, right, bottom}.Normalized());
  return true;
}

uint32_t GetRegionData(HRGN region, uint32_t byteCount, RGNDATA* data) {
  const Region* r = GetRegionObject(region);
  if (!r) return 0;
  const auto rects = r->Rects();
  const uint64_t need = sizeof(RGNDATAHEADER) + uint64_t(rects.size()) * sizeof(RECT);
  if (need > UINT32_MAX) return 0;
  if (!data) return uint32_t(need);
  if (byteCount < need) return 0;
  RGNDATAHEADER header;
  header.nCount = uint32_t(rects.size());
  header.nRgnSize = uint32_t(rects.size() * sizeof(RECT));
  header.rcBound = r->Bounds();
  std::memcpy(static_cast<void*>(data), &header, sizeof header);
  if (!rects.empty()) std::memcpy(data->Buffer, rects.data(), rects.size() * sizeof(RECT));
  return byteCount;
}

}  // namespace kora
