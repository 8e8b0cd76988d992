// Primitive bodies. Each creator makes a new body and, on success, adds it to the model's body
// list (ToModel); on failure it returns null, adds nothing, and leaves the reason in
// PVFLastKernelOutcome().
//
// Placement conventions (model coordinates, axis along +z):
//   cuboid, prism, pyramid  centred on the origin: z from -h/2 to h/2
//   frustum, cylinder, cone base on the plane z = 0, top at z = h
//   sphere, torus           centred on the origin (the torus ring lies in the plane z = 0)
// Elliptic sections have the radius rx along x and ry along y; the top radius of a frustum or a
// pyramid is measured along x, the top section is the base section scaled by top / rx.
#pragma once

#include <varnex/geometry/entity.h>
#include <varnex/geometry/outcome.h>
#include <varnex/geometry/spa.h>

// The kernel's primitive calls: the new body in `body` (not added to the model), or a failed
// outcome and null.

/// A cuboid x by y by z, centred on the origin. Every side must be positive.
VARNEX_API outcome api_make_cuboid(double x, double y, double z, ENTITY*& body);
/// An elliptic frustum of height h (positive), base radii rx, ry (positive) and top radius `top`
/// (0 for an apex). Equal radii give a cylinder or a circular cone.
VARNEX_API outcome api_make_frustum(double h, double rx, double ry, double top, ENTITY*& body);
/// A prism of height h over the n-sided polygon with corners (rx cos a, ry sin a); n >= 3.
VARNEX_API outcome api_make_prism(double h, double rx, double ry, int n, ENTITY*& body);
/// A pyramid (or, with top > 0, a pyramid frustum) over the n-sided polygon of api_make_prism.
VARNEX_API outcome api_make_pyramid(double h, double rx, double ry, double top, int n,
                                    ENTITY*& body);
VARNEX_API outcome api_make_sphere(double r, ENTITY*& body);
/// A torus with ring radius R and tube radius r (R > r > 0).
VARNEX_API outcome api_make_torus(double R, double r, ENTITY*& body);
/// A wire body of straight edges through `count` (at least 2) points; it is closed when the last
/// point equals the first. Consecutive points must be distinct.
VARNEX_API outcome api_make_wire(const SPAposition* points, int count, ENTITY*& body);

// The feature language's creators (added to the model).
VARNEX_API ENTITY* fmcreate_cube(double a, double b, double c);
VARNEX_API ENTITY* fmcreate_sphere(double r);
/// A cylinder of height h and radius r.
VARNEX_API ENTITY* fmcreate_cylinder(double h, double r);
/// A cone of height h from radius r1 to r2; a radius below the kernel tolerance becomes 5e-06,
/// so that a cone never ends in a point.
VARNEX_API ENTITY* fmcreate_cone(double h, double r1, double r2);
VARNEX_API ENTITY* fmcreate_frustum(double h, double rx, double ry, double top);
VARNEX_API ENTITY* fmcreate_torus(double R, double r);
/// A twelve-sided pyramid of height h, radius r and top radius `top`.
VARNEX_API ENTITY* fmcreate_pyramid(double h, double r, double top);
/// An n-sided pyramid (n truncated to an integer).
VARNEX_API ENTITY* fmcreate_pyramid(double h, double rx, double ry, double top, double n);
/// An n-sided prism (n truncated to an integer).
VARNEX_API ENTITY* fmcreate_pris(double h, double rx, double ry, double n);
/// A straight wire body from (x1, y1, z1) to (x2, y2, z2).
VARNEX_API ENTITY* fmmake_wire(double x1, double y1, double z1, double x2, double y2, double z2);
