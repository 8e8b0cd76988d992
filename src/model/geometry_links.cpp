// The object layer's answers to the kernel layer's questions about named objects
// (GeometricObjectLinks), installed as soon as a model's root world exists.
#include "model/geometry_links.h"

#include <varnex/geometry/entity.h>
#include <varnex/geometry/object_links.h>
#include <varnex/model/model_hooks.h>
#include <varnex/model/object_links.h>
#include <varnex/model/planet.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>

namespace varnex::model {
namespace {

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
