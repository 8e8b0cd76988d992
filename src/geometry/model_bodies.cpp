// The live-body registry, the model's body list, deleting and copying bodies.
#include <varnex/geometry/attribute_base.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/topology.h>

#include <BRepBuilderAPI_Copy.hxx>
#include <BRep_Builder.hxx>
#include <TopoDS_Compound.hxx>
#include <unordered_map>

#include "geometry/body_pieces.h"
#include "geometry/body_registry.h"
#include "geometry/kernel_faults.h"
#include "geometry/kernel_scope.h"

namespace {

// Never destroyed: bodies alive at exit are not torn down after the rest of the engine.
std::unordered_map<BODY*, std::unique_ptr<BODY>>& LiveBodies() {
  static auto* bodies = new std::unordered_map<BODY*, std::unique_ptr<BODY>>();
  return *bodies;
}

// The model's body list: it lists the bodies the registry owns, for the process's life;
// gmod_del_all empties it.
geo_list gModelBodies;

}  // namespace

geo_list* gmod_anfang = &gModelBodies;

BODY* CreateBody(const TopoDS_Shape& shape) {
  KernelFaultPoint();
  std::unique_ptr<BODY> body = EntityFactory::MakeBody(shape);
  BODY* raw = body.get();
  LiveBodies().emplace(raw, std::move(body));
  return raw;
}

void DeleteBody(BODY* body) {
  auto found = LiveBodies().find(body);
  if (found == LiveBodies().end()) {
    return;
  }
  std::unique_ptr<BODY> owned = std::move(found->second);
  LiveBodies().erase(found);
  owned.reset();
}

int PVFLiveBodyCount() {
  return static_cast<int>(LiveBodies().size());
}

int ToModel(ENTITY* entity) {
  ENTITY* body = fmbody_from(entity);
  return body == nullptr ? -1 : gmod_anfang->add(body);
}

void gmod_del_all() {
  while (gmod_anfang->count() > 0) {
    ENTITY* body = (*gmod_anfang)[gmod_anfang->count() - 1];
    gmod_anfang->remove(body);
    DeleteBody(static_cast<BODY*>(body));
  }
}

ENTITY* fmbody_from(ENTITY* entity) {
  return entity == nullptr ? nullptr : entity->owning_body();
}

outcome api_delent(ENTITY* entity) {
  BODY* body = BodyOf(entity);
  if (body == nullptr) {
    return RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
  }
  DeleteBody(body);
  return RecordOutcome(outcome());
}

int fmdelete_geometric(ENTITY* entity) {
  return api_delent(entity).ok() ? 1 : 0;
}

SPAtransf GetTrans(ENTITY* entity) {
  BODY* body = BodyOf(entity);
  return body == nullptr ? SPAtransf() : body->transform();
}

// ---- copies ----

namespace {

// Copies `shape` and gives the new body the attributes of `source`'s wrappers.
BODY* CopyWithAttributes(BODY* source, const TopoDS_Shape& shape) {
  BRepBuilderAPI_Copy copier(shape, true, false);
  RequireKernel(copier.IsDone(), KERNEL_NOT_DONE, "copy");
  PendingBody copy(CreateBody(copier.Shape()));
  BodyCore* core = BodyCoreOf(source);
  HeldPieces held(copier.Shape());
  for (const auto& [piece, wrapper] : core->pieces) {
    if (wrapper->attrib_count() == 0) {
      continue;
    }
    const TopTools_ListOfShape& images = copier.Modified(piece);
    if (images.IsEmpty()) {
      continue;
    }
    ENTITY* target = WrapPiece(copy.get(), held.Find(images.First()));
    for (ATTRIB* attrib : wrapper->attribs()) {
      attrib->copy_owner(target);
    }
  }
  return copy.release();
}

}  // namespace

outcome api_copy_body(ENTITY* entity, ENTITY*& copy) {
  copy = nullptr;
  BODY* source = BodyOf(entity);
  if (source == nullptr) {
    return RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
  }
  return RunKernelOperation([&] {
    BODY* made = CopyWithAttributes(source, ShapeOf(source));
    made->set_transform_record(source->transform());
    for (ATTRIB* attrib : source->attribs()) {
      attrib->copy_owner(made);
    }
    copy = made;
  });
}

outcome api_copy_entity(ENTITY* entity, ENTITY*& copy) {
  if (is_BODY(entity)) {
    return api_copy_body(entity, copy);
  }
  copy = nullptr;
  if (ShapeOf(entity).IsNull()) {
    return RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
  }
  return RunKernelOperation([&] {
    TopoDS_Compound holder;
    BRep_Builder builder;
    builder.MakeCompound(holder);
    builder.Add(holder, ShapeOf(entity));
    copy = CopyWithAttributes(BodyOf(entity), holder);
  });
}

ENTITY* PVcreate_copy_Body(ENTITY* entity) {
  ENTITY* copy = nullptr;
  if (api_copy_body(entity, copy).ok()) {
    ToModel(copy);
  }
  return copy;
}

ENTITY* fmcreate_copy_entity(ENTITY* entity) {
  ENTITY* copy = nullptr;
  if (api_copy_entity(entity, copy).ok()) {
    ToModel(copy);
  }
  return copy;
}
