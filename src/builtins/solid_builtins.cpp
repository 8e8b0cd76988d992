// The built-ins that make, read, combine, copy and delete bodies. Every body made goes to the
// model's body list; a kernel failure leaves the empty geometry.
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/geometry_files.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/primitives.h>
#include <varnex/model/model.h>

#include <string>

#include "builtins/geometry_arguments.h"
#include "builtins/geometry_handlers.h"
#include "builtins/handler_support.h"

namespace varnex::builtins {
namespace {

double N(aritm** args, int index) {
  return NumberArgument(args, index);
}

}  // namespace

// create_cube(x, y, z): a cuboid centred on the origin.
void CreateCube(aritm** args, aritm** result) {
  SetGeometryResult(result, fmcreate_cube(N(args, 0), N(args, 1), N(args, 2)));
}

// create_cone(h, r1, r2): from radius r1 at z = 0 to r2 at z = h.
void CreateCone(aritm** args, aritm** result) {
  SetGeometryResult(result, fmcreate_cone(N(args, 0), N(args, 1), N(args, 2)));
}

void CreateSphere(aritm** args, aritm** result) {
  SetGeometryResult(result, fmcreate_sphere(N(args, 0)));
}

// create_cylinder(h, r).
void CreateCylinder(aritm** args, aritm** result) {
  SetGeometryResult(result, fmcreate_cylinder(N(args, 0), N(args, 1)));
}

// create_torus(R, r).
void CreateTorus(aritm** args, aritm** result) {
  SetGeometryResult(result, fmcreate_torus(N(args, 0), N(args, 1)));
}

// create_pyramid(h, r, top): twelve sides.
void CreatePyramid12(aritm** args, aritm** result) {
  SetGeometryResult(result, fmcreate_pyramid(N(args, 0), N(args, 1), N(args, 2)));
}

// create_Pyramid(h, rx, ry, top, n).
void CreatePyramidN(aritm** args, aritm** result) {
  SetGeometryResult(result,
                    fmcreate_pyramid(N(args, 0), N(args, 1), N(args, 2), N(args, 3), N(args, 4)));
}

// create_Frustum(h, rx, ry, top).
void CreateFrustum(aritm** args, aritm** result) {
  SetGeometryResult(result, fmcreate_frustum(N(args, 0), N(args, 1), N(args, 2), N(args, 3)));
}

// create_prism(h, rx, ry, n).
void CreatePrism(aritm** args, aritm** result) {
  SetGeometryResult(result, fmcreate_pris(N(args, 0), N(args, 1), N(args, 2), N(args, 3)));
}

// make_wire(x1, y1, z1, x2, y2, z2): a straight wire body.
void MakeWire(aritm** args, aritm** result) {
  SetGeometryResult(
      result, fmmake_wire(N(args, 0), N(args, 1), N(args, 2), N(args, 3), N(args, 4), N(args, 5)));
}

// read_geometry(file): a STEP, BREP or body file as one body.
void ReadGeometry(aritm** args, aritm** result) {
  NewResult<op_geom>(result);
  std::string path = TextArgument(args, 0);
  if (!path.empty()) {
    SetGeometryResult(result, fmread_geometry(path.c_str()));
  }
}

// read_acisgeo(file): the first body of a body file.
void ReadAcisGeo(aritm** args, aritm** result) {
  NewResult<op_geom>(result);
  std::string path = TextArgument(args, 0);
  if (!path.empty()) {
    SetGeometryResult(result, fmread_acisgeo(path.c_str()));
  }
}

// combine_body(a, b): the lumps of a's body move into b's body, which is the result.
void CombineBody(aritm** args, aritm** result) {
  NewResult<op_geom>(result);
  ENTITY* tool = fmbody_from(EntityArgument(args, 0));
  ENTITY* blank = fmbody_from(EntityArgument(args, 1));
  if (tool != nullptr && blank != nullptr) {
    SetGeometryResult(result, combine(tool, blank));
  }
}

void BodyFrom(aritm** args, aritm** result) {
  SetGeometryResult(result, fmbody_from(EntityArgument(args, 0)));
}

void CopyBody(aritm** args, aritm** result) {
  SetGeometryResult(result, PVcreate_copy_Body(EntityArgument(args, 0)));
}

void CopyEntity(aritm** args, aritm** result) {
  SetGeometryResult(result, fmcreate_copy_entity(EntityArgument(args, 0)));
}

// delete_body(g): 1 when the body owning g's first entity was deleted, else 0.
void DeleteBody(aritm** args, aritm** result) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  *value = static_cast<double>(fmdelete_geometric(EntityArgument(args, 0)));
}

}  // namespace varnex::builtins
