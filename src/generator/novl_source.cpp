// Checks and quoting for the texts the generator pastes into NOVL source.
#include "generator/novl_source.h"

#include <array>
#include <charconv>
#include <cstring>

namespace varnex::generator {
namespace {

constexpr std::size_t kMaxNameLength = 400;

// Words the scanner reads as keywords or type names: they cannot name an object.
constexpr std::array<std::string_view, 50> kWords = {"SCHEMA",
                                                     "END_SCHEMA",
                                                     "ENTITY",
                                                     "END_ENTITY",
                                                     "FUNCTION",
                                                     "END_FUNCTION",
                                                     "LOCAL",
                                                     "END_LOCAL",
                                                     "RETURN",
                                                     "DERIVE",
                                                     "PRINT",
                                                     "WHERE",
                                                     "NULL",
                                                     "STRING",
                                                     "Reference",
                                                     "GeometricReference",
                                                     "ContextReference",
                                                     "NodeReference",
                                                     "smlcond",
                                                     "smlid",
                                                     "smlsid",
                                                     "LOGIC",
                                                     "distance",
                                                     "NUMBER",
                                                     "vector",
                                                     "axis",
                                                     "ConFace",
                                                     "ConWir1",
                                                     "ConWirN",
                                                     "ConLKO",
                                                     "ConSolid",
                                                     "geometric",
                                                     "transformation_matrix",
                                                     "STATIC",
                                                     "on_stack",
                                                     "if",
                                                     "then",
                                                     "else",
                                                     "endif",
                                                     "dowhile",
                                                     "TRUE",
                                                     "FALSE",
                                                     "ENUMERATIONOF",
                                                     "RESTRICTEDTO",
                                                     "ENUMERATION_OF",
                                                     "RESTRICTED_TO",
                                                     "ENUMERATION",
                                                     "RESTRICTED",
                                                     "OF",
                                                     "TO"};

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The end of the text literal that opens at `at` (the index after its closing quote), or npos
// when it is not closed. A quote directly after a backslash does not close it.
std::size_t LiteralEnd(std::string_view text, std::size_t at) {
  char last = 0;
  for (std::size_t i = at + 1; i < text.size(); ++i) {
    if (text[i] == '\'' && last != '\\') {
      return i + 1;
    }
    last = text[i];
  }
  return std::string_view::npos;
}

// Whether every prefix of `text` closes no more braces than it opened, and all are closed.
bool BracesBalanced(std::string_view text) {
  int depth = 0;
  for (char c : text) {
    depth += c == '{' ? 1 : c == '}' ? -1 : 0;
    if (depth < 0) {
      return false;
    }
  }
  return depth == 0;
}

bool IsExpressionChar(char c) {
  static constexpr std::string_view kOthers = "_@.,+-*/%()[]<>=!&|^ \t";
  return IsLetter(c) || IsDigit(c) || kOthers.find(c) != std::string_view::npos;
}

}  // namespace

bool IsPlainName(std::string_view name) {
  if (name.empty() || name.size() > kMaxNameLength || !(IsLetter(name[0]) || name[0] == '_')) {
    return false;
  }
  for (char c : name) {
    if (!IsLetter(c) && !IsDigit(c) && c != '_') {
      return false;
    }
  }
  for (std::string_view word : kWords) {
    if (name == word) {
      return false;
    }
  }
  return true;
}

bool IsQualifiedName(std::string_view name) {
  for (std::size_t start = 0;;) {
    std::size_t dot = name.find('.', start);
    if (!IsPlainName(name.substr(start, dot == std::string_view::npos ? dot : dot - start))) {
      return false;
    }
    if (dot == std::string_view::npos) {
      return true;
    }
    start = dot + 1;
  }
}

std::string QuoteText(std::string_view text) {
  if ((!text.empty() && text.back() == '\\') || text.find("\\'") != std::string_view::npos ||
      !BracesBalanced(text)) {
    return {};
  }
  std::string literal = "'";
  for (char c : text) {
    literal += c == '\'' ? std::string_view("\\'") : std::string_view(&c, 1);
  }
  return literal + "'";
}

std::string ExpressionFault(std::string_view text) {
  if (text.empty()) {
    return "it is empty";
  }
  int round = 0, square = 0;
  for (std::size_t i = 0; i < text.size();) {
    char c = text[i];
    if (c == '\'') {
      std::size_t end = LiteralEnd(text, i);
      if (end == std::string_view::npos) {
        return "a text in it is not closed";
      }
      if (!BracesBalanced(text.substr(i, end - i))) {
        return "a text in it holds an unbalanced brace";
      }
      i = end;
      continue;
    }
    if (!IsExpressionChar(c)) {
      return c == ';'                 ? "it holds a ';'"
             : c == '\n' || c == '\r' ? "it holds a line feed"
             : c == '{' || c == '}'   ? "it holds a brace"
                                      : "it holds the character '" + std::string(1, c) + "'";
    }
    std::string_view pair = text.substr(i, 2);
    if (pair == "--" || pair == "/*" || pair == "*/") {
      return "it holds the comment marker '" + std::string(pair) + "'";
    }
    round += c == '(' ? 1 : c == ')' ? -1 : 0;
    square += c == '[' ? 1 : c == ']' ? -1 : 0;
    if (round < 0 || square < 0) {
      return "its brackets do not match";
    }
    ++i;
  }
  return round == 0 && square == 0 ? std::string() : "its brackets do not match";
}

std::string TypeFault(std::string_view text) {
  if (IsPlainName(text) || text == "distance" || text == "NUMBER" || text == "STRING" ||
      text == "LOGIC" || text == "vector" || text == "axis" || text == "geometric" ||
      text == "transformation_matrix" || text == "Reference" || text == "GeometricReference" ||
      text == "ContextReference" || text == "NodeReference" || text == "smlsid" ||
      text == "smlid" || text == "smlcond" || text == "ConFace" || text == "ConWir1" ||
      text == "ConWirN" || text == "ConLKO" || text == "ConSolid") {
    return {};
  }
  std::string_view rest;
  for (std::string_view head : {"ENUMERATION_OF", "ENUMERATION OF"}) {
    if (text.substr(0, head.size()) == head) {
      rest = text.substr(head.size());
    }
  }
  while (!rest.empty() && rest.front() == ' ') {
    rest.remove_prefix(1);
  }
  if (rest.size() < 2 || rest.front() != '(' || rest.back() != ')') {
    return "it is neither a type name nor an enumeration";
  }
  rest = rest.substr(1, rest.size() - 2);
  for (std::size_t start = 0; start <= rest.size();) {
    std::size_t comma = rest.find(',', start);
    std::string_view item =
        rest.substr(start, comma == std::string_view::npos ? comma : comma - start);
    while (!item.empty() && item.front() == ' ') {
      item.remove_prefix(1);
    }
    while (!item.empty() && item.back() == ' ') {
      item.remove_suffix(1);
    }
    if (!IsPlainName(item)) {
      return "the enumeration item '" + std::string(item) + "' is no plain name";
    }
    if (comma == std::string_view::npos) {
      break;
    }
    start = comma + 1;
  }
  return {};
}

std::string RequoteValue(std::string_view quoted) {
  if (quoted.size() < 2 || quoted.front() != '\'' || quoted.back() != '\'') {
    return {};
  }
  return QuoteText(quoted.substr(1, quoted.size() - 2));
}

std::string NumberText(double value) {
  std::string text(32, '\0');
  for (;;) {
    auto result =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (result.ec == std::errc()) {
      text.resize(result.ptr - text.data());
      return text;
    }
    text.resize(text.size() * 2);  // a huge value in fixed notation
  }
}

}  // namespace varnex::generator
