#pragma once

#include "platform/text/FontGlyphs.h"
#include "platform/text/FontTypes.h"

#include <array>
#include <unordered_map>

namespace kora {

// A band of rows inside the text cell, counted from the cell's top.
struct CellBand {
  int Top = 0;
  int Height = 1;
};

// A logical font made real: the matched face at its pixel size, the classic
// metrics, and the glyph for every character, taken from another installed
// face when the matched one lacks it.
class FontInstance {
public:
  explicit FontInstance(const LOGFONT& logFont);

  const LOGFONT& LogFont() const { return FLogFont; }
  const TEXTMETRIC& Metrics() const { return FMetrics; }
  SizedFace& Primary() const { return *FPrimary; }

  int Advance(char32_t c) { return Glyph(c).Advance; }
  const GlyphImage& Glyph(char32_t c);
  // Where underline and strike-out strokes go in the text cell.
  CellBand Underline() const { return FUnderline; }
  CellBand StrikeOut() const { return FStrikeOut; }

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
  std::array<const GlyphImage*, 128> FAscii{};
  std::unordered_map<char32_t, const GlyphImage*> FGlyphs;
};

}  // namespace kora
