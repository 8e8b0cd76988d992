// The checking pass over a feature text: the grammar runs with actions that execute nothing,
// block texts are checked whichever way their conditions would go, and the names a text
// calls or declares as types are compared with what the engine knows.
#include <varnex/base/strg.h>
#include <varnex/language/function_table.h>
#include <varnex/language/parser.h>
#include <varnex/language/run_limits.h>
#include <varnex/language/run_messages.h>
#include <varnex/language/syntax_check.h>
#include <varnex/model/op_scalar.h>

#include <algorithm>
#include <cctype>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "language/parse_actions.h"
#include "language/run_guard.h"
#include "language/text_lint.h"

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

// The names a text mentions as the first part of a reference, and whether it calls anything.
struct NamesUsed {
  std::set<std::string, std::less<>> names;
  bool calls = false;
};

NamesUsed NamesIn(std::string_view text) {
  NamesUsed used;
  PARSE_ATTACHMENT source(PVMStrg(text.data(), static_cast<unsigned>(text.size())),
                          PARSE_ATTACHMENT::Verbatim{});
  Token token;
  int previous = novl::END_OF_TEXT;
  for (int code; (code = ScanToken(source, token)) != novl::END_OF_TEXT; previous = code) {
    if (code == '(' && previous == novl::IDENT) {
      used.calls = true;
    }
    if (code == novl::IDENT && previous != '.') {
      used.names.insert(token.value);
    }
    if (code == novl::THIS || code == novl::HERE || code == '*' || code == novl::ON_STACK) {
      used.calls = true;  // reaches values the scan cannot follow
    }
  }
  return used;
}

// The names `body` assigns to (the first part of each "name ... :=") or declares.
std::set<std::string, std::less<>> NamesAssigned(std::string_view body) {
  std::set<std::string, std::less<>> assigned;
  PARSE_ATTACHMENT source(PVMStrg(body.data(), static_cast<unsigned>(body.size())),
                          PARSE_ATTACHMENT::Verbatim{});
  Token token;
  std::string statement_start;
  bool at_start = true;
  for (int code; (code = ScanToken(source, token)) != novl::END_OF_TEXT;) {
    if (code == novl::ASSIGN && !statement_start.empty()) {
      assigned.insert(statement_start);
    }
    if (at_start && code == novl::IDENT) {
      statement_start = token.value;
    } else if (code == ';' || code == '{' || code == '}' || code == novl::THEN ||
               code == novl::ELSE) {
      statement_start.clear();
    }
    at_start =
        code == ';' || code == '{' || code == '}' || code == novl::THEN || code == novl::ELSE;
  }
  return assigned;
}

// Whether a loop's condition may turn false: it calls something (whose answer the check cannot
// know), or names something its body assigns. A condition without names never changes.
bool ConditionCanChange(const std::string& condition, std::string_view body) {
  NamesUsed used = NamesIn(condition);
  if (used.calls) {
    return true;
  }
  std::set<std::string, std::less<>> assigned = NamesAssigned(body);
  for (const std::string& name : used.names) {
    if (assigned.contains(name)) {
      return true;
    }
  }
  return false;
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

// The names an assignment may start with inside one FUNCTION, with their declared types, and
// the attributes of the text's entities.
struct Declarations {
  std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> entities;
  std::map<std::string, std::string, std::less<>> function_scope;
  std::vector<std::string> open_entities;
  bool in_function_body = false;

  std::map<std::string, std::string, std::less<>>& current() {
    return open_entities.empty() ? function_scope : entities[open_entities.back()];
  }
};

// What every block parse of one check shares.
struct CheckContext {
  CheckContext(const TextDefinitions& definitions, const BuiltinNames& builtins,
               const NovlFunctionQuery& is_feature,
               const std::set<std::string, std::less<>>& parameters)
      : definitions(definitions),
        builtins(builtins),
        is_feature(is_feature),
        parameters(parameters) {}

  const TextDefinitions& definitions;
  const BuiltinNames& builtins;
  const NovlFunctionQuery& is_feature;
  /// Every parameter name of the text's headers (read from its tokens).
  const std::set<std::string, std::less<>>& parameters;
  std::vector<NovlFinding> found;
  int findings = 0;
  /// Whether a block was found nested too deep (reported once).
  bool too_deep = false;
  Declarations declarations;

  void report(NovlFindingKind kind, int line, std::string name, std::string detail = {}) {
    ++findings;
    found.push_back(NovlFinding{kind, line, std::move(name), std::move(detail)});
  }
};

// The attribute names a value of `type` has, or null when the check cannot know them.
const std::set<std::string, std::less<>>* ComponentsOf(const std::string& type) {
  static const std::set<std::string, std::less<>> vector{"x", "y", "z"};
  static const std::set<std::string, std::less<>> axis{"Origin", "Direction"};
  if (type == "vector") {
    return &vector;
  }
  if (type == "axis") {
    return &axis;
  }
  return nullptr;
}

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
    const std::string_view text = source_.Text();
    for (std::size_t at = source_.Position(); at < text.size(); ++at) {
      if (!std::isspace(static_cast<unsigned char>(text[at]))) {
        context_.report(NovlFindingKind::StatementsNeverRun, line(), std::string());
        return;
      }
    }
  }
  void abandonText() override {}
  void openEntity(const std::string& name) override {
    context_.declarations.open_entities.push_back(name);
    context_.declarations.entities[name];
  }
  void closeEntity() override {
    if (!context_.declarations.open_entities.empty()) {
      context_.declarations.open_entities.pop_back();
    }
  }
  void deriveAttribute(const std::string&, const std::string&) override {}
  void openFunctionBody() override { context_.declarations.in_function_body = true; }
  void closeFunction() override {
    context_.declarations.in_function_body = false;
    context_.declarations.function_scope.clear();
  }
  void assignToReference(const std::string& ref, Operand) override { checkAssignment(ref); }
  void returnValue(Operand) override {}
  void printReference(const std::string&) override {}

  void braceConditional(Operand, TextSpan block) override { checkBlock(block); }
  void thenConditional(Operand, ThenElseParts parts) override {
    checkBlock(parts.then_part);
    checkBlock(parts.else_part);
  }
  void loop(LoopParts parts) override {
    int condition_line = first_line_ - 1 + parts.condition_line;
    checkCondition(parts.condition, condition_line);
    checkBlock(parts.body);
    if (!ConditionCanChange(parts.condition, SpanText(source_, parts.body))) {
      context_.report(NovlFindingKind::UnchangingLoopCondition, condition_line, std::string());
    }
  }

  std::string declareObject(const std::string& name, const std::string& type) override {
    context_.declarations.current()[name] = type;
    return name;
  }
  std::string declareEnumeration(const std::string& name, const NameList&) override {
    context_.declarations.current()[name] = "ENUMERATION";
    return name;
  }
  std::string declareFromPrototype(const std::string& name, const std::string& type) override {
    if (!context_.definitions.entities.contains(type) &&
        !(context_.is_feature && context_.is_feature(type))) {
      context_.report(NovlFindingKind::UnknownType, line(), type);
    }
    context_.declarations.current()[name] = type;
    return name;
  }
  NameList copyDeclaration(NameList names, const std::string& declared) override {
    auto& scope = context_.declarations.current();
    auto found = scope.find(declared);
    std::string type = found != scope.end() ? found->second : std::string();
    for (const std::string& name : names) {
      scope[name] = type;
    }
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
  void checkAssignment(const std::string& ref);
  void checkBlock(const TextSpan& span);
  void checkCondition(const std::string& text, int first_line);
  void checkSource(PARSE_ATTACHMENT& block, int first_line);

  CheckContext& context_;
  PARSE_ATTACHMENT& source_;
  int first_line_;
};

// The line offset of the block being parsed, for the syntax hook of the running check.
int current_first_line = 1;

// Inside a FUNCTION body an assignment must start with a name the function declares (or one
// of the text's parameters or entities), and a component must be one the declared type has.
void CheckActions::checkAssignment(const std::string& ref) {
  Declarations& declared = context_.declarations;
  if (!declared.in_function_body || ref.empty()) {
    return;
  }
  const std::size_t dot = ref.find('.');
  const std::string base = ref.substr(0, dot);
  if (base == "__THIS__" || base == "__UP__") {
    return;
  }
  auto scoped = declared.function_scope.find(base);
  if (scoped == declared.function_scope.end()) {
    if (!context_.parameters.contains(base) && !context_.definitions.entities.contains(base)) {
      context_.report(NovlFindingKind::UndeclaredName, line(), ref);
    }
    return;
  }
  if (dot == std::string::npos) {
    return;
  }
  const std::string component = ref.substr(dot + 1, ref.find('.', dot + 1) - dot - 1);
  const std::string& type = scoped->second;
  if (const auto* components = ComponentsOf(type)) {
    if (!components->contains(component)) {
      context_.report(NovlFindingKind::UnknownAttribute, line(), ref, type);
    }
    return;
  }
  auto entity = declared.entities.find(type);
  if (entity != declared.entities.end() && !entity->second.contains(component)) {
    context_.report(NovlFindingKind::UnknownAttribute, line(), ref, type);
  }
}

void CheckActions::checkBlock(const TextSpan& span) {
  if (span.empty()) {
    return;
  }
  // The block's lines count on from the checked text's first line.
  PARSE_ATTACHMENT block(source_, span.begin, span.end, 1);
  checkSource(block, first_line_ - 1 + span.first_line);
}

void CheckActions::checkCondition(const std::string& text, int first_line) {
  PARSE_ATTACHMENT condition(PVMStrg(text.c_str()), PARSE_ATTACHMENT::Verbatim{});
  checkSource(condition, first_line);
}

void CheckActions::checkSource(PARSE_ATTACHMENT& block, int first_line) {
  NestingScope level(NestingScope::Block, GetNovlRunLimits().block_depth);
  if (!level.entered()) {
    if (!context_.too_deep) {
      context_.too_deep = true;
      context_.report(NovlFindingKind::NestedTooDeep, first_line, level.refusal());
    }
    return;
  }
  bool ran = RunWithStack([&] {
    CheckActions actions(context_, block, first_line);
    int saved = std::exchange(current_first_line, first_line);
    RunParse(block, actions);
    current_first_line = saved;
  });
  if (!ran && !context_.too_deep) {
    context_.too_deep = true;
    context_.report(NovlFindingKind::NestedTooDeep, first_line, kNoStackLeft);
  }
}

}  // namespace

void ReportSyntaxError(const ParseState& state, const std::string& message) {
  ::yyerror(message.c_str());
  const NovlSyntaxHook& hook = InstalledSyntaxHook();
  const bool reporting = NovlReportsSkipped();
  if (!hook && !reporting) {
    return;
  }
  const std::string_view text = state.source.Text();
  std::size_t begin = std::min(state.token.begin, state.source.Position());
  int line =
      state.source.GetLine() - CountLineFeeds(text.substr(begin, state.source.Position() - begin));
  if (reporting) {
    std::string near = state.token.text.empty() ? std::string("the end of the text")
                                                : "'" + state.token.text + "'";
    NovlReportSkipped("syntax error near " + near + "; the statement is skipped", line);
  }
  if (hook) {
    hook(NovlSyntaxError{message.c_str(), line, state.token.text.c_str()});
  }
}

}  // namespace varnex::language

NovlSyntaxHook SetNovlSyntaxHook(NovlSyntaxHook hook) {
  return std::exchange(varnex::language::InstalledSyntaxHook(), std::move(hook));
}

namespace varnex::language {
namespace {

// One pass of the parse over `text`; its findings go into `context`.
void ParseForFindings(const char* text, CheckContext& context) {
  // A malformed SCHEMA reports its error a second time as it gives up: one finding is enough.
  int last_line = 0;
  std::string last_token;
  NovlSyntaxHook saved = SetNovlSyntaxHook([&](const NovlSyntaxError& error) {
    int line = current_first_line - 1 + error.line;
    if (!context.found.empty() && line == last_line && last_token == error.token) {
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
}

// The header whose parameter list holds the last syntax error after `after_line` (the one that
// ended the parse), if any.
const HeaderSpan* BrokenHeader(const std::vector<NovlFinding>& found,
                               const std::vector<HeaderSpan>& headers, int after_line) {
  const NovlFinding* last = nullptr;
  for (const NovlFinding& finding : found) {
    if (finding.kind == NovlFindingKind::SyntaxError && finding.line > after_line) {
      last = &finding;
    }
  }
  for (const HeaderSpan& header : headers) {
    if (last != nullptr && last->line >= header.first_line && last->line <= header.last_line &&
        header.last_line > after_line) {
      return &header;
    }
  }
  return nullptr;
}

}  // namespace
}  // namespace varnex::language

int NovlCheckTextWith(const char* text, const ifunc_list* builtins, const NovlFindingSink& sink,
                      const NovlFunctionQuery& is_feature) {
  using namespace varnex::language;
  if (text == nullptr) {
    return 0;
  }
  TextDefinitions definitions = CollectDefinitions(text);
  BuiltinNames names(builtins);
  // The text as the parser reads it (comments removed, line breaks kept).
  PARSE_ATTACHMENT filtered(PVMStrg(text), nullptr);
  std::string readable(filtered.Text());
  TextLint lint = LintTokens(readable);
  std::vector<NovlFinding> found;
  // A syntax error in a parameter list ends the parse of the whole schema: the text is parsed
  // again with that list emptied (its line breaks kept), and the findings after the list count.
  int after_line = 0;
  for (std::size_t pass = 0; pass <= lint.headers.size(); ++pass) {
    CheckContext context(definitions, names, is_feature, lint.parameters);
    ParseForFindings(readable.c_str(), context);
    const HeaderSpan* broken = BrokenHeader(context.found, lint.headers, after_line);
    const int until = broken != nullptr ? broken->last_line : std::numeric_limits<int>::max();
    for (NovlFinding& finding : context.found) {
      if (finding.line > after_line && finding.line <= until) {
        found.push_back(std::move(finding));
      }
    }
    if (broken == nullptr) {
      break;
    }
    for (std::size_t i = broken->open + 1; i < broken->close && i < readable.size(); ++i) {
      if (readable[i] != '\n') {
        readable[i] = ' ';
      }
    }
    after_line = until;
  }
  found.insert(found.end(), lint.findings.begin(), lint.findings.end());
  std::stable_sort(found.begin(), found.end(),
                   [](const NovlFinding& a, const NovlFinding& b) { return a.line < b.line; });
  if (sink) {
    for (const NovlFinding& finding : found) {
      sink(finding);
    }
  }
  return static_cast<int>(found.size());
}
