// Steps the frame's morphs and animations.

#include "skin/form/bsFrameAnimator.h"

#include "skin/form/bsSkinForm.h"

namespace kora {

namespace {

constexpr uint32_t kTick = 25;

std::unique_ptr<TTimer> Ticker(void (TbsFrameAnimator::*tick)(), TbsFrameAnimator* animator) {
  auto timer = std::make_unique<TTimer>(nullptr);
  timer->SetEnabled(false);
  timer->SetInterval(kTick);
  timer->SetOnTimer([animator, tick](TObject*) { (animator->*tick)(); });
  return timer;
}

}  // namespace

TbsFrameAnimator::TbsFrameAnimator(TbsSkinForm* frame) : FFrame(frame) {
  FMorphTimer = Ticker(&TbsFrameAnimator::MorphTick, this);
  FAnimationTimer = Ticker(&TbsFrameAnimator::AnimationTick, this);
}

void TbsFrameAnimator::StartMorph() {
  if (!FMorphTimer->Enabled()) FMorphTimer->SetEnabled(true);
}

void TbsFrameAnimator::StartAnimation() {
  if (!FAnimationTimer->Enabled()) FAnimationTimer->SetEnabled(true);
}

void TbsFrameAnimator::Stop() {
  FMorphTimer->SetEnabled(false);
  FAnimationTimer->SetEnabled(false);
}

void TbsFrameAnimator::MorphTick() {
  bool stepped = false;
  for (int i = 0; i < FFrame->FrameObjects().Count(); ++i) {
    TbsActiveSkinObject* object = FFrame->FrameObjects().At(i);
    if (!object->CanMorphing() || !object->EnableMorphing()) continue;
    double k = object->MorphFactor + (object->Active ? 0.2 : -0.2);
    // Five steps land exactly on the ends.
    if (k < 1e-9) k = 0;
    if (k > 1 - 1e-9) k = 1;
    object->MorphFactor = k;
    FFrame->FrameObjects().Repaint(object);
    stepped = true;
  }
  if (!stepped) FMorphTimer->SetEnabled(false);
}

void TbsFrameAnimator::AnimationTick() {
  bool running = false;
  for (int i = 0; i < FFrame->FrameObjects().Count(); ++i)
    running = FFrame->FrameObjects().At(i)->AnimationStep() || running;
  if (!running) FAnimationTimer->SetEnabled(false);
}

}  // namespace kora
