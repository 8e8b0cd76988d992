// The scanner's interface for the rest of the engine: yylex() over the current PARSEOBJECT, and
// the token-scanning functions that pick formula texts apart and rename identifiers in them.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/export.h>
#include <varnex/language/tokens.h>

/// The value of the token yylex() returned last.
struct VARNEX_API LexValue {
  /// LOGICAL_CONST (1/0) and INTEGER_CONST.
  int integer = 0;
  /// REAL_CONST.
  double real = 0.0;
  /// IDENT, TYPE_NAME, ENUMERATION_OF, RESTRICTED_TO, and the characters of a STRING_CONST.
  PVMStrg text;
};

/// The characters of the token yylex() returned last, as written (a string literal with its
/// quotes).
extern VARNEX_API PVMStrg yytext;
extern VARNEX_API LexValue yylval;

/// The next token of PARSEOBJECT (novl::Token or a character code); 0 at the end of the text or
/// when no source is installed.
VARNEX_API int yylex();

/// Appends the text of every token to `out` until `stop` is read (not appended); string
/// literals keep their quotes; blanks between tokens are dropped. Returns the stop token, or 0
/// at the end of the text.
VARNEX_API int ScanToToken(PVMStrg& out, int stop);
/// As above with a zero-terminated list of stop tokens.
VARNEX_API int ScanToToken(PVMStrg& out, const int* stops);
/// As ScanToToken, but a stop token counts only outside brackets: "(", "[" and "{" open,
/// ")", "]" and "}" close (a token is tested before it changes the depth).
VARNEX_API int ReadToToken(PVMStrg& out, int stop);
VARNEX_API int ReadToToken(PVMStrg& out, const int* stops);

/// Splits "[" x "," y "," z "]" (then the end or ";") into the component texts out[0..2] (each
/// read with ReadToToken). Returns the text's characters on success; null otherwise, `out`
/// untouched. PARSEOBJECT is unchanged afterwards.
VARNEX_API const char* SeparateVectorComponents(PVMStrg& text, PVMStrg* out);
/// The same for "[" origin "," direction "]" into out[0..1].
VARNEX_API const char* SeparateAxisComponents(PVMStrg& text, PVMStrg* out);
/// The same splits; 1 on success, 0 otherwise.
VARNEX_API int VectorComponentSeparation(PVMStrg& text, PVMStrg* out);
VARNEX_API int AxisComponentSeparation(PVMStrg& text, PVMStrg* out);

/// Replaces in `text` every identifier equal to `old_name` by `new_name`; of a dotted name only
/// the first component is compared. Everything else, layout, comments and string literals
/// included, stays as it was. Returns the number of replacements.
VARNEX_API int ReplaceToken(PVMStrg& text, const PVMStrg& old_name, const PVMStrg& new_name);
