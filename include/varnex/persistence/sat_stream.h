// PVFSatStream: the in-memory sink and source of binary body data, and the only data the engine
// compresses (zlib) before it goes to disk.
//
// Compressed form: 4 bytes uncompressed length (unsigned, little-endian), then the zlib stream.
// File form: 4 bytes length of what follows (unsigned, little-endian), then the buffer.
#pragma once

#include <varnex/base/xbool.h>
#include <varnex/export.h>
#include <varnex/persistence/binary_file.h>

#include <vector>

class VARNEX_API PVFSatStream : public BinaryFile {
 public:
  PVFSatStream() = default;
  PVFSatStream(const PVFSatStream&) = default;
  PVFSatStream(PVFSatStream&&) noexcept = default;
  PVFSatStream& operator=(const PVFSatStream&) = default;
  PVFSatStream& operator=(PVFSatStream&&) noexcept = default;
  ~PVFSatStream() override;

  /// Copies up to n bytes from the position; never past the end of the buffer.
  std::size_t read(void* data, std::size_t n) override;
  /// Appends n bytes at the end of the buffer and advances the position by n.
  void write(const void* data, std::size_t n) override;
  Mark set_mark() override { return position_; }
  void goto_mark(Mark mark) override { position_ = mark; }

  /// Replaces the buffer by its compressed form; the position returns to 0. FALSE (buffer
  /// unchanged) when zlib fails or the buffer exceeds 4 GiB.
  XBOOL Compress();
  /// Replaces a compressed buffer by the data it holds; the position returns to 0. Damaged or
  /// truncated data (zlib reports an error, the stated length disagrees with what the stream
  /// holds, or bytes trail it) gives FALSE and an empty buffer.
  XBOOL Uncompress();
  /// Writes the length and the buffer to `path` (truncating). Returns FALSE after a complete
  /// transfer and TRUE on failure: no path, an empty buffer, a file that cannot be opened or a
  /// failed write.
  XBOOL WriteToFile(const char* path) const;
  /// Reads a file written by WriteToFile into an empty buffer; the position is 0. Returns FALSE
  /// on success and TRUE on failure: no path, a non-empty buffer, a file that cannot be opened,
  /// or a stated length beyond the bytes the file holds (the buffer is then left empty).
  XBOOL ReadFromFile(const char* path);
  /// Compresses and uncompresses a copy; TRUE when the copy comes back unchanged.
  XBOOL Test() const;

  std::size_t Length() const { return buffer_.size(); }
  const unsigned char* GetpBuffer() const { return buffer_.data(); }
  Mark Position() const { return position_; }

 private:
  Mark position_ = 0;
  std::vector<unsigned char> buffer_;
};
