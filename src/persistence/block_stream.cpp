// PVFBStream: a stream over an owned byte block.
#include <varnex/persistence/block_stream.h>

#include <algorithm>
#include <cstdint>

PVFBStream::PVFBStream() : input_(false) {}

PVFBStream::PVFBStream(const char* text) : block_(text), input_(true) {}

PVFBStream::PVFBStream(const unsigned char* bytes, unsigned n) : block_(bytes, n), input_(true) {}

PVFBStream::~PVFBStream() = default;

// The block itself grows by two bytes at a time; a stream grows it geometrically instead.
void PVFBStream::MakeRoomFor(unsigned n) {
  std::uint64_t needed = std::uint64_t{block_.Length()} + n;
  if (needed > block_.Capacity()) {
    std::uint64_t grown = std::max(needed + 1, 2 * std::uint64_t{block_.Capacity()} + 2);
    block_.ReSize(static_cast<unsigned>(std::min<std::uint64_t>(grown, UINT32_MAX)));
  }
}

PVFStream& PVFBStream::WriteByte(unsigned char b) {
  if (!input_) {
    MakeRoomFor(1);
    block_ &= b;
  }
  return *this;
}

PVFStream& PVFBStream::Write(const char* data, unsigned n) {
  if (!input_ && data != nullptr && n != 0) {
    MakeRoomFor(n);
    block_.Append(reinterpret_cast<const unsigned char*>(data), n);
  }
  return *this;
}

PVFStream& PVFBStream::ReadByte(unsigned char& b) {
  if (!input_) {
    b = 0;
  } else if (readPos_ >= block_.Length()) {
    b = static_cast<unsigned char>(PVF_END_OF_INPUT);
  } else {
    b = block_.GetpBlock()[readPos_++];
  }
  return *this;
}

PVFStream& PVFBStream::ReadChar(char& c) {
  unsigned char b = 0;
  ReadByte(b);
  c = static_cast<char>(b);
  return *this;
}

void PVFBStream::Clear() {
  if (!input_) {
    block_.Set(nullptr, 0);
  }
}
