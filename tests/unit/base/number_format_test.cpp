// The number text forms every writer of the engine shares.
#include "base/number_format.h"

#include <gtest/gtest.h>

namespace {

using varnex::base::FormatFloat;
using varnex::base::FormatSigned;
using varnex::base::FormatUnsigned;
using varnex::base::IntegerFormat;

TEST(NumberFormat, FloatsDropTrailingZeros) {
  struct Case {
    double value;
    int precision;
    const char* text;
  };
  const Case cases[] = {
      {2.50, -1, "2.5"},
      {3.0, -1, "3"},
      {-0.25, -1, "-0.25"},
      {3.14159265358979, -1, "3.141593"},
      {1e-7, -1, "0"},
      {-1e-7, -1, "-0"},
      {0.1, 14, "0.1"},
      {1.0 / 3.0, 14, "0.33333333333333"},
      {0.1 + 0.2, 14, "0.3"},
      {12.0, 14, "12"},
      {123456789.0, -1, "123456789"},
      {1e20, 2, "100000000000000000000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatFloat(c.value, c.precision), c.text) << c.value;
  }
}

TEST(NumberFormat, ExponentFormKeepsTheExponent) {
  EXPECT_EQ(FormatFloat(1500.0, -1, true), "1.5e+03");
  EXPECT_EQ(FormatFloat(1000.0, 2, true), "1e+03");
}

TEST(NumberFormat, IntegersWithRangeBaseAndPrefix) {
  IntegerFormat range5{varnex::base::kDecimal, false, 5};
  EXPECT_EQ(FormatSigned(-42, range5), "-00042");
  EXPECT_EQ(FormatSigned(42, range5), "00042");
  EXPECT_EQ(FormatSigned(-2147483647 - 1), "-2147483648");
  IntegerFormat bin{varnex::base::kBinary, true, 8};
  EXPECT_EQ(FormatSigned(5, bin), "0b00000101");
  EXPECT_EQ(FormatSigned(0, {varnex::base::kBinary, false, -1}), "0");
  EXPECT_EQ(FormatSigned(255, {varnex::base::kHexadecimal, true, -1}), "0xff");
  EXPECT_EQ(FormatSigned(8, {varnex::base::kOctal, true, 4}), "0o0010");
  EXPECT_EQ(FormatUnsigned(4000000000u), "4000000000");
  EXPECT_EQ(FormatSigned(-1, {varnex::base::kHexadecimal, false, -1}), "ffffffff");
}

}  // namespace
