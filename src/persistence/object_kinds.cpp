// Object creation by type keyword, shared by both record readers.
#include "persistence/object_kinds.h"

#include <varnex/model/model_hooks.h>
#include <varnex/model/object_contour.h>
#include <varnex/model/object_references.h>
#include <varnex/model/object_values.h>
#include <varnex/model/object_vectors.h>
#include <varnex/model/planet.h>

#include <functional>
#include <map>

namespace varnex::persistence {
namespace {

template <class Kind>
rumpf* Make(const char* name) {
  return name == nullptr ? new Kind() : new Kind(name);
}

using Factory = rumpf* (*)(const char*);

const std::map<std::string, Factory>& Factories() {
  static const std::map<std::string, Factory> factories = {
      {"Zahl", &Make<object_zahl>},           {"ANNOTATIONZAHL", &Make<PVFAnnotationZahl>},
      {"vector", &Make<object_vector>},       {"AXIS", &Make<object_axis>},
      {"Nummer", &Make<object_number>},       {"Text", &Make<object_text>},
      {"ENUMERATION", &Make<object_enum>},    {"Logic", &Make<object_logic>},
      {"Geometric", &Make<object_geom>},      {"Transform", &Make<object_trans>},
      {"Connect2d", &Make<object_connect2d>}, {"REFERENCE", &Make<object_reference>},
      {"Planet", &Make<object_planet>},
  };
  return factories;
}

rumpf* Create(const std::string& type, const char* name) {
  auto found = Factories().find(type);
  return found == Factories().end() ? nullptr : found->second(name);
}

}  // namespace

rumpf* CreateObjectOfType(const std::string& type) {
  return Create(type, nullptr);
}

rumpf* CreateNamedObjectOfType(const std::string& type, const char* name) {
  return Create(type, name);
}

std::string ConvertRestoreName(const std::string& text) {
  if (pPVFConvertRestoreName == nullptr) {
    return text;
  }
  PVMStrg converted(text.c_str());
  const char* result = pPVFConvertRestoreName(converted);
  return result != nullptr ? std::string(result) : text;
}

}  // namespace varnex::persistence
