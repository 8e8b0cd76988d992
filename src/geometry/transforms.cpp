// Transforming bodies in place, and the transformation constructors.
#include <varnex/geometry/transforms.h>

#include <BRepBuilderAPI_GTransform.hxx>
#include <BRepBuilderAPI_Transform.hxx>

#include "geometry/body_history.h"
#include "geometry/body_pieces.h"
#include "geometry/kernel_scope.h"
#include "geometry/occt_convert.h"

SPAtransf fmtranslate(double x, double y, double z) {
  return translate_transf(SPAvector(x, y, z));
}

SPAtransf fmrotate(double ax, double ay, double az, double angle) {
  SPAvector axis(ax, ay, az);
  if (axis.len() < SPAresnor) {
    return SPAtransf();
  }
  return rotate_transf(angle, axis);
}

namespace {

template <class Algorithm>
void CommitTransformed(BODY* body, Algorithm& algorithm) {
  RequireKernel(algorithm.IsDone(), KERNEL_NOT_DONE, "transformation");
  CommitWithHistory(body, algorithm.Shape(), MakeShapeHistory(algorithm));
}

}  // namespace

outcome api_apply_transf(ENTITY* entity, const SPAtransf& transf) {
  BODY* body = BodyOf(entity);
  if (body == nullptr) {
    return RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
  }
  return RunKernelOperation([&] {
    gp_Trsf trsf;
    if (ToTrsf(transf, trsf)) {
      // Copied, not located: Booleans on located shapes transform surfaces on every query and
      // ran about 5% slower in a chain of cuts.
      BRepBuilderAPI_Transform moved(ShapeOf(body), trsf, true);
      CommitTransformed(body, moved);
    } else {
      RequireKernel(std::fabs(transf.affine().determinant()) > 1e-300, KERNEL_BAD_VALUE,
                    "singular transformation");
      BRepBuilderAPI_GTransform mapped(ShapeOf(body), ToGTrsf(transf), true);
      CommitTransformed(body, mapped);
    }
    body->set_transform_record(body->transform() * transf);
  });
}

ENTITY* fmtransform_Body(ENTITY* entity, const SPAtransf& transf) {
  return api_apply_transf(entity, transf).ok() ? entity : nullptr;
}

ENTITY* fmtransform_wire(ENTITY* entity, SPAtransf* transf) {
  if (transf == nullptr) {
    RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
    return nullptr;
  }
  return fmtransform_Body(entity, *transf);
}
