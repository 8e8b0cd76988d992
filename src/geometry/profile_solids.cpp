// Revolutions about any axis, skins, offsets and helical springs: new bodies from profiles.
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/profile_solids.h>
#include <varnex/geometry/sweeps.h>
#include <varnex/geometry/topology.h>

#include <BRepAdaptor_Surface.hxx>
#include <BRepBuilderAPI_Copy.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepBuilderAPI_NurbsConvert.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <BRepLib.hxx>
#include <BRepOffsetAPI_DraftAngle.hxx>
#include <BRepOffsetAPI_MakeOffsetShape.hxx>
#include <BRepOffsetAPI_MakePipeShell.hxx>
#include <BRepOffsetAPI_ThruSections.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <BRepPrimAPI_MakeSphere.hxx>
#include <BRepPrimAPI_MakeTorus.hxx>
#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <GCE2d_MakeLine.hxx>
#include <Geom2d_Line.hxx>
#include <Geom_CylindricalSurface.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Wire.hxx>
#include <cmath>
#include <gp_Circ.hxx>
#include <gp_Lin2d.hxx>
#include <numbers>

#include "geometry/body_registry.h"
#include "geometry/kernel_scope.h"
#include "geometry/occt_convert.h"

namespace {

constexpr double kFullTurn = 2.0 * std::numbers::pi;

bool HasSolid(const TopoDS_Shape& shape) {
  return TopExp_Explorer(shape, TopAbs_SOLID).More();
}

// The profile's faces as a new shape: a face is copied, anything else covered (through a
// temporary sheet body that is deleted again).
TopoDS_Shape ProfileCopy(ENTITY* profile) {
  RequireKernel(profile != nullptr, KERNEL_NULL_ARGUMENT, "no profile");
  if (is_FACE(profile)) {
    return BRepBuilderAPI_Copy(ShapeOf(profile)).Shape();
  }
  ENTITY* sheet = fmcover_face(profile);
  RequireKernel(sheet != nullptr, PVFLastKernelOutcome().error_number(), "profile not covered");
  TopoDS_Shape faces = ShapeOf(sheet);
  api_delent(sheet);
  return faces;
}

void RequireValidSolid(const TopoDS_Shape& shape) {
  RequireKernel(!shape.IsNull() && HasSolid(shape), KERNEL_SWEEP_FAILED, "no solid");
  RequireKernel(BRepCheck_Analyzer(shape).IsValid(), KERNEL_INVALID_RESULT, "invalid solid");
}

template <class Make>
ENTITY* NewBody(Make&& make) {
  BODY* body = nullptr;
  outcome result = RunKernelOperation([&] { body = CreateBody(make()); });
  if (!result.ok()) {
    return nullptr;
  }
  ToModel(body);
  return body;
}

// The outer wire of a section entity.
TopoDS_Wire SectionWire(ENTITY* section) {
  const TopoDS_Shape& shape = ShapeOf(section);
  RequireKernel(!shape.IsNull(), KERNEL_NULL_ARGUMENT, "no section");
  if (shape.ShapeType() == TopAbs_FACE) {
    return BRepTools::OuterWire(TopoDS::Face(shape));
  }
  if (shape.ShapeType() == TopAbs_EDGE) {
    return BRepBuilderAPI_MakeWire(TopoDS::Edge(shape)).Wire();
  }
  TopExp_Explorer wires(shape, TopAbs_WIRE);
  RequireKernel(wires.More(), KERNEL_WRONG_ENTITY, "a section needs a wire");
  return TopoDS::Wire(wires.Current());
}

}  // namespace

ENTITY* fmrevolve_profile(ENTITY* profile, const SPAposition& origin, const SPAvector& axis,
                          double angle) {
  return NewBody([&] {
    RequireKernel(std::isfinite(angle) && std::fabs(angle) > 1e-9, KERNEL_BAD_VALUE, "angle");
    gp_Ax1 line(ToPnt(origin), ToDir(angle < 0 ? -axis : axis));
    BRepPrimAPI_MakeRevol revol(ProfileCopy(profile), line, std::min(std::fabs(angle), kFullTurn));
    revol.Build();
    RequireKernel(revol.IsDone(), KERNEL_SWEEP_FAILED, "revolution");
    RequireValidSolid(revol.Shape());
    return revol.Shape();
  });
}

ENTITY* fmsweep_profile_copy(ENTITY* profile, const SPAvector& along, double draft) {
  ENTITY* copy = nullptr;
  outcome made = RunKernelOperation([&] { copy = CreateBody(ProfileCopy(profile)); });
  if (!made.ok()) {
    return nullptr;
  }
  ENTITY* swept = fmsweep_vec(copy, along.x(), along.y(), along.z(), draft, 0.0);
  if (swept == nullptr) {
    outcome failure = PVFLastKernelOutcome();
    api_delent(copy);
    RecordOutcome(failure);
    return nullptr;
  }
  ToModel(swept);
  return swept;
}

ENTITY* fmskin_sections(const std::vector<ENTITY*>& sections, XBOOL solid, XBOOL ruled) {
  return NewBody([&] {
    RequireKernel(sections.size() >= 2, KERNEL_BAD_VALUE, "a skin needs two sections");
    BRepOffsetAPI_ThruSections skin(solid != FALSE, ruled != FALSE);
    for (ENTITY* section : sections) {
      skin.AddWire(SectionWire(section));
    }
    skin.Build();
    RequireKernel(skin.IsDone(), KERNEL_SWEEP_FAILED, "skin");
    if (solid != FALSE) {
      RequireValidSolid(skin.Shape());
    }
    return skin.Shape();
  });
}

ENTITY* fmoffset_entity(ENTITY* entity, double distance) {
  return NewBody([&] {
    RequireKernel(entity != nullptr, KERNEL_NULL_ARGUMENT, "nothing to offset");
    RequireKernel(std::isfinite(distance) && std::fabs(distance) > SPAresabs, KERNEL_BAD_VALUE,
                  "offset distance");
    TopoDS_Shape source = is_FACE(entity) ? ShapeOf(entity) : ShapeOf(BodyOf(entity));
    BRepOffsetAPI_MakeOffsetShape offset;
    offset.PerformByJoin(source, distance, 1e-6, BRepOffset_Skin, false, false,
                         GeomAbs_Intersection);
    RequireKernel(offset.IsDone(), KERNEL_NOT_DONE, "offset");
    TopoDS_Shape shape = offset.Shape();
    RequireKernel(!shape.IsNull() && BRepCheck_Analyzer(shape).IsValid(), KERNEL_INVALID_RESULT,
                  "offset");
    return shape;
  });
}

ENTITY* fmcreate_helix_body(double radius, double pitch, double turns, double wire_radius) {
  return NewBody([&] {
    RequireKernel(std::isfinite(radius + pitch + turns + wire_radius) && wire_radius > SPAresabs &&
                      radius > wire_radius && std::fabs(pitch) > 2 * wire_radius && turns > 1e-6 &&
                      turns <= 1000,
                  KERNEL_BAD_VALUE, "helix dimensions");
    // The helix is a line on the unrolled cylinder: u = t, v = pitch · t / 2π.
    Handle(Geom_CylindricalSurface) cylinder =
        new Geom_CylindricalSurface(gp_Ax3(gp::XOY()), radius);
    gp_Lin2d line(gp_Pnt2d(0, 0), gp_Dir2d(kFullTurn, pitch));
    double length = turns * std::hypot(kFullTurn, pitch);
    Handle(Geom2d_Line) curve = new Geom2d_Line(line);
    TopoDS_Edge edge = BRepBuilderAPI_MakeEdge(curve, cylinder, 0.0, length).Edge();
    BRepLib::BuildCurves3d(edge);
    TopoDS_Wire spine = BRepBuilderAPI_MakeWire(edge).Wire();
    // The wire's section: a circle at the helix start, normal to its tangent.
    gp_Dir tangent(0, kFullTurn * radius, pitch);
    gp_Circ section(gp_Ax2(gp_Pnt(radius, 0, 0), tangent), wire_radius);
    TopoDS_Wire profile = BRepBuilderAPI_MakeWire(BRepBuilderAPI_MakeEdge(section).Edge()).Wire();
    BRepOffsetAPI_MakePipeShell pipe(spine);
    pipe.SetMode(true);  // Frenet: the section follows the helix without twisting
    pipe.Add(profile);
    pipe.Build();
    RequireKernel(pipe.IsDone() && pipe.MakeSolid(), KERNEL_SWEEP_FAILED, "helix sweep");
    RequireValidSolid(pipe.Shape());
    return pipe.Shape();
  });
}

ENTITY* fmcreate_spline_sphere(double r) {
  return NewBody([&] {
    RequireKernel(std::isfinite(r) && r > SPAresabs, KERNEL_BAD_VALUE, "sphere radius");
    BRepBuilderAPI_NurbsConvert spline(BRepPrimAPI_MakeSphere(r).Shape(), true);
    RequireValidSolid(spline.Shape());
    return spline.Shape();
  });
}

ENTITY* fmcreate_spline_torus(double R, double r) {
  return NewBody([&] {
    RequireKernel(std::isfinite(R + r) && r > SPAresabs && R > r, KERNEL_BAD_VALUE, "torus radii");
    BRepBuilderAPI_NurbsConvert spline(BRepPrimAPI_MakeTorus(R, r).Shape(), true);
    RequireValidSolid(spline.Shape());
    return spline.Shape();
  });
}

ENTITY* fmface_nearest_point(ENTITY* entity, const SPAposition& point) {
  BODY* body = BodyOf(entity);
  if (body == nullptr) {
    return nullptr;
  }
  ENTITY_LIST faces;
  api_get_faces(body, faces);
  ENTITY* nearest = nullptr;
  RunKernelOperation([&] {
    TopoDS_Vertex vertex = BRepBuilderAPI_MakeVertex(ToPnt(point)).Vertex();
    double best = 0.0;
    for (int i = 0; i < faces.count(); ++i) {
      BRepExtrema_DistShapeShape distance(vertex, ShapeOf(faces[i]));
      if (distance.IsDone() && (nearest == nullptr || distance.Value() < best - SPAresabs)) {
        best = distance.Value();
        nearest = faces[i];
      }
    }
  });
  return nearest;
}
