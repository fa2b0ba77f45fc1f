#include "platform/gdi/DeviceContext.h"

namespace kora {

PixelSurface DeviceContext::Surface() const {
  if (Memory || SurfaceBitmap) {
    BitmapObject* bitmap = FindBitmap(Memory ? State.Bitmap : SurfaceBitmap);
    return bitmap ? bitmap->Surface() : PixelSurface();
  }
  return RawSurface;
}

const Region& DeviceContext::EffectiveClip(const PixelSurface& surface) {
  if (FClipValid && FClipWidth == surface.Width && FClipHeight == surface.Height) return FClip;
  FClip = Region(RECT{0, 0, surface.Width, surface.Height});
  if (HasVisible) FClip = FClip.Intersect(Visible);
  if (State.HasClip) {
    Region clip = State.Clip;
    clip.Offset(DeviceOrigin.X, DeviceOrigin.Y);
    FClip = FClip.Intersect(clip);
  }
  FClipValid = true;
  FClipWidth = surface.Width;
  FClipHeight = surface.Height;
  return FClip;
}

POINT DeviceContext::LogicalToSurface() const { return State.ViewportOrg - State.WindowOrg + DeviceOrigin; }

DeviceContext* FindDc(HDC dc) { return LookupGdiObject<DeviceContext>(dc); }

bool AcquireTarget(HDC dc, DrawTarget& target) {
  DeviceContext* d = FindDc(dc);
  if (!d) return false;
  target.Dc = d;
  target.Surface = d->Surface();
  if (!target.Surface.Bits) return false;
  target.Clip = &d->EffectiveClip(target.Surface);
  const POINT offset = d->LogicalToSurface();
  target.Dx = offset.X;
  target.Dy = offset.Y;
  return true;
}

bool AcquireSource(HDC dc, BlitSource& source) {
  DeviceContext* d = FindDc(dc);
  if (!d) return false;
  source.Surface = d->Surface();
  const POINT offset = d->LogicalToSurface();
  source.Dx = offset.X;
  source.Dy = offset.Y;
  return source.Surface.Bits != nullptr;
}

namespace {

GdiKind KindOfSelectable(HGDIOBJ object) {
  for (GdiKind kind : {GdiKind::Pen, GdiKind::Brush, GdiKind::Font, GdiKind::Bitmap})
    if (LookupGdiObject(object.Value(), kind)) return kind;
  return GdiKind::Region;  // not selectable
}

HGDIOBJ& Slot(DcState& state, GdiKind kind) {
  switch (kind) {
    case GdiKind::Pen: return state.Pen;
    case GdiKind::Brush: return state.Brush;
    case GdiKind::Font: return state.Font;
    default: return state.Bitmap;
  }
}

// Moves a DC's slot to another object, keeping the selection counts right.
void Reselect(HGDIOBJ& slot, HGDIOBJ object, GdiKind kind) {
  if (GdiObject* old = LookupGdiObject(slot.Value(), kind)) old->RemoveSelection();
  if (GdiObject* now = LookupGdiObject(object.Value(), kind)) now->AddSelection();
  slot = object;
}

HGDIOBJ DefaultObject(GdiKind kind) {
  switch (kind) {
    case GdiKind::Pen: return GetStockObject(BLACK_PEN);
    case GdiKind::Brush: return GetStockObject(WHITE_BRUSH);
    case GdiKind::Font: return GetStockObject(SYSTEM_FONT);
    default: return DefaultDcBitmap();
  }
}

bool CanSelectBitmap(HGDIOBJ bitmap, HGDIOBJ current) {
  GdiObject* o = LookupGdiObject(bitmap.Value(), GdiKind::Bitmap);
  return o && (o->IsStock() || o->SelectCount() == 0 || bitmap == current);
}

}  // namespace

void InitDcState(DeviceContext& dc) {
  for (GdiKind kind : {GdiKind::Pen, GdiKind::Brush, GdiKind::Font})
    Reselect(Slot(dc.State, kind), DefaultObject(kind), kind);
  if (dc.Memory) Reselect(dc.State.Bitmap, DefaultObject(GdiKind::Bitmap), GdiKind::Bitmap);
}

HDC CreateCompatibleDC(HDC) {
  auto dc = std::make_unique<DeviceContext>();
  dc->Memory = true;
  InitDcState(*dc);
  return HDC(RegisterGdiObject(std::move(dc)));
}

bool DeleteDC(HDC dc) {
  DeviceContext* d = FindDc(dc);
  if (!d) return false;
  for (GdiKind kind : {GdiKind::Pen, GdiKind::Brush, GdiKind::Font, GdiKind::Bitmap})
    Reselect(Slot(d->State, kind), HGDIOBJ(), kind);
  return UnregisterGdiObject(dc.Value(), GdiKind::Dc);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  DeviceContext* d = FindDc(dc);
  const GdiKind kind = KindOfSelectable(object);
  if (!d || kind == GdiKind::Region) return HGDIOBJ();
  HGDIOBJ& slot = Slot(d->State, kind);
  const HGDIOBJ old = slot;
  if (kind == GdiKind::Bitmap) {
    if (!d->Memory || !CanSelectBitmap(object, old)) return HGDIOBJ();
    d->InvalidateClip();
  }
  Reselect(slot, object, kind);
  return old;
}

HGDIOBJ GetCurrentObject(HDC dc, int type) {
  DeviceContext* d = FindDc(dc);
  if (!d) return HGDIOBJ();
  switch (type) {
    case OBJ_PEN: return d->State.Pen;
    case OBJ_BRUSH: return d->State.Brush;
    case OBJ_FONT: return d->State.Font;
    case OBJ_BITMAP: return d->State.Bitmap;
    default: return HGDIOBJ();
  }
}

int SaveDC(HDC dc) {
  DeviceContext* d = FindDc(dc);
  if (!d) return 0;
  d->Saved.push_back(d->State);
  return int(d->Saved.size());
}

bool RestoreDC(HDC dc, int level) {
  DeviceContext* d = FindDc(dc);
  if (!d) return false;
  const int count = int(d->Saved.size());
  const int target = level < 0 ? count + 1 + level : level;
  if (target < 1 || target > count) return false;
  DcState restored = std::move(d->Saved[std::size_t(target - 1)]);
  d->Saved.resize(std::size_t(target - 1));
  // Objects deleted since the save (or a bitmap now in another DC) fall
  // back to the defaults.
  for (GdiKind kind : {GdiKind::Pen, GdiKind::Brush, GdiKind::Font, GdiKind::Bitmap}) {
    if (kind == GdiKind::Bitmap && !d->Memory) continue;
    HGDIOBJ wanted = Slot(restored, kind);
    const bool usable = kind == GdiKind::Bitmap ? CanSelectBitmap(wanted, d->State.Bitmap)
                                                : LookupGdiObject(wanted.Value(), kind) != nullptr;
    if (!usable) wanted = DefaultObject(kind);
    Slot(restored, kind) = Slot(d->State, kind);
    Reselect(Slot(restored, kind), wanted, kind);
  }
  d->State = std::move(restored);
  d->InvalidateClip();
  return true;
}

}  // namespace kora
