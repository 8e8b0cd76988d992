// The object layer's answers to the kernel layer's questions about named objects
// (GeometricObjectLinks), installed as soon as a model's root world exists.
#include "model/geometry_links.h"

#include <varnex/geometry/attributes.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/geometric_object_links.h>
#include <varnex/model/model_hooks.h>
#include <varnex/model/object_references.h>
#include <varnex/model/planet.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>

namespace varnex::model {
namespace {

// The object `name` of `world` itself (not of the worlds around it), or null.
rumpf* MemberNamed(nullwelt* world, const std::string& name) {
  for (welt* element = world->get_next(); element != nullptr; element = element->get_next()) {
    if (name == element->get_member()->get_name()) {
      return element->get_member();
    }
  }
  return nullptr;
}

// A geometric object `name` in the current world `world` holding `entity`: a new one, or an
// existing geometric one whose list is replaced. A non-geometric object of that name stays.
bool HoldInWorld(nullwelt* world, const std::string& name, ENTITY* entity) {
  rumpf* existing = MemberNamed(world, name);
  if (existing == nullptr) {
    return new object_geom(entity, name.c_str()) != nullptr;
  }
  auto* geometry = dynamic_cast<object_geom*>(existing);
  if (geometry == nullptr) {
    return false;
  }
  while (geometry->get(0) != nullptr) {
    geometry->remove_entity(geometry->get(0));
  }
  geometry->add_entity(entity);
  set_attds_to_entity(entity, geometry);
  return true;
}

class ModelObjectLinks : public GeometricObjectLinks {
 public:
  PVMStrg FullName(const rumpf* object) const override {
    PVMStrg name;
    if (object != nullptr && object->get_first_world() != nullptr) {
      object->get_full_name(name);
    }
    return name;
  }
  PVMStrg ShortName(const rumpf* object) const override {
    return object == nullptr ? PVMStrg() : PVMStrg(object->get_name());
  }
  XBOOL IsGeometric(const rumpf* object) const override {
    return ToXBool(object != nullptr && object->isTypeOf("Geometric"));
  }
  list* EntityList(rumpf* object) const override {
    auto* geometry = dynamic_cast<object_geom*>(object);
    return geometry == nullptr ? nullptr : geometry->get_list();
  }
  rumpf* Search(const char* name) const override { return search(name); }
  PVMStrg ConvertRestoreName(const PVMStrg& name) const override {
    PVMStrg converted(name);
    if (pPVFConvertRestoreName != nullptr) {
      pPVFConvertRestoreName(converted);
    }
    return converted;
  }
  XBOOL OldNameIntoNewName(const PVMStrg& name, PVMStrg& converted) const override {
    if (pPVFOldNameIntoNewName == nullptr) {
      return FALSE;
    }
    converted = name;
    pPVFOldNameIntoNewName(converted);
    return TRUE;
  }
  XBOOL SATFileOperation() const override {
    return pPVFGetSATFileOperation != nullptr ? pPVFGetSATFileOperation() : FALSE;
  }
  int CreateGeometricObjects(
      rumpf* feature, const std::vector<std::pair<std::string, ENTITY*>>& named) const override {
    if (feature == nullptr || feature->get_subworld() == nullptr || feature->qualify() == nullptr) {
      return 0;
    }
    nullwelt* world = feature->get_subworld();
    int holding = 0;
    for (const auto& [name, entity] : named) {
      holding += HoldInWorld(world, name, entity) ? 1 : 0;
    }
    requalify();
    return holding;
  }
  // The nodes of the instances that own the object, nearest first.
  void NodesOfObject(rumpf* object, std::vector<PDTnode*>& nodes) const override {
    if (pPVFFindNode == nullptr || object == nullptr) {
      return;
    }
    for (nullwelt* world = object->get_first_world(); world != nullptr && world->get_root();
         world = world->get_root()->get_first_world()) {
      PVMStrg name = FullName(world->get_root());
      if (PDTnode* node = pPVFFindNode(name); node != nullptr) {
        nodes.push_back(node);
      }
    }
  }
};

ModelObjectLinks& Links() {
  static ModelObjectLinks links;
  return links;
}

}  // namespace

void InstallGeometricObjectLinks() {
  static bool installed = false;
  if (!installed) {
    SetGeometricObjectLinks(&Links());
    installed = true;
  }
}

}  // namespace varnex::model
