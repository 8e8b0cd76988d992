// The engine session of the commands that instantiate library features: the engine started over
// the library named by "NOVLPath", else over the shipped feature folder, and instances made from
// a feature name and NAME=VALUE parameters.
#pragma once

#include <string>
#include <vector>

#include "commands.h"

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

/// Instantiates the library feature `feature` in the current world with the NAME=VALUE
/// `assignments` (the other parameters take their defaults) and answers interpret's instance
/// name. Null after a one-line reason on stderr for an unknown feature or parameter, a rejected
/// value (saying why), a feature that refused ("feature 'NAME' refused: TEXT") or made no
/// instance, and, when `strict`, a feature text that skipped statements (each was reported as
/// a warning on stderr). Needs a running FeatureSession.
const char* InterpretFeature(const char* feature, Arguments assignments, bool strict = false);

/// Removes the word "--strict" from `words`; true when it was there.
bool TakeStrictOption(std::vector<char*>& words);

}  // namespace varnex::cli
