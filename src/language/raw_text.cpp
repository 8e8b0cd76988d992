// Raw block texts of conditionals, loops and skipped clauses.
#include "language/raw_text.h"

#include <string_view>

namespace varnex::language {
namespace {

// Whether the characters of `source` in [begin, Position()) end with `tail`.
bool EndsWith(const PARSE_ATTACHMENT& source, std::size_t begin, std::string_view tail) {
  std::size_t end = source.Position();
  return end - begin >= tail.size() && source.Text().substr(end - tail.size(), tail.size()) == tail;
}

// Reads up to the character that brings the nesting count of `open`/`close` from 1 to 0; that
// character is consumed and not kept.
TextSpan ReadToClosing(PARSE_ATTACHMENT& source, char open, char close) {
  TextSpan span{source.Position(), source.Position(), source.GetLine()};
  int depth = 1;
  for (int c = source.GetC(); c != -1; c = source.GetC()) {
    if (c == open) {
      ++depth;
    } else if (c == close && --depth == 0) {
      return span;
    }
    span.end = source.Position();
  }
  return span;
}

enum class PartEnd { Else, Endif, EndOfText };

// One part of a then/else conditional; `else_ends` says whether "else" at level 0 ends it.
PartEnd ReadConditionalPart(PARSE_ATTACHMENT& source, TextSpan& part, bool else_ends) {
  part = TextSpan{source.Position(), source.Position(), source.GetLine()};
  int level = 0;
  for (int c = source.GetC(); c != -1; c = source.GetC()) {
    part.end = source.Position();
    if (level == 0 && else_ends && EndsWith(source, part.begin, "else")) {
      part.end -= 4;
      return PartEnd::Else;
    }
    if (EndsWith(source, part.begin, "endif")) {
      if (level == 0) {
        part.end -= 5;
        return PartEnd::Endif;
      }
      --level;
    } else if (EndsWith(source, part.begin, "if")) {
      ++level;
    }
  }
  return PartEnd::EndOfText;
}

}  // namespace

std::string_view SpanText(const PARSE_ATTACHMENT& source, const TextSpan& span) {
  return span.empty() ? std::string_view()
                      : source.Text().substr(span.begin, span.end - span.begin);
}

TextSpan ReadBraceBlock(PARSE_ATTACHMENT& source) {
  return ReadToClosing(source, '{', '}');
}

ThenElseParts ReadThenElse(PARSE_ATTACHMENT& source) {
  ThenElseParts parts;
  if (ReadConditionalPart(source, parts.then_part, true) == PartEnd::Else) {
    ReadConditionalPart(source, parts.else_part, false);
  } else {
    parts.else_part = TextSpan{source.Position(), source.Position(), source.GetLine()};
  }
  return parts;
}

LoopParts ReadLoop(PARSE_ATTACHMENT& source) {
  LoopParts parts;
  TextSpan condition = ReadToClosing(source, '(', ')');
  parts.condition = std::string(SpanText(source, condition)) + ";";
  parts.condition_line = condition.first_line;
  for (int c = source.GetC(); c != -1 && c != '{'; c = source.GetC()) {
  }
  parts.body = ReadBraceBlock(source);
  return parts;
}

void SkipPastSemicolon(PARSE_ATTACHMENT& source) {
  for (int c = source.GetC(); c != -1 && c != ';'; c = source.GetC()) {
  }
}

}  // namespace varnex::language
