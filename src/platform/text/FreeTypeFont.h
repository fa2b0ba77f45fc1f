#pragma once

#include <unordered_map>

#include "platform/text/FontGlyphs.h"
#include "platform/text/FontSource.h"

namespace kora {

// A logical font made real on Linux: the face fontconfig matched at its
// pixel size, the classic metrics from its design metrics, and the glyph for
// every character, taken from another installed face when the matched one
// lacks it.
class FreeTypeFont final : public FontSource {
public:
  explicit FreeTypeFont(const LOGFONT& logFont);

  const TEXTMETRIC& Metrics() const override { return FMetrics; }
  CellBand Underline() const override { return FUnderline; }
  CellBand StrikeOut() const override { return FStrikeOut; }
  const GlyphImage& Glyph(char32_t c) override;

  SizedFace& Primary() const { return *FPrimary; }

private:
  struct GlyphRef {
    SizedFace* Face = nullptr;
    uint32_t Index = 0;
  };
  GlyphRef Resolve(char32_t c);

  LOGFONT FLogFont;
  TEXTMETRIC FMetrics;
  SizedFace* FPrimary = nullptr;
  int FPixelWidth = 0;
  int FPixelHeight = 0;
  bool FWantBold = false;
  bool FWantItalic = false;
  CellBand FUnderline;
  CellBand FStrikeOut;
};

}  // namespace kora
