// The vector built-ins: length, unit vector, dot, cross and triple products and the angle
// between two vectors. A missing or non-vector argument counts as the zero vector.
#include <varnex/model/model.h>

#include <cmath>

#include "builtins/handler_support.h"
#include "builtins/handlers.h"

namespace varnex::builtins {
namespace {

constexpr double kPi = 3.141592653589793;

SPAvector VectorOf(aritm** args, int index) {
  SPAvector v;
  VectorArgument(args, index, v);
  return v;
}

}  // namespace

void VecLen(aritm** args, aritm** result) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  *value = VectorOf(args, 0).len();
}

// A vector too short to have a direction leaves the zero vector.
void VecNorm(aritm** args, aritm** result) {
  op_vector* value = NewResult<op_vector>(result);
  SPAvector v = VectorOf(args, 0);
  if (!v.is_zero(SPAresnor)) {
    SetVectorValue(*value, v / v.len());
  }
}

void ScalarProduct(aritm** args, aritm** result) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  *value = VectorOf(args, 0) % VectorOf(args, 1);
}

void CrossProduct(aritm** args, aritm** result) {
  op_vector* value = NewResult<op_vector>(result);
  SetVectorValue(*value, VectorOf(args, 0) * VectorOf(args, 1));
}

// (a x b) . c: the signed volume of the parallelepiped the three vectors span.
void SpatProduct(aritm** args, aritm** result) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  *value = (VectorOf(args, 0) * VectorOf(args, 1)) % VectorOf(args, 2);
}

// The angle between vectors 1 and 2 in [0, pi]. With a third vector the angle turns about it
// (right hand) and lies in [0, 2 pi). A zero vector leaves 0.
void VecsAngle(aritm** args, aritm** result) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  SPAvector a = VectorOf(args, 0);
  SPAvector b = VectorOf(args, 1);
  if (a.is_zero(SPAresnor) || b.is_zero(SPAresnor)) {
    return;
  }
  SPAvector cross = a * b;
  double angle = std::atan2(cross.len(), a % b);
  SPAvector normal;
  if (VectorArgument(args, 2, normal) && cross % normal < 0.0) {
    angle = 2.0 * kPi - angle;
  }
  *value = angle;
}

}  // namespace varnex::builtins
