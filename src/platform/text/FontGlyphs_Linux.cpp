#include "platform/text/FontGlyphs.h"

#include FT_OUTLINE_H
#include FT_BITMAP_H
#include FT_SIZES_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kora {

namespace {

constexpr FT_Fixed kItalicShear = 0x0366A;  // about 12 degrees, the usual oblique

// Copies any FreeType bitmap into 8-bit coverage; 1-bit strikes become 0/255.
void CopyCoverage(FT_Library library, const FT_Bitmap& source, GlyphImage& g) {
  g.Width = static_cast<int>(source.width);
  g.Height = static_cast<int>(source.rows);
  g.Coverage.assign(size_t(g.Width) * g.Height, 0);
  if (g.Width == 0 || g.Height == 0) return;
  if (source.pixel_mode == FT_PIXEL_MODE_BGRA) {
    for (int y = 0; y < g.Height; ++y) {
      const uint8_t* row = source.buffer + y * source.pitch;
      for (int x = 0; x < g.Width; ++x) g.Coverage[y * g.Width + x] = row[x * 4 + 3];
    }
    return;
  }
  FT_Bitmap eight;
  FT_Bitmap_Init(&eight);
  if (FT_Bitmap_Convert(library, &source, &eight, 1) != 0) {
    FT_Bitmap_Done(library, &eight);
    throw std::runtime_error("Cannot convert a glyph bitmap");
  }
  const int levels = std::max(2, int(eight.num_grays)) - 1;
  for (int y = 0; y < g.Height; ++y) {
    const uint8_t* row = eight.buffer + y * eight.pitch;
    for (int x = 0; x < g.Width; ++x)
      g.Coverage[y * g.Width + x] = static_cast<uint8_t>(std::min(255, row[x] * 255 / levels));
  }
  FT_Bitmap_Done(library, &eight);
}

// Bitmap strikes have no outline to thicken: smear one pixel to the right.
void EmboldenCoverage(GlyphImage& g) {
  if (g.Width == 0) return;
  const int width = g.Width + 1;
  std::vector<uint8_t> out(size_t(width) * g.Height, 0);
  for (int y = 0; y < g.Height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint8_t a = x < g.Width ? g.Coverage[y * g.Width + x] : 0;
      const uint8_t b = x > 0 ? g.Coverage[y * g.Width + x - 1] : 0;
      out[y * width + x] = std::max(a, b);
    }
  g.Width = width;
  g.Coverage = std::move(out);
}

// Whole-pixel row shifts keep slanted strike glyphs crisp.
void ShearCoverage(GlyphImage& g) {
  if (g.Width == 0 || g.Height == 0) return;
  auto shiftOf = [&](int row) {
    return static_cast<int>(std::floor((g.Top - row - 0.5) * kItalicShear / 65536.0 + 0.5));
  };
  const int lo = std::min(shiftOf(0), shiftOf(g.Height - 1));
  const int hi = std::max(shiftOf(0), shiftOf(g.Height - 1));
  const int width = g.Width + hi - lo;
  std::vector<uint8_t> out(size_t(width) * g.Height, 0);
  for (int y = 0; y < g.Height; ++y) {
    const int dx = shiftOf(y) - lo;
    std::copy_n(g.Coverage.begin() + y * g.Width, g.Width, out.begin() + y * width + dx);
  }
  g.Left += lo;
  g.Width = width;
  g.Coverage = std::move(out);
}

}  // namespace

SizedFace::SizedFace(FontFace& face, int pixelWidth, int pixelHeight, GlyphSynthesis synthesis)
    : FFace(face), FPixelHeight(pixelHeight), FSynthesis(synthesis) {
  FT_Face f = face.Handle();
  if (FT_New_Size(f, &FSize) != 0) throw std::runtime_error("Cannot size the font \"" + face.Family() + "\"");
  FT_Activate_Size(FSize);
  if (face.Scalable()) {
    if (FT_Set_Pixel_Sizes(f, pixelWidth, pixelHeight) != 0)
      throw std::runtime_error("Cannot size the font \"" + face.Family() + "\"");
    FUsesStrike = pixelWidth == pixelHeight && face.HasStrike(pixelHeight);
  } else {
    int best = 0;
    for (int i = 1; i < f->num_fixed_sizes; ++i)
      if (std::abs(f->available_sizes[i].height - pixelHeight) <
          std::abs(f->available_sizes[best].height - pixelHeight))
        best = i;
    if (f->num_fixed_sizes == 0 || FT_Select_Size(f, best) != 0)
      throw std::runtime_error("Cannot size the font \"" + face.Family() + "\"");
    FUsesStrike = true;
  }
}

SizedFace::~SizedFace() { FT_Done_Size(FSize); }

int SizedFace::BoldExtra() const {
  if (!FSynthesis.Bold) return 0;
  return FUsesStrike ? 1 : std::max(1, (FPixelHeight + 12) / 24);
}

int SizedFace::StrikeAscent() const { return static_cast<int>((FSize->metrics.ascender + 32) >> 6); }

int SizedFace::StrikeDescent() const { return static_cast<int>((-FSize->metrics.descender + 32) >> 6); }

const GlyphImage& SizedFace::Glyph(uint32_t index) {
  auto it = FGlyphs.find(index);
  if (it == FGlyphs.end()) it = FGlyphs.emplace(index, Render(index)).first;
  return it->second;
}

GlyphImage SizedFace::Render(uint32_t index) {
  FT_Face f = FFace.Handle();
  FT_Activate_Size(FSize);
  GlyphImage g;
  const FT_Int32 flags = FUsesStrike ? FT_LOAD_DEFAULT : FT_LOAD_NO_BITMAP;
  if (FT_Load_Glyph(f, index, flags | FT_LOAD_COLOR) != 0)
    return g;  // a damaged glyph draws as nothing rather than failing the text
  FT_GlyphSlot slot = f->glyph;
  g.Advance = static_cast<int>((slot->advance.x + 32) >> 6);

  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (FSynthesis.Bold) {
      const int extra = std::max(1, (FPixelHeight + 12) / 24);
      FT_Outline_EmboldenXY(&slot->outline, 64 * extra, 0);
      g.Advance += extra;
    }
    if (FSynthesis.Italic) {
      FT_Matrix shear{0x10000, kItalicShear, 0, 0x10000};
      FT_Outline_Transform(&slot->outline, &shear);
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return g;
    CopyCoverage(slot->library, slot->bitmap, g);
    g.Left = slot->bitmap_left;
    g.Top = slot->bitmap_top;
    return g;
  }
  if (slot->format != FT_GLYPH_FORMAT_BITMAP) return g;
  CopyCoverage(slot->library, slot->bitmap, g);
  g.Left = slot->bitmap_left;
  g.Top = slot->bitmap_top;
  if (FSynthesis.Bold) {
    EmboldenCoverage(g);
    g.Advance += 1;
  }
  if (FSynthesis.Italic) ShearCoverage(g);
  return g;
}

}  // namespace kora
