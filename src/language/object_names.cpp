// Component references of vectors and axes.
#include "language/object_names.h"

#include <varnex/model/model.h>

namespace varnex::language {
namespace {

int VectorComponentIndex(const std::string& part) {
  if (part == "x") {
    return 0;
  }
  if (part == "y") {
    return 1;
  }
  return part == "z" ? 2 : -1;
}

int AxisPartIndex(const std::string& part) {
  if (part == "Origin") {
    return 0;
  }
  return part == "Direction" ? 1 : -1;
}

}  // namespace

ComponentRef FindComponent(const std::string& ref) {
  ComponentRef component;
  std::size_t dot = ref.rfind('.');
  if (dot == std::string::npos) {
    return component;
  }
  const std::string part = ref.substr(dot + 1);
  int vector_index = VectorComponentIndex(part);
  int axis_index = AxisPartIndex(part);
  if (vector_index < 0 && axis_index < 0) {
    return component;
  }
  rumpf* base = search(ref.substr(0, dot).c_str());
  if (base == nullptr) {
    return component;
  }
  if (vector_index >= 0 && base->isTypeOf("vector")) {
    component.vector = static_cast<object_vector*>(base);
    component.index = vector_index;
  } else if (axis_index >= 0 && base->isTypeOf("AXIS")) {
    component.axis = static_cast<object_axis*>(base);
    component.index = axis_index;
  }
  return component;
}

}  // namespace varnex::language
