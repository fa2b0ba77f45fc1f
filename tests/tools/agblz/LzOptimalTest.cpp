#include "agblz/Lz.h"
#include "tools/agblz/GameLikeImage.h"
#include "tools/agblz/SimpleDecoder.h"

#include <gtest/gtest.h>

#include <array>
#include <bitset>
#include <limits>
#include <string>
#include <utility>

namespace kora::lz {
namespace {

using testdata::RandomBytes;
using Bytes = std::vector<uint8_t>;

// Smallest stream size before padding, found the slow way: every reference
// (all distances 2..4096, every length 3..18 that matches there) is tried
// from every position and flag-group slot.
std::size_t BruteForceSize(const Bytes& data) {
  const std::size_t n = data.size();
  constexpr std::size_t kInf = std::numeric_limits<std::size_t>::max() / 2;
  std::vector<std::array<std::size_t, 8>> cost(n + 1);
  for (auto& row : cost) row.fill(kInf);
  cost[0][0] = 0;
  for (std::size_t i = 0; i < n; ++i) {
    std::bitset<19> usable;
    for (std::size_t distance = 2; distance <= std::min<std::size_t>(4096, i); ++distance) {
      std::size_t length = 0;
      while (length < 18 && i + length < n && data[i + length - distance] == data[i + length]) ++length;
      for (std::size_t l = 3; l <= length; ++l) usable.set(l);
      if (length == 18) break;  // nothing left to find
    }
    for (std::size_t slot = 0; slot < 8; ++slot) {
      if (cost[i][slot] == kInf) continue;
      const std::size_t here = cost[i][slot] + (slot == 0 ? 1 : 0);
      const std::size_t next = (slot + 1) % 8;
      cost[i + 1][next] = std::min(cost[i + 1][next], here + 1);
      for (std::size_t l = 3; l <= 18; ++l)
        if (usable[l]) cost[i + l][next] = std::min(cost[i + l][next], here + 2);
    }
  }
  return 4 + *std::min_element(cost[n].begin(), cost[n].end());
}

void ExpectOptimal(const Bytes& data, const std::string& name) {
  SCOPED_TRACE(name);
  const Bytes packed = Pack(data);
  const testdata::Decoded d = testdata::DecodeSimple(packed);
  ASSERT_EQ(d.Data, data);
  EXPECT_EQ(d.End, BruteForceSize(data));
}

TEST(LzPackOptimal, MatchesExhaustiveSearch) {
  const Bytes image = testdata::GameLikeImage();
  std::string text;
  while (text.size() < 3000) text += "the sword of the hero, the lance of the knight, the bow of the archer; ";
  const std::vector<std::pair<std::string, Bytes>> cases = {
      {"2 symbols", RandomBytes(3000, 11, 2)},
      {"3 symbols", RandomBytes(3000, 12, 3)},
      {"4 symbols", RandomBytes(3000, 13, 4)},
      {"16 symbols", RandomBytes(3000, 14, 16)},
      {"text", Bytes(text.begin(), text.end())},
      {"characters and classes", Bytes(image.begin() + 26000, image.begin() + 31000)},
      {"items across the window", Bytes(image.begin() + 34000, image.begin() + 40000)},
  };
  for (const auto& [name, data] : cases) ExpectOptimal(data, name);
}

TEST(LzPackOptimal, MatchesExhaustiveSearchOnShortInputs) {
  // Short inputs make the flag-group slot matter most.
  for (uint32_t seed = 1; seed <= 300; ++seed)
    ExpectOptimal(RandomBytes(1 + seed % 60, seed, 2 + seed % 3), "seed " + std::to_string(seed));
}

}  // namespace
}  // namespace kora::lz
