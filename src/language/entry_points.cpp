// Formula evaluation and nested parses, the parser entry point and the interpreter's globals.
#include <varnex/language/interpreter.h>
#include <varnex/language/parse_attachment.h>
#include <varnex/language/parser.h>
#include <varnex/language/run_messages.h>
#include <varnex/model/model.h>

#include "base/scoped_restore.h"
#include "language/instance_name.h"
#include "language/interpreter_hooks.h"
#include "language/run_guard.h"
#include "language/statement_executor.h"
#include "model/operands/formula_hook.h"

// The interpreter's state, for the process: the file being parsed and the instance being
// created (set by interpret for the span of one instantiation), the internal-call switch, and
// the stream the parser reads a file from.
PVMStrg Current_File_Name;
PVMStrg instance_name;
int Intern_par_call = 1;
std::FILE* yyin = stdin;

namespace varnex::language {
namespace {

FunctionSourceFinder function_source_finder = nullptr;
DefaultVariableLookup default_variable_lookup = nullptr;

// Operands evaluate formula texts (setsval) through the interpreter.
const bool kFormulaEvaluatorInstalled = [] {
  varnex::model::SetFormulaEvaluator(&evaluate_string);
  return true;
}();

template <class T>
using Restore = varnex::base::ScopedRestore<T>;

// Formulas nest one parse inside the other as deep as their chains of names go: a deep nest
// carries on on a fresh stack.
int ParseWithNewExecutor(PARSE_ATTACHMENT& source) {
  int result = 1;
  bool ran = RunWithStack([&] {
    ParseObjectScope scope(&source);
    StatementExecutor executor;
    result = RunParse(source, executor);
  });
  if (!ran) {
    StopRun(kNoStackLeft, &source);
  }
  return result;
}

}  // namespace

FunctionSourceFinder SetFunctionSourceFinder(FunctionSourceFinder finder) {
  std::swap(function_source_finder, finder);
  return finder;
}

DefaultVariableLookup SetDefaultVariableLookup(DefaultVariableLookup lookup) {
  std::swap(default_variable_lookup, lookup);
  return lookup;
}

std::unique_ptr<PARSE_ATTACHMENT> FindFunctionSource(const char* function_name) {
  return function_source_finder ? function_source_finder(function_name) : nullptr;
}

bool LookupDefaultVariable(const char* name, PVMStrg& formula) {
  return default_variable_lookup != nullptr && default_variable_lookup(name, formula);
}

const char* CurrentInstanceName() {
  return instance_name.GetpStr();
}

namespace {

// Runs `source` as a block of the parse `enclosing` runs, one block level deeper.
void ParseBlock(PARSE_ATTACHMENT& source, StatementExecutor& enclosing) {
  NestingScope level(NestingScope::Block, GetNovlRunLimits().block_depth);
  if (!level.entered()) {
    StopRun(level.refusal(), PARSEOBJECT);
    return;
  }
  bool ran = RunWithStack([&] {
    Restore<std::FILE*> keep_yyin(yyin);
    yyin = nullptr;
    ParseObjectScope scope(&source);
    StatementExecutor executor(enclosing);
    RunParse(source, executor);
  });
  if (!ran) {
    StopRun(kNoStackLeft, PARSEOBJECT);
  }
}

}  // namespace

void SubparseBlock(const TextSpan& span, StatementExecutor& enclosing) {
  if (PARSEOBJECT == nullptr || RunStopping()) {
    return;
  }
  PARSE_ATTACHMENT source(*PARSEOBJECT, span.begin, span.end, span.first_line);
  ParseBlock(source, enclosing);
}

void SubparseText(const std::string& text, StatementExecutor& enclosing) {
  if (RunStopping()) {
    return;
  }
  PARSE_ATTACHMENT source(PVMStrg(text.c_str()), PARSEOBJECT);
  ParseBlock(source, enclosing);
}

}  // namespace varnex::language

int yyparse() {
  if (PARSEOBJECT == nullptr) {
    return 1;
  }
  // A feature's text: its statements report what they skip.
  varnex::language::ReportingScope reporting(true);
  varnex::language::StatementExecutor executor;
  return varnex::language::RunParse(*PARSEOBJECT, executor);
}

int subparse(const char* arg) {
  if (arg == nullptr) {
    return 1;
  }
  std::unique_ptr<PARSE_ATTACHMENT> source =
      yyin == nullptr ? std::make_unique<PARSE_ATTACHMENT>(PVMStrg(arg), PARSEOBJECT)
                      : varnex::language::FindFunctionSource(arg);
  if (!source) {
    return 1;
  }
  // A called feature's text reports what it skips; a formula text keeps the setting.
  varnex::language::ReportingScope reporting(yyin != nullptr || NovlReportsSkipped());
  varnex::language::ParseWithNewExecutor(*source);
  return 0;
}

aritm* evaluate_string(const char* text) {
  using varnex::language::Restore;
  if (text == nullptr) {
    return nullptr;
  }
  // hand_over may grow during the parse: keep its entry by value, not by reference.
  struct KeepResult {
    aritm* saved = hand_over[0];
    ~KeepResult() { hand_over[0] = saved; }
  } keep_result;
  Restore<nullwelt*> keep_previous(previous_world);
  Restore<nullwelt*> keep_world(anfang);
  Restore<std::FILE*> keep_yyin(yyin);
  hand_over[0] = nullptr;
  // A formula evaluated for its value: what it cannot resolve shows as a missing value.
  varnex::language::ReportingScope silent(false);
  previous_world = anfang;
  anfang = anfang != nullptr ? anfang->get_inertial_world() : nullptr;
  yyin = nullptr;
  subparse(text);
  return hand_over[0];
}
