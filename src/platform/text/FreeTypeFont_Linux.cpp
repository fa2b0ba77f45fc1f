#include "platform/text/FreeTypeFont.h"

#include "platform/text/FontLibrary.h"

#include <algorithm>
#include <cmath>

namespace kora {

namespace {

constexpr int kDefaultEmHeight = 12;
// Keeps absurd heights from asking the rasteriser for gigantic glyphs.
constexpr int kMaxPixelSize = 2048;

int Round(double v) { return static_cast<int>(std::lround(v)); }

int NormalisedWeight(int32_t weight) { return weight <= 0 ? FW_NORMAL : std::min<int32_t>(weight, 1000); }

}  // namespace

FreeTypeFont::FreeTypeFont(const LOGFONT& logFont) : FLogFont(logFont) {
  FontLibrary& library = FontLibrary::Instance();
  const int weight = NormalisedWeight(logFont.lfWeight);
  FWantBold = weight >= FW_SEMIBOLD;
  FWantItalic = logFont.lfItalic != 0;
  const FontFileMatch match = library.Matcher().Match({logFont.lfFaceName, weight, FWantItalic, logFont.lfCharSet});
  FontFace& face = library.Face(match);
  const GlyphSynthesis synthesis{FWantBold && face.Weight() < FW_SEMIBOLD, FWantItalic && !face.Italic()};

  int height = logFont.lfHeight == 0 ? -kDefaultEmHeight : logFont.lfHeight;
  height = std::clamp(height, -kMaxPixelSize, kMaxPixelSize);
  const FaceMetrics& fm = face.Metrics();
  int ascent, descent;
  if (height < 0) {
    FPixelHeight = -height;
    ascent = Round(double(fm.Ascent) * FPixelHeight / fm.UnitsPerEm);
    descent = Round(double(fm.Descent) * FPixelHeight / fm.UnitsPerEm);
  } else {
    const double scale = double(height) / (fm.Ascent + fm.Descent);
    FPixelHeight = std::max(1, Round(fm.UnitsPerEm * scale));
    ascent = Round(fm.Ascent * scale);
    descent = height - ascent;
  }
  FPixelWidth = FPixelHeight;
  if (logFont.lfWidth != 0) {
    const int width = static_cast<int>(std::min<int64_t>(std::abs(int64_t(logFont.lfWidth)), kMaxPixelSize));
    FPixelWidth = std::clamp(Round(double(width) * fm.UnitsPerEm / fm.AveCharWidth), 1, kMaxPixelSize);
  }
  FPrimary = &library.Sized(face, FPixelWidth, FPixelHeight, synthesis);
  if (!face.Scalable()) {
    ascent = FPrimary->StrikeAscent();
    descent = FPrimary->StrikeDescent();
  }

  TEXTMETRIC& tm = FMetrics;
  const double scaleX = double(FPixelWidth) / fm.UnitsPerEm;
  const double scaleY = double(FPixelHeight) / fm.UnitsPerEm;
  const int boldExtra = FPrimary->BoldExtra();
  tm.tmAscent = ascent;
  tm.tmDescent = descent;
  tm.tmHeight = ascent + descent;
  tm.tmInternalLeading = std::max(0, tm.tmHeight - FPixelHeight);
  tm.tmExternalLeading = Round(fm.ExternalLeading * scaleY);
  tm.tmAveCharWidth = std::max(1, Round(fm.AveCharWidth * scaleX)) + boldExtra;
  tm.tmMaxCharWidth = std::max(1, Round(fm.MaxAdvance * scaleX)) + boldExtra;
  tm.tmWeight = weight;
  tm.tmItalic = FWantItalic ? 255 : 0;
  tm.tmUnderlined = logFont.lfUnderline ? 255 : 0;
  tm.tmStruckOut = logFont.lfStrikeOut ? 255 : 0;
  tm.tmPitchAndFamily = TMPF_VECTOR | TMPF_TRUETYPE | (FT_IS_FIXED_WIDTH(face.Handle()) ? 0 : TMPF_FIXED_PITCH);
  tm.tmCharSet = logFont.lfCharSet;
  if (logFont.lfCharSet == DEFAULT_CHARSET)
    tm.tmCharSet = face.GlyphIndex(U'\u4E00') != 0 ? GB2312_CHARSET : ANSI_CHARSET;

  FUnderline.Height = std::max(1, Round(fm.UnderlineThickness * scaleY));
  FUnderline.Top = Round(ascent - fm.UnderlinePosition * scaleY - FUnderline.Height / 2.0);
  FUnderline.Top = std::max(ascent, std::min(FUnderline.Top, tm.tmHeight - FUnderline.Height));
  FStrikeOut.Height = std::max(1, Round(fm.StrikeOutSize * scaleY));
  FStrikeOut.Top = std::max(0, ascent - Round(fm.StrikeOutPosition * scaleY));
}

const GlyphImage& FreeTypeFont::Glyph(char32_t c) {
  const GlyphRef r = Resolve(c);
  return r.Face->Glyph(r.Index);
}

FreeTypeFont::GlyphRef FreeTypeFont::Resolve(char32_t c) {
  const uint32_t index = FPrimary->Face().GlyphIndex(c);
  // Control characters show the face's own missing-glyph shape, as classic text does.
  if (index != 0 || c < 0x20 || c == 0x7F) return {FPrimary, index};
  FontLibrary& library = FontLibrary::Instance();
  const auto fallback = library.Matcher().FallbackFor(c, NormalisedWeight(FLogFont.lfWeight), FWantItalic);
  if (!fallback) return {FPrimary, 0};
  FontFace& face = library.Face(*fallback);
  const uint32_t fallbackIndex = face.GlyphIndex(c);
  if (fallbackIndex == 0) return {FPrimary, 0};
  const GlyphSynthesis synthesis{FWantBold && face.Weight() < FW_SEMIBOLD, FWantItalic && !face.Italic()};
  return {&library.Sized(face, FPixelWidth, FPixelHeight, synthesis), fallbackIndex};
}

std::unique_ptr<FontSource> RealizeFontSource(const LOGFONT& logFont) {
  return std::make_unique<FreeTypeFont>(logFont);
}

}  // namespace kora
