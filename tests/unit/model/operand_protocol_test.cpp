// The operand protocol: reports of unsupported operations and missing operands, value source,
// restrictions, validity, assign, the setsval formula rule and the text accessors.
#include <gtest/gtest.h>
#include <varnex/geometry/entity.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>

#include "model/operands/formula_hook.h"
#include "operand_test_support.h"

namespace {

using namespace operand_test;

TEST(OperandProtocol, UnsupportedOperationsReportTheirLabel) {
  struct Case {
    const char* label;
    std::function<aritm*(aritm&)> call;
  };
  op_text text("t");
  op_object object;
  double xyz[3] = {0, 0, 0};
  const Case cases[] = {
      {"percent (aritm *)", [&](aritm& a) { return a.percent(&text); }},
      {"add (double)", [](aritm& a) { return a.add(1.5); }},
      {"subtract (list *)", [](aritm& a) { return a.subtract(static_cast<list*>(nullptr)); }},
      {"multiply (transf *)",
       [](aritm& a) { return a.multiply(static_cast<SPAtransf*>(nullptr)); }},
      {"multiply (double *, double *)", [&](aritm& a) { return a.multiply(xyz, xyz); }},
      {"equal (XINT, XCHAR *)", [](aritm& a) { return a.equal(1, "x"); }},
      {"equal (rumpf *)", [](aritm& a) { return a.equal(static_cast<rumpf*>(nullptr)); }},
      {"not ()", [](aritm& a) { return a.not_(); }},
      {"less (long)", [](aritm& a) { return a.less(3); }},
      {"greater_equal (double)", [](aritm& a) { return a.greater_equal(3.0); }},
      {"xor (XBOOL)", [](aritm& a) { return a.xor_(TRUE); }},
      {"not_equal (PVFconnect2dBa *)",
       [](aritm& a) { return a.not_equal(static_cast<PVFconnect2dBa*>(nullptr)); }},
  };
  for (const Case& c : cases) {
    ErrorRecorder errors;
    EXPECT_EQ(c.call(object), nullptr) << c.label;
    ASSERT_EQ(errors.entries().size(), 1u) << c.label;
    EXPECT_EQ(errors.entries()[0].cls, "aritm");
    EXPECT_EQ(errors.entries()[0].operation, c.label);
    EXPECT_EQ(errors.entries()[0].message, "call to virtual function");
  }
}

TEST(OperandProtocol, UnsupportedAccessorsAnswerEmptyValues) {
  ErrorRecorder errors;
  op_text text("t");
  EXPECT_EQ(text.get_double(), 0.0);
  EXPECT_EQ(errors.entries().back().operation, "get_double");
  EXPECT_EQ(text.get_long(), 0);
  EXPECT_EQ(text.get_vector(), nullptr);
  EXPECT_EQ(text.get_LOGICAL(), FALSE);
  EXPECT_EQ(text.get_transf(), nullptr);
  EXPECT_EQ(text.CheckRestrictions(), 0);
  EXPECT_EQ(errors.entries().back().operation, "check_restrictions ()");
  op_object object;
  EXPECT_EQ(object.add(&text), nullptr);
  EXPECT_EQ(errors.Last(), "call to virtual function (aritm *)");
  EXPECT_EQ(errors.entries().size(), 7u);
}

TEST(OperandProtocol, MissingRightOperandIsReportedByTheLeftKind) {
  struct Case {
    const char* left;
    const char* op;
    const char* message;
  };
  const Case cases[] = {
      {"n:1", "+", "operand to add not specified"},
      {"n:1", "-", "operand to subtract not specified"},
      {"n:1", "*", "operand to multiply not specified"},
      {"n:1", "/", "operand to divide not specified"},
      {"n:1", "%", "operand to percent not specified"},
      {"z:1", "==", "operand to compare not specified"},
      {"z:1", "!=", "operand to compare not specified"},
      {"z:1", "<", "operand to compare not specified"},
      {"n:1", ">", "operand to compare not specified"},
      {"n:1", "<=", "operand to compare not specified"},
      {"z:1", ">=", "operand to compare not specified"},
      {"v:1,2,3", "-", "operand to subtract not specified"},
      {"t:x", "==", "operand to compare not specified"},
      {"b:TRUE", "+", "operand to add not specified"},
  };
  for (const Case& c : cases) {
    ErrorRecorder errors;
    Owned left(Make(c.left));
    EXPECT_EQ(Apply(left.get(), c.op, nullptr), nullptr);
    ASSERT_EQ(errors.entries().size(), 1u) << c.left << c.op;
    EXPECT_EQ(errors.entries()[0].message, c.message) << c.left << c.op;
    EXPECT_EQ(errors.entries()[0].cls.rfind("op_", 0), 0u) << errors.entries()[0].cls;
  }
  ErrorRecorder errors;
  op_zahl z(1);
  z.add(static_cast<aritm*>(nullptr));
  EXPECT_EQ(errors.entries().back().cls, "op_zahl");
}

TEST(OperandProtocol, ValueSource) {
  op_zahl z(1.0, "a + 1;");
  EXPECT_STREQ(z.get_value_source(), "a + 1;");
  PVMStrg out("stale");
  EXPECT_STREQ(z.get_value_source(out), "a + 1;");
  EXPECT_EQ(out, "a + 1;");

  EXPECT_EQ(z.set_value_source(nullptr), nullptr);
  EXPECT_EQ(z.get_value_source(), nullptr);
  EXPECT_EQ(z.get_value_source(out), nullptr);
  EXPECT_TRUE(out.IsVoid());

  PVMStrg formula("b * 2;");
  EXPECT_EQ(&z.set_value_source(formula), &formula);
  EXPECT_STREQ(z.get_value_source(), "b * 2;");
  PVMStrg empty;
  z.set_value_source(empty);
  EXPECT_EQ(z.get_value_source(), nullptr);
  EXPECT_EQ(op_zahl(1.0, "").get_value_source(), nullptr);
}

// A rebuild tells the operands it handed over from later ones by their serials: an operand
// made at the address of a deleted one must have another serial.
TEST(OperandProtocol, AnOperandAtAReusedAddressHasANewSerial) {
  alignas(op_zahl) unsigned char storage[sizeof(op_zahl)];
  auto* first = new (storage) op_zahl(1.0);
  std::uint64_t serial = first->Serial();
  first->~op_zahl();
  auto* second = new (storage) op_zahl(2.0);
  EXPECT_EQ(static_cast<void*>(second), static_cast<void*>(first));
  EXPECT_NE(second->Serial(), serial);
  second->~op_zahl();
}

TEST(OperandProtocol, RestrictionsAndValidity) {
  VALUE_LIST<PVMStrg> two;
  two.add(PVMStrg("VALUE > 0"));
  two.add(PVMStrg("VALUE < 10"));
  VALUE_LIST<PVMStrg> overlap;
  overlap.add(PVMStrg("VALUE < 10"));
  VALUE_LIST<PVMStrg> none;

  op_number n(5);
  EXPECT_EQ(n.GetRestrictions(nullptr), 0);
  EXPECT_EQ(n.AddRestrictions(&overlap), 1) << "an operand without restrictions starts a list";
  EXPECT_EQ(n.SetRestrictions(&two), 2);
  EXPECT_EQ(n.AddRestrictions(&overlap), 2) << "texts already held are not added again";
  EXPECT_EQ(n.SetRestrictions(&two), 2);
  VALUE_LIST<PVMStrg> copy;
  EXPECT_EQ(n.GetRestrictions(&copy), 2);
  EXPECT_EQ(copy[1], "VALUE < 10");
  EXPECT_EQ(n.SetRestrictions(&none), 0);
  EXPECT_EQ(n.GetRestrictions(nullptr), 0);

  EXPECT_EQ(n.GetValidity(), 0);
  EXPECT_EQ(n.SetValidity(3011), 1);
  EXPECT_EQ(n.SetValidity(3011), 0);
  EXPECT_EQ(n.GetValidity(), 3011);
}

TEST(OperandProtocol, AssignConvertsAndCopiesSourceAndValidity) {
  op_zahl from(2.9, "x;");
  from.SetValidity(26);
  op_number to(0, "old;");
  EXPECT_EQ(to.assign(&from), &to);
  EXPECT_EQ(to.get_long(), 2);
  EXPECT_STREQ(to.get_value_source(), "x;");
  EXPECT_EQ(to.GetValidity(), 26);

  op_number plain(7);
  op_zahl target(0, "kept;");
  target.assign(&plain);
  EXPECT_EQ(target.get_double(), 7.0);
  EXPECT_STREQ(target.get_value_source(), "kept;") << "a source only comes with the value";

  ErrorRecorder errors;
  EXPECT_EQ(target.assign(nullptr), nullptr);
  EXPECT_EQ(errors.Last(), "operand to assign not specified");
}

// Stand-in for the language's evaluate_string: knows three formulas.
aritm* FakeEvaluate(const char* formula) {
  if (std::strcmp(formula, "TRUE;") == 0) {
    return new op_logic(TRUE);
  }
  if (std::strcmp(formula, "2+3;") == 0) {
    return new op_number(5);
  }
  if (std::strcmp(formula, "half;") == 0) {
    return new op_zahl(0.5, "inner;");
  }
  return nullptr;
}

class OperandFormula : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = varnex::model::SetFormulaEvaluator(FakeEvaluate); }
  void TearDown() override { varnex::model::SetFormulaEvaluator(previous_); }
  varnex::model::FormulaEvaluator previous_ = nullptr;
};

TEST_F(OperandFormula, TextsWithSemicolonAreEvaluated) {
  std::size_t live = aritm::AritmCount();
  op_logic logic(FALSE);
  logic.setsval("TRUE;");
  EXPECT_EQ(logic.get_LOGICAL(), TRUE);
  EXPECT_STREQ(logic.get_value_source(), "TRUE;");

  op_zahl z(0);
  z.setsval("2+3;");
  EXPECT_EQ(z.get_double(), 5.0);
  EXPECT_STREQ(z.get_value_source(), "2+3;");
  z.setsval("half;");
  EXPECT_EQ(z.get_double(), 0.5);
  EXPECT_STREQ(z.get_value_source(), "half;") << "the text, not the result's source";
  EXPECT_EQ(aritm::AritmCount(), live + 2) << "the evaluated operand is deleted";
}

TEST_F(OperandFormula, FailedFormulaLeavesTheInvalidValue) {
  ErrorRecorder errors;
  op_zahl z(1.0);
  z.setsval("nothing;");
  EXPECT_EQ(errors.Last(), "formula nothing; could not be evaluated");
  EXPECT_EQ(z.get_double(), HUGE_VAL);
  op_number n(1);
  n.setsval("nothing;");
  EXPECT_EQ(n.get_long(), -2147483647L - 1);
  op_vector v(1, 2, 3);
  v.setsval("nothing;");
  EXPECT_EQ(Text(&v), "[1,2,3]") << "other kinds keep their value";
}

TEST(OperandProtocol, WithoutEvaluatorFormulasYieldNothing) {
  ErrorRecorder errors;
  op_logic logic(FALSE);
  logic.setsval("TRUE;");
  EXPECT_EQ(errors.Last(), "formula TRUE; could not be evaluated");
  EXPECT_EQ(logic.get_LOGICAL(), FALSE);
  EXPECT_EQ(logic.get_value_source(), nullptr);
}

TEST(OperandProtocol, TextIntoCallerBuffersNeverOverruns) {
  op_text text("abcdef");
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(text.get_text(buffer, 4), buffer);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(buffer[4], 'x');
  EXPECT_EQ(text.get_text(buffer, 0), nullptr);
  EXPECT_STREQ(text.get_text(buffer, sizeof buffer), "abcdef");
  PVMStrg out;
  EXPECT_STREQ(text.get_text(out), "abcdef");

  ErrorRecorder errors;
  op_zahl z(1);
  EXPECT_EQ(z.get_text(buffer, sizeof buffer), nullptr);
  EXPECT_EQ(errors.entries().back().operation, "get_text");
}

TEST(OperandProtocol, NamedObjectErrors) {
  ErrorRecorder errors;
  op_zahl z(1);
  EXPECT_EQ(z.new_object(nullptr), nullptr);
  EXPECT_EQ(errors.Last(), "name of the new object not specified");
  EXPECT_EQ(z.assign_object(nullptr), nullptr);
  EXPECT_EQ(errors.Last(), "name of the object to assign not specified");
  EXPECT_EQ(z.assign_object("no_such_object"), nullptr);
  EXPECT_EQ(errors.Last(), "object no_such_object not found");
  op_object byName("no_such_object");
  EXPECT_EQ(errors.Last(), "variable no_such_object not existing");
  EXPECT_EQ(byName.get_object(), nullptr);
  EXPECT_EQ(byName.IsValidValue(), FALSE);
  EXPECT_EQ(byName.new_object("copy"), nullptr);
  op_number n(1);
  EXPECT_EQ(byName.assign(&n), nullptr);
  EXPECT_EQ(errors.Last(), "operand 'from' doesnt have a <rumpf>-object");
}

TEST(OperandProtocol, KindsThatTakeFormulasOnly) {
  ErrorRecorder errors;
  op_geom geometry;
  geometry.setsval("body");
  EXPECT_EQ(errors.Last(), "values for type geometric must be specified as formula");
  op_object object;
  object.setsval("s1");
  EXPECT_EQ(errors.Last(), "values for type planet must be specified as formula");
  op_geom fromNull(static_cast<ENTITY*>(nullptr));
  EXPECT_EQ(errors.Last(), "ENTITY not specified");
  EXPECT_EQ(fromNull.get_list()->count(), 0);
}

TEST(OperandProtocol, ReferencesCompareByIdentity) {
  int a = 0, b = 0;
  auto* first = reinterpret_cast<rumpf*>(&a);
  auto* second = reinterpret_cast<rumpf*>(&b);
  op_reference toFirst(first), alsoFirst(first), toSecond(second), empty;
  EXPECT_EQ(Own(toFirst.equal(&alsoFirst))->get_LOGICAL(), TRUE);
  EXPECT_EQ(Own(toFirst.equal(&toSecond))->get_LOGICAL(), FALSE);
  EXPECT_EQ(Own(toFirst.not_equal(&toSecond))->get_LOGICAL(), TRUE);
  EXPECT_EQ(toFirst.IsValidValue(), TRUE);
  EXPECT_EQ(empty.IsValidValue(), FALSE);
  EXPECT_EQ(toFirst.get_object(), first);
}

TEST(OperandProtocol, ContourOperandsWithoutContour) {
  ErrorRecorder errors;
  op_connect2d none, other;
  EXPECT_EQ(Text(&none), "NULL");
  EXPECT_EQ(none.IsValidValue(), FALSE);
  EXPECT_EQ(Own(none.equal(&other))->get_LOGICAL(), TRUE);
  EXPECT_EQ(Own(none.add(&other)), nullptr);
  none.setsval(";");
  EXPECT_EQ(errors.Last(), "value ; defines no correct string");
  none.setsval("unknown_contour;");
  EXPECT_EQ(none.get_connect2d(), nullptr);
}

TEST(OperandProtocol, KindPredicatesAnswerForTheirKindOnly) {
  op_number n;
  op_zahl z;
  op_logic b;
  op_text t;
  op_enum e;
  op_vector v;
  op_axis a;
  op_geom g;
  op_trans tr;
  op_reference r;
  op_object o;
  op_connect2d c;
  aritm* kinds[] = {&t, &r, &b, &n, &z, &v, &a, &e, &g, &tr, &o, &c};
  XBOOL(aritm::*predicates[])
  () = {&aritm::IsOpText, &aritm::IsOpReference, &aritm::IsOpLogic,  &aritm::IsOpNumber,
        &aritm::IsOpZahl, &aritm::IsOpVector,    &aritm::IsOpAxis,   &aritm::IsOpEnum,
        &aritm::IsOpGeom, &aritm::IsOpTrans,     &aritm::IsOpObject, &aritm::IsOpConnect2d};
  for (int k = 0; k < 12; ++k) {
    for (int p = 0; p < 12; ++p) {
      EXPECT_EQ((kinds[k]->*predicates[p])(), k == p ? TRUE : FALSE) << k << "," << p;
    }
  }
}

}  // namespace
