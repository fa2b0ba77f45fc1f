#pragma once

#include <cstdint>

namespace kora::cli {

// Small seeded generator: the demo files must come out the same on every run
// and every platform, which std:: distributions do not promise.
class SplitMix {
public:
  explicit SplitMix(uint64_t seed) : FState(seed) {}

  uint64_t Next() {
    uint64_t z = (FState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // A value in lo..hi, both included.
  int Range(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1)); }

private:
  uint64_t FState;
};

}  // namespace kora::cli
