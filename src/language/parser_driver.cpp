// The parser driver: feeds the scanner's tokens to the generated parser and runs one parse.
#include <varnex/language/parser.h>
#include <varnex/model/aritm.h>

#include "language/novl_parser.hpp"
#include "language/parse_actions.h"
#include "language/run_guard.h"

namespace varnex::language {

// ORDER TOKENS: every token code the grammar knows must be the scanner's.
#define SAME_CODE(name) static_assert(int(Parser::token::name) == int(novl::name), #name)
SAME_CODE(LOGICAL_CONST);
SAME_CODE(INTEGER_CONST);
SAME_CODE(REAL_CONST);
SAME_CODE(IDENT);
SAME_CODE(TYPE_NAME);
SAME_CODE(ASSIGN);
SAME_CODE(WHERE);
SAME_CODE(DERIVE);
SAME_CODE(SCHEMA);
SAME_CODE(END_SCHEMA);
SAME_CODE(ENTITY);
SAME_CODE(END_ENTITY);
SAME_CODE(FUNCTION);
SAME_CODE(END_FUNCTION);
SAME_CODE(LOCAL);
SAME_CODE(END_LOCAL);
SAME_CODE(RETURN);
SAME_CODE(PRINT);
SAME_CODE(STRING_CONST);
SAME_CODE(ON_STACK);
SAME_CODE(STATIC);
SAME_CODE(IF);
SAME_CODE(ELSE);
SAME_CODE(DOWHILE);
SAME_CODE(THIS);
SAME_CODE(HERE);
SAME_CODE(NULL_KW);
SAME_CODE(ENUMERATION_OF);
SAME_CODE(RESTRICTED_TO);
SAME_CODE(THEN);
SAME_CODE(ENDIF);
SAME_CODE(OR_OP);
SAME_CODE(XOR_OP);
SAME_CODE(AND_OP);
SAME_CODE(NE_OP);
SAME_CODE(NOT_OP);
SAME_CODE(LE_OP);
SAME_CODE(GE_OP);
SAME_CODE(BAD_TOKEN);
#undef SAME_CODE

void OperandDeleter::operator()(aritm* operand) const {
  delete operand;
}

int yylex(Parser::value_type* value, ParseState& state) {
  Token& token = state.token;
  if (RunStopping()) {
    token = Token();
    return novl::END_OF_TEXT;  // a stopped run ends every parse it has open
  }
  switch (ScanToken(state.source, token)) {
    case novl::LOGICAL_CONST:
    case novl::INTEGER_CONST:
      value->emplace<int>(token.integer);
      break;
    case novl::REAL_CONST:
      value->emplace<double>(token.real);
      break;
    case novl::IDENT:
    case novl::TYPE_NAME:
    case novl::STRING_CONST:
    case novl::ENUMERATION_OF:
    case novl::RESTRICTED_TO:
      value->emplace<std::string>(std::move(token.value));
      break;
    default:
      break;
  }
  return token.code;
}

int RunParse(PARSE_ATTACHMENT& source, ParseActions& actions) {
  ParseScope counted;
  ParseState state(source, actions);
  Parser parser(state);
  return parser.parse();
}

NameList NameListOf(std::string name) {
  NameList list;
  list.push_back(std::move(name));
  return list;
}

NameList Appended(NameList list, std::string name) {
  list.push_back(std::move(name));
  return list;
}

OperandList OperandListOf(Operand operand) {
  OperandList list;
  list.push_back(std::move(operand));
  return list;
}

OperandList Appended(OperandList list, Operand operand) {
  list.push_back(std::move(operand));
  return list;
}

std::string DottedName(const std::string& base, const std::string& member) {
  return base + "." + member;
}

}  // namespace varnex::language

void yyerror(const char*) {}
