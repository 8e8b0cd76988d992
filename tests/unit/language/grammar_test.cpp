// The parser alone: grouping, the points where rules act, error recovery and nested parses,
// watched through a recorder in place of statement execution. Every operand the recorder makes
// is an op_text holding the expression as grouped by the parser.
#include <gtest/gtest.h>
#include <varnex/language/parse_attachment.h>
#include <varnex/model/model.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "language/parse_actions.h"

namespace {

using namespace varnex::language;

std::string TextOf(const Operand& operand) {
  return operand ? static_cast<op_text*>(operand.get())->text() : "null";
}

Operand Text(const std::string& text) {
  return Operand(new op_text(text.c_str()));
}

std::string Join(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) {
    joined += (joined.empty() ? "" : ",") + name;
  }
  return joined;
}

const char* OperatorText(BinaryOp op) {
  static const char* const kTexts[] = {"+",  "-",  "*", "/",  "%",  "<",  ">",
                                       "<=", ">=", "=", "!=", "&&", "||", "^"};
  return kTexts[static_cast<int>(op)];
}

// Records what the rules do. Names beginning with "unknown" do not resolve. A brace block is
// parsed with a nested recorder when nest_blocks is set.
class Recorder : public ParseActions {
 public:
  explicit Recorder(PARSE_ATTACHMENT& source) : source_(source) {}

  std::vector<std::string> log;
  bool nest_blocks = false;

  void handOverFormula(Operand value) override { Log("formula " + TextOf(value)); }
  void abandonText() override { Log("abandon"); }
  void openEntity(const std::string& name) override { Log("entity " + name); }
  void closeEntity() override { Log("end entity"); }
  void deriveAttribute(const std::string& name, const std::string& type) override {
    Log("derive " + name + ":" + type);
  }
  void openFunctionBody() override { Log("body"); }
  void assignToReference(const std::string& ref, Operand value) override {
    Log(ref + " := " + TextOf(value));
  }
  void returnValue(Operand value) override { Log("return " + TextOf(value)); }
  void printReference(const std::string& ref) override { Log("print " + ref); }
  void braceConditional(Operand condition, TextSpan block) override {
    Log("if " + TextOf(condition) + " {" + Span(block) + "}");
    if (nest_blocks) {
      PARSE_ATTACHMENT source(source_, block.begin, block.end, block.first_line);
      Recorder inner(source);
      RunParse(source, inner);
      for (const std::string& line : inner.log) {
        Log("  " + line);
      }
    }
  }
  void thenConditional(Operand condition, ThenElseParts parts) override {
    Log("if " + TextOf(condition) + " then{" + Span(parts.then_part) + "}else{" +
        Span(parts.else_part) + "}");
  }
  void loop(LoopParts parts) override {
    Log("while{" + parts.condition + "}{" + Span(parts.body) + "}");
  }
  std::string declareObject(const std::string& name, const std::string& type) override {
    Log("declare " + name + ":" + type);
    return name;
  }
  std::string declareEnumeration(const std::string& name, const NameList& values) override {
    Log("declare " + name + ":enum(" + Join(values) + ")");
    return name;
  }
  std::string declareFromPrototype(const std::string& name, const std::string& prototype) override {
    Log("declare " + name + ":" + prototype);
    return name;
  }
  NameList copyDeclaration(NameList names, const std::string& declared) override {
    Log("copy " + declared + " to " + Join(names));
    names.push_back(declared);
    return names;
  }
  NameList bindParameters(NameList header, const NameList& group, Operand default_value,
                          bool first_group) override {
    Log(std::string(first_group ? "first " : "") + "group " + Join(group) + " = " +
        TextOf(default_value));
    header.insert(header.end(), group.begin(), group.end());
    return header;
  }
  Operand callFunction(const std::string& name, OperandList arguments) override {
    std::vector<std::string> texts;
    for (const Operand& argument : arguments) {
      texts.push_back(TextOf(argument));
    }
    return Text(name + "(" + Join(texts) + ")");
  }
  Operand onStack() override { return Text("on_stack"); }
  Operand binary(BinaryOp op, Operand left, Operand right) override {
    return Text("(" + TextOf(left) + " " + OperatorText(op) + " " + TextOf(right) + ")");
  }
  Operand logicalNot(Operand operand) override { return Text("!" + TextOf(operand)); }
  Operand negate(Operand operand) override { return Text("-" + TextOf(operand)); }
  Operand dereference(Operand operand) override { return Text("*" + TextOf(operand)); }
  Operand staticComparison(Operand operand) override {
    return Text("(" + TextOf(operand) + " = STATIC)");
  }
  Operand textConstant(const std::string& text) override { return Text("'" + text + "'"); }
  Operand logicalConstant(int value) override { return Text(value ? "TRUE" : "FALSE"); }
  Operand integerConstant(int value) override { return Text(std::to_string(value)); }
  Operand realConstant(double value) override {
    std::ostringstream out;
    out << value << "r";
    return Text(out.str());
  }
  Operand vectorValue(Operand x, Operand y, Operand z) override {
    return Text("[" + TextOf(x) + "," + TextOf(y) + "," + TextOf(z) + "]");
  }
  Operand axisValue(Operand origin, Operand direction) override {
    return Text("[" + TextOf(origin) + "," + TextOf(direction) + "]");
  }
  Operand referenceValue(const std::string& ref) override {
    return ref.rfind("unknown", 0) == 0 ? nullptr : Text(ref);
  }
  Operand emptyOperand() override { return Text("NULL"); }
  std::string thisName() override { return "<this>"; }
  std::string hereName() override { return "<here>"; }

 private:
  void Log(const std::string& line) { log.push_back(line); }
  std::string Span(const TextSpan& span) const { return std::string(SpanText(source_, span)); }

  PARSE_ATTACHMENT& source_;
};

struct Parsed {
  int result;
  std::vector<std::string> log;
};

Parsed Parse(const std::string& text, bool nest_blocks = false) {
  PARSE_ATTACHMENT source(PVMStrg(text.c_str()), nullptr);
  Recorder recorder(source);
  recorder.nest_blocks = nest_blocks;
  int result = RunParse(source, recorder);
  return {result, recorder.log};
}

std::string Formula(const std::string& text) {
  Parsed parsed = Parse(text);
  return parsed.log.size() == 1 ? parsed.log[0] : "result " + std::to_string(parsed.result);
}

struct GroupingCase {
  const char* text;
  const char* grouped;
};

TEST(Grammar, OperatorGrouping) {
  const GroupingCase cases[] = {
      {"a + b % c + d;", "(a + (b % (c + d)))"},
      {"a && b || c;", "(a && (b || c))"},
      {"!a && b;", "!(a && b)"},
      {"a + b = c;", "(a + (b = c))"},
      {"a = b + c;", "((a = b) + c)"},
      {"a < b + c;", "((a < b) + c)"},
      {"a - b - c;", "((a - b) - c)"},
      {"a + b * c - d / e;", "((a + (b * c)) - (d / e))"},
      {"-a * b;", "(-a * b)"},
      {"-a + b;", "(-a + b)"},
      {"-a = b;", "-(a = b)"},
      {"*a * b;", "(*a * b)"},
      {"a != b + c;", "(a != (b + c))"},
      {"a * b ^ c * d;", "(a * (b ^ (c * d)))"},
      {"a = STATIC + 1;", "((a = STATIC) + 1)"},
      {"(a + b) % c;", "((a + b) % c)"},
      {"[1, 2.5, x.y.z];", "[1,2.5r,x.y.z]"},
      {"[[0,0,0], v];", "[[0,0,0],v]"},
      {"f(a, g(), h(1 + 2)) + on_stack(x);", "(f(a,g(),h((1 + 2))) + on_stack)"},
      {"'it\\'s' + TRUE + NULL + HERE.x + this;",
       "(((('it's' + TRUE) + NULL) + <here>.x) + <this>)"},
  };
  for (const GroupingCase& c : cases) {
    EXPECT_EQ(Formula(c.text), std::string("formula ") + c.grouped) << c.text;
  }
}

TEST(Grammar, ChainedEqualsIsASyntaxError) {
  Parsed parsed = Parse("a = b = c; x := 1;");
  EXPECT_EQ(parsed.result, 1);
  EXPECT_EQ(parsed.log, std::vector<std::string>{"abandon"});
}

TEST(Grammar, TwoHundredNestedParentheses) {
  std::string text = std::string(200, '(') + "a" + std::string(200, ')') + ";";
  EXPECT_EQ(Formula(text), "formula a");
}

TEST(Grammar, FirstExpressionStatementEndsTheParse) {
  Parsed parsed = Parse("2 + 3; x := 1; this is not even valid");
  EXPECT_EQ(parsed.result, 0);
  EXPECT_EQ(parsed.log, std::vector<std::string>{"formula (2 + 3)"});
}

TEST(Grammar, EmptyTextIsAccepted) {
  EXPECT_EQ(Parse("").result, 0);
  EXPECT_EQ(Parse("  -- only a comment\n").log.size(), 0u);
}

struct RecoveryCase {
  const char* name;
  std::string text;
  int result;
  std::vector<std::string> log;
};

TEST(Grammar, ErrorRecovery) {
  const std::string overlong(novl::kMaxTokenLength + 1, 'n');
  const RecoveryCase cases[] = {
      {"bad second statement", "x := 1; y := 1 +* ; z := 3;", 0, {"x := 1", "z := 3"}},
      {"unknown name", "x := 1; y := unknown_1 + 2; z := 3;", 0, {"x := 1", "z := 3"}},
      {"overlong token", "x := 1; y := " + overlong + "; z := 3;", 0, {"x := 1", "z := 3"}},
      {"bad first statement", "y := +; x := 1; z := 2;", 1, {"abandon"}},
      {"unknown name first", "y := unknown; x := 1;", 1, {"abandon"}},
      {"carriage return", "x := 1;\r\ny := 2;\nz := 3;", 0, {"x := 1", "z := 3"}},
      {"error at the end", "x := 1; y := ", 1, {"x := 1"}},
      {"bad schema", "SCHEMA s; oops END_SCHEMA;", 1, {}},
      {"bad statement in a function body",
       "SCHEMA s; FUNCTION f () : f; x := 1; y := + ; z := 2; END_FUNCTION; END_SCHEMA;",
       0,
       {"body", "x := 1", "z := 2"}},
      // After a SCHEMA only further schemas may follow: a statement is a malformed schema.
      {"statement after a schema",
       "SCHEMA s; FUNCTION f () : f; x := 1; END_FUNCTION; END_SCHEMA; y := 2;",
       1,
       {"body", "x := 1"}},
  };
  for (const RecoveryCase& c : cases) {
    Parsed parsed = Parse(c.text);
    EXPECT_EQ(parsed.result, c.result) << c.name;
    EXPECT_EQ(parsed.log, c.log) << c.name;
  }
}

TEST(Grammar, BlocksAreReadRightAfterTheirOpeningToken) {
  Parsed parsed = Parse(
      "x := 1; if (c){a := 1;}; if (d) then b := 2; else b := 3; endif; "
      "dowhile (i < f(3)) {i := i + 1;}; z := 2;");
  EXPECT_EQ(parsed.result, 0);
  EXPECT_EQ(parsed.log, (std::vector<std::string>{"x := 1", "if c {a := 1;}",
                                                  "if d then{ b := 2; }else{ b := 3; }",
                                                  "while{i < f(3);}{i := i + 1;}", "z := 2"}));
}

TEST(Grammar, NestedParseLeavesTheOuterParseIntact) {
  Parsed parsed =
      Parse("x := 1; if (c) { a := 1; y := unknown; if (d) { b := 2; }; }; z := 2;", true);
  EXPECT_EQ(parsed.log, (std::vector<std::string>{
                            "x := 1", "if c { a := 1; y := unknown; if (d) { b := 2; }; }",
                            "  a := 1", "  if d { b := 2; }", "z := 2"}));
}

TEST(Grammar, Declarations) {
  Parsed parsed = Parse(
      "LOCAL a : distance; b, c, d : NUMBER; e : ENUMERATION OF (p, q, p); f : feature_x; "
      "END_LOCAL; g : LOGIC := 1 + 2; PRINT a.x;");
  EXPECT_EQ(parsed.result, 0);
  EXPECT_EQ(parsed.log,
            (std::vector<std::string>{"declare a:distance", "declare d:NUMBER", "copy d to b,c",
                                      "declare e:enum(p,q,p)", "declare f:feature_x",
                                      "declare g:LOGIC", "print a.x"}));
}

std::string ReadData(const char* name) {
  std::ifstream in(std::string(VARNEX_TEST_DATA) + "/language/" + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(Grammar, SchemaWithEntityAndFunction) {
  Parsed parsed = Parse(ReadData("plate.NVL"));
  EXPECT_EQ(parsed.result, 0);
  EXPECT_EQ(
      parsed.log,
      (std::vector<std::string>{
          "entity feature_plate", "declare width:distance", "declare feature_shape:geometric",
          "derive area:distance", "end entity", "declare depth:distance", "copy depth to width",
          "first group width,depth = 10r", "declare count:NUMBER", "group count = null", "body",
          "declare object:feature_plate", "if (width > 5) {\n object.width := width;\n }",
          "object.feature_shape := create_cube(width,depth,1r)", "return object"}));
}

}  // namespace
