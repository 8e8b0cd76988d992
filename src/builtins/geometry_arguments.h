// Reading geometry arguments and placing geometry results, for the built-ins that call the
// kernel layer. A geometry argument is an op_geom; anything else reads as no entity.
#pragma once

#include <varnex/geometry/spa.h>

class aritm;
class ENTITY;
class list;
class op_geom;
class op_vector;

namespace varnex::builtins {

/// The first entity of the geometry argument at `index`, or null.
ENTITY* EntityArgument(aritm** args, int index);
/// The entity list of the geometry argument at `index`, or null.
list* ListArgument(aritm** args, int index);

/// A new op_geom in the result slot (replacing one put there before) holding `entity` when it
/// is not null.
void SetGeometryResult(aritm** result, ENTITY* entity);
/// A new op_vector in the result slot holding `position` when `found`, else the zero vector.
void SetPositionResult(aritm** result, bool found, const SPAposition& position);
/// A new op_axis in the result slot holding origin and direction when `found`, else zeros.
void SetAxisResult(aritm** result, bool found, const SPAposition& origin,
                   const SPAvector& direction);

}  // namespace varnex::builtins
