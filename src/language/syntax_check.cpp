// The checking pass over a feature text: the grammar runs with actions that execute nothing,
// block texts are checked whichever way their conditions would go, and the names a text
// calls or declares as types are compared with what the engine knows.
#include <varnex/base/strg.h>
#include <varnex/language/function_table.h>
#include <varnex/language/parser.h>
#include <varnex/language/syntax_check.h>
#include <varnex/model/op_scalar.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <utility>

#include "language/parse_actions.h"

namespace varnex::language {
namespace {

NovlSyntaxHook& InstalledSyntaxHook() {
  static NovlSyntaxHook hook;
  return hook;
}

int CountLineFeeds(std::string_view text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// The names a text defines for itself: its ENTITY and FUNCTION names.
struct TextDefinitions {
  std::set<std::string, std::less<>> entities;
  std::set<std::string, std::less<>> functions;
};

TextDefinitions CollectDefinitions(const char* text) {
  TextDefinitions found;
  PARSE_ATTACHMENT source(PVMStrg(text), nullptr);
  Token token;
  int previous = novl::END_OF_TEXT;
  for (int code; (code = ScanToken(source, token)) != novl::END_OF_TEXT; previous = code) {
    if (code == novl::IDENT && previous == novl::ENTITY) {
      found.entities.insert(token.value);
    } else if (code == novl::IDENT && previous == novl::FUNCTION) {
      found.functions.insert(token.value);
    }
  }
  return found;
}

// The built-ins a call may name.
class BuiltinNames {
 public:
  explicit BuiltinNames(const ifunc_list* table) : table_(table) {}
  bool knows(const std::string& name) const {
    return table_ != nullptr && table_->find(name.c_str()) != nullptr;
  }

 private:
  const ifunc_list* table_;
};

// What every block parse of one check shares.
struct CheckContext {
  const TextDefinitions& definitions;
  const BuiltinNames& builtins;
  const NovlFindingSink& sink;
  const NovlFunctionQuery& is_feature;
  int findings = 0;

  void report(NovlFindingKind kind, int line, std::string name) {
    ++findings;
    if (sink) {
      sink(NovlFinding{kind, line, std::move(name)});
    }
  }
};

Operand Placeholder() {
  return Operand(new op_number(0));
}

// Actions that keep the parser going and execute nothing. `first_line` is the line of the
// parsed text's first line within the checked text.
class CheckActions : public ParseActions {
 public:
  CheckActions(CheckContext& context, PARSE_ATTACHMENT& source, int first_line)
      : context_(context), source_(source), first_line_(first_line) {}

  int line() const { return first_line_ - 1 + source_.GetLine(); }

  // A leading expression statement ends its text: whatever follows it never runs.
  void handOverFormula(Operand) override {
    const PVMStrg& text = source_.SourceCode();
    for (std::size_t at = source_.Position(); at < text.Length(); ++at) {
      if (!std::isspace(static_cast<unsigned char>(text.At(static_cast<unsigned>(at))))) {
        context_.report(NovlFindingKind::StatementsNeverRun, line(), std::string());
        return;
      }
    }
  }
  void abandonText() override {}
  void openEntity(const std::string&) override {}
  void closeEntity() override {}
  void deriveAttribute(const std::string&, const std::string&) override {}
  void openFunctionBody() override {}
  void assignToReference(const std::string&, Operand) override {}
  void returnValue(Operand) override {}
  void printReference(const std::string&) override {}

  // The block ends at the parser's read position; its first line lies that many line feeds up.
  void braceConditional(Operand, std::string block) override {
    checkBlock(block, line() - CountLineFeeds(block));
  }
  void thenConditional(Operand, ThenElseParts parts) override {
    int else_line = line() - CountLineFeeds(parts.else_part);
    checkBlock(parts.then_part, else_line - CountLineFeeds(parts.then_part));
    checkBlock(parts.else_part, else_line);
  }
  void loop(LoopParts parts) override {
    int body_line = line() - CountLineFeeds(parts.body);
    checkBlock(parts.condition, body_line - CountLineFeeds(parts.condition));
    checkBlock(parts.body, body_line);
  }

  std::string declareObject(const std::string& name, const std::string&) override { return name; }
  std::string declareEnumeration(const std::string& name, const NameList&) override { return name; }
  std::string declareFromPrototype(const std::string& name, const std::string& type) override {
    if (!context_.definitions.entities.contains(type) &&
        !(context_.is_feature && context_.is_feature(type))) {
      context_.report(NovlFindingKind::UnknownType, line(), type);
    }
    return name;
  }
  NameList copyDeclaration(NameList names, const std::string& declared) override {
    return Appended(std::move(names), declared);
  }
  NameList bindParameters(NameList header, const NameList& group, Operand, bool) override {
    header.insert(header.end(), group.begin(), group.end());
    return header;
  }

  Operand callFunction(const std::string& name, OperandList) override {
    if (!isCallable(name)) {
      context_.report(NovlFindingKind::UnknownFunction, line(), name);
    }
    return Placeholder();
  }
  Operand onStack() override { return Placeholder(); }
  Operand binary(BinaryOp, Operand, Operand) override { return Placeholder(); }
  Operand logicalNot(Operand) override { return Placeholder(); }
  Operand negate(Operand) override { return Placeholder(); }
  Operand dereference(Operand) override { return Placeholder(); }
  Operand staticComparison(Operand) override { return Placeholder(); }
  Operand textConstant(const std::string&) override { return Placeholder(); }
  Operand logicalConstant(int) override { return Placeholder(); }
  Operand integerConstant(int) override { return Placeholder(); }
  Operand realConstant(double) override { return Placeholder(); }
  Operand vectorValue(Operand, Operand, Operand) override { return Placeholder(); }
  Operand axisValue(Operand, Operand) override { return Placeholder(); }
  Operand referenceValue(const std::string&) override { return Placeholder(); }
  Operand emptyOperand() override { return Placeholder(); }
  std::string thisName() override { return std::string(); }
  std::string hereName() override { return std::string(); }

 private:
  bool isCallable(const std::string& name) const {
    return context_.builtins.knows(name) || context_.definitions.functions.contains(name) ||
           (context_.is_feature && context_.is_feature(name));
  }
  void checkBlock(const std::string& text, int first_line);

  CheckContext& context_;
  PARSE_ATTACHMENT& source_;
  int first_line_;
};

// The line offset of the block being parsed, for the syntax hook of the running check.
int current_first_line = 1;

void CheckActions::checkBlock(const std::string& text, int first_line) {
  if (text.empty()) {
    return;
  }
  PARSE_ATTACHMENT block(PVMStrg(text.c_str()), PARSE_ATTACHMENT::Verbatim{});
  CheckActions actions(context_, block, first_line);
  int saved = std::exchange(current_first_line, first_line);
  RunParse(block, actions);
  current_first_line = saved;
}

}  // namespace

void ReportSyntaxError(const ParseState& state, const std::string& message) {
  ::yyerror(message.c_str());
  const NovlSyntaxHook& hook = InstalledSyntaxHook();
  if (!hook) {
    return;
  }
  const std::string_view text(state.source.SourceCode().GetpStr(),
                              state.source.SourceCode().Length());
  std::size_t begin = std::min(state.token.begin, state.source.Position());
  int line =
      state.source.GetLine() - CountLineFeeds(text.substr(begin, state.source.Position() - begin));
  hook(NovlSyntaxError{message.c_str(), line, state.token.text.c_str()});
}

}  // namespace varnex::language

NovlSyntaxHook SetNovlSyntaxHook(NovlSyntaxHook hook) {
  return std::exchange(varnex::language::InstalledSyntaxHook(), std::move(hook));
}

int NovlCheckTextWith(const char* text, const ifunc_list* builtins, const NovlFindingSink& sink,
                      const NovlFunctionQuery& is_feature) {
  using namespace varnex::language;
  if (text == nullptr) {
    return 0;
  }
  TextDefinitions definitions = CollectDefinitions(text);
  BuiltinNames names(builtins);
  CheckContext context{definitions, names, sink, is_feature};
  // A malformed SCHEMA reports its error a second time as it gives up: one finding is enough.
  int last_line = 0;
  std::string last_token;
  NovlSyntaxHook saved = SetNovlSyntaxHook([&](const NovlSyntaxError& error) {
    int line = current_first_line - 1 + error.line;
    if (context.findings > 0 && line == last_line && last_token == error.token) {
      return;
    }
    last_line = line;
    last_token = error.token;
    context.report(NovlFindingKind::SyntaxError, line, error.token);
  });
  PARSE_ATTACHMENT source(PVMStrg(text), nullptr);
  CheckActions actions(context, source, 1);
  RunParse(source, actions);
  SetNovlSyntaxHook(std::move(saved));
  return context.findings;
}
