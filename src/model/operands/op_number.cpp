// op_number: a 32-bit integer operand. Integer results wrap like two's complement; quotients
// and every mix with a floating-point number are op_zahl.
#include <varnex/model/op_scalar.h>
#include <varnex/model/op_text.h>
#include <varnex/model/op_vector.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "base/number_format.h"
#include "model/operands/kind_support.h"

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
