// The text, conversion, printing and validity built-ins.
#include <varnex/base/value_list.h>

#include <climits>
#include <cmath>

#include "builtins_test_support.h"
#include "model/operands/formula_hook.h"

namespace {

using builtins_test::BuiltinsTest;
using builtins_test::Int;
using builtins_test::Num;
using builtins_test::Owned;
using builtins_test::Str;
using builtins_test::Vec;

aritm* Enum(int index, std::initializer_list<const char*> values) {
  VALUE_LIST<PVMStrg> list;
  for (const char* value : values) {
    list.add(PVMStrg(value));
  }
  return new op_enum(index, &list);
}

long IntegerOf(aritm* result) {
  EXPECT_TRUE(result != nullptr && result->IsOpNumber());
  return result != nullptr ? result->get_long() : -12345;
}

TEST_F(BuiltinsTest, StrtokTakesThePartBeforeTheSeparator) {
  struct Case {
    const char* text;
    const char* separator;
    std::string expected;
  };
  const Case cases[] = {
      {"a.b.c", ".", "a"}, {"a.b.c", "x", ""}, {"a.b.c", ".b", "a"},
      {".abc", ".", ""},  // nothing before it
      {"abc", "", ""},     {"abc", "abc", ""}, {"left--right", "--", "left"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Text("strtok", {Str(c.text), Str(c.separator)}), c.expected)
        << c.text << " / " << c.separator;
  }
  EXPECT_EQ(Text("strtok", {Str("a.b")}), "");
  EXPECT_EQ(Text("strtok", {Num(1.5), Str(".")}), "");
  // No upper bound on the part's length.
  std::string longPart(300, 'x');
  EXPECT_EQ(Text("strtok", {Str((longPart + ";rest").c_str()), Str(";")}), longPart);
}

TEST_F(BuiltinsTest, IntegerRealAndTextConvertValueTexts) {
  EXPECT_EQ(IntegerOf(Call("Integer", {Str("42")}).get()), 42);
  EXPECT_EQ(IntegerOf(Call("Integer", {Str("17 apples")}).get()), 17);
  EXPECT_EQ(IntegerOf(Call("Integer", {Str("3.9")}).get()), 3);
  EXPECT_EQ(IntegerOf(Call("Integer", {Num(-3.9)}).get()), -3);
  EXPECT_EQ(IntegerOf(Call("Integer", {Int(-8)}).get()), -8);
  EXPECT_EQ(IntegerOf(Call("Integer", {Str("abc")}).get()), 0);
  EXPECT_EQ(IntegerOf(Call("Integer", {Str("99999999999")}).get()), INT_MAX);
  EXPECT_EQ(IntegerOf(Call("Integer", {Str("-99999999999")}).get()), INT_MIN);
  EXPECT_EQ(IntegerOf(Call("Integer", {new op_logic(TRUE)}).get()), 0);
  EXPECT_EQ(IntegerOf(Call("Integer", {Enum(0, {"7"})}).get()), 0);
  EXPECT_EQ(IntegerOf(Call("Integer").get()), 0);

  EXPECT_EQ(Number("Real", {Str("2.75")}), 2.75);
  EXPECT_EQ(Number("Real", {Str(" -1.5e2")}), -150.0);
  EXPECT_EQ(Number("Real", {Int(12)}), 12.0);
  EXPECT_EQ(Number("Real", {Str("x1")}), 0.0);
  EXPECT_EQ(Number("Real", {Str("1e999")}), 0.0);  // not finite
  EXPECT_EQ(Number("Real", {Vec(1, 2, 3)}), 0.0);

  EXPECT_EQ(Text("Text", {Str("abc")}), "abc");
  EXPECT_EQ(Text("Text", {Int(-12)}), "-12");
  EXPECT_EQ(Text("Text", {Num(2.5)}), "2.5");
  EXPECT_EQ(Text("Text", {new op_logic(FALSE)}), "FALSE");
  EXPECT_EQ(Text("Text", {Enum(1, {"a", "b"})}), "b");
  EXPECT_EQ(Text("Text"), "");
}

TEST_F(BuiltinsTest, NumberTextsAndQuotes) {
  EXPECT_EQ(Number("todistance", {Str("12.5mm")}), 12.5);
  EXPECT_EQ(Number("todistance", {Str("mm")}), 0.0);
  EXPECT_EQ(Number("todistance", {Num(3)}), 0.0);
  EXPECT_EQ(Text("toSTRING", {Num(2.5)}), "2.5");
  EXPECT_EQ(Text("toSTRING", {Str("abc")}), "abc");
  EXPECT_EQ(Text("toSTRING", {Num(HUGE_VAL)}), "");
  EXPECT_EQ(Text("toSTRING"), "");
  EXPECT_EQ(Text("toIntSTRING", {Num(3.75)}), "3");
  EXPECT_EQ(Text("toIntSTRING", {Num(-3.75)}), "-3");
  EXPECT_EQ(Text("toIntSTRING", {Int(12)}), "12");
  EXPECT_EQ(Text("toIntSTRING", {Str("1.2.3")}), "1.2");
  EXPECT_EQ(Text("inquotes", {Str("abc")}), "'abc'");
  EXPECT_EQ(Text("inquotes"), "''");
}

TEST_F(BuiltinsTest, EvaluateStringUsesTheInstalledEvaluator) {
  // The interpreter installs itself at load time; without an evaluator nothing is evaluated.
  auto interpreter = varnex::model::SetFormulaEvaluator(nullptr);
  EXPECT_EQ(Call("evaluate_STRING", {Str("2+3")}), nullptr);
  static std::string seen;
  varnex::model::SetFormulaEvaluator([](const char* formula) -> aritm* {
    seen = formula;
    return new op_zahl(5.0);
  });
  EXPECT_EQ(Number("evaluate_STRING", {Str("2+3")}), 5.0);
  EXPECT_EQ(seen, "2+3;");
  EXPECT_EQ(Call("evaluate_STRING", {Num(2)}), nullptr);
  EXPECT_EQ(Call("evaluate_STRING"), nullptr);
  varnex::model::SetFormulaEvaluator(interpreter);
}

TEST_F(BuiltinsTest, InstanceNameWithoutAnInstanceIsEmpty) {
  EXPECT_EQ(Text("instance_name"), "");
}

TEST_F(BuiltinsTest, MakeNovlStatWritesAParameterDeclaration) {
  EXPECT_EQ(Text("make_NOVL_stat", {Str("mode"), Enum(1, {"fast", "exact"})}),
            "mode : ENUMERATION OF (fast, exact) := 'exact'");
  EXPECT_EQ(Text("make_NOVL_stat", {Str("label"), Str("top")}), "label : STRING := 'top'");
  EXPECT_EQ(Text("make_NOVL_stat", {Str("count"), Int(3)}), "count : NUMBER := 3");
  EXPECT_EQ(Text("make_NOVL_stat", {Str("width"), Num(2.5)}), "width : distance := 2.5");
  EXPECT_EQ(Text("make_NOVL_stat", {Str("on"), new op_logic(TRUE)}), "on : LOGIC := TRUE");
  EXPECT_EQ(Text("make_NOVL_stat", {Str("name")}), "name : STRING");
  EXPECT_EQ(Text("make_NOVL_stat", {Num(1), Num(2)}), "");
}

TEST_F(BuiltinsTest, PrintingGoesToTheSinkOnly) {
  std::vector<std::string> lines;
  auto previous = SetNovlPrintSink([&lines](const char* line) { lines.emplace_back(line); });
  EXPECT_EQ(Number("mesprint", {Str("hello")}), 0.0);
  EXPECT_EQ(Number("valprint", {Str("width"), Num(2.5)}), 0.0);
  EXPECT_EQ(Number("vecprint", {Vec(1, 2, 3)}), 0.0);
  EXPECT_EQ(Number("vecprint", {Str("v"), Vec(1, 2, 3)}), 0.0);
  EXPECT_EQ(Number("tmprint", {new op_trans()}), 0.0);
  EXPECT_EQ(Number("mesprint"), 0.0);
  SetNovlPrintSink(previous);
  EXPECT_EQ(Number("mesprint", {Str("unseen")}), 0.0);
  const std::vector<std::string> expected = {
      "hello", "width 2.500000", "[1,2,3]", "v [1,2,3]", "NULL", "",
  };
  EXPECT_EQ(lines, expected);
}

TEST_F(BuiltinsTest, ValidityOfValues) {
  aritm* invalid = new op_zahl(1.0);
  invalid->SetValidity(3011);
  EXPECT_EQ(Number("GET_VALIDITY", {invalid}), 3011.0);
  EXPECT_EQ(Number("GET_VALIDITY", {Num(1)}), 0.0);
  EXPECT_EQ(Call("GET_VALIDITY"), nullptr);  // no result without argument

  auto logical = [this](std::initializer_list<aritm*> args) {
    Owned result = Call("IsValidValue", args);
    EXPECT_TRUE(result->IsOpLogic());
    return result->get_LOGICAL();
  };
  EXPECT_EQ(logical({Num(1)}), TRUE);
  EXPECT_EQ(logical({new op_reference()}), FALSE);
  EXPECT_EQ(logical({new op_object()}), FALSE);
  EXPECT_EQ(logical({}), FALSE);
}

}  // namespace
