// Faces evaluated at a point in space (foot point and normal there) and ray tests on faces.
#include <varnex/geometry/measures.h>
#include <varnex/geometry/topology.h>

#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <BRepGProp_Face.hxx>
#include <BRep_Tool.hxx>
#include <IntCurvesFace_Intersector.hxx>
#include <ShapeAnalysis_Surface.hxx>
#include <TopoDS.hxx>
#include <gp_Lin.hxx>
#include <limits>

#include "geometry/body_pieces.h"
#include "geometry/kernel_scope.h"
#include "geometry/occt_convert.h"

namespace {

struct FootPoint {
  gp_Pnt point;
  double u = 0.0;
  double v = 0.0;
};

// The face's point nearest to `target` and its surface parameters. A foot point on the face's
// boundary (the target lies beyond it) has no face parameters from the distance computation:
// they are found by projecting the boundary point onto the surface.
FootPoint NearestOnFace(const TopoDS_Face& face, const gp_Pnt& target) {
  BRepExtrema_DistShapeShape distance(BRepBuilderAPI_MakeVertex(target).Vertex(), face);
  RequireKernel(distance.IsDone() && distance.NbSolution() > 0, KERNEL_NOT_DONE, "foot point");
  FootPoint foot;
  foot.point = distance.PointOnShape2(1);
  if (distance.SupportTypeShape2(1) == BRepExtrema_IsInFace) {
    distance.ParOnFaceS2(1, foot.u, foot.v);
  } else {
    Handle(ShapeAnalysis_Surface) surface = new ShapeAnalysis_Surface(BRep_Tool::Surface(face));
    gp_Pnt2d uv = surface->ValueOfUV(foot.point, SPAresabs);
    foot.u = uv.X();
    foot.v = uv.Y();
  }
  return foot;
}

template <class Query>
XBOOL OnFace(ENTITY* face, Query&& query) {
  if (!is_FACE(face)) {
    return FALSE;
  }
  bool answer = false;
  outcome result = RunKernelOperation([&] { answer = query(TopoDS::Face(ShapeOf(face))); });
  return ToXBool(result.ok() && answer);
}

void Components(const gp_XYZ& xyz, double& x, double& y, double& z) {
  x = xyz.X();
  y = xyz.Y();
  z = xyz.Z();
}

}  // namespace

XBOOL fm_face_evpos(ENTITY* face, double px, double py, double pz, double& x, double& y,
                    double& z) {
  return OnFace(face, [&](const TopoDS_Face& shape) {
    Components(NearestOnFace(shape, gp_Pnt(px, py, pz)).point.XYZ(), x, y, z);
    return true;
  });
}

XBOOL fm_face_evnorm(ENTITY* face, double px, double py, double pz, double& x, double& y,
                     double& z) {
  return OnFace(face, [&](const TopoDS_Face& shape) {
    FootPoint foot = NearestOnFace(shape, gp_Pnt(px, py, pz));
    gp_Pnt at;
    gp_Vec normal;
    BRepGProp_Face(shape).Normal(foot.u, foot.v, at, normal);
    if (normal.Magnitude() < SPAresnor) {
      return false;
    }
    Components(normal.Normalized().XYZ(), x, y, z);
    return true;
  });
}

XBOOL fm_face_ray(ENTITY* face, const SPAposition& start, const SPAvector& direction, double radius,
                  SPAposition& hit) {
  if (direction.len() < SPAresnor) {
    return FALSE;
  }
  return OnFace(face, [&](const TopoDS_Face& shape) {
    IntCurvesFace_Intersector intersector(shape, radius > 0.0 ? radius : SPAresabs);
    intersector.Perform(gp_Lin(ToPnt(start), ToDir(direction)), -SPAresabs,
                        std::numeric_limits<double>::max());
    if (!intersector.IsDone() || intersector.NbPnt() == 0) {
      return false;
    }
    int nearest = 1;
    for (int i = 2; i <= intersector.NbPnt(); ++i) {
      if (intersector.WParameter(i) < intersector.WParameter(nearest)) {
        nearest = i;
      }
    }
    hit = ToPosition(intersector.Pnt(nearest));
    return true;
  });
}
