// The engine session of the commands that instantiate library features.
#include "feature_session.h"

#include <varnex/varnex.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "host_hooks.h"

namespace varnex::cli {
namespace {

// Sets each NAME=VALUE on the feature's parameter records; false after saying why.
bool SetParameters(Featurelist_Element& feature, Arguments assignments) {
  for (std::string_view assignment : assignments) {
    std::size_t equals = assignment.find('=');
    if (equals == std::string_view::npos || equals == 0) {
      Fail(std::string("'").append(assignment).append("' is no NAME=VALUE"));
      return false;
    }
    std::string name(assignment.substr(0, equals));
    std::string value(assignment.substr(equals + 1));
    HANDOVER_PARAMETER* parameter = feature.IsFunctionParameter(PVMStrg(name.c_str()));
    if (parameter == nullptr) {
      Fail("feature " + std::string(feature.FeatureName().GetpStr()) + " has no parameter '" +
           name + "'");
      return false;
    }
    PVMStrg refusal;
    if (parameter->Set(PVMStrg(value.c_str()), refusal) == nullptr) {
      Fail(refusal.IsNotVoid() ? std::string(refusal.GetpStr())
                               : "value '" + value + "' rejected for parameter '" + name + "'");
      return false;
    }
  }
  return true;
}

}  // namespace

FeatureSession::FeatureSession() {
  InstallHostHooks();  // the shipped library stands in for an unset "NOVLPath"
  path_ = PVFParaFeature::Current()->GetNOVLPath();
  initialize_modeller("varnex");
}

FeatureSession::~FeatureSession() {
  deinitialize_modeller();
  gmod_del_all();
}

bool TakeStrictOption(std::vector<char*>& words) {
  auto strict = std::find_if(words.begin(), words.end(),
                             [](const char* word) { return std::string_view(word) == "--strict"; });
  if (strict == words.end()) {
    return false;
  }
  words.erase(std::remove_if(words.begin(), words.end(),
                             [](const char* word) { return std::string_view(word) == "--strict"; }),
              words.end());
  return true;
}

const char* InterpretFeature(const char* feature_name, Arguments assignments, bool strict) {
  Featurelist_Element* feature =
      pFeatureList != nullptr ? pFeatureList->GetFeatureByName(PVMStrg(feature_name)) : nullptr;
  if (feature == nullptr) {
    Fail(std::string("no feature '") + feature_name + "' in the feature library");
    return nullptr;
  }
  if (!SetParameters(*feature, assignments)) {
    return nullptr;
  }
  if (fill_hand_over(feature->get_paralist()) != 1) {
    Fail(std::string("the parameters of '") + feature_name + "' have no types");
    return nullptr;
  }
  const int errors = ReportedErrors();
  const int skips = ReportedSkips();
  const char* name = interpret(feature_name);
  if (name == nullptr) {
    if (*NovlRunRefusal() != '\0') {
      Fail(std::string("feature '") + feature_name + "' refused: " + NovlRunRefusal());
    } else {
      Fail(std::string("feature '") + feature_name + "' made no instance");
    }
  } else if (ReportedErrors() > errors) {
    // What the engine refused is missing from the instance: it is no success.
    Fail(std::string("feature '") + feature_name + "' reported errors (see above)");
    return nullptr;
  } else if (strict && ReportedSkips() > skips) {
    Fail(std::string("feature '") + feature_name + "' skipped " +
         std::to_string(ReportedSkips() - skips) +
         " statement(s) (see the warnings above); --strict refuses that");
    return nullptr;
  }
  return name;
}

}  // namespace varnex::cli
