// The basic parametric solids: create_BasicBlockGeo, create_BasicCylinderGeo,
// create_BasicPrismGeo and create_BasicTorusGeo. Each reads its dimensions, the reference
// position (a vector), the two axes and the feature object whose world receives the face
// objects "f_0", ..., builds the solid and answers it as geometry (empty when nothing is built).
#include <varnex/geometry/basic_solids.h>
#include <varnex/model/model.h>

#include <array>
#include <optional>

#include "builtins/handler_support.h"
#include "builtins/solids/solid_handlers.h"
#include "builtins/solids/solid_support.h"

namespace varnex::builtins {
namespace {

using namespace solids;

/// The construction revision a call without one gets: the current behaviour.
constexpr long kCurrentRevision = 4;

/// The trailing group every basic solid reads: position, axes, feature.
struct Placement {
  std::optional<std::array<double, 3>> position;
  std::optional<std::array<double, 6>> axis1;
  std::optional<std::array<double, 6>> axis2;
  rumpf* feature = nullptr;

  const double* Position() const { return position ? position->data() : nullptr; }
  const double* Axis1() const { return axis1 && axis2 ? axis1->data() : nullptr; }
  const double* Axis2() const { return axis1 && axis2 ? axis2->data() : nullptr; }
};

Placement ReadPlacement(aritm** args, int position, int axis1, int feature) {
  return {PositionArgument(args, position), AxisArgument(args, axis1),
          AxisArgument(args, axis1 + 1), ObjectArgument(args, feature)};
}

}  // namespace

// (length, width, upper, lower, angle, upper taper, lower taper, position, axis1, axis2,
//  feature, upper mode, lower mode, revision)
void CreateBasicBlockGeo(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  Placement at = ReadPlacement(args, 7, 8, 10);
  ENTITY *top = nullptr, *bottom = nullptr;
  XBOOL complete = TRUE;
  int error = 0;
  SetGeometry(
      *geometry,
      fmBasicBlock(NumberArgument(args, 0), NumberArgument(args, 1), NumberArgument(args, 2),
                   NumberArgument(args, 3), NumberArgument(args, 4), NumberArgument(args, 5),
                   NumberArgument(args, 6), at.Position(), at.Axis1(), at.Axis2(), at.feature,
                   static_cast<int>(IntegerArgument(args, 11, 0)),
                   static_cast<int>(IntegerArgument(args, 12, 0)), top, bottom, complete, error,
                   static_cast<int>(IntegerArgument(args, 13, kCurrentRevision))));
}

// (diameter, position, start angle, sweep angle, upper, lower, upper taper, lower taper, axis1,
//  axis2, feature, upper mode, lower mode, revision)
void CreateBasicCylinderGeo(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  Placement at = ReadPlacement(args, 1, 8, 10);
  ENTITY *top = nullptr, *bottom = nullptr;
  XBOOL complete = TRUE;
  int error = 0;
  SetGeometry(
      *geometry,
      fmBasicCylinder(NumberArgument(args, 0), at.Position(), NumberArgument(args, 2),
                      NumberArgument(args, 3), NumberArgument(args, 4), NumberArgument(args, 5),
                      NumberArgument(args, 6), NumberArgument(args, 7), at.Axis1(), at.Axis2(),
                      at.feature, static_cast<int>(IntegerArgument(args, 11, 0)),
                      static_cast<int>(IntegerArgument(args, 12, 0)), top, bottom, complete, error,
                      static_cast<int>(IntegerArgument(args, 13, kCurrentRevision))));
}

// (sides, radius, upper, lower, angle, upper taper, lower taper, position, axis1, axis2, feature,
//  upper mode, lower mode, radius flag (0: circumradius, else inradius), revision)
void CreateBasicPrismGeo(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  Placement at = ReadPlacement(args, 7, 8, 10);
  ENTITY *top = nullptr, *bottom = nullptr;
  int error = 0;
  int flag = static_cast<int>(IntegerArgument(args, 13, 0));
  double circumradius = flag == 0 ? NumberArgument(args, 1) : 0.0;
  double inradius = flag == 0 ? 0.0 : NumberArgument(args, 1);
  SetGeometry(
      *geometry,
      fmBasicPrism(IntegerArgument(args, 0, 0), circumradius, NumberArgument(args, 2),
                   NumberArgument(args, 3), NumberArgument(args, 4), NumberArgument(args, 5),
                   NumberArgument(args, 6), at.Position(), at.Axis1(), at.Axis2(), at.feature,
                   static_cast<int>(IntegerArgument(args, 11, 0)),
                   static_cast<int>(IntegerArgument(args, 12, 0)), top, bottom, inradius, flag,
                   error, static_cast<int>(IntegerArgument(args, 14, kCurrentRevision))));
}

// (tube diameter, position, arc start, arc sweep, ring diameter, angle, ring sweep, axis1, axis2,
//  feature)
void CreateBasicTorusGeo(aritm** args, aritm** result) {
  op_geom* geometry = NewResult<op_geom>(result);
  Placement at = ReadPlacement(args, 1, 7, 9);
  ENTITY *face1 = nullptr, *face2 = nullptr, *face3 = nullptr;
  XBOOL complete = TRUE;
  int error = 0;
  SetGeometry(*geometry,
              fmBasicTorus(NumberArgument(args, 0), at.Position(), NumberArgument(args, 2),
                           NumberArgument(args, 3), NumberArgument(args, 4),
                           NumberArgument(args, 5), NumberArgument(args, 6), at.Axis1(), at.Axis2(),
                           at.feature, face1, face2, face3, complete, error));
}

}  // namespace varnex::builtins
