// The face built-ins: surface type, faces and edges found by points, vertex positions, normals
// and positions at surface parameters or nearest to a point, ray hits, covers, and the axis or
// point that faces define. A face argument is the first entity of a geometry operand.
#include <varnex/geometry/face_names.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/sweeps.h>
#include <varnex/geometry/topology.h>
#include <varnex/model/model.h>

#include "builtins/geometry_arguments.h"
#include "builtins/geometry_handlers.h"
#include "builtins/handler_support.h"

namespace varnex::builtins {
namespace {

using FaceEvaluation = XBOOL (*)(ENTITY*, double, double, double, double&, double&, double&);

// fm_face_normal and fm_face_position take two parameters; give them the evaluation signature.
XBOOL NormalAtParameters(ENTITY* face, double u, double v, double, double& x, double& y,
                         double& z) {
  return fm_face_normal(face, u, v, x, y, z);
}
XBOOL PositionAtParameters(ENTITY* face, double u, double v, double, double& x, double& y,
                           double& z) {
  return fm_face_position(face, u, v, x, y, z);
}

// Evaluates the face of argument 1 at the numbers of arguments 2 to 4.
bool Evaluate(aritm** args, FaceEvaluation evaluation, SPAvector& out) {
  double x = 0.0, y = 0.0, z = 0.0;
  XBOOL done = evaluation(EntityArgument(args, 0), NumberArgument(args, 1), NumberArgument(args, 2),
                          NumberArgument(args, 3), x, y, z);
  out = done ? SPAvector(x, y, z) : SPAvector();
  return done == TRUE;
}

void EvaluationVector(aritm** args, aritm** result, FaceEvaluation evaluation) {
  op_vector* value = NewResult<op_vector>(result);
  SPAvector v;
  if (Evaluate(args, evaluation, v)) {
    SetVectorValue(*value, v);
  }
}

void EvaluationComponent(aritm** args, aritm** result, FaceEvaluation evaluation, int component) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  SPAvector v;
  if (Evaluate(args, evaluation, v)) {
    *value = v.component(component);
  }
}

// The two points of arguments 2-7 (x1, y1, z1, x2, y2, z2).
void TwoPoints(aritm** args, double p1[3], double p2[3]) {
  for (int i = 0; i < 3; ++i) {
    p1[i] = NumberArgument(args, 1 + i);
    p2[i] = NumberArgument(args, 4 + i);
  }
}

using PointFinder = ENTITY* (*)(ENTITY*, const double*, const double*);

// The first entity that `finder` finds between the two points on a body of the list.
ENTITY* FindByPoints(aritm** args, PointFinder finder) {
  list* geometry = ListArgument(args, 0);
  double p1[3], p2[3];
  TwoPoints(args, p1, p2);
  for (int i = 0; geometry != nullptr && i < geometry->count(); ++i) {
    if (ENTITY* found = finder(fmbody_from((*geometry)[i]), p1, p2)) {
      return found;
    }
  }
  return nullptr;
}

// The plane of argument `index` onward: a planar face, or a point and a normal vector.
bool PlaneArgument(aritm** args, int index, SPAposition& point, SPAvector& normal) {
  if (ENTITY* face = EntityArgument(args, index)) {
    SPAunit_vector unit;
    bool planar = FaceProperties(face, point, unit) == TRUE;
    normal = unit;
    return planar;
  }
  SPAvector origin;
  if (!VectorArgument(args, index, origin) || !VectorArgument(args, index + 1, normal)) {
    return false;
  }
  point = SPAposition(origin.x(), origin.y(), origin.z());
  return normal.len() >= SPAresnor;
}

}  // namespace

void FaceType(aritm** args, aritm** result) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  *value = static_cast<double>(fm_face_type(EntityArgument(args, 0)));
}

void IsPlanarFace(aritm** args, aritm** result) {
  op_logic* value = NewResult<op_logic>(result, FALSE);
  *value = is_planar_face(EntityArgument(args, 0));
}

// face(geometry, x1, y1, z1, x2, y2, z2): the face of the geometry's body that touches the
// vertices at both points.
void FindFace(aritm** args, aritm** result) {
  SetGeometryResult(result, FindByPoints(args, UXA_find_face));
}

// edge(geometry, x1, y1, z1, x2, y2, z2): the edge between the vertices at both points.
void FindEdge(aritm** args, aritm** result) {
  SetGeometryResult(result, FindByPoints(args, UXA_find_edge));
}

// point(geometry, n): the position of the entity's vertex n (from 0, default 0).
void VertexPoint(aritm** args, aritm** result) {
  op_vector* value = NewResult<op_vector>(result);
  ENTITY* entity = EntityArgument(args, 0);
  double number = NumberArgument(args, 1);
  ENTITY_LIST vertices;
  if (entity == nullptr || !api_get_vertices(entity, vertices).ok() || number < 0.0 ||
      number >= vertices.count()) {
    return;
  }
  SPAposition p = vertex_position(vertices[static_cast<int>(number)]);
  SetVectorValue(*value, SPAvector(p.x(), p.y(), p.z()));
}

// cover_face(g): a sheet body covering g's face or closed wire.
void CoverFace(aritm** args, aritm** result) {
  SetGeometryResult(result, fmcover_face(EntityArgument(args, 0)));
}

void FaceNormal(aritm** args, aritm** result) {
  EvaluationVector(args, result, NormalAtParameters);
}
void FaceNormalX(aritm** args, aritm** result) {
  EvaluationComponent(args, result, NormalAtParameters, 0);
}
void FaceNormalY(aritm** args, aritm** result) {
  EvaluationComponent(args, result, NormalAtParameters, 1);
}
void FaceNormalZ(aritm** args, aritm** result) {
  EvaluationComponent(args, result, NormalAtParameters, 2);
}

void FacePosition(aritm** args, aritm** result) {
  EvaluationVector(args, result, PositionAtParameters);
}
void FacePositionX(aritm** args, aritm** result) {
  EvaluationComponent(args, result, PositionAtParameters, 0);
}
void FacePositionY(aritm** args, aritm** result) {
  EvaluationComponent(args, result, PositionAtParameters, 1);
}
void FacePositionZ(aritm** args, aritm** result) {
  EvaluationComponent(args, result, PositionAtParameters, 2);
}

void FaceEvNorm(aritm** args, aritm** result) {
  EvaluationVector(args, result, fm_face_evnorm);
}
void FaceEvNormX(aritm** args, aritm** result) {
  EvaluationComponent(args, result, fm_face_evnorm, 0);
}
void FaceEvNormY(aritm** args, aritm** result) {
  EvaluationComponent(args, result, fm_face_evnorm, 1);
}
void FaceEvNormZ(aritm** args, aritm** result) {
  EvaluationComponent(args, result, fm_face_evnorm, 2);
}

void FaceEvPos(aritm** args, aritm** result) {
  EvaluationVector(args, result, fm_face_evpos);
}
void FaceEvPosX(aritm** args, aritm** result) {
  EvaluationComponent(args, result, fm_face_evpos, 0);
}
void FaceEvPosY(aritm** args, aritm** result) {
  EvaluationComponent(args, result, fm_face_evpos, 1);
}
void FaceEvPosZ(aritm** args, aritm** result) {
  EvaluationComponent(args, result, fm_face_evpos, 2);
}

// face_ray(face, start, direction, radius): the first hit of the ray on the face.
void FaceRay(aritm** args, aritm** result) {
  SPAvector start, direction;
  SPAposition hit;
  bool found = VectorArgument(args, 1, start) && VectorArgument(args, 2, direction) &&
               fm_face_ray(EntityArgument(args, 0), SPAposition(start.x(), start.y(), start.z()),
                           direction, NumberArgument(args, 3), hit);
  SetPositionResult(result, found, hit);
}

// vec_to_face(v, plane): v with its part along the plane's normal taken away (v laid into the
// plane). The plane is a planar face, or a normal vector.
void VecToFace(aritm** args, aritm** result) {
  op_vector* value = NewResult<op_vector>(result);
  SPAvector v, normal;
  SPAposition unused;
  if (!VectorArgument(args, 0, v)) {
    return;
  }
  bool plane = EntityArgument(args, 1) != nullptr ? PlaneArgument(args, 1, unused, normal)
                                                  : VectorArgument(args, 1, normal);
  if (plane && normal.len() >= SPAresnor) {
    SPAvector unit = normal / normal.len();
    SetVectorValue(*value, v - (v % unit) * unit);
  }
}

// get_PointPerpInPlane(point, plane): the foot of the perpendicular from the point into the
// plane, given as a planar face or as a point and a normal vector.
void PointPerpInPlane(aritm** args, aritm** result) {
  SPAvector p, normal;
  SPAposition origin;
  bool found = VectorArgument(args, 0, p) && PlaneArgument(args, 1, origin, normal);
  SPAposition foot;
  if (found) {
    SPAvector unit = normal / normal.len();
    SPAposition point(p.x(), p.y(), p.z());
    foot = point - ((point - origin) % unit) * unit;
  }
  SetPositionResult(result, found, foot);
}

void FacesToAxis(aritm** args, aritm** result) {
  SPAposition origin;
  SPAunit_vector direction;
  bool found = PVFCalcFacesToAxis(ListArgument(args, 0), origin, direction) == TRUE;
  SetAxisResult(result, found, origin, direction);
}

void FacesToPoint(aritm** args, aritm** result) {
  SPAposition point;
  bool found = PVFCalcFacesToPoint(ListArgument(args, 0), point) == TRUE;
  SetPositionResult(result, found, point);
}

}  // namespace varnex::builtins
