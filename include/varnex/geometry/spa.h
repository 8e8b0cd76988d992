// The kernel's value types: positions, vectors, 3x3 matrices and affine transformations.
// Plain C++: nothing here depends on the solid kernel behind the geometry layer.
//
// Conventions: points and vectors are row vectors; a transformation T maps a position p to
// (p * affine) * scaling + translation and a vector v to (v * affine) * scaling. The product
// A * B applies A first, then B.
#pragma once

#include <varnex/base/xbool.h>
#include <varnex/export.h>

/// Positional tolerance of the kernel: points closer than this are the same point.
inline constexpr double SPAresabs = 1e-6;
/// Directional tolerance: vectors shorter than this have no direction.
inline constexpr double SPAresnor = 1e-10;

class SPAvector;
class SPAunit_vector;
class SPAmatrix;
class SPAtransf;

class VARNEX_API SPAposition {
 public:
  SPAposition() = default;
  SPAposition(double x, double y, double z) : c_{x, y, z} {}
  explicit SPAposition(const double xyz[3]) : c_{xyz[0], xyz[1], xyz[2]} {}

  double x() const { return c_[0]; }
  double y() const { return c_[1]; }
  double z() const { return c_[2]; }
  double coordinate(int i) const { return c_[i]; }
  double& coordinate(int i) { return c_[i]; }
  void set_x(double v) { c_[0] = v; }
  void set_y(double v) { c_[1] = v; }
  void set_z(double v) { c_[2] = v; }

  SPAposition& operator+=(const SPAvector& v);
  SPAposition& operator-=(const SPAvector& v);
  SPAposition& operator*=(const SPAtransf& t);

 private:
  double c_[3] = {0.0, 0.0, 0.0};
};

class VARNEX_API SPAvector {
 public:
  SPAvector() = default;
  SPAvector(double x, double y, double z) : c_{x, y, z} {}
  explicit SPAvector(const double xyz[3]) : c_{xyz[0], xyz[1], xyz[2]} {}

  double x() const { return c_[0]; }
  double y() const { return c_[1]; }
  double z() const { return c_[2]; }
  double component(int i) const { return c_[i]; }
  double& component(int i) { return c_[i]; }
  void set_x(double v) { c_[0] = v; }
  void set_y(double v) { c_[1] = v; }
  void set_z(double v) { c_[2] = v; }

  double len() const;
  double len_sq() const;
  /// TRUE when the vector is shorter than `tol`.
  XBOOL is_zero(double tol = SPAresabs) const;

  SPAvector& operator+=(const SPAvector& v);
  SPAvector& operator-=(const SPAvector& v);
  SPAvector& operator*=(double s);
  SPAvector& operator/=(double s);
  SPAvector& operator*=(const SPAtransf& t);

 private:
  double c_[3] = {0.0, 0.0, 0.0};
};

/// A direction of length 1. Constructing it normalises; a zero vector stays zero.
class VARNEX_API SPAunit_vector : public SPAvector {
 public:
  SPAunit_vector() : SPAvector(0.0, 0.0, 1.0) {}
  SPAunit_vector(double x, double y, double z);
  SPAunit_vector& operator*=(const SPAtransf& t);
};

/// A 3x3 matrix; element(row, column).
class VARNEX_API SPAmatrix {
 public:
  SPAmatrix();  // identity
  SPAmatrix(const SPAvector& row0, const SPAvector& row1, const SPAvector& row2);

  double element(int row, int column) const { return m_[row][column]; }
  double& element(int row, int column) { return m_[row][column]; }
  SPAvector row(int i) const { return SPAvector(m_[i][0], m_[i][1], m_[i][2]); }
  SPAvector column(int j) const { return SPAvector(m_[0][j], m_[1][j], m_[2][j]); }
  double determinant() const;
  SPAmatrix transpose() const;
  /// The inverse; a singular matrix yields the zero matrix.
  SPAmatrix inverse() const;
  XBOOL is_identity(double tol = SPAresnor) const;

 private:
  double m_[3][3];
};

/// An affine transformation: matrix part, translation, uniform scale, and flags telling
/// whether the matrix part rotates, reflects or shears.
class VARNEX_API SPAtransf {
 public:
  SPAtransf() = default;  // identity
  /// `affine` must be free of uniform scale (that goes into `scale`).
  SPAtransf(const SPAmatrix& affine, const SPAvector& translation, double scale, XBOOL rotate,
            XBOOL reflect, XBOOL shear);

  const SPAmatrix& affine() const { return affine_; }
  const SPAvector& translation() const { return translation_; }
  double scaling() const { return scale_; }
  XBOOL rotate() const { return rotate_; }
  XBOOL reflect() const { return reflect_; }
  XBOOL shear() const { return shear_; }
  XBOOL identity() const;
  /// Whether every number of the transformation is finite (no infinity, no NaN).
  XBOOL finite() const;

  /// The transformation that undoes this one.
  SPAtransf inverse() const;
  /// Applies this transformation, then `next`.
  SPAtransf operator*(const SPAtransf& next) const;
  SPAtransf& operator*=(const SPAtransf& next);

 private:
  SPAmatrix affine_;
  SPAvector translation_;
  double scale_ = 1.0;
  XBOOL rotate_ = FALSE;
  XBOOL reflect_ = FALSE;
  XBOOL shear_ = FALSE;
};

// Arithmetic on positions and vectors.
VARNEX_API SPAvector operator-(const SPAposition& a, const SPAposition& b);
VARNEX_API SPAposition operator+(const SPAposition& p, const SPAvector& v);
VARNEX_API SPAposition operator+(const SPAvector& v, const SPAposition& p);
VARNEX_API SPAposition operator-(const SPAposition& p, const SPAvector& v);
VARNEX_API SPAvector operator+(const SPAvector& a, const SPAvector& b);
VARNEX_API SPAvector operator-(const SPAvector& a, const SPAvector& b);
VARNEX_API SPAvector operator-(const SPAvector& v);
VARNEX_API SPAvector operator*(double s, const SPAvector& v);
VARNEX_API SPAvector operator*(const SPAvector& v, double s);
VARNEX_API SPAvector operator/(const SPAvector& v, double s);
/// Cross product.
VARNEX_API SPAvector operator*(const SPAvector& a, const SPAvector& b);
/// Dot product.
VARNEX_API double operator%(const SPAvector& a, const SPAvector& b);
VARNEX_API SPAvector operator*(const SPAvector& v, const SPAmatrix& m);
VARNEX_API SPAmatrix operator*(const SPAmatrix& a, const SPAmatrix& b);
VARNEX_API SPAposition operator*(const SPAposition& p, const SPAtransf& t);
VARNEX_API SPAvector operator*(const SPAvector& v, const SPAtransf& t);
VARNEX_API SPAunit_vector operator*(const SPAunit_vector& v, const SPAtransf& t);

/// The unit vector of `v` (zero for a vector shorter than SPAresnor).
VARNEX_API SPAunit_vector normalise(const SPAvector& v);
VARNEX_API double distance_to_point(const SPAposition& a, const SPAposition& b);
/// TRUE when the points are within `tol` of each other.
VARNEX_API XBOOL same_point(const SPAposition& a, const SPAposition& b, double tol = SPAresabs);
/// TRUE when the vectors agree within `tol` in every component.
VARNEX_API XBOOL same_vector(const SPAvector& a, const SPAvector& b, double tol = SPAresabs);
VARNEX_API XBOOL parallel(const SPAvector& a, const SPAvector& b, double tol = SPAresnor);
VARNEX_API XBOOL antiparallel(const SPAvector& a, const SPAvector& b, double tol = SPAresnor);
VARNEX_API XBOOL perpendicular(const SPAvector& a, const SPAvector& b, double tol = SPAresnor);

// Constructors of common transformations.
VARNEX_API SPAtransf translate_transf(const SPAvector& offset);
/// Rotation by `angle` radians about the axis through the origin along `axis` (right hand).
VARNEX_API SPAtransf rotate_transf(double angle, const SPAvector& axis);
VARNEX_API SPAtransf scale_transf(double scale);
/// Reflection in the plane through the origin perpendicular to `normal`.
VARNEX_API SPAtransf reflect_transf(const SPAvector& normal);
/// Maps local coordinates of the system (origin, x axis, y axis; z = x × y) to global ones.
VARNEX_API SPAtransf coordinate_transf(const SPAposition& origin, const SPAunit_vector& x_axis,
                                       const SPAunit_vector& y_axis);

// The kernel's tolerant predicates: values and points that differ by less than the tolerance
// (SPAresabs unless given) are equal.
VARNEX_API XBOOL is_equal(double a, double b, double tol = SPAresabs);
VARNEX_API XBOOL is_zero(double value, double tol = SPAresabs);
/// TRUE when a < b by more than the tolerance.
VARNEX_API XBOOL is_less_than(double a, double b, double tol = SPAresabs);
/// TRUE when a > b by more than the tolerance.
VARNEX_API XBOOL is_greater_than(double a, double b, double tol = SPAresabs);
/// TRUE when the directions are parallel (the sines of their angle below SPAresnor); with
/// `same_sense` they must also point the same way. Vectors without direction are never parallel.
VARNEX_API XBOOL are_parallel(const SPAvector& a, const SPAvector& b, XBOOL same_sense = FALSE);
/// The angle between two directions, 0 to pi; 0 when one has no direction.
VARNEX_API double angle_between(const SPAvector& a, const SPAvector& b);
/// The closest points of the infinite lines (p1, d1) and (p2, d2): `on1` on the first, `on2` on
/// the second. For parallel lines `on2` is p2 and `on1` its foot on the first. FALSE when a
/// direction is zero.
VARNEX_API XBOOL closest_points(const SPAposition& p1, const SPAvector& d1, const SPAposition& p2,
                                const SPAvector& d2, SPAposition& on1, SPAposition& on2);
