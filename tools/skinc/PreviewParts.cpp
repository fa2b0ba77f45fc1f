#include "skinc/PreviewParts.h"

#include <cstring>

#include "platform/gdi/Region.h"
#include "platform/text/Text.h"
#include "platform/text/TextFlags.h"
#include "skin/data/bsEffects.h"

namespace kora::skinc {

void Paste(TCanvas* canvas, int x, int y, TBitmap& bitmap) {
  if (!bitmap.Empty()) canvas->Draw(x, y, &bitmap);
}

void PasteInRegion(TBitmap& target, int x, int y, TBitmap& bitmap, HRGN region) {
  if (!region) {
    Paste(target.Canvas(), x, y, bitmap);
    return;
  }
  // Both 32-bit, so rows copy pixel for pixel.
  target.SetPixelFormat(pf32bit);
  bitmap.SetPixelFormat(pf32bit);
  for (int row = 0; row < bitmap.Height(); ++row) {
    const int ty = y + row;
    if (ty < 0 || ty >= target.Height()) continue;
    const auto* from = reinterpret_cast<const uint32_t*>(bitmap.ScanLine(row));
    auto* to = reinterpret_cast<uint32_t*>(target.ScanLine(ty));
    for (int col = 0; col < bitmap.Width(); ++col) {
      const int tx = x + col;
      if (tx >= 0 && tx < target.Width() && PtInRegion(region, col, row)) to[tx] = from[col];
    }
  }
}

void CopyPiece(TCanvas* canvas, int x, int y, TBitmap* picture, const RECT& piece) {
  if (IsEmptyRect(piece) || !picture || picture->Empty()) return;
  canvas->CopyRect({x, y, x + WidthOf(piece), y + HeightOf(piece)}, picture->Canvas(), piece);
}

void TilePiece(TCanvas* canvas, const RECT& area, TBitmap* picture, const RECT& piece) {
  if (IsEmptyRect(piece) || IsEmptyRect(area) || !picture || picture->Empty()) return;
  const int w = WidthOf(piece), h = HeightOf(piece);
  for (int y = area.Top; y < area.Bottom; y += h)
    for (int x = area.Left; x < area.Right; x += w) {
      const int cw = std::min(w, area.Right - x), ch = std::min(h, area.Bottom - y);
      canvas->CopyRect({x, y, x + cw, y + ch}, picture->Canvas(),
                       {piece.Left, piece.Top, piece.Left + cw, piece.Top + ch});
    }
}

void StripImage(TBitmap& target, TBitmap* picture, const RECT& piece, int leftWidth, int rightWidth, int W,
                bool stretch) {
  ComposeHorizontalStrip(std::max(leftWidth, 0), std::max(rightWidth, 0), &target, stretch, W, piece, picture);
}

void ApplyEffect(TBitmap& bitmap, TbsInactiveEffect effect) {
  if (bitmap.Empty()) return;
  TbsEffectBmp image(bitmap.Handle());
  image.ApplyInactiveEffect(effect);
  image.DrawToDevice(bitmap.Canvas()->Handle(), 0, 0);
}

void SetFont(TCanvas* canvas, const std::string& name, int height, TFontStyles style, TColor color,
             TFontCharset charset) {
  TFont* font = canvas->Font();
  font->SetName(name);
  font->SetHeight(height);
  font->SetStyle(style);
  font->SetColor(color);
  font->SetCharset(charset);
}

SIZE MeasureText(TCanvas* canvas, const std::string& text) {
  RECT r{0, 0, 0, 0};
  DrawText(canvas->Handle(), std::string_view(text), &r, DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
  return {WidthOf(r), HeightOf(r)};
}

void DrawTextAt(TCanvas* canvas, int x, int y, const std::string& text) {
  canvas->Brush()->SetStyle(bsClear);
  const SIZE size = MeasureText(canvas, text);
  RECT r{x, y, x + size.cx + 2, y + size.cy};
  DrawText(canvas->Handle(), std::string_view(text), &r, DT_SINGLELINE | DT_LEFT);
}

}  // namespace kora::skinc
