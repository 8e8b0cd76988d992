// Sweeps and covers: solids from planar profiles.
//
// A profile is a face, the faces of a sheet body, or a closed planar wire (a wire body, a WIRE,
// or an edge of one) that is covered first; nested closed wires become holes. Sweeping a
// profile that belongs to a sheet or wire body turns that body into the solid in place; sweeping
// a face of a solid adds the swept solid to it (a negative normal distance cuts it away). Calls
// that make a new body say so. Every call returns the resulting body, or null with nothing
// changed and the reason in PVFLastKernelOutcome().
//
// Draft angles are in radians: a positive draft widens the section along the sweep, a negative
// one narrows it. The gap type of the old kernel (0 natural, 1 extended, 2 rounded) is accepted;
// corners are always extended (sharp).
#pragma once

#include <varnex/geometry/entity.h>
#include <varnex/geometry/outcome.h>

/// A new sheet body added to the model: a face is copied with its holes covered, a closed wire
/// (or each closed wire of a wire body, nested ones as holes) is covered by planar faces.
VARNEX_API ENTITY* fmcover_face(ENTITY* entity);

/// Sweeps every face of `faces` along its normal by `distance`, with `draft`, in place.
/// Returns the body of the first face.
VARNEX_API ENTITY* fmsweep(list* faces, double distance, double draft, double gap_type);
/// As fmsweep, but on copies of the faces: the solid is a new body, added to the model; the
/// faces stay as they are.
VARNEX_API ENTITY* fmsweep_as_body(list* faces, double distance, double draft, double gap_type);
/// Sweeps a profile along the vector (vx, vy, vz), with `draft`, in place.
VARNEX_API ENTITY* fmsweep_vec(ENTITY* profile, double vx, double vy, double vz, double draft,
                               double gap_type);
/// Sweeps a profile along the path wire `path` (the path stays), in place; the body is added to
/// the model. A non-zero (bx, by, bz) keeps the profile's binormal fixed along that direction
/// (profiles without holes only); zero lets the profile follow the path's curvature without
/// twisting.
VARNEX_API ENTITY* fmsweep_wire(ENTITY* profile, ENTITY* path, double bx, double by, double bz);
/// Revolves a profile once about the z axis, in place; the body is added to the model. An open
/// wire whose ends lie on the axis makes a closed solid too.
VARNEX_API ENTITY* fmrevolve_wire(ENTITY* profile);
/// A new hollow cylinder added to the model: height `height`, outer radius `radius`, wall
/// `thickness` (0 < thickness < radius). It stands on the planar face `base` (centred on the
/// face's area centre, along its normal), or on the plane z = 0 at the origin when `base` is null.
VARNEX_API ENTITY* fmsweep_hull(ENTITY* base, double height, double radius, double thickness);
/// A new body added to the model: the circle of radius `r` about (R, 0, 0) in the plane y = 0,
/// from angle `arc_start` over `arc_sweep` (closed by its chord unless it is a full circle),
/// revolved about the z axis from `ring_start` over `ring_sweep` radians. R > r > 0.
VARNEX_API ENTITY* fmcreate_torus_arc(double R, double r, double arc_start, double arc_sweep,
                                      double ring_start, double ring_sweep);
