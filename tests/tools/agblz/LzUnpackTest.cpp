#include "agblz/Lz.h"

#include <gtest/gtest.h>

#include <string>

namespace kora::lz {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Header(uint8_t type, std::size_t size) {
  return {type, static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8), static_cast<uint8_t>(size >> 16)};
}

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// Type 0x11 references in their three length classes.
Bytes Ref11(std::size_t length, std::size_t distance) {
  const std::size_t d = distance - 1;
  if (length <= 16) return {static_cast<uint8_t>((length - 1) << 4 | d >> 8), static_cast<uint8_t>(d)};
  if (length <= 272) {
    const std::size_t v = length - 0x11;
    return {static_cast<uint8_t>(v >> 4), static_cast<uint8_t>((v & 0xF) << 4 | d >> 8), static_cast<uint8_t>(d)};
  }
  const std::size_t v = length - 0x111;
  return {static_cast<uint8_t>(0x10 | v >> 12), static_cast<uint8_t>(v >> 4),
          static_cast<uint8_t>((v & 0xF) << 4 | d >> 8), static_cast<uint8_t>(d)};
}

Bytes Ref10(std::size_t length, std::size_t distance) {
  const std::size_t d = distance - 1;
  return {static_cast<uint8_t>((length - 3) << 4 | d >> 8), static_cast<uint8_t>(d)};
}

std::string Message(const Bytes& stream) {
  try {
    Unpack(stream);
  } catch (const LzError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(LzUnpack, ReadsType10) {
  EXPECT_EQ(Unpack(Header(0x10, 0)), Bytes{});
  EXPECT_EQ(Unpack(Header(0x10, 3) + Bytes{0x00} + Text("abc")), Text("abc"));
  // Overlapping copies repeat what they write: one back, then two back.
  EXPECT_EQ(Unpack(Header(0x10, 10) + Bytes{0x40} + Text("a") + Ref10(9, 1)), Text("aaaaaaaaaa"));
  EXPECT_EQ(Unpack(Header(0x10, 8) + Bytes{0x20} + Text("ab") + Ref10(6, 2)), Text("abababab"));
  // The farthest distance, after whole groups of literals.
  Bytes stream = Header(0x10, 4096 + 3), expected;
  for (std::size_t i = 0; i < 4096; ++i) {
    if (i % 8 == 0) stream.push_back(0x00);
    stream.push_back(static_cast<uint8_t>(i % 251));
    expected.push_back(static_cast<uint8_t>(i % 251));
  }
  stream = stream + Bytes{0x80} + Ref10(3, 4096);
  expected.insert(expected.end(), {0, 1, 2});
  EXPECT_EQ(Unpack(stream), expected);
}

TEST(LzUnpack, ReadsType11LengthClasses) {
  const Bytes stream = Header(0x11, 2 + 16 + 17 + 272 + 273 + 65808 + 3) + Bytes{0x3F} + Text("ab") + Ref11(16, 2) +
                       Ref11(17, 1) + Ref11(272, 2) + Ref11(273, 3) + Ref11(65808, 2) + Ref11(3, 1);
  const Bytes out = Unpack(stream);
  ASSERT_EQ(out.size(), 2u + 16 + 17 + 272 + 273 + 65808 + 3);
  std::string expected = "ab";
  auto copy = [&](std::size_t length, std::size_t distance) {
    for (std::size_t k = 0; k < length; ++k) expected += expected[expected.size() - distance];
  };
  copy(16, 2);
  copy(17, 1);
  copy(272, 2);
  copy(273, 3);
  copy(65808, 2);
  copy(3, 1);
  EXPECT_EQ(out, Text(expected));
}

TEST(LzUnpack, CutsTheFinalReferenceAndIgnoresTrailingBytes) {
  EXPECT_EQ(Unpack(Header(0x10, 5) + Bytes{0x40} + Text("a") + Ref10(18, 1)), Text("aaaaa"));
  EXPECT_EQ(Unpack(Header(0x11, 300) + Bytes{0x40} + Text("a") + Ref11(65808, 1)), Bytes(300, 'a'));
  // Flag bits and bytes after the declared size are never read.
  EXPECT_EQ(Unpack(Header(0x10, 2) + Bytes{0x3F} + Text("ab") + Bytes{0xFF, 0xFF, 0xFF}), Text("ab"));
  EXPECT_EQ(Unpack(Header(0x10, 0) + Bytes{0xFF, 0x12}), Bytes{});
}

TEST(LzUnpack, RejectsBadStreamsWithOneLine) {
  const std::vector<std::pair<Bytes, std::string>> cases = {
      {Bytes{0x10, 1, 0}, "truncated stream"},
      {Header(0x10, 5), "truncated stream"},
      {Header(0x10, 5) + Bytes{0x00} + Text("abc"), "truncated stream"},
      {Header(0x10, 5) + Bytes{0x40} + Text("a") + Bytes{0xF0}, "truncated stream"},
      {Header(0x11, 300) + Bytes{0x40} + Text("a") + Bytes{0x10, 0x00, 0x00}, "truncated stream"},
      {Header(0x10, 0xFFFFFF) + Bytes{0x00} + Text("a"), "truncated stream"},
      {Header(0x10, 5) + Bytes{0x80} + Ref10(3, 1), "reference before the start"},
      {Header(0x10, 5) + Bytes{0x40} + Text("a") + Ref10(3, 2), "reference before the start"},
      {Header(0x11, 50) + Bytes{0x40} + Text("a") + Ref11(40, 2), "reference before the start"},
      {Header(0x00, 1) + Text("a"), "unknown stream type 0x00"},
      {Header(0x30, 1) + Text("a"), "unknown stream type 0x30"},
      {Header(0x24, 1) + Text("a"), "unknown stream type 0x24"},
  };
  for (const auto& [stream, start] : cases) {
    const std::string message = Message(stream);
    EXPECT_EQ(message.rfind(start, 0), 0u) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
  }
}

}  // namespace
}  // namespace kora::lz
