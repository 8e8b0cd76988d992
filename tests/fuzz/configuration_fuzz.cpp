// The configuration file reader.
#include <varnex/base/configuration.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string path = varnex::fuzz::ScratchFile("fuzz.cfg", varnex::fuzz::AsText(data, size));
  PVFConfiguration whole(PVMStrg(path.c_str()), PVMStrg());
  PVFConfiguration module(PVMStrg(path.c_str()), PVMStrg("Paths"));
  VALUE_LIST<PVMStrg> values;
  module.Values(PVMStrg("NOVLPath"), &values);
  PVMStrg first;
  whole.Value(PVMStrg(), first);
  return 0;
}
