// varnex config FILE MODULE [NAME]: the entries of one module of a configuration file.
#include <varnex/varnex.h>

#include <cstdio>
#include <string>

#include "commands.h"

namespace varnex::cli {

const Command kConfigCommand = {
    "config", "print the entries of one module of a configuration file",
    "usage: varnex config FILE MODULE [NAME]\n"
    "\n"
    "Reads the name=value lines of FILE that stand in the section [MODULE] and prints\n"
    "them one name=value a line, in file order. With NAME, prints only the values of\n"
    "the entries called NAME, one a line. An empty MODULE ('') takes every section.\n"
    "Exits 1 when FILE cannot be read or is no regular file (a directory, a device).\n",
    RunConfig};

int RunConfig(Arguments args) {
  if (args.size() < 2 || args.size() > 3) {
    return Fail("config needs FILE MODULE [NAME] (see 'varnex config --help')");
  }
  std::string error;
  if (!PVFIsRegularFile(args[0], &error)) {
    return Fail("cannot read configuration file: " + error);
  }
  PVFConfiguration config(args[0], args[1]);
  if (args.size() == 3) {
    VALUE_LIST<PVMStrg> values;
    int count = config.Values(args[2], &values);
    for (int i = 0; i < count; ++i) {
      std::printf("%s\n", values[i].GetpStr());
    }
    return 0;
  }
  VALUE_LIST<PVMStrg> names;
  VALUE_LIST<PVMStrg> values;
  config.Names(&names);
  config.Values(PVMStrg::NILSTRG, &values);
  for (int i = 0; i < names.count(); ++i) {
    std::printf("%s=%s\n", names[i].GetpStr(), values[i].GetpStr());
  }
  return 0;
}

}  // namespace varnex::cli
