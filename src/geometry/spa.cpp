// Positions, vectors, matrices and affine transformations (row-vector convention).
#include <varnex/geometry/spa.h>

#include <cmath>

// ---- positions and vectors ----

SPAposition& SPAposition::operator+=(const SPAvector& v) {
  return *this = *this + v;
}
SPAposition& SPAposition::operator-=(const SPAvector& v) {
  return *this = *this - v;
}
SPAposition& SPAposition::operator*=(const SPAtransf& t) {
  return *this = *this * t;
}

double SPAvector::len_sq() const {
  return c_[0] * c_[0] + c_[1] * c_[1] + c_[2] * c_[2];
}
double SPAvector::len() const {
  return std::sqrt(len_sq());
}
XBOOL SPAvector::is_zero(double tol) const {
  return ToXBool(len() < tol);
}

SPAvector& SPAvector::operator+=(const SPAvector& v) {
  return *this = *this + v;
}
SPAvector& SPAvector::operator-=(const SPAvector& v) {
  return *this = *this - v;
}
SPAvector& SPAvector::operator*=(double s) {
  return *this = *this * s;
}
SPAvector& SPAvector::operator/=(double s) {
  return *this = *this / s;
}
SPAvector& SPAvector::operator*=(const SPAtransf& t) {
  return *this = *this * t;
}

SPAunit_vector::SPAunit_vector(double x, double y, double z) : SPAvector(x, y, z) {
  double length = len();
  if (length >= SPAresnor) {
    *this = SPAunit_vector(normalise(SPAvector(x, y, z)));
  }
}

SPAunit_vector& SPAunit_vector::operator*=(const SPAtransf& t) {
  return *this = *this * t;
}

SPAvector operator-(const SPAposition& a, const SPAposition& b) {
  return SPAvector(a.x() - b.x(), a.y() - b.y(), a.z() - b.z());
}
SPAposition operator+(const SPAposition& p, const SPAvector& v) {
  return SPAposition(p.x() + v.x(), p.y() + v.y(), p.z() + v.z());
}
SPAposition operator+(const SPAvector& v, const SPAposition& p) {
  return p + v;
}
SPAposition operator-(const SPAposition& p, const SPAvector& v) {
  return p + (-v);
}
SPAvector operator+(const SPAvector& a, const SPAvector& b) {
  return SPAvector(a.x() + b.x(), a.y() + b.y(), a.z() + b.z());
}
SPAvector operator-(const SPAvector& a, const SPAvector& b) {
  return a + (-b);
}
SPAvector operator-(const SPAvector& v) {
  return SPAvector(-v.x(), -v.y(), -v.z());
}
SPAvector operator*(double s, const SPAvector& v) {
  return SPAvector(s * v.x(), s * v.y(), s * v.z());
}
SPAvector operator*(const SPAvector& v, double s) {
  return s * v;
}
SPAvector operator/(const SPAvector& v, double s) {
  return SPAvector(v.x() / s, v.y() / s, v.z() / s);
}
SPAvector operator*(const SPAvector& a, const SPAvector& b) {
  return SPAvector(a.y() * b.z() - a.z() * b.y(), a.z() * b.x() - a.x() * b.z(),
                   a.x() * b.y() - a.y() * b.x());
}
double operator%(const SPAvector& a, const SPAvector& b) {
  return a.x() * b.x() + a.y() * b.y() + a.z() * b.z();
}

SPAunit_vector normalise(const SPAvector& v) {
  double length = v.len();
  SPAunit_vector unit;
  if (length < SPAresnor) {
    unit.set_x(0.0);
    unit.set_y(0.0);
    unit.set_z(0.0);
  } else {
    unit.set_x(v.x() / length);
    unit.set_y(v.y() / length);
    unit.set_z(v.z() / length);
  }
  return unit;
}

double distance_to_point(const SPAposition& a, const SPAposition& b) {
  return (a - b).len();
}

XBOOL same_point(const SPAposition& a, const SPAposition& b, double tol) {
  return ToXBool(distance_to_point(a, b) < tol);
}

XBOOL same_vector(const SPAvector& a, const SPAvector& b, double tol) {
  return ToXBool(std::fabs(a.x() - b.x()) < tol && std::fabs(a.y() - b.y()) < tol &&
                 std::fabs(a.z() - b.z()) < tol);
}

XBOOL parallel(const SPAvector& a, const SPAvector& b, double tol) {
  SPAunit_vector ua = normalise(a);
  SPAunit_vector ub = normalise(b);
  return ToXBool(!ua.is_zero(0.5) && !ub.is_zero(0.5) && (ua * ub).len() < tol && ua % ub > 0);
}

XBOOL antiparallel(const SPAvector& a, const SPAvector& b, double tol) {
  return parallel(a, -b, tol);
}

XBOOL perpendicular(const SPAvector& a, const SPAvector& b, double tol) {
  SPAunit_vector ua = normalise(a);
  SPAunit_vector ub = normalise(b);
  return ToXBool(!ua.is_zero(0.5) && !ub.is_zero(0.5) && std::fabs(ua % ub) < tol);
}

// ---- matrices ----

SPAmatrix::SPAmatrix() : m_{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}} {}

SPAmatrix::SPAmatrix(const SPAvector& row0, const SPAvector& row1, const SPAvector& row2)
    : m_{{row0.x(), row0.y(), row0.z()},
         {row1.x(), row1.y(), row1.z()},
         {row2.x(), row2.y(), row2.z()}} {}

double SPAmatrix::determinant() const {
  return row(0) % (row(1) * row(2));
}

SPAmatrix SPAmatrix::transpose() const {
  return SPAmatrix(column(0), column(1), column(2));
}

// The inverse is the transposed cofactor matrix over the determinant; its columns are the
// cross products of pairs of rows.
SPAmatrix SPAmatrix::inverse() const {
  double det = determinant();
  if (std::fabs(det) < 1e-300) {
    return SPAmatrix(SPAvector(), SPAvector(), SPAvector());
  }
  SPAmatrix cofactorColumns((row(1) * row(2)) / det, (row(2) * row(0)) / det,
                            (row(0) * row(1)) / det);
  return cofactorColumns.transpose();
}

XBOOL SPAmatrix::is_identity(double tol) const {
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      if (std::fabs(m_[i][j] - (i == j ? 1.0 : 0.0)) > tol) {
        return FALSE;
      }
    }
  }
  return TRUE;
}

SPAvector operator*(const SPAvector& v, const SPAmatrix& m) {
  return SPAvector(v % m.column(0), v % m.column(1), v % m.column(2));
}

SPAmatrix operator*(const SPAmatrix& a, const SPAmatrix& b) {
  return SPAmatrix(a.row(0) * b, a.row(1) * b, a.row(2) * b);
}

// ---- transformations ----

SPAtransf::SPAtransf(const SPAmatrix& affine, const SPAvector& translation, double scale,
                     XBOOL rotate, XBOOL reflect, XBOOL shear)
    : affine_(affine),
      translation_(translation),
      scale_(scale),
      rotate_(rotate),
      reflect_(reflect),
      shear_(shear) {}

XBOOL SPAtransf::identity() const {
  return ToXBool(affine_.is_identity() && translation_.is_zero(SPAresabs) &&
                 std::fabs(scale_ - 1.0) < SPAresnor);
}

XBOOL SPAtransf::finite() const {
  bool finite = std::isfinite(scale_);
  for (int i = 0; i < 3; ++i) {
    finite = finite && std::isfinite(translation_.component(i));
    for (int j = 0; j < 3; ++j) {
      finite = finite && std::isfinite(affine_.element(i, j));
    }
  }
  return ToXBool(finite);
}

SPAtransf SPAtransf::inverse() const {
  SPAmatrix inverseAffine = affine_.inverse();
  double inverseScale = scale_ == 0.0 ? 0.0 : 1.0 / scale_;
  SPAvector inverseTranslation = -(translation_ * inverseAffine) * inverseScale;
  return SPAtransf(inverseAffine, inverseTranslation, inverseScale, rotate_, reflect_, shear_);
}

SPAtransf SPAtransf::operator*(const SPAtransf& next) const {
  return SPAtransf(affine_ * next.affine_,
                   (translation_ * next.affine_) * next.scale_ + next.translation_,
                   scale_ * next.scale_, ToXBool(rotate_ || next.rotate_),
                   ToXBool(reflect_ != next.reflect_), ToXBool(shear_ || next.shear_));
}

SPAtransf& SPAtransf::operator*=(const SPAtransf& next) {
  return *this = *this * next;
}

SPAposition operator*(const SPAposition& p, const SPAtransf& t) {
  SPAvector moved = (SPAvector(p.x(), p.y(), p.z()) * t.affine()) * t.scaling() + t.translation();
  return SPAposition(moved.x(), moved.y(), moved.z());
}

SPAvector operator*(const SPAvector& v, const SPAtransf& t) {
  return (v * t.affine()) * t.scaling();
}

SPAunit_vector operator*(const SPAunit_vector& v, const SPAtransf& t) {
  return normalise(static_cast<const SPAvector&>(v) * t.affine());
}

SPAtransf translate_transf(const SPAvector& offset) {
  return SPAtransf(SPAmatrix(), offset, 1.0, FALSE, FALSE, FALSE);
}

// Rodrigues' formula, written for row vectors: p' = p * R with R the transposed rotation.
SPAtransf rotate_transf(double angle, const SPAvector& axis) {
  SPAunit_vector n = normalise(axis);
  double c = std::cos(angle);
  double s = std::sin(angle);
  double t = 1.0 - c;
  double x = n.x(), y = n.y(), z = n.z();
  SPAmatrix columnForm(SPAvector(t * x * x + c, t * x * y - s * z, t * x * z + s * y),
                       SPAvector(t * x * y + s * z, t * y * y + c, t * y * z - s * x),
                       SPAvector(t * x * z - s * y, t * y * z + s * x, t * z * z + c));
  return SPAtransf(columnForm.transpose(), SPAvector(), 1.0, TRUE, FALSE, FALSE);
}

SPAtransf scale_transf(double scale) {
  return SPAtransf(SPAmatrix(), SPAvector(), scale, FALSE, FALSE, FALSE);
}

SPAtransf reflect_transf(const SPAvector& normal) {
  SPAunit_vector n = normalise(normal);
  auto row = [&n](double a) { return SPAvector(n.x() * a, n.y() * a, n.z() * a); };
  SPAmatrix reflection(SPAvector(1, 0, 0) - 2.0 * row(n.x()), SPAvector(0, 1, 0) - 2.0 * row(n.y()),
                       SPAvector(0, 0, 1) - 2.0 * row(n.z()));
  return SPAtransf(reflection, SPAvector(), 1.0, FALSE, TRUE, FALSE);
}

SPAtransf coordinate_transf(const SPAposition& origin, const SPAunit_vector& x_axis,
                            const SPAunit_vector& y_axis) {
  SPAunit_vector z_axis = normalise(x_axis * y_axis);
  SPAunit_vector y_true = normalise(z_axis * x_axis);
  return SPAtransf(SPAmatrix(x_axis, y_true, z_axis), origin - SPAposition(), 1.0, TRUE, FALSE,
                   FALSE);
}

// ---- tolerant predicates ----

XBOOL is_equal(double a, double b, double tol) {
  return ToXBool(std::fabs(a - b) < tol);
}

XBOOL is_zero(double value, double tol) {
  return ToXBool(std::fabs(value) < tol);
}

XBOOL is_less_than(double a, double b, double tol) {
  return ToXBool(a < b - tol);
}

XBOOL is_greater_than(double a, double b, double tol) {
  return ToXBool(a > b + tol);
}

XBOOL are_parallel(const SPAvector& a, const SPAvector& b, XBOOL same_sense) {
  if (a.len() < SPAresnor || b.len() < SPAresnor) {
    return FALSE;
  }
  SPAunit_vector ua = normalise(a);
  SPAunit_vector ub = normalise(b);
  if ((ua * ub).len() >= SPAresnor) {
    return FALSE;
  }
  return ToXBool(!same_sense || ua % ub > 0.0);
}

double angle_between(const SPAvector& a, const SPAvector& b) {
  if (a.len() < SPAresnor || b.len() < SPAresnor) {
    return 0.0;
  }
  // atan2 of sine and cosine stays accurate near 0 and pi, where acos does not.
  return std::atan2((a * b).len(), a % b);
}

XBOOL closest_points(const SPAposition& p1, const SPAvector& d1, const SPAposition& p2,
                     const SPAvector& d2, SPAposition& on1, SPAposition& on2) {
  double a = d1 % d1, b = d1 % d2, c = d2 % d2;
  if (a < SPAresnor * SPAresnor || c < SPAresnor * SPAresnor) {
    return FALSE;
  }
  SPAvector w = p1 - p2;
  double d = d1 % w, e = d2 % w;
  double denominator = a * c - b * b;
  if (denominator <= 1e-20 * a * c) {  // parallel: foot of p2 on the first line
    on2 = p2;
    on1 = p1 + d1 * (((p2 - p1) % d1) / a);
    return TRUE;
  }
  on1 = p1 + d1 * ((b * e - c * d) / denominator);
  on2 = p2 + d2 * ((a * e - b * d) / denominator);
  return TRUE;
}
