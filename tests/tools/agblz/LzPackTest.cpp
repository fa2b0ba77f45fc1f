#include "agblz/Lz.h"
#include "tools/agblz/GameLikeImage.h"
#include "tools/agblz/SimpleDecoder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace kora::lz {
namespace {

using testdata::DecodeSimple;
using testdata::GameLikeImage;
using testdata::RandomBytes;
using Bytes = std::vector<uint8_t>;

Bytes Repeat(const Bytes& unit, std::size_t size) {
  Bytes out(size);
  for (std::size_t i = 0; i < size; ++i) out[i] = unit[i % unit.size()];
  return out;
}

// Packs and checks the stream both decoders read and its form.
Bytes CheckPack(const Bytes& data, const std::string& name) {
  SCOPED_TRACE(name + " (" + std::to_string(data.size()) + " bytes)");
  const Bytes packed = Pack(data);
  const testdata::Decoded d = DecodeSimple(packed);
  EXPECT_EQ(d.Data, data);
  EXPECT_EQ(Unpack(packed), data);
  EXPECT_EQ(packed.size() % 4, 0u);
  EXPECT_LT(packed.size() - d.End, 4u) << "more than padding after the last token";
  for (std::size_t i = d.End; i < packed.size(); ++i) EXPECT_EQ(packed[i], 0) << "padding byte " << i;
  EXPECT_EQ(d.UnusedFlagBits, 0);
  if (d.References > 0) {
    EXPECT_GE(d.MinDistance, 2u) << "distance 1 breaks 16-bit-write decoders";
  }
  return packed;
}

TEST(LzPack, RoundTripsManyShapes) {
  const Bytes image = GameLikeImage();
  std::vector<std::pair<std::string, Bytes>> cases = {
      {"one byte", {0x42}},
      {"two equal bytes", {7, 7}},
      {"three equal bytes", {7, 7, 7}},
      {"zero run", Bytes(1000, 0)},
      {"long zero run", Bytes(72043, 0)},
      {"period 2", Repeat({1, 2}, 777)},
      {"period 3", Repeat({1, 2, 3}, 778)},
      {"period 19", Repeat(RandomBytes(19, 5), 5000)},
      {"random", RandomBytes(20000, 1)},
      {"random, 2 symbols", RandomBytes(9000, 2, 2)},
      {"random, 5 symbols", RandomBytes(9000, 3, 5)},
      {"game-like image", image},
      {"game-like image head", Bytes(image.begin(), image.begin() + 6000)},
  };
  for (const auto& [name, data] : cases) CheckPack(data, name);
  // Group and padding boundaries fall on every size here.
  for (std::size_t size = 1; size <= 70; ++size) {
    CheckPack(RandomBytes(size, static_cast<uint32_t>(size), 2), "small, 2 symbols");
    CheckPack(RandomBytes(size, static_cast<uint32_t>(size)), "small random");
  }
}

TEST(LzPack, ReachesExactlyOneWindowBack) {
  const Bytes block = RandomBytes(18, 9);
  for (const std::size_t distance : {4095u, 4096u, 4097u}) {
    Bytes data = RandomBytes(distance + 18, 10);
    std::copy(block.begin(), block.end(), data.begin());
    std::copy(block.begin(), block.end(), data.begin() + static_cast<std::ptrdiff_t>(distance));
    const testdata::Decoded d = DecodeSimple(CheckPack(data, "copy " + std::to_string(distance) + " back"));
    if (distance <= 4096) {
      EXPECT_EQ(d.MaxDistance, distance);
    } else {
      EXPECT_LT(d.MaxDistance, 4096u);
    }
  }
}

TEST(LzPack, WritesHeaderAndStopsAtLastToken) {
  EXPECT_EQ(Pack({}), (Bytes{0x10, 0, 0, 0}));

  const Bytes image = GameLikeImage();
  const Bytes packed = Pack(image);
  EXPECT_EQ(packed[0], 0x10);
  EXPECT_EQ(packed[1] | packed[2] << 8 | packed[3] << 16, 72043);

  // Eight literals fill one group exactly: no second flag byte follows.
  const Bytes eight = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(Pack(eight), (Bytes{0x10, 8, 0, 0, 0x00, 1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0}));
  // A zero run: two literals, then references two back (never one back).
  EXPECT_EQ(Pack(Bytes(20, 0)), (Bytes{0x10, 20, 0, 0, 0x20, 0, 0, 0xF0, 0x01, 0, 0, 0}));
}

TEST(LzPack, RefusesInputTheHeaderCannotDescribe) {
  const Bytes huge(kSizeLimit, 0);
  EXPECT_THROW(Pack(huge), LzError);
}

}  // namespace
}  // namespace kora::lz
