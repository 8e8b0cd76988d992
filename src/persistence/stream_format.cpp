// Format state of the stream family and the manipulators that change it.
#include <varnex/persistence/stream.h>

#include <cstring>

PVFStreamFmt::~PVFStreamFmt() = default;

bool PVFStreamFmt::IsSkipChar(char c) const {
  return c != 0 && SkipChars && SkipChars->find(c) != std::string::npos;
}

PVFStream::~PVFStream() = default;

PVMStrg PVFStream::FmtSkipChars(const char* chars) {
  PVMStrg old(fmt_.SkipCharsText());
  if (chars == nullptr) {
    fmt_.SkipChars.reset();
  } else {
    fmt_.SkipChars = std::string(chars);
  }
  return old;
}

void PVFStream::ItemEnd() {
  if (itemDepth_ <= 0) {
    return;  // an unmatched end closes nothing
  }
  --itemDepth_;
  if (itemDepth_ == 0 && fmt_.Delim != 0) {
    WriteChar(fmt_.Delim);
  }
}

PVFStream& Reset(PVFStream& stream) {
  stream.FmtReset();
  return stream;
}

PVFStream& Dec(PVFStream& stream) {
  stream.FmtIntBase(PVFStreamFmt::kDecimal);
  return stream;
}

PVFStream& Hex(PVFStream& stream) {
  stream.FmtIntBase(PVFStreamFmt::kHexadecimal);
  return stream;
}

PVFStream& Oct(PVFStream& stream) {
  stream.FmtIntBase(PVFStreamFmt::kOctal);
  return stream;
}

PVFStream& Bin(PVFStream& stream) {
  stream.FmtIntBase(PVFStreamFmt::kBinary);
  return stream;
}

PVFStream& Flush(PVFStream& stream) {
  return stream.Flush();
}

// Ends the line whatever the character conversion: the line feed is written as itself.
PVFStream& Endl(PVFStream& stream) {
  return stream.Write("\n", 1);
}
