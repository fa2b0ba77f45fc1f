// TIcon: icon handles, the standard icons and .ico files.

#include <algorithm>
#include <cstdlib>
#include <span>

#include "framework/core/ClassBuilder.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Graphics_Internal.h"
#include "platform/gdi/BmpFile.h"

namespace kora {

using namespace graphics_detail;

namespace {

constexpr std::size_t DIR_SIZE = 6;
constexpr std::size_t ENTRY_SIZE = 16;
constexpr std::size_t INFO_SIZE = 40;
constexpr int MAX_ICON_SIDE = 256;
// No icon file of sane content is near this; a forged directory is refused.
constexpr uint64_t MAX_ICON_FILE = uint64_t(16) << 20;

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic("Icon image is not valid"); }

std::size_t RowBytes(int width, int bits) { return static_cast<std::size_t>((width * bits + 31) / 32 * 4); }

struct TIconEntry {
  int Side = 0;  // the larger of width and height
  int Bits = 0;
  uint32_t Size = 0;
  uint32_t Offset = 0;
};

// The image nearest to the standard 32 pixels, the deepest among equals.
const TIconEntry& ChooseEntry(const std::vector<TIconEntry>& entries) {
  return *std::min_element(entries.begin(), entries.end(), [](const TIconEntry& a, const TIconEntry& b) {
    const int da = std::abs(a.Side - 32), db = std::abs(b.Side - 32);
    return da != db ? da < db : a.Bits > b.Bits;
  });
}

HBITMAP PixelBitmap(int width, int height, const std::vector<uint32_t>& pixels) {
  uint32_t* bits = nullptr;
  const HBITMAP bitmap = NewPixelBitmap(width, height, &bits);
  std::copy(pixels.begin(), pixels.end(), bits);
  return bitmap;
}

// The colour rows of a DIB of 8 bits or less, through the BMP codec.
std::vector<uint32_t> DecodePaletteRows(std::span<const uint8_t> image, int height, std::size_t infoSize,
                                        std::size_t colours, std::size_t rowBytes) {
  const std::size_t headerSize = 14 + INFO_SIZE + colours * 4;
  std::vector<uint8_t> file;
  file.push_back('B');
  file.push_back('M');
  WriteLE32(file, static_cast<uint32_t>(headerSize + rowBytes * static_cast<std::size_t>(height)));
  WriteLE32(file, 0);
  WriteLE32(file, static_cast<uint32_t>(headerSize));
  // The icon's header with its own size (a longer header's extra fields are
  // dropped) and the colour rows' height.
  WriteLE32(file, INFO_SIZE);
  file.insert(file.end(), image.begin() + 4, image.begin() + 8);
  WriteLE32(file, static_cast<uint32_t>(height));
  file.insert(file.end(), image.begin() + 12, image.begin() + INFO_SIZE);
  const auto rest = image.subspan(infoSize, colours * 4 + rowBytes * static_cast<std::size_t>(height));
  file.insert(file.end(), rest.begin(), rest.end());
  try {
    return DecodeBmp(file).Pixels;
  } catch (const BitmapFormatError&) {
    InvalidIcon();
  }
}

// One image of an icon file: a DIB of twice the icon's height holding the
// colour rows and then the 1-bit AND mask, both bottom-up.
HICON DecodeIconImage(std::span<const uint8_t> image) {
  if (image.size() < INFO_SIZE) InvalidIcon();
  const uint32_t infoSize = ReadLE32(image.data());
  const auto width = static_cast<int32_t>(ReadLE32(image.data() + 4));
  const auto doubleHeight = static_cast<int32_t>(ReadLE32(image.data() + 8));
  const int bits = ReadLE16(image.data() + 14);
  const uint32_t compression = ReadLE32(image.data() + 16);
  const uint32_t colourCount = ReadLE32(image.data() + 32);
  // Images stored as PNG and other unusual layouts end here.
  if (infoSize < INFO_SIZE || infoSize > image.size() || width <= 0 || width > MAX_ICON_SIDE || doubleHeight <= 0 ||
      doubleHeight % 2 || doubleHeight / 2 > MAX_ICON_SIDE || compression != BI_RGB ||
      (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
    InvalidIcon();
  const int height = doubleHeight / 2;
  const std::size_t colours = bits <= 8 ? (colourCount ? colourCount : std::size_t(1) << bits) : 0;
  if (colours > 256) InvalidIcon();
  const std::size_t colourRow = RowBytes(width, bits), maskRow = RowBytes(width, 1);
  const std::size_t rowsAt = infoSize + colours * 4, maskAt = rowsAt + colourRow * static_cast<std::size_t>(height);
  if (maskAt > image.size()) InvalidIcon();
  const bool hasMask = maskAt + maskRow * static_cast<std::size_t>(height) <= image.size();

  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::vector<uint32_t> colour(count), mask(count, 0);
  if (bits == 32) {
    // Kept whole: the fourth byte is the icon's alpha.
    for (int y = 0; y < height; ++y) {
      const uint8_t* row = image.data() + rowsAt + colourRow * static_cast<std::size_t>(height - 1 - y);
      for (int x = 0; x < width; ++x) colour[static_cast<std::size_t>(y * width + x)] = ReadLE32(row + 4 * x);
    }
  } else {
    colour = DecodePaletteRows(image, height, infoSize, colours, colourRow);
  }
  if (hasMask) {
    for (int y = 0; y < height; ++y) {
      const uint8_t* row = image.data() + maskAt + maskRow * static_cast<std::size_t>(height - 1 - y);
      for (int x = 0; x < width; ++x) {
        if (row[x / 8] >> (7 - x % 8) & 1) mask[static_cast<std::size_t>(y * width + x)] = 0x00FFFFFF;
      }
    }
  }
  ICONINFO info;
  info.hbmColor = PixelBitmap(width, height, colour);
  info.hbmMask = PixelBitmap(width, height, mask);
  const HICON icon = CreateIconIndirect(&info);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  if (!icon) InvalidIcon();
  return icon;
}

// Bottom-up 32-bit rows of a bitmap.
std::vector<uint8_t> BottomUpRows(HBITMAP bitmap, int width, int height) {
  BITMAPINFO info;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biBitCount = 32;
  std::vector<uint8_t> rows(RowBytes(width, 32) * static_cast<std::size_t>(height));
  GetDIBits(HDC(), bitmap, 0, static_cast<uint32_t>(height), rows.data(), &info, DIB_RGB_COLORS);
  return rows;
}

}  // namespace

TClass TIcon::StaticClass() {
  static const TClassInfo info(TClassBuilder<TIcon>("TIcon"));
  return &info;
}

TIcon::~TIcon() {
  if (FHandle) DestroyIcon(FHandle);
}

void TIcon::Assign(const TPersistent* source) {
  if (source == this) return;
  const auto* icon = dynamic_cast<const TIcon*>(source);
  if (source && !icon) return TGraphic::Assign(source);
  SetHandle(icon && icon->FHandle ? HICON(CopyImage(icon->FHandle, IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR)) : HICON());
}

void TIcon::SetWidth(int value) {
  if (value != FWidth) throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHeight(int value) {
  if (value != FHeight) throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHandle(HICON value) {
  if (value == FHandle) return;
  if (FHandle) DestroyIcon(FHandle);
  FHandle = value;
  FWidth = FHeight = 0;
  ICONINFO info;
  if (value && GetIconInfo(value, &info)) {
    BITMAP colour;
    if (GetObject(info.hbmColor, &colour)) {
      FWidth = colour.bmWidth;
      FHeight = colour.bmHeight;
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  Changed();
}

void TIcon::LoadSystemIcon(int id, int size) {
  const HICON icon = kora::LoadSystemIcon(id, size);
  if (!icon) throw EInvalidGraphicOperation(Format("There is no system icon %d at %d pixels", id, size));
  SetHandle(icon);
}

void TIcon::LoadFromStream(TStream& stream) {
  std::vector<uint8_t> data(DIR_SIZE);
  const auto got = stream.Read(data.data(), DIR_SIZE);
  if (got <= 0) {
    SetHandle(HICON());
    return;
  }
  const std::size_t count = got == static_cast<int64_t>(DIR_SIZE) ? ReadLE16(data.data() + 4) : 0;
  if (count == 0 || ReadLE16(data.data()) != 0 || ReadLE16(data.data() + 2) != 1) InvalidIcon();
  ReadExactly(stream, data, ENTRY_SIZE * count);
  std::vector<TIconEntry> entries;
  uint64_t end = data.size();
  for (std::size_t i = 0; i < count; ++i) {
    const uint8_t* e = data.data() + DIR_SIZE + ENTRY_SIZE * i;
    TIconEntry entry;
    entry.Side = std::max(e[0] ? e[0] : 256, e[1] ? e[1] : 256);
    entry.Bits = ReadLE16(e + 6);
    entry.Size = ReadLE32(e + 8);
    entry.Offset = ReadLE32(e + 12);
    if (entry.Offset < data.size()) InvalidIcon();
    end = std::max<uint64_t>(end, uint64_t(entry.Offset) + entry.Size);
    entries.push_back(entry);
  }
  if (end > MAX_ICON_FILE) InvalidIcon();
  // The stream is left where the file's last image ends.
  ReadExactly(stream, data, static_cast<std::size_t>(end) - data.size());
  const TIconEntry& chosen = ChooseEntry(entries);
  SetHandle(DecodeIconImage(std::span<const uint8_t>(data).subspan(chosen.Offset, chosen.Size)));
}

void TIcon::SaveToStream(TStream& stream) const {
  if (Empty()) return;
  ICONINFO info;
  if (!GetIconInfo(FHandle, &info)) InvalidIcon();
  const std::vector<uint8_t> colour = BottomUpRows(info.hbmColor, FWidth, FHeight);
  const std::vector<uint8_t> maskPixels = BottomUpRows(info.hbmMask, FWidth, FHeight);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  const std::size_t maskRow = RowBytes(FWidth, 1);
  std::vector<uint8_t> mask(maskRow * static_cast<std::size_t>(FHeight), 0);
  for (int y = 0; y < FHeight; ++y) {
    for (int x = 0; x < FWidth; ++x) {
      const uint8_t* p = maskPixels.data() + RowBytes(FWidth, 32) * static_cast<std::size_t>(y) + 4 * x;
      if (p[0] | p[1] | p[2])
        mask[maskRow * static_cast<std::size_t>(y) + static_cast<std::size_t>(x / 8)] |= 0x80 >> (x % 8);
    }
  }
  const auto imageSize = static_cast<uint32_t>(INFO_SIZE + colour.size() + mask.size());
  std::vector<uint8_t> file;
  WriteLE16(file, 0);
  WriteLE16(file, 1);
  WriteLE16(file, 1);
  file.push_back(static_cast<uint8_t>(FWidth >= 256 ? 0 : FWidth));
  file.push_back(static_cast<uint8_t>(FHeight >= 256 ? 0 : FHeight));
  file.push_back(0);
  file.push_back(0);
  WriteLE16(file, 1);
  WriteLE16(file, 32);
  WriteLE32(file, imageSize);
  WriteLE32(file, static_cast<uint32_t>(DIR_SIZE + ENTRY_SIZE));
  WriteLE32(file, INFO_SIZE);
  WriteLE32(file, static_cast<uint32_t>(FWidth));
  WriteLE32(file, static_cast<uint32_t>(FHeight * 2));
  WriteLE16(file, 1);
  WriteLE16(file, 32);
  WriteLE32(file, BI_RGB);
  WriteLE32(file, static_cast<uint32_t>(colour.size() + mask.size()));
  for (int i = 0; i < 4; ++i) WriteLE32(file, 0);
  file.insert(file.end(), colour.begin(), colour.end());
  file.insert(file.end(), mask.begin(), mask.end());
  stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
}

void TIcon::Draw(TCanvas* canvas, const RECT& r) const {
  DrawIconEx(canvas->Handle(), r.Left, r.Top, FHandle, r.Width(), r.Height(), 0, HBRUSH(), DI_NORMAL);
}

}  // namespace kora
