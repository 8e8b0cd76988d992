// The entity base and the entity list.
#include <varnex/geometry/entity.h>

#include <algorithm>

ENTITY::~ENTITY() = default;

int list::add(ENTITY* entity) {
  if (entity == nullptr) {
    return -1;
  }
  int existing = lookup(entity);
  if (existing >= 0) {
    return existing;
  }
  entities_.push_back(entity);
  return count() - 1;
}

void list::add(const list& other) {
  for (ENTITY* entity : other.entities_) {
    add(entity);
  }
}

int list::lookup(const ENTITY* entity) const {
  auto found = std::find(entities_.begin(), entities_.end(), entity);
  return found == entities_.end() ? -1 : static_cast<int>(found - entities_.begin());
}

int list::remove(const ENTITY* entity) {
  int index = lookup(entity);
  if (index >= 0) {
    entities_.erase(entities_.begin() + index);
  }
  return index;
}

ENTITY* list::operator[](int index) const {
  return index >= 0 && index < count() ? entities_[index] : nullptr;
}
