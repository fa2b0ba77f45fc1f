// The frame's active skin objects.

#include "skin/form/bsFrameObjects.h"

#include "skin/form/bsSkinForm.h"

namespace kora {

TbsFrameObjects::~TbsFrameObjects() = default;

TbsActiveSkinObject* TbsFrameObjects::Find(const std::string& idName) const {
  for (const auto& object : FObjects)
    if (object->IDName == idName) return object.get();
  return nullptr;
}

void TbsFrameObjects::Clear() { FObjects.clear(); }

void TbsFrameObjects::RepaintAll() {
  for (const auto& object : FObjects) Repaint(object.get());
}

void TbsFrameObjects::CalcRects() {
  // A skin's geometry was fitted by CalcRects; the default look's is fixed.
  if (!FFrame->SkinActive()) FFrame->FitDefaultGeometry(false);
  FFrame->Geometry().PlaceObjects(FObjects, FFrame->ShowIcon());
}

void TbsFrameObjects::SetBorderIconsVisibility() {
  for (const auto& object : FObjects) {
    const std::optional<TbsStdCommand> command = object->ButtonCommand();
    if (!command) continue;
    if (FFrame->HideCaptionButtons()) {
      object->Enabled = false;
      if (object->SkinRectInAPicture) object->Visible = false;
      continue;
    }
    const auto follow = [&](TbsBorderIcon icon) {
      const bool on = FFrame->BorderIcons().Contains(icon);
      object->Enabled = on;
      object->Visible = object->SkinRectInAPicture ? on : true;
    };
    switch (*command) {
      case cmClose: object->Enabled = object->Visible = true; break;
      case cmMaximize: follow(TbsBorderIcon::biMaximize); break;
      case cmMinimize: follow(TbsBorderIcon::biMinimize); break;
      case cmSysMenu: follow(TbsBorderIcon::biSystemMenu); break;
      case cmRollUp: follow(TbsBorderIcon::biRollUp); break;
      case cmMinimizeToTray: follow(TbsBorderIcon::biMinimizeToTray); break;
      case cmDefault: {
        bool visible = false;
        FFrame->OnActivateCustomObject(object->IDName, visible);
        object->Visible = visible;
        break;
      }
    }
  }
  UpdateCaptionButtonHints();
}

void TbsFrameObjects::UpdateCaptionButtonHints() {
  if (!FFrame->UseDefaultObjectHint || !FFrame->SkinActive()) return;
  for (const auto& object : FObjects) {
    switch (object->ButtonCommand().value_or(cmDefault)) {
      case cmClose: object->Hint = FrameResourceString(FFrame->SkinData(), "CLOSEBUTTON_HINT", 65240); break;
      case cmMaximize: object->Hint = FrameResourceString(FFrame->SkinData(), "MAXBUTTON_HINT", 65239); break;
      case cmMinimize: object->Hint = FrameResourceString(FFrame->SkinData(), "MINBUTTON_HINT", 65238); break;
      case cmSysMenu: object->Hint = FrameResourceString(FFrame->SkinData(), "MENUBUTTON_HINT", 65243); break;
      case cmRollUp: object->Hint = FrameResourceString(FFrame->SkinData(), "ROLLUPBUTTON_HINT", 65242); break;
      case cmMinimizeToTray: object->Hint = FrameResourceString(FFrame->SkinData(), "TRAYBUTTON_HINT", 65241); break;
      default: break;
    }
  }
}

void TbsFrameObjects::Repaint(TbsActiveSkinObject* object) {
  if (!object || !FFrame->Form()->HandleAllocated() || !IsWindowVisible(FFrame->Form()->Handle())) return;
  if (FFrame->SkinActive() && !FFrame->CalcRects()) return;
  if (!object->RepaintsAlone() || !object->Visible) {
    // The caption is drawn over the band: only a whole frame paint redraws it cleanly.
    if (object->Visible) FFrame->PaintNCNow();
    return;
  }
  const HDC dc = GetWindowDC(FFrame->Form()->Handle());
  if (!dc) return;
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    object->Draw(&canvas, true);
    canvas.SetHandle(HDC());
  }
  ReleaseDC(FFrame->Form()->Handle(), dc);
}

void TbsFrameObjects::UpdateCaptionActiveState(bool repaint, bool animate) {
  const bool active = FFrame->GetFormActive();
  for (const auto& object : FObjects) object->SetActiveState(active, repaint && animate);
  if (repaint) FFrame->PaintNCNow();
  if (active)
    FFrame->OnActivate(FFrame);
  else
    FFrame->OnDeActivate(FFrame);
}

void TbsFrameObjects::CreateDefaultObjects() {
  for (TbsStdCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray, cmSysMenu}) {
    auto button = std::make_unique<TbsSkinStdButtonObject>(FFrame, nullptr);
    button->Command = command;
    button->SkinSupport = false;
    button->SkinRectInAPicture = true;
    FObjects.push_back(std::move(button));
  }
}

void TbsFrameObjects::SyncFromSkin() {
  FObjects.clear();
  FFrame->Hover().Forget();
  if (!FFrame->SkinActive()) {
    CreateDefaultObjects();
    return;
  }
  for (int i = 0; i < FFrame->SkinData()->ObjectRecordCount(); ++i) {
    const TbsDataSkinObject* record = FFrame->SkinData()->ObjectRecord(i);
    if (dynamic_cast<const TbsDataSkinMenuItem*>(record) || dynamic_cast<const TbsDataSkinMainMenuItem*>(record) ||
        dynamic_cast<const TbsDataSkinMainMenuBarButton*>(record))
      continue;
    std::unique_ptr<TbsActiveSkinObject> object;
    if (dynamic_cast<const TbsDataSkinStdButton*>(record))
      object = std::make_unique<TbsSkinStdButtonObject>(FFrame, record);
    else if (dynamic_cast<const TbsDataSkinButton*>(record))
      object = std::make_unique<TbsSkinButtonObject>(FFrame, record);
    else if (dynamic_cast<const TbsDataSkinCaption*>(record))
      object = std::make_unique<TbsSkinCaptionObject>(FFrame, record);
    else if (dynamic_cast<const TbsDataSkinAnimate*>(record))
      object = std::make_unique<TbsSkinAnimateObject>(FFrame, record);
    else if (dynamic_cast<const TbsDataUserObject*>(record))
      object = std::make_unique<TbsUserObject>(FFrame, record);
    if (object) FObjects.push_back(std::move(object));
  }
}

}  // namespace kora
