// The object kinds the model files know, by their type keyword.
#pragma once

#include <string>

class rumpf;

namespace varnex::persistence {

/// A new default-constructed object of the kind `type` names ("Zahl", "Planet", ...), in the
/// current world; null for any other keyword.
rumpf* CreateObjectOfType(const std::string& type);
/// The same with a name (the data-structure reader's constructor form).
rumpf* CreateNamedObjectOfType(const std::string& type, const char* name);

/// The text converted by the active restore context (unchanged without one).
std::string ConvertRestoreName(const std::string& text);

}  // namespace varnex::persistence
