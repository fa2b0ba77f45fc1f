// TBitmap as BMP files: streams, the form property "Data", pixel formats
// and their colour tables.

#include <algorithm>
#include <array>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Graphics_Internal.h"
#include "platform/gdi/BmpFile.h"

namespace kora {

namespace graphics_detail {

uint16_t ReadLE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t ReadLE32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void WriteLE16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void WriteLE32(std::vector<uint8_t>& out, uint32_t value) {
  WriteLE16(out, static_cast<uint16_t>(value));
  WriteLE16(out, static_cast<uint16_t>(value >> 16));
}

void ReadExactly(TStream& stream, std::vector<uint8_t>& data, std::size_t count) {
  constexpr std::size_t chunk = std::size_t(1) << 20;
  while (count > 0) {
    const std::size_t piece = std::min(count, chunk);
    const std::size_t at = data.size();
    data.resize(at + piece);
    stream.ReadBuffer(data.data() + at, static_cast<int64_t>(piece));
    count -= piece;
  }
}

}  // namespace graphics_detail

using namespace graphics_detail;

namespace {

constexpr std::size_t FILE_HEADER_SIZE = 14;
// The file header and the smallest (12-byte) information header.
constexpr uint32_t MIN_BMP_SIZE = FILE_HEADER_SIZE + 12;
constexpr std::size_t READ_CHUNK = std::size_t(1) << 16;

// Appends everything up to the stream's end, up to `most` bytes in all.
void ReadToEnd(TStream& stream, std::vector<uint8_t>& data, uint64_t most) {
  while (data.size() < most) {
    const std::size_t at = data.size();
    const auto piece = static_cast<std::size_t>(std::min<uint64_t>(READ_CHUNK, most - at));
    data.resize(at + piece);
    const auto got = stream.Read(data.data() + at, static_cast<int64_t>(piece));
    data.resize(at + static_cast<std::size_t>(std::max<int64_t>(got, 0)));
    if (got <= 0) return;
  }
}

// No file of a picture within the limits is longer than its largest
// headers and colour table and 32-bit pixels.
uint64_t MaxFileBytes(const BmpLimits& limits) {
  return FILE_HEADER_SIZE + 124 + 12 + 256 * 4 + uint64_t(limits.MaxWidth) * uint64_t(limits.MaxHeight) * 4;
}

RGBQUAD Quad(uint8_t r, uint8_t g, uint8_t b) { return RGBQUAD{b, g, r, 0}; }

std::vector<RGBQUAD> MonochromePalette() { return {Quad(0, 0, 0), Quad(255, 255, 255)}; }

std::vector<RGBQUAD> StandardPalette16() {
  return {Quad(0, 0, 0),       Quad(128, 0, 0),   Quad(0, 128, 0),   Quad(128, 128, 0),
          Quad(0, 0, 128),     Quad(128, 0, 128), Quad(0, 128, 128), Quad(128, 128, 128),
          Quad(192, 192, 192), Quad(255, 0, 0),   Quad(0, 255, 0),   Quad(255, 255, 0),
          Quad(0, 0, 255),     Quad(255, 0, 255), Quad(0, 255, 255), Quad(255, 255, 255)};
}

// The 16 standard colours, a 6 x 6 x 6 colour cube and 24 greys.
std::vector<RGBQUAD> StandardPalette256() {
  std::vector<RGBQUAD> palette = StandardPalette16();
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) palette.push_back(Quad(uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51)));
  for (int i = 0; i < 24; ++i) palette.push_back(Quad(uint8_t(8 + i * 10), uint8_t(8 + i * 10), uint8_t(8 + i * 10)));
  return palette;
}

int BitsOf(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf32bit: return 32;
    default: return 24;
  }
}

std::vector<RGBQUAD> StandardPalette(int bits) {
  return bits == 1 ? MonochromePalette() : bits == 4 ? StandardPalette16() : StandardPalette256();
}

BmpImage Decode(std::span<const uint8_t> bytes, const BmpLimits& limits = {}) {
  try {
    return DecodeBmp(bytes, limits);
  } catch (const BitmapFormatError& e) {
    throw EInvalidGraphic(e.what());
  }
}

}  // namespace

void TBitmap::LoadFromStream(TStream& stream) { LoadFromStream(stream, BMP_MAX_SIDE, BMP_MAX_SIDE); }

void TBitmap::LoadFromStream(TStream& stream, int maxWidth, int maxHeight) {
  const BmpLimits limits{maxWidth, maxHeight};
  std::vector<uint8_t> data;
  data.resize(FILE_HEADER_SIZE);
  const auto got = stream.Read(data.data(), FILE_HEADER_SIZE);
  if (got <= 0) {
    Assign(nullptr);
    return;
  }
  if (got < static_cast<int64_t>(FILE_HEADER_SIZE) || data[0] != 'B' || data[1] != 'M') {
    throw EInvalidGraphic("Bitmap image is not valid");
  }
  const uint32_t fileSize = ReadLE32(data.data() + 2);
  const uint64_t most = MaxFileBytes(limits);
  if (fileSize > most) {
    throw EInvalidGraphic(
        Format("Bitmap image is not valid: the file claims %u bytes, more than a %d x %d picture "
               "takes",
               fileSize, maxWidth, maxHeight));
  }
  if (fileSize == 0) {
    // No size given: take what follows and step back to where the pixels end.
    ReadToEnd(stream, data, most);
    const BmpImage image = Decode(data, limits);
    const auto excess = static_cast<int64_t>(data.size()) - static_cast<int64_t>(image.FileSize);
    if (excess > 0) stream.Seek(-excess, TSeekOrigin::soCurrent);
    LoadImage(image);
    return;
  }
  if (fileSize < MIN_BMP_SIZE) throw EInvalidGraphic("Bitmap image is not valid");
  ReadExactly(stream, data, fileSize - FILE_HEADER_SIZE);
  LoadImage(Decode(data, limits));
}

void TBitmap::SaveToStream(TStream& stream) const {
  if (Empty()) return;
  const int bits = BitsOf(FPixelFormat);
  std::vector<RGBQUAD> palette;
  if (bits <= 8) {
    const bool own = !FPalette.empty() && FPalette.size() <= (std::size_t(1) << bits);
    palette = own ? FPalette : StandardPalette(bits);
  }
  const std::vector<uint8_t> bytes = EncodeBmp(FBits, FWidth, FHeight, FWidth, bits, palette);
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TBitmap::ReadData(TStream& stream) {
  std::array<uint8_t, 4> length{};
  const auto got = stream.Read(length.data(), 4);
  // Some writers store the file without its length in front.
  if (got >= 2 && length[0] == 'B' && length[1] == 'M') {
    stream.Seek(-got, TSeekOrigin::soCurrent);
  } else if (got > 0 && got < 4) {
    throw EReadError("Stream read error");
  } else if (got <= 0 || ReadLE32(length.data()) == 0) {
    Assign(nullptr);
    return;
  }
  LoadFromStream(stream);
}

void TBitmap::WriteData(TStream& stream) const {
  TMemoryStream file;
  SaveToStream(file);
  const auto size = static_cast<uint32_t>(file.Size());
  std::vector<uint8_t> length;
  WriteLE32(length, size);
  stream.WriteBuffer(length.data(), 4);
  stream.WriteBuffer(file.Memory(), file.Size());
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
  if (value == FPixelFormat) return;
  const int bits = BitsOf(value);
  if (bits <= 8) {
    ConvertToPalette(StandardPalette(bits), value);
    return;
  }
  FPixelFormat = value;
  FPalette.clear();
  Changed();
}

void TBitmap::SetMonochrome(bool value) {
  if (value) {
    SetPixelFormat(pf1bit);
  } else if (Monochrome()) {
    SetPixelFormat(pfDevice);
  }
}

void TBitmap::ConvertToPalette(std::vector<RGBQUAD> palette, TPixelFormat format) {
  if (!Empty()) {
    // The codec maps every pixel to its nearest entry; reading the result
    // back makes the pixels show what a saved file will hold.
    const BmpImage image = Decode(EncodeBmp(FBits, FWidth, FHeight, FWidth, BitsOf(format), palette));
    std::copy(image.Pixels.begin(), image.Pixels.end(), FBits);
  }
  FPalette = std::move(palette);
  FPixelFormat = format;
  Changed();
}

}  // namespace kora
