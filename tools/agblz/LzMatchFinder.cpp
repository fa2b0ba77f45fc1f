#include "agblz/LzMatchFinder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kora::lz {

namespace {

constexpr unsigned kBucketBits = 12;
constexpr int32_t kNone = -1;
constexpr std::size_t kLevels = kMaxMatch - kMinMatch + 1;

// One hash chain per match length: the chain for length L links positions
// whose first L bytes hash alike. Asking "is there a copy of these L bytes in
// reach?" then touches (almost) only real copies, so proving that no longer
// match exists is cheap even in data full of zeros, where one 3-byte chain
// would run through the whole window.
// The links live in a ring of one window: a position's link is only
// overwritten once the position itself has fallen out of reach.
class LengthChains {
public:
  LengthChains() : FHead(kLevels * kBuckets, kNone), FPrev(kLevels * kWindow, kNone) {}

  int32_t First(std::size_t level, unsigned bucket) const { return FHead[level * kBuckets + bucket]; }
  int32_t After(std::size_t level, int32_t pos) const { return FPrev[level * kWindow + (pos & (kWindow - 1))]; }

  void Insert(std::size_t level, unsigned bucket, int32_t pos) {
    FPrev[level * kWindow + (pos & (kWindow - 1))] = FHead[level * kBuckets + bucket];
    FHead[level * kBuckets + bucket] = pos;
  }

private:
  static constexpr std::size_t kBuckets = std::size_t{1} << kBucketBits;
  std::vector<int32_t> FHead;
  std::vector<int32_t> FPrev;
};

// Buckets of the prefixes of length 3..18 at one position.
std::array<unsigned, kLevels> PrefixBuckets(const uint8_t* p, std::size_t limit) {
  std::array<unsigned, kLevels> buckets{};
  uint64_t h = 0;
  for (std::size_t length = 1; length <= limit; ++length) {
    h = (h + p[length - 1] + 1) * 0x9E3779B97F4A7C15ull;
    if (length >= kMinMatch) buckets[length - kMinMatch] = static_cast<unsigned>((h ^ (h >> 29)) >> (64 - kBucketBits));
  }
  return buckets;
}

class Finder {
public:
  explicit Finder(std::span<const uint8_t> data) : FBytes(data.data()), FSize(data.size()) {}

  std::vector<Match> Run() {
    std::vector<Match> matches(FSize);
    Match previous;
    for (std::size_t i = 0; i + kMinMatch <= FSize; ++i) {
      const std::size_t limit = std::min(kMaxMatch, FSize - i);
      const std::array<unsigned, kLevels> buckets = PrefixBuckets(FBytes + i, limit);
      matches[i] = Longest(i, limit, buckets, previous);
      previous = matches[i];
      for (std::size_t length = kMinMatch; length <= limit; ++length)
        FChains.Insert(length - kMinMatch, buckets[length - kMinMatch], static_cast<int32_t>(i));
    }
    return matches;
  }

private:
  std::size_t CommonLength(std::size_t a, std::size_t b, std::size_t limit) const {
    std::size_t length = 0;
    while (length < limit && FBytes[a + length] == FBytes[b + length]) ++length;
    return length;
  }

  // A copy of the `length` bytes at i within reach, or kNone.
  int32_t Find(std::size_t i, std::size_t length, unsigned bucket) const {
    const std::size_t level = length - kMinMatch;
    for (int32_t p = FChains.First(level, bucket); p != kNone; p = FChains.After(level, p)) {
      const std::size_t distance = i - static_cast<std::size_t>(p);
      if (distance > kWindow) break;
      if (distance >= kMinDistance && std::memcmp(FBytes + p, FBytes + i, length) == 0) return p;
    }
    return kNone;
  }

  // Climbs the lengths: a copy of L bytes is looked up only once one of
  // L - 1 bytes is known, and each copy found is measured in full.
  Match Longest(std::size_t i, std::size_t limit, const std::array<unsigned, kLevels>& buckets, Match previous) const {
    Match best;
    // The previous position's copy, one byte on, is still a copy here.
    if (previous.Length > kMinMatch) {
      best.Distance = previous.Distance;
      best.Length = static_cast<uint8_t>(CommonLength(i - previous.Distance, i, limit));
    }
    for (std::size_t length = std::max<std::size_t>(best.Length + 1, kMinMatch); length <= limit;) {
      const int32_t p = Find(i, length, buckets[length - kMinMatch]);
      if (p == kNone) break;
      best.Distance = static_cast<uint16_t>(i - static_cast<std::size_t>(p));
      best.Length = static_cast<uint8_t>(CommonLength(static_cast<std::size_t>(p), i, limit));
      length = best.Length + 1u;
    }
    return best;
  }

  const uint8_t* FBytes;
  std::size_t FSize;
  LengthChains FChains;
};

}  // namespace

std::vector<Match> FindLongestMatches(std::span<const uint8_t> data) { return Finder(data).Run(); }

}  // namespace kora::lz
