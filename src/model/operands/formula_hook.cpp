// The installed formula evaluator (see formula_hook.h).
#include "model/operands/formula_hook.h"

#include <utility>

namespace varnex::model {
namespace {
FormulaEvaluator installed = nullptr;
}  // namespace

FormulaEvaluator SetFormulaEvaluator(FormulaEvaluator evaluator) {
  return std::exchange(installed, evaluator);
}

aritm* EvaluateFormula(const char* formula) {
  return installed != nullptr && formula != nullptr ? installed(formula) : nullptr;
}

}  // namespace varnex::model
