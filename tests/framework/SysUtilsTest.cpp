#include "framework/core/SysUtils.h"

#include <gtest/gtest.h>

namespace kora {
namespace {

TEST(StrToInt, AcceptsDecimalWithSignAndLimits) {
  EXPECT_EQ(StrToInt("0"), 0);
  EXPECT_EQ(StrToInt("-1"), -1);
  EXPECT_EQ(StrToInt("+42"), 42);
  EXPECT_EQ(StrToInt("  17"), 17);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
}

TEST(StrToInt, AcceptsHexPrefixesAndWraps) {
  EXPECT_EQ(StrToInt("$1F"), 31);
  EXPECT_EQ(StrToInt("0x1f"), 31);
  EXPECT_EQ(StrToInt("0XFF"), 255);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(StrToInt("-$10"), -16);
}

TEST(StrToInt, RejectsWithTheRuntimeMessage) {
  for (const char* bad : {"", " ", "-", "12a", "1 ", "2147483648", "-2147483649", "$", "0x", "$100000000", "1.5"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid integer value");
    }
  }
  EXPECT_EQ(StrToIntDef("x", 7), 7);
  int32_t value = 0;
  EXPECT_FALSE(TryStrToInt("", value));
}

TEST(IntToHex, PadsUpperCaseAndShowsNegativesInTheirWidth) {
  EXPECT_EQ(IntToHex(0, 1), "0");
  EXPECT_EQ(IntToHex(255, 1), "FF");
  EXPECT_EQ(IntToHex(0x12, 4), "0012");
  EXPECT_EQ(IntToHex(0x12345, 4), "12345");
  EXPECT_EQ(IntToHex(-1, 1), "FFFFFFFF");
  EXPECT_EQ(IntToHex(int64_t{-1}, 1), "FFFFFFFFFFFFFFFF");
}

}  // namespace
}  // namespace kora
