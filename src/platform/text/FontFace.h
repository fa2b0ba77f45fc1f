#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <string>

namespace kora {

// Design metrics of a face in font units, as the classic metrics need them.
struct FaceMetrics {
  int UnitsPerEm = 1000;
  int Ascent = 800;         // cell ascent (OS/2 Windows ascent when present)
  int Descent = 200;        // cell descent, positive
  int ExternalLeading = 0;  // extra line gap beyond the cell
  int AveCharWidth = 500;
  int MaxAdvance = 1000;
  int UnderlinePosition = -100;  // centre of the stroke, negative below the baseline
  int UnderlineThickness = 50;
  int StrikeOutPosition = 250;  // top of the stroke above the baseline
  int StrikeOutSize = 50;
};

// One face of an installed font file, opened with FreeType.
class FontFace {
public:
  FontFace(FT_Library library, const std::string& file, int index, int id);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  int Id() const { return FId; }
  FT_Face Handle() const { return FFace; }
  const FaceMetrics& Metrics() const { return FMetrics; }
  const std::string& Family() const { return FFamily; }
  // The face's own style; fontconfig's answer reports synthesised styles as real.
  int Weight() const { return FWeight; }
  bool Italic() const { return FFace->style_flags & FT_STYLE_FLAG_ITALIC; }
  bool Scalable() const { return FT_IS_SCALABLE(FFace); }
  bool HasStrike(int ppem) const;
  // The index of the character's glyph; 0 when the face lacks it.
  uint32_t GlyphIndex(char32_t c) const { return FT_Get_Char_Index(FFace, c); }

private:
  void ReadMetrics();
  int WeightedAverageWidth() const;

  FT_Face FFace = nullptr;
  int FId;
  std::string FFamily;
  int FWeight = 400;
  FaceMetrics FMetrics;
};

}  // namespace kora
