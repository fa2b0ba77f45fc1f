#pragma once
// Bitmaps to draw on and a component holding graphics for the streaming tests.

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "framework/core/ClassBuilder.h"
#include "framework/graphics/Graphics.h"
#include "platform/gdi/PngFile.h"

namespace kora::test {

inline std::unique_ptr<TBitmap> SolidBitmap(int width, int height, TColor color) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(width, height);
  bitmap->Canvas()->Brush()->SetColor(color);
  bitmap->Canvas()->FillRect({0, 0, width, height});
  return bitmap;
}

inline void FillArea(TBitmap& bitmap, const RECT& r, TColor color) {
  bitmap.Canvas()->Brush()->SetColor(color);
  bitmap.Canvas()->FillRect(r);
}

inline TColor PixelAt(TBitmap& bitmap, int x, int y) { return bitmap.Canvas()->Pixels(x, y); }

// Writes the bitmap as a PNG into the KORA_ARTIFACTS folder, when one is named.
inline void SaveArtifact(TBitmap& bitmap, const std::string& name) {
  const char* folder = std::getenv("KORA_ARTIFACTS");
  if (!folder) return;
  std::filesystem::create_directories(folder);
  SavePngFile((std::filesystem::path(folder) / name).string(), bitmap.Handle());
}

// A component with a font and a bitmap, streamed as Font.* and Glyph.Data.
class TGfxHolder : public TComponent {
  KORA_CLASS(TGfxHolder, TComponent)

  explicit TGfxHolder(TComponent* owner) : TComponent(owner) {}

  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* value) { FFont->Assign(value); }
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* value) { FGlyph->Assign(value); }
  TIcon* Icon() const { return FIcon.get(); }
  void SetIcon(TIcon* value) { FIcon->Assign(value); }

private:
  std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
  std::unique_ptr<TBitmap> FGlyph = std::make_unique<TBitmap>();
  std::unique_ptr<TIcon> FIcon = std::make_unique<TIcon>();
};

inline TClass TGfxHolder::StaticClass() {
  static const TClassInfo info(TClassBuilder<TGfxHolder>("TGfxHolder")
                                   .Property("Font", &TGfxHolder::Font, &TGfxHolder::SetFont)
                                   .Property("Glyph", &TGfxHolder::Glyph, &TGfxHolder::SetGlyph)
                                   .Property("Icon", &TGfxHolder::Icon, &TGfxHolder::SetIcon));
  return &info;
}

}  // namespace kora::test
