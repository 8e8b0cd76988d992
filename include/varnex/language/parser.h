// The NOVL parser driver. Statements execute while they are parsed.
#pragma once

#include <varnex/export.h>

/// Parses and executes the text of PARSEOBJECT to its end in the current world. 0 when the text
/// was accepted, 1 when the parse was aborted (a bad first statement, a malformed SCHEMA) or
/// no source is installed. Nested calls (from actions) each have their own parser state.
VARNEX_API int yyparse();

/// The parser's error hook: syntax errors in feature texts are not reported, so it does
/// nothing. Errors show to the host only as a missing result.
VARNEX_API void yyerror(const char* message);
