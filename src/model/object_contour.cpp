// object_connect2d: sharing a contour, handing it out and taking it back.
#include <varnex/model/contour.h>
#include <varnex/model/model_hooks.h>
#include <varnex/model/object_contour.h>
#include <varnex/model/op_object.h>

#include <memory>
#include <string>

#include "model/object_support.h"
#include "model/operands/contour_bridge.h"

using varnex::model::AssignInto;
using varnex::model::CopyAs;

object_connect2d::object_connect2d() {
  set_type("Connect2d");
}

object_connect2d::object_connect2d(const char* name) : rumpf(name) {
  set_type("Connect2d");
}

object_connect2d::object_connect2d(PVFconnect2dBa* contour, const char* name) : rumpf(name) {
  set_type("Connect2d");
  Share(contour);
}

object_connect2d::object_connect2d(FILE* file, const char* name) : rumpf(name) {
  set_type("Connect2d");
  if (file != nullptr && PVFRestoreCon2 != nullptr) {
    Share(PVFRestoreCon2(file));
  }
}

object_connect2d::~object_connect2d() {
  Share(nullptr);
}

PVFconnect2dBa* object_connect2d::Held() {
  if (contour_ != nullptr &&
      (PVFconnect2dBa::Con2dInList(contour_) == FALSE || contour_->Serial() != contour_serial_)) {
    contour_ = nullptr;
  }
  return contour_;
}

void object_connect2d::Share(PVFconnect2dBa* contour) {
  if (contour != nullptr) {
    contour->GetConBa();  // first, so that sharing the held contour again never deletes it
  }
  if (PVFconnect2dBa* held = Held(); held != nullptr && held->RemConBa() == 1) {
    delete held;
  }
  contour_ = contour;
  contour_serial_ = contour == nullptr ? 0 : contour->Serial();
}

PVFconnect2dBa* object_connect2d::get_Connect() {
  Recompute(
      "object_connect2d", "contour",
      [](aritm& v) { return const_cast<PVFconnect2dBa*>(v.get_connect2d()); },
      [this](PVFconnect2dBa* contour) {
        if (contour != nullptr && contour != Held()) {
          Share(contour);
        }
      });
  return Held();
}

const char* object_connect2d::GenericPrefix(PVMStrg& out) {
  out = "CONTOUR";
  return out;
}

void object_connect2d::print_object() {
  PVMStrg formula, value;
  varnex::model::PrintObject(*this, GetValue(formula, value) == nullptr ? "" : value.GetpStr());
}

aritm* object_connect2d::get_aritm() {
  auto* operand = new op_connect2d(get_Connect(), get_value_source());
  operand->SetValidity(GetValidity());
  return operand;
}

XBOOL object_connect2d::IsCompatible(aritm* operand) {
  return ToXBool(operand != nullptr && (operand->IsOpConnect2d() || operand->IsOpGeom()));
}

rumpf* object_connect2d::copy(const char* name) {
  return CopyAs(*this, "object_connect2d", name, "newname == NULL", [this](const char* n) {
    PVFconnect2dBa* contour = Held();
    if (contour != nullptr && PVFconnect2dBa::IsCopyNeeded() == TRUE) {
      contour = contour->copy();
    }
    return new object_connect2d(contour, n);
  });
}

int object_connect2d::assign(const char* name) {
  return AssignInto<object_connect2d>(*this, "object_connect2d", name, "Type CONNECT2D",
                                      "different types in entity assign",
                                      [&](object_connect2d& target) { target.set(get_Connect()); });
}

int object_connect2d::store(FILE* file) {
  if (rumpf::store(file) < 0) {
    return -1;
  }
  return varnex::model::StoreElement(file, "NULL");  // the contour is stored apart
}

int object_connect2d::read_element(FILE* file) {
  std::string text;
  return varnex::model::ReadElementText(file, text) ? 0 : -1;
}

const char* object_connect2d::SetValue(PVMStrg& value, PVMStrg& result) {
  const char* accepted = rumpf::SetValue(value, result);
  if (accepted != nullptr && Held() != nullptr) {
    contour_->SetBodyByReferenz(value);
  }
  return accepted;
}

const char* object_connect2d::GetValue(PVMStrg& formula, PVMStrg& value) {
  PVFconnect2dBa* contour = get_Connect();
  value = contour == nullptr ? "NULL" : contour->get_IdentC();
  return get_value_source(formula) != nullptr ? formula.GetpStr() : value.GetpStr();
}

const char* object_connect2d::get_value(PVMStrg& out) {
  out = Held() == nullptr ? "NULL" : contour_->get_IdentC();
  return out;
}

const char* object_connect2d::GetStorageValue(PVMStrg& value, PVMStrg&, PVFBinBlock& block) {
  if (Held() == nullptr) {
    value = "";
    return nullptr;
  }
  int recorded = pPVFConnectToNov != nullptr ? pPVFConnectToNov(contour_, block) : 0;
  if (recorded == 0) {
    value = "get_SOLID (NOV_ENTRY)";
  } else {
    value = isAliasTypeOf("ConWirN") ? "get_OpPath (NOV_ENTRY)" : "get_OpFace (NOV_ENTRY)";
  }
  return value;
}

void* object_connect2d::getVal() {
  return get_Connect();
}

int object_connect2d::vs_austausch(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to) {
  int changed = rumpf::vs_austausch(from, to);
  if (Held() != nullptr && from != nullptr && to != nullptr) {
    contour_->ChgRefNamesOfOpObj(from, to);
  }
  return changed;
}

XBOOL object_connect2d::ValSrcAustausch(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to) {
  XBOOL result = rumpf::ValSrcAustausch(from, to);
  if (Held() != nullptr && from != nullptr && to != nullptr) {
    contour_->ChgRefNamesOfOpObj(from, to);
  }
  return result;
}

XBOOL object_connect2d::SetNotCopyNeeded(XBOOL not_needed) {
  XBOOL was_off = ToXBool(PVFconnect2dBa::IsCopyNeeded() == FALSE);
  PVFconnect2dBa::SetNotCopy(not_needed);
  return was_off;
}

PVFconnect2dBa* object_connect2d::set_Connect(PVFconnect2dBa* contour) {
  PVFconnect2dBa* previous = Held();
  unsigned long previous_serial = contour_serial_;
  Share(contour);
  set_value_source(static_cast<const char*>(nullptr));
  bool alive = previous != nullptr && PVFconnect2dBa::Con2dInList(previous) == TRUE &&
               previous->Serial() == previous_serial;
  return alive ? previous : nullptr;
}

// ---------------------------------------------------------------------------------------------
// What operands ask of contours (model/operands/contour_bridge.h)

namespace varnex::model::contours {

XBOOL AreEqual(PVFconnect2dBa* left, PVFconnect2dBa* right) {
  return ToXBool(left != nullptr && left->IsEqual(right) != 0);
}

const char* Identifier(const PVFconnect2dBa* contour) {
  return contour->get_IdentC();
}

const char* Reference(const PVFconnect2dBa* contour) {
  return contour->get_ReferenzC();
}

XBOOL IsValid(const PVFconnect2dBa* contour) {
  return ToXBool(contour != nullptr && contour->iErrNumber() == 0);
}

PVFconnect2dBa* Find(const char* identifier) {
  return PVFconnect2dBa::FindInConList(identifier);
}

}  // namespace varnex::model::contours
