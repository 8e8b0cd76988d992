// The position built-ins: placements (transformations from the model's system to a local one)
// found from points, directions, axes, faces and edges; transformations relative to others;
// axes and vectors carried through them; and bodies moved in place. Unusable arguments answer
// the initial result (identity transformation, zero vector or axis, empty geometry).
#include <varnex/geometry/measures.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/positions.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/transforms.h>
#include <varnex/model/model.h>

#include <array>
#include <optional>

#include "builtins/handler_support.h"
#include "builtins/solids/solid_handlers.h"
#include "builtins/solids/solid_support.h"

namespace varnex::builtins {
namespace {

using namespace solids;

void SetTransf(aritm** result, const SPAtransf& transf) {
  ReplaceResult(result, new op_trans(&transf));
}

void SetAxis(aritm** result, const SPAposition& origin, const SPAvector& direction) {
  const double o[3] = {origin.x(), origin.y(), origin.z()};
  const double d[3] = {direction.x(), direction.y(), direction.z()};
  ReplaceResult(result, new op_axis(o, d));
}

SPAposition AsPosition(const SPAvector& v) {
  return SPAposition(v.x(), v.y(), v.z());
}

}  // namespace

// set_position(origin, x direction, y direction): the system at the origin with those axes (y
// made perpendicular to x).
void SetPosition(aritm** args, aritm** result) {
  NewResult<op_trans>(result);
  SPAvector origin, x, y;
  if (VectorArgument(args, 0, origin) && VectorArgument(args, 1, x) && VectorArgument(args, 2, y) &&
      !are_parallel(x, y) && x.len() > SPAresnor && y.len() > SPAresnor) {
    SetTransf(result, coordinate_transf(AsPosition(origin), normalise(x), normalise(y)));
  }
}

// set_poslcs(axis1, axis2, position): the local system of the basic solids.
void SetPosLcs(aritm** args, aritm** result) {
  NewResult<op_trans>(result);
  auto axis1 = AxisArgument(args, 0);
  auto axis2 = AxisArgument(args, 1);
  auto position = PositionArgument(args, 2);
  if (axis1 && axis2) {
    SetTransf(result, fmLocalPlacement(position ? position->data() : nullptr, axis1->data(),
                                       axis2->data()));
  }
}

// set_posedge(edge, face): the system at the edge's start, x along the edge, z along the face's
// normal (the edge's first face when none is given).
void SetPosEdge(aritm** args, aritm** result) {
  NewResult<op_trans>(result);
  SPAtransf placement;
  if (fmEdgePlacement(EntityArgument(args, 0), EntityArgument(args, 1), placement)) {
    SetTransf(result, placement);
  }
}

// set_poscol(point, direction): the system at the point whose z is the direction.
void SetPosCol(aritm** args, aritm** result) {
  NewResult<op_trans>(result);
  SPAvector point, direction;
  if (VectorArgument(args, 0, point) && VectorArgument(args, 1, direction) &&
      direction.len() > SPAresnor) {
    SetTransf(result, fmDirectionPlacement(AsPosition(point), direction));
  }
}

// CalcStaPos(face, u, v): the system at the face's point (u, v), z along its outward normal.
void CalcStaPos(aritm** args, aritm** result) {
  NewResult<op_trans>(result);
  SPAtransf placement;
  if (fmFacePlacement(EntityArgument(args, 0), NumberArgument(args, 1), NumberArgument(args, 2),
                      placement)) {
    SetTransf(result, placement);
  }
}

// CalcUV(face, point): the vector (u, v, distance) of the point's foot on the face's surface.
void CalcUV(aritm** args, aritm** result) {
  op_vector* value = NewResult<op_vector>(result);
  SPAvector point;
  double u = 0, v = 0, distance = 0;
  if (VectorArgument(args, 1, point) &&
      fm_face_point_params(EntityArgument(args, 0), AsPosition(point), u, v, distance)) {
    SetVectorValue(*value, SPAvector(u, v, distance));
  }
}

// get_raytest_axis(face, u, v): the axis from the face's point (u, v) along its outward normal.
void GetRaytestAxis(aritm** args, aritm** result) {
  NewResult<op_axis>(result);
  ENTITY* face = EntityArgument(args, 0);
  double u = NumberArgument(args, 1);
  double v = NumberArgument(args, 2);
  double px, py, pz, nx, ny, nz;
  if (fm_face_position(face, u, v, px, py, pz) && fm_face_normal(face, u, v, nx, ny, nz)) {
    SetAxis(result, SPAposition(px, py, pz), SPAvector(nx, ny, nz));
  }
}

// GetTrafoOfFS(geometry): the transformations applied to the geometry's body since it was made.
void GetTrafoOfFS(aritm** args, aritm** result) {
  NewResult<op_trans>(result);
  if (ENTITY* entity = EntityArgument(args, 0)) {
    SetTransf(result, GetTrans(entity));
  }
}

// context_transformation(transformation, context): the transformation done inside the context
// system: back from the context, the transformation, into the context again.
void ContextTransformation(aritm** args, aritm** result) {
  NewResult<op_trans>(result);
  auto transf = TransfArgument(args, 0);
  auto context = TransfArgument(args, 1);
  if (transf && context) {
    SetTransf(result, context->inverse() * *transf * *context);
  }
}

// partsol_transformation(from, to): the transformation that takes the placement `from` to the
// placement `to` (undo `from`, then apply `to`).
void PartsolTransformation(aritm** args, aritm** result) {
  NewResult<op_trans>(result);
  auto from = TransfArgument(args, 0);
  auto to = TransfArgument(args, 1);
  if (from && to) {
    SetTransf(result, from->inverse() * *to);
  }
}

// actual_axis(axis, transformation): the axis carried through the transformation.
void ActualAxis(aritm** args, aritm** result) {
  NewResult<op_axis>(result);
  auto axis = AxisArgument(args, 0);
  if (!axis) {
    return;
  }
  SPAposition origin(axis->data());
  SPAvector direction(axis->data() + 3);
  if (auto transf = TransfArgument(args, 1)) {
    origin = origin * *transf;
    direction = direction * *transf;
  }
  SetAxis(result, origin, direction);
}

// vector_rotation(vector, axis direction, angle): the vector turned about the direction.
void VectorRotation(aritm** args, aritm** result) {
  op_vector* value = NewResult<op_vector>(result);
  SPAvector vector, direction;
  if (VectorArgument(args, 0, vector) && VectorArgument(args, 1, direction)) {
    SetVectorValue(*value, vector * rotate_transf(NumberArgument(args, 2), direction));
  }
}

// include_axes(geometry, axis, ...): the geometry with a straight wire body per axis (from its
// origin along its direction) added to the list.
void IncludeAxes(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  if (list* given = ListArgument(args, 0)) {
    geometry->get_list()->add(*given);
  }
  for (int i = 1; i < ArgumentCount(args); ++i) {
    if (auto axis = AxisArgument(args, i)) {
      const double* a = axis->data();
      if (ENTITY* wire = fmmake_wire(a[0], a[1], a[2], a[0] + a[3], a[1] + a[4], a[2] + a[5])) {
        fill_list(wire, geometry->get_list());
      }
    }
  }
}

// manipulate(geometry, transformation): the geometry's body transformed in place.
void Manipulate(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  auto transf = TransfArgument(args, 1);
  ENTITY* entity = EntityArgument(args, 0);
  if (transf && entity != nullptr && fmtransform_Body(entity, *transf) != nullptr) {
    SetGeometry(*geometry, entity);
  }
}

}  // namespace varnex::builtins
