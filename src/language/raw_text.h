// Readers of the raw block texts of conditionals, loops and skipped clauses. They read
// characters straight from the text source, right after the token that opens the block, so the
// parser must not have taken a look-ahead token when they run.
#pragma once

#include <varnex/language/parse_attachment.h>

#include <string>

namespace varnex::language {

/// The text up to the "}" that closes a block whose "{" was just read; "{" and "}" nest. The
/// closing brace is consumed and not kept; the end of the text also ends the block.
std::string ReadBraceBlock(PARSE_ATTACHMENT& source);

struct ThenElseParts {
  std::string then_part;
  std::string else_part;
};

/// The parts of "then ... else ... endif" after "then" was read. The words are matched as plain
/// character sequences, also inside longer words: a trailing "if" that is not part of "endif"
/// opens a nested level, "endif" closes one; at level 0, "else" ends the then-part and "endif"
/// ends the statement. The keywords are cut off.
ThenElseParts ReadThenElse(PARSE_ATTACHMENT& source);

struct LoopParts {
  /// The condition with ";" appended, so that it parses as a formula.
  std::string condition;
  std::string body;
};

/// The parts of "dowhile (" cond ") ... {" body "}" after "dowhile (" was read. The condition
/// ends at the ")" that matches the opening one; the text up to "{" is skipped.
LoopParts ReadLoop(PARSE_ATTACHMENT& source);

/// Consumes the characters up to and including the next ";" (DERIVE formulas, WHERE rules).
void SkipPastSemicolon(PARSE_ATTACHMENT& source);

}  // namespace varnex::language
