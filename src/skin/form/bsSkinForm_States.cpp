// The frame's window management: tracking sizes, its own window states,
// roll-up, placement on first show, magnetic docking, the fade-in, the
// system menu and minimize to the tray.

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "skin/form/bsSkinForm.h"

namespace kora {

bool TbsSkinForm::IsMainForm() const { return Application && Application->MainForm() == FForm; }

RECT TbsSkinForm::MonitorArea(bool workArea) const {
  RECT area;
  if (FForm->HandleAllocated())
    MonitorWorkArea(FForm->Handle(), workArea, area);
  else
    ScreenWorkArea(workArea, area);
  return area;
}

// ---- Sizes -------------------------------------------------------------------------

int TbsSkinForm::GetMinWidth() const {
  if (FSkinActive) {
    const int picW = FSkinData->Picture()->Width();
    if (picW < MinWidth && FWindowState != fwsMinimized) return MinWidth;
    const int formMin = FSkinData->FormInfo().FormMinWidth;
    return formMin > 0 ? formMin : picW;
  }
  return MinWidth > 0 ? MinWidth : 120;
}

int TbsSkinForm::GetMinHeight() const {
  // The frame round a client of no height: the caption and the borders.
  const RECT client = ClientRectFor(0, 0);
  const int frame = client.Top - client.Bottom;
  if (MinHeight > frame && !FRolledUp && FWindowState != fwsMinimized) return MinHeight;
  return frame;
}

int TbsSkinForm::GetMaxWidth() const {
  const int width = WidthOf(MonitorArea(!MaximizeOnFullScreen));
  return MaxWidth != 0 && MaxWidth < width ? MaxWidth : width;
}

int TbsSkinForm::GetMaxHeight() const {
  const int height = HeightOf(MonitorArea(!MaximizeOnFullScreen));
  return MaxHeight != 0 && MaxHeight < height ? MaxHeight : height;
}

// ---- Window states -----------------------------------------------------------------

void TbsSkinForm::ForceSizeMessage() {
  if (!FForm->HandleAllocated()) return;
  RECT r;
  GetWindowRect(FForm->Handle(), &r);
  SendMessage(FForm->Handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.Width(), r.Height()));
}

void TbsSkinForm::MinimizeAll() { SetFrameWindowState(fwsMinimized); }
void TbsSkinForm::Maximize() { SetFrameWindowState(fwsMaximized); }
void TbsSkinForm::Restore() { SetFrameWindowState(fwsNormal); }

void TbsSkinForm::SetFrameWindowState(TbsFrameWindowState value) {
  if (value == FWindowState) return;
  const HWND handle = FForm->HandleAllocated() ? FForm->Handle() : HWND();
  switch (value) {
    case fwsMinimized: {
      if (IsMainForm()) {
        // The main form takes the whole application down with it; its
        // own state stays, as the application restores it.
        Application->Minimize();
      } else {
        if (IsEmptyRect(FSavedBounds)) FSavedBounds = FForm->BoundsRect();
        FWindowState = fwsMinimized;
        const RECT area = MonitorArea(true);
        const int w = GetMinWidth(), h = GetMinHeight();
        FForm->SetBounds(area.Left, area.Bottom - h, w, h);
      }
      OnMinimize(this);
      return;
    }
    case fwsMaximized: {
      if (IsEmptyRect(FSavedBounds)) FSavedBounds = FForm->BoundsRect();
      FRollUpBeforeMaximize = FRolledUp;
      FWindowState = fwsMaximized;
      if (FRolledUp) FRolledUpWhileMaximized = true;
      RECT area = MonitorArea(!MaximizeOnFullScreen);
      if (handle) {
        const RECT monitor = MonitorArea(false);
        MONITORINFO info;
        const bool primary = GetMonitorInfo(MonitorFromWindow(handle, MONITOR_DEFAULTTONEAREST), &info) &&
                             (info.dwFlags & MONITORINFOF_PRIMARY);
        // A window covering all of the primary screen would hide the task bar for good.
        if (area == monitor && primary) area.Inflate(-1, -1);
      }
      if (FRolledUp) area.Bottom = area.Top + GetMinHeight();
      FForm->SetBounds(area.Left, area.Top, WidthOf(area), HeightOf(area));
      OnMaximize(this);
      break;
    }
    case fwsNormal: {
      const bool wasMaximized = FWindowState == fwsMaximized;
      const bool unroll = wasMaximized && FRolledUp && !FRollUpBeforeMaximize;
      FRolledUpWhileMaximized = false;
      FWindowState = fwsNormal;
      if (unroll) FRolledUp = false;
      RECT target = FSavedBounds;
      if (FFirstShowPending || IsEmptyRect(target)) {
        target = FForm->BoundsRect();
        if (FFirstShowPending) PlaceOnFirstShow();
      } else {
        if (FRolledUp && !unroll) target.Bottom = target.Top + GetMinHeight();
        const RECT before = FForm->BoundsRect();
        FForm->SetBounds(target.Left, target.Top, WidthOf(target), HeightOf(target));
        if (WidthOf(before) == WidthOf(target) && HeightOf(before) == HeightOf(target)) ForceSizeMessage();
      }
      if (handle && GetFormActive()) FHotTrackTimer->SetEnabled(true);
      PaintNCNow();
      FSavedBounds = {};
      OnRestore(this);
      break;
    }
  }
  if (handle) {
    for (const auto& object : FObjects) RepaintObject(object.get());
  }
}

void TbsSkinForm::RollUp(bool value) {
  if (!FBorderIcons.Contains(TbsBorderIcon::biRollUp) || FWindowState == fwsMinimized) return;
  if (FWindowState == fwsMaximized && FRolledUp && !FRolledUpWhileMaximized) return;
  if (value == FRolledUp) return;
  if (value) {
    FSavedHeight = FForm->Height();
    FRolledUp = true;
    FForm->SetHeight(GetMinHeight());
  } else {
    FRolledUp = false;
    if (ClientHeight > 0)
      FForm->SetClientHeight(ClientHeight);
    else
      FForm->SetHeight(FSavedHeight);
  }
  if (FWindowState == fwsMaximized) FRolledUpWhileMaximized = FRolledUp;
  PaintNCNow();
  OnChangeRollUpState(this);
}

void TbsSkinForm::PlaceOnFirstShow() {
  if (PositionInMonitor == bspDefault) return;
  const RECT area = MonitorArea(PositionInMonitor == bspDesktopCenter);
  const int w = FForm->Width(), h = FForm->Height();
  FForm->SetBounds(area.Left + WidthOf(area) / 2 - w / 2, area.Top + HeightOf(area) / 2 - h / 2, w, h);
}

void TbsSkinForm::CloseForm() {
  if (FForm) FForm->Close();
}

// ---- Showing and fading in ------------------------------------------------------------

void TbsSkinForm::ShowWindowMessage(TMessage& message) {
  const HWND h = FForm->Handle();
  if (!message.WParam) {
    if ((GetWindowLong(h, GWL_EXSTYLE) & WS_EX_LAYERED) && AlphaBlend) {
      KillTimer(h, 1);
      FFading = false;
      SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
    }
    return;
  }
  if (FFirstShowPending) {
    FFirstShowPending = false;
    if (FWindowState == fwsNormal) PlaceOnFirstShow();
  }
  // The shape and the geometry are there before the first paint.
  FWidth = WindowWidth();
  FHeight = WindowHeight();
  if (FSkinActive && CalcRects()) UpdateRegion(false);
  if (FForm->Menu()) FForm->SetMenu(nullptr);
  if (HasLayeredWindows() && (AlphaBlend || AlphaBlendAnimation)) {
    SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(h, 0, 0, LWA_ALPHA);
    FFading = false;
    SetTimer(h, 1, 1, nullptr);
  }
}

void TbsSkinForm::FadeTick() {
  const HWND h = FForm->Handle();
  const auto finish = [&](int alpha) {
    KillTimer(h, 1);
    FFading = false;
    if (alpha >= 255)
      SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
    else
      SetLayeredWindowAttributes(h, 0, uint8_t(alpha), LWA_ALPHA);
  };
  if (!FFading) {
    KillTimer(h, 1);
    FFadeTarget = AlphaBlend || !AlphaBlendAnimation ? AlphaBlendValue : 255;
    if (!AlphaBlendAnimation) {
      finish(FFadeTarget);
      return;
    }
    // Steps of 10 on the timer, never a busy wait.
    FFading = true;
    FFadeAlpha = 0;
    SetTimer(h, 1, 5, nullptr);
    return;
  }
  FFadeAlpha = std::min(FFadeAlpha + 10, FFadeTarget);
  if (FFadeAlpha >= FFadeTarget) {
    finish(FFadeTarget);
    return;
  }
  SetLayeredWindowAttributes(h, 0, uint8_t(FFadeAlpha), LWA_ALPHA);
}

// ---- Magnetic docking ----------------------------------------------------------------

void TbsSkinForm::MagneticMove(RECT& proposed) {
  const RECT area = MonitorArea(true);
  POINT cursor;
  GetCursorPos(&cursor);
  const int w = proposed.Width(), h = proposed.Height();
  const int size = MagneticSize;
  // One edge: near it the window snaps; once snapped it stays until the
  // cursor has moved more than the snap distance since, and then keeps its
  // place relative to the cursor (it does not snap back while still near
  // the edge) until brought back to it.
  const auto edge = [&](int index, int position, int target, int cursorAt, int& rememberedAt) -> std::optional<int> {
    TEdgeSnap& state = FSnapped[size_t(index)];
    switch (state) {
      case TEdgeSnap::Free:
        if (std::abs(position - target) >= size) return std::nullopt;
        rememberedAt = cursorAt;
        state = TEdgeSnap::Snapped;
        return target;
      case TEdgeSnap::Snapped:
        if (std::abs(cursorAt - rememberedAt) <= size) return target;
        state = TEdgeSnap::Leaving;
        return cursorAt + target - rememberedAt;
      case TEdgeSnap::Leaving: {
        const int following = cursorAt + target - rememberedAt;
        if (std::abs(following - target) >= size) return following;
        rememberedAt = cursorAt;
        state = TEdgeSnap::Snapped;
        return target;
      }
    }
    return std::nullopt;
  };
  int left = proposed.Left, top = proposed.Top;
  const std::optional<int> l = edge(0, proposed.Left, area.Left, cursor.X, FSnapCursor.X);
  const std::optional<int> r = edge(2, proposed.Left + w, area.Right, cursor.X, FSnapCursor.X);
  if (l)
    left = *l;
  else if (r)
    left = *r - w;
  const std::optional<int> t = edge(1, proposed.Top, area.Top, cursor.Y, FSnapCursor.Y);
  const std::optional<int> b = edge(3, proposed.Top + h, area.Bottom, cursor.Y, FSnapCursor.Y);
  if (t)
    top = *t;
  else if (b)
    top = *b - h;
  proposed = RECT::FromSize(left, top, w, h);
}

// ---- The tray ------------------------------------------------------------------------

void TbsSkinForm::MinimizeToTray() {
  auto* tray = dynamic_cast<IbsFrameTray*>(FTrayIcon);
  if (!tray) return;
  tray->SetMinimizeToTrayMode(true);
  tray->SetTrayIconVisible(true);
  if (Application) Application->Minimize();
  OnMinimizeToTray(this);
}

void TbsSkinForm::RestoreFromTray() {
  auto* tray = dynamic_cast<IbsFrameTray*>(FTrayIcon);
  if (tray) tray->SetMinimizeToTrayMode(false);
  if (Application) Application->Restore();
  if (tray && !AlwaysShowInTray) tray->SetTrayIconVisible(false);
  OnRestoreFromTray(this);
}

// ---- Skin changes --------------------------------------------------------------------

void TbsSkinForm::BeforeSkinChange() {
  FChangingSkin = true;
  FSkinActive = false;
  FHotTrackTimer->SetEnabled(false);
  FAnimator->Stop();
  FObjects.clear();
  FHotIndex = FPrevHotIndex = FCapturedIndex = -1;
}

}  // namespace kora
