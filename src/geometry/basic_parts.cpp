// The part builders of the basic feature solids: one primitive or one profile swept with draft,
// moved into place by a reflection (negative height), the move of its reference point to the
// origin and the caller's placement.
#include <varnex/geometry/basic_solids.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/sweeps.h>
#include <varnex/geometry/transforms.h>

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <TopoDS_Wire.hxx>
#include <cmath>
#include <gp_Circ.hxx>
#include <numbers>
#include <vector>

#include "geometry/body_registry.h"
#include "geometry/kernel_scope.h"

namespace {

constexpr double kFullTurn = 2.0 * std::numbers::pi;
const SPAvector kZ(0.0, 0.0, 1.0);

bool IsFullTurn(double sweep) {
  return std::fabs(sweep) >= kFullTurn - 1e-9;
}

// The reflection in z = 0 for a negative height (and the height made positive).
SPAtransf ReflectionFor(double& height) {
  if (height >= 0.0) {
    return SPAtransf();
  }
  height = -height;
  return reflect_transf(kZ);
}

// The placement of a part built centred on the origin: turned by `angle` about the vertical
// edge through its corner -v, reflected for a negative `height` (made positive), moved by v so
// that the corner lies at the origin, then placed.
SPAtransf CornerPlacement(const SPAvector& v, double angle, double& height,
                          const SPAtransf& placement) {
  SPAtransf turn;
  if (angle != 0.0) {
    turn = translate_transf(v) * rotate_transf(angle, kZ) * translate_transf(-v);
  }
  SPAtransf reflection = ReflectionFor(height);
  return turn * reflection * translate_transf(v) * placement;
}

// Takes the kernel's error number into `error` when `body` is null.
ENTITY* Checked(ENTITY* body, int& error) {
  if (body == nullptr) {
    error = PVFLastKernelOutcome().error_number();
    if (error == 0) {
      error = KERNEL_NOT_DONE;
    }
  }
  return body;
}

// Applies `transf` to a new part; deletes the part when that fails.
ENTITY* Placed(ENTITY* body, const SPAtransf& transf, SPAtransf& applied, int& error) {
  if (body == nullptr) {
    return nullptr;
  }
  if (!transf.identity() && fmtransform_Body(body, transf) == nullptr) {
    Checked(nullptr, error);
    api_delent(body);
    return nullptr;
  }
  applied = transf;
  return body;
}

// Runs a primitive call that fills `body`; null and `error` set when it fails.
template <class Make>
ENTITY* Primitive(Make&& make, int& error) {
  ENTITY* body = nullptr;
  outcome made = make(body);
  if (!made.ok()) {
    error = made.error_number();
    return nullptr;
  }
  return body;
}

// A closed polygon wire body through `corners` in the plane z = 0.
ENTITY* PolygonWire(const std::vector<SPAposition>& corners) {
  std::vector<SPAposition> closed = corners;
  closed.push_back(corners.front());
  ENTITY* wire = nullptr;
  api_make_wire(closed.data(), static_cast<int>(closed.size()), wire);
  return wire;
}

std::vector<SPAposition> RegularCorners(int sides, double radius) {
  std::vector<SPAposition> corners;
  for (int k = 0; k < sides; ++k) {
    double a = kFullTurn * k / sides;
    corners.emplace_back(radius * std::cos(a), radius * std::sin(a), 0.0);
  }
  return corners;
}

// Sweeps a profile made at the local origin by `height` (>= 0) with the draft, then places it.
ENTITY* SweptPart(ENTITY* profile, double height, double taper, int mode, const SPAtransf& transf,
                  SPAtransf& applied, int& error) {
  if (Checked(profile, error) == nullptr) {
    return nullptr;
  }
  ENTITY* body = fmSweepNormalBodyCreate(profile, height, taper, mode, transf, error);
  if (body != nullptr) {
    applied = transf;
  }
  return body;
}

}  // namespace

ENTITY* fmCreateArcSegWireBody(double radius, double start, double sweep) {
  BODY* body = nullptr;
  RunKernelOperation([&] {
    RequireKernel(
        radius > SPAresabs && std::isfinite(radius + start + sweep) && std::fabs(sweep) > 1e-9,
        KERNEL_BAD_VALUE, "arc segment");
    gp_Circ circle(gp_Ax2(gp::Origin(), gp::DZ(), gp::DX()), radius);
    BRepBuilderAPI_MakeWire wire;
    if (IsFullTurn(sweep)) {
      wire.Add(BRepBuilderAPI_MakeEdge(circle).Edge());
    } else {
      double from = std::min(start, start + sweep);
      BRepBuilderAPI_MakeEdge arc(circle, from, from + std::fabs(sweep));
      RequireKernel(arc.IsDone(), KERNEL_BAD_VALUE, "arc");
      TopoDS_Vertex centre = BRepBuilderAPI_MakeVertex(gp::Origin()).Vertex();
      wire.Add(BRepBuilderAPI_MakeEdge(centre, arc.Vertex1()).Edge());
      wire.Add(arc.Edge());
      wire.Add(BRepBuilderAPI_MakeEdge(arc.Vertex2(), centre).Edge());
    }
    RequireKernel(wire.IsDone(), KERNEL_NOT_DONE, "arc segment wire");
    body = CreateBody(wire.Wire());
  });
  return body;
}

ENTITY* fmSweepNormalBodyCreate(ENTITY* profile, double distance, double draft, int gap_type,
                                const SPAtransf& transf, int& error) {
  if (profile == nullptr) {
    error = KERNEL_NULL_ARGUMENT;
    return nullptr;
  }
  if (!transf.identity() && fmtransform_Body(profile, transf) == nullptr) {
    Checked(nullptr, error);
    api_delent(profile);
    return nullptr;
  }
  SPAvector along = (kZ * transf) * distance;
  ENTITY* body = fmsweep_vec(profile, along.x(), along.y(), along.z(), draft, gap_type);
  if (Checked(body, error) == nullptr) {
    api_delent(profile);
  }
  return body;
}

ENTITY* fmBlockBodyWithTrans(double dx, double dy, double dz, double angle, const double*,
                             const SPAtransf& placement, SPAtransf& applied, int& error) {
  // The cuboid is centred: its corner c = -v goes to the origin.
  SPAvector v(dx / 2, dy / 2, dz / 2);
  double height = dz;
  SPAtransf transf = CornerPlacement(v, angle, height, placement);
  ENTITY* body = Primitive(
      [&](ENTITY*& made) { return api_make_cuboid(std::fabs(dx), std::fabs(dy), height, made); },
      error);
  return Placed(body, transf, applied, error);
}

ENTITY* fmPyramidBodyWithTrans(double dx, double dy, double dz, double angle, double taper,
                               int mode, const double*, const SPAtransf& placement,
                               SPAtransf& applied, int& error) {
  // The base rectangle is centred on the origin: its corner -v goes to the origin.
  SPAvector v(dx / 2, dy / 2, 0.0);
  double height = dz;
  SPAtransf transf = CornerPlacement(v, angle, height, placement);
  double x = std::fabs(dx) / 2;
  double y = std::fabs(dy) / 2;
  ENTITY* profile = PolygonWire({{-x, -y, 0}, {x, -y, 0}, {x, y, 0}, {-x, y, 0}});
  return SweptPart(profile, height, taper, mode, transf, applied, error);
}

ENTITY* fmCylinderBodyWithTrans(double radius, double height, const double*,
                                const SPAtransf& placement, SPAtransf& applied, int& error) {
  SPAtransf transf = ReflectionFor(height) * placement;
  ENTITY* body = Primitive(
      [&](ENTITY*& made) { return api_make_frustum(height, radius, radius, radius, made); }, error);
  return Placed(body, transf, applied, error);
}

ENTITY* fmCylSegBodyWithTrans(double radius, double height, double start, double sweep,
                              double taper, int mode, const double*, const SPAtransf& placement,
                              SPAtransf& applied, int& error) {
  SPAtransf transf = ReflectionFor(height) * placement;
  ENTITY* profile = fmCreateArcSegWireBody(radius, start, sweep);
  return SweptPart(profile, height, taper, mode, transf, applied, error);
}

ENTITY* fmPrismBodyWithTrans(int sides, double radius, double height, double angle, const double*,
                             const SPAtransf& placement, SPAtransf& applied, int& error) {
  // The prism is centred on z = 0: half its height up brings its base to the origin.
  double signedHeight = height;
  SPAtransf reflection = ReflectionFor(height);
  SPAtransf transf = rotate_transf(angle, kZ) * reflection *
                     translate_transf(SPAvector(0, 0, signedHeight / 2)) * placement;
  ENTITY* body = Primitive(
      [&](ENTITY*& made) { return api_make_prism(height, radius, radius, sides, made); }, error);
  return Placed(body, transf, applied, error);
}

ENTITY* fmPrismPyramidBodyWithTrans(int sides, double radius, double height, double angle,
                                    double taper, int mode, const double*,
                                    const SPAtransf& placement, SPAtransf& applied, int& error) {
  SPAtransf transf = rotate_transf(angle, kZ) * ReflectionFor(height) * placement;
  ENTITY* profile = PolygonWire(RegularCorners(sides, radius));
  return SweptPart(profile, height, taper, mode, transf, applied, error);
}

ENTITY* fmTorusBodyWithTrans(double R, double r, double ring_sweep, double start, double arc_sweep,
                             const SPAtransf& placement, int& error) {
  ENTITY* body = Checked(fmcreate_torus_arc(R, r, start, arc_sweep, 0.0, ring_sweep), error);
  if (body == nullptr) {
    return nullptr;
  }
  SPAtransf applied;
  ENTITY* placed = Placed(body, placement, applied, error);
  if (placed == nullptr) {
    return nullptr;
  }
  return placed;
}
