// Placements from axes, directions, faces and edges, and points projected onto faces.
#include <varnex/geometry/measures.h>
#include <varnex/geometry/positions.h>
#include <varnex/geometry/topology.h>

#include <BRepAdaptor_Surface.hxx>
#include <BRep_Tool.hxx>
#include <GeomAPI_ProjectPointOnSurf.hxx>
#include <Geom_Surface.hxx>
#include <TopoDS.hxx>
#include <cmath>

#include "geometry/entity_core.h"
#include "geometry/kernel_scope.h"
#include "geometry/occt_convert.h"

SPAtransf fmLocalPlacement(const double* position, const double* axis1, const double* axis2) {
  SPAtransf placement;
  SPAposition origin;
  SPAvector z(0, 0, 1);
  if (axis1 != nullptr && axis2 != nullptr) {
    SPAunit_vector x = normalise(SPAvector(axis1 + 3));
    SPAunit_vector y = normalise(SPAvector(axis2 + 3));
    if (!x.is_zero(SPAresnor) && !y.is_zero(SPAresnor) && !are_parallel(x, y)) {
      origin = SPAposition(axis1);
      placement = coordinate_transf(origin, x, y);
      z = SPAvector(0, 0, 1) * placement;
    }
  }
  if (position != nullptr) {
    double level = (SPAposition(position) - origin) % z;
    if (!is_zero(level)) {
      placement = placement * translate_transf(level * z);
    }
  }
  return placement;
}

SPAtransf fmDirectionPlacement(const SPAposition& origin, const SPAvector& z_direction) {
  SPAunit_vector z = normalise(z_direction);
  if (z.is_zero(SPAresnor)) {
    return SPAtransf();
  }
  SPAvector seed = are_parallel(z, SPAvector(1, 0, 0)) ? SPAvector(0, 1, 0) : SPAvector(1, 0, 0);
  SPAunit_vector x = normalise(seed - (seed % z) * z);
  SPAunit_vector y = normalise(z * x);
  return coordinate_transf(origin, x, y);
}

XBOOL fmFacePlacement(ENTITY* face, double u, double v, SPAtransf& placement) {
  placement = SPAtransf();
  double px, py, pz, nx, ny, nz;
  if (!is_FACE(face) || !fm_face_position(face, u, v, px, py, pz) ||
      !fm_face_normal(face, u, v, nx, ny, nz)) {
    return FALSE;
  }
  placement = fmDirectionPlacement(SPAposition(px, py, pz), SPAvector(nx, ny, nz));
  return TRUE;
}

XBOOL fmEdgePlacement(ENTITY* edge, ENTITY* face, SPAtransf& placement) {
  placement = SPAtransf();
  if (!is_EDGE(edge)) {
    return FALSE;
  }
  SPAposition start = vertex_position(edge_start(edge));
  SPAvector chord = vertex_position(edge_end(edge)) - start;
  if (chord.len() < SPAresabs) {
    return FALSE;
  }
  if (face == nullptr) {
    ENTITY_LIST faces;
    api_get_faces(edge, faces);
    face = faces[0];
  }
  SPAposition point;
  SPAunit_vector normal;
  if (face == nullptr || !FaceProperties(face, point, normal)) {
    return FALSE;
  }
  SPAunit_vector x = normalise(chord);
  SPAunit_vector y = normalise(normal * x);
  if (y.is_zero(SPAresnor)) {
    return FALSE;
  }
  placement = coordinate_transf(start, x, y);
  return TRUE;
}

XBOOL fm_face_point_params(ENTITY* face, const SPAposition& point, double& u, double& v,
                           double& distance) {
  if (!is_FACE(face)) {
    return FALSE;
  }
  bool found = false;
  RunKernelOperation([&] {
    Handle(Geom_Surface) surface = BRep_Tool::Surface(TopoDS::Face(ShapeOf(face)));
    GeomAPI_ProjectPointOnSurf projection(ToPnt(point), surface);
    if (projection.NbPoints() > 0) {
      projection.LowerDistanceParameters(u, v);
      distance = projection.LowerDistance();
      found = true;
    }
  });
  return ToXBool(found);
}
