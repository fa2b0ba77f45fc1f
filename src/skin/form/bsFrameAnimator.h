#pragma once
// The frame's two 25 ms tickers: the morph of the objects' hover looks and
// the frame animations of the caption strip and the animated objects. Each
// runs while some object still has a step to take and stops by itself.

#include <memory>

#include "framework/controls/ExtCtrls.h"

namespace kora {

class TbsSkinForm;

class TbsFrameAnimator {
public:
  explicit TbsFrameAnimator(TbsSkinForm* frame);
  TbsFrameAnimator(const TbsFrameAnimator&) = delete;
  TbsFrameAnimator& operator=(const TbsFrameAnimator&) = delete;

  void StartMorph();
  void StartAnimation();
  // The window is going away or hidden.
  void Stop();

  TTimer* MorphTimer() const { return FMorphTimer.get(); }
  TTimer* AnimationTimer() const { return FAnimationTimer.get(); }

private:
  void MorphTick();
  void AnimationTick();

  TbsSkinForm* FFrame;
  std::unique_ptr<TTimer> FMorphTimer, FAnimationTimer;
};

}  // namespace kora
