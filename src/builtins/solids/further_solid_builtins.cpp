// Further solid built-ins: torus pieces, springs, skins, offsets, covers, straight wires, spline
// forms of round solids, transformed and appended copies, and the face nearest a point and the
// names of entities.
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/face_names.h>
#include <varnex/geometry/geometric_object_links.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/profile_solids.h>
#include <varnex/geometry/sweeps.h>
#include <varnex/geometry/transforms.h>
#include <varnex/model/model.h>

#include <optional>
#include <vector>

#include "builtins/handler_support.h"
#include "builtins/solids/solid_handlers.h"
#include "builtins/solids/solid_support.h"

namespace varnex::builtins {

using namespace solids;

// create_torus_arc(R, r, arc start, arc sweep, ring start, ring sweep).
void CreateTorusArc(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  SetGeometry(*geometry, fmcreate_torus_arc(NumberArgument(args, 0), NumberArgument(args, 1),
                                            NumberArgument(args, 2), NumberArgument(args, 3),
                                            NumberArgument(args, 4), NumberArgument(args, 5)));
}

// create_HelixBody(radius, pitch, turns, wire radius).
void CreateHelixBody(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  SetGeometry(*geometry, fmcreate_helix_body(NumberArgument(args, 0), NumberArgument(args, 1),
                                             NumberArgument(args, 2), NumberArgument(args, 3)));
}

// skinFaces(section, section, ...): the solid through the sections in argument order; the
// sections are geometry arguments, other arguments are skipped.
void SkinFaces(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  std::vector<ENTITY*> sections;
  for (int i = 0; i < ArgumentCount(args); ++i) {
    if (ENTITY* section = EntityArgument(args, i)) {
      sections.push_back(section);
    }
  }
  SetGeometry(*geometry, fmskin_sections(sections, TRUE, FALSE));
}

// offset(geometry, distance): a new body offset from the geometry's body; a geometry holding a
// single face gives that face's offset sheet.
void Offset(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  list* entities = ListArgument(args, 0);
  ENTITY* source = EntityArgument(args, 0);
  if (entities != nullptr && entities->count() > 1) {
    source = fmbody_from(source);
  }
  SetGeometry(*geometry, fmoffset_entity(source, NumberArgument(args, 1)));
}

// create_spline_sphere(r).
void CreateSplineSphere(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  SetGeometry(*geometry, fmcreate_spline_sphere(NumberArgument(args, 0)));
}

// create_spline_torus(R, r).
void CreateSplineTorus(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  SetGeometry(*geometry, fmcreate_spline_torus(NumberArgument(args, 0), NumberArgument(args, 1)));
}

// append_virt_volume / append_virt_geometry(target, geometry): the lumps of the second body join
// the first without a Boolean (a volume kept apart inside one body); answers the target.
void AppendVirtual(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  ENTITY* target = fmbody_from(EntityArgument(args, 0));
  ENTITY* appended = fmbody_from(EntityArgument(args, 1));
  if (target != nullptr && appended != nullptr && target != appended) {
    SetGeometry(*geometry, combine(appended, target));
  }
}

// create_NTransWb(geometry, transformation): a transformed copy of the geometry's body, a new
// body in the model; the original stays.
void CreateNTransWb(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  std::optional<SPAtransf> transf = TransfArgument(args, 1);
  ENTITY* copy = transf ? PVcreate_copy_Body(EntityArgument(args, 0)) : nullptr;
  if (copy == nullptr) {
    return;
  }
  if (fmtransform_Body(copy, *transf) == nullptr) {
    api_delent(copy);
    return;
  }
  SetGeometry(*geometry, copy);
}

// get_pifaceob(geometry, point): the face of the geometry's body nearest the point (the face the
// point lies on). The answer holds that face alone.
void GetPiFaceOb(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  SPAvector point;
  if (VectorArgument(args, 1, point)) {
    if (ENTITY* face = fmface_nearest_point(EntityArgument(args, 0),
                                            SPAposition(point.x(), point.y(), point.z()))) {
      *geometry = face;
    }
  }
}

// sval_of_ENT(geometry): the full name of the geometry's first face ("" without one).
void SvalOfEnt(aritm** args, aritm** result) {
  NewResult<op_text>(result);
  PVMStrg name;
  if (FindFaceFullName(EntityArgument(args, 0), name) != nullptr) {
    ReplaceResult(result, new op_text(name.GetpStr()));
  }
}

// sval_of_ENT2(geometry): the own name of the geometric object holding the first entity.
void SvalOfEnt2(aritm** args, aritm** result) {
  NewResult<op_text>(result);
  rumpf* object = find_face_name_att(EntityArgument(args, 0));
  if (object != nullptr) {
    ReplaceResult(result, new op_text(ObjectLinks().ShortName(object).GetpStr()));
  }
}

}  // namespace varnex::builtins
