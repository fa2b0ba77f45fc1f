// A transparent control's background: its parent painted into the
// control's canvas at the control's place.

#include "framework/Controls.h"
#include "framework/TypInfo.h"
#include "platform/window/Messages.h"
#include "skin/data/bsUtils.h"

namespace kora {

namespace {

bool IsForm(const TWinControl* control) {
  // Forms are known by their class name: this unit cannot see their header.
  for (TClass c = control->ClassType(); c; c = c->Parent())
    if (c->Name() == "TCustomForm") return true;
  return false;
}

// The parent carries csPaintCopy while it paints itself as a background.
class PaintCopyScope {
public:
  explicit PaintCopyScope(TWinControl* parent) : FParent(parent) {
    FParent->SetControlState(FParent->ControlState() + TControlState{csPaintCopy});
  }
  ~PaintCopyScope() { FParent->SetControlState(FParent->ControlState() - TControlState{csPaintCopy}); }
  PaintCopyScope(const PaintCopyScope&) = delete;
  PaintCopyScope& operator=(const PaintCopyScope&) = delete;

private:
  TWinControl* FParent;
};

}  // namespace

void PaintParentBackground(TControl* control, TCanvas* canvas) { PaintParentBackground(control, canvas, RECT{}); }

void PaintParentBackground(TControl* control, TCanvas* canvas, const RECT& offset) {
  TWinControl* parent = control ? control->Parent() : nullptr;
  // A parent painting a child's background that asks for its own
  // background again would recurse without end.
  if (!parent || parent->ControlState().Contains(csPaintCopy)) return;
  const HDC dc = canvas->Handle();
  const PaintCopyScope copying(parent);
  const ScopedSaveDC saved(dc);
  OffsetViewportOrgEx(dc, -control->Left() - offset.Left, -control->Top() - offset.Top, nullptr);
  IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
  if (auto* skinned = dynamic_cast<IbsSkinBackground*>(parent)) {
    skinned->PaintSkinBackground(dc);
    return;
  }
  parent->Perform(WM_ERASEBKGND, WPARAM(dc.Value()), 0);
  parent->Perform(WM_PAINT, WPARAM(dc.Value()), 0);
  if (!IsForm(parent)) parent->PaintWindow(dc);
}

}  // namespace kora
