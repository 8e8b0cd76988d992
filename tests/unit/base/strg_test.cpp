// PVMStrg and PVFRString: the cutting, bracing, replacing and number rules callers rely on.
#include <gtest/gtest.h>
#include <varnex/base/strg.h>

#include <functional>
#include <string>

namespace {

struct CutCase {
  const char* text;
  std::function<const char*(PVMStrg&, PVMStrg&)> cut;
  const char* delivered;
  const char* kept;
};

TEST(StrgCutting, ForwardAndBackward) {
  const CutCase cases[] = {
      {"a.b.c", [](PVMStrg& s, PVMStrg& o) { return s.CutForward(o, '.'); }, "a", "b.c"},
      {"abc", [](PVMStrg& s, PVMStrg& o) { return s.CutForward(o, '.'); }, "abc", ""},
      {"a.b.c", [](PVMStrg& s, PVMStrg& o) { return s.CutBackward(o, '.'); }, "c", "a.b"},
      {"abc", [](PVMStrg& s, PVMStrg& o) { return s.CutBackward(o, '.'); }, "abc", ""},
      {".x", [](PVMStrg& s, PVMStrg& o) { return s.CutForward(o, '.'); }, "", "x"},
      {"a::b::c", [](PVMStrg& s, PVMStrg& o) { return s.CutForward(o, "::"); }, "a", "b::c"},
  };
  for (const CutCase& c : cases) {
    PVMStrg text(c.text);
    PVMStrg out("stale");
    EXPECT_STREQ(c.cut(text, out), c.delivered) << c.text;
    EXPECT_STREQ(out, c.delivered) << c.text;
    EXPECT_STREQ(text, c.kept) << c.text;
  }
}

TEST(StrgCutting, EmptyStringReturnsAtOnceAndLeavesOut) {
  PVMStrg text;
  PVMStrg out("kept");
  EXPECT_STREQ(text.CutForward(out, '.'), "kept");
  EXPECT_STREQ(out, "kept");
}

TEST(StrgCutting, DropAndKeepOperators) {
  PVMStrg s("x_@y_@z");
  s <<= "_@";
  EXPECT_STREQ(s, "z");

  s = "x_@y_@z";
  s >> "_@";
  EXPECT_STREQ(s, "y_@z");

  s = "a.b.c";
  s >>= '.';
  EXPECT_STREQ(s, "a");

  s = "a.b.c";
  s << '.';
  EXPECT_STREQ(s, "a.b");

  s = "a.b.c";
  s - ".";
  EXPECT_STREQ(s, "a.b");

  s = "abc";
  s >> '.';
  s <<= '.';
  s >>= '.';
  s << '.';
  EXPECT_STREQ(s, "abc") << "absent separators leave the text";
}

TEST(StrgCutting, ByteRemoval) {
  PVMStrg s("abcd");
  s >> 1u;
  EXPECT_STREQ(s, "acd");
  s << 0u;
  EXPECT_STREQ(s, "ac");
  s >> 7u;
  s << 7u;
  EXPECT_STREQ(s, "ac") << "indexes outside the text change nothing";
  s - 'x';
  EXPECT_STREQ(s, "ac");
  s - 'c';
  EXPECT_STREQ(s, "a");
  s = "hello";
  s - 2;
  EXPECT_STREQ(s, "hel");
  s - 10;
  EXPECT_STREQ(s, "");
}

TEST(StrgBracing, BraceAndUnBrace) {
  PVMStrg s("abc");
  EXPECT_STREQ(s.Brace('\''), "'abc'");
  EXPECT_STREQ(s.UnBrace('\''), "abc");

  PVMStrg quote("'");
  EXPECT_STREQ(quote.UnBrace('\''), "'") << "a lone quote is not a braced empty text";

  PVMStrg twoQuotes("''");
  EXPECT_STREQ(twoQuotes.UnBrace('\''), "");

  PVMStrg t("x");
  EXPECT_STREQ(t.Brace(""), "x");
  EXPECT_STREQ(t.Brace(static_cast<const char*>(nullptr)), "x");
  EXPECT_STREQ(t.Brace("<>"), "<>x<>");
  EXPECT_STREQ(t.UnBrace("<>"), "x");

  PVMStrg overlap("<><");
  EXPECT_STREQ(overlap.UnBrace("<>"), "<><") << "too short to hold the text twice";
  PVMStrg self("ab");
  EXPECT_STREQ(self.Brace(self), "ababab") << "bracing with itself reads a copy";
}

TEST(StrgReplacing, FirstLastAndAll) {
  PVMStrg s("a.b.c");
  s.ReplaceForward('.', '_');
  EXPECT_STREQ(s, "a_b.c");
  s.ReplaceBackward('.', '_');
  EXPECT_STREQ(s, "a_b_c");

  PVMStrg t("one two one");
  t.ReplaceBackward("one", "1");
  EXPECT_STREQ(t, "one two 1");
  t.ReplaceForward("one", "");
  EXPECT_STREQ(t, " two 1");

  PVMStrg u("aaa");
  u.ReplaceAll("a", "aa");
  EXPECT_STREQ(u, "aaaaaa") << "replacement text is not scanned again";
  u.ReplaceAll('a', 'a');
  EXPECT_STREQ(u, "aaaaaa");
  u.ReplaceAll("", "x");
  EXPECT_STREQ(u, "aaaaaa");
}

TEST(StrgSearching, FindCountAndEnds) {
  PVMStrg s("ab.cd.ef");
  EXPECT_TRUE(s.Find('.'));
  EXPECT_FALSE(s.Find('x'));
  EXPECT_TRUE(s.FindAt("ef", 3));
  EXPECT_FALSE(s.FindAt("ab", 1));
  EXPECT_TRUE(s.FindFirstAt("ab", 5)) << "falls back to the whole text";
  EXPECT_FALSE(s.FindAt("ab", 100));
  EXPECT_EQ(s.Count('.'), 2);
  EXPECT_EQ(PVMStrg("aaaa").Count("aa"), 2);
  EXPECT_TRUE(s.StartsWith("ab."));
  EXPECT_TRUE(s.EndsWith('f'));
  EXPECT_FALSE(PVMStrg().EndsWith('f'));
}

TEST(StrgNumbers, IsDecimalNumber) {
  int value = -1;
  EXPECT_TRUE(PVMStrg("0042").IsDecimalNumber(&value));
  EXPECT_EQ(value, 42);
  EXPECT_FALSE(PVMStrg("-1").IsDecimalNumber(&value));
  EXPECT_FALSE(PVMStrg("1 ").IsDecimalNumber(nullptr));
  EXPECT_TRUE(PVMStrg("").IsDecimalNumber(&value));
  EXPECT_EQ(value, 0);
  EXPECT_TRUE(PVMStrg("4294967297").IsDecimalNumber(&value)) << "overlong numbers wrap";
  EXPECT_EQ(value, 1);
}

TEST(StrgNumbers, AppendUsesStreamForms) {
  PVMStrg s("v=");
  s.Append(-12);
  s &= ' ';
  s.Append(2.50);
  s &= ' ';
  s.Append(3.0);
  EXPECT_STREQ(s, "v=-12 2.5 3");
}

TEST(StrgTransform, TrimCaseAndAscii) {
  PVMStrg s(" \t x y \n");
  EXPECT_EQ(s.WhiteSpaceTrim(), 3);
  EXPECT_STREQ(s, "x y");
  PVMStrg blank(" \n\t");
  EXPECT_EQ(blank.WhiteSpaceTrim(), 0);
  EXPECT_TRUE(blank.IsVoid());

  PVMStrg mixed("MiXeD");
  EXPECT_STREQ(PVMStrg(mixed).ToLower(), "mixed");
  EXPECT_STREQ(PVMStrg(mixed).ToUpper(), "MIXED");
  PVMStrg high("\xC1\x42");
  EXPECT_STREQ(high.ToAscii(), "AB");
}

TEST(StrgValue, ConstructionComparisonAndCopies) {
  EXPECT_STREQ(PVMStrg(static_cast<const char*>(nullptr)), "");
  EXPECT_STREQ(PVMStrg("abcdef", 3), "abc");
  EXPECT_STREQ(PVMStrg(PVMStrg("abcdef"), 4), "ef");
  EXPECT_STREQ(PVMStrg(PVMStrg("ab"), 9), "");
  EXPECT_STREQ(PVMStrg('-', 3), "---");
  EXPECT_GE(PVMStrg(64u).Capacity(), 64u);

  PVMStrg a("abc");
  PVMStrg b(a);
  b &= 'd';
  EXPECT_STREQ(a, "abc") << "copies are independent";
  EXPECT_TRUE(a < b);
  EXPECT_TRUE(a == "abc");
  EXPECT_TRUE("abd" > a);
  EXPECT_TRUE(PVMStrg("\xE4") > "z") << "bytes compare unsigned";
  EXPECT_STREQ("x" & a & "y", "xabcy");
  EXPECT_EQ(a[1], 'b');
  EXPECT_EQ(a[10], '\0');
  a.Swap(b);
  EXPECT_STREQ(a, "abcd");
  EXPECT_TRUE(PVMStrg::NILSTRG.IsVoid());
}

TEST(StrgTransactionSpace, RStringLivesInTheTransactionSpace) {
  std::size_t before = TransactionLiveBlocks();
  {
    PVFRString name("a_rather_long_name_that_needs_heap_storage_outside_sso");
    PVMStrg plain(name);
    EXPECT_STREQ(plain, name);
    EXPECT_GT(TransactionLiveBlocks(), before);
    name.CutForward(name, "_");  // cutting into itself must not corrupt
  }
  EXPECT_EQ(TransactionLiveBlocks(), before);
}

}  // namespace
