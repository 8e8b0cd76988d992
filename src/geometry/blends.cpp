// Rounds and chamfers between two sets of faces.
#include <varnex/geometry/blends.h>
#include <varnex/geometry/topology.h>

#include <BRepCheck_Analyzer.hxx>
#include <BRepFilletAPI_MakeChamfer.hxx>
#include <BRepFilletAPI_MakeFillet.hxx>
#include <ChFi3d.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedDataMapOfShapeListOfShape.hxx>
#include <TopoDS.hxx>
#include <map>

#include "geometry/body_history.h"
#include "geometry/body_pieces.h"
#include "geometry/kernel_scope.h"

namespace {

// One edge to blend, with the face on the first list's side.
struct BlendEdge {
  TopoDS_Edge edge;
  TopoDS_Face firstFace;
};

bool SharesEdge(const TopoDS_Shape& face, const TopoDS_Shape& edge) {
  return MapPieces(face, TopAbs_EDGE).Contains(edge);
}

std::vector<ENTITY*> FacesIn(const EntitySet* faces) {
  std::vector<ENTITY*> found;
  for (int i = 0; faces != nullptr && i < faces->count(); ++i) {
    if (is_FACE((*faces)[i])) {
      found.push_back((*faces)[i]);
    }
  }
  return found;
}

// The edges between the two lists, grouped by body, each edge once.
std::map<BODY*, std::vector<BlendEdge>> EdgesBetween(const EntitySet* faces1,
                                                     const EntitySet* faces2) {
  std::map<BODY*, std::vector<BlendEdge>> byBody;
  ShapeMap<bool> seen;
  for (ENTITY* first : FacesIn(faces1)) {
    for (ENTITY* second : FacesIn(faces2)) {
      if (first == second || BodyOf(first) != BodyOf(second)) {
        continue;
      }
      TopTools_IndexedMapOfShape edges = MapPieces(ShapeOf(first), TopAbs_EDGE);
      for (int i = 1; i <= edges.Extent(); ++i) {
        if (SharesEdge(ShapeOf(second), edges(i)) && seen.emplace(edges(i), true).second) {
          byBody[BodyOf(first)].push_back({TopoDS::Edge(edges(i)), TopoDS::Face(ShapeOf(first))});
        }
      }
    }
  }
  return byBody;
}

// The two faces of `body` around an edge; false for a free or non-manifold edge.
bool FacesAround(BODY* body, const TopoDS_Edge& edge, TopoDS_Face& f1, TopoDS_Face& f2) {
  TopTools_IndexedDataMapOfShapeListOfShape ancestors;
  TopExp::MapShapesAndUniqueAncestors(ShapeOf(body), TopAbs_EDGE, TopAbs_FACE, ancestors);
  int index = ancestors.FindIndex(edge);
  if (index == 0 || ancestors(index).Extent() != 2) {
    return false;
  }
  f1 = TopoDS::Face(ancestors(index).First());
  f2 = TopoDS::Face(ancestors(index).Last());
  return true;
}

int Convexity(BODY* body, const TopoDS_Edge& edge) {
  TopoDS_Face f1, f2;
  if (!FacesAround(body, edge, f1, f2)) {
    return 0;
  }
  switch (ChFi3d::DefineConnectType(edge, f1, f2, 1e-10, false)) {
    case ChFiDS_Convex:
      return 1;
    case ChFiDS_Concave:
      return -1;
    default:
      return 0;
  }
}

std::vector<BlendEdge> FilterConvexity(BODY* body, std::vector<BlendEdge> edges, double convexity) {
  if (convexity == 0.0) {
    return edges;
  }
  int wanted = convexity > 0.0 ? 1 : -1;
  std::vector<BlendEdge> kept;
  for (const BlendEdge& edge : edges) {
    if (Convexity(body, edge.edge) == wanted) {
      kept.push_back(edge);
    }
  }
  return kept;
}

// A blend built for one body, committed once every body's blend is built.
struct BuiltBlend {
  BODY* body;
  std::unique_ptr<BRepFilletAPI_LocalOperation> algorithm;
};

void RequireValidBlend(BRepFilletAPI_LocalOperation& algorithm) {
  algorithm.Build();
  RequireKernel(algorithm.IsDone(), KERNEL_BLEND_FAILED, "blend not built");
  RequireKernel(BRepCheck_Analyzer(algorithm.Shape()).IsValid(), KERNEL_INVALID_RESULT,
                "blend made an invalid body");
}

template <class Build>
ENTITY* BlendBodies(const std::map<BODY*, std::vector<BlendEdge>>& edges, Build&& build) {
  if (edges.empty()) {
    RecordOutcome(outcome(KERNEL_NO_INTERSECTION, "no edge between the faces"));
    return nullptr;
  }
  std::vector<BuiltBlend> built;
  outcome result = RunKernelOperation([&] {
    for (const auto& [body, bodyEdges] : edges) {
      built.push_back({body, build(body, bodyEdges)});
      RequireValidBlend(*built.back().algorithm);
    }
    std::vector<PreparedCommit> commits;
    for (BuiltBlend& blend : built) {
      commits.push_back(
          PrepareCommit(blend.body, blend.algorithm->Shape(), MakeShapeHistory(*blend.algorithm)));
    }
    for (PreparedCommit& commit : commits) {
      ApplyCommit(commit);
    }
  });
  return result.ok() ? edges.begin()->first : nullptr;
}

ENTITY* Rounds(const std::map<BODY*, std::vector<BlendEdge>>& candidates, double radius,
               double endRadius, double convexity) {
  if (!(radius > SPAresabs) || !(endRadius <= 0.0 || endRadius > SPAresabs)) {
    RecordOutcome(outcome(KERNEL_BAD_VALUE, "round radius"));
    return nullptr;
  }
  std::map<BODY*, std::vector<BlendEdge>> edges;
  for (const auto& [body, bodyEdges] : candidates) {
    std::vector<BlendEdge> kept = FilterConvexity(body, bodyEdges, convexity);
    if (!kept.empty()) {
      edges[body] = kept;
    }
  }
  return BlendBodies(edges, [&](BODY* body, const std::vector<BlendEdge>& bodyEdges) {
    auto fillet = std::make_unique<BRepFilletAPI_MakeFillet>(ShapeOf(body));
    for (const BlendEdge& edge : bodyEdges) {
      if (endRadius > 0.0) {
        fillet->Add(radius, endRadius, edge.edge);
      } else {
        fillet->Add(radius, edge.edge);
      }
    }
    return std::unique_ptr<BRepFilletAPI_LocalOperation>(std::move(fillet));
  });
}

}  // namespace

outcome give_edges_of_two_faces(ENTITY* face1, ENTITY* face2, ENTITY_LIST& edges) {
  if (!is_FACE(face1) || !is_FACE(face2)) {
    return RecordOutcome(outcome(KERNEL_WRONG_ENTITY));
  }
  return RunKernelOperation([&] {
    TopTools_IndexedMapOfShape first = MapPieces(ShapeOf(face1), TopAbs_EDGE);
    TopTools_IndexedMapOfShape second = MapPieces(ShapeOf(face2), TopAbs_EDGE);
    for (int i = 1; i <= first.Extent(); ++i) {
      if (second.Contains(first(i)) && BodyOf(face1) == BodyOf(face2)) {
        edges.add(WrapPiece(BodyOf(face1), first(i)));
      }
    }
  });
}

int api_edge_convexity_param(ENTITY* edge) {
  if (!is_EDGE(edge)) {
    return 0;
  }
  int convexity = 0;
  RunKernelOperation([&] { convexity = Convexity(BodyOf(edge), TopoDS::Edge(ShapeOf(edge))); });
  return convexity;
}

ENTITY* fmset_chamfer(const EntitySet* faces1, const EntitySet* faces2, double d1, double d2) {
  d2 = d2 <= 0.0 ? d1 : d2;
  if (!(d1 > SPAresabs) || !(d2 > SPAresabs)) {
    RecordOutcome(outcome(KERNEL_BAD_VALUE, "chamfer distance"));
    return nullptr;
  }
  return BlendBodies(EdgesBetween(faces1, faces2),
                     [&](BODY* body, const std::vector<BlendEdge>& bodyEdges) {
                       auto chamfer = std::make_unique<BRepFilletAPI_MakeChamfer>(ShapeOf(body));
                       for (const BlendEdge& edge : bodyEdges) {
                         chamfer->Add(d1, d2, edge.edge, edge.firstFace);
                       }
                       return std::unique_ptr<BRepFilletAPI_LocalOperation>(std::move(chamfer));
                     });
}

ENTITY* fmset_rounds(const EntitySet* faces1, const EntitySet* faces2, double radius,
                     double end_radius, double convexity) {
  return Rounds(EdgesBetween(faces1, faces2), radius, end_radius, convexity);
}

ENTITY* fmset_rounds_vert(const EntitySet* base, const EntitySet* sides1, const EntitySet* sides2,
                          double radius, double end_radius, double convexity) {
  std::map<BODY*, std::vector<BlendEdge>> upright;
  std::vector<ENTITY*> floors = FacesIn(base);
  for (auto& [body, edges] : EdgesBetween(sides1, sides2)) {
    for (const BlendEdge& edge : edges) {
      TopTools_IndexedMapOfShape ends = MapPieces(edge.edge, TopAbs_VERTEX);
      bool standsOnFloor = false;
      for (ENTITY* floor : floors) {
        TopTools_IndexedMapOfShape corners = MapPieces(ShapeOf(floor), TopAbs_VERTEX);
        for (int i = 1; i <= ends.Extent() && !standsOnFloor; ++i) {
          standsOnFloor = corners.Contains(ends(i));
        }
      }
      if (standsOnFloor) {
        upright[body].push_back(edge);
      }
    }
  }
  return Rounds(upright, radius, end_radius, convexity);
}
