// The live-operand registry (see registry.h). The addresses form one sorted sequence cut into
// blocks of fewer than kSplitSize; only a sole block may be empty (it is kept to spare an
// allocation per operand when few are alive). A lookup searches the blocks by their last
// address, then the block.
#include "model/operands/registry.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace varnex::model {
namespace {

// Big enough that the block index stays short, small enough that shifting a block is cheap.
constexpr std::size_t kSplitSize = 256;

class SortedAddresses {
 public:
  void Insert(aritm* operand) {
    if (blocks_.empty()) {
      blocks_.emplace_back().reserve(kSplitSize);
    }
    std::size_t b = BlockFor(operand);
    std::vector<aritm*>& block = blocks_[b];
    auto position = std::lower_bound(block.begin(), block.end(), operand, Less());
    if (position != block.end() && *position == operand) {
      return;
    }
    block.insert(position, operand);
    ++size_;
    if (block.size() >= kSplitSize) {
      Split(b);
    }
  }

  void Remove(aritm* operand) {
    if (blocks_.empty()) {
      return;
    }
    std::size_t b = BlockFor(operand);
    std::vector<aritm*>& block = blocks_[b];
    auto position = std::lower_bound(block.begin(), block.end(), operand, Less());
    if (position == block.end() || *position != operand) {
      return;
    }
    block.erase(position);
    --size_;
    if (block.empty() && blocks_.size() > 1) {
      blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
    }
  }

  std::size_t Size() const { return size_; }
  aritm* Last() const {
    return blocks_.empty() || blocks_.back().empty() ? nullptr : blocks_.back().back();
  }

 private:
  // Addresses of unrelated objects are ordered with std::less, which is total for pointers.
  using Less = std::less<aritm*>;

  // The first block whose last address is not below `operand`; the last block when none is.
  // Only a sole block may be empty, so every block searched here has a last address.
  std::size_t BlockFor(aritm* operand) const {
    if (blocks_.size() == 1) {
      return 0;
    }
    auto found = std::lower_bound(
        blocks_.begin(), blocks_.end(), operand,
        [](const std::vector<aritm*>& block, aritm* p) { return Less()(block.back(), p); });
    return found == blocks_.end() ? blocks_.size() - 1
                                  : static_cast<std::size_t>(found - blocks_.begin());
  }

  void Split(std::size_t b) {
    std::vector<aritm*>& block = blocks_[b];
    auto middle = block.begin() + static_cast<std::ptrdiff_t>(block.size() / 2);
    std::vector<aritm*> upper(middle, block.end());
    block.erase(middle, block.end());
    blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(b) + 1, std::move(upper));
  }

  std::vector<std::vector<aritm*>> blocks_;
  std::size_t size_ = 0;
};

// Never destroyed: operands with static storage may outlive any registry object.
SortedAddresses& Registry() {
  static auto* registry = new SortedAddresses();
  return *registry;
}

}  // namespace

void RegisterOperand(aritm* operand) {
  Registry().Insert(operand);
}

void UnregisterOperand(aritm* operand) {
  Registry().Remove(operand);
}

std::size_t RegisteredOperandCount() {
  return Registry().Size();
}

aritm* LastRegisteredOperand() {
  return Registry().Last();
}

}  // namespace varnex::model
