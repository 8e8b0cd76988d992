// Edge queries: the point of an edge's curve at a parameter and the edge's parameter range.
#include <varnex/geometry/measures.h>
#include <varnex/geometry/topology.h>

#include <BRepAdaptor_Curve.hxx>
#include <BRep_Tool.hxx>
#include <TopoDS.hxx>

#include "geometry/body_pieces.h"
#include "geometry/kernel_scope.h"
#include "geometry/occt_convert.h"

namespace {

// Runs a query on an edge with a 3D curve (a coedge stands for its edge); FALSE without one or
// when the kernel fails.
template <class Query>
XBOOL QueryEdge(ENTITY* edge, Query&& query) {
  if (is_COEDGE(edge)) {
    edge = coedge_edge(edge);
  }
  if (!is_EDGE(edge)) {
    return FALSE;
  }
  bool answer = false;
  outcome result = RunKernelOperation([&] {
    const TopoDS_Edge& shape = TopoDS::Edge(ShapeOf(edge));
    answer = !BRep_Tool::Degenerated(shape) && BRep_Tool::IsGeometric(shape) && query(shape);
  });
  return ToXBool(result.ok() && answer);
}

}  // namespace

XBOOL fm_edge_param_range(ENTITY* edge, double& start, double& end) {
  return QueryEdge(edge, [&](const TopoDS_Edge& shape) {
    BRep_Tool::Range(shape, start, end);
    return true;
  });
}

XBOOL fm_edge_position(ENTITY* edge, double t, SPAposition& point) {
  return QueryEdge(edge, [&](const TopoDS_Edge& shape) {
    BRepAdaptor_Curve curve(shape);
    point = ToPosition(curve.Value(curve.FirstParameter() + t));
    return true;
  });
}
