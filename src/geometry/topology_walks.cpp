// Walks between the kinds of entities (api_get_faces and its siblings) and small topology
// queries.
#include <varnex/geometry/topology.h>

#include <BRep_Tool.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Vertex.hxx>

#include "geometry/body_pieces.h"
#include "geometry/kernel_scope.h"
#include "geometry/occt_convert.h"

namespace {

// The shape a coedge stands for when looking for ancestors: its edge.
TopoDS_Shape SearchShape(const ENTITY* entity) {
  return ShapeOf(entity);
}

// Pieces of `body` of `type` that contain `shape` (the faces around an edge, ...).
void AppendAncestors(BODY* body, const TopoDS_Shape& shape, TopAbs_ShapeEnum type,
                     ENTITY_LIST& out) {
  TopTools_IndexedMapOfShape candidates = MapPieces(ShapeOf(body), type);
  for (int i = 1; i <= candidates.Extent(); ++i) {
    TopTools_IndexedMapOfShape inside = MapPieces(candidates(i), shape.ShapeType());
    if (inside.Contains(shape)) {
      out.add(WrapPiece(body, candidates(i)));
    }
  }
}

// Pieces of `type` related to `entity`: below it when it is a larger kind, around it otherwise.
void AppendRelated(ENTITY* entity, TopAbs_ShapeEnum type, ENTITY_LIST& out) {
  BODY* body = BodyOf(entity);
  if (is_COEDGE(entity)) {
    if (type == TopAbs_FACE) {
      out.add(owning_face(entity));
      return;
    }
    entity = coedge_edge(entity);
  }
  const TopoDS_Shape& shape = SearchShape(entity);
  if (shape.IsNull()) {
    return;
  }
  if (is_BODY(entity) || shape.ShapeType() < type) {
    AppendPieces(body, shape, type, out);
  } else if (shape.ShapeType() == type) {
    out.add(entity);
  } else {
    AppendAncestors(body, shape, type, out);
  }
}

template <class Walk>
outcome RunWalk(ENTITY* entity, Walk&& walk) {
  if (entity == nullptr || ShapeOf(entity).IsNull()) {
    return RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
  }
  return RunKernelOperation(std::forward<Walk>(walk));
}

// Loops are the wires of faces, wires the others.
void AppendWiresOfKind(ENTITY* entity, bool loops, ENTITY_LIST& out) {
  ENTITY_LIST wires;
  if (is_LOOP(entity) || is_WIRE(entity)) {
    wires.add(entity);
  } else if (is_COEDGE(entity)) {
    wires.add(CoreOf(entity)->parent);
  } else {
    AppendRelated(entity, TopAbs_WIRE, wires);
  }
  for (int i = 0; i < wires.count(); ++i) {
    if (is_LOOP(wires[i]) == ToXBool(loops)) {
      out.add(wires[i]);
    }
  }
}

}  // namespace

outcome api_get_lumps(ENTITY* entity, ENTITY_LIST& out) {
  return RunWalk(entity, [&] { AppendRelated(entity, TopAbs_SOLID, out); });
}

outcome api_get_shells(ENTITY* entity, ENTITY_LIST& out) {
  return RunWalk(entity, [&] { AppendRelated(entity, TopAbs_SHELL, out); });
}

outcome api_get_faces(ENTITY* entity, ENTITY_LIST& out) {
  return RunWalk(entity, [&] {
    if (is_LOOP(entity)) {
      out.add(owning_face(entity));
    } else {
      AppendRelated(entity, TopAbs_FACE, out);
    }
  });
}

outcome api_get_edges(ENTITY* entity, ENTITY_LIST& out) {
  return RunWalk(entity, [&] { AppendRelated(entity, TopAbs_EDGE, out); });
}

outcome api_get_vertices(ENTITY* entity, ENTITY_LIST& out) {
  return RunWalk(entity, [&] { AppendRelated(entity, TopAbs_VERTEX, out); });
}

outcome api_get_loops(ENTITY* entity, ENTITY_LIST& out) {
  return RunWalk(entity, [&] { AppendWiresOfKind(entity, true, out); });
}

outcome api_get_wires(ENTITY* entity, ENTITY_LIST& out) {
  return RunWalk(entity, [&] { AppendWiresOfKind(entity, false, out); });
}

outcome api_get_coedges(ENTITY* entity, ENTITY_LIST& out) {
  return RunWalk(entity, [&] {
    if (is_COEDGE(entity)) {
      out.add(entity);
      return;
    }
    ENTITY_LIST wires;
    AppendWiresOfKind(entity, true, wires);
    AppendWiresOfKind(entity, false, wires);
    const TopoDS_Shape& shape = ShapeOf(entity);
    bool below = is_EDGE(entity) || is_VERTEX(entity);
    for (int i = 0; i < wires.count(); ++i) {
      for (const auto& coedge : CoedgesOf(wires[i])) {
        if (!below || MapPieces(ShapeOf(coedge.get()), shape.ShapeType()).Contains(shape)) {
          out.add(coedge.get());
        }
      }
    }
  });
}

// ---- small queries ----

SPAposition vertex_position(const ENTITY* vertex) {
  if (!is_VERTEX(vertex)) {
    return SPAposition();
  }
  return ToPosition(BRep_Tool::Pnt(TopoDS::Vertex(ShapeOf(vertex))));
}

namespace {

VERTEX* EdgeEnd(const ENTITY* entity, bool start) {
  if (!is_EDGE(entity) && !is_COEDGE(entity)) {
    return nullptr;
  }
  const TopoDS_Edge& edge = TopoDS::Edge(ShapeOf(entity));
  // A coedge keeps its use's orientation; an edge wrapper answers in the edge's own sense.
  TopoDS_Edge oriented = is_COEDGE(entity) ? edge : TopoDS::Edge(edge.Oriented(TopAbs_FORWARD));
  TopoDS_Vertex vertex =
      start ? TopExp::FirstVertex(oriented, true) : TopExp::LastVertex(oriented, true);
  return static_cast<VERTEX*>(WrapPiece(BodyOf(entity), vertex));
}

}  // namespace

VERTEX* edge_start(const ENTITY* edge) {
  return EdgeEnd(edge, true);
}

VERTEX* edge_end(const ENTITY* edge) {
  return EdgeEnd(edge, false);
}

EDGE* coedge_edge(const ENTITY* coedge) {
  if (!is_COEDGE(coedge)) {
    return nullptr;
  }
  return static_cast<EDGE*>(WrapPiece(BodyOf(coedge), ShapeOf(coedge)));
}

XBOOL coedge_reversed(const ENTITY* coedge) {
  return ToXBool(is_COEDGE(coedge) && ShapeOf(coedge).Orientation() == TopAbs_REVERSED);
}

FACE* owning_face(const ENTITY* entity) {
  if (is_COEDGE(entity)) {
    entity = CoreOf(entity)->parent;
  }
  if (!is_LOOP(entity)) {
    return nullptr;
  }
  BODY* body = BodyOf(entity);
  TopTools_IndexedMapOfShape faces = MapPieces(ShapeOf(body), TopAbs_FACE);
  for (int i = 1; i <= faces.Extent(); ++i) {
    for (TopExp_Explorer wires(faces(i), TopAbs_WIRE); wires.More(); wires.Next()) {
      if (wires.Current().IsSame(ShapeOf(entity))) {
        return static_cast<FACE*>(WrapPiece(body, faces(i)));
      }
    }
  }
  return nullptr;
}

VERTEX* api_find_vertex(ENTITY* body, const SPAposition& point) {
  BODY* owner = BodyOf(body);
  if (owner == nullptr) {
    return nullptr;
  }
  TopTools_IndexedMapOfShape vertices = MapPieces(ShapeOf(owner), TopAbs_VERTEX);
  for (int i = 1; i <= vertices.Extent(); ++i) {
    SPAposition at = ToPosition(BRep_Tool::Pnt(TopoDS::Vertex(vertices(i))));
    if (same_point(at, point)) {
      return static_cast<VERTEX*>(WrapPiece(owner, vertices(i)));
    }
  }
  return nullptr;
}
