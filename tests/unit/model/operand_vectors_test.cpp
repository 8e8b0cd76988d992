// Vector, axis, transformation and geometry operands: component arithmetic, cross and dot
// products, axis reversal and transformation, the entity list, and the text forms.
#include <gtest/gtest.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/spa.h>

#include <cmath>
#include <numbers>

#include "operand_test_support.h"

namespace {

using namespace operand_test;

TEST(OperandVectors, OperatorTable) {
  const BinaryCase cases[] = {
      {"v:1,0,0", "*", "v:0,1,0", "v:[0,0,1]"},  // cross product, left first
      {"v:0,1,0", "*", "v:1,0,0", "v:[0,0,-1]"},
      {"v:1,0,0", "%", "v:0,1,0", "z:0"},  // dot product
      {"v:1,2,3", "%", "v:4,5,6", "z:32"},
      {"v:1,2,3", "+", "v:1,1,1", "v:[2,3,4]"},
      {"v:1,2,3", "-", "v:1,1,1", "v:[0,1,2]"},
      {"n:2", "*", "v:1,2,3", "v:[2,4,6]"},
      {"z:2.5", "*", "v:1,0,0", "v:[2.5,0,0]"},
      {"v:1,2,3", "*", "z:2", "v:[2,4,6]"},
      {"v:1,2,3", "*", "n:2", "null"},  // an integer on the right does not scale
      {"v:2,4,6", "/", "n:2", "v:[1,2,3]"},
      {"v:1,2,3", "/", "z:0.5", "v:[2,4,6]"},
      {"v:1,2,3", "/", "n:0", "v:[inf,inf,inf]"},
      {"v:1,2,3", "/", "z:0", "v:[inf,inf,inf]"},
      {"v:1,2,3", "/", "v:1,1,1", "null"},
      {"n:2", "/", "v:1,1,1", "null"},
      {"v:1,2,3", "==", "v:1,2,3.0000005", "b:TRUE"},
      {"v:1,2,3", "!=", "v:1,2,3.0000005", "b:FALSE"},
      {"v:1,2,3", "==", "v:1,2.1,3", "b:FALSE"},
      {"v:1,2,3", "!=", "v:1,2.1,3", "b:TRUE"},
      {"v:1,2,3", "+", "n:1", "null"},
      {"v:1,2,3", "<", "v:1,2,4", "null"},
  };
  ErrorRecorder quiet;
  for (const BinaryCase& c : cases) {
    EXPECT_EQ(Evaluate(c), c.result) << c.left << " " << c.op << " " << c.right;
  }
}

TEST(OperandVectors, TextFormAndLiterals) {
  op_vector v(1.5, -2, 0);
  EXPECT_EQ(Text(&v), "[1.5,-2,0]");
  EXPECT_EQ(Describe(Own(v.minus_of()).get()), "v:[-1.5,2,0]");

  ErrorRecorder errors;
  v.setsval("[4, 5, 6]");
  EXPECT_EQ(Text(&v), "[4,5,6]");
  v.setsval("[7,8]");
  EXPECT_EQ(errors.Last(), "value [7,8] no correct double");
  EXPECT_EQ(Text(&v), "[4,5,6]");
  EXPECT_EQ(v.SetVector(nullptr), -1);
  EXPECT_EQ(errors.Last(), "value pointer = NULL");
}

TEST(OperandAxis, ReversalAndTolerantEquality) {
  double origin[3] = {0, 0, 0}, direction[3] = {0, 0, 2};
  op_axis axis(origin, direction);
  Owned reversed(axis.minus_of());
  EXPECT_EQ(Text(reversed.get()), "[[0,0,2], [0,0,-2]]");

  double nearOrigin[3] = {0, 0, 5e-7};
  op_axis near(nearOrigin, direction);
  EXPECT_EQ(Own(axis.equal(&near))->get_LOGICAL(), TRUE);
  EXPECT_EQ(Own(axis.not_equal(&near))->get_LOGICAL(), FALSE);
  EXPECT_EQ(Own(axis.equal(reversed.get()))->get_LOGICAL(), FALSE);
  EXPECT_EQ(Own(axis.not_equal(reversed.get()))->get_LOGICAL(), TRUE);
}

TEST(OperandAxis, TextRoundTripAndLiterals) {
  ErrorRecorder errors;
  op_axis axis;
  axis.setsval("[[1,2,3],[4,5,6]]");
  EXPECT_EQ(Text(&axis), "[[1,2,3], [4,5,6]]");
  op_axis copy;
  copy.setsval(Text(&axis).c_str());
  EXPECT_EQ(Text(&copy), Text(&axis));
  copy.setsval("[[1,2,3],[4,5]]");
  EXPECT_EQ(errors.Last(), "value [[1,2,3],[4,5]] no correct XDOUBLE");
  EXPECT_EQ(axis.SetOrigin(nullptr), -1);
  EXPECT_EQ(errors.Last(), "value pointer = NULL");
}

TEST(OperandAxis, TransformedInEitherOrder) {
  SPAtransf quarterTurn = rotate_transf(std::numbers::pi / 2, SPAvector(0, 0, 1));
  SPAtransf shift = translate_transf(SPAvector(1, 2, 3));
  double origin[3] = {1, 0, 0}, direction[3] = {2, 0, 0};
  op_axis axis(origin, direction);
  struct Case {
    const SPAtransf* transf;
    const char* expected;
  };
  const Case cases[] = {
      {&quarterTurn, "[[0,1,0], [0,2,0]]"},
      {&shift, "[[2,2,3], [2,0,0]]"},  // directions do not move
  };
  for (const Case& c : cases) {
    op_trans t(c.transf);
    Owned axisTimesTrans(axis.multiply(&t));
    Owned transTimesAxis(t.multiply(&axis));
    ASSERT_TRUE(axisTimesTrans && axisTimesTrans->IsOpAxis());
    ASSERT_TRUE(transTimesAxis && transTimesAxis->IsOpAxis());
    op_axis expected;
    expected.setsval(c.expected);
    EXPECT_EQ(Own(axisTimesTrans->equal(&expected))->get_LOGICAL(), TRUE)
        << Text(axisTimesTrans.get());
    EXPECT_EQ(Own(transTimesAxis->equal(&expected))->get_LOGICAL(), TRUE)
        << Text(transTimesAxis.get());
  }
}

TEST(OperandTrans, ProductTakesTheRightOperandFirst) {
  SPAtransf shift = translate_transf(SPAvector(1, 0, 0));
  SPAtransf quarterTurn = rotate_transf(std::numbers::pi / 2, SPAvector(0, 0, 1));
  op_trans left(&shift), right(&quarterTurn);
  Owned product(left.multiply(&right));
  ASSERT_TRUE(product && product->IsOpTrans());
  // The right operand's rotation runs first, then the left operand's shift.
  SPAposition moved = SPAposition(0, 0, 0) * *product->get_transf();
  EXPECT_TRUE(same_point(moved, SPAposition(1, 0, 0)));
  EXPECT_EQ(Own(op_trans().multiply(&right)), nullptr) << "no transformation, no product";
}

TEST(OperandTrans, TextFormRebuildsTheTransformation) {
  SPAtransf transf = rotate_transf(0.3, SPAvector(1, 1, 0)) * translate_transf(SPAvector(5, 0, -2));
  op_trans original(&transf);
  std::string text = Text(&original);
  EXPECT_EQ(text.rfind("get_TM ([ ", 0), 0u) << text;
  EXPECT_NE(text.find(" ],\n\t\t[ "), std::string::npos);

  op_trans copy;
  copy.setsval(text.c_str());
  ASSERT_NE(copy.get_transf(), nullptr);
  EXPECT_EQ(Text(&copy), text);
  SPAposition p(1, 2, 3);
  EXPECT_TRUE(same_point(p * *copy.get_transf(), p * transf, 1e-12));

  copy.setsval("NULL");
  EXPECT_EQ(copy.get_transf(), nullptr);
  EXPECT_EQ(Text(&copy), "NULL");
  copy.setsval("[ 1, 0 ]");
  EXPECT_EQ(copy.get_transf(), nullptr) << "malformed text leaves the value";
}

class FakeEntity : public ENTITY {
 public:
  explicit FakeEntity(const char* type) : type_(type) {}
  const char* type_name() const override { return type_; }

 private:
  const char* type_;
};

TEST(OperandGeom, HoldsItsOwnCopyOfTheList) {
  FakeEntity body("body"), face("face");
  list entities;
  entities.add(&body);
  entities.add(&face);
  op_geom geometry(&entities, "w.f_1;");
  entities.remove(&face);
  GENERIC_LIST<ENTITY> out;
  EXPECT_EQ(geometry.get_ENTITY(&out), 2);
  EXPECT_EQ(out[1], &face);
  EXPECT_EQ(geometry.get_ENTITY(0), &body);
  EXPECT_EQ(geometry.get_ENTITY(2), nullptr);
  EXPECT_EQ(Text(&geometry), "w.f_1");

  op_geom copy;
  copy.assign(&geometry);
  EXPECT_EQ(copy.get_list()->count(), 2);
  EXPECT_NE(copy.get_list(), geometry.get_list());
  EXPECT_STREQ(copy.get_value_source(), "w.f_1;");
}

TEST(OperandGeom, BooleansNeedAFaceOrEdgeLast) {
  FakeEntity body("body"), face("face");
  list bodyLast;
  bodyLast.add(&face);
  bodyLast.add(&body);
  op_geom left(&face), right(&bodyLast);
  for (const char* op : {"+", "-", "*", "/"}) {
    std::size_t before = aritm::AritmCount();
    EXPECT_EQ(Own(Apply(&left, op, &right)), nullptr) << op;
    EXPECT_EQ(aritm::AritmCount(), before);
  }
}

}  // namespace
