// Limits: runaway feature texts (endless recursion, deep nesting, endless loops) stop with one
// message naming where, instead of ending the process or running forever; texts within the
// limits run as before.
#include <varnex/builtins/builtins.h>
#include <varnex/language/interpreter.h>
#include <varnex/language/run_limits.h>
#include <varnex/language/syntax_check.h>
#include <varnex/model/model.h>

#include <string>
#include <vector>

#include "feature_runner.h"

namespace hardening_test {
namespace {

const std::string kData = std::string(VARNEX_TEST_DATA) + "/hardening/";

// The value text of the object `name`, or "<none>".
std::string Value(const char* name) {
  rumpf* object = search(name);
  if (object == nullptr) {
    return "<none>";
  }
  PVMStrg formula;
  PVMStrg value;
  object->GetValue(formula, value);
  return value.GetpStr();
}

// The nested-blocks text with `depth` levels of "if (TRUE) { depth := depth + 1; ... };".
std::string NestedBlocks(int depth) {
  std::string blocks;
  blocks.reserve(static_cast<std::size_t>(depth) * 40);
  for (int i = 0; i < depth; ++i) {
    blocks += "if (TRUE) { depth := depth + 1;\n";
  }
  for (int i = 0; i < depth; ++i) {
    blocks += "};\n";
  }
  std::string text = ReadText(kData + "nested_blocks.NVL");
  text.replace(text.find("@BLOCKS@"), 8, blocks);
  return text;
}

// Restores the run limits after each test.
class Limits : public FeatureRun {
 protected:
  void SetUp() override {
    FeatureRun::SetUp();
    saved_ = GetNovlRunLimits();
    UseLibrary(kData + "library");
  }
  void TearDown() override {
    SetNovlRunLimits(saved_);
    FeatureRun::TearDown();
  }

 private:
  NovlRunLimits saved_;
};

TEST_F(Limits, FeatureCallsAFewHundredDeepRun) {
  ASSERT_EQ(RunText("x := create_recurse(0, 200);"), 0);
  EXPECT_FALSE(NovlRunStopped()) << messages_.All();
  EXPECT_EQ(Value("create_recurse.object.depth"), "200");
}

TEST_F(Limits, EndlessRecursionStopsNamingTheFeatureAndLine) {
  RunText("x := create_recurse(0, -1);");
  EXPECT_TRUE(NovlRunStopped());
  std::string all = messages_.All();
  EXPECT_NE(all.find("create_recurse: feature calls nested deeper than 256"), std::string::npos)
      << all;
  EXPECT_NE(all.find("recurse.NVL, line 21"), std::string::npos) << all;
  EXPECT_EQ(all.find('\n'), all.size() - 1) << "one message, not one per level";
}

TEST_F(Limits, TheFeatureDepthIsTheHostsToSet) {
  NovlRunLimits limits = GetNovlRunLimits();
  limits.feature_depth = 20;
  SetNovlRunLimits(limits);
  RunText("x := create_recurse(0, 30);");
  EXPECT_TRUE(NovlRunStopped());
  RunText("x := create_recurse(0, 15);");
  EXPECT_FALSE(NovlRunStopped()) << messages_.All();
}

TEST_F(Limits, ThousandsOfNestedBlocksRun) {
  ASSERT_EQ(RunText(NestedBlocks(3000)), 0);
  EXPECT_FALSE(NovlRunStopped()) << messages_.All();
  EXPECT_EQ(Value("depth"), "3000");
  EXPECT_EQ(Value("done"), "TRUE");
}

TEST_F(Limits, BlocksNestedTooDeepStopTheRun) {
  RunText(NestedBlocks(4500));
  EXPECT_TRUE(NovlRunStopped());
  EXPECT_NE(messages_.All().find("blocks nested deeper than 4000"), std::string::npos)
      << messages_.All();
  EXPECT_EQ(Value("done"), "FALSE") << "nothing after the stop runs";
}

TEST_F(Limits, CheckingDeeplyNestedBlocksReportsInsteadOfCrashing) {
  std::vector<NovlFinding> findings;
  NovlCheckText(NestedBlocks(4500).c_str(),
                [&](const NovlFinding& finding) { findings.push_back(finding); });
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].kind, NovlFindingKind::NestedTooDeep);
}

TEST_F(Limits, AnEndlessLoopStopsAtTheIterationLimit) {
  NovlRunLimits limits = GetNovlRunLimits();
  limits.loop_iterations = 500;
  SetNovlRunLimits(limits);
  RunText(ReadText(kData + "endless_loop.NVL"));
  EXPECT_TRUE(NovlRunStopped());
  EXPECT_EQ(Value("n"), "500");
  EXPECT_EQ(Value("after"), "FALSE") << "nothing after the stop runs";
  EXPECT_NE(messages_.All().find("dowhile ran its body 500 times"), std::string::npos)
      << messages_.All();
  EXPECT_NE(messages_.All().find("line 4"), std::string::npos) << messages_.All();
}

TEST_F(Limits, ALoopWithinTheLimitRunsToItsEnd) {
  NovlRunLimits limits = GetNovlRunLimits();
  limits.loop_iterations = 2000;
  SetNovlRunLimits(limits);
  RunText(ReadText(kData + "counting_loop.NVL"));
  EXPECT_FALSE(NovlRunStopped()) << messages_.All();
  EXPECT_EQ(Value("i"), "2000");
}

TEST_F(Limits, CheckWarnsOfALoopWhoseConditionCannotChange) {
  std::vector<NovlFinding> findings;
  auto sink = [&](const NovlFinding& finding) { findings.push_back(finding); };
  NovlCheckText(ReadText(kData + "endless_loop.NVL").c_str(), sink);
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].kind, NovlFindingKind::UnchangingLoopCondition);
  EXPECT_EQ(findings[0].line, 4);
  findings.clear();
  NovlCheckText(ReadText(kData + "counting_loop.NVL").c_str(), sink);
  EXPECT_TRUE(findings.empty());
}

TEST_F(Limits, AStatementWithASyntaxErrorAssignsNothing) {
  RunText(ReadText(kData + "syntax_error.NVL"));
  EXPECT_EQ(Value("e"), "1");
  EXPECT_EQ(Value("f"), "2") << "the text runs on after the broken statement";
}

}  // namespace
}  // namespace hardening_test
