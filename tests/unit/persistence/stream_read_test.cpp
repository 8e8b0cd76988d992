// Scanning rules of the stream family: where each item ends and what stays unread.
#include <gtest/gtest.h>
#include <varnex/persistence/bin_block.h>
#include <varnex/persistence/block_stream.h>
#include <varnex/persistence/string_stream.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

std::string RestOf(PVFStream& in) {
  std::string rest;
  for (char c = 0; in >> c, c != PVF_END_OF_INPUT && c != 0;) {
    rest += c;
  }
  return rest;
}

TEST(StreamRead, IntegerScanning) {
  struct Case {
    const char* text;
    char delim;
    int value;
    char next;  // the character left unread
  };
  const Case cases[] = {
      {"-17", 0, -17, PVF_END_OF_INPUT},
      {"-17;", ';', -17, ';'},
      {"12mm", 0, 12, 'm'},
      {"  \n\t42 ", 0, 42, ' '},
      {"", 0, 0, PVF_END_OF_INPUT},
      {"--5", 0, 0, ' '},
      {"+7", 0, 7, PVF_END_OF_INPUT},
      {"3.9", 0, 3, PVF_END_OF_INPUT},
      {"x1", 0, 0, 'x'},
      {"99999999999", 0, 1215752191, PVF_END_OF_INPUT},  // wraps like 32-bit arithmetic
  };
  for (const Case& c : cases) {
    PVFSStream in(c.text);
    in.FmtDelim(c.delim);
    int value = 12345;
    in >> value;
    EXPECT_EQ(value, c.value) << c.text;
    if (c.next != ' ') {
      EXPECT_EQ(in.Peek(), c.next) << c.text;
    }
  }
}

TEST(StreamRead, LettersAfterANumberStayUnread) {
  PVFSStream in("12mm");
  int value = 0;
  PVMStrg unit;
  in >> value >> unit;
  EXPECT_EQ(value, 12);
  EXPECT_EQ(unit, PVMStrg("mm"));
}

TEST(StreamRead, UnsignedAndNarrowTargets) {
  PVFSStream in("4294967295 65535 -1 255 7");
  unsigned int u = 0;
  unsigned short us = 0;
  short s = 0;
  unsigned char uc = 0;
  char c = 0;
  in >> u >> us >> s >> uc >> c;
  EXPECT_EQ(u, 4294967295u);
  EXPECT_EQ(us, 65535);
  EXPECT_EQ(s, -1);
  EXPECT_EQ(uc, 255);
  EXPECT_EQ(c, '7');
}

TEST(StreamRead, DoubleScanning) {
  PVFSStream in("1e-5 -2.5;7 abc");
  in.FmtDelim(';');
  double a = 0;
  double b = 0;
  double untouched = 99;
  in >> a >> b;
  EXPECT_DOUBLE_EQ(a, 1e-5);
  EXPECT_DOUBLE_EQ(b, -2.5);
  EXPECT_EQ(in.Peek(), ';');
  char delim = 0;
  in >> delim;
  double seven = 0;
  in >> seven >> untouched;  // "abc" is no number
  EXPECT_DOUBLE_EQ(seven, 7.0);
  EXPECT_DOUBLE_EQ(untouched, 99.0);
  in >> untouched;  // end of input
  EXPECT_DOUBLE_EQ(untouched, 99.0);
}

TEST(StreamRead, FloatOutOfRangeBecomesInfinity) {
  PVFSStream in("1e300 -1e300 0.5");
  float f[3] = {};
  in.Get(f, 3);
  EXPECT_TRUE(std::isinf(f[0]) && f[0] > 0);
  EXPECT_TRUE(std::isinf(f[1]) && f[1] < 0);
  EXPECT_FLOAT_EQ(f[2], 0.5f);
}

TEST(StreamRead, WordsIgnoreTheDelimiter) {
  PVFSStream in("alpha;beta  gamma");
  in.FmtDelim(';');
  PVMStrg first;
  PVMStrg second;
  PVMStrg third;
  in >> first >> second >> third;
  EXPECT_EQ(first, PVMStrg("alpha;beta"));
  EXPECT_EQ(second, PVMStrg("gamma"));
  EXPECT_TRUE(third.IsVoid());
}

TEST(StreamRead, SkipCharsAndSkipWhite) {
  PVFSStream in(",;, 5 8");
  PVMStrg chars(",;");
  in.FmtSkipChars(chars);
  chars = "";  // the stream keeps its own copy
  EXPECT_EQ(in.FmtSkipChars(nullptr), PVMStrg(",;"));
  EXPECT_EQ(in.FmtSkipChars(",;"), PVMStrg(""));
  int value = 0;
  in >> value;
  EXPECT_EQ(value, 5);
  in.FmtSkipWhite(FALSE);
  in >> value;  // the blank ends an empty word
  EXPECT_EQ(value, 0);
  EXPECT_EQ(in.Peek(), ' ');
}

TEST(StreamRead, ReadingPastTheEndKeepsYielding26) {
  PVFSStream in("a");
  char c[3] = {};
  in.Get(c, 3);
  EXPECT_EQ(c[0], 'a');
  EXPECT_EQ(c[1], PVF_END_OF_INPUT);
  EXPECT_EQ(c[2], PVF_END_OF_INPUT);
  EXPECT_TRUE(in.Eof());
}

TEST(StreamRead, QuotedStrings) {
  struct Case {
    const char* text;
    const char* value;
    const char* rest;
  };
  const Case cases[] = {
      {R"("" next)", "", " next"},
      {R"("a\tb\qc" x)", "a\tbc", " x"},  // an unknown escape drops both characters
      {R"("say \"hi\"")", "say \"hi\"", ""},
      {R"("open)", "open", ""},
      {R"(bare words)", "", "bare words"},
      {R"(  "lead")", "lead", ""},
  };
  for (const Case& c : cases) {
    PVFSStream in(c.text);
    PVMStrg value("stale");
    in.GetCString(value);
    EXPECT_EQ(value, PVMStrg(c.value)) << c.text;
    in.FmtSkipWhite(FALSE);
    EXPECT_EQ(RestOf(in), c.rest) << c.text;
  }
}

TEST(StreamRead, QuotedStringIntoArrayNeverWritesBeyondItsSize) {
  struct Case {
    const char* text;
    unsigned n;
    const char* expected;  // the first n bytes of the array
    unsigned expectedLength;
  };
  const Case cases[] = {
      {R"("hello")", 3, "hel", 3},
      {R"("hello")", 5, "hello", 5},
      {R"("hi")", 6, "hi\0", 3},
      {R"("hi")", 0, "", 0},
  };
  for (const Case& c : cases) {
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    PVFSStream in(c.text);
    in.GetCString(buffer, c.n);
    EXPECT_EQ(std::memcmp(buffer, c.expected, c.expectedLength), 0) << c.text;
    for (unsigned i = c.expectedLength; i < sizeof buffer; ++i) {
      ASSERT_EQ(buffer[i], '#') << c.text << " byte " << i;
    }
  }
}

TEST(StreamRead, SearchStringCountsOccurrences) {
  const char* text = "a b a c a";
  for (int n = 0; n < 4; ++n) {
    PVFSStream in(text);
    EXPECT_EQ(in.SearchString(PVMStrg("a"), n), n < 3 ? TRUE : FALSE) << n;
  }
  PVFSStream in(text);
  ASSERT_TRUE(in.SearchString(PVMStrg("c"), 0));
  PVMStrg next;
  in >> next;
  EXPECT_EQ(next, PVMStrg("a"));
}

// Blocks carry any byte, also 0, 26 and line feeds, between ordinary items.
TEST(StreamRead, BlocksRoundTripBetweenItems) {
  const unsigned char raw[] = {0, 26, '\n', '"', 255, ' '};
  PVFBinBlock full(raw, sizeof raw);
  PVFBinBlock empty;
  PVFBStream out;
  out << 1 << ' ' << full << empty << 2 << ' ' << full;
  PVFBStream in(out.Block().GetpBlock(), out.Length());

  int first = 0;
  int second = 0;
  PVFBinBlock a;
  PVFBinBlock b("stale");
  PVFBinBlock c;
  in >> first >> a >> b >> second >> c;
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);
  EXPECT_EQ(a, full);
  EXPECT_EQ(b.Length(), 0u);
  EXPECT_EQ(c, full);
}

TEST(StreamRead, EmptyBlockIsZeroAndTwoLineFeeds) {
  PVFSStream out;
  out << PVFBinBlock();
  EXPECT_STREQ(out.GetpStr(), "0\n\n");
}

}  // namespace
