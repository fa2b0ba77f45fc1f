// The frame's window operations (its window-states part does the work),
// showing the window and skin changes.

#include "skin/form/bsSkinForm.h"

namespace kora {

void TbsSkinForm::MinimizeAll() { FStates->SetWindowState(fwsMinimized); }
void TbsSkinForm::Maximize() { FStates->SetWindowState(fwsMaximized); }
void TbsSkinForm::Restore() { FStates->SetWindowState(fwsNormal); }
void TbsSkinForm::SetFrameWindowState(TbsFrameWindowState value) { FStates->SetWindowState(value); }
void TbsSkinForm::RollUp(bool value) { FStates->RollUp(value); }
void TbsSkinForm::MinimizeToTray() { FStates->MinimizeToTray(); }
void TbsSkinForm::RestoreFromTray() { FStates->RestoreFromTray(); }

void TbsSkinForm::CloseForm() {
  if (FForm) FForm->Close();
}

// ---- Showing ---------------------------------------------------------------------------

void TbsSkinForm::ShowWindowMessage(TMessage& message) {
  FStates->Shown(message.WParam != 0);
  if (!message.WParam) return;
  // The shape and the geometry are there before the first paint.
  MeasureWindow();
  if (FSkinActive && CalcRects()) FRegion->Update(false);
  if (FForm->Menu()) FForm->SetMenu(nullptr);
  FStates->StartFade();
}

// ---- Skin changes --------------------------------------------------------------------

void TbsSkinForm::BeforeSkinChange() {
  FChangingSkin = true;
  FSkinActive = false;
  FHover->HotTrackTimer()->SetEnabled(false);
  FAnimator->Stop();
  FObjects->Clear();
  FHover->Forget();
}

}  // namespace kora
