// BREP and STEP files from other programs, as read_geometry reads them; the first input byte
// picks the format.
#include <varnex/varnex.h>

#include <string>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  varnex::fuzz::StartEngine();
  const char* name = data[0] % 2 == 0 ? "fuzz.brep" : "fuzz.step";
  std::string path = varnex::fuzz::ScratchFile(name, varnex::fuzz::AsText(data + 1, size - 1));
  fmread_geometry(path.c_str());
  gmod_del_all();
  return 0;
}
