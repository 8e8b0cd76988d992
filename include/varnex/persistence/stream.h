// PVFStream: the engine's text stream. The base class owns every formatting and scanning rule
// (integers, floating-point numbers, booleans, quoted strings, byte blocks); a subclass only
// supplies the character sink and source. Sources deliver the character 26 at the end of input,
// and every scanning rule treats 26 as end of input. Nothing here throws.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>
#include <varnex/persistence/stream_format.h>

#include <string>

class PVFBinBlock;

/// The end-of-input character every source delivers once its text is exhausted.
inline constexpr char PVF_END_OF_INPUT = 26;

class VARNEX_API PVFStream {
 public:
  using Manipulator = PVFStream& (*)(PVFStream&);

  PVFStream(const PVFStream&) = delete;
  PVFStream& operator=(const PVFStream&) = delete;

  // The sink and source every subclass supplies (this order is the slot order).
  virtual ~PVFStream();
  virtual PVFStream& Flush() = 0;
  virtual PVFStream& WriteChar(char c) = 0;
  virtual PVFStream& WriteByte(unsigned char b) = 0;
  virtual PVFStream& Write(const char* data, unsigned n) = 0;
  /// Delivers the next character: 26 at the end of input, 0 when the stream cannot read.
  virtual PVFStream& ReadChar(char& c) = 0;
  virtual PVFStream& ReadByte(unsigned char& b) = 0;
  /// TRUE when the source holds no further character. A block read stops there, so a stated
  /// length larger than the data never runs past it. Sources that cannot tell say FALSE.
  virtual XBOOL Eof() { return FALSE; }

  // Writing: each item is formatted whole, converted by CharConv and handed to Write once.
  PVFStream& operator<<(const char* text);  // null writes nothing
  PVFStream& operator<<(char c);
  PVFStream& operator<<(const PVMStrg& text);
  PVFStream& operator<<(const PVFRString& text);
  PVFStream& operator<<(XBOOL value);  // "TRUE" or "FALSE"
  PVFStream& operator<<(int value);
  PVFStream& operator<<(short value) { return *this << static_cast<int>(value); }
  PVFStream& operator<<(unsigned int value);
  PVFStream& operator<<(unsigned short value) { return *this << static_cast<unsigned>(value); }
  PVFStream& operator<<(unsigned char value) { return *this << static_cast<unsigned>(value); }
  PVFStream& operator<<(double value);
  PVFStream& operator<<(float value) { return *this << static_cast<double>(value); }
  /// The length in decimal, a line feed, the raw bytes, a line feed.
  PVFStream& operator<<(const PVFBinBlock& block);
  PVFStream& operator<<(Manipulator manipulator) { return manipulator(*this); }

  /// Writes n values one after another with nothing between them.
  template <class T>
  PVFStream& Put(const T* values, unsigned n) {
    for (unsigned i = 0; values != nullptr && i < n; ++i) {
      *this << values[i];
    }
    return *this;
  }
  /// Writes `text` in double quotes with C escapes; null writes nothing.
  PVFStream& PutCString(const char* text);

  // Reading: every item first skips white space (and SkipChars) while SkipWhite is TRUE; the
  // character that ends a scan stays in the lookahead for the next operation.
  PVFStream& operator>>(char& c);  // one character after skipping
  PVFStream& operator>>(unsigned char& value);
  PVFStream& operator>>(short& value);
  PVFStream& operator>>(unsigned short& value);
  PVFStream& operator>>(unsigned int& value);
  /// A decimal integer: an optional '-', then digits up to white space, Delim, a letter, 0 or 26.
  /// An empty word gives 0.
  PVFStream& operator>>(int& value);
  /// A number up to white space, Delim, 0 or 26 (letters belong to it: 1e-5 is one number).
  /// An empty or unreadable word leaves the target unchanged.
  PVFStream& operator>>(double& value);
  PVFStream& operator>>(float& value);
  /// One word up to white space, 0 or 26; the target is emptied first.
  PVFStream& operator>>(PVMStrg& word);
  /// Unbounded copies into a caller's array are not offered: read a PVMStrg or use Get.
  PVFStream& operator>>(char* text) = delete;
  /// Empties the block, reads the decimal length, then that many raw bytes, stopping early at
  /// the end of input (a negative length reads none).
  PVFStream& operator>>(PVFBinBlock& block);

  /// Reads n values of the same type (for char: n characters, each after skipping).
  template <class T>
  PVFStream& Get(T* values, unsigned n) {
    for (unsigned i = 0; values != nullptr && i < n; ++i) {
      *this >> values[i];
    }
    return *this;
  }
  /// Reads a double-quoted C string, decoding escapes. When the next item does not start with
  /// a double quote nothing is consumed and the target stays empty.
  PVFStream& GetCString(PVMStrg& text);
  /// As above, copying at most n bytes into `text`: a terminating zero only when it fits.
  PVFStream& GetCString(char* text, unsigned n);
  /// The next character, not consumed (no skipping).
  char Peek();
  /// Skips as before an item.
  PVFStream& Skip();
  /// Reads words until `word` has been read for the (n+1)-th time (TRUE) or the input ends
  /// (FALSE).
  XBOOL SearchString(const PVMStrg& word, int n);

  // Format state: each setter stores the new value and returns the old one.
  int FmtJustif() const { return fmt_.Justif; }
  int FmtJustif(int value) { return Exchange(fmt_.Justif, value); }
  int FmtWidth() const { return fmt_.Width; }
  int FmtWidth(int value) { return Exchange(fmt_.Width, value); }
  int FmtMaxWidth() const { return fmt_.MaxWidth; }
  int FmtMaxWidth(int value) { return Exchange(fmt_.MaxWidth, value); }
  char FmtFillChar() const { return fmt_.FillChar; }
  char FmtFillChar(char value) { return Exchange(fmt_.FillChar, value); }
  char FmtErrChar() const { return fmt_.ErrChar; }
  char FmtErrChar(char value) { return Exchange(fmt_.ErrChar, value); }
  char FmtDelim() const { return fmt_.Delim; }
  char FmtDelim(char value) { return Exchange(fmt_.Delim, value); }
  XBOOL FmtSkipWhite() const { return fmt_.SkipWhite; }
  XBOOL FmtSkipWhite(XBOOL value) { return Exchange(fmt_.SkipWhite, value); }
  /// The skip characters (null when none); valid until they are changed.
  const char* FmtSkipChars() const { return fmt_.SkipCharsText(); }
  /// Copies `chars` (null clears them). Returns the previous characters as a copy (empty when
  /// none were set): the stream's own storage for them is gone after the call.
  PVMStrg FmtSkipChars(const char* chars);
  int FmtCharConv() const { return fmt_.CharConv; }
  int FmtCharConv(int value) { return Exchange(fmt_.CharConv, value); }
  int FmtIntBase() const { return fmt_.IntBase; }
  int FmtIntBase(int value) { return Exchange(fmt_.IntBase, value); }
  XBOOL FmtShowBase() const { return fmt_.ShowBase; }
  XBOOL FmtShowBase(XBOOL value) { return Exchange(fmt_.ShowBase, value); }
  XBOOL FmtWithSign() const { return fmt_.WithSign; }
  XBOOL FmtWithSign(XBOOL value) { return Exchange(fmt_.WithSign, value); }
  int FmtIntRange() const { return fmt_.IntRange; }
  int FmtIntRange(int value) { return Exchange(fmt_.IntRange, value); }
  int FmtFloatForm() const { return fmt_.FloatForm; }
  int FmtFloatForm(int value) { return Exchange(fmt_.FloatForm, value); }
  int FmtPrecision() const { return fmt_.Precision; }
  int FmtPrecision(int value) { return Exchange(fmt_.Precision, value); }
  void FmtReset() { fmt_.Reset(); }
  PVFStreamFmt FmtSave() const { return fmt_; }
  void FmtRestore(const PVFStreamFmt& saved) { fmt_ = saved; }

  /// Item nesting: when the outermost ItemEnd closes an item and Delim is set, Delim is written.
  void ItemStart() { ++itemDepth_; }
  void ItemEnd();

 protected:
  PVFStream() = default;
  /// Forgets a character read ahead (after the source was repositioned).
  void DropLookahead() { lookahead_ = 0; }

 private:
  template <class T>
  static T Exchange(T& field, T value) {
    T old = field;
    field = value;
    return old;
  }
  void EmitItem();
  char NextChar();
  void PushBack(char c) { lookahead_ = c; }
  std::string ScanWord(bool stopAtLetter, bool stopAtDelim);
  unsigned ScanMagnitude(bool& negative);
  int ScanInteger();
  void ReadCStringBody(std::string& text);
  void ReadBlockBytes(PVFBinBlock& block, unsigned count);

  std::string work_;    // characters of the item being written
  char lookahead_ = 0;  // one character read ahead; 0 means none
  int itemDepth_ = 0;
  PVFStreamFmt fmt_;
};

// Manipulators.
VARNEX_API PVFStream& Reset(PVFStream& stream);  // every format field to its default
VARNEX_API PVFStream& Dec(PVFStream& stream);
VARNEX_API PVFStream& Hex(PVFStream& stream);
VARNEX_API PVFStream& Oct(PVFStream& stream);
VARNEX_API PVFStream& Bin(PVFStream& stream);
VARNEX_API PVFStream& Flush(PVFStream& stream);  // the stream's own Flush
VARNEX_API PVFStream& Endl(PVFStream& stream);   // a line feed
