// op_object: a borrowed named object found by name. It takes part in no operator; creating a
// named object from it copies the object.
#include <varnex/model/op_object.h>

#include <cstdio>
#include <string>

#include "model/operands/kind_support.h"
#include "model/operands/object_bridge.h"

namespace objects = varnex::model::objects;

op_object::op_object() = default;
op_object::op_object(rumpf* object) : object_(object) {}
op_object::op_object(rumpf* object, const char* valueSource)
    : aritm(valueSource), object_(object) {}

op_object::op_object(const char* name) : object_(objects::Search(name)) {
  if (object_ == nullptr) {
    std::string message = std::string("variable ") + (name ? name : "") + " not existing";
    Report("op_object", message.c_str());
  }
}

op_object& op_object::operator=(rumpf* object) {
  object_ = object;
  return *this;
}

const char* op_object::ClassName() const {
  return "op_object";
}

// The object is looked up again by its simple name, so that an object of the same name in the
// current world takes its place; the object itself stays when the name does not resolve.
aritm* op_object::assign(aritm* other) {
  if (other == nullptr) {
    Report("assign (aritm *)", "operand to assign not specified");
    return nullptr;
  }
  rumpf* from = other->get_object();
  if (from == nullptr) {
    Report("assign (aritm *)", "operand 'from' doesnt have a <rumpf>-object");
    return nullptr;
  }
  rumpf* resolved = objects::Search(objects::SimpleName(from));
  object_ = resolved ? resolved : from;
  CopyAttributesFrom(*other);
  return this;
}

rumpf* op_object::get_object() {
  return object_;
}

void op_object::print() {
  PVMStrg text;
  std::printf("%s\n", GetValue(text));
}

rumpf* op_object::new_object(const char* name) {
  if (name == nullptr) {
    Report("new_object", "name of the new object not specified");
    return nullptr;
  }
  if (object_ == nullptr || objects::Copy(object_, name) == nullptr) {
    return nullptr;
  }
  return objects::Search(name);
}

rumpf* op_object::assign_object(const char* name) {
  return AssignNamedObject(name);
}

const char* op_object::GetValue(PVMStrg& out) const {
  if (object_ == nullptr || objects::FullName(object_, out) == nullptr) {
    out = "";
  }
  return out.GetpStr();
}

char* op_object::getsval() {
  return object_ ? varnex::model::DuplicateText(objects::SimpleName(object_)) : nullptr;
}

void op_object::setsval(const char* text) {
  if (SetFromFormula(text) == FormulaOutcome::kLiteral) {
    Report("setsval", "values for type planet must be specified as formula");
  }
}

XBOOL op_object::IsValidValue() {
  return object_ ? objects::IsFilledInstance(object_) : FALSE;
}

XBOOL op_object::IsOpObject() {
  return TRUE;
}
