// The NOVL scanner: turns the text of a PARSE_ATTACHMENT into tokens by longest match, the
// earlier rule winning among equally long matches (so keywords win over identifiers). All its
// state is the source's read position.
#pragma once

#include <varnex/language/parse_attachment.h>
#include <varnex/language/tokens.h>

#include <cstddef>
#include <string>

namespace varnex::language {

struct Token {
  int code = novl::END_OF_TEXT;
  /// The characters as written (for a string literal: quotes and escapes included).
  std::string text;
  /// The string value of identifiers, type names, string literals, ENUMERATION_OF and
  /// RESTRICTED_TO.
  std::string value;
  int integer = 0;
  double real = 0.0;
  /// Offset of the token's first character in the source text.
  std::size_t begin = 0;
};

/// Reads the next token of `source` into `token` and returns its code; END_OF_TEXT (0) at the
/// end of the text. Identifiers and numbers longer than novl::kMaxTokenLength, and numbers out of
/// the range of their type, come back as BAD_TOKEN (their characters consumed).
int ScanToken(PARSE_ATTACHMENT& source, Token& token);

/// How a token changes the bracket depth of the text read so far: +1 for an opening "(", "["
/// or "{", -1 for a closing one, 0 for any other token.
inline constexpr int BracketChange(int code) {
  switch (code) {
    case '(':
    case '[':
    case '{':
      return 1;
    case ')':
    case ']':
    case '}':
      return -1;
    default:
      return 0;
  }
}

}  // namespace varnex::language
