// Restraint texts of hand-over parameters: "{ expr; expr, ... }" split into the single
// expressions, and formula texts as the evaluator expects them.
#pragma once

#include <varnex/base/strg.h>

#include <vector>

namespace varnex::library {

/// The expressions of a restraints text: the part between the first "{" and the last "}" (the
/// whole text without braces), split at every "," and ";" outside brackets and string
/// literals; each trimmed, empty ones dropped.
std::vector<PVMStrg> SplitRestraints(const PVMStrg& restraints);

/// `text` trimmed and ending in ";".
PVMStrg AsFormula(const PVMStrg& text);

}  // namespace varnex::library
