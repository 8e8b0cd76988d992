// Values by name: the guards every change passes, the component table of vectors and axes, the
// host's permission and formulas that reach their own object.
#include <varnex/tree/value_access.h>

#include <string>

#include "tree_test_support.h"

namespace {

using varnex::test::TreeSession;

struct Outcome {
  const char* returned;
  std::string result;
};

Outcome Change(const char* (*operation)(PVMStrg&, PVMStrg&, PVMStrg&), const char* name,
               const char* value) {
  PVMStrg n(name), v(value), result;
  const char* returned = operation(n, v, result);
  return {returned, result.GetpStr() != nullptr ? result.GetpStr() : ""};
}

std::string ValueOf(const char* name) {
  PVMStrg n(name), formula, result;
  const char* value = GetValue(n, formula, result);
  return value != nullptr ? value : "<null>";
}

std::string FormulaOf(const char* name) {
  PVMStrg n(name), formula, result;
  GetValue(n, formula, result);
  return formula.GetpStr() != nullptr ? formula.GetpStr() : "";
}

class ValueAccess : public TreeSession {};

TEST_F(ValueAccess, GuardsRefuseAndLeaveTheObjectAlone) {
  Feature("slab");
  Feature("slab");
  ASSERT_NE(Change(SetValue, "slab_@2.height", "slab_@1.height").returned, nullptr);
  struct Row {
    const char* name;
    const char* value;
    const char* marker;
  } rows[] = {
      {"slab_@1.height", "slab_@1.height + 1", "___CYCLES IN REFERENCES___"},
      {"slab_@1.height", "slab_@2.height * 2", "___CYCLES IN REFERENCES___"},
      {"slab_@1.height", "'text'", "___NOT EVALUABLE___"},
  };
  for (const Row& row : rows) {
    Outcome set = Change(SetValue, row.name, row.value);
    EXPECT_EQ(set.returned, nullptr) << row.value;
    EXPECT_EQ(set.result, row.marker) << row.value;
    EXPECT_EQ(ValueOf(row.name), "10") << row.value;
    EXPECT_EQ(FormulaOf(row.name), "") << row.value;
  }
}

TEST_F(ValueAccess, RestrictionsNameTheViolatedOne) {
  auto* count = new object_zahl(3.0, "count");
  PVMStrg positive("VALUE > 0"), small("VALUE < 100");
  count->AddRestriction(positive);
  count->AddRestriction(small);
  struct Row {
    const char* value;
    const char* result;
  } rows[] = {{"-1", "___RESTRICTION VIOLATED___VALUE > 0"},
              {"200", "___RESTRICTION VIOLATED___VALUE < 100"},
              {"2", "2"}};
  for (const Row& row : rows) {
    EXPECT_EQ(Change(TestValue, "count", row.value).result, row.result) << row.value;
    EXPECT_EQ(ValueOf("count"), "3") << row.value;
  }
  for (const Row& row : rows) {
    EXPECT_EQ(Change(SetValue, "count", row.value).result, row.result) << row.value;
  }
  EXPECT_EQ(ValueOf("count"), "2");
}

// The feature's parameter restraints hold for the instance's objects, also after a rebuild.
TEST_F(ValueAccess, InstanceObjectsKeepTheirParametersRestraints) {
  PDTfeat* slab = Feature("slab");
  for (int round = 0; round < 2; ++round) {
    Outcome refused = Change(SetValue, "slab_@1.height", "-1");
    EXPECT_EQ(refused.returned, nullptr) << "round " << round;
    EXPECT_EQ(refused.result, "___RESTRICTION VIOLATED___VALUE > 0") << "round " << round;
    EXPECT_EQ(ValueOf("slab_@1.height"), round == 0 ? "10" : "4");
    ASSERT_NE(Change(SetValue, "slab_@1.height", "4").returned, nullptr);
    ASSERT_EQ(update_referencing_nodes(slab, nullptr), 0);  // a new instance: restraints again
  }
}

TEST_F(ValueAccess, TestValueNeverChangesTheObject) {
  Feature("slab");
  Outcome tested = Change(TestValue, "slab_@1.height", "4 * 3");
  ASSERT_NE(tested.returned, nullptr);
  EXPECT_EQ(tested.result, "12");
  EXPECT_EQ(ValueOf("slab_@1.height"), "10");
  EXPECT_EQ(Change(TestValue, "no_such.object", "1").returned, nullptr);
}

TEST_F(ValueAccess, ConstantReplacesAFormula) {
  Feature("slab");
  Feature("slab");
  ASSERT_NE(Change(SetValue, "slab_@2.height", "slab_@1.height + 2").returned, nullptr);
  EXPECT_EQ(ValueOf("slab_@2.height"), "12");
  EXPECT_NE(FormulaOf("slab_@2.height"), "");
  ASSERT_NE(Change(SetValue, "slab_@2.height", "5").returned, nullptr);
  EXPECT_EQ(ValueOf("slab_@2.height"), "5");
  EXPECT_EQ(FormulaOf("slab_@2.height"), "");
}

TEST_F(ValueAccess, ComponentsSetOnlyWhatTheyName) {
  auto* v = new object_vector(1, 2, 3, "v");
  auto* a = new object_axis(1, 2, 3, 0, 0, 1, "a");
  ASSERT_NE(Change(SetValue, "v.y", "9").returned, nullptr);
  PVMStrg x, y, z;
  EXPECT_STREQ(v->GetComponentValue(x, 0), "1");
  EXPECT_STREQ(v->GetComponentValue(y, 1), "9");
  EXPECT_STREQ(v->GetComponentValue(z, 2), "3");
  ASSERT_NE(Change(SetValue, "a.u", "7").returned, nullptr);
  EXPECT_DOUBLE_EQ(a->GetOrigin(0), 7);
  EXPECT_DOUBLE_EQ(a->GetOrigin(1), 2);
  EXPECT_DOUBLE_EQ(a->GetDirection(2), 1);
  ASSERT_NE(Change(SetValue, "a.Direction", "[1, 0, 0]").returned, nullptr);
  EXPECT_DOUBLE_EQ(a->GetDirection(0), 1);
  EXPECT_DOUBLE_EQ(a->GetDirection(2), 0);
  EXPECT_DOUBLE_EQ(a->GetOrigin(0), 7);
  EXPECT_EQ(Change(SetValue, "v.u", "1").returned, nullptr);
  EXPECT_EQ(Change(SetValue, "a.q", "1").returned, nullptr);
}

TEST_F(ValueAccess, ComponentsAreReadAndTestedByTheSameTable) {
  new object_vector(1, 2, 3, "v");
  auto* a = new object_axis(1, 2, 3, 0, 0, 1, "a");
  struct Row {
    const char* name;
    const char* value;
  } rows[] = {{"v.y", "2"},
              {"a.u", "1"},
              {"a.w", "3"},
              {"a.z", "1"},
              {"a.x", "0"},
              {"a.Origin", "[1,2,3]"},
              {"a.Direction", "[0,0,1]"}};
  for (const Row& row : rows) {
    EXPECT_EQ(ValueOf(row.name), row.value) << row.name;
  }
  EXPECT_EQ(ValueOf("a.q"), "<null>");
  EXPECT_EQ(ValueOf("v.u"), "<null>");

  Outcome number = Change(TestValue, "a.v", "4 * 2");
  ASSERT_NE(number.returned, nullptr);
  EXPECT_EQ(number.result, "8");
  EXPECT_NE(Change(TestValue, "a.Direction", "[1, 0, 0]").returned, nullptr);
  EXPECT_NE(Change(TestValue, "v.x", "5").returned, nullptr);
  EXPECT_EQ(Change(TestValue, "a.Direction", "5").returned, nullptr) << "a number is no vector";
  EXPECT_EQ(Change(TestValue, "a.u", "'text'").returned, nullptr);
  EXPECT_EQ(ValueOf("a.Origin"), "[1,2,3]") << "testing changes nothing";
  EXPECT_EQ(ValueOf("a.Direction"), "[0,0,1]");
  EXPECT_EQ(ValueOf("v.x"), "1");
  EXPECT_DOUBLE_EQ(a->GetOrigin(1), 2);
}

// The host's context refuses changes of names it was told to protect.
class Guarding : public PVFParaFeature {
 public:
  XBOOL ChkParaSignificance(PVMStrg& name, PVMStrg&) override {
    return ToXBool(std::string(name.GetpStr()) != "slab_@1.width");
  }
};

TEST_F(ValueAccess, HostContextMayRefuse) {
  Feature("slab");
  PVFParaFeature::Install(new Guarding);
  Outcome refused = Change(SetValue, "slab_@1.width", "20");
  Outcome allowed = Change(SetValue, "slab_@1.depth", "20");
  PVFParaFeature::Install(new PVFParaFeature);
  EXPECT_EQ(refused.returned, nullptr);
  EXPECT_EQ(ValueOf("slab_@1.width"), "100");
  EXPECT_NE(allowed.returned, nullptr);
  EXPECT_EQ(ValueOf("slab_@1.depth"), "20");
}

TEST_F(ValueAccess, FormulasThatReachTheirOwnObjectAnswerInsteadOfRecursing) {
  // Names without "_@" are not examined by the cycle check: the pair is accepted, and reading
  // either must end.
  new object_zahl(1.0, "a");
  new object_zahl(2.0, "b");
  ASSERT_NE(Change(SetValue, "a", "b").returned, nullptr);
  ASSERT_NE(Change(SetValue, "b", "a").returned, nullptr);
  search("a")->set_value_source("b;");
  search("b")->set_value_source("a;");
  std::string a = ValueOf("a");
  std::string b = ValueOf("b");
  EXPECT_EQ(a, "2");
  EXPECT_EQ(b, "2");
}

TEST_F(ValueAccess, ALongChainOfFormulasIsReadWithoutExhaustingTheStack) {
  // Reading the last value evaluates every formula of the chain, one inside the other.
  constexpr int kLinks = 3000;
  new object_zahl(0.0, "c0");
  for (int i = 1; i <= kLinks; ++i) {
    std::string name = "c" + std::to_string(i);
    new object_zahl(0.0, name.c_str());
    search(name.c_str())->set_value_source(("c" + std::to_string(i - 1) + " + 1;").c_str());
  }
  EXPECT_EQ(ValueOf(("c" + std::to_string(kLinks)).c_str()), std::to_string(kLinks));
}

}  // namespace
