// PVFSStream and PVFAcisStream: text streams over an owned string.
#include <varnex/persistence/string_stream.h>

#include <cinttypes>
#include <cstdint>
#include <cstdlib>

#include "base/string_printf.h"

namespace {
constexpr std::size_t kInitialReserve = 30;
constexpr int kGeometryPrecision = 14;
}  // namespace

PVFSStream::PVFSStream() : input_(false) {
  text_.reserve(kInitialReserve);
}

PVFSStream::PVFSStream(const char* text) : text_(text == nullptr ? "" : text), input_(true) {}

PVFSStream::~PVFSStream() = default;

PVFStream& PVFSStream::WriteChar(char c) {
  if (!input_) {
    text_ += c;
  }
  return *this;
}

PVFStream& PVFSStream::Write(const char* data, unsigned n) {
  if (!input_ && data != nullptr) {
    text_.append(data, n);
  }
  return *this;
}

PVFStream& PVFSStream::ReadChar(char& c) {
  if (!input_) {
    c = 0;
  } else if (readPos_ >= text_.size()) {
    c = PVF_END_OF_INPUT;
  } else {
    c = text_[readPos_++];
  }
  return *this;
}

PVFStream& PVFSStream::ReadByte(unsigned char& b) {
  char c = 0;
  ReadChar(c);
  b = static_cast<unsigned char>(c);
  return *this;
}

void PVFSStream::Clear() {
  if (!input_) {
    text_.clear();
  }
}

PVFStream& PVFSStream::WriteAddress(const void* address) {
  auto value = reinterpret_cast<std::uintptr_t>(address);
  return *this << varnex::base::StringPrintf("0x%" PRIXPTR, value).c_str();
}

PVFStream& PVFSStream::ReadAddress(void*& address) {
  PVMStrg word;
  *this >> word;
  const char* digits = word.GetpStr();
  char* end = nullptr;
  unsigned long long value = std::strtoull(digits, &end, 16);  // takes an optional "0x"
  address = end == digits ? nullptr : reinterpret_cast<void*>(static_cast<std::uintptr_t>(value));
  return *this;
}

PVFAcisStream::PVFAcisStream() {
  FmtPrecision(kGeometryPrecision);
}

PVFAcisStream::PVFAcisStream(const char* text) : PVFSStream(text) {
  FmtPrecision(kGeometryPrecision);
}

PVFAcisStream::~PVFAcisStream() = default;
