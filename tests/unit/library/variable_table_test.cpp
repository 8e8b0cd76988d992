// VARIABLE_TABLE and PVFDefParaVar: bookkeeping, substitution to a fixed point, RUNDRADIUS.
#include <gtest/gtest.h>
#include <varnex/library/para_feature.h>
#include <varnex/library/variable_table.h>

#include <cstring>
#include <string>

namespace {

TEST(VariableTable, AddChangeRemoveReportPositions) {
  VARIABLE_TABLE table;
  EXPECT_EQ(table.add("a", "1"), 0);
  EXPECT_EQ(table.add("b", "2"), 0);
  EXPECT_EQ(table.add("b", "3"), 2) << "existing symbol: position + 1, text kept";
  EXPECT_STREQ(table.lookup("b"), "2");
  EXPECT_EQ(table.add(nullptr, "x"), -1);
  EXPECT_EQ(table.add("c", nullptr), -1);
  EXPECT_EQ(table.change("b", "4"), 2);
  EXPECT_EQ(table.change("zz", "4"), 0);
  EXPECT_EQ(table.change(nullptr, "4"), -1);
  EXPECT_EQ(table.remove("a"), 1);
  EXPECT_EQ(table.remove("a"), 0);
  EXPECT_STREQ(table.symbol(0), "b");
  EXPECT_STREQ(table.text(0), "4");
  EXPECT_EQ(table.symbol(1), nullptr);
  EXPECT_EQ(table.lookup(static_cast<const char*>(nullptr)), nullptr);
}

TEST(VariableTable, ContainCountsSymbolsWithText) {
  VARIABLE_TABLE table;
  table.add("a", "1");
  table.add("empty", "");
  EXPECT_EQ(table.contain("a + a * empty + 'a' + b"), 2) << "literals and empty texts do not count";
}

struct ReplaceCase {
  const char* text;
  const char* expected;
};

TEST(VariableTable, ReplaceResolvesNestedSymbols) {
  VARIABLE_TABLE table;
  table.add("outer", "inner * 2");
  table.add("inner", "base + 1");
  table.add("base", "3");
  table.add("neg", "-1");
  table.add("word", "'it\\'s'");
  const ReplaceCase cases[] = {
      {"outer;", "((3+1)*2);"},                    // substituted texts keep their grouping
      {"x - neg", "x - ( - 1)"},                   // "-" stays apart: no "--" comment can form
      {"f(word)", "f('it\\'s')"}, {"a b", "a b"},  // two words never run together
      {"'outer'", "'outer'"},
  };
  for (const ReplaceCase& c : cases) {
    PVMStrg text(c.text);
    EXPECT_TRUE(table.replace(text)) << c.text;
    EXPECT_STREQ(text, c.expected) << c.text;
  }
}

TEST(VariableTable, ReplaceStopsOnCyclesAndGrowth) {
  VARIABLE_TABLE table;
  table.add("a", "b");
  table.add("b", "a");
  PVMStrg text("a+1");
  EXPECT_FALSE(table.replace(text)) << "a = b, b = a never settles";
  EXPECT_TRUE(text == "b+1" || text == "a+1");
  VARIABLE_TABLE growing;
  growing.add("g", "g+g");
  PVMStrg doubling("g");
  EXPECT_FALSE(growing.replace(doubling));
  EXPECT_LE(doubling.Length(), 2 * VARIABLE_TABLE::kMaxLength);
}

TEST(VariableTable, BufferFormNeverOverruns) {
  VARIABLE_TABLE table;
  table.add("r", "radius*2");
  char small[8] = "r+1";
  EXPECT_EQ(table.replace(small, sizeof small), -1) << "(radius*2)+1 needs 13 bytes";
  EXPECT_STREQ(small, "r+1") << "left unchanged";
  char exact[13] = "r+1";
  EXPECT_EQ(table.replace(exact, sizeof exact), 12);
  EXPECT_STREQ(exact, "(radius*2)+1");
  char unterminated[3] = {'r', 'r', 'r'};
  EXPECT_EQ(table.replace(unterminated, sizeof unterminated), -1);
  EXPECT_EQ(table.replace(nullptr, 10), -1);
}

struct RadiusContext : PVFParaFeature {
  double radius = 5.0;
  double GetRadius() override { return radius; }
};

TEST(DefParaVar, RundradiusFollowsTheHostRadius) {
  auto* context = new RadiusContext;
  PVFParaFeature::Install(context);
  PVFDefParaVar table;
  EXPECT_STREQ(table.VARIABLE_TABLE::lookup("RUNDRADIUS"), "5.000000");
  context->radius = 2.25;
  EXPECT_STREQ(table.lookup("RUNDRADIUS"), "2.250000");
  PVMStrg text("RUNDRADIUS*2");
  context->radius = 1;
  EXPECT_TRUE(table.replace(text));
  EXPECT_STREQ(text, "1.000000*2");
  EXPECT_EQ(table.count(), 1) << "updated in place, never added twice";
  PVFParaFeature::Destroy();
}

}  // namespace
