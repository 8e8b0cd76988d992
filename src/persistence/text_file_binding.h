// TextFileBinding: the character-level binding of a file stream to its C file. All writing of a
// PVFFStream goes through it, and later layers write kernel text through the same binding so
// that their output interleaves correctly with the stream's own.
#pragma once

#include <cstdio>

namespace varnex::persistence {

/// Does not own the file: the file stream that created the binding closes it.
class TextFileBinding {
 public:
  explicit TextFileBinding(std::FILE* file) : file_(file) {}

  void write_char(char c);
  void write(const char* data, std::size_t n);
  /// The next byte, or EOF at the end of the file or on an error.
  int read_char();
  /// TRUE when no further byte can be read (the file position does not move).
  bool at_end();
  /// The file position (-1 on error), and a move to one.
  long set_mark();
  void goto_mark(long mark);
  void flush();
  std::FILE* file() const { return file_; }

 private:
  enum class Direction { kNone, kReading, kWriting };
  // The C library demands a positioning call between reading and writing on one file.
  void Turn(Direction next);

  std::FILE* file_;
  Direction last_ = Direction::kNone;
};

}  // namespace varnex::persistence
