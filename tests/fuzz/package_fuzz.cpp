// Fuzzes loading a package: any bytes as a .VNX file; a refused load must leave the model as it
// was, a load that succeeds replaces it.
#include <varnex/varnex.h>

#include <cstdint>
#include <string>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  varnex::fuzz::StartModeller("fuzz");
  std::string path = varnex::fuzz::ScratchFile("fuzz.VNX", varnex::fuzz::AsText(data, size));
  PVMLoadModel(path.c_str());
  return 0;
}
