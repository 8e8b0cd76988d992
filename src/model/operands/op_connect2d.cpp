// op_connect2d: a borrowed 2D contour.
#include <varnex/model/op_object.h>

#include <cstdio>
#include <string>

#include "model/operands/contour_bridge.h"
#include "model/operands/kind_support.h"

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
