// The operations of PVMStrg and PVFRString, written once over the shared template and
// instantiated for both string classes at the end of this file.
#include <varnex/base/strg.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>

#include "base/number_format.h"

namespace {

const char* OrEmpty(const char* text) {
  return text == nullptr ? "" : text;
}

}  // namespace

template <class Self, class Alloc>
BasicStrg<Self, Alloc>::BasicStrg(const char* text) : text_(OrEmpty(text)) {}

template <class Self, class Alloc>
BasicStrg<Self, Alloc>::BasicStrg(const char* text, unsigned length) {
  if (text != nullptr) {
    text_.assign(text, length);
  }
}

template <class Self, class Alloc>
BasicStrg<Self, Alloc>::BasicStrg(const BasicStrg& other, unsigned start) {
  if (start < other.text_.size()) {
    text_.assign(other.text_, start);
  }
}

template <class Self, class Alloc>
BasicStrg<Self, Alloc>::BasicStrg(unsigned reserve) {
  text_.reserve(reserve);
}

template <class Self, class Alloc>
BasicStrg<Self, Alloc>::BasicStrg(char c, unsigned count) : text_(count, c) {}

// ---- assignment, appending, concatenation ----

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator=(char c) {
  text_.assign(1, c);
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator=(const char* text) {
  text_.assign(OrEmpty(text));  // safe also when text points into text_
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator&=(char c) {
  text_.push_back(c);
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator&=(const char* text) {
  text_.append(OrEmpty(text));
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator&=(const Self& other) {
  text_.append(other.text_);
  return self();
}

template <class Self, class Alloc>
Self BasicStrg<Self, Alloc>::operator&(char c) const {
  Self result(self());
  result &= c;
  return result;
}

template <class Self, class Alloc>
Self BasicStrg<Self, Alloc>::operator&(const char* text) const {
  Self result(self());
  result &= text;
  return result;
}

template <class Self, class Alloc>
Self BasicStrg<Self, Alloc>::operator&(const Self& other) const {
  Self result(self());
  result &= other;
  return result;
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::Append(int value) {
  text_.append(varnex::base::FormatSigned(value));
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::Append(double value) {
  text_.append(varnex::base::FormatFloat(value));
  return self();
}

template <class Self, class Alloc>
int BasicStrg<Self, Alloc>::Compare(const char* text) const {
  const char* other = OrEmpty(text);
  std::size_t otherLength = std::strlen(other);
  std::size_t common = std::min(text_.size(), otherLength);
  int order = std::memcmp(text_.data(), other, common);
  if (order != 0) {
    return order;
  }
  return text_.size() < otherLength ? -1 : (text_.size() > otherLength ? 1 : 0);
}

// ---- searching ----

template <class Self, class Alloc>
XBOOL BasicStrg<Self, Alloc>::Find(char c) const {
  return ToXBool(text_.find(c) != Text::npos);
}

template <class Self, class Alloc>
XBOOL BasicStrg<Self, Alloc>::Find(const char* text) const {
  return ToXBool(text_.find(OrEmpty(text)) != Text::npos);
}

template <class Self, class Alloc>
XBOOL BasicStrg<Self, Alloc>::FindAt(char c, unsigned pos) const {
  return ToXBool(text_.find(c, pos) != Text::npos);
}

template <class Self, class Alloc>
XBOOL BasicStrg<Self, Alloc>::FindAt(const char* text, unsigned pos) const {
  return ToXBool(pos <= text_.size() && text_.find(OrEmpty(text), pos) != Text::npos);
}

template <class Self, class Alloc>
XBOOL BasicStrg<Self, Alloc>::FindFirstAt(char c, unsigned pos) const {
  return ToXBool(FindAt(c, pos) || Find(c));
}

template <class Self, class Alloc>
XBOOL BasicStrg<Self, Alloc>::FindFirstAt(const char* text, unsigned pos) const {
  return ToXBool(FindAt(text, pos) || Find(text));
}

template <class Self, class Alloc>
XBOOL BasicStrg<Self, Alloc>::StartsWith(char c) const {
  return ToXBool(!text_.empty() && text_.front() == c);
}

template <class Self, class Alloc>
XBOOL BasicStrg<Self, Alloc>::StartsWith(const char* text) const {
  return ToXBool(text_.starts_with(OrEmpty(text)));
}

template <class Self, class Alloc>
XBOOL BasicStrg<Self, Alloc>::EndsWith(char c) const {
  return ToXBool(!text_.empty() && text_.back() == c);
}

template <class Self, class Alloc>
XBOOL BasicStrg<Self, Alloc>::EndsWith(const char* text) const {
  return ToXBool(text_.ends_with(OrEmpty(text)));
}

template <class Self, class Alloc>
int BasicStrg<Self, Alloc>::Count(char c) const {
  return static_cast<int>(std::count(text_.begin(), text_.end(), c));
}

template <class Self, class Alloc>
int BasicStrg<Self, Alloc>::Count(const char* text) const {
  std::size_t length = std::strlen(OrEmpty(text));
  if (length == 0) {
    return 0;
  }
  int count = 0;
  for (std::size_t at = text_.find(text); at != Text::npos; at = text_.find(text, at + length)) {
    ++count;
  }
  return count;
}

// ---- bracing ----

template <class Self, class Alloc>
const char* BasicStrg<Self, Alloc>::Brace(char c) {
  if (c != '\0') {
    text_.insert(text_.begin(), c);
    text_.push_back(c);
  }
  return text_.c_str();
}

template <class Self, class Alloc>
const char* BasicStrg<Self, Alloc>::Brace(const char* text) {
  Text brace(OrEmpty(text));  // copy: text may point into this string
  if (!brace.empty()) {
    text_.insert(0, brace);
    text_.append(brace);
  }
  return text_.c_str();
}

template <class Self, class Alloc>
const char* BasicStrg<Self, Alloc>::UnBrace(char c) {
  if (text_.size() > 1 && text_.front() == c && text_.back() == c) {
    text_.erase(text_.size() - 1);
    text_.erase(0, 1);
  }
  return text_.c_str();
}

template <class Self, class Alloc>
const char* BasicStrg<Self, Alloc>::UnBrace(const char* text) {
  Text brace(OrEmpty(text));
  if (!brace.empty() && text_.size() >= 2 * brace.size() && text_.starts_with(brace) &&
      text_.ends_with(brace)) {
    text_.erase(text_.size() - brace.size());
    text_.erase(0, brace.size());
  }
  return text_.c_str();
}

// ---- cutting ----

namespace {

// Moves the part of `text` around the separator at `at` (length `length`) into `out` and
// `text`: out receives [0, at) when `before` is set, else what follows the separator.
template <class Text, class Out>
void SplitAt(Text& text, Out& out, std::size_t at, std::size_t length, bool before) {
  Text head = text.substr(0, at);
  Text tail = text.substr(at + length);
  if (before) {
    out = head.c_str();
    text.swap(tail);
  } else {
    out = tail.c_str();
    text.swap(head);
  }
}

}  // namespace

template <class Self, class Alloc>
const char* BasicStrg<Self, Alloc>::CutForward(Self& out, char c) {
  const char separator[2] = {c, '\0'};
  return CutForward(out, separator);
}

template <class Self, class Alloc>
const char* BasicStrg<Self, Alloc>::CutForward(Self& out, const char* text) {
  if (text_.empty()) {
    return out.GetpStr();
  }
  Text separator(OrEmpty(text));
  std::size_t at = separator.empty() ? Text::npos : text_.find(separator);
  if (at == Text::npos) {
    out = text_.c_str();
    text_.clear();
  } else {
    SplitAt(text_, out, at, separator.size(), true);
  }
  return out.GetpStr();
}

template <class Self, class Alloc>
const char* BasicStrg<Self, Alloc>::CutBackward(Self& out, char c) {
  const char separator[2] = {c, '\0'};
  return CutBackward(out, separator);
}

template <class Self, class Alloc>
const char* BasicStrg<Self, Alloc>::CutBackward(Self& out, const char* text) {
  if (text_.empty()) {
    return out.GetpStr();
  }
  Text separator(OrEmpty(text));
  std::size_t at = separator.empty() ? Text::npos : text_.rfind(separator);
  if (at == Text::npos) {
    out = text_.c_str();
    text_.clear();
  } else {
    SplitAt(text_, out, at, separator.size(), false);
  }
  return out.GetpStr();
}

namespace {

// The four drop/keep operators share one shape: find the first or last occurrence, then keep
// the text before it or the text after it.
template <class Text>
void KeepAround(Text& text, const Text& separator, bool last, bool keepBefore) {
  if (separator.empty()) {
    return;
  }
  std::size_t at = last ? text.rfind(separator) : text.find(separator);
  if (at == Text::npos) {
    return;
  }
  if (keepBefore) {
    text.erase(at);
  } else {
    text.erase(0, at + separator.size());
  }
}

}  // namespace

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator>>(char c) {
  KeepAround(text_, Text(1, c), false, false);
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator>>(const char* text) {
  KeepAround(text_, Text(OrEmpty(text)), false, false);
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator<<=(char c) {
  KeepAround(text_, Text(1, c), true, false);
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator<<=(const char* text) {
  KeepAround(text_, Text(OrEmpty(text)), true, false);
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator<<(char c) {
  KeepAround(text_, Text(1, c), true, true);
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator<<(const char* text) {
  KeepAround(text_, Text(OrEmpty(text)), true, true);
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator>>=(char c) {
  KeepAround(text_, Text(1, c), false, true);
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator>>=(const char* text) {
  KeepAround(text_, Text(OrEmpty(text)), false, true);
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator>>(unsigned n) {
  if (n < text_.size()) {
    text_.erase(n, 1);
  }
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator<<(unsigned n) {
  if (n < text_.size()) {
    text_.erase(text_.size() - 1 - n, 1);
  }
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator-(char c) {
  if (!text_.empty() && text_.back() == c) {
    text_.pop_back();
  }
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::operator-(int n) {
  if (n > 0) {
    text_.erase(text_.size() - std::min<std::size_t>(n, text_.size()));
  }
  return self();
}

// ---- replacing ----

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::ReplaceForward(char from, char to) {
  std::size_t at = text_.find(from);
  if (at != Text::npos) {
    text_[at] = to;
  }
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::ReplaceForward(const char* from, const char* to) {
  Text pattern(OrEmpty(from));
  std::size_t at = pattern.empty() ? Text::npos : text_.find(pattern);
  if (at != Text::npos) {
    text_.replace(at, pattern.size(), Text(OrEmpty(to)));
  }
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::ReplaceBackward(char from, char to) {
  std::size_t at = text_.rfind(from);
  if (at != Text::npos) {
    text_[at] = to;
  }
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::ReplaceBackward(const char* from, const char* to) {
  Text pattern(OrEmpty(from));
  std::size_t at = pattern.empty() ? Text::npos : text_.rfind(pattern);
  if (at != Text::npos) {
    text_.replace(at, pattern.size(), Text(OrEmpty(to)));
  }
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::ReplaceAll(char from, char to) {
  if (from != to) {
    std::replace(text_.begin(), text_.end(), from, to);
  }
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::ReplaceAll(const char* from, const char* to) {
  Text pattern(OrEmpty(from));
  Text replacement(OrEmpty(to));
  if (pattern.empty() || pattern == replacement) {
    return self();
  }
  Text result;
  std::size_t start = 0;
  for (std::size_t at = text_.find(pattern); at != Text::npos; at = text_.find(pattern, start)) {
    result.append(text_, start, at - start);
    result.append(replacement);
    start = at + pattern.size();
  }
  result.append(text_, start);
  text_.swap(result);
  return self();
}

// ---- whole-text transformations ----

template <class Self, class Alloc>
int BasicStrg<Self, Alloc>::WhiteSpaceTrim() {
  static const char kWhite[] = " \t\n";
  std::size_t first = text_.find_first_not_of(kWhite);
  if (first == Text::npos) {
    text_.clear();
    return 0;
  }
  std::size_t last = text_.find_last_not_of(kWhite);
  text_ = text_.substr(first, last - first + 1);
  return Length();
}

template <class Self, class Alloc>
XBOOL BasicStrg<Self, Alloc>::IsDecimalNumber(int* value) const {
  std::uint32_t number = 0;
  for (char c : text_) {
    if (c < '0' || c > '9') {
      return FALSE;
    }
    number = number * 10u + static_cast<std::uint32_t>(c - '0');
  }
  if (value != nullptr) {
    *value = static_cast<int>(number);
  }
  return TRUE;
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::ToLower() {
  for (char& c : text_) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::ToUpper() {
  for (char& c : text_) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return self();
}

template <class Self, class Alloc>
Self& BasicStrg<Self, Alloc>::ToAscii() {
  for (char& c : text_) {
    c = static_cast<char>(static_cast<unsigned char>(c) & 0x7Fu);
  }
  return self();
}

template <class Self, class Alloc>
unsigned BasicStrg<Self, Alloc>::ReSize(unsigned n) {
  if (n > text_.capacity()) {
    text_.reserve(n);
  }
  return Capacity();
}

const PVMStrg PVMStrg::NILSTRG;

template class BasicStrg<PVMStrg, ZelkoString::allocator<char>>;
template class BasicStrg<PVFRString, TransactionAllocator<char>>;
