#pragma once

// Deterministic stand-ins for the game data the packer sees. Shared with
// bench/bench_agblz.cpp.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kora::lz::testdata {

// xorshift32: the same data on every run and platform.
class Rng {
public:
  explicit Rng(uint32_t seed) : FState(seed * 2654435761u + 1) {}

  unsigned Below(unsigned bound) {
    FState ^= FState << 13;
    FState ^= FState >> 17;
    FState ^= FState << 5;
    return FState % bound;
  }

private:
  uint32_t FState;
};

inline std::vector<uint8_t> RandomBytes(std::size_t size, uint32_t seed, unsigned alphabet = 256) {
  Rng rng(seed);
  std::vector<uint8_t> bytes(size);
  for (auto& b : bytes) b = static_cast<uint8_t>(rng.Below(alphabet));
  return bytes;
}

// A data image laid out like the game's: 80-byte character records from 0,
// 92-byte class records from 29960, 60-byte item records from 34718, holding
// small varied values; unused records and gaps stay zero.
inline std::vector<uint8_t> GameLikeImage(std::size_t size = 72043, uint32_t seed = 1) {
  std::vector<uint8_t> image(size, 0);
  Rng rng(seed);
  auto put = [&](std::size_t at, unsigned value) {
    if (at < image.size()) image[at] = static_cast<uint8_t>(value);
  };
  for (std::size_t c = 0; c < 330; ++c) {
    put(80 * c, static_cast<unsigned>(c));
    put(80 * c + 4, 1 + rng.Below(40));
    put(80 * c + 8, 0x08 + rng.Below(4));
    put(80 * c + 9, 0x02);
    for (std::size_t k = 0; k < 8; ++k) {
      put(80 * c + 44 + k, rng.Below(12));
      put(80 * c + 52 + k, 5 * rng.Below(17));
    }
  }
  for (std::size_t k = 0; k < 51; ++k) {
    for (std::size_t s = 0; s < 8; ++s) {
      put(29960 + 92 * k + s, 10 + rng.Below(10));
      put(29960 + 92 * k + 8 + s, 5 * rng.Below(12));
      put(29960 + 92 * k + 24 + s, 20 + rng.Below(11));
    }
    put(29960 + 92 * k + 40, static_cast<unsigned>(k));
  }
  for (std::size_t i = 0; i < 560; ++i) {
    const std::size_t base = 34724 + 60 * i;
    const unsigned price = 100 * (1 + rng.Below(40));
    put(base - 6, price & 0xFF);
    put(base - 5, price >> 8);
    const unsigned fields[] = {20 + 5 * rng.Below(9), rng.Below(16),     60 + 5 * rng.Below(9),
                               5 * rng.Below(7),      2 + rng.Below(14), 0x11 + (rng.Below(2) << 4)};
    for (std::size_t f = 0; f < 6; ++f) put(base + f, fields[f]);
    if (rng.Below(5) == 0) put(base + 8 + rng.Below(8), 1 + rng.Below(5));
  }
  return image;
}

}  // namespace kora::lz::testdata
