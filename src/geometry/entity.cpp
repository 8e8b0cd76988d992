// The entity base, its attribute chain, and the entity containers.
#include <varnex/geometry/attribute_base.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/topology.h>

#include <algorithm>
#include <cassert>

#include "geometry/entity_core.h"

// ---- ENTITY ----

ENTITY::ENTITY() = default;
ENTITY::ENTITY(std::unique_ptr<EntityCore> core) : core_(std::move(core)) {}

// Order matters: containers forget the entity first, then its attributes are lost (their hooks
// may still look at the entity), then the shape data and the wrappers it owns go.
ENTITY::~ENTITY() {
  while (!holders_.empty()) {
    EntitySet* holder = holders_.back();
    holder->forget(this);
  }
  lose_all_attribs();
  core_.reset();
}

BODY* ENTITY::owning_body() const {
  return core_ ? core_->body : nullptr;
}

ATTRIB* ENTITY::attrib_at(int index) const {
  return index >= 0 && index < attrib_count() ? attribs_[index].get() : nullptr;
}

std::vector<ATTRIB*> ENTITY::attribs() const {
  std::vector<ATTRIB*> chain;
  chain.reserve(attribs_.size());
  for (const auto& attrib : attribs_) {
    chain.push_back(attrib.get());
  }
  return chain;
}

void ENTITY::attach_attrib(ATTRIB* attrib) {
  attribs_.emplace_back(attrib);
  attrib->owner_ = this;
}

std::unique_ptr<ATTRIB> ENTITY::unhook_attrib(ATTRIB* attrib) {
  auto found = std::find_if(attribs_.begin(), attribs_.end(),
                            [attrib](const auto& held) { return held.get() == attrib; });
  if (found == attribs_.end()) {
    return nullptr;
  }
  std::unique_ptr<ATTRIB> taken = std::move(*found);
  attribs_.erase(found);
  taken->owner_ = nullptr;
  return taken;
}

void ENTITY::lose_attrib(ATTRIB* attrib) {
  if (attrib == nullptr || attrib->entity() != this) {
    return;
  }
  attrib->lose();
  unhook_attrib(attrib);  // the returned pointer destroys it
}

void ENTITY::lose_all_attribs() {
  while (!attribs_.empty()) {
    lose_attrib(attribs_.back().get());
  }
}

void ENTITY::add_holder(EntitySet* holder) {
  holders_.push_back(holder);
}

void ENTITY::remove_holder(EntitySet* holder) {
  auto found = std::find(holders_.begin(), holders_.end(), holder);
  assert(found != holders_.end() && "a container must be registered with the entities it holds");
  if (found != holders_.end()) {
    holders_.erase(found);
  }
}

ENTITY* get_owner(ENTITY* entity) {
  if (entity == nullptr) {
    return nullptr;
  }
  BODY* body = entity->owning_body();
  return body != nullptr ? body : entity;
}

// ---- EntitySet ----

EntitySet::EntitySet(const EntitySet& other) {
  add(other);
}

EntitySet& EntitySet::operator=(const EntitySet& other) {
  if (this != &other) {
    clear();
    add(other);
  }
  return *this;
}

EntitySet::~EntitySet() {
  clear();
}

int EntitySet::add(ENTITY* entity) {
  if (entity == nullptr) {
    return -1;
  }
  int existing = lookup(entity);
  if (existing >= 0) {
    return existing;
  }
  entities_.push_back(entity);
  entity->add_holder(this);
  return count() - 1;
}

void EntitySet::add(const EntitySet& other) {
  for (ENTITY* entity : std::vector<ENTITY*>(other.entities_)) {
    add(entity);
  }
}

int EntitySet::insert(ENTITY* entity, int index) {
  if (entity == nullptr) {
    return -1;
  }
  remove(entity);
  if (index < 0 || index >= count()) {
    return add(entity);
  }
  entities_.insert(entities_.begin() + index, entity);
  entity->add_holder(this);
  return index;
}

int EntitySet::lookup(const ENTITY* entity) const {
  auto found = std::find(entities_.begin(), entities_.end(), entity);
  return found == entities_.end() ? -1 : static_cast<int>(found - entities_.begin());
}

int EntitySet::remove(const ENTITY* entity) {
  int index = lookup(entity);
  if (index >= 0) {
    ENTITY* held = entities_[index];
    entities_.erase(entities_.begin() + index);
    held->remove_holder(this);
  }
  return index;
}

ENTITY* EntitySet::operator[](int index) const {
  return index >= 0 && index < count() ? entities_[index] : nullptr;
}

void EntitySet::clear() {
  while (!entities_.empty()) {
    ENTITY* held = entities_.back();
    entities_.pop_back();
    held->remove_holder(this);
  }
}

void EntitySet::forget(ENTITY* entity) {
  remove(entity);
}

// ---- list ----

ENTITY* list::get_FACE() const {
  for (int i = 0; i < count(); ++i) {
    if (is_FACE((*this)[i])) {
      return (*this)[i];
    }
  }
  return nullptr;
}

ENTITY* list::get_EDGE() const {
  for (int i = 0; i < count(); ++i) {
    if (is_EDGE((*this)[i])) {
      return (*this)[i];
    }
  }
  return nullptr;
}

void list::GetAllUnsortedEnts(ENTITY_LIST& out) const {
  out.add(*this);
}

// ---- fill_list ----

namespace {

// What fill_list adds for `entity`: a body's faces (a body without faces: its edges).
ENTITY_LIST FillEntities(ENTITY* entity) {
  ENTITY_LIST entities;
  if (!is_BODY(entity)) {
    entities.add(entity);
    return entities;
  }
  api_get_faces(entity, entities);
  if (entities.count() == 0) {
    api_get_edges(entity, entities);
  }
  return entities;
}

}  // namespace

void fill_list(ENTITY* entity, list* target) {
  if (entity == nullptr || target == nullptr) {
    return;
  }
  target->add(FillEntities(entity));
}

void unfill_list(ENTITY* entity, list* target) {
  if (entity == nullptr || target == nullptr) {
    return;
  }
  ENTITY_LIST entities = FillEntities(entity);
  for (int i = 0; i < entities.count(); ++i) {
    target->remove(entities[i]);
  }
}
