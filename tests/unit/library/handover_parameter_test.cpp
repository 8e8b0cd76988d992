// HANDOVER_PARAMETER: value assignment from text, value sources, restraints, enumerations.
#include <gtest/gtest.h>
#include <varnex/library/handover_parameter.h>

#include "library/restraints.h"
#include "library_test_support.h"

namespace {

using varnex::test::ComparisonEvaluator;
using varnex::test::EvaluatorScope;

struct SetCase {
  const char* type;
  const char* text;
  const char* value;   // expected value after Set
  const char* source;  // expected value source after Set
};

class HandoverSet : public ::testing::TestWithParam<SetCase> {};

TEST_P(HandoverSet, NormalisesAndSplitsValueAndSource) {
  const SetCase& c = GetParam();
  HANDOVER_PARAMETER parameter("p", c.type, "old", nullptr);
  parameter.SetValueSource("stale;");
  ASSERT_NE(parameter.Set(c.text), nullptr) << c.text;
  PVMStrg value, source;
  EXPECT_STREQ(parameter.GetValue(value), c.value) << c.type << " " << c.text;
  EXPECT_STREQ(parameter.GetValueSource(source), c.source) << c.type << " " << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HandoverSet,
    ::testing::Values(
        // String-like types: one quoted literal, a ";" after it dropped, one inside kept.
        SetCase{"STRING", "word;", "'word'", ""}, SetCase{"STRING", "  'word';  ", "'word'", ""},
        SetCase{"STRING", "'a;b'", "'a;b'", ""}, SetCase{"smlcond", "x > 1", "'x > 1'", ""},
        SetCase{"STRING", ";", "''", ""}, SetCase{"STRING", "", "''", ""},
        SetCase{"ENUMERATION_OF(red,green)", "red", "'red'", ""},
        // A reference to another instance becomes the value source; the value is cleared
        // while it still names an instance.
        SetCase{"distance", "box_@1.length", "", "box_@1.length;"},
        SetCase{"STRING", "box_@1.name;", "", "box_@1.name;"},
        // Contour types keep references as values; matrices always keep their source.
        SetCase{"ConFace", "slab_@2.outline", "slab_@2.outline", ""},
        SetCase{"transformation_matrix", "[1,0,0]", "[1,0,0]", "[1,0,0];"},
        SetCase{"distance", "12.5", "12.5", ""}));

TEST(Handover, GetPrefersTheValueSource) {
  HANDOVER_PARAMETER parameter("length", "distance", "10", nullptr);
  PVMStrg out;
  EXPECT_STREQ(parameter.Get(out), "10");
  parameter.SetValueSource("box_@1.length;");
  EXPECT_STREQ(parameter.Get(out), "box_@1.length;");
  EXPECT_EQ(parameter.SetValueSource(""), nullptr) << "an empty text stores nothing";
  EXPECT_STREQ(parameter.Get(out), "10");
}

TEST(Handover, RestraintRejectionLeavesTheParameterUnchanged) {
  EvaluatorScope scope(ComparisonEvaluator);
  HANDOVER_PARAMETER parameter("width", "distance", "10", "{ VALUE > 0; width < 100 }");
  EXPECT_STREQ(parameter.Set("20"), "20");
  EXPECT_EQ(parameter.Set("-5"), nullptr) << "VALUE > 0 violated";
  EXPECT_EQ(parameter.Set("150"), nullptr) << "the parameter's own name stands for the value";
  EXPECT_EQ(parameter.Set("nonsense"), nullptr) << "not evaluable";
  PVMStrg value;
  EXPECT_STREQ(parameter.GetValue(value), "20");
}

TEST(Handover, CheckRestrictionsVerdicts) {
  EvaluatorScope scope(ComparisonEvaluator);
  HANDOVER_PARAMETER parameter("n", "NUMBER", nullptr, "{ VALUE >= 1, VALUE <= 3 }");
  struct {
    const char* value;
    int verdict;
    const char* result;
  } cases[] = {
      {"2", HANDOVER_PARAMETER::kAccepted, "2"},
      {" 3 ", HANDOVER_PARAMETER::kAccepted, "3"},
      {"0", HANDOVER_PARAMETER::kRestraintViolated, nullptr},
      {"4", HANDOVER_PARAMETER::kRestraintViolated, nullptr},
      {"x+", HANDOVER_PARAMETER::kValueNotEvaluable, nullptr},
      {"", HANDOVER_PARAMETER::kAccepted, ""},
      {";", HANDOVER_PARAMETER::kAccepted, ";"},
      {"''", HANDOVER_PARAMETER::kAccepted, "''"},
  };
  for (const auto& c : cases) {
    PVMStrg value(c.value), result;
    EXPECT_EQ(parameter.check_restrictions(value, result), c.verdict) << c.value;
    if (c.result != nullptr) {
      EXPECT_STREQ(result, c.result) << c.value;
    }
  }
  HANDOVER_PARAMETER odd("n", "NUMBER", nullptr, "{ VALUE }");
  PVMStrg value("2"), result;
  EXPECT_EQ(odd.check_restrictions(value, result), HANDOVER_PARAMETER::kRestraintNotLogical);
}

TEST(Handover, WithoutEvaluatorValuesAreTakenAsWritten) {
  EvaluatorScope scope(nullptr);
  HANDOVER_PARAMETER parameter("width", "distance", "10", "{ VALUE > 0 }");
  EXPECT_STREQ(parameter.Set("-5"), "-5");
}

TEST(Handover, RestraintsSplitOutsideBracketsAndLiterals) {
  std::vector<PVMStrg> pieces =
      varnex::library::SplitRestraints("{ f(VALUE, 2) > 1; VALUE != 'a,b'  , [1,2,3] = v; }");
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_STREQ(pieces[0], "f(VALUE, 2) > 1");
  EXPECT_STREQ(pieces[1], "VALUE != 'a,b'");
  EXPECT_STREQ(pieces[2], "[1,2,3] = v");
  EXPECT_TRUE(varnex::library::SplitRestraints("{ }").empty());
}

TEST(Handover, EnumerationValuesFollowTheType) {
  HANDOVER_PARAMETER colour("colour", "ENUMERATION OF (red, green, red, blue)", nullptr, nullptr);
  VALUE_LIST<PVMStrg> values;
  ASSERT_EQ(colour.GetEnumerationValues(&values), 3) << "duplicates are skipped";
  EXPECT_STREQ(values[2], "blue");
  colour.SetType("ENUMERATION_OF(explicit,implicit)");
  EXPECT_EQ(colour.GetEnumerationValues(nullptr), 2);
  colour.SetType("distance");
  EXPECT_EQ(colour.GetEnumerationValues(nullptr), -1);
  colour.SetType("ENUMERATIONS");
  EXPECT_EQ(colour.GetEnumerationValues(nullptr), -1) << "no ENUMERATION OF in front";
}

TEST(Handover, CopiesAreEqualAndIndependent) {
  HANDOVER_PARAMETER original("c", "ENUMERATION_OF(a,b)", "'a'", "{ VALUE != 'b' }");
  original.SetValueSource("x_@1.c;");
  HANDOVER_PARAMETER copy(original);
  EXPECT_TRUE(copy == original);
  copy.SetType("ENUMERATION_OF(a,b,c)");
  EXPECT_TRUE(copy != original) << "enumeration values differ";
  copy = original;
  EXPECT_TRUE(copy == original);
  EXPECT_EQ(copy.GetEnumerationValues(nullptr), 2);
}

}  // namespace
