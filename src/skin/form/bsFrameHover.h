#pragma once
// Which object of the frame is under the pointer and which one holds the
// mouse: the hit tests, the hot tracking that follows the pointer (a 50 ms
// ticker while it is over an object) and the frame's mouse messages routed
// to the objects.

#include <memory>

#include "framework/controls/Controls.h"
#include "framework/controls/ExtCtrls.h"

namespace kora {

class TbsSkinForm;

class TbsFrameHover {
public:
  explicit TbsFrameHover(TbsSkinForm* frame);
  TbsFrameHover(const TbsFrameHover&) = delete;
  TbsFrameHover& operator=(const TbsFrameHover&) = delete;

  // The object under the pointer and the one holding the mouse; -1 for none.
  int HotIndex() const { return FHotIndex; }
  int CapturedIndex() const { return FCapturedIndex; }
  TTimer* HotTrackTimer() const { return FHotTrackTimer.get(); }
  // Nothing is hot or held (the objects went or the window changed).
  void Forget() { FHotIndex = FCapturedIndex = -1; }

  // The window-relative point's hit code.
  LRESULT HitTest(POINT p);
  // WM_NCHITTEST: the hit code, and tracking starts over an object.
  LRESULT NCHitTest(POINT p);
  // Makes the object under p hot (none when allowHot is false).
  void HotTracking(POINT p, bool allowHot = true);
  // The objects forget their hover and press looks.
  void ResetHotState();
  // A frame mouse message after the form's window procedure; hit is the
  // hit code the message came with.
  void HandleNCMouse(TMessage& message, LRESULT hit);

private:
  LRESULT SkinHitTest(POINT p);
  LRESULT DefaultHitTest(POINT p);
  void HotTrackTick();

  TbsSkinForm* FFrame;
  int FHotIndex = -1, FCapturedIndex = -1;
  std::unique_ptr<TTimer> FHotTrackTimer;
};

}  // namespace kora
