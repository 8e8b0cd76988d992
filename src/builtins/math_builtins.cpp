// The arithmetic built-ins: constants, roots, trigonometry, angle units, rounding, min and max.
// Each answers an op_zahl; an argument outside the function's domain leaves it at 0.
#include <varnex/model/model.h>

#include <algorithm>
#include <cmath>

#include "builtins/handler_support.h"
#include "builtins/handlers.h"

namespace varnex::builtins {
namespace {

constexpr double kPi = 3.141592653589793;

// Values closer than the kernel's positional tolerance count as equal.
bool IsNear(double a, double b) {
  return std::fabs(a - b) < SPAresabs;
}

// Snaps an arc-function argument onto 0, 1 or -1 when it lies within the tolerance of them.
double SnapArcArgument(double x) {
  if (IsNear(x, 0.0)) {
    return 0.0;
  }
  if (IsNear(x, 1.0)) {
    return 1.0;
  }
  if (IsNear(x, -1.0)) {
    return -1.0;
  }
  return x;
}

// Computes f(argument 1) into a fresh op_zahl.
template <class Function>
void Unary(aritm** args, aritm** result, Function f) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  *value = f(NumberArgument(args, 0));
}

}  // namespace

void Pi(aritm**, aritm** result) {
  NewResult<op_zahl>(result, kPi);
}

void Abs(aritm** args, aritm** result) {
  Unary(args, result, [](double x) { return std::fabs(x); });
}

void Sqrt(aritm** args, aritm** result) {
  Unary(args, result, [](double x) { return IsNear(x, 0.0) || x < 0.0 ? 0.0 : std::sqrt(x); });
}

void Asin(aritm** args, aritm** result) {
  Unary(args, result, [](double x) {
    x = SnapArcArgument(x);
    return std::fabs(x) > 1.0 ? 0.0 : std::asin(x);
  });
}

void Acos(aritm** args, aritm** result) {
  Unary(args, result, [](double x) {
    x = SnapArcArgument(x);
    return std::fabs(x) > 1.0 ? 0.0 : std::acos(x);
  });
}

void Sin(aritm** args, aritm** result) {
  Unary(args, result, [](double x) { return std::sin(x); });
}

void Cos(aritm** args, aritm** result) {
  Unary(args, result, [](double x) { return std::cos(x); });
}

void Atan(aritm** args, aritm** result) {
  Unary(args, result, [](double x) { return std::atan(x); });
}

// At an odd multiple of pi/2 the tangent has a pole: the result stays 0.
void Tan(aritm** args, aritm** result) {
  Unary(args, result, [](double x) { return IsNear(std::cos(x), 0.0) ? 0.0 : std::tan(x); });
}

// The cotangent is 0 where the tangent has its poles, and has its own poles at the multiples of
// pi; there the result stays 0 as well rather than turning infinite.
void Cotan(aritm** args, aritm** result) {
  Unary(args, result, [](double x) {
    if (IsNear(std::cos(x), 0.0) || IsNear(std::sin(x), 0.0)) {
      return 0.0;
    }
    return 1.0 / std::tan(x);
  });
}

void Rad(aritm** args, aritm** result) {
  Unary(args, result, [](double x) { return x * kPi / 180.0; });
}

void Deg(aritm** args, aritm** result) {
  Unary(args, result, [](double x) { return x * 180.0 / kPi; });
}

// Halves round upwards: round(2.5) is 3, round(-2.5) is -2.
void Round(aritm** args, aritm** result) {
  Unary(args, result, [](double x) { return std::floor(x + 0.5); });
}

void Min(aritm** args, aritm** result) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  *value = std::min(NumberArgument(args, 0), NumberArgument(args, 1));
}

void Max(aritm** args, aritm** result) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  *value = std::max(NumberArgument(args, 0), NumberArgument(args, 1));
}

}  // namespace varnex::builtins
