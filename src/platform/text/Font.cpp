#include "platform/text/Font.h"

#include "platform/text/FontObject.h"
#include "platform/text/Utf8.h"

namespace kora {

namespace {

LOGFONT StockLogFont(int32_t height, uint8_t charSet, const char* face) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = charSet;
  lf.lfFaceName = face;
  return lf;
}

FontInstance* FontInstanceOf(HFONT font) {
  auto* object = LookupGdiObject<FontObject>(font);
  return object ? &object->Instance() : nullptr;
}

}  // namespace

// So GetStockObject hands out the fonts before any text call was made.
static const bool kStockFontsAtStart = (RegisterStockFonts(), true);

FontInstance& FontObject::Instance() {
  if (!FInstance) FInstance = RealizeFont(FLogFont);
  return *FInstance;
}

void RegisterStockFonts() {
  static const bool done = [] {
    // The program's own UI face for the system fonts, as on the Chinese
    // systems it was made for; a Latin sans and a monospace for the rest.
    const LOGFONT system = StockLogFont(-12, GB2312_CHARSET, "宋体");
    const LOGFONT variable = StockLogFont(-11, ANSI_CHARSET, "MS Sans Serif");
    const LOGFONT fixed = StockLogFont(-12, ANSI_CHARSET, "Courier New");
    const std::pair<int, LOGFONT> stock[] = {
        {SYSTEM_FONT, system},    {DEVICE_DEFAULT_FONT, system}, {DEFAULT_GUI_FONT, system}, {ANSI_VAR_FONT, variable},
        {ANSI_FIXED_FONT, fixed}, {OEM_FIXED_FONT, fixed},       {SYSTEM_FIXED_FONT, fixed},
    };
    for (const auto& [index, lf] : stock)
      RegisterStockObject(index, HGDIOBJ(RegisterGdiObject(std::make_unique<FontObject>(lf))));
    return true;
  }();
  (void)done;
}

FontInstance* SelectedFont(HDC dc) {
  RegisterStockFonts();
  if (GetBkMode(dc) == 0) return nullptr;  // not a DC
  if (FontInstance* font = FontInstanceOf(HFONT(GetCurrentObject(dc, OBJ_FONT)))) return font;
  return FontInstanceOf(HFONT(GetStockObject(SYSTEM_FONT)));
}

HFONT CreateFontIndirect(const LOGFONT* logFont) {
  if (!logFont) return HFONT();
  RegisterStockFonts();
  return HFONT(HGDIOBJ(RegisterGdiObject(std::make_unique<FontObject>(*logFont))));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, uint32_t italic,
                 uint32_t underline, uint32_t strikeOut, uint32_t charSet, uint32_t outPrecision,
                 uint32_t clipPrecision, uint32_t quality, uint32_t pitchAndFamily, std::string_view faceName) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = static_cast<uint8_t>(italic);
  lf.lfUnderline = static_cast<uint8_t>(underline);
  lf.lfStrikeOut = static_cast<uint8_t>(strikeOut);
  lf.lfCharSet = static_cast<uint8_t>(charSet);
  lf.lfOutPrecision = static_cast<uint8_t>(outPrecision);
  lf.lfClipPrecision = static_cast<uint8_t>(clipPrecision);
  lf.lfQuality = static_cast<uint8_t>(quality);
  lf.lfPitchAndFamily = static_cast<uint8_t>(pitchAndFamily);
  lf.lfFaceName = faceName;
  return CreateFontIndirect(&lf);
}

int GetObject(HFONT font, LOGFONT* out) {
  RegisterStockFonts();
  auto* object = LookupGdiObject<FontObject>(font);
  if (!object || !out) return 0;
  *out = object->LogFont();
  return static_cast<int>(sizeof(LOGFONT));
}

bool GetTextMetrics(HDC dc, TEXTMETRIC* out) {
  FontInstance* font = SelectedFont(dc);
  if (!font || !out) return false;
  *out = font->Metrics();
  return true;
}

bool GetTextExtentExPoint(HDC dc, std::string_view text, int maxExtent, int* fit, std::vector<int>* partialExtents,
                          SIZE* size) {
  FontInstance* font = SelectedFont(dc);
  if (!font) return false;
  if (partialExtents) partialExtents->clear();
  int x = 0;
  int count = 0;
  int fitting = 0;
  for (size_t pos = 0; pos < text.size();) {
    x += font->Advance(DecodeUtf8(text, pos));
    ++count;
    if (x <= maxExtent)  // advances are never negative, so this is a prefix
      fitting = count;
    if (partialExtents) partialExtents->push_back(x);
  }
  if (fit) *fit = fitting;
  if (size) *size = {x, font->Metrics().tmHeight};
  return true;
}

bool GetTextExtentPoint32(HDC dc, std::string_view text, SIZE* size) {
  return size && GetTextExtentExPoint(dc, text, 0, nullptr, nullptr, size);
}

bool GetCharWidth32(HDC dc, char32_t first, char32_t last, int* widths) {
  FontInstance* font = SelectedFont(dc);
  if (!font || !widths || last < first) return false;
  for (char32_t c = first; c <= last; ++c) widths[c - first] = font->Advance(c);
  return true;
}

}  // namespace kora
