// Escape table shared by writing and reading quoted strings.
#include "persistence/c_escapes.h"

namespace varnex::persistence {
namespace {

struct Escape {
  char character;
  char letter;
};

constexpr Escape kEscapes[] = {
    {'\a', 'a'}, {'\b', 'b'}, {'\t', 't'}, {'\n', 'n'},  {'\v', 'v'},
    {'\f', 'f'}, {'\r', 'r'}, {'"', '"'},  {'\'', '\''}, {'\\', '\\'},
};

}  // namespace

char EscapeLetter(char c) {
  for (const Escape& escape : kEscapes) {
    if (escape.character == c) {
      return escape.letter;
    }
  }
  return 0;
}

char UnescapeLetter(char letter) {
  for (const Escape& escape : kEscapes) {
    if (escape.letter == letter) {
      return escape.character;
    }
  }
  return 0;
}

std::string EscapeText(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size() + 2);
  for (char c : text) {
    char letter = EscapeLetter(c);
    if (letter != 0) {
      escaped += '\\';
      escaped += letter;
    } else {
      escaped += c;
    }
  }
  return escaped;
}

}  // namespace varnex::persistence
