// rumpf: evaluating the formula and checking restrictions, plus the record and print helpers
// the kinds share.
#include <varnex/model/aritm.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "model/formula_tokens.h"
#include "model/object_support.h"
#include "model/operands/formula_hook.h"
#include "model/world_scope.h"

namespace varnex::model {

std::string AsStatement(const char* text) {
  std::string statement = text == nullptr ? "" : text;
  std::size_t last = statement.find_last_not_of(" \t\r\n");
  if (last == std::string::npos || statement[last] != ';') {
    statement += ';';
  }
  return statement;
}

int StoreElement(FILE* file, const std::string& value) {
  if (file == nullptr) {
    return -1;
  }
  std::fprintf(file, "element_: %s;\n", value.c_str());
  return 0;
}

int StoreRecord(rumpf& object, FILE* file, const std::string& value) {
  if (object.rumpf::store(file) < 0) {
    return -1;
  }
  return StoreElement(file, value);
}

bool ReadElementText(FILE* file, std::string& out) {
  out.clear();
  if (file == nullptr) {
    return false;
  }
  int c = std::fgetc(file);
  while (c == ' ' || c == '\t') {
    c = std::fgetc(file);
  }
  if (c == EOF) {
    return false;
  }
  std::string line;
  for (; c != EOF && c != '\n'; c = std::fgetc(file)) {
    line += static_cast<char>(c);
  }
  std::size_t end = line.rfind(';');
  out = line.substr(0, end);
  while (!out.empty() && (out.back() == ' ' || out.back() == '\t' || out.back() == '\r')) {
    out.pop_back();
  }
  return true;
}

void PrintObject(const rumpf& object, const char* value_text) {
  PVMStrg full;
  const char* name = object.get_full_name(full) == nullptr ? object.get_name() : full.GetpStr();
  std::printf("%s (%s) = %s\n", name, object.get_alias_type(), value_text);
}

}  // namespace varnex::model

namespace {

// The objects whose formulas are being evaluated now, innermost last. A formula that reaches
// its own object again (a := b; b := a) would recurse without end: the inner evaluation answers
// nothing instead, so the object keeps its cached value and the outer one sees that value.
std::vector<const rumpf*>& ObjectsInEvaluation() {
  static std::vector<const rumpf*> objects;
  return objects;
}

class EvaluationMark {
 public:
  explicit EvaluationMark(const rumpf* object) { ObjectsInEvaluation().push_back(object); }
  ~EvaluationMark() { ObjectsInEvaluation().pop_back(); }
  EvaluationMark(const EvaluationMark&) = delete;
  EvaluationMark& operator=(const EvaluationMark&) = delete;
};

bool InEvaluation(const rumpf* object) {
  const std::vector<const rumpf*>& objects = ObjectsInEvaluation();
  return std::find(objects.begin(), objects.end(), object) != objects.end();
}

}  // namespace

aritm* rumpf::evaluate_value() {
  if (value_source_.IsVoid()) {
    Report("rumpf", "evaluate_value", "no formula specified");
    return nullptr;
  }
  if (InEvaluation(this)) {
    Report("rumpf", "evaluate_value", "the formula reaches its own object: not evaluable");
    return nullptr;
  }
  EvaluationMark mark(this);
  // The formula may change the object while it runs: evaluate a copy.
  std::string formula = varnex::model::AsStatement(value_source_.GetpStr());
  nullwelt* own_top = varnex::model::TopWorldOf(this);
  nullwelt* current_top = anfang == nullptr ? nullptr : anfang->get_inertial_world();
  if (own_top == nullptr || own_top == current_top) {
    return varnex::model::EvaluateFormula(formula.c_str());
  }
  // An object of another model: resolve its names from its own outermost world.
  varnex::model::CurrentWorldScope own_model(own_top);
  return varnex::model::EvaluateFormula(formula.c_str());
}

int rumpf::CheckRestrictions(PVMStrg& value, PVMStrg& violated) {
  if (restrictions_ == nullptr || restrictions_->Count() == 0) {
    return 0;
  }
  std::unique_ptr<aritm> evaluated(
      varnex::model::EvaluateFormula(varnex::model::AsStatement(value).c_str()));
  if (evaluated == nullptr) {
    return 0;  // refused earlier as not evaluable, if at all
  }
  // Infinity passes "VALUE > 0": a number that is not finite violates the first restriction.
  if ((evaluated->IsOpZahl() || evaluated->IsOpNumber()) &&
      !std::isfinite(evaluated->get_double())) {
    violated = (*restrictions_)[0];
    return 1;
  }
  PVMStrg text;
  evaluated->GetValue(text);
  evaluated.reset();
  VALUE_LIST<PVMStrg> word;
  word.add(PVMStrg("VALUE"));
  VALUE_LIST<PVMStrg> replacement;
  replacement.add(PVMStrg("(") & text & ")");
  for (int i = 0; i < restrictions_->Count(); ++i) {
    const char* restriction = (*restrictions_)[i];
    std::string check = varnex::model::AsStatement(
        varnex::model::ReplaceIdentifiers(restriction, word, replacement).c_str());
    std::unique_ptr<aritm> verdict(varnex::model::EvaluateFormula(check.c_str()));
    if (verdict == nullptr || verdict->IsOpLogic() == FALSE || verdict->get_LOGICAL() == FALSE) {
      violated = restriction;
      return i + 1;
    }
  }
  return 0;
}
