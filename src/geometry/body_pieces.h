// Finding and making the wrappers of a body's pieces (internal to the geometry layer).
#pragma once

#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Shape.hxx>
#include <map>

#include "geometry/entity_core.h"

/// The wrapper of `piece` (a sub-shape of `body`'s shape), made on first request. Solids are
/// lumps, wires inside faces loops, other wires wires. Null for a null piece or a compound.
// The shapes of the bodies that `entities` belong to, in one compound, each body once. Fails the
// kernel scope (KERNEL_NULL_ARGUMENT) when no entity belongs to a body.
TopoDS_Compound ShapesOfBodies(const EntitySet& entities);

ENTITY* WrapPiece(BODY* body, const TopoDS_Shape& piece);
/// The existing wrapper of `piece`, or null (never makes one).
ENTITY* FindPiece(const BODY* body, const TopoDS_Shape& piece);
/// The sub-shapes of `shape` of the type in stable order (TopExp::MapShapes).
TopTools_IndexedMapOfShape MapPieces(const TopoDS_Shape& shape, TopAbs_ShapeEnum type);
/// Wraps every sub-shape of `shape` of the type into `out`.
void AppendPieces(BODY* body, const TopoDS_Shape& shape, TopAbs_ShapeEnum type, ENTITY_LIST& out);
/// The coedges of a loop or wire, made on first request.
const std::vector<std::unique_ptr<ENTITY>>& CoedgesOf(ENTITY* loopOrWire);
/// Replaces the body's shape without any history: every piece wrapper is deleted (its
/// attributes lost). For bodies made from scratch.
void ResetBodyShape(BODY* body, const TopoDS_Shape& shape);
/// Deletes one piece wrapper (attributes lost) and its coedges.
void DeletePiece(BODY* body, const TopoDS_Shape& piece);
/// The kind a sub-shape of `body` stands for.
EntityKind PieceKind(const BODY* body, const TopoDS_Shape& piece);

/// The pieces of a shape by type, mapped on first request: finds a piece as the shape holds it
/// (an operation's history may hand out a piece with another orientation).
class HeldPieces {
 public:
  explicit HeldPieces(const TopoDS_Shape& shape) : shape_(shape) {}
  /// The piece with its orientation in the shape, or a null shape when it is not there.
  TopoDS_Shape Find(const TopoDS_Shape& piece);

 private:
  TopoDS_Shape shape_;
  std::map<TopAbs_ShapeEnum, TopTools_IndexedMapOfShape> maps_;
};
