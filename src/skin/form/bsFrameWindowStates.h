#pragma once
// The frame's own window states: minimized, maximized and normal with the
// bounds to come back to, the roll-up to the caption, the tray, the place
// on first show, the size limits, the magnetic edges while moving and the
// fade-in when the window shows.

#include <array>
#include <cstdint>

#include "framework/forms/Forms.h"

namespace kora {

class TbsSkinForm;

// The frame's own window states.
enum TbsFrameWindowState : uint8_t { fwsNormal, fwsMinimized, fwsMaximized };

class TbsFrameWindowStates {
public:
  explicit TbsFrameWindowStates(TbsSkinForm* frame) : FFrame(frame) {}
  TbsFrameWindowStates(const TbsFrameWindowStates&) = delete;
  TbsFrameWindowStates& operator=(const TbsFrameWindowStates&) = delete;

  TbsFrameWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TbsFrameWindowState value);
  bool RolledUp() const { return FRolledUp; }
  // Rolled up (again) after the window was maximized.
  bool RolledUpWhileMaximized() const { return FRolledUpWhileMaximized; }
  void RollUp(bool value);
  void ToggleRollUp() { RollUp(!FRolledUp); }
  void MinimizeToTray();
  void RestoreFromTray();
  // Where a minimized or maximized window goes back to; empty in the normal state.
  RECT SavedBounds() const { return FSavedBounds; }

  // ---- Sizes ----
  int GetMinWidth() const;
  int GetMinHeight() const;
  int GetMaxWidth() const;
  int GetMaxHeight() const;
  // The client of a window of w x h in the current look.
  RECT ClientRectFor(int w, int h) const;

  // ---- Moving and sizing ----
  // Whether the user moves or sizes the window (from the start of a move
  // until the next press on the frame), and whether the window's content
  // follows while dragging.
  bool InSizeMove() const { return FInSizeMove; }
  bool FullDragWindows() const { return FFullDragWindows; }
  void BeginSizeMove();
  void ClearSizeMove() { FInSizeMove = false; }
  // The window's place changed outside a move: no edge holds it.
  void ReleaseEdges() { FSnapped.fill(TEdgeSnap::Free); }
  // A move proposes a place; near an edge of the work area it snaps.
  void MagneticMove(RECT& proposed);

  // ---- Showing ----
  // WM_SHOWWINDOW: the place on first show, or the end of the fade when hidden.
  void Shown(bool show);
  // The fade-in of a window being shown (AlphaBlend, AlphaBlendAnimation).
  void StartFade();
  // The fade's timer (id 1) ticked.
  void FadeTick();

private:
  void PlaceOnFirstShow();
  RECT MonitorArea(bool workArea) const;
  bool IsMainForm() const;
  // A WM_SIZE of the current size, for a restore that keeps the size.
  void ForceSizeMessage();

  TbsSkinForm* FFrame;
  TbsFrameWindowState FWindowState = fwsNormal;
  bool FRolledUp = false;
  bool FRolledUpWhileMaximized = false;
  bool FRollUpBeforeMaximize = false;
  RECT FSavedBounds;
  int FSavedHeight = 0;
  bool FFirstShowPending = true;
  bool FInSizeMove = false;
  bool FFullDragWindows = true;
  // Each edge of the work area (left, top, right, bottom) while moving
  // with Magnetic: free, holding the window, or left after holding it (the
  // window then keeps its place relative to the cursor, and snaps again
  // only when brought back to the edge).
  enum class TEdgeSnap : uint8_t { Free, Snapped, Leaving };
  std::array<TEdgeSnap, 4> FSnapped{};
  POINT FSnapCursor;  // where the cursor was when the window snapped
  bool FFading = false;
  int FFadeAlpha = 0;
  int FFadeTarget = 255;
};

}  // namespace kora
