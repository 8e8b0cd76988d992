// The built-in functions of NOVL: filling the interpreter's table with every handler, the hook
// through which the printing built-ins reach a host, and the checking pass over a feature text
// against the engine's own built-in names.
#pragma once

#include <varnex/export.h>
#include <varnex/language/function_table.h>
#include <varnex/language/syntax_check.h>

#include <functional>

/// Registers every built-in in NOVL_functions, in their fixed order. Returns the number of
/// names in the table, or -1 when the table does not exist.
VARNEX_API int fill_method_table();

/// Receives the text of the printing built-ins ("mesprint", "valprint", "vecprint",
/// "tmprint"), one call per printed line without line end.
using NovlPrintSink = std::function<void(const char* line)>;
/// Installs `sink` (an empty function removes it) and returns the previous one. Without a sink
/// the printing built-ins produce no output.
VARNEX_API NovlPrintSink SetNovlPrintSink(NovlPrintSink sink);

/// NovlCheckTextWith against the loaded table (NOVL_functions), or against a private full table
/// when none is loaded.
VARNEX_API int NovlCheckText(const char* text, const NovlFindingSink& sink,
                             const NovlFunctionQuery& is_feature = {});
