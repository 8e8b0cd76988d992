// Volumes by the divergence theorem: the volume a closed skin encloses is the sum, over its
// faces, of (1/3) times the integral of (P - O) . N over the face, for any point O. On a plane or
// a cylinder that integrand depends on u alone, so Green's theorem turns each face's double
// integral into a sum over its boundary curves in the parameter plane, and on straight and
// circular curves that sum has a closed form. A plate with a hundred holes then costs as much
// as counting its edges; Open CASCADE's Gauss integration along every hole took milliseconds.
#include "geometry/solid_volume.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRepGProp_Domain.hxx>
#include <BRepGProp_Face.hxx>
#include <BRepGProp_Vinert.hxx>
#include <BRep_Tool.hxx>
#include <Geom2dAdaptor_Curve.hxx>
#include <Geom2d_Curve.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Vertex.hxx>
#include <cmath>
#include <functional>
#include <optional>

namespace {

// Below this change of u along a straight boundary piece, the piece counts as running along v
// (its primitive's difference quotient would lose digits).
constexpr double kShortU = 1e-7;

// The face integral of g(u) over the parameter domain, by Green's theorem the boundary integral
// of G(u) dv with G' = g; `antiderivative` is G and `second` a primitive of G. A boundary curve
// that is neither straight nor, where `circles` allows, circular gives nullopt.
struct UIntegrand {
  std::function<double(double)> antiderivative;
  std::function<double(double)> second;
  bool constant = false;  // g is a constant k: G is linear, and a circle's share has a closed form
  double k = 0.0;
};

// The boundary integral of u dv along a circle arc (u, v) = c + R (cos t X + sin t Y) from t0 to
// t1; X and Y may form a left-handed pair.
double CircleUdv(const gp_Circ2d& circle, double t0, double t1) {
  const double cu = circle.Location().X();
  const double r = circle.Radius();
  const gp_Dir2d x = circle.XAxis().Direction();
  const gp_Dir2d y = circle.YAxis().Direction();
  auto primitive = [&](double t) {
    const double s = std::sin(t);
    const double c = std::cos(t);
    return cu * r * (x.Y() * c + y.Y() * s) +
           r * r *
               ((y.X() * y.Y() - x.X() * x.Y()) * s * s / 2 + x.X() * y.Y() * (t / 2 + s * c / 2) -
                y.X() * x.Y() * (t / 2 - s * c / 2));
  };
  return primitive(t1) - primitive(t0);
}

// The boundary integral of G(u) dv along the face's outer and inner wires, traversed with the
// domain on their left, or nullopt when a curve has no closed form.
std::optional<double> BoundaryIntegral(const TopoDS_Face& face, const UIntegrand& integrand) {
  const TopoDS_Face forward = TopoDS::Face(face.Oriented(TopAbs_FORWARD));
  double sum = 0.0;
  for (TopExp_Explorer explorer(forward, TopAbs_EDGE); explorer.More(); explorer.Next()) {
    const TopoDS_Edge& edge = TopoDS::Edge(explorer.Current());
    const TopAbs_Orientation orientation = edge.Orientation();
    if (orientation != TopAbs_FORWARD && orientation != TopAbs_REVERSED) {
      continue;  // an internal or external edge is passed both ways or not at all
    }
    double first = 0.0;
    double last = 0.0;
    Handle(Geom2d_Curve) pcurve = BRep_Tool::CurveOnSurface(edge, forward, first, last);
    if (pcurve.IsNull()) {
      return std::nullopt;
    }
    if (orientation == TopAbs_REVERSED) {
      std::swap(first, last);
    }
    Geom2dAdaptor_Curve curve(pcurve);
    if (curve.GetType() == GeomAbs_Line) {
      const gp_Pnt2d start = curve.Value(first);
      const gp_Pnt2d end = curve.Value(last);
      const double du = end.X() - start.X();
      const double dv = end.Y() - start.Y();
      if (integrand.constant || std::fabs(du) < kShortU) {  // exact for a linear G
        sum += integrand.antiderivative((start.X() + end.X()) / 2) * dv;
      } else {
        sum += dv / du * (integrand.second(end.X()) - integrand.second(start.X()));
      }
    } else if (curve.GetType() == GeomAbs_Circle && integrand.constant) {
      sum += integrand.k * CircleUdv(curve.Circle(), first, last);
    } else {
      return std::nullopt;
    }
  }
  return sum;
}

// On a plane P0 + u X + v Y the integrand (1/3)(P - O) . (X x Y) is a constant k.
std::optional<double> PlaneShare(const gp_Pln& plane, const TopoDS_Face& face,
                                 const gp_Pnt& origin) {
  const gp_Ax3& frame = plane.Position();
  const gp_Vec normal = gp_Vec(frame.XDirection()).Crossed(gp_Vec(frame.YDirection()));
  const double k = gp_Vec(origin, frame.Location()).Dot(normal) / 3.0;
  UIntegrand integrand;
  integrand.antiderivative = [k](double u) { return k * u; };
  integrand.second = [k](double u) { return k * u * u / 2; };
  integrand.constant = true;
  integrand.k = k;
  return BoundaryIntegral(face, integrand);
}

// On a cylinder C + r (cos u X + sin u Y) + v Z the natural normal is s r (cos u X + sin u Y),
// s = +1 for a right-handed frame and -1 for a left-handed one, so the integrand is
// (s r / 3)(a cos u + b sin u + r) with a, b the components of C - O along X and Y.
std::optional<double> CylinderShare(const gp_Cylinder& cylinder, const TopoDS_Face& face,
                                    const gp_Pnt& origin) {
  const gp_Ax3& frame = cylinder.Position();
  const double r = cylinder.Radius();
  const double s = frame.Direct() ? 1.0 : -1.0;
  const gp_Vec offset(origin, frame.Location());
  const double a = offset.Dot(gp_Vec(frame.XDirection()));
  const double b = offset.Dot(gp_Vec(frame.YDirection()));
  const double scale = s * r / 3.0;
  UIntegrand integrand;
  integrand.antiderivative = [=](double u) {
    return scale * (a * std::sin(u) - b * std::cos(u) + r * u);
  };
  integrand.second = [=](double u) {
    return scale * (-a * std::cos(u) - b * std::sin(u) + r * u * u / 2);
  };
  return BoundaryIntegral(face, integrand);
}

std::optional<double> ClosedFormShare(const TopoDS_Face& face, const gp_Pnt& origin) {
  BRepAdaptor_Surface surface(face, false);
  std::optional<double> share;
  switch (surface.GetType()) {
    case GeomAbs_Plane:
      share = PlaneShare(surface.Plane(), face, origin);
      break;
    case GeomAbs_Cylinder:
      share = CylinderShare(surface.Cylinder(), face, origin);
      break;
    default:
      return std::nullopt;
  }
  if (share && face.Orientation() == TopAbs_REVERSED) {
    *share = -*share;
  }
  return share;
}

double IntegratedShare(const TopoDS_Face& face, const gp_Pnt& origin, double relative_accuracy) {
  BRepGProp_Face surface(face);
  const bool adaptive = relative_accuracy > 0.0 && relative_accuracy < 1.0;
  if (surface.NaturalRestriction()) {
    return adaptive ? BRepGProp_Vinert(surface, origin, relative_accuracy).Mass()
                    : BRepGProp_Vinert(surface, origin).Mass();
  }
  BRepGProp_Domain domain(face);
  return adaptive ? BRepGProp_Vinert(surface, domain, origin, relative_accuracy).Mass()
                  : BRepGProp_Vinert(surface, domain, origin).Mass();
}

// A point of the shape, so that the shares stay of the size of the shape itself.
gp_Pnt ReferencePoint(const TopoDS_Shape& shape) {
  TopExp_Explorer vertex(shape, TopAbs_VERTEX);
  return vertex.More() ? BRep_Tool::Pnt(TopoDS::Vertex(vertex.Current())) : gp_Pnt();
}

}  // namespace

double SolidVolume(const TopoDS_Shape& shape, double relative_accuracy) {
  const gp_Pnt origin = ReferencePoint(shape);
  double volume = 0.0;
  for (TopExp_Explorer explorer(shape, TopAbs_FACE); explorer.More(); explorer.Next()) {
    const TopoDS_Face& face = TopoDS::Face(explorer.Current());
    const TopAbs_Orientation orientation = face.Orientation();
    if (orientation != TopAbs_FORWARD && orientation != TopAbs_REVERSED) {
      continue;  // an internal face has the solid on both sides and encloses nothing
    }
    std::optional<double> share = ClosedFormShare(face, origin);
    volume += share ? *share : IntegratedShare(face, origin, relative_accuracy);
  }
  return volume;
}
