// Value formats of skin.ini and the section reader/writer of the records.

#include <algorithm>
#include <array>

#include "skin/data/bsSkinData_Values.h"

namespace kora {

namespace {

// Digits only, fields split at commas; all N fields must be numbers.
template <std::size_t N>
std::array<int32_t, N> ParseSkinFields(std::string_view text) {
  std::array<std::string, N> fields;
  std::size_t field = 0;
  for (const char c : text) {
    if (c == ',') {
      if (++field == N) break;
    } else if (c >= '0' && c <= '9') {
      fields[field] += c;
    }
  }
  std::array<int32_t, N> values{};
  for (std::size_t i = 0; i < N; ++i) values[i] = StrToInt(fields[i]);
  return values;
}

template <typename E, std::size_t N>
E ParseKeyword(std::string_view text, const std::array<const char*, N>& names, E fallback) {
  for (std::size_t i = 0; i < N; ++i) {
    if (text == names[i]) return static_cast<E>(i);
  }
  return fallback;
}

template <std::size_t N>
std::string KeywordName(std::size_t value, const std::array<const char*, N>& names) {
  return value < N ? names[value] : "";
}

constexpr std::array<const char*, 3> kAlignments{"taleftjustify", "tarightjustify", "tacenter"};
constexpr std::array<const char*, 7> kMorphKinds{"mkdefault",   "mkgradient",   "mkleftgradient", "mkrightgradient",
                                                 "mkleftslide", "mkrightslide", "mkpush"};
constexpr std::array<const char*, 7> kCommands{"cmclose",   "cmmaximize", "cmminimize",      "cmsysmenu",
                                               "cmdefault", "cmrollup",   "cmminimizetotray"};
constexpr std::array<const char*, 6> kInactiveEffects{"iebrightness", "iedarkness",  "iegrayscale",
                                                      "ienoise",      "iesplitblur", "ieinvert"};
constexpr std::array<const char*, 4> kFontStyles{"fsbold", "fsitalic", "fsunderline", "fsstrikeout"};

// The decimal name of a counted entry ("0", "17"), or -1 for any other key.
int64_t EntryIndex(std::string_view key) {
  if (key.empty() || key.size() > 10 || (key.size() > 1 && key[0] == '0')) return -1;
  int64_t value = 0;
  for (const char c : key) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// One past the highest counted entry the section holds: the entries beyond
// it all read as empty, so nobody needs to look them up.
int64_t EntryLimit(const TCustomIniFile& ini, std::string_view section) {
  TStringList keys;
  ini.ReadSection(section, keys);
  int64_t limit = 0;
  for (int i = 0; i < keys.Count(); ++i) limit = std::max(limit, EntryIndex(keys[i]) + 1);
  return limit;
}

}  // namespace

POINT ParseSkinPoint(std::string_view text) {
  const auto v = ParseSkinFields<2>(text);
  return POINT{v[0], v[1]};
}

RECT ParseSkinRect(std::string_view text) {
  const auto v = ParseSkinFields<4>(text);
  return RECT{v[0], v[1], v[2], v[3]};
}

std::string SkinPointToString(POINT point) { return IntToStr(point.X) + "," + IntToStr(point.Y); }

std::string SkinRectToString(const RECT& rect) {
  return IntToStr(rect.Left) + "," + IntToStr(rect.Top) + "," + IntToStr(rect.Right) + "," + IntToStr(rect.Bottom);
}

TFontStyles ParseSkinFontStyles(std::string_view text) {
  TFontStyles styles;
  for (std::size_t i = 0; i < kFontStyles.size(); ++i) {
    if (text.find(kFontStyles[i]) != std::string_view::npos) styles.Include(static_cast<TFontStyle>(i));
  }
  return styles;
}

std::string SkinFontStylesToString(TFontStyles styles) {
  std::string text;
  for (std::size_t i = 0; i < kFontStyles.size(); ++i) {
    if (!styles.Contains(static_cast<TFontStyle>(i))) continue;
    if (!text.empty()) text += ',';
    text += kFontStyles[i];
  }
  return text;
}

TAlignment ParseSkinAlignment(std::string_view text) {
  // Only the left and centre keywords are looked for; everything else is right.
  if (text == kAlignments[taLeftJustify]) return taLeftJustify;
  if (text == kAlignments[taCenter]) return taCenter;
  return taRightJustify;
}

TbsMorphKind ParseSkinMorphKind(std::string_view text) { return ParseKeyword(text, kMorphKinds, mkDefault); }

TbsStdCommand ParseSkinCommand(std::string_view text) { return ParseKeyword(text, kCommands, cmMinimizeToTray); }

TbsInactiveEffect ParseSkinInactiveEffect(std::string_view text) {
  return ParseKeyword(text, kInactiveEffects, ieGrayScale);
}

std::string SkinAlignmentName(TAlignment value) { return KeywordName(value, kAlignments); }
std::string SkinMorphKindName(TbsMorphKind value) { return KeywordName(value, kMorphKinds); }
std::string SkinCommandName(TbsStdCommand value) { return KeywordName(value, kCommands); }
std::string SkinInactiveEffectName(TbsInactiveEffect value) { return KeywordName(value, kInactiveEffects); }

void ReadSkinStrings(const TCustomIniFile& ini, std::string_view section, std::string_view name, TStrings& list) {
  const int32_t count = ini.ReadInteger(section, std::string(name) + "count", 0);
  if (count > bsMaxSkinListCount)
    throw EbsSkinDataError(Format("Skin description: %.*scount %d in [%.*s] is too large",
                                  static_cast<int>(name.size()), name.data(), count, static_cast<int>(section.size()),
                                  section.data()));
  TStringsUpdate update(list);
  list.Clear();
  const int64_t present = std::min<int64_t>(count, EntryLimit(ini, section));
  for (int32_t i = 0; i < count; ++i) list.Add(i < present ? ini.ReadString(section, IntToStr(i), "") : std::string());
}

TbsSkinRegistryEntry SplitSkinRegistryEntry(std::string_view entry) {
  const std::size_t colon = entry.find(':');
  if (colon == std::string_view::npos) return {};
  return {std::string(entry.substr(0, colon)), std::string(entry.substr(colon + 1))};
}

std::vector<TbsSkinRegistryEntry> ReadSkinRegistry(const TCustomIniFile& ini, std::string_view section) {
  const int64_t count = std::min<int64_t>(ini.ReadInteger(section, "count", 0), EntryLimit(ini, section));
  std::vector<TbsSkinRegistryEntry> entries;
  for (int64_t i = 0; i < count; ++i) {
    TbsSkinRegistryEntry entry = SplitSkinRegistryEntry(ini.ReadString(section, IntToStr(i), ""));
    if (!entry.Kind.empty() || !entry.Name.empty()) entries.push_back(std::move(entry));
  }
  return entries;
}

// --- TbsSkinKeys -----------------------------------------------------------

std::string TbsSkinKeys::ReadText(std::string_view key, const std::string& fallback) const {
  return FReader->ReadString(FSection, key, fallback);
}

void TbsSkinKeys::WriteText(std::string_view key, const std::string& text) {
  FWriter->WriteString(FSection, key, text);
}

void TbsSkinKeys::Integer(std::string_view key, int32_t& value, int32_t fallback) {
  if (Reading())
    value = FReader->ReadInteger(FSection, key, fallback);
  else
    WriteText(key, IntToStr(value));
}

void TbsSkinKeys::Boolean(std::string_view key, bool& value) {
  if (Reading())
    value = FReader->ReadInteger(FSection, key, 0) == 1;
  else
    WriteText(key, value ? "1" : "0");
}

void TbsSkinKeys::Point(std::string_view key, POINT& value) {
  if (Reading())
    value = ParseSkinPoint(ReadText(key, "0,0"));
  else
    WriteText(key, SkinPointToString(value));
}

void TbsSkinKeys::Rect(std::string_view key, RECT& value) {
  if (Reading())
    value = ParseSkinRect(ReadText(key, "0,0,0,0"));
  else
    WriteText(key, SkinRectToString(value));
}

void TbsSkinKeys::String(std::string_view key, std::string& value, const std::string& fallback) {
  if (Reading())
    value = ReadText(key, fallback);
  else
    WriteText(key, value);
}

void TbsSkinKeys::FontStyles(std::string_view key, TFontStyles& value) {
  if (Reading())
    value = ParseSkinFontStyles(ReadText(key, ""));
  else
    WriteText(key, SkinFontStylesToString(value));
}

void TbsSkinKeys::Alignment(std::string_view key, TAlignment& value) {
  if (Reading())
    value = ParseSkinAlignment(ReadText(key, kAlignments[taCenter]));
  else
    WriteText(key, SkinAlignmentName(value));
}

void TbsSkinKeys::MorphKind(std::string_view key, TbsMorphKind& value) {
  if (Reading())
    value = ParseSkinMorphKind(ReadText(key, kMorphKinds[mkDefault]));
  else
    WriteText(key, SkinMorphKindName(value));
}

void TbsSkinKeys::Command(std::string_view key, TbsStdCommand& value) {
  if (Reading())
    value = ParseSkinCommand(ReadText(key, kCommands[cmDefault]));
  else
    WriteText(key, SkinCommandName(value));
}

void TbsSkinKeys::InactiveEffect(std::string_view key, TbsInactiveEffect& value) {
  if (Reading())
    value = ParseSkinInactiveEffect(ReadText(key, kInactiveEffects[ieBrightness]));
  else
    WriteText(key, SkinInactiveEffectName(value));
}

void TbsSkinKeys::Charset(std::string_view key, TFontCharset& value) {
  if (Reading())
    value = static_cast<TFontCharset>(FReader->ReadInteger(FSection, key, value));
  else
    WriteText(key, IntToStr(value));
}

void TbsSkinKeys::Font(std::string_view prefix, std::string& name, int32_t& height, TFontStyles& style, TColor& color) {
  const std::string p(prefix);
  String(p + "name", name, bsDefaultFontName);
  Integer(p + "height", height, bsDefaultFontHeight);
  FontStyles(p + "style", style);
  Color(p + "color", color);
}

void TbsSkinKeys::CharsetFont(std::string_view prefix, std::string_view charsetKey, std::string& name,
                              TFontCharset& charset, int32_t& height, TFontStyles& style, TColor& color) {
  const std::string p(prefix);
  String(p + "name", name, bsDefaultFontName);
  Charset(charsetKey, charset);
  Integer(p + "height", height, bsDefaultFontHeight);
  FontStyles(p + "style", style);
  Color(p + "color", color);
}

void TbsSkinSectionRecord::ReadFromIni(const TCustomIniFile& ini) {
  TbsSkinKeys keys = TbsSkinKeys::Reader(ini, SectionName());
  ExchangeKeys(keys);
}

void TbsSkinSectionRecord::WriteToIni(TCustomIniFile& ini) const {
  const std::string section = SectionName();
  ini.EraseSection(section);
  TbsSkinKeys keys = TbsSkinKeys::Writer(ini, section);
  // Writing only reads the fields.
  const_cast<TbsSkinSectionRecord*>(this)->ExchangeKeys(keys);
}

}  // namespace kora
