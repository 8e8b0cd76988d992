// Making feature instances for the geometry commands (see feature_instance.h).
#include "feature_instance.h"

#include <varnex/varnex.h>

namespace varnex::cli {

rumpf* FeatureInstances::Create(const std::string& feature, const std::vector<char*>& assignments,
                                bool strict) {
  const char* name = InterpretFeature(feature.c_str(), assignments, strict);
  if (name == nullptr) {
    return nullptr;
  }
  rumpf* instance = search(name);
  if (instance == nullptr || instance->get_subworld() == nullptr) {
    Fail("feature '" + feature + "' handed no instance over");
    return nullptr;
  }
  return instance;
}

}  // namespace varnex::cli
