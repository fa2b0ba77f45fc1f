#pragma once

// A deliberately plain type 0x10 decoder, independent of the library's, that
// also reports how the stream was laid out so tests can check the packer's
// form and not only its round trip.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace kora::lz::testdata {

struct Decoded {
  std::vector<uint8_t> Data;
  std::size_t End = 0;  // stream offset just past the last token
  std::size_t References = 0;
  std::size_t MinDistance = 0;  // over all references; 0 when there are none
  std::size_t MaxDistance = 0;
  uint8_t UnusedFlagBits = 0;  // bits of the last flag byte that lead no token
};

inline Decoded DecodeSimple(const std::vector<uint8_t>& stream) {
  if (stream.size() < 4 || stream[0] != 0x10) throw std::runtime_error("not a type 0x10 stream");
  const std::size_t size = stream[1] + stream[2] * 256 + stream[3] * 65536;
  Decoded d;
  std::size_t in = 4;
  while (d.Data.size() < size) {
    const uint8_t flags = stream.at(in++);
    int used = 0;
    while (used < 8 && d.Data.size() < size) {
      const bool reference = flags & (0x80 >> used);
      ++used;
      if (!reference) {
        d.Data.push_back(stream.at(in++));
        continue;
      }
      const uint8_t b0 = stream.at(in++);
      const uint8_t b1 = stream.at(in++);
      const std::size_t length = (b0 >> 4) + 3;
      const std::size_t distance = (b0 & 0x0F) * 256 + b1 + 1;
      if (distance > d.Data.size() || d.Data.size() + length > size)
        throw std::runtime_error("reference outside the output");
      for (std::size_t k = 0; k < length; ++k) d.Data.push_back(d.Data[d.Data.size() - distance]);
      d.MinDistance = d.References == 0 ? distance : std::min(d.MinDistance, distance);
      d.MaxDistance = std::max(d.MaxDistance, distance);
      ++d.References;
    }
    d.UnusedFlagBits = flags & (0xFF >> used);
  }
  d.End = in;
  return d;
}

}  // namespace kora::lz::testdata
