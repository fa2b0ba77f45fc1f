#include "platform/text/Utf8.h"

#include <gtest/gtest.h>

namespace kora {
namespace {

TEST(Utf8, DecodesEveryLengthAndRoundTrips) {
  const std::string text = "A\xC3\xA9\xE4\xBA\xBA\xF0\x9F\x98\x80";  // A é 人 😀
  const std::u32string decoded = Utf8ToUtf32(text);
  EXPECT_EQ(decoded, (std::u32string{U'A', 0xE9, 0x4EBA, 0x1F600}));
  EXPECT_EQ(Utf32ToUtf8(decoded), text);
}

TEST(Utf8, MalformedBytesBecomeOneReplacementEach) {
  struct Case {
    std::string Bytes;
    std::u32string Expected;
  };
  const Case cases[] = {
      {"\x80", {kReplacementChar}},                                              // stray continuation
      {"\xC3", {kReplacementChar}},                                              // truncated at the end
      {"\xE4\xBA", {kReplacementChar, kReplacementChar}},                        // truncated, two bytes left
      {"\xC0\xAF", {kReplacementChar, kReplacementChar}},                        // overlong "/"
      {"\xED\xA0\x80", {kReplacementChar, kReplacementChar, kReplacementChar}},  // surrogate
      {"\xF4\x90\x80\x80x", {kReplacementChar, kReplacementChar, kReplacementChar, kReplacementChar, U'x'}},
      {"\xE4"
       "A",
       {kReplacementChar, U'A'}},  // bad continuation keeps the next char
      {"\xFF\xFE", {kReplacementChar, kReplacementChar}},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToUtf32(c.Bytes), c.Expected) << "input of " << c.Bytes.size() << " bytes";
}

TEST(Utf8, EncodingRefusesSurrogatesAndOutOfRange) {
  EXPECT_EQ(Utf32ToUtf8(std::u32string{0xD800}), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf32ToUtf8(std::u32string{0x110000}), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace kora
