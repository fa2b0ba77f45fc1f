// Fonts on Windows: a logical font is realised as a GDI font of the family
// our substitutes pick, its metrics are the system's own, and its glyphs
// come from GetGlyphOutlineW into the same coverage images, glyph cache and
// layout code as on Linux.

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "platform/text/FontSource.h"
#include "platform/text/WideText.h"

#include "platform/gdi/WinApi_Win32.h"

namespace kora {

namespace {

constexpr int kDefaultEmHeight = 12;
constexpr int kMaxPixelSize = 2048;

struct Substitute {
  const char* Name;
  std::vector<const char*> Families;
  bool Cjk;  // else the nearest installed CJK face serves
};

// The classic face names the program and its skins ask for, and what
// stands in for them where they are not installed (outline faces only:
// bitmap fonts have no glyph outlines to read).
const std::vector<Substitute>& SubstituteTable() {
  static const std::vector<Substitute> table = {
      {"宋体", {"SimSun", "宋体", "NSimSun", "新宋体"}, true},
      {"simsun", {"SimSun", "宋体", "NSimSun", "新宋体"}, true},
      {"新宋体", {"NSimSun", "新宋体", "SimSun", "宋体"}, true},
      {"nsimsun", {"NSimSun", "新宋体", "SimSun", "宋体"}, true},
      {"arial", {"Arial", "Liberation Sans", "Arimo", "Tahoma"}, false},
      {"ms sans serif", {"Microsoft Sans Serif", "Tahoma", "Arial", "Liberation Sans"}, false},
      {"microsoft sans serif", {"Microsoft Sans Serif", "Tahoma", "Arial", "Liberation Sans"}, false},
      {"ms shell dlg", {"Microsoft Sans Serif", "Tahoma", "Arial", "Liberation Sans"}, false},
      {"ms shell dlg 2", {"Tahoma", "Microsoft Sans Serif", "Arial", "Liberation Sans"}, false},
      {"tahoma", {"Tahoma", "Microsoft Sans Serif", "Arial", "Liberation Sans"}, false},
      {"times new roman", {"Times New Roman", "Liberation Serif", "Tinos"}, false},
      {"courier new", {"Courier New", "Liberation Mono", "Cousine"}, false},
  };
  return table;
}

std::string AsciiLower(std::string s) {
  for (char& c : s) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return s;
}

// The families installed, asked once: name -> the character sets it has.
class InstalledFamilies {
public:
  static InstalledFamilies& Get() {
    static InstalledFamilies families;
    return families;
  }

  bool Has(const std::wstring& family) const { return FCharSets.count(Fold(family)) != 0; }

  // A face for Chinese text when none of the classic ones is there: one
  // that says it has GB2312, a Song (Ming) face first.
  std::optional<std::wstring> NearestCjk() const {
    std::optional<std::wstring> any;
    for (const auto& [key, entry] : FCharSets) {
      if (!entry.Gb2312 || entry.Name.starts_with(L"@")) continue;
      const std::string lower = AsciiLower(FromWide(entry.Name));
      if (lower.find("ming") != std::string::npos || lower.find("song") != std::string::npos ||
          lower.find("宋") != std::string::npos)
        return entry.Name;
      if (!any) any = entry.Name;
    }
    return any;
  }

private:
  struct Entry {
    std::wstring Name;
    bool Gb2312 = false;
  };

  InstalledFamilies() {
    ::HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTW want{};
    want.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &want, &InstalledFamilies::Found, reinterpret_cast<LPARAM>(this), 0);
    DeleteDC(dc);
  }

  static int CALLBACK Found(const LOGFONTW* lf, const TEXTMETRICW*, ::DWORD type, LPARAM self) {
    if (!(type & TRUETYPE_FONTTYPE)) return 1;  // no outlines to read
    auto& families = reinterpret_cast<InstalledFamilies*>(self)->FCharSets;
    Entry& e = families[Fold(lf->lfFaceName)];
    e.Name = lf->lfFaceName;
    e.Gb2312 = e.Gb2312 || lf->lfCharSet == GB2312_CHARSET;
    return 1;
  }

  static std::wstring Fold(std::wstring name) {
    for (wchar_t& c : name) c = wchar_t(c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c);
    return name;
  }

  std::map<std::wstring, Entry> FCharSets;
};

// The installed family a face name is served by; empty lets GDI's own
// mapper choose.
std::wstring MatchFamily(const std::string& family, uint8_t charSet) {
  static std::map<std::pair<std::string, uint8_t>, std::wstring> matches;
  const auto key = std::make_pair(family, charSet);
  if (auto it = matches.find(key); it != matches.end()) return it->second;
  const InstalledFamilies& installed = InstalledFamilies::Get();
  std::wstring match;
  const std::string lower = AsciiLower(family);
  const auto& table = SubstituteTable();
  const auto sub = std::find_if(table.begin(), table.end(), [&](const Substitute& s) { return lower == s.Name; });
  if (sub == table.end()) {
    if (installed.Has(ToWide(family))) match = ToWide(family);
  } else {
    for (const char* f : sub->Families)
      if (installed.Has(ToWide(f))) {
        match = ToWide(f);
        break;
      }
  }
  const bool wantsCjk = (sub != table.end() && sub->Cjk) || charSet == GB2312_CHARSET;
  if (match.empty() && wantsCjk) match = installed.NearestCjk().value_or(L"");
  if (match.empty() && sub == table.end()) match = ToWide(family);
  matches.emplace(key, match);
  return match;
}

// Whether the face has an embedded bitmap strike for this em height (its
// EBLC table lists one): such text is drawn solid, the crisp classic look.
bool HasStrike(::HDC dc, int ppem) {
  constexpr ::DWORD kEblc = 'E' | ('B' << 8) | ('L' << 16) | (::DWORD('C') << 24);
  const ::DWORD size = GetFontData(dc, kEblc, 0, nullptr, 0);
  if (size == GDI_ERROR || size < 8) return false;
  std::vector<uint8_t> table(size);
  if (GetFontData(dc, kEblc, 0, table.data(), size) != size) return false;
  const uint32_t count = uint32_t(table[4]) << 24 | uint32_t(table[5]) << 16 | uint32_t(table[6]) << 8 | table[7];
  constexpr size_t kRecord = 48, kPpemY = 45, kBitDepth = 46;
  for (uint32_t i = 0; i < count && 8 + (i + 1) * kRecord <= size; ++i) {
    const uint8_t* record = table.data() + 8 + i * kRecord;
    if (record[kPpemY] == ppem && record[kBitDepth] == 1) return true;
  }
  return false;
}

// One GDI font in a memory DC of its own, with the glyphs it rendered.
class GdiFace {
public:
  GdiFace(const LOGFONTW& lf) : FDc(CreateCompatibleDC(nullptr)), FFont(CreateFontIndirectW(&lf)) {
    if (!FDc || !FFont) throw std::runtime_error("Cannot create the font \"" + FromWide(lf.lfFaceName) + "\"");
    FOld = SelectObject(FDc, FFont);
    GetTextMetricsW(FDc, &FMetrics);
    FStrike = lf.lfWidth == 0 && HasStrike(FDc, FMetrics.tmHeight - FMetrics.tmInternalLeading);
  }
  ~GdiFace() {
    SelectObject(FDc, FOld);
    DeleteObject(FFont);
    DeleteDC(FDc);
  }
  GdiFace(const GdiFace&) = delete;
  GdiFace& operator=(const GdiFace&) = delete;

  ::HDC Dc() const { return FDc; }
  const TEXTMETRICW& Metrics() const { return FMetrics; }
  std::wstring Family() const {
    wchar_t name[LF_FACESIZE] = {};
    GetTextFaceW(FDc, LF_FACESIZE, name);
    return name;
  }

  bool Has(char32_t c) const {
    if (c > 0xFFFF) return false;
    const wchar_t ch = wchar_t(c);
    ::WORD index = 0xFFFF;
    return GetGlyphIndicesW(FDc, &ch, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 && index != 0xFFFF;
  }

  const GlyphImage& Glyph(char32_t c) {
    auto it = FGlyphs.find(c);
    if (it == FGlyphs.end()) it = FGlyphs.emplace(c, Render(c)).first;
    return it->second;
  }

private:
  GlyphImage Render(char32_t c) const {
    // Beyond the 16-bit plane the face's missing glyph stands in.
    const UINT format = (FStrike ? GGO_BITMAP : GGO_GRAY8_BITMAP) | (c > 0xFFFF ? GGO_GLYPH_INDEX : 0);
    const UINT code = c > 0xFFFF ? 0 : UINT(c);
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS gm{};
    GlyphImage g;
    const ::DWORD size = GetGlyphOutlineW(FDc, code, format, &gm, 0, nullptr, &identity);
    if (size == GDI_ERROR) return g;  // a damaged glyph draws as nothing rather than failing the text
    g.Advance = gm.gmCellIncX;
    if (size == 0) return g;  // a blank
    std::vector<uint8_t> bits(size);
    if (GetGlyphOutlineW(FDc, code, format, &gm, size, bits.data(), &identity) == GDI_ERROR) return g;
    g.Left = gm.gmptGlyphOrigin.x;
    g.Top = gm.gmptGlyphOrigin.y;
    g.Width = int(gm.gmBlackBoxX);
    g.Height = int(gm.gmBlackBoxY);
    g.Coverage.assign(size_t(g.Width) * g.Height, 0);
    // Rows are padded to whole 32-bit words.
    const size_t stride = FStrike ? ((size_t(g.Width) + 31) / 32) * 4 : ((size_t(g.Width) + 3) / 4) * 4;
    if (stride * g.Height > bits.size()) return GlyphImage{{}, {}, {}, {}, g.Advance, {}};
    for (int y = 0; y < g.Height; ++y) {
      const uint8_t* row = bits.data() + size_t(y) * stride;
      for (int x = 0; x < g.Width; ++x) {
        // Gray levels run 0..64; bits are solid ink.
        const int value = FStrike ? ((row[x / 8] >> (7 - x % 8)) & 1) * 255 : std::min(255, row[x] * 255 / 64);
        g.Coverage[size_t(y) * g.Width + x] = uint8_t(value);
      }
    }
    return g;
  }

  ::HDC FDc;
  ::HFONT FFont;
  ::HGDIOBJ FOld = nullptr;
  TEXTMETRICW FMetrics{};
  bool FStrike = false;
  std::unordered_map<char32_t, GlyphImage> FGlyphs;
};

LOGFONTW WideLogFont(const LOGFONT& lf, const std::wstring& family) {
  LOGFONTW w{};
  w.lfHeight = lf.lfHeight == 0 ? -kDefaultEmHeight : std::clamp(lf.lfHeight, -kMaxPixelSize, kMaxPixelSize);
  w.lfWidth = std::clamp(lf.lfWidth, -kMaxPixelSize, kMaxPixelSize);
  w.lfWeight = lf.lfWeight <= 0 ? FW_NORMAL : std::min(lf.lfWeight, 1000);
  w.lfItalic = lf.lfItalic ? TRUE : FALSE;
  w.lfCharSet = lf.lfCharSet;
  w.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  w.lfQuality = ANTIALIASED_QUALITY;
  std::copy_n(family.c_str(), std::min<size_t>(family.size(), LF_FACESIZE - 1), w.lfFaceName);
  return w;
}

class GdiFont final : public FontSource {
public:
  explicit GdiFont(const LOGFONT& lf) : FLogFont(lf) {
    const LOGFONTW wide = WideLogFont(lf, MatchFamily(lf.lfFaceName, lf.lfCharSet));
    FPrimary = std::make_unique<GdiFace>(wide);
    ReadMetrics();
  }

  const TEXTMETRIC& Metrics() const override { return FMetrics; }
  CellBand Underline() const override { return FUnderline; }
  CellBand StrikeOut() const override { return FStrikeOut; }

  const GlyphImage& Glyph(char32_t c) override {
    // Control characters show the face's own missing-glyph shape, as classic text does.
    if (c < 0x20 || c == 0x7F || FPrimary->Has(c)) return FPrimary->Glyph(c);
    for (GdiFace* face : Fallbacks())
      if (face->Has(c)) return face->Glyph(c);
    return FPrimary->Glyph(c);
  }

private:
  void ReadMetrics() {
    const TEXTMETRICW& t = FPrimary->Metrics();
    TEXTMETRIC& m = FMetrics;
    m.tmHeight = t.tmHeight;
    m.tmAscent = t.tmAscent;
    m.tmDescent = t.tmDescent;
    m.tmInternalLeading = t.tmInternalLeading;
    m.tmExternalLeading = t.tmExternalLeading;
    m.tmAveCharWidth = t.tmAveCharWidth;
    m.tmMaxCharWidth = t.tmMaxCharWidth;
    m.tmWeight = t.tmWeight;
    m.tmOverhang = t.tmOverhang;
    m.tmDigitizedAspectX = t.tmDigitizedAspectX;
    m.tmDigitizedAspectY = t.tmDigitizedAspectY;
    m.tmFirstChar = t.tmFirstChar;
    m.tmLastChar = t.tmLastChar;
    m.tmDefaultChar = t.tmDefaultChar;
    m.tmBreakChar = t.tmBreakChar;
    m.tmItalic = t.tmItalic;
    m.tmUnderlined = FLogFont.lfUnderline ? 255 : 0;
    m.tmStruckOut = FLogFont.lfStrikeOut ? 255 : 0;
    m.tmPitchAndFamily = t.tmPitchAndFamily;
    m.tmCharSet = t.tmCharSet;

    // The strokes from the face's own positions, placed as on Linux.
    int underPos = -std::max(1, int(t.tmDescent) / 2);
    int underSize = std::max(1, int(t.tmHeight) / 14);
    int strikePos = int(t.tmAscent) * 3 / 10;
    int strikeSize = underSize;
    const UINT size = GetOutlineTextMetricsW(FPrimary->Dc(), 0, nullptr);
    if (size != 0) {
      std::vector<uint8_t> buffer(size);
      auto* otm = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
      if (GetOutlineTextMetricsW(FPrimary->Dc(), size, otm) != 0) {
        underPos = otm->otmsUnderscorePosition;
        underSize = std::max<int>(1, int(otm->otmsUnderscoreSize));
        strikePos = otm->otmsStrikeoutPosition;
        strikeSize = std::max<int>(1, int(otm->otmsStrikeoutSize));
      }
    }
    FUnderline.Height = underSize;
    FUnderline.Top = t.tmAscent - underPos - underSize / 2;
    FUnderline.Top = std::max<int>(t.tmAscent, std::min<int>(FUnderline.Top, t.tmHeight - FUnderline.Height));
    FStrikeOut.Height = strikeSize;
    FStrikeOut.Top = std::max<int>(0, t.tmAscent - strikePos);
  }

  // Faces for characters the matched one lacks: a Chinese face and a Latin
  // one, at the same em height and style, made when first needed.
  std::vector<GdiFace*> Fallbacks() {
    if (!FFallbacksMade) {
      FFallbacksMade = true;
      const std::wstring own = FPrimary->Family();
      LOGFONT lf = FLogFont;
      lf.lfHeight = -(FPrimary->Metrics().tmHeight - FPrimary->Metrics().tmInternalLeading);
      for (const char* family : {"宋体", "Arial"}) {
        const std::wstring name = MatchFamily(family, DEFAULT_CHARSET);
        if (name.empty() || name == own) continue;
        try {
          FFallbacks.push_back(std::make_unique<GdiFace>(WideLogFont(lf, name)));
        } catch (const std::runtime_error&) {
          // one fewer place to look
        }
      }
    }
    std::vector<GdiFace*> faces;
    for (const auto& f : FFallbacks) faces.push_back(f.get());
    return faces;
  }

  LOGFONT FLogFont;
  TEXTMETRIC FMetrics;
  CellBand FUnderline;
  CellBand FStrikeOut;
  std::unique_ptr<GdiFace> FPrimary;
  std::vector<std::unique_ptr<GdiFace>> FFallbacks;
  bool FFallbacksMade = false;
};

}  // namespace

std::unique_ptr<FontSource> RealizeFontSource(const LOGFONT& logFont) { return std::make_unique<GdiFont>(logFont); }

}  // namespace kora
