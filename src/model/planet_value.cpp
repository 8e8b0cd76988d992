// object_planet as a value: re-evaluating its formula, handing itself out as an operand, and
// writing one instance's objects into another.
#include <varnex/model/op_object.h>
#include <varnex/model/planet.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "model/object_bridge.h"
#include "model/object_support.h"

namespace {

void ReportPlanet(const char* operation, const std::string& message) {
  varnex::model::ReportKind("object_planet", operation, message);
}

bool AliasTypesMatch(const rumpf& a, const rumpf& b) {
  return std::strcmp(a.get_alias_type(), b.get_alias_type()) == 0 || a.isAliasTypeOf("generic") ||
         b.isAliasTypeOf("generic");
}

// Writes the value of `source` into `target` (two objects of one kind) with its formula,
// restrictions and validity; instances recursively.
void WriteObject(rumpf* source, rumpf* target);

// Writes every object of `source`'s sub-world into the object of the same name in `target`'s
// sub-world. Objects missing there are copied in; objects only the target has stay.
void WriteInstance(object_planet* source, object_planet* target) {
  std::vector<rumpf*> members;
  for (welt* e = source->get_subworld()->get_first(); e != nullptr; e = e->get_next()) {
    members.push_back(e->get_member());
  }
  for (rumpf* member : members) {
    if (member == nullptr) {
      continue;
    }
    rumpf* counterpart = target->get_subworld()->find(member->get_name());
    if (counterpart == nullptr) {
      if (target->qualify() != nullptr) {
        member->copy(member->get_name());
        requalify();
      }
    } else if (counterpart->isTypeOf(member->get_type())) {
      WriteObject(member, counterpart);
    }
  }
}

void WriteObject(rumpf* source, rumpf* target) {
  auto* source_instance = dynamic_cast<object_planet*>(source);
  auto* target_instance = dynamic_cast<object_planet*>(target);
  if (source_instance != nullptr && target_instance != nullptr) {
    WriteInstance(source_instance, target_instance);
  } else if (std::unique_ptr<aritm> value(source->get_aritm()); value != nullptr) {
    varnex::model::objects::SetValue(target, *value);
  }
  source->base_assign(target);
}

}  // namespace

nullwelt* object_planet::get() {
  if (get_value_source() != nullptr) {
    std::unique_ptr<aritm> value(evaluate_value());
    if (value != nullptr) {
      value->set_value_source(get_value_source());
      varnex::model::objects::SetValue(this, *value);
      varnex::model::objects::SetSourceAndValidity(this, value->get_value_source(),
                                                   value->GetValidity());
    }
  }
  return subworld_.get();
}

aritm* object_planet::get_aritm() {
  std::string source = get_value_source() == nullptr ? "" : get_value_source();
  if (!source.empty()) {
    if (aritm* value = evaluate_value(); value != nullptr) {
      value->set_value_source(source.c_str());
      varnex::model::objects::SetValue(this, *value);
      set_value_source(source.c_str());
      value->SetValidity(GetValidity());
      return value;
    }
  }
  auto* operand = new op_object(this, source.empty() ? nullptr : source.c_str());
  operand->SetValidity(GetValidity());
  return operand;
}

XBOOL object_planet::IsCompatible(aritm* operand) {
  return ToXBool(operand != nullptr && operand->IsOpObject());
}

void object_planet::print_object() {
  std::string text = std::to_string(subworld_ == nullptr ? 0 : subworld_->get_count()) + " objects";
  varnex::model::PrintObject(*this, text.c_str());
}

const char* object_planet::GetValue(PVMStrg& formula, PVMStrg& value) {
  get();
  PVMStrg full;
  value = get_full_name(full) == nullptr ? "" : full.GetpStr();
  return get_value_source(formula) != nullptr ? formula.GetpStr() : value.GetpStr();
}

const char* object_planet::GetStorageValue(PVMStrg& value, PVMStrg& name, PVFBinBlock& block) {
  return rumpf::GetStorageValue(value, name, block);
}

void* object_planet::getVal() {
  return get();
}

int object_planet::assign(const char* name) {
  rumpf* target = name == nullptr ? nullptr : search(name);
  std::string shown = name == nullptr ? "" : name;
  if (target == nullptr) {
    ReportPlanet("assign", "variable " + shown + " not defined");
    return 0;
  }
  auto* instance = dynamic_cast<object_planet*>(target);
  if (instance == nullptr || !target->isTypeOf("Planet")) {
    ReportPlanet("assign", "variable " + shown + " not of entity type");
    return 0;
  }
  if (!AliasTypesMatch(*this, *target)) {
    ReportPlanet("assign", "variable " + shown + " different in type");
    return 0;
  }
  if (instance != this) {
    WriteInstance(this, instance);
    base_assign(instance);
  }
  return 1;
}

XBOOL object_planet::ValSrcAustausch(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to) {
  bool any = rumpf::ValSrcAustausch(from, to) == TRUE;
  std::vector<rumpf*> members;
  for (welt* e = subworld_ == nullptr ? nullptr : subworld_->get_first(); e != nullptr;
       e = e->get_next()) {
    members.push_back(e->get_member());
  }
  for (rumpf* member : members) {
    if (member != nullptr) {
      any |= member->ValSrcAustausch(from, to) == TRUE;
    }
  }
  return ToXBool(any);
}

char* object_planet::set_object(rumpf* object) {
  auto* source = dynamic_cast<object_planet*>(object);
  if (source == nullptr || subworld_ == nullptr || source->subworld_ == nullptr) {
    return nullptr;
  }
  if (source != this) {
    WriteInstance(source, this);
  }
  set_value_source(static_cast<const char*>(nullptr));
  return AcceptedText();
}
