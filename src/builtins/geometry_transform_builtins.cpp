// The built-ins that move geometry: every body of a geometry list, or the body of a wire,
// transformed in place by a transformation operand.
#include <varnex/geometry/transforms.h>
#include <varnex/model/model.h>

#include "builtins/geometry_arguments.h"
#include "builtins/geometry_handlers.h"
#include "builtins/handler_support.h"

namespace varnex::builtins {
namespace {

SPAtransf* TransfArgument(aritm** args, int index) {
  aritm* operand = Argument(args, index);
  return operand != nullptr && operand->IsOpTrans() ? operand->get_transf() : nullptr;
}

}  // namespace

// transform(geometry, transformation): the same entities, their bodies moved.
void TransformGeometry(aritm** args, aritm** result) {
  op_geom* value = NewResult<op_geom>(result);
  list* moved = transform_object_geom(ListArgument(args, 0), TransfArgument(args, 1));
  if (moved != nullptr) {
    *value = moved;
  }
}

// transform_wire(wire, transformation).
void TransformWire(aritm** args, aritm** result) {
  SetGeometryResult(result, fmtransform_wire(EntityArgument(args, 0), TransfArgument(args, 1)));
}

}  // namespace varnex::builtins
