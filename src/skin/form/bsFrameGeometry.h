#pragma once
// Where each piece of a skinned frame lies in a window of a given size:
// the skin's corner points and client moved to the size, the caption and
// the caption buttons' row, the mask area and the sizing zones; or the
// default look's fixed frame when there is no skin. Painting and hit
// testing both ask it, so they always agree.

#include <memory>
#include <vector>

#include "skin/data/bsSkinData.h"

namespace kora {

class TbsActiveSkinObject;

class TbsFrameGeometry {
public:
  // The skin's frame stretched to w x h.
  void FitSkin(const TbsSkinData* skin, int w, int h);
  // The default look at w x h: a three-pixel raised border and a caption
  // row under it (a smaller one for tool windows).
  void FitDefault(int w, int h, bool toolWindow);

  // Places the objects for the fitted size: skin objects by the corner
  // area of the skin's picture they lie in, the caption buttons along
  // their row and the caption strip in what the buttons leave.
  // systemIcon: the system-menu button shows the form's small icon.
  void PlaceObjects(const std::vector<std::unique_ptr<TbsActiveSkinObject>>& objects, bool systemIcon) const;

  // The sizing zone (HTLEFT ... HTBOTTOMRIGHT) of a point on the border,
  // HTNOWHERE elsewhere.
  LRESULT SizingZone(POINT p) const;

  // The client of a window of w x h (for the non-client size calculation).
  static RECT ClientRect(const TbsSkinData* skin, int w, int h, bool toolWindow);
  static int DefaultCaptionHeight(bool toolWindow) { return toolWindow ? 15 : 19; }

  bool Skinned = false;
  int Width = 0, Height = 0;
  // The skin's corner points at the size.
  POINT TopLeft, TopRight, BottomLeft, BottomRight;
  RECT Inner;     // the client
  RECT Caption;   // the caption row; in the default look it reaches down to the client
  RECT Buttons;   // the skin's own button row; empty when the buttons share the caption
  RECT MaskArea;  // the mask's solid middle
  // Where the corner sizing zones end, and what the edge zones reach in to.
  POINT HitTopLeft, HitTopRight, HitBottomLeft, HitBottomRight;
  RECT SizingInner;
  int ButtonsOffset = 0;
  bool ButtonsInLeft = false;

private:
  void PlaceDefaultButtons(const std::vector<std::unique_ptr<TbsActiveSkinObject>>& objects) const;
  const TbsSkinData* FSkin = nullptr;
};

}  // namespace kora
