// The kernel-layer services geometric operands use: the Boolean operations of
// <varnex/geometry/booleans.h> and the transformation of an entity list. Until the kernel
// binding defines them, every call answers null (pending_links.cpp), so geometric operations
// yield null.
#pragma once

class ENTITY;
class list;
class SPAtransf;

namespace varnex::model::geometry {

/// The Boolean operations on the bodies owning the two entities: the tool first, the blank
/// second; the result body or null.
ENTITY* Unite(ENTITY* tool, ENTITY* blank);
ENTITY* UniteWires(ENTITY* tool, ENTITY* blank);
ENTITY* Subtract(ENTITY* tool, ENTITY* blank);
ENTITY* Intersect(ENTITY* tool, ENTITY* blank);
ENTITY* Combine(ENTITY* tool, ENTITY* blank);
/// `geometry` transformed in place, or null on failure.
list* Transform(list* geometry, SPAtransf* transf);

}  // namespace varnex::model::geometry
