// Readers of the raw block texts of conditionals, loops and skipped clauses. They read
// characters straight from the text source, right after the token that opens the block, so the
// parser must not have taken a look-ahead token when they run.
//
// A block is handed on as a span of its source's text, not as a copy: nested blocks then cost
// memory in proportion to the text, however deep they nest.
#pragma once

#include <varnex/language/parse_attachment.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace varnex::language {

/// The characters [begin, end) of a source's text; `first_line` is the line of `begin`.
struct TextSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
  int first_line = 1;

  bool empty() const { return end <= begin; }
};

/// The characters a span of `source` covers.
std::string_view SpanText(const PARSE_ATTACHMENT& source, const TextSpan& span);

/// The text up to the "}" that closes a block whose "{" was just read; "{" and "}" nest. The
/// closing brace is consumed and not kept; the end of the text also ends the block.
TextSpan ReadBraceBlock(PARSE_ATTACHMENT& source);

struct ThenElseParts {
  TextSpan then_part;
  TextSpan else_part;
};

/// The parts of "then ... else ... endif" after "then" was read. The words are matched as plain
/// character sequences, also inside longer words: a trailing "if" that is not part of "endif"
/// opens a nested level, "endif" closes one; at level 0, "else" ends the then-part and "endif"
/// ends the statement. The keywords are cut off.
ThenElseParts ReadThenElse(PARSE_ATTACHMENT& source);

struct LoopParts {
  /// The condition with ";" appended, so that it parses as a formula.
  std::string condition;
  /// The line the condition starts on.
  int condition_line = 1;
  TextSpan body;
};

/// The parts of "dowhile (" cond ") ... {" body "}" after "dowhile (" was read. The condition
/// ends at the ")" that matches the opening one; the text up to "{" is skipped.
LoopParts ReadLoop(PARSE_ATTACHMENT& source);

/// Consumes the characters up to and including the next ";" (DERIVE formulas, WHERE rules).
void SkipPastSemicolon(PARSE_ATTACHMENT& source);

}  // namespace varnex::language
