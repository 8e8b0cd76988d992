// object_vector and object_axis, with per-component formulas kept in one combined value source.
#include <varnex/model/object_vectors.h>
#include <varnex/model/op_vector.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "model/formula_tokens.h"
#include "model/object_support.h"
#include "model/operands/formula_hook.h"
#include "model/operands/kind_support.h"

using varnex::model::AssignInto;
using varnex::model::CopyAs;
using varnex::model::NumberText;

const char* CombineVectorComponents(PVMStrg& out, PVMStrg* c) {
  out = PVMStrg("[") & c[0] & ", " & c[1] & ", " & c[2] & "]";
  return out;
}

const char* CombineAxisComponents(PVMStrg& out, PVMStrg* c) {
  out = PVMStrg("[[") & c[0] & ", " & c[1] & ", " & c[2] & "], [" & c[3] & ", " & c[4] & ", " &
        c[5] & "]]";
  return out;
}

namespace {

const char* AnswerValue(const rumpf& object, const std::string& text, PVMStrg& formula,
                        PVMStrg& value) {
  value = text.c_str();
  return object.get_value_source(formula) != nullptr ? formula.GetpStr() : value.GetpStr();
}

bool HasGeneratedName(const std::string& text) {
  return text.find("_@") != std::string::npos;
}

// The number a component formula yields: false (nothing stored) unless it is a number.
bool EvaluateNumber(const PVMStrg& text, double& number, PVMStrg& value_text) {
  std::unique_ptr<aritm> value(
      varnex::model::EvaluateFormula(varnex::model::AsStatement(text).c_str()));
  if (value == nullptr || !(value->IsOpZahl() || value->IsOpNumber())) {
    return false;
  }
  number = value->get_double();
  value->GetValue(value_text);
  return true;
}

// The vector a whole-part formula yields, with its value text; null unless it is a vector.
std::unique_ptr<aritm> EvaluateVector(const PVMStrg& text, PVMStrg& value_text) {
  std::unique_ptr<aritm> value(
      varnex::model::EvaluateFormula(varnex::model::AsStatement(text).c_str()));
  if (value == nullptr || !value->IsOpVector()) {
    return nullptr;
  }
  value->GetValue(value_text);
  return value;
}

// The component texts of a combined value source: 3 for a vector, 6 for an axis (the two parts
// of "[origin, direction]" each split again). False when the source has another shape.
bool SplitSource(const char* source, int count, std::vector<std::string>& parts) {
  if (source == nullptr) {
    return false;
  }
  if (count == 3) {
    return varnex::model::SplitBracketedComponents(source, 3, parts);
  }
  std::vector<std::string> halves, origin, direction;
  if (!varnex::model::SplitBracketedComponents(source, 2, halves) ||
      !varnex::model::SplitBracketedComponents(halves[0], 3, origin) ||
      !varnex::model::SplitBracketedComponents(halves[1], 3, direction)) {
    return false;
  }
  parts = origin;
  parts.insert(parts.end(), direction.begin(), direction.end());
  return true;
}

// The value source after component `slot` of `values` (count 3 or 6) became the formula `text`:
// the recombined components when they name a generated object, else none.
std::string ComponentSource(const char* source, const double* values, int count, int slot,
                            const PVMStrg& text) {
  std::vector<std::string> parts;
  bool split = SplitSource(source, count, parts);
  if (!split) {
    if (!HasGeneratedName(text.GetpStr())) {
      return "";
    }
    parts.clear();
    for (int i = 0; i < count; ++i) {
      parts.push_back(NumberText(values[i]));
    }
  }
  parts[slot] = text.GetpStr();
  std::vector<PVMStrg> texts(parts.begin(), parts.end());
  PVMStrg combined;
  if (count == 3) {
    CombineVectorComponents(combined, texts.data());
  } else {
    CombineAxisComponents(combined, texts.data());
  }
  return HasGeneratedName(combined.GetpStr()) ? std::string(combined.GetpStr()) + ";" : "";
}

std::string Numbers(const double* values, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    if (i > 0) {
      out += ' ';
    }
    out += NumberText(values[i]);
  }
  return out;
}

bool ReadNumbers(FILE* file, double* values, int count) {
  std::string text;
  if (!varnex::model::ReadElementText(file, text)) {
    return false;
  }
  std::istringstream in(text);
  std::array<double, 6> read{};
  for (int i = 0; i < count; ++i) {
    if (!(in >> read[i])) {
      return false;
    }
  }
  std::copy(read.begin(), read.begin() + count, values);
  return true;
}

int NullPointer(const char* cls, const char* operation) {
  varnex::model::ReportKind(cls, operation, "value pointer = NULL");
  return -1;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// object_vector

object_vector::object_vector() {
  set_type("vector");
}

object_vector::object_vector(const char* name) : rumpf(name) {
  set_type("vector");
}

object_vector::object_vector(double x, double y, double z, const char* name)
    : rumpf(name), xyz_{x, y, z} {
  set_type("vector");
}

object_vector::~object_vector() = default;

double* object_vector::get() {
  Recompute(
      "object_vector", "vector",
      [](aritm& v) {
        const double* xyz = v.get_vector();
        return std::array<double, 3>{xyz[0], xyz[1], xyz[2]};
      },
      [this](const std::array<double, 3>& v) { std::copy(v.begin(), v.end(), xyz_); });
  return xyz_;
}

int object_vector::SetVector(const double* xyz) {
  if (xyz == nullptr) {
    return NullPointer("object_vector", "SetVector");
  }
  set(xyz[0], xyz[1], xyz[2]);
  return 0;
}

int object_vector::GetVector(double* xyz) {
  if (xyz == nullptr) {
    return NullPointer("object_vector", "GetVector");
  }
  const double* current = get();
  std::copy(current, current + 3, xyz);
  return 0;
}

double object_vector::Length() {
  const double* v = get();
  return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

int object_vector::Normalise() {
  double length = Length();
  if (length < 1e-10) {
    return -1;
  }
  set(xyz_[0] / length, xyz_[1] / length, xyz_[2] / length);
  return 0;
}

const char* object_vector::GetComponentValue(PVMStrg& out, int index) {
  if (index < 0 || index > 2) {
    return nullptr;
  }
  out = NumberText(get()[index]).c_str();
  return out;
}

const char* object_vector::TestComponentValue(PVMStrg& text, PVMStrg& result, int index) {
  double number = 0.0;
  if (index < 0 || index > 2 || !EvaluateNumber(text, number, result)) {
    return nullptr;
  }
  return result;
}

const char* object_vector::SetComponentValue(PVMStrg& text, PVMStrg& result, int index) {
  double number = 0.0;
  if (index < 0 || index > 2 || !EvaluateNumber(text, number, result)) {
    return nullptr;
  }
  get();  // the other components as their formulas give them now
  std::string source = ComponentSource(get_value_source(), xyz_, 3, index, text);
  xyz_[index] = number;
  set_value_source(source.c_str());
  return result;
}

void object_vector::print_object() {
  varnex::model::PrintObject(*this, varnex::model::VectorText(get()).c_str());
}

aritm* object_vector::get_aritm() {
  const double* xyz = get();
  auto* operand = new op_vector(xyz, get_value_source());
  operand->SetValidity(GetValidity());
  return operand;
}

XBOOL object_vector::IsCompatible(aritm* operand) {
  return ToXBool(operand != nullptr && operand->IsOpVector());
}

rumpf* object_vector::copy(const char* name) {
  return CopyAs(*this, "object_vector", name, "no name given",
                [this](const char* n) { return new object_vector(xyz_[0], xyz_[1], xyz_[2], n); });
}

int object_vector::assign(const char* name) {
  return AssignInto<object_vector>(*this, "object_vector", name, "ZAHL",
                                   "different types in entity assign", [&](object_vector& target) {
                                     const double* xyz = get();
                                     target.set(xyz[0], xyz[1], xyz[2]);
                                   });
}

int object_vector::store(FILE* file) {
  return varnex::model::StoreRecord(*this, file, Numbers(xyz_, 3));
}

int object_vector::read_element(FILE* file) {
  return ReadNumbers(file, xyz_, 3) ? 0 : -1;
}

const char* object_vector::GetValue(PVMStrg& formula, PVMStrg& value) {
  return AnswerValue(*this, varnex::model::VectorText(get()), formula, value);
}

const char* object_vector::get_value(PVMStrg& out) {
  out = varnex::model::VectorText(xyz_).c_str();
  return out;
}

void* object_vector::getVal() {
  return get();
}

char* object_vector::set_vector(double x, double y, double z) {
  xyz_[0] = x;
  xyz_[1] = y;
  xyz_[2] = z;
  set_value_source(static_cast<const char*>(nullptr));
  return AcceptedText();
}

// ---------------------------------------------------------------------------------------------
// object_axis

object_axis::object_axis() {
  set_type("AXIS");
}

object_axis::object_axis(const char* name) : rumpf(name) {
  set_type("AXIS");
}

object_axis::object_axis(double ox, double oy, double oz, double dx, double dy, double dz,
                         const char* name)
    : rumpf(name), axis_{ox, oy, oz, dx, dy, dz} {
  set_type("AXIS");
}

object_axis::object_axis(const double* origin, const double* direction, const char* name)
    : rumpf(name) {
  set_type("AXIS");
  if (origin != nullptr) {
    std::copy(origin, origin + 3, axis_);
  }
  if (direction != nullptr) {
    std::copy(direction, direction + 3, axis_ + 3);
  }
}

object_axis::~object_axis() = default;

double* object_axis::get() {
  Recompute(
      "object_axis", "axis",
      [](aritm& v) {
        const double* six = v.get_axis();
        std::array<double, 6> values{};
        std::copy(six, six + 6, values.begin());
        return values;
      },
      [this](const std::array<double, 6>& v) { std::copy(v.begin(), v.end(), axis_); });
  return axis_;
}

int object_axis::SetOrigin(const double* origin) {
  if (origin == nullptr) {
    return NullPointer("object_axis", "SetOrigin");
  }
  set(origin[0], origin[1], origin[2], axis_[3], axis_[4], axis_[5]);
  return 0;
}

int object_axis::GetOrigin(double* origin) {
  if (origin == nullptr) {
    return NullPointer("object_axis", "GetOrigin");
  }
  const double* six = get();
  std::copy(six, six + 3, origin);
  return 0;
}

int object_axis::SetDirection(const double* direction) {
  if (direction == nullptr) {
    return NullPointer("object_axis", "SetDirection");
  }
  set(axis_[0], axis_[1], axis_[2], direction[0], direction[1], direction[2]);
  return 0;
}

int object_axis::GetDirection(double* direction) {
  if (direction == nullptr) {
    return NullPointer("object_axis", "GetDirection");
  }
  const double* six = get();
  std::copy(six + 3, six + 6, direction);
  return 0;
}

int object_axis::SetAxis(const double* six) {
  if (six == nullptr) {
    return NullPointer("object_axis", "SetAxis");
  }
  set(six[0], six[1], six[2], six[3], six[4], six[5]);
  return 0;
}

int object_axis::GetAxis(double* six) {
  if (six == nullptr) {
    return NullPointer("object_axis", "GetAxis");
  }
  const double* current = get();
  std::copy(current, current + 6, six);
  return 0;
}

int object_axis::SetOrigin(int index, double value) {
  if (index < 0 || index > 2) {
    return -1;
  }
  double six[6];
  std::copy(axis_, axis_ + 6, six);
  six[index] = value;
  return SetAxis(six);
}

double object_axis::GetOrigin(int index) {
  return index < 0 || index > 2 ? 0.0 : get()[index];
}

int object_axis::SetDirection(int index, double value) {
  if (index < 0 || index > 2) {
    return -1;
  }
  double six[6];
  std::copy(axis_, axis_ + 6, six);
  six[3 + index] = value;
  return SetAxis(six);
}

double object_axis::GetDirection(int index) {
  return index < 0 || index > 2 ? 0.0 : get()[3 + index];
}

const char* object_axis::SetComponentValue(PVMStrg& text, PVMStrg& result, int part) {
  if (part < 0 || part > 1) {
    return nullptr;
  }
  std::unique_ptr<aritm> value = EvaluateVector(text, result);
  if (value == nullptr) {
    return nullptr;
  }
  const double* xyz = value->get_vector();
  get();
  std::vector<std::string> halves;
  std::string source;
  const char* current = get_value_source();
  bool split = current != nullptr && varnex::model::SplitBracketedComponents(current, 2, halves);
  if (split || HasGeneratedName(text.GetpStr())) {
    if (!split) {
      halves = {varnex::model::VectorText(axis_), varnex::model::VectorText(axis_ + 3)};
    }
    halves[part] = text.GetpStr();
    std::string combined = "[" + halves[0] + ", " + halves[1] + "]";
    source = HasGeneratedName(combined) ? combined + ";" : "";
  }
  std::copy(xyz, xyz + 3, axis_ + 3 * part);
  set_value_source(source.c_str());
  return result;
}

const char* object_axis::SetComponentValue(PVMStrg& text, PVMStrg& result, int part, int index) {
  double number = 0.0;
  if (part < 0 || part > 1 || index < 0 || index > 2 || !EvaluateNumber(text, number, result)) {
    return nullptr;
  }
  get();
  int slot = 3 * part + index;
  std::string source = ComponentSource(get_value_source(), axis_, 6, slot, text);
  axis_[slot] = number;
  set_value_source(source.c_str());
  return result;
}

const char* object_axis::GetComponentValue(PVMStrg& out, int part) {
  if (part < 0 || part > 1) {
    return nullptr;
  }
  out = varnex::model::VectorText(get() + 3 * part).c_str();
  return out;
}

const char* object_axis::GetComponentValue(PVMStrg& out, int part, int index) {
  if (part < 0 || part > 1 || index < 0 || index > 2) {
    return nullptr;
  }
  out = NumberText(get()[3 * part + index]).c_str();
  return out;
}

const char* object_axis::TestComponentValue(PVMStrg& text, PVMStrg& result, int part) {
  if (part < 0 || part > 1) {
    return nullptr;
  }
  return EvaluateVector(text, result) != nullptr ? result.GetpStr() : nullptr;
}

const char* object_axis::TestComponentValue(PVMStrg& text, PVMStrg& result, int part, int index) {
  double number = 0.0;
  if (part < 0 || part > 1 || index < 0 || index > 2 || !EvaluateNumber(text, number, result)) {
    return nullptr;
  }
  return result;
}

void object_axis::print_object() {
  varnex::model::PrintObject(*this, varnex::model::AxisText(get()).c_str());
}

aritm* object_axis::get_aritm() {
  const double* six = get();
  auto* operand = new op_axis(six, six + 3, get_value_source());
  operand->SetValidity(GetValidity());
  return operand;
}

XBOOL object_axis::IsCompatible(aritm* operand) {
  return ToXBool(operand != nullptr && operand->IsOpAxis());
}

rumpf* object_axis::copy(const char* name) {
  return CopyAs(*this, "object_axis", name, "no name given",
                [this](const char* n) { return new object_axis(axis_, axis_ + 3, n); });
}

int object_axis::assign(const char* name) {
  return AssignInto<object_axis>(*this, "object_axis", name, "ZAHL",
                                 "different types in entity assign",
                                 [&](object_axis& target) { target.SetAxis(get()); });
}

int object_axis::store(FILE* file) {
  return varnex::model::StoreRecord(*this, file, Numbers(axis_, 6));
}

int object_axis::read_element(FILE* file) {
  return ReadNumbers(file, axis_, 6) ? 0 : -1;
}

const char* object_axis::GetValue(PVMStrg& formula, PVMStrg& value) {
  return AnswerValue(*this, varnex::model::AxisText(get()), formula, value);
}

const char* object_axis::get_value(PVMStrg& out) {
  out = varnex::model::AxisText(axis_).c_str();
  return out;
}

void* object_axis::getVal() {
  return get();
}

char* object_axis::set_axis(double* origin, double* direction) {
  if (origin == nullptr || direction == nullptr) {
    return nullptr;
  }
  return set_axis(origin[0], origin[1], origin[2], direction[0], direction[1], direction[2]);
}

char* object_axis::set_axis(double ox, double oy, double oz, double dx, double dy, double dz) {
  double six[6] = {ox, oy, oz, dx, dy, dz};
  std::copy(six, six + 6, axis_);
  set_value_source(static_cast<const char*>(nullptr));
  return AcceptedText();
}
