// Text helpers: wide text, measuring, ellipsis and the two item layouts.

#include "platform/text/Text.h"
#include "platform/text/Utf8.h"
#include "skin/data/bsUtils.h"

namespace kora {

namespace {

const std::string kEllipsis = "...";

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const std::u16string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((char32_t(text[i]) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      c = kReplacementChar;
    }
    AppendUtf8(out, c);
  }
  return out;
}

// Removes the last character, not just its last byte or code unit.
void DropLastCharacter(std::string& text) {
  if (text.empty()) return;
  std::size_t n = text.size() - 1;
  while (n > 0 && (uint8_t(text[n]) & 0xC0) == 0x80) --n;
  text.resize(n);
}

void DropLastCharacter(std::u16string& text) {
  const std::size_t n = text.size();
  if (n >= 2 && IsLowSurrogate(text[n - 1]) && IsHighSurrogate(text[n - 2]))
    text.resize(n - 2);
  else
    text.pop_back();
}

// Shortens text until it fits with the ellipsis, then appends it.
template <class Text, class Measure>
void Ellipsize(Text& text, const Text& ellipsis, int width, Measure measure) {
  if (measure(text) <= width) return;
  do DropLastCharacter(text);
  while (!text.empty() && measure(text + ellipsis) > width);
  text += ellipsis;
}

RECT MeasureRect(TCanvas* canvas, const std::u16string& text) {
  RECT r{0, 0, 0, 0};
  DrawText(canvas->Handle(), std::string_view(Utf16ToUtf8(text)), &r, DT_CALCRECT);
  return r;
}

}  // namespace

int DrawWideText(TCanvas* canvas, const std::u16string& text, RECT& rect, uint32_t format) {
  return DrawText(canvas->Handle(), std::string_view(Utf16ToUtf8(text)), &rect, format);
}

int MeasureWideTextWidth(TCanvas* canvas, const std::u16string& text) { return MeasureRect(canvas, text).Right; }

int MeasureWideTextHeight(TCanvas* canvas, const std::u16string& text) { return MeasureRect(canvas, text).Bottom; }

void EllipsizeText(TCanvas* canvas, std::string& text, int width) {
  Ellipsize(text, kEllipsis, width, [canvas](const std::string& t) { return canvas->TextWidth(t); });
}

void EllipsizeWideText(TCanvas* canvas, std::u16string& text, int width) {
  Ellipsize(text, std::u16string(u"..."), width,
            [canvas](const std::u16string& t) { return MeasureWideTextWidth(canvas, t); });
}

void DrawSingleLineText(TCanvas* canvas, const std::string& text, const RECT& rect) {
  if (text.empty()) return;
  RECT r = rect;
  DrawText(canvas->Handle(), std::string_view(text), &r, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
}

void DrawItemText(TCanvas* canvas, const std::string& text, const RECT& rect) { DrawItemText(canvas, text, rect, 0); }

void DrawItemText(TCanvas* canvas, const std::string& text, const RECT& rect, int offset) {
  if (text.empty()) return;
  const int y = rect.Top + HeightOf(rect) / 2 - canvas->TextHeight(text) / 2;
  canvas->TextRect(rect, rect.Left + 2 + offset, y, text);
}

}  // namespace kora
