#include "skin/data/bsEffects.h"

#include <algorithm>
#include <cstring>
#include <random>

#include "skin/data/bsUtils.h"

namespace kora {

uint8_t RoundToByte(double value) {
  if (!(value > 0)) return 0;  // also NaN
  if (value >= 255) return 255;
  // Adding 1.5 * 2^52 leaves no fraction bits, so the addition itself
  // rounds, with the default mode's halves-to-even rule.
  constexpr double shift = 6755399441055744.0;
  return uint8_t((value + shift) - shift);
}

TbsEffectBmp::TbsEffectBmp(int width, int height) { Allocate(width, height); }

TbsEffectBmp::TbsEffectBmp(HBITMAP bitmap) {
  int width = 0, height = 0;
  std::vector<uint8_t> bits = ReadBitmap24(bitmap, width, height);
  Allocate(width, height);
  if (!FBits.empty()) FBits = std::move(bits);
}

void TbsEffectBmp::Allocate(int width, int height) {
  FWidth = std::max(width, 0);
  FHeight = std::max(height, 0);
  if (FWidth == 0 || FHeight == 0) FWidth = FHeight = 0;
  FRowBytes = std::size_t(FWidth) * 3 + std::size_t(FWidth % 4);
  FBits.assign(FRowBytes * std::size_t(FHeight), 0);
  FInfo = BITMAPINFO();
  FInfo.bmiHeader.biWidth = FWidth;
  FInfo.bmiHeader.biHeight = -FHeight;
  FInfo.bmiHeader.biBitCount = 24;
}

TbsBGR TbsEffectBmp::GetPixel(int x, int y) const {
  const uint8_t* p = At(x, y);
  return {p[0], p[1], p[2]};
}

void TbsEffectBmp::SetPixel(int x, int y, TbsBGR color) {
  uint8_t* p = At(x, y);
  p[0] = color.B;
  p[1] = color.G;
  p[2] = color.R;
}

void TbsEffectBmp::DrawToDevice(HDC dc, int x, int y) const {
  if (FBits.empty()) return;
  SetDIBitsToDevice(dc, x, y, uint32_t(FWidth), uint32_t(FHeight), 0, 0, 0, uint32_t(FHeight), FBits.data(), &FInfo,
                    DIB_RGB_COLORS);
}

// ---- Colour effects ----------------------------------------------------------

namespace {

double ClampUnit(double x) { return x > 0 ? std::min(x, 1.0) : 0.0; }

// Applies f to every channel byte of every pixel (padding excluded).
template <class F>
void ForEachChannel(TbsEffectBmp& bmp, F f) {
  const std::size_t n = std::size_t(bmp.Width()) * 3;
  for (int y = 0; y < bmp.Height(); ++y) {
    uint8_t* row = bmp.Row(y);
    for (std::size_t i = 0; i < n; ++i) row[i] = f(row[i]);
  }
}

// One result per possible channel value, so each pixel costs a lookup.
template <class F>
void MapChannels(TbsEffectBmp& bmp, F f) {
  uint8_t table[256];
  for (int c = 0; c < 256; ++c) table[c] = f(c);
  ForEachChannel(bmp, [&](uint8_t c) { return table[c]; });
}

}  // namespace

void TbsEffectBmp::Brighten(double amount) {
  const double x = ClampUnit(amount);
  MapChannels(*this, [x](int c) { return RoundToByte((1 - x) * c + 255 * x); });
}

void TbsEffectBmp::Darken(double amount) {
  const double x = ClampUnit(amount);
  MapChannels(*this, [x](int c) { return RoundToByte((1 - x) * c); });
}

void TbsEffectBmp::InvertColours() {
  ForEachChannel(*this, [](uint8_t c) { return uint8_t(255 - c); });
}

void TbsEffectBmp::ToGrayscale() {
  for (int y = 0; y < FHeight; ++y) {
    uint8_t* p = Row(y);
    for (int x = 0; x < FWidth; ++x, p += 3) {
      const uint8_t g = RoundToByte(0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0]);
      p[0] = p[1] = p[2] = g;
    }
  }
}

void TbsEffectBmp::AddRandomNoise(int amount) {
  if (amount <= 0) return;
  // Reseeded per process: the noise need not repeat across runs.
  static std::minstd_rand engine{std::random_device{}()};
  std::uniform_int_distribution<int> pick(0, amount - 1);
  const int shift = amount / 2;
  for (int y = 0; y < FHeight; ++y) {
    uint8_t* p = Row(y);
    for (int x = 0; x < FWidth; ++x, p += 3) {
      const int r = pick(engine) - shift;
      for (int k = 0; k < 3; ++k) p[k] = uint8_t(std::clamp(p[k] + r, 0, 255));
    }
  }
}

void TbsEffectBmp::SplitBlurPass(int amount) {
  if (amount <= 0) return;
  // The far sample wraps to H - y (not H - 1) past the bottom edge, and
  // stays at y when that is not a row.
  auto farIndex = [amount](int i, int n) {
    if (i + amount < n) return i + amount;
    return (n - i >= 0 && n - i < n) ? n - i : i;
  };
  for (int y = 0; y < FHeight; ++y) {
    const int y1 = y - amount >= 0 ? y - amount : y;
    const int y2 = farIndex(y, FHeight);
    for (int x = 0; x < FWidth; ++x) {
      const int x1 = x - amount >= 0 ? x - amount : x;
      const int x2 = farIndex(x, FWidth);
      // Reads see the pixels this pass has already written.
      const uint8_t* a = At(x1, y1);
      const uint8_t* b = At(x1, y2);
      const uint8_t* c = At(x2, y1);
      const uint8_t* d = At(x2, y2);
      uint8_t sum[3];
      for (int k = 0; k < 3; ++k) sum[k] = uint8_t((a[k] + b[k] + c[k] + d[k]) / 4);
      std::memcpy(At(x, y), sum, 3);
    }
  }
}

void TbsEffectBmp::ApplyInactiveEffect(int effect) {
  switch (effect) {
    case bsEffectBrightness: Brighten(0.5); break;
    case bsEffectDarkness: Darken(0.3); break;
    case bsEffectNoise: AddRandomNoise(50); break;
    case bsEffectSplitBlur: SplitBlurPass(1); break;
    case bsEffectInvert: InvertColours(); break;
    default: ToGrayscale(); break;
  }
}

// ---- Rotations -----------------------------------------------------------------
// A target that is the image itself is served from a copy.

void TbsEffectBmp::RotateLeft90(TbsEffectBmp& target) const {
  if (&target == this) return TbsEffectBmp(*this).RotateLeft90(target);
  if (target.FWidth != FHeight || target.FHeight != FWidth) target.Allocate(FHeight, FWidth);
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) std::memcpy(target.At(y, FWidth - 1 - x), At(x, y), 3);
}

void TbsEffectBmp::RotateRight90(TbsEffectBmp& target) const {
  if (&target == this) return TbsEffectBmp(*this).RotateRight90(target);
  if (target.FWidth != FHeight || target.FHeight != FWidth) target.Allocate(FHeight, FWidth);
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) std::memcpy(target.At(FHeight - 1 - y, x), At(x, y), 3);
}

void TbsEffectBmp::FlipRows(TbsEffectBmp& target) const {
  if (&target == this) return TbsEffectBmp(*this).FlipRows(target);
  if (!target.SameSize(*this)) target.Allocate(FWidth, FHeight);
  for (int y = 0; y < FHeight; ++y) std::memcpy(target.Row(FHeight - 1 - y), Row(y), std::size_t(FWidth) * 3);
}

}  // namespace kora
