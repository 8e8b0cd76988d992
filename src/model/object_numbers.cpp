// object_number, object_zahl and PVFAnnotationZahl: integer and floating-point numbers.
#include <varnex/model/object_values.h>
#include <varnex/model/op_scalar.h>

#include <cstdlib>
#include <string>

#include "model/object_support.h"
#include "model/operands/kind_support.h"

using varnex::model::AssignTarget;
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
  auto* target = AssignTarget<object_number>(*this, "object_number", name, "NUMMER",
                                             "different types in entity assign");
  if (target == nullptr) {
    return 0;
  }
  target->set(get());
  base_assign(target);
  return 1;
}

int object_number::store(FILE* file) {
  if (rumpf::store(file) < 0) {
    return -1;
  }
  return varnex::model::StoreElement(file, std::to_string(value_));
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
  auto* target = AssignTarget<object_zahl>(*this, "object_zahl", name, "ZAHL",
                                           "different types in entity assign");
  if (target == nullptr) {
    return 0;
  }
  target->set(get());
  base_assign(target);
  return 1;
}

int object_zahl::store(FILE* file) {
  if (rumpf::store(file) < 0) {
    return -1;
  }
  return varnex::model::StoreElement(file, NumberText(value_));
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
