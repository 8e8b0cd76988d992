// The NOVL scanner, hand-written after the token table of the language.
#include "language/scanner.h"

#include <array>
#include <charconv>
#include <string_view>

namespace varnex::language {
namespace {

struct Keyword {
  std::string_view word;
  int code;
};

// ORDER TOKENS: the keyword rows of the token table (tokens.h).
constexpr std::array<Keyword, 48> kKeywords{{
    {"this", novl::THIS},
    {"HERE", novl::HERE},
    {"ENTITY", novl::ENTITY},
    {"SCHEMA", novl::SCHEMA},
    {"FUNCTION", novl::FUNCTION},
    {"END_ENTITY", novl::END_ENTITY},
    {"END_SCHEMA", novl::END_SCHEMA},
    {"END_FUNCTION", novl::END_FUNCTION},
    {"LOCAL", novl::LOCAL},
    {"END_LOCAL", novl::END_LOCAL},
    {"RETURN", novl::RETURN},
    {"DERIVE", novl::DERIVE},
    {"PRINT", novl::PRINT},
    {"WHERE", novl::WHERE},
    {"NULL", novl::NULL_KW},
    {"STRING", novl::TYPE_NAME},
    {"Reference", novl::TYPE_NAME},
    {"GeometricReference", novl::TYPE_NAME},
    {"ContextReference", novl::TYPE_NAME},
    {"NodeReference", novl::TYPE_NAME},
    {"smlcond", novl::TYPE_NAME},
    {"smlid", novl::TYPE_NAME},
    {"smlsid", novl::TYPE_NAME},
    {"LOGIC", novl::TYPE_NAME},
    {"distance", novl::TYPE_NAME},
    {"NUMBER", novl::TYPE_NAME},
    {"vector", novl::TYPE_NAME},
    {"axis", novl::TYPE_NAME},
    {"ConFace", novl::TYPE_NAME},
    {"ConWir1", novl::TYPE_NAME},
    {"ConWirN", novl::TYPE_NAME},
    {"ConLKO", novl::TYPE_NAME},
    {"ConSolid", novl::TYPE_NAME},
    {"geometric", novl::TYPE_NAME},
    {"transformation_matrix", novl::TYPE_NAME},
    {"STATIC", novl::STATIC},
    {"on_stack", novl::ON_STACK},
    {"if", novl::IF},
    {"then", novl::THEN},
    {"else", novl::ELSE},
    {"endif", novl::ENDIF},
    {"dowhile", novl::DOWHILE},
    {"TRUE", novl::LOGICAL_CONST},
    {"FALSE", novl::LOGICAL_CONST},
    // The two-word keywords written without blanks, and in the spelling of their token names
    // that feature texts also use; blank-separated forms are matched in MatchTwoWordKeyword.
    {"ENUMERATIONOF", novl::ENUMERATION_OF},
    {"RESTRICTEDTO", novl::RESTRICTED_TO},
    {"ENUMERATION_OF", novl::ENUMERATION_OF},
    {"RESTRICTED_TO", novl::RESTRICTED_TO},
}};

bool IsLetter(int c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(int c) {
  return c >= '0' && c <= '9';
}
bool IsIdentifierChar(int c) {
  return IsLetter(c) || IsDigit(c) || c == '_' || c == '@';
}

int KeywordCode(std::string_view word) {
  for (const Keyword& keyword : kKeywords) {
    if (keyword.word == word) {
      return keyword.code;
    }
  }
  return novl::IDENT;
}

// Reads characters while `take` accepts them; the first refused one stays unread.
template <class Predicate>
void ReadWhile(PARSE_ATTACHMENT& source, std::string& text, Predicate take) {
  while (take(source.PeekC())) {
    text += static_cast<char>(source.GetC());
  }
}

// "ENUMERATION" or "RESTRICTED", blanks, then "OF" or "TO": one token, longer than the bare
// identifier, so it wins by longest match.
bool MatchTwoWordKeyword(PARSE_ATTACHMENT& source, Token& token) {
  std::string_view second;
  if (token.text == "ENUMERATION") {
    second = "OF";
  } else if (token.text == "RESTRICTED") {
    second = "TO";
  } else {
    return false;
  }
  std::size_t blanks = 0;
  while (source.PeekC(blanks) == ' ') {
    ++blanks;
  }
  if (blanks == 0 || source.PeekC(blanks) != second[0] || source.PeekC(blanks + 1) != second[1]) {
    return false;
  }
  for (std::size_t i = 0; i < blanks + 2; ++i) {
    token.text += static_cast<char>(source.GetC());
  }
  token.code = second == "OF" ? novl::ENUMERATION_OF : novl::RESTRICTED_TO;
  return true;
}

void SetWordValue(Token& token) {
  switch (token.code) {
    case novl::IDENT:
    case novl::TYPE_NAME:
      token.value = token.text;
      break;
    case novl::ENUMERATION_OF:
      token.value = "ENUMERATION_OF";
      break;
    case novl::RESTRICTED_TO:
      token.value = "RESTRICTED_TO";
      break;
    case novl::LOGICAL_CONST:
      token.integer = token.text == "TRUE" ? 1 : 0;
      break;
    default:
      break;
  }
}

int ScanWord(PARSE_ATTACHMENT& source, Token& token) {
  ReadWhile(source, token.text, IsIdentifierChar);
  if (!MatchTwoWordKeyword(source, token)) {
    token.code = KeywordCode(token.text);
  }
  SetWordValue(token);
  return token.code;
}

// Digits, optionally "." and more digits: "1." and "1.5" are real; no sign, no exponent.
// A literal out of the range of its type (an integer above 2147483647, a real above the largest
// double) is a BAD_TOKEN: the statement holding it is a syntax error, never a wrong number.
int ScanNumber(PARSE_ATTACHMENT& source, Token& token) {
  ReadWhile(source, token.text, IsDigit);
  if (source.PeekC() != '.') {
    std::from_chars_result result =
        std::from_chars(token.text.data(), token.text.data() + token.text.size(), token.integer);
    return token.code = result.ec == std::errc() ? novl::INTEGER_CONST : novl::BAD_TOKEN;
  }
  token.text += static_cast<char>(source.GetC());
  ReadWhile(source, token.text, IsDigit);
  std::from_chars_result result =
      std::from_chars(token.text.data(), token.text.data() + token.text.size(), token.real);
  return token.code = result.ec == std::errc() ? novl::REAL_CONST : novl::BAD_TOKEN;
}

// After the opening quote: characters up to a quote that does not directly follow a backslash;
// "\'" stands for a quote. The end of the text also ends the literal.
int ScanStringLiteral(PARSE_ATTACHMENT& source, Token& token) {
  for (int c = source.GetC(); c != -1; c = source.GetC()) {
    token.text += static_cast<char>(c);
    if (c == '\'') {
      if (token.value.empty() || token.value.back() != '\\') {
        break;
      }
      token.value.back() = '\'';
    } else {
      token.value += static_cast<char>(c);
    }
  }
  return token.code = novl::STRING_CONST;
}

// Operators of two characters and single characters that stand for themselves.
int ScanOperator(PARSE_ATTACHMENT& source, Token& token, int c) {
  struct Pair {
    char first, second;
    int code;
  };
  static constexpr Pair kPairs[] = {{'<', '=', novl::LE_OP},  {'>', '=', novl::GE_OP},
                                    {':', '=', novl::ASSIGN}, {'|', '|', novl::OR_OP},
                                    {'&', '&', novl::AND_OP}, {'!', '=', novl::NE_OP}};
  for (const Pair& pair : kPairs) {
    if (c == pair.first && source.PeekC() == pair.second) {
      token.text += static_cast<char>(source.GetC());
      return token.code = pair.code;
    }
  }
  if (c == '^') {
    return token.code = novl::XOR_OP;
  }
  if (c == '!') {
    return token.code = novl::NOT_OP;
  }
  return token.code = c;
}

void ResetToken(Token& token, std::size_t begin) {
  token.code = novl::END_OF_TEXT;
  token.text.clear();
  token.value.clear();
  token.integer = 0;
  token.real = 0.0;
  token.begin = begin;
}

int RejectOverlong(Token& token) {
  if (token.code != novl::STRING_CONST && token.text.size() > novl::kMaxTokenLength) {
    token.code = novl::BAD_TOKEN;
    token.value.clear();
  }
  return token.code;
}

}  // namespace

int ScanToken(PARSE_ATTACHMENT& source, Token& token) {
  int c = source.GetC();
  while (c == ' ' || c == '\t' || c == '\n') {
    c = source.GetC();
  }
  ResetToken(token, source.Position() - (c == -1 ? 0 : 1));
  if (c == -1) {
    return token.code;
  }
  token.text += static_cast<char>(c);
  if (IsLetter(c) || c == '_') {
    ScanWord(source, token);
  } else if (IsDigit(c)) {
    ScanNumber(source, token);
  } else if (c == '\'') {
    ScanStringLiteral(source, token);
  } else {
    ScanOperator(source, token, c);
  }
  return RejectOverlong(token);
}

}  // namespace varnex::language
