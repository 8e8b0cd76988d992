// What the generator pastes into NOVL text: names, quoted texts, expressions and types.
#include "generator/novl_source.h"

#include <gtest/gtest.h>

namespace {

using namespace varnex::generator;

TEST(NovlSource, PlainNames) {
  const struct {
    const char* name;
    bool plain;
  } kCases[] = {
      {"width", true},     {"_w2", true},       {"plate_1_width", true}, {"", false},
      {"2width", false},   {"plate_@1", false}, {"a.b", false},          {"a b", false},
      {"a;b", false},      {"a--b", false},     {"a'b", false},          {"a\nb", false},
      {"distance", false}, {"if", false},       {"END_SCHEMA", false},   {"RESTRICTED_TO", false},
      {"TRUE", false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(IsPlainName(c.name), c.plain) << c.name;
  }
  EXPECT_TRUE(IsPlainName(std::string(400, 'a')));
  EXPECT_FALSE(IsPlainName(std::string(401, 'a')));
  EXPECT_TRUE(IsQualifiedName("plate_1.f3"));
  EXPECT_FALSE(IsQualifiedName("plate_1..f3"));
  EXPECT_FALSE(IsQualifiedName("plate_1.f3;"));
}

TEST(NovlSource, QuotedTexts) {
  const struct {
    const char* text;
    const char* literal;  // null: refused
  } kCases[] = {
      {"abc", "'abc'"},
      {"it's", "'it\\'s'"},
      {"-- not a comment; nor /* this */", "'-- not a comment; nor /* this */'"},
      {"two\nlines", "'two\nlines'"},
      {"{balanced}", "'{balanced}'"},
      {"", "''"},
      {"a { b", nullptr},
      {"} a {", nullptr},
      {"ends in \\", nullptr},
      {"\\'", nullptr},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(QuoteText(c.text), c.literal != nullptr ? c.literal : "") << c.text;
  }
  EXPECT_EQ(RequoteValue("'it's'"), "'it\\'s'");
  EXPECT_EQ(RequoteValue("abc"), "");
}

TEST(NovlSource, Expressions) {
  const struct {
    const char* text;
    bool fine;
  } kCases[] = {
      {"120", true},
      {"-45.5", true},
      {"[1, 0, -2.5e3]", true},
      {"'a; b -- c {}'", true},
      {"TRUE", true},
      {"get_OpFace ('tag.NOV_0')", true},
      {"width * 2 + (depth / 3)", true},
      {"", false},
      {"1; RETURN (NULL)", false},
      {"1 -- comment", false},
      {"1 /* comment */", false},
      {"1\nx := 2", false},
      {"x := 2", false},
      {"{", false},
      {"'open", false},
      {"'a { b'", false},
      {"f (1", false},
      {"a]", false},
      {"\"text\"", false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(ExpressionFault(c.text).empty(), c.fine) << c.text << ": " << ExpressionFault(c.text);
  }
}

TEST(NovlSource, Types) {
  for (const char* fine : {"distance", "NUMBER", "feature_plate", "ENUMERATION_OF(top,front)",
                           "ENUMERATION OF (explicit, implicit)"}) {
    EXPECT_EQ(TypeFault(fine), "") << fine;
  }
  for (const char* bad : {"", "distance;", "ENUMERATION OF (a; b)", "ENUMERATION OF (a, 'b')",
                          "ENUMERATION OF a", "feature_plate -- x"}) {
    EXPECT_NE(TypeFault(bad), "") << bad;
  }
}

TEST(NovlSource, NumbersReadBack) {
  for (double value : {0.0, -45.0, 0.1, 1.0 / 3.0, 1e-9, 123456789.125, 1e300}) {
    std::string text = NumberText(value);
    EXPECT_EQ(std::stod(text), value) << text;
    EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
  }
}

}  // namespace
