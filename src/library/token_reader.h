// Small helpers for the library's own readers of NOVL texts: a token reader that installs its
// text as PARSEOBJECT for its lifetime, and the joining rules used when texts are rebuilt from
// tokens.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/language/lexer.h>
#include <varnex/language/parse_attachment.h>

#include <memory>
#include <string>

namespace varnex::library {

/// Reads the tokens of one text with yylex. The previous PARSEOBJECT is restored when the
/// reader goes, so readers nest.
class TokenReader {
 public:
  /// Over `text` with its comments removed.
  explicit TokenReader(const PVMStrg& text);
  /// Over `source` (not owned; it must outlive the reader).
  explicit TokenReader(PARSE_ATTACHMENT* source);
  TokenReader(const TokenReader&) = delete;
  TokenReader& operator=(const TokenReader&) = delete;

  /// The next token code; 0 at the end of the text.
  int Next() { return yylex(); }
  /// The characters of the last token as written.
  const PVMStrg& Text() const { return yytext; }
  /// The string value of the last identifier, type name or literal.
  const PVMStrg& Value() const { return yylval.text; }
  /// Offset in the source text just after the last token.
  std::size_t Position() const { return source_->Position(); }
  /// The source text from `begin` to `end`, trimmed.
  PVMStrg Slice(std::size_t begin, std::size_t end) const;

 private:
  std::unique_ptr<PARSE_ATTACHMENT> owned_;
  PARSE_ATTACHMENT* source_;
  ParseObjectScope scope_;
};

/// `value` as a single-quoted NOVL literal, quotes inside escaped.
PVMStrg QuoteLiteral(const PVMStrg& value);

/// Appends a token's text; a blank goes between two tokens that would otherwise run together
/// into one word.
void AppendJoined(PVMStrg& out, const PVMStrg& token);

/// The bytes of `text` as a standard string.
inline std::string ToStd(const PVMStrg& text) {
  return std::string(text.GetpStr(), text.Length());
}

/// Copy of `text` trimmed of blanks, tabs and line breaks at both ends.
PVMStrg Trimmed(const PVMStrg& text);

/// Case-insensitive equality of two byte strings.
bool EqualsIgnoringCase(const char* a, const char* b);

}  // namespace varnex::library
