// The scanning rules of PVFStream. Every reader takes the lookahead character before asking
// the source; the character that ends a scan goes back into the lookahead.
#include <varnex/persistence/bin_block.h>
#include <varnex/persistence/stream.h>

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "persistence/c_escapes.h"

namespace {

bool IsWhite(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool IsLetter(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// A decimal word as "%d" reads it, wrapping like 32-bit arithmetic instead of overflowing.
// A word starting with '-' gives 0: the caller has taken the sign already.
unsigned DecimalWordValue(const std::string& word) {
  std::size_t i = (!word.empty() && word[0] == '+') ? 1 : 0;
  std::uint32_t value = 0;
  for (; i < word.size() && std::isdigit(static_cast<unsigned char>(word[i])); ++i) {
    value = value * 10u + static_cast<std::uint32_t>(word[i] - '0');
  }
  return value;
}

}  // namespace

char PVFStream::NextChar() {
  if (lookahead_ != 0) {
    char c = lookahead_;
    lookahead_ = 0;
    return c;
  }
  char c = 0;
  ReadChar(c);
  return c;
}

PVFStream& PVFStream::Skip() {
  char c = NextChar();
  while (fmt_.SkipWhite && c != PVF_END_OF_INPUT && (IsWhite(c) || fmt_.IsSkipChar(c))) {
    c = NextChar();
  }
  PushBack(c);
  return *this;
}

char PVFStream::Peek() {
  char c = NextChar();
  PushBack(c);
  return c;
}

std::string PVFStream::ScanWord(bool stopAtLetter, bool stopAtDelim) {
  std::string word;
  for (char c = NextChar();; c = NextChar()) {
    bool ends = c == PVF_END_OF_INPUT || c == 0 || IsWhite(c) ||
                (stopAtDelim && fmt_.Delim != 0 && c == fmt_.Delim) ||
                (stopAtLetter && IsLetter(c));
    if (ends) {
      PushBack(c);
      return word;
    }
    word += c;
  }
}

unsigned PVFStream::ScanMagnitude(bool& negative) {
  Skip();
  char first = NextChar();
  negative = first == '-';
  if (!negative) {
    PushBack(first);
  }
  std::string word = ScanWord(true, true);
  return (word.empty() || word[0] == '-') ? 0u : DecimalWordValue(word);
}

int PVFStream::ScanInteger() {
  bool negative = false;
  unsigned magnitude = ScanMagnitude(negative);
  return static_cast<int>(negative ? 0u - magnitude : magnitude);
}

PVFStream& PVFStream::operator>>(char& c) {
  Skip();
  c = NextChar();
  return *this;
}

PVFStream& PVFStream::operator>>(unsigned char& value) {
  value = static_cast<unsigned char>(ScanInteger());
  return *this;
}

PVFStream& PVFStream::operator>>(short& value) {
  value = static_cast<short>(ScanInteger());
  return *this;
}

PVFStream& PVFStream::operator>>(unsigned short& value) {
  value = static_cast<unsigned short>(ScanInteger());
  return *this;
}

PVFStream& PVFStream::operator>>(unsigned int& value) {
  value = static_cast<unsigned>(ScanInteger());
  return *this;
}

PVFStream& PVFStream::operator>>(int& value) {
  value = ScanInteger();
  return *this;
}

PVFStream& PVFStream::operator>>(double& value) {
  Skip();
  std::string word = ScanWord(false, true);
  if (word.empty()) {
    return *this;
  }
  char* end = nullptr;
  double read = std::strtod(word.c_str(), &end);
  if (end != word.c_str()) {
    value = read;
  }
  return *this;
}

// A value beyond the float range becomes an infinity rather than an undefined conversion.
PVFStream& PVFStream::operator>>(float& value) {
  double wide = value;
  *this >> wide;
  if (std::isfinite(wide) && std::fabs(wide) > FLT_MAX) {
    wide = std::copysign(HUGE_VAL, wide);
  }
  value = static_cast<float>(wide);
  return *this;
}

PVFStream& PVFStream::operator>>(PVMStrg& word) {
  word = "";
  Skip();
  std::string text = ScanWord(false, false);
  word = PVMStrg(text.data(), static_cast<unsigned>(text.size()));
  return *this;
}

PVFStream& PVFStream::operator>>(PVFBinBlock& block) {
  block.Set(nullptr, 0);
  bool negative = false;
  unsigned count = ScanMagnitude(negative);
  if (!negative && count > 0) {
    ReadBlockBytes(block, count);
  }
  return *this;
}

// The bytes come straight from the source: the lookahead still holds the line feed after the
// length. Memory grows with the bytes really present, not with the stated length.
void PVFStream::ReadBlockBytes(PVFBinBlock& block, unsigned count) {
  std::vector<unsigned char> bytes;
  bytes.reserve(std::min(count, 1u << 16));
  for (unsigned i = 0; i < count && !Eof(); ++i) {
    unsigned char b = 0;
    ReadByte(b);
    bytes.push_back(b);
  }
  block.Append(bytes.data(), static_cast<unsigned>(bytes.size()));
}

void PVFStream::ReadCStringBody(std::string& text) {
  for (char c = NextChar();; c = NextChar()) {
    if (c == '"') {
      return;  // the closing quote is consumed
    }
    if (c == 0 || c == PVF_END_OF_INPUT) {
      PushBack(c);
      return;
    }
    if (c != '\\') {
      text += c;
      continue;
    }
    char letter = NextChar();
    if (letter == 0 || letter == PVF_END_OF_INPUT) {
      PushBack(letter);
      return;
    }
    char decoded = varnex::persistence::UnescapeLetter(letter);
    if (decoded != 0) {
      text += decoded;  // an unknown escape drops both characters
    }
  }
}

PVFStream& PVFStream::GetCString(PVMStrg& text) {
  text = "";
  Skip();
  char c = NextChar();
  if (c != '"') {
    PushBack(c);
    return *this;
  }
  std::string body;
  ReadCStringBody(body);
  text = PVMStrg(body.data(), static_cast<unsigned>(body.size()));
  return *this;
}

PVFStream& PVFStream::GetCString(char* text, unsigned n) {
  PVMStrg read;
  GetCString(read);
  if (text == nullptr || n == 0) {
    return *this;
  }
  unsigned copied = std::min(read.Length(), n);
  std::memcpy(text, read.GetpStr(), copied);
  if (copied < n) {
    text[copied] = '\0';
  }
  return *this;
}

XBOOL PVFStream::SearchString(const PVMStrg& word, int n) {
  int seen = 0;
  int wanted = std::max(n, 0) + 1;
  PVMStrg read;
  for (;;) {
    *this >> read;
    if (read.IsVoid()) {
      return FALSE;
    }
    if (read == word && ++seen == wanted) {
      return TRUE;
    }
  }
}
