#include "platform/text/TextLayout.h"

#include <algorithm>

namespace kora {

namespace {

constexpr int kDefaultTabChars = 8;

bool IsLineBreak(char32_t c) { return c == U'\r' || c == U'\n'; }

// Ideographs and other full-width characters may be broken between.
bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Punctuation that must not start, or must not end, a wrapped line.
bool IsClosingMark(char32_t c) {
  return std::u32string_view(U"，。、；：？！）》」』】〉”’…,.;:?!)]}").find(c) != std::u32string_view::npos;
}

bool IsOpeningMark(char32_t c) {
  return std::u32string_view(U"（《「『【〈“‘([{").find(c) != std::u32string_view::npos;
}

class Layouter {
public:
  Layouter(FontInstance& font, std::u32string_view text, const RECT& rect, uint32_t format);
  TextLayoutResult Run();

private:
  std::vector<TextCell> MakeCells() const;
  std::vector<std::vector<TextCell>> SplitParagraphs(std::vector<TextCell> cells) const;
  void Wrap(const std::vector<TextCell>& paragraph, std::vector<std::vector<TextCell>>& lines);
  bool CanBreakBefore(const std::vector<TextCell>& p, size_t i, size_t start) const;
  bool Ellipsize(std::vector<TextCell>& line);
  LaidLine Place(const std::vector<TextCell>& line);
  void Rewrite(std::u32string& out, const std::vector<TextCell>& original, const std::vector<TextCell>& shown) const;

  FontInstance& FFont;
  std::u32string_view FText;
  RECT FRect;
  uint32_t FFormat;
  int FWidth;
  TextLineMeasure FMeasure;
};

int TabWidth(FontInstance& font, uint32_t format) {
  if (!(format & DT_EXPANDTABS)) return 0;
  int chars = kDefaultTabChars;
  if (format & DT_TABSTOP) {
    chars = static_cast<int>((format >> 8) & 0xFF);
    if (chars == 0) chars = kDefaultTabChars;
  }
  return chars * font.Metrics().tmAveCharWidth;
}

// With DT_TABSTOP the second byte is the tab size, so it carries no flags.
uint32_t EffectiveFormat(uint32_t format) { return (format & DT_TABSTOP) ? (format & ~0xFF00u) : format; }

Layouter::Layouter(FontInstance& font, std::u32string_view text, const RECT& rect, uint32_t format)
    : FFont(font),
      FText(text),
      FRect(rect),
      FFormat(EffectiveFormat(format)),
      FWidth(rect.Width()),
      FMeasure(font, TabWidth(font, format)) {}

std::vector<TextCell> Layouter::MakeCells() const {
  std::vector<TextCell> cells;
  cells.reserve(FText.size());
  const bool prefixes = !(FFormat & DT_NOPREFIX);
  int underline = -1;
  for (int i = 0; i < static_cast<int>(FText.size()); ++i) {
    const char32_t c = FText[i];
    if (prefixes && c == U'&') {
      if (i + 1 >= static_cast<int>(FText.size())) break;  // a lone "&" at the end shows nothing
      if (FText[i + 1] == U'&') {
        cells.push_back({U'&', i, i + 2, false});
      } else {
        const char32_t next = FText[i + 1];
        if (!IsLineBreak(next)) underline = static_cast<int>(cells.size());
        cells.push_back({next, i, i + 2, false});
      }
      ++i;
      continue;
    }
    cells.push_back({c, i, i + 1, false});
  }
  // When several characters are marked the last one is underlined.
  if (underline >= 0) cells[underline].Prefixed = true;
  return cells;
}

std::vector<std::vector<TextCell>> Layouter::SplitParagraphs(std::vector<TextCell> cells) const {
  std::vector<std::vector<TextCell>> paragraphs;
  if (FFormat & DT_SINGLELINE) {
    std::erase_if(cells, [](const TextCell& cell) { return IsLineBreak(cell.Char); });
    paragraphs.push_back(std::move(cells));
    return paragraphs;
  }
  paragraphs.emplace_back();
  for (size_t i = 0; i < cells.size(); ++i) {
    if (!IsLineBreak(cells[i].Char)) {
      paragraphs.back().push_back(cells[i]);
      continue;
    }
    // CR LF and LF CR are one break each, as the classic text drawing has it.
    if (i + 1 < cells.size() && IsLineBreak(cells[i + 1].Char) && cells[i + 1].Char != cells[i].Char) ++i;
    paragraphs.emplace_back();
  }
  // A final line break ends the last line rather than starting another.
  if (paragraphs.size() > 1 && paragraphs.back().empty()) paragraphs.pop_back();
  return paragraphs;
}

bool Layouter::CanBreakBefore(const std::vector<TextCell>& p, size_t i, size_t start) const {
  if (i <= start || i >= p.size()) return false;
  const char32_t prev = p[i - 1].Char, cur = p[i].Char;
  if (IsTextBlank(prev) && !IsTextBlank(cur)) return true;
  if (FFormat & DT_NOFULLWIDTHCHARBREAK) return false;
  return (IsWide(prev) || IsWide(cur)) && !IsTextBlank(cur) && !IsClosingMark(cur) && !IsOpeningMark(prev);
}

void Layouter::Wrap(const std::vector<TextCell>& p, std::vector<std::vector<TextCell>>& lines) {
  auto emit = [&](size_t from, size_t to) {
    while (to > from && IsTextBlank(p[to - 1].Char)) --to;
    lines.emplace_back(p.begin() + from, p.begin() + to);
  };
  auto skipBlanks = [&](size_t i) {
    while (i < p.size() && IsTextBlank(p[i].Char)) ++i;
    return i;
  };

  size_t start = 0;
  do {
    int x = 0;
    size_t lastBreak = 0;  // 0: no break seen on this line yet
    size_t i = start;
    size_t next = p.size();
    size_t end = p.size();
    for (; i < p.size(); ++i) {
      const bool breakable = CanBreakBefore(p, i, start);
      if (breakable && x > FWidth) {  // an over-long word ends here
        end = next = i;
        break;
      }
      if (breakable) lastBreak = i;
      const int nx = FMeasure.Advance(x, p[i].Char);
      if (nx > FWidth && i > start) {
        if (IsTextBlank(p[i].Char)) {
          end = i;
          next = skipBlanks(i);
          break;
        }
        if (lastBreak > start) {
          end = next = lastBreak;
          break;
        }
        if (FFormat & DT_EDITCONTROL) {
          end = next = i;
          break;
        }
      }
      x = nx;
    }
    emit(start, end);
    start = next;
  } while (start < p.size());
}

bool Layouter::Ellipsize(std::vector<TextCell>& line) {
  if (FFormat & DT_PATH_ELLIPSIS) return EllipsizePath(FMeasure, line, FWidth);
  if (FFormat & DT_END_ELLIPSIS) return EllipsizeEnd(FMeasure, line, FWidth);
  if (FFormat & DT_WORD_ELLIPSIS) return EllipsizeWord(FMeasure, line, FWidth);
  return false;
}

LaidLine Layouter::Place(const std::vector<TextCell>& line) {
  LaidLine laid;
  int x = 0;
  for (const TextCell& cell : line) {
    const int nx = FMeasure.Advance(x, cell.Char);
    const bool expandedTab = cell.Char == U'\t' && (FFormat & DT_EXPANDTABS);
    if (!expandedTab) laid.Chars.push_back({cell.Char, x});
    if (cell.Prefixed) {
      laid.PrefixLeft = x;
      laid.PrefixRight = nx;
    }
    x = nx;
  }
  laid.Width = x;
  return laid;
}

void Layouter::Rewrite(std::u32string& out, const std::vector<TextCell>& original,
                       const std::vector<TextCell>& shown) const {
  if (original.empty()) return;
  std::u32string replacement;
  for (const TextCell& cell : shown) {
    if (cell.Begin >= 0)
      replacement.append(FText.substr(cell.Begin, cell.End - cell.Begin));
    else
      replacement.push_back(cell.Char);
  }
  // Lines are rewritten from the last, so earlier offsets still hold.
  out.replace(original.front().Begin, original.back().End - original.front().Begin, replacement);
}

TextLayoutResult Layouter::Run() {
  TextLayoutResult result;
  const TEXTMETRIC& tm = FFont.Metrics();
  result.LineHeight = tm.tmHeight + ((FFormat & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
  result.ClipToRect = !(FFormat & DT_NOCLIP);
  result.DrawGlyphs = !(FFormat & DT_PREFIXONLY);
  result.DrawPrefix = !(FFormat & DT_HIDEPREFIX);
  result.Bounds = {FRect.Left, FRect.Top, FRect.Left, FRect.Top};
  if (FText.empty()) return result;

  std::vector<std::vector<TextCell>> lines;
  const bool wrap = (FFormat & DT_WORDBREAK) && !(FFormat & DT_SINGLELINE);
  for (const auto& paragraph : SplitParagraphs(MakeCells())) {
    if (wrap && !paragraph.empty())
      Wrap(paragraph, lines);
    else
      lines.push_back(paragraph);
  }

  const bool calc = FFormat & DT_CALCRECT;
  std::u32string modified(FText);
  bool changed = false;
  std::vector<LaidLine> laid(lines.size());
  for (size_t n = lines.size(); n-- > 0;) {
    std::vector<TextCell> shown = lines[n];
    if (Ellipsize(shown)) {
      Rewrite(modified, lines[n], shown);
      changed = true;
    }
    laid[n] = Place(shown);
  }
  if (changed && (FFormat & DT_MODIFYSTRING)) result.Modified = std::move(modified);

  const int count = static_cast<int>(laid.size());
  int y = FRect.Top;
  if ((FFormat & DT_SINGLELINE) && !calc) {
    if (FFormat & DT_VCENTER)
      y = FRect.Top + (FRect.Height() - result.LineHeight) / 2;
    else if (FFormat & DT_BOTTOM)
      y = FRect.Bottom - result.LineHeight;
  }
  int widest = 0;
  for (int n = 0; n < count; ++n) {
    LaidLine& line = laid[n];
    widest = std::max(widest, line.Width);
    line.Y = y + n * result.LineHeight;
    if (FFormat & DT_CENTER)
      line.X = FRect.Left + (FWidth - line.Width) / 2;
    else if (FFormat & DT_RIGHT)
      line.X = FRect.Right - line.Width;
    else
      line.X = FRect.Left;
  }
  const int height = count * result.LineHeight;
  result.Bounds = {FRect.Left, FRect.Top, FRect.Left + widest, FRect.Top + height};
  result.Result = (FFormat & DT_SINGLELINE) && !calc && (FFormat & (DT_VCENTER | DT_BOTTOM))
                      ? y + result.LineHeight - FRect.Top
                      : height;
  if (!calc) {
    // Like an edit control, show no line that would be cut at the bottom.
    if (FFormat & DT_EDITCONTROL)
      std::erase_if(
          laid, [&](const LaidLine& line) { return line.Y != FRect.Top && line.Y + result.LineHeight > FRect.Bottom; });
    result.Lines = std::move(laid);
  }
  return result;
}

}  // namespace

TextLayoutResult LayoutText(FontInstance& font, std::u32string_view text, const RECT& rect, uint32_t format) {
  return Layouter(font, text, rect, format).Run();
}

}  // namespace kora
