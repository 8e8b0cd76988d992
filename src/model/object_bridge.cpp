// The calls operands make on named objects (model/object_bridge.h): creating the object
// kind that matches an operand, and writing an operand's payload into an existing object.
#include "model/object_bridge.h"

#include <varnex/model/contour.h>
#include <varnex/model/object_contour.h>
#include <varnex/model/object_references.h>
#include <varnex/model/object_values.h>
#include <varnex/model/object_vectors.h>
#include <varnex/model/op_text.h>
#include <varnex/model/planet.h>

#include <memory>

namespace varnex::model::objects {

namespace {

// The object (already in the current world) or null when it found no place there.
rumpf* Placed(rumpf* object) {
  if (object != nullptr && object->get_first_world() == nullptr) {
    delete object;
    return nullptr;
  }
  return object;
}

rumpf* NewObjectFor(aritm& value, const char* name) {
  PVMStrg text;
  if (value.IsOpZahl()) {
    return new object_zahl(value.get_double(), name);
  }
  if (value.IsOpNumber()) {
    return new object_number(value.get_long(), name);
  }
  if (value.IsOpLogic()) {
    return new object_logic(value.get_LOGICAL(), name);
  }
  if (value.IsOpText()) {
    value.get_text(text);
    return new object_text(text, name);
  }
  if (value.IsOpEnum()) {
    VALUE_LIST<PVMStrg> values = static_cast<op_enum&>(value).values();
    return new object_enum(&values, value.get_enum_nr(), name);
  }
  if (value.IsOpVector()) {
    const double* xyz = value.get_vector();
    return new object_vector(xyz[0], xyz[1], xyz[2], name);
  }
  if (value.IsOpAxis()) {
    const double* six = value.get_axis();
    return new object_axis(six, six + 3, name);
  }
  if (value.IsOpTrans()) {
    return new object_trans(value.get_transf(), name);
  }
  if (value.IsOpReference()) {
    return new object_reference(value.get_object(), name);
  }
  if (value.IsOpGeom()) {
    return new object_geom(value.get_list(), name);
  }
  if (value.IsOpConnect2d()) {
    return new object_connect2d(const_cast<PVFconnect2dBa*>(value.get_connect2d()), name);
  }
  return nullptr;  // instances are copied by op_object itself
}

}  // namespace

rumpf* Search(const char* name) {
  return search(name);
}

const char* SimpleName(const rumpf* object) {
  return object == nullptr ? nullptr : object->get_name();
}

const char* FullName(const rumpf* object, PVMStrg& out) {
  return object == nullptr ? nullptr : object->get_full_name(out);
}

rumpf* Copy(rumpf* object, const char* name) {
  return object == nullptr ? nullptr : object->copy(name);
}

XBOOL IsFilledInstance(const rumpf* object) {
  auto* instance = dynamic_cast<const object_planet*>(object);
  if (instance == nullptr) {
    return FALSE;
  }
  nullwelt* world = const_cast<object_planet*>(instance)->get_subworld();
  return ToXBool(world != nullptr && world->get_first() != nullptr);
}

aritm* ValueOperand(rumpf* object) {
  return object == nullptr ? nullptr : object->get_aritm();
}

rumpf* CreateFor(aritm& value, const char* name) {
  return name == nullptr ? nullptr : Placed(NewObjectFor(value, name));
}

XBOOL SetValue(rumpf* object, aritm& value) {
  if (object == nullptr || object->IsCompatible(&value) == FALSE) {
    return FALSE;
  }
  PVMStrg text;
  if (object->isTypeOf("Nummer")) {
    object->set(value.get_long());
  } else if (object->isTypeOf("Zahl")) {
    object->set(value.get_double());
  } else if (object->isTypeOf("Logic")) {
    object->set(value.get_LOGICAL());
  } else if (object->isTypeOf("Text")) {
    object->set(value.get_text(text) == nullptr ? "" : text.GetpStr());
  } else if (object->isTypeOf("ENUMERATION")) {
    object->set(value.IsOpEnum() ? value.get_enum_val() : value.get_text(text));
  } else if (object->isTypeOf("vector")) {
    const double* xyz = value.get_vector();
    object->set(xyz[0], xyz[1], xyz[2]);
  } else if (object->isTypeOf("AXIS")) {
    const double* a = value.get_axis();
    object->set(a[0], a[1], a[2], a[3], a[4], a[5]);
  } else if (object->isTypeOf("Transform")) {
    object->set(value.get_transf());
  } else if (object->isTypeOf("REFERENCE") || object->isTypeOf("Planet")) {
    object->set(value.get_object());
  } else if (object->isTypeOf("Geometric")) {
    object->set(value.get_list());
  } else if (object->isTypeOf("Connect2d")) {
    if (value.IsOpConnect2d()) {  // a geometry operand only names the contour's body
      object->set(const_cast<PVFconnect2dBa*>(value.get_connect2d()));
    }
  } else {
    return FALSE;
  }
  return TRUE;
}

void SetSourceAndValidity(rumpf* object, const char* valueSource, int validity) {
  if (object != nullptr) {
    object->set_value_source(valueSource);
    object->SetValidity(validity);
  }
}

void SetRestrictions(rumpf* object, const VALUE_LIST<PVMStrg>* restrictions) {
  if (object != nullptr) {
    object->SetRestrictions(restrictions);
  }
}

}  // namespace varnex::model::objects
