// The NOVL parser's error hook.
#pragma once

#include <varnex/export.h>

/// The parser's error hook: syntax errors in feature texts are not reported, so it does
/// nothing. Errors show to the host only as a missing result.
VARNEX_API void yyerror(const char* message);
