// Seams to the feature library, which is built above the language: it installs these at
// start-up. Without them a call by function name finds no feature and names are never
// default parameter variables.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/language/parse_attachment.h>

#include <memory>

namespace varnex::language {

/// A text source over the feature whose function name is `function_name`; null when the
/// library holds no such feature.
using FunctionSourceFinder = std::unique_ptr<PARSE_ATTACHMENT> (*)(const char* function_name);

/// When `name` is a default parameter variable, writes the formula that stands for it into
/// `formula` and returns true.
using DefaultVariableLookup = bool (*)(const char* name, PVMStrg& formula);

/// Each returns the previous hook; null removes the hook.
FunctionSourceFinder SetFunctionSourceFinder(FunctionSourceFinder finder);
DefaultVariableLookup SetDefaultVariableLookup(DefaultVariableLookup lookup);

std::unique_ptr<PARSE_ATTACHMENT> FindFunctionSource(const char* function_name);
bool LookupDefaultVariable(const char* name, PVMStrg& formula);

}  // namespace varnex::language
