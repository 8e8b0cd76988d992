// The text and conversion built-ins: numbers from texts and texts from values, quoting, the
// part of a text before a separator, formula evaluation, the name of the instance being built
// and the declaration text of a parameter.
#include <varnex/base/transaction.h>
#include <varnex/model/model.h>
#include <varnex/model/rumpf.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

#include "builtins/handler_support.h"
#include "builtins/handlers.h"
#include "language/instance_name.h"
#include "model/operands/formula_hook.h"

namespace varnex::builtins {
namespace {

// The operand's getsval text, freed here; empty when it holds no valid value.
std::string SvalText(aritm* operand) {
  char* text = operand != nullptr ? operand->getsval() : nullptr;
  if (text == nullptr) {
    return {};
  }
  std::string value = text;
  MemoryDeallocation(text);
  return value;
}

// Texts, integers and reals convert; any other kind (or none) does not.
bool IsConvertible(aritm* operand) {
  return operand != nullptr && (operand->IsOpText() || IsNumber(operand));
}

// A decimal integer prefix as strtol reads it, held to the 32-bit range.
long ReadInteger(const std::string& text) {
  long value = std::strtol(text.c_str(), nullptr, 10);
  if (value > INT_MAX) {
    return INT_MAX;
  }
  return value < INT_MIN ? INT_MIN : value;
}

// A decimal number prefix as atof reads it; a value that is not finite reads as 0.
double ReadReal(const std::string& text) {
  double value = std::strtod(text.c_str(), nullptr);
  return std::isfinite(value) ? value : 0.0;
}

// The declaration type of a value of this kind.
std::string TypeWord(aritm* value) {
  if (value->IsOpEnum()) {
    std::string type = "ENUMERATION OF (";
    const auto& values = static_cast<op_enum*>(value)->values();
    for (int i = 0; i < values.count(); ++i) {
      type += (i > 0 ? ", " : "") + std::string(values[i].GetpStr());
    }
    return type + ")";
  }
  if (value->IsOpText()) {
    return "STRING";
  }
  if (value->IsOpNumber()) {
    return "NUMBER";
  }
  if (value->IsOpZahl()) {
    return "distance";
  }
  if (value->IsOpLogic()) {
    return "LOGIC";
  }
  if (value->IsOpVector()) {
    return "vector";
  }
  if (value->IsOpAxis()) {
    return "axis";
  }
  if (value->IsOpTrans()) {
    return "transformation_matrix";
  }
  if (value->IsOpGeom()) {
    return "geometric";
  }
  rumpf* object = value->IsOpObject() || value->IsOpReference() ? value->get_object() : nullptr;
  return object != nullptr ? std::string("feature_") + object->get_alias_type() : "";
}

// Geometry and objects have no literal form to write as a default.
bool HasLiteral(aritm* value) {
  return !(value->IsOpGeom() || value->IsOpObject() || value->IsOpReference());
}

// Texts and enumeration values are written as '%s'; the other kinds as their value text.
std::string DefaultText(aritm* value) {
  if (value->IsOpText() || value->IsOpEnum()) {
    return std::string("'").append(ValueText(value)).append("'");
  }
  PVMStrg text;
  return value->GetValue(text);
}

}  // namespace

void ToDistance(aritm** args, aritm** result) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  *value = ReadReal(TextArgument(args, 0));
}

void ToString(aritm** args, aritm** result) {
  op_text* value = NewResult<op_text>(result);
  *value = SvalText(Argument(args, 0)).c_str();
}

// The integer part of a number text: the text up to its last ".".
void ToIntString(aritm** args, aritm** result) {
  op_text* value = NewResult<op_text>(result);
  std::string text = SvalText(Argument(args, 0));
  *value = text.substr(0, text.rfind('.')).c_str();
}

void Integer(aritm** args, aritm** result) {
  op_number* value = NewResult<op_number>(result, 0L);
  aritm* operand = Argument(args, 0);
  if (IsConvertible(operand)) {
    *value = ReadInteger(ValueText(operand));
  }
}

void Real(aritm** args, aritm** result) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  aritm* operand = Argument(args, 0);
  if (IsConvertible(operand)) {
    *value = ReadReal(ValueText(operand));
  }
}

void Text(aritm** args, aritm** result) {
  op_text* value = NewResult<op_text>(result);
  *value = ValueText(Argument(args, 0)).c_str();
}

void InQuotes(aritm** args, aritm** result) {
  op_text* value = NewResult<op_text>(result);
  *value = std::string("'").append(TextArgument(args, 0)).append("'").c_str();
}

// The part of text 1 before the first occurrence of text 2; empty when text 2 does not occur
// or occurs at the very start.
void StrTok(aritm** args, aritm** result) {
  op_text* value = NewResult<op_text>(result);
  std::string text = TextArgument(args, 0);
  std::string separator = TextArgument(args, 1);
  std::size_t at = separator.empty() ? std::string::npos : text.find(separator);
  if (at != std::string::npos && at > 0) {
    *value = text.substr(0, at).c_str();
  }
}

// The text is a formula without its ";"; its value is the result (null when it has none).
void EvaluateString(aritm** args, aritm** result) {
  std::string formula = TextArgument(args, 0);
  if (!formula.empty()) {
    *result = varnex::model::EvaluateFormula((formula + ";").c_str());
  }
}

void InstanceName(aritm**, aritm** result) {
  NewResult<op_text>(result, language::CurrentInstanceName());
}

// The declaration of a parameter named by argument 1 whose default is the value of argument
// 2: "name : type := default"; an instance gives the type "feature_" and its feature's name.
// Without a name the text stays empty; without a value it is the bare "name : STRING".
void MakeNovlStat(aritm** args, aritm** result) {
  op_text* value = NewResult<op_text>(result);
  std::string name = TextArgument(args, 0);
  if (name.empty()) {
    return;
  }
  aritm* initial = Argument(args, 1);
  std::string type = initial != nullptr ? TypeWord(initial) : "STRING";
  std::string statement = name + " : " + (type.empty() ? "STRING" : type);
  if (initial != nullptr && !type.empty() && HasLiteral(initial)) {
    statement += " := ";
    statement += DefaultText(initial);
  }
  *value = statement.c_str();
}

}  // namespace varnex::builtins
