// PVMStrg and PVFRString: the engine's byte strings. Names, statement texts, formulas and values
// travel as these. Both share one implementation (BasicStrg); they differ only in where their
// text is stored: PVMStrg in the memory-manager library, PVFRString in the transaction space
// beside the model objects that hold it.
#pragma once

#include <varnex/base/transaction.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <string>

/// The shared implementation of PVMStrg and PVFRString. `Self` is the concrete string class,
/// `Alloc` the allocator of its text. Text is 8-bit, compared byte-wise and case-sensitively.
template <class Self, class Alloc>
class VARNEX_API BasicStrg {
 public:
  using Text = std::basic_string<char, std::char_traits<char>, Alloc>;

  BasicStrg() = default;
  BasicStrg(const char* text);  // null counts as the empty string
  BasicStrg(const char* text, unsigned length);
  BasicStrg(const BasicStrg& other, unsigned start);
  explicit BasicStrg(unsigned reserve);
  BasicStrg(char c, unsigned count);

  // Size and access.
  unsigned Length() const { return static_cast<unsigned>(text_.size()); }
  unsigned Size() const { return Length(); }
  unsigned Capacity() const { return static_cast<unsigned>(text_.capacity()); }
  XBOOL IsVoid() const { return ToXBool(text_.empty()); }
  XBOOL IsNotVoid() const { return ToXBool(!text_.empty()); }
  operator const char*() const { return text_.c_str(); }
  const char* GetpStr() const { return text_.c_str(); }
  /// Byte at `index`; 0 when the index is outside the text.
  char At(unsigned index) const { return index < text_.size() ? text_[index] : '\0'; }
  char operator[](int index) const { return index < 0 ? '\0' : At(static_cast<unsigned>(index)); }
  char operator[](unsigned index) const { return At(index); }
  char operator[](long index) const { return index < 0 ? '\0' : At(static_cast<unsigned>(index)); }
  char operator[](unsigned long index) const { return At(static_cast<unsigned>(index)); }
  const Text& Std() const { return text_; }
  void Swap(Self& other) noexcept { text_.swap(other.text_); }

  // Assignment, appending, concatenation.
  Self& operator=(char c);
  Self& operator=(const char* text);
  Self& operator&=(char c);
  Self& operator&=(const char* text);
  Self& operator&=(const Self& other);
  Self operator&(char c) const;
  Self operator&(const char* text) const;
  Self operator&(const Self& other) const;
  friend Self operator&(const char* left, const Self& right) {
    Self result(left);
    result &= right;
    return result;
  }
  /// Appends the number in the stream family's decimal form.
  Self& Append(int value);
  /// Appends the number in the stream family's shortest floating-point form.
  Self& Append(double value);

  // Comparison: byte-wise, case-sensitive.
  // Free functions over the concrete class, so that C++20's reversed candidates match exactly.
  friend XBOOL operator==(const Self& l, const Self& r) { return ToXBool(l.text_ == r.text_); }
  friend XBOOL operator!=(const Self& l, const Self& r) { return ToXBool(l.text_ != r.text_); }
  friend XBOOL operator<(const Self& l, const Self& r) { return ToXBool(l.text_ < r.text_); }
  friend XBOOL operator<=(const Self& l, const Self& r) { return ToXBool(l.text_ <= r.text_); }
  friend XBOOL operator>(const Self& l, const Self& r) { return ToXBool(l.text_ > r.text_); }
  friend XBOOL operator>=(const Self& l, const Self& r) { return ToXBool(l.text_ >= r.text_); }
  friend XBOOL operator==(const Self& l, const char* r) { return ToXBool(l.Compare(r) == 0); }
  friend XBOOL operator!=(const Self& l, const char* r) { return ToXBool(l.Compare(r) != 0); }
  friend XBOOL operator<(const Self& l, const char* r) { return ToXBool(l.Compare(r) < 0); }
  friend XBOOL operator<=(const Self& l, const char* r) { return ToXBool(l.Compare(r) <= 0); }
  friend XBOOL operator>(const Self& l, const char* r) { return ToXBool(l.Compare(r) > 0); }
  friend XBOOL operator>=(const Self& l, const char* r) { return ToXBool(l.Compare(r) >= 0); }
  friend XBOOL operator==(const char* l, const Self& r) { return ToXBool(r.Compare(l) == 0); }
  friend XBOOL operator!=(const char* l, const Self& r) { return ToXBool(r.Compare(l) != 0); }
  friend XBOOL operator<(const char* l, const Self& r) { return ToXBool(r.Compare(l) > 0); }
  friend XBOOL operator<=(const char* l, const Self& r) { return ToXBool(r.Compare(l) >= 0); }
  friend XBOOL operator>(const char* l, const Self& r) { return ToXBool(r.Compare(l) < 0); }
  friend XBOOL operator>=(const char* l, const Self& r) { return ToXBool(r.Compare(l) <= 0); }
  /// <0, 0, >0 like strcmp, comparing bytes as unsigned; null compares as the empty string.
  int Compare(const char* text) const;

  // Searching.
  XBOOL Find(char c) const;
  XBOOL Find(const char* text) const;
  XBOOL FindAt(char c, unsigned pos) const;
  XBOOL FindAt(const char* text, unsigned pos) const;
  /// TRUE if found at or after `pos`, otherwise if found anywhere from the start.
  XBOOL FindFirstAt(char c, unsigned pos) const;
  XBOOL FindFirstAt(const char* text, unsigned pos) const;
  XBOOL StartsWith(char c) const;
  XBOOL StartsWith(const char* text) const;
  XBOOL EndsWith(char c) const;
  XBOOL EndsWith(const char* text) const;
  /// Occurrences of a byte; of a text, non-overlapping occurrences.
  int Count(char c) const;
  int Count(const char* text) const;

  // Bracing.
  /// Puts `x` in front and at the end; an empty or null `x` changes nothing. Returns the text.
  const char* Brace(char c);
  const char* Brace(const char* text);
  /// Removes one `x` from each end when the text starts and ends with it and is at least twice
  /// as long (for a byte: longer than 1). Returns the text.
  const char* UnBrace(char c);
  const char* UnBrace(const char* text);

  // Cutting.
  /// `out` takes the text before the first `c`, this string keeps what follows it; without `c`
  /// `out` takes everything and this string is emptied. Returns out's text.
  const char* CutForward(Self& out, char c);
  const char* CutForward(Self& out, const char* text);
  /// As CutForward, at the last `c`: `out` takes the text after it, this keeps the text before.
  const char* CutBackward(Self& out, char c);
  const char* CutBackward(Self& out, const char* text);
  /// Drops everything up to and including the first occurrence; unchanged when absent.
  Self& operator>>(char c);
  Self& operator>>(const char* text);
  /// Drops everything up to and including the last occurrence; unchanged when absent.
  Self& operator<<=(char c);
  Self& operator<<=(const char* text);
  /// Keeps only what precedes the last occurrence; unchanged when absent.
  Self& operator<<(char c);
  Self& operator<<(const char* text);
  /// Keeps only what precedes the first occurrence; unchanged when absent.
  Self& operator>>=(char c);
  Self& operator>>=(const char* text);
  /// Removes the byte at index n (no effect outside the text).
  Self& operator>>(unsigned n);
  Self& operator>>(int n) { return *this >> static_cast<unsigned>(n); }
  /// Removes the byte at index Length()-1-n (0 is the last byte).
  Self& operator<<(unsigned n);
  Self& operator<<(int n) { return *this << static_cast<unsigned>(n); }
  /// Removes the last byte when it equals `c`.
  Self& operator-(char c);
  /// Removes the last `n` bytes (everything when n exceeds the length).
  Self& operator-(int n);
  /// Keeps only what precedes the last occurrence of the text.
  Self& operator-(const char* text) { return *this << text; }

  // Replacing.
  Self& ReplaceForward(char from, char to);
  Self& ReplaceForward(const char* from, const char* to);
  Self& ReplaceBackward(char from, char to);
  Self& ReplaceBackward(const char* from, const char* to);
  Self& ReplaceAll(char from, char to);
  Self& ReplaceAll(const char* from, const char* to);

  // Whole-text transformations.
  /// Removes blanks, tabs and line feeds from both ends; returns the new length.
  int WhiteSpaceTrim();
  /// TRUE when every byte is a digit (the empty text is the number 0); stores the value, which
  /// wraps like a 32-bit integer for digit strings too long for one.
  XBOOL IsDecimalNumber(int* value) const;
  Self& ToLower();
  Self& ToUpper();
  /// Clears the high bit of every byte.
  Self& ToAscii();
  /// Grows the capacity to at least n without changing the text; returns the capacity.
  unsigned ReSize(unsigned n);
  void Print(const char* label) const {}

 protected:
  Self& self() { return static_cast<Self&>(*this); }
  const Self& self() const { return static_cast<const Self&>(*this); }
  Text text_;
};

class PVFRString;

/// Owned, growable byte string with value semantics; its text lives in the memory-manager
/// library.
class VARNEX_API PVMStrg : public BasicStrg<PVMStrg, ZelkoString::allocator<char>> {
 public:
  using BasicStrg::BasicStrg;
  using BasicStrg::operator=;
  PVMStrg() = default;
  PVMStrg(const PVMStrg&) = default;
  PVMStrg(PVMStrg&&) noexcept = default;
  PVMStrg& operator=(const PVMStrg&) = default;
  PVMStrg& operator=(PVMStrg&&) noexcept = default;
  PVMStrg(const std::string& text) : BasicStrg(text.data(), static_cast<unsigned>(text.size())) {}
  PVMStrg(const PVFRString& text);
  PVMStrg& operator=(const PVFRString& text);

  /// The shared empty string.
  static const PVMStrg NILSTRG;
};

/// The twin of PVMStrg whose text lives in the transaction space, for names, types and formulas
/// held by model objects.
class VARNEX_API PVFRString : public BasicStrg<PVFRString, TransactionAllocator<char>> {
 public:
  using BasicStrg::BasicStrg;
  using BasicStrg::operator=;
  PVFRString() = default;
  PVFRString(const PVFRString&) = default;
  PVFRString(PVFRString&&) noexcept = default;
  PVFRString& operator=(const PVFRString&) = default;
  PVFRString& operator=(PVFRString&&) noexcept = default;
  PVFRString(const PVMStrg& text) : BasicStrg(text.GetpStr(), text.Length()) {}
  PVFRString& operator=(const PVMStrg& text) {
    text_.assign(text.GetpStr(), text.Length());
    return *this;
  }
};

inline PVMStrg::PVMStrg(const PVFRString& text) : BasicStrg(text.GetpStr(), text.Length()) {}

inline PVMStrg& PVMStrg::operator=(const PVFRString& text) {
  text_.assign(text.GetpStr(), text.Length());
  return *this;
}

extern template class BasicStrg<PVMStrg, ZelkoString::allocator<char>>;
extern template class BasicStrg<PVFRString, TransactionAllocator<char>>;
