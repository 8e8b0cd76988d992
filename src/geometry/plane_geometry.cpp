// Point distances, plane intersections and angles, with the kernel's tolerance.
#include <varnex/geometry/line.h>
#include <varnex/geometry/measures.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

// Angles within tolerance of 0, pi/2 and pi become exactly those, so that points on a line or
// plane give exact zeros.
double SnapAngle(double angle) {
  for (double exact : {0.0, kPi / 2, -kPi / 2, kPi, -kPi}) {
    if (is_equal(angle, exact)) {
      return exact;
    }
  }
  return angle;
}

bool PlaneOfFace(ENTITY* face, SPAposition& point, SPAvector& normal) {
  SPAunit_vector unit;
  if (!FaceProperties(face, point, unit)) {
    return false;
  }
  normal = unit;
  return true;
}

}  // namespace

XBOOL DistancePointToLine(const SPAposition& point, const SPAposition& line_point,
                          const SPAvector& direction, double& distance, double& parameter) {
  SPAvector v = point - line_point;
  distance = 0.0;
  parameter = 0.0;
  if (v.is_zero()) {
    return TRUE;
  }
  if (direction.is_zero()) {
    return FALSE;
  }
  double a = SnapAngle(angle_between(direction, v));
  distance = std::fabs(std::sin(a) * v.len());
  parameter = std::cos(a) * v.len() / direction.len();
  return is_zero(distance);
}

XBOOL DistancePointToFace(const SPAposition& point, const SPAposition& plane_point,
                          const SPAvector& normal, double& distance, double& parameter) {
  SPAvector v = point - plane_point;
  distance = 0.0;
  parameter = 0.0;
  if (v.is_zero()) {
    return TRUE;
  }
  if (normal.is_zero()) {
    return FALSE;
  }
  double a = SnapAngle(angle_between(normal, v));
  distance = std::fabs(std::cos(a) * v.len());
  parameter = v.len() / normal.len();
  if (std::cos(a) < 0.0) {
    parameter = -parameter;
  }
  return is_zero(distance);
}

XBOOL IntersectionLineOfTwoPlanes(const SPAposition& p1, const SPAvector& n1, const SPAposition& p2,
                                  const SPAvector& n2, SPAposition& point, SPAvector& direction) {
  if (n1.is_zero() || n2.is_zero() || are_parallel(n1, n2)) {
    return FALSE;
  }
  SPAvector d = n1 * n2;
  double h1 = n1 % (p1 - SPAposition(0, 0, 0));
  double h2 = n2 % (p2 - SPAposition(0, 0, 0));
  // The point of the line nearest the origin: (h1 (n2 x d) + h2 (d x n1)) / |d|^2.
  point = SPAposition(0, 0, 0) + (h1 * (n2 * d) + h2 * (d * n1)) / d.len_sq();
  direction = normalise(d);
  return TRUE;
}

XBOOL IntersectionLineOfTwoPlanes(ENTITY* face1, ENTITY* face2, SPAposition& point,
                                  SPAvector& direction) {
  SPAposition p1, p2;
  SPAvector n1, n2;
  if (!PlaneOfFace(face1, p1, n1) || !PlaneOfFace(face2, p2, n2)) {
    return FALSE;
  }
  return IntersectionLineOfTwoPlanes(p1, n1, p2, n2, point, direction);
}

XBOOL IntersectionPointOfThreePlanes(const SPAposition& p1, const SPAvector& n1,
                                     const SPAposition& p2, const SPAvector& n2,
                                     const SPAposition& p3, const SPAvector& n3,
                                     SPAposition& point) {
  if (n1.is_zero() || n2.is_zero() || n3.is_zero() || are_parallel(n1, n2) ||
      are_parallel(n1, n3) || are_parallel(n2, n3) || are_parallel(n1 * n2, n1 * n3)) {
    return FALSE;
  }
  SPAposition a, b;
  SPAvector da, db;
  if (!IntersectionLineOfTwoPlanes(p1, n1, p2, n2, a, da) ||
      !IntersectionLineOfTwoPlanes(p1, n1, p3, n3, b, db)) {
    return FALSE;
  }
  return PVFLine(a, da).Crossing(PVFLine(b, db), &point);
}

XBOOL IntersectionPointOfThreePlanes(ENTITY* face1, ENTITY* face2, ENTITY* face3,
                                     SPAposition& point) {
  SPAposition p1, p2, p3;
  SPAvector n1, n2, n3;
  if (!PlaneOfFace(face1, p1, n1) || !PlaneOfFace(face2, p2, n2) || !PlaneOfFace(face3, p3, n3)) {
    return FALSE;
  }
  return IntersectionPointOfThreePlanes(p1, n1, p2, n2, p3, n3, point);
}

double AngleBetween(const SPAvector& v1, const SPAvector& v2) {
  return angle_between(v1, v2);
}

double AngleBetween(const SPAvector& v1, const SPAvector& v2, const SPAvector& reference) {
  double angle = angle_between(v1, v2);
  if ((v1 * v2) % reference < 0.0) {
    angle = 2 * kPi - angle;
  }
  return angle >= 2 * kPi ? 0.0 : angle;
}

double AngleBetween(ENTITY* face1, ENTITY* face2) {
  SPAposition p1, p2;
  SPAvector n1, n2;
  if (!PlaneOfFace(face1, p1, n1) || !PlaneOfFace(face2, p2, n2)) {
    return -1.0;
  }
  return angle_between(n1, n2);
}
