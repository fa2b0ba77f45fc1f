#pragma once
// Helpers the fuzz targets share.

#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/core/Classes.h"
#include "skin/data/bszlibcompress.h"

namespace kora::fuzz {

// Appends the bytes as one zlib stream of stored (uncompressed) blocks: what
// the reader sees is a well-formed stream, but making it costs next to
// nothing, where deflating every input at level 9 cost more than the load
// it was made for.
class TStoredZlibWriter {
public:
  explicit TStoredZlibWriter(TStream& target) : FTarget(target) {
    static const uint8_t header[] = {0x78, 0x01};
    FTarget.WriteBuffer(header, sizeof header);
  }

  void Write(const uint8_t* data, std::size_t size) {
    FAdler = adler32(FAdler, data, static_cast<uInt>(size));
    while (size > 0) {
      const std::size_t piece = std::min<std::size_t>(size, 0xFFFF);
      Block(data, piece, false);
      data += piece;
      size -= piece;
    }
  }

  // The final (empty) block and the checksum.
  void Finish() {
    Block(nullptr, 0, true);
    const uint8_t trailer[] = {static_cast<uint8_t>(FAdler >> 24), static_cast<uint8_t>(FAdler >> 16),
                               static_cast<uint8_t>(FAdler >> 8), static_cast<uint8_t>(FAdler)};
    FTarget.WriteBuffer(trailer, sizeof trailer);
  }

private:
  void Block(const uint8_t* data, std::size_t size, bool last) {
    const auto n = static_cast<uint16_t>(size);
    const uint8_t head[] = {static_cast<uint8_t>(last ? 1 : 0), static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8),
                            static_cast<uint8_t>(~n), static_cast<uint8_t>(~n >> 8)};
    FTarget.WriteBuffer(head, sizeof head);
    if (size > 0) FTarget.WriteBuffer(data, static_cast<int64_t>(size));
  }

  TStream& FTarget;
  uLong FAdler = adler32(0, nullptr, 0);
};

// Once at start: a writer whose streams the reader refused would leave every
// input at the first error and the fuzzer blind to all that follows.
inline void CheckStoredZlibWriter() {
  TMemoryStream packed;
  TStoredZlibWriter writer(packed);
  uint8_t data[70000];
  for (std::size_t i = 0; i < sizeof data; ++i) data[i] = static_cast<uint8_t>(i * 7);
  writer.Write(data, sizeof data);
  writer.Finish();
  TMemoryStream unpacked;
  InflateMemoryStream(unpacked, packed);
  if (unpacked.Bytes() != std::vector<uint8_t>(data, data + sizeof data)) __builtin_trap();
}

}  // namespace kora::fuzz
