// The output path of PVFStream: every item is formatted in the work buffer, converted by
// CharConv and handed whole to the subclass's Write.
#include <varnex/persistence/bin_block.h>
#include <varnex/persistence/stream.h>

#include <algorithm>
#include <cctype>

#include "base/number_format.h"
#include "persistence/c_escapes.h"

namespace {

varnex::base::IntegerFormat IntegerFormatOf(const PVFStream& stream) {
  return {stream.FmtIntBase(), stream.FmtShowBase() == TRUE, stream.FmtIntRange()};
}

void ConvertCase(std::string& text, int (*convert)(int)) {
  std::transform(text.begin(), text.end(), text.begin(), [convert](char c) {
    return static_cast<char>(convert(static_cast<unsigned char>(c)));
  });
}

}  // namespace

void PVFStream::EmitItem() {
  switch (fmt_.CharConv & 7) {
    case PVFStreamFmt::kToLower:
      ConvertCase(work_, std::tolower);
      break;
    case PVFStreamFmt::kToUpper:
      ConvertCase(work_, std::toupper);
      break;
    case PVFStreamFmt::kEscapes:
      work_ = varnex::persistence::EscapeText(work_);
      break;
    default:
      break;
  }
  if (!work_.empty()) {
    Write(work_.data(), static_cast<unsigned>(work_.size()));
  }
  work_.clear();
}

PVFStream& PVFStream::operator<<(const char* text) {
  if (text != nullptr) {
    work_ = text;
    EmitItem();
  }
  return *this;
}

PVFStream& PVFStream::operator<<(char c) {
  work_.assign(1, c);
  EmitItem();
  return *this;
}

PVFStream& PVFStream::operator<<(const PVMStrg& text) {
  work_.assign(text.GetpStr(), text.Length());
  EmitItem();
  return *this;
}

PVFStream& PVFStream::operator<<(const PVFRString& text) {
  work_.assign(text.GetpStr(), text.Length());
  EmitItem();
  return *this;
}

PVFStream& PVFStream::operator<<(XBOOL value) {
  return *this << (value ? "TRUE" : "FALSE");
}

PVFStream& PVFStream::operator<<(int value) {
  work_ = varnex::base::FormatSigned(value, IntegerFormatOf(*this));
  EmitItem();
  return *this;
}

PVFStream& PVFStream::operator<<(unsigned int value) {
  work_ = varnex::base::FormatUnsigned(value, IntegerFormatOf(*this));
  EmitItem();
  return *this;
}

PVFStream& PVFStream::operator<<(double value) {
  work_ = varnex::base::FormatFloat(value, fmt_.Precision, fmt_.ExponentForm());
  EmitItem();
  return *this;
}

// The framing is written as itself, in decimal, whatever the format: a reader must find it.
PVFStream& PVFStream::operator<<(const PVFBinBlock& block) {
  std::string length = varnex::base::FormatUnsigned(block.Length()) + "\n";
  Write(length.data(), static_cast<unsigned>(length.size()));
  for (unsigned i = 0; i < block.Length(); ++i) {
    WriteByte(block.GetpBlock()[i]);
  }
  return Write("\n", 1);
}

PVFStream& PVFStream::PutCString(const char* text) {
  if (text == nullptr) {
    return *this;
  }
  std::string quoted = std::string("\"").append(varnex::persistence::EscapeText(text)).append("\"");
  return Write(quoted.data(), static_cast<unsigned>(quoted.size()));
}
