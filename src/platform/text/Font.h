#pragma once

// Logical fonts and text measurement with the classic names. Text is UTF-8;
// invalid bytes count as U+FFFD. A DC without a selected font measures with
// the stock SYSTEM_FONT.

#include "platform/gdi/Gdi.h"
#include "platform/text/FontTypes.h"

#include <string_view>
#include <vector>

namespace kora {

// Realisation is deferred to first use, so creating never fails for a
// well-formed description; null only when logFont is null.
HFONT CreateFontIndirect(const LOGFONT* logFont);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, uint32_t italic,
                 uint32_t underline, uint32_t strikeOut, uint32_t charSet, uint32_t outPrecision,
                 uint32_t clipPrecision, uint32_t quality, uint32_t pitchAndFamily, std::string_view faceName);
// Bytes written (sizeof(LOGFONT)), 0 for a bad handle or a null out.
int GetObject(HFONT font, LOGFONT* out);

bool GetTextMetrics(HDC dc, TEXTMETRIC* out);
// Sum of the advances (no kerning, tabs are ordinary characters) by the cell height.
bool GetTextExtentPoint32(HDC dc, std::string_view text, SIZE* size);
// As above; fit receives how many characters fit in maxExtent (when not
// null) and partialExtents the pen position after each character.
bool GetTextExtentExPoint(HDC dc, std::string_view text, int maxExtent, int* fit, std::vector<int>* partialExtents,
                          SIZE* size);
// Advances of the characters first..last into widths[0 .. last - first].
bool GetCharWidth32(HDC dc, char32_t first, char32_t last, int* widths);

}  // namespace kora
