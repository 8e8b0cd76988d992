// NameSet: the reference lists of a named object. Names stay in the order they were added, occur
// once, and are added, found and removed in constant time, so an object that thousands of
// formulas name keeps cheap bookkeeping.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/transaction.h>

#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace varnex::model {

class NameSet : public PVTransaction {
 public:
  /// Adds `name` unless present; returns the count.
  int Add(const char* name);
  /// Removes `name`; false when it was not there.
  bool Remove(const char* name);
  bool Contains(const char* name) const;
  int Count() const { return static_cast<int>(index_.size()); }
  /// The names in the order they were added.
  std::vector<PVMStrg> Names() const;

 private:
  struct Hash {
    std::size_t operator()(const PVFRString& s) const {
      return std::hash<std::string_view>()(s.Std());
    }
  };
  struct Equal {
    bool operator()(const PVFRString& a, const PVFRString& b) const { return a.Std() == b.Std(); }
  };
  using Index = std::unordered_map<PVFRString, std::size_t, Hash, Equal,
                                   TransactionAllocator<std::pair<const PVFRString, std::size_t>>>;

  void Compact();

  // Removed names leave an empty slot behind until more than half the slots are empty.
  std::vector<PVFRString, TransactionAllocator<PVFRString>> slots_;
  Index index_;  // name -> slot
};

}  // namespace varnex::model
