// The formula evaluator operands use for texts containing ';'. The language subsystem installs
// its evaluate_string at start-up; the model layer does not depend on the language.
#pragma once

class aritm;

namespace varnex::model {

/// Evaluates a formula text; returns a new operand the caller owns, or null.
using FormulaEvaluator = aritm* (*)(const char* formula);

/// Installs `evaluator` (null removes it); returns the previous one.
FormulaEvaluator SetFormulaEvaluator(FormulaEvaluator evaluator);
/// The installed evaluator's result; null when none is installed or the text yields nothing.
aritm* EvaluateFormula(const char* formula);

}  // namespace varnex::model
