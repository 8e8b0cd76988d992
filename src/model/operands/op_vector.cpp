// The vector operand kinds: op_vector and op_axis.
#include <varnex/geometry/spa.h>
#include <varnex/model/op_scalar.h>
#include <varnex/model/op_vector.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "model/operands/kind_support.h"

// op_vector: a three-component vector operand.
using varnex::model::NewLogic;
using varnex::model::WithinTolerance;

namespace {
bool SameVector(const double* a, const double* b) {
  return WithinTolerance(a[0], b[0]) && WithinTolerance(a[1], b[1]) && WithinTolerance(a[2], b[2]);
}
}  // namespace

op_vector::op_vector() = default;
op_vector::op_vector(double x, double y, double z) : xyz_{x, y, z} {}
op_vector::op_vector(const double* xyz) : op_vector(xyz, nullptr) {}
op_vector::op_vector(const double* xyz, const char* valueSource) : aritm(valueSource) {
  if (xyz != nullptr) {
    SetVector(xyz);
  }
}

op_vector& op_vector::operator=(const double* xyz) {
  SetVector(xyz);
  return *this;
}

int op_vector::SetVector(const double* xyz) {
  if (xyz == nullptr) {
    Report("SetVector", "value pointer = NULL");
    return -1;
  }
  for (int i = 0; i < 3; ++i) {
    xyz_[i] = xyz[i];
  }
  return 0;
}

const char* op_vector::ClassName() const {
  return "op_vector";
}

aritm* op_vector::assign(aritm* other) {
  if (other == nullptr) {
    Report("assign (aritm *)", "operand to assign not specified");
    return nullptr;
  }
  if (const double* xyz = other->get_vector()) {
    SetVector(xyz);
  }
  CopyAttributesFrom(*other);
  return this;
}

// Dispatch: this operand is on the left; the right one receives the three components.

aritm* op_vector::add_aritm(aritm* b) {
  return b ? b->add_vector(xyz_) : MissingOperand("add (aritm *)", "add");
}
aritm* op_vector::subtract_aritm(aritm* b) {
  return b ? NegateAndDelete(b->subtract_vector(xyz_))
           : MissingOperand("subtract (aritm *)", "subtract");
}
aritm* op_vector::multiply_aritm(aritm* b) {
  return b ? b->multiply_vector(xyz_) : MissingOperand("multiply (aritm *)", "multiply");
}
aritm* op_vector::divide_aritm(aritm* b) {
  return b ? b->divide_vector(xyz_) : MissingOperand("divide (aritm *)", "divide");
}
aritm* op_vector::percent_aritm(aritm* b) {
  return b ? b->percent_vector(xyz_) : MissingOperand("percent (aritm *)", "percent");
}
aritm* op_vector::equal_aritm(aritm* b) {
  return b ? b->equal_vector(xyz_) : MissingOperand("equal (aritm *)", "compare");
}
aritm* op_vector::not_equal_aritm(aritm* b) {
  return b ? b->not_equal_vector(xyz_) : MissingOperand("not_equal (aritm *)", "compare");
}

// Typed operations: x is the left operand's payload, xyz_ the right one's.

aritm* op_vector::add_vector(double* x) {
  if (x == nullptr) {
    return nullptr;
  }
  return new op_vector(x[0] + xyz_[0], x[1] + xyz_[1], x[2] + xyz_[2]);
}
aritm* op_vector::subtract_vector(double* x) {
  if (x == nullptr) {
    return nullptr;
  }
  return new op_vector(xyz_[0] - x[0], xyz_[1] - x[1], xyz_[2] - x[2]);
}
// The cross product x × self.
aritm* op_vector::multiply_vector(double* x) {
  if (x == nullptr) {
    return nullptr;
  }
  const double* s = xyz_;
  return new op_vector(x[1] * s[2] - x[2] * s[1], x[2] * s[0] - x[0] * s[2],
                       x[0] * s[1] - x[1] * s[0]);
}
aritm* op_vector::multiply_double(double x) {
  return new op_vector(x * xyz_[0], x * xyz_[1], x * xyz_[2]);
}
aritm* op_vector::multiply_long(long x) {
  return multiply_double(static_cast<double>(varnex::model::Wrap32(x)));
}
// The dot product.
aritm* op_vector::percent_vector(double* x) {
  if (x == nullptr) {
    return nullptr;
  }
  return new op_zahl(x[0] * xyz_[0] + x[1] * xyz_[1] + x[2] * xyz_[2]);
}
aritm* op_vector::equal_vector(double* x) {
  return NewLogic(x != nullptr && SameVector(x, xyz_));
}
aritm* op_vector::not_equal_vector(double* x) {
  return NewLogic(x == nullptr || !SameVector(x, xyz_));
}

// 0 - component, so that negated zero components stay 0 (see op_zahl::minus_of).
aritm* op_vector::minus_of() {
  return new op_vector(0.0 - xyz_[0], 0.0 - xyz_[1], 0.0 - xyz_[2]);
}

double* op_vector::get_vector() {
  return xyz_;
}

void op_vector::print() {
  PVMStrg text;
  std::printf("%s\n", GetValue(text));
}

rumpf* op_vector::new_object(const char* name) {
  return NewNamedObject(name, "no new object_vector allocated");
}
rumpf* op_vector::assign_object(const char* name) {
  return AssignNamedObject(name);
}

const char* op_vector::GetValue(PVMStrg& out) const {
  out = varnex::model::VectorText(xyz_).c_str();
  return out.GetpStr();
}

char* op_vector::getsval() {
  PVMStrg text;
  return varnex::model::DuplicateText(GetValue(text));
}

void op_vector::setsval(const char* text) {
  if (SetFromFormula(text) != FormulaOutcome::kLiteral) {
    return;
  }
  double xyz[3];
  if (text == nullptr ||
      std::sscanf(text, "%*c %lf %*c %lf %*c %lf", &xyz[0], &xyz[1], &xyz[2]) != 3) {
    std::string message = std::string("value ") + (text ? text : "") + " no correct double";
    Report("setsval", message.c_str());
    return;
  }
  SetVector(xyz);
  set_value_source(nullptr);
}

XBOOL op_vector::IsOpVector() {
  return TRUE;
}

// op_axis: an axis operand (origin, then direction).
using varnex::model::NewLogic;
using varnex::model::WithinTolerance;

namespace {
bool SameAxis(const double* origin, const double* direction, const double* axis) {
  for (int i = 0; i < 3; ++i) {
    if (!WithinTolerance(origin[i], axis[i]) || !WithinTolerance(direction[i], axis[3 + i])) {
      return false;
    }
  }
  return true;
}
}  // namespace

op_axis::op_axis() = default;
op_axis::op_axis(const double* origin, const double* direction)
    : op_axis(origin, direction, nullptr) {}
op_axis::op_axis(const double* origin, const double* direction, const char* valueSource)
    : aritm(valueSource) {
  if (origin != nullptr) {
    SetOrigin(origin);
  }
  if (direction != nullptr) {
    SetDirection(direction);
  }
}

op_axis& op_axis::operator=(const double* axis) {
  SetAxis(axis);
  return *this;
}

int op_axis::SetOrigin(const double* origin) {
  if (origin == nullptr) {
    Report("SetOrigin", "value pointer = NULL");
    return -1;
  }
  for (int i = 0; i < 3; ++i) {
    axis_[i] = origin[i];
  }
  return 0;
}

int op_axis::SetDirection(const double* direction) {
  if (direction == nullptr) {
    Report("SetDirection", "value pointer = NULL");
    return -1;
  }
  for (int i = 0; i < 3; ++i) {
    axis_[3 + i] = direction[i];
  }
  return 0;
}

int op_axis::SetAxis(const double* axis) {
  if (axis == nullptr) {
    Report("SetAxis", "value pointer = NULL");
    return -1;
  }
  for (int i = 0; i < 6; ++i) {
    axis_[i] = axis[i];
  }
  return 0;
}

const char* op_axis::ClassName() const {
  return "op_axis";
}

aritm* op_axis::assign(aritm* other) {
  if (other == nullptr) {
    Report("assign (aritm *)", "operand to assign not specified");
    return nullptr;
  }
  if (const double* axis = other->get_axis()) {
    SetAxis(axis);
  }
  CopyAttributesFrom(*other);
  return this;
}

aritm* op_axis::multiply_aritm(aritm* b) {
  return b ? b->multiply_axis(axis_, axis_ + 3) : MissingOperand("multiply (aritm *)", "multiply");
}
aritm* op_axis::equal_aritm(aritm* b) {
  return b ? b->equal_axis(axis_, axis_ + 3) : MissingOperand("equal (aritm *)", "compare");
}
aritm* op_axis::not_equal_aritm(aritm* b) {
  return b ? b->not_equal_axis(axis_, axis_ + 3) : MissingOperand("not_equal (aritm *)", "compare");
}

aritm* varnex::model::NewTransformedAxis(const double* origin, const double* direction,
                                         const SPAtransf& transf) {
  SPAposition o = SPAposition(origin) * transf;
  SPAvector d = SPAvector(direction) * transf;
  double moved[3] = {o.x(), o.y(), o.z()};
  double turned[3] = {d.x(), d.y(), d.z()};
  return new op_axis(moved, turned);
}

aritm* op_axis::multiply_trans(SPAtransf* x) {
  return x ? varnex::model::NewTransformedAxis(axis_, axis_ + 3, *x) : nullptr;
}

aritm* op_axis::equal_axis(double* origin, double* direction) {
  return NewLogic(origin != nullptr && direction != nullptr && SameAxis(origin, direction, axis_));
}
aritm* op_axis::not_equal_axis(double* origin, double* direction) {
  return NewLogic(origin == nullptr || direction == nullptr || !SameAxis(origin, direction, axis_));
}

// The reversed axis starts where the old direction ended and points back.
aritm* op_axis::minus_of() {
  double origin[3], direction[3];
  for (int i = 0; i < 3; ++i) {
    origin[i] = axis_[i] + axis_[3 + i];
    direction[i] = 0.0 - axis_[3 + i];  // a zero component stays 0, not -0
  }
  return new op_axis(origin, direction);
}

double* op_axis::get_axis() {
  return axis_;
}

void op_axis::print() {
  PVMStrg text;
  std::printf("%s\n", GetValue(text));
}

rumpf* op_axis::new_object(const char* name) {
  return NewNamedObject(name, "no new object_axis allocated");
}
rumpf* op_axis::assign_object(const char* name) {
  return AssignNamedObject(name);
}

const char* op_axis::GetValue(PVMStrg& out) const {
  out = varnex::model::AxisText(axis_).c_str();
  return out.GetpStr();
}

char* op_axis::getsval() {
  PVMStrg text;
  return varnex::model::DuplicateText(GetValue(text));
}

void op_axis::setsval(const char* text) {
  if (SetFromFormula(text) != FormulaOutcome::kLiteral) {
    return;
  }
  double a[6];
  const char* pattern = "%*c %*c %lf %*c %lf %*c %lf %*c %*c %*c %lf %*c %lf %*c %lf";
  if (text == nullptr ||
      std::sscanf(text, pattern, &a[0], &a[1], &a[2], &a[3], &a[4], &a[5]) != 6) {
    std::string message = std::string("value ") + (text ? text : "") + " no correct XDOUBLE";
    Report("setsval", message.c_str());
    return;
  }
  SetAxis(a);
  set_value_source(nullptr);
}

XBOOL op_axis::IsOpAxis() {
  return TRUE;
}
