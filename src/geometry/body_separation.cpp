// Separating a body into one body per lump (or free wire): the pieces' wrappers, and so their
// attributes, move with them into the new bodies.
#include <varnex/geometry/attribute_base.h>
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/topology.h>

#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS_Iterator.hxx>
#include <memory>
#include <vector>

#include "geometry/body_registry.h"
#include "geometry/entity_core.h"
#include "geometry/kernel_scope.h"

namespace {

// The parts of a body's shape: the members of its compound (one part for any other shape).
std::vector<TopoDS_Shape> PartsOf(const TopoDS_Shape& shape) {
  std::vector<TopoDS_Shape> parts;
  if (shape.ShapeType() == TopAbs_COMPOUND) {
    for (TopoDS_Iterator it(shape); it.More(); it.Next()) {
      parts.push_back(it.Value());
    }
  } else {
    parts.push_back(shape);
  }
  return parts;
}

// Moves the wrappers of `from` whose pieces lie in `part` into `to`.
void MoveWrappers(BODY* from, BODY* to, const TopoDS_Shape& part) {
  TopTools_IndexedMapOfShape inside;
  TopExp::MapShapes(part, inside);
  BodyCore* source = BodyCoreOf(from);
  BodyCore* target = BodyCoreOf(to);
  for (auto it = source->pieces.begin(); it != source->pieces.end();) {
    if (!inside.Contains(it->first)) {
      ++it;
      continue;
    }
    std::unique_ptr<ENTITY> wrapper = std::move(it->second);
    wrapper->core()->body = to;
    if (auto* wire = dynamic_cast<WireCore*>(wrapper->core())) {
      for (auto& coedge : wire->coedges) {
        coedge->core()->body = to;
      }
    }
    target->pieces[it->first] = std::move(wrapper);
    it = source->pieces.erase(it);
  }
}

}  // namespace

outcome api_separate_body(ENTITY* body, ENTITY_LIST& pieces) {
  return RunKernelOperation([&] {
    BODY* whole = body != nullptr && body->kind() == EntityKind::Body ? BodyOf(body) : nullptr;
    RequireKernel(whole != nullptr, KERNEL_NULL_ARGUMENT, "no body to separate");
    std::vector<TopoDS_Shape> parts = PartsOf(ShapeOf(whole));
    pieces.add(whole);
    if (parts.size() < 2) {
      return;
    }
    // Every new body is made before anything moves, so a failure changes nothing.
    std::vector<std::unique_ptr<PendingBody>> made;
    for (std::size_t i = 1; i < parts.size(); ++i) {
      made.push_back(std::make_unique<PendingBody>(CreateBody(parts[i])));
    }
    for (std::size_t i = 1; i < parts.size(); ++i) {
      BODY* piece = made[i - 1]->release();
      MoveWrappers(whole, piece, parts[i]);
      for (ATTRIB* attribute : whole->attribs()) {
        attribute->copy_owner(piece);
      }
      pieces.add(piece);
    }
    BodyCoreOf(whole)->shape = parts[0];
  });
}
