// rvoid_list: the vector keeps the order, the hash map answers membership and positions.
#include <varnex/base/rvoid_list.h>

int rvoid_list::add(void* p) {
  std::size_t existing = index_.find(p);
  if (existing != PointerIndex::kMissing) {
    return static_cast<int>(existing);
  }
  index_.set(p, items_.size());
  items_.push_back(p);
  return count() - 1;
}

int rvoid_list::insert(void* p, int index) {
  remove(p);
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) {
    return add(p);
  }
  items_.insert(items_.begin() + index, p);
  Reindex(index);
  return index;
}

void rvoid_list::remove(unsigned index) {
  if (index >= items_.size()) {
    return;
  }
  index_.erase(items_[index]);
  items_.erase(items_.begin() + index);
  Reindex(index);
}

void rvoid_list::remove(void* p) {
  std::size_t found = index_.find(p);
  if (found != PointerIndex::kMissing) {
    remove(static_cast<unsigned>(found));
  }
}

int rvoid_list::lookup(void* p) const {
  std::size_t found = index_.find(p);
  return found == PointerIndex::kMissing ? -1 : static_cast<int>(found);
}

void rvoid_list::clear() {
  items_.clear();
  index_.clear();
}

// Positions at and after `from` moved: refresh their index entries.
void rvoid_list::Reindex(std::size_t from) {
  for (std::size_t i = from; i < items_.size(); ++i) {
    index_.set(items_[i], i);
  }
}
