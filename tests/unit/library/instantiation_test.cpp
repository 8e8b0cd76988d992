// Instances of library features through the host's entry points: naming and the instance
// counter, values copied from an instance, rebuilds in place, and features calling features.
#include <gtest/gtest.h>
#include <varnex/builtins/builtins.h>
#include <varnex/language/interpreter.h>
#include <varnex/library/feature_list.h>
#include <varnex/library/handover_parameter.h>
#include <varnex/library/modeller.h>
#include <varnex/library/variable_table.h>
#include <varnex/model/model.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "library_test_support.h"

namespace {

using varnex::test::LibraryData;

// A session over the test library "instances", in a model of its own.
class Instances : public testing::Test {
 protected:
  void SetUp() override {
    saved_world_ = anfang;
    anfang = nullptr;
    setenv("NOVLPath", LibraryData("instances").c_str(), 1);
    initialize_modeller("test");
  }
  void TearDown() override {
    deinitialize_modeller();
    unsetenv("NOVLPath");
    anfang = saved_world_;
  }

  static std::string Interpret(const char* name) {
    const char* created = interpret(name);
    return created != nullptr ? created : "null";
  }
  static std::string Value(const char* name) {
    rumpf* object = search(name);
    if (object == nullptr) {
      return "missing";
    }
    PVMStrg formula;
    PVMStrg value;
    object->GetValue(formula, value);
    return value.GetpStr();
  }
  static std::string Source(const char* name) {
    rumpf* object = search(name);
    const char* source = object != nullptr ? object->get_value_source() : nullptr;
    return source != nullptr ? source : "";
  }

 private:
  nullwelt* saved_world_ = nullptr;
};

TEST_F(Instances, InitializationBuildsTheTables) {
  ASSERT_NE(NOVL_functions, nullptr);
  EXPECT_NE(NOVL_functions->find("sqrt"), nullptr);
  ASSERT_NE(pFeatureList, nullptr);
  EXPECT_NE(pFeatureList->GetFeatureByName(PVMStrg("box")), nullptr);
  ASSERT_NE(pDefParaVar, nullptr);
  EXPECT_NE(pDefParaVar->lookup("RUNDRADIUS"), nullptr);
  ASSERT_NE(anfang, nullptr);
  EXPECT_EQ(total_count, 1);
  EXPECT_EQ(PVFGetSATFileOperation(), FALSE);

  deinitialize_modeller();
  EXPECT_EQ(NOVL_functions, nullptr);
  EXPECT_EQ(pFeatureList, nullptr);
  EXPECT_EQ(pDefParaVar, nullptr);
  EXPECT_EQ(anfang, nullptr);
  initialize_modeller(nullptr);  // again after shutting down
  EXPECT_EQ(Interpret("box"), "box_@1");
}

TEST_F(Instances, OneCounterNamesTheInstancesOfEveryFeature) {
  EXPECT_EQ(Interpret("box"), "box_@1");
  EXPECT_EQ(Interpret("box"), "box_@2");
  EXPECT_EQ(Interpret("gate"), "gate_@3");
  EXPECT_EQ(total_count, 4);
  EXPECT_EQ(Value("box_@1.volume"), "500");
  EXPECT_EQ(Value("gate_@3.width"), "2");
  EXPECT_EQ(hand_over[0], nullptr);
  EXPECT_EQ(search("tmp_name"), nullptr);
  EXPECT_STREQ(Current_File_Name.GetpStr(), "");
}

TEST_F(Instances, FailedLookupsLeaveTheCounterAlone) {
  EXPECT_EQ(interpret(static_cast<const char*>(nullptr)), nullptr);
  EXPECT_EQ(interpret("no_such_feature"), nullptr);
  EXPECT_EQ(interpret("Box"), nullptr);  // feature names are case-sensitive
  EXPECT_EQ(total_count, 1);
}

TEST_F(Instances, AFeatureWithoutReturnStillConsumesANumber) {
  EXPECT_EQ(Interpret("silent"), "silent_@1");
  EXPECT_EQ(search("silent_@1"), nullptr);
  EXPECT_EQ(search("tmp_name"), nullptr);
  EXPECT_EQ(Interpret("box"), "box_@2");
}

TEST_F(Instances, AReturnedValueThatIsNoInstanceGivesNull) {
  EXPECT_EQ(Interpret("measure"), "null");
  EXPECT_EQ(total_count, 2);
  EXPECT_EQ(search("measure_@1"), nullptr);
  EXPECT_EQ(hand_over[0], nullptr);
}

TEST_F(Instances, HandedOverParametersReplaceTheDefaults) {
  hand_over[0] = new op_zahl(2.0);
  hand_over[1] = new op_zahl(3.0);
  hand_over[2] = nullptr;
  EXPECT_EQ(Interpret("box"), "box_@1");
  EXPECT_EQ(Value("box_@1.length"), "2");
  EXPECT_EQ(Value("box_@1.width"), "3");
  EXPECT_EQ(Value("box_@1.height"), "5");
  EXPECT_EQ(Value("box_@1.volume"), "30");
  EXPECT_EQ(hand_over.count(), 0u);
}

TEST_F(Instances, FilledFromTheLibrarysParameterRecords) {
  Featurelist_Element* box = pFeatureList->GetFeatureByName(PVMStrg("box"));
  auto* height = static_cast<HANDOVER_PARAMETER*>((*box->get_paralist())[2]);
  ASSERT_NE(height->Set(PVMStrg("1.5")), nullptr);
  ASSERT_EQ(fill_hand_over(box->get_paralist()), 1);
  EXPECT_EQ(Interpret("box"), "box_@1");
  EXPECT_EQ(Value("box_@1.volume"), "150");
}

TEST_F(Instances, RestraintsAreCheckedByTheInterpreter) {
  Featurelist_Element* box = pFeatureList->GetFeatureByName(PVMStrg("box"));
  auto* length = static_cast<HANDOVER_PARAMETER*>((*box->get_paralist())[0]);
  PVMStrg before;
  length->Get(before);
  EXPECT_EQ(length->Set(PVMStrg("-2")), nullptr);
  PVMStrg after;
  EXPECT_STREQ(length->Get(after), before.GetpStr());
  PVMStrg value("3 + 4");
  PVMStrg result;
  EXPECT_EQ(length->check_restrictions(value, result), HANDOVER_PARAMETER::kAccepted);
  EXPECT_STREQ(result.GetpStr(), "7");
  PVMStrg broken("3 +");
  EXPECT_EQ(length->check_restrictions(broken, result), HANDOVER_PARAMETER::kValueNotEvaluable);
}

TEST_F(Instances, CopiesTakeTheInstancesValues) {
  ASSERT_EQ(Interpret("box"), "box_@1");
  new object_zahl(4.0, "base");
  search("box_@1.length")->set_value_source("base * 2;");
  search("box_@1.width")->set(1.5);

  const char* same = interpret(search("box_@1"), nullptr);
  ASSERT_NE(same, nullptr);
  EXPECT_STREQ(same, "box_@2");
  EXPECT_EQ(Value("box_@2.length"), "8");
  EXPECT_EQ(Value("box_@2.width"), "1.5");
  EXPECT_EQ(Source("box_@2.length"), "base * 2;");

  const char* plain = interpret(search("box_@1"), "box");
  ASSERT_NE(plain, nullptr);
  EXPECT_STREQ(plain, "box_@3");
  EXPECT_EQ(Value("box_@3.length"), "8");
  EXPECT_EQ(Source("box_@3.length"), "");
  EXPECT_EQ(hand_over.count(), 0u);
}

TEST_F(Instances, CopiesNeedTheInstanceItsFeatureAndItsParameters) {
  EXPECT_EQ(interpret(static_cast<rumpf*>(nullptr), nullptr), nullptr);
  new object_planet("loose_@7");
  EXPECT_EQ(interpret(search("loose_@7"), nullptr), nullptr);
  ASSERT_EQ(Interpret("box"), "box_@1");
  EXPECT_EQ(interpret(search("box_@1"), "no_such_feature"), nullptr);
  delete search("box_@1.height");
  EXPECT_EQ(interpret(search("box_@1"), nullptr), nullptr);
  EXPECT_EQ(total_count, 2);
  EXPECT_EQ(hand_over.count(), 0u);
}

TEST_F(Instances, RebuildKeepsTheNameAndTakesTheNewValues) {
  ASSERT_EQ(Interpret("box"), "box_@1");
  ASSERT_EQ(Interpret("box"), "box_@2");
  search("box_@1.height")->set(1.0);
  EXPECT_EQ(Value("box_@1.volume"), "500");
  EXPECT_EQ(reinterpret(search("box_@1")), 1);
  EXPECT_EQ(Value("box_@1.volume"), "100");
  EXPECT_EQ(Value("box_@1.height"), "1");
  EXPECT_EQ(total_count, 3);
  EXPECT_STREQ(instance_name.GetpStr(), "box_@1");
  EXPECT_EQ(search("tmp_name"), nullptr);
  EXPECT_EQ(hand_over.count(), 0u);
}

TEST_F(Instances, AFailedRebuildKeepsTheOldInstance) {
  ASSERT_EQ(Interpret("gate"), "gate_@1");
  rumpf* gate = search("gate_@1");
  search("gate_@1.open")->set(FALSE);
  search("gate_@1.width")->set(7.0);
  EXPECT_EQ(reinterpret(gate), 0);
  EXPECT_EQ(search("gate_@1"), gate);
  EXPECT_EQ(Value("gate_@1.width"), "7");
  EXPECT_EQ(search("tmp_name"), nullptr);
  search("gate_@1.open")->set(TRUE);
  EXPECT_EQ(reinterpret(gate), 1);
  EXPECT_NE(search("gate_@1.width"), nullptr);
}

TEST_F(Instances, RebuildNeedsTheInstanceItsFeatureAndItsParameters) {
  EXPECT_EQ(reinterpret(nullptr), 0);
  new object_planet("loose_@7");
  EXPECT_EQ(reinterpret(search("loose_@7")), 0);
  ASSERT_EQ(Interpret("box"), "box_@1");
  rumpf* box = search("box_@1");
  delete search("box_@1.width");
  EXPECT_EQ(reinterpret(box), 0);
  EXPECT_EQ(search("box_@1"), box);
  EXPECT_EQ(hand_over.count(), 0u);
}

TEST_F(Instances, RebuildInsideAnotherInstanceStaysThere) {
  auto* assembly = new object_planet("assembly");
  assembly->qualify();
  ASSERT_EQ(Interpret("box"), "box_@1");
  requalify();
  rumpf* box = search("assembly.box_@1");
  ASSERT_NE(box, nullptr);
  search("assembly.box_@1.length")->set(1.0);
  EXPECT_EQ(reinterpret(box), 1);
  EXPECT_EQ(Value("assembly.box_@1.volume"), "50");
  EXPECT_EQ(search("box_@1"), nullptr);
}

TEST_F(Instances, AFeatureCallsAnotherByItsFunctionName) {
  ASSERT_EQ(Interpret("tower"), "tower_@1");
  EXPECT_EQ(Value("tower_@1.floors"), "3");
  EXPECT_EQ(Value("tower_@1.block.volume"), "144");
  EXPECT_EQ(total_count, 2);
}

}  // namespace

namespace {

// Host values refused with the reason, through the interpreter's own evaluation: the
// restriction that failed and how, or the forms the type accepts. Accepted values refuse
// nothing; refused ones leave the parameter as it was.
struct RefusalCase {
  const char* name;
  const char* type;
  const char* restraints;
  const char* text;
  const char* refusal;  // "" when the value is accepted
};

class HostValues : public Instances, public testing::WithParamInterface<RefusalCase> {};

TEST_P(HostValues, AreRefusedWithTheReason) {
  const RefusalCase& c = GetParam();
  HANDOVER_PARAMETER parameter(c.name, c.type, "kept", c.restraints);
  PVMStrg refusal;
  const char* stored = parameter.Set(PVMStrg(c.text), refusal);
  EXPECT_STREQ(refusal.GetpStr(), c.refusal) << c.text;
  EXPECT_EQ(stored == nullptr, *c.refusal != '\0') << c.text;
  if (stored == nullptr) {
    PVMStrg value;
    EXPECT_STREQ(parameter.GetValue(value), "kept");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, HostValues,
    testing::Values(
        RefusalCase{"length", "distance", "{VALUE > 0}", "-1", "length = -1 violates VALUE > 0"},
        RefusalCase{"length", "distance", "{VALUE > 0; VALUE < 100}", "150",
                    "length = 150 violates VALUE < 100"},
        RefusalCase{"inner", "distance", "{VALUE < outer}", "5",
                    "inner = 5 cannot be checked: the restriction VALUE < outer does not evaluate "
                    "to TRUE or FALSE (___NOT EVALUABLE___); a restriction sees only VALUE, never "
                    "the other parameters"},
        RefusalCase{"length", "distance", "{VALUE > 0}", "no_such_name",
                    "length = no_such_name cannot be evaluated (___NOT EVALUABLE___)"},
        RefusalCase{"length", "distance", "{VALUE > 0}", "1.0/0",
                    "length = 1.0/0 is not a finite number (___RESTRICTION VIOLATED___)"},
        RefusalCase{"flag", "LOGIC", "", "1", "flag = 1 is no logical value: give TRUE or FALSE"},
        RefusalCase{"flag", "LOGIC", "", "0", "flag = 0 is no logical value: give TRUE or FALSE"},
        RefusalCase{"flag", "LOGIC", "", "'no'",
                    "flag = 'no' is no logical value: give TRUE or FALSE"},
        RefusalCase{"count", "NUMBER", "", "6.7",
                    "count = 6.7 is no whole number: give an integer (12, -3) or a formula of "
                    "integers"},
        RefusalCase{"count", "NUMBER", "", "'6'",
                    "count = '6' is no whole number: give an integer (12, -3) or a formula of "
                    "integers"},
        RefusalCase{"flag", "LOGIC", "", "TRUE", ""}, RefusalCase{"flag", "LOGIC", "", "1 = 1", ""},
        RefusalCase{"count", "NUMBER", "", "7/2", ""},
        RefusalCase{"count", "NUMBER", "{VALUE >= -5}", "-3", ""},
        RefusalCase{"length", "distance", "{VALUE > 0}", "6.7", ""}));

}  // namespace
