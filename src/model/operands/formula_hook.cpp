// The installed formula evaluator (see formula_hook.h).
#include "model/operands/formula_hook.h"

#include <utility>

namespace varnex::model {
namespace {
// Installed once by the language's entry points at start-up; lives for the process.
FormulaEvaluator installed = nullptr;
}  // namespace

FormulaEvaluator SetFormulaEvaluator(FormulaEvaluator evaluator) {
  return std::exchange(installed, evaluator);
}

aritm* EvaluateFormula(const char* formula) {
  return installed != nullptr && formula != nullptr ? installed(formula) : nullptr;
}

}  // namespace varnex::model
