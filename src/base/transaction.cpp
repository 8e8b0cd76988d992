// The transaction space and the memory-manager entry points. One space is enough for this
// engine; the live-block count lets tests assert that model objects are all released.
#include <varnex/base/transaction.h>

#include <atomic>
#include <cstdlib>

namespace {
std::atomic<std::size_t> liveTransactionBlocks{0};
}

void* TransactionAllocate(std::size_t size) noexcept {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block != nullptr) {
    liveTransactionBlocks.fetch_add(1, std::memory_order_relaxed);
  }
  return block;
}

void TransactionFree(void* block) noexcept {
  if (block == nullptr) {
    return;
  }
  liveTransactionBlocks.fetch_sub(1, std::memory_order_relaxed);
  std::free(block);
}

std::size_t TransactionLiveBlocks() noexcept {
  return liveTransactionBlocks.load(std::memory_order_relaxed);
}

void* MemoryAllocation(std::size_t size) noexcept {
  return std::malloc(size == 0 ? 1 : size);
}

void MemoryDeallocation(void* block) noexcept {
  std::free(block);
}

void* PVTransaction::operator new(std::size_t size) {
  void* block = TransactionAllocate(size);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  return block;
}

void* PVTransaction::operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return TransactionAllocate(size);
}

void PVTransaction::operator delete(void* block) noexcept {
  TransactionFree(block);
}
