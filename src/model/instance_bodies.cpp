// Collecting the bodies of an instance's geometric objects.
#include <varnex/geometry/entity.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/model/instance_bodies.h>
#include <varnex/model/object_references.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>

namespace {

// Nested instances deeper than this can only come from a world that holds its own owner.
constexpr int kMaxDepth = 256;

void CollectWorld(nullwelt* world, ENTITY_LIST& bodies, int depth) {
  if (world == nullptr || depth > kMaxDepth) {
    return;
  }
  for (welt* element = world->get_first(); element != nullptr; element = element->get_next()) {
    rumpf* member = element->get_member();
    if (member == nullptr) {
      continue;
    }
    if (auto* geometry =
            member->isTypeOf("Geometric") ? dynamic_cast<object_geom*>(member) : nullptr) {
      list* entities = geometry->get_list();
      for (int i = 0; entities != nullptr && i < entities->count(); ++i) {
        bodies.add(fmbody_from((*entities)[i]));  // add skips nulls and repeats
      }
    }
    CollectWorld(member->get_subworld(), bodies, depth + 1);
  }
}

}  // namespace

int PVFCollectInstanceBodies(rumpf* instance, ENTITY_LIST& bodies) {
  int before = bodies.count();
  CollectWorld(instance != nullptr ? instance->get_subworld() : anfang, bodies, 0);
  return bodies.count() - before;
}
