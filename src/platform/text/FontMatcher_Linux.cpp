#include "platform/text/FontMatcher.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace kora {

namespace {

struct Substitute {
  const char* Name;
  std::vector<std::string> Families;
};

// The classic face names the program and its skins ask for. The CJK Song face
// has half-width Latin and bitmap strikes at 11-16 px, like the original.
const std::vector<Substitute>& SubstituteTable() {
  static const std::vector<Substitute> table = {
      {"宋体", {"AR PL UMing CN", "AR PL UMing TW", "Droid Sans Fallback"}},
      {"simsun", {"AR PL UMing CN", "AR PL UMing TW", "Droid Sans Fallback"}},
      {"新宋体", {"AR PL UMing CN", "AR PL UMing TW", "Droid Sans Fallback"}},
      {"nsimsun", {"AR PL UMing CN", "AR PL UMing TW", "Droid Sans Fallback"}},
      {"arial", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
      {"ms sans serif", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
      {"microsoft sans serif", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
      {"ms shell dlg", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
      {"ms shell dlg 2", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
      {"tahoma", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
      {"times new roman", {"Liberation Serif", "Tinos", "DejaVu Serif"}},
      {"courier new", {"Liberation Mono", "Cousine", "DejaVu Sans Mono"}},
  };
  return table;
}

std::string AsciiLower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// Character sets that need a script the default Latin faces lack.
const char* LanguageFor(uint8_t charSet) {
  switch (charSet) {
    case 134: return "zh-cn";
    case 136: return "zh-tw";
    case 128: return "ja";
    case 129: return "ko";
    default: return nullptr;
  }
}

FcConfig* Config() {
  static FcConfig* config = [] {
    if (!FcInit()) throw std::runtime_error("Cannot initialise the font configuration");
    return FcConfigGetCurrent();
  }();
  return config;
}

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

PatternPtr StylePattern(int weight, bool italic) {
  PatternPtr p(FcPatternCreate());
  FcPatternAddInteger(p.get(), FC_WEIGHT, FcWeightFromOpenType(std::clamp(weight, 1, 1000)));
  FcPatternAddInteger(p.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(p.get(), FC_SCALABLE, FcTrue);
  return p;
}

FontFileMatch Describe(FcPattern* font) {
  FontFileMatch m;
  FcChar8* s = nullptr;
  if (FcPatternGetString(font, FC_FILE, 0, &s) == FcResultMatch) m.File = reinterpret_cast<const char*>(s);
  if (FcPatternGetString(font, FC_FAMILY, 0, &s) == FcResultMatch) m.Family = reinterpret_cast<const char*>(s);
  int i = 0;
  if (FcPatternGetInteger(font, FC_INDEX, 0, &i) == FcResultMatch) m.Index = i;
  return m;
}

}  // namespace

struct FontMatcher::SortedSet {
  FcFontSet* Fonts = nullptr;
  ~SortedSet() {
    if (Fonts) FcFontSetDestroy(Fonts);
  }
};

FontMatcher::FontMatcher() { Config(); }

FontMatcher::~FontMatcher() {
  // Font sets must go before the configuration that owns their cache.
  FSorted.clear();
  FcFini();
}

const std::vector<std::string>& FontMatcher::SubstitutesFor(const std::string& family) {
  static const std::vector<std::string> none;
  const std::string key = AsciiLower(family);
  for (const Substitute& s : SubstituteTable())
    if (key == s.Name) return s.Families;
  return none;
}

FontFileMatch FontMatcher::Match(const FontRequest& request) {
  const auto key = std::make_tuple(request.Family, request.Weight, request.Italic, request.CharSet);
  if (auto it = FMatches.find(key); it != FMatches.end()) return it->second;

  PatternPtr p = StylePattern(request.Weight, request.Italic);
  const auto& substitutes = SubstitutesFor(request.Family);
  if (!substitutes.empty()) {
    for (const std::string& f : substitutes)
      FcPatternAddString(p.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(f.c_str()));
  } else if (!request.Family.empty()) {
    FcPatternAddString(p.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(request.Family.c_str()));
  }
  if (const char* lang = LanguageFor(request.CharSet))
    FcPatternAddString(p.get(), FC_LANG, reinterpret_cast<const FcChar8*>(lang));
  FcConfigSubstitute(Config(), p.get(), FcMatchPattern);
  FcDefaultSubstitute(p.get());

  FcResult result = FcResultNoMatch;
  PatternPtr font(FcFontMatch(Config(), p.get(), &result));
  if (!font) throw std::runtime_error("No installed font matches \"" + request.Family + "\"");
  FontFileMatch m = Describe(font.get());
  if (m.File.empty()) throw std::runtime_error("The font matched for \"" + request.Family + "\" has no file");
  FMatches.emplace(key, m);
  return m;
}

FontMatcher::SortedSet& FontMatcher::SortedFor(int weight, bool italic) {
  auto& slot = FSorted[{weight, italic}];
  if (!slot) {
    slot = std::make_unique<SortedSet>();
    PatternPtr p = StylePattern(weight, italic);
    FcConfigSubstitute(Config(), p.get(), FcMatchPattern);
    FcDefaultSubstitute(p.get());
    FcResult result = FcResultNoMatch;
    slot->Fonts = FcFontSort(Config(), p.get(), FcFalse, nullptr, &result);
  }
  return *slot;
}

std::optional<FontFileMatch> FontMatcher::FallbackFor(char32_t c, int weight, bool italic) {
  const uint64_t key = (uint64_t(c) << 16) | (uint64_t(weight & 0x7FFF) << 1) | (italic ? 1 : 0);
  if (auto it = FFallbacks.find(key); it != FFallbacks.end()) return it->second;

  std::optional<FontFileMatch> found;
  SortedSet& sorted = SortedFor(weight, italic);
  for (int i = 0; sorted.Fonts && i < sorted.Fonts->nfont && !found; ++i) {
    FcPattern* font = sorted.Fonts->fonts[i];
    FcCharSet* cs = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &cs) != FcResultMatch || !FcCharSetHasChar(cs, c)) continue;
    FontFileMatch m = Describe(font);
    if (!m.File.empty()) found = m;
  }
  FFallbacks.emplace(key, found);
  return found;
}

}  // namespace kora
