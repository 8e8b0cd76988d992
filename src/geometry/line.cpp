// PVFLine: a directed segment compared with the kernel's positional tolerance.
#include <varnex/geometry/line.h>
#include <varnex/geometry/topology.h>

#include <algorithm>
#include <cmath>

namespace {

// -1, 0, 1 for a < b, a == b, a > b within tolerance.
int CompareTolerant(double a, double b) {
  if (is_equal(a, b)) {
    return 0;
  }
  return a < b ? -1 : 1;
}

SPAposition Foot(const SPAposition& start, const SPAvector& direction, const SPAposition& point) {
  double lengthSquared = direction.len_sq();
  if (lengthSquared < SPAresabs * SPAresabs) {
    return start;
  }
  return start + direction * (((point - start) % direction) / lengthSquared);
}

}  // namespace

PVFLine::PVFLine() : start_(0, 0, 0), end_(0, 0, 1) {}
PVFLine::PVFLine(const SPAposition& start, const SPAposition& end) : start_(start), end_(end) {}
PVFLine::PVFLine(const SPAposition& start, const SPAvector& direction)
    : start_(start), end_(start + direction) {}

PVFLine::PVFLine(const EDGE* edge) : PVFLine() {
  *this = edge;
}

PVFLine& PVFLine::operator=(const EDGE* edge) {
  VERTEX* first = edge_start(edge);
  VERTEX* last = edge_end(edge);
  if (first != nullptr && last != nullptr) {
    start_ = vertex_position(first);
    end_ = vertex_position(last);
  }
  return *this;
}

PVFLine::~PVFLine() = default;

SPAunit_vector PVFLine::NormalDirection() const {
  return normalise(Direction());
}

void PVFLine::Data(SPAposition* start, SPAposition* end, SPAvector* direction) const {
  if (start != nullptr) {
    *start = start_;
  }
  if (end != nullptr) {
    *end = end_;
  }
  if (direction != nullptr) {
    *direction = Direction();
  }
}

// ---- comparison ----

XBOOL PVFLine::operator==(const PVFLine& other) const {
  for (int i = 0; i < 3; ++i) {
    if (!is_equal(start_.coordinate(i), other.start_.coordinate(i)) ||
        !is_equal(end_.coordinate(i), other.end_.coordinate(i))) {
      return FALSE;
    }
  }
  return TRUE;
}

XBOOL PVFLine::operator==(const SPAposition& point) const {
  return same_point(start_, point);
}

XBOOL PVFLine::operator==(const SPAvector& vector) const {
  return same_vector(Direction(), vector);
}

XBOOL PVFLine::operator<(const PVFLine& other) const {
  return ToXBool(other.OnAxis(start_, FALSE) && other.OnAxis(end_, FALSE));
}

XBOOL PVFLine::operator<=(const PVFLine& other) const {
  return ToXBool(other.OnAxis(start_, TRUE) && other.OnAxis(end_, TRUE));
}

PVFLine PVFLine::operator-() const {
  return PVFLine(end_, start_);
}

void PVFLine::Reverse() {
  std::swap(start_, end_);
}

XBOOL PVFLine::Parallel(const SPAvector& vector) const {
  return are_parallel(Direction(), vector);
}

XBOOL PVFLine::SameDirection(const SPAvector& vector) const {
  return are_parallel(Direction(), vector, TRUE);
}

XBOOL PVFLine::ReverseDirection(const SPAvector& vector) const {
  return are_parallel(Direction(), -vector, TRUE);
}

XBOOL PVFLine::SameStartPoint(const PVFLine& other) const {
  return same_point(start_, other.start_);
}

XBOOL PVFLine::SameEndPoint(const PVFLine& other) const {
  return same_point(end_, other.end_);
}

XBOOL PVFLine::SamePoint(const PVFLine& other, SPAposition* shared) const {
  const struct {
    const SPAposition& mine;
    const SPAposition& theirs;
  } pairings[] = {
      {start_, other.start_}, {start_, other.end_}, {end_, other.start_}, {end_, other.end_}};
  for (const auto& pairing : pairings) {
    if (same_point(pairing.mine, pairing.theirs)) {
      if (shared != nullptr) {
        *shared = pairing.mine;
      }
      return TRUE;
    }
  }
  return FALSE;
}

// ---- moving ----

void PVFLine::Move(const SPAposition& start) {
  Move(start - start_);
}

void PVFLine::Move(const SPAvector& offset) {
  start_ += offset;
  end_ += offset;
}

PVFLine& PVFLine::operator+=(const SPAvector& offset) {
  end_ += offset;
  return *this;
}

PVFLine& PVFLine::operator-=(const SPAvector& offset) {
  end_ -= offset;
  return *this;
}

void PVFLine::FixStart(const SPAposition& end) {
  end_ = end;
}

void PVFLine::FixStart(const SPAvector& offset) {
  end_ += offset;
}

void PVFLine::FixEnd(const SPAposition& start) {
  start_ = start;
}

void PVFLine::FixEnd(const SPAvector& offset) {
  start_ += offset;
}

PVFLine& PVFLine::operator*=(const SPAtransf& transf) {
  SPAvector direction = Direction() * transf;
  start_ = start_ * transf;
  end_ = start_ + direction;
  return *this;
}

XBOOL PVFLine::Order() {
  for (int i = 0; i < 3; ++i) {
    int order = CompareTolerant(start_.coordinate(i), end_.coordinate(i));
    if (order != 0) {
      if (order > 0) {
        Reverse();
        return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

XBOOL PVFLine::MakeSameStartPoint(PVFLine& a, PVFLine& b) {
  if (a.SameStartPoint(b)) {
    return TRUE;
  }
  bool endsEqual = a.SameEndPoint(b);
  a.Reverse();
  if (endsEqual) {
    b.Reverse();
    return TRUE;
  }
  if (a.SameStartPoint(b)) {
    return TRUE;
  }
  if (a.SameEndPoint(b)) {
    a.Reverse();
    b.Reverse();
    return TRUE;
  }
  return FALSE;
}

// ---- distances ----

double PVFLine::Distance(const PVFLine& other, SPAposition* on_this, SPAposition* on_other) const {
  SPAposition mine = start_, theirs = other.start_;
  if (!closest_points(start_, Direction(), other.start_, other.Direction(), mine, theirs)) {
    mine = start_;
    theirs = other.start_;
  }
  if (on_this != nullptr) {
    *on_this = mine;
  }
  if (on_other != nullptr) {
    *on_other = theirs;
  }
  return distance_to_point(mine, theirs);
}

XBOOL PVFLine::Crossing(const PVFLine& other, SPAposition* at) const {
  if (Parallel(other)) {
    return FALSE;
  }
  SPAposition mine, theirs;
  if (!is_zero(Distance(other, &mine, &theirs))) {
    return FALSE;
  }
  if (at != nullptr) {
    *at = mine;
  }
  return TRUE;
}

double PVFLine::Distance(const SPAposition& point, SPAposition* foot) const {
  SPAposition at = Foot(start_, Direction(), point);
  if (foot != nullptr) {
    *foot = at;
  }
  return distance_to_point(point, at);
}

XBOOL PVFLine::OnLine(const SPAposition& point) const {
  return is_zero(Distance(point));
}

XBOOL PVFLine::OnLine(const PVFLine& other) const {
  return ToXBool(OnLine(other.start_) && OnLine(other.end_));
}

double PVFLine::Parameter(const SPAposition& point) const {
  double lengthSquared = Direction().len_sq();
  return lengthSquared < SPAresabs * SPAresabs ? 0.0
                                               : ((point - start_) % Direction()) / lengthSquared;
}

XBOOL PVFLine::OnAxis(const SPAposition& point, XBOOL ends) const {
  if (is_zero(Length())) {
    return same_point(point, start_);
  }
  if (!OnLine(point)) {
    return FALSE;
  }
  double length = Length();
  double t = Parameter(point);
  if (is_zero(t * length) || is_zero((t - 1.0) * length)) {
    return ends;
  }
  return ToXBool(t > 0.0 && t < 1.0);
}

XBOOL PVFLine::MoveOnLine(const SPAposition& point) {
  if (OnLine(point)) {
    return FALSE;
  }
  Move(point - Foot(start_, Direction(), point));
  return TRUE;
}

XBOOL PVFLine::MoveOnLine(const PVFLine& other) {
  if (other.OnLine(*this)) {
    return FALSE;
  }
  start_ = Foot(other.start_, other.Direction(), start_);
  end_ = Foot(other.start_, other.Direction(), end_);
  return TRUE;
}

// ---- stretching ----

XBOOL PVFLine::Expand(const PVFLine& other, double tolerance) {
  if (Distance(other.start_) >= tolerance || Distance(other.end_) >= tolerance) {
    return FALSE;
  }
  Extent(other, tolerance);
  return TRUE;
}

XBOOL PVFLine::Map(const PVFLine& other, double tolerance) {
  SPAposition from = Foot(start_, Direction(), other.start_);
  SPAposition to = Foot(start_, Direction(), other.end_);
  if (distance_to_point(from, to) < tolerance) {
    return FALSE;
  }
  start_ = from;
  end_ = to;
  return TRUE;
}

XBOOL PVFLine::Extent(const PVFLine& other, double tolerance) {
  if (is_zero(Length())) {
    return FALSE;
  }
  double length = Length();
  double low = std::min({0.0, Parameter(other.start_), Parameter(other.end_)});
  double high = std::max({1.0, Parameter(other.start_), Parameter(other.end_)});
  bool grows = -low * length > tolerance || (high - 1.0) * length > tolerance;
  SPAvector direction = Direction();
  SPAposition origin = start_;
  start_ = origin + direction * low;
  end_ = origin + direction * high;
  return ToXBool(grows);
}

PVFLine Expand(const PVFLine& a, const PVFLine& b, double tolerance) {
  PVFLine result(a);
  result.Expand(b, tolerance);
  return result;
}

PVFLine Map(const PVFLine& a, const PVFLine& b, double tolerance) {
  PVFLine result(a);
  result.Map(b, tolerance);
  return result;
}

PVFLine Extent(const PVFLine& a, const PVFLine& b, double tolerance) {
  PVFLine result(a);
  result.Extent(b, tolerance);
  return result;
}

XBOOL Projection(const PVFLine& line, const SPAvector& along, const PVFLine& target,
                 const SPAvector& in_plane, PVFLine& result, double tolerance) {
  SPAvector normal = target.Direction() * in_plane;
  if (normal.len() < tolerance * target.Length() * in_plane.len() || normal.len() == 0.0) {
    return FALSE;
  }
  double across = along % normal;
  if (std::fabs(across) < tolerance * along.len() * normal.len() || along.len() == 0.0) {
    return FALSE;
  }
  auto project = [&](const SPAposition& point) {
    return point + along * (((target.StartPoint() - point) % normal) / across);
  };
  result = PVFLine(project(line.StartPoint()), project(line.EndPoint()));
  return TRUE;
}
