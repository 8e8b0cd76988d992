// The measure built-ins: areas, centres and the first principal axis of geometry. Nothing to
// measure leaves 0 or the zero vector.
#include <varnex/geometry/measures.h>
#include <varnex/model/model.h>

#include "builtins/geometry_arguments.h"
#include "builtins/geometry_handlers.h"
#include "builtins/handler_support.h"

namespace varnex::builtins {
namespace {

void CentreResult(aritm** result, const double* centre) {
  SPAposition at;
  if (centre != nullptr) {
    at = SPAposition(centre[0], centre[1], centre[2]);
  }
  SetPositionResult(result, centre != nullptr, at);
}

}  // namespace

// area_of_face(face, accuracy).
void AreaOfFace(aritm** args, aritm** result) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  *value = fmarea_of_face(EntityArgument(args, 0), NumberArgument(args, 1));
}

// area_of_body(geometry, accuracy): every face of the body owning the first entity.
void AreaOfBody(aritm** args, aritm** result) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  *value = fmarea_of_body(EntityArgument(args, 0), NumberArgument(args, 1));
}

// volume_of_body(geometry): the volume of the body owning the first entity (all its lumps).
void VolumeOfBody(aritm** args, aritm** result) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  *value = fmvolume_of_body(EntityArgument(args, 0));
}

// get_box_center(geometry, nx, ny, nz): the volume centre of the geometry's bodies. The
// projection normal does not move the centre; without one (all zero) it is +z.
void GetBoxCenter(aritm** args, aritm** result) {
  double normal[3] = {NumberArgument(args, 1), NumberArgument(args, 2), NumberArgument(args, 3)};
  if (normal[0] == 0.0 && normal[1] == 0.0 && normal[2] == 0.0) {
    normal[2] = 1.0;
  }
  double out[3];
  CentreResult(result,
               fmget_box_center(ListArgument(args, 0), out, normal[0], normal[1], normal[2]));
}

// get_area_center(geometry, accuracy, offset): the faces' area centre on the first face, moved
// by `offset` along its normal.
void GetAreaCenter(aritm** args, aritm** result) {
  double out[3];
  CentreResult(result, fmget_area_center(ListArgument(args, 0), out, NumberArgument(args, 1),
                                         NumberArgument(args, 2)));
}

void CenterOfGravity(aritm** args, aritm** result) {
  SPAposition centre;
  bool found = PVFCalcCenterOfGravity(ListArgument(args, 0), centre) == TRUE;
  SetPositionResult(result, found, centre);
}

void FirstPrincipalAxis(aritm** args, aritm** result) {
  SPAposition origin;
  SPAunit_vector direction;
  bool found = PVFFirstPrincipalAxis(ListArgument(args, 0), origin, direction) == TRUE;
  SetAxisResult(result, found, origin, direction);
}

}  // namespace varnex::builtins
