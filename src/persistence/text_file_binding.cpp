// Character-level file binding of PVFFStream.
#include "persistence/text_file_binding.h"

namespace varnex::persistence {

void TextFileBinding::Turn(Direction next) {
  if (last_ != Direction::kNone && last_ != next) {
    std::fseek(file_, 0, SEEK_CUR);
  }
  last_ = next;
}

void TextFileBinding::write_char(char c) {
  Turn(Direction::kWriting);
  std::fputc(static_cast<unsigned char>(c), file_);
}

void TextFileBinding::write(const char* data, std::size_t n) {
  Turn(Direction::kWriting);
  std::fwrite(data, 1, n, file_);
}

int TextFileBinding::read_char() {
  Turn(Direction::kReading);
  return std::fgetc(file_);
}

bool TextFileBinding::at_end() {
  int c = read_char();
  if (c == EOF) {
    return true;
  }
  std::ungetc(c, file_);
  return false;
}

long TextFileBinding::set_mark() {
  return std::ftell(file_);
}

void TextFileBinding::goto_mark(long mark) {
  std::fseek(file_, mark, SEEK_SET);
  last_ = Direction::kNone;
}

void TextFileBinding::flush() {
  std::fflush(file_);
  if (last_ == Direction::kWriting) {
    last_ = Direction::kNone;
  }
}

}  // namespace varnex::persistence
