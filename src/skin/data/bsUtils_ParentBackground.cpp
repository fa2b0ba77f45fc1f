// A transparent control's background: its parent painted into the
// control's canvas at the control's place, from the parent's skin where it
// draws one.

#include "framework/controls/Controls.h"
#include "skin/data/bsUtils.h"

namespace kora {

void PaintParentBackground(TControl* control, TCanvas* canvas) { PaintParentBackground(control, canvas, RECT{}); }

void PaintParentBackground(TControl* control, TCanvas* canvas, const RECT& offset) {
  auto* skinned = dynamic_cast<IbsSkinBackground*>(control ? control->Parent() : nullptr);
  std::function<void(HDC)> paint;
  if (skinned) paint = [skinned](HDC dc) { skinned->PaintSkinBackground(dc); };
  PaintParentImage(control, canvas->Handle(), {offset.Left, offset.Top}, paint);
}

}  // namespace kora
