// In-memory text streams: PVFSStream for general texts, PVFAcisStream for geometry numbers
// (coordinates, angles, matrices), which writes up to 14 fraction digits.
#pragma once

#include <varnex/export.h>
#include <varnex/persistence/stream.h>

#include <string>

/// A text stream over an owned string. An output stream (default constructor) only writes, an
/// input stream (constructed from a text) only reads: writes to an input stream do nothing and
/// reads from an output stream yield the character 0. Reading past the end yields 26.
class VARNEX_API PVFSStream : public PVFStream {
 public:
  /// An empty output stream.
  PVFSStream();
  /// An input stream over a copy of `text`; null gives an empty input.
  explicit PVFSStream(const char* text);
  ~PVFSStream() override;

  PVFStream& Flush() override { return *this; }
  PVFStream& WriteChar(char c) override;
  PVFStream& WriteByte(unsigned char b) override { return WriteChar(static_cast<char>(b)); }
  PVFStream& Write(const char* data, unsigned n) override;
  PVFStream& ReadChar(char& c) override;
  PVFStream& ReadByte(unsigned char& b) override;
  /// TRUE when the read position has reached the end of the text (always for output).
  XBOOL Eof() override { return ToXBool(!input_ || readPos_ >= text_.size()); }

  /// Empties the text of an output stream (an input stream is left alone).
  void Clear();
  /// The text written so far (an input stream: its whole text). Valid until the next write.
  const char* GetpStr() const { return text_.c_str(); }
  operator const char*() const { return text_.c_str(); }
  unsigned Length() const { return static_cast<unsigned>(text_.size()); }

  /// Writes an address as "0x" and upper-case hexadecimal digits.
  PVFStream& WriteAddress(const void* address);
  /// Reads one word written by WriteAddress (the "0x" is optional); an unreadable word gives
  /// null.
  PVFStream& ReadAddress(void*& address);

 private:
  std::string text_;
  std::size_t readPos_ = 0;
  bool input_;
};

/// The string stream for geometry numbers: 14 fraction digits, shortened whenever a short
/// form is exactly the same double.
class VARNEX_API PVFAcisStream : public PVFSStream {
 public:
  PVFAcisStream();
  explicit PVFAcisStream(const char* text);
  ~PVFAcisStream() override;
};
