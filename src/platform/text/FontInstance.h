#pragma once

#include <array>
#include <memory>
#include <unordered_map>

#include "platform/text/FontSource.h"

namespace kora {

// A logical font made real: the classic metrics and the glyph for every
// character, from the system's font source, with the glyphs looked up once.
class FontInstance {
public:
  explicit FontInstance(const LOGFONT& logFont);

  const LOGFONT& LogFont() const { return FLogFont; }
  const TEXTMETRIC& Metrics() const { return FSource->Metrics(); }
  FontSource& Source() const { return *FSource; }

  int Advance(char32_t c) { return Glyph(c).Advance; }
  const GlyphImage& Glyph(char32_t c);
  CellBand Underline() const { return FSource->Underline(); }
  CellBand StrikeOut() const { return FSource->StrikeOut(); }

private:
  LOGFONT FLogFont;
  std::unique_ptr<FontSource> FSource;
  std::array<const GlyphImage*, 128> FAscii{};
  std::unordered_map<char32_t, const GlyphImage*> FGlyphs;
};

// The realised font for a logical font; equal descriptions share one, kept
// for the life of the process as fonts are few and reused constantly. GUI
// thread only, like the rest of the drawing calls.
std::shared_ptr<FontInstance> RealizeFont(const LOGFONT& logFont);

}  // namespace kora
