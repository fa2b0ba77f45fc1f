#include "platform/text/Text.h"

#include "platform/gdi/GdiInternal.h"
#include "platform/text/FontObject.h"
#include "platform/text/TextLayout.h"
#include "platform/text/Utf8.h"

#include <optional>

namespace kora {

namespace {

// Draws one line of placed characters whose cell's top-left is (x, y), with
// the font's own underline and strike-out.
void PaintLine(HDC dc, FontInstance& font, COLORREF color, int x, int y, const std::vector<PlacedChar>& chars,
               int width) {
  const int baseline = y + font.Metrics().tmAscent;
  for (const PlacedChar& placed : chars) {
    const GlyphImage& g = font.Glyph(placed.Char);
    if (g.Width == 0 || g.Height == 0) continue;
    const GlyphMask mask{g.Coverage.data(), g.Width, g.Height, g.Width, false};
    BlendGlyphMask(dc, x + placed.X + g.Left, baseline - g.Top, mask, color);
  }
  const LOGFONT& lf = font.LogFont();
  for (const auto& [wanted, band] :
       {std::pair{lf.lfUnderline != 0, font.Underline()}, std::pair{lf.lfStrikeOut != 0, font.StrikeOut()}})
    if (wanted && width > 0) FillSolidRect(dc, {x, y + band.Top, x + width, y + band.Top + band.Height}, color);
}

// SaveDC and a clip to rect for the life of the object, when asked for.
class OptionalClip {
public:
  OptionalClip(HDC dc, const RECT* rect) {
    if (!rect) return;
    FSaved.emplace(dc);
    IntersectClipRect(dc, rect->Left, rect->Top, rect->Right, rect->Bottom);
  }

private:
  std::optional<ScopedSaveDC> FSaved;
};

int DrawTextUtf8(HDC dc, std::string_view text, RECT* rect, uint32_t format, std::string* modify) {
  FontInstance* font = SelectedFont(dc);
  if (!font || !rect) return 0;
  TextLayoutResult layout = LayoutText(*font, Utf8ToUtf32(text), *rect, format);
  if (modify && layout.Modified) *modify = Utf32ToUtf8(*layout.Modified);
  if (format & DT_CALCRECT) {
    *rect = layout.Bounds;
    return layout.Result;
  }
  OptionalClip clip(dc, layout.ClipToRect ? rect : nullptr);
  const COLORREF color = ColorToRGB(GetTextColor(dc));
  if (GetBkMode(dc) == OPAQUE) {
    const COLORREF back = ColorToRGB(GetBkColor(dc));
    for (const LaidLine& line : layout.Lines)
      FillSolidRect(dc, {line.X, line.Y, line.X + line.Width, line.Y + layout.LineHeight}, back);
  }
  const CellBand underline = font->Underline();
  for (const LaidLine& line : layout.Lines) {
    if (layout.DrawGlyphs) PaintLine(dc, *font, color, line.X, line.Y, line.Chars, line.Width);
    if (layout.DrawPrefix && line.PrefixRight > line.PrefixLeft)
      FillSolidRect(dc,
                    {line.X + line.PrefixLeft, line.Y + underline.Top, line.X + line.PrefixRight,
                     line.Y + underline.Top + underline.Height},
                    color);
  }
  return layout.Result;
}

}  // namespace

bool ExtTextOut(HDC dc, int x, int y, uint32_t options, const RECT* rect, std::string_view text, const int* dx) {
  FontInstance* font = SelectedFont(dc);
  if (!font) return false;
  std::vector<PlacedChar> chars;
  int width = 0;
  for (size_t pos = 0; pos < text.size();) {
    const char32_t c = DecodeUtf8(text, pos);
    chars.push_back({c, width});
    width += dx ? dx[chars.size() - 1] : font->Advance(c);
  }

  const TEXTMETRIC& tm = font->Metrics();
  const uint32_t align = GetTextAlign(dc);
  if (align & TA_UPDATECP) {
    POINT current;
    GetCurrentPositionEx(dc, &current);
    x = current.X;
    y = current.Y;
  }
  int left = x;
  if ((align & TA_CENTER) == TA_CENTER)
    left = x - width / 2;
  else if (align & TA_RIGHT)
    left = x - width;
  int top = y;
  if ((align & TA_BASELINE) == TA_BASELINE)
    top = y - tm.tmAscent;
  else if (align & TA_BOTTOM)
    top = y - tm.tmHeight;
  if (align & TA_UPDATECP) {
    const int next = (align & TA_CENTER) == TA_CENTER ? x : (align & TA_RIGHT) ? x - width : x + width;
    MoveToEx(dc, next, y, nullptr);
  }

  const COLORREF back = ColorToRGB(GetBkColor(dc));
  if ((options & ETO_OPAQUE) && rect) FillSolidRect(dc, *rect, back);
  OptionalClip clip(dc, (options & ETO_CLIPPED) ? rect : nullptr);
  if (chars.empty()) return true;
  if (GetBkMode(dc) == OPAQUE) FillSolidRect(dc, {left, top, left + width, top + tm.tmHeight}, back);
  PaintLine(dc, *font, ColorToRGB(GetTextColor(dc)), left, top, chars, width);
  return true;
}

bool TextOut(HDC dc, int x, int y, std::string_view text) { return ExtTextOut(dc, x, y, 0, nullptr, text); }

int DrawText(HDC dc, std::string_view text, RECT* rect, uint32_t format) {
  return DrawTextUtf8(dc, text, rect, format, nullptr);
}

int DrawText(HDC dc, std::string& text, RECT* rect, uint32_t format) {
  return DrawTextUtf8(dc, text, rect, format, (format & DT_MODIFYSTRING) ? &text : nullptr);
}

}  // namespace kora
