// The built-ins that name faces and find them: an instance "f_names" holding one geometric
// object per face, faces marked for the time of a step, and the first face of an instance.
#include <varnex/geometry/attribute_base.h>
#include <varnex/geometry/attributes.h>
#include <varnex/geometry/face_names.h>
#include <varnex/geometry/topology.h>
#include <varnex/model/model.h>
#include <varnex/model/object_references.h>
#include <varnex/model/planet.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>

#include <string>
#include <vector>

#include "builtins/geometry_arguments.h"
#include "builtins/geometry_handlers.h"
#include "builtins/handler_support.h"

namespace varnex::builtins {
namespace {

constexpr const char* kTempAttribName = "_PV_TEMP_ATTRIB_";

// `base` when the current world has no object of that name, else "base_1", "base_2", ...: a
// second call in one world must not be refused for the name.
std::string FreeName(const std::string& base) {
  std::string name = base;
  for (int n = 1; anfang != nullptr && anfang->find(name.c_str()) != nullptr; ++n) {
    name = base + "_" + std::to_string(n);
  }
  return name;
}

struct NamedEntity {
  std::string name;
  ENTITY* entity;
};

// Creates the instance "f_names" (alias type "face_names") holding one geometric object per
// entry; the result is the instance's value operand. No current world leaves the empty object.
void BuildFaceNames(const std::vector<NamedEntity>& entries, aritm** result) {
  NewResult<op_object>(result);
  if (anfang == nullptr) {
    return;
  }
  auto* names = new object_planet(FreeName("f_names").c_str());
  if (names->get_first_world() == nullptr) {
    delete names;  // refused by the world: nobody else holds it
    return;
  }
  names->set_alias_type("face_names");
  if (names->qualify() == nullptr) {
    return;
  }
  for (const NamedEntity& entry : entries) {
    if (anfang->find(entry.name.c_str()) != nullptr) {
      continue;  // two faces carrying one name: the first keeps it
    }
    auto* object = new object_geom(entry.entity, entry.name.c_str());
    if (object->get_first_world() == nullptr) {
      delete object;  // refused by the world
    }
  }
  requalify();
  ReplaceResult(result, names->get_aritm());
}

std::string IndexName(int index) {
  return "f_" + std::to_string(index);
}

// The faces the list's entities stand for (a body stands for its faces), each once.
ENTITY_LIST FacesOf(list* geometry) {
  ENTITY_LIST faces;
  for (int i = 0; geometry != nullptr && i < geometry->count(); ++i) {
    api_get_faces((*geometry)[i], faces);
  }
  return faces;
}

rumpf* InstanceArgument(aritm** args, int index) {
  if (rumpf* object = ObjectArgument(args, index)) {
    return object;
  }
  std::string name = TextArgument(args, index);
  return name.empty() ? nullptr : search(name.c_str());
}

bool NameMatches(ENTITY* face, const std::string& wanted) {
  if (wanted.empty()) {
    return true;
  }
  if (PVFAttribSolidFaceName* att = PVFFindSolidFaceNameAtt(face)) {
    if (att->GetName() != nullptr && wanted == att->GetName()) {
      return true;
    }
  }
  PVMStrg full;
  return FindFaceFullName(face, full) != nullptr && wanted == full.GetpStr();
}

// The first face held by a geometric object of the instance's world or of the instances
// nested in it (depth first, in world order) whose name matches.
ENTITY* FirstFace(rumpf* instance, const std::string& wanted, int depth) {
  GENERIC_LIST<rumpf> members;
  list_world(&members, instance);
  for (int i = 0; i < members.count(); ++i) {
    rumpf* member = members[i];
    auto* geometry = member->isTypeOf("Geometric") ? dynamic_cast<object_geom*>(member) : nullptr;
    ENTITY_LIST faces = geometry != nullptr ? FacesOf(geometry->get_list()) : ENTITY_LIST();
    for (int f = 0; f < faces.count(); ++f) {
      if (NameMatches(faces[f], wanted)) {
        return faces[f];
      }
    }
    // Depth bound: a world can hold its own owner only through a damaged model.
    if (member->get_subworld() != nullptr && depth < 64) {
      if (ENTITY* found = FirstFace(member, wanted, depth + 1)) {
        return found;
      }
    }
  }
  return nullptr;
}

}  // namespace

// name_faces(geometry): "f_0", "f_1", ... for the entities of the list, in list order.
void NameFaces(aritm** args, aritm** result) {
  list* geometry = ListArgument(args, 0);
  std::vector<NamedEntity> entries;
  for (int i = 0; geometry != nullptr && i < geometry->count(); ++i) {
    entries.push_back({IndexName(i), (*geometry)[i]});
  }
  BuildFaceNames(entries, result);
}

// new_faces(geometry): one object per face of the geometry, named by its solid face name where
// it has one, else "f_" and its index.
void NewFaces(aritm** args, aritm** result) {
  ENTITY_LIST faces = FacesOf(ListArgument(args, 0));
  std::vector<NamedEntity> entries;
  for (int i = 0; i < faces.count(); ++i) {
    PVFAttribSolidFaceName* att = PVFFindSolidFaceNameAtt(faces[i]);
    bool named = att != nullptr && att->GetName() != nullptr && *att->GetName() != '\0';
    entries.push_back({named ? std::string(att->GetName()) : IndexName(i), faces[i]});
  }
  BuildFaceNames(entries, result);
}

// new_temp_faces(geometry): marks every face of the geometry with the named attribute
// "_PV_TEMP_ATTRIB_" (value: the face's index) and answers the faces.
void NewTempFaces(aritm** args, aritm** result) {
  op_geom* value = NewResult<op_geom>(result);
  ENTITY_LIST faces = FacesOf(ListArgument(args, 0));
  for (int i = 0; i < faces.count(); ++i) {
    if (find_named_attrib(faces[i], kTempAttribName) == nullptr) {
      new ATTRIB_GEN_NAME(faces[i], kTempAttribName, i);  // the face owns it
    }
  }
  if (faces.count() > 0) {
    list held;
    held.add(faces);
    *value = &held;
  }
}

// find_any_face(instance, name): the first face of the instance's geometry; with a name, the
// first whose solid face name or full name is that name.
void FindAnyFace(aritm** args, aritm** result) {
  NewResult<op_geom>(result);
  rumpf* instance = InstanceArgument(args, 0);
  if (instance != nullptr && instance->get_subworld() != nullptr) {
    SetGeometryResult(result, FirstFace(instance, TextArgument(args, 1), 0));
  }
}

}  // namespace varnex::builtins
