// The checking pass and the syntax hook: what a feature author is told, and on which line,
// for texts whose faults hide in blocks that a run would skip.
#include <gtest/gtest.h>
#include <varnex/builtins/builtins.h>
#include <varnex/language/interpreter.h>
#include <varnex/language/syntax_check.h>
#include <varnex/model/model.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ReadData(const std::string& name) {
  std::ifstream in(std::string(VARNEX_TEST_DATA) + "/language/check/" + name);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Describe(const NovlFinding& finding) {
  static const char* const kKinds[] = {"syntax",    "type",        "call",         "unrun",
                                       "loop",      "deep",        "restriction",  "undeclared",
                                       "attribute", "enumeration", "entity-names", "keyword"};
  std::string described = std::to_string(finding.line) + " " +
                          kKinds[static_cast<int>(finding.kind)] + " " + finding.name;
  return finding.detail.empty() ? described : described + " / " + finding.detail;
}

std::vector<std::string> Check(const std::string& text, const NovlFunctionQuery& features = {}) {
  std::vector<std::string> found;
  int count = NovlCheckText(
      text.c_str(), [&found](const NovlFinding& finding) { found.push_back(Describe(finding)); },
      features);
  EXPECT_EQ(count, static_cast<int>(found.size()));
  return found;
}

struct CheckCase {
  const char* file;
  std::vector<std::string> findings;
};

class CheckFiles : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckFiles, ReportsEveryFindingOnItsLine) {
  EXPECT_EQ(Check(ReadData(GetParam().file)), GetParam().findings);
}

INSTANTIATE_TEST_SUITE_P(
    SyntaxCheck, CheckFiles,
    testing::Values(
        // Faults inside the branch a run would skip, a loop body and a brace block, with lines
        // counted through the block texts.
        CheckCase{"blocks.NVL", {"14 syntax )", "19 call undefined_feature", "22 syntax ;"}},
        // Entities and functions of the text are known; case matters for built-ins.
        CheckCase{"names.NVL", {"12 type widget", "16 call Create_Cube"}},
        // A broken first statement ends the text, as it does when the text runs.
        CheckCase{"first_statement.NVL", {"1 syntax ;"}},
        // Later statements recover at their ';' and are checked on.
        CheckCase{"statements.NVL", {"2 syntax ;", "4 syntax ;"}}),
    [](const testing::TestParamInfo<CheckCase>& info) {
      std::string name = info.param.file;
      return name.substr(0, name.find('.'));
    });

// The authoring faults a run would skip or refuse, each on its line.
struct LintCase {
  const char* what;
  std::string text;
  std::vector<std::string> findings;
};

class Lint : public testing::TestWithParam<LintCase> {};

TEST_P(Lint, FindsTheFaultOnItsLine) {
  EXPECT_EQ(Check(GetParam().text), GetParam().findings);
}

// A schema with one function whose header and body are given.
std::string Schema(const std::string& header, const std::string& body) {
  return "SCHEMA s;\nENTITY e;\n  shape : geometric;\n  size : distance;\nEND_ENTITY;\n"
         "FUNCTION f (" +
         header + ") : e;\nLOCAL\n  object : e;\n  v : vector;\n  a : axis;\nEND_LOCAL;\n" + body +
         "RETURN (object);\nEND_FUNCTION;\nEND_SCHEMA;\n";
}

INSTANTIATE_TEST_SUITE_P(
    SyntaxCheck, Lint,
    testing::Values(
        // Restrictions see only VALUE and their own parameter's name.
        LintCase{"restriction_naming_another_parameter",
                 Schema("outer : distance := 9.0,\ninner : distance := 5.0 RESTRICTED_TO {VALUE "
                        "< outer}",
                        ""),
                 {"7 restriction inner / outer"}},
        LintCase{"restriction_naming_a_later_parameter",
                 Schema("inner : distance := 5.0 RESTRICTED_TO {VALUE < outer; inner > 0},\n"
                        "outer : distance := 9.0",
                        ""),
                 {"6 restriction inner / outer"}},
        LintCase{"restriction_naming_a_sibling_of_its_group",
                 Schema("w, d : distance := 5.0 RESTRICTED_TO {w < d}", ""),
                 {"6 restriction w, d / w", "6 restriction w, d / d"}},
        LintCase{"restriction_with_calls_and_own_name",
                 Schema("size : distance := 5.0 RESTRICTED_TO {size > 0; VALUE < sqrt(100)}", ""),
                 {}},
        // Enumeration defaults.
        LintCase{"enumeration_default_outside",
                 Schema("finish : ENUMERATION OF (raw, painted) := 'anodised'", ""),
                 {"6 enumeration finish / anodised"}},
        LintCase{"enumeration_default_inside",
                 Schema("finish : ENUMERATION OF (raw, painted) := 'painted'", ""),
                 {}},
        // Assignments in a function body.
        LintCase{"undeclared_name", Schema("", "ghost := 1;\n"), {"12 undeclared ghost"}},
        LintCase{"parameters_and_locals_are_declared",
                 Schema("n : NUMBER := 1, w, d : distance := 2.0",
                        "n := 2;\nd := 3.0;\nv.x := 1;\na.Origin := [0, 0, 0];\n"
                        "object.size := 1.0;\n"),
                 {}},
        LintCase{"unknown_attribute",
                 Schema("", "object.colour := 1;\nv.w := 2;\na.Centre := [0, 0, 0];\n"),
                 {"12 attribute object.colour / e", "13 attribute v.w / vector",
                  "14 attribute a.Centre / axis"}},
        LintCase{"assignment_inside_a_block",
                 Schema("", "if (TRUE) {\n  ghost := 1;\n};\n"),
                 {"13 undeclared ghost"}},
        // Several names in one ENTITY declaration: the grammar refuses them.
        LintCase{"several_names_in_an_entity",
                 "SCHEMA s;\nENTITY e;\n  p, q : distance;\nEND_ENTITY;\nEND_SCHEMA;\n",
                 {"3 syntax ,", "3 entity-names p, q"}},
        // "if" and "else" inside names or texts of a then ... endif block, not in braces.
        LintCase{"keyword_in_then_text",
                 "a := 1;\nif (a = 1) then\n  b := 'modify';\nendif;\n",
                 // The reader took "if" in 'modify' as a nested if: the block never ends.
                 {"3 keyword 'modify' / if", "4 syntax endif", "5 syntax "}},
        LintCase{"keyword_in_then_name",
                 "a := 1;\nif (a = 1) then\n  elsewhere := 1;\nendif;\n",
                 {"3 keyword elsewhere / else"}},
        LintCase{
            "keyword_in_brace_block_is_fine", "a := 1;\nif (a = 1) {\n  b := 'modify';\n};\n", {}},
        // A syntax error in a parameter list does not end the check of the rest.
        LintCase{"checks_on_after_a_broken_parameter_list",
                 Schema("size : distance := 5.0 +", "ghost := Create_Cube(1, 2, 3);\n"),
                 {"6 syntax )", "12 call Create_Cube", "12 undeclared ghost"}}),
    [](const testing::TestParamInfo<LintCase>& info) { return std::string(info.param.what); });

TEST(SyntaxCheck, LibraryFeaturesAreCallable) {
  const std::string text = "a := 1;\nb := some_feature(a);\nc := other(a);\n";
  auto library = [](const std::string& name) { return name == "some_feature"; };
  EXPECT_EQ(Check(text, library), std::vector<std::string>{"3 call other"});
}

TEST(SyntaxCheck, LibraryEntitiesAreTypes) {
  const std::string text = "LOCAL\n  a : feature_nut;\n  b : feature_bolt;\nEND_LOCAL;\n";
  auto library = [](const std::string& name) { return name == "feature_nut"; };
  EXPECT_EQ(Check(text, library), std::vector<std::string>{"3 type feature_bolt"});
}

TEST(SyntaxCheck, LeadingExpressionsThatCutTheirBlockShort) {
  // The brace block starts with a call: the assignment after it never runs. A block that is
  // only an expression, and one that starts with an assignment, are fine.
  const std::string text =
      "a := 1;\nif (a = 1) {\n  mesprint('x');\n  a := 2;\n};\n"
      "if (a = 1) { mesprint('y'); };\nif (a = 1) { a := 3; mesprint('z'); };\n";
  EXPECT_EQ(Check(text), std::vector<std::string>{"3 unrun "});
  EXPECT_EQ(Check("sqrt(4);\nb := 1;\n"), std::vector<std::string>{"1 unrun "});
  EXPECT_TRUE(Check("sqrt(4);\n").empty());
}

TEST(SyntaxCheck, UsesTheLoadedBuiltinTable) {
  ifunc_list table;
  table.insert("only_this", [](aritm**, aritm** result) { *result = nullptr; });
  ifunc_list* saved = NOVL_functions;
  NOVL_functions = &table;
  std::vector<std::string> found = Check("a := 1;\nb := only_this(1);\nc := sqrt(4);\n");
  NOVL_functions = saved;
  EXPECT_EQ(found, std::vector<std::string>{"3 call sqrt"});
}

TEST(SyntaxCheck, EmptyAndNullTextsHaveNoFindings) {
  EXPECT_TRUE(Check("").empty());
  EXPECT_EQ(NovlCheckText(nullptr, {}), 0);
}

TEST(SyntaxCheck, RunsNothing) {
  ds_init();
  Check("a : NUMBER;\na := 5;\nRETURN (a);\n");
  std::unique_ptr<aritm> value(evaluate_string("a;"));
  EXPECT_EQ(value, nullptr);
}

TEST(SyntaxHook, SeesErrorsOfRunningParsesAndLeavesWhenRemoved) {
  std::vector<std::string> seen;
  NovlSyntaxHook previous = SetNovlSyntaxHook([&seen](const NovlSyntaxError& error) {
    seen.push_back(std::to_string(error.line) + " " + error.message + " " + error.token);
  });
  ds_init();
  std::unique_ptr<aritm> value(evaluate_string("2 + * ;"));
  EXPECT_EQ(value, nullptr);
  SetNovlSyntaxHook(std::move(previous));
  std::unique_ptr<aritm> ignored(evaluate_string("3 + ;"));
  EXPECT_EQ(seen, std::vector<std::string>{"1 syntax error ;"});
}

}  // namespace
