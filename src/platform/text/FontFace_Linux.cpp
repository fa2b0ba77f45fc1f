#include "platform/text/FontFace.h"

#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <stdexcept>

namespace kora {

FontFace::FontFace(FT_Library library, const std::string& file, int index, int id) : FId(id) {
  if (FT_New_Face(library, file.c_str(), index, &FFace) != 0)
    throw std::runtime_error("Cannot open font file \"" + file + "\"");
  if (FT_Select_Charmap(FFace, FT_ENCODING_UNICODE) != 0 && FFace->num_charmaps > 0)
    FT_Set_Charmap(FFace, FFace->charmaps[0]);
  FFamily = FFace->family_name ? FFace->family_name : "";
  FWeight = (FFace->style_flags & FT_STYLE_FLAG_BOLD) ? 700 : 400;
  ReadMetrics();
}

FontFace::~FontFace() { FT_Done_Face(FFace); }

bool FontFace::HasStrike(int ppem) const {
  for (int i = 0; i < FFace->num_fixed_sizes; ++i)
    if ((FFace->available_sizes[i].y_ppem + 32) >> 6 == ppem) return true;
  return false;
}

// The average the classic metrics report: lower-case letters and the blank
// weighted by their frequency in English text. Newer fonts store an average
// over all glyphs instead, which would make Latin UIs too wide.
int FontFace::WeightedAverageWidth() const {
  static const int weights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                  56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
  long sum = 0;
  for (int i = 0; i < 27; ++i) {
    const char32_t c = i < 26 ? U'a' + i : U' ';
    const FT_UInt g = FT_Get_Char_Index(FFace, c);
    if (g == 0 || FT_Load_Glyph(FFace, g, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0) return 0;
    sum += FFace->glyph->advance.x * weights[i];
  }
  return static_cast<int>(sum / 1000);
}

void FontFace::ReadMetrics() {
  FaceMetrics& m = FMetrics;
  if (!FT_IS_SCALABLE(FFace)) return;  // sized faces take bitmap-only metrics from the strike
  m.UnitsPerEm = FFace->units_per_EM;
  m.Ascent = FFace->ascender;
  m.Descent = -FFace->descender;
  m.MaxAdvance = FFace->max_advance_width;
  m.UnderlinePosition = FFace->underline_position;
  m.UnderlineThickness = FFace->underline_thickness;
  m.StrikeOutPosition = m.UnitsPerEm * 3 / 10;
  m.StrikeOutSize = m.UnderlineThickness;
  const int lineHeight = FFace->height;

  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(FFace, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    m.Ascent = os2->usWinAscent;
    m.Descent = os2->usWinDescent;
    if (os2->yStrikeoutSize > 0) {
      m.StrikeOutPosition = os2->yStrikeoutPosition;
      m.StrikeOutSize = os2->yStrikeoutSize;
    }
    m.AveCharWidth = os2->xAvgCharWidth;
    if (os2->usWeightClass >= 100 && os2->usWeightClass <= 1000) FWeight = os2->usWeightClass;
  }
  m.ExternalLeading = std::max(0, lineHeight - (m.Ascent + m.Descent));
  if (const int weighted = WeightedAverageWidth(); weighted > 0) m.AveCharWidth = weighted;
  if (m.AveCharWidth <= 0) m.AveCharWidth = m.UnitsPerEm / 2;
  if (m.UnderlineThickness <= 0) m.UnderlineThickness = m.UnitsPerEm / 20;
}

}  // namespace kora
