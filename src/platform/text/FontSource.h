#pragma once
// Where a realised font's metrics and glyphs come from: installed faces
// through fontconfig and FreeType on Linux (FreeTypeFont), GDI fonts and
// their glyph outlines on Windows (GdiFont). Which one is built is decided
// by the files compiled; the layout and drawing code above sees only this.

#include <memory>

#include "platform/text/FontTypes.h"
#include "platform/text/GlyphImage.h"

namespace kora {

class FontSource {
public:
  virtual ~FontSource() = default;
  virtual const TEXTMETRIC& Metrics() const = 0;
  // Where underline and strike-out strokes go in the text cell.
  virtual CellBand Underline() const = 0;
  virtual CellBand StrikeOut() const = 0;
  // The glyph of a character, taken from another installed face when the
  // matched one lacks it; kept by the source for its whole life.
  virtual const GlyphImage& Glyph(char32_t c) = 0;
};

// The system's realisation of a logical font. Throws std::runtime_error
// when no installed font can serve it.
std::unique_ptr<FontSource> RealizeFontSource(const LOGFONT& logFont);

}  // namespace kora
