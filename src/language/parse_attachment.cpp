// PARSE_ATTACHMENT: the text sources of the scanner.
#include <varnex/base/file_io.h>
#include <varnex/language/parse_attachment.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

// Borrowed for the span of one parse (ParseObjectScope sets and restores it); null otherwise.
PARSE_ATTACHMENT* PARSEOBJECT = nullptr;

namespace {

// Windows text mode, which the feature files are written for: CR LF reads as LF and the byte
// 26 ends the file.
std::string AsTextMode(std::string bytes) {
  std::size_t end = bytes.find('\x1a');
  if (end != std::string::npos) {
    bytes.resize(end);
  }
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) {
      text += bytes[i];
    }
  }
  return text;
}

}  // namespace

PARSE_ATTACHMENT::PARSE_ATTACHMENT(const PVMStrg& file, const PVMStrg& path)
    : file_name_(file), path_(path) {
  ReadFile(path & file);
  filter_comments(source_);
  ViewOwnText();
}

PARSE_ATTACHMENT::PARSE_ATTACHMENT(const PVMStrg& text, PARSE_ATTACHMENT* parent) : source_(text) {
  filter_comments(source_);
  ViewOwnText();
  if (parent == nullptr) {
    return;
  }
  PVMStrg full_name;
  parent->GetFullFileName(full_name);
  if (full_name.Find('\\')) {
    full_name.CutBackward(file_name_, '\\');
    path_ = full_name & '\\';
  } else {
    file_name_ = full_name;
  }
  base_line_ = parent->GetLine() - text.Count('\n') - 1;
}

PARSE_ATTACHMENT::PARSE_ATTACHMENT(const PVMStrg& text, Verbatim) : source_(text) {
  ViewOwnText();
}

PARSE_ATTACHMENT::PARSE_ATTACHMENT(const PARSE_ATTACHMENT& parent, std::size_t begin,
                                   std::size_t end, int first_line)
    : base_line_(first_line - 1), file_name_(parent.file_name_), path_(parent.path_) {
  std::string_view whole = parent.Text();
  begin = std::min(begin, whole.size());
  end = std::min(std::max(begin, end), whole.size());
  text_ = whole.substr(begin, end - begin);
}

PARSE_ATTACHMENT::~PARSE_ATTACHMENT() = default;

void PARSE_ATTACHMENT::ReadFile(const PVMStrg& full_name) {
  std::string bytes;
  if (!PVFReadRegularFile(full_name.GetpStr(), bytes)) {
    return;  // missing, no regular file, or too large: an empty text
  }
  source_ = PVMStrg(AsTextMode(std::move(bytes)));
}

void PARSE_ATTACHMENT::Rewind() {
  position_ = 0;
  line_feeds_ = 0;
}

const char* PARSE_ATTACHMENT::GetLine(PVMStrg& out) const {
  const std::string_view text = text_;
  std::size_t read = std::min(position_, text.size());
  std::size_t begin = 0;
  if (read > 0) {
    std::size_t line_feed = text.rfind('\n', read - 1);
    begin = line_feed == std::string_view::npos ? 0 : line_feed + 1;
  }
  std::size_t end = text.find('\n', begin);
  end = end == std::string_view::npos ? text.size() : end;
  out = PVMStrg(text.data() + begin, static_cast<unsigned>(end - begin));
  return out;
}

const char* PARSE_ATTACHMENT::GetSourceCode(PVMStrg& out) const {
  out = PVMStrg(text_.data(), static_cast<unsigned>(text_.size()));
  return out;
}

const char* PARSE_ATTACHMENT::GetFileName(PVMStrg& out) const {
  out = file_name_;
  return out;
}

const char* PARSE_ATTACHMENT::GetFullFileName(PVMStrg& out) const {
  out = path_ & file_name_;
  return out;
}
