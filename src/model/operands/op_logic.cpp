// op_logic: a logical operand. `add` is TRUE only when both operands are, `multiply` when either
// is; minus_of and inverse negate like not.
#include <varnex/model/op_scalar.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "model/operands/kind_support.h"

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
