// The checks of the checking pass that read a text's tokens rather than its parse: they hold
// also where a syntax error stops the parse (internal).
#pragma once

#include <varnex/language/syntax_check.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace varnex::language {

/// The FUNCTION headers of a text: their parameter names, and where each header's parameter
/// list lies (offsets of its "(" and ")" in the comment-free text, lines of both).
struct HeaderSpan {
  std::size_t open = 0;
  std::size_t close = 0;
  int first_line = 0;
  int last_line = 0;
};

struct TextLint {
  std::vector<NovlFinding> findings;
  /// Every parameter name of every FUNCTION header.
  std::set<std::string, std::less<>> parameters;
  std::vector<HeaderSpan> headers;
};

/// Scans `text` (comments removed, line breaks kept) for: restrictions that name another
/// parameter of their header, enumeration defaults outside their list, ENTITY declarations of
/// several names, and names or texts containing "if" or "else" inside a then ... endif block.
TextLint LintTokens(std::string_view text);

}  // namespace varnex::language
