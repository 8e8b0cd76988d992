// The operand kinds that borrow what the model owns: op_reference, op_object and op_connect2d.
#include <varnex/model/op_object.h>

#include <cstdio>
#include <string>

#include "model/object_bridge.h"
#include "model/operands/contour_bridge.h"
#include "model/operands/kind_support.h"

// op_object: a borrowed named object found by name. It takes part in no operator; creating a
// named object from it copies the object.
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

// op_reference: a borrowed reference to a named object.
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

// op_connect2d: a borrowed 2D contour.
namespace contours = varnex::model::contours;
using varnex::model::NewLogic;

namespace {
bool SameContour(PVFconnect2dBa* left, PVFconnect2dBa* right) {
  if (left == nullptr || right == nullptr) {
    return left == right;
  }
  return contours::AreEqual(right, left) != FALSE;
}
}  // namespace

op_connect2d::op_connect2d() = default;
op_connect2d::op_connect2d(PVFconnect2dBa* contour) : contour_(contour) {}
op_connect2d::op_connect2d(PVFconnect2dBa* contour, const char* valueSource)
    : aritm(valueSource), contour_(contour) {}

op_connect2d& op_connect2d::operator=(PVFconnect2dBa* contour) {
  contour_ = contour;
  return *this;
}

const char* op_connect2d::ClassName() const {
  return "op_connect2d";
}

aritm* op_connect2d::assign(aritm* other) {
  if (other == nullptr) {
    Report("assign (aritm *)", "operand to assign not specified");
    return nullptr;
  }
  // Operands borrow contours; the accessor's constness only keeps callers from changing it.
  contour_ = const_cast<PVFconnect2dBa*>(other->get_connect2d());
  CopyAttributesFrom(*other);
  return this;
}

aritm* op_connect2d::add_aritm(aritm* b) {
  return b ? b->add_connect2d(contour_) : MissingOperand("add (aritm *)", "add");
}
aritm* op_connect2d::equal_aritm(aritm* b) {
  return b ? b->equal_connect2d(contour_) : MissingOperand("equal (aritm *)", "compare");
}
aritm* op_connect2d::not_equal_aritm(aritm* b) {
  return b ? b->not_equal_connect2d(contour_) : MissingOperand("not_equal (aritm *)", "compare");
}

aritm* op_connect2d::add_connect2d(PVFconnect2dBa* x) {
  return x ? new op_connect2d(x, contours::Reference(x)) : nullptr;
}
aritm* op_connect2d::equal_connect2d(PVFconnect2dBa* x) {
  return NewLogic(SameContour(x, contour_));
}
aritm* op_connect2d::not_equal_connect2d(PVFconnect2dBa* x) {
  return NewLogic(!SameContour(x, contour_));
}

const PVFconnect2dBa* op_connect2d::get_connect2d() {
  return contour_;
}

void op_connect2d::print() {
  PVMStrg text;
  std::printf("%s\n", GetValue(text));
}

rumpf* op_connect2d::new_object(const char* name) {
  return NewNamedObject(name, "no new object_connect2d allocated");
}
rumpf* op_connect2d::assign_object(const char* name) {
  return AssignNamedObject(name);
}

const char* op_connect2d::GetValue(PVMStrg& out) const {
  out = contour_ ? contours::Identifier(contour_) : "NULL";
  return out.GetpStr();
}

char* op_connect2d::getsval() {
  PVMStrg text;
  return varnex::model::DuplicateText(GetValue(text));
}

void op_connect2d::setsval(const char* text) {
  std::string identifier = text == nullptr ? "" : text;
  identifier = identifier.substr(0, identifier.find(';'));
  if (identifier.empty()) {
    std::string message = std::string("value ") + (text ? text : "") + " defines no correct string";
    Report("setsval", message.c_str());
    contour_ = nullptr;
    set_value_source(nullptr);
    return;
  }
  contour_ = contours::Find(identifier.c_str());
  set_value_source(nullptr);
}

XBOOL op_connect2d::IsValidValue() {
  return contour_ ? contours::IsValid(contour_) : FALSE;
}

XBOOL op_connect2d::IsOpConnect2d() {
  return TRUE;
}
