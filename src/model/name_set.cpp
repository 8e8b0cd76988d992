// NameSet (see name_set.h).
#include "model/name_set.h"

namespace varnex::model {

int NameSet::Add(const char* name) {
  PVFRString key(name);
  if (index_.find(key) == index_.end()) {
    index_.emplace(key, slots_.size());
    slots_.push_back(std::move(key));
  }
  return Count();
}

bool NameSet::Remove(const char* name) {
  auto found = index_.find(PVFRString(name));
  if (found == index_.end()) {
    return false;
  }
  slots_[found->second] = PVFRString();
  index_.erase(found);
  if (index_.size() * 2 < slots_.size()) {
    Compact();
  }
  return true;
}

bool NameSet::Contains(const char* name) const {
  return index_.find(PVFRString(name)) != index_.end();
}

std::vector<PVMStrg> NameSet::Names() const {
  std::vector<PVMStrg> names;
  names.reserve(index_.size());
  for (const PVFRString& slot : slots_) {
    if (slot.IsNotVoid()) {
      names.emplace_back(slot);
    }
  }
  return names;
}

void NameSet::Compact() {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    if (slots_[i].IsVoid()) {
      continue;
    }
    if (i != kept) {
      slots_[kept] = std::move(slots_[i]);
    }
    index_[slots_[kept]] = kept;
    ++kept;
  }
  slots_.resize(kept);
}

}  // namespace varnex::model
