// Transforming bodies in place, and the transformation constructors.
#include <varnex/geometry/transforms.h>

#include <BRepBuilderAPI_GTransform.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <algorithm>
#include <vector>

#include "geometry/body_history.h"
#include "geometry/body_pieces.h"
#include "geometry/kernel_scope.h"
#include "geometry/occt_convert.h"

void (*pPVFObjectGeometryMoved)() = nullptr;

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
    // A NaN or infinite placement would send the mesher into an endless loop later.
    RequireKernel(transf.finite(), KERNEL_BAD_VALUE, "transformation is not finite");
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

list* transform_object_geom(list* geometry, SPAtransf* transf) {
  if (geometry == nullptr || transf == nullptr) {
    RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
    return nullptr;
  }
  // Each body once, however many of its pieces the list holds; stop at the first failure so the
  // caller sees it (bodies already moved stay moved, each one whole).
  std::vector<ENTITY*> bodies;
  for (int i = 0; i < geometry->count(); ++i) {
    ENTITY* body = BodyOf((*geometry)[i]);
    if (body != nullptr && std::find(bodies.begin(), bodies.end(), body) == bodies.end()) {
      bodies.push_back(body);
    }
  }
  for (ENTITY* body : bodies) {
    if (!api_apply_transf(body, *transf).ok()) {
      return nullptr;
    }
  }
  if (!bodies.empty() && pPVFObjectGeometryMoved != nullptr) {
    pPVFObjectGeometryMoved();
  }
  return bodies.empty() ? nullptr : geometry;
}
