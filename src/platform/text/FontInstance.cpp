#include "platform/text/FontInstance.h"

#include <map>
#include <string>

namespace kora {

namespace {

std::string InstanceKey(const LOGFONT& lf) {
  // Precision, quality and clip fields do not change what is drawn.
  return std::to_string(lf.lfHeight) + ',' + std::to_string(lf.lfWidth) + ',' + std::to_string(lf.lfWeight) + ',' +
         std::to_string(lf.lfItalic != 0) + ',' + std::to_string(lf.lfUnderline != 0) + ',' +
         std::to_string(lf.lfStrikeOut != 0) + ',' + std::to_string(lf.lfCharSet) + ',' + lf.lfFaceName;
}

}  // namespace

FontInstance::FontInstance(const LOGFONT& logFont) : FLogFont(logFont), FSource(RealizeFontSource(logFont)) {}

const GlyphImage& FontInstance::Glyph(char32_t c) {
  if (c < FAscii.size()) {
    if (!FAscii[c]) FAscii[c] = &FSource->Glyph(c);
    return *FAscii[c];
  }
  auto it = FGlyphs.find(c);
  if (it == FGlyphs.end()) it = FGlyphs.emplace(c, &FSource->Glyph(c)).first;
  return *it->second;
}

std::shared_ptr<FontInstance> RealizeFont(const LOGFONT& logFont) {
  static std::map<std::string, std::shared_ptr<FontInstance>> instances;
  auto& slot = instances[InstanceKey(logFont)];
  if (!slot) slot = std::make_shared<FontInstance>(logFont);
  return slot;
}

}  // namespace kora
