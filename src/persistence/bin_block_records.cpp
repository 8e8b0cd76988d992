// Sub-records inside a PVFBinBlock: "<length>\n<bytes>\n" packed one after another, and the
// separator cut.
#include <varnex/persistence/bin_block.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

bool IsDigit(unsigned char c) {
  return std::isdigit(c) != 0;
}

// Where the first sub-record of `data` begins and how long it claims to be.
struct RecordHeader {
  unsigned payloadStart = 0;
  unsigned count = 0;
};

// Leading non-digits are skipped (the line feed that closes the previous record); the count
// must be positive and followed by more than its digits. Exactly one line break ("\n", "\r\n"
// or "\r") separates the count from the payload, so a payload that itself starts with a line
// break or with digits comes back unchanged.
bool ParseRecordHeader(const unsigned char* data, unsigned length, RecordHeader& header) {
  unsigned i = 0;
  while (i < length && !IsDigit(data[i])) {
    ++i;
  }
  std::uint64_t count = 0;
  bool anyDigit = false;
  for (; i < length && IsDigit(data[i]); ++i) {
    count = std::min<std::uint64_t>(count * 10 + (data[i] - '0'), UINT32_MAX);
    anyDigit = true;
  }
  if (!anyDigit || i == length || count < 1) {
    return false;
  }
  if (data[i] == '\r') {
    ++i;
  }
  if (i < length && data[i] == '\n') {
    ++i;
  }
  header.payloadStart = i;
  header.count = static_cast<unsigned>(count);
  return true;
}

}  // namespace

const unsigned char* PVFBinBlock::Connect(const PVFBinBlock& part) {
  if (part.length_ == 0) {
    return nullptr;
  }
  PVFBinBlock copy(part);  // the part may be this block
  std::string count = std::to_string(copy.length_) + "\n";
  std::uint64_t total = std::uint64_t{length_} + count.size() + copy.length_ + 1;
  if (total > UINT32_MAX) {
    return nullptr;
  }
  GrowTo(static_cast<unsigned>(total));  // one allocation for the whole record
  Append(reinterpret_cast<const unsigned char*>(count.data()), static_cast<unsigned>(count.size()));
  Append(copy.data_, copy.length_);
  Append(reinterpret_cast<const unsigned char*>("\n"), 1);
  return data_;
}

const unsigned char* PVFBinBlock::UnConnectFirst(PVFBinBlock& out) {
  RecordHeader header;
  if (!ParseRecordHeader(data_, length_, header)) {
    if (&out != this) {
      out.Set(nullptr, 0);
    }
    return nullptr;
  }
  // Never past the end: a count larger than the bytes present takes what is there.
  unsigned taken = std::min(header.count, length_ - header.payloadStart);
  PVFBinBlock piece(data_ + header.payloadStart, taken);
  RemoveFront(header.payloadStart + taken);
  out.Set(piece.data_, piece.length_);
  return out.length_ == 0 ? nullptr : out.data_;
}

void PVFBinBlock::RemoveFront(unsigned n) {
  n = std::min(n, length_);
  if (n != 0) {
    std::memmove(data_, data_ + n, length_ - n);
    length_ -= n;
    Terminate();
  }
}

const unsigned char* PVFBinBlock::CutForward(PVFBinBlock& rest, const PVFBinBlock& separator) {
  if (&rest == this) {
    return nullptr;
  }
  PVFBinBlock sep(separator);  // the separator may be `rest`, which is emptied first
  rest.Set(nullptr, 0);
  if (length_ == 0 || sep.length_ == 0 || sep.length_ > length_) {
    return nullptr;
  }
  const unsigned char* begin = data_;
  const unsigned char* end = begin + length_;
  const unsigned char* found =
      std::search(begin, end, sep.GetpBlock(), sep.GetpBlock() + sep.length_);
  if (found == end) {
    return nullptr;
  }
  unsigned before = static_cast<unsigned>(found - begin);
  unsigned after = before + sep.length_;
  rest.Set(data_ + after, length_ - after);
  length_ = before;
  Terminate();
  return rest.data_;
}
