// Linear probing over a power-of-two table kept at most half full;
// deletion shifts the following cluster back, so no tombstones accumulate.
#include <varnex/base/pointer_index.h>

namespace {

constexpr std::size_t kMinimumSlots = 16;

// Long probe runs mean the addresses follow a stride that piles them onto few slots.
constexpr std::size_t kLongProbe = 32;

}  // namespace

// Neighbouring addresses land in neighbouring slots, so a pass over objects allocated in
// sequence touches the table in sequence. Should the addresses cluster, the table switches
// for good to a multiplicative hash that scatters them.
std::size_t PointerIndex::Hash(const void* key, std::size_t mask) const {
  auto bits = reinterpret_cast<std::uintptr_t>(key);
  if (scattered_) {
    return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ull) >> 20) & mask;
  }
  return static_cast<std::size_t>(bits >> 4) & mask;
}

std::size_t PointerIndex::SlotOf(const void* key, std::size_t* probes) const {
  std::size_t mask = slots_.size() - 1;
  std::size_t slot = Hash(key, mask);
  std::size_t steps = 0;
  while (slots_[slot].position != kMissing && slots_[slot].key != key) {
    slot = (slot + 1) & mask;
    ++steps;
  }
  if (probes != nullptr) {
    *probes = steps;
  }
  return slot;
}

std::size_t PointerIndex::find(const void* key) const {
  if (size_ == 0) {
    return kMissing;
  }
  return slots_[SlotOf(key)].position;
}

void PointerIndex::set(const void* key, std::size_t position) {
  if ((size_ + 1) * 2 > slots_.size()) {
    Grow();
  }
  std::size_t probes = 0;
  Slot& slot = slots_[SlotOf(key, &probes)];
  if (slot.position == kMissing) {
    ++size_;
  }
  slot = Slot{key, position};
  if (probes > kLongProbe && !scattered_) {
    scattered_ = true;
    Rehash(slots_.size());
  }
}

bool PointerIndex::erase(const void* key) {
  if (size_ == 0) {
    return false;
  }
  std::size_t mask = slots_.size() - 1;
  std::size_t hole = SlotOf(key);
  if (slots_[hole].position == kMissing) {
    return false;
  }
  // Move back every entry of the cluster whose home lies at or before the hole.
  for (std::size_t next = (hole + 1) & mask; slots_[next].position != kMissing;
       next = (next + 1) & mask) {
    std::size_t home = Hash(slots_[next].key, mask);
    bool homeBeforeHole = ((next - home) & mask) >= ((next - hole) & mask);
    if (homeBeforeHole) {
      slots_[hole] = slots_[next];
      hole = next;
    }
  }
  slots_[hole].position = kMissing;
  --size_;
  return true;
}

void PointerIndex::clear() {
  slots_.clear();
  size_ = 0;
}

void PointerIndex::Grow() {
  Rehash(slots_.empty() ? kMinimumSlots : slots_.size() * 2);
}

void PointerIndex::Rehash(std::size_t slotCount) {
  std::vector<Slot, TransactionAllocator<Slot>> old;
  old.swap(slots_);
  slots_.assign(slotCount, Slot{nullptr, kMissing});
  size_ = 0;
  for (const Slot& slot : old) {
    if (slot.position != kMissing) {
      set(slot.key, slot.position);
    }
  }
}
