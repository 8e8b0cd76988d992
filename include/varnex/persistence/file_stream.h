// PVFFStream: the text stream over a C file, used for every model and library file. The file
// side (handle, mode, the binding that all writing goes through) lives in PVFFiStream.
#pragma once

#include <varnex/base/xbool.h>
#include <varnex/export.h>
#include <varnex/persistence/stream.h>

#include <cstdio>
#include <memory>

namespace varnex::persistence {
class TextFileBinding;
}

/// The file side of a file stream. Owns the C file handle (closed by Close and by the
/// destructor, also when it was handed in) and the binding bound to it. Modes: 1 = write only
/// ("w"), 2 = read only ("r"), 3 = read and write ("r+"); any other mode opens nothing.
class VARNEX_API PVFFiStream {
 public:
  static constexpr int kWrite = 1;
  static constexpr int kRead = 2;
  static constexpr int kReadWrite = 3;

  PVFFiStream();
  /// Takes ownership of `file` (null: no file).
  PVFFiStream(std::FILE* file, int mode);
  PVFFiStream(const PVFFiStream&) = delete;
  PVFFiStream& operator=(const PVFFiStream&) = delete;
  virtual ~PVFFiStream();

  /// Closes any open file and opens `path` in `mode`; FALSE when it cannot be opened.
  XBOOL Open(const char* path, int mode);
  /// Closes the file; FALSE when there was none or closing reported an error.
  XBOOL Close();
  XBOOL IsOpen() const { return ToXBool(file_ != nullptr); }
  /// Returns the mode; sets it first when `mode` is not negative.
  int SystemMode(int mode);
  /// The binding all writing goes through (null without a file). Owned by this stream; later
  /// layers write kernel text through it.
  varnex::persistence::TextFileBinding* Binding() const { return binding_.get(); }

 protected:
  bool CanRead() const { return file_ != nullptr && mode_ != kWrite; }
  bool CanWrite() const { return file_ != nullptr && mode_ != kRead; }

 private:
  void Bind(std::FILE* file, int mode);

  std::FILE* file_ = nullptr;
  std::unique_ptr<varnex::persistence::TextFileBinding> binding_;
  int mode_ = 0;
};

/// A text stream over a C file. Without a file every read yields 26 and writes do nothing;
/// mode 1 never reads, mode 2 never writes.
class VARNEX_API PVFFStream : public PVFStream, public PVFFiStream {
 public:
  PVFFStream() = default;
  PVFFStream(const char* path, int mode);
  /// Takes ownership of `file`: it is closed when the stream is destroyed.
  PVFFStream(std::FILE* file, int mode);
  ~PVFFStream() override;

  /// Written data reaches the file (the C library's buffer is flushed).
  PVFStream& Flush() override;
  PVFStream& WriteChar(char c) override;
  PVFStream& WriteByte(unsigned char b) override { return WriteChar(static_cast<char>(b)); }
  PVFStream& Write(const char* data, unsigned n) override;
  PVFStream& ReadChar(char& c) override;
  PVFStream& ReadByte(unsigned char& b) override;
  /// TRUE when nothing more can be read.
  XBOOL Eof() override;

  XBOOL Open(const char* path, int mode);
  XBOOL Close();
  /// The file position (-1 without a file).
  long Tellp();
  /// Moves to `position`; a character read ahead is forgotten.
  PVFFStream& Seekp(long position);
};
