// The work the NOVL grammar does when it reduces a rule. The grammar (novl.y) only moves values
// between its stack and these calls; StatementExecutor carries them out against the current
// world, and tests substitute a recorder to watch the parser alone.
#pragma once

#include <varnex/language/parse_attachment.h>

#include <memory>
#include <string>
#include <vector>

#include "language/raw_text.h"
#include "language/scanner.h"

class aritm;

namespace varnex::language {

/// Deletes an operand; the only place the grammar's value stack needs aritm's definition.
struct OperandDeleter {
  void operator()(aritm* operand) const;
};

/// An operand on the parser's value stack, owned by the stack until an action consumes it;
/// null stands for "no value" (a failed operation).
using Operand = std::unique_ptr<aritm, OperandDeleter>;
using OperandList = std::vector<Operand>;
using NameList = std::vector<std::string>;

enum class BinaryOp {
  Add,
  Subtract,
  Multiply,
  Divide,
  Percent,
  Less,
  Greater,
  LessEqual,
  GreaterEqual,
  Equal,
  NotEqual,
  And,
  Or,
  Xor,
};

/// One call per rule of novl.y that carries an action, named after what it does; each says which
/// rule it serves ("." marks where a mid-rule action runs). Operands passed in are consumed;
/// operands returned belong to the parser.
class ParseActions {
 public:
  virtual ~ParseActions() = default;

  // unit -> expr ';'   (the first statement of a text: it hands its value over; parse ends)
  virtual void handOverFormula(Operand value) = 0;
  // unit -> error ';'   (a bad first statement: nothing is handed over; the parse aborts)
  virtual void abandonText() = 0;

  // entity_decl -> ENTITY IDENT ';' . entity_body END_ENTITY ';'   (the mid-rule action)
  virtual void openEntity(const std::string& name) = 0;
  // entity_decl -> ENTITY IDENT ';' entity_body END_ENTITY ';' .
  virtual void closeEntity() = 0;
  // derive_clause -> DERIVE IDENT ':' type ASSIGN | derive_clause IDENT ':' type ASSIGN
  virtual void deriveAttribute(const std::string& name, const std::string& type) = 0;
  // function_decl -> FUNCTION IDENT '(' param_list ')' ':' IDENT ';' . stmt_list END_FUNCTION ';'
  // (the mid-rule action, before the body)
  virtual void openFunctionBody() = 0;
  // function_decl -> ... stmt_list END_FUNCTION ';' .   (nothing runs; the checking pass
  // closes the function's names)
  virtual void closeFunction() {}

  // stmt -> ref ASSIGN expr
  virtual void assignToReference(const std::string& ref, Operand value) = 0;
  // stmt -> RETURN '(' expr ')'
  virtual void returnValue(Operand value) = 0;
  // stmt -> PRINT ref
  virtual void printReference(const std::string& ref) = 0;
  // if_head -> IF '(' expr ')' '{'
  virtual void braceConditional(Operand condition, TextSpan block) = 0;
  // if_head -> IF '(' expr ')' THEN
  virtual void thenConditional(Operand condition, ThenElseParts parts) = 0;
  // while_head -> DOWHILE '('
  virtual void loop(LoopParts parts) = 0;

  // attr_decl -> IDENT ':' type   (returns the name)
  virtual std::string declareObject(const std::string& name, const std::string& type) = 0;
  // attr_decl -> IDENT ':' ENUMERATION_OF '(' name_list ')'
  virtual std::string declareEnumeration(const std::string& name, const NameList& values) = 0;
  // attr_decl -> IDENT ':' IDENT
  virtual std::string declareFromPrototype(const std::string& name,
                                           const std::string& prototype) = 0;
  // decl -> name_list ',' attr_decl   (returns the names followed by the declared one)
  virtual NameList copyDeclaration(NameList names, const std::string& declared) = 0;
  // param_groups -> decl [ASSIGN expr restriction]
  // param_groups -> param_groups ',' decl [ASSIGN expr restriction]
  // Binds the group's names to hand-over operands (the first group from the start); returns
  // the header's names so far followed by the group.
  virtual NameList bindParameters(NameList header, const NameList& group, Operand default_value,
                                  bool first_group) = 0;

  // call -> IDENT '(' arg_list ')'
  virtual Operand callFunction(const std::string& name, OperandList arguments) = 0;
  // call -> ON_STACK '(' arg_list ')'
  virtual Operand onStack() = 0;

  // expr -> expr '+' expr | expr '-' expr | ... | expr XOR_OP expr   (every binary operator)
  virtual Operand binary(BinaryOp op, Operand left, Operand right) = 0;
  // expr -> NOT_OP expr
  virtual Operand logicalNot(Operand operand) = 0;
  // expr -> '-' expr
  virtual Operand negate(Operand operand) = 0;
  // expr -> '*' expr
  virtual Operand dereference(Operand operand) = 0;
  // expr -> expr '=' STATIC
  virtual Operand staticComparison(Operand operand) = 0;
  // expr -> STRING_CONST | LOGICAL_CONST | INTEGER_CONST | REAL_CONST
  virtual Operand textConstant(const std::string& text) = 0;
  virtual Operand logicalConstant(int value) = 0;
  virtual Operand integerConstant(int value) = 0;
  virtual Operand realConstant(double value) = 0;
  // expr -> '[' expr ',' expr ',' expr ']'
  virtual Operand vectorValue(Operand x, Operand y, Operand z) = 0;
  // expr -> '[' expr ',' expr ']'
  virtual Operand axisValue(Operand origin, Operand direction) = 0;
  // expr -> ref   (null: the name resolves to nothing; the parser then abandons the statement)
  virtual Operand referenceValue(const std::string& ref) = 0;
  // expr -> NULL_KW
  virtual Operand emptyOperand() = 0;
  // ref -> THIS
  virtual std::string thisName() = 0;
  // ref -> HERE
  virtual std::string hereName() = 0;
};

/// What one parse works on: its text source and the actions its rules run. Every parse,
/// nested ones included, has its own.
struct ParseState {
  ParseState(PARSE_ATTACHMENT& source, ParseActions& actions) : source(source), actions(actions) {}

  PARSE_ATTACHMENT& source;
  ParseActions& actions;
  /// The scanner's token buffer, reused from token to token.
  Token token;
};

/// Parses `source` to its end, running `actions`. 0 when the text was accepted, 1 when the
/// parse was aborted. Reentrant: actions may start further parses.
int RunParse(PARSE_ATTACHMENT& source, ParseActions& actions);

/// The grammar's error report: the silent yyerror, then the host's syntax hook (if any) with
/// the line and text of the offending token.
void ReportSyntaxError(const ParseState& state, const std::string& message);

/// Helpers of the list rules.
NameList NameListOf(std::string name);
NameList Appended(NameList list, std::string name);
OperandList OperandListOf(Operand operand);
OperandList Appended(OperandList list, Operand operand);
std::string DottedName(const std::string& base, const std::string& member);

}  // namespace varnex::language
