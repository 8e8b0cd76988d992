// BinaryFile: the sink and source of binary body data. The geometry layer saves and restores
// kernel entities through this interface; PVFSatStream implements it in memory.
#pragma once

#include <varnex/export.h>

#include <cstddef>
#include <cstdint>

class VARNEX_API BinaryFile {
 public:
  using Mark = std::uint32_t;

  BinaryFile() = default;
  BinaryFile(const BinaryFile&) = default;
  BinaryFile& operator=(const BinaryFile&) = default;
  virtual ~BinaryFile();

  /// Copies up to n bytes from the current position into `data` and advances past them.
  /// Returns the number copied; bytes beyond the end of the data are not read (the rest of
  /// `data` is zero-filled).
  virtual std::size_t read(void* data, std::size_t n) = 0;
  /// Writes n bytes and advances past them.
  virtual void write(const void* data, std::size_t n) = 0;
  /// The current position, for a later goto_mark.
  virtual Mark set_mark() = 0;
  virtual void goto_mark(Mark mark) = 0;
};
