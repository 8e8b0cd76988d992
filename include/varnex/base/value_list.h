// VALUE_LIST<T>: an ordered list of value copies (PVMStrg, SPAposition, ...).
#pragma once

#include <varnex/base/xbool.h>

#include <algorithm>
#include <vector>

/// Owns copies of its values, in order. With the uniqueness flag set a value equal to one
/// already present is not added again (its index is returned instead).
template <class T>
class VALUE_LIST {
 public:
  explicit VALUE_LIST(XBOOL unique = FALSE) : unique_(unique) {}

  /// Appends a copy of `value`; returns its index.
  int add(const T& value) {
    if (unique_) {
      int existing = lookup(value);
      if (existing >= 0) {
        return existing;
      }
    }
    items_.push_back(value);
    return count() - 1;
  }
  /// Inserts before `index` (outside the list: appends); returns the index.
  int insert(const T& value, int index) {
    if (unique_) {
      remove(lookup(value));
    }
    if (index < 0 || index >= count()) {
      items_.push_back(value);
      return count() - 1;
    }
    items_.insert(items_.begin() + index, value);
    return index;
  }
  /// Index of the first equal value, or -1.
  int lookup(const T& value) const {
    auto found = std::find_if(items_.begin(), items_.end(),
                              [&value](const T& item) { return bool(item == value); });
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
  }
  void remove(int index) {
    if (index >= 0 && index < count()) {
      items_.erase(items_.begin() + index);
    }
  }
  /// The value at `index`; callers keep the index inside 0..count()-1.
  T& operator[](int index) { return items_[index]; }
  const T& operator[](int index) const { return items_[index]; }
  int count() const { return static_cast<int>(items_.size()); }
  void Clear() { items_.clear(); }
  XBOOL unique() const { return unique_; }

 private:
  std::vector<T> items_;
  XBOOL unique_;
};
