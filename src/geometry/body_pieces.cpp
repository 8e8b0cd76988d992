// The wrappers of a body's pieces: the kinds' constructors, making wrappers on demand, and the
// walks between kinds.
#include "geometry/body_pieces.h"

#include <varnex/geometry/attribute_base.h>

#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <algorithm>
#include <cassert>

#include "geometry/kernel_scope.h"

// ---- the kinds ----

BODY::BODY(std::unique_ptr<EntityCore> core) : ENTITY(std::move(core)) {}

// The body's own attributes go first, then the pieces with theirs, while the body is whole.
BODY::~BODY() {
  lose_all_attribs();
  if (BodyCore* core = BodyCoreOf(this)) {
    for (auto& [shape, piece] : core->pieces) {
      piece->lose_all_attribs();
    }
    core->pieces.clear();
  }
}

#define VARNEX_DEFINE_TOPOLOGY_KIND(Class) \
  Class::Class(std::unique_ptr<EntityCore> core) : ENTITY(std::move(core)) {}
VARNEX_DEFINE_TOPOLOGY_KIND(LUMP)
VARNEX_DEFINE_TOPOLOGY_KIND(SHELL)
VARNEX_DEFINE_TOPOLOGY_KIND(FACE)
VARNEX_DEFINE_TOPOLOGY_KIND(LOOP)
VARNEX_DEFINE_TOPOLOGY_KIND(COEDGE)
VARNEX_DEFINE_TOPOLOGY_KIND(EDGE)
VARNEX_DEFINE_TOPOLOGY_KIND(VERTEX)
VARNEX_DEFINE_TOPOLOGY_KIND(WIRE)
#undef VARNEX_DEFINE_TOPOLOGY_KIND

std::unique_ptr<BODY> EntityFactory::MakeBody(const TopoDS_Shape& shape) {
  auto core = std::make_unique<BodyCore>();
  BodyCore* raw = core.get();
  raw->shape = shape;
  std::unique_ptr<BODY> body(new BODY(std::move(core)));
  raw->body = body.get();
  return body;
}

std::unique_ptr<ENTITY> EntityFactory::MakePiece(EntityKind kind, const TopoDS_Shape& shape,
                                                 BODY* body, ENTITY* parent) {
  std::unique_ptr<EntityCore> core = kind == EntityKind::Loop || kind == EntityKind::Wire
                                         ? std::make_unique<WireCore>()
                                         : std::make_unique<EntityCore>();
  core->shape = shape;
  core->body = body;
  core->parent = parent;
  switch (kind) {
    case EntityKind::Lump:
      return std::unique_ptr<ENTITY>(new LUMP(std::move(core)));
    case EntityKind::Shell:
      return std::unique_ptr<ENTITY>(new SHELL(std::move(core)));
    case EntityKind::Face:
      return std::unique_ptr<ENTITY>(new FACE(std::move(core)));
    case EntityKind::Loop:
      return std::unique_ptr<ENTITY>(new LOOP(std::move(core)));
    case EntityKind::Coedge:
      return std::unique_ptr<ENTITY>(new COEDGE(std::move(core)));
    case EntityKind::Edge:
      return std::unique_ptr<ENTITY>(new EDGE(std::move(core)));
    case EntityKind::Vertex:
      return std::unique_ptr<ENTITY>(new VERTEX(std::move(core)));
    case EntityKind::Wire:
      return std::unique_ptr<ENTITY>(new WIRE(std::move(core)));
    default:
      return nullptr;
  }
}

const TopoDS_Shape& ShapeOf(const ENTITY* entity) {
  static const TopoDS_Shape kNoShape;
  EntityCore* core = CoreOf(entity);
  return core != nullptr ? core->shape : kNoShape;
}

BODY* BodyOf(const ENTITY* entity) {
  return entity == nullptr ? nullptr : entity->owning_body();
}

// ---- kind tests ----

#define VARNEX_DEFINE_KIND_TEST(Class, Kind)                                 \
  XBOOL is_##Class(const ENTITY* entity) {                                   \
    return ToXBool(entity != nullptr && entity->kind() == EntityKind::Kind); \
  }
VARNEX_DEFINE_KIND_TEST(BODY, Body)
VARNEX_DEFINE_KIND_TEST(LUMP, Lump)
VARNEX_DEFINE_KIND_TEST(SHELL, Shell)
VARNEX_DEFINE_KIND_TEST(FACE, Face)
VARNEX_DEFINE_KIND_TEST(LOOP, Loop)
VARNEX_DEFINE_KIND_TEST(COEDGE, Coedge)
VARNEX_DEFINE_KIND_TEST(EDGE, Edge)
VARNEX_DEFINE_KIND_TEST(VERTEX, Vertex)
VARNEX_DEFINE_KIND_TEST(WIRE, Wire)
#undef VARNEX_DEFINE_KIND_TEST

// ---- making wrappers ----

TopTools_IndexedMapOfShape MapPieces(const TopoDS_Shape& shape, TopAbs_ShapeEnum type) {
  TopTools_IndexedMapOfShape pieces;
  if (!shape.IsNull()) {
    TopExp::MapShapes(shape, type, pieces);
  }
  return pieces;
}

TopoDS_Shape HeldPieces::Find(const TopoDS_Shape& piece) {
  auto type = piece.ShapeType();
  auto found = maps_.find(type);
  if (found == maps_.end()) {
    found = maps_.emplace(type, MapPieces(shape_, type)).first;
  }
  int index = found->second.FindIndex(piece);
  return index == 0 ? TopoDS_Shape() : found->second.FindKey(index);
}

namespace {

bool IsWireOfFace(const TopoDS_Shape& bodyShape, const TopoDS_Shape& wire) {
  for (TopExp_Explorer faces(bodyShape, TopAbs_FACE); faces.More(); faces.Next()) {
    for (TopExp_Explorer wires(faces.Current(), TopAbs_WIRE); wires.More(); wires.Next()) {
      if (wires.Current().IsSame(wire)) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

EntityKind PieceKind(const BODY* body, const TopoDS_Shape& piece) {
  switch (piece.ShapeType()) {
    case TopAbs_SOLID:
      return EntityKind::Lump;
    case TopAbs_SHELL:
      return EntityKind::Shell;
    case TopAbs_FACE:
      return EntityKind::Face;
    case TopAbs_WIRE:
      return IsWireOfFace(ShapeOf(body), piece) ? EntityKind::Loop : EntityKind::Wire;
    case TopAbs_EDGE:
      return EntityKind::Edge;
    case TopAbs_VERTEX:
      return EntityKind::Vertex;
    default:
      return EntityKind::Other;
  }
}

ENTITY* FindPiece(const BODY* body, const TopoDS_Shape& piece) {
  BodyCore* core = BodyCoreOf(body);
  if (core == nullptr || piece.IsNull()) {
    return nullptr;
  }
  auto found = core->pieces.find(piece);
  return found == core->pieces.end() ? nullptr : found->second.get();
}

ENTITY* WrapPiece(BODY* body, const TopoDS_Shape& piece) {
  if (ENTITY* existing = FindPiece(body, piece)) {
    return existing;
  }
  BodyCore* core = BodyCoreOf(body);
  if (core == nullptr || piece.IsNull()) {
    return nullptr;
  }
  EntityKind kind = PieceKind(body, piece);
  if (kind == EntityKind::Other) {
    return nullptr;
  }
  std::unique_ptr<ENTITY> wrapper = EntityFactory::MakePiece(kind, piece, body);
  ENTITY* raw = wrapper.get();
  core->pieces.emplace(piece, std::move(wrapper));
  return raw;
}

void AppendPieces(BODY* body, const TopoDS_Shape& shape, TopAbs_ShapeEnum type, ENTITY_LIST& out) {
  TopTools_IndexedMapOfShape pieces = MapPieces(shape, type);
  for (int i = 1; i <= pieces.Extent(); ++i) {
    out.add(WrapPiece(body, pieces(i)));
  }
}

const std::vector<std::unique_ptr<ENTITY>>& CoedgesOf(ENTITY* loopOrWire) {
  static const std::vector<std::unique_ptr<ENTITY>> kNone;
  auto* core = dynamic_cast<WireCore*>(CoreOf(loopOrWire));
  if (core == nullptr) {
    return kNone;
  }
  if (!core->coedgesBuilt) {
    core->coedgesBuilt = true;
    for (TopExp_Explorer edges(core->shape, TopAbs_EDGE); edges.More(); edges.Next()) {
      core->coedges.push_back(
          EntityFactory::MakePiece(EntityKind::Coedge, edges.Current(), core->body, loopOrWire));
    }
  }
  return core->coedges;
}

void DeletePiece(BODY* body, const TopoDS_Shape& piece) {
  BodyCore* core = BodyCoreOf(body);
  if (core == nullptr) {
    return;
  }
  auto found = core->pieces.find(piece);
  if (found == core->pieces.end()) {
    return;
  }
  std::unique_ptr<ENTITY> wrapper = std::move(found->second);
  core->pieces.erase(found);
  if (auto* wireCore = dynamic_cast<WireCore*>(wrapper->core())) {
    for (auto& coedge : wireCore->coedges) {
      coedge->lose_all_attribs();
    }
    wireCore->coedges.clear();
  }
  wrapper->lose_all_attribs();
}

void ResetBodyShape(BODY* body, const TopoDS_Shape& shape) {
  BodyCore* core = BodyCoreOf(body);
  if (core == nullptr) {
    return;
  }
  std::vector<TopoDS_Shape> old;
  for (const auto& [piece, wrapper] : core->pieces) {
    old.push_back(piece);
  }
  for (const TopoDS_Shape& piece : old) {
    DeletePiece(body, piece);
  }
  core->shape = shape;
}

TopoDS_Compound ShapesOfBodies(const EntitySet& entities) {
  BRep_Builder builder;
  TopoDS_Compound all;
  builder.MakeCompound(all);
  std::vector<BODY*> bodies;
  for (int i = 0; i < entities.count(); ++i) {
    BODY* body = BodyOf(entities[i]);
    if (body != nullptr && std::find(bodies.begin(), bodies.end(), body) == bodies.end()) {
      bodies.push_back(body);
      builder.Add(all, ShapeOf(body));
    }
  }
  RequireKernel(!bodies.empty(), KERNEL_NULL_ARGUMENT, "no bodies");
  return all;
}
