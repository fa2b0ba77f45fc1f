// Reading BMP files. Every read is checked against the bytes the file may
// use (its size field, never more than the buffer), and the image size is
// capped before anything is allocated.

#include <cstring>
#include <fstream>

#include "platform/gdi/BmpFile.h"
#include "platform/gdi/DibRows.h"

namespace kora {

BitmapFormatError::BitmapFormatError(const std::string& detail)
    : std::runtime_error("Bitmap image is not valid: " + detail) {}

namespace {

constexpr std::size_t FILE_HEADER = 14;

uint32_t U32(std::span<const uint8_t> d, std::size_t at) {
  return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 | uint32_t(d[at + 3]) << 24;
}
uint16_t U16(std::span<const uint8_t> d, std::size_t at) { return uint16_t(d[at] | d[at + 1] << 8); }

struct Header {
  int Width = 0;
  int Height = 0;  // signed: negative is top-down
  int Bits = 0;
  uint32_t Compression = BI_RGB;
  uint32_t ImageSize = 0;
  uint32_t ColorsUsed = 0;
  std::size_t Size = 0;  // of the information header
  bool Core = false;     // the old 12-byte header with 3-byte palette entries
  BitFields Fields;
};

Header ReadInfoHeader(std::span<const uint8_t> d, const BmpLimits& limits) {
  Header h;
  if (d.size() < FILE_HEADER + 4) throw BitmapFormatError("the information header is truncated");
  h.Size = U32(d, FILE_HEADER);
  if (h.Size != 12 && h.Size != 40 && h.Size != 52 && h.Size != 56 && h.Size != 108 && h.Size != 124)
    throw BitmapFormatError("unknown information header size " + std::to_string(h.Size));
  if (d.size() < FILE_HEADER + h.Size) throw BitmapFormatError("the information header is truncated");
  const std::size_t at = FILE_HEADER;
  int planes;
  if (h.Size == 12) {
    h.Core = true;
    h.Width = U16(d, at + 4);
    h.Height = U16(d, at + 6);
    planes = U16(d, at + 8);
    h.Bits = U16(d, at + 10);
  } else {
    h.Width = int32_t(U32(d, at + 4));
    h.Height = int32_t(U32(d, at + 8));
    planes = U16(d, at + 12);
    h.Bits = U16(d, at + 14);
    h.Compression = U32(d, at + 16);
    h.ImageSize = U32(d, at + 20);
    h.ColorsUsed = U32(d, at + 32);
  }
  if (planes != 1) throw BitmapFormatError("the plane count is not 1");
  if (h.Width <= 0 || h.Height == 0 || h.Height == INT32_MIN) throw BitmapFormatError("the image has no size");
  const int64_t rows = h.Height < 0 ? -int64_t(h.Height) : h.Height;
  if (h.Width > BMP_MAX_SIDE || rows > BMP_MAX_SIDE || int64_t(h.Width) * rows > int64_t(BMP_MAX_PIXELS))
    throw BitmapFormatError("the image is too large (" + std::to_string(h.Width) + " x " + std::to_string(rows) + ")");
  if (h.Width > limits.MaxWidth || rows > limits.MaxHeight)
    throw BitmapFormatError("the image is " + std::to_string(h.Width) + " x " + std::to_string(rows) +
                            ", larger than the " + std::to_string(limits.MaxWidth) + " x " +
                            std::to_string(limits.MaxHeight) + " it may be here");
  if (h.Bits != 1 && h.Bits != 4 && h.Bits != 8 && h.Bits != 16 && h.Bits != 24 && h.Bits != 32)
    throw BitmapFormatError("unsupported bit depth " + std::to_string(h.Bits));
  const bool rle = h.Compression == BI_RLE8 || h.Compression == BI_RLE4;
  if ((h.Compression == BI_RLE8 && h.Bits != 8) || (h.Compression == BI_RLE4 && h.Bits != 4) ||
      (h.Compression == BI_BITFIELDS && h.Bits != 16 && h.Bits != 32) ||
      (h.Compression != BI_RGB && !rle && h.Compression != BI_BITFIELDS))
    throw BitmapFormatError("unsupported compression " + std::to_string(h.Compression));
  if (rle && h.Height < 0) throw BitmapFormatError("a compressed image cannot be top-down");
  if (h.Bits == 16) h.Fields = BitFields::Rgb555();
  return h;
}

struct Reader {
  std::span<const uint8_t> In;
  std::size_t At = 0;
  uint8_t Next() {
    if (At >= In.size()) throw BitmapFormatError("the compressed data runs past the end of the file");
    return In[At++];
  }
};

// Decodes RLE8 or RLE4 data into palette indices, rows bottom-up.
std::vector<uint8_t> DecodeRle(std::span<const uint8_t> data, int width, int height, bool rle4) {
  std::vector<uint8_t> indices(std::size_t(width) * std::size_t(height), 0);
  Reader in{data};
  int x = 0, y = 0;
  auto put = [&](uint8_t index) {
    if (y >= height) throw BitmapFormatError("the compressed data runs past the last row");
    if (x < width) indices[std::size_t(y) * std::size_t(width) + std::size_t(x)] = index;
    ++x;
  };
  while (in.At < data.size()) {
    const uint8_t count = in.Next();
    const uint8_t value = in.Next();
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(rle4 ? ((i & 1) ? value & 0xF : value >> 4) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      return indices;
    } else if (value == 2) {  // delta
      x += in.Next();
      y += in.Next();
    } else {  // a literal run, padded to a 16-bit boundary
      uint8_t packed = 0;
      for (int i = 0; i < value; ++i) {
        if (!rle4)
          put(in.Next());
        else {
          if ((i & 1) == 0) packed = in.Next();
          put((i & 1) ? packed & 0xF : packed >> 4);
        }
      }
      const int bytes = rle4 ? (value + 1) / 2 : value;
      if (bytes & 1) in.Next();
    }
  }
  return indices;  // data that simply stops after a whole command is accepted
}

}  // namespace

BmpImage DecodeBmp(std::span<const uint8_t> data, const BmpLimits& limits) {
  if (data.size() < FILE_HEADER) throw BitmapFormatError("the file header is truncated");
  if (data[0] != 'B' || data[1] != 'M') throw BitmapFormatError("the file does not start with \"BM\"");
  const uint32_t fileSize = U32(data, 2);
  const uint32_t offBits = U32(data, 10);
  if (fileSize > data.size())
    throw BitmapFormatError("the file header claims " + std::to_string(fileSize) + " bytes but only " +
                            std::to_string(data.size()) + " are present");
  if (fileSize != 0 && fileSize < FILE_HEADER + 12) throw BitmapFormatError("the file size field is too small");
  // Nothing past the file's own length belongs to it (the next archive item may follow).
  const std::span<const uint8_t> file = fileSize ? data.first(fileSize) : data;
  Header h = ReadInfoHeader(file, limits);

  std::size_t tableAt = FILE_HEADER + h.Size;
  if (h.Compression == BI_BITFIELDS) {
    if (h.Size == 40) {
      if (file.size() < tableAt + 12) throw BitmapFormatError("the colour masks are truncated");
      h.Fields = {U32(file, tableAt), U32(file, tableAt + 4), U32(file, tableAt + 8)};
      tableAt += 12;
    } else {
      h.Fields = {U32(file, FILE_HEADER + 40), U32(file, FILE_HEADER + 44), U32(file, FILE_HEADER + 48)};
    }
  }

  BmpImage image;
  image.Width = h.Width;
  image.Height = h.Height < 0 ? -h.Height : h.Height;
  image.BitsPerPixel = h.Bits;
  std::vector<uint32_t> palette;
  if (h.Bits <= 8) {
    const uint32_t most = 1u << h.Bits;
    if (h.ColorsUsed > most)
      throw BitmapFormatError("the colour table has " + std::to_string(h.ColorsUsed) + " entries for " +
                              std::to_string(h.Bits) + "-bit pixels");
    const uint32_t count = h.ColorsUsed ? h.ColorsUsed : most;
    const std::size_t entry = h.Core ? 3 : 4;
    if (tableAt + count * entry > file.size())
      throw BitmapFormatError("the colour table runs past the end of the file");
    for (uint32_t i = 0; i < count; ++i) {
      const std::size_t at = tableAt + i * entry;
      const RGBQUAD q{file[at], file[at + 1], file[at + 2], 0};
      image.Palette.push_back(q);
      palette.push_back(QuadToPixel(q));
    }
    tableAt += count * entry;
  }
  if (offBits < tableAt || offBits > file.size())
    throw BitmapFormatError("the pixel data offset " + std::to_string(offBits) +
                            " lies inside the headers and colour table or outside the file");

  const bool topDown = h.Height < 0;
  std::size_t pixelEnd;
  if (h.Compression == BI_RLE8 || h.Compression == BI_RLE4) {
    std::span<const uint8_t> packed = file.subspan(offBits);
    if (h.ImageSize != 0 && h.ImageSize < packed.size()) packed = packed.first(h.ImageSize);
    // Two bytes of compressed data fill at most 255 pixels (a line end or a
    // jump only skips); twice that per byte, and a small picture besides,
    // leave room for any encoder. Beyond it the size comes from a forged
    // header, refused before its pixels are allocated.
    const uint64_t pixels = uint64_t(image.Width) * uint64_t(image.Height);
    if (pixels > uint64_t(packed.size()) * 256 + 256 * 256)
      throw BitmapFormatError("the compressed data (" + std::to_string(packed.size()) + " bytes) cannot fill " +
                              std::to_string(image.Width) + " x " + std::to_string(image.Height) + " pixels");
    image.Pixels.resize(std::size_t(pixels));
    const std::vector<uint8_t> indices = DecodeRle(packed, image.Width, image.Height, h.Compression == BI_RLE4);
    for (int y = 0; y < image.Height; ++y) {
      uint32_t* out = image.Pixels.data() + std::size_t(image.Height - 1 - y) * std::size_t(image.Width);
      const uint8_t* row = indices.data() + std::size_t(y) * std::size_t(image.Width);
      for (int x = 0; x < image.Width; ++x) out[x] = row[x] < palette.size() ? palette[row[x]] : 0;
    }
    pixelEnd = offBits + packed.size();
  } else {
    const std::size_t rowBytes = DibRowBytes(image.Width, h.Bits);
    const std::size_t need = rowBytes * std::size_t(image.Height);
    if (offBits + need > file.size())
      throw BitmapFormatError("the pixel data runs past the end of the file (" + std::to_string(offBits + need) +
                              " bytes needed, " + std::to_string(file.size()) + " present)");
    // Only now: a short file must not make us allocate what it claims.
    image.Pixels.resize(std::size_t(image.Width) * std::size_t(image.Height));
    for (int y = 0; y < image.Height; ++y) {
      const int out = topDown ? y : image.Height - 1 - y;
      UnpackDibRow(file.data() + offBits + rowBytes * std::size_t(y), h.Bits, image.Width, palette, h.Fields,
                   image.Pixels.data() + std::size_t(out) * std::size_t(image.Width));
    }
    pixelEnd = offBits + need;
  }
  image.FileSize = fileSize ? fileSize : pixelEnd;
  return image;
}

}  // namespace kora
