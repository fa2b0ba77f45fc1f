// Canvases on controls and the two painting bases.

#include <algorithm>
#include <vector>

#include "framework/controls/Controls.h"
#include "framework/core/ClassBuilder.h"

namespace kora {

namespace {

// Canvases that drew on a window outside its paint message, through a DC
// of their own: what they drew reaches the screen when the DC goes back.
std::vector<TControlCanvas*>& CanvasesHoldingDCs() {
  static std::vector<TControlCanvas*> canvases;
  return canvases;
}

// Lends the canvas a paint DC for the duration of paint().
template <typename F>
void PaintOn(TControlCanvas& canvas, HDC dc, F paint) {
  canvas.FreeHandle();
  canvas.SetHandle(dc);
  try {
    paint();
  } catch (...) {
    canvas.SetHandle(HDC());
    throw;
  }
  canvas.SetHandle(HDC());
}

}  // namespace

TClass TControlCanvas::StaticClass() {
  static const TClassInfo info(TClassBuilder<TControlCanvas>("TControlCanvas"));
  return &info;
}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  if (!FControl) return;
  auto* window = dynamic_cast<TWinControl*>(FControl);
  if (window) {
    FWindow = window->Handle();
    FDeviceContext = GetDC(FWindow);
  } else {
    // A windowless control draws on its part of the parent's window.
    TWinControl* parent = FControl->Parent();
    if (!parent) return;
    FWindow = parent->Handle();
    FDeviceContext = GetDC(FWindow);
    const RECT r = FControl->BoundsRect();
    IntersectClipRect(FDeviceContext, r.Left, r.Top, r.Right, r.Bottom);
    SetViewportOrgEx(FDeviceContext, r.Left, r.Top, nullptr);
  }
  if (FDeviceContext) CanvasesHoldingDCs().push_back(this);
  SetHandle(FDeviceContext);
}

void TControlCanvas::FreeHandle() {
  TCanvas::FreeHandle();
  if (FDeviceContext) {
    std::erase(CanvasesHoldingDCs(), this);
    ReleaseDC(FWindow, FDeviceContext);
    FDeviceContext = HDC();
    FWindow = HWND();
  }
}

void FreeControlDeviceContexts() {
  const std::vector<TControlCanvas*> holding = CanvasesHoldingDCs();
  for (TControlCanvas* canvas : holding) canvas->FreeHandle();
}

// ---- TCustomControl -------------------------------------------------------------------

TClass TCustomControl::StaticClass() {
  static const TClassInfo info(TClassBuilder<TCustomControl>("TCustomControl"));
  return &info;
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() { FCanvas->FreeHandle(); }

void TCustomControl::PaintWindow(HDC dc) {
  PaintOn(*FCanvas, dc, [this] {
    FCanvas->SetFont(Font());
    Paint();
  });
}

void TCustomControl::Paint() {}

void TCustomControl::DestroyWnd() {
  FCanvas->FreeHandle();
  TWinControl::DestroyWnd();
}

// ---- TGraphicControl -------------------------------------------------------------------

TClass TGraphicControl::StaticClass() {
  static const TClassInfo info(TClassBuilder<TGraphicControl>("TGraphicControl"));
  return &info;
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() { FCanvas->FreeHandle(); }

void TGraphicControl::WndProc(TMessage& message) {
  // The parent's PaintControls hands over its DC, moved to this control.
  if (message.Msg == WM_PAINT && message.WParam) {
    PaintOn(*FCanvas, HDC(uint64_t(message.WParam)), [this] {
      FCanvas->SetFont(Font());
      Paint();
    });
    return;
  }
  TControl::WndProc(message);
}

// ---- The parent as a background ----------------------------------------------------------

void PaintParentImage(TControl* control, HDC dc, POINT offset, const std::function<void(HDC)>& paint) {
  TWinControl* parent = control ? control->Parent() : nullptr;
  // A parent painting a child's background that asks for its own
  // background again would recurse without end.
  if (!parent || parent->ControlState().Contains(csPaintCopy)) return;
  struct PaintCopyScope {
    TWinControl* Parent;
    explicit PaintCopyScope(TWinControl* p) : Parent(p) {
      Parent->SetControlState(Parent->ControlState() + TControlState{csPaintCopy});
    }
    ~PaintCopyScope() { Parent->SetControlState(Parent->ControlState() - TControlState{csPaintCopy}); }
  } copying(parent);
  const ScopedSaveDC saved(dc);
  OffsetViewportOrgEx(dc, -control->Left() - offset.X, -control->Top() - offset.Y, nullptr);
  IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
  if (paint) {
    paint(dc);
    return;
  }
  parent->Perform(WM_ERASEBKGND, WPARAM(dc.Value()), 0);
  parent->Perform(WM_PAINT, WPARAM(dc.Value()), 0);
}

// ---- TScrollingWinControl -----------------------------------------------------------------

TClass TScrollingWinControl::StaticClass() {
  static const TClassInfo info(TClassBuilder<TScrollingWinControl>("TScrollingWinControl"));
  return &info;
}

TScrollingWinControl::TScrollingWinControl(TComponent* owner) : TWinControl(owner) {}

}  // namespace kora
