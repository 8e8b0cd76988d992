// Sweeps and covers: profiles, straight sweeps with draft, path sweeps, revolutions, hulls.
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/sweeps.h>
#include <varnex/geometry/topology.h>

#include <BRepAdaptor_Surface.hxx>
#include <BRepBuilderAPI_Copy.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeSolid.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepBuilderAPI_Sewing.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepClass_FaceClassifier.hxx>
#include <BRepGProp.hxx>
#include <BRepGProp_Face.hxx>
#include <BRepLib.hxx>
#include <BRepOffsetAPI_DraftAngle.hxx>
#include <BRepOffsetAPI_MakePipe.hxx>
#include <BRepOffsetAPI_MakePipeShell.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <BRepTools.hxx>
#include <BRepTools_ReShape.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <GProp_GProps.hxx>
#include <ShapeFix_Face.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Solid.hxx>
#include <algorithm>
#include <cmath>
#include <gp_Circ.hxx>
#include <gp_Pln.hxx>
#include <map>
#include <numbers>

#include "geometry/body_history.h"
#include "geometry/body_pieces.h"
#include "geometry/body_registry.h"
#include "geometry/kernel_scope.h"
#include "geometry/occt_convert.h"
#include "geometry/shape_booleans.h"

namespace {

constexpr double kFullTurn = 2.0 * std::numbers::pi;

bool HasSolid(const TopoDS_Shape& shape) {
  return TopExp_Explorer(shape, TopAbs_SOLID).More();
}

double FaceArea(const TopoDS_Face& face) {
  GProp_GProps props;
  BRepGProp::SurfaceProperties(face, props);
  return std::fabs(props.Mass());
}

TopoDS_Compound Compound(const std::vector<TopoDS_Shape>& shapes) {
  BRep_Builder builder;
  TopoDS_Compound compound;
  builder.MakeCompound(compound);
  for (const TopoDS_Shape& shape : shapes) {
    builder.Add(compound, shape);
  }
  return compound;
}

// ---- profiles ----

TopoDS_Face PlaneOfWire(const TopoDS_Wire& wire) {
  RequireKernel(BRep_Tool::IsClosed(wire), KERNEL_BAD_VALUE, "profile wire is not closed");
  BRepBuilderAPI_MakeFace face(wire, true);
  RequireKernel(face.IsDone(), KERNEL_BAD_VALUE, "profile wire is not planar");
  return face.Face();
}

// TRUE when `inner` lies inside `outer` (both planar, on the same plane).
bool LiesInside(const TopoDS_Face& inner, const TopoDS_Face& outer) {
  TopExp_Explorer vertex(inner, TopAbs_VERTEX);
  if (!vertex.More()) {
    return false;
  }
  gp_Pnt point = BRep_Tool::Pnt(TopoDS::Vertex(vertex.Current()));
  BRepClass_FaceClassifier classifier(outer, point, 1e-6);
  return classifier.State() == TopAbs_IN || classifier.State() == TopAbs_ON;
}

// Covers closed planar wires; a wire inside a larger one becomes its hole.
std::vector<TopoDS_Face> CoverWires(const std::vector<TopoDS_Wire>& wires) {
  std::vector<TopoDS_Face> plain;
  for (const TopoDS_Wire& wire : wires) {
    plain.push_back(PlaneOfWire(wire));
  }
  std::sort(plain.begin(), plain.end(),
            [](const TopoDS_Face& a, const TopoDS_Face& b) { return FaceArea(a) > FaceArea(b); });
  std::vector<TopoDS_Face> outers;
  std::vector<std::vector<TopoDS_Wire>> holes;
  for (const TopoDS_Face& face : plain) {
    auto outer = std::find_if(outers.begin(), outers.end(),
                              [&](const TopoDS_Face& o) { return LiesInside(face, o); });
    if (outer == outers.end()) {
      outers.push_back(face);
      holes.emplace_back();
    } else {
      holes[outer - outers.begin()].push_back(BRepTools::OuterWire(face));
    }
  }
  std::vector<TopoDS_Face> covered;
  for (std::size_t i = 0; i < outers.size(); ++i) {
    BRepBuilderAPI_MakeFace face(outers[i]);
    for (const TopoDS_Wire& hole : holes[i]) {
      face.Add(hole);
    }
    ShapeFix_Face fix(face.Face());
    fix.FixOrientation();
    fix.Perform();
    covered.push_back(fix.Face());
  }
  return covered;
}

std::vector<TopoDS_Wire> WiresOf(const TopoDS_Shape& shape) {
  std::vector<TopoDS_Wire> wires;
  for (TopExp_Explorer explorer(shape, TopAbs_WIRE); explorer.More(); explorer.Next()) {
    wires.push_back(TopoDS::Wire(explorer.Current()));
  }
  return wires;
}

// The faces a profile entity stands for.
std::vector<TopoDS_Face> ProfileFaces(ENTITY* profile) {
  const TopoDS_Shape& shape = ShapeOf(profile);
  RequireKernel(!shape.IsNull(), KERNEL_NULL_ARGUMENT, "no profile");
  if (is_EDGE(profile) || is_COEDGE(profile)) {
    for (const TopoDS_Wire& wire : WiresOf(ShapeOf(BodyOf(profile)))) {
      if (MapPieces(wire, TopAbs_EDGE).Contains(shape)) {
        return CoverWires({wire});
      }
    }
    FailKernel(KERNEL_BAD_VALUE, "edge outside a wire");
  }
  std::vector<TopoDS_Face> faces;
  for (TopExp_Explorer explorer(shape, TopAbs_FACE); explorer.More(); explorer.Next()) {
    faces.push_back(TopoDS::Face(explorer.Current()));
  }
  if (faces.empty()) {
    faces = CoverWires(WiresOf(shape));
  }
  RequireKernel(!faces.empty(), KERNEL_BAD_VALUE, "empty profile");
  return faces;
}

// The profile as one shape: a single face, or a compound of faces.
TopoDS_Shape ProfileShape(const std::vector<TopoDS_Face>& faces) {
  if (faces.size() == 1) {
    return faces.front();
  }
  return Compound(std::vector<TopoDS_Shape>(faces.begin(), faces.end()));
}

// ---- straight sweeps ----

void RequireValidSolid(const TopoDS_Shape& shape) {
  RequireKernel(!shape.IsNull() && HasSolid(shape), KERNEL_SWEEP_FAILED, "no solid");
  RequireKernel(BRepCheck_Analyzer(shape).IsValid(), KERNEL_INVALID_RESULT, "invalid solid");
}

/// A straight sweep of a profile, with the algorithm that holds its history.
struct Swept {
  TopoDS_Shape shape;
  std::unique_ptr<BRepBuilderAPI_MakeShape> history;
};

gp_Pln PlaneOf(const TopoDS_Face& face) {
  BRepAdaptor_Surface surface(face);
  RequireKernel(surface.GetType() == GeomAbs_Plane, KERNEL_WRONG_ENTITY, "profile not planar");
  return surface.Plane();
}

Swept SweepStraight(const std::vector<TopoDS_Face>& faces, const gp_Vec& along, double draft) {
  RequireKernel(along.Magnitude() > SPAresabs, KERNEL_BAD_VALUE, "zero sweep");
  auto prism = std::make_unique<BRepPrimAPI_MakePrism>(ProfileShape(faces), along);
  prism->Build();
  RequireKernel(prism->IsDone(), KERNEL_SWEEP_FAILED, "prism");
  if (std::fabs(draft) < 1e-12) {
    TopoDS_Shape shape = prism->Shape();
    RequireValidSolid(shape);
    return {shape, std::move(prism)};
  }
  RequireKernel(std::fabs(draft) < std::numbers::pi / 2, KERNEL_BAD_VALUE, "draft angle");
  TopTools_IndexedMapOfShape caps = MapPieces(prism->FirstShape(), TopAbs_FACE);
  TopTools_IndexedMapOfShape lastCaps = MapPieces(prism->LastShape(), TopAbs_FACE);
  gp_Dir direction(along);
  auto drafted = std::make_unique<BRepOffsetAPI_DraftAngle>(prism->Shape());
  gp_Pln neutral(PlaneOf(faces.front()).Location(), direction);
  for (TopExp_Explorer sides(prism->Shape(), TopAbs_FACE); sides.More(); sides.Next()) {
    if (caps.Contains(sides.Current()) || lastCaps.Contains(sides.Current())) {
      continue;
    }
    // A positive draft widens the section: Open CASCADE's angle narrows it.
    drafted->Add(TopoDS::Face(sides.Current()), direction, -draft, neutral, true);
    RequireKernel(drafted->AddDone(), KERNEL_SWEEP_FAILED, "draft");
  }
  drafted->Build();
  RequireKernel(drafted->IsDone(), KERNEL_SWEEP_FAILED, "draft");
  TopoDS_Shape shape = drafted->Shape();
  RequireValidSolid(shape);
  return {shape, std::move(drafted)};
}

// ---- putting a swept solid where it belongs ----

/// Prepares the commit of a sweep of `profileBody`'s profile: a sheet or wire body becomes the
/// swept solid, a solid gets the swept solid added (or taken away).
PreparedCommit PrepareSweepCommit(BODY* profileBody, Swept& swept, bool cutAway,
                                  std::unique_ptr<BRepAlgoAPI_BooleanOperation>& boolean) {
  if (!HasSolid(ShapeOf(profileBody))) {
    return PrepareCommit(profileBody, swept.shape, MakeShapeHistory(*swept.history));
  }
  TopTools_ListOfShape tools;
  tools.Append(swept.shape);
  boolean = BuildShapeBoolean(cutAway ? ShapeBooleanKind::Cut : ShapeBooleanKind::Fuse,
                              ShapeOf(profileBody), tools);
  return PrepareCommit(profileBody, boolean->Shape(), MakeShapeHistory(*boolean));
}

ENTITY* SweepInPlace(ENTITY* profile, const gp_Vec& along, double draft, bool addToModel) {
  BODY* body = BodyOf(profile);
  if (body == nullptr) {
    RecordOutcome(outcome(KERNEL_NULL_ARGUMENT, "no profile"));
    return nullptr;
  }
  outcome result = RunKernelOperation([&] {
    Swept swept = SweepStraight(ProfileFaces(profile), along, draft);
    std::unique_ptr<BRepAlgoAPI_BooleanOperation> boolean;
    PreparedCommit commit = PrepareSweepCommit(body, swept, false, boolean);
    ApplyCommit(commit);
  });
  if (!result.ok()) {
    return nullptr;
  }
  if (addToModel) {
    ToModel(body);
  }
  return body;
}

gp_Vec NormalOf(const TopoDS_Face& face) {
  gp_Pln plane = PlaneOf(face);
  gp_Dir normal = plane.Axis().Direction();
  if (face.Orientation() == TopAbs_REVERSED) {
    normal.Reverse();
  }
  return gp_Vec(normal);
}

// The planar faces of `faces`, grouped by body.
std::map<BODY*, std::vector<ENTITY*>> FacesByBody(list* faces) {
  std::map<BODY*, std::vector<ENTITY*>> grouped;
  for (int i = 0; faces != nullptr && i < faces->count(); ++i) {
    if (is_FACE((*faces)[i])) {
      grouped[BodyOf((*faces)[i])].push_back((*faces)[i]);
    }
  }
  return grouped;
}

// Sweeps each face along its own normal; the solids of one body are joined.
Swept SweepAlongNormals(const std::vector<ENTITY*>& faces, double distance, double draft) {
  std::vector<TopoDS_Shape> solids;
  Swept last;
  for (ENTITY* face : faces) {
    const TopoDS_Face& shape = TopoDS::Face(ShapeOf(face));
    last = SweepStraight({shape}, NormalOf(shape) * distance, draft);
    solids.push_back(last.shape);
  }
  if (solids.size() == 1) {
    return last;
  }
  TopTools_ListOfShape rest;
  for (std::size_t i = 1; i < solids.size(); ++i) {
    rest.Append(solids[i]);
  }
  auto joined = BuildShapeBoolean(ShapeBooleanKind::Fuse, solids.front(), rest);
  TopoDS_Shape shape = joined->Shape();
  return {shape, std::move(joined)};
}

// ---- other sweeps ----

TopoDS_Wire PathWire(ENTITY* path) {
  const TopoDS_Shape& shape = ShapeOf(path);
  RequireKernel(!shape.IsNull(), KERNEL_NULL_ARGUMENT, "no path");
  if (shape.ShapeType() == TopAbs_EDGE) {
    return BRepBuilderAPI_MakeWire(TopoDS::Edge(shape)).Wire();
  }
  std::vector<TopoDS_Wire> wires = WiresOf(shape);
  RequireKernel(wires.size() == 1, KERNEL_WRONG_ENTITY, "the path must be one wire");
  return wires.front();
}

TopoDS_Shape SweepAlongPath(const std::vector<TopoDS_Face>& faces, const TopoDS_Wire& path,
                            const SPAvector& binormal) {
  TopoDS_Shape swept;
  if (binormal.len() < SPAresnor) {
    BRepOffsetAPI_MakePipe pipe(path, ProfileShape(faces), GeomFill_IsCorrectedFrenet);
    pipe.Build();
    RequireKernel(pipe.IsDone(), KERNEL_SWEEP_FAILED, "pipe");
    swept = pipe.Shape();
  } else {
    RequireKernel(faces.size() == 1 && MapPieces(faces.front(), TopAbs_WIRE).Extent() == 1,
                  KERNEL_BAD_VALUE, "a fixed binormal needs a profile without holes");
    BRepOffsetAPI_MakePipeShell pipe(path);
    pipe.SetMode(ToDir(binormal));
    pipe.Add(BRepTools::OuterWire(faces.front()));
    pipe.Build();
    RequireKernel(pipe.IsDone() && pipe.MakeSolid(), KERNEL_SWEEP_FAILED, "pipe shell");
    swept = pipe.Shape();
  }
  RequireValidSolid(swept);
  return swept;
}

// A closed solid from a revolved open wire (its ends on the axis close it).
TopoDS_Shape SolidOfShell(const TopoDS_Shape& faces) {
  BRepBuilderAPI_Sewing sewing(1e-6);
  sewing.Add(faces);
  sewing.Perform();
  TopExp_Explorer shells(sewing.SewedShape(), TopAbs_SHELL);
  RequireKernel(shells.More(), KERNEL_SWEEP_FAILED, "revolution does not close");
  BRepBuilderAPI_MakeSolid solid(TopoDS::Shell(shells.Current()));
  RequireKernel(solid.IsDone(), KERNEL_SWEEP_FAILED, "revolution does not close");
  TopoDS_Solid result = solid.Solid();
  BRepLib::OrientClosedSolid(result);
  return result;
}

TopoDS_Shape Revolve(const TopoDS_Shape& profile, double start, double sweep) {
  gp_Ax1 axis(gp::Origin(), gp::DZ());
  TopoDS_Shape placed = profile;
  if (std::fabs(start) > 0.0) {
    gp_Trsf turn;
    turn.SetRotation(axis, start);
    placed = profile.Moved(TopLoc_Location(turn));
  }
  BRepPrimAPI_MakeRevol revol(placed, axis, std::min(std::fabs(sweep), kFullTurn));
  revol.Build();
  RequireKernel(revol.IsDone(), KERNEL_SWEEP_FAILED, "revolution");
  return revol.Shape();
}

template <class Make>
ENTITY* NewBodyInModel(Make&& make) {
  BODY* body = nullptr;
  outcome result = RunKernelOperation([&] {
    TopoDS_Shape shape = make();
    RequireValidSolid(shape);
    body = CreateBody(shape);
  });
  if (!result.ok()) {
    return nullptr;
  }
  ToModel(body);
  return body;
}

}  // namespace

ENTITY* fmcover_face(ENTITY* entity) {
  if (ShapeOf(entity).IsNull()) {
    RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
    return nullptr;
  }
  BODY* body = nullptr;
  outcome result = RunKernelOperation([&] {
    std::vector<TopoDS_Shape> covered;
    if (is_FACE(entity)) {
      // A copy of the face without its inner loops.
      TopoDS_Face copy = TopoDS::Face(BRepBuilderAPI_Copy(ShapeOf(entity)).Shape());
      TopoDS_Wire outer = BRepTools::OuterWire(copy);
      Handle(BRepTools_ReShape) holesGone = new BRepTools_ReShape();
      for (const TopoDS_Wire& wire : WiresOf(copy)) {
        if (!wire.IsSame(outer)) {
          holesGone->Remove(wire);
        }
      }
      covered.push_back(holesGone->Apply(copy));
    } else {
      for (const TopoDS_Face& face : ProfileFaces(entity)) {
        covered.push_back(BRepBuilderAPI_Copy(face).Shape());
      }
    }
    body = CreateBody(covered.size() == 1 ? covered.front() : Compound(covered));
  });
  if (!result.ok()) {
    return nullptr;
  }
  ToModel(body);
  return body;
}

ENTITY* fmsweep(list* faces, double distance, double draft, double gap_type) {
  std::map<BODY*, std::vector<ENTITY*>> grouped = FacesByBody(faces);
  if (grouped.empty() || !std::isfinite(distance) || std::fabs(distance) < SPAresabs) {
    RecordOutcome(outcome(grouped.empty() ? KERNEL_NULL_ARGUMENT : KERNEL_BAD_VALUE));
    return nullptr;
  }
  BODY* first = nullptr;  // the swept faces may be gone (and out of the list) afterwards
  for (int i = 0; first == nullptr && i < faces->count(); ++i) {
    first = is_FACE((*faces)[i]) ? BodyOf((*faces)[i]) : nullptr;
  }
  outcome result = RunKernelOperation([&] {
    std::vector<Swept> sweeps;
    std::vector<std::unique_ptr<BRepAlgoAPI_BooleanOperation>> booleans(grouped.size());
    std::vector<PreparedCommit> commits;
    std::size_t index = 0;
    for (const auto& [body, bodyFaces] : grouped) {
      sweeps.push_back(SweepAlongNormals(bodyFaces, distance, draft));
      commits.push_back(PrepareSweepCommit(body, sweeps.back(), distance < 0, booleans[index++]));
    }
    for (PreparedCommit& commit : commits) {
      ApplyCommit(commit);
    }
  });
  return result.ok() ? first : nullptr;
}

ENTITY* fmsweep_as_body(list* faces, double distance, double draft, double gap_type) {
  std::vector<ENTITY*> picked;
  for (int i = 0; faces != nullptr && i < faces->count(); ++i) {
    if (is_FACE((*faces)[i])) {
      picked.push_back((*faces)[i]);
    }
  }
  if (picked.empty()) {
    RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
    return nullptr;
  }
  return NewBodyInModel([&] {
    std::vector<TopoDS_Shape> solids;
    for (ENTITY* face : picked) {
      const TopoDS_Face& shape = TopoDS::Face(ShapeOf(face));
      TopoDS_Face copy = TopoDS::Face(BRepBuilderAPI_Copy(shape).Shape());
      solids.push_back(SweepStraight({copy}, NormalOf(shape) * distance, draft).shape);
    }
    if (solids.size() == 1) {
      return solids.front();
    }
    TopTools_ListOfShape rest;
    for (std::size_t i = 1; i < solids.size(); ++i) {
      rest.Append(solids[i]);
    }
    return BuildShapeBoolean(ShapeBooleanKind::Fuse, solids.front(), rest)->Shape();
  });
}

ENTITY* fmsweep_vec(ENTITY* profile, double vx, double vy, double vz, double draft,
                    double gap_type) {
  return SweepInPlace(profile, gp_Vec(vx, vy, vz), draft, false);
}

ENTITY* fmsweep_wire(ENTITY* profile, ENTITY* path, double bx, double by, double bz) {
  BODY* body = BodyOf(profile);
  if (body == nullptr || path == nullptr || BodyOf(path) == body) {
    RecordOutcome(outcome(KERNEL_NULL_ARGUMENT, "profile and path must be different bodies"));
    return nullptr;
  }
  outcome result = RunKernelOperation([&] {
    TopoDS_Shape swept =
        SweepAlongPath(ProfileFaces(profile), PathWire(path), SPAvector(bx, by, bz));
    CommitWithHistory(body, swept, NoHistory());
  });
  if (!result.ok()) {
    return nullptr;
  }
  ToModel(body);
  return body;
}

ENTITY* fmrevolve_wire(ENTITY* profile) {
  BODY* body = BodyOf(profile);
  if (body == nullptr) {
    RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
    return nullptr;
  }
  outcome result = RunKernelOperation([&] {
    std::vector<TopoDS_Wire> wires = WiresOf(ShapeOf(profile));
    bool open = wires.size() == 1 && !BRep_Tool::IsClosed(wires.front()) &&
                !TopExp_Explorer(ShapeOf(profile), TopAbs_FACE).More();
    TopoDS_Shape solid = open ? SolidOfShell(Revolve(wires.front(), 0.0, kFullTurn))
                              : Revolve(ProfileShape(ProfileFaces(profile)), 0.0, kFullTurn);
    RequireValidSolid(solid);
    CommitWithHistory(body, solid, NoHistory());
  });
  if (!result.ok()) {
    return nullptr;
  }
  ToModel(body);
  return body;
}

ENTITY* fmsweep_hull(ENTITY* base, double height, double radius, double thickness) {
  return NewBodyInModel([&] {
    RequireKernel(height > SPAresabs && radius > SPAresabs && thickness > SPAresabs &&
                      thickness < radius - SPAresabs,
                  KERNEL_BAD_VALUE, "hull dimensions");
    gp_Ax2 placement(gp::Origin(), gp::DZ());
    if (base != nullptr) {
      RequireKernel(is_FACE(base), KERNEL_WRONG_ENTITY, "hull base must be a face");
      const TopoDS_Face& face = TopoDS::Face(ShapeOf(base));
      GProp_GProps props;
      BRepGProp::SurfaceProperties(face, props);
      placement = gp_Ax2(props.CentreOfMass(), gp_Dir(NormalOf(face)));
    }
    BRepPrimAPI_MakeCylinder outer(placement, radius, height);
    BRepPrimAPI_MakeCylinder inner(placement, radius - thickness, height);
    TopTools_ListOfShape tools;
    tools.Append(inner.Shape());
    return BuildShapeBoolean(ShapeBooleanKind::Cut, outer.Shape(), tools)->Shape();
  });
}

ENTITY* fmcreate_torus_arc(double R, double r, double arc_start, double arc_sweep,
                           double ring_start, double ring_sweep) {
  return NewBodyInModel([&] {
    RequireKernel(r > SPAresabs && R > r && std::isfinite(R), KERNEL_BAD_VALUE, "torus radii");
    RequireKernel(std::fabs(arc_sweep) > 1e-9 && std::fabs(ring_sweep) > 1e-9 &&
                      std::isfinite(arc_start + arc_sweep + ring_start + ring_sweep),
                  KERNEL_BAD_VALUE, "torus angles");
    // The circle in the plane y = 0: angle a sits at (R + r cos a, 0, r sin a).
    gp_Circ circle(gp_Ax2(gp_Pnt(R, 0, 0), -gp::DY(), gp::DX()), r);
    BRepBuilderAPI_MakeWire wire;
    if (std::fabs(arc_sweep) >= kFullTurn - 1e-12) {
      wire.Add(BRepBuilderAPI_MakeEdge(circle).Edge());
    } else {
      double from = std::min(arc_start, arc_start + arc_sweep);
      double to = std::max(arc_start, arc_start + arc_sweep);
      BRepBuilderAPI_MakeEdge arc(circle, from, to);
      RequireKernel(arc.IsDone(), KERNEL_BAD_VALUE, "arc");
      wire.Add(arc.Edge());
      wire.Add(BRepBuilderAPI_MakeEdge(arc.Vertex2(), arc.Vertex1()).Edge());
    }
    RequireKernel(wire.IsDone(), KERNEL_NOT_DONE, "arc wire");
    BRepBuilderAPI_MakeFace section(wire.Wire(), true);
    RequireKernel(section.IsDone(), KERNEL_NOT_DONE, "arc section");
    double from = std::min(ring_start, ring_start + ring_sweep);
    return Revolve(section.Face(), from, std::fabs(ring_sweep));
  });
}
