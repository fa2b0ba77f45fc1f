// Colours, fonts, pens and brushes.

#include <cstdlib>
#include <utility>

#include "framework/core/ClassBuilder.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Graphics_Internal.h"

namespace kora {

namespace {

// a * b / c rounded half away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  int64_t quotient = product / c;
  const int64_t remainder = product % c;
  if (2 * std::llabs(remainder) >= std::llabs(c)) quotient += ((product < 0) != (c < 0)) ? -1 : 1;
  return static_cast<int>(quotient);
}

}  // namespace

void graphics_detail::ReleaseGdiObject(HGDIOBJ object) {
  // Objects a device context held at their last try wait here.
  static std::vector<HGDIOBJ> pending;
  std::erase_if(pending, [](HGDIOBJ o) { return GetObjectType(o) == 0 || DeleteObject(o); });
  if (object && GetObjectType(object) != 0 && !DeleteObject(object)) pending.push_back(object);
}

using graphics_detail::ReleaseGdiObject;

TColor ColorToRGB(TColor color) {
  if (IsSystemColor(static_cast<COLORREF>(color))) return static_cast<TColor>(GetSysColor(color & 0xFF));
  return color;
}

COLORREF ColorToColorRef(TColor color) {
  if (color == clDefault) return RGB(0, 0, 0);
  return static_cast<COLORREF>(ColorToRGB(color)) & 0x00FFFFFF;
}

// ---- TGraphicsObject ---------------------------------------------------------

TClass TGraphicsObject::StaticClass() {
  static const TClassInfo info(TClassBuilder<TGraphicsObject>("TGraphicsObject"));
  return &info;
}

TGraphicsObject::~TGraphicsObject() {
  if (FHandle) ReleaseGdiObject(FHandle);
}

HGDIOBJ TGraphicsObject::GetHandle() const {
  if (!FHandle) {
    FHandle = CreateHandle();
    if (!FHandle) throw EOutOfResources("Out of system resources");
  }
  return FHandle;
}

void TGraphicsObject::Changed(bool handleStale) {
  const HGDIOBJ old = handleStale ? std::exchange(FHandle, HGDIOBJ()) : HGDIOBJ();
  OnChange(this);
  if (old) ReleaseGdiObject(old);
}

// ---- TFont -------------------------------------------------------------------

const TTypeInfo* TypeInfoOf(TFontStyle) {
  static const TTypeInfo info = EnumTypeInfo("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
  return &info;
}

const TTypeInfo* TypeInfoOf(TFontStyles) {
  static const TTypeInfo info = SetTypeInfo("TFontStyles", TypeInfoOf(TFontStyle{}));
  return &info;
}

const TTypeInfo* TypeInfoOf(TFontPitch) {
  static const TTypeInfo info = EnumTypeInfo("TFontPitch", {"fpDefault", "fpVariable", "fpFixed"});
  return &info;
}

const TTypeInfo* TypeInfoFontCharset() {
  static const TTypeInfo info = IntegerTypeInfo("TFontCharset", {{"ANSI_CHARSET", 0},
                                                                 {"DEFAULT_CHARSET", 1},
                                                                 {"SYMBOL_CHARSET", 2},
                                                                 {"MAC_CHARSET", 77},
                                                                 {"SHIFTJIS_CHARSET", 128},
                                                                 {"HANGEUL_CHARSET", 129},
                                                                 {"JOHAB_CHARSET", 130},
                                                                 {"GB2312_CHARSET", 134},
                                                                 {"CHINESEBIG5_CHARSET", 136},
                                                                 {"GREEK_CHARSET", 161},
                                                                 {"TURKISH_CHARSET", 162},
                                                                 {"VIETNAMESE_CHARSET", 163},
                                                                 {"HEBREW_CHARSET", 177},
                                                                 {"ARABIC_CHARSET", 178},
                                                                 {"BALTIC_CHARSET", 186},
                                                                 {"RUSSIAN_CHARSET", 204},
                                                                 {"THAI_CHARSET", 222},
                                                                 {"EASTEUROPE_CHARSET", 238},
                                                                 {"OEM_CHARSET", 255}});
  return &info;
}

TClass TFont::StaticClass() {
  static const TClassInfo info(TClassBuilder<TFont>("TFont")
                                   .Property("Charset", &TFont::Charset, &TFont::SetCharset, TypeInfoFontCharset())
                                   .Property("Color", &TFont::Color, &TFont::SetColor, TypeInfoColor())
                                   .Property("Height", &TFont::Height, &TFont::SetHeight)
                                   .Property("Name", &TFont::Name, &TFont::SetName)
                                   .Property("Pitch", &TFont::Pitch, &TFont::SetPitch)
                                   .Default(fpDefault)
                                   .Property("Size", &TFont::Size, &TFont::SetSize)
                                   .Stored(false)
                                   .Property("Style", &TFont::Style, &TFont::SetStyle));
  return &info;
}

void TFont::Assign(const TPersistent* source) {
  const auto* font = dynamic_cast<const TFont*>(source);
  if (!font) return TPersistent::Assign(source);
  if (font == this) return;
  FName = font->FName;
  FHeight = font->FHeight;
  FStyle = font->FStyle;
  FPitch = font->FPitch;
  FCharset = font->FCharset;
  FColor = font->FColor;
  Changed();
}

void TFont::SetName(const std::string& value) {
  if (value.empty() || value == FName) return;
  FName = value;
  Changed();
}

void TFont::SetHeight(int32_t value) {
  if (value == FHeight) return;
  FHeight = value;
  Changed();
}

int32_t TFont::Size() const { return -MulDiv(FHeight, 72, kFontPixelsPerInch); }

void TFont::SetSize(int32_t value) { SetHeight(-MulDiv(value, kFontPixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles value) {
  if (value == FStyle) return;
  FStyle = value;
  Changed();
}

void TFont::SetPitch(TFontPitch value) {
  if (value == FPitch) return;
  FPitch = value;
  Changed();
}

void TFont::SetCharset(TFontCharset value) {
  if (value == FCharset) return;
  FCharset = value;
  Changed();
}

void TFont::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  Changed(false);
}

HGDIOBJ TFont::CreateHandle() const {
  LOGFONT font;
  font.lfHeight = FHeight;
  font.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  font.lfItalic = FStyle.Contains(fsItalic);
  font.lfUnderline = FStyle.Contains(fsUnderline);
  font.lfStrikeOut = FStyle.Contains(fsStrikeOut);
  font.lfCharSet = FCharset;
  font.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  font.lfFaceName = FName;
  return CreateFontIndirect(&font);
}

// ---- TPen --------------------------------------------------------------------

const TTypeInfo* TypeInfoOf(TPenStyle) {
  static const TTypeInfo info = EnumTypeInfo(
      "TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"});
  return &info;
}

const TTypeInfo* TypeInfoOf(TPenMode) {
  static const TTypeInfo info = EnumTypeInfo(
      "TPenMode", {"pmBlack", "pmNotMerge", "pmMaskNotPen", "pmNotCopy", "pmMaskPenNot", "pmNot", "pmXor", "pmNotMask",
                   "pmMask", "pmNotXor", "pmNop", "pmMergeNotPen", "pmCopy", "pmMergePenNot", "pmMerge", "pmWhite"});
  return &info;
}

TClass TPen::StaticClass() {
  static const TClassInfo info(TClassBuilder<TPen>("TPen")
                                   .Property("Color", &TPen::Color, &TPen::SetColor, TypeInfoColor())
                                   .Default(clBlack)
                                   .Property("Mode", &TPen::Mode, &TPen::SetMode)
                                   .Default(pmCopy)
                                   .Property("Style", &TPen::Style, &TPen::SetStyle)
                                   .Default(psSolid)
                                   .Property("Width", &TPen::Width, &TPen::SetWidth)
                                   .Default(1));
  return &info;
}

void TPen::Assign(const TPersistent* source) {
  const auto* pen = dynamic_cast<const TPen*>(source);
  if (!pen) return TPersistent::Assign(source);
  if (pen == this) return;
  FColor = pen->FColor;
  FWidth = pen->FWidth;
  FStyle = pen->FStyle;
  FMode = pen->FMode;
  Changed();
}

void TPen::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  Changed();
}

void TPen::SetWidth(int32_t value) {
  if (value < 0 || value == FWidth) return;
  FWidth = value;
  Changed();
}

void TPen::SetStyle(TPenStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  Changed();
}

void TPen::SetMode(TPenMode value) {
  if (value == FMode) return;
  FMode = value;
  Changed(false);
}

HGDIOBJ TPen::CreateHandle() const { return CreatePen(FStyle, FWidth, ColorToColorRef(FColor)); }

// ---- TBrush ------------------------------------------------------------------

const TTypeInfo* TypeInfoOf(TBrushStyle) {
  static const TTypeInfo info = EnumTypeInfo("TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical",
                                                             "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"});
  return &info;
}

TClass TBrush::StaticClass() {
  static const TClassInfo info(TClassBuilder<TBrush>("TBrush")
                                   .Property("Color", &TBrush::Color, &TBrush::SetColor, TypeInfoColor())
                                   .Default(clWhite)
                                   .Property("Style", &TBrush::Style, &TBrush::SetStyle)
                                   .Default(bsSolid));
  return &info;
}

void TBrush::Assign(const TPersistent* source) {
  const auto* brush = dynamic_cast<const TBrush*>(source);
  if (!brush) return TPersistent::Assign(source);
  if (brush == this) return;
  FColor = brush->FColor;
  FStyle = brush->FStyle;
  Changed();
}

void TBrush::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  Changed();
}

HGDIOBJ TBrush::CreateHandle() const {
  if (FStyle == bsClear) return GetStockObject(NULL_BRUSH);
  return CreateSolidBrush(ColorToColorRef(FColor));
}

}  // namespace kora
