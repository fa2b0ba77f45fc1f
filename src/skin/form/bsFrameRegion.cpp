// The frame's window region from the skin's mask.

#include "skin/form/bsFrameRegion.h"

#include "platform/gdi/Region.h"
#include "skin/form/bsSkinForm.h"

namespace kora {

namespace {

bool IsBlackPixel(const TBitmap& band, int x, int y) {
  if (band.Empty() || x < 0 || y < 0 || x >= band.Width() || y >= band.Height()) return false;
  const uint8_t* p = band.ScanLine(y) + size_t(x) * 4;
  return p[0] == 0 && p[1] == 0 && p[2] == 0;
}

}  // namespace

TbsFrameRegion::~TbsFrameRegion() {
  if (FRegion) DeleteObject(FRegion);
}

void TbsFrameRegion::Update(bool sizeChanged) {
  if (!FFrame->Form()->HandleAllocated() || FFrame->Form()->BorderStyle() == bsNone) return;
  TBitmap* mask = FFrame->SkinActive() ? FFrame->SkinData()->MaskPicture() : nullptr;
  if (!mask || mask->Empty()) {
    if (FRegion) {
      SetWindowRgn(FFrame->Form()->Handle(), HRGN(), true);
      DeleteObject(FRegion);
      FRegion = HRGN();
    }
    for (TBitmap* band : {&FMaskTop, &FMaskBottom, &FMaskLeft, &FMaskRight}) band->SetSize(0, 0);
    FRegionSize = {};
    SendMessage(FFrame->Form()->Handle(), WM_NCPAINT, 1, 0);
    return;
  }
  if (!FFrame->CalcRects()) return;
  const SIZE size = FFrame->FrameSize();
  if (FRegion && !sizeChanged && size == FRegionSize) return;
  const TbsSkinFormInfo& info = FFrame->SkinData()->FormInfo();
  const TbsSkinGeometry geo{info.LeftTopPoint, info.RightTopPoint, info.LeftBottomPoint, info.RightBottomPoint,
                            info.MaskRectArea};
  const TbsFrameGeometry& g = FFrame->Geometry();
  const TbsSkinGeometry fit{g.TopLeft, g.TopRight, g.BottomLeft, g.BottomRight, g.MaskArea};
  // The bands serve the edge hit tests as well.
  ComposeMaskBands(geo, fit, mask, {&FMaskLeft, &FMaskTop, &FMaskRight, &FMaskBottom}, size);
  HRGN region;
  if (size.cx == mask->Width() && size.cy == mask->Height()) {
    region = RegionFromMask(mask);
  } else {
    region = CreateRectRgnIndirect(&g.MaskArea);
    const auto add = [&](TBitmap& band, int dx, int dy) {
      if (band.Empty()) return;
      const std::vector<uint8_t> data = MaskRunsToRegionData(&band, dx, dy);
      HRGN part = ExtCreateRegion(nullptr, uint32_t(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
      if (!part) return;
      CombineRgn(region, region, part, RGN_OR);
      DeleteObject(part);
    };
    add(FMaskTop, 0, 0);
    add(FMaskBottom, 0, g.MaskArea.Bottom);
    add(FMaskLeft, 0, g.MaskArea.Top);
    add(FMaskRight, g.MaskArea.Right, g.MaskArea.Top);
  }
  if (FRegion) DeleteObject(FRegion);
  FRegion = region;
  FRegionSize = size;
  // The window takes the region it is given; ours stays for the hit tests.
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(copy, FRegion, HRGN(), RGN_COPY);
  SetWindowRgn(FFrame->Form()->Handle(), copy, true);
}

bool TbsFrameRegion::HasBands() const {
  TBitmap* mask = FFrame->SkinData() ? FFrame->SkinData()->MaskPicture() : nullptr;
  return mask && !mask->Empty() && !FMaskTop.Empty();
}

bool TbsFrameRegion::Covers(POINT q) const {
  const RECT& m = FFrame->Geometry().MaskArea;
  if (m.Contains(q)) return true;
  if (q.Y < m.Top) return IsBlackPixel(FMaskTop, q.X, q.Y);
  if (q.Y >= m.Bottom) return IsBlackPixel(FMaskBottom, q.X, q.Y - m.Bottom);
  if (q.X < m.Left) return IsBlackPixel(FMaskLeft, q.X, q.Y - m.Top);
  return IsBlackPixel(FMaskRight, q.X - m.Right, q.Y - m.Top);
}

}  // namespace kora
