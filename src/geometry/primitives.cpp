// Primitive bodies with the old kernel's placement conventions.
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/primitives.h>

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepBuilderAPI_MakeSolid.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepBuilderAPI_Sewing.hxx>
#include <BRepLib.hxx>
#include <BRepOffsetAPI_ThruSections.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCone.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRepPrimAPI_MakeSphere.hxx>
#include <BRepPrimAPI_MakeTorus.hxx>
#include <GC_MakeEllipse.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Solid.hxx>
#include <cmath>
#include <gp_Elips.hxx>
#include <numbers>
#include <vector>

#include "geometry/body_registry.h"
#include "geometry/kernel_scope.h"
#include "geometry/occt_convert.h"

namespace {

constexpr double kMinimumConeRadius = 5e-06;

void RequirePositive(double value, const char* what) {
  RequireKernel(std::isfinite(value) && value > SPAresabs, KERNEL_BAD_VALUE, what);
}

// Runs `make` (which returns the new shape) as one kernel operation and wraps the shape in a new
// body.
template <class Make>
outcome MakeBody(ENTITY*& body, Make&& make) {
  body = nullptr;
  return RunKernelOperation([&] {
    TopoDS_Shape shape = make();
    RequireKernel(!shape.IsNull(), KERNEL_NOT_DONE, "no shape");
    body = CreateBody(shape);
  });
}

// Primitive makers build on first request; the others are done when constructed.
template <class Algorithm>
TopoDS_Shape ShapeOfDone(Algorithm& algorithm) {
  if (!algorithm.IsDone()) {
    algorithm.Build();
  }
  RequireKernel(algorithm.IsDone(), KERNEL_NOT_DONE, "primitive");
  return algorithm.Shape();
}

// The corners (rx cos a, ry sin a, z) of an n-gon, scaled by `scale`.
std::vector<gp_Pnt> Polygon(double rx, double ry, int n, double z, double scale) {
  std::vector<gp_Pnt> corners;
  for (int i = 0; i < n; ++i) {
    double a = 2.0 * std::numbers::pi * i / n;
    corners.emplace_back(scale * rx * std::cos(a), scale * ry * std::sin(a), z);
  }
  return corners;
}

TopoDS_Face PlanarFace(const std::vector<gp_Pnt>& corners) {
  BRepBuilderAPI_MakePolygon polygon;
  for (const gp_Pnt& corner : corners) {
    polygon.Add(corner);
  }
  polygon.Close();
  RequireKernel(polygon.IsDone(), KERNEL_NOT_DONE, "polygon");
  BRepBuilderAPI_MakeFace face(polygon.Wire(), true);
  return TopoDS::Face(ShapeOfDone(face));
}

// A closed solid from planar faces: sewn, made a solid and oriented outwards.
TopoDS_Shape SolidFromFaces(const std::vector<TopoDS_Face>& faces) {
  BRepBuilderAPI_Sewing sewing(1e-6);
  for (const TopoDS_Face& face : faces) {
    sewing.Add(face);
  }
  sewing.Perform();
  TopExp_Explorer shells(sewing.SewedShape(), TopAbs_SHELL);
  RequireKernel(shells.More(), KERNEL_NOT_DONE, "faces do not close");
  BRepBuilderAPI_MakeSolid solid(TopoDS::Shell(shells.Current()));
  TopoDS_Solid result = TopoDS::Solid(ShapeOfDone(solid));
  BRepLib::OrientClosedSolid(result);
  return result;
}

// The ellipse (rx along x, ry along y) at height z, scaled by `scale`, as a closed wire.
TopoDS_Wire EllipseWire(double rx, double ry, double z, double scale) {
  bool alongX = rx >= ry;
  gp_Ax2 axes(gp_Pnt(0, 0, z), gp::DZ(), alongX ? gp::DX() : gp::DY());
  gp_Elips ellipse(axes, scale * std::max(rx, ry), scale * std::min(rx, ry));
  BRepBuilderAPI_MakeEdge edge(ellipse);
  BRepBuilderAPI_MakeWire wire(TopoDS::Edge(ShapeOfDone(edge)));
  return TopoDS::Wire(ShapeOfDone(wire));
}

TopoDS_Shape CircularFrustum(double h, double r, double top) {
  gp_Ax2 axes(gp::Origin(), gp::DZ());
  if (std::fabs(top - r) < SPAresabs) {
    BRepPrimAPI_MakeCylinder cylinder(axes, r, h);
    return ShapeOfDone(cylinder);
  }
  BRepPrimAPI_MakeCone cone(axes, r, top, h);
  return ShapeOfDone(cone);
}

TopoDS_Shape EllipticFrustum(double h, double rx, double ry, double top) {
  TopoDS_Wire base = EllipseWire(rx, ry, 0.0, 1.0);
  if (std::fabs(top - rx) < SPAresabs) {
    BRepBuilderAPI_MakeFace face(base, true);
    BRepPrimAPI_MakePrism prism(ShapeOfDone(face), gp_Vec(0, 0, h));
    return ShapeOfDone(prism);
  }
  BRepOffsetAPI_ThruSections sections(true, true);
  sections.AddWire(base);
  if (top < SPAresabs) {
    sections.AddVertex(BRepBuilderAPI_MakeVertex(gp_Pnt(0, 0, h)).Vertex());
  } else {
    sections.AddWire(EllipseWire(rx, ry, h, top / rx));
  }
  sections.Build();
  return ShapeOfDone(sections);
}

TopoDS_Shape Pyramid(double h, double rx, double ry, double top, int n) {
  std::vector<gp_Pnt> base = Polygon(rx, ry, n, -h / 2, 1.0);
  std::vector<TopoDS_Face> faces{PlanarFace(base)};
  if (top < SPAresabs) {
    gp_Pnt apex(0, 0, h / 2);
    for (int i = 0; i < n; ++i) {
      faces.push_back(PlanarFace({base[i], base[(i + 1) % n], apex}));
    }
  } else {
    std::vector<gp_Pnt> upper = Polygon(rx, ry, n, h / 2, top / rx);
    faces.push_back(PlanarFace(upper));
    for (int i = 0; i < n; ++i) {
      int j = (i + 1) % n;
      faces.push_back(PlanarFace({base[i], base[j], upper[j], upper[i]}));
    }
  }
  return SolidFromFaces(faces);
}

// Side counts arrive as doubles; anything not a sensible count becomes 0 and is refused.
int SideCount(double n) {
  return std::isfinite(n) && n >= 0.0 && n <= 100000.0 ? static_cast<int>(n) : 0;
}

// Adds a new body to the model. `body` is read after `made` ran (the call's own argument).
template <class Make>
ENTITY* AddedToModel(Make&& made) {
  ENTITY* body = nullptr;
  if (!made(body).ok()) {
    return nullptr;
  }
  ToModel(body);
  return body;
}

}  // namespace

outcome api_make_cuboid(double x, double y, double z, ENTITY*& body) {
  return MakeBody(body, [&] {
    RequirePositive(x, "cuboid length");
    RequirePositive(y, "cuboid width");
    RequirePositive(z, "cuboid height");
    BRepPrimAPI_MakeBox box(gp_Pnt(-x / 2, -y / 2, -z / 2), x, y, z);
    return ShapeOfDone(box);
  });
}

outcome api_make_frustum(double h, double rx, double ry, double top, ENTITY*& body) {
  return MakeBody(body, [&] {
    RequirePositive(h, "frustum height");
    RequirePositive(rx, "frustum radius");
    RequirePositive(ry, "frustum radius");
    RequireKernel(std::isfinite(top) && top >= 0.0, KERNEL_BAD_VALUE, "frustum top radius");
    if (std::fabs(rx - ry) < SPAresabs) {
      return CircularFrustum(h, rx, top);
    }
    return EllipticFrustum(h, rx, ry, top);
  });
}

outcome api_make_prism(double h, double rx, double ry, int n, ENTITY*& body) {
  return MakeBody(body, [&] {
    RequirePositive(h, "prism height");
    RequirePositive(rx, "prism radius");
    RequirePositive(ry, "prism radius");
    RequireKernel(n >= 3 && n <= 100000, KERNEL_BAD_VALUE, "a prism needs 3 to 100000 sides");
    BRepPrimAPI_MakePrism prism(PlanarFace(Polygon(rx, ry, n, -h / 2, 1.0)), gp_Vec(0, 0, h));
    return ShapeOfDone(prism);
  });
}

outcome api_make_pyramid(double h, double rx, double ry, double top, int n, ENTITY*& body) {
  return MakeBody(body, [&] {
    RequirePositive(h, "pyramid height");
    RequirePositive(rx, "pyramid radius");
    RequirePositive(ry, "pyramid radius");
    RequireKernel(std::isfinite(top) && top >= 0.0, KERNEL_BAD_VALUE, "pyramid top radius");
    RequireKernel(n >= 3 && n <= 100000, KERNEL_BAD_VALUE, "a pyramid needs 3 to 100000 sides");
    return Pyramid(h, rx, ry, top, n);
  });
}

outcome api_make_sphere(double r, ENTITY*& body) {
  return MakeBody(body, [&] {
    RequirePositive(r, "sphere radius");
    BRepPrimAPI_MakeSphere sphere(r);
    return ShapeOfDone(sphere);
  });
}

outcome api_make_torus(double R, double r, ENTITY*& body) {
  return MakeBody(body, [&] {
    RequirePositive(r, "torus tube radius");
    RequireKernel(std::isfinite(R) && R > r, KERNEL_BAD_VALUE, "torus ring radius");
    BRepPrimAPI_MakeTorus torus(R, r);
    return ShapeOfDone(torus);
  });
}

outcome api_make_wire(const SPAposition* points, int count, ENTITY*& body) {
  return MakeBody(body, [&] {
    RequireKernel(points != nullptr && count >= 2, KERNEL_BAD_VALUE, "a wire needs two points");
    BRepBuilderAPI_MakePolygon polygon;
    for (int i = 0; i < count; ++i) {
      bool closing = i == count - 1 && count > 2 && same_point(points[i], points[0]);
      RequireKernel(i == 0 || !same_point(points[i], points[i - 1]), KERNEL_BAD_VALUE,
                    "wire of zero length");
      if (closing) {
        polygon.Close();
      } else {
        polygon.Add(ToPnt(points[i]));
      }
    }
    RequireKernel(polygon.IsDone(), KERNEL_BAD_VALUE, "wire");
    return TopoDS_Shape(polygon.Wire());
  });
}

ENTITY* fmcreate_cube(double a, double b, double c) {
  return AddedToModel([&](ENTITY*& body) { return api_make_cuboid(a, b, c, body); });
}

ENTITY* fmcreate_sphere(double r) {
  return AddedToModel([&](ENTITY*& body) { return api_make_sphere(r, body); });
}

ENTITY* fmcreate_cylinder(double h, double r) {
  return AddedToModel([&](ENTITY*& body) { return api_make_frustum(h, r, r, r, body); });
}

ENTITY* fmcreate_cone(double h, double r1, double r2) {
  r1 = r1 < SPAresabs ? kMinimumConeRadius : r1;
  r2 = r2 < SPAresabs ? kMinimumConeRadius : r2;
  return AddedToModel([&](ENTITY*& body) { return api_make_frustum(h, r1, r1, r2, body); });
}

ENTITY* fmcreate_frustum(double h, double rx, double ry, double top) {
  return AddedToModel([&](ENTITY*& body) { return api_make_frustum(h, rx, ry, top, body); });
}

ENTITY* fmcreate_torus(double R, double r) {
  return AddedToModel([&](ENTITY*& body) { return api_make_torus(R, r, body); });
}

ENTITY* fmcreate_pyramid(double h, double r, double top) {
  return AddedToModel([&](ENTITY*& body) { return api_make_pyramid(h, r, r, top, 12, body); });
}

ENTITY* fmcreate_pyramid(double h, double rx, double ry, double top, double n) {
  return AddedToModel(
      [&](ENTITY*& body) { return api_make_pyramid(h, rx, ry, top, SideCount(n), body); });
}

ENTITY* fmcreate_pris(double h, double rx, double ry, double n) {
  return AddedToModel([&](ENTITY*& body) { return api_make_prism(h, rx, ry, SideCount(n), body); });
}

ENTITY* fmmake_wire(double x1, double y1, double z1, double x2, double y2, double z2) {
  const SPAposition ends[2] = {SPAposition(x1, y1, z1), SPAposition(x2, y2, z2)};
  return AddedToModel([&](ENTITY*& body) { return api_make_wire(ends, 2, body); });
}
