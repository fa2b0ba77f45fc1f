// The frame's size and geometry, painting it, and applying a skin.

#include <algorithm>

#include "skin/form/bsSkinForm.h"

namespace kora {

SIZE TbsSkinForm::WindowSize() const {
  RECT r;
  if (FForm->HandleAllocated() && GetWindowRect(FForm->Handle(), &r)) return {r.Width(), r.Height()};
  return {FForm->Width(), FForm->Height()};
}

void TbsSkinForm::MeasureWindow() { FSize = WindowSize(); }

void TbsSkinForm::FitDefaultGeometry(bool fromWindow) {
  const SIZE size = fromWindow ? WindowSize() : FSize;
  FGeometry.FitDefault(size.cx, size.cy, ToolWindow());
}

bool TbsSkinForm::Sizeable() const {
  return FForm->BorderStyle() == bsSizeable || FForm->BorderStyle() == bsSizeToolWin;
}

bool TbsSkinForm::GetFormActive() const {
  if (FForm->FormStyle() == fsMDIChild || FForm->FormStyle() == fsMDIForm) return FNCActive;
  return FForm->Active();
}

bool TbsSkinForm::ToolWindow() const {
  return FForm->BorderStyle() == bsToolWindow || FForm->BorderStyle() == bsSizeToolWin;
}

// ---- Geometry ----------------------------------------------------------------------

bool TbsSkinForm::CalcRects() {
  if (!FSkinActive) return false;
  if (FSize.cx < FStates->GetMinWidth() || FSize.cy < FStates->GetMinHeight()) return false;
  FGeometry.FitSkin(SkinData(), FSize.cx, FSize.cy);
  return true;
}

// ---- Painting ----------------------------------------------------------------------

void TbsSkinForm::PaintNC(HDC dc) {
  if (FForm->BorderStyle() == bsNone) return;
  MeasureWindow();
  if (FSkinActive) {
    if (!CalcRects()) return;
    FObjects->CalcRects();
    FPainter.PaintSkin(dc);
  } else if (!FChangingSkin && FSize.cx > 0 && FSize.cy > 0) {
    FObjects->CalcRects();
    FPainter.PaintDefault(dc);
  }
}

void TbsSkinForm::PaintNCNow() {
  if (!FForm->HandleAllocated() || !IsWindowVisible(FForm->Handle())) return;
  SendMessage(FForm->Handle(), WM_NCPAINT, 1, 0);
}

// ---- Skins -------------------------------------------------------------------------

void TbsSkinForm::ApplySkin() {
  FSkinActive = SkinData() && !SkinData()->Empty() && !SkinData()->Picture()->Empty();
  FObjects->SyncFromSkin();
  FObjects->SetBorderIconsVisibility();
  if (!FSkinActive) FRegion->Update(true);
  if (FForm->HandleAllocated() && !Designing()) {
    const HWND h = FForm->Handle();
    RECT r;
    GetWindowRect(h, &r);
    int w = r.Width(), hh = r.Height();
    const int minW = FStates->GetMinWidth(), minH = FStates->GetMinHeight();
    if (FStates->RolledUp() || FStates->WindowState() == fwsMinimized) hh = minH;
    if (FStates->WindowState() == fwsMinimized) w = minW;
    w = std::max(w, minW);
    hh = std::max(hh, minH);
    if (w != r.Width() || hh != r.Height())
      SetWindowPos(h, HWND(), 0, 0, w, hh, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The client area follows the skin's frame.
    SetWindowPos(h, HWND(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    MeasureWindow();
    if (FSkinActive) {
      CalcRects();
      FRegion->Update(true);
    }
    PaintNCNow();
    FObjects->UpdateCaptionActiveState(false, false);
    if (GetFormActive()) FHover->HotTrackTimer()->SetEnabled(true);
  }
  OnChangeSkinData(this);
  if (!FStates->RolledUp() && FForm->HandleAllocated()) {
    if (ClientWidth > 0) FForm->SetClientWidth(ClientWidth);
    if (ClientHeight > 0) FForm->SetClientHeight(ClientHeight);
  }
}

}  // namespace kora
