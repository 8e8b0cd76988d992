// Argument readers of the geometric built-ins.
#include "builtins/solids/solid_support.h"

#include <varnex/geometry/model_bodies.h>
#include <varnex/model/model.h>

#include <cmath>

#include "builtins/handler_support.h"

namespace varnex::builtins::solids {

std::optional<std::array<double, 6>> AxisArgument(aritm** args, int index) {
  aritm* operand = Argument(args, index);
  if (operand == nullptr || !operand->IsOpAxis() || operand->get_axis() == nullptr) {
    return std::nullopt;
  }
  const double* axis = operand->get_axis();
  return std::array<double, 6>{axis[0], axis[1], axis[2], axis[3], axis[4], axis[5]};
}

std::optional<std::array<double, 3>> PositionArgument(aritm** args, int index) {
  SPAvector v;
  if (!VectorArgument(args, index, v)) {
    return std::nullopt;
  }
  return std::array<double, 3>{v.x(), v.y(), v.z()};
}

std::optional<SPAtransf> TransfArgument(aritm** args, int index) {
  aritm* operand = Argument(args, index);
  if (operand == nullptr || !operand->IsOpTrans() || operand->get_transf() == nullptr) {
    return std::nullopt;
  }
  return *operand->get_transf();
}

long IntegerArgument(aritm** args, int index, long fallback) {
  if (!IsNumber(Argument(args, index))) {
    return fallback;
  }
  double value = NumberArgument(args, index);
  if (!std::isfinite(value) || std::fabs(value) > 1e9) {
    return fallback;
  }
  return static_cast<long>(value);
}

double NumberOr(aritm** args, int index, double fallback) {
  return IsNumber(Argument(args, index)) ? NumberArgument(args, index) : fallback;
}

SPAvector StepArgument(aritm** args, int index, const SPAvector& axis) {
  SPAvector step;
  if (VectorArgument(args, index, step)) {
    return step;
  }
  return NumberArgument(args, index) * axis;
}

void SetGeometry(op_geom& result, ENTITY* entity) {
  if (ENTITY* body = fmbody_from(entity)) {
    result.get_list()->clear();
    fill_list(body, result.get_list());
  }
}

}  // namespace varnex::builtins::solids
