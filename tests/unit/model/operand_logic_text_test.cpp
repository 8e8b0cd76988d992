// Logical, text and enumeration operands: their operator tables, text forms and literals.
#include <gtest/gtest.h>

#include "operand_test_support.h"

namespace {

using namespace operand_test;

VALUE_LIST<PVMStrg> Values(std::initializer_list<const char*> texts) {
  VALUE_LIST<PVMStrg> values(TRUE);
  for (const char* text : texts) {
    values.add(PVMStrg(text));
  }
  return values;
}

TEST(OperandLogic, OperatorTable) {
  const BinaryCase cases[] = {
      // add and multiply read reversed: add needs both, multiply either.
      {"b:TRUE", "+", "b:FALSE", "b:FALSE"},   {"b:TRUE", "+", "b:TRUE", "b:TRUE"},
      {"b:TRUE", "*", "b:FALSE", "b:TRUE"},    {"b:FALSE", "*", "b:FALSE", "b:FALSE"},
      {"b:TRUE", "and", "b:FALSE", "b:FALSE"}, {"b:TRUE", "and", "b:TRUE", "b:TRUE"},
      {"b:FALSE", "or", "b:TRUE", "b:TRUE"},   {"b:FALSE", "or", "b:FALSE", "b:FALSE"},
      {"b:TRUE", "xor", "b:TRUE", "b:FALSE"},  {"b:TRUE", "xor", "b:FALSE", "b:TRUE"},
      {"b:TRUE", "==", "b:TRUE", "b:TRUE"},    {"b:TRUE", "!=", "b:TRUE", "b:FALSE"},
      {"b:FALSE", "!=", "b:TRUE", "b:TRUE"},
  };
  for (const BinaryCase& c : cases) {
    EXPECT_EQ(Evaluate(c), c.result) << c.left << " " << c.op << " " << c.right;
  }
}

TEST(OperandLogic, LogicDoesNotMixWithOtherKinds) {
  ErrorRecorder errors;
  const BinaryCase cases[] = {
      {"b:TRUE", "+", "n:1", "null"},
      {"n:1", "and", "b:TRUE", "null"},
      {"b:TRUE", "and", "n:1", "null"},
      {"b:TRUE", "<", "b:FALSE", "null"},
  };
  for (const BinaryCase& c : cases) {
    EXPECT_EQ(Evaluate(c), c.result) << c.left << " " << c.op << " " << c.right;
  }
  EXPECT_TRUE(errors.Saw("call to virtual function"));
}

TEST(OperandLogic, NegationsAndLiterals) {
  op_logic t(TRUE);
  EXPECT_EQ(Describe(Own(t.not_()).get()), "b:FALSE");
  EXPECT_EQ(Describe(Own(t.minus_of()).get()), "b:FALSE");
  EXPECT_EQ(Describe(Own(t.inverse()).get()), "b:FALSE");
  EXPECT_EQ(Sval(&t), "TRUE");

  ErrorRecorder errors;
  op_logic value(FALSE);
  value.setsval("TRUE");
  EXPECT_EQ(value.get_LOGICAL(), TRUE);
  value.setsval("true");
  EXPECT_EQ(errors.Last(), "value true no correct longbool");
  value.setsval("yes");
  EXPECT_EQ(errors.Last(), "value yes no correct longbool");
  EXPECT_EQ(value.get_LOGICAL(), TRUE);
}

TEST(OperandText, OperatorTable) {
  const BinaryCase cases[] = {
      {"t:abc", "+", "t:def", "t:'abcdef'"}, {"t:abc", "+", "n:-12", "t:'abc-12'"},
      {"n:12", "+", "t:abc", "t:'12abc'"},   {"n:-2147483648", "+", "t:", "t:'-2147483648'"},
      {"t:abc", "==", "t:abc", "b:TRUE"},    {"t:abc", "==", "t:ABC", "b:FALSE"},  // case-sensitive
      {"t:abc", "!=", "t:abd", "b:TRUE"},    {"t:", "==", "t:", "b:TRUE"},
      {"t:abc", "+", "z:1.5", "null"},       {"z:1.5", "+", "t:abc", "null"},
      {"t:abc", "<", "t:abd", "null"},
  };
  ErrorRecorder quiet;
  for (const BinaryCase& c : cases) {
    EXPECT_EQ(Evaluate(c), c.result) << c.left << " " << c.op << " " << c.right;
  }
}

TEST(OperandText, TextFormsAndLiterals) {
  op_text text("it");
  EXPECT_EQ(Text(&text), "'it'");
  EXPECT_EQ(Sval(&text), "it");
  EXPECT_EQ(Sval(Own(new op_text("")).get()), "<null>");

  ErrorRecorder errors;
  text.setsval("'quoted'");
  EXPECT_EQ(Sval(&text), "quoted");
  text.setsval("half'");
  EXPECT_EQ(Sval(&text), "half");
  text.setsval("");
  EXPECT_EQ(errors.Last(), "value  defines no correct string");
  EXPECT_EQ(Sval(&text), "half");
}

TEST(OperandEnum, ComparesTheSelectedValue) {
  VALUE_LIST<PVMStrg> abc = Values({"a", "b", "c"});
  VALUE_LIST<PVMStrg> xb = Values({"x", "b"});
  struct Case {
    aritm* left;
    aritm* right;
    XBOOL equal;
    XBOOL notEqual;
  };
  op_enum b(1, &abc), bAgain(1, &abc), c(2, &abc), bAtSameIndex(1, &xb);
  op_enum outside(5, &abc);
  VALUE_LIST<PVMStrg> onlyB = Values({"b"});
  op_enum bFirst(0, &onlyB);
  op_text textB("b"), textC("c");
  const Case cases[] = {
      {&b, &bAgain, TRUE, FALSE},
      {&b, &c, FALSE, TRUE},
      {&b, &bAtSameIndex, TRUE, FALSE},
      {&b, &bFirst, FALSE, TRUE},  // same text, different index
      {&textB, &b, TRUE, FALSE},   // text on the left: op_enum::equal_char
      {&b, &textB, TRUE, FALSE},   // enum on the left: op_text::equal_enum
      {&textC, &b, FALSE, TRUE},
      {&textB, &outside, FALSE, FALSE},  // no selected value: neither equal nor unequal
      {&b, &outside, FALSE, FALSE},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(Own(k.left->equal(k.right))->get_LOGICAL(), k.equal)
        << Text(k.left) << " == " << Text(k.right);
    EXPECT_EQ(Own(k.left->not_equal(k.right))->get_LOGICAL(), k.notEqual)
        << Text(k.left) << " != " << Text(k.right);
  }
  EXPECT_EQ(Own(textB.equal(1, nullptr))->get_LOGICAL(), FALSE);
  EXPECT_EQ(Own(b.not_equal(1, nullptr))->get_LOGICAL(), TRUE);
}

TEST(OperandEnum, TextFormsAndLiterals) {
  VALUE_LIST<PVMStrg> abc = Values({"a", "b", "c"});
  op_enum e(1, &abc);
  EXPECT_EQ(Text(&e), "'b'");
  EXPECT_EQ(Sval(&e), "'b'");
  EXPECT_STREQ(e.get_enum_val(), "b");

  op_enum outside(3, &abc);
  PVMStrg out("kept");
  EXPECT_STREQ(outside.GetValue(out), "kept");
  EXPECT_EQ(Sval(&outside), "<null>");
  EXPECT_EQ(outside.get_enum_val(), nullptr);

  const std::pair<const char*, int> literals[] = {{"'c'", 2}, {"a", 0},  {"1", 1},         {"3", 1},
                                                  {"zzz", 1}, {"-1", 1}, {"4294967297", 1}};
  for (auto [text, index] : literals) {
    op_enum value(1, &abc);
    value.setsval(text);
    EXPECT_EQ(value.get_enum_nr(), index) << text;
  }
}

}  // namespace
