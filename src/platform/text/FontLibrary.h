#pragma once

#include "platform/text/FontGlyphs.h"
#include "platform/text/FontMatcher.h"
#include "platform/text/FontTypes.h"

#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace kora {

// The process-wide font state on Linux: FreeType, the face matcher, open
// faces and sized faces with their glyph caches. Everything is kept for the
// life of the process, as fonts are few and reused constantly. GUI thread
// only, like the rest of the drawing calls.
class FontLibrary {
public:
  static FontLibrary& Instance();

  FontMatcher& Matcher() { return FMatcher; }
  FontFace& Face(const FontFileMatch& match);
  SizedFace& Sized(FontFace& face, int pixelWidth, int pixelHeight, GlyphSynthesis synthesis);

  ~FontLibrary();

private:
  FontLibrary();

  FT_Library FLibrary = nullptr;
  FontMatcher FMatcher;
  std::map<std::pair<std::string, int>, std::unique_ptr<FontFace>> FFaces;
  std::map<std::tuple<int, int, int, bool, bool>, std::unique_ptr<SizedFace>> FSized;
};

}  // namespace kora
