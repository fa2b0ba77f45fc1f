// Bitmaps and region blocks come from skin archives, which may be corrupt: the
// decoders must either succeed within the input or throw, and a decoded
// bitmap must survive a write/read round trip.
#include "platform/gdi/BmpFile.h"
#include "platform/gdi/Region.h"

#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size > 0 && data[0] == 'R') {
    // A rectangle-list region block, aligned as the caller would hold it.
    std::vector<uint8_t> block(data + 1, data + size);
    block.resize(block.size() + 8);
    std::vector<uint64_t> aligned((block.size() + 7) / 8);
    std::memcpy(aligned.data(), block.data(), block.size());
    const auto* rgn = reinterpret_cast<const kora::RGNDATA*>(aligned.data());
    kora::HRGN region = kora::ExtCreateRegion(nullptr, static_cast<uint32_t>(size - 1), rgn);
    if (region) kora::DeleteObject(region);
    return 0;
  }
  kora::BmpImage image;
  try {
    image = kora::DecodeBmp({data, size});
  } catch (const kora::BitmapFormatError&) {
    return 0;
  }
  if (image.FileSize > size || image.Pixels.size() != std::size_t(image.Width) * std::size_t(image.Height))
    __builtin_trap();
  if (!image.Pixels.empty() && image.Pixels.size() <= 256 * 256) {
    const std::vector<uint8_t> again =
        kora::EncodeBmp(image.Pixels.data(), image.Width, image.Height, image.Width, 24, {});
    if (kora::DecodeBmp(again).Pixels != image.Pixels) __builtin_trap();
  }
  return 0;
}
