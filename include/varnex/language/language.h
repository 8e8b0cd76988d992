// The language front end's public headers.
#pragma once

#include <varnex/language/function_table.h>
#include <varnex/language/interpreter.h>
#include <varnex/language/lexer.h>
#include <varnex/language/parse_attachment.h>
#include <varnex/language/parser.h>
#include <varnex/language/run_limits.h>
#include <varnex/language/run_messages.h>
#include <varnex/language/syntax_check.h>
#include <varnex/language/tokens.h>
