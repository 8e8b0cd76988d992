// PVFBinBlock: a growable byte block that can carry length-prefixed sub-records, and
// PVFBinBlockList, an ordered list of owned blocks. Allocation failures never throw: the block
// is left empty without storage and the operation returns normally.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <memory>
#include <vector>

/// Spare bytes allocated beyond the length when a block is set from bytes or from a C string.
inline constexpr unsigned PV_DEFAULT_BLOCK_EXTRA = 15;
inline constexpr unsigned PV_DEFAULT_STRING_EXTRA = 15;
inline constexpr unsigned PV_DEFAULT_P_LEN = 80;

class VARNEX_API PVFBinBlock {
 public:
  /// Empty, with one byte allocated.
  PVFBinBlock();
  /// Empty, with `size` bytes allocated (none for 0).
  explicit PVFBinBlock(unsigned size);
  /// A copy of n bytes, with PV_DEFAULT_BLOCK_EXTRA or `extra` spare bytes.
  PVFBinBlock(const unsigned char* bytes, unsigned n);
  PVFBinBlock(const unsigned char* bytes, unsigned n, unsigned extra);
  /// n copies of the byte b, with `extra` spare bytes.
  PVFBinBlock(unsigned char b, unsigned n, unsigned extra);
  /// The text without its terminating zero (null: empty), with PV_DEFAULT_STRING_EXTRA spare.
  PVFBinBlock(const char* text);
  PVFBinBlock(const PVFBinBlock& other);
  PVFBinBlock(const PVFBinBlock& other, unsigned extra);
  /// The bytes of the file named by `path`, read in binary mode; empty when it cannot be read.
  explicit PVFBinBlock(const PVMStrg* path);
  PVFBinBlock(PVFBinBlock&& other) noexcept;
  virtual ~PVFBinBlock();

  /// Allocated size minus the byte kept for a terminating zero (0 without storage).
  virtual unsigned Capacity() const { return allocated_ == 0 ? 0 : allocated_ - 1; }
  virtual unsigned Size() const { return length_; }
  unsigned Length() const { return length_; }
  /// The bytes (null for a block without storage); valid until the block changes.
  const unsigned char* GetpBlock() const { return data_; }
  operator const unsigned char*() const { return data_; }

  PVFBinBlock& operator=(const PVFBinBlock& other);
  PVFBinBlock& operator=(PVFBinBlock&& other) noexcept;
  PVFBinBlock& operator=(const char* text);
  /// Replaces the contents by n bytes (which may lie inside this block). Always TRUE.
  XBOOL Set(const unsigned char* bytes, unsigned n);
  /// Appends n bytes (which may lie inside this block); returns the new length.
  unsigned Append(const unsigned char* bytes, unsigned n);
  /// Grows the allocation to at least n bytes, never shrinks; returns the allocated size.
  unsigned ReSize(unsigned n);

  PVFBinBlock& operator&=(const PVFBinBlock& other);
  PVFBinBlock& operator&=(const char* text);  // without its terminating zero
  PVFBinBlock& operator&=(char c);
  PVFBinBlock& operator&=(unsigned char b);
  PVFBinBlock& operator&=(int value);  // its low byte
  PVFBinBlock operator&(const PVFBinBlock& other) const;
  PVFBinBlock operator&(const char* text) const;
  /// This block followed by n bytes.
  PVFBinBlock Unite(const unsigned char* bytes, unsigned n) const;
  /// Removes n bytes from the end (all when n is not smaller than the length; negative n does
  /// nothing).
  PVFBinBlock& operator-(int n);

  /// The byte at `index`; an index at or beyond the length yields the last byte (0 when empty).
  unsigned char At(unsigned index) const;
  unsigned char operator[](unsigned index) const { return At(index); }
  unsigned char operator[](int index) const { return At(index < 0 ? 0u : unsigned(index)); }

  /// Equality: two blocks without storage are equal; one without storage never equals one
  /// with; otherwise equal when both have the same non-zero length and the same bytes (empty
  /// blocks with storage are unequal, also to themselves).
  XBOOL operator==(const PVFBinBlock& other) const;
  XBOOL operator!=(const PVFBinBlock& other) const { return ToXBool(!(*this == other)); }
  /// Against raw bytes, compared over this block's length (null bytes: equal only to a block
  /// without storage).
  XBOOL operator==(const unsigned char* bytes) const;
  XBOOL operator!=(const unsigned char* bytes) const { return ToXBool(!(*this == bytes)); }

  /// Appends `part` as a sub-record: its length in decimal, a line feed, its bytes, a line
  /// feed. An empty part appends nothing and returns null; otherwise returns the data.
  const unsigned char* Connect(const PVFBinBlock& part);
  /// Takes the first sub-record off the front into `out` (emptied first) and returns out's
  /// data (null when empty). Without a positive count in front, returns null and leaves this
  /// block as it was. A stated length beyond the bytes present takes only what is present.
  const unsigned char* UnConnectFirst(PVFBinBlock& out);
  /// Splits at the first `separator`: this keeps the bytes before it, `rest` receives those
  /// after it; returns rest's data. When either block is empty or the separator does not occur,
  /// nothing changes, `rest` is emptied and null is returned.
  const unsigned char* CutForward(PVFBinBlock& rest, const PVFBinBlock& separator);

  /// The shared empty block.
  static const PVFBinBlock NILBLOCK;

 private:
  bool Allocate(unsigned size);
  bool GrowTo(unsigned size);
  void Release();
  void Terminate();
  void AppendByte(unsigned char b);
  void RemoveFront(unsigned n);

  unsigned char* data_ = nullptr;  // owned; MemoryAllocation/MemoryDeallocation
  unsigned length_ = 0;
  unsigned allocated_ = 0;
};

/// An ordered list of owned block copies. Indices out of range are harmless: [] yields
/// PVFBinBlock::NILBLOCK.
class VARNEX_API PVFBinBlockList {
 public:
  PVFBinBlockList();
  explicit PVFBinBlockList(const PVFBinBlock& block);
  PVFBinBlockList(const PVFBinBlockList& other);
  PVFBinBlockList(PVFBinBlockList&& other) noexcept;
  PVFBinBlockList& operator=(const PVFBinBlockList& other);
  PVFBinBlockList& operator=(PVFBinBlockList&& other) noexcept;
  ~PVFBinBlockList();

  PVFBinBlockList& operator&=(const PVFBinBlockList& other);
  PVFBinBlockList operator&(const PVFBinBlockList& other) const;
  /// Appends a copy; returns its index.
  int Add(const PVFBinBlock& block);
  /// Inserts a copy at min(index, count); returns that position, or -1 when memory runs out.
  int Insert(const PVFBinBlock& block, unsigned index);
  /// Destroys the block at `index` and closes the gap; returns index, or 0 when out of range.
  int Remove(unsigned index);
  /// Destroys every block; returns the remaining count (0).
  int Clear();
  unsigned Length() const { return static_cast<unsigned>(blocks_.size()); }
  const PVFBinBlock& operator[](unsigned index) const;
  const PVFBinBlock& operator[](int index) const {
    return (*this)[index < 0 ? Length() : unsigned(index)];
  }

 private:
  std::vector<std::unique_ptr<PVFBinBlock>> blocks_;
};
