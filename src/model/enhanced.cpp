// The feature and entity cursor of the host (see enhanced.h).
#include <varnex/base/transaction.h>
#include <varnex/model/aritm.h>
#include <varnex/model/enhanced.h>
#include <varnex/model/object_references.h>
#include <varnex/model/planet.h>

#include <memory>

#include "model/world_scope.h"

namespace {

bool Matches(const rumpf* object, const char* text) {
  return text == nullptr || object->hasName(text) || object->isAliasTypeOf(text);
}

bool IsInstance(const rumpf* object) {
  return object != nullptr && object->isTypeOf("Planet");
}

// The element of `world` holding `object`, or null.
welt* ElementOf(nullwelt* world, const rumpf* object) {
  for (welt* e = world == nullptr ? nullptr : world->get_first(); e != nullptr; e = e->get_next()) {
    if (e->get_member() == object) {
      return e;
    }
  }
  return nullptr;
}

// The next member of `world` after `current` (from the start when null) that passes `accept`,
// wrapping once to the start: 1 found, 2 found after the wrap, 0 none.
template <class Accept>
int FindNext(nullwelt* world, rumpf*& current, Accept accept) {
  if (world == nullptr) {
    return 0;
  }
  welt* start = ElementOf(world, current);
  for (welt* e = start == nullptr ? world->get_first() : start->get_next(); e != nullptr;
       e = e->get_next()) {
    if (e->get_member() != nullptr && accept(e->get_member())) {
      current = e->get_member();
      return 1;
    }
  }
  if (start == nullptr) {
    return 0;
  }
  for (welt* e = world->get_first(); e != nullptr; e = e->get_next()) {
    if (e->get_member() != nullptr && accept(e->get_member())) {
      current = e->get_member();
      return 2;
    }
    if (e == start) {
      break;
    }
  }
  return 0;
}

}  // namespace

enhanced::enhanced() {
  findfirstFEATURE();
}

nullwelt* enhanced::FeatureWorld() const {
  if (feature_ != nullptr && feature_->get_first_world() != nullptr) {
    return feature_->get_first_world();
  }
  return anfang == nullptr ? nullptr : anfang->get_inertial_world();
}

nullwelt* enhanced::EntityWorld() const {
  return feature_ == nullptr ? nullptr : feature_->get_subworld();
}

const char* enhanced::Keep(std::string& buffer, const char* text) {
  buffer = text == nullptr ? "" : text;
  return buffer.c_str();
}

int enhanced::findfirstFEATURE() {
  nullwelt* world = FeatureWorld();
  rumpf* found = nullptr;
  if (FindNext(world, found, IsInstance) == 0) {
    return 0;
  }
  feature_ = found;
  entity_ = nullptr;
  return 1;
}

int enhanced::findFEATURE(const char* text) {
  rumpf* found = feature_;
  int result = FindNext(FeatureWorld(), found, [text](rumpf* object) {
    return IsInstance(object) && Matches(object, text);
  });
  if (result != 0) {
    feature_ = found;
    entity_ = nullptr;
  }
  return result;
}

int enhanced::findfirstENTITY() {
  rumpf* found = nullptr;
  if (FindNext(EntityWorld(), found, [](rumpf*) { return true; }) == 0) {
    return 0;
  }
  entity_ = found;
  return 1;
}

int enhanced::findENTITY(const char* text) {
  rumpf* found = entity_;
  int result =
      FindNext(EntityWorld(), found, [text](rumpf* object) { return Matches(object, text); });
  if (result != 0) {
    entity_ = found;
  }
  return result;
}

int enhanced::toSUBWORLD() {
  rumpf* found = nullptr;
  if (FindNext(EntityWorld(), found, IsInstance) == 0) {
    return 0;
  }
  feature_ = found;
  entity_ = nullptr;
  return 1;
}

int enhanced::toSUPERWORLD() {
  nullwelt* world = feature_ == nullptr ? nullptr : feature_->get_first_world();
  rumpf* owner = world == nullptr ? nullptr : world->get_root();
  if (owner == nullptr) {
    return 0;
  }
  feature_ = owner;
  entity_ = nullptr;
  return 1;
}

const char* enhanced::getFEATname() {
  return Keep(feature_name_, feature_ == nullptr ? "" : feature_->get_name());
}

const char* enhanced::getENTname() {
  return Keep(entity_name_, entity_ == nullptr ? "" : entity_->get_name());
}

const char* enhanced::getENTtype() {
  return Keep(entity_type_, entity_ == nullptr ? "" : entity_->get_alias_type());
}

const char* enhanced::getENTinternaltype() {
  return Keep(entity_internal_type_, entity_ == nullptr ? "" : entity_->get_type());
}

const char* enhanced::getENTformula() {
  return Keep(entity_formula_, entity_ == nullptr ? "" : entity_->get_value_source());
}

const char* enhanced::getENTsval() {
  if (entity_ == nullptr) {
    return Keep(entity_value_, "");
  }
  std::unique_ptr<aritm> value(entity_->isTypeOf("Planet") && entity_->get_value_source() != nullptr
                                   ? entity_->evaluate_value()
                                   : entity_->get_aritm());
  char* text = value == nullptr ? nullptr : value->getsval();
  Keep(entity_value_, text);
  MemoryDeallocation(text);
  return entity_value_.c_str();
}

const char* enhanced::getENTsval(const char* path) {
  rumpf* object = nullptr;
  {
    varnex::model::CurrentWorldScope top(anfang == nullptr ? nullptr
                                                           : anfang->get_inertial_world());
    object = search(path);
  }
  if (object == nullptr) {
    return nullptr;
  }
  nullwelt* world = object->get_first_world();
  feature_ = world == nullptr ? nullptr : world->get_root();
  entity_ = object;
  return getENTsval();
}

list* enhanced::getENTgeolist() {
  auto* geometry = dynamic_cast<object_geom*>(entity_);
  return geometry == nullptr ? nullptr : geometry->get_list();
}

const char* enhanced::setENTsval(const char* value) {
  if (entity_ == nullptr || value == nullptr) {
    return nullptr;
  }
  PVMStrg text(value);
  PVMStrg result;
  const char* accepted = entity_->SetValue(text, result);
  Keep(set_result_, result);
  return accepted == nullptr ? nullptr : set_result_.c_str();
}
