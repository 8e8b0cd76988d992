// Integer and floating-point operands: the arithmetic and comparison tables, 32-bit
// wrap-around, the overflow value and the text forms.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "operand_test_support.h"

namespace {

using namespace operand_test;

TEST(OperandNumbers, ArithmeticTable) {
  ErrorRecorder quiet;
  const BinaryCase cases[] = {
      {"n:7", "/", "n:2", "z:3"},  // truncated integer quotient, as a double
      {"n:-7", "/", "n:2", "z:-3"},   {"z:7", "/", "n:2", "z:3.5"},
      {"n:7", "/", "z:2", "z:3.5"},   {"z:1", "/", "z:4", "z:0.25"},
      {"n:7", "%", "n:3", "n:1"},     {"n:-7", "%", "n:3", "n:-1"},  // sign of the dividend
      {"n:7", "%", "n:-3", "n:1"},    {"n:7", "%", "n:0", "n:0"},
      {"z:7.5", "%", "n:2", "null"},  {"n:7", "%", "z:2", "null"},
      {"n:5", "-", "n:3", "n:2"},     {"z:5", "-", "z:3", "z:2"},
      {"z:5", "-", "z:5", "z:0"},  // not -0: the reversed difference is negated
      {"n:5", "-", "z:3.5", "z:1.5"}, {"z:5.5", "-", "n:3", "z:2.5"},
      {"n:2", "+", "z:0.5", "z:2.5"}, {"z:0.5", "+", "n:2", "z:2.5"},
      {"n:2", "+", "n:3", "n:5"},     {"n:3", "*", "z:2.5", "z:7.5"},
      {"z:2.5", "*", "n:3", "z:7.5"}, {"n:-4", "*", "n:3", "n:-12"},
      {"n:3", "+", "b:TRUE", "null"}, {"z:3", "+", "t:abc", "null"},
  };
  for (const BinaryCase& c : cases) {
    EXPECT_EQ(Evaluate(c), c.result) << c.left << " " << c.op << " " << c.right;
  }
}

TEST(OperandNumbers, ComparisonTableToleranceOnlyForFloatOnTheRight) {
  const BinaryCase cases[] = {
      {"z:1", "==", "z:1.0000005", "b:TRUE"},
      {"z:1", "<", "z:1.0000005", "b:TRUE"},  // ordering stays exact
      {"z:1", "!=", "z:1.0000005", "b:FALSE"},
      {"z:1", "==", "z:1.000002", "b:FALSE"},
      {"z:1", "!=", "z:1.000002", "b:TRUE"},
      {"n:3", "==", "z:3.0000001", "b:TRUE"},
      {"z:3.0000001", "==", "n:3", "b:FALSE"},  // an integer on the right compares exactly
      {"z:3.0000001", "!=", "n:3", "b:TRUE"},
      {"n:2", "<", "n:3", "b:TRUE"},
      {"n:3", "<", "n:3", "b:FALSE"},
      {"n:3", "<=", "n:3", "b:TRUE"},
      {"n:3", ">", "z:2.5", "b:TRUE"},
      {"z:2.5", ">=", "n:3", "b:FALSE"},
      {"n:3", ">=", "z:3", "b:TRUE"},
      {"z:-1", "<=", "z:-1", "b:TRUE"},
      {"n:4", "==", "n:4", "b:TRUE"},
      {"n:4", "!=", "n:5", "b:TRUE"},
  };
  for (const BinaryCase& c : cases) {
    EXPECT_EQ(Evaluate(c), c.result) << c.left << " " << c.op << " " << c.right;
  }
}

TEST(OperandNumbers, ZeroDivisorGivesTheOverflowValue) {
  for (const char* left : {"n:1", "n:0", "n:-1", "z:1", "z:-1"}) {
    for (const char* right : {"n:0", "z:0"}) {
      Owned l(Make(left)), r(Make(right));
      Owned q(l->divide(r.get()));
      ASSERT_TRUE(q && q->IsOpZahl()) << left << "/" << right;
      EXPECT_EQ(q->get_double(), HUGE_VAL) << left << "/" << right;
    }
  }
}

TEST(OperandNumbers, IntegerArithmeticWrapsLikeTwosComplement) {
  const BinaryCase cases[] = {
      {"n:2147483647", "+", "n:1", "n:-2147483648"},
      {"n:-2147483648", "-", "n:1", "n:2147483647"},
      {"n:1", "-", "n:-2147483648", "n:-2147483647"},
      {"n:65536", "*", "n:65536", "n:0"},
      {"n:2147483647", "*", "n:2", "n:-2"},
      {"n:-2147483648", "*", "n:-1", "n:-2147483648"},
      {"n:-2147483648", "%", "n:-1", "n:0"},
      {"n:-2147483648", "/", "n:-1", "z:2147483648"},
  };
  for (const BinaryCase& c : cases) {
    EXPECT_EQ(Evaluate(c), c.result) << c.left << " " << c.op << " " << c.right;
  }
  op_number minimum(-2147483647L - 1);
  EXPECT_EQ(Describe(Own(minimum.minus_of()).get()), "n:-2147483648");
  if (sizeof(long) > 4) {
    op_number wide(static_cast<long>(4294967297LL));  // 2^32 + 1
    EXPECT_EQ(wide.get_long(), 1);
  }
}

TEST(OperandNumbers, UnaryOperations) {
  struct Case {
    const char* operand;
    const char* negated;
    const char* inverted;
  };
  const Case cases[] = {
      {"n:5", "n:-5", "n:0"},          {"n:1", "n:-1", "n:1"},    {"n:-1", "n:1", "n:-1"},
      {"n:0", "n:0", "n:-2147483648"}, {"z:4", "z:-4", "z:0.25"}, {"z:-0.5", "z:0.5", "z:-2"},
      {"z:0", "z:0", "z:inf"},
  };
  for (const Case& c : cases) {
    Owned operand(Make(c.operand));
    EXPECT_EQ(Describe(Own(operand->minus_of()).get()), c.negated) << c.operand;
    EXPECT_EQ(Describe(Own(operand->inverse()).get()), c.inverted) << c.operand;
    EXPECT_EQ(Describe(operand.get()), Describe(Own(Make(c.operand)).get())) << "unchanged";
  }
}

TEST(OperandNumbers, FloatToIntegerTruncatesAndMapsOverflowToTheMinimum) {
  constexpr long kMin = -2147483647L - 1;
  const std::pair<double, long> cases[] = {
      {2.9, 2},
      {-2.9, -2},
      {2147483647.0, 2147483647},
      {-2147483648.0, kMin},
      {2147483648.0, kMin},
      {-3e9, kMin},
      {HUGE_VAL, kMin},
      {std::numeric_limits<double>::quiet_NaN(), kMin},
  };
  for (auto [value, expected] : cases) {
    EXPECT_EQ(op_zahl(value).get_long(), expected) << value;
  }
  EXPECT_EQ(op_number(-7).get_double(), -7.0);
}

TEST(OperandNumbers, TextForms) {
  const std::pair<double, const char*> floats[] = {
      {2.50, "2.5"}, {3.0, "3"}, {-0.25, "-0.25"}, {1.0 / 3.0, "0.333333"}, {1e6, "1000000"}};
  for (auto [value, text] : floats) {
    op_zahl z(value);
    EXPECT_EQ(Text(&z), text);
    EXPECT_EQ(Sval(&z), text);
  }
  op_zahl overflow(HUGE_VAL);
  EXPECT_EQ(Sval(&overflow), "<null>");
  op_number n(-42);
  EXPECT_EQ(Text(&n), "-42");
  EXPECT_EQ(Sval(&n), "-42");
}

TEST(OperandNumbers, LiteralsFromText) {
  ErrorRecorder errors;
  const std::pair<const char*, long> integers[] = {{"42", 42},
                                                   {"  -17xyz", -17},
                                                   {"abc", 0},
                                                   {"99999999999", 2147483647},
                                                   {"-99999999999", -2147483647L - 1}};
  for (auto [text, value] : integers) {
    op_number n(5, "old;");
    n.setsval(text);
    EXPECT_EQ(n.get_long(), value) << text;
    EXPECT_EQ(n.get_value_source(), nullptr) << "a literal clears the source";
  }
  op_number n(5);
  n.setsval("");
  EXPECT_EQ(errors.Last(), "value  no correct long");
  EXPECT_EQ(n.get_long(), 5);

  op_zahl z(1.5, "old;");
  z.setsval("2.25e1");
  EXPECT_EQ(z.get_double(), 22.5);
  EXPECT_EQ(z.get_value_source(), nullptr);
  z.setsval("1e999");
  EXPECT_EQ(errors.Last(), "value 1e999 no correct double");
  EXPECT_EQ(z.get_double(), 22.5);
  z.setsval("junk");
  EXPECT_EQ(z.get_double(), 0.0) << "atof reads no digits as 0";
}

}  // namespace
