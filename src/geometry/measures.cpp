// Areas, volumes, centres, boxes and clearance of bodies and faces.
#include <varnex/geometry/measures.h>
#include <varnex/geometry/topology.h>

#include <BRepBndLib.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <BRepGProp.hxx>
#include <BRepGProp_Face.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <GeomAPI_ProjectPointOnSurf.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <algorithm>
#include <cmath>
#include <limits>

#include "geometry/body_pieces.h"
#include "geometry/kernel_scope.h"
#include "geometry/occt_convert.h"
#include "geometry/solid_volume.h"

namespace {

double RelativeAccuracy(double requested) {
  return requested > 0.0 && requested < 1.0 ? requested : 1e-6;
}

// The faces an entity stands for: itself, or those of a body or lump.
std::vector<TopoDS_Face> FacesOf(ENTITY* entity) {
  std::vector<TopoDS_Face> faces;
  const TopoDS_Shape& shape = ShapeOf(entity);
  if (!shape.IsNull()) {
    for (TopExp_Explorer explorer(shape, TopAbs_FACE); explorer.More(); explorer.Next()) {
      faces.push_back(TopoDS::Face(explorer.Current()));
    }
  }
  return faces;
}

GProp_GProps SurfaceProps(const TopoDS_Shape& shape, double accuracy, double& achieved) {
  GProp_GProps props;
  achieved = BRepGProp::SurfaceProperties(shape, props, RelativeAccuracy(accuracy));
  return props;
}

GProp_GProps VolumeProps(const TopoDS_Shape& shape) {
  GProp_GProps props;
  BRepGProp::VolumeProperties(shape, props, 1e-9);
  return props;
}

bool HasSolid(const TopoDS_Shape& shape) {
  return TopExp_Explorer(shape, TopAbs_SOLID).More();
}

// The entities' bodies, each once.
std::vector<BODY*> BodiesOf(list* geometry) {
  std::vector<BODY*> bodies;
  for (int i = 0; geometry != nullptr && i < geometry->count(); ++i) {
    BODY* body = BodyOf((*geometry)[i]);
    if (body != nullptr && std::find(bodies.begin(), bodies.end(), body) == bodies.end()) {
      bodies.push_back(body);
    }
  }
  return bodies;
}

void WritePoint(const gp_Pnt& point, double* out) {
  out[0] = point.X();
  out[1] = point.Y();
  out[2] = point.Z();
}

}  // namespace

outcome api_ent_area(ENTITY* entity, double accuracy, double& area, double& achieved) {
  area = 0.0;
  achieved = 0.0;
  if (ShapeOf(entity).IsNull()) {
    return RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
  }
  const TopoDS_Shape& shape = ShapeOf(entity);
  return RunKernelOperation([&] { area = SurfaceProps(shape, accuracy, achieved).Mass(); });
}

outcome api_body_mass_pr(ENTITY* entity, double& volume, SPAposition& centre) {
  volume = 0.0;
  BODY* body = BodyOf(entity);
  if (body == nullptr) {
    return RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
  }
  return RunKernelOperation([&] {
    GProp_GProps props = VolumeProps(ShapeOf(body));
    volume = props.Mass();
    centre = ToPosition(props.CentreOfMass());
  });
}

outcome api_get_entity_box(ENTITY* entity, SPAposition& low, SPAposition& high) {
  if (ShapeOf(entity).IsNull()) {
    return RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
  }
  return RunKernelOperation([&] {
    Bnd_Box box;
    BRepBndLib::AddOptimal(ShapeOf(entity), box, false, false);
    RequireKernel(!box.IsVoid(), KERNEL_BAD_VALUE, "empty entity");
    low = ToPosition(box.CornerMin());
    high = ToPosition(box.CornerMax());
  });
}

double fmarea_of_face(ENTITY* face, double accuracy) {
  double area = 0.0, achieved = 0.0;
  if (!is_FACE(face)) {
    return 0.0;
  }
  return api_ent_area(face, accuracy, area, achieved).ok() ? area : 0.0;
}

double fmarea_of_body(ENTITY* entity, double accuracy) {
  double area = 0.0, achieved = 0.0;
  return api_ent_area(BodyOf(entity), accuracy, area, achieved).ok() ? area : 0.0;
}

double fmvolume_of_body(ENTITY* entity) {
  BODY* body = BodyOf(entity);
  if (body == nullptr) {
    RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
    return 0.0;
  }
  double volume = 0.0;
  outcome result = RunKernelOperation([&] { volume = SolidVolume(ShapeOf(body), 1e-9); });
  return result.ok() ? volume : 0.0;
}

double* fmget_box_center(list* geometry, double* out, double nx, double ny, double nz) {
  std::vector<BODY*> bodies = BodiesOf(geometry);
  if (out == nullptr || bodies.empty() || SPAvector(nx, ny, nz).len() < SPAresnor) {
    return nullptr;
  }
  double volume = 0.0;
  gp_XYZ weighted;
  outcome result = RunKernelOperation([&] {
    for (BODY* body : bodies) {
      if (HasSolid(ShapeOf(body))) {
        GProp_GProps props = VolumeProps(ShapeOf(body));
        volume += props.Mass();
        weighted += props.Mass() * props.CentreOfMass().XYZ();
      }
    }
    RequireKernel(std::fabs(volume) > 0.0, KERNEL_WRONG_ENTITY, "no solid");
  });
  if (!result.ok()) {
    return nullptr;
  }
  WritePoint(gp_Pnt(weighted / volume), out);
  return out;
}

double* fmget_area_center(list* geometry, double* out, double accuracy, double offset) {
  std::vector<TopoDS_Face> faces;
  for (int i = 0; geometry != nullptr && i < geometry->count(); ++i) {
    std::vector<TopoDS_Face> more = FacesOf((*geometry)[i]);
    faces.insert(faces.end(), more.begin(), more.end());
  }
  if (out == nullptr || faces.empty()) {
    return nullptr;
  }
  gp_Pnt result;
  outcome done = RunKernelOperation([&] {
    double area = 0.0, achieved = 0.0;
    gp_XYZ weighted;
    for (const TopoDS_Face& face : faces) {
      GProp_GProps props = SurfaceProps(face, accuracy, achieved);
      area += props.Mass();
      weighted += props.Mass() * props.CentreOfMass().XYZ();
    }
    RequireKernel(area > 0.0, KERNEL_BAD_VALUE, "faces without area");
    GeomAPI_ProjectPointOnSurf foot(gp_Pnt(weighted / area), BRep_Tool::Surface(faces.front()));
    RequireKernel(foot.NbPoints() > 0, KERNEL_NO_INTERSECTION, "no foot point");
    double u = 0.0, v = 0.0;
    foot.LowerDistanceParameters(u, v);
    gp_Vec normal;
    BRepGProp_Face(faces.front()).Normal(u, v, result, normal);
    if (normal.Magnitude() > 0.0) {
      result.Translate(normal.Normalized() * offset);
    }
  });
  if (!done.ok()) {
    return nullptr;
  }
  WritePoint(result, out);
  return out;
}

namespace {

// The parts distances are measured between: solids (so that a body inside another counts as
// touching it), or the whole shape when it has none.
std::vector<TopoDS_Shape> DistanceParts(const TopoDS_Shape& shape) {
  std::vector<TopoDS_Shape> parts;
  for (TopExp_Explorer solids(shape, TopAbs_SOLID); solids.More(); solids.Next()) {
    parts.push_back(solids.Current());
  }
  if (parts.empty()) {
    parts.push_back(shape);
  }
  return parts;
}

}  // namespace

XBOOL fmBodyClearance(ENTITY* a, ENTITY* b, double& distance) {
  distance = -1.0;
  BODY* first = BodyOf(a);
  BODY* second = BodyOf(b);
  if (first == nullptr || second == nullptr) {
    return FALSE;
  }
  double smallest = std::numeric_limits<double>::infinity();
  outcome result = RunKernelOperation([&] {
    for (const TopoDS_Shape& left : DistanceParts(ShapeOf(first))) {
      for (const TopoDS_Shape& right : DistanceParts(ShapeOf(second))) {
        BRepExtrema_DistShapeShape measure(left, right);
        RequireKernel(measure.IsDone(), KERNEL_NOT_DONE, "distance");
        smallest = std::min(smallest, measure.Value());
      }
    }
  });
  if (!result.ok() || !std::isfinite(smallest)) {
    return FALSE;
  }
  distance = smallest <= SPAresabs ? 0.0 : smallest;
  return ToXBool(distance == 0.0);
}
