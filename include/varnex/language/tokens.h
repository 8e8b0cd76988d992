// Token codes of the feature language NOVL, as yylex() returns them. Codes below 256 are single
// characters standing for themselves; 0 is the end of the text.
#pragma once

namespace novl {

// ORDER TOKENS: these codes, the scanner's keyword table and the grammar's %token list must
// agree; stored formulas and the feature library's own text readers rely on the numbers.
enum Token : int {
  END_OF_TEXT = 0,
  LOGICAL_CONST = 257,
  INTEGER_CONST = 258,
  REAL_CONST = 259,
  IDENT = 260,
  TYPE_NAME = 261,
  ASSIGN = 262,
  WHERE = 263,
  DERIVE = 264,
  SCHEMA = 265,
  END_SCHEMA = 266,
  ENTITY = 267,
  END_ENTITY = 268,
  FUNCTION = 269,
  END_FUNCTION = 270,
  LOCAL = 271,
  END_LOCAL = 272,
  RETURN = 273,
  PRINT = 274,
  STRING_CONST = 275,
  ON_STACK = 276,
  STATIC = 277,
  IF = 278,
  ELSE = 279,
  DOWHILE = 280,
  THIS = 281,
  HERE = 282,
  NULL_KW = 283,
  ENUMERATION_OF = 284,
  RESTRICTED_TO = 285,
  THEN = 286,
  ENDIF = 287,
  OR_OP = 288,
  XOR_OP = 289,
  AND_OP = 290,
  NE_OP = 291,
  NOT_OP = 292,
  LE_OP = 293,
  GE_OP = 294,
  /// A token the language cannot take: an identifier or number of more than kMaxTokenLength
  /// characters, or a number out of the range of its type (an integer above 2147483647, a real
  /// above the largest double). The parser treats it as a syntax error.
  BAD_TOKEN = 295,
};

/// The longest identifier, number or keyword the scanner accepts (string literals are
/// unbounded).
inline constexpr int kMaxTokenLength = 400;

}  // namespace novl
