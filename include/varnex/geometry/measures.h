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
