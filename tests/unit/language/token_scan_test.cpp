// The token-scanning functions other subsystems use on formula texts.
#include <gtest/gtest.h>
#include <varnex/language/lexer.h>
#include <varnex/language/parse_attachment.h>

namespace {

struct ScanCase {
  const char* text;
  int stop;
  bool brackets;
  const char* out;
  int returned;
};

TEST(TokenScan, ScanAndReadToToken) {
  const ScanCase cases[] = {
      {"a + 'x y' * 2.50 ; b", ';', false, "a+'x y'*2.50", ';'},
      {"f(a, b), c", ',', false, "f(a", ','},
      {"f(a, b), c", ',', true, "f(a,b)", ','},
      {"[1, [2, 3]], 4", ',', true, "[1,[2,3]]", ','},
      {"a) , b", ',', true, "a),b", 0},  // ")" lowers the depth below 0
      {"a b", ';', false, "ab", 0},
      {"'it\\'s' ;", ';', false, "'it\\'s'", ';'},
  };
  for (const ScanCase& c : cases) {
    PARSE_ATTACHMENT source(PVMStrg(c.text), nullptr);
    ParseObjectScope scope(&source);
    PVMStrg out;
    int returned = c.brackets ? ReadToToken(out, c.stop) : ScanToToken(out, c.stop);
    EXPECT_EQ(returned, c.returned) << c.text;
    EXPECT_STREQ(out.GetpStr(), c.out) << c.text;
  }
}

TEST(TokenScan, StopListsAndTheRestOfTheText) {
  PARSE_ATTACHMENT source(PVMStrg("x := y + z, w)"), nullptr);
  ParseObjectScope scope(&source);
  PVMStrg out;
  const int stops[] = {',', ')', novl::ASSIGN, 0};
  EXPECT_EQ(ScanToToken(out, stops), novl::ASSIGN);
  EXPECT_STREQ(out.GetpStr(), "x");
  EXPECT_EQ(ReadToToken(out, stops), ',');
  EXPECT_STREQ(out.GetpStr(), "xy+z");
  EXPECT_EQ(yylex(), novl::IDENT);
  EXPECT_STREQ(yylval.text.GetpStr(), "w");
}

TEST(TokenScan, YylexWithoutSourceEndsAtOnce) {
  ParseObjectScope scope(nullptr);
  EXPECT_EQ(yylex(), novl::END_OF_TEXT);
}

TEST(TokenScan, SeparateVectorComponents) {
  PVMStrg out[3];
  PVMStrg text("[1, f(2,3), x]");
  PARSE_ATTACHMENT outer(PVMStrg("outer"), nullptr);
  ParseObjectScope scope(&outer);
  EXPECT_EQ(SeparateVectorComponents(text, out), text.GetpStr());
  EXPECT_STREQ(out[0].GetpStr(), "1");
  EXPECT_STREQ(out[1].GetpStr(), "f(2,3)");
  EXPECT_STREQ(out[2].GetpStr(), "x");
  EXPECT_EQ(PARSEOBJECT, &outer);

  const char* failing[] = {"[1, 2]", "[1, 2, 3", "1, 2, 3]", "[1, 2, 3] x", "[1, 2, 3, 4]"};
  for (const char* bad : failing) {
    PVMStrg bad_text(bad);
    PVMStrg untouched[3] = {"u", "u", "u"};
    EXPECT_EQ(SeparateVectorComponents(bad_text, untouched), nullptr) << bad;
    EXPECT_STREQ(untouched[0].GetpStr(), "u") << bad;
    EXPECT_EQ(VectorComponentSeparation(bad_text, untouched), 0) << bad;
  }
  PVMStrg with_semicolon("[a, -b, c*2];");
  EXPECT_EQ(VectorComponentSeparation(with_semicolon, out), 1);
  EXPECT_STREQ(out[1].GetpStr(), "-b");
}

TEST(TokenScan, SeparateAxisComponents) {
  PVMStrg out[2];
  PVMStrg text("[[0, 0, 0], [0, 0, 1]]");
  EXPECT_NE(SeparateAxisComponents(text, out), nullptr);
  EXPECT_STREQ(out[0].GetpStr(), "[0,0,0]");
  EXPECT_STREQ(out[1].GetpStr(), "[0,0,1]");
  PVMStrg triple("[1, 2, 3]");
  EXPECT_EQ(AxisComponentSeparation(triple, out), 0);
}

struct ReplaceCase {
  const char* text;
  const char* old_name;
  const char* new_name;
  const char* result;
  int count;
};

TEST(TokenScan, ReplaceTokenKeepsEverythingElse) {
  const ReplaceCase cases[] = {
      {"a.b+ab+a!=b", "a", "c", "c.b+ab+c!=b", 2},
      {"a  +\ta\n* b.a", "a", "box_@2", "box_@2  +\tbox_@2\n* b.a", 2},
      {"'a' + a", "a", "z", "'a' + z", 1},
      {"'it\\'s  a' + a", "a", "z", "'it\\'s  a' + z", 1},
      {"a -- a\n+ a /* a /* a */ a */", "a", "q", "q -- a\n+ q /* a /* a */ a */", 2},
      {"b + c", "a", "z", "b + c", 0},
      {"a@1 + a_1 + a", "a", "z", "a@1 + a_1 + z", 1},
  };
  for (const ReplaceCase& c : cases) {
    PVMStrg text(c.text);
    EXPECT_EQ(ReplaceToken(text, PVMStrg(c.old_name), PVMStrg(c.new_name)), c.count) << c.text;
    EXPECT_STREQ(text.GetpStr(), c.result) << c.text;
  }
}

}  // namespace
