// Conversions between the kernel layer's value types and Open CASCADE's (internal).
#pragma once

#include <varnex/geometry/spa.h>

#include <gp_Dir.hxx>
#include <gp_GTrsf.hxx>
#include <gp_Pnt.hxx>
#include <gp_Trsf.hxx>
#include <gp_Vec.hxx>

inline gp_Pnt ToPnt(const SPAposition& p) {
  return gp_Pnt(p.x(), p.y(), p.z());
}
inline gp_Vec ToVec(const SPAvector& v) {
  return gp_Vec(v.x(), v.y(), v.z());
}
/// Throws a kernel failure (KERNEL_BAD_VALUE) for a vector without direction.
gp_Dir ToDir(const SPAvector& v);
inline SPAposition ToPosition(const gp_Pnt& p) {
  return SPAposition(p.X(), p.Y(), p.Z());
}
inline SPAvector ToVector(const gp_Vec& v) {
  return SPAvector(v.X(), v.Y(), v.Z());
}
inline SPAvector ToVector(const gp_Dir& d) {
  return SPAvector(d.X(), d.Y(), d.Z());
}

/// TRUE when the transformation keeps angles (rotation, reflection, uniform scale, translation):
/// its 3x3 part A satisfies A·Aᵀ = c·I.
bool IsConformal(const SPAtransf& transf);
/// The same mapping as gp_Trsf. Returns false (and leaves `out` alone) for a non-conformal
/// transformation or a zero scale, which gp_Trsf cannot hold without changing it.
bool ToTrsf(const SPAtransf& transf, gp_Trsf& out);
/// The same mapping as a general gp_GTrsf (any invertible affine map).
gp_GTrsf ToGTrsf(const SPAtransf& transf);
