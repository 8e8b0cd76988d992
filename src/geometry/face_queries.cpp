// Face queries: surface type, plane, normal and position at parameters.
#include <varnex/geometry/measures.h>
#include <varnex/geometry/topology.h>

#include <BRepAdaptor_Surface.hxx>
#include <BRepGProp.hxx>
#include <BRepGProp_Face.hxx>
#include <BRepLib_FindSurface.hxx>
#include <BRepTools.hxx>
#include <GProp_GProps.hxx>
#include <Geom_Plane.hxx>
#include <TopoDS.hxx>

#include "geometry/body_pieces.h"
#include "geometry/kernel_scope.h"
#include "geometry/occt_convert.h"

namespace {

int TypeNumber(GeomAbs_SurfaceType type) {
  switch (type) {
    case GeomAbs_Plane:
      return 1;
    case GeomAbs_Cylinder:
      return 2;
    case GeomAbs_Cone:
      return 3;
    case GeomAbs_Sphere:
      return 4;
    case GeomAbs_Torus:
      return 5;
    case GeomAbs_SurfaceOfRevolution:
    case GeomAbs_SurfaceOfExtrusion:
      return 7;
    default:
      return 6;
  }
}

// Runs a query on a face; FALSE without a face or when the kernel fails.
template <class Query>
XBOOL QueryFace(ENTITY* face, Query&& query) {
  if (!is_FACE(face)) {
    return FALSE;
  }
  bool answer = false;
  outcome result = RunKernelOperation([&] { answer = query(TopoDS::Face(ShapeOf(face))); });
  return ToXBool(result.ok() && answer);
}

}  // namespace

int fm_face_type(ENTITY* face) {
  int type = 0;
  QueryFace(face, [&](const TopoDS_Face& shape) {
    type = TypeNumber(BRepAdaptor_Surface(shape).GetType());
    return true;
  });
  return type;
}

XBOOL is_planar_face(ENTITY* face) {
  return QueryFace(face, [](const TopoDS_Face& shape) {
    if (BRepAdaptor_Surface(shape).GetType() == GeomAbs_Plane) {
      return true;
    }
    BRepLib_FindSurface plane(shape, SPAresabs, true);
    return plane.Found() == Standard_True;
  });
}

XBOOL FaceProperties(ENTITY* face, SPAposition& point, SPAunit_vector& normal) {
  if (!is_planar_face(face)) {
    return FALSE;
  }
  return QueryFace(face, [&](const TopoDS_Face& shape) {
    GProp_GProps props;
    BRepGProp::SurfaceProperties(shape, props);
    double u_min, u_max, v_min, v_max;
    BRepTools::UVBounds(shape, u_min, u_max, v_min, v_max);
    gp_Pnt at;
    gp_Vec direction;
    BRepGProp_Face(shape).Normal((u_min + u_max) / 2, (v_min + v_max) / 2, at, direction);
    if (direction.Magnitude() < SPAresnor) {
      return false;
    }
    point = ToPosition(props.CentreOfMass());
    normal = normalise(ToVector(direction));
    return true;
  });
}

XBOOL fm_face_normal(ENTITY* face, double u, double v, double& x, double& y, double& z) {
  return QueryFace(face, [&](const TopoDS_Face& shape) {
    gp_Pnt at;
    gp_Vec direction;
    BRepGProp_Face(shape).Normal(u, v, at, direction);
    if (direction.Magnitude() < SPAresnor) {
      return false;
    }
    direction.Normalize();
    x = direction.X();
    y = direction.Y();
    z = direction.Z();
    return true;
  });
}

XBOOL fm_face_position(ENTITY* face, double u, double v, double& x, double& y, double& z) {
  return QueryFace(face, [&](const TopoDS_Face& shape) {
    gp_Pnt at = BRepAdaptor_Surface(shape).Value(u, v);
    x = at.X();
    y = at.Y();
    z = at.Z();
    return true;
  });
}

XBOOL fm_face_param_range(ENTITY* face, double& u_min, double& u_max, double& v_min,
                          double& v_max) {
  return QueryFace(face, [&](const TopoDS_Face& shape) {
    BRepTools::UVBounds(shape, u_min, u_max, v_min, v_max);
    return true;
  });
}
