// Image lists.

#include "framework/graphics/ImgList.h"

#include <algorithm>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Filer.h"
#include "framework/graphics/Graphics_Internal.h"

namespace kora {

using namespace graphics_detail;

namespace {

// Destination = pattern where the source is white, destination elsewhere.
constexpr DWORD ROP_PATTERN_WHERE_SOURCE = 0x00E20746;

uint32_t* Row(TBitmap& bitmap, int y) { return reinterpret_cast<uint32_t*>(bitmap.ScanLine(y)); }

const uint32_t* Row(const TBitmap& bitmap, int y) { return reinterpret_cast<const uint32_t*>(bitmap.ScanLine(y)); }

HDC SourceOf(TBitmap& bitmap) { return bitmap.Canvas()->Handle(); }

}  // namespace

// One image: its picture, black where transparent, and its mask, white where
// transparent and black where the picture shows.
struct TCustomImageList::TImage {
  std::unique_ptr<TBitmap> Picture = std::make_unique<TBitmap>();
  std::unique_ptr<TBitmap> Mask = std::make_unique<TBitmap>();
  // White where a greyed drawing puts ink; made when first needed.
  mutable std::unique_ptr<TBitmap> Shape;

  TBitmap& InkShape() const {
    if (!Shape) {
      Shape = std::make_unique<TBitmap>();
      Shape->SetSize(Picture->Width(), Picture->Height());
      for (int y = 0; y < Picture->Height(); ++y) {
        const uint32_t* picture = Row(*Picture, y);
        const uint32_t* mask = Row(*Mask, y);
        uint32_t* shape = Row(*Shape, y);
        for (int x = 0; x < Picture->Width(); ++x) {
          // White parts of a picture stay blank, as in the classic etched look.
          const bool ink = (mask[x] & WHITE_PIXEL) == 0 && (picture[x] & WHITE_PIXEL) != WHITE_PIXEL;
          shape[x] = ink ? WHITE_PIXEL : 0;
        }
      }
    }
    return *Shape;
  }
};

TClass TCustomImageList::StaticClass() {
  static const TClassInfo info(TClassBuilder<TCustomImageList>("TCustomImageList"));
  return &info;
}

TClass TImageList::StaticClass() {
  static const TClassInfo info(TClassBuilder<TImageList>("TImageList")
                                   .Property("BkColor", &TImageList::BkColor, &TImageList::SetBkColor, TypeInfoColor())
                                   .Default(clNone)
                                   .Property("Height", &TImageList::Height, &TImageList::SetHeight)
                                   .Default(16)
                                   .Property("Masked", &TImageList::Masked, &TImageList::SetMasked)
                                   .Default(true)
                                   .Property("Width", &TImageList::Width, &TImageList::SetWidth)
                                   .Default(16));
  return &info;
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::SetWidth(int value) {
  if (value == FWidth) return;
  if (value < 1) throw EInvalidGraphicOperation("Invalid image size");
  FWidth = value;
  Clear();
}

void TCustomImageList::SetHeight(int value) {
  if (value == FHeight) return;
  if (value < 1) throw EInvalidGraphicOperation("Invalid image size");
  FHeight = value;
  Clear();
}

void TCustomImageList::SetMasked(bool value) {
  if (value == FMasked) return;
  FMasked = value;
  Change();
}

void TCustomImageList::SetBkColor(TColor value) {
  if (value == FBkColor) return;
  FBkColor = value;
  Change();
}

void TCustomImageList::Change() { OnChange(this); }

int TCustomImageList::Add(const TBitmap* image, const TBitmap* mask) {
  if (!image || image->Empty()) throw EInvalidGraphicOperation("Unable to insert an image");
  const int width = image->Width(), height = image->Height();
  std::vector<bool> transparent(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), false);
  if (mask && !mask->Empty()) {
    for (int y = 0; y < std::min(height, mask->Height()); ++y) {
      const uint32_t* row = Row(*mask, y);
      for (int x = 0; x < std::min(width, mask->Width()); ++x) {
        transparent[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
            (row[x] & WHITE_PIXEL) != 0;
      }
    }
  }
  const int first = Count();
  AddFromPixels(*image, transparent);
  return first;
}

int TCustomImageList::AddMasked(const TBitmap* image, TColor maskColor) {
  if (!image || image->Empty()) throw EInvalidGraphicOperation("Unable to insert an image");
  const int width = image->Width(), height = image->Height();
  std::vector<bool> transparent(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), false);
  if (maskColor != clNone) {
    const COLORREF key = ColorToColorRef(maskColor == clDefault ? image->TransparentColor() : maskColor);
    const uint32_t keyPixel = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
    for (int y = 0; y < height; ++y) {
      const uint32_t* row = Row(*image, y);
      for (int x = 0; x < width; ++x) {
        transparent[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
            (row[x] & WHITE_PIXEL) == keyPixel;
      }
    }
  }
  const int first = Count();
  AddFromPixels(*image, transparent);
  return first;
}

void TCustomImageList::AddFromPixels(const TBitmap& image, const std::vector<bool>& transparent) {
  const int width = image.Width(), height = image.Height();
  // A narrower picture still takes one position, so later ones keep theirs.
  const int count = std::max(1, width / FWidth);
  for (int i = 0; i < count; ++i) {
    auto entry = std::make_unique<TImage>();
    entry->Picture->SetSize(FWidth, FHeight);
    entry->Mask->SetSize(FWidth, FHeight);
    for (int y = 0; y < FHeight; ++y) {
      uint32_t* picture = Row(*entry->Picture, y);
      uint32_t* mask = Row(*entry->Mask, y);
      const uint32_t* source = y < height ? Row(image, y) : nullptr;
      for (int x = 0; x < FWidth; ++x) {
        const int sx = i * FWidth + x;
        const bool opaque =
            source && sx < width &&
            !transparent[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(sx)];
        picture[x] = opaque ? source[sx] & WHITE_PIXEL : 0;
        mask[x] = opaque ? 0 : WHITE_PIXEL;
      }
    }
    FImages.push_back(std::move(entry));
  }
  Change();
}

void TCustomImageList::Delete(int index) {
  if (!ImageAt(index)) throw EInvalidGraphicOperation("Invalid ImageList Index");
  FImages.erase(FImages.begin() + index);
  Change();
}

void TCustomImageList::Clear() {
  FImages.clear();
  Change();
}

const TCustomImageList::TImage* TCustomImageList::ImageAt(int index) const {
  return index >= 0 && index < Count() ? FImages[static_cast<std::size_t>(index)].get() : nullptr;
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
  const TImage* image = ImageAt(index);
  if (!image || !canvas) return;
  const HDC dc = canvas->Handle();
  if (FBkColor != clNone) {
    const RECT r = RECT::FromSize(x, y, FWidth, FHeight);
    const HBRUSH background = CreateSolidBrush(ColorToColorRef(FBkColor));
    FillRect(dc, &r, background);
    DeleteObject(background);
  }
  if (!enabled) {
    const HDC shape = SourceOf(image->InkShape());
    const HBRUSH highlight = CreateSolidBrush(ColorToColorRef(clBtnHighlight));
    const HBRUSH shadow = CreateSolidBrush(ColorToColorRef(clBtnShadow));
    {
      ScopedSaveDC saved(dc);
      SelectObject(dc, highlight);
      BitBlt(dc, x + 1, y + 1, FWidth, FHeight, shape, 0, 0, ROP_PATTERN_WHERE_SOURCE);
      SelectObject(dc, shadow);
      BitBlt(dc, x, y, FWidth, FHeight, shape, 0, 0, ROP_PATTERN_WHERE_SOURCE);
    }
    DeleteObject(highlight);
    DeleteObject(shadow);
  } else if (FMasked) {
    BitBlt(dc, x, y, FWidth, FHeight, SourceOf(*image->Mask), 0, 0, SRCAND);
    BitBlt(dc, x, y, FWidth, FHeight, SourceOf(*image->Picture), 0, 0, SRCPAINT);
  } else {
    BitBlt(dc, x, y, FWidth, FHeight, SourceOf(*image->Picture), 0, 0, SRCCOPY);
  }
}

bool TCustomImageList::GetBitmap(int index, TBitmap* image) const {
  if (!ImageAt(index) || !image) return false;
  image->SetSize(FWidth, FHeight);
  Draw(image->Canvas(), 0, 0, index);
  return true;
}

// The "Bitmap" property: the image count, then every picture side by side in
// one BMP file and every mask side by side in a second (1-bit) one.
void TCustomImageList::DefineProperties(TFiler& filer) {
  inherited::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Bitmap", [this](TStream& stream) { ReadImages(stream); }, [this](TStream& stream) { WriteImages(stream); },
      Count() > 0);
}

void TCustomImageList::ReadImages(TStream& stream) {
  std::vector<uint8_t> head;
  ReadExactly(stream, head, 4);
  const uint32_t count = ReadLE32(head.data());
  TBitmap pictures, masks;
  pictures.LoadFromStream(stream);
  masks.LoadFromStream(stream);
  if (count == 0 || pictures.Width() != FWidth * static_cast<int64_t>(count) || pictures.Height() != FHeight ||
      masks.Width() != pictures.Width() || masks.Height() != FHeight)
    throw EReadError("Stream read error");
  FImages.clear();
  Add(&pictures, &masks);
}

void TCustomImageList::WriteImages(TStream& stream) const {
  TBitmap pictures, masks;
  pictures.SetSize(FWidth * Count(), FHeight);
  masks.SetSize(FWidth * Count(), FHeight);
  for (int i = 0; i < Count(); ++i) {
    const TImage& image = *FImages[static_cast<std::size_t>(i)];
    BitBlt(SourceOf(pictures), i * FWidth, 0, FWidth, FHeight, SourceOf(*image.Picture), 0, 0, SRCCOPY);
    BitBlt(SourceOf(masks), i * FWidth, 0, FWidth, FHeight, SourceOf(*image.Mask), 0, 0, SRCCOPY);
  }
  pictures.SetPixelFormat(pf24bit);
  masks.SetMonochrome(true);
  std::vector<uint8_t> head;
  WriteLE32(head, static_cast<uint32_t>(Count()));
  stream.WriteBuffer(head.data(), 4);
  pictures.SaveToStream(stream);
  masks.SaveToStream(stream);
}

}  // namespace kora
