// Morph transitions: self holds the normal look, other the active look.

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/data/bsEffects.h"

namespace kora {

namespace {

constexpr double kRoundShift = 6755399441055744.0;  // 1.5 * 2^52, see RoundToByte

// Halves to even, for the non-negative sizes the morphs derive from kf.
int RoundCount(double value) { return int((value + kRoundShift) - kRoundShift); }

double ClampFactor(double kf) { return kf > 0 ? std::min(kf, 1.0) : 0.0; }

// nearest(ws S + wa A), clamped; branch-free so the loops vectorise.
inline uint8_t Mix(uint8_t s, uint8_t a, double ws, double wa) {
  const double v = std::min(std::max(ws * s + wa * a, 0.0), 255.0);
  return uint8_t((v + kRoundShift) - kRoundShift);
}

// The blend weights of the gradient morphs: t is the share of the normal
// look; walking away from the active band it grows by step up to 1.
void Ramp(std::vector<double>& t, int from, int to, double step) {
  const int dir = from <= to ? 1 : -1;
  double w = 0;
  for (int i = from;; i += dir) {
    t[std::size_t(i)] = w;
    if (i == to) break;
    w = std::min(1.0, w + step);
  }
}

// Every pixel of column x (or row y, for the vertical case) becomes
// nearest(t S + (1 - t) A) with t from the weight of its column (row).
void BlendColumns(TbsEffectBmp& self, const TbsEffectBmp& other, const std::vector<double>& t, int from, int to) {
  for (int y = 0; y < self.Height(); ++y) {
    uint8_t* s = self.Row(y);
    const uint8_t* a = other.Row(y);
    for (int x = from; x <= to; ++x) {
      const double w = t[std::size_t(x)];
      for (int k = x * 3; k < x * 3 + 3; ++k) s[k] = Mix(s[k], a[k], w, 1 - w);
    }
  }
}

void BlendRows(TbsEffectBmp& self, const TbsEffectBmp& other, const std::vector<double>& t) {
  const std::size_t n = std::size_t(self.Width()) * 3;
  for (int y = 0; y < self.Height(); ++y) {
    uint8_t* s = self.Row(y);
    const uint8_t* a = other.Row(y);
    const double w = t[std::size_t(y)];
    for (std::size_t k = 0; k < n; ++k) s[k] = Mix(s[k], a[k], w, 1 - w);
  }
}

}  // namespace

void TbsEffectBmp::BlendMorph(const TbsEffectBmp& other, double kf) {
  if (!SameSize(other)) return;
  kf = ClampFactor(kf);
  const std::size_t n = std::size_t(FWidth) * 3;
  for (int y = 0; y < FHeight; ++y) {
    uint8_t* s = Row(y);
    const uint8_t* a = other.Row(y);
    for (std::size_t k = 0; k < n; ++k) s[k] = Mix(s[k], a[k], 1 - kf, kf);
  }
}

void TbsEffectBmp::MorphGradient(const TbsEffectBmp& other, double kf) {
  if (FWidth < FHeight)
    MorphGradientV(other, kf);
  else
    MorphGradientH(other, kf);
}

void TbsEffectBmp::MorphGradientH(const TbsEffectBmp& other, double kf) {
  if (!SameSize(other) || FWidth == 0) return;
  const int W = FWidth;
  const int b = RoundCount(W * ClampFactor(kf));
  const int c = (W - b) / 2;
  const double step = c != 0 ? 1.0 / c : 1.0;
  const int d = b / 2;
  const int lo = std::max(0, W / 2 - d), hi = std::min(W - 1, W / 2 + d);
  std::vector<double> t(std::size_t(W), 0.0);
  Ramp(t, lo, 0, step);
  Ramp(t, hi, W - 1, step);
  BlendColumns(*this, other, t, 0, W - 1);
}

void TbsEffectBmp::MorphGradientV(const TbsEffectBmp& other, double kf) {
  if (!SameSize(other) || FHeight == 0) return;
  const int H = FHeight;
  const int b = RoundCount(H * ClampFactor(kf));
  // One row fewer than the horizontal twin, and no fading at all when
  // that leaves nothing: the outer rows then stay fully active.
  const int c = (H - 1 - b) / 2;
  const double step = c != 0 ? 1.0 / c : 0.0;
  const int d = b / 2;
  const int lo = std::max(0, H / 2 - d), hi = std::min(H - 1, H / 2 + d);
  std::vector<double> t(std::size_t(H), 0.0);
  Ramp(t, lo, 0, step);
  Ramp(t, hi, H - 1, step);
  BlendRows(*this, other, t);
}

void TbsEffectBmp::MorphGradientFromLeft(const TbsEffectBmp& other, double kf) {
  if (!SameSize(other) || FWidth == 0) return;
  const int a = std::min(std::max(RoundCount(FWidth * ClampFactor(kf)), 1), FWidth - 1);
  std::vector<double> t(std::size_t(FWidth), 1.0);
  Ramp(t, 0, a, a > 0 ? 1.0 / a : 1.0);
  BlendColumns(*this, other, t, 0, a);
}

void TbsEffectBmp::MorphGradientFromRight(const TbsEffectBmp& other, double kf) {
  if (!SameSize(other) || FWidth == 0) return;
  const int W = FWidth;
  const int a = std::min(std::max(W - RoundCount(W * ClampFactor(kf)), 0), W - 1);
  std::vector<double> t(std::size_t(W), 1.0);
  Ramp(t, W - 1, a, W - a > 0 ? 1.0 / (W - a) : 1.0);
  BlendColumns(*this, other, t, a, W - 1);
}

void TbsEffectBmp::MorphSlideFromLeft(const TbsEffectBmp& other, double kf) {
  if (!SameSize(other)) return;
  const int W = FWidth;
  const int b = std::min(std::max(RoundCount(W * ClampFactor(kf)), 1), W - 1);
  if (b <= 0) return;
  for (int y = 0; y < FHeight; ++y) std::memcpy(Row(y), other.Row(y) + std::size_t(W - b) * 3, std::size_t(b) * 3);
}

void TbsEffectBmp::MorphSlideFromRight(const TbsEffectBmp& other, double kf) {
  if (!SameSize(other)) return;
  const int W = FWidth;
  const int b = std::min(std::max(RoundCount(W * ClampFactor(kf)), 1), W - 1);
  if (b <= 0) return;
  for (int y = 0; y < FHeight; ++y) std::memcpy(Row(y) + std::size_t(W - b) * 3, other.Row(y), std::size_t(b) * 3);
}

void TbsEffectBmp::MorphPushAside(const TbsEffectBmp& other, double kf) {
  if (!SameSize(other) || FWidth == 0) return;
  const int W = FWidth;
  const int a = std::min(std::max(RoundCount(W * ClampFactor(kf)), 0), W - 1);
  for (int y = 0; y < FHeight; ++y) {
    uint8_t* row = Row(y);
    // The normal look moves right by a + 1 columns, the active look's
    // right end fills the columns it left.
    std::memmove(row + std::size_t(a + 1) * 3, row, std::size_t(W - a - 1) * 3);
    std::memcpy(row, other.Row(y) + std::size_t(W - a - 1) * 3, std::size_t(a + 1) * 3);
  }
}

void TbsEffectBmp::Morph(int kind, const TbsEffectBmp& other, double kf) {
  switch (kind) {
    case bsMorphGradient: MorphGradient(other, kf); break;
    case bsMorphLeftGradient: MorphGradientFromLeft(other, kf); break;
    case bsMorphRightGradient: MorphGradientFromRight(other, kf); break;
    case bsMorphLeftSlide: MorphSlideFromLeft(other, kf); break;
    case bsMorphRightSlide: MorphSlideFromRight(other, kf); break;
    case bsMorphPush: MorphPushAside(other, kf); break;
    default: BlendMorph(other, kf); break;
  }
}

}  // namespace kora
