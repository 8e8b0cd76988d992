// PVFLine, the directed line segment of the feature geometry code (axes, edges, construction
// lines), and free functions that intersect planes and measure point distances. Every
// comparison uses the kernel's positional tolerance SPAresabs: points closer than it are one
// point, so a point 1e-9 away from a line lies on it.
#pragma once

#include <varnex/geometry/entity.h>
#include <varnex/geometry/spa.h>

class EDGE;

class VARNEX_API PVFLine {
 public:
  /// From the origin to (0, 0, 1).
  PVFLine();
  PVFLine(const SPAposition& start, const SPAposition& end);
  /// From `start` to start + direction.
  PVFLine(const SPAposition& start, const SPAvector& direction);
  /// From the start to the end of the edge (the default line for anything but an edge).
  explicit PVFLine(const EDGE* edge);
  PVFLine(const PVFLine&) = default;
  PVFLine& operator=(const PVFLine&) = default;
  PVFLine& operator=(const EDGE* edge);
  virtual ~PVFLine();

  SPAposition StartPoint() const { return start_; }
  SPAposition EndPoint() const { return end_; }
  /// end - start, not normalised.
  SPAvector Direction() const { return end_ - start_; }
  /// The direction of length 1 (zero for a segment of zero length).
  SPAunit_vector NormalDirection() const;
  /// Fills every output that is not null.
  void Data(SPAposition* start, SPAposition* end, SPAvector* direction) const;
  double Length() const { return Direction().len(); }

  /// All six coordinates equal within tolerance.
  XBOOL operator==(const PVFLine& other) const;
  /// The start equals the point.
  XBOOL operator==(const SPAposition& point) const;
  /// The direction equals the vector.
  XBOOL operator==(const SPAvector& vector) const;
  XBOOL operator!=(const PVFLine& other) const { return ToXBool(!(*this == other)); }
  XBOOL operator!=(const SPAposition& point) const { return ToXBool(!(*this == point)); }
  XBOOL operator!=(const SPAvector& vector) const { return ToXBool(!(*this == vector)); }

  /// Both ends of this segment lie on `other` strictly inside (an end on an end of `other`
  /// does not count).
  XBOOL operator<(const PVFLine& other) const;
  /// Both ends of this segment lie on `other`, its ends included.
  XBOOL operator<=(const PVFLine& other) const;
  XBOOL operator>(const PVFLine& other) const { return other < *this; }
  XBOOL operator>=(const PVFLine& other) const { return other <= *this; }

  /// The reversed segment.
  PVFLine operator-() const;
  /// Swaps start and end.
  void Reverse();

  XBOOL Parallel(const SPAvector& vector) const;
  XBOOL SameDirection(const SPAvector& vector) const;
  XBOOL ReverseDirection(const SPAvector& vector) const;
  XBOOL Parallel(const PVFLine& other) const { return Parallel(other.Direction()); }
  XBOOL SameDirection(const PVFLine& other) const { return SameDirection(other.Direction()); }
  XBOOL ReverseDirection(const PVFLine& other) const { return ReverseDirection(other.Direction()); }

  XBOOL SameStartPoint(const PVFLine& other) const;
  XBOOL SameEndPoint(const PVFLine& other) const;
  /// Looks for a shared end point in the order start-start, start-end, end-start, end-end; at the
  /// first match writes this line's point (its start for the first two pairings, its end for the
  /// others) to `shared` when not null and returns TRUE.
  XBOOL SamePoint(const PVFLine& other, SPAposition* shared = nullptr) const;

  /// Translates the segment so that it starts at `start`.
  void Move(const SPAposition& start);
  /// Translates both ends.
  void Move(const SPAvector& offset);
  /// Moves only the end point.
  PVFLine& operator+=(const SPAvector& offset);
  PVFLine& operator-=(const SPAvector& offset);
  /// Keeps the start and sets the end.
  void FixStart(const SPAposition& end);
  /// Keeps the start and moves the end by `offset`.
  void FixStart(const SPAvector& offset);
  /// Keeps the end and sets the start.
  void FixEnd(const SPAposition& start);
  /// Keeps the end and moves the start by `offset`.
  void FixEnd(const SPAvector& offset);
  /// Transforms the start as a position and the direction as a vector.
  PVFLine& operator*=(const SPAtransf& transf);

  /// Puts the smaller end first (x, then y, then z, with tolerance); TRUE when it swapped.
  XBOOL Order();
  /// Makes both segments start at their common end point; FALSE when they share none (then `a`
  /// is left reversed).
  static XBOOL MakeSameStartPoint(PVFLine& a, PVFLine& b);

  /// Distance of the infinite lines, with their closest points (either output may be null).
  double Distance(const PVFLine& other, SPAposition* on_this = nullptr,
                  SPAposition* on_other = nullptr) const;
  /// TRUE when the infinite lines cross (not parallel, distance zero); the crossing point goes
  /// to `at` when not null.
  XBOOL Crossing(const PVFLine& other, SPAposition* at = nullptr) const;
  /// Distance of a point from the infinite line, with its foot point.
  double Distance(const SPAposition& point, SPAposition* foot = nullptr) const;
  XBOOL OnLine(const SPAposition& point) const;
  /// Both ends of `other` lie on this infinite line.
  XBOOL OnLine(const PVFLine& other) const;
  /// Whether the point lies on the segment: at an end the answer is `ends`; beyond the ends
  /// FALSE. A segment of zero length contains only its start.
  XBOOL OnAxis(const SPAposition& point, XBOOL ends) const;
  /// The parameter of the point's foot: 0 at the start, 1 at the end (0 for zero length).
  double Parameter(const SPAposition& point) const;
  /// Moves the segment onto the parallel line through `point` (its ends become the feet of the
  /// old ends there); FALSE, unchanged, when the point lies on the line already.
  XBOOL MoveOnLine(const SPAposition& point);
  /// Moves the segment onto the infinite line of `other` (its ends become the feet of the old
  /// ends there); FALSE, unchanged, when both ends lie on it already.
  XBOOL MoveOnLine(const PVFLine& other);

  /// When `other` lies on this line (within `tolerance`), this segment grows to the smallest one
  /// covering both, keeping its sense. FALSE, unchanged, otherwise.
  XBOOL Expand(const PVFLine& other, double tolerance = SPAresabs);
  /// This segment becomes the projection of `other` onto this line (the feet of other's ends, in
  /// other's order). FALSE, unchanged, when the projection is shorter than `tolerance`.
  XBOOL Map(const PVFLine& other, double tolerance = SPAresabs);
  /// This segment grows along its line until it covers the feet of other's ends (it never
  /// shrinks). Returns TRUE when it grew by more than `tolerance`.
  XBOOL Extent(const PVFLine& other, double tolerance = SPAresabs);

 private:
  SPAposition start_;
  SPAposition end_;
};

/// Copies of `a` expanded, mapped and extended by `b` as the members do.
VARNEX_API PVFLine Expand(const PVFLine& a, const PVFLine& b, double tolerance = SPAresabs);
VARNEX_API PVFLine Map(const PVFLine& a, const PVFLine& b, double tolerance = SPAresabs);
VARNEX_API PVFLine Extent(const PVFLine& a, const PVFLine& b, double tolerance = SPAresabs);
/// Projects `line` along `along` onto the plane through `target` spanned by target's direction
/// and `in_plane`; the projected segment goes to `result`. FALSE when the plane is degenerate or
/// `along` lies in it (sines below `tolerance`).
VARNEX_API XBOOL Projection(const PVFLine& line, const SPAvector& along, const PVFLine& target,
                            const SPAvector& in_plane, PVFLine& result,
                            double tolerance = SPAresnor);

/// Distance of `point` from the line through `line_point` along `direction`, and the point's
/// parameter along it in units of the direction's length. TRUE when the distance is zero; FALSE
/// with both 0 for a zero direction; a point on `line_point` gives 0, 0 and TRUE.
VARNEX_API XBOOL DistancePointToLine(const SPAposition& point, const SPAposition& line_point,
                                     const SPAvector& direction, double& distance,
                                     double& parameter);
/// Distance of `point` from the plane through `plane_point` with `normal`, and |v| / |normal|
/// (negative when the point lies behind the plane), v = point - plane_point. TRUE when the
/// distance is zero; FALSE with both 0 for a zero normal.
VARNEX_API XBOOL DistancePointToFace(const SPAposition& point, const SPAposition& plane_point,
                                     const SPAvector& normal, double& distance, double& parameter);
/// The intersection line of two planes; FALSE when a normal is zero or the planes are parallel.
VARNEX_API XBOOL IntersectionLineOfTwoPlanes(const SPAposition& p1, const SPAvector& n1,
                                             const SPAposition& p2, const SPAvector& n2,
                                             SPAposition& point, SPAvector& direction);
/// The same for the planes of two planar faces.
VARNEX_API XBOOL IntersectionLineOfTwoPlanes(ENTITY* face1, ENTITY* face2, SPAposition& point,
                                             SPAvector& direction);
/// The common point of three planes; FALSE when a normal is zero, two planes are parallel, or
/// the three intersection lines are parallel.
VARNEX_API XBOOL IntersectionPointOfThreePlanes(const SPAposition& p1, const SPAvector& n1,
                                                const SPAposition& p2, const SPAvector& n2,
                                                const SPAposition& p3, const SPAvector& n3,
                                                SPAposition& point);
VARNEX_API XBOOL IntersectionPointOfThreePlanes(ENTITY* face1, ENTITY* face2, ENTITY* face3,
                                                SPAposition& point);
/// The angle between two directions, 0 to pi.
VARNEX_API double AngleBetween(const SPAvector& v1, const SPAvector& v2);
/// The angle from v1 to v2 turning right-handed about `reference`, 0 to 2 pi.
VARNEX_API double AngleBetween(const SPAvector& v1, const SPAvector& v2,
                               const SPAvector& reference);
/// The angle between the planes of two planar faces (of their outward normals), 0 to pi; -1
/// when either is not a planar face.
VARNEX_API double AngleBetween(ENTITY* face1, ENTITY* face2);
