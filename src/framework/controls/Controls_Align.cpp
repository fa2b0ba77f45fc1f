// Alignment of children: alTop, alBottom, alLeft, alRight, then alClient
// share what is left of the adjusted client area.

#include <algorithm>

#include "framework/controls/Controls.h"

namespace kora {

namespace {

// Where a control sits along the edge it is aligned to; nearer the edge first.
int EdgeOrder(const TControl* c) {
  switch (c->Align()) {
    case alTop: return c->Top();
    case alBottom: return -(c->Top() + c->Height());
    case alLeft: return c->Left();
    case alRight: return -(c->Left() + c->Width());
    default: return 0;
  }
}

}  // namespace

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignNow(nullptr); }

void TWinControl::AdjustClientRect(RECT&) const {}

void TWinControl::AlignNow(TControl* control) {
  if (FAlignLevel > 0 || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  // Moving a child asks for alignment again; one pass is enough.
  if (FAligning) return;
  FAligning = true;
  FControlState.Exclude(csAlignmentNeeded);
  try {
    RECT rect = ClientRect();
    AdjustClientRect(rect);
    AlignControls(control, rect);
  } catch (...) {
    FAligning = false;
    throw;
  }
  FAligning = false;
}

void TWinControl::AlignControls(TControl* control, RECT& rect) {
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> group;
    for (TControl* c : FControls)
      if (c->Align() == align && c->Visible()) group.push_back(c);
    // The control being changed goes before others at the same place.
    std::stable_sort(group.begin(), group.end(), [control](const TControl* a, const TControl* b) {
      const int ea = EdgeOrder(a), eb = EdgeOrder(b);
      return ea < eb || (ea == eb && a == control && b != control);
    });
    for (TControl* c : group) {
      const int w = std::max(rect.Right - rect.Left, 0);
      const int h = std::max(rect.Bottom - rect.Top, 0);
      switch (align) {
        case alTop:
          c->SetBounds(rect.Left, rect.Top, w, c->Height());
          rect.Top += c->Height();
          break;
        case alBottom:
          c->SetBounds(rect.Left, rect.Bottom - c->Height(), w, c->Height());
          rect.Bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(rect.Left, rect.Top, c->Width(), h);
          rect.Left += c->Width();
          break;
        case alRight:
          c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), h);
          rect.Right -= c->Width();
          break;
        default: c->SetBounds(rect.Left, rect.Top, w, h); break;
      }
    }
  }
}

}  // namespace kora
