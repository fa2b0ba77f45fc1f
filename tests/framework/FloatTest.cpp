#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "framework/core/SysUtils.h"

namespace kora {
namespace {

TEST(StrToFloat, AcceptsTheRuntimeSyntaxOnly) {
  EXPECT_EQ(StrToFloat("1.5"), 1.5);
  EXPECT_EQ(StrToFloat(" -2 "), -2);
  EXPECT_EQ(StrToFloat("+.5"), 0.5);
  EXPECT_EQ(StrToFloat("3E-2"), 0.03);
  EXPECT_EQ(StrToFloat("1."), 1);
  for (const char* bad : {"", ".", "1,5", "1e", "inf", "nan", "0x10", "1 2", "1e999"}) {
    try {
      StrToFloat(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid floating point value");
    }
  }
  EXPECT_EQ(StrToFloatDef("x", 4), 4);
}

TEST(FloatToStr, ShortestTextOfFifteenDigits) {
  EXPECT_EQ(FloatToStr(1.5), "1.5");
  EXPECT_EQ(FloatToStr(0.1), "0.1");
  EXPECT_EQ(FloatToStr(100), "100");
  EXPECT_EQ(FloatToStr(-0.0001), "-0.0001");
  EXPECT_EQ(FloatToStr(0.00001), "1E-5");
  EXPECT_EQ(FloatToStr(1e15), "1E15");
  EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
  EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(FloatToStr(2.5e-20), "2.5E-20");
  EXPECT_EQ(StrToFloat(FloatToStr(0.7)), 0.7);
}

TEST(FormatFloat, PicturesOfZerosHashesAndGroups) {
  EXPECT_EQ(FormatFloat("0.00", 1.005), "1.00");  // 1.005 is slightly less in binary
  EXPECT_EQ(FormatFloat("0.00", 0.125), "0.13");  // exact halves go away from zero
  EXPECT_EQ(FormatFloat("0.00", -0.125), "-0.13");
  EXPECT_EQ(FormatFloat("#,##0", 1234567), "1,234,567");
  EXPECT_EQ(FormatFloat("0.###", 2.5), "2.5");
  EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
  EXPECT_EQ(FormatFloat("000", 7), "007");
  EXPECT_EQ(FormatFloat("0", 99.5), "100");
  EXPECT_EQ(FormatFloat("0.0", -0.04), "0.0");
  EXPECT_EQ(FormatFloat("Size: 0.0 px", 3), "Size: 3.0 px");
}

TEST(Round, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(Round(0.5), 0);
  EXPECT_EQ(Round(1.5), 2);
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(-2.5), -2);
  EXPECT_EQ(Round(-3.5), -4);
  EXPECT_EQ(Round(2.5000001), 3);
  EXPECT_EQ(Round(-0.49), 0);
  EXPECT_EQ(Round(4503599627370497.0), 4503599627370497);
  EXPECT_THROW(Round(std::numeric_limits<double>::quiet_NaN()), EInvalidOp);
  EXPECT_THROW(Round(1e19), EInvalidOp);
}

TEST(StrToBool, WordsAndNumbers) {
  EXPECT_TRUE(StrToBool("true"));
  EXPECT_FALSE(StrToBool("FALSE"));
  EXPECT_TRUE(StrToBool("-1"));
  EXPECT_FALSE(StrToBool("0"));
  try {
    StrToBool("yes");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'yes' is not a valid boolean value");
  }
  EXPECT_EQ(BoolToStr(true), "-1");
  EXPECT_EQ(BoolToStr(false, true), "False");
}

}  // namespace
}  // namespace kora
