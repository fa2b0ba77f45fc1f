#pragma once
// Value formats of a skin description (skin.ini): points, rectangles,
// booleans, font styles, keywords, counted lists and registry entries, and
// TbsSkinKeys, through which a record reads or writes its section.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/controls/Alignment.h"
#include "framework/core/IniFiles.h"
#include "framework/graphics/Graphics.h"
#include "platform/gdi/Geometry.h"

namespace kora {

// Ordinals as the skin keywords "mkdefault" .. "mkpush".
enum TbsMorphKind : uint8_t {
  mkDefault,
  mkGradient,
  mkLeftGradient,
  mkRightGradient,
  mkLeftSlide,
  mkRightSlide,
  mkPush
};
// Caption-button commands, "cmclose" .. "cmminimizetotray".
enum TbsStdCommand : uint8_t { cmClose, cmMaximize, cmMinimize, cmSysMenu, cmDefault, cmRollUp, cmMinimizeToTray };
// Looks of an inactive form, "iebrightness" .. "ieinvert".
enum TbsInactiveEffect : uint8_t { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };

// Fonts of the skin records start out as this face and height; their
// character set as GB2312, the skin's texts being Chinese.
inline const std::string bsDefaultFontName = "宋体";
constexpr int32_t bsDefaultFontHeight = 14;
constexpr TFontCharset bsDefaultFontCharset = 134;

// A skin whose description or archive asks for more than we will hold.
class EbsSkinDataError : public Exception {
public:
  using Exception::Exception;
};

// "x,y" and "l,t,r,b": only digits and commas count, so no coordinate is
// negative ("-3,4" is (3, 4)); fields beyond two or four are ignored. A
// field left empty raises EConvertError "'' is not a valid integer value".
POINT ParseSkinPoint(std::string_view text);
RECT ParseSkinRect(std::string_view text);
std::string SkinPointToString(POINT point);
std::string SkinRectToString(const RECT& rect);

// Substring tests for "fsbold", "fsitalic", "fsunderline", "fsstrikeout";
// written back as the present names joined by ",".
TFontStyles ParseSkinFontStyles(std::string_view text);
std::string SkinFontStylesToString(TFontStyles styles);

// Keywords match exactly, case included; anything else takes the fallback
// of its kind: right alignment, mkDefault, cmMinimizeToTray, ieGrayScale.
TAlignment ParseSkinAlignment(std::string_view text);
TbsMorphKind ParseSkinMorphKind(std::string_view text);
TbsStdCommand ParseSkinCommand(std::string_view text);
TbsInactiveEffect ParseSkinInactiveEffect(std::string_view text);
std::string SkinAlignmentName(TAlignment value);
std::string SkinMorphKindName(TbsMorphKind value);
std::string SkinCommandName(TbsStdCommand value);
std::string SkinInactiveEffectName(TbsInactiveEffect value);

// Counted lists longer than this are refused with EbsSkinDataError.
constexpr int32_t bsMaxSkinListCount = 65536;

// The counted list `name` of a section: NAMEcount entries from the keys
// "0" .. count-1, a missing entry reading as empty.
void ReadSkinStrings(const TCustomIniFile& ini, std::string_view section, std::string_view name, TStrings& list);

// A registry entry "name:kind", split at the first colon; without a colon
// both parts are empty.
struct TbsSkinRegistryEntry {
  std::string Name;
  std::string Kind;
};
TbsSkinRegistryEntry SplitSkinRegistryEntry(std::string_view entry);
// The entries "0" .. count-1 of [SKINOBJECTS] or [SKINCONTROLS], in index
// order; missing and colon-less entries are left out.
std::vector<TbsSkinRegistryEntry> ReadSkinRegistry(const TCustomIniFile& ini, std::string_view section);

// The font of a record: the keys PREFIXname, PREFIXheight, PREFIXstyle and
// PREFIXcolor, and a character set that only some sections set by a key.
struct TbsSkinFontFields {
  std::string FontName = bsDefaultFontName;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0;
  TFontCharset FontCharset = bsDefaultFontCharset;
};

// One record's section, read into the record's fields or written from
// them. A record lists its keys once, in read order, and the same list
// serves both directions. Absent keys read as the given fallback.
class TbsSkinKeys {
public:
  static TbsSkinKeys Reader(const TCustomIniFile& ini, std::string section) {
    return TbsSkinKeys(&ini, nullptr, std::move(section));
  }
  static TbsSkinKeys Writer(TCustomIniFile& ini, std::string section) {
    return TbsSkinKeys(&ini, &ini, std::move(section));
  }

  bool Reading() const { return FWriter == nullptr; }

  void Integer(std::string_view key, int32_t& value, int32_t fallback = 0);
  void Color(std::string_view key, TColor& value, TColor fallback = 0) { Integer(key, value, fallback); }
  // True only for the value 1.
  void Boolean(std::string_view key, bool& value);
  void Point(std::string_view key, POINT& value);
  void Rect(std::string_view key, RECT& value);
  void String(std::string_view key, std::string& value, const std::string& fallback = {});
  void FontStyles(std::string_view key, TFontStyles& value);
  // Absent: taCenter.
  void Alignment(std::string_view key, TAlignment& value);
  // Absent: mkDefault.
  void MorphKind(std::string_view key, TbsMorphKind& value);
  // Absent: cmDefault.
  void Command(std::string_view key, TbsStdCommand& value);
  // Absent: ieBrightness.
  void InactiveEffect(std::string_view key, TbsInactiveEffect& value);
  // Absent: the value as it is.
  void Charset(std::string_view key, TFontCharset& value);
  // The keys PREFIXname, PREFIXheight, PREFIXstyle and PREFIXcolor.
  void Font(std::string_view prefix, std::string& name, int32_t& height, TFontStyles& style, TColor& color);
  void Font(std::string_view prefix, TbsSkinFontFields& font) {
    Font(prefix, font.FontName, font.FontHeight, font.FontStyle, font.FontColor);
  }
  // The edits' order: PREFIXname, then the character set under charsetKey,
  // then PREFIXheight, PREFIXstyle and PREFIXcolor.
  void CharsetFont(std::string_view prefix, std::string_view charsetKey, std::string& name, TFontCharset& charset,
                   int32_t& height, TFontStyles& style, TColor& color);
  void CharsetFont(TbsSkinFontFields& font) {
    CharsetFont("font", "FontCharset", font.FontName, font.FontCharset, font.FontHeight, font.FontStyle,
                font.FontColor);
  }

private:
  TbsSkinKeys(const TCustomIniFile* reader, TCustomIniFile* writer, std::string section)
      : FReader(reader), FWriter(writer), FSection(std::move(section)) {}
  std::string ReadText(std::string_view key, const std::string& fallback) const;
  void WriteText(std::string_view key, const std::string& text);

  const TCustomIniFile* FReader;
  TCustomIniFile* FWriter;
  std::string FSection;
};

// A record of one section. It lists its keys once, in read order, in
// ExchangeKeys (each class after calling the inherited one), and the same
// list reads the section and writes it back.
class TbsSkinSectionRecord {
public:
  virtual ~TbsSkinSectionRecord() = default;

  void ReadFromIni(const TCustomIniFile& ini);
  // Replaces the section by every key in read order, so it holds exactly the
  // record's keys.
  void WriteToIni(TCustomIniFile& ini) const;

protected:
  virtual std::string SectionName() const = 0;
  virtual void ExchangeKeys(TbsSkinKeys& keys) = 0;
};

}  // namespace kora

// The head of a record class derived from Parent: its class information,
// Parent's constructor and its key list.
#define KORA_SKIN_RECORD(Name, Parent)                   \
  KORA_CLASS(Name, Parent)                               \
  using Parent::Parent;                                  \
                                                         \
protected:                                               \
  void ExchangeKeys(::kora::TbsSkinKeys& keys) override; \
                                                         \
public:

// Defines StaticClass() of a skin record class, which publishes nothing;
// the record units include framework/core/ClassBuilder.h for it.
#define KORA_SKIN_RECORD_CLASS(Name)                                          \
  ::kora::TClass Name::StaticClass() {                                        \
    static const ::kora::TClassInfo info(::kora::TClassBuilder<Name>(#Name)); \
    return &info;                                                             \
  }
