// Named objects with the interpreter's own evaluate_string behind their formulas: qualified
// names, "__THIS__" and "__UP__", vector components, restrictions with VALUE substituted, and
// the value-change guards.
#include <varnex/language/interpreter.h>
#include <varnex/language/parse_attachment.h>
#include <varnex/language/parser.h>
#include <varnex/model/model.h>

#include <memory>

#include "model_fixture.h"

namespace varnex::test {
namespace {

std::string ValueOf(rumpf* object) {
  PVMStrg formula, value;
  object->GetValue(formula, value);
  return value.GetpStr();
}

std::string Evaluated(const char* text) {
  std::unique_ptr<aritm> value(evaluate_string(text));
  PVMStrg out;
  return value == nullptr ? "null" : value->GetValue(out);
}

// Root: len = 4, s (instance) { h = [1, 2, 3], k (formula) }.
class FormulaObjectsTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    len_ = new object_zahl(4.0, "len");
    s_ = Planet("s");
    Inside(s_, [&] {
      h_ = new object_vector(1, 2, 3, "h");
      k_ = new object_zahl("k");
    });
  }
  object_zahl* len_ = nullptr;
  object_planet* s_ = nullptr;
  object_vector* h_ = nullptr;
  object_zahl* k_ = nullptr;
};

TEST_F(FormulaObjectsTest, NamesInFormulasResolveFromTheOutermostWorld) {
  const std::pair<const char*, const char*> cases[] = {
      {"s.h.y * 2;", "4"},    {"len + s.h.z;", "7"},
      {"s.h;", "[1,2,3]"},    {"h;", "null"},  // not in the outermost world
      {"s.nothing;", "null"},
  };
  for (const auto& [formula, expected] : cases) {
    EXPECT_EQ(Evaluated(formula), expected) << formula;
  }
  Inside(s_, [&] { EXPECT_EQ(Evaluated("h.x;"), "null"); });
}

TEST_F(FormulaObjectsTest, ThisAndUpReachTheWorldTheReadStartedIn) {
  k_->set_value_source("__UP__.len * __THIS__.h.x;");
  Inside(s_, [&] {
    EXPECT_DOUBLE_EQ(k_->get(), 4.0);
    h_->set(3.0, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(k_->get(), 12.0);
    EXPECT_EQ(k_->GetValidity(), 0);
  });
  EXPECT_EQ(anfang, root_);
  EXPECT_EQ(previous_world, nullptr);
}

TEST_F(FormulaObjectsTest, ViolatedRestrictionSetsValidityOne) {
  k_->set_value_source("len * 2;");
  PVMStrg below_ten("VALUE < 10"), positive("VALUE > 0");
  k_->AddRestriction(positive);
  k_->AddRestriction(below_ten);
  EXPECT_DOUBLE_EQ(k_->get(), 8.0);
  EXPECT_EQ(k_->GetValidity(), 0);
  len_->set(6.0);
  EXPECT_DOUBLE_EQ(k_->get(), 8.0);
  EXPECT_EQ(k_->GetValidity(), 1);
  EXPECT_EQ(ValueOf(k_), "8");
  len_->set(-1.0);
  EXPECT_DOUBLE_EQ(k_->get(), 8.0);
  EXPECT_EQ(k_->GetValidity(), 1);
  len_->set(1.5);
  EXPECT_DOUBLE_EQ(k_->get(), 3.0);
  EXPECT_EQ(k_->GetValidity(), 0);
  void_list invalid;
  len_->set(100.0);
  k_->get();
  EXPECT_EQ(s_->GetValidity(&invalid), 1);
}

TEST_F(FormulaObjectsTest, ValueChangesAnswerWithMarkers) {
  auto* n = new object_number(1, "n");
  PVMStrg positive("VALUE > 0");
  n->AddRestriction(positive);
  const std::pair<const char*, const char*> cases[] = {
      {"-1", "___RESTRICTION VIOLATED___VALUE > 0"},
      {"'x'", "___NOT EVALUABLE___"},
      {"len / 2", "2"},
      {"2", "2"},
  };
  for (const auto& [value, expected] : cases) {
    PVMStrg text(value), result;
    n->TestValue(text, result);
    EXPECT_STREQ(result, expected) << value;
  }
  PVMStrg seven("7"), result;
  EXPECT_STREQ(n->SetValue(seven, result), "7");
  EXPECT_EQ(n->get(), 7);
}

TEST_F(FormulaObjectsTest, VectorComponentFormulasWithGeneratedNames) {
  object_planet* box = Planet("box_@1");
  object_zahl* w = nullptr;
  Inside(box, [&] { w = new object_zahl(7.0, "w"); });
  auto* v = new object_vector(0, 0, 0, "v");
  PVMStrg formula("box_@1.w + 1"), result;
  ASSERT_NE(v->SetComponentValue(formula, result, 1), nullptr);
  EXPECT_STREQ(v->get_value_source(), "[0, box_@1.w + 1, 0];");
  EXPECT_EQ(ValueOf(v), "[0,8,0]");
  w->set(1.0);
  EXPECT_EQ(ValueOf(v), "[0,2,0]");
  PVMStrg self_formula("box_@1.w * 2");
  EXPECT_EQ(w->SetValue(self_formula, result), nullptr);
  EXPECT_STREQ(result, "___CYCLES IN REFERENCES___");
  EXPECT_EQ(ValueOf(w), "1");
}

TEST_F(FormulaObjectsTest, ContourDeclarationsCreateContourObjects) {
  PARSE_ATTACHMENT source(PVMStrg("LOCAL profile : ConFace; path : ConWirN; END_LOCAL;"), nullptr);
  ParseObjectScope scope(&source);
  EXPECT_EQ(yyparse(), 0);
  rumpf* profile = search("profile");
  ASSERT_NE(profile, nullptr);
  EXPECT_STREQ(profile->get_type(), "Connect2d");
  EXPECT_STREQ(profile->get_alias_type(), "ConFace");
  EXPECT_STREQ(search("path")->get_alias_type(), "ConWirN");
}

}  // namespace
}  // namespace varnex::test
