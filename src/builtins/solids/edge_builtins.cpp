// The edge-finishing built-ins: chamfers and rounds on the edges between two lists of faces.
// The body is changed in place and answered; nothing found or a blend that cannot be built
// answers empty geometry and leaves the body as it was.
#include <varnex/geometry/blends.h>
#include <varnex/language/run_messages.h>
#include <varnex/model/model.h>

#include <string>

#include "builtins/handler_support.h"
#include "builtins/solids/solid_handlers.h"
#include "builtins/solids/solid_support.h"

namespace varnex::builtins {

using namespace solids;

namespace {

// A blend that could not be built answers empty geometry: the feature is told, or its body
// would go on without the rounds it asked for.
ENTITY* Reported(ENTITY* blended, const char* name) {
  if (blended == nullptr) {
    NovlReportSkipped(std::string(name) +
                      ": the blend could not be built (no edge between the two face lists, or a "
                      "radius or setback the faces cannot take); it answers empty geometry and "
                      "the body stays as it was");
  }
  return blended;
}

}  // namespace

// set_chamfer(faces1, faces2, d1, d2): setback d1 on the first faces, d2 (<= 0: d1) on the second.
void SetChamfer(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  SetGeometry(*geometry, Reported(fmset_chamfer(ListArgument(args, 0), ListArgument(args, 1),
                                                NumberArgument(args, 2), NumberArgument(args, 3)),
                                  "set_chamfer"));
}

// set_rounds(faces1, faces2, radius, end radius, convexity).
void SetRounds(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  SetGeometry(*geometry, Reported(fmset_rounds(ListArgument(args, 0), ListArgument(args, 1),
                                               NumberArgument(args, 2), NumberArgument(args, 3),
                                               NumberArgument(args, 4)),
                                  "set_rounds"));
}

// set_rounds_vert(base, sides1, sides2, radius, end radius, convexity): the upright edges.
void SetRoundsVert(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  SetGeometry(*geometry,
              Reported(fmset_rounds_vert(ListArgument(args, 0), ListArgument(args, 1),
                                         ListArgument(args, 2), NumberArgument(args, 3),
                                         NumberArgument(args, 4), NumberArgument(args, 5)),
                       "set_rounds_vert"));
}

// create_fillet_var(faces1, faces2, start radius, end radius): a round whose radius runs from
// the start to the end radius along each edge.
void CreateFilletVar(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  SetGeometry(*geometry,
              Reported(fmset_rounds(ListArgument(args, 0), ListArgument(args, 1),
                                    NumberArgument(args, 2), NumberArgument(args, 3), 0.0),
                       "create_fillet_var"));
}

}  // namespace varnex::builtins
