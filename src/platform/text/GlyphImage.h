#pragma once

#include <cstdint>
#include <vector>

namespace kora {

// A rendered glyph: 8-bit coverage, Width x Height, top row Top pixels above
// the baseline, first column Left pixels right of the pen position.
struct GlyphImage {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  int Advance = 0;
  std::vector<uint8_t> Coverage;
};

// A band of rows inside the text cell, counted from the cell's top.
struct CellBand {
  int Top = 0;
  int Height = 1;
};

}  // namespace kora
