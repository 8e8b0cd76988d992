// The grammar of NOVL. Statements run while they are parsed: every rule with an action calls
// one function of ParseActions (parse_actions.h) when it is reduced.
//
// Operators without precedence ('%', NE_OP, AND_OP, OR_OP, XOR_OP, NOT_OP) are meant to be
// resolved by shifting: each takes everything to its right that forms an expression as its
// right operand. The %expect counts are those shifts.

%require "3.8"
%language "c++"
%skeleton "lalr1.cc"
%define api.namespace {varnex::language}
%define api.parser.class {Parser}
%define api.value.type variant
%define parse.error simple
// Reduce without a look-ahead only where no token could be shifted instead. A statement with a
// bad token is then refused before its assignment or RETURN runs ("x := n $ + 1;" assigns
// nothing), and the raw-text reads still find the block right after the token that opens it.
%define lr.default-reduction consistent
%parse-param {ParseState& state}
%lex-param {ParseState& state}
%expect 284


%code requires {
#include <string>

#include "language/parse_actions.h"
}

%code {
#include <cassert>

#include <varnex/language/parser.h>
#include <varnex/language/tokens.h>

namespace varnex::language {
/// The scanner as the parser sees it: the next token of the parse's source.
int yylex(Parser::value_type* value, ParseState& state);
}  // namespace varnex::language

#define ACT state.actions
// The raw-text readers take the characters right after the token just shifted; a look-ahead
// taken before them would be lost from the block text.
#define RAW_SOURCE (assert(yyla.empty() && "look-ahead taken before a raw-text read"), state.source)
}

// ORDER TOKENS: the codes of tokens.h.
%token <int> LOGICAL_CONST 257 INTEGER_CONST 258
%token <double> REAL_CONST 259
%token <std::string> IDENT 260 TYPE_NAME 261
%token ASSIGN 262 WHERE 263 DERIVE 264 SCHEMA 265 END_SCHEMA 266 ENTITY 267 END_ENTITY 268
%token FUNCTION 269 END_FUNCTION 270 LOCAL 271 END_LOCAL 272 RETURN 273 PRINT 274
%token <std::string> STRING_CONST 275
%token ON_STACK 276 STATIC 277 IF 278 ELSE 279 DOWHILE 280 THIS 281 HERE 282 NULL_KW 283
%token <std::string> ENUMERATION_OF 284 RESTRICTED_TO 285
%token THEN 286 ENDIF 287 OR_OP 288 XOR_OP 289 AND_OP 290 NE_OP 291 NOT_OP 292 LE_OP 293
%token GE_OP 294 BAD_TOKEN 295

%nterm <std::string> type attr_decl ref
%nterm <NameList> name_list decl param_list param_groups
%nterm <OperandList> arg_list
%nterm <Operand> expr call

// Loosest first.
%left '+' '-' '<' '>' LE_OP GE_OP
%left '*' '/'
%precedence PREFIX
%nonassoc '='

%%

unit
  : %empty
  | unit schema
  | stmt_list
  | expr ';'          { ACT.handOverFormula(std::move($1)); YYACCEPT; }
  | error ';'         { ACT.abandonText(); YYABORT; }
  | unit error ';'    { YYERROR; }
  ;

schema
  : SCHEMA IDENT ';' schema_body END_SCHEMA ';'
  | error             { error("syntax error"); YYABORT; }
  ;

schema_body
  : entity_decl
  | function_decl
  | schema_body entity_decl
  | schema_body function_decl
  ;

entity_decl
  : ENTITY IDENT ';' { ACT.openEntity($2); } entity_body END_ENTITY ';'  { ACT.closeEntity(); }
  ;

entity_body
  : %empty
  | attr_decl ';'
  | entity_body derive_clause
  | entity_body where_clause
  | entity_body attr_decl ';'
  ;

derive_clause
  : DERIVE IDENT ':' type ASSIGN          { SkipPastSemicolon(RAW_SOURCE); ACT.deriveAttribute($2, $4); }
  | derive_clause IDENT ':' type ASSIGN   { SkipPastSemicolon(RAW_SOURCE); ACT.deriveAttribute($2, $4); }
  ;

where_clause
  : WHERE             { SkipPastSemicolon(RAW_SOURCE); }
  ;

type
  : TYPE_NAME         { $$ = std::move($1); }
  ;

function_decl
  : FUNCTION IDENT '(' param_list ')' ':' IDENT ';' { ACT.openFunctionBody(); } stmt_list END_FUNCTION ';'  { ACT.closeFunction(); }
  ;

stmt_list
  : stmt ';'
  | stmt_list stmt ';'
  ;

stmt
  : LOCAL local_list END_LOCAL
  | expr
  | ref ASSIGN expr             { ACT.assignToReference($1, std::move($3)); }
  | attr_decl ASSIGN expr
  | RETURN '(' expr ')'         { ACT.returnValue(std::move($3)); }
  | PRINT ref                   { ACT.printReference($2); }
  | if_head
  | while_head
  | error
  ;

if_head
  : IF '(' expr ')' '{'         { ACT.braceConditional(std::move($3), ReadBraceBlock(RAW_SOURCE)); }
  | IF '(' expr ')' THEN        { ACT.thenConditional(std::move($3), ReadThenElse(RAW_SOURCE)); }
  ;

while_head
  : DOWHILE '('                 { ACT.loop(ReadLoop(RAW_SOURCE)); }
  ;

local_list
  : decl ';'
  | local_list decl ';'
  ;

decl
  : attr_decl                   { $$ = NameListOf(std::move($1)); }
  | name_list ',' attr_decl     { $$ = ACT.copyDeclaration(std::move($1), $3); }
  ;

attr_decl
  : IDENT ':' type                                { $$ = ACT.declareObject($1, $3); }
  | IDENT ':' ENUMERATION_OF '(' name_list ')'    { $$ = ACT.declareEnumeration($1, $5); }
  | IDENT ':' IDENT                               { $$ = ACT.declareFromPrototype($1, $3); }
  ;

name_list
  : %empty                      { $$ = NameList(); }
  | IDENT                       { $$ = NameListOf(std::move($1)); }
  | name_list ',' IDENT         { $$ = Appended(std::move($1), std::move($3)); }
  ;

param_list
  : %empty                                          { $$ = NameList(); }
  | param_groups                                    { $$ = std::move($1); }
  ;

// An empty parameter list stands only before ')': "( , a : NUMBER )" is one group whose
// declaration has an empty name list.
param_groups
  : decl ASSIGN expr restriction                    { $$ = ACT.bindParameters({}, $1, std::move($3), true); }
  | decl                                            { $$ = ACT.bindParameters({}, $1, nullptr, true); }
  | param_groups ',' decl ASSIGN expr restriction   { $$ = ACT.bindParameters(std::move($1), $3, std::move($5), false); }
  | param_groups ',' decl                           { $$ = ACT.bindParameters(std::move($1), $3, nullptr, false); }
  ;

restriction
  : %empty
  | RESTRICTED_TO '{' restr_list '}'
  ;

restr_list
  : %empty
  | rexpr
  | restr_list ';' rexpr
  ;

// Restriction formulas are only checked for their syntax.
rexpr
  : '(' rexpr ')'
  | rexpr '+' rexpr
  | rexpr '-' rexpr
  | rexpr '*' rexpr
  | rexpr '/' rexpr
  | rexpr '%' rexpr
  | rexpr '<' rexpr
  | rexpr '>' rexpr
  | rexpr LE_OP rexpr
  | rexpr GE_OP rexpr
  | rexpr '=' rexpr
  | rexpr NE_OP rexpr
  | NOT_OP rexpr
  | rexpr AND_OP rexpr
  | rexpr OR_OP rexpr
  | rexpr XOR_OP rexpr
  | rexpr '=' STATIC
  | '-' rexpr %prec PREFIX
  | '*' rexpr %prec PREFIX
  | STRING_CONST
  | LOGICAL_CONST
  | INTEGER_CONST
  | REAL_CONST
  | '[' rexpr ',' rexpr ',' rexpr ']'
  | '[' rexpr ',' rexpr ']'
  | ref
  | NULL_KW
  | call
  | error ';'
  ;

call
  : IDENT '(' arg_list ')'      { $$ = ACT.callFunction($1, std::move($3)); }
  | ON_STACK '(' arg_list ')'   { $$ = ACT.onStack(); }
  ;

arg_list
  : %empty                      { $$ = OperandList(); }
  | expr                        { $$ = OperandListOf(std::move($1)); }
  | arg_list ',' expr           { $$ = Appended(std::move($1), std::move($3)); }
  ;

expr
  : '(' expr ')'                { $$ = std::move($2); }
  | expr '+' expr               { $$ = ACT.binary(BinaryOp::Add, std::move($1), std::move($3)); }
  | expr '-' expr               { $$ = ACT.binary(BinaryOp::Subtract, std::move($1), std::move($3)); }
  | expr '*' expr               { $$ = ACT.binary(BinaryOp::Multiply, std::move($1), std::move($3)); }
  | expr '/' expr               { $$ = ACT.binary(BinaryOp::Divide, std::move($1), std::move($3)); }
  | expr '%' expr               { $$ = ACT.binary(BinaryOp::Percent, std::move($1), std::move($3)); }
  | expr '<' expr               { $$ = ACT.binary(BinaryOp::Less, std::move($1), std::move($3)); }
  | expr '>' expr               { $$ = ACT.binary(BinaryOp::Greater, std::move($1), std::move($3)); }
  | expr LE_OP expr             { $$ = ACT.binary(BinaryOp::LessEqual, std::move($1), std::move($3)); }
  | expr GE_OP expr             { $$ = ACT.binary(BinaryOp::GreaterEqual, std::move($1), std::move($3)); }
  | expr '=' expr               { $$ = ACT.binary(BinaryOp::Equal, std::move($1), std::move($3)); }
  | expr NE_OP expr             { $$ = ACT.binary(BinaryOp::NotEqual, std::move($1), std::move($3)); }
  | NOT_OP expr                 { $$ = ACT.logicalNot(std::move($2)); }
  | expr AND_OP expr            { $$ = ACT.binary(BinaryOp::And, std::move($1), std::move($3)); }
  | expr OR_OP expr             { $$ = ACT.binary(BinaryOp::Or, std::move($1), std::move($3)); }
  | expr XOR_OP expr            { $$ = ACT.binary(BinaryOp::Xor, std::move($1), std::move($3)); }
  | expr '=' STATIC             { $$ = ACT.staticComparison(std::move($1)); }
  | '-' expr %prec PREFIX       { $$ = ACT.negate(std::move($2)); }
  | '*' expr %prec PREFIX       { $$ = ACT.dereference(std::move($2)); }
  | STRING_CONST                { $$ = ACT.textConstant($1); }
  | LOGICAL_CONST               { $$ = ACT.logicalConstant($1); }
  | INTEGER_CONST               { $$ = ACT.integerConstant($1); }
  | REAL_CONST                  { $$ = ACT.realConstant($1); }
  | '[' expr ',' expr ',' expr ']'  { $$ = ACT.vectorValue(std::move($2), std::move($4), std::move($6)); }
  | '[' expr ',' expr ']'       { $$ = ACT.axisValue(std::move($2), std::move($4)); }
  | ref                         { $$ = ACT.referenceValue($1); if (!$$) YYERROR; }
  | NULL_KW                     { $$ = ACT.emptyOperand(); }
  | call                        { $$ = std::move($1); }
  ;

ref
  : IDENT                       { $$ = std::move($1); }
  | ref '.' IDENT               { $$ = DottedName($1, $3); }
  | THIS                        { $$ = ACT.thisName(); }
  | HERE                        { $$ = ACT.hereName(); }
  ;

%%

void varnex::language::Parser::error(const std::string& message) {
  ReportSyntaxError(state, message);
}
