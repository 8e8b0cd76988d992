// Token reading and joining helpers of the feature library.
#include "library/token_reader.h"

#include <strings.h>

#include <algorithm>
#include <cctype>

namespace varnex::library {

TokenReader::TokenReader(const PVMStrg& text)
    : owned_(std::make_unique<PARSE_ATTACHMENT>(text, static_cast<PARSE_ATTACHMENT*>(nullptr))),
      source_(owned_.get()),
      scope_(source_) {}

TokenReader::TokenReader(PARSE_ATTACHMENT* source) : source_(source), scope_(source) {}

PVMStrg TokenReader::Slice(std::size_t begin, std::size_t end) const {
  const std::string text = ToStd(source_->SourceCode());
  end = std::min(end, text.size());
  begin = std::min(begin, end);
  return Trimmed(PVMStrg(text.substr(begin, end - begin)));
}

PVMStrg QuoteLiteral(const PVMStrg& value) {
  PVMStrg quoted("'");
  for (unsigned i = 0; i < value.Length(); ++i) {
    if (value.At(i) == '\'') {
      quoted &= '\\';
    }
    quoted &= value.At(i);
  }
  quoted &= '\'';
  return quoted;
}

namespace {

bool IsWordChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '@';
}

}  // namespace

void AppendJoined(PVMStrg& out, const PVMStrg& token) {
  if (out.IsNotVoid() && token.IsNotVoid() && IsWordChar(out.At(out.Length() - 1)) &&
      IsWordChar(token.At(0))) {
    out &= ' ';
  }
  out &= token;
}

PVMStrg Trimmed(const PVMStrg& text) {
  PVMStrg copy(text);
  copy.WhiteSpaceTrim();
  return copy;
}

bool EqualsIgnoringCase(const char* a, const char* b) {
  return strcasecmp(a == nullptr ? "" : a, b == nullptr ? "" : b) == 0;
}

}  // namespace varnex::library
