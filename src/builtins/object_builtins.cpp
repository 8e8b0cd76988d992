// The object and list built-ins: instances used as lists of named objects, entries added to
// them, counts, references and assignments between named objects, and the validity code of
// named objects. Objects are found through the operand that stands for them or, where said, by
// the name a text argument gives.
#include <varnex/base/void_list.h>
#include <varnex/geometry/topology.h>
#include <varnex/model/contour.h>
#include <varnex/model/model.h>
#include <varnex/model/planet.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>

#include <climits>
#include <cmath>
#include <memory>
#include <string>

#include "builtins/handler_support.h"
#include "builtins/handlers.h"

namespace varnex::builtins {
namespace {

// Numbers for the default names "f_element_%d" of add_list, for the life of the process.
int g_next_element_number = 1;

// The object argument `index` stands for, else the object its text names.
rumpf* ObjectOrNamed(aritm** args, int index) {
  if (rumpf* object = ObjectArgument(args, index)) {
    return object;
  }
  std::string name = TextArgument(args, index);
  return name.empty() ? nullptr : search(name.c_str());
}

// `base` when no object has that name, else the first free "base_1", "base_2", ...
std::string FreeName(const std::string& base) {
  std::string name = base;
  for (int n = 1; search(name.c_str()) != nullptr; ++n) {
    name = base + "_" + std::to_string(n);
  }
  return name;
}

// Creates the object `name` from `element` inside the world of `list`; FALSE when the list
// cannot be entered. The world is left again in every case.
bool CreateInside(rumpf* list, aritm* element, const char* name) {
  if (list->qualify() == nullptr) {
    return false;
  }
  element->new_object(name);
  requalify();
  return true;
}

// The live contour a contour argument stands for; null for anything else.
PVFconnect2dBa* ContourArgument(aritm** args, int index) {
  aritm* operand = Argument(args, index);
  if (operand == nullptr || operand->IsOpConnect2d() == FALSE) {
    return nullptr;
  }
  PVMStrg identifier;
  return PVFconnect2dBa::FindInConList(operand->GetValue(identifier));
}

// Whether `object` has the alias type `alias`, or had none and takes it now.
bool TakeAliasType(rumpf& object, const char* alias) {
  if (object.isAliasTypeOf(alias) != FALSE) {
    return true;
  }
  const char* current = object.get_alias_type();
  bool unset = current == nullptr || *current == '\0' || std::string(current) == "unspecified";
  return unset && object.set_alias_type(alias) == 1;
}

// Faces held by the entities (each counted once).
int FacesOf(aritm* geometry) {
  ENTITY_LIST faces;
  list* entities = geometry->get_list();
  for (int i = 0; entities != nullptr && i < entities->count(); ++i) {
    api_get_faces((*entities)[i], faces);
  }
  return faces.count();
}

// Face objects "f_0", "f_1", ... in a row in the instance's sub-world.
int FaceObjectCount(nullwelt* world) {
  int count = 0;
  while (world->find(("f_" + std::to_string(count)).c_str()) != nullptr) {
    ++count;
  }
  return count;
}

// A double held to the int range; a value that is not a number gives 0.
int TruncatedToInt(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  if (value >= static_cast<double>(INT_MAX)) {
    return INT_MAX;
  }
  return value <= static_cast<double>(INT_MIN) ? INT_MIN : static_cast<int>(value);
}

}  // namespace

void InitList(aritm**, aritm** result) {
  NewResult<op_object>(result);
}

// init_objectlist(name, alias type): a new instance under a free name ("blind_object" without
// one); the result is the instance's value operand.
void InitObjectList(aritm** args, aritm** result) {
  NewResult<op_object>(result);
  if (anfang == nullptr) {
    return;
  }
  std::string base = TextArgument(args, 0);
  std::string name = FreeName(base.empty() ? "blind_object" : base);
  auto* instance = new object_planet(name.c_str());
  if (instance->get_first_world() == nullptr) {
    delete instance;  // refused by the world: nobody else holds it
    return;
  }
  std::string alias = TextArgument(args, 1);
  if (!alias.empty()) {
    instance->set_alias_type(alias.c_str());
  }
  ReplaceResult(result, instance->get_aritm());
}

// add_objectlist(list, element, name): the element becomes the object `name` in the list's
// world. The result stands for the same list as argument 1 but is a fresh operand, because the
// caller owns and deletes its arguments.
void AddObjectList(aritm** args, aritm** result) {
  *result = CopyOperand(Argument(args, 0));
  rumpf* list = ObjectArgument(args, 0);
  aritm* element = Argument(args, 1);
  std::string name = TextArgument(args, 2);
  if (list != nullptr && element != nullptr && !name.empty()) {
    CreateInside(list, element, name.c_str());
  }
}

// fill_ConturDimList(list, contour): the list (an instance whose alias type is empty or
// "ConturDimensionList") becomes the contour's dimension list: it takes that alias type and holds
// one annotation number per named dimension of the contour, named and valued as the dimension,
// with the dimension's name as its connect name; a name the list holds already keeps its object.
// The result stands for the list. Anything else (no instance, another alias type, no contour)
// changes nothing and answers the empty object.
void FillConturDimList(aritm** args, aritm** result) {
  constexpr const char* kAlias = "ConturDimensionList";
  rumpf* list = ObjectArgument(args, 0);
  PVFconnect2dBa* contour = ContourArgument(args, 1);
  if (list == nullptr || contour == nullptr || list->get_subworld() == nullptr ||
      !TakeAliasType(*list, kAlias)) {
    NewResult<op_object>(result);
    return;
  }
  *result = CopyOperand(Argument(args, 0));
  PVFconnect2dAnn* annotations = contour->pPVFconnect2dAnn();
  void_list dimensions;
  if (annotations == nullptr || annotations->GetAnnList(&dimensions) <= 0 ||
      list->qualify() == nullptr) {
    return;
  }
  for (int i = 0; i < dimensions.count(); ++i) {
    PVMStrg name;
    PVMStrg value_text;
    const char* dimension = annotations->GetAnnName(dimensions[i], name);
    if (dimension == nullptr || *dimension == '\0' || list->get_subworld()->find(dimension)) {
      continue;
    }
    double value = annotations->GetAnnVal(dimensions[i], value_text);
    auto* number = new PVFAnnotationZahl(value, dimension, dimension);
    if (number->get_first_world() == nullptr) {
      delete number;  // refused by the world: nobody else holds it
    }
  }
  requalify();
}

// add_list(list, element, name): as add_objectlist, with "f_element_<n>" when no name is
// given; there is no result.
void AddList(aritm** args, aritm**) {
  rumpf* list = ObjectArgument(args, 0);
  aritm* element = Argument(args, 1);
  if (list == nullptr || element == nullptr) {
    return;
  }
  std::string name = TextArgument(args, 2);
  if (name.empty()) {
    name = "f_element_" + std::to_string(g_next_element_number++);
  }
  CreateInside(list, element, name.c_str());
}

void ObjectCount(aritm** args, aritm** result) {
  op_number* value = NewResult<op_number>(result, 0L);
  rumpf* object = ObjectArgument(args, 0);
  if (object != nullptr) {
    GENERIC_LIST<rumpf> members;
    list_world(&members, object);
    *value = static_cast<long>(members.count());
  }
}

// TRUE when another object's formula names the object.
void IsReferenced(aritm** args, aritm** result) {
  op_logic* value = NewResult<op_logic>(result, FALSE);
  rumpf* object = ObjectOrNamed(args, 0);
  if (object != nullptr) {
    *value = ToXBool(object->GetReferencesBy(static_cast<VALUE_LIST<PVMStrg>*>(nullptr)) > 0);
  }
}

// The faces of a geometry operand, or of the geometry an object holds; for an instance the face
// objects "f_0", "f_1", ... of its sub-world.
void FaceCount(aritm** args, aritm** result) {
  op_number* value = NewResult<op_number>(result, 0L);
  aritm* operand = Argument(args, 0);
  if (operand != nullptr && operand->IsOpGeom()) {
    *value = static_cast<long>(FacesOf(operand));
    return;
  }
  rumpf* object = ObjectOrNamed(args, 0);
  if (object == nullptr) {
    return;
  }
  if (nullwelt* world = object->get_subworld()) {
    *value = static_cast<long>(FaceObjectCount(world));
  } else if (std::unique_ptr<aritm> held(object->get_aritm()); held && held->IsOpGeom()) {
    *value = static_cast<long>(FacesOf(held.get()));
  }
}

// assign_reference(reference, target): the reference object refers to the target from now on;
// TRUE when it accepted it.
void AssignReference(aritm** args, aritm** result) {
  op_logic* value = NewResult<op_logic>(result, FALSE);
  rumpf* reference = ObjectOrNamed(args, 0);
  rumpf* target = ObjectOrNamed(args, 1);
  if (reference != nullptr && target != nullptr && reference->isTypeOf("REFERENCE")) {
    *value = ToXBool(reference->set(target) != nullptr);
  }
}

// assign_object(object, value): the object takes the value (with its formula and validity);
// TRUE when it accepted it.
void AssignObject(aritm** args, aritm** result) {
  op_logic* value = NewResult<op_logic>(result, FALSE);
  rumpf* target = ObjectOrNamed(args, 0);
  aritm* operand = Argument(args, 1);
  PVMStrg name;
  if (target != nullptr && operand != nullptr && target->get_full_name(name) != nullptr) {
    *value = ToXBool(operand->assign_object(name) != nullptr);
  }
}

// SET_VALIDITY(object, code): the object's previous validity code; the code is set when given.
void SetValidity(aritm** args, aritm** result) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  rumpf* object = ObjectOrNamed(args, 0);
  if (object == nullptr) {
    return;
  }
  *value = static_cast<double>(object->GetValidity());
  if (aritm* code = Argument(args, 1); IsNumber(code)) {
    object->SetValidity(TruncatedToInt(code->get_double()));
  }
}

}  // namespace varnex::builtins
