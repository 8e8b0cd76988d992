// The sorted name index of a world: name -> element. Lookups are binary searches; so that
// insertion stays cheap at millions of names, the sorted sequence is cut into chunks of bounded
// size (a two-level sorted array): a binary search over the chunks' first names, then one inside
// the chunk. Both levels are contiguous, which keeps a lookup to a handful of cache misses.
#pragma once

#include <varnex/base/transaction.h>
#include <varnex/model/welt.h>

#include <string_view>
#include <vector>

namespace varnex::model {

class NameIndex : public PVTransaction {
 public:
  /// Enters `name`; false when the name is already present (the index is unchanged).
  bool Insert(const char* name, welt* element);
  /// Removes the entry of `name` when it points at `element` (any element when null).
  bool Remove(const char* name, welt* element);
  /// The element indexed under `name`, or null.
  welt* Find(const char* name) const;
  void Clear();
  bool Empty() const { return size_ == 0; }
  std::size_t Size() const { return size_; }

 private:
  using Chunk = std::vector<PVFMapWeltToName, TransactionAllocator<PVFMapWeltToName>>;
  template <class T>
  using Vector = std::vector<T, TransactionAllocator<T>>;

  /// The chunk whose range holds `name` (the last chunk whose first name is not above it).
  std::size_t ChunkFor(std::string_view name) const;
  void Split(std::size_t chunk);

  Vector<PVMStrg> first_names_;  // first_names_[i] is chunks_[i].front()'s name
  Vector<Chunk> chunks_;
  std::size_t size_ = 0;
};

}  // namespace varnex::model
