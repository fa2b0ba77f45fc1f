// TGraphic and the in-memory side of TBitmap: size, handle, canvas, copies,
// transparency and drawing.

#include <algorithm>
#include <cstring>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Filer.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Graphics_Internal.h"
#include "platform/gdi/BmpFile.h"

namespace kora {

// ---- TGraphic ----------------------------------------------------------------

TClass TGraphic::StaticClass() {
  static const TClassInfo info(TClassBuilder<TGraphic>("TGraphic"));
  return &info;
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TGraphic::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  Changed();
}

void TGraphic::Changed() {
  FModified = true;
  OnChange(this);
}

void TGraphic::DefineProperties(TFiler& filer) {
  filer.DefineBinaryProperty(
      "Data", [this](TStream& stream) { ReadData(stream); }, [this](TStream& stream) { WriteData(stream); }, !Empty());
}

void TGraphic::ReadData(TStream& stream) { LoadFromStream(stream); }

void TGraphic::WriteData(TStream& stream) const { SaveToStream(stream); }

// ---- TBitmap -----------------------------------------------------------------

HBITMAP graphics_detail::NewPixelBitmap(int width, int height, uint32_t** bits) {
  BITMAPINFO info;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biBitCount = 32;
  void* memory = nullptr;
  const HBITMAP bitmap = CreateDIBSection(HDC(), &info, DIB_RGB_COLORS, &memory);
  if (!bitmap) throw EOutOfResources("Out of system resources");
  *bits = static_cast<uint32_t*>(memory);
  return bitmap;
}

using namespace graphics_detail;

namespace {

std::size_t PixelCount(int width, int height) {
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

}  // namespace

// A memory context with the bitmap selected, made when first drawn on and
// given up whenever the bitmap's pixel memory is replaced.
class TBitmap::TBitmapCanvas : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap* bitmap) : FBitmap(bitmap) {}
  ~TBitmapCanvas() override { TBitmapCanvas::FreeHandle(); }

  void FreeHandle() override {
    if (!FDc) return;
    SetHandle(HDC());
    if (FOldBitmap) SelectObject(FDc, FOldBitmap);
    DeleteDC(FDc);
    FDc = HDC();
    FOldBitmap = HGDIOBJ();
  }

protected:
  void CreateHandle() override {
    FDc = CreateCompatibleDC(HDC());
    if (!FDc) throw EOutOfResources("Out of system resources");
    if (FBitmap->FHandle) FOldBitmap = SelectObject(FDc, FBitmap->FHandle);
    SetHandle(FDc);
  }
  void Changed() override {
    TCanvas::Changed();
    FBitmap->Changed();
  }

private:
  TBitmap* FBitmap;
  HDC FDc;
  HGDIOBJ FOldBitmap;
};

TClass TBitmap::StaticClass() {
  static const TClassInfo info(TClassBuilder<TBitmap>("TBitmap"));
  return &info;
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  FCanvas.reset();
  if (FHandle) DeleteObject(FHandle);
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(this);
  return FCanvas.get();
}

HDC TBitmap::SourceDC() const { return const_cast<TBitmap*>(this)->Canvas()->Handle(); }

void TBitmap::ReplaceImage(HBITMAP handle, uint32_t* bits, int width, int height) {
  if (FCanvas) FCanvas->FreeHandle();
  if (FHandle) DeleteObject(FHandle);
  FHandle = handle;
  FBits = bits;
  FWidth = width;
  FHeight = height;
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == FWidth && height == FHeight) return;
  if (width == 0 || height == 0) {
    ReplaceImage(HBITMAP(), nullptr, width, height);
  } else {
    uint32_t* bits = nullptr;
    const HBITMAP handle = NewPixelBitmap(width, height, &bits);
    std::fill(bits, bits + PixelCount(width, height), WHITE_PIXEL);
    if (FBits) {
      const int keepWidth = std::min(width, FWidth);
      for (int y = 0; y < std::min(height, FHeight); ++y) {
        std::memcpy(bits + PixelCount(width, y), FBits + PixelCount(FWidth, y), PixelCount(keepWidth, 1) * 4);
      }
    }
    ReplaceImage(handle, bits, width, height);
  }
  Changed();
}

void TBitmap::LoadImage(const BmpImage& image) {
  uint32_t* bits = nullptr;
  const HBITMAP handle = NewPixelBitmap(image.Width, image.Height, &bits);
  std::transform(image.Pixels.begin(), image.Pixels.end(), bits, [](uint32_t p) { return p & WHITE_PIXEL; });
  ReplaceImage(handle, bits, image.Width, image.Height);
  switch (image.BitsPerPixel) {
    case 1: FPixelFormat = pf1bit; break;
    case 4: FPixelFormat = pf4bit; break;
    case 8: FPixelFormat = pf8bit; break;
    case 16: FPixelFormat = pf16bit; break;
    case 32: FPixelFormat = pf32bit; break;
    default: FPixelFormat = pf24bit; break;
  }
  FPalette = image.BitsPerPixel <= 8 ? image.Palette : std::vector<RGBQUAD>();
  Changed();
}

void TBitmap::Assign(const TPersistent* source) {
  if (source == this) return;
  const auto* bitmap = dynamic_cast<const TBitmap*>(source);
  if (source && !bitmap) return TGraphic::Assign(source);
  if (!bitmap || bitmap->Empty()) {
    ReplaceImage(HBITMAP(), nullptr, bitmap ? bitmap->FWidth : 0, bitmap ? bitmap->FHeight : 0);
  } else {
    uint32_t* bits = nullptr;
    const HBITMAP handle = NewPixelBitmap(bitmap->FWidth, bitmap->FHeight, &bits);
    std::memcpy(bits, bitmap->FBits, PixelCount(bitmap->FWidth, bitmap->FHeight) * 4);
    ReplaceImage(handle, bits, bitmap->FWidth, bitmap->FHeight);
  }
  if (bitmap) {
    FPixelFormat = bitmap->FPixelFormat;
    FPalette = bitmap->FPalette;
    FTransparentColor = bitmap->FTransparentColor;
    FTransparentMode = bitmap->FTransparentMode;
    SetTransparent(bitmap->Transparent());
  } else {
    FPixelFormat = pfDevice;
    FPalette.clear();
  }
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  if (Empty()) return clNone;
  if (Monochrome()) return clWhite;
  const uint32_t pixel = FBits[PixelCount(FWidth, FHeight - 1)];
  return static_cast<TColor>(
      RGB(static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 8), static_cast<uint8_t>(pixel)));
}

void TBitmap::SetTransparentColor(TColor value) {
  const TTransparentMode mode = value == clDefault ? tmAuto : tmFixed;
  if (value == FTransparentColor && mode == FTransparentMode) return;
  FTransparentColor = value;
  FTransparentMode = mode;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
  if (value == FTransparentMode) return;
  // Switching to tmFixed keeps the colour the bitmap has now.
  SetTransparentColor(value == tmAuto ? clDefault : TransparentColor());
}

uint8_t* TBitmap::ScanLine(int y) { return const_cast<uint8_t*>(std::as_const(*this).ScanLine(y)); }

const uint8_t* TBitmap::ScanLine(int y) const {
  if (Empty() || y < 0 || y >= FHeight) throw EInvalidGraphicOperation("Scan line index out of range");
  return reinterpret_cast<const uint8_t*>(FBits + PixelCount(FWidth, y));
}

void TBitmap::Draw(TCanvas* canvas, const RECT& r) const {
  const HDC dc = canvas->Handle();
  const HDC source = SourceDC();
  if (Transparent()) {
    TransparentBlt(dc, r.Left, r.Top, r.Width(), r.Height(), source, 0, 0, FWidth, FHeight,
                   ColorToColorRef(TransparentColor()));
  } else {
    StretchBlt(dc, r.Left, r.Top, r.Width(), r.Height(), source, 0, 0, FWidth, FHeight, canvas->CopyMode());
  }
}

}  // namespace kora
