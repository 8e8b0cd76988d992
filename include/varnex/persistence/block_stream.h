// PVFBStream: a stream over an owned byte block, for texts that may hold any byte.
#pragma once

#include <varnex/export.h>
#include <varnex/persistence/bin_block.h>
#include <varnex/persistence/stream.h>

/// Output (default constructor) or input (constructed from bytes) for its whole life: writes to
/// an input stream do nothing, reads from an output stream yield 0, reading past the end 26.
class VARNEX_API PVFBStream : public PVFStream {
 public:
  PVFBStream();
  /// An input stream over a copy of the text (null: empty).
  explicit PVFBStream(const char* text);
  /// An input stream over a copy of n bytes.
  PVFBStream(const unsigned char* bytes, unsigned n);
  ~PVFBStream() override;

  PVFStream& Flush() override { return *this; }
  PVFStream& WriteChar(char c) override { return WriteByte(static_cast<unsigned char>(c)); }
  PVFStream& WriteByte(unsigned char b) override;
  PVFStream& Write(const char* data, unsigned n) override;
  PVFStream& ReadChar(char& c) override;
  PVFStream& ReadByte(unsigned char& b) override;
  /// TRUE when the read position has reached the end of the bytes (always for output).
  XBOOL Eof() override { return ToXBool(!input_ || readPos_ >= block_.Length()); }

  /// Empties an output stream (an input stream is left alone).
  void Clear();
  /// The block's length for an output stream, 0 for an input stream.
  unsigned Length() const { return input_ ? 0 : block_.Length(); }
  const PVFBinBlock& Block() const { return block_; }
  operator const unsigned char*() const { return block_.GetpBlock(); }

 private:
  void MakeRoomFor(unsigned n);

  PVFBinBlock block_;
  unsigned readPos_ = 0;
  bool input_;
};
