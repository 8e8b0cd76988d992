// The feature library session the run and list commands work in: the engine started over the
// library named by "NOVLPath", else over the shipped feature folder.
#pragma once

#include <string>

namespace varnex::cli {

/// Starts the engine (initialize_modeller) over the feature library and stops it again when
/// the session ends.
class FeatureSession {
 public:
  FeatureSession();
  ~FeatureSession();
  FeatureSession(const FeatureSession&) = delete;
  FeatureSession& operator=(const FeatureSession&) = delete;

  /// The search path the library was read from.
  const std::string& LibraryPath() const { return path_; }

 private:
  std::string path_;
};

}  // namespace varnex::cli
