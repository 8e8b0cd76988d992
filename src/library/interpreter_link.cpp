// What the interpreter needs from the feature library: the feature behind a function name,
// the default parameter variables, and hand-over operands made from parameter records
// (fill_hand_over). The library installs the interpreter's hooks at load time.
#include <varnex/language/interpreter.h>
#include <varnex/language/lexer.h>
#include <varnex/language/parse_attachment.h>
#include <varnex/library/feature_list.h>
#include <varnex/library/handover_parameter.h>
#include <varnex/library/variable_table.h>
#include <varnex/model/model.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "language/interpreter_hooks.h"

namespace varnex::library {
namespace {

std::unique_ptr<PARSE_ATTACHMENT> FeatureByFunction(const char* function_name) {
  Featurelist_Element* feature = pFeatureList != nullptr
                                     ? pFeatureList->GetFeatureByFunction(PVMStrg(function_name))
                                     : nullptr;
  return feature != nullptr ? std::make_unique<PARSE_ATTACHMENT>(feature) : nullptr;
}

bool DefaultVariable(const char* name, PVMStrg& formula) {
  if (pDefParaVar == nullptr || pDefParaVar->lookup(name) == nullptr) {
    return false;
  }
  formula = name;
  pDefParaVar->replace(formula);
  return true;
}

const bool kHooksInstalled = [] {
  varnex::language::SetFunctionSourceFinder(&FeatureByFunction);
  varnex::language::SetDefaultVariableLookup(&DefaultVariable);
  return true;
}();

// The names of an enumeration type text such as "ENUMERATION_OF(red, green)": every
// identifier up to the token that holds ")".
VALUE_LIST<PVMStrg> EnumerationNames(const PVMStrg& type) {
  VALUE_LIST<PVMStrg> names;
  PARSE_ATTACHMENT source(type, nullptr);
  ParseObjectScope scope(&source);
  for (int code = yylex(); code != novl::END_OF_TEXT && !yytext.Find(')'); code = yylex()) {
    if (code == novl::IDENT) {
      names.add(yylval.text);
    }
  }
  return names;
}

bool IsOneOf(std::string_view type, std::initializer_list<std::string_view> names) {
  for (std::string_view name : names) {
    if (type == name) {
      return true;
    }
  }
  return false;
}

// The empty operand of the kind a parameter type takes.
aritm* OperandForType(const PVMStrg& type) {
  std::string_view text(type.GetpStr(), type.Length());
  if (IsOneOf(text, {"distance", "smlid"})) {
    return new op_zahl();
  }
  if (text == "vector") {
    return new op_vector();
  }
  if (text == "NUMBER") {
    return new op_number();
  }
  if (text == "axis") {
    return new op_axis();
  }
  if (text == "geometric") {
    return new op_geom();
  }
  if (text == "LOGIC") {
    return new op_logic();
  }
  if (IsOneOf(text, {"Reference", "GeometricReference", "ContextReference", "NodeReference"})) {
    return new op_reference();
  }
  if (IsOneOf(text, {"STRING", "smlcond", "smlsid"})) {
    return new op_text();
  }
  if (text == "transformation_matrix") {
    return new op_trans();
  }
  if (IsOneOf(text, {"ConFace", "ConWir1", "ConWirN", "ConLKO", "ConSolid"})) {
    return new op_connect2d();
  }
  if (text.starts_with("ENUMERATION")) {
    VALUE_LIST<PVMStrg> names = EnumerationNames(type);
    return new op_enum(-1, &names);
  }
  return new op_object();
}

// "{ a; b }": the entries between the first "{" and the "}" after it, split at ";".
void SetRestraints(aritm& operand, const PVMStrg& restraints) {
  std::string_view text(restraints.GetpStr(), restraints.Length());
  std::size_t open = text.find('{');
  std::size_t close = open == std::string_view::npos ? open : text.find('}', open);
  if (close == std::string_view::npos) {
    return;
  }
  VALUE_LIST<PVMStrg> entries(TRUE);
  std::string_view inside = text.substr(open + 1, close - open - 1);
  for (std::size_t start = 0; start <= inside.size();) {
    std::size_t end = std::min(inside.find(';', start), inside.size());
    std::string_view entry = inside.substr(start, end - start);
    entries.add(PVMStrg(std::string(entry)));
    start = end + 1;
  }
  operand.SetRestrictions(&entries);
}

// One parameter record as a fresh operand; null when the record has no type.
aritm* MakeHandOverOperand(const HANDOVER_PARAMETER& parameter) {
  PVMStrg type;
  if (parameter.GetType(type) == nullptr || type.IsVoid()) {
    return nullptr;
  }
  aritm* operand = OperandForType(type);
  PVMStrg text;
  if (parameter.Get(text) != nullptr && text.IsNotVoid()) {
    operand->setsval(text.GetpStr());
  }
  if (parameter.GetRestraints(text) != nullptr && text.IsNotVoid()) {
    SetRestraints(*operand, text);
  }
  return operand;
}

}  // namespace
}  // namespace varnex::library

int fill_hand_over(void_list* parameters) {
  if (parameters == nullptr) {
    return -1;
  }
  std::vector<aritm*> made;
  for (int i = 0; i < parameters->count(); ++i) {
    auto* parameter = static_cast<HANDOVER_PARAMETER*>((*parameters)[i]);
    aritm* operand =
        parameter != nullptr ? varnex::library::MakeHandOverOperand(*parameter) : nullptr;
    if (operand == nullptr) {
      for (aritm* earlier : made) {
        delete earlier;
      }
      for (std::size_t j = 0; j < made.size(); ++j) {
        hand_over[j] = nullptr;
      }
      return -1;
    }
    made.push_back(operand);
    hand_over[made.size() - 1] = operand;
  }
  hand_over[made.size()] = nullptr;
  return 1;
}
