// HANDOVER_PARAMETER: fields, enumeration values and value assignment.
#include <varnex/language/lexer.h>
#include <varnex/library/handover_parameter.h>
#include <varnex/library/library_hooks.h>
#include <varnex/model/value_changes.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "library/restraints.h"
#include "library/token_reader.h"

using varnex::library::TokenReader;
using varnex::library::Trimmed;

namespace {

// Whether a value text goes on after a ";" (a value is one formula).
bool HoldsSeveralStatements(const PVMStrg& text) {
  TokenReader reader(text);
  bool ended = false;
  for (int code = reader.Next(); code != novl::END_OF_TEXT; code = reader.Next()) {
    if (ended) {
      return true;
    }
    ended = code == ';';
  }
  return false;
}

// Whether the text (quoted or not) is one of the names.
bool IsOneOf(const PVMStrg& text, const VALUE_LIST<PVMStrg>& names) {
  std::string bare = varnex::library::ToStd(Trimmed(text));
  if (bare.size() >= 2 && bare.front() == '\'' && bare.back() == '\'') {
    bare = bare.substr(1, bare.size() - 2);
  }
  for (int i = 0; i < names.count(); ++i) {
    if (bare == names[i].GetpStr()) {
      return true;
    }
  }
  return false;
}

// Whether a value text is a number that is not finite ("inf", "-inf", "nan").
bool IsNonFiniteNumber(const PVMStrg& text) {
  const char* begin = text.GetpStr();
  char* end = nullptr;
  double number = std::strtod(begin, &end);
  return end != begin && *end == '\0' && !std::isfinite(number);
}

// The markers value changes carry when they refuse a value.
constexpr const char* kNotEvaluableMarker = "___NOT EVALUABLE___";
constexpr const char* kViolatedMarker = "___RESTRICTION VIOLATED___";

const char* StoredText(const PVMStrg& text) {
  return text.IsVoid() ? nullptr : text.GetpStr();
}

// A string-like value as one quoted literal. A text that opens with a quote keeps the literal
// up to its last quote (a ";" after it is dropped, one inside it kept); any other text is cut at
// its last ";" and enclosed.
PVMStrg NormalisedLiteral(const PVMStrg& text) {
  const std::string raw = varnex::library::ToStd(text);
  std::size_t close = raw.rfind('\'');
  if (!raw.empty() && raw[0] == '\'' && close != std::string::npos && close > 0) {
    return PVMStrg(raw.substr(0, close + 1));
  }
  PVMStrg bare(text);
  bare << ';';
  bare.WhiteSpaceTrim();
  if (bare.StartsWith('\'')) {
    bare >> 0u;
  }
  return "'" & bare & "'";
}

}  // namespace

HANDOVER_PARAMETER::HANDOVER_PARAMETER(const char* name, const char* type, const char* value,
                                       const char* restraints)
    : name_(name), type_(type), value_(value), restraints_(restraints) {
  SetEnumerationValues();
}

HANDOVER_PARAMETER::HANDOVER_PARAMETER(const PVMStrg& name, const PVMStrg& type,
                                       const PVMStrg& value, const PVMStrg& restraints)
    : name_(name), type_(type), value_(value), restraints_(restraints) {
  SetEnumerationValues();
}

HANDOVER_PARAMETER::HANDOVER_PARAMETER(const HANDOVER_PARAMETER& other)
    : name_(other.name_),
      type_(other.type_),
      value_(other.value_),
      valueSource_(other.valueSource_),
      restraints_(other.restraints_) {
  if (other.enumerationValues_) {
    enumerationValues_ = std::make_unique<VALUE_LIST<PVMStrg>>(*other.enumerationValues_);
  }
}

HANDOVER_PARAMETER& HANDOVER_PARAMETER::operator=(const HANDOVER_PARAMETER& other) {
  if (this != &other) {
    HANDOVER_PARAMETER copy(other);
    name_.Swap(copy.name_);
    type_.Swap(copy.type_);
    value_.Swap(copy.value_);
    valueSource_.Swap(copy.valueSource_);
    restraints_.Swap(copy.restraints_);
    enumerationValues_.swap(copy.enumerationValues_);
  }
  return *this;
}

HANDOVER_PARAMETER::~HANDOVER_PARAMETER() = default;

XBOOL HANDOVER_PARAMETER::operator==(const HANDOVER_PARAMETER& other) const {
  if (name_ != other.name_ || type_ != other.type_ || value_ != other.value_ ||
      valueSource_ != other.valueSource_ || restraints_ != other.restraints_) {
    return FALSE;
  }
  if (!enumerationValues_ || !other.enumerationValues_) {
    return ToXBool(!enumerationValues_ && !other.enumerationValues_);
  }
  const VALUE_LIST<PVMStrg>& mine = *enumerationValues_;
  const VALUE_LIST<PVMStrg>& theirs = *other.enumerationValues_;
  if (mine.count() != theirs.count()) {
    return FALSE;
  }
  for (int i = 0; i < mine.count(); ++i) {
    if (mine[i] != theirs[i]) {
      return FALSE;
    }
  }
  return TRUE;
}

const char* HANDOVER_PARAMETER::SetName(const PVMStrg& name) {
  name_ = name;
  return StoredText(name_);
}

const char* HANDOVER_PARAMETER::SetType(const PVMStrg& type) {
  type_ = type;
  SetEnumerationValues();
  return StoredText(type_);
}

const char* HANDOVER_PARAMETER::SetValue(const PVMStrg& value) {
  value_ = value;
  return StoredText(value_);
}

const char* HANDOVER_PARAMETER::SetValueSource(const PVMStrg& source) {
  valueSource_ = source;
  return StoredText(valueSource_);
}

const char* HANDOVER_PARAMETER::SetRestraints(const PVMStrg& restraints) {
  restraints_ = restraints;
  return StoredText(restraints_);
}

const char* HANDOVER_PARAMETER::GetName(PVMStrg& out) const {
  out = name_;
  return out;
}

const char* HANDOVER_PARAMETER::GetType(PVMStrg& out) const {
  out = type_;
  return out;
}

const char* HANDOVER_PARAMETER::GetValue(PVMStrg& out) const {
  out = value_;
  return out;
}

const char* HANDOVER_PARAMETER::GetValueSource(PVMStrg& out) const {
  out = valueSource_;
  return out;
}

const char* HANDOVER_PARAMETER::GetRestraints(PVMStrg& out) const {
  out = restraints_;
  return out;
}

const char* HANDOVER_PARAMETER::Get(PVMStrg& out) const {
  out = valueSource_.IsNotVoid() ? valueSource_ : value_;
  return out;
}

int HANDOVER_PARAMETER::GetEnumerationValues(VALUE_LIST<PVMStrg>* out) const {
  if (!enumerationValues_) {
    return -1;
  }
  if (out != nullptr) {
    for (int i = 0; i < enumerationValues_->count(); ++i) {
      out->add((*enumerationValues_)[i]);
    }
  }
  return enumerationValues_->count();
}

// The type text reads ENUMERATION OF (a, b, ...); the library writes it as the word
// ENUMERATION_OF followed by the bracketed names, which the scanner returns as an identifier.
void HANDOVER_PARAMETER::SetEnumerationValues() {
  enumerationValues_.reset();
  if (!type_.StartsWith("ENUMERATIO")) {
    return;
  }
  TokenReader reader(type_);
  int code = reader.Next();
  bool opens =
      code == novl::ENUMERATION_OF || (code == novl::IDENT && reader.Value() == "ENUMERATION_OF");
  if (!opens) {
    return;
  }
  auto values = std::make_unique<VALUE_LIST<PVMStrg>>(TRUE);
  for (code = reader.Next(); code != novl::END_OF_TEXT && code != ')'; code = reader.Next()) {
    if (code == novl::IDENT) {
      values->add(reader.Value());
    }
  }
  enumerationValues_ = std::move(values);
}

XBOOL HANDOVER_PARAMETER::IsStringLike() const {
  return ToXBool(type_ == "STRING" || type_ == "smlcond" || type_ == "smlsid" ||
                 type_.StartsWith("ENUMERATION"));
}

XBOOL HANDOVER_PARAMETER::IsUnevaluated() const {
  return ToXBool(type_.StartsWith("Con") || type_ == "transformation_matrix");
}

const char* HANDOVER_PARAMETER::Set(const PVMStrg& text) {
  PVMStrg refusal;
  return Set(text, refusal);
}

const char* HANDOVER_PARAMETER::Set(const PVMStrg& text, PVMStrg& refusal) {
  PVMStrg candidate = Trimmed(text);
  const std::string shown = name_.GetpStr() + std::string(" = ") + candidate.GetpStr();
  refusal = "";
  if (HoldsSeveralStatements(candidate)) {
    // "5; depth=3" would set 5 and drop the rest unseen
    refusal = (shown + " holds more than one formula").c_str();
    return nullptr;
  }
  const bool refers = candidate.Find("_@");
  if (IsStringLike() && !refers) {
    candidate = NormalisedLiteral(candidate);
  }
  PVMStrg result;
  PVMStrg failed;
  switch (CheckRestrictions(candidate, result, &failed)) {
    case kAccepted:
      break;
    case kValueNotEvaluable:
      refusal = (shown + " cannot be evaluated (" + kNotEvaluableMarker + ")").c_str();
      return nullptr;
    case kRestraintViolated:
      refusal = failed.IsVoid()
                    ? (shown + " is not a finite number (" + kViolatedMarker + ")").c_str()
                    : (shown + " violates " + failed.GetpStr()).c_str();
      return nullptr;
    default:
      refusal = (shown + " cannot be checked: the restriction " + failed.GetpStr() +
                 " does not evaluate to TRUE or FALSE (" + kNotEvaluableMarker +
                 "); a restriction sees only VALUE, never the other parameters")
                    .c_str();
      return nullptr;
  }
  if (enumerationValues_ && !refers && !IsOneOf(result, *enumerationValues_)) {
    // a name outside the enumeration would silently build the default
    std::string names;
    for (int i = 0; i < enumerationValues_->count(); ++i) {
      names += (i > 0 ? ", " : "") + std::string((*enumerationValues_)[i].GetpStr());
    }
    refusal = (shown + " is none of " + names).c_str();
    return nullptr;
  }
  if (!refers) {
    std::string mismatch = TypeMismatch(candidate);
    if (!mismatch.empty()) {
      refusal = (shown + " " + mismatch).c_str();
      return nullptr;
    }
  }
  valueSource_ = "";
  if ((refers && !type_.StartsWith("Con")) || type_ == "transformation_matrix") {
    valueSource_ = candidate;
    valueSource_ << ';';
    valueSource_ &= ';';
  }
  value_ = valueSource_.IsNotVoid() && result.Find("_@") ? PVMStrg() : result;
  return valueSource_.IsNotVoid() ? valueSource_.GetpStr() : StoredText(value_);
}

// LOGIC takes logical values and NUMBER whole numbers; 1, 0, 'no' or 6.7 are refused rather than
// read as something the author did not write.
std::string HANDOVER_PARAMETER::TypeMismatch(const PVMStrg& text) const {
  const bool logic = type_ == "LOGIC";
  const bool number = type_ == "NUMBER";
  PVFFormulaEvaluator evaluate = GetLibraryFormulaEvaluator();
  if ((!logic && !number) || evaluate == nullptr || text.IsVoid() || text == ";") {
    return std::string();
  }
  PVMStrg result;
  int logical = -1;
  if (!evaluate(varnex::library::AsFormula(text), result, &logical)) {
    return std::string();  // refused by the restraint test already
  }
  if (logic) {
    return logical >= 0 ? std::string() : "is no logical value: give TRUE or FALSE";
  }
  const char* begin = result.GetpStr();
  char* end = nullptr;
  std::strtol(begin, &end, 10);
  if (logical < 0 && end != begin && *end == '\0') {
    return std::string();
  }
  return "is no whole number: give an integer (12, -3) or a formula of integers";
}

int HANDOVER_PARAMETER::check_restrictions(PVMStrg& value, PVMStrg& result) const {
  return CheckRestrictions(value, result, nullptr);
}

int HANDOVER_PARAMETER::CheckRestrictions(PVMStrg& value, PVMStrg& result, PVMStrg* failed) const {
  value.WhiteSpaceTrim();
  PVFFormulaEvaluator evaluate = GetLibraryFormulaEvaluator();
  if (value.IsVoid() || value == ";" || value == "''" || IsUnevaluated() || evaluate == nullptr) {
    result = value;
    return kAccepted;
  }
  int logical = -1;
  if (!evaluate(varnex::library::AsFormula(value), result, &logical)) {
    return kValueNotEvaluable;
  }
  std::vector<PVMStrg> restraints = varnex::library::SplitRestraints(restraints_);
  // Infinity passes "VALUE > 0" and NaN fails no comparison the way a restraint means it: a
  // value that is not a finite number violates every restraint.
  if (!restraints.empty() && IsNonFiniteNumber(result)) {
    return kRestraintViolated;
  }
  for (const PVMStrg& restraint : restraints) {
    int verdict = CheckOneRestraint(restraint, value);
    if (verdict != kAccepted) {
      if (failed != nullptr) {
        *failed = restraint;
      }
      return verdict;
    }
  }
  return kAccepted;
}

std::vector<PVMStrg> HANDOVER_PARAMETER::ObjectRestrictions() const {
  std::vector<PVMStrg> restrictions;
  for (PVMStrg restraint : varnex::library::SplitRestraints(restraints_)) {
    if (name_.IsNotVoid()) {
      ReplaceToken(restraint, name_, PVMStrg("VALUE"));
    }
    VALUE_LIST<PVMStrg> names(TRUE);
    FormulaReferenceNames(restraint, &names);
    bool only_value = true;
    for (int i = 0; i < names.count(); ++i) {
      only_value = only_value && names[i] == "VALUE";
    }
    if (only_value) {
      restrictions.push_back(restraint);
    }
  }
  return restrictions;
}

// The restraint names the value as VALUE or by the parameter's own name; either is replaced
// by the value in brackets, so that operators inside the value keep their grouping.
int HANDOVER_PARAMETER::CheckOneRestraint(const PVMStrg& restraint, const PVMStrg& value) const {
  PVMStrg bare(value);
  bare << ';';
  PVMStrg substitute = "(" & Trimmed(bare) & ")";
  PVMStrg expression(restraint);
  ReplaceToken(expression, "VALUE", substitute);
  if (name_.IsNotVoid()) {
    ReplaceToken(expression, name_, substitute);
  }
  PVMStrg text;
  int logical = -1;
  XBOOL evaluated =
      GetLibraryFormulaEvaluator()(varnex::library::AsFormula(expression), text, &logical);
  if (!evaluated || logical < 0) {
    return kRestraintNotLogical;
  }
  return logical != 0 ? kAccepted : kRestraintViolated;
}
