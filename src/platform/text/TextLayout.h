#pragma once

#include "platform/gdi/Geometry.h"
#include "platform/text/FontInstance.h"
#include "platform/text/TextFlags.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kora {

// One character of laid-out text. Begin..End is the stretch of the source
// text it stands for ("&x" gives x with the "&" included); inserted ellipsis
// dots have Begin = End = -1.
struct TextCell {
  char32_t Char = 0;
  int Begin = -1;
  int End = -1;
  bool Prefixed = false;
};

// A space or a tab: where lines break and where an ellipsis trims.
inline bool IsTextBlank(char32_t c) { return c == U' ' || c == U'\t'; }

struct PlacedChar {
  char32_t Char = 0;
  int X = 0;  // pen position relative to the line's left
};

struct LaidLine {
  std::vector<PlacedChar> Chars;
  int X = 0;  // left of the line's cell in the caller's coordinates
  int Y = 0;  // top of the line's cell
  int Width = 0;
  // The "&" marked character's span relative to X; PrefixRight <= PrefixLeft when none.
  int PrefixLeft = 0;
  int PrefixRight = 0;
};

struct TextLayoutResult {
  std::vector<LaidLine> Lines;
  int LineHeight = 0;
  RECT Bounds;     // what DT_CALCRECT reports
  int Result = 0;  // what DrawText returns
  bool ClipToRect = true;
  bool DrawGlyphs = true;                  // false for DT_PREFIXONLY
  bool DrawPrefix = true;                  // false for DT_HIDEPREFIX
  std::optional<std::u32string> Modified;  // the text as DT_MODIFYSTRING leaves it
};

// Lays text out in a rectangle as DrawText does: prefix marks, line breaks,
// word wrap, tab expansion, ellipses, alignment.
TextLayoutResult LayoutText(FontInstance& font, std::u32string_view text, const RECT& rect, uint32_t format);

// Ellipsis helpers on a single line of cells; each returns whether it changed the line.
class TextLineMeasure {
public:
  TextLineMeasure(FontInstance& font, int tabWidth) : FFont(font), FTabWidth(tabWidth) {}
  int Advance(int x, char32_t c);
  int Width(const std::vector<TextCell>& cells);

private:
  FontInstance& FFont;
  int FTabWidth;  // 0: tabs are ordinary characters
};

bool EllipsizeEnd(TextLineMeasure& measure, std::vector<TextCell>& line, int width);
bool EllipsizeWord(TextLineMeasure& measure, std::vector<TextCell>& line, int width);
bool EllipsizePath(TextLineMeasure& measure, std::vector<TextCell>& line, int width);

}  // namespace kora
