// op_zahl: a floating-point operand. A zero divisor gives HUGE_VAL; equal and not_equal use the
// tolerance when this operand is on the right, the ordering comparisons are exact.
#include <varnex/model/op_scalar.h>
#include <varnex/model/op_vector.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/operands/kind_support.h"

using varnex::model::NewLogic;
using varnex::model::WithinTolerance;

namespace {
// `long` arguments carry 32-bit payloads; wider values are reduced the same way.
double FromLong(long x) {
  return varnex::model::Wrap32(x);
}
}  // namespace

op_zahl::op_zahl() = default;
op_zahl::op_zahl(double value) : value_(value) {}
op_zahl::op_zahl(double value, const char* valueSource) : aritm(valueSource), value_(value) {}

op_zahl& op_zahl::operator=(double value) {
  value_ = value;
  return *this;
}

const char* op_zahl::ClassName() const {
  return "op_zahl";
}

aritm* op_zahl::assign(aritm* other) {
  if (other == nullptr) {
    Report("assign (aritm *)", "operand to assign not specified");
    return nullptr;
  }
  value_ = other->get_double();
  CopyAttributesFrom(*other);
  return this;
}

// Dispatch: this operand is on the left; the right one receives the double.

aritm* op_zahl::add_aritm(aritm* b) {
  return b ? b->add_double(value_) : MissingOperand("add (aritm *)", "add");
}
aritm* op_zahl::subtract_aritm(aritm* b) {
  return b ? NegateAndDelete(b->subtract_double(value_))
           : MissingOperand("subtract (aritm *)", "subtract");
}
aritm* op_zahl::multiply_aritm(aritm* b) {
  return b ? b->multiply_double(value_) : MissingOperand("multiply (aritm *)", "multiply");
}
aritm* op_zahl::divide_aritm(aritm* b) {
  return b ? b->divide_double(value_) : MissingOperand("divide (aritm *)", "divide");
}
aritm* op_zahl::equal_aritm(aritm* b) {
  return b ? b->equal_double(value_) : MissingOperand("equal (aritm *)", "compare");
}
aritm* op_zahl::not_equal_aritm(aritm* b) {
  return b ? b->not_equal_double(value_) : MissingOperand("not_equal (aritm *)", "compare");
}
aritm* op_zahl::less_aritm(aritm* b) {
  return b ? b->less_double(value_) : MissingOperand("less (aritm *)", "compare");
}
aritm* op_zahl::greater_aritm(aritm* b) {
  return b ? b->greater_double(value_) : MissingOperand("greater (aritm *)", "compare");
}
aritm* op_zahl::less_equal_aritm(aritm* b) {
  return b ? b->less_equal_double(value_) : MissingOperand("less_equal (aritm *)", "compare");
}
aritm* op_zahl::greater_equal_aritm(aritm* b) {
  return b ? b->greater_equal_double(value_) : MissingOperand("greater_equal (aritm *)", "compare");
}

// Typed operations: x is the left operand's payload, value_ the right one's.

aritm* op_zahl::add_double(double x) {
  return new op_zahl(x + value_);
}
aritm* op_zahl::subtract_double(double x) {
  return new op_zahl(value_ - x);
}
aritm* op_zahl::multiply_double(double x) {
  return new op_zahl(x * value_);
}
aritm* op_zahl::divide_double(double x) {
  return new op_zahl(value_ == 0.0 ? HUGE_VAL : x / value_);
}
aritm* op_zahl::add_long(long x) {
  return add_double(FromLong(x));
}
aritm* op_zahl::subtract_long(long x) {
  return subtract_double(FromLong(x));
}
aritm* op_zahl::multiply_long(long x) {
  return multiply_double(FromLong(x));
}
aritm* op_zahl::divide_long(long x) {
  return divide_double(FromLong(x));
}

aritm* op_zahl::multiply_vector(double* x) {
  if (x == nullptr) {
    return nullptr;
  }
  return new op_vector(x[0] * value_, x[1] * value_, x[2] * value_);
}

aritm* op_zahl::divide_vector(double* x) {
  if (x == nullptr) {
    return nullptr;
  }
  if (value_ == 0.0) {
    return new op_vector(HUGE_VAL, HUGE_VAL, HUGE_VAL);
  }
  return new op_vector(x[0] / value_, x[1] / value_, x[2] / value_);
}

aritm* op_zahl::equal_double(double x) {
  return NewLogic(WithinTolerance(x, value_));
}
aritm* op_zahl::not_equal_double(double x) {
  return NewLogic(!WithinTolerance(x, value_));
}
aritm* op_zahl::less_double(double x) {
  return NewLogic(x < value_);
}
aritm* op_zahl::greater_double(double x) {
  return NewLogic(x > value_);
}
aritm* op_zahl::less_equal_double(double x) {
  return NewLogic(x <= value_);
}
aritm* op_zahl::greater_equal_double(double x) {
  return NewLogic(x >= value_);
}
aritm* op_zahl::equal_long(long x) {
  return equal_double(FromLong(x));
}
aritm* op_zahl::not_equal_long(long x) {
  return not_equal_double(FromLong(x));
}
aritm* op_zahl::less_long(long x) {
  return less_double(FromLong(x));
}
aritm* op_zahl::greater_long(long x) {
  return greater_double(FromLong(x));
}
aritm* op_zahl::less_equal_long(long x) {
  return less_equal_double(FromLong(x));
}
aritm* op_zahl::greater_equal_long(long x) {
  return greater_equal_double(FromLong(x));
}

// 0 - value rather than -value: the negation of 0 is 0, so a difference of equal numbers
// (computed as the negated reversed difference) never reads "-0".
aritm* op_zahl::minus_of() {
  return new op_zahl(0.0 - value_);
}

aritm* op_zahl::inverse() {
  return new op_zahl(value_ == 0.0 ? HUGE_VAL : 1.0 / value_);
}

double op_zahl::get_double() {
  return value_;
}
long op_zahl::get_long() {
  return varnex::model::TruncateToInt32(value_);
}

void op_zahl::print() {
  PVMStrg text;
  std::printf("%s\n", GetValue(text));
}

rumpf* op_zahl::new_object(const char* name) {
  return NewNamedObject(name, "no new object_zahl allocated");
}
rumpf* op_zahl::assign_object(const char* name) {
  return AssignNamedObject(name);
}

const char* op_zahl::GetValue(PVMStrg& out) const {
  out = varnex::model::NumberText(value_).c_str();
  return out.GetpStr();
}

char* op_zahl::getsval() {
  if (!std::isfinite(value_)) {
    return nullptr;
  }
  return varnex::model::DuplicateText(varnex::model::NumberText(value_).c_str());
}

void op_zahl::setsval(const char* text) {
  switch (SetFromFormula(text)) {
    case FormulaOutcome::kEvaluated:
      return;
    case FormulaOutcome::kFailed:
      value_ = HUGE_VAL;
      return;
    case FormulaOutcome::kLiteral:
      break;
  }
  double value = text == nullptr ? HUGE_VAL : std::strtod(text, nullptr);
  if (!std::isfinite(value)) {
    std::string message = std::string("value ") + (text ? text : "") + " no correct double";
    Report("setsval", message.c_str());
    return;
  }
  value_ = value;
  set_value_source(nullptr);
}

XBOOL op_zahl::IsOpZahl() {
  return TRUE;
}
