// Rounds and chamfers on the edges between two sets of faces. The bodies are changed in place:
// faces next to a blend keep their wrappers (and names), the blend faces are new. A blend that
// cannot be built (a radius too large for its faces, ...) changes nothing: the call returns null
// and PVFLastKernelOutcome() holds the error.
#pragma once

#include <varnex/geometry/entity.h>
#include <varnex/geometry/outcome.h>

/// The edges shared by the two faces, appended to `edges` (a seam edge of one face counts once).
VARNEX_API outcome give_edges_of_two_faces(ENTITY* face1, ENTITY* face2, ENTITY_LIST& edges);

/// Convexity of an edge between two faces: 1 convex, -1 concave, 0 smooth or unknown.
VARNEX_API int api_edge_convexity_param(ENTITY* edge);

/// Chamfers the edges between a face of `faces1` and a face of `faces2`: setback `d1` on the face
/// of the first list, `d2` on the face of the second (d2 <= 0: equal to d1). Tangent edge chains
/// are followed. Returns the body of the first edge found, or null (nothing chamfered: no shared
/// edge, bad distances, or a kernel failure).
VARNEX_API ENTITY* fmset_chamfer(const EntitySet* faces1, const EntitySet* faces2, double d1,
                                 double d2);
/// Rounds the edges between a face of `faces1` and a face of `faces2` with `radius`; with
/// `end_radius` > 0 the radius runs from `radius` at each edge's start to `end_radius` at its
/// end. `convexity` selects edges: > 0 convex only, < 0 concave only, 0 all. Result as
/// fmset_chamfer.
VARNEX_API ENTITY* fmset_rounds(const EntitySet* faces1, const EntitySet* faces2, double radius,
                                double end_radius, double convexity);
/// As fmset_rounds for the edges between `sides1` and `sides2` that touch a face of `base` (the
/// upright edges standing on a floor).
VARNEX_API ENTITY* fmset_rounds_vert(const EntitySet* base, const EntitySet* sides1,
                                     const EntitySet* sides2, double radius, double end_radius,
                                     double convexity);
