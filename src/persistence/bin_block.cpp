// PVFBinBlock: storage, growth and comparison. The storage comes from the memory-manager
// library; a failed allocation leaves the block empty without storage.
#include <varnex/base/file_io.h>
#include <varnex/base/transaction.h>
#include <varnex/persistence/bin_block.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr unsigned kByteGrowth = 2;  // appending one byte to a full block

// n + extra, or false when the sum does not fit the 32-bit sizes of a block.
bool AddSizes(unsigned n, unsigned extra, unsigned& sum) {
  std::uint64_t wide = std::uint64_t{n} + extra;
  if (wide > UINT32_MAX) {
    return false;
  }
  sum = static_cast<unsigned>(wide);
  return true;
}

bool ReadWholeFile(const char* path, std::vector<unsigned char>& bytes) {
  if (!PVFIsRegularFile(path)) {
    return false;  // a directory or a device (/dev/zero would never end)
  }
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    return false;
  }
  unsigned char chunk[4096];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  bool complete = std::ferror(file) == 0;
  std::fclose(file);
  return complete && bytes.size() <= UINT32_MAX - 2;
}

}  // namespace

const PVFBinBlock PVFBinBlock::NILBLOCK;

PVFBinBlock::PVFBinBlock() {
  GrowTo(1);
}

PVFBinBlock::PVFBinBlock(unsigned size) {
  GrowTo(size);
}

PVFBinBlock::PVFBinBlock(const unsigned char* bytes, unsigned n)
    : PVFBinBlock(bytes, n, PV_DEFAULT_BLOCK_EXTRA) {}

PVFBinBlock::PVFBinBlock(const unsigned char* bytes, unsigned n, unsigned extra) {
  n = bytes == nullptr ? 0 : n;
  unsigned size = 0;
  if (AddSizes(n, extra, size) && GrowTo(size) && n != 0) {
    std::memcpy(data_, bytes, n);
    length_ = n;
  }
  Terminate();
}

PVFBinBlock::PVFBinBlock(unsigned char b, unsigned n, unsigned extra) {
  unsigned size = 0;
  if (AddSizes(n, extra, size) && GrowTo(size) && n != 0) {
    std::memset(data_, b, n);
    length_ = n;
  }
  Terminate();
}

PVFBinBlock::PVFBinBlock(const char* text)
    : PVFBinBlock(reinterpret_cast<const unsigned char*>(text),
                  text == nullptr ? 0 : static_cast<unsigned>(std::strlen(text)),
                  PV_DEFAULT_STRING_EXTRA) {}

// A copy of a block without storage has none either, so equality carries over.
PVFBinBlock::PVFBinBlock(const PVFBinBlock& other)
    : PVFBinBlock(other, other.data_ == nullptr ? 0 : 1) {}

PVFBinBlock::PVFBinBlock(const PVFBinBlock& other, unsigned extra) {
  unsigned size = 0;
  if (AddSizes(other.length_, extra, size) && GrowTo(size) && other.length_ != 0) {
    std::memcpy(data_, other.data_, other.length_);
    length_ = other.length_;
  }
  Terminate();
}

PVFBinBlock::PVFBinBlock(const PVMStrg* path) {
  std::vector<unsigned char> bytes;
  if (path == nullptr || !ReadWholeFile(path->GetpStr(), bytes)) {
    GrowTo(1);
    return;
  }
  unsigned length = static_cast<unsigned>(bytes.size());
  if (GrowTo(length + 2) && length != 0) {
    std::memcpy(data_, bytes.data(), length);
    length_ = length;
  }
  Terminate();
}

PVFBinBlock::PVFBinBlock(PVFBinBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      length_(std::exchange(other.length_, 0)),
      allocated_(std::exchange(other.allocated_, 0)) {}

PVFBinBlock::~PVFBinBlock() {
  Release();
}

void PVFBinBlock::Release() {
  MemoryDeallocation(data_);
  data_ = nullptr;
  length_ = 0;
  allocated_ = 0;
}

// Grows the allocation to `size` bytes, keeping the contents. A failed allocation empties the
// block; a request that does not grow changes nothing.
bool PVFBinBlock::GrowTo(unsigned size) {
  if (size <= allocated_) {
    return true;
  }
  auto* grown = static_cast<unsigned char*>(MemoryAllocation(size));
  if (grown == nullptr) {
    Release();
    return false;
  }
  std::memset(grown, 0, size);
  if (length_ != 0) {
    std::memcpy(grown, data_, length_);
  }
  MemoryDeallocation(data_);
  data_ = grown;
  allocated_ = size;
  return true;
}

// Keeps a zero after the bytes when there is room, so a block holding text reads as a C string.
void PVFBinBlock::Terminate() {
  if (length_ < allocated_) {
    data_[length_] = 0;
  }
}

PVFBinBlock& PVFBinBlock::operator=(const PVFBinBlock& other) {
  if (this == &other) {
    return *this;
  }
  if (other.data_ == nullptr) {
    Release();
    return *this;
  }
  Set(other.data_, other.length_);
  return *this;
}

PVFBinBlock& PVFBinBlock::operator=(PVFBinBlock&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    length_ = std::exchange(other.length_, 0);
    allocated_ = std::exchange(other.allocated_, 0);
  }
  return *this;
}

PVFBinBlock& PVFBinBlock::operator=(const char* text) {
  unsigned n = text == nullptr ? 0 : static_cast<unsigned>(std::strlen(text));
  if (n < allocated_) {
    Set(reinterpret_cast<const unsigned char*>(text), n);
    return *this;
  }
  PVFBinBlock replacement(text);
  *this = std::move(replacement);
  return *this;
}

XBOOL PVFBinBlock::Set(const unsigned char* bytes, unsigned n) {
  n = bytes == nullptr ? 0 : n;
  if (n <= allocated_) {
    if (n != 0) {
      std::memmove(data_, bytes, n);
    }
    length_ = n;
    Terminate();
    return TRUE;
  }
  PVFBinBlock replacement(bytes, n, PV_DEFAULT_BLOCK_EXTRA);  // copies before this is freed
  *this = std::move(replacement);
  return TRUE;
}

unsigned PVFBinBlock::Append(const unsigned char* bytes, unsigned n) {
  if (bytes == nullptr || n == 0) {
    return length_;
  }
  unsigned needed = 0;
  if (!AddSizes(length_, n, needed)) {
    Release();
    return 0;
  }
  // The bytes may lie inside this block: note where before the storage moves.
  bool inside = data_ != nullptr && bytes >= data_ && bytes < data_ + allocated_;
  std::size_t offset = inside ? static_cast<std::size_t>(bytes - data_) : 0;
  if (!GrowTo(needed)) {
    return 0;
  }
  std::memmove(data_ + length_, inside ? data_ + offset : bytes, n);
  length_ = needed;
  Terminate();
  return length_;
}

unsigned PVFBinBlock::ReSize(unsigned n) {
  GrowTo(n);
  return allocated_;
}

PVFBinBlock& PVFBinBlock::operator&=(const PVFBinBlock& other) {
  Append(other.data_, other.length_);
  return *this;
}

// A C string grows the allocation by its length plus one for the terminating zero.
PVFBinBlock& PVFBinBlock::operator&=(const char* text) {
  if (text == nullptr || *text == '\0') {
    return *this;
  }
  unsigned n = static_cast<unsigned>(std::strlen(text));
  unsigned needed = 0;
  unsigned grown = 0;
  if (AddSizes(length_, n, needed) && needed >= allocated_ && AddSizes(allocated_, n + 1, grown)) {
    // Copy first: the text may lie inside this block.
    std::string copy(text, n);
    if (GrowTo(grown)) {
      Append(reinterpret_cast<const unsigned char*>(copy.data()), n);
    }
    return *this;
  }
  Append(reinterpret_cast<const unsigned char*>(text), n);
  return *this;
}

void PVFBinBlock::AppendByte(unsigned char b) {
  if (length_ == allocated_) {
    unsigned grown = 0;
    if (!AddSizes(allocated_, kByteGrowth, grown) || !GrowTo(grown)) {
      return;
    }
  }
  data_[length_++] = b;
  Terminate();
}

PVFBinBlock& PVFBinBlock::operator&=(char c) {
  AppendByte(static_cast<unsigned char>(c));
  return *this;
}

PVFBinBlock& PVFBinBlock::operator&=(unsigned char b) {
  AppendByte(b);
  return *this;
}

PVFBinBlock& PVFBinBlock::operator&=(int value) {
  AppendByte(static_cast<unsigned char>(value & 0xff));
  return *this;
}

PVFBinBlock PVFBinBlock::operator&(const PVFBinBlock& other) const {
  PVFBinBlock result(*this);
  result &= other;
  return result;
}

PVFBinBlock PVFBinBlock::operator&(const char* text) const {
  PVFBinBlock result(*this);
  result &= text;
  return result;
}

PVFBinBlock PVFBinBlock::Unite(const unsigned char* bytes, unsigned n) const {
  PVFBinBlock result(*this);
  result.Append(bytes, n);
  return result;
}

PVFBinBlock& PVFBinBlock::operator-(int n) {
  if (n < 0) {
    return *this;
  }
  length_ = static_cast<unsigned>(n) >= length_ ? 0 : length_ - static_cast<unsigned>(n);
  Terminate();
  return *this;
}

unsigned char PVFBinBlock::At(unsigned index) const {
  if (length_ == 0) {
    return 0;
  }
  return data_[std::min(index, length_ - 1)];
}

XBOOL PVFBinBlock::operator==(const PVFBinBlock& other) const {
  if (data_ == nullptr || other.data_ == nullptr) {
    return ToXBool(data_ == other.data_);
  }
  if (length_ == 0 || other.length_ != length_) {
    return FALSE;
  }
  return ToXBool(std::memcmp(data_, other.data_, length_) == 0);
}

XBOOL PVFBinBlock::operator==(const unsigned char* bytes) const {
  if (data_ == nullptr || bytes == nullptr) {
    return ToXBool(data_ == nullptr && bytes == nullptr);
  }
  if (length_ == 0) {
    return FALSE;
  }
  return ToXBool(std::memcmp(data_, bytes, length_) == 0);
}
