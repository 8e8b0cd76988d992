// Statement execution: NVL scripts run in a fresh model and compared with the expected dump
// of the model, and the entry points evaluate_string, subparse and yyparse.
#include <gtest/gtest.h>
#include <varnex/language/interpreter.h>
#include <varnex/language/parse_attachment.h>
#include <varnex/language/parser.h>
#include <varnex/model/hand_over.h>
#include <varnex/model/model.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "language/interpreter_hooks.h"

namespace {

namespace fs = std::filesystem;

// A new root world for the test, deleted afterwards with everything in it.
class FreshModel {
 public:
  FreshModel() : saved_(anfang) {
    anfang = nullptr;
    ds_init();
    root_ = anfang;
  }
  ~FreshModel() {
    anfang = nullptr;
    delete root_;
    anfang = saved_;
  }

 private:
  nullwelt* saved_;
  nullwelt* root_;
};

std::string ValueText(aritm* operand) {
  PVMStrg text;
  return operand != nullptr ? operand->GetValue(text) : "null";
}

// "name : alias type = value", one line per object, members of instances indented.
void DumpWorld(nullwelt* world, const std::string& indent, std::string& out) {
  for (welt* element = world->get_next(); element != nullptr; element = element->get_next()) {
    rumpf* object = element->get_member();
    PVMStrg formula;
    PVMStrg value;
    object->GetValue(formula, value);
    out += indent + object->get_name() + " : " + object->get_alias_type() + " = " +
           value.GetpStr() + "\n";
    if (nullwelt* subworld = object->get_subworld()) {
      DumpWorld(subworld, indent + "  ", out);
    }
  }
}

std::string RunText(PARSE_ATTACHMENT& source) {
  ParseObjectScope scope(&source);
  std::string out = "parse: " + std::to_string(yyparse()) + "\n";
  if (hand_over[0] != nullptr) {
    std::unique_ptr<aritm> result(hand_over[0]);
    hand_over[0] = nullptr;
    out += "result: " + ValueText(result.get()) + "\n";
  }
  DumpWorld(anfang, "", out);
  return out;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Scripts() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(fs::path(VARNEX_TEST_DATA) / "language/exec")) {
    if (entry.path().extension() == ".NVL") {
      names.push_back(entry.path().stem().string());
    }
  }
  return names;
}

class Script : public testing::TestWithParam<std::string> {};

TEST_P(Script, DumpsAsExpected) {
  const fs::path dir = fs::path(VARNEX_TEST_DATA) / "language/exec";
  FreshModel model;
  PARSE_ATTACHMENT source(PVMStrg((GetParam() + ".NVL").c_str()),
                          PVMStrg((dir.string() + "/").c_str()));
  EXPECT_EQ(RunText(source), ReadFile(dir / (GetParam() + ".expected")));
  EXPECT_EQ(hand_over.count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Language, Script, testing::ValuesIn(Scripts()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

std::string RunBody(const char* text) {
  PARSE_ATTACHMENT source(PVMStrg(text), nullptr);
  return RunText(source);
}

TEST(EvaluateString, HandsOverTheValueAndRestoresTheGlobals) {
  FreshModel model;
  new object_zahl(2.0, "two");
  aritm* outer_result = new op_number(99L);
  hand_over[0] = outer_result;
  nullwelt* world = anfang;
  std::FILE* input = yyin;
  PARSE_ATTACHMENT outer(PVMStrg("outer"), nullptr);
  ParseObjectScope scope(&outer);

  std::unique_ptr<aritm> value(evaluate_string("2+3;"));
  EXPECT_EQ(ValueText(value.get()), "5");
  std::unique_ptr<aritm> named(evaluate_string("two * 4;"));
  EXPECT_EQ(ValueText(named.get()), "8");

  EXPECT_EQ(hand_over[0], outer_result);
  EXPECT_EQ(anfang, world);
  EXPECT_EQ(yyin, input);
  EXPECT_EQ(PARSEOBJECT, &outer);
  delete outer_result;
  hand_over[0] = nullptr;
}

TEST(EvaluateString, NothingEvaluatedGivesNull) {
  FreshModel model;
  EXPECT_EQ(evaluate_string(nullptr), nullptr);
  EXPECT_EQ(evaluate_string("unknown_name + 1;"), nullptr);
  EXPECT_EQ(evaluate_string("x := 1;"), nullptr);
  EXPECT_EQ(evaluate_string(""), nullptr);
}

TEST(EvaluateString, ResolvesFromTheOutermostWorld) {
  FreshModel model;
  new object_zahl(1.0, "top");
  auto* instance = new object_planet("inst");
  instance->qualify();
  new object_zahl(2.0, "inner");
  std::unique_ptr<aritm> top(evaluate_string("top + inst.inner;"));
  EXPECT_EQ(ValueText(top.get()), "3");
  EXPECT_EQ(evaluate_string("inner;"), nullptr);
  requalify();
}

TEST(Execution, NestedEvaluationInsideAParseLeavesItIntact) {
  FreshModel model;
  auto* base = new object_zahl(2.0, "base");
  auto* derived = new object_zahl(0.0, "derived");
  derived->set_value_source("base * 3;");
  EXPECT_EQ(RunBody("LOCAL x, y : distance; END_LOCAL; x := derived + 1; y := 5;"),
            "parse: 0\nbase : unspecified = 2\nderived : unspecified = 6\ny : distance = 5\n"
            "x : distance = 7\n");
  (void)base;
}

// Feature texts found by function name, as the feature library provides them.
std::map<std::string, std::string>& FeatureTexts() {
  static std::map<std::string, std::string> texts;
  return texts;
}

std::unique_ptr<PARSE_ATTACHMENT> FindTestFeature(const char* function_name) {
  auto found = FeatureTexts().find(function_name);
  if (found == FeatureTexts().end()) {
    return nullptr;
  }
  return std::make_unique<PARSE_ATTACHMENT>(PVMStrg(found->second.c_str()), nullptr);
}

class Calls : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = varnex::language::SetFunctionSourceFinder(&FindTestFeature);
    FeatureTexts()["make_box"] = ReadFile(fs::path(VARNEX_TEST_DATA) / "language/box.NVL");
  }
  void TearDown() override { varnex::language::SetFunctionSourceFinder(previous_); }

  varnex::language::FunctionSourceFinder previous_ = nullptr;
  FreshModel model_;
};

TEST_F(Calls, FeatureCallBindsParametersAndReturns) {
  // The second call replaces the instance the first one made.
  EXPECT_EQ(RunBody("LOCAL r : distance; END_LOCAL; r := make_box(5, 5); r := make_box(3.0, 2.0);"),
            "parse: 0\nr : distance = 6\n"
            "make_box : unspecified = make_box\n"
            "  depth : distance = 2\n"
            "  width : distance = 3\n"
            "  height : distance = 1\n"
            "  volume : distance = 6\n");
}

TEST_F(Calls, MissingOperandsTakeTheDefaults) {
  std::string dump = RunBody("LOCAL r : distance; END_LOCAL; r := make_box();");
  EXPECT_NE(dump.find("r : distance = 100\n"), std::string::npos) << dump;
}

TEST_F(Calls, AFeatureMayCallItself) {
  FeatureTexts()["count_down"] =
      "SCHEMA s; FUNCTION count_down (n : NUMBER) : f; LOCAL r : NUMBER; END_LOCAL;"
      "if (n > 0) { r := count_down(n - 1) + 1; }; RETURN (r); END_FUNCTION; END_SCHEMA;";
  std::string dump = RunBody("LOCAL depth : NUMBER; END_LOCAL; depth := count_down(3);");
  EXPECT_NE(dump.find("depth : NUMBER = 3\n"), std::string::npos) << dump;
  EXPECT_NE(
      dump.find("      count_down : unspecified = count_down.count_down.count_down.count_down\n"),
      std::string::npos)
      << dump;
}

TEST_F(Calls, UnknownFunctionYieldsAnEmptyOperand) {
  std::string dump = RunBody("LOCAL r : distance; END_LOCAL; r := 1; r := no_such_feature(1);");
  EXPECT_NE(dump.find("r : distance = 1\n"), std::string::npos) << dump;
  EXPECT_EQ(hand_over.count(), 0u);
}

TEST(Execution, ParameterGroupsTakeHandOverOperandsInOrder) {
  FreshModel model;
  hand_over[0] = new op_number(4L);
  hand_over[1] = new op_number(5L);
  hand_over[2] = nullptr;
  hand_over[3] = nullptr;
  hand_over[4] = new op_number(6L);
  std::string dump = RunBody(
      "SCHEMA s; FUNCTION f (a, b, c : NUMBER, d : NUMBER := 7, e : NUMBER := 8) : f; "
      "RETURN (a + b); END_FUNCTION; END_SCHEMA;");
  // c keeps its declared state, d takes its default, e takes the operand in its position.
  EXPECT_EQ(dump,
            "parse: 0\nresult: 9\nc : NUMBER = 0\na : NUMBER = 4\nb : NUMBER = 5\n"
            "d : NUMBER = 7\ne : NUMBER = 6\n");
}

TEST(Execution, AMissingFirstOperandLeavesTheWholeGroupUnbound) {
  FreshModel model;
  hand_over[0] = nullptr;
  hand_over[1] = new op_number(5L);
  hand_over[2] = new op_number(6L);
  std::string dump =
      RunBody("SCHEMA s; FUNCTION f (a, b, c : NUMBER) : f; x := 1; END_FUNCTION; END_SCHEMA;");
  EXPECT_EQ(dump, "parse: 0\nc : NUMBER = 0\na : NUMBER = 0\nb : NUMBER = 0\n");
  EXPECT_EQ(hand_over[1], nullptr);  // the skipped operands were consumed, not leaked
  EXPECT_EQ(hand_over[2], nullptr);
}

TEST(Execution, ParameterRestrictionsTravelWithTheOperand) {
  FreshModel model;
  hand_over[0] = new op_zahl(5.0);
  VALUE_LIST<PVMStrg> restrictions(TRUE);
  restrictions.add(PVMStrg("VALUE > 1"));
  hand_over[0]->SetRestrictions(&restrictions);
  RunBody("SCHEMA s; FUNCTION f (w : distance) : f; x := 1; END_FUNCTION; END_SCHEMA;");
  rumpf* w = search("w");
  ASSERT_NE(w, nullptr);
  VALUE_LIST<PVMStrg> held(TRUE);
  EXPECT_EQ(w->GetRestrictions(&held), 1);
  EXPECT_STREQ(held[0].GetpStr(), "VALUE > 1");
}

struct ReturnCase {
  const char* body;
  const char* result;
};

TEST(Execution, TheLastReturnWins) {
  const ReturnCase cases[] = {
      {"RETURN (1); RETURN (2);", "2"},
      {"if (TRUE) { RETURN (3); }; RETURN (4);", "4"},
      {"RETURN (4); if (TRUE) { RETURN (3); };", "3"},
      {"if (TRUE) then RETURN (5); endif;", "5"},
      {"LOCAL i : NUMBER; END_LOCAL; RETURN (7); dowhile (i < 2) { i := i + 1; };", "7"},
      {"LOCAL i : NUMBER; END_LOCAL; dowhile (i < 2) { i := i + 1; RETURN (i); };", "2"},
  };
  for (const ReturnCase& c : cases) {
    FreshModel model;
    std::string text =
        std::string("SCHEMA s; FUNCTION f () : f; ") + c.body + " END_FUNCTION; END_SCHEMA;";
    std::string dump = RunBody(text.c_str());
    EXPECT_NE(dump.find(std::string("result: ") + c.result + "\n"), std::string::npos)
        << c.body << "\n"
        << dump;
  }
}

TEST(Execution, PrintShowsObjectsButNotComponents) {
  FreshModel model;
  new object_vector(1.0, 2.0, 3.0, "v");
  testing::internal::CaptureStdout();
  RunBody("PRINT v.x; PRINT v.Origin;");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  testing::internal::CaptureStdout();
  RunBody("PRINT v;");
  EXPECT_NE(testing::internal::GetCapturedStdout(), "");
}

TEST(Execution, EntityPrototypesAreCopiedByDeclarations) {
  FreshModel model;
  std::string dump = RunBody(
      "SCHEMA s; ENTITY feature_plate; width : distance; END_ENTITY;"
      "FUNCTION f () : feature_plate; LOCAL object : feature_plate; END_LOCAL;"
      "object.width := 3; RETURN (object.width); END_FUNCTION; END_SCHEMA;");
  EXPECT_EQ(dump,
            "parse: 0\nresult: 3\n"
            "feature_plate : feature_plate = feature_plate\n  width : distance = 0\n"
            "object : feature_plate = object\n  width : distance = 3\n");
}

TEST(Execution, HereNamesTheInstanceOfTheCurrentWorld) {
  FreshModel model;
  auto* instance = new object_planet("inst");
  instance->qualify();
  auto* member = new object_number(0L, "v");
  RunBody("HERE.v := 3;");
  requalify();
  RunBody("HERE.v := 4;");  // the outermost world has no instance: nothing is assigned
  std::unique_ptr<aritm> value(member->get_aritm());
  EXPECT_EQ(ValueText(value.get()), "3");
}

}  // namespace
