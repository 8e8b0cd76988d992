// Geometry arguments and results of the built-ins (see geometry_arguments.h).
#include "builtins/geometry_arguments.h"

#include <varnex/model/model.h>

#include "builtins/handler_support.h"

namespace varnex::builtins {

ENTITY* EntityArgument(aritm** args, int index) {
  aritm* operand = Argument(args, index);
  return operand != nullptr && operand->IsOpGeom() ? operand->get_ENTITY(0) : nullptr;
}

list* ListArgument(aritm** args, int index) {
  aritm* operand = Argument(args, index);
  return operand != nullptr && operand->IsOpGeom() ? operand->get_list() : nullptr;
}

void SetGeometryResult(aritm** result, ENTITY* entity) {
  auto* value = new op_geom();
  ReplaceResult(result, value);
  if (entity != nullptr) {
    *value = entity;
  }
}

void SetPositionResult(aritm** result, bool found, const SPAposition& position) {
  op_vector* value = NewResult<op_vector>(result);
  if (found) {
    SetVectorValue(*value, SPAvector(position.x(), position.y(), position.z()));
  }
}

void SetAxisResult(aritm** result, bool found, const SPAposition& origin,
                   const SPAvector& direction) {
  op_axis* value = NewResult<op_axis>(result);
  if (found) {
    double axis[6] = {origin.x(),    origin.y(),    origin.z(),
                      direction.x(), direction.y(), direction.z()};
    value->SetAxis(axis);
  }
}

}  // namespace varnex::builtins
