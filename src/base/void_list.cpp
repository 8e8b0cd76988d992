// void_list: pointer array with optional uniqueness, insertion order kept everywhere.
#include <varnex/base/void_list.h>

#include <algorithm>

namespace {
constexpr std::size_t kInitialCapacity = 100;
}

void_list::void_list(XBOOL unique) : unique_(unique) {}

void_list::~void_list() = default;

// Grows like the original array: doubling, starting at 100 slots.
void void_list::Reserve() {
  if (items_.size() + 1 >= items_.capacity()) {
    items_.reserve(items_.capacity() == 0 ? kInitialCapacity : items_.capacity() * 2);
  }
}

int void_list::add(void* p) {
  if (unique_) {
    int existing = lookup(p);
    if (existing >= 0) {
      return existing;
    }
  }
  Reserve();
  items_.push_back(p);
  return count() - 1;
}

int void_list::insert(void* p, int index) {
  if (unique_) {
    remove(p);
  }
  if (index < 0 || index >= count()) {
    Reserve();
    items_.push_back(p);
    return count() - 1;
  }
  Reserve();
  items_.insert(items_.begin() + index, p);
  return index;
}

int void_list::lookup(void* p, XBOOL add_if_missing) {
  auto found = std::find(items_.begin(), items_.end(), p);
  if (found != items_.end()) {
    return static_cast<int>(found - items_.begin());
  }
  if (!add_if_missing) {
    return -1;
  }
  Reserve();
  items_.push_back(p);
  return count() - 1;
}

void void_list::remove(int index) {
  if (index >= 0 && index < count()) {
    items_.erase(items_.begin() + index);
  }
}

void void_list::remove(void* p) {
  remove(lookup(p));
}

void* void_list::operator[](int index) const {
  return index >= 0 && index < count() ? items_[index] : nullptr;
}
