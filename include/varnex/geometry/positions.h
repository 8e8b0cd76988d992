// Placements: transformations that carry the model's system to a local system found from axes,
// points, directions, faces and edges. Each maps local coordinates to model coordinates (the
// local origin goes to the found point, local z along the found normal).
#pragma once

#include <varnex/geometry/entity.h>
#include <varnex/geometry/spa.h>

/// The local system of the basic solids: origin and x of `axis1`, y of `axis2` (6 values each;
/// either null, or parallel directions, keep the model's system), lifted along its z to the level
/// of `position` (3 values, may be null).
VARNEX_API SPAtransf fmLocalPlacement(const double* position, const double* axis1,
                                      const double* axis2);
/// The system at `origin` whose z is `z_direction`; x is the model's x made perpendicular to z
/// (the model's y when z is along x). Identity for a zero direction.
VARNEX_API SPAtransf fmDirectionPlacement(const SPAposition& origin, const SPAvector& z_direction);
/// The system at the point (u, v) of `face` with z along the face's outward normal there. FALSE
/// (and identity) without a face or where the normal is undefined.
VARNEX_API XBOOL fmFacePlacement(ENTITY* face, double u, double v, SPAtransf& placement);
/// The system at the start of `edge` with x along the edge's chord and z along the outward normal
/// of `face` (null: the first face of the edge), y = z × x. FALSE without a straight-lined edge.
VARNEX_API XBOOL fmEdgePlacement(ENTITY* edge, ENTITY* face, SPAtransf& placement);
/// The parameters (u, v) of the foot of `point` on the surface of `face` and its distance from
/// the point. FALSE without a face or when the projection fails.
VARNEX_API XBOOL fm_face_point_params(ENTITY* face, const SPAposition& point, double& u, double& v,
                                      double& distance);
