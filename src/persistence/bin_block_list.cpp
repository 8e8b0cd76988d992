// PVFBinBlockList: an ordered list of owned block copies.
#include <varnex/persistence/bin_block.h>

#include <algorithm>
#include <new>

namespace {
constexpr std::size_t kInitialRoom = 10;
}

PVFBinBlockList::PVFBinBlockList() {
  blocks_.reserve(kInitialRoom);
}

PVFBinBlockList::PVFBinBlockList(const PVFBinBlock& block) : PVFBinBlockList() {
  Add(block);
}

PVFBinBlockList::PVFBinBlockList(const PVFBinBlockList& other) : PVFBinBlockList() {
  *this &= other;
}

PVFBinBlockList::PVFBinBlockList(PVFBinBlockList&& other) noexcept = default;

PVFBinBlockList& PVFBinBlockList::operator=(const PVFBinBlockList& other) {
  if (this != &other) {
    PVFBinBlockList copy(other);
    blocks_.swap(copy.blocks_);
  }
  return *this;
}

PVFBinBlockList& PVFBinBlockList::operator=(PVFBinBlockList&& other) noexcept = default;

PVFBinBlockList::~PVFBinBlockList() = default;

PVFBinBlockList& PVFBinBlockList::operator&=(const PVFBinBlockList& other) {
  unsigned count = other.Length();  // fixed first: `other` may be this list
  for (unsigned i = 0; i < count; ++i) {
    Add(*other.blocks_[i]);
  }
  return *this;
}

PVFBinBlockList PVFBinBlockList::operator&(const PVFBinBlockList& other) const {
  PVFBinBlockList result(*this);
  result &= other;
  return result;
}

int PVFBinBlockList::Add(const PVFBinBlock& block) {
  return Insert(block, Length());
}

int PVFBinBlockList::Insert(const PVFBinBlock& block, unsigned index) {
  try {
    auto copy = std::make_unique<PVFBinBlock>(block);
    unsigned position = std::min(index, Length());
    blocks_.insert(blocks_.begin() + position, std::move(copy));
    return static_cast<int>(position);
  } catch (const std::bad_alloc&) {
    return -1;
  }
}

int PVFBinBlockList::Remove(unsigned index) {
  if (index >= Length()) {
    return 0;
  }
  blocks_.erase(blocks_.begin() + index);
  return static_cast<int>(index);
}

int PVFBinBlockList::Clear() {
  blocks_.clear();
  return 0;
}

const PVFBinBlock& PVFBinBlockList::operator[](unsigned index) const {
  return index < Length() ? *blocks_[index] : PVFBinBlock::NILBLOCK;
}
