// PARSE_ATTACHMENT: the text source the NOVL scanner reads, and PARSEOBJECT, the source of the
// running parse. A source holds its whole text (comments already removed) and its read
// position; the scanner keeps no state of its own, so a nested parse over another source never
// disturbs the outer one.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/export.h>

#include <cstddef>
#include <string_view>

class Featurelist_Element;

class VARNEX_API PARSE_ATTACHMENT {
 public:
  /// Tag for the constructor that keeps a text exactly as given (no comment removal).
  struct Verbatim {};

  /// The feature's description text and file name; a null feature gives an empty text.
  /// Defined by the feature library.
  explicit PARSE_ATTACHMENT(Featurelist_Element* feature);
  /// The file `path` + `file`, read whole; a file that cannot be opened gives an empty text.
  /// Line ends are read as text mode reads them: CR LF becomes LF, and byte 26 ends the text.
  PARSE_ATTACHMENT(const PVMStrg& file, const PVMStrg& path);
  /// A formula or block text. With a parent, the file name is the parent's, and line numbers
  /// continue the parent's count so that the text ends on the parent's current line.
  PARSE_ATTACHMENT(const PVMStrg& text, PARSE_ATTACHMENT* parent);
  /// The text unchanged, comments included; for scanners that must see every character.
  PARSE_ATTACHMENT(const PVMStrg& text, Verbatim);
  /// The characters [begin, end) of `parent`'s text (a block of it), read in place: the parent
  /// must outlive this source and keep its text unchanged. The file name is the parent's;
  /// `first_line` is the line number of the first character.
  PARSE_ATTACHMENT(const PARSE_ATTACHMENT& parent, std::size_t begin, std::size_t end,
                   int first_line);
  virtual ~PARSE_ATTACHMENT();

  PARSE_ATTACHMENT(const PARSE_ATTACHMENT&) = delete;
  PARSE_ATTACHMENT& operator=(const PARSE_ATTACHMENT&) = delete;

  /// The next byte (0-255) or -1 at the end; counts the line feeds it returns.
  int GetC() {
    if (position_ >= text_.size()) {
      return -1;
    }
    int c = static_cast<unsigned char>(text_[position_++]);
    if (c == '\n') {
      ++line_feeds_;
    }
    return c;
  }
  /// Steps back over the byte GetC() returned last (the scanner's look-ahead); no effect at the
  /// start of the text.
  void UngetC() {
    if (position_ > 0 && text_[--position_] == '\n') {
      --line_feeds_;
    }
  }
  /// The byte `ahead` places after the read position without reading it, or -1 past the end.
  int PeekC(std::size_t ahead = 0) const {
    std::size_t at = position_ + ahead;
    return at < text_.size() ? static_cast<unsigned char>(text_[at]) : -1;
  }
  /// Offset of the next byte GetC() returns.
  std::size_t Position() const { return position_; }
  /// Restarts reading at the first byte.
  void Rewind();

  /// Base line + line feeds read + 1.
  int GetLine() const { return base_line_ + line_feeds_ + 1; }
  /// The text of the line GetLine() names (without its line feed); returns it.
  const char* GetLine(PVMStrg& out) const;
  const char* GetSourceCode(PVMStrg& out) const;
  const char* GetFileName(PVMStrg& out) const;
  /// Path followed by file name.
  const char* GetFullFileName(PVMStrg& out) const;
  /// The text the source owns; empty for a block of another source's text (see Text()).
  const PVMStrg& SourceCode() const { return source_; }
  /// The characters this source reads, its own or a block of its parent's.
  std::string_view Text() const { return text_; }

 private:
  void ReadFile(const PVMStrg& full_name);
  /// Reads the owned text from now on.
  void ViewOwnText() { text_ = std::string_view(source_.GetpStr(), source_.Length()); }

  PVMStrg source_;
  std::string_view text_;
  std::size_t position_ = 0;
  int line_feeds_ = 0;
  int base_line_ = 0;
  PVMStrg file_name_;
  PVMStrg path_;
};

/// The source of the running parse; null when none runs. Whoever installs another source
/// restores the previous one afterwards (ParseObjectScope does both). Not owned.
extern VARNEX_API PARSE_ATTACHMENT* PARSEOBJECT;

/// Installs a source as PARSEOBJECT for the lifetime of the scope and restores the previous one.
class VARNEX_API ParseObjectScope {
 public:
  explicit ParseObjectScope(PARSE_ATTACHMENT* source) : saved_(PARSEOBJECT) {
    PARSEOBJECT = source;
  }
  ~ParseObjectScope() { PARSEOBJECT = saved_; }
  ParseObjectScope(const ParseObjectScope&) = delete;
  ParseObjectScope& operator=(const ParseObjectScope&) = delete;

 private:
  PARSE_ATTACHMENT* saved_;
};

/// Removes comments in place: "--" to the end of the line, nested "/*" ... "*/" blocks (line
/// feeds inside kept, an unclosed block removes the rest); a run of blanks and tabs becomes one
/// blank. String literals are copied unchanged. Returns 0.
VARNEX_API int filter_comments(PVMStrg& text);
