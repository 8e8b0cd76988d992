// The scanner's token rules, the comment filter and the text sources.
#include "language/scanner.h"

#include <gtest/gtest.h>
#include <varnex/language/parse_attachment.h>
#include <varnex/language/tokens.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using varnex::language::ScanToken;
using varnex::language::Token;

// "code:value" per token; value is the string value when there is one, else the number.
std::vector<std::string> Scan(const std::string& text) {
  PARSE_ATTACHMENT source(PVMStrg(text), nullptr);
  std::vector<std::string> tokens;
  Token token;
  while (ScanToken(source, token) != novl::END_OF_TEXT) {
    std::string value = token.value;
    if (token.code == novl::INTEGER_CONST || token.code == novl::LOGICAL_CONST) {
      value = std::to_string(token.integer);
    } else if (token.code == novl::REAL_CONST) {
      value = std::to_string(token.real);
    } else if (value.empty() && token.code != novl::STRING_CONST) {
      value = token.text;
    }
    tokens.push_back(std::to_string(token.code) + ":" + value);
  }
  return tokens;
}

std::string T(int code, const std::string& value) {
  return std::to_string(code) + ":" + value;
}

struct TokenCase {
  const char* text;
  std::vector<std::string> tokens;
};

TEST(Scanner, TokenRules) {
  const TokenCase cases[] = {
      {"ENUMERATION   OF", {T(novl::ENUMERATION_OF, "ENUMERATION_OF")}},
      {"ENUMERATIONOF", {T(novl::ENUMERATION_OF, "ENUMERATION_OF")}},
      {"ENUMERATIONOFX", {T(novl::IDENT, "ENUMERATIONOFX")}},
      {"ENUMERATION OFFSET", {T(novl::ENUMERATION_OF, "ENUMERATION_OF"), T(novl::IDENT, "FSET")}},
      {"ENUMERATION O", {T(novl::IDENT, "ENUMERATION"), T(novl::IDENT, "O")}},
      {"RESTRICTED TO", {T(novl::RESTRICTED_TO, "RESTRICTED_TO")}},
      {"RESTRICTED_TO ENUMERATION_OF RESTRICTED_TOO",
       {T(novl::RESTRICTED_TO, "RESTRICTED_TO"), T(novl::ENUMERATION_OF, "ENUMERATION_OF"),
        T(novl::IDENT, "RESTRICTED_TOO")}},
      {"RESTRICTED\tTO", {T(novl::RESTRICTED_TO, "RESTRICTED_TO")}},  // the tab became a blank
      {"ENTITYx ENTITY entity",
       {T(novl::IDENT, "ENTITYx"), T(novl::ENTITY, "ENTITY"), T(novl::IDENT, "entity")}},
      {"if If IF then THEN endif endifx",
       {T(novl::IF, "if"), T(novl::IDENT, "If"), T(novl::IDENT, "IF"), T(novl::THEN, "then"),
        T(novl::IDENT, "THEN"), T(novl::ENDIF, "endif"), T(novl::IDENT, "endifx")}},
      {"distance NUMBER transformation_matrix Distance",
       {T(novl::TYPE_NAME, "distance"), T(novl::TYPE_NAME, "NUMBER"),
        T(novl::TYPE_NAME, "transformation_matrix"), T(novl::IDENT, "Distance")}},
      {"TRUE FALSE TRUEx",
       {T(novl::LOGICAL_CONST, "1"), T(novl::LOGICAL_CONST, "0"), T(novl::IDENT, "TRUEx")}},
      {"this HERE NULL on_stack STATIC",
       {T(novl::THIS, "this"), T(novl::HERE, "HERE"), T(novl::NULL_KW, "NULL"),
        T(novl::ON_STACK, "on_stack"), T(novl::STATIC, "STATIC")}},
      {"12 12. 12.50",
       {T(novl::INTEGER_CONST, "12"), T(novl::REAL_CONST, "12.000000"),
        T(novl::REAL_CONST, "12.500000")}},
      {".5", {T('.', "."), T(novl::INTEGER_CONST, "5")}},
      {"1.2.3", {T(novl::REAL_CONST, "1.200000"), T('.', "."), T(novl::INTEGER_CONST, "3")}},
      {"1e5", {T(novl::INTEGER_CONST, "1"), T(novl::IDENT, "e5")}},
      {"99999999999", {T(novl::BAD_TOKEN, "99999999999")}},  // out of range: refused
      {"box_@3 _x @y",
       {T(novl::IDENT, "box_@3"), T(novl::IDENT, "_x"), T('@', "@"), T(novl::IDENT, "y")}},
      {"'it\\'s'", {T(novl::STRING_CONST, "it's")}},
      {"'' 'a\\\\'b'", {T(novl::STRING_CONST, ""), T(novl::STRING_CONST, "a\\'b")}},
      {"'unterminated", {T(novl::STRING_CONST, "unterminated")}},
      {"'keep  -- /* this */'", {T(novl::STRING_CONST, "keep  -- /* this */")}},
      {"a--b\nc", {T(novl::IDENT, "a"), T(novl::IDENT, "c")}},
      {"a-b", {T(novl::IDENT, "a"), T('-', "-"), T(novl::IDENT, "b")}},
      {"a/b", {T(novl::IDENT, "a"), T('/', "/"), T(novl::IDENT, "b")}},
      {"a /* x /* y */ z */ b", {T(novl::IDENT, "a"), T(novl::IDENT, "b")}},
      {"a /* never closed\n b", {T(novl::IDENT, "a")}},
      {"<= >= := || ^ && != ! < > : | & =",
       {T(novl::LE_OP, "<="), T(novl::GE_OP, ">="), T(novl::ASSIGN, ":="), T(novl::OR_OP, "||"),
        T(novl::XOR_OP, "^"), T(novl::AND_OP, "&&"), T(novl::NE_OP, "!="), T(novl::NOT_OP, "!"),
        T('<', "<"), T('>', ">"), T(':', ":"), T('|', "|"), T('&', "&"), T('=', "=")}},
      {"a\r\nb", {T(novl::IDENT, "a"), T('\r', "\r"), T(novl::IDENT, "b")}},
      {" \t\t \n ", {}},
  };
  for (const TokenCase& c : cases) {
    EXPECT_EQ(Scan(c.text), c.tokens) << c.text;
  }
}

TEST(Scanner, HighBytesAreCharacterTokens) {
  EXPECT_EQ(Scan("\xe4"), std::vector<std::string>{T(0xe4, "\xe4")});
}

TEST(Scanner, OverlongTokensAreBadButDoNotStopTheScan) {
  const std::string limit(novl::kMaxTokenLength, 'x');
  const std::string overlong = limit + "y";
  EXPECT_EQ(Scan(limit + " ;"), (std::vector<std::string>{T(novl::IDENT, limit), T(';', ";")}));
  EXPECT_EQ(Scan(overlong + " ;"),
            (std::vector<std::string>{T(novl::BAD_TOKEN, overlong), T(';', ";")}));
  const std::string digits(novl::kMaxTokenLength + 1, '7');
  EXPECT_EQ(Scan(digits + ".5")[0].substr(0, 4), std::to_string(novl::BAD_TOKEN) + ":");
}

TEST(Scanner, StringLiteralsHaveNoLengthLimit) {
  const std::string long_text(100000, 'q');
  EXPECT_EQ(Scan("'" + long_text + "'"),
            std::vector<std::string>{T(novl::STRING_CONST, long_text)});
}

TEST(Scanner, TokenTextKeepsTheCharactersAsWritten) {
  PARSE_ATTACHMENT source(PVMStrg("ENUMERATION   OF 'a\\'b' 1.50"), nullptr);
  Token token;
  ScanToken(source, token);
  EXPECT_EQ(token.text, "ENUMERATION OF");  // the comment filter folded the blanks
  ScanToken(source, token);
  EXPECT_EQ(token.text, "'a\\'b'");
  EXPECT_EQ(token.value, "a'b");
  ScanToken(source, token);
  EXPECT_EQ(token.text, "1.50");
  EXPECT_EQ(token.begin, 22u);
}

struct FilterCase {
  const char* in;
  const char* out;
};

TEST(CommentFilter, RemovesCommentsKeepsLinesAndLiterals) {
  const FilterCase cases[] = {
      {"a  \t b", "a b"},
      {"a -- note\nb", "a \nb"},
      {"a /* 1\n /* 2\n */ 3\n */b", "a \n\n\nb"},
      {"a */ b", "a */ b"},
      {"a /* open\n", "a \n"},
      {"x := 'a  -- b';", "x := 'a  -- b';"},
      {"x := 'it\\'s  -- b'; -- c", "x := 'it\\'s  -- b'; "},
      {"-- it's\nx", "\nx"},
      {"a - b / c", "a - b / c"},
  };
  for (const FilterCase& c : cases) {
    PVMStrg text(c.in);
    EXPECT_EQ(filter_comments(text), 0);
    EXPECT_STREQ(text.GetpStr(), c.out) << c.in;
  }
}

TEST(ParseAttachment, CountsLinesAndStepsBack) {
  PARSE_ATTACHMENT source(PVMStrg("ab\n/* x\n */c\nd"), nullptr);
  PVMStrg line;
  EXPECT_EQ(source.GetLine(), 1);
  EXPECT_STREQ(source.GetLine(line), "ab");
  Token token;
  ScanToken(source, token);  // ab
  ScanToken(source, token);  // c, two line feeds later
  EXPECT_EQ(token.value, "c");
  EXPECT_EQ(source.GetLine(), 3);
  EXPECT_STREQ(source.GetLine(line), "c");
  source.GetC();
  EXPECT_EQ(source.GetLine(), 4);
  source.UngetC();
  EXPECT_EQ(source.GetLine(), 3);
  source.Rewind();
  EXPECT_EQ(source.GetC(), 'a');
  EXPECT_EQ(source.GetLine(), 1);
}

TEST(ParseAttachment, NestedTextContinuesTheParentsFileAndLines) {
  PARSE_ATTACHMENT parent(PVMStrg("x\ny\nz\n"), nullptr);
  while (parent.GetLine() < 3) {
    parent.GetC();
  }
  PARSE_ATTACHMENT block(PVMStrg("a;\nb;"), &parent);
  EXPECT_EQ(block.GetLine(), 2);  // the block's last line is the parent's current line
  PVMStrg name;
  EXPECT_STREQ(block.GetFullFileName(name), "");
}

TEST(ParseAttachment, ReadsFilesAsTextMode) {
  const std::string dir = testing::TempDir();
  {
    std::ofstream out(dir + "crlf.NVL", std::ios::binary);
    out << "a := 1;\r\nb := 'x\ry';\r\n\x1a trailing garbage";
  }
  PARSE_ATTACHMENT source(PVMStrg("crlf.NVL"), PVMStrg(dir.c_str()));
  PVMStrg text;
  EXPECT_STREQ(source.GetSourceCode(text), "a := 1;\nb := 'x\ry';\n");
  PVMStrg full;
  EXPECT_STREQ(source.GetFullFileName(full), (dir + "crlf.NVL").c_str());

  PARSE_ATTACHMENT missing(PVMStrg("no-such-file.NVL"), PVMStrg(dir.c_str()));
  EXPECT_EQ(missing.GetC(), -1);
}

TEST(ParseAttachment, NestedFileNameSplitsAtTheLastBackslash) {
  PARSE_ATTACHMENT parent(PVMStrg("f.NVL"), PVMStrg("C:\\lib\\"));
  PARSE_ATTACHMENT block(PVMStrg("a;"), &parent);
  PVMStrg name;
  EXPECT_STREQ(block.GetFileName(name), "f.NVL");
  EXPECT_STREQ(block.GetFullFileName(name), "C:\\lib\\f.NVL");
}

}  // namespace
