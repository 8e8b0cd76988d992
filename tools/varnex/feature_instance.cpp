// Making feature instances for the geometry commands (see feature_instance.h). The feature's
// text runs in the root world with its parameters handed over, as interpret runs it; the
// instance is the object its RETURN hands over.
#include "feature_instance.h"

#include <varnex/varnex.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>

namespace varnex::cli {
namespace {

// Sets each NAME=VALUE on the feature's parameter records; false after saying why.
bool SetParameters(Featurelist_Element& feature, const std::vector<char*>& assignments) {
  for (std::string_view assignment : assignments) {
    std::size_t equals = assignment.find('=');
    if (equals == std::string_view::npos || equals == 0) {
      Fail("'" + std::string(assignment) + "' is no NAME=VALUE");
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
    if (parameter->Set(PVMStrg(value.c_str())) == nullptr) {
      Fail("value '" + value + "' rejected for parameter '" + name + "'");
      return false;
    }
  }
  return true;
}

}  // namespace

FeatureInstances::FeatureInstances() {
  NOVL_functions = new ifunc_list;
  fill_method_table();
  anfang = nullptr;
  ds_init();
  root_ = anfang;
}

FeatureInstances::~FeatureInstances() {
  anfang = nullptr;
  delete root_;
  gmod_del_all();
  delete NOVL_functions;
  NOVL_functions = nullptr;
}

rumpf* FeatureInstances::Create(std::string_view name, const std::vector<char*>& assignments) {
  std::string feature_name(name);
  Featurelist_Element* feature = pFeatureList != nullptr
                                     ? pFeatureList->GetFeatureByName(PVMStrg(feature_name.c_str()))
                                     : nullptr;
  if (feature == nullptr) {
    Fail("no feature '" + feature_name + "' in the feature library");
    return nullptr;
  }
  if (!SetParameters(*feature, assignments)) {
    return nullptr;
  }
  PVMStrg text;
  if (fill_hand_over(feature->get_paralist()) != 1 ||
      feature->GetFeatureDescription(text) == nullptr || text.IsVoid()) {
    Fail("feature '" + feature_name + "' cannot be read");
    return nullptr;
  }
  std::FILE* input = std::exchange(yyin, nullptr);  // subparse parses the text itself
  subparse(text.GetpStr());
  yyin = input;
  std::unique_ptr<aritm> returned(hand_over[0]);
  hand_over[0] = nullptr;
  rumpf* instance = returned ? returned->get_object() : nullptr;
  if (instance == nullptr || instance->get_subworld() == nullptr) {
    Fail("feature '" + feature_name + "' handed no instance over");
    return nullptr;
  }
  return instance;
}

}  // namespace varnex::cli
