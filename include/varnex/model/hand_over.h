// `hand_over`: the operands that travel into a parse (a feature's parameters, in declaration
// order) and out of it (element 0: the result).
#pragma once

#include <varnex/export.h>

#include <cstddef>
#include <vector>

class aritm;

/// A null-terminated list of operand pointers indexed like an array. It has no fixed size: an
/// index beyond the stored entries reads as null and grows the list when written through, so any
/// number of parameters fits. The list never owns the operands: whoever stores one owns it until
/// the parse consumes it.
class VARNEX_API HandOverList {
 public:
  /// The slot at `index`, created (null) when it does not exist yet.
  aritm*& operator[](std::size_t index) {
    if (index + 1 >= slots_.size()) {
      slots_.resize(index + 2, nullptr);
    }
    return slots_[index];
  }
  /// Number of operands before the first null entry.
  std::size_t count() const {
    std::size_t n = 0;
    while (n < slots_.size() && slots_[n] != nullptr) {
      ++n;
    }
    return n;
  }

 private:
  std::vector<aritm*> slots_{nullptr, nullptr};
};

extern VARNEX_API HandOverList hand_over;
