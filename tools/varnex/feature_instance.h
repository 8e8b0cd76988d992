// Instances of library features for the commands that build geometry: the engine started over
// the feature library (EngineSession) with its function table and a root world, and one
// instance made from a feature name and NAME=VALUE parameters.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "commands.h"
#include "engine_session.h"

class rumpf;
class nullwelt;

namespace varnex::cli {

class FeatureInstances {
 public:
  FeatureInstances();
  ~FeatureInstances();
  FeatureInstances(const FeatureInstances&) = delete;
  FeatureInstances& operator=(const FeatureInstances&) = delete;

  /// A new instance of the library feature `feature` with the NAME=VALUE `assignments` (the
  /// other parameters take their defaults): the object its RETURN handed over. Null after a
  /// one-line reason on stderr for an unknown feature or parameter, a rejected value, or a
  /// feature that handed no instance over.
  rumpf* Create(std::string_view feature, const std::vector<char*>& assignments);

 private:
  EngineSession engine_;
  nullwelt* root_ = nullptr;
};

}  // namespace varnex::cli
