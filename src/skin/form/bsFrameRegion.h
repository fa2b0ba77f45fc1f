#pragma once
// The frame's window region: the skin's mask cut into four bands round the
// mask area at the window's size, the region made of them, and whether a
// point of the window lies on the shape (the edge hit tests ask).

#include "framework/graphics/Graphics.h"
#include "platform/gdi/GdiHandles.h"

namespace kora {

class TbsSkinForm;

class TbsFrameRegion {
public:
  explicit TbsFrameRegion(TbsSkinForm* frame) : FFrame(frame) {}
  ~TbsFrameRegion();
  TbsFrameRegion(const TbsFrameRegion&) = delete;
  TbsFrameRegion& operator=(const TbsFrameRegion&) = delete;

  // Makes the region for the frame's size (again when sizeChanged), or
  // takes it away when the look has no mask.
  void Update(bool sizeChanged);
  // Whether the skin's mask was cut into bands.
  bool HasBands() const;
  // Whether a point of the window lies on the mask's shape.
  bool Covers(POINT q) const;

private:
  TbsSkinForm* FFrame;
  // Mask bands at the size they were last made for.
  TBitmap FMaskTop, FMaskBottom, FMaskLeft, FMaskRight;
  SIZE FRegionSize;
  HRGN FRegion;
};

}  // namespace kora
