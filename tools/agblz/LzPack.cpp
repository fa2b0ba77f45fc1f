#include "agblz/Lz.h"
#include "agblz/LzMatchFinder.h"

#include <array>
#include <string>
#include <utility>

namespace kora::lz {

namespace {

constexpr unsigned kGroupSize = 8;
constexpr uint8_t kLiteral = 1;  // choice marker; references are 3..18

// Optimal parse: a backward dynamic programme over (position, slot of the
// next token in its flag group). Costs are exact bytes: 1 per literal, 2 per
// reference, 1 per flag byte, charged when a group is started. The choice
// for a position depends only on the slot after it, so one choice per
// (position, next slot) is stored.
class Parser {
public:
  explicit Parser(const std::vector<Match>& matches) : FMatches(matches), FChoice(matches.size() * kGroupSize) {
    Solve();
  }

  // Token length at position i when the token takes slot `slot`.
  uint8_t Choice(std::size_t i, unsigned slot) const { return FChoice[i * kGroupSize + (slot + 1) % kGroupSize]; }

private:
  // Only the rows i+1 .. i+18 are read while row i is built.
  static constexpr std::size_t kRows = 32;
  static_assert(kRows > kMaxMatch);
  using Row = std::array<uint32_t, kGroupSize>;

  void Solve() {
    std::array<Row, kRows> cost{};
    for (std::size_t i = FMatches.size(); i-- > 0;) {
      Row best = cost[(i + 1) % kRows];
      uint8_t* pick = &FChoice[i * kGroupSize];
      for (unsigned next = 0; next < kGroupSize; ++next) {
        best[next] += 1;
        pick[next] = kLiteral;
      }
      for (std::size_t length = kMinMatch; length <= FMatches[i].Length; ++length) {
        const Row& after = cost[(i + length) % kRows];
        for (unsigned next = 0; next < kGroupSize; ++next) {
          if (after[next] + 2 < best[next]) {
            best[next] = after[next] + 2;
            pick[next] = static_cast<uint8_t>(length);
          }
        }
      }
      Row& row = cost[i % kRows];
      for (unsigned slot = 0; slot < kGroupSize; ++slot)
        row[slot] = best[(slot + 1) % kGroupSize] + (slot == 0 ? 1 : 0);
    }
  }

  const std::vector<Match>& FMatches;
  std::vector<uint8_t> FChoice;
};

// Writes tokens into flag groups; a flag byte is only written when a token follows.
class StreamWriter {
public:
  explicit StreamWriter(std::size_t size) {
    FOut.reserve(4 + size + size / kGroupSize + 4);
    FOut.insert(FOut.end(), {kTypeLz10, static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                             static_cast<uint8_t>(size >> 16)});
  }

  unsigned Slot() const { return FSlot; }

  void PutLiteral(uint8_t byte) {
    StartToken(false);
    FOut.push_back(byte);
  }

  void PutReference(std::size_t length, std::size_t distance) {
    StartToken(true);
    const unsigned value = static_cast<unsigned>((length - kMinMatch) << 12 | (distance - 1));
    FOut.push_back(static_cast<uint8_t>(value >> 8));
    FOut.push_back(static_cast<uint8_t>(value));
  }

  std::vector<uint8_t> Finish() {
    FOut.resize((FOut.size() + 3) & ~std::size_t{3}, 0);
    return std::move(FOut);
  }

private:
  void StartToken(bool reference) {
    if (FSlot == 0) {
      FFlagAt = FOut.size();
      FOut.push_back(0);
    }
    if (reference) FOut[FFlagAt] |= static_cast<uint8_t>(0x80 >> FSlot);
    FSlot = (FSlot + 1) % kGroupSize;
  }

  std::vector<uint8_t> FOut;
  std::size_t FFlagAt = 0;
  unsigned FSlot = 0;
};

}  // namespace

std::vector<uint8_t> Pack(std::span<const uint8_t> data) {
  if (data.size() >= kSizeLimit)
    throw LzError("input of " + std::to_string(data.size()) + " bytes is too large to pack (limit " +
                  std::to_string(kSizeLimit - 1) + " bytes)");
  const std::vector<Match> matches = FindLongestMatches(data);
  const Parser parser(matches);
  StreamWriter writer(data.size());
  for (std::size_t i = 0; i < data.size();) {
    const uint8_t length = parser.Choice(i, writer.Slot());
    if (length == kLiteral) {
      writer.PutLiteral(data[i]);
      i += 1;
    } else {
      writer.PutReference(length, matches[i].Distance);
      i += length;
    }
  }
  return writer.Finish();
}

}  // namespace kora::lz
