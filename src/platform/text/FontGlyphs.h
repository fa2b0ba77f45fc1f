#pragma once

#include "platform/text/FontFace.h"
#include "platform/text/GlyphImage.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace kora {

// What a face is asked to imitate because it lacks the style itself.
struct GlyphSynthesis {
  bool Bold = false;
  bool Italic = false;
};

// A face at one pixel size and synthesis, with the cache of its rendered
// glyphs. Embedded bitmap strikes are used when the face has one at this size,
// drawn as solid 0/255 coverage for the crisp classic look.
class SizedFace {
public:
  SizedFace(FontFace& face, int pixelWidth, int pixelHeight, GlyphSynthesis synthesis);
  ~SizedFace();
  SizedFace(const SizedFace&) = delete;
  SizedFace& operator=(const SizedFace&) = delete;

  FontFace& Face() const { return FFace; }
  bool UsesStrike() const { return FUsesStrike; }
  // Pixels synthetic bold adds to every advance.
  int BoldExtra() const;
  const GlyphImage& Glyph(uint32_t index);
  // Size metrics in pixels, for faces without outlines.
  int StrikeAscent() const;
  int StrikeDescent() const;

private:
  GlyphImage Render(uint32_t index);

  FontFace& FFace;
  FT_Size FSize = nullptr;
  int FPixelHeight;
  GlyphSynthesis FSynthesis;
  bool FUsesStrike = false;
  std::unordered_map<uint32_t, GlyphImage> FGlyphs;
};

}  // namespace kora
