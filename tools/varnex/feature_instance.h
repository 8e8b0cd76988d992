// Instances of library features for the commands that build geometry: an engine session of its
// own and one instance made from a feature name and NAME=VALUE parameters.
#pragma once

#include <string>
#include <vector>

#include "feature_session.h"

class rumpf;

namespace varnex::cli {

class FeatureInstances {
 public:
  /// A new instance of the library feature `feature` with the NAME=VALUE `assignments` (the
  /// other parameters take their defaults), made by interpret. Null after a one-line reason on
  /// stderr for an unknown feature or parameter, a rejected value, or a feature that handed no
  /// instance over.
  /// `strict`: a feature text that skipped statements is refused as well.
  rumpf* Create(const std::string& feature, const std::vector<char*>& assignments,
                bool strict = false);

 private:
  FeatureSession session_;
};

}  // namespace varnex::cli
