// What every operand kind shares: registration, value source, restrictions, validity, the
// setsval formula rule and the creation of named objects from a value.
#include <varnex/base/messages.h>
#include <varnex/model/aritm.h>

#include <atomic>
#include <cstring>
#include <string>

#include "model/object_bridge.h"
#include "model/operands/formula_hook.h"
#include "model/operands/registry.h"

namespace {
std::atomic<std::uint64_t> next_serial{1};
}  // namespace

aritm::aritm(const char* valueSource) : serial_(next_serial++) {
  set_value_source(valueSource);
  varnex::model::RegisterOperand(this);
}

aritm::~aritm() {
  varnex::model::UnregisterOperand(this);
}

const char* aritm::ClassName() const {
  return "aritm";
}

void aritm::Report(const char* operation, const char* message) const {
  ClassError(ClassName(), operation, message, 1, 0);
}

aritm* aritm::MissingOperand(const char* operation, const char* what) const {
  std::string message = std::string("operand to ") + what + " not specified";
  Report(operation, message.c_str());
  return nullptr;
}

aritm* aritm::NegateAndDelete(aritm* reversed) {
  if (reversed == nullptr) {
    return nullptr;
  }
  aritm* negated = reversed->minus_of();
  delete reversed;
  return negated;
}

void aritm::CopyAttributesFrom(aritm& other) {
  if (other.get_value_source() != nullptr) {
    set_value_source(other.get_value_source());
  }
  validity_ = other.validity_;
}

// Value source.

const char* aritm::get_value_source() const {
  return valueSource_ ? valueSource_->GetpStr() : nullptr;
}

const char* aritm::get_value_source(PVMStrg& out) const {
  out = get_value_source();
  return valueSource_ ? out.GetpStr() : nullptr;
}

const char* aritm::set_value_source(const char* text) {
  if (text == nullptr || *text == '\0') {
    valueSource_.reset();
  } else if (valueSource_) {
    *valueSource_ = text;
  } else {
    valueSource_ = std::make_unique<PVMStrg>(text);
  }
  return text;
}

PVMStrg& aritm::set_value_source(PVMStrg& text) {
  set_value_source(text.GetpStr());
  return text;
}

// Restrictions and validity.

int aritm::SetRestrictions(const VALUE_LIST<PVMStrg>* restrictions) {
  restrictions_.reset();
  return AddRestrictions(restrictions);
}

int aritm::AddRestrictions(const VALUE_LIST<PVMStrg>* restrictions) {
  if (restrictions == nullptr || restrictions->count() == 0) {
    return restrictions_ ? restrictions_->count() : 0;
  }
  if (!restrictions_) {
    restrictions_ = std::make_unique<VALUE_LIST<PVMStrg>>(TRUE);
  }
  for (int i = 0; i < restrictions->count(); ++i) {
    restrictions_->add((*restrictions)[i]);
  }
  return restrictions_->count();
}

int aritm::GetRestrictions(VALUE_LIST<PVMStrg>* out) const {
  if (!restrictions_) {
    return 0;
  }
  if (out != nullptr) {
    for (int i = 0; i < restrictions_->count(); ++i) {
      out->add((*restrictions_)[i]);
    }
  }
  return restrictions_->count();
}

int aritm::SetValidity(int validity) {
  bool changed = validity != validity_;
  validity_ = validity;
  return changed ? 1 : 0;
}

// Registry.

void aritm::ClearAritmList() {
  while (aritm* operand = varnex::model::LastRegisteredOperand()) {
    delete operand;
  }
}

std::size_t aritm::AritmCount() {
  return varnex::model::RegisteredOperandCount();
}

// Text access through caller buffers.

char* aritm::get_text(char* buffer, std::size_t capacity) {
  PVMStrg text;
  if (buffer == nullptr || capacity == 0 || get_text(text) == nullptr) {
    return nullptr;
  }
  std::size_t length = std::min<std::size_t>(text.Length(), capacity - 1);
  std::memcpy(buffer, text.GetpStr(), length);
  buffer[length] = '\0';
  return buffer;
}

// The formula rule of setsval.

aritm::FormulaOutcome aritm::SetFromFormula(const char* text) {
  if (text == nullptr || std::strchr(text, ';') == nullptr) {
    return FormulaOutcome::kLiteral;
  }
  std::unique_ptr<aritm> result(varnex::model::EvaluateFormula(text));
  if (!result || assign(result.get()) == nullptr) {
    std::string message = std::string("formula ") + text + " could not be evaluated";
    Report("setsval", message.c_str());
    return FormulaOutcome::kFailed;
  }
  set_value_source(text);
  return FormulaOutcome::kEvaluated;
}

// Named objects from operands.

rumpf* aritm::NewNamedObject(const char* name, const char* failure) {
  namespace objects = varnex::model::objects;
  if (name == nullptr) {
    Report("new_object", "name of the new object not specified");
    return nullptr;
  }
  rumpf* object = objects::CreateFor(*this, name);
  if (object == nullptr) {
    Report("new_object", failure);
    return nullptr;
  }
  objects::SetSourceAndValidity(object, get_value_source(), validity_);
  objects::SetRestrictions(object, restrictions_.get());
  return object;
}

rumpf* aritm::AssignNamedObject(const char* name) {
  namespace objects = varnex::model::objects;
  if (name == nullptr) {
    Report("assign_object", "name of the object to assign not specified");
    return nullptr;
  }
  rumpf* object = objects::Search(name);
  if (object == nullptr) {
    std::string message = std::string("object ") + name + " not found";
    Report("assign_object", message.c_str());
    return nullptr;
  }
  if (objects::SetValue(object, *this) == FALSE) {
    return nullptr;
  }
  objects::SetSourceAndValidity(object, get_value_source(), validity_);
  return object;
}
