// Changing a value by text: the cycle check, evaluability, restrictions, and the renaming of
// identifiers inside formulas. Refusals leave the object unchanged; only the result text tells
// why.
#include <varnex/model/aritm.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/value_changes.h>
#include <varnex/model/welt.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "model/formula_tokens.h"
#include "model/object_bridge.h"
#include "model/object_support.h"
#include "model/operands/formula_hook.h"
#include "model/world_scope.h"

// Installed by the dependency tree (null: no order check); lives for the process.
PVFOrderCheck pPVFOrderCheck = nullptr;

namespace {

constexpr const char* kCycle = "___CYCLES IN REFERENCES___";
constexpr const char* kNotEvaluable = "___NOT EVALUABLE___";
constexpr const char* kViolated = "___RESTRICTION VIOLATED___";

// Adds the objects `formula` names to `reached`; true when one of them is `object`.
bool ReachesObject(const rumpf* object, const char* formula, std::vector<rumpf*>& reached) {
  for (const std::string& name : varnex::model::DottedNames(formula == nullptr ? "" : formula)) {
    rumpf* found = search(name.c_str());
    if (found == object) {
      return true;
    }
    if (found != nullptr && std::find(reached.begin(), reached.end(), found) == reached.end()) {
      reached.push_back(found);
    }
  }
  return false;
}

// TestValue (commit false) and SetValue (commit true) of every kind that keeps the common rules.
const char* ChangeValue(rumpf& object, PVMStrg& value, PVMStrg& result, bool commit) {
  if (cycle_check(&object, value) == 1) {
    result = kCycle;
    return nullptr;
  }
  std::unique_ptr<aritm> operand(
      varnex::model::EvaluateFormula(varnex::model::AsStatement(value).c_str()));
  if (operand == nullptr || object.IsCompatible(operand.get()) == FALSE) {
    result = kNotEvaluable;
    return nullptr;
  }
  PVMStrg text;
  operand->GetValue(text);
  PVMStrg violated;
  if (object.CheckRestrictions(text, violated) != 0) {
    result = PVMStrg(kViolated) & violated;
    return nullptr;
  }
  if (commit) {
    varnex::model::objects::SetValue(&object, *operand);
    varnex::model::objects::SetSourceAndValidity(&object, operand->get_value_source(),
                                                 operand->GetValidity());
    if (value.Find("_@") == TRUE) {
      object.set_value_source(varnex::model::AsStatement(value).c_str());
    }
  }
  result = text;
  return result;
}

}  // namespace

int cycle_check(rumpf* object, PVMStrg& formula) {
  if (object == nullptr) {
    return -1;
  }
  if (formula.Find("_@") == FALSE) {
    return 0;
  }
  varnex::model::EvaluationScope scope(object);
  std::vector<rumpf*> reached{object};
  if (ReachesObject(object, formula, reached)) {
    return 1;
  }
  for (std::size_t i = 1; i < reached.size(); ++i) {
    if (ReachesObject(object, reached[i]->get_value_source(), reached)) {
      return 1;
    }
  }
  const char* own = object->get_value_source();
  if (own != nullptr && std::string_view(own).substr(0, formula.Length()) == formula.GetpStr()) {
    return 0;
  }
  return pPVFOrderCheck != nullptr && pPVFOrderCheck(object, formula) != 0 ? 1 : 0;
}

const char* rumpf::TestValue(PVMStrg& value, PVMStrg& result) {
  return ChangeValue(*this, value, result, false);
}

const char* rumpf::SetValue(PVMStrg& value, PVMStrg& result) {
  return ChangeValue(*this, value, result, true);
}

const char* rumpf::set_value(PVMStrg& text) {
  if (text.IsVoid()) {
    set_value_source(static_cast<const char*>(nullptr));
    return text;
  }
  std::string statement = varnex::model::AsStatement(text);
  std::unique_ptr<aritm> operand(varnex::model::EvaluateFormula(statement.c_str()));
  if (operand == nullptr || IsCompatible(operand.get()) == FALSE) {
    return nullptr;
  }
  set_value_source(statement.c_str());
  return text;
}

XBOOL rumpf::ValSrcAustausch(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to) {
  if (from == nullptr || to == nullptr || std::min(from->count(), to->count()) == 0) {
    return TRUE;
  }
  if (get_value_source() == nullptr) {
    return FALSE;
  }
  std::string renamed = varnex::model::ReplaceIdentifiers(get_value_source(), *from, *to);
  std::size_t end = renamed.find_last_not_of(" \t\r\n");
  if (end != std::string::npos && renamed[end] == ';') {
    renamed.erase(end);
  }
  PVMStrg value(renamed);
  PVMStrg result;
  SetValue(value, result);
  return FALSE;
}

int FormulaReferenceNames(const char* formula, VALUE_LIST<PVMStrg>* out) {
  std::vector<std::string> names =
      varnex::model::LeadingIdentifiers(formula == nullptr ? "" : formula);
  for (const std::string& name : names) {
    if (out != nullptr) {
      out->add(PVMStrg(name.c_str()));
    }
  }
  return static_cast<int>(names.size());
}
