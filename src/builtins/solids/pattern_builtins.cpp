// The pattern built-ins: Generate_Matrix, Generate_Wreath, Generate_CircleDivision and their
// rotating forms. Each makes the body of its geometry argument the pattern (the original stays
// in place, transformed copies join it as further lumps) and answers that body, so that one
// subtraction takes all the copies away in a single Boolean. Unusable arguments answer empty
// geometry and change nothing.
#include <varnex/geometry/measures.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/patterns.h>
#include <varnex/language/run_messages.h>
#include <varnex/model/model.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "builtins/handler_support.h"
#include "builtins/solids/solid_handlers.h"
#include "builtins/solids/solid_support.h"

namespace varnex::builtins {
namespace {

using namespace solids;

constexpr double kFullTurn = 2.0 * std::numbers::pi;

// The centre of the box around the body of `entity`: the point a copy that keeps its
// orientation moves with.
SPAposition ReferenceOf(ENTITY* entity) {
  SPAposition low, high;
  if (!api_get_entity_box(fmbody_from(entity), low, high).ok()) {
    return SPAposition();
  }
  return low + 0.5 * (high - low);
}

// Too many copies, or a step that is not finite, is refused with a message: answering the
// geometry without copies would pass for success (a plate without its holes).
void Answer(aritm** result, ENTITY* entity, const std::vector<SPAtransf>& placements,
            const char* name, bool refused) {
  op_geom* geometry = NewResult<op_geom>(result);
  if (entity == nullptr) {
    NovlReportSkipped(std::string(name) +
                      ": its first argument holds no geometry to copy; it answers empty geometry");
    return;
  }
  if (refused) {
    ReportRefusal(name, "more than " + std::to_string(kMaxPatternCopies) +
                            " copies, or a step or axis that is not finite");
    return;
  }
  if (placements.empty()) {
    NovlReportSkipped(std::string(name) +
                      ": a count below 1 asks for no copies; it answers empty geometry");
  } else {
    ENTITY* pattern = fmPatternBody(entity, placements);
    if (pattern == nullptr) {
      ReportRefusal(name, "a placement of the pattern is not finite");
    }
    SetGeometry(*geometry, pattern);
  }
}

// Whether counts that ask for copies got no placements: over the limit, or not finite.
bool Refused(const std::vector<SPAtransf>& placements, long count1, long count2 = 1) {
  return placements.empty() && count1 >= 1 && count2 >= 1;
}

// (geometry, count1, step1, count2, step2): copies at i·step1 + j·step2. A number step is a
// distance along x (step1) or y (step2); a missing second count is 1.
std::vector<SPAtransf> Matrix(aritm** args) {
  return MatrixPlacements(IntegerArgument(args, 1, 0), StepArgument(args, 2, {1, 0, 0}),
                          IntegerArgument(args, 3, 1), StepArgument(args, 4, {0, 1, 0}));
}

// The circle of a wreath: (geometry, axis, count, ...); a missing axis is the z axis.
std::vector<SPAtransf> Circle(aritm** args, ENTITY* entity, double step, bool turn) {
  SPAposition centre;
  SPAvector axis(0, 0, 1);
  if (auto given = AxisArgument(args, 1)) {
    centre = SPAposition(given->data());
    axis = SPAvector(given->data() + 3);
  }
  return CirclePlacements(centre, axis, IntegerArgument(args, 2, 0), step, turn,
                          ReferenceOf(entity));
}

double DivisionStep(aritm** args) {
  long count = IntegerArgument(args, 2, 0);
  return count > 0 ? kFullTurn / static_cast<double>(count) : 0.0;
}

}  // namespace

void GenerateMatrix(aritm** args, aritm** result) {
  std::vector<SPAtransf> placements = Matrix(args);
  Answer(result, EntityArgument(args, 0), placements, "Generate_Matrix",
         Refused(placements, IntegerArgument(args, 1, 0), IntegerArgument(args, 3, 1)));
}

// (geometry, count1, step1, count2, step2, angle): the matrix, the k-th copy (row by row) also
// turned by k·angle about the vertical through the centre of its box.
void GenerateRotMatrix(aritm** args, aritm** result) {
  ENTITY* entity = EntityArgument(args, 0);
  std::vector<SPAtransf> placements = Matrix(args);
  double angle = NumberArgument(args, 5);
  SPAvector toCentre = SPAposition() - ReferenceOf(entity);
  for (std::size_t k = 1; k < placements.size(); ++k) {
    SPAtransf turn = translate_transf(toCentre) *
                     rotate_transf(static_cast<double>(k) * angle, SPAvector(0, 0, 1)) *
                     translate_transf(-toCentre);
    placements[k] = turn * placements[k];
  }
  Answer(result, entity, placements, "Generate_RotMatrix",
         Refused(placements, IntegerArgument(args, 1, 0), IntegerArgument(args, 3, 1)));
}

// (geometry, axis, count, step angle): count copies k·step about the axis, orientation kept.
void GenerateWreath(aritm** args, aritm** result) {
  ENTITY* entity = EntityArgument(args, 0);
  std::vector<SPAtransf> placements = Circle(args, entity, NumberArgument(args, 3), false);
  Answer(result, entity, placements, "Generate_Wreath",
         Refused(placements, IntegerArgument(args, 2, 0)));
}

// As Generate_Wreath, each copy turned with the circle.
void GenerateRotWreath(aritm** args, aritm** result) {
  ENTITY* entity = EntityArgument(args, 0);
  std::vector<SPAtransf> placements = Circle(args, entity, NumberArgument(args, 3), true);
  Answer(result, entity, placements, "Generate_RotWreath",
         Refused(placements, IntegerArgument(args, 2, 0)));
}

// (geometry, axis, count): the full circle divided into count equal steps, orientation kept.
void GenerateCircleDivision(aritm** args, aritm** result) {
  ENTITY* entity = EntityArgument(args, 0);
  std::vector<SPAtransf> placements = Circle(args, entity, DivisionStep(args), false);
  Answer(result, entity, placements, "Generate_CircleDivision",
         Refused(placements, IntegerArgument(args, 2, 0)));
}

// As Generate_CircleDivision, each copy turned with the circle.
void GenerateRotCircleDivision(aritm** args, aritm** result) {
  ENTITY* entity = EntityArgument(args, 0);
  std::vector<SPAtransf> placements = Circle(args, entity, DivisionStep(args), true);
  Answer(result, entity, placements, "Generate_RotCircleDivision",
         Refused(placements, IntegerArgument(args, 2, 0)));
}

}  // namespace varnex::builtins
