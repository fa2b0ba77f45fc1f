#include "agblz/Lz.h"

#include <algorithm>
#include <string>
#include <utility>

namespace kora::lz {

namespace {

std::string Hex(unsigned value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return std::string("0x") + kDigits[(value >> 4) & 0xF] + kDigits[value & 0xF];
}

// Walks the stream token by token into an output buffer of the declared size.
class Decoder {
public:
  Decoder(std::span<const uint8_t> stream, std::size_t size) : FStream(stream), FOut(size) {}

  std::vector<uint8_t> Run(bool extended) {
    while (FPos < FOut.size()) {
      const uint8_t flags = Next();
      for (int bit = 7; bit >= 0 && FPos < FOut.size(); --bit) {
        if ((flags >> bit) & 1)
          extended ? Reference11() : Reference10();
        else
          FOut[FPos++] = Next();
      }
    }
    return std::move(FOut);
  }

private:
  uint8_t Next() {
    if (FIn >= FStream.size())
      throw LzError("truncated stream: it ends after " + std::to_string(FPos) + " of " + std::to_string(FOut.size()) +
                    " bytes were produced");
    return FStream[FIn++];
  }

  void Reference10() {
    const unsigned b0 = Next(), b1 = Next();
    Copy((b0 >> 4) + 3, ((b0 & 0xF) << 8 | b1) + 1);
  }

  void Reference11() {
    const unsigned b0 = Next();
    switch (b0 >> 4) {
      case 0: {
        const unsigned b1 = Next(), b2 = Next();
        Copy(((b0 & 0xF) << 4 | b1 >> 4) + 0x11, ((b1 & 0xF) << 8 | b2) + 1);
        break;
      }
      case 1: {
        const unsigned b1 = Next(), b2 = Next(), b3 = Next();
        Copy(((b0 & 0xF) << 12 | b1 << 4 | b2 >> 4) + 0x111, ((b2 & 0xF) << 8 | b3) + 1);
        break;
      }
      default: {
        const unsigned b1 = Next();
        Copy((b0 >> 4) + 1, ((b0 & 0xF) << 8 | b1) + 1);
        break;
      }
    }
  }

  // A copy that runs past the declared size is cut there, like the console's routine.
  void Copy(std::size_t length, std::size_t distance) {
    if (distance > FPos)
      throw LzError("reference before the start of the output: distance " + std::to_string(distance) +
                    " at output offset " + std::to_string(FPos));
    const std::size_t end = FPos + std::min(length, FOut.size() - FPos);
    // Byte by byte on purpose: overlapping copies repeat the bytes just written.
    for (; FPos < end; ++FPos) FOut[FPos] = FOut[FPos - distance];
  }

  std::span<const uint8_t> FStream;
  std::size_t FIn = 4;
  std::vector<uint8_t> FOut;
  std::size_t FPos = 0;
};

}  // namespace

std::vector<uint8_t> Unpack(std::span<const uint8_t> stream) {
  if (stream.size() < 4)
    throw LzError("truncated stream: " + std::to_string(stream.size()) + " bytes, shorter than the 4-byte header");
  const uint8_t type = stream[0];
  if (type != kTypeLz10 && type != kTypeLz11)
    throw LzError("unknown stream type " + Hex(type) + " (expected 0x10 or 0x11)");
  const std::size_t size = stream[1] | stream[2] << 8 | stream[3] << 16;
  return Decoder(stream, size).Run(type == kTypeLz11);
}

}  // namespace kora::lz
