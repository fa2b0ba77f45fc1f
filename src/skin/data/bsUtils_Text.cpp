// Text helpers: wide text, measuring, ellipsis and the two item layouts.

#include "platform/text/Text.h"
#include "platform/text/Utf8.h"
#include "skin/data/bsUtils.h"

namespace kora {

namespace {

const std::string kEllipsis = "...";

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Unpaired surrogates become U+FFFD. lengths, when given, receives for
// each i that ends a character the UTF-8 length of the first i code units.
std::string Utf16ToUtf8(const std::u16string& text, std::vector<std::size_t>* lengths = nullptr) {
  std::string out;
  out.reserve(text.size());
  if (lengths) lengths->assign(text.size() + 1, 0);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((char32_t(text[i]) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      c = kReplacementChar;
    }
    AppendUtf8(out, c);
    if (lengths) (*lengths)[i + 1] = out.size();
  }
  return out;
}

// The lengths the text takes as its last character is removed again and
// again, longest first, down to but without 0: whole characters only, never
// just a byte of one or half of a surrogate pair.
std::vector<std::size_t> CharacterCuts(const std::string& text) {
  std::vector<std::size_t> cuts;
  for (std::size_t n = text.size(); n > 0;) {
    --n;
    while (n > 0 && (uint8_t(text[n]) & 0xC0) == 0x80) --n;
    if (n > 0) cuts.push_back(n);
  }
  return cuts;
}

std::vector<std::size_t> CharacterCuts(const std::u16string& text) {
  std::vector<std::size_t> cuts;
  for (std::size_t n = text.size(); n > 0;) {
    n -= n >= 2 && IsLowSurrogate(text[n - 1]) && IsHighSurrogate(text[n - 2]) ? 2 : 1;
    if (n > 0) cuts.push_back(n);
  }
  return cuts;
}

// Shortens a text wider than its room to the longest cut for which
// fits(cut) holds (the first cut units with the ellipsis fit), or to
// nothing, and appends the ellipsis. When a longer text is never narrower
// (monotonic), a binary search finds the cut that trying one character
// after the other would; otherwise the cuts are tried from the longest.
template <class Text, class Fits>
void Ellipsize(Text& text, const Text& ellipsis, bool monotonic, Fits fits) {
  const std::vector<std::size_t> cuts = CharacterCuts(text);
  std::size_t first = 0, last = cuts.size();  // the first fitting cut is in [first, last]
  if (monotonic) {
    while (first < last) {
      const std::size_t mid = first + (last - first) / 2;
      if (fits(cuts[mid]))
        last = mid;
      else
        first = mid + 1;
    }
  } else {
    while (first < last && !fits(cuts[first])) ++first;
  }
  text.resize(first < cuts.size() ? cuts[first] : 0);
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
  if (canvas->TextWidth(text) <= width) return;
  // A sum of advances: a longer text is never narrower.
  Ellipsize(text, kEllipsis, true,
            [&](std::size_t cut) { return canvas->TextWidth(text.substr(0, cut) + kEllipsis) <= width; });
}

void EllipsizeWideText(TCanvas* canvas, std::u16string& text, int width) {
  // Converted once: a cut never splits a pair, so the UTF-8 of a cut text
  // is a prefix of the whole text's UTF-8.
  std::vector<std::size_t> lengths;
  const std::string utf8 = Utf16ToUtf8(text, &lengths);
  const HDC dc = canvas->Handle();
  auto measure = [dc](std::string_view t) {
    RECT r{0, 0, 0, 0};
    DrawText(dc, t, &r, DT_CALCRECT);
    return r.Right;
  };
  if (measure(utf8) <= width) return;
  // Measured as lines, the widest wins: a line break can make a longer
  // text narrower, so such texts are searched from the longest cut.
  const bool monotonic = text.find_first_of(u"\r\n") == std::u16string::npos;
  Ellipsize(text, std::u16string(u"..."), monotonic,
            [&](std::size_t cut) { return measure(utf8.substr(0, lengths[cut]) + kEllipsis) <= width; });
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
