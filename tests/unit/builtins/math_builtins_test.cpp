// The arithmetic and vector built-ins at the edges of their domains.
#include <cmath>

#include "builtins_test_support.h"

namespace {

using builtins_test::BuiltinsTest;
using builtins_test::Int;
using builtins_test::Num;
using builtins_test::Owned;
using builtins_test::Str;
using builtins_test::ValueOf;
using builtins_test::Vec;

constexpr double kPi = 3.141592653589793;

struct UnaryCase {
  const char* name;
  double argument;
  double expected;
};

TEST_F(BuiltinsTest, UnaryFunctionsAtTheirEdges) {
  const UnaryCase cases[] = {
      {"sqrt", 9.0, 3.0},
      {"sqrt", -4.0, 0.0},
      {"sqrt", -1.0, 0.0},
      {"sqrt", 0.0, 0.0},
      {"sqrt", 1e-9, 0.0},  // zero within the tolerance
      {"sqrt", 1e-4, 0.01},
      {"asin", 1.0000000001, kPi / 2},  // snapped onto 1
      {"asin", -1.0000000001, -kPi / 2},
      {"asin", 2.0, 0.0},
      {"asin", -1.5, 0.0},
      {"asin", 1e-9, 0.0},
      {"asin", 0.5, std::asin(0.5)},
      {"acos", 1.0000000001, 0.0},
      {"acos", -1.0000000001, kPi},
      {"acos", 1e-9, kPi / 2},  // the argument snaps onto 0, not the result
      {"acos", 1.01, 0.0},
      {"acos", 0.5, std::acos(0.5)},
      {"tan", kPi / 2, 0.0},
      {"tan", -kPi / 2, 0.0},
      {"tan", 3 * kPi / 2, 0.0},
      {"tan", kPi / 4, 1.0},
      {"cotan", kPi / 4, 1.0},
      {"cotan", kPi / 2, 0.0},
      {"cotan", 0.0, 0.0},  // its own pole: 0 rather than infinity
      {"cotan", kPi, 0.0},
      {"round", 2.5, 3.0},
      {"round", -2.5, -2.0},
      {"round", 2.4999, 2.0},
      {"round", -0.5, 0.0},
      {"abs", -3.5, 3.5},
      {"rad", 180.0, kPi},
      {"deg", kPi / 2, 90.0},
      {"sin", kPi / 2, 1.0},
      {"cos", kPi, -1.0},
      {"atan", 1.0, kPi / 4},
  };
  for (const UnaryCase& c : cases) {
    EXPECT_NEAR(Number(c.name, {Num(c.argument)}), c.expected, 1e-12)
        << c.name << "(" << c.argument << ")";
  }
}

// The built-ins appended for feature authors, at the edges of their domains: a result that is
// not a finite number leaves 0.
TEST_F(BuiltinsTest, AuthorsArithmeticAtItsEdges) {
  struct Case {
    const char* name;
    double x;
    double y;  // second argument (atan2, pow), ignored by the others
    double expected;
  };
  const Case cases[] = {
      {"floor", 2.7, 0, 2.0},         {"floor", -2.5, 0, -3.0},
      {"floor", 3.0, 0, 3.0},         {"ceil", 2.1, 0, 3.0},
      {"ceil", -2.5, 0, -2.0},        {"atan2", 1.0, -1.0, 3 * kPi / 4},
      {"atan2", -1.0, 0.0, -kPi / 2}, {"atan2", 0.0, 0.0, 0.0},
      {"atan2", 0.0, -2.0, kPi},      {"pow", 2.0, 10.0, 1024.0},
      {"pow", 27.0, 1.0 / 3, 3.0},    {"pow", -8.0, 1.0 / 3, 0.0},  // no real power
      {"pow", 10.0, 400.0, 0.0},                                    // overflow
      {"pow", 0.0, -1.0, 0.0},                                      // a pole
      {"exp", 1.0, 0, std::exp(1.0)}, {"exp", 1000.0, 0, 0.0},      // overflow
      {"log", std::exp(2.0), 0, 2.0}, {"log", 0.0, 0, 0.0},
      {"log", -1.0, 0, 0.0},          {"sign", -3.5, 0, -1.0},
      {"sign", 0.25, 0, 1.0},         {"sign", 1e-9, 0, 0.0},  // zero within the tolerance
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(Number(c.name, {Num(c.x), Num(c.y)}), c.expected, 1e-12)
        << c.name << "(" << c.x << ", " << c.y << ")";
  }
  EXPECT_EQ(Number("floor"), 0.0);
  EXPECT_EQ(Number("floor", {Int(-7)}), -7.0);
}

TEST_F(BuiltinsTest, SnappedArcArgumentsGiveExactValues) {
  EXPECT_EQ(Number("asin", {Num(1.0000000001)}), std::asin(1.0));
  EXPECT_EQ(Number("acos", {Num(-0.9999999999)}), std::acos(-1.0));
}

TEST_F(BuiltinsTest, IntegersCountAsNumbers) {
  EXPECT_EQ(Number("sqrt", {Int(16)}), 4.0);
  EXPECT_EQ(Number("max", {Int(3), Num(2.5)}), 3.0);
  EXPECT_EQ(Number("abs", {Int(-7)}), 7.0);
}

TEST_F(BuiltinsTest, MissingOrUnsuitableArgumentsReadAsZero) {
  EXPECT_EQ(Number("pi"), kPi);
  EXPECT_EQ(Number("sqrt"), 0.0);
  EXPECT_EQ(Number("cos"), 1.0);
  EXPECT_EQ(Number("abs", {Str("-3")}), 0.0);
  EXPECT_EQ(Number("min", {Num(4)}), 0.0);
  EXPECT_EQ(Number("max", {Num(-4)}), 0.0);
  EXPECT_EQ(Number("min", {Num(4), Num(-1)}), -1.0);
  EXPECT_EQ(Number("max", {Num(4), Num(-1)}), 4.0);
  EXPECT_EQ(Number("round", {Vec(1, 2, 3)}), 0.0);
}

TEST_F(BuiltinsTest, VectorProducts) {
  EXPECT_EQ(Number("vec_len", {Vec(3, 4, 0)}), 5.0);
  EXPECT_EQ(Number("scalar_product", {Vec(1, 2, 3), Vec(4, -5, 6)}), 12.0);
  op_vector z(0, 0, 1);
  EXPECT_EQ(ValueOf(Call("cross_product", {Vec(1, 0, 0), Vec(0, 1, 0)}).get()), ValueOf(&z));
  EXPECT_EQ(Number("spat_product", {Vec(1, 0, 0), Vec(0, 1, 0), Vec(0, 0, 2)}), 2.0);
  EXPECT_EQ(Number("spat_product", {Vec(0, 1, 0), Vec(1, 0, 0), Vec(0, 0, 2)}), -2.0);
}

TEST_F(BuiltinsTest, UnitVectorOfAZeroVectorStaysZero) {
  Owned unit = Call("vec_norm", {Vec(0, 3, 4)});
  ASSERT_TRUE(unit->IsOpVector());
  EXPECT_NEAR(unit->get_vector()[1], 0.6, 1e-15);
  EXPECT_NEAR(unit->get_vector()[2], 0.8, 1e-15);
  Owned zero = Call("vec_norm", {Vec(0, 0, 0)});
  EXPECT_EQ(zero->get_vector()[0], 0.0);
  EXPECT_EQ(zero->get_vector()[2], 0.0);
  Owned none = Call("vec_norm", {Num(3)});
  EXPECT_EQ(none->get_vector()[0], 0.0);
}

TEST_F(BuiltinsTest, AngleBetweenVectors) {
  EXPECT_NEAR(Number("vecs_angle", {Vec(1, 0, 0), Vec(0, 2, 0)}), kPi / 2, 1e-15);
  EXPECT_NEAR(Number("vecs_angle", {Vec(1, 0, 0), Vec(-1, 0, 0)}), kPi, 1e-15);
  EXPECT_NEAR(Number("vecs_angle", {Vec(1, 0, 0), Vec(0, -1, 0)}), kPi / 2, 1e-15);
  // With a normal the angle turns about it, right hand.
  EXPECT_NEAR(Number("vecs_angle", {Vec(1, 0, 0), Vec(0, -1, 0), Vec(0, 0, 1)}), 3 * kPi / 2,
              1e-15);
  EXPECT_NEAR(Number("vecs_angle", {Vec(1, 0, 0), Vec(0, 1, 0), Vec(0, 0, 1)}), kPi / 2, 1e-15);
  EXPECT_EQ(Number("vecs_angle", {Vec(0, 0, 0), Vec(0, 1, 0)}), 0.0);
  EXPECT_EQ(Number("vecs_angle", {Vec(1, 0, 0)}), 0.0);
}

}  // namespace
