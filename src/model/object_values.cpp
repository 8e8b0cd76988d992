// The scalar object kinds: numbers (object_number, object_zahl, PVFAnnotationZahl), logical
// values, texts and enumerations (object_logic, object_text, object_enum).
#include <varnex/model/object_values.h>
#include <varnex/model/op_scalar.h>
#include <varnex/model/op_text.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "model/object_support.h"
#include "model/operands/formula_hook.h"
#include "model/operands/kind_support.h"

// object_number, object_zahl and PVFAnnotationZahl: integer and floating-point numbers.
using varnex::model::AssignInto;
using varnex::model::CopyAs;
using varnex::model::NumberText;

namespace {

// Writes the value text and, with a formula, the formula; returns what GetValue promises.
const char* AnswerValue(const rumpf& object, const std::string& text, PVMStrg& formula,
                        PVMStrg& value) {
  value = text.c_str();
  return object.get_value_source(formula) != nullptr ? formula.GetpStr() : value.GetpStr();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// object_number

object_number::object_number() {
  set_type("Nummer");
}

object_number::object_number(const char* name) : rumpf(name) {
  set_type("Nummer");
}

object_number::object_number(long value, const char* name)
    : rumpf(name), value_(varnex::model::Wrap32(value)) {
  set_type("Nummer");
}

object_number::~object_number() = default;

long object_number::get() {
  Recompute(
      "object_number", "number", [](aritm& v) { return v.get_long(); },
      [this](long v) { value_ = v; });
  return value_;
}

void object_number::print_object() {
  varnex::model::PrintObject(*this, std::to_string(get()).c_str());
}

aritm* object_number::get_aritm() {
  long value = get();
  auto* operand = new op_number(value, get_value_source());
  operand->SetValidity(GetValidity());
  return operand;
}

XBOOL object_number::IsCompatible(aritm* operand) {
  return ToXBool(operand != nullptr && (operand->IsOpNumber() || operand->IsOpZahl()));
}

rumpf* object_number::copy(const char* name) {
  return CopyAs(*this, "object_number", name, "Name of new Object not specified",
                [this](const char* n) { return new object_number(value_, n); });
}

int object_number::assign(const char* name) {
  return AssignInto<object_number>(*this, "object_number", name, "NUMMER",
                                   "different types in entity assign",
                                   [&](object_number& target) { target.set(get()); });
}

int object_number::store(FILE* file) {
  return varnex::model::StoreRecord(*this, file, std::to_string(value_));
}

int object_number::read_element(FILE* file) {
  std::string text;
  if (!varnex::model::ReadElementText(file, text)) {
    return -1;
  }
  value_ = varnex::model::ReadInt32(text.c_str());
  return 0;
}

const char* object_number::GetValue(PVMStrg& formula, PVMStrg& value) {
  return AnswerValue(*this, std::to_string(get()), formula, value);
}

const char* object_number::get_value(PVMStrg& out) {
  out = std::to_string(value_).c_str();
  return out;
}

char* object_number::set_double(double value) {
  return set_long(varnex::model::TruncateToInt32(value));
}

char* object_number::set_long(long value) {
  value_ = varnex::model::Wrap32(value);
  set_value_source(static_cast<const char*>(nullptr));
  return AcceptedText();
}

// ---------------------------------------------------------------------------------------------
// object_zahl

object_zahl::object_zahl() {
  set_type("Zahl");
}

object_zahl::object_zahl(const char* name) : rumpf(name) {
  set_type("Zahl");
}

object_zahl::object_zahl(double value, const char* name) : rumpf(name), value_(value) {
  set_type("Zahl");
}

object_zahl::~object_zahl() = default;

double object_zahl::get() {
  Recompute(
      "object_zahl", "zahl", [](aritm& v) { return v.get_double(); },
      [this](double v) { value_ = v; });
  return value_;
}

void object_zahl::print_object() {
  varnex::model::PrintObject(*this, NumberText(get()).c_str());
}

aritm* object_zahl::get_aritm() {
  double value = get();
  auto* operand = new op_zahl(value, get_value_source());
  operand->SetValidity(GetValidity());
  return operand;
}

XBOOL object_zahl::IsCompatible(aritm* operand) {
  return ToXBool(operand != nullptr && (operand->IsOpZahl() || operand->IsOpNumber()));
}

rumpf* object_zahl::copy(const char* name) {
  return CopyAs(*this, "object_zahl", name, "no name given",
                [this](const char* n) { return new object_zahl(value_, n); });
}

int object_zahl::assign(const char* name) {
  return AssignInto<object_zahl>(*this, "object_zahl", name, "ZAHL",
                                 "different types in entity assign",
                                 [&](object_zahl& target) { target.set(get()); });
}

int object_zahl::store(FILE* file) {
  return varnex::model::StoreRecord(*this, file, NumberText(value_));
}

int object_zahl::read_element(FILE* file) {
  std::string text;
  if (!varnex::model::ReadElementText(file, text)) {
    return -1;
  }
  value_ = std::strtod(text.c_str(), nullptr);
  return 0;
}

const char* object_zahl::GetValue(PVMStrg& formula, PVMStrg& value) {
  return AnswerValue(*this, NumberText(get()), formula, value);
}

const char* object_zahl::get_value(PVMStrg& out) {
  out = NumberText(value_).c_str();
  return out;
}

void* object_zahl::getVal() {
  get();
  return &value_;
}

char* object_zahl::set_double(double value) {
  value_ = value;
  set_value_source(static_cast<const char*>(nullptr));
  return AcceptedText();
}

char* object_zahl::set_long(long value) {
  return set_double(static_cast<double>(value));
}

// ---------------------------------------------------------------------------------------------
// PVFAnnotationZahl

PVFAnnotationZahl::PVFAnnotationZahl() = default;

PVFAnnotationZahl::PVFAnnotationZahl(const char* name) : object_zahl(name) {}

PVFAnnotationZahl::PVFAnnotationZahl(double value, const char* name, const char* connect_name)
    : object_zahl(value, name), connect_name_(connect_name) {}

const char* PVFAnnotationZahl::GetConnectName() const {
  return connect_name_.IsVoid() ? nullptr : connect_name_.GetpStr();
}

void PVFAnnotationZahl::SetConnectName(const char* connect_name) {
  connect_name_ = connect_name == nullptr ? "" : connect_name;
}

rumpf* PVFAnnotationZahl::copy(const char* name) {
  return CopyAs(*this, "PVFAnnotationZahl", name, "no name given", [this](const char* n) {
    return new PVFAnnotationZahl(cached(), n, connect_name_);
  });
}

int PVFAnnotationZahl::store(FILE* file) {
  if (file == nullptr) {
    return -1;
  }
  std::fprintf(file, "typ_: %s;\nSub", "ANNOTATIONZAHL");
  if (rumpf::store(file) < 0) {
    return -1;
  }
  std::string connect = connect_name_.IsVoid() ? "NULL" : connect_name_.GetpStr();
  return varnex::model::StoreElement(file, NumberText(cached()) + " " + connect);
}

int PVFAnnotationZahl::read_element(FILE* file) {
  std::string text;
  if (!varnex::model::ReadElementText(file, text)) {
    return -1;
  }
  std::size_t blank = text.find(' ');
  set(std::strtod(text.c_str(), nullptr));
  std::string connect = blank == std::string::npos ? "" : text.substr(blank + 1);
  SetConnectName(connect == "NULL" ? "" : connect.c_str());
  return 0;
}

// The contour that shows the annotation is the host's; the number itself changes as any other.
const char* PVFAnnotationZahl::SetValue(PVMStrg& value, PVMStrg& result) {
  return rumpf::SetValue(value, result);
}

const char* PVFAnnotationZahl::get_value(PVMStrg& out) {
  return object_zahl::get_value(out);
}

// object_logic, object_text and object_enum.

namespace {

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
  return AssignInto<object_logic>(*this, "object_logic", name, "LOGIC",
                                  "different types in entity assignment",
                                  [&](object_logic& target) { target.set(get()); });
}

int object_logic::store(FILE* file) {
  return varnex::model::StoreRecord(*this, file, value_ ? "XTRUE" : "XFALSE");
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
  return AssignInto<object_text>(
      *this, "object_text", name, "Type TEXT", "different types in entity assignement",
      [&](object_text& target) { target.set(PVMStrg(get()).GetpStr()); });
}

int object_text::store(FILE* file) {
  return varnex::model::StoreRecord(*this, file, Quoted(text_));
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
  return AssignInto<object_enum>(*this, "object_enum", name, "ENUM", "different Entity Types",
                                 [&](object_enum& target) {
                                   VALUE_LIST<PVMStrg> values;
                                   GetEnumerationValues(&values);
                                   target.CopyValues(&values);
                                   target.index_ = get();
                                 });
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
