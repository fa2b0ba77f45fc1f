#pragma once

// Text drawing with the classic names, through the DC's selected font, text
// colour, background mode and colour, text alignment, origin and clip. Text
// is UTF-8; invalid bytes are drawn as U+FFFD.

#include "platform/text/Font.h"
#include "platform/text/TextFlags.h"

#include <string>
#include <string_view>

namespace kora {

// (x, y) is placed by the DC's text alignment (TA_LEFT/TA_CENTER/TA_RIGHT,
// TA_TOP/TA_BASELINE/TA_BOTTOM, TA_UPDATECP). With an OPAQUE background
// mode the text cell is filled with the background colour first.
bool TextOut(HDC dc, int x, int y, std::string_view text);
// ETO_OPAQUE fills rect with the background colour (also with no text),
// ETO_CLIPPED clips the text to rect. dx, when given, holds one advance per
// character.
bool ExtTextOut(HDC dc, int x, int y, uint32_t options, const RECT* rect, std::string_view text,
                const int* dx = nullptr);
// Formats text in rect with the DT_ flags; returns the text's height (with
// DT_VCENTER or DT_BOTTOM on a single line: from rect's top to the text's
// bottom), 0 on failure or for empty text. DT_CALCRECT only measures and
// sets rect's Right and Bottom.
int DrawText(HDC dc, std::string_view text, RECT* rect, uint32_t format);
// The same; with DT_MODIFYSTRING an ellipsised text is written back.
int DrawText(HDC dc, std::string& text, RECT* rect, uint32_t format);

}  // namespace kora
