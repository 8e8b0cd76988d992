// Instances of library features: interpret runs a feature's text inside a temporary instance
// and keeps what its RETURN handed over under a new instance name; reinterpret rebuilds an
// instance in place from its current parameter values.
#include <varnex/language/interpreter.h>
#include <varnex/language/parse_attachment.h>
#include <varnex/language/parser.h>
#include <varnex/language/run_limits.h>
#include <varnex/library/feature_list.h>
#include <varnex/library/handover_parameter.h>
#include <varnex/library/modeller.h>
#include <varnex/model/model.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/scoped_restore.h"

namespace {

constexpr const char* kTemporaryName = "tmp_name";

// The texts interpret hands out; each call overwrites its own.
std::string new_instance_name;
std::string copied_instance_name;

template <class T>
using Restore = varnex::base::ScopedRestore<T>;

// The feature name of an instance name: the text before the last "_@".
PVMStrg FeatureOfInstance(const char* instance) {
  PVMStrg feature(instance);
  feature << "_@";
  return feature;
}

Featurelist_Element* FindFeature(const PVMStrg& name) {
  return pFeatureList != nullptr ? pFeatureList->GetFeatureByName(name) : nullptr;
}

// The instance "tmp_name" in the current world that a feature's statements fill; deleted with
// everything in it when the scope ends. Null when there is no current world or the name is
// taken.
class TemporaryInstance {
 public:
  TemporaryInstance() {
    if (anfang == nullptr) {
      return;
    }
    planet_ = new object_planet(kTemporaryName);
    if (planet_->get_first_world() == nullptr) {
      delete planet_;
      planet_ = nullptr;
    }
  }
  ~TemporaryInstance() { delete planet_; }
  TemporaryInstance(const TemporaryInstance&) = delete;
  TemporaryInstance& operator=(const TemporaryInstance&) = delete;

  object_planet* get() const { return planet_; }

 private:
  object_planet* planet_ = nullptr;
};

// Parses the feature's text inside `instance`, with the running parse, its text source and
// Current_File_Name undisturbed afterwards.
void RunFeatureText(Featurelist_Element& feature, object_planet& instance) {
  Current_File_Name = feature.FeatureName();
  PARSE_ATTACHMENT source(&feature);
  {
    ParseObjectScope scope(&source);
    if (instance.qualify() != nullptr) {
      yyparse();
      requalify();
    }
  }
  Current_File_Name = "";
}

// The operand the parse handed over in hand_over[0], which is null again afterwards.
std::unique_ptr<aritm> TakeResult() {
  std::unique_ptr<aritm> result(hand_over[0]);
  hand_over[0] = nullptr;
  return result;
}

// The instance a RETURN operand stands for, or null when it stands for none.
object_planet* ReturnedInstance(aritm* result) {
  if (result == nullptr || !(result->IsOpObject() || result->IsOpReference())) {
    return nullptr;
  }
  rumpf* object = result->get_object();
  return object != nullptr && object->isTypeOf("Planet") ? dynamic_cast<object_planet*>(object)
                                                         : nullptr;
}

// A new instance `name` in the current world holding the world of `returned`. Null when the
// world refuses the name.
object_planet* AdoptReturnedWorld(const char* name, object_planet& returned) {
  XBOOL copying = PVFconnect2dBa::IsCopyNeeded();
  PVFconnect2dBa::SetNotCopy(TRUE);
  auto* instance = new object_planet(name);
  if (instance->get_first_world() == nullptr || instance->ChgSubworld(&returned) != 0) {
    delete instance;
    instance = nullptr;
  }
  PVFconnect2dBa::SetNotCopy(ToXBool(copying == FALSE));
  return instance;
}

// The operands put into hand_over for a rebuild; those the parse did not take are deleted. The
// parse deletes what it takes, so a later operand (its result above all) may be allocated at
// the address of one it took: an entry is the handed operand only when its serial agrees.
class HandedParameters {
 public:
  HandedParameters() = default;
  HandedParameters(const HandedParameters&) = delete;
  HandedParameters& operator=(const HandedParameters&) = delete;
  ~HandedParameters() { DeleteUntaken(); }

  void Add(aritm* operand) {
    hand_over[operands_.size()] = operand;
    operands_.push_back({operand, operand->Serial()});
    hand_over[operands_.size()] = nullptr;
  }
  /// Deletes what the parse left in hand_over and clears those entries.
  void DeleteUntaken() {
    for (std::size_t i = 0; i < operands_.size(); ++i) {
      aritm* entry = hand_over[i];
      if (entry != nullptr && entry == operands_[i].operand &&
          entry->Serial() == operands_[i].serial) {
        hand_over[i] = nullptr;
        delete entry;
      }
    }
    operands_.clear();
  }

 private:
  struct Handed {
    aritm* operand;
    std::uint64_t serial;
  };
  std::vector<Handed> operands_;
};

// The operand one parameter object hands over for a rebuild: an empty instance stands for
// none (a new empty operand), anything else for its value.
aritm* RebuildOperand(rumpf& object) {
  if (!object.isTypeOf("Planet")) {
    return object.get_aritm();
  }
  bool holds_objects = false;
  if (object.qualify() != nullptr) {
    holds_objects = anfang->get_next() != nullptr;
    requalify();
  }
  return holds_objects || object.get_value_source() != nullptr ? object.get_aritm()
                                                               : new op_object();
}

// Collects the current values of the feature's parameters inside `instance` into `handed`, in
// the feature's order. `plain` drops their value sources; for a `rebuild` the objects'
// restrictions travel with the operands. False when a parameter object or value is missing.
bool CollectParameters(Featurelist_Element& feature, rumpf& instance, bool rebuild, bool plain,
                       HandedParameters& handed) {
  void_list* parameters = feature.get_paralist();
  if (instance.qualify() == nullptr) {
    return false;
  }
  bool complete = true;
  for (int i = 0; complete && parameters != nullptr && i < parameters->count(); ++i) {
    auto* parameter = static_cast<HANDOVER_PARAMETER*>((*parameters)[i]);
    rumpf* object = parameter != nullptr ? search(parameter->Name().GetpStr()) : nullptr;
    aritm* operand =
        object == nullptr ? nullptr : (rebuild ? RebuildOperand(*object) : object->get_aritm());
    complete = operand != nullptr;
    if (complete) {
      if (plain) {
        operand->set_value_source(nullptr);
      }
      if (rebuild) {
        VALUE_LIST<PVMStrg> restrictions(TRUE);
        object->GetRestrictions(&restrictions);
        operand->SetRestrictions(&restrictions);
      }
      handed.Add(operand);
    }
  }
  requalify();
  return complete;
}

// Gives the objects of `instance` that the feature's parameters fill the restraints of those
// parameters as restrictions, so that a value changed by name later is checked as the
// parameter would check it. Restrictions an object holds already stay.
void AttachParameterRestrictions(Featurelist_Element& feature, rumpf& instance) {
  void_list* parameters = feature.get_paralist();
  if (parameters == nullptr || instance.qualify() == nullptr) {
    return;
  }
  for (int i = 0; i < parameters->count(); ++i) {
    auto* parameter = static_cast<HANDOVER_PARAMETER*>((*parameters)[i]);
    rumpf* object = parameter != nullptr ? search(parameter->Name().GetpStr()) : nullptr;
    if (object == nullptr || object->get_first_world() != instance.get_subworld()) {
      continue;  // not the instance's own object
    }
    VALUE_LIST<PVMStrg> held(TRUE);
    object->GetRestrictions(&held);
    for (PVMStrg& restriction : parameter->ObjectRestrictions()) {
      if (held.lookup(restriction) < 0) {
        object->AddRestriction(restriction);
      }
    }
  }
  requalify();
}

// Whether the current world lies inside `object`, which therefore must not be deleted.
bool EnclosesCurrentWorld(const rumpf& object) {
  for (nullwelt* world = anfang; world != nullptr;) {
    object_planet* owner = world->get_root();
    if (owner == &object) {
      return true;
    }
    world = owner != nullptr ? owner->get_first_world() : nullptr;
  }
  return false;
}

// Puts an instance holding the world of `returned` in the place of `old`, under its name and
// in its world. The new instance is complete before the old one is deleted; false (and the
// old one untouched) when it cannot be made.
object_planet* ReplaceInstance(rumpf& old, const std::string& name, object_planet& returned) {
  nullwelt* world = old.get_first_world();
  if (world == nullptr) {
    return nullptr;
  }
  std::string placeholder = name + "~";
  while (world->find(placeholder.c_str()) != nullptr) {
    placeholder += "~";
  }
  object_planet* replacement;
  {
    Restore<nullwelt*> keep_world(anfang);
    anfang = world;
    replacement = AdoptReturnedWorld(placeholder.c_str(), returned);
  }
  if (replacement == nullptr) {
    return nullptr;
  }
  delete &old;
  replacement->set_name(name.c_str());
  replacement->ChgRefByLists(kTemporaryName);
  return replacement;
}

}  // namespace

char* interpret(const char* name) {
  if (name == nullptr) {
    return nullptr;
  }
  Featurelist_Element* feature = FindFeature(PVMStrg(name));
  if (feature == nullptr) {
    return nullptr;
  }
  TemporaryInstance temporary;
  if (temporary.get() == nullptr) {
    return nullptr;
  }
  new_instance_name = std::string(name) + "_@" + std::to_string(total_count++);
  instance_name = new_instance_name.c_str();
  RunFeatureText(*feature, *temporary.get());
  std::unique_ptr<aritm> result = TakeResult();
  if (NovlRunStopped()) {
    return nullptr;  // a runaway text: the host was told why
  }
  if (result == nullptr) {
    return new_instance_name.data();
  }
  object_planet* returned = ReturnedInstance(result.get());
  object_planet* created =
      returned != nullptr ? AdoptReturnedWorld(new_instance_name.c_str(), *returned) : nullptr;
  if (created == nullptr) {
    return nullptr;
  }
  created->ChgRefByLists(kTemporaryName);
  AttachParameterRestrictions(*feature, *created);
  return new_instance_name.data();
}

char* interpret(rumpf* instance, const char* name) {
  if (instance == nullptr) {
    return nullptr;
  }
  PVMStrg own = FeatureOfInstance(instance->get_name());
  Featurelist_Element* feature = FindFeature(own);
  const char* target = name != nullptr ? name : own.GetpStr();
  if (feature == nullptr || FindFeature(PVMStrg(target)) == nullptr) {
    return nullptr;
  }
  HandedParameters handed;
  if (!CollectParameters(*feature, *instance, false, name != nullptr, handed)) {
    return nullptr;
  }
  Restore<int> keep_intern(Intern_par_call);
  Intern_par_call = 0;
  const char* created = interpret(target);
  handed.DeleteUntaken();
  if (created == nullptr) {
    return nullptr;
  }
  copied_instance_name = created;
  return copied_instance_name.data();
}

int reinterpret(rumpf* instance) {
  if (instance == nullptr) {
    return 0;
  }
  if (EnclosesCurrentWorld(*instance)) {
    return 0;
  }
  const std::string old_name = instance->get_name();
  instance_name = old_name.c_str();
  Featurelist_Element* feature = FindFeature(FeatureOfInstance(old_name.c_str()));
  HandedParameters handed;
  if (feature == nullptr || !CollectParameters(*feature, *instance, true, false, handed)) {
    return 0;
  }
  Restore<int> keep_intern(Intern_par_call);
  Intern_par_call = 0;
  TemporaryInstance temporary;
  if (temporary.get() == nullptr) {
    return 0;
  }
  RunFeatureText(*feature, *temporary.get());
  handed.DeleteUntaken();
  std::unique_ptr<aritm> result = TakeResult();
  object_planet* returned = NovlRunStopped() ? nullptr : ReturnedInstance(result.get());
  if (returned == nullptr) {
    return 0;  // the old instance stays as it was
  }
  object_planet* replacement = ReplaceInstance(*instance, old_name, *returned);
  if (replacement == nullptr) {
    return 0;
  }
  AttachParameterRestrictions(*feature, *replacement);
  return 1;
}
