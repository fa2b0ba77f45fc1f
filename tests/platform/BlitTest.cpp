#include <gtest/gtest.h>

#include <cstring>

#include "platform/GdiTestCanvas.h"

namespace kora {
namespace {

using test::kBlack;
using test::kBlue;
using test::kGreen;
using test::kRed;
using test::kWhite;
using test::TestCanvas;

// A 3 x 2 source: R G B / K W R.
void PaintSource(TestCanvas& s) {
  const COLORREF colours[6] = {kRed, kGreen, kBlue, kBlack, kWhite, kRed};
  for (int i = 0; i < 6; ++i) SetPixel(s.Dc, i % 3, i / 3, colours[i]);
}

const std::map<COLORREF, char> kLegend = {{kRed, 'r'}, {kGreen, 'g'}, {kBlue, 'b'}};

TEST(BlitTest, BlockCopiesAndRasterOperations) {
  TestCanvas src(3, 2), dst(5, 3, kBlue);
  PaintSource(src);
  EXPECT_TRUE(BitBlt(dst.Dc, 1, 1, 3, 2, src.Dc, 0, 0, SRCCOPY));
  // Only what lies inside the source is copied: source (3, 1) does not exist.
  EXPECT_TRUE(BitBlt(dst.Dc, 3, 0, 3, 1, src.Dc, 1, 1, SRCCOPY));
  EXPECT_EQ(dst.Ascii(kLegend),
            "bbb.r\n"
            "brgbb\n"
            "b#.rb\n");

  TestCanvas ops(4, 1, RGB(0x0F, 0xF0, 0x3C));
  TestCanvas one(1, 1, RGB(0x33, 0x55, 0xF0));
  BitBlt(ops.Dc, 0, 0, 1, 1, one.Dc, 0, 0, SRCAND);
  BitBlt(ops.Dc, 1, 0, 1, 1, one.Dc, 0, 0, SRCPAINT);
  BitBlt(ops.Dc, 2, 0, 1, 1, one.Dc, 0, 0, SRCINVERT);
  BitBlt(ops.Dc, 3, 0, 1, 1, one.Dc, 0, 0, NOTSRCCOPY);
  EXPECT_EQ(ops.At(0, 0), RGB(0x0F & 0x33, 0xF0 & 0x55, 0x3C & 0xF0));
  EXPECT_EQ(ops.At(1, 0), RGB(0x0F | 0x33, 0xF0 | 0x55, 0x3C | 0xF0));
  EXPECT_EQ(ops.At(2, 0), RGB(0x0F ^ 0x33, 0xF0 ^ 0x55, 0x3C ^ 0xF0));
  EXPECT_EQ(ops.At(3, 0), RGB(0xCC, 0xAA, 0x0F));
  // MERGECOPY: brush AND source, through the general operation table.
  HGDIOBJ old = SelectObject(ops.Dc, CreateSolidBrush(RGB(0xF0, 0x0F, 0xFF)));
  BitBlt(ops.Dc, 0, 0, 1, 1, one.Dc, 0, 0, MERGECOPY);
  EXPECT_EQ(ops.At(0, 0), RGB(0x30, 0x05, 0xF0));
  DeleteObject(SelectObject(ops.Dc, old));
}

TEST(BlitTest, OverlappingCopyWithinOneSurface) {
  TestCanvas c(6, 1);
  for (int x = 0; x < 6; ++x) SetPixel(c.Dc, x, 0, RGB(uint8_t(x), 0, 0));
  EXPECT_TRUE(BitBlt(c.Dc, 1, 0, 5, 1, c.Dc, 0, 0, SRCCOPY));  // scroll right by one
  for (int x = 1; x < 6; ++x) EXPECT_EQ(c.At(x, 0), RGB(uint8_t(x - 1), 0, 0));
  EXPECT_TRUE(StretchBlt(c.Dc, 0, 0, 6, 1, c.Dc, 0, 0, 3, 1, SRCCOPY));  // widen in place
  EXPECT_EQ(c.At(5, 0), RGB(1, 0, 0));
}

TEST(BlitTest, StretchingIsNearestNeighbourAndNegativeExtentsMirror) {
  TestCanvas src(3, 2);
  PaintSource(src);
  TestCanvas up(6, 4);
  EXPECT_TRUE(StretchBlt(up.Dc, 0, 0, 6, 4, src.Dc, 0, 0, 3, 2, SRCCOPY));
  EXPECT_EQ(up.Ascii(kLegend),
            "rrggbb\n"
            "rrggbb\n"
            "##..rr\n"
            "##..rr\n");

  TestCanvas mirrored(3, 2);
  EXPECT_TRUE(StretchBlt(mirrored.Dc, 3, 0, -3, 2, src.Dc, 0, 0, 3, 2, SRCCOPY));
  EXPECT_EQ(mirrored.Ascii(kLegend),
            "bgr\n"
            "r.#\n");
  TestCanvas flipped(3, 2);
  EXPECT_TRUE(StretchBlt(flipped.Dc, 0, 0, 3, 2, src.Dc, 0, 2, 3, -2, SRCCOPY));
  EXPECT_EQ(flipped.Ascii(kLegend),
            "#.r\n"
            "rgb\n");
  TestCanvas both(3, 2);  // two mirrors cancel
  EXPECT_TRUE(StretchBlt(both.Dc, 3, 0, -3, 2, src.Dc, 3, 0, -3, 2, SRCCOPY));
  EXPECT_EQ(both.Ascii(kLegend), src.Ascii(kLegend));

  TestCanvas down(2, 1);
  TestCanvas wide(4, 1);
  for (int x = 0; x < 4; ++x) SetPixel(wide.Dc, x, 0, x % 2 ? kRed : kBlue);
  EXPECT_TRUE(StretchBlt(down.Dc, 0, 0, 2, 1, wide.Dc, 0, 0, 4, 1, SRCCOPY));
  EXPECT_EQ(down.Ascii(kLegend), "rr\n");  // samples at pixel centres: source 1 and 3
}

TEST(BlitTest, TransparentAndAlphaCopies) {
  TestCanvas src(3, 2);
  PaintSource(src);
  TestCanvas dst(6, 2, kBlue);
  EXPECT_TRUE(TransparentBlt(dst.Dc, 0, 0, 6, 2, src.Dc, 0, 0, 3, 2, kRed));
  EXPECT_EQ(dst.Ascii(kLegend),
            "bbggbb\n"
            "##..bb\n");
  EXPECT_FALSE(TransparentBlt(dst.Dc, 0, 0, -6, 2, src.Dc, 0, 0, 3, 2, kRed));

  TestCanvas white(2, 1), black(2, 1, kBlack);
  BLENDFUNCTION half;
  half.SourceConstantAlpha = 128;
  EXPECT_TRUE(AlphaBlend(white.Dc, 0, 0, 2, 1, black.Dc, 0, 0, 2, 1, half));
  EXPECT_EQ(white.At(0, 0), RGB(127, 127, 127));

  // Premultiplied per-pixel alpha: a half-covered red over white.
  TestCanvas over(1, 1);
  BITMAPINFO info{};
  info.bmiHeader.biWidth = 1;
  info.bmiHeader.biHeight = -1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(HDC(), &info, DIB_RGB_COLORS, &bits);
  ASSERT_TRUE(dib && bits);
  *static_cast<uint32_t*>(bits) = 0x80800000;  // alpha 128, red 128 premultiplied
  HDC dibDc = CreateCompatibleDC(HDC());
  HGDIOBJ old = SelectObject(dibDc, dib);
  BLENDFUNCTION pixelAlpha;
  pixelAlpha.AlphaFormat = AC_SRC_ALPHA;
  EXPECT_TRUE(AlphaBlend(over.Dc, 0, 0, 1, 1, dibDc, 0, 0, 1, 1, pixelAlpha));
  EXPECT_EQ(over.At(0, 0), RGB(255, 127, 127));
  SelectObject(dibDc, old);
  DeleteDC(dibDc);
  DeleteObject(dib);
}

TEST(BlitTest, DeviceIndependentRowsInAndOut) {
  TestCanvas src(3, 2);
  PaintSource(src);
  // Read bottom-up 24-bit rows (padded to 12 bytes) and draw them back.
  BITMAPINFO info{};
  info.bmiHeader.biWidth = 3;
  info.bmiHeader.biHeight = 2;
  info.bmiHeader.biBitCount = 24;
  std::vector<uint8_t> rows(24, 0xEE);
  EXPECT_EQ(GetDIBits(src.Dc, src.Bitmap, 0, 2, rows.data(), &info, DIB_RGB_COLORS), 2);
  EXPECT_EQ(rows[0], 0);     // bottom row first: black at (0, 1)
  EXPECT_EQ(rows[9], 0);     // padding written as zero
  EXPECT_EQ(rows[14], 255);  // red channel of red at (0, 0), top row second
  TestCanvas back(3, 2);
  EXPECT_EQ(SetDIBitsToDevice(back.Dc, 0, 0, 3, 2, 0, 0, 0, 2, rows.data(), &info, DIB_RGB_COLORS), 2);
  EXPECT_EQ(back.Ascii(kLegend), src.Ascii(kLegend));

  // Only the bottom scan line supplied: the top row stays as it was.
  TestCanvas part(3, 2, kBlue);
  EXPECT_EQ(SetDIBitsToDevice(part.Dc, 0, 0, 3, 2, 0, 0, 0, 1, rows.data(), &info, DIB_RGB_COLORS), 1);
  EXPECT_EQ(part.Ascii(kLegend), "bbb\n#.r\n");

  TestCanvas big(6, 4);
  EXPECT_EQ(StretchDIBits(big.Dc, 0, 0, 6, 4, 0, 0, 3, 2, rows.data(), &info, DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(big.Ascii(kLegend),
            "rrggbb\n"
            "rrggbb\n"
            "##..rr\n"
            "##..rr\n");

  // An 8-bit top-down DIB with its palette after the header.
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } indexed{};
  indexed.header.biWidth = 2;
  indexed.header.biHeight = -1;
  indexed.header.biBitCount = 8;
  indexed.header.biClrUsed = 2;
  indexed.colours[1] = {0, 0, 255, 0};
  const uint8_t pixels[4] = {1, 0, 0, 0};
  TestCanvas small(2, 1);
  SetDIBitsToDevice(small.Dc, 0, 0, 2, 1, 0, 0, 0, 1, pixels, reinterpret_cast<BITMAPINFO*>(&indexed), DIB_RGB_COLORS);
  EXPECT_EQ(small.Ascii(kLegend), "r#\n");
}

TEST(BlitTest, BitmapCreationLimits) {
  EXPECT_FALSE(CreateCompatibleBitmap(HDC(), 0, 5));
  EXPECT_FALSE(CreateCompatibleBitmap(HDC(), 100000, 100000));
  BITMAPINFO bottomUp{};
  bottomUp.bmiHeader.biWidth = 2;
  bottomUp.bmiHeader.biHeight = 2;
  bottomUp.bmiHeader.biBitCount = 32;
  EXPECT_FALSE(CreateDIBSection(HDC(), &bottomUp, DIB_RGB_COLORS, nullptr));
  const uint8_t mono[4] = {0x80, 0, 0x40, 0};  // word-aligned rows: 10 / 01
  HBITMAP m = CreateBitmap(2, 2, 1, 1, mono);
  HDC dc = CreateCompatibleDC(HDC());
  SelectObject(dc, m);
  EXPECT_EQ(GetPixel(dc, 0, 0), kWhite);
  EXPECT_EQ(GetPixel(dc, 1, 0), kBlack);
  EXPECT_EQ(GetPixel(dc, 1, 1), kWhite);
  // A bitmap selected into one DC cannot go into a second or be deleted.
  HDC other = CreateCompatibleDC(HDC());
  EXPECT_FALSE(SelectObject(other, m));
  EXPECT_FALSE(DeleteObject(m));
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(m));
  DeleteDC(other);
}

}  // namespace
}  // namespace kora
