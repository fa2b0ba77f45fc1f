// Hover and capture over the frame's objects: the hit tests, hot
// tracking and the frame's mouse messages.

#include "skin/form/bsFrameHover.h"

#include "skin/form/bsSkinForm.h"

namespace kora {

TbsFrameHover::TbsFrameHover(TbsSkinForm* frame) : FFrame(frame) {
  FHotTrackTimer = std::make_unique<TTimer>(nullptr);
  FHotTrackTimer->SetEnabled(false);
  FHotTrackTimer->SetInterval(50);
  FHotTrackTimer->SetOnTimer([this](TObject*) { HotTrackTick(); });
}

LRESULT TbsFrameHover::NCHitTest(POINT p) {
  const LRESULT result = HitTest(p);
  if (result == HTOBJECT && !FHotTrackTimer->Enabled()) {
    HotTracking(p);
    FHotTrackTimer->SetEnabled(true);
  }
  return result;
}

// ---- Hit tests ---------------------------------------------------------------------

LRESULT TbsFrameHover::HitTest(POINT p) { return FFrame->SkinActive() ? SkinHitTest(p) : DefaultHitTest(p); }

LRESULT TbsFrameHover::SkinHitTest(POINT p) {
  TbsFrameObjects& objects = FFrame->FrameObjects();
  const TbsFrameWindowStates& states = FFrame->States();
  const auto inCaption = [&] {
    for (const auto& object : objects.All())
      if (object->Visible && object->HitCode() == HTCAPTION && object->ObjectRect.Contains(p)) return true;
    return false;
  };
  FFrame->MeasureWindow();
  if (!FFrame->CalcRects()) return HTOBJECT;
  objects.CalcRects();
  if (states.RolledUp() || states.WindowState() == fwsMinimized) return inCaption() ? HTCAPTION : HTOBJECT;
  const TbsFrameGeometry& g = FFrame->Geometry();
  if (FHotIndex != -1 && !inCaption() && !g.Inner.Contains(p) && !states.InSizeMove()) return HTOBJECT;
  if (states.WindowState() != fwsMaximized && FFrame->Sizeable()) {
    const int b = FFrame->SkinData()->FormInfo().BorderWidth;
    const RECT window = RECT::FromSize(0, 0, FFrame->FrameSize().cx, FFrame->FrameSize().cy);
    const TbsFrameRegion& region = FFrame->Region();
    const bool hasMask = region.HasBands();
    const auto inside = [&](POINT q) { return window.Contains(q) && (!hasMask || region.Covers(q)); };
    const POINT probes[] = {{p.X - b, p.Y}, {p.X, p.Y - b}, {p.X + b, p.Y}, {p.X, p.Y + b}};
    bool near = false;
    if (!hasMask || !g.MaskArea.Contains(p)) {
      for (POINT q : probes) near = near || !inside(q);
    }
    if (const LRESULT zone = near ? g.SizingZone(p) : HTNOWHERE; zone != HTNOWHERE) return zone;
  }
  if (g.Inner.Contains(p)) return HTCLIENT;
  if (inCaption()) return HTCAPTION;
  return HTOBJECT;
}

LRESULT TbsFrameHover::DefaultHitTest(POINT p) {
  const TbsFrameObjects& objects = FFrame->FrameObjects();
  const TbsFrameWindowStates& states = FFrame->States();
  FFrame->FitDefaultGeometry();
  const TbsFrameGeometry& g = FFrame->Geometry();
  if (states.WindowState() != fwsMaximized && !states.RolledUp() && FFrame->Sizeable() &&
      states.WindowState() != fwsMinimized) {
    if (FHotIndex != -1) return HTOBJECT;
    if (const LRESULT zone = g.SizingZone(p); zone != HTNOWHERE) return zone;
  }
  for (const auto& object : objects.All())
    if (object->Visible && object->Enabled && object->ObjectRect.Contains(p)) return HTOBJECT;
  if (g.Caption.Contains(p)) return HTCAPTION;
  if (g.Inner.Contains(p)) return HTCLIENT;
  return HTOBJECT;
}

// ---- Hot tracking ------------------------------------------------------------------

void TbsFrameHover::HotTracking(POINT p, bool allowHot) {
  const TbsFrameObjects& objects = FFrame->FrameObjects();
  if (objects.All().empty() || !FFrame->GetFormActive()) return;
  int hot = -1;
  if (allowHot) {
    for (int i = 0; i < objects.Count(); ++i) {
      const TbsActiveSkinObject* object = objects.At(i);
      if (object->Enabled && object->Visible && object->ObjectRect.Contains(p)) {
        hot = i;
        break;
      }
    }
  }
  if (FCapturedIndex != -1 && hot != FCapturedIndex) hot = -1;
  if (hot == FHotIndex) return;
  const int previous = FHotIndex;
  FHotIndex = hot;
  auto* hint = dynamic_cast<IbsFrameHint*>(FFrame->SkinHint());
  if (previous != -1 && previous < objects.Count()) {
    objects.At(previous)->MouseLeave();
    if (FFrame->ShowObjectHint && hint) hint->HideObjectHint();
  }
  if (hot != -1 && hot < objects.Count()) {
    objects.At(hot)->MouseEnter();
    if (FFrame->ShowObjectHint && hint && !objects.At(hot)->Hint.empty()) hint->ShowObjectHint(objects.At(hot)->Hint);
  }
}

void TbsFrameHover::HotTrackTick() {
  const TbsFrameWindowStates& states = FFrame->States();
  if (!FFrame->Form()->HandleAllocated() || states.InSizeMove() || !FFrame->GetFormActive()) {
    FHotTrackTimer->SetEnabled(false);
    return;
  }
  POINT cursor;
  GetCursorPos(&cursor);
  RECT window;
  GetWindowRect(FFrame->Form()->Handle(), &window);
  const POINT p = cursor - window.TopLeft();
  const bool inClient = FFrame->SkinActive() ? FFrame->Geometry().Inner.Contains(p)
                                             : states.ClientRectFor(window.Width(), window.Height()).Contains(p);
  HotTracking(p, !inClient);
  if (FHotIndex == -1 && FCapturedIndex == -1) FHotTrackTimer->SetEnabled(false);
}

void TbsFrameHover::ResetHotState() {
  const TbsFrameObjects& objects = FFrame->FrameObjects();
  for (const auto& object : objects.All()) object->ResetHover();
}

void TbsFrameHover::HandleNCMouse(TMessage& message, LRESULT hit) {
  const TbsFrameObjects& objects = FFrame->FrameObjects();
  TbsFrameWindowStates& states = FFrame->States();
  if (!FFrame->Form()->HandleAllocated()) return;
  const bool client = message.Msg == WM_LBUTTONUP || message.Msg == WM_RBUTTONUP || message.Msg == WM_MOUSEMOVE;
  const POINT p = client ? POINT{-1, -1} : FFrame->WindowPoint(message.LParam);
  const auto object = [&objects](int index) {
    return index >= 0 && index < objects.Count() ? objects.At(index) : nullptr;
  };
  const auto captured = [&] { return object(FCapturedIndex) ? object(FCapturedIndex) : object(FHotIndex); };
  switch (message.Msg) {
    case WM_MOUSEMOVE:
      // The mouse is ours while a button is held: follow it in and out.
      if (FCapturedIndex != -1) {
        POINT cursor;
        GetCursorPos(&cursor);
        HotTracking(FFrame->WindowPoint(PointToLParam(cursor)));
      }
      break;
    case WM_NCMOUSEMOVE:
      if (TbsActiveSkinObject* target = captured()) target->MouseMove(p.X, p.Y);
      break;
    case WM_NCLBUTTONDOWN: {
      if (states.InSizeMove()) {
        states.ClearSizeMove();
        break;
      }
      HotTracking(p);
      TbsActiveSkinObject* hot = object(FHotIndex);
      if (!hot) break;
      const int popups = FFrame->MenuMode().PopupCount();
      FCapturedIndex = FHotIndex;
      hot->MouseDown(p.X, p.Y, mbLeft);
      if (object(FCapturedIndex) != hot || FFrame->MenuMode().PopupCount() != popups || hit == HTCAPTION) {
        // A menu the press dropped has come and gone; nothing is held.
        FCapturedIndex = -1;
      } else if (hot->HitCode() != HTCAPTION) {
        SetCapture(FFrame->Form()->Handle());
      }
      break;
    }
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP: {
      TbsActiveSkinObject* target = object(FCapturedIndex);
      FCapturedIndex = -1;
      if (target && target->HitCode() != HTCAPTION && GetCapture() == FFrame->Form()->Handle()) ReleaseCapture();
      if (target) target->MouseUp(p.X, p.Y, mbLeft);
      break;
    }
    case WM_NCLBUTTONDBLCLK: {
      HotTracking(p);
      TbsActiveSkinObject* hot = object(FHotIndex);
      if (hot) {
        const int popups = FFrame->MenuMode().PopupCount();
        hot->MouseDown(p.X, p.Y, mbLeft);
        if (object(FHotIndex) == hot) hot->DblClick();
        // The second press of a quick double click presses a button like
        // the first: its release runs the command and lets it up again.
        if (hit != HTCAPTION && object(FHotIndex) == hot && FFrame->MenuMode().PopupCount() == popups &&
            hot->HitCode() != HTCAPTION && IsWindow(FFrame->Form()->Handle())) {
          FCapturedIndex = FHotIndex;
          SetCapture(FFrame->Form()->Handle());
          break;
        }
      }
      if (hit == HTCAPTION) {
        const bool sizeable = FFrame->Sizeable();
        if (sizeable && states.WindowState() == fwsMinimized)
          FFrame->Restore();
        else if (sizeable && states.WindowState() != fwsMaximized && !states.RolledUp() &&
                 FFrame->BorderIcons().Contains(TbsBorderIcon::biMaximize))
          FFrame->Maximize();
        else if (sizeable && states.WindowState() == fwsMaximized && !states.RolledUpWhileMaximized())
          FFrame->Restore();
        else
          states.ToggleRollUp();
      }
      FCapturedIndex = -1;
      break;
    }
    case WM_NCRBUTTONDOWN: {
      HotTracking(p);
      if (TbsActiveSkinObject* hot = object(FHotIndex)) hot->MouseDown(p.X, p.Y, mbRight);
      if (hit == HTCAPTION) {
        FCapturedIndex = -1;
        POINT cursor;
        GetCursorPos(&cursor);
        FFrame->MenuMode().PopupAt(FFrame->MenuMode().SystemMenuItems(), cursor, nullptr);
      }
      break;
    }
    case WM_NCRBUTTONUP:
    case WM_RBUTTONUP:
      if (TbsActiveSkinObject* target = object(FCapturedIndex)) target->MouseUp(p.X, p.Y, mbRight);
      break;
    case WM_NCRBUTTONDBLCLK:
      HotTracking(p);
      if (TbsActiveSkinObject* hot = object(FHotIndex)) hot->MouseDown(p.X, p.Y, mbRight);
      if (hit == HTCAPTION) FCapturedIndex = -1;
      break;
    default: break;
  }
}

}  // namespace kora
