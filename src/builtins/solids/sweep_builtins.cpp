// The sweep built-ins: straight sweeps of faces along their normals or a vector, revolutions,
// sweeps along a path wire, and the feature forms that name the new solid's faces. The "_XOpFa"
// forms work on a face of a solid: the swept solid joins that solid (a negative normal distance
// cuts). Unusable arguments answer empty geometry and change nothing.
#include <varnex/geometry/basic_solids.h>
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/profile_solids.h>
#include <varnex/geometry/sweeps.h>
#include <varnex/geometry/topology.h>
#include <varnex/model/model.h>

#include <numbers>

#include "builtins/handler_support.h"
#include "builtins/solids/solid_handlers.h"
#include "builtins/solids/solid_support.h"

namespace varnex::builtins {
namespace {

using namespace solids;

constexpr double kFullTurn = 2.0 * std::numbers::pi;

// The faces of a geometry argument as a list of its own (a body stands for its faces).
list FacesArgument(aritm** args, int index) {
  list faces;
  list* given = ListArgument(args, index);
  for (int i = 0; given != nullptr && i < given->count(); ++i) {
    if (is_FACE((*given)[i])) {
      faces.add((*given)[i]);
    } else if (is_BODY((*given)[i])) {
      fill_list((*given)[i], &faces);
    }
  }
  return faces;
}

bool IsSolidBody(ENTITY* entity) {
  ENTITY_LIST lumps;
  return entity != nullptr && api_get_lumps(entity, lumps).ok() && lumps.count() > 0;
}

// A new solid made from the profile `face` joins the solid the face belongs to; without such a
// solid the new one is the answer.
ENTITY* JoinToFacesSolid(ENTITY* made, ENTITY* face) {
  ENTITY* owner = fmbody_from(face);
  if (made == nullptr || owner == nullptr || owner == made || !IsSolidBody(owner)) {
    return made;
  }
  return unite(made, owner);
}

// The axis argument as origin and direction; the z axis when missing.
void AxisOrZ(aritm** args, int index, SPAposition& origin, SPAvector& direction) {
  origin = SPAposition();
  direction = SPAvector(0, 0, 1);
  if (auto axis = AxisArgument(args, index)) {
    origin = SPAposition(axis->data());
    direction = SPAvector(axis->data() + 3);
  }
}

ENTITY* RevolveIntoSolid(aritm** args, double angle) {
  ENTITY* face = EntityArgument(args, 0);
  SPAposition origin;
  SPAvector direction;
  AxisOrZ(args, 1, origin, direction);
  return JoinToFacesSolid(fmrevolve_profile(face, origin, direction, angle), face);
}

}  // namespace

// sweep(faces, distance, draft, gap type): the faces swept along their normals in place.
void Sweep(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  list faces = FacesArgument(args, 0);
  SetGeometry(*geometry, fmsweep(&faces, NumberArgument(args, 1), NumberArgument(args, 2),
                                 NumberArgument(args, 3)));
}

// sweep_body(faces, distance, draft, gap type): copies of the faces swept into a new body.
void SweepBody(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  list faces = FacesArgument(args, 0);
  SetGeometry(*geometry, fmsweep_as_body(&faces, NumberArgument(args, 1), NumberArgument(args, 2),
                                         NumberArgument(args, 3)));
}

// sw_face(profile, vector, draft): a copy of the profile swept along the vector: a new body.
void SwFace(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  SPAvector along;
  if (VectorArgument(args, 1, along)) {
    SetGeometry(*geometry,
                fmsweep_profile_copy(EntityArgument(args, 0), along, NumberArgument(args, 2)));
  }
}

// swNorm_XOpFa(faces, distance, draft, gap type): as sweep (added to or cut from the solid).
void SwNormXOpFa(aritm** args, aritm** result) {
  Sweep(args, result);
}

// swVec_XOpFa(face, vector, draft, gap type): the face swept along the vector, in place.
void SwVecXOpFa(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  SPAvector along;
  if (VectorArgument(args, 1, along)) {
    SetGeometry(*geometry, fmsweep_vec(EntityArgument(args, 0), along.x(), along.y(), along.z(),
                                       NumberArgument(args, 2), NumberArgument(args, 3)));
  }
}

// rotAx_XOpFa(face, axis): the face revolved once about the axis, joining its solid.
void RotAxXOpFa(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  SetGeometry(*geometry, RevolveIntoSolid(args, kFullTurn));
}

// rotWin_XOpFa(face, axis, angle): the face revolved by the angle, joining its solid.
void RotWinXOpFa(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  SetGeometry(*geometry, RevolveIntoSolid(args, NumberArgument(args, 2)));
}

// swWire_XOpFa(face, path, binormal): a copy of the face swept along the path wire, joining the
// face's solid. A binormal vector keeps the profile's orientation fixed.
void SwWireXOpFa(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  ENTITY* face = EntityArgument(args, 0);
  ENTITY* path = EntityArgument(args, 1);
  if (face == nullptr || path == nullptr) {
    return;
  }
  SPAvector binormal;
  VectorArgument(args, 2, binormal);
  ENTITY* profile = fmcover_face(face);
  ENTITY* swept = profile == nullptr
                      ? nullptr
                      : fmsweep_wire(profile, path, binormal.x(), binormal.y(), binormal.z());
  if (swept == nullptr && profile != nullptr) {
    api_delent(profile);
  }
  SetGeometry(*geometry, JoinToFacesSolid(swept, face));
}

// sweep_vec(profile, vector, draft, gap type): the profile swept along the vector, in place: a
// sheet or wire body becomes the solid, a face of a solid adds to it.
void SweepVec(aritm** args, aritm** result) {
  SwVecXOpFa(args, result);
}

// rsweep_vec(profile, vector, draft, gap type): as sweep_vec, against the vector.
void RSweepVec(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  SPAvector along;
  if (VectorArgument(args, 1, along)) {
    SetGeometry(*geometry, fmsweep_vec(EntityArgument(args, 0), -along.x(), -along.y(), -along.z(),
                                       NumberArgument(args, 2), NumberArgument(args, 3)));
  }
}

// sweep_wire(profile, path, binormal): the profile swept along the path wire, in place; the path
// stays. A binormal vector keeps the profile's orientation fixed.
void SweepWire(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  ENTITY* profile = EntityArgument(args, 0);
  ENTITY* path = EntityArgument(args, 1);
  if (profile == nullptr || path == nullptr) {
    return;
  }
  SPAvector binormal;
  VectorArgument(args, 2, binormal);
  SetGeometry(*geometry, fmsweep_wire(profile, path, binormal.x(), binormal.y(), binormal.z()));
}

// sweep_hull(base, height, radius, thickness): a new hollow cylinder standing on the planar face
// `base` (centred on its area centre, along its normal), or on the plane z = 0 at the origin when
// `base` is a number. Any other base answers empty geometry.
void SweepHull(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  ENTITY* base = EntityArgument(args, 0);
  if (base == nullptr && !IsNumber(Argument(args, 0))) {
    return;
  }
  SetGeometry(*geometry, fmsweep_hull(base, NumberArgument(args, 1), NumberArgument(args, 2),
                                      NumberArgument(args, 3)));
}

// revolve_wire(profile): the profile revolved once about the z axis, in place.
void RevolveWire(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  SetGeometry(*geometry, fmrevolve_wire(EntityArgument(args, 0)));
}

// create_SweepExtrusionGeo(profile, distance, draft, feature): a covered copy of the profile
// swept along its normal into a new body whose faces are named in the feature's world.
void CreateSweepExtrusionGeo(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  ENTITY* sheet = fmcover_face(EntityArgument(args, 0));
  if (sheet == nullptr) {
    return;
  }
  list faces;
  fill_list(sheet, &faces);
  ENTITY* solid = fmsweep(&faces, NumberArgument(args, 1), NumberArgument(args, 2), 0.0);
  if (solid == nullptr) {
    api_delent(sheet);
    return;
  }
  fmNameBodyFaces(solid, ObjectArgument(args, 3));
  SetGeometry(*geometry, solid);
}

// create_SweepRotationGeo(profile, axis, angle, feature): the profile revolved into a new body
// whose faces are named in the feature's world; a missing angle is a full turn.
void CreateSweepRotationGeo(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  SPAposition origin;
  SPAvector direction;
  AxisOrZ(args, 1, origin, direction);
  double angle = NumberOr(args, 2, kFullTurn);
  ENTITY* solid = fmrevolve_profile(EntityArgument(args, 0), origin, direction, angle);
  fmNameBodyFaces(solid, ObjectArgument(args, 3));
  SetGeometry(*geometry, solid);
}

}  // namespace varnex::builtins
