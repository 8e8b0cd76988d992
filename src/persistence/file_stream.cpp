// PVFFiStream and PVFFStream: the text stream over a C file.
#include <varnex/persistence/file_stream.h>

#include "persistence/text_file_binding.h"

using varnex::persistence::TextFileBinding;

namespace {

const char* OpenModeText(int mode) {
  switch (mode) {
    case PVFFiStream::kWrite:
      return "w";
    case PVFFiStream::kRead:
      return "r";
    case PVFFiStream::kReadWrite:
      return "r+";
    default:
      return nullptr;
  }
}

}  // namespace

PVFFiStream::PVFFiStream() = default;

PVFFiStream::PVFFiStream(std::FILE* file, int mode) {
  Bind(file, mode);
}

PVFFiStream::~PVFFiStream() {
  Close();
}

void PVFFiStream::Bind(std::FILE* file, int mode) {
  file_ = file;
  mode_ = mode;
  binding_ = file == nullptr ? nullptr : std::make_unique<TextFileBinding>(file);
}

XBOOL PVFFiStream::Open(const char* path, int mode) {
  Close();
  const char* modeText = OpenModeText(mode);
  if (path == nullptr || modeText == nullptr) {
    return FALSE;
  }
  Bind(std::fopen(path, modeText), mode);
  return IsOpen();
}

XBOOL PVFFiStream::Close() {
  if (file_ == nullptr) {
    return FALSE;
  }
  binding_.reset();
  int result = std::fclose(file_);
  file_ = nullptr;
  return ToXBool(result == 0);
}

int PVFFiStream::SystemMode(int mode) {
  if (mode >= 0) {
    mode_ = mode;
  }
  return mode_;
}

PVFFStream::PVFFStream(const char* path, int mode) {
  PVFFiStream::Open(path, mode);
}

PVFFStream::PVFFStream(std::FILE* file, int mode) : PVFFiStream(file, mode) {}

PVFFStream::~PVFFStream() = default;

XBOOL PVFFStream::Open(const char* path, int mode) {
  DropLookahead();
  return PVFFiStream::Open(path, mode);
}

XBOOL PVFFStream::Close() {
  DropLookahead();
  return PVFFiStream::Close();
}

PVFStream& PVFFStream::Flush() {
  if (Binding() != nullptr) {
    Binding()->flush();
  }
  return *this;
}

PVFStream& PVFFStream::WriteChar(char c) {
  if (CanWrite()) {
    Binding()->write_char(c);
  }
  return *this;
}

PVFStream& PVFFStream::Write(const char* data, unsigned n) {
  if (CanWrite() && data != nullptr) {
    Binding()->write(data, n);
  }
  return *this;
}

PVFStream& PVFFStream::ReadChar(char& c) {
  int read = CanRead() ? Binding()->read_char() : EOF;
  c = read == EOF ? PVF_END_OF_INPUT : static_cast<char>(read);
  return *this;
}

PVFStream& PVFFStream::ReadByte(unsigned char& b) {
  char c = 0;
  ReadChar(c);
  b = static_cast<unsigned char>(c);
  return *this;
}

XBOOL PVFFStream::Eof() {
  return ToXBool(!CanRead() || Binding()->at_end());
}

long PVFFStream::Tellp() {
  return Binding() == nullptr ? -1 : Binding()->set_mark();
}

PVFFStream& PVFFStream::Seekp(long position) {
  if (Binding() != nullptr) {
    Binding()->goto_mark(position);
  }
  DropLookahead();
  return *this;
}
