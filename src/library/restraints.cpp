// Splitting restraint texts into their expressions.
#include "library/restraints.h"

#include <string>

#include "library/token_reader.h"

namespace varnex::library {

namespace {

std::string BracedPart(const std::string& text) {
  std::size_t open = text.find('{');
  std::size_t close = text.rfind('}');
  if (open == std::string::npos) {
    return close == std::string::npos ? text : text.substr(0, close);
  }
  if (close == std::string::npos || close < open) {
    return text.substr(open + 1);
  }
  return text.substr(open + 1, close - open - 1);
}

// Index just after the string literal that opens at `start` (a backslash-quote stays inside).
std::size_t SkipLiteral(const std::string& text, std::size_t start) {
  std::size_t i = start + 1;
  while (i < text.size() && !(text[i] == '\'' && text[i - 1] != '\\')) {
    ++i;
  }
  return i < text.size() ? i + 1 : i;
}

void AddPiece(std::vector<PVMStrg>& pieces, const std::string& piece) {
  PVMStrg trimmed = Trimmed(PVMStrg(piece));
  if (trimmed.IsNotVoid()) {
    pieces.push_back(trimmed);
  }
}

}  // namespace

std::vector<PVMStrg> SplitRestraints(const PVMStrg& restraints) {
  const std::string text = BracedPart(ToStd(restraints));
  std::vector<PVMStrg> pieces;
  int depth = 0;
  std::size_t begin = 0;
  for (std::size_t i = 0; i < text.size();) {
    char c = text[i];
    if (c == '\'') {
      i = SkipLiteral(text, i);
      continue;
    }
    if (c == '(' || c == '[' || c == '{') {
      ++depth;
    } else if ((c == ')' || c == ']' || c == '}') && depth > 0) {
      --depth;
    } else if ((c == ',' || c == ';') && depth == 0) {
      AddPiece(pieces, text.substr(begin, i - begin));
      begin = i + 1;
    }
    ++i;
  }
  AddPiece(pieces, text.substr(begin));
  return pieces;
}

PVMStrg AsFormula(const PVMStrg& text) {
  PVMStrg formula = Trimmed(text);
  if (!formula.EndsWith(';')) {
    formula &= ';';
  }
  return formula;
}

}  // namespace varnex::library
