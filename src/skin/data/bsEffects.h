#pragma once
// A 24-bit pixel buffer with the whole-image operations of the skin engine:
// morph transitions between an element's normal and active looks, colour
// effects for a form's inactive look, and rotations for side and bottom tabs.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace kora {

// One pixel as stored: blue, green, red.
struct TbsBGR {
  uint8_t B = 0;
  uint8_t G = 0;
  uint8_t R = 0;
  friend constexpr bool operator==(TbsBGR, TbsBGR) = default;
};

// Morph kinds in the order of their skin keywords ("mkdefault" .. "mkpush").
constexpr int bsMorphDefault = 0;
constexpr int bsMorphGradient = 1;
constexpr int bsMorphLeftGradient = 2;
constexpr int bsMorphRightGradient = 3;
constexpr int bsMorphLeftSlide = 4;
constexpr int bsMorphRightSlide = 5;
constexpr int bsMorphPush = 6;

// Inactive effects in the order of their skin keywords ("iebrightness" .. "ieinvert").
constexpr int bsEffectBrightness = 0;
constexpr int bsEffectDarkness = 1;
constexpr int bsEffectGrayscale = 2;
constexpr int bsEffectNoise = 3;
constexpr int bsEffectSplitBlur = 4;
constexpr int bsEffectInvert = 5;

// Rows run top-down, each 3 x width bytes padded to a multiple of 4. The
// pixels live in our own memory (the platform's DIB sections are 32-bit);
// DrawToDevice hands them over as a 24-bit DIB.
class TbsEffectBmp {
public:
  // Contents start black. Sizes below 0 count as 0.
  TbsEffectBmp(int width, int height);
  // A 24-bit copy of the bitmap; throws Exception for a bad handle.
  explicit TbsEffectBmp(HBITMAP bitmap);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  std::size_t Size() const { return FBits.size(); }
  uint8_t* Bits() { return FBits.data(); }
  const uint8_t* Bits() const { return FBits.data(); }

  TbsBGR GetPixel(int x, int y) const;
  void SetPixel(int x, int y, TbsBGR color);
  uint8_t* Row(int y) { return FBits.data() + std::size_t(y) * FRowBytes; }
  const uint8_t* Row(int y) const { return FBits.data() + std::size_t(y) * FRowBytes; }

  // Puts the whole image at (x, y) through the DC's origin and clip.
  void DrawToDevice(HDC dc, int x, int y) const;

  // Morphs: self is the normal look, other the active look of the same
  // size (a different size does nothing); kf runs from 0 (normal) to 1
  // (active) and is clamped to that range, NaN counting as 0.
  void BlendMorph(const TbsEffectBmp& other, double kf);
  void MorphGradient(const TbsEffectBmp& other, double kf);
  void MorphGradientH(const TbsEffectBmp& other, double kf);
  void MorphGradientV(const TbsEffectBmp& other, double kf);
  void MorphGradientFromLeft(const TbsEffectBmp& other, double kf);
  void MorphGradientFromRight(const TbsEffectBmp& other, double kf);
  void MorphSlideFromLeft(const TbsEffectBmp& other, double kf);
  void MorphSlideFromRight(const TbsEffectBmp& other, double kf);
  void MorphPushAside(const TbsEffectBmp& other, double kf);
  // The morph a skin's morph kind names; unknown kinds blend.
  void Morph(int kind, const TbsEffectBmp& other, double kf);

  // Colour effects. Amounts of Brighten and Darken are clamped to 0..1.
  void Brighten(double amount);
  void Darken(double amount);
  void ToGrayscale();
  void InvertColours();
  // Adds one random offset in [0, amount) - amount div 2 to all three
  // channels of each pixel; amounts of 0 or less do nothing.
  void AddRandomNoise(int amount);
  // Averages four samples amount pixels away, in place; amounts of 0 or
  // less do nothing.
  void SplitBlurPass(int amount);
  // The effect a skin's inactive-effect keyword names, with its fixed
  // amount; unknown effects turn the image grey.
  void ApplyInactiveEffect(int effect);

  // Write the transformed image into target, which is resized to fit
  // (Height x Width for the rotations).
  void RotateLeft90(TbsEffectBmp& target) const;
  void RotateRight90(TbsEffectBmp& target) const;
  void FlipRows(TbsEffectBmp& target) const;

private:
  void Allocate(int width, int height);
  bool SameSize(const TbsEffectBmp& other) const { return FWidth == other.FWidth && FHeight == other.FHeight; }
  uint8_t* At(int x, int y) { return Row(y) + std::size_t(x) * 3; }
  const uint8_t* At(int x, int y) const { return Row(y) + std::size_t(x) * 3; }

  int FWidth = 0;
  int FHeight = 0;
  std::size_t FRowBytes = 0;
  std::vector<uint8_t> FBits;
  BITMAPINFO FInfo;
};

// Nearest integer with halves to the even neighbour, then limited to 0..255.
uint8_t RoundToByte(double value);

}  // namespace kora
