// filter_comments: removes comments from a NOVL text before it is scanned, keeping every line
// feed so that line numbers stay right.
#include <varnex/language/parse_attachment.h>

#include <string>
#include <string_view>

namespace {

class CommentFilter {
 public:
  explicit CommentFilter(std::string_view text) : in_(text) { out_.reserve(text.size()); }

  std::string Run() {
    while (at_ < in_.size()) {
      Step();
    }
    return std::move(out_);
  }

 private:
  bool Next(std::string_view s) const { return in_.substr(at_, s.size()) == s; }

  void Step() {
    char c = in_[at_];
    if (c == ' ' || c == '\t') {
      SkipBlankRun();
    } else if (Next("--")) {
      SkipLineComment();
    } else if (Next("/*")) {
      SkipBlockComment();
    } else if (c == '\'') {
      CopyStringLiteral();
    } else {
      out_ += c;
      ++at_;
    }
  }

  void SkipBlankRun() {
    out_ += ' ';
    while (at_ < in_.size() && (in_[at_] == ' ' || in_[at_] == '\t')) {
      ++at_;
    }
  }

  // The line feed that ends the comment stays.
  void SkipLineComment() {
    while (at_ < in_.size() && in_[at_] != '\n') {
      ++at_;
    }
  }

  void SkipBlockComment() {
    int depth = 0;
    while (at_ < in_.size()) {
      if (Next("/*")) {
        ++depth;
        at_ += 2;
      } else if (Next("*/")) {
        at_ += 2;
        if (--depth == 0) {
          return;
        }
      } else {
        if (in_[at_] == '\n') {
          out_ += '\n';
        }
        ++at_;
      }
    }
  }

  // A literal ends as the scanner ends it: at a quote not directly after a backslash (an
  // escaped quote counts as a quote for the next test), or at the end of the text. Comment
  // markers and blank runs inside it are data.
  void CopyStringLiteral() {
    out_ += in_[at_++];
    char last = 0;
    while (at_ < in_.size()) {
      char c = in_[at_++];
      out_ += c;
      if (c == '\'' && last != '\\') {
        return;
      }
      last = c;
    }
  }

  std::string_view in_;
  std::size_t at_ = 0;
  std::string out_;
};

}  // namespace

int filter_comments(PVMStrg& text) {
  std::string filtered = CommentFilter(std::string_view(text.GetpStr(), text.Length())).Run();
  text = PVMStrg(filtered);
  return 0;
}
