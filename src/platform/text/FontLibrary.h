#pragma once

#include "platform/text/FontGlyphs.h"
#include "platform/text/FontMatcher.h"
#include "platform/text/FontTypes.h"

#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace kora {

class FontInstance;

// The process-wide font state: FreeType, the face matcher, open faces, sized
// faces with their glyph caches, and realised logical fonts. Everything is
// kept for the life of the process, as fonts are few and reused constantly.
// GUI thread only, like the rest of the drawing calls.
class FontLibrary {
public:
  static FontLibrary& Instance();

  FontMatcher& Matcher() { return FMatcher; }
  FontFace& Face(const FontFileMatch& match);
  SizedFace& Sized(FontFace& face, int pixelWidth, int pixelHeight, GlyphSynthesis synthesis);
  // The realised font for a logical font; equal descriptions share one.
  std::shared_ptr<FontInstance> Realize(const LOGFONT& logFont);

  ~FontLibrary();

private:
  FontLibrary();

  FT_Library FLibrary = nullptr;
  FontMatcher FMatcher;
  std::map<std::pair<std::string, int>, std::unique_ptr<FontFace>> FFaces;
  std::map<std::tuple<int, int, int, bool, bool>, std::unique_ptr<SizedFace>> FSized;
  std::map<std::string, std::shared_ptr<FontInstance>> FInstances;
};

}  // namespace kora
