#include "platform/text/TextLayout.h"

namespace kora {

namespace {

const TextCell kDot{U'.', -1, -1, false};

// Pen positions before each cell and after the last.
std::vector<int> PenPositions(TextLineMeasure& measure, const std::vector<TextCell>& line) {
  std::vector<int> x(line.size() + 1, 0);
  for (size_t i = 0; i < line.size(); ++i) x[i + 1] = measure.Advance(x[i], line[i].Char);
  return x;
}

void AppendDots(std::vector<TextCell>& line) { line.insert(line.end(), 3, kDot); }

}  // namespace

int TextLineMeasure::Advance(int x, char32_t c) {
  if (c == U'\t' && FTabWidth > 0) return (x / FTabWidth + 1) * FTabWidth;
  return x + FFont.Advance(c);
}

int TextLineMeasure::Width(const std::vector<TextCell>& cells) {
  int x = 0;
  for (const TextCell& cell : cells) x = Advance(x, cell.Char);
  return x;
}

bool EllipsizeEnd(TextLineMeasure& measure, std::vector<TextCell>& line, int width) {
  const std::vector<int> x = PenPositions(measure, line);
  if (x.back() <= width) return false;
  const int dots = 3 * measure.Advance(0, U'.');
  size_t keep = line.size();
  while (keep > 0 && x[keep] + dots > width) --keep;
  line.resize(keep);
  AppendDots(line);
  return true;
}

bool EllipsizeWord(TextLineMeasure& measure, std::vector<TextCell>& line, int width) {
  const std::vector<int> x = PenPositions(measure, line);
  if (x.back() <= width) return false;
  const int dots = 3 * measure.Advance(0, U'.');
  // Cut at the last blank that leaves room for the dots, dropping the blanks.
  for (size_t i = line.size(); i-- > 1;) {
    if (!IsTextBlank(line[i].Char)) continue;
    size_t end = i;
    while (end > 0 && IsTextBlank(line[end - 1].Char)) --end;
    if (end > 0 && x[end] + dots <= width) {
      line.resize(end);
      AppendDots(line);
      return true;
    }
  }
  return EllipsizeEnd(measure, line, width);
}

bool EllipsizePath(TextLineMeasure& measure, std::vector<TextCell>& line, int width) {
  if (measure.Width(line) <= width) return false;
  // Keep the last path component whole; without separators cut the middle.
  size_t split = line.size() / 2;
  for (size_t i = line.size(); i-- > 0;)
    if (line[i].Char == U'\\' || line[i].Char == U'/') {
      split = i;
      break;
    }
  const std::vector<TextCell> tail(line.begin() + split, line.end());
  for (size_t keep = split + 1; keep-- > 0;) {
    std::vector<TextCell> candidate(line.begin(), line.begin() + keep);
    AppendDots(candidate);
    candidate.insert(candidate.end(), tail.begin(), tail.end());
    if (measure.Width(candidate) <= width || keep == 0) {
      line = std::move(candidate);
      break;
    }
  }
  // Even "..." and the last component are too wide: shorten from the end.
  EllipsizeEnd(measure, line, width);
  return true;
}

}  // namespace kora
