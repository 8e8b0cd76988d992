// Solids made from profiles and wires beyond the straight sweeps: revolutions about any axis,
// skins through sections, offsets, helical springs and spline forms of round primitives. Every call
// makes a new body added to the model and leaves its inputs as they are; null (the reason in
// PVFLastKernelOutcome()) on failure.
//
// A profile is a face (copied with its holes), the faces of a sheet body, or closed planar wires
// (a wire body, nested wires becoming holes).
#pragma once

#include <varnex/geometry/entity.h>
#include <varnex/geometry/spa.h>

#include <vector>

/// The profile revolved about the axis through `origin` along `axis` by `angle` radians (a full
/// turn for |angle| >= 2π; a negative angle turns the other way).
VARNEX_API ENTITY* fmrevolve_profile(ENTITY* profile, const SPAposition& origin,
                                     const SPAvector& axis, double angle);
/// A copy of the profile swept along `along` with the draft (positive widens).
VARNEX_API ENTITY* fmsweep_profile_copy(ENTITY* profile, const SPAvector& along, double draft);
/// The solid (or, with `solid` FALSE, the open skin) through the closed sections in order: each
/// section is a wire body, a wire, an edge of one, or a face (its outer wire).
VARNEX_API ENTITY* fmskin_sections(const std::vector<ENTITY*>& sections, XBOOL solid, XBOOL ruled);
/// The body of `entity` offset by `distance` (outwards when positive): a solid grows or shrinks
/// with sharp edges kept; a face becomes an offset sheet.
VARNEX_API ENTITY* fmoffset_entity(ENTITY* entity, double distance);
/// A spring: a circle of radius `wire_radius` swept along the helix of radius `radius` about the
/// z axis, rising `pitch` per turn over `turns` turns from z = 0. wire_radius < radius.
VARNEX_API ENTITY* fmcreate_helix_body(double radius, double pitch, double turns,
                                       double wire_radius);

/// A sphere of radius r (centred) whose surface is a B-spline, as imported free-form data has it.
VARNEX_API ENTITY* fmcreate_spline_sphere(double r);
/// A torus (ring radius R, tube radius r, R > r) with B-spline surfaces.
VARNEX_API ENTITY* fmcreate_spline_torus(double R, double r);
/// The face of the body of `entity` nearest to `point` (first of equals), or null.
VARNEX_API ENTITY* fmface_nearest_point(ENTITY* entity, const SPAposition& point);
