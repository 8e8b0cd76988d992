// op_vector: a three-component vector operand.
#include <varnex/model/op_scalar.h>
#include <varnex/model/op_vector.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "model/operands/kind_support.h"

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
