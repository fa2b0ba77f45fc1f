// Drawing device-independent bitmap rows onto a DC.

#include <cstring>

#include "platform/gdi/Blit.h"
#include "platform/gdi/DibRows.h"
#include "platform/gdi/Raster.h"

namespace kora {

namespace {

struct DibLayout {
  int Width = 0;
  int Height = 0;  // rows, positive
  bool TopDown = false;
  int Bits = 0;
  std::size_t RowBytes = 0;
  std::vector<uint32_t> Palette;
  BitFields Fields;
};

bool ReadLayout(const BITMAPINFO* info, DibLayout& out) {
  if (!info) return false;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize < 40 || h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN || h.biPlanes != 1) return false;
  out.Width = h.biWidth;
  out.Height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  out.TopDown = h.biHeight < 0;
  out.Bits = h.biBitCount;
  if (int64_t(out.Width) * out.Height > MAX_BITMAP_PIXELS) return false;
  const auto* extra = reinterpret_cast<const uint8_t*>(info) + h.biSize;
  switch (out.Bits) {
    case 1:
    case 4:
    case 8: {
      if (h.biCompression != BI_RGB) return false;
      const uint32_t most = 1u << out.Bits;
      const uint32_t count = h.biClrUsed == 0 || h.biClrUsed > most ? most : h.biClrUsed;
      for (uint32_t i = 0; i < count; ++i) {
        RGBQUAD q;
        std::memcpy(&q, extra + 4 * i, 4);
        out.Palette.push_back(QuadToPixel(q));
      }
      break;
    }
    case 16:
    case 32:
      if (h.biCompression == BI_BITFIELDS) {
        // Larger headers carry the masks at offset 40; the plain one is followed by them.
        uint32_t masks[3];
        std::memcpy(masks, h.biSize >= 52 ? reinterpret_cast<const uint8_t*>(info) + 40 : extra, sizeof masks);
        out.Fields = {masks[0], masks[1], masks[2]};
      } else if (h.biCompression != BI_RGB) {
        return false;
      } else if (out.Bits == 16) {
        out.Fields = BitFields::Rgb555();
      }
      break;
    case 24:
      if (h.biCompression != BI_RGB) return false;
      break;
    default: return false;
  }
  out.RowBytes = DibRowBytes(out.Width, out.Bits);
  return true;
}

// Unpacks DIB rows [first, first + count) (storage order) into pixels in
// top-to-bottom order; returns the image row (from the top) of the first.
int UnpackRows(const DibLayout& dib, const uint8_t* bits, int first, int count, std::vector<uint32_t>& pixels) {
  pixels.resize(std::size_t(dib.Width) * std::size_t(count));
  for (int k = 0; k < count; ++k) {
    const int out = dib.TopDown ? k : count - 1 - k;
    UnpackDibRow(bits + dib.RowBytes * std::size_t(k), dib.Bits, dib.Width, dib.Palette, dib.Fields,
                 pixels.data() + std::size_t(out) * std::size_t(dib.Width));
  }
  return dib.TopDown ? first : dib.Height - first - count;
}

// The classic source y: bottom-up images count it from the bottom edge.
int SourceTop(const DibLayout& dib, int ySrc, int height) { return dib.TopDown ? ySrc : dib.Height - ySrc - height; }

}  // namespace

int SetDIBitsToDevice(HDC dc, int xDest, int yDest, uint32_t width, uint32_t height, int xSrc, int ySrc,
                      uint32_t startScan, uint32_t scanLines, const void* bits, const BITMAPINFO* info,
                      uint32_t usage) {
  DrawTarget t;
  DibLayout dib;
  if (!bits || usage != DIB_RGB_COLORS || !ReadLayout(info, dib) || !AcquireTarget(dc, t)) return 0;
  if (startScan >= uint32_t(dib.Height) || width > uint32_t(INT32_MAX) || height > uint32_t(INT32_MAX)) return 0;
  const int lines = int(std::min<uint32_t>(scanLines, uint32_t(dib.Height) - startScan));
  std::vector<uint32_t> pixels;
  const int firstTop = UnpackRows(dib, static_cast<const uint8_t*>(bits), int(startScan), lines, pixels);
  const PixelSurface band{pixels.data(), dib.Width, lines, dib.Width};
  const int top = SourceTop(dib, ySrc, int(height)) - firstTop;
  BlitSurface(t, int64_t(xDest) + t.Dx, int64_t(yDest) + t.Dy, int(width), int(height), band, xSrc, top, int(width),
              int(height), BlitParams());
  return lines;
}

int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* info, uint32_t usage, DWORD rop) {
  DrawTarget t;
  DibLayout dib;
  if (!bits || usage != DIB_RGB_COLORS || !ReadLayout(info, dib) || !AcquireTarget(dc, t)) return 0;
  BlitParams params;
  params.Code = RopCode(rop);
  if (!RopUsesSource(params.Code)) return PatBlt(dc, xDest, yDest, destWidth, destHeight, rop) ? dib.Height : 0;
  if (RopUsesPattern(params.Code)) {
    COLORREF c;
    if (!BrushColor(t.Dc->State.Brush, &c)) return dib.Height;
    params.Pattern = ToPixel(c);
  }
  std::vector<uint32_t> pixels;
  UnpackRows(dib, static_cast<const uint8_t*>(bits), 0, dib.Height, pixels);
  const PixelSurface image{pixels.data(), dib.Width, dib.Height, dib.Width};
  const int top = SourceTop(dib, ySrc, srcHeight);
  BlitSurface(t, int64_t(xDest) + t.Dx, int64_t(yDest) + t.Dy, destWidth, destHeight, image, xSrc, top, srcWidth,
              srcHeight, params);
  return dib.Height;
}

}  // namespace kora
