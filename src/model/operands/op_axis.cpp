// op_axis: an axis operand (origin, then direction).
#include <varnex/geometry/spa.h>
#include <varnex/model/op_vector.h>

#include <cstdio>
#include <string>

#include "model/operands/kind_support.h"

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
