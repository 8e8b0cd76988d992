// varnex list: the features of the library with their parameters.
#include <varnex/varnex.h>

#include <cstdio>
#include <string>

#include "commands.h"
#include "feature_session.h"

namespace varnex::cli {
namespace {

// "  name : type [:= default] [RESTRICTED_TO { restraints }]"
std::string ParameterLine(const HANDOVER_PARAMETER& parameter) {
  PVMStrg text;
  std::string line = std::string("  ") + parameter.Name().GetpStr() + " : " +
                     (parameter.Type().IsNotVoid() ? parameter.Type().GetpStr() : "?");
  if (parameter.Get(text) != nullptr && text.IsNotVoid()) {
    line += std::string(" := ") + text.GetpStr();
  }
  if (parameter.GetRestraints(text) != nullptr && text.IsNotVoid()) {
    line += std::string(" RESTRICTED_TO ") + text.GetpStr();
  }
  return line;
}

void PrintFeature(Featurelist_Element& feature) {
  const char* type = feature.get_feature_type();
  std::printf("%s: function %s, type %s\n", feature.FeatureName().GetpStr(),
              feature.get_theFuncname(), type != nullptr && *type != '\0' ? type : "-");
  void_list* parameters = feature.get_paralist();
  for (int i = 0; parameters != nullptr && i < parameters->count(); ++i) {
    if (auto* parameter = static_cast<HANDOVER_PARAMETER*>((*parameters)[i])) {
      std::printf("%s\n", ParameterLine(*parameter).c_str());
    }
  }
}

}  // namespace

int RunList(Arguments args) {
  if (!args.empty()) {
    return Fail("list takes no arguments (see 'varnex list --help')");
  }
  FeatureSession session;
  for (int i = 0; i < pFeatureList->Count(); ++i) {
    PrintFeature(*(*pFeatureList)[i]);
  }
  return 0;
}

const Command kListCommand = {
    "list", "list the library's features and their parameters",
    "usage: varnex list\n"
    "\n"
    "Prints every feature of the library: a line\n"
    "  feature: function FUNCTION, type TYPE\n"
    "then one line per parameter in declaration order:\n"
    "  name : type [:= default] [RESTRICTED_TO { restraints }]\n"
    "The library is read from NOVLPath, else from the features shipped with varnex\n"
    "(see 'varnex run --help').\n",
    RunList};

}  // namespace varnex::cli
