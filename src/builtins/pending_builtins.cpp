// Stand-ins for the built-ins whose work belongs to the geometry layer (solids, faces, sweeps,
// positions, edge finishing, patterns) until their handlers are bound to it. Each answers the
// initial result of its kind, which is what a real handler answers for unusable arguments, so a
// feature text calling one runs on and is never mistaken for a feature call. Whoever binds a
// name replaces its entry in method_table.cpp and drops the stand-in once nothing uses it.
#include <varnex/model/model.h>

#include "builtins/handler_support.h"
#include "builtins/handlers.h"

namespace varnex::builtins {

void PendingGeometry(aritm**, aritm** result) {
  NewResult<op_geom>(result);
}

void PendingNumber(aritm**, aritm** result) {
  NewResult<op_zahl>(result, 0.0);
}

void PendingVector(aritm**, aritm** result) {
  NewResult<op_vector>(result);
}

void PendingAxis(aritm**, aritm** result) {
  NewResult<op_axis>(result);
}

void PendingTransf(aritm**, aritm** result) {
  NewResult<op_trans>(result);
}

void PendingLogic(aritm**, aritm** result) {
  NewResult<op_logic>(result, FALSE);
}

void PendingObject(aritm**, aritm** result) {
  NewResult<op_object>(result);
}

}  // namespace varnex::builtins
