// Allocation services: the transaction space that holds model objects, and the general
// memory-manager entry points for everything else.
#pragma once

#include <varnex/export.h>

#include <cstddef>
#include <new>

/// Allocates `size` bytes in the current transaction space. Returns null when memory runs out.
VARNEX_API void* TransactionAllocate(std::size_t size) noexcept;
/// Returns a block obtained from TransactionAllocate to its space; null is ignored.
VARNEX_API void TransactionFree(void* block) noexcept;
/// Number of transaction-space blocks currently allocated (tests use it to find leaks).
VARNEX_API std::size_t TransactionLiveBlocks() noexcept;

/// The memory-manager library's entry points (plain malloc and free here).
VARNEX_API void* MemoryAllocation(std::size_t size) noexcept;
VARNEX_API void MemoryDeallocation(void* block) noexcept;

/// Base of every model object (named objects, worlds, nodes, contours): instances live in the
/// transaction space.
class VARNEX_API PVTransaction {
 public:
  static void* operator new(std::size_t size);
  static void operator delete(void* block) noexcept;
  static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
};

/// Standard allocator drawing on the transaction space, for containers inside model objects.
template <class T>
struct VARNEX_API TransactionAllocator {
  using value_type = T;
  TransactionAllocator() noexcept = default;
  template <class U>
  TransactionAllocator(const TransactionAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) {
    void* block = TransactionAllocate(n * sizeof(T));
    if (block == nullptr) {
      throw std::bad_alloc();
    }
    return static_cast<T*>(block);
  }
  void deallocate(T* p, std::size_t) noexcept { TransactionFree(p); }
  friend bool operator==(const TransactionAllocator&, const TransactionAllocator&) { return true; }
};

namespace ZelkoString {
/// Standard allocator drawing on the memory-manager library, behind PVMStrg.
template <class T>
struct VARNEX_API allocator {
  using value_type = T;
  allocator() noexcept = default;
  template <class U>
  allocator(const allocator<U>&) noexcept {}
  T* allocate(std::size_t n) {
    void* block = MemoryAllocation(n * sizeof(T));
    if (block == nullptr) {
      throw std::bad_alloc();
    }
    return static_cast<T*>(block);
  }
  void deallocate(T* p, std::size_t) noexcept { MemoryDeallocation(p); }
  friend bool operator==(const allocator&, const allocator&) { return true; }
};
}  // namespace ZelkoString
