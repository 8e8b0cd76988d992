// Measures of bodies and faces: areas, volumes, centres, boxes, clearance, and face queries.
// Positions and normals are in model coordinates; face normals point out of the material.
#pragma once

#include <varnex/geometry/entity.h>
#include <varnex/geometry/outcome.h>
#include <varnex/geometry/spa.h>

/// The area of a face, or of all faces of a body. `accuracy` is the requested relative accuracy
/// (values <= 0 or >= 1 use 1e-6); `achieved` receives the accuracy reached.
VARNEX_API outcome api_ent_area(ENTITY* entity, double accuracy, double& area, double& achieved);
/// Volume and centre of gravity of the body owning `entity` (all its lumps).
VARNEX_API outcome api_body_mass_pr(ENTITY* entity, double& volume, SPAposition& centre);
/// The axis-aligned box around an entity.
VARNEX_API outcome api_get_entity_box(ENTITY* entity, SPAposition& low, SPAposition& high);

/// The area of a face (0 without a face or on failure); `accuracy` as in api_ent_area.
VARNEX_API double fmarea_of_face(ENTITY* face, double accuracy);
/// The area of all faces of the body owning `entity` (0 without entity or on failure).
VARNEX_API double fmarea_of_body(ENTITY* entity, double accuracy);
/// The volume of the body owning `entity` (0 without entity or on failure).
VARNEX_API double fmvolume_of_body(ENTITY* entity);

/// The centre of gravity of the bodies owning the entities of `geometry`, weighted by volume,
/// written to out[0..2] and returned. (nx, ny, nz) is the normal of the projection plane the
/// volume integral uses in the old kernel; the centre does not depend on it, but it must not be
/// zero. Null (out untouched) without geometry, out, a solid, or with a zero normal.
VARNEX_API double* fmget_box_center(list* geometry, double* out, double nx, double ny, double nz);
/// The area centre of the faces of `geometry` (a body stands for its faces), weighted by area,
/// taken to its foot point on the surface of the first face and then moved by `offset` along
/// that face's normal; written to out[0..2] and returned. `accuracy` as in api_ent_area. Null
/// without faces or out.
VARNEX_API double* fmget_area_center(list* geometry, double* out, double accuracy, double offset);
/// TRUE when the two bodies owning `a` and `b` touch or overlap (a body inside the other counts);
/// `distance` receives their smallest distance (0 when touching or overlapping). FALSE and -1
/// when an argument is missing or the distance cannot be computed.
VARNEX_API XBOOL fmBodyClearance(ENTITY* a, ENTITY* b, double& distance);

// Face queries.

/// The face's surface type: 1 plane, 2 cylinder, 3 cone, 4 sphere, 5 torus, 6 spline or other
/// free-form surface, 7 surface of revolution or extrusion; 0 without a face.
VARNEX_API int fm_face_type(ENTITY* face);
/// TRUE for a face on a plane (also a spline surface that is flat within the tolerance).
VARNEX_API XBOOL is_planar_face(ENTITY* face);
/// A planar face's plane: a point on it (the face's area centre) and its normal out of the
/// material. FALSE for anything else.
VARNEX_API XBOOL FaceProperties(ENTITY* face, SPAposition& point, SPAunit_vector& normal);
/// The normal (out of the material) at the face's parameters (u, v); FALSE without a face or
/// where the normal is undefined.
VARNEX_API XBOOL fm_face_normal(ENTITY* face, double u, double v, double& x, double& y, double& z);
/// The point at the face's parameters (u, v).
VARNEX_API XBOOL fm_face_position(ENTITY* face, double u, double v, double& x, double& y,
                                  double& z);
/// The face's parameter range.
VARNEX_API XBOOL fm_face_param_range(ENTITY* face, double& u_min, double& u_max, double& v_min,
                                     double& v_max);

/// The point of the edge's curve (a coedge's edge's) at parameter `t`, counted from the start
/// of the edge's own parameter range, so that the pieces of a split edge, which share their
/// carrier curve, answer their own start points at t = 0. FALSE without an edge with a curve.
VARNEX_API XBOOL fm_edge_position(ENTITY* edge, double t, SPAposition& point);
/// The edge's parameter range on its curve; FALSE without an edge with a curve.
VARNEX_API XBOOL fm_edge_param_range(ENTITY* edge, double& start, double& end);

// Evaluation at a point in space and ray tests.

/// The point of the face nearest to (px, py, pz) (its foot point; a point beyond the face's
/// boundary finds the nearest boundary point). FALSE without a face.
VARNEX_API XBOOL fm_face_evpos(ENTITY* face, double px, double py, double pz, double& x, double& y,
                               double& z);
/// The face's normal (out of the material) at the foot point of (px, py, pz) as fm_face_evpos
/// finds it. FALSE without a face or where the normal is undefined.
VARNEX_API XBOOL fm_face_evnorm(ENTITY* face, double px, double py, double pz, double& x, double& y,
                                double& z);
/// The first point where the ray from `start` along `direction` meets the face (at or beyond
/// the start); `radius` is the distance within which a pass counts as a hit (<= 0: the kernel
/// tolerance). FALSE without a face, with a zero direction, or when the ray misses.
VARNEX_API XBOOL fm_face_ray(ENTITY* face, const SPAposition& start, const SPAvector& direction,
                             double radius, SPAposition& hit);

// Properties of geometry lists. Bodies count by volume, faces by area, edges and wire bodies by
// length; a list mixing them uses the highest dimension it holds.

/// The centre of gravity of the entities of `geometry`. FALSE when there is nothing to weigh.
VARNEX_API XBOOL PVFCalcCenterOfGravity(list* geometry, SPAposition& centre);
/// The axis of least moment of inertia through the centre of gravity; its direction has length 1.
/// FALSE when there is nothing to weigh or the entities are symmetric about every axis (a sphere,
/// a cube: no axis is first).
VARNEX_API XBOOL PVFFirstPrincipalAxis(list* geometry, SPAposition& origin,
                                       SPAunit_vector& direction);
/// The axis the faces of `geometry` define: the axis of the first face that turns about one
/// (cylinder, cone, torus, surface of revolution), else the intersection line of the first two
/// planar faces whose planes meet. The origin is the point of the axis nearest to the faces'
/// area centre. FALSE when no axis follows.
VARNEX_API XBOOL PVFCalcFacesToAxis(list* geometry, SPAposition& origin, SPAunit_vector& direction);
/// The point the faces of `geometry` define: the centre of the first sphere or torus face; else
/// where the axis of a turned face meets the plane of a planar face; else the common point of the
/// first three planar faces whose planes meet in one point. FALSE when no point follows.
VARNEX_API XBOOL PVFCalcFacesToPoint(list* geometry, SPAposition& point);
