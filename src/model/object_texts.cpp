// object_logic, object_text and object_enum.
#include <varnex/model/object_values.h>
#include <varnex/model/op_scalar.h>
#include <varnex/model/op_text.h>

#include <memory>
#include <string>

#include "model/object_support.h"
#include "model/operands/formula_hook.h"

using varnex::model::AssignTarget;
using varnex::model::CopyAs;

namespace {

const char* AnswerValue(const rumpf& object, const std::string& text, PVMStrg& formula,
                        PVMStrg& value) {
  value = text.c_str();
  return object.get_value_source(formula) != nullptr ? formula.GetpStr() : value.GetpStr();
}

std::string Quoted(const char* text) {
  return std::string("'") + text + "'";
}

// A value text that is a bare word (no quotes, no statement end) and evaluates to nothing is
// meant as a literal text: the quoted form, else the text unchanged.
PVMStrg LiteralIfBare(PVMStrg& value) {
  std::string text(value.GetpStr());
  if (text.empty() || text.find_first_of("';") != std::string::npos) {
    return value;
  }
  std::unique_ptr<aritm> evaluated(
      varnex::model::EvaluateFormula(varnex::model::AsStatement(value).c_str()));
  if (evaluated != nullptr) {
    return value;
  }
  return PVMStrg(Quoted(text.c_str()));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// object_logic

object_logic::object_logic() {
  set_type("Logic");
}

object_logic::object_logic(const char* name) : rumpf(name) {
  set_type("Logic");
}

object_logic::object_logic(XBOOL value, const char* name) : rumpf(name), value_(value) {
  set_type("Logic");
}

object_logic::~object_logic() = default;

XBOOL object_logic::get() {
  Recompute(
      "object_logic", "logic", [](aritm& v) { return v.get_LOGICAL(); },
      [this](XBOOL v) { value_ = v; });
  return value_;
}

void object_logic::print_object() {
  varnex::model::PrintObject(*this, get() ? "TRUE" : "FALSE");
}

aritm* object_logic::get_aritm() {
  XBOOL value = get();
  auto* operand = new op_logic(value, get_value_source());
  operand->SetValidity(GetValidity());
  return operand;
}

XBOOL object_logic::IsCompatible(aritm* operand) {
  return ToXBool(operand != nullptr && operand->IsOpLogic());
}

rumpf* object_logic::copy(const char* name) {
  return CopyAs(*this, "object_logic", name, "no name given",
                [this](const char* n) { return new object_logic(value_, n); });
}

int object_logic::assign(const char* name) {
  auto* target = AssignTarget<object_logic>(*this, "object_logic", name, "LOGIC",
                                            "different types in entity assignment");
  if (target == nullptr) {
    return 0;
  }
  target->set(get());
  base_assign(target);
  return 1;
}

int object_logic::store(FILE* file) {
  if (rumpf::store(file) < 0) {
    return -1;
  }
  return varnex::model::StoreElement(file, value_ ? "XTRUE" : "XFALSE");
}

int object_logic::read_element(FILE* file) {
  std::string text;
  if (!varnex::model::ReadElementText(file, text)) {
    return -1;
  }
  value_ = ToXBool(text == "XTRUE" || text == "TRUE");
  return 0;
}

const char* object_logic::TestValue(PVMStrg& value, PVMStrg& result) {
  return rumpf::TestValue(value, result);
}

const char* object_logic::SetValue(PVMStrg& value, PVMStrg& result) {
  return rumpf::SetValue(value, result);
}

const char* object_logic::GetValue(PVMStrg& formula, PVMStrg& value) {
  return AnswerValue(*this, get() ? "TRUE" : "FALSE", formula, value);
}

const char* object_logic::get_value(PVMStrg& out) {
  out = value_ ? "TRUE" : "FALSE";
  return out;
}

char* object_logic::set_bool(XBOOL value) {
  value_ = value ? TRUE : FALSE;
  set_value_source(static_cast<const char*>(nullptr));
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// object_text

object_text::object_text() {
  set_type("Text");
}

object_text::object_text(const char* name) : rumpf(name) {
  set_type("Text");
}

object_text::object_text(const char* text, const char* name) : rumpf(name), text_(text) {
  set_type("Text");
}

object_text::~object_text() = default;

const char* object_text::get() {
  Recompute(
      "object_text", "text",
      [](aritm& v) {
        PVMStrg text;
        v.get_text(text);
        return text;
      },
      [this](const PVMStrg& text) { text_ = text; });
  return text_;
}

void object_text::print_object() {
  varnex::model::PrintObject(*this, Quoted(get()).c_str());
}

aritm* object_text::get_aritm() {
  PVMStrg text(get());
  auto* operand = new op_text(text, get_value_source());
  operand->SetValidity(GetValidity());
  return operand;
}

XBOOL object_text::IsCompatible(aritm* operand) {
  return ToXBool(operand != nullptr && (operand->IsOpText() || operand->IsOpEnum()));
}

rumpf* object_text::copy(const char* name) {
  return CopyAs(*this, "object_text", name, "newname == NULL",
                [this](const char* n) { return new object_text(text_, n); });
}

int object_text::assign(const char* name) {
  auto* target = AssignTarget<object_text>(*this, "object_text", name, "Type TEXT",
                                           "different types in entity assignement");
  if (target == nullptr) {
    return 0;
  }
  target->set(PVMStrg(get()).GetpStr());
  base_assign(target);
  return 1;
}

int object_text::store(FILE* file) {
  if (rumpf::store(file) < 0) {
    return -1;
  }
  return varnex::model::StoreElement(file, Quoted(text_));
}

int object_text::read_element(FILE* file) {
  std::string text;
  if (!varnex::model::ReadElementText(file, text)) {
    return -1;
  }
  if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'') {
    text = text.substr(1, text.size() - 2);
  }
  text_ = text.c_str();
  return 0;
}

const char* object_text::TestValue(PVMStrg& value, PVMStrg& result) {
  PVMStrg literal = LiteralIfBare(value);
  return rumpf::TestValue(literal, result);
}

const char* object_text::SetValue(PVMStrg& value, PVMStrg& result) {
  PVMStrg literal = LiteralIfBare(value);
  return rumpf::SetValue(literal, result);
}

const char* object_text::GetValue(PVMStrg& formula, PVMStrg& value) {
  return AnswerValue(*this, Quoted(get()), formula, value);
}

const char* object_text::get_value(PVMStrg& out) {
  out = Quoted(text_).c_str();
  return out;
}

void* object_text::getVal() {
  return const_cast<char*>(get());
}

char* object_text::set_char(const char* text) {
  text_ = text == nullptr ? "" : text;
  set_value_source(static_cast<const char*>(nullptr));
  return AcceptedText();
}

// ---------------------------------------------------------------------------------------------
// object_enum

object_enum::object_enum() {
  set_type("ENUMERATION");
}

object_enum::object_enum(const char* name) : rumpf(name) {
  set_type("ENUMERATION");
}

object_enum::object_enum(VALUE_LIST<PVMStrg>* values, int index, const char* name)
    : rumpf(name), index_(index) {
  set_type("ENUMERATION");
  CopyValues(values);
}

object_enum::~object_enum() = default;

void object_enum::CopyValues(VALUE_LIST<PVMStrg>* values) {
  values_.Clear();
  for (int i = 0; values != nullptr && i < values->count(); ++i) {
    values_.Add((*values)[i]);
  }
}

int object_enum::IndexOf(const char* text) const {
  return text == nullptr ? -1 : values_.Lookup(text);
}

int object_enum::get() {
  Recompute(
      "object_enum", "enum",
      [this](aritm& v) {
        PVMStrg text;
        if (v.IsOpEnum()) {
          return IndexOf(v.get_enum_val());
        }
        return IndexOf(v.get_text(text));
      },
      [this](int index) { index_ = index; });
  return index_;
}

int object_enum::SetAliasType() {
  if (values_.Count() == 0) {
    return 0;
  }
  std::string alias = "ENUMERATION OF (";
  for (int i = 0; i < values_.Count(); ++i) {
    alias += (i == 0 ? "" : ", ") + std::string(values_[i]);
  }
  ReplaceAliasType((alias + ")").c_str());
  return 1;
}

int object_enum::GetEnumerationValues(VALUE_LIST<PVMStrg>* out) const {
  for (int i = 0; out != nullptr && i < values_.Count(); ++i) {
    out->add(PVMStrg(values_[i]));
  }
  return values_.Count();
}

int object_enum::get_enum_nr() {
  return get();
}

const char* object_enum::get_enum_val() {
  return values_[get()];
}

int object_enum::set_enum_by_nr(int index) {
  if (index < 0 || index >= values_.Count()) {
    return 0;
  }
  index_ = index;
  set_value_source(static_cast<const char*>(nullptr));
  return 1;
}

void object_enum::print_object() {
  const char* selected = get_enum_val();
  varnex::model::PrintObject(*this, selected == nullptr ? "" : Quoted(selected).c_str());
}

aritm* object_enum::get_aritm() {
  int index = get();
  VALUE_LIST<PVMStrg> values;
  GetEnumerationValues(&values);
  auto* operand = new op_enum(index, &values, get_value_source());
  operand->SetValidity(GetValidity());
  return operand;
}

XBOOL object_enum::IsCompatible(aritm* operand) {
  if (operand == nullptr) {
    return FALSE;
  }
  if (operand->IsOpEnum()) {
    const VALUE_LIST<PVMStrg>& values = static_cast<op_enum*>(operand)->values();
    for (int i = 0; i < values.count(); ++i) {
      if (IndexOf(values[i]) < 0) {
        return FALSE;
      }
    }
    return TRUE;
  }
  PVMStrg text;
  return ToXBool(operand->IsOpText() && operand->get_value_source() == nullptr &&
                 IndexOf(operand->get_text(text)) >= 0);
}

rumpf* object_enum::copy(const char* name) {
  return CopyAs(*this, "object_enum", name, "no name given", [this](const char* n) {
    VALUE_LIST<PVMStrg> values;
    GetEnumerationValues(&values);
    return new object_enum(&values, index_, n);
  });
}

int object_enum::assign(const char* name) {
  auto* target =
      AssignTarget<object_enum>(*this, "object_enum", name, "ENUM", "different Entity Types");
  if (target == nullptr) {
    return 0;
  }
  VALUE_LIST<PVMStrg> values;
  GetEnumerationValues(&values);
  target->CopyValues(&values);
  target->index_ = get();
  base_assign(target);
  return 1;
}

int object_enum::store(FILE* file) {
  if (rumpf::store(file) < 0) {
    return -1;
  }
  std::string value = std::to_string(index_) + " ";
  for (int i = 0; i < values_.Count(); ++i) {
    value += std::string("#") + values_[i];
  }
  return varnex::model::StoreElement(file, value + "#");
}

int object_enum::read_element(FILE* file) {
  std::string text;
  if (!varnex::model::ReadElementText(file, text)) {
    return -1;
  }
  index_ = std::atoi(text.c_str());
  values_.Clear();
  std::size_t hash = text.find('#');
  while (hash != std::string::npos) {
    std::size_t next = text.find('#', hash + 1);
    if (next == std::string::npos) {
      break;
    }
    values_.Add(text.substr(hash + 1, next - hash - 1).c_str());
    hash = next;
  }
  return 0;
}

const char* object_enum::TestValue(PVMStrg& value, PVMStrg& result) {
  PVMStrg literal = IndexOf(value) >= 0 ? PVMStrg(Quoted(value)) : value;
  return rumpf::TestValue(literal, result);
}

const char* object_enum::SetValue(PVMStrg& value, PVMStrg& result) {
  PVMStrg literal = IndexOf(value) >= 0 ? PVMStrg(Quoted(value)) : value;
  return rumpf::SetValue(literal, result);
}

const char* object_enum::GetValue(PVMStrg& formula, PVMStrg& value) {
  const char* selected = get_enum_val();
  return AnswerValue(*this, selected == nullptr ? "" : Quoted(selected), formula, value);
}

const char* object_enum::get_value(PVMStrg& out) {
  const char* selected = values_[index_];
  out = selected == nullptr ? "" : Quoted(selected).c_str();
  return out;
}

char* object_enum::set_char(const char* text) {
  int index = IndexOf(text);
  if (index < 0) {
    varnex::model::ReportKind(
        "object_enum", "set_char",
        std::string("value ") + (text == nullptr ? "" : text) + " not allowed");
    return nullptr;
  }
  index_ = index;
  set_value_source(static_cast<const char*>(nullptr));
  return AcceptedText();
}

char* object_enum::set_double(double value) {
  int index = static_cast<int>(value);
  index_ = value < 0.0 || index >= values_.Count() ? 0 : index;
  set_value_source(static_cast<const char*>(nullptr));
  return AcceptedText();
}
