// The formula scanner of the object layer (see formula_tokens.h).
#include "model/formula_tokens.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace varnex::model {
namespace {

// ORDER TOKENS: the language scanner's keyword table. These words are never identifiers.
constexpr std::array<std::string_view, 44> kKeywords = {"this",
                                                        "HERE",
                                                        "ENTITY",
                                                        "SCHEMA",
                                                        "FUNCTION",
                                                        "END_ENTITY",
                                                        "END_SCHEMA",
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
                                                        "FALSE"};

bool IsWordStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool IsWordChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '@';
}

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool IsKeyword(std::string_view word) {
  return std::find(kKeywords.begin(), kKeywords.end(), word) != kKeywords.end() ||
         word == "ENUMERATIONOF" || word == "RESTRICTEDTO";
}

}  // namespace

bool FormulaScanner::SkipSpaceAndComments() {
  while (pos_ < text_.size()) {
    char c = text_[pos_];
    if (c == ' ' || c == '\t' || c == '\n') {
      ++pos_;
    } else if (c == '-' && At(pos_ + 1) == '-') {
      while (pos_ < text_.size() && text_[pos_] != '\n') {
        ++pos_;
      }
    } else if (c == '/' && At(pos_ + 1) == '*') {
      int depth = 0;
      while (pos_ < text_.size()) {
        if (text_[pos_] == '/' && At(pos_ + 1) == '*') {
          ++depth;
          pos_ += 2;
        } else if (text_[pos_] == '*' && At(pos_ + 1) == '/') {
          pos_ += 2;
          if (--depth == 0) {
            break;
          }
        } else {
          ++pos_;
        }
      }
    } else {
      return true;
    }
  }
  return false;
}

void FormulaScanner::ScanString(FormulaToken& token) {
  token.kind = TokenKind::kString;
  ++pos_;  // the opening quote
  while (pos_ < text_.size() && text_[pos_] != '\'') {
    if (text_[pos_] == '\\' && At(pos_ + 1) == '\'') {
      ++pos_;  // the escaped quote belongs to the literal
    }
    token.text += text_[pos_++];
  }
  if (pos_ < text_.size()) {
    ++pos_;  // the closing quote
  }
}

void FormulaScanner::ScanNumber(FormulaToken& token) {
  token.kind = TokenKind::kNumber;
  while (IsDigit(At(pos_))) {
    ++pos_;
  }
  if (At(pos_) == '.') {
    ++pos_;
    while (IsDigit(At(pos_))) {
      ++pos_;
    }
  }
  token.text.assign(text_.substr(token.begin, pos_ - token.begin));
}

void FormulaScanner::ScanWord(FormulaToken& token) {
  while (IsWordChar(At(pos_))) {
    ++pos_;
  }
  token.text.assign(text_.substr(token.begin, pos_ - token.begin));
  token.kind = IsKeyword(token.text) ? TokenKind::kKeyword : TokenKind::kIdentifier;
  // "ENUMERATION OF" and "RESTRICTED TO" are single keywords across blanks.
  std::string_view tail = token.text == "ENUMERATION"  ? "OF"
                          : token.text == "RESTRICTED" ? "TO"
                                                       : "";
  if (!tail.empty()) {
    std::size_t p = pos_;
    while (At(p) == ' ') {
      ++p;
    }
    if (text_.substr(p, 2) == tail) {
      pos_ = p + 2;
      token.kind = TokenKind::kKeyword;
      token.text.assign(text_.substr(token.begin, pos_ - token.begin));
    }
  }
}

bool FormulaScanner::Next(FormulaToken& token) {
  token = FormulaToken{};
  if (!SkipSpaceAndComments()) {
    return false;
  }
  token.begin = pos_;
  char c = text_[pos_];
  if (c == '\'') {
    ScanString(token);
  } else if (IsDigit(c)) {
    ScanNumber(token);
  } else if (IsWordStart(c)) {
    ScanWord(token);
  } else {
    token.kind = TokenKind::kOther;
    token.text.assign(1, c);
    ++pos_;
  }
  token.end = pos_;
  return true;
}

std::vector<std::string> LeadingIdentifiers(std::string_view formula) {
  std::vector<std::string> names;
  FormulaScanner scanner(formula);
  FormulaToken token;
  bool after_dot = false;
  while (scanner.Next(token)) {
    if (token.kind == TokenKind::kIdentifier && !after_dot &&
        std::find(names.begin(), names.end(), token.text) == names.end()) {
      names.push_back(token.text);
    }
    after_dot = token.kind == TokenKind::kOther && token.text == ".";
  }
  return names;
}

std::vector<std::string> DottedNames(std::string_view formula) {
  std::vector<std::string> names;
  FormulaScanner scanner(formula);
  FormulaToken token;
  std::string current;
  bool expect_part = false;  // a "." was just read after a name
  auto finish = [&] {
    if (!current.empty() && std::find(names.begin(), names.end(), current) == names.end()) {
      names.push_back(current);
    }
    current.clear();
  };
  while (scanner.Next(token)) {
    bool dot = token.kind == TokenKind::kOther && token.text == ".";
    if (token.kind == TokenKind::kIdentifier && (current.empty() || expect_part)) {
      current += (current.empty() ? "" : ".") + token.text;
      expect_part = false;
    } else if (dot && !current.empty() && !expect_part) {
      expect_part = true;
    } else {
      finish();
      expect_part = false;
      if (token.kind == TokenKind::kIdentifier) {
        current = token.text;
      }
    }
  }
  finish();
  return names;
}

std::string ReplaceIdentifiers(std::string_view text, const VALUE_LIST<PVMStrg>& from,
                               const VALUE_LIST<PVMStrg>& to) {
  std::string out;
  FormulaScanner scanner(text);
  FormulaToken token;
  std::size_t copied = 0;
  while (scanner.Next(token)) {
    if (token.kind != TokenKind::kIdentifier) {
      continue;
    }
    int index = from.lookup(PVMStrg(token.text));
    if (index < 0 || index >= to.count()) {
      continue;
    }
    out.append(text.substr(copied, token.begin - copied));
    out.append(to[index].GetpStr());
    copied = token.end;
  }
  out.append(text.substr(copied));
  return out;
}

std::string TokenSource(const FormulaToken& token) {
  return token.kind == TokenKind::kString ? "'" + token.text + "'" : token.text;
}

bool SplitBracketedComponents(std::string_view text, int count, std::vector<std::string>& out) {
  FormulaScanner scanner(text);
  FormulaToken token;
  if (count < 1 || !scanner.Next(token) || token.text != "[" || token.kind != TokenKind::kOther) {
    return false;
  }
  std::vector<std::string> parts(1);
  int depth = 0;
  while (true) {
    if (!scanner.Next(token)) {
      return false;  // no closing bracket
    }
    bool bracket = token.kind == TokenKind::kOther;
    if (bracket && depth == 0 && (token.text == "," || token.text == "]")) {
      if (token.text == "]") {
        break;
      }
      parts.emplace_back();
      continue;
    }
    if (bracket && (token.text == "(" || token.text == "[" || token.text == "{")) {
      ++depth;
    } else if (bracket && (token.text == ")" || token.text == "]" || token.text == "}")) {
      --depth;
    }
    parts.back() += TokenSource(token);
  }
  if (static_cast<int>(parts.size()) != count) {
    return false;
  }
  if (scanner.Next(token) && token.text != ";") {
    return false;
  }
  out = std::move(parts);
  return true;
}

}  // namespace varnex::model
