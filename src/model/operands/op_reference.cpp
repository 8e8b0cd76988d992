// op_reference: a borrowed reference to a named object.
#include <varnex/model/op_object.h>

#include <cstdio>
#include <string>

#include "model/operands/kind_support.h"
#include "model/operands/object_bridge.h"

namespace objects = varnex::model::objects;
using varnex::model::NewLogic;

op_reference::op_reference() = default;
op_reference::op_reference(rumpf* object) : object_(object) {}
op_reference::op_reference(rumpf* object, const char* valueSource)
    : aritm(valueSource), object_(object) {}

op_reference& op_reference::operator=(rumpf* object) {
  object_ = object;
  return *this;
}

const char* op_reference::ClassName() const {
  return "op_reference";
}

aritm* op_reference::assign(aritm* other) {
  if (other == nullptr) {
    Report("assign (aritm *)", "operand to assign not specified");
    return nullptr;
  }
  object_ = other->get_object();
  CopyAttributesFrom(*other);
  return this;
}

aritm* op_reference::equal_aritm(aritm* b) {
  return b ? b->equal_reference(object_) : MissingOperand("equal (aritm *)", "compare");
}
aritm* op_reference::not_equal_aritm(aritm* b) {
  return b ? b->not_equal_reference(object_) : MissingOperand("not_equal (aritm *)", "compare");
}

// Identity, not value: two references are equal when they name the same object.
aritm* op_reference::equal_reference(rumpf* x) {
  return NewLogic(x == object_);
}
aritm* op_reference::not_equal_reference(rumpf* x) {
  return NewLogic(x != object_);
}

rumpf* op_reference::get_object() {
  return object_;
}

aritm* op_reference::get_reference() {
  return object_ ? objects::ValueOperand(object_) : nullptr;
}

void op_reference::print() {
  PVMStrg text;
  std::printf("%s\n", GetValue(text));
}

rumpf* op_reference::new_object(const char* name) {
  return NewNamedObject(name, "no new object_reference allocated");
}
rumpf* op_reference::assign_object(const char* name) {
  return AssignNamedObject(name);
}

const char* op_reference::GetValue(PVMStrg& out) const {
  if (object_ == nullptr || objects::FullName(object_, out) == nullptr) {
    out = "";
  }
  return out.GetpStr();
}

char* op_reference::getsval() {
  PVMStrg text;
  GetValue(text);
  return text.IsVoid() ? nullptr : varnex::model::DuplicateText(text);
}

void op_reference::setsval(const char* text) {
  if (SetFromFormula(text) != FormulaOutcome::kLiteral) {
    return;
  }
  rumpf* object = objects::Search(text);
  if (object == nullptr) {
    std::string message = std::string("object ") + (text ? text : "") + " not found";
    Report("setsval", message.c_str());
    return;
  }
  object_ = object;
  set_value_source(nullptr);
}

XBOOL op_reference::IsValidValue() {
  return ToXBool(object_ != nullptr);
}

XBOOL op_reference::IsOpReference() {
  return TRUE;
}
