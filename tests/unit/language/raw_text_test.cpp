// The raw block readers of conditionals, loops and skipped clauses.
#include "language/raw_text.h"

#include <gtest/gtest.h>
#include <varnex/language/parse_attachment.h>

#include <string>

namespace {

using namespace varnex::language;

std::string Text(const PARSE_ATTACHMENT& source, const TextSpan& span) {
  return std::string(SpanText(source, span));
}

std::string Rest(PARSE_ATTACHMENT& source) {
  std::string rest;
  for (int c = source.GetC(); c != -1; c = source.GetC()) {
    rest += static_cast<char>(c);
  }
  return rest;
}

TEST(RawText, BraceBlockEndsAtTheMatchingBrace) {
  PARSE_ATTACHMENT source(PVMStrg(" a := {1}; if (x) { b := 2; }; }; c;"), nullptr);
  EXPECT_EQ(Text(source, ReadBraceBlock(source)), " a := {1}; if (x) { b := 2; }; ");
  EXPECT_EQ(Rest(source), "; c;");
}

TEST(RawText, BraceBlockEndsAtTheEndOfTheText) {
  PARSE_ATTACHMENT source(PVMStrg("a; { b;"), nullptr);
  EXPECT_EQ(Text(source, ReadBraceBlock(source)), "a; { b;");
}

struct ThenElseCase {
  const char* text;
  const char* then_part;
  const char* else_part;
  const char* rest;
};

TEST(RawText, ThenElseParts) {
  const ThenElseCase cases[] = {
      {" a := 1; else a := 2; endif; b;", " a := 1; ", " a := 2; ", "; b;"},
      {" a := 1; endif; b;", " a := 1; ", "", "; b;"},
      {" if (c) then x; else y; endif; z; else w; endif;", " if (c) then x; else y; endif; z; ",
       " w; ", ";"},
      // "modif" ends in "if" and opens a level, so the first "endif" closes it.
      {" modif := 1; endif; b := 2; endif;", " modif := 1; endif; b := 2; ", "", ";"},
      // Keywords match inside longer words.
      {" elsewhere; endif;", " ", "where; ", ";"},
      {" a; else b; else c; endif;", " a; ", " b; else c; ", ";"},
      {" a; else b;", " a; ", " b;", ""},
  };
  for (const ThenElseCase& c : cases) {
    PARSE_ATTACHMENT source(PVMStrg(c.text), nullptr);
    ThenElseParts parts = ReadThenElse(source);
    EXPECT_EQ(Text(source, parts.then_part), c.then_part) << c.text;
    EXPECT_EQ(Text(source, parts.else_part), c.else_part) << c.text;
    EXPECT_EQ(Rest(source), c.rest) << c.text;
  }
}

TEST(RawText, LoopConditionAndBody) {
  PARSE_ATTACHMENT source(PVMStrg("f(i) < (3 + n)) { i := i + 1; { }; }; rest"), nullptr);
  LoopParts parts = ReadLoop(source);
  EXPECT_EQ(parts.condition, "f(i) < (3 + n);");
  EXPECT_EQ(Text(source, parts.body), " i := i + 1; { }; ");
  EXPECT_EQ(Rest(source), "; rest");
}

TEST(RawText, SkipPastSemicolon) {
  PARSE_ATTACHMENT source(PVMStrg(" a + b * (c; d); e"), nullptr);
  SkipPastSemicolon(source);
  EXPECT_EQ(Rest(source), " d); e");
}

TEST(RawText, BlocksHaveNoLengthLimit) {
  std::string body(200000, 'x');
  PARSE_ATTACHMENT source(PVMStrg(("i < 3) {" + body + "};").c_str()), nullptr);
  TextSpan read = ReadLoop(source).body;
  EXPECT_EQ(read.end - read.begin, body.size());
}

// A block is a window on its source's text: a block nested n deep costs no copy of the text
// around it, so memory grows with the text, not with the square of the nesting.
TEST(RawText, BlocksAreWindowsOnTheirSourceWithTheirLines) {
  PARSE_ATTACHMENT source(PVMStrg("x;\n{ a;\n { b; };\n}; c;"), nullptr);
  source.GetC();
  source.GetC();
  source.GetC();
  source.GetC();  // past "{"
  TextSpan outer = ReadBraceBlock(source);
  EXPECT_EQ(outer.first_line, 2);
  PARSE_ATTACHMENT block(source, outer.begin, outer.end, outer.first_line);
  EXPECT_EQ(block.Text().data(), source.Text().data() + outer.begin) << "no copy";
  EXPECT_EQ(block.Text(), " a;\n { b; };\n");
  EXPECT_EQ(block.GetLine(), 2);
  while (block.GetC() != '{') {
  }
  TextSpan inner = ReadBraceBlock(block);
  EXPECT_EQ(inner.first_line, 3);
  EXPECT_EQ(Text(block, inner), " b; ");
}

}  // namespace
