#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstring>

#include "platform/ForgedBitmap.h"
#include "platform/gdi/BmpFile.h"
#include "platform/gdi/Gdi.h"

namespace kora {
namespace {

const std::vector<uint32_t> kPicture = {
    0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000,  //
    0x123456, 0x00FF00, 0xFF0000, 0x000000, 0xFFFFFF,  //
    0xFFFFFF, 0x000000, 0x0000FF, 0x123456, 0x00FF00,
};

const std::vector<RGBQUAD> kPalette = {
    {0, 0, 0, 0}, {255, 255, 255, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {0x56, 0x34, 0x12, 0},
};

void Put32(std::vector<uint8_t>& b, std::size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); }

TEST(BmpTest, EveryDepthRoundTrips) {
  for (int bits : {1, 4, 8, 24, 32}) {
    SCOPED_TRACE(bits);
    std::vector<uint32_t> pixels = kPicture;
    std::vector<RGBQUAD> palette = kPalette;
    if (bits == 1) {
      palette.resize(2);
      for (uint32_t& p : pixels) p = (p == 0xFFFFFF) ? p : 0;
    }
    const auto bytes = EncodeBmp(pixels.data(), 5, 3, 5, bits, bits <= 8 ? palette : std::vector<RGBQUAD>{});
    const BmpImage image = DecodeBmp(bytes);
    EXPECT_EQ(image.Width, 5);
    EXPECT_EQ(image.Height, 3);
    EXPECT_EQ(image.BitsPerPixel, bits);
    EXPECT_EQ(image.Pixels, pixels);
    EXPECT_EQ(image.FileSize, bytes.size());
    if (bits <= 8) {
      EXPECT_EQ(image.Palette, palette);
      // Written back in its own depth, the file is byte-identical.
      EXPECT_EQ(EncodeBmp(image), bytes);
    }
  }
}

TEST(BmpTest, IndexedWritingPicksTheNearestEntry) {
  const std::vector<uint32_t> pixels = {0x101010, 0xF0F0F0};
  const auto bytes = EncodeBmp(pixels.data(), 2, 1, 2, 1, std::vector<RGBQUAD>(kPalette.begin(), kPalette.begin() + 2));
  EXPECT_EQ(DecodeBmp(bytes).Pixels, (std::vector<uint32_t>{0x000000, 0xFFFFFF}));
  EXPECT_THROW(EncodeBmp(pixels.data(), 2, 1, 2, 8, {}), std::invalid_argument);
  EXPECT_THROW(EncodeBmp(pixels.data(), 2, 1, 2, 1, kPalette), std::invalid_argument);  // 6 entries for 1 bit
}

TEST(BmpTest, TopDownRowsAndTheFileSizeField) {
  auto bytes = EncodeBmp(kPicture.data(), 5, 3, 5, 24);
  // Flip to top-down: negative height and rows reversed.
  std::vector<uint8_t> flipped = bytes;
  Put32(flipped, 22, uint32_t(-3));
  const std::size_t row = 16, off = 54;
  for (int y = 0; y < 3; ++y) std::memcpy(flipped.data() + off + row * y, bytes.data() + off + row * (2 - y), row);
  EXPECT_EQ(DecodeBmp(flipped).Pixels, kPicture);

  // Two files back to back: the first reports its own length, so the
  // second can be found after it.
  std::vector<uint8_t> both = bytes;
  const auto second = EncodeBmp(kPicture.data(), 5, 3, 5, 8, kPalette);
  both.insert(both.end(), second.begin(), second.end());
  const BmpImage first = DecodeBmp(both);
  EXPECT_EQ(first.FileSize, bytes.size());
  const BmpImage next = DecodeBmp(std::span<const uint8_t>(both).subspan(first.FileSize));
  EXPECT_EQ(next.BitsPerPixel, 8);
  EXPECT_EQ(next.Pixels, kPicture);
}

// A compressed file: header, palette, data.
std::vector<uint8_t> RleFile(int width, int height, uint32_t compression, const std::vector<uint8_t>& data) {
  const int bits = compression == BI_RLE8 ? 8 : 4;
  const std::vector<uint32_t> blank(std::size_t(width * height), 0);
  auto bytes = EncodeBmp(blank.data(), width, height, width, bits, kPalette);
  const std::size_t off = 54 + 4 * kPalette.size();
  bytes.resize(off);
  bytes.insert(bytes.end(), data.begin(), data.end());
  Put32(bytes, 2, uint32_t(bytes.size()));
  Put32(bytes, 30, compression);
  Put32(bytes, 34, uint32_t(data.size()));
  return bytes;
}

TEST(BmpTest, RunLengthEncodedPixels) {
  // Bottom row: two of index 1, two of index 2. Top row: a literal run of
  // 0, 1, 2 (padded) and one 1.
  const auto rle8 = RleFile(4, 2, BI_RLE8, {2, 1, 2, 2, 0, 0, 0, 3, 0, 1, 2, 0, 1, 1, 0, 1});
  EXPECT_EQ(DecodeBmp(rle8).Pixels,
            (std::vector<uint32_t>{0x000000, 0xFFFFFF, 0xFF0000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFF0000, 0xFF0000}));

  // RLE4 alternates the two nibbles; a delta skips pixels (left at index 0).
  const auto rle4 = RleFile(5, 1, BI_RLE4, {3, 0x12, 0, 2, 1, 0, 1, 0x34, 0, 1});
  EXPECT_EQ(DecodeBmp(rle4).Pixels, (std::vector<uint32_t>{0xFFFFFF, 0xFF0000, 0xFFFFFF, 0x000000, 0x00FF00}));
}

TEST(BmpTest, MalformedFilesAreRejected) {
  const auto good = EncodeBmp(kPicture.data(), 5, 3, 5, 8, kPalette);
  const auto rejects = [](std::vector<uint8_t> bytes) { EXPECT_THROW(DecodeBmp(bytes), BitmapFormatError); };
  rejects(std::vector<uint8_t>(good.begin(), good.begin() + 10));  // truncated file header
  rejects(std::vector<uint8_t>(good.begin(), good.begin() + 30));  // truncated information header
  rejects(std::vector<uint8_t>(good.begin(), good.end() - 1));     // size field claims more than the buffer
  auto bytes = good;
  bytes[0] = 'X';
  rejects(bytes);
  bytes = good;
  Put32(bytes, 10, uint32_t(good.size() + 4));  // pixel offset past the end
  rejects(bytes);
  bytes = good;
  Put32(bytes, 10, 20);  // pixel offset inside the headers
  rejects(bytes);
  bytes = good;
  Put32(bytes, 18, 100000);  // absurd width
  rejects(bytes);
  bytes = good;
  Put32(bytes, 18, 30000);  // plausible sides, absurd area
  Put32(bytes, 22, 30000);
  rejects(bytes);
  bytes = good;
  Put32(bytes, 18, 0);
  rejects(bytes);
  bytes = good;
  Put32(bytes, 46, 300);  // colour table larger than 8 bits allow
  rejects(bytes);
  bytes = good;
  Put32(bytes, 46, 200);  // colour table running into the pixels
  rejects(bytes);
  bytes = good;
  bytes[28] = 7;  // bit depth
  rejects(bytes);
  bytes = good;
  Put32(bytes, 22, 4);  // one more row than the data holds
  rejects(bytes);
  bytes = good;
  Put32(bytes, 2, 20);  // size field below the headers
  rejects(bytes);

  rejects(RleFile(4, 1, BI_RLE8, {4, 1, 0}));           // command cut short
  rejects(RleFile(4, 1, BI_RLE8, {0, 5, 1, 2}));        // literal run past the data
  rejects(RleFile(4, 1, BI_RLE8, {0, 0, 4, 1, 0, 1}));  // pixels below the last row
  rejects(RleFile(4, 1, BI_RLE8, {0, 2, 0, 9, 1, 1}));  // delta below the last row
  auto topDownRle = RleFile(4, 1, BI_RLE8, {4, 1, 0, 1});
  Put32(topDownRle, 22, uint32_t(-1));
  rejects(topDownRle);

  const std::string message = [&] {
    try {
      DecodeBmp(std::vector<uint8_t>(good.begin(), good.begin() + 10));
    } catch (const BitmapFormatError& e) {
      return std::string(e.what());
    }
    return std::string();
  }();
  EXPECT_EQ(message.rfind("Bitmap image is not valid", 0), 0u);
}

TEST(BmpTest, SizesBeyondTheCallersLimitOrTheCompressedDataAreRefusedBeforeTheyAreAllocated) {
  const auto good = EncodeBmp(kPicture.data(), 5, 3, 5, 8, kPalette);
  EXPECT_EQ(DecodeBmp(good, {5, 3}).Width, 5);
  EXPECT_THROW(DecodeBmp(good, {4, 3}), BitmapFormatError);
  EXPECT_THROW(DecodeBmp(good, {5, 2}), BitmapFormatError);

  // 64 bytes that claim 32768 x 2048 pixels: a quarter of a gigabyte of
  // pixels had been set to zero before the data was looked at.
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  const std::string forged = test::ForgedRle8Bitmap();
  try {
    DecodeBmp(std::span(reinterpret_cast<const uint8_t*>(forged.data()), forged.size()));
    ADD_FAILURE() << "decoded";
  } catch (const BitmapFormatError& e) {
    EXPECT_STREQ(e.what(), "Bitmap image is not valid: the compressed data (6 bytes) cannot fill 32768 x 2048 pixels");
  }
  getrusage(RUSAGE_SELF, &after);
  EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024) << "KB";
  // Rows of eight runs of 255 and a line end; a picture ended at once stays blank.
  std::vector<uint8_t> runs;
  for (int row = 0; row < 256; ++row) {
    for (int i = 0; i < 4; ++i) runs.insert(runs.end(), {255, 1, 255, 2});
    runs.insert(runs.end(), {0, 0});
  }
  EXPECT_EQ(DecodeBmp(RleFile(2040, 256, BI_RLE8, runs)).Pixels.size(), 2040u * 256u);
  EXPECT_EQ(DecodeBmp(RleFile(256, 256, BI_RLE8, {0, 1})).Pixels.size(), 256u * 256u);
  EXPECT_THROW(DecodeBmp(RleFile(2040, 257, BI_RLE8, {0, 1})), BitmapFormatError);
}

TEST(BmpTest, BitmapsLoadAndSave) {
  const BmpImage image = DecodeBmp(EncodeBmp(kPicture.data(), 5, 3, 5, 24));
  HBITMAP bitmap = CreateBitmapFromBmp(image);
  ASSERT_TRUE(bitmap);
  BITMAP info;
  EXPECT_EQ(GetObject(bitmap, &info), int(sizeof(BITMAP)));
  EXPECT_EQ(info.bmWidth, 5);
  EXPECT_EQ(info.bmHeight, 3);
  EXPECT_EQ(BmpImageFromBitmap(bitmap).Pixels, kPicture);
  DeleteObject(bitmap);
  EXPECT_THROW(BmpImageFromBitmap(bitmap), std::invalid_argument);
}

}  // namespace
}  // namespace kora
