// The shape data behind the kernel entities (internal to the geometry layer).
//
// A BODY owns the wrappers of its pieces, keyed by the piece's shape (same TShape and location);
// a loop or wire owns its coedges. Wrappers are made on first request and rebound by the
// operations that change a body (see body_history.h).
#pragma once

#include <varnex/geometry/topology.h>

#include <TopoDS_Shape.hxx>
#include <climits>
#include <memory>
#include <unordered_map>
#include <vector>

struct ShapeIdentityHash {
  std::size_t operator()(const TopoDS_Shape& shape) const {
    return static_cast<std::size_t>(shape.HashCode(INT_MAX));
  }
};
struct ShapeIdentityEqual {
  bool operator()(const TopoDS_Shape& a, const TopoDS_Shape& b) const { return a.IsSame(b); }
};
template <class T>
using ShapeMap = std::unordered_map<TopoDS_Shape, T, ShapeIdentityHash, ShapeIdentityEqual>;

struct EntityCore {
  virtual ~EntityCore() = default;
  TopoDS_Shape shape;        ///< the piece, oriented as its body uses it
  BODY* body = nullptr;      ///< the owning body (the body itself for a body)
  ENTITY* parent = nullptr;  ///< coedges: their loop or wire
};

/// Loops and wires own their coedges, one per edge use in walking order, built on request.
struct WireCore : EntityCore {
  std::vector<std::unique_ptr<ENTITY>> coedges;
  bool coedgesBuilt = false;
};

struct BodyCore : EntityCore {
  ShapeMap<std::unique_ptr<ENTITY>> pieces;
};

/// Creates the wrappers (the only code that calls the kinds' constructors).
class EntityFactory {
 public:
  static std::unique_ptr<BODY> MakeBody(const TopoDS_Shape& shape);
  static std::unique_ptr<ENTITY> MakePiece(EntityKind kind, const TopoDS_Shape& shape, BODY* body,
                                           ENTITY* parent = nullptr);
};

inline EntityCore* CoreOf(const ENTITY* entity) {
  return entity == nullptr ? nullptr : entity->core();
}
inline BodyCore* BodyCoreOf(const BODY* body) {
  return body == nullptr ? nullptr : static_cast<BodyCore*>(body->core());
}
/// The shape of an entity; a null shape for null or shapeless entities.
const TopoDS_Shape& ShapeOf(const ENTITY* entity);
/// The body of `entity` (itself for a body), or null.
BODY* BodyOf(const ENTITY* entity);
