#include "platform/text/FontLibrary.h"

#include <stdexcept>

namespace kora {

FontLibrary& FontLibrary::Instance() {
  static FontLibrary library;
  return library;
}

FontLibrary::FontLibrary() {
  if (FT_Init_FreeType(&FLibrary) != 0) throw std::runtime_error("Cannot initialise the font rasteriser");
}

FontLibrary::~FontLibrary() {
  FSized.clear();
  FFaces.clear();
  FT_Done_FreeType(FLibrary);
}

FontFace& FontLibrary::Face(const FontFileMatch& match) {
  auto& slot = FFaces[{match.File, match.Index}];
  if (!slot) slot = std::make_unique<FontFace>(FLibrary, match.File, match.Index, static_cast<int>(FFaces.size()));
  return *slot;
}

SizedFace& FontLibrary::Sized(FontFace& face, int pixelWidth, int pixelHeight, GlyphSynthesis synthesis) {
  auto& slot = FSized[{face.Id(), pixelWidth, pixelHeight, synthesis.Bold, synthesis.Italic}];
  if (!slot) slot = std::make_unique<SizedFace>(face, pixelWidth, pixelHeight, synthesis);
  return *slot;
}

}  // namespace kora
