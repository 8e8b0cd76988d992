// The scalar operand kinds: op_number (32-bit integer), op_zahl (floating point) and op_logic.
#include <varnex/model/op_scalar.h>
#include <varnex/model/op_text.h>
#include <varnex/model/op_vector.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "base/number_format.h"
#include "model/operands/kind_support.h"

// op_number: a 32-bit integer operand. Integer results wrap like two's complement; quotients
// and every mix with a floating-point number are op_zahl.
using varnex::model::NewLogic;
using varnex::model::Wrap32;

namespace {
constexpr std::int32_t kInvalidNumber = std::numeric_limits<std::int32_t>::min();

// `long` arguments carry 32-bit payloads; wider values are reduced the same way.
std::int64_t Narrow(long x) {
  return Wrap32(static_cast<std::int64_t>(x));
}
}  // namespace

op_number::op_number() = default;
op_number::op_number(long value) : value_(Wrap32(value)) {}
op_number::op_number(long value, const char* valueSource)
    : aritm(valueSource), value_(Wrap32(value)) {}

op_number& op_number::operator=(long value) {
  value_ = Wrap32(value);
  return *this;
}

const char* op_number::ClassName() const {
  return "op_number";
}

aritm* op_number::assign(aritm* other) {
  if (other == nullptr) {
    Report("assign (aritm *)", "operand to assign not specified");
    return nullptr;
  }
  value_ = Wrap32(other->get_long());
  CopyAttributesFrom(*other);
  return this;
}

// Dispatch: this operand is on the left; the right one receives the integer.

aritm* op_number::add_aritm(aritm* b) {
  return b ? b->add_long(value_) : MissingOperand("add (aritm *)", "add");
}
aritm* op_number::subtract_aritm(aritm* b) {
  return b ? NegateAndDelete(b->subtract_long(value_))
           : MissingOperand("subtract (aritm *)", "subtract");
}
aritm* op_number::multiply_aritm(aritm* b) {
  return b ? b->multiply_long(value_) : MissingOperand("multiply (aritm *)", "multiply");
}
aritm* op_number::percent_aritm(aritm* b) {
  return b ? b->percent_long(value_) : MissingOperand("percent (aritm *)", "percent");
}
aritm* op_number::divide_aritm(aritm* b) {
  return b ? b->divide_long(value_) : MissingOperand("divide (aritm *)", "divide");
}
aritm* op_number::equal_aritm(aritm* b) {
  return b ? b->equal_long(value_) : MissingOperand("equal (aritm *)", "compare");
}
aritm* op_number::not_equal_aritm(aritm* b) {
  return b ? b->not_equal_long(value_) : MissingOperand("not_equal (aritm *)", "compare");
}
aritm* op_number::less_aritm(aritm* b) {
  return b ? b->less_long(value_) : MissingOperand("less (aritm *)", "compare");
}
aritm* op_number::greater_aritm(aritm* b) {
  return b ? b->greater_long(value_) : MissingOperand("greater (aritm *)", "compare");
}
aritm* op_number::less_equal_aritm(aritm* b) {
  return b ? b->less_equal_long(value_) : MissingOperand("less_equal (aritm *)", "compare");
}
aritm* op_number::greater_equal_aritm(aritm* b) {
  return b ? b->greater_equal_long(value_) : MissingOperand("greater_equal (aritm *)", "compare");
}

// Typed operations: x is the left operand's payload, value_ the right one's.

aritm* op_number::add_long(long x) {
  return new op_number(Wrap32(Narrow(x) + value_));
}
aritm* op_number::subtract_long(long x) {
  return new op_number(Wrap32(std::int64_t{value_} - Narrow(x)));
}
aritm* op_number::multiply_long(long x) {
  return new op_number(Wrap32(Narrow(x) * value_));
}
aritm* op_number::percent_long(long x) {
  return new op_number(value_ == 0 ? 0 : Wrap32(Narrow(x) % value_));
}
aritm* op_number::divide_long(long x) {
  return new op_zahl(value_ == 0 ? HUGE_VAL : static_cast<double>(Narrow(x) / value_));
}

aritm* op_number::add_double(double x) {
  return new op_zahl(x + value_);
}
aritm* op_number::subtract_double(double x) {
  return new op_zahl(value_ - x);
}
aritm* op_number::multiply_double(double x) {
  return new op_zahl(x * value_);
}
aritm* op_number::divide_double(double x) {
  return new op_zahl(value_ == 0 ? HUGE_VAL : x / value_);
}

aritm* op_number::divide_vector(double* x) {
  if (x == nullptr) {
    return nullptr;
  }
  if (value_ == 0) {
    return new op_vector(HUGE_VAL, HUGE_VAL, HUGE_VAL);
  }
  return new op_vector(x[0] / value_, x[1] / value_, x[2] / value_);
}

aritm* op_number::add_char(const char* x) {
  std::string text = x == nullptr ? "" : x;
  return new op_text((text + varnex::base::FormatSigned(value_)).c_str());
}

// With an integer on the right every comparison is exact.
aritm* op_number::equal_long(long x) {
  return NewLogic(Narrow(x) == value_);
}
aritm* op_number::not_equal_long(long x) {
  return NewLogic(Narrow(x) != value_);
}
aritm* op_number::less_long(long x) {
  return NewLogic(Narrow(x) < value_);
}
aritm* op_number::greater_long(long x) {
  return NewLogic(Narrow(x) > value_);
}
aritm* op_number::less_equal_long(long x) {
  return NewLogic(Narrow(x) <= value_);
}
aritm* op_number::greater_equal_long(long x) {
  return NewLogic(Narrow(x) >= value_);
}
aritm* op_number::equal_double(double x) {
  return NewLogic(x == value_);
}
aritm* op_number::not_equal_double(double x) {
  return NewLogic(x != value_);
}
aritm* op_number::less_double(double x) {
  return NewLogic(x < value_);
}
aritm* op_number::greater_double(double x) {
  return NewLogic(x > value_);
}
aritm* op_number::less_equal_double(double x) {
  return NewLogic(x <= value_);
}
aritm* op_number::greater_equal_double(double x) {
  return NewLogic(x >= value_);
}

aritm* op_number::minus_of() {
  return new op_number(Wrap32(-std::int64_t{value_}));
}

aritm* op_number::inverse() {
  return new op_number(value_ == 0 ? kInvalidNumber : Wrap32(1 / std::int64_t{value_}));
}

double op_number::get_double() {
  return value_;
}
long op_number::get_long() {
  return value_;
}

void op_number::print() {
  PVMStrg text;
  std::printf("%s\n", GetValue(text));
}

rumpf* op_number::new_object(const char* name) {
  return NewNamedObject(name, "no new object_number allocated");
}
rumpf* op_number::assign_object(const char* name) {
  return AssignNamedObject(name);
}

const char* op_number::GetValue(PVMStrg& out) const {
  out = varnex::base::FormatSigned(value_).c_str();
  return out.GetpStr();
}

char* op_number::getsval() {
  return varnex::model::DuplicateText(varnex::base::FormatSigned(value_).c_str());
}

void op_number::setsval(const char* text) {
  switch (SetFromFormula(text)) {
    case FormulaOutcome::kEvaluated:
      return;
    case FormulaOutcome::kFailed:
      value_ = kInvalidNumber;
      return;
    case FormulaOutcome::kLiteral:
      break;
  }
  if (text == nullptr || *text == '\0') {
    std::string message = std::string("value ") + (text ? text : "") + " no correct long";
    Report("setsval", message.c_str());
    return;
  }
  value_ = varnex::model::ReadInt32(text);
  set_value_source(nullptr);
}

XBOOL op_number::IsOpNumber() {
  return TRUE;
}

// op_zahl: a floating-point operand. A zero divisor gives HUGE_VAL; equal and not_equal use the
// tolerance when this operand is on the right, the ordering comparisons are exact.
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

// op_logic: a logical operand. `add` is TRUE only when both operands are, `multiply` when either
// is; minus_of and inverse negate like not.
using varnex::model::NewLogic;

op_logic::op_logic() = default;
op_logic::op_logic(XBOOL value) : value_(value ? TRUE : FALSE) {}
op_logic::op_logic(XBOOL value, const char* valueSource)
    : aritm(valueSource), value_(value ? TRUE : FALSE) {}

op_logic& op_logic::operator=(XBOOL value) {
  value_ = value ? TRUE : FALSE;
  return *this;
}

const char* op_logic::ClassName() const {
  return "op_logic";
}

aritm* op_logic::assign(aritm* other) {
  if (other == nullptr) {
    Report("assign (aritm *)", "operand to assign not specified");
    return nullptr;
  }
  value_ = other->get_LOGICAL() ? TRUE : FALSE;
  CopyAttributesFrom(*other);
  return this;
}

aritm* op_logic::add_aritm(aritm* b) {
  return b ? b->add_LOG(value_) : MissingOperand("add (aritm *)", "add");
}
aritm* op_logic::multiply_aritm(aritm* b) {
  return b ? b->multiply_LOG(value_) : MissingOperand("multiply (aritm *)", "multiply");
}
aritm* op_logic::equal_aritm(aritm* b) {
  return b ? b->equal_LOG(value_) : MissingOperand("equal (aritm *)", "compare");
}
aritm* op_logic::not_equal_aritm(aritm* b) {
  return b ? b->not_equal_LOG(value_) : MissingOperand("not_equal (aritm *)", "compare");
}
aritm* op_logic::and_aritm(aritm* b) {
  return b ? b->and_LOG(value_) : MissingOperand("and (aritm *)", "compare");
}
aritm* op_logic::or_aritm(aritm* b) {
  return b ? b->or_LOG(value_) : MissingOperand("or (aritm *)", "compare");
}
aritm* op_logic::xor_aritm(aritm* b) {
  return b ? b->xor_LOG(value_) : MissingOperand("xor (aritm *)", "compare");
}

aritm* op_logic::add_LOG(XBOOL x) {
  return NewLogic(x && value_);
}
aritm* op_logic::multiply_LOG(XBOOL x) {
  return NewLogic(x || value_);
}
aritm* op_logic::equal_LOG(XBOOL x) {
  return NewLogic(bool(x) == bool(value_));
}
aritm* op_logic::not_equal_LOG(XBOOL x) {
  return NewLogic(bool(x) != bool(value_));
}
aritm* op_logic::and_LOG(XBOOL x) {
  return NewLogic(x && value_);
}
aritm* op_logic::or_LOG(XBOOL x) {
  return NewLogic(x || value_);
}
aritm* op_logic::xor_LOG(XBOOL x) {
  return NewLogic(bool(x) != bool(value_));
}
aritm* op_logic::not_LOG() {
  return NewLogic(!value_);
}
aritm* op_logic::minus_of() {
  return not_LOG();
}
aritm* op_logic::inverse() {
  return not_LOG();
}

XBOOL op_logic::get_LOGICAL() {
  return value_;
}

void op_logic::print() {
  PVMStrg text;
  std::printf("%s\n", GetValue(text));
}

rumpf* op_logic::new_object(const char* name) {
  return NewNamedObject(name, "no new object_logic allocated");
}
rumpf* op_logic::assign_object(const char* name) {
  return AssignNamedObject(name);
}

const char* op_logic::GetValue(PVMStrg& out) const {
  out = value_ ? "TRUE" : "FALSE";
  return out.GetpStr();
}

char* op_logic::getsval() {
  return varnex::model::DuplicateText(value_ ? "TRUE" : "FALSE");
}

void op_logic::setsval(const char* text) {
  if (SetFromFormula(text) != FormulaOutcome::kLiteral) {
    return;
  }
  if (text != nullptr && std::strcmp(text, "TRUE") == 0) {
    value_ = TRUE;
  } else if (text != nullptr && std::strcmp(text, "FALSE") == 0) {
    value_ = FALSE;
  } else {
    std::string message = std::string("value ") + (text ? text : "") + " no correct longbool";
    Report("setsval", message.c_str());
    return;
  }
  set_value_source(nullptr);
}

XBOOL op_logic::IsOpLogic() {
  return TRUE;
}
