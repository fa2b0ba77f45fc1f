#include "platform/text/FontLibrary.h"

#include "platform/text/FontInstance.h"

#include <stdexcept>

namespace kora {

namespace {

std::string InstanceKey(const LOGFONT& lf) {
  // Precision, quality and clip fields do not change what is drawn.
  return std::to_string(lf.lfHeight) + ',' + std::to_string(lf.lfWidth) + ',' + std::to_string(lf.lfWeight) + ',' +
         std::to_string(lf.lfItalic != 0) + ',' + std::to_string(lf.lfUnderline != 0) + ',' +
         std::to_string(lf.lfStrikeOut != 0) + ',' + std::to_string(lf.lfCharSet) + ',' + lf.lfFaceName;
}

}  // namespace

FontLibrary& FontLibrary::Instance() {
  static FontLibrary library;
  return library;
}

FontLibrary::FontLibrary() {
  if (FT_Init_FreeType(&FLibrary) != 0) throw std::runtime_error("Cannot initialise the font rasteriser");
}

FontLibrary::~FontLibrary() {
  FInstances.clear();
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

std::shared_ptr<FontInstance> FontLibrary::Realize(const LOGFONT& logFont) {
  auto& slot = FInstances[InstanceKey(logFont)];
  if (!slot) slot = std::make_shared<FontInstance>(logFont);
  return slot;
}

}  // namespace kora
