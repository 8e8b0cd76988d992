// The host's value functions by name.
#include <varnex/library/para_feature.h>
#include <varnex/model/object_vectors.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/value_changes.h>
#include <varnex/model/welt.h>
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>
#include <varnex/tree/ordering.h>
#include <varnex/tree/tree_functions.h>
#include <varnex/tree/value_access.h>

#include <string>

#include "tree/tree_internal.h"
#include "tree/update_internal.h"

namespace {

enum class Operation { kTest, kGet, kSet };

rumpf* Find(const char* name) {
  varnex::tree::OutermostWorld outermost;
  return search(name);
}

// A component of a vector or an axis: the component operations do the work.
const char* ComponentValue(PVMStrg& name, PVMStrg& value, PVMStrg& result, Operation operation) {
  std::string text = name.GetpStr();
  std::size_t dot = text.rfind('.');
  if (dot == std::string::npos) {
    return nullptr;
  }
  std::string component = text.substr(dot + 1);
  rumpf* object = Find(text.substr(0, dot).c_str());
  if (object == nullptr) {
    return nullptr;
  }
  static const char* const kAxes[] = {"x", "y", "z"};
  static const char* const kOrigin[] = {"u", "v", "w"};
  if (object->isTypeOf("vector")) {
    auto* vector = dynamic_cast<object_vector*>(object);
    for (int index = 0; vector != nullptr && index < 3; ++index) {
      if (component == kAxes[index]) {
        if (operation == Operation::kGet) {
          return vector->GetComponentValue(result, index);
        }
        return operation == Operation::kSet ? vector->SetComponentValue(value, result, index)
                                            : vector->TestComponentValue(value, result, index);
      }
    }
    return nullptr;
  }
  auto* axis = object->isTypeOf("AXIS") ? dynamic_cast<object_axis*>(object) : nullptr;
  if (axis == nullptr) {
    return nullptr;
  }
  // The component as (part, index): part 0 the origin, 1 the direction; index -1 the whole part.
  int part = -1;
  int index = -1;
  for (int i = 0; i < 3; ++i) {
    if (component == kOrigin[i]) {
      part = 0;
      index = i;
    } else if (component == kAxes[i]) {
      part = 1;
      index = i;
    }
  }
  if (component == "Origin" || component == "Direction") {
    part = component == "Origin" ? 0 : 1;
  }
  if (part < 0) {
    return nullptr;
  }
  switch (operation) {
    case Operation::kGet:
      return index < 0 ? axis->GetComponentValue(result, part)
                       : axis->GetComponentValue(result, part, index);
    case Operation::kTest:
      return index < 0 ? axis->TestComponentValue(value, result, part)
                       : axis->TestComponentValue(value, result, part, index);
    case Operation::kSet:
      return index < 0 ? axis->SetComponentValue(value, result, part)
                       : axis->SetComponentValue(value, result, part, index);
  }
  return nullptr;
}

// Name resolution reads "v.y" as the vector v itself: such a name addresses a component.
bool IsComponentName(rumpf* object, const PVMStrg& name) {
  if (!object->isTypeOf("vector") && !object->isTypeOf("AXIS")) {
    return false;
  }
  std::string text = name.GetpStr();
  std::size_t dot = text.rfind('.');
  return dot != std::string::npos && Find(text.substr(0, dot).c_str()) == object;
}

const char* ByName(PVMStrg& name, PVMStrg& value, PVMStrg& result, Operation operation) {
  if (name.IsVoid()) {
    return nullptr;
  }
  rumpf* object = Find(name);
  if (object == nullptr || IsComponentName(object, name)) {
    return ComponentValue(name, value, result, operation);
  }
  switch (operation) {
    case Operation::kTest:
      return object->TestValue(value, result);
    case Operation::kGet:
      object->GetValue(value, result);
      return result;
    case Operation::kSet:
      return object->SetValue(value, result);
  }
  return nullptr;
}

}  // namespace

const char* TestValue(PVMStrg& name, PVMStrg& value, PVMStrg& result) {
  return ByName(name, value, result, Operation::kTest);
}

const char* GetValue(PVMStrg& name, PVMStrg& formula, PVMStrg& result) {
  formula = "";
  return ByName(name, formula, result, Operation::kGet);
}

const char* SetValueWithoutSort(PVMStrg& name, PVMStrg& value, PVMStrg& result) {
  return ByName(name, value, result, Operation::kSet);
}

const char* SetValue(PVMStrg& name, PVMStrg& value, PVMStrg& result) {
  PVFParaFeature* context = PVFParaFeature::Current();
  if (context != nullptr && !context->ChkParaSignificance(name, value)) {
    return nullptr;
  }
  const char* set = SetValueWithoutSort(name, value, result);
  if (set == nullptr) {
    return nullptr;
  }
  rumpf* object = Find(name);
  if (object == nullptr) {
    // A component of an object that resolution does not reach by the whole name.
    std::string text = name.GetpStr();
    object = Find(text.substr(0, text.rfind('.')).c_str());
  }
  SortIfForwardRef(value, object);
  return result;
}

int SortIfForwardRef(const PVMStrg& formula, rumpf* object) {
  if (formula.IsVoid() || object == nullptr || all_nodes == nullptr) {
    return -1;
  }
  PDTnode* own = NodeOfRumpf(object);
  if (own == nullptr) {
    return -1;
  }
  int own_position = all_nodes->lookup(own);
  bool forward = false;
  for (PDTnode* node : varnex::tree::FormulaNodes(object)) {
    forward = forward || all_nodes->lookup(node) > own_position;
  }
  // The formula may not be the object's value source (a constant): scan the text as well.
  VALUE_LIST<PVMStrg> names(TRUE);
  FormulaReferenceNames(formula.GetpStr(), &names);
  for (int i = 0; i < names.count() && !forward; ++i) {
    PDTnode* node = varnex::tree::NodeOfFormulaName(object, names[i]);
    forward = node != nullptr && all_nodes->lookup(node) > own_position;
  }
  if (!forward) {
    return 0;
  }
  GENERIC_LIST<rumpf> referrers(TRUE);
  own->GetReferencesBy(&referrers);
  for (int i = 0; i < referrers.count(); ++i) {
    PVMStrg formula_text, value;
    referrers[i]->GetValue(formula_text, value);
  }
  SortAllNodes();
  return 1;
}
