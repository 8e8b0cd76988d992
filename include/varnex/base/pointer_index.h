// PointerIndex: a flat open-addressing map from pointers to positions, the membership index
// behind rvoid_list. One probe sequence in one array keeps a lookup at about one cache miss
// however large the set grows.
#pragma once

#include <varnex/base/transaction.h>
#include <varnex/export.h>

#include <cstddef>
#include <cstdint>
#include <vector>

class VARNEX_API PointerIndex {
 public:
  static constexpr std::size_t kMissing = SIZE_MAX;

  /// The position stored for `key`, or kMissing.
  std::size_t find(const void* key) const;
  /// Stores `position` for `key` (inserting or overwriting).
  void set(const void* key, std::size_t position);
  /// Removes `key`; returns whether it was present.
  bool erase(const void* key);
  void clear();
  std::size_t size() const { return size_; }

 private:
  struct Slot {
    const void* key;
    std::size_t position;  // kMissing marks an empty slot
  };
  std::size_t Hash(const void* key, std::size_t mask) const;
  std::size_t SlotOf(const void* key, std::size_t* probes = nullptr) const;
  void Grow();
  void Rehash(std::size_t slotCount);

  std::vector<Slot, TransactionAllocator<Slot>> slots_;
  std::size_t size_ = 0;
  bool scattered_ = false;
};
