#pragma once
// Paints a frame that its geometry has been laid out for: the skin's bands
// round the client with the objects drawn into them, or the default look's
// raised border and caption; and the client's background under a skin.

#include "platform/gdi/GdiHandles.h"

namespace kora {

class TbsSkinForm;

class TbsFramePainter {
public:
  explicit TbsFramePainter(TbsSkinForm* frame) : FFrame(frame) {}

  // Into a window DC (window coordinates), leaving the client alone.
  void PaintSkin(HDC dc) const;
  void PaintDefault(HDC dc) const;
  // The skin's background picture (or the client piece of its main picture)
  // tiled, with the frame's logo in the middle.
  void PaintClientBackground(HDC dc) const;

private:
  TbsSkinForm* FFrame;
};

}  // namespace kora
