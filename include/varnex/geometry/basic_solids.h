// The basic feature solids: blocks, cylinders, prisms and tori built in a local system, made of
// an upper and a lower part, added to the model, and with their faces named "f_0", "f_1", ... in
// the feature's world.
//
// Local system. Without axes it is the model's; with both axes its origin is the first axis's
// origin, its x axis the first direction and its y axis the second direction (made perpendicular
// to x), z = x × y. The reference position lifts the solid along z to the level of the position:
// the placement is followed by a translation by (position - its foot on the plane of the axes).
//
// Parts. The upper part grows from the plane z = 0 by the upper height (downwards when negative);
// the lower part by the lower height in the opposite direction. Equal signs unite the parts,
// otherwise the negative one is taken away from the other. Block parts have their reference
// corner (local minimum x and y) at the origin, cylinders and prisms are centred on the z axis.
// A taper is a draft angle in radians: positive widens the section away from the plane z = 0.
// A negative part height reflects the part in z = 0, except for revisions above 2 (blocks,
// cylinders) or above 3 (prisms), which build it upwards and move it down; a tapered part then
// widens away from the plane as an upper part does.
//
// Faces. Planar faces are classified from the last to the first: along +z the top face, along -z
// the bottom face (both returned), and for blocks the four side slots +x, -x, +y, -y (of the
// rotated block). With a feature, the side slots are named "f_0" (+x), "f_1" (+y), "f_2" (-x),
// "f_3" (-y), skipping empty slots (which clear `complete`); then every other face that belongs
// to no geometric object gets the next number. Cylinders and prisms name all faces but top and
// bottom in visiting order.
//
// Every call returns the body (added to the model), or null: a zero dimension returns null
// without any kernel work; a kernel failure sets `error` to the kernel's error number.
#pragma once

#include <varnex/geometry/entity.h>
#include <varnex/geometry/spa.h>

class rumpf;

/// fmBasicBlock. `position` holds 3 values, each axis 6 (origin, direction); null axes (or either
/// one null) keep the model's system. `feature` may be null (no names).
VARNEX_API ENTITY* fmBasicBlock(double length, double width, double upper, double lower,
                                double angle, double upper_taper, double lower_taper,
                                const double* position, const double* axis1, const double* axis2,
                                rumpf* feature, int upper_mode, int lower_mode, ENTITY*& top,
                                ENTITY*& bottom, XBOOL& complete, int& error, int revision);

/// fmBasicCylinder: a full cylinder part when the sweep is 2π and the part is not tapered, else a
/// segment from `start` over `sweep` radians.
VARNEX_API ENTITY* fmBasicCylinder(double diameter, const double* position, double start,
                                   double sweep, double upper, double lower, double upper_taper,
                                   double lower_taper, const double* axis1, const double* axis2,
                                   rumpf* feature, int upper_mode, int lower_mode, ENTITY*& top,
                                   ENTITY*& bottom, XBOOL& complete, int& error, int revision);

/// fmBasicPrism: `sides` corners on the circumradius; `radius_flag` 0 means `circumradius` is
/// given (`inradius` receives circumradius × cos(π/n)), otherwise `inradius` is given
/// (`circumradius` receives inradius / cos(π/n)). The first corner lies on the x axis turned by
/// `angle`.
VARNEX_API ENTITY* fmBasicPrism(long sides, double& circumradius, double upper, double lower,
                                double angle, double upper_taper, double lower_taper,
                                const double* position, const double* axis1, const double* axis2,
                                rumpf* feature, int upper_mode, int lower_mode, ENTITY*& top,
                                ENTITY*& bottom, double& inradius, int radius_flag, int& error,
                                int revision);

/// fmBasicTorus: a ring of diameter `ring` (centre line) with a tube of diameter `tube`; a ring
/// of 0 gives a sphere. With both sweeps 2π a full torus, else the tube's cross-section arc from
/// `start` over `arc_sweep` (closed by its chord) revolved by `ring_sweep` from the x axis. With
/// both axes, `angle` turns the ring about the local z axis. `faces` receives up to three planar
/// faces (the ends of an open ring, then the chord face), the others are named "f_0", ... A zero
/// tube sets `error` to 1.
VARNEX_API ENTITY* fmBasicTorus(double tube, const double* position, double start, double arc_sweep,
                                double ring, double angle, double ring_sweep, const double* axis1,
                                const double* axis2, rumpf* feature, ENTITY*& face1, ENTITY*& face2,
                                ENTITY*& face3, XBOOL& complete, int& error);

// Part builders. Each builds one part in its local frame, applies the reflection for a negative
// height, the move of its reference point to the origin and then `placement`; `applied`
// receives the whole transformation. `position` is carried for callers that keep it with the
// part; the placement already holds it. Null and `error` set on a kernel failure.

/// A block with its reference corner at the origin, turned by `angle` about the vertical edge
/// through that corner.
VARNEX_API ENTITY* fmBlockBodyWithTrans(double dx, double dy, double dz, double angle,
                                        const double* position, const SPAtransf& placement,
                                        SPAtransf& applied, int& error);
/// The tapered block: its base rectangle swept along z with the draft `taper`.
VARNEX_API ENTITY* fmPyramidBodyWithTrans(double dx, double dy, double dz, double angle,
                                          double taper, int mode, const double* position,
                                          const SPAtransf& placement, SPAtransf& applied,
                                          int& error);
/// A cylinder on the origin along z.
VARNEX_API ENTITY* fmCylinderBodyWithTrans(double radius, double height, const double* position,
                                           const SPAtransf& placement, SPAtransf& applied,
                                           int& error);
/// A cylinder segment (a pie slice from `start` over `sweep`, or a full circle) swept with draft.
VARNEX_API ENTITY* fmCylSegBodyWithTrans(double radius, double height, double start, double sweep,
                                         double taper, int mode, const double* position,
                                         const SPAtransf& placement, SPAtransf& applied,
                                         int& error);
/// A prism on the origin along z, first corner at `angle` from the x axis.
VARNEX_API ENTITY* fmPrismBodyWithTrans(int sides, double radius, double height, double angle,
                                        const double* position, const SPAtransf& placement,
                                        SPAtransf& applied, int& error);
/// The tapered prism: its polygon swept along z with the draft `taper`.
VARNEX_API ENTITY* fmPrismPyramidBodyWithTrans(int sides, double radius, double height,
                                               double angle, double taper, int mode,
                                               const double* position, const SPAtransf& placement,
                                               SPAtransf& applied, int& error);
/// A torus piece: the arc of radius r about (R, 0, 0) in the plane y = 0 from `start` over
/// `arc_sweep` (closed by its chord unless full) revolved about z by `ring_sweep`; then placed.
VARNEX_API ENTITY* fmTorusBodyWithTrans(double R, double r, double ring_sweep, double start,
                                        double arc_sweep, const SPAtransf& placement, int& error);

/// A new wire body: the pie slice of radius `radius` about the origin in the plane z = 0 from
/// `start` over `sweep` radians (a full circle when |sweep| >= 2π). Null on failure.
VARNEX_API ENTITY* fmCreateArcSegWireBody(double radius, double start, double sweep);
/// Transforms the planar profile body `profile` by `transf` and sweeps it in place along
/// (0, 0, 1)·transf × `distance` with the draft and gap type; returns the solid body or null
/// (`error` set, the profile deleted).
VARNEX_API ENTITY* fmSweepNormalBodyCreate(ENTITY* profile, double distance, double draft,
                                           int gap_type, const SPAtransf& transf, int& error);

/// Names the faces of the body of `entity` that belong to no geometric object "f_0", "f_1", ...
/// in the world of `feature`, in the kernel's face order. Returns how many were named (0 without
/// a feature).
VARNEX_API int fmNameBodyFaces(ENTITY* entity, rumpf* feature);
