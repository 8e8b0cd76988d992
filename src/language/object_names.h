// How statements read references: a dotted name whose last part is a component of a vector
// ("x", "y", "z") or of an axis ("Origin", "Direction") addresses that part of the object the
// rest of the name finds.
#pragma once

#include <string>

class object_axis;
class object_vector;

namespace varnex::language {

struct ComponentRef {
  /// The vector whose coordinate `index` (0-2) the name addresses, or null.
  object_vector* vector = nullptr;
  /// The axis whose origin (index 0) or direction (index 1) the name addresses, or null.
  object_axis* axis = nullptr;
  int index = 0;

  bool IsComponent() const { return vector != nullptr || axis != nullptr; }
};

/// Splits `ref` at its last "." and resolves the base with search(); no component when the
/// last part names none or the base is not an object of the matching type.
ComponentRef FindComponent(const std::string& ref);

}  // namespace varnex::language
