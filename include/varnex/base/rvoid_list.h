// rvoid_list: an insertion-ordered set of pointers with constant-time membership.
#pragma once

#include <varnex/base/pointer_index.h>
#include <varnex/base/transaction.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <vector>

/// Positional access by index plus a hash index, so that `contains` and `lookup` never scan.
/// Each pointer occurs at most once; the list never owns its elements. Storage comes from the
/// transaction space.
class VARNEX_API rvoid_list {
 public:
  rvoid_list() = default;
  rvoid_list(const rvoid_list&) = default;
  rvoid_list& operator=(const rvoid_list&) = default;
  virtual ~rvoid_list() = default;

  /// Appends `p` unless present; returns its index.
  int add(void* p);
  /// Moves or inserts `p` before `index` (past the end: appends); returns its index.
  int insert(void* p, int index);
  void remove(unsigned index);
  void remove(void* p);
  void remove_element(void* p) { remove(p); }
  int lookup(void* p) const;
  XBOOL contains(void* p) const { return ToXBool(index_.find(p) != PointerIndex::kMissing); }
  /// The element at `index`, or null outside the list.
  void* operator[](unsigned index) const { return index < items_.size() ? items_[index] : nullptr; }
  int count() const { return static_cast<int>(items_.size()); }
  int size() const { return count(); }
  XBOOL empty() const { return ToXBool(items_.empty()); }
  void clear();
  void Clear() { clear(); }
  /// A new list with the same elements; the caller owns it.
  rvoid_list* copy() const { return new rvoid_list(*this); }

 private:
  void Reindex(std::size_t from);
  std::vector<void*, TransactionAllocator<void*>> items_;
  PointerIndex index_;
};
