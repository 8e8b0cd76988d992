// Reading the geometric arguments of the solid, sweep, position and pattern built-ins: the
// first entity of a geometry, entity lists, axes, positions and transformations. Unsuitable or
// missing arguments read as null, zero or the given default.
#pragma once

#include <varnex/geometry/entity.h>
#include <varnex/geometry/spa.h>

#include <array>
#include <optional>

#include "builtins/geometry_arguments.h"

class aritm;
class op_geom;

namespace varnex::builtins::solids {

/// An axis argument (origin, direction); none for anything else.
std::optional<std::array<double, 6>> AxisArgument(aritm** args, int index);
/// A vector argument as a position; none for anything else.
std::optional<std::array<double, 3>> PositionArgument(aritm** args, int index);
/// A transformation argument; none for anything else.
std::optional<SPAtransf> TransfArgument(aritm** args, int index);
/// A number argument truncated to an integer; `fallback` when the argument is missing or not a
/// number.
long IntegerArgument(aritm** args, int index, long fallback);
/// A number argument, `fallback` when missing or not a number.
double NumberOr(aritm** args, int index, double fallback);
/// A step of a pattern: a vector argument, or a number taken along `axis`.
SPAvector StepArgument(aritm** args, int index, const SPAvector& axis);

/// Sets a geometry result to hold the body of `entity` as its faces (edges for a wire body), as
/// geometric objects hold bodies, so that the value can be the tool of a Boolean operator.
/// Nothing for null.
void SetGeometry(op_geom& result, ENTITY* entity);

}  // namespace varnex::builtins::solids
