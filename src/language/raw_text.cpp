// Raw block texts of conditionals, loops and skipped clauses.
#include "language/raw_text.h"

#include <string_view>

namespace varnex::language {
namespace {

bool EndsWith(const std::string& text, std::string_view tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Reads up to the character that brings the nesting count of `open`/`close` from 1 to 0; that
// character is consumed and not kept.
std::string ReadToClosing(PARSE_ATTACHMENT& source, char open, char close) {
  std::string text;
  int depth = 1;
  for (int c = source.GetC(); c != -1; c = source.GetC()) {
    if (c == open) {
      ++depth;
    } else if (c == close && --depth == 0) {
      break;
    }
    text += static_cast<char>(c);
  }
  return text;
}

enum class PartEnd { Else, Endif, EndOfText };

// One part of a then/else conditional; `else_ends` says whether "else" at level 0 ends it.
PartEnd ReadConditionalPart(PARSE_ATTACHMENT& source, std::string& part, bool else_ends) {
  int level = 0;
  for (int c = source.GetC(); c != -1; c = source.GetC()) {
    part += static_cast<char>(c);
    if (level == 0 && else_ends && EndsWith(part, "else")) {
      part.resize(part.size() - 4);
      return PartEnd::Else;
    }
    if (EndsWith(part, "endif")) {
      if (level == 0) {
        part.resize(part.size() - 5);
        return PartEnd::Endif;
      }
      --level;
    } else if (EndsWith(part, "if")) {
      ++level;
    }
  }
  return PartEnd::EndOfText;
}

}  // namespace

std::string ReadBraceBlock(PARSE_ATTACHMENT& source) {
  return ReadToClosing(source, '{', '}');
}

ThenElseParts ReadThenElse(PARSE_ATTACHMENT& source) {
  ThenElseParts parts;
  if (ReadConditionalPart(source, parts.then_part, true) == PartEnd::Else) {
    ReadConditionalPart(source, parts.else_part, false);
  }
  return parts;
}

LoopParts ReadLoop(PARSE_ATTACHMENT& source) {
  LoopParts parts;
  parts.condition = ReadToClosing(source, '(', ')') + ";";
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
