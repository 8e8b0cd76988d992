// Name resolution and the global world state: `anfang`, `search`, `requalify`, `ds_init` and the
// listing helpers.
#include <varnex/base/messages.h>
#include <varnex/model/hand_over.h>
#include <varnex/model/planet.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "base/face_designator.h"
#include "model/geometry_links.h"
#include "model/world_scope.h"

// The model owns the worlds; these globals only point at them. `anfang` is the current world
// (set by ds_init, moved by qualify/requalify), `previous_world` the world a running formula
// evaluation started from (set for the evaluation's span), `total_count` numbers objects for the
// process's life, and `hand_over` carries operands into and out of one parse at a time.
nullwelt* anfang = nullptr;
nullwelt* previous_world = nullptr;
int total_count = 1;
HandOverList hand_over;

int ds_init() {
  varnex::model::InstallGeometricObjectLinks();
  if (anfang == nullptr) {
    anfang = new nullwelt();
    hand_over[0] = nullptr;
    total_count = 1;
  }
  return 1;
}

namespace {

constexpr std::string_view kThis = "__THIS__";
constexpr std::string_view kUp = "__UP__";

bool IsWordText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
  });
}

// What names a geometric object's face: a face designator ("f3"), or a word longer than any
// designator that starts with "f".
bool IsFaceComponent(std::string_view part) {
  return varnex::base::IsFaceDesignator(part) ||
         (part.size() > varnex::base::kFaceDesignatorLength && part[0] == 'f' &&
          IsWordText(part.substr(1)));
}

// When the last part of a name is no object, it may name a component of the object found
// before it: a vector's or axis's coordinate, or a geometric object's face.
bool IsComponentOf(const rumpf* object, std::string_view part) {
  if (object->isTypeOf("vector")) {
    return part == "x" || part == "y" || part == "z";
  }
  if (object->isTypeOf("AXIS")) {
    return part == "Origin" || part == "Direction" || part == "u" || part == "v" || part == "w" ||
           part == "x" || part == "y" || part == "z";
  }
  if (object->isTypeOf("Geometric")) {
    return IsFaceComponent(part);
  }
  return false;
}

// The world "__THIS__" and "__UP__" start from: the world current before the running formula
// evaluation switched to the outermost world, or the current world outside evaluations.
nullwelt* EvaluationWorld() {
  return previous_world != nullptr ? previous_world : anfang;
}

// Strips the "__THIS__" and "__UP__" prefixes from `rest` and moves `world` accordingly.
void ApplyPrefixes(std::string_view& rest, nullwelt*& world) {
  if (rest.substr(0, kThis.size()) == kThis) {
    world = EvaluationWorld();
    rest.remove_prefix(std::min(rest.size(), kThis.size() + 1));
  }
  if (rest.substr(0, kUp.size()) != kUp) {
    return;
  }
  world = EvaluationWorld();
  while (rest.substr(0, kUp.size()) == kUp) {
    world = world == nullptr ? nullptr : world->get_root_world();
    rest.remove_prefix(std::min(rest.size(), kUp.size() + 1));
  }
}

rumpf* Resolve(nullwelt* world, const char* name) {
  std::string_view rest(name);
  if (rest.find('.') == std::string_view::npos && rest.substr(0, 2) != "__") {
    return world == nullptr ? nullptr : world->find(name);  // the common case: a simple name
  }
  ApplyPrefixes(rest, world);
  std::string part;
  rumpf* last_found = nullptr;
  for (std::size_t dot; world != nullptr && (dot = rest.find('.')) != std::string_view::npos;) {
    part.assign(rest.substr(0, dot));
    last_found = world->find(part.c_str());
    if (last_found == nullptr) {
      return nullptr;
    }
    world = last_found->get_subworld();
    rest.remove_prefix(dot + 1);
  }
  if (world != nullptr) {
    part.assign(rest);
    if (rumpf* found = world->find(part.c_str()); found != nullptr) {
      return found;
    }
  }
  return last_found != nullptr && IsComponentOf(last_found, rest) ? last_found : nullptr;
}

}  // namespace

rumpf* search(const char* name) {
  if (name == nullptr || *name == '\0') {
    return nullptr;
  }
  rumpf* found = Resolve(anfang, name);
  if (found == nullptr && anfang != nullptr) {
    nullwelt* outermost = anfang->get_inertial_world();
    if (outermost != anfang) {
      varnex::model::CurrentWorldScope top(outermost);
      found = Resolve(outermost, name);
    }
  }
  return found;
}

nullwelt* requalify() {
  if (anfang == nullptr || anfang->get_previous() == nullptr) {
    ClassError("object_planet", "requalify", "previous world lost", 1, 0);
    return nullptr;
  }
  anfang = anfang->pop();
  return anfang;
}

rumpf* get_topmost_planet(rumpf* object) {
  if (object == nullptr) {
    return nullptr;
  }
  rumpf* top = object;
  for (nullwelt* world = top->get_first_world(); world != nullptr && world->get_root() != nullptr;
       world = top->get_first_world()) {
    top = world->get_root();
  }
  return top;
}

int list_world(GENERIC_LIST<rumpf>* out, rumpf* instance) {
  nullwelt* world = instance != nullptr ? instance->get_subworld() : anfang;
  int visited = 0;
  for (welt* e = world == nullptr ? nullptr : world->get_first(); e != nullptr; e = e->get_next()) {
    if (e->get_member() == nullptr) {
      continue;
    }
    if (out != nullptr) {
      out->lookup(e->get_member(), TRUE);
    }
    ++visited;
  }
  return visited;
}

int list_world(VALUE_LIST<PVMStrg>* names, PVMStrg& instance_name) {
  bool entered = false;
  if (instance_name.IsNotVoid()) {
    rumpf* instance = search(instance_name);
    if (instance == nullptr || instance->qualify() == nullptr) {
      return 0;
    }
    entered = true;
  }
  int visited = 0;
  for (welt* e = anfang == nullptr ? nullptr : anfang->get_first(); e != nullptr;
       e = e->get_next()) {
    if (e->get_member() == nullptr) {
      continue;
    }
    PVMStrg name(e->get_member()->get_name());
    if (names != nullptr && names->lookup(name) < 0) {
      names->add(name);
    }
    ++visited;
  }
  if (entered) {
    requalify();
  }
  return visited;
}
