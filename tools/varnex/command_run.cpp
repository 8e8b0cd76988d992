// varnex run FEATURE [NAME=VALUE ...]: instantiates one library feature and prints the world of
// the new instance.
#include <varnex/varnex.h>

#include <cstdio>
#include <string>

#include "commands.h"
#include "feature_session.h"

namespace varnex::cli {
namespace {

// The formula without its closing ";".
std::string FormulaText(const char* source) {
  std::string formula(source);
  while (!formula.empty() && (formula.back() == ';' || formula.back() == ' ')) {
    formula.pop_back();
  }
  return formula;
}

// One line per object, depth first: "full.name : alias_type = value [:= formula]".
void PrintWorld(nullwelt* world) {
  for (welt* element = world->get_next(); element != nullptr; element = element->get_next()) {
    rumpf* object = element->get_member();
    PVMStrg full_name;
    PVMStrg formula;
    PVMStrg value;
    object->get_full_name(full_name);
    object->GetValue(formula, value);
    std::string line = std::string(full_name.GetpStr()) + " : " + object->get_alias_type() + " = " +
                       value.GetpStr();
    if (const char* source = object->get_value_source()) {
      line += " := " + FormulaText(source);
    }
    std::printf("%s\n", line.c_str());
    if (nullwelt* subworld = object->get_subworld()) {
      PrintWorld(subworld);
    }
  }
}

}  // namespace

int RunRun(Arguments args) {
  if (args.empty()) {
    return Fail("run needs a FEATURE (see 'varnex run --help')");
  }
  FeatureSession session;
  const char* name = InterpretFeature(args[0], args.subspan(1));
  if (name == nullptr) {
    return 1;
  }
  std::printf("%s\n", name);
  rumpf* instance = search(name);
  if (instance == nullptr || instance->get_subworld() == nullptr) {
    return Fail(std::string("feature '") + args[0] + "' handed no instance over");
  }
  PrintWorld(instance->get_subworld());
  return 0;
}

const Command kRunCommand = {
    "run", "instantiate a library feature and print its objects",
    "usage: varnex run FEATURE [NAME=VALUE ...]\n"
    "\n"
    "Creates one instance of the library feature FEATURE. Each NAME=VALUE sets the\n"
    "parameter NAME (a NOVL value text: 12.5, 'text', TRUE, [1, 0, 0]); the other\n"
    "parameters take their defaults. Prints the instance name, then one line per object\n"
    "of its world, depth first:\n"
    "  full.name : alias_type = value\n"
    "with ' := formula' appended when the object's value comes from a formula.\n"
    "The library is read from the search paths in the environment variable NOVLPath\n"
    "(separated by ';' or ':', '#DIR' for DIR and all its subfolders), else from the\n"
    "features shipped with varnex.\n"
    "Exits 0 when the instance exists; 1, saying why on stderr, for an unknown feature\n"
    "or parameter, a rejected value, or a feature that handed no instance over.\n",
    RunRun};

}  // namespace varnex::cli
