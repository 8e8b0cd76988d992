// Kernel entity lists in model files, as the kernel layer's body text.
#include <varnex/geometry/body_io.h>
#include <varnex/geometry/entity.h>
#include <varnex/persistence/model_records.h>

#include <memory>

int store_geom(std::FILE* file, ENTITY* entity) {
  if (file == nullptr || entity == nullptr) {
    return 0;
  }
  EntitySet entities;
  entities.add(entity);
  return api_save_entity_list(file, TRUE, entities).ok() ? 1 : 0;
}

int store_geolist(std::FILE* file, geo_list* bodies) {
  if (file == nullptr || bodies == nullptr) {
    return 0;
  }
  return api_save_entity_list(file, TRUE, *bodies).ok() ? 1 : 0;
}

geo_list* restore_geom(std::FILE* file) {
  if (file == nullptr) {
    return nullptr;
  }
  ENTITY_LIST bodies;
  if (!api_restore_entity_list(file, TRUE, bodies).ok()) {
    return nullptr;
  }
  auto restored = std::make_unique<geo_list>();
  restored->add(bodies);
  return restored.release();
}
