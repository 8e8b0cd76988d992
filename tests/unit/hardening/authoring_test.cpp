// What a feature author is told: refuse(text) ends an instantiation with the text, and every
// statement a feature's run skips reaches the host as a warning naming the file and line, while
// formulas evaluated for values stay silent.
#include <varnex/language/interpreter.h>
#include <varnex/language/run_limits.h>
#include <varnex/language/run_messages.h>
#include <varnex/library/modeller.h>
#include <varnex/model/model.h>

#include <memory>
#include <string>

#include "feature_runner.h"

namespace hardening_test {
namespace {

const std::string kData = std::string(VARNEX_TEST_DATA) + "/hardening/authoring/";

class Authoring : public FeatureRun {
 protected:
  void SetUp() override {
    FeatureRun::SetUp();
    UseLibrary(kData);
  }
  static std::string Interpret(const char* name) {
    const char* created = interpret(name);
    return created != nullptr ? created : "null";
  }
};

TEST_F(Authoring, RefuseEndsTheInstantiationWithItsText) {
  EXPECT_EQ(Interpret("refusing"), "null");
  EXPECT_TRUE(NovlRunStopped());
  EXPECT_STREQ(NovlRunRefusal(), "too thin");
  // Nothing after the refusal ran: the unknown name on the next line is never reported.
  EXPECT_EQ(messages_.All(), "NovlRefused: too thin\n");
}

TEST_F(Authoring, ARefusalInACalledFeatureEndsTheWholeInstantiation) {
  EXPECT_EQ(Interpret("calls_refusing"), "null");
  EXPECT_STREQ(NovlRunRefusal(), "too thin");
  EXPECT_EQ(messages_.All(), "NovlRefused: too thin\n");
}

TEST_F(Authoring, TheNextRunStartsWithoutTheRefusal) {
  EXPECT_EQ(Interpret("refusing"), "null");
  std::unique_ptr<aritm> value(evaluate_string("2 + 3;"));
  ASSERT_NE(value, nullptr);
  EXPECT_FALSE(NovlRunStopped());
  EXPECT_STREQ(NovlRunRefusal(), "");
}

TEST_F(Authoring, EverySkippedStatementIsReportedWithItsLine) {
  EXPECT_NE(Interpret("skipping"), "null");
  EXPECT_EQ(messages_.All(),
            "NovlSkipped: skipping.NVL:13: 'object.colour' names no object; nothing is assigned\n"
            "NovlSkipped: skipping.NVL:15: 'no_such_tool' names no object; the statement is "
            "skipped\n"
            "NovlSkipped: skipping.NVL:16: nothing is assigned to 'object.shape': the Boolean "
            "'*' has an empty operand and gives no value\n"
            "NovlSkipped: skipping.NVL:17: nothing is assigned to 'object.shape': a "
            "transformation moves geometry standing on its left: write geometry * "
            "transformation\n"
            "NovlSkipped: skipping.NVL:18: syntax error near ')'; the statement is skipped\n");
}

TEST_F(Authoring, FormulasEvaluatedForValuesStaySilent) {
  std::unique_ptr<aritm> value(evaluate_string("no_such_name + 1;"));
  EXPECT_EQ(value, nullptr);
  std::unique_ptr<aritm> broken(evaluate_string("1 + ) 2;"));
  EXPECT_EQ(broken, nullptr);
  EXPECT_EQ(messages_.All(), "");
}

}  // namespace
}  // namespace hardening_test
