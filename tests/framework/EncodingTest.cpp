#include "framework/core/Encoding.h"

#include <gtest/gtest.h>

namespace kora {
namespace {

TEST(AnsiToUtf8, DecodesGbkAndReplacesBadBytes) {
  EXPECT_EQ(AnsiToUtf8("\xD6\xD0\xCE\xC4 ok"), "中文 ok");
  EXPECT_EQ(AnsiToUtf8("\x80"), "€");
  // 0xFF never starts a character; a lead byte at the end has no partner.
  EXPECT_EQ(AnsiToUtf8("a\xFF"
                       "b\xD6"),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
  EXPECT_EQ(AnsiToUtf8(""), "");
  // Long input crosses the converter's buffer.
  std::string many;
  for (int i = 0; i < 2000; ++i) many += "\xD6\xD0";
  std::string expected;
  for (int i = 0; i < 2000; ++i) expected += "中";
  EXPECT_EQ(AnsiToUtf8(many), expected);
}

TEST(Utf8ToAnsi, EncodesAndReplacesWhatGbkLacks) {
  EXPECT_EQ(Utf8ToAnsi("中文"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(Utf8ToAnsi("a😀b"), "a?b");
  EXPECT_EQ(Utf8ToAnsi("a\xE4"
                       "b"),
            "a?b");  // broken sequence keeps the next byte
}

TEST(AnsiLeft, NeverCutsADoubleByteCharacter) {
  const std::string text = "a\xD6\xD0\xCE\xC4";
  EXPECT_EQ(AnsiLeft(text, 3), "a\xD6\xD0");
  EXPECT_EQ(AnsiLeft(text, 4), "a\xD6\xD0");
  EXPECT_EQ(AnsiLeft(text, 99), text);
  EXPECT_EQ(AnsiLeft("\xD6", 5), "\xD6");
}

}  // namespace
}  // namespace kora
