// yylex() for the engine's own text readers, and the token-scanning functions built on it.
#include <varnex/language/lexer.h>
#include <varnex/language/parse_attachment.h>

#include <algorithm>
#include <array>

#include "language/scanner.h"

// The last token yylex read, for the engine's own text readers; overwritten by each call.
PVMStrg yytext;
LexValue yylval;

using varnex::language::ScanToken;
using varnex::language::Token;

int yylex() {
  if (PARSEOBJECT == nullptr) {
    yytext = "";
    return novl::END_OF_TEXT;
  }
  Token token;
  ScanToken(*PARSEOBJECT, token);
  yytext = PVMStrg(token.text);
  yylval.integer = token.integer;
  yylval.real = token.real;
  yylval.text = PVMStrg(token.value);
  return token.code;
}

namespace {

bool IsStop(int code, const int* stops) {
  for (; *stops != 0; ++stops) {
    if (code == *stops) {
      return true;
    }
  }
  return false;
}

int ScanTo(PVMStrg& out, const int* stops, bool count_brackets) {
  int depth = 0;
  for (int code = yylex(); code != novl::END_OF_TEXT; code = yylex()) {
    if ((!count_brackets || depth == 0) && IsStop(code, stops)) {
      return code;
    }
    depth += varnex::language::BracketChange(code);
    out &= yytext;
  }
  return novl::END_OF_TEXT;
}

// Splits "[" c1 "," ... "," cN "]" followed by the end or ";" into `count` component texts.
bool SeparateComponents(const PVMStrg& text, PVMStrg* out, int count) {
  PARSE_ATTACHMENT source(text, nullptr);
  ParseObjectScope scope(&source);
  if (yylex() != '[') {
    return false;
  }
  // Every component ends at "," or "]", so a list of the wrong length fails.
  const int stops[] = {',', ']', 0};
  std::array<PVMStrg, 3> parts;
  for (int i = 0; i < count; ++i) {
    int expected = i + 1 < count ? ',' : ']';
    if (ReadToToken(parts[i], stops) != expected) {
      return false;
    }
  }
  int after = yylex();
  if (after != novl::END_OF_TEXT && after != ';') {
    return false;
  }
  std::copy(parts.begin(), parts.begin() + count, out);
  return true;
}

// Past the comment that starts at the current token ("--" or "/*"), which the verbatim source
// still holds; false when the token starts none.
bool SkipComment(PARSE_ATTACHMENT& source, int code) {
  if (code == '-' && source.PeekC() == '-') {
    while (source.PeekC() != -1 && source.PeekC() != '\n') {
      source.GetC();
    }
    return true;
  }
  if (code != '/' || source.PeekC() != '*') {
    return false;
  }
  int depth = 1;
  source.GetC();
  while (depth > 0 && source.PeekC() != -1) {
    int c = source.GetC();
    if (c == '/' && source.PeekC() == '*') {
      source.GetC();
      ++depth;
    } else if (c == '*' && source.PeekC() == '/') {
      source.GetC();
      --depth;
    }
  }
  return true;
}

}  // namespace

int ScanToToken(PVMStrg& out, int stop) {
  const int stops[] = {stop, 0};
  return ScanTo(out, stops, false);
}

int ScanToToken(PVMStrg& out, const int* stops) {
  return ScanTo(out, stops, false);
}

int ReadToToken(PVMStrg& out, int stop) {
  const int stops[] = {stop, 0};
  return ScanTo(out, stops, true);
}

int ReadToToken(PVMStrg& out, const int* stops) {
  return ScanTo(out, stops, true);
}

const char* SeparateVectorComponents(PVMStrg& text, PVMStrg* out) {
  return SeparateComponents(text, out, 3) ? text.GetpStr() : nullptr;
}

const char* SeparateAxisComponents(PVMStrg& text, PVMStrg* out) {
  return SeparateComponents(text, out, 2) ? text.GetpStr() : nullptr;
}

int VectorComponentSeparation(PVMStrg& text, PVMStrg* out) {
  return SeparateComponents(text, out, 3) ? 1 : 0;
}

int AxisComponentSeparation(PVMStrg& text, PVMStrg* out) {
  return SeparateComponents(text, out, 2) ? 1 : 0;
}

// Works on a verbatim source, so every character between tokens is copied as it stands.
int ReplaceToken(PVMStrg& text, const PVMStrg& old_name, const PVMStrg& new_name) {
  PARSE_ATTACHMENT source(text, PARSE_ATTACHMENT::Verbatim{});
  const std::string_view in(text.GetpStr(), text.Length());
  std::string result;
  std::size_t copied = 0;
  int replaced = 0;
  bool after_dot = false;
  Token token;
  while (ScanToken(source, token) != novl::END_OF_TEXT) {
    if (SkipComment(source, token.code)) {
      after_dot = false;
      continue;
    }
    if (token.code == novl::IDENT && !after_dot && token.value == old_name.GetpStr()) {
      result.append(in.substr(copied, token.begin - copied));
      result.append(new_name.GetpStr(), new_name.Length());
      copied = token.begin + token.text.size();
      ++replaced;
    }
    after_dot = token.code == '.';
  }
  if (replaced > 0) {
    result.append(in.substr(copied));
    text = PVMStrg(result);
  }
  return replaced;
}
