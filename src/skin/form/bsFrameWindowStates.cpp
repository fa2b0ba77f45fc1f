// The frame's window states: sizes, minimize, maximize and restore,
// roll-up, placement on first show, the fade-in, magnetic docking and
// minimize to the tray.

#include "skin/form/bsFrameWindowStates.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "skin/form/bsSkinForm.h"

namespace kora {

bool TbsFrameWindowStates::IsMainForm() const { return Application && Application->MainForm() == FFrame->Form(); }

RECT TbsFrameWindowStates::MonitorArea(bool workArea) const {
  RECT area;
  if (FFrame->Form()->HandleAllocated())
    MonitorWorkArea(FFrame->Form()->Handle(), workArea, area);
  else
    ScreenWorkArea(workArea, area);
  return area;
}

// ---- Sizes -------------------------------------------------------------------------

int TbsFrameWindowStates::GetMinWidth() const {
  if (FFrame->SkinActive()) {
    const int picW = FFrame->SkinData()->Picture()->Width();
    if (picW < FFrame->MinWidth && FWindowState != fwsMinimized) return FFrame->MinWidth;
    const int formMin = FFrame->SkinData()->FormInfo().FormMinWidth;
    return formMin > 0 ? formMin : picW;
  }
  return FFrame->MinWidth > 0 ? FFrame->MinWidth : 120;
}

int TbsFrameWindowStates::GetMinHeight() const {
  // The frame round a client of no height: the caption and the borders.
  const RECT client = ClientRectFor(0, 0);
  const int frame = client.Top - client.Bottom;
  if (FFrame->MinHeight > frame && !FRolledUp && FWindowState != fwsMinimized) return FFrame->MinHeight;
  return frame;
}

int TbsFrameWindowStates::GetMaxWidth() const {
  const int width = WidthOf(MonitorArea(!FFrame->MaximizeOnFullScreen));
  return FFrame->MaxWidth != 0 && FFrame->MaxWidth < width ? FFrame->MaxWidth : width;
}

int TbsFrameWindowStates::GetMaxHeight() const {
  const int height = HeightOf(MonitorArea(!FFrame->MaximizeOnFullScreen));
  return FFrame->MaxHeight != 0 && FFrame->MaxHeight < height ? FFrame->MaxHeight : height;
}

RECT TbsFrameWindowStates::ClientRectFor(int w, int h) const {
  return TbsFrameGeometry::ClientRect(FFrame->SkinActive() ? FFrame->SkinData() : nullptr, w, h, FFrame->ToolWindow());
}

// ---- Window states -----------------------------------------------------------------

void TbsFrameWindowStates::ForceSizeMessage() {
  if (!FFrame->Form()->HandleAllocated()) return;
  RECT r;
  GetWindowRect(FFrame->Form()->Handle(), &r);
  SendMessage(FFrame->Form()->Handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.Width(), r.Height()));
}

void TbsFrameWindowStates::SetWindowState(TbsFrameWindowState value) {
  if (value == FWindowState) return;
  const HWND handle = FFrame->Form()->HandleAllocated() ? FFrame->Form()->Handle() : HWND();
  switch (value) {
    case fwsMinimized: {
      if (IsMainForm()) {
        // The main form takes the whole application down with it; its
        // own state stays, as the application restores it.
        Application->Minimize();
      } else {
        if (IsEmptyRect(FSavedBounds)) FSavedBounds = FFrame->Form()->BoundsRect();
        FWindowState = fwsMinimized;
        const RECT area = MonitorArea(true);
        const int w = GetMinWidth(), h = GetMinHeight();
        FFrame->Form()->SetBounds(area.Left, area.Bottom - h, w, h);
      }
      FFrame->OnMinimize(FFrame);
      return;
    }
    case fwsMaximized: {
      if (IsEmptyRect(FSavedBounds)) FSavedBounds = FFrame->Form()->BoundsRect();
      FRollUpBeforeMaximize = FRolledUp;
      FWindowState = fwsMaximized;
      if (FRolledUp) FRolledUpWhileMaximized = true;
      RECT area = MonitorArea(!FFrame->MaximizeOnFullScreen);
      if (handle) {
        const RECT monitor = MonitorArea(false);
        MONITORINFO info;
        const bool primary = GetMonitorInfo(MonitorFromWindow(handle, MONITOR_DEFAULTTONEAREST), &info) &&
                             (info.dwFlags & MONITORINFOF_PRIMARY);
        // A window covering all of the primary screen would hide the task bar for good.
        if (area == monitor && primary) area.Inflate(-1, -1);
      }
      if (FRolledUp) area.Bottom = area.Top + GetMinHeight();
      FFrame->Form()->SetBounds(area.Left, area.Top, WidthOf(area), HeightOf(area));
      FFrame->OnMaximize(FFrame);
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
        target = FFrame->Form()->BoundsRect();
        if (FFirstShowPending) PlaceOnFirstShow();
      } else {
        if (FRolledUp && !unroll) target.Bottom = target.Top + GetMinHeight();
        const RECT before = FFrame->Form()->BoundsRect();
        FFrame->Form()->SetBounds(target.Left, target.Top, WidthOf(target), HeightOf(target));
        if (WidthOf(before) == WidthOf(target) && HeightOf(before) == HeightOf(target)) ForceSizeMessage();
      }
      if (handle && FFrame->GetFormActive()) FFrame->Hover().HotTrackTimer()->SetEnabled(true);
      FFrame->PaintNCNow();
      FSavedBounds = {};
      FFrame->OnRestore(FFrame);
      break;
    }
  }
  if (handle) {
    FFrame->FrameObjects().RepaintAll();
  }
}

void TbsFrameWindowStates::RollUp(bool value) {
  if (!FFrame->BorderIcons().Contains(TbsBorderIcon::biRollUp) || FWindowState == fwsMinimized) return;
  if (FWindowState == fwsMaximized && FRolledUp && !FRolledUpWhileMaximized) return;
  if (value == FRolledUp) return;
  if (value) {
    FSavedHeight = FFrame->Form()->Height();
    FRolledUp = true;
    FFrame->Form()->SetHeight(GetMinHeight());
  } else {
    FRolledUp = false;
    if (FFrame->ClientHeight > 0)
      FFrame->Form()->SetClientHeight(FFrame->ClientHeight);
    else
      FFrame->Form()->SetHeight(FSavedHeight);
  }
  if (FWindowState == fwsMaximized) FRolledUpWhileMaximized = FRolledUp;
  FFrame->PaintNCNow();
  FFrame->OnChangeRollUpState(FFrame);
}

void TbsFrameWindowStates::PlaceOnFirstShow() {
  if (FFrame->PositionInMonitor == bspDefault) return;
  const RECT area = MonitorArea(FFrame->PositionInMonitor == bspDesktopCenter);
  const int w = FFrame->Form()->Width(), h = FFrame->Form()->Height();
  FFrame->Form()->SetBounds(area.Left + WidthOf(area) / 2 - w / 2, area.Top + HeightOf(area) / 2 - h / 2, w, h);
}

// ---- Showing and fading in ------------------------------------------------------------

void TbsFrameWindowStates::Shown(bool show) {
  const HWND h = FFrame->Form()->Handle();
  if (!show) {
    if ((GetWindowLong(h, GWL_EXSTYLE) & WS_EX_LAYERED) && FFrame->AlphaBlend) {
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
}

void TbsFrameWindowStates::StartFade() {
  const HWND h = FFrame->Form()->Handle();
  if (HasLayeredWindows() && (FFrame->AlphaBlend || FFrame->AlphaBlendAnimation)) {
    SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(h, 0, 0, LWA_ALPHA);
    FFading = false;
    SetTimer(h, 1, 1, nullptr);
  }
}

void TbsFrameWindowStates::FadeTick() {
  const HWND h = FFrame->Form()->Handle();
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
    FFadeTarget = FFrame->AlphaBlend || !FFrame->AlphaBlendAnimation ? FFrame->AlphaBlendValue : 255;
    if (!FFrame->AlphaBlendAnimation) {
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

void TbsFrameWindowStates::MagneticMove(RECT& proposed) {
  const RECT area = MonitorArea(true);
  POINT cursor;
  GetCursorPos(&cursor);
  const int w = proposed.Width(), h = proposed.Height();
  const int size = FFrame->MagneticSize;
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

void TbsFrameWindowStates::MinimizeToTray() {
  auto* tray = dynamic_cast<IbsFrameTray*>(FFrame->TrayIcon());
  if (!tray) return;
  tray->SetMinimizeToTrayMode(true);
  tray->SetTrayIconVisible(true);
  if (Application) Application->Minimize();
  FFrame->OnMinimizeToTray(FFrame);
}

void TbsFrameWindowStates::RestoreFromTray() {
  auto* tray = dynamic_cast<IbsFrameTray*>(FFrame->TrayIcon());
  if (tray) tray->SetMinimizeToTrayMode(false);
  if (Application) Application->Restore();
  if (tray && !FFrame->AlwaysShowInTray) tray->SetTrayIconVisible(false);
  FFrame->OnRestoreFromTray(FFrame);
}

// ---- Moving and sizing ------------------------------------------------------------------

void TbsFrameWindowStates::BeginSizeMove() {
  // A new move: no edge holds the window yet.
  GetCursorPos(&FSnapCursor);
  FSnapped.fill(TEdgeSnap::Free);
  FInSizeMove = true;
  FFullDragWindows = true;
  SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &FFullDragWindows, 0);
}

}  // namespace kora
