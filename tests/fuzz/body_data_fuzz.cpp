// Body data as the engine stores it: compressed blocks (zlib) uncompressed, then restored as
// binary body data; and the same bytes restored as body text.
#include <varnex/varnex.h>

#include <string>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  varnex::fuzz::StartEngine();
  ENTITY_LIST bodies;
  RestoreEntityListText(std::string(varnex::fuzz::AsText(data, size)), bodies);
  RestoreEntityListBinary(data, size, bodies);
  PVFSatStream compressed;
  compressed.write(data, size);
  if (compressed.Uncompress()) {
    RestoreEntityListBinary(compressed.GetpBuffer(), compressed.Length(), bodies);
  }
  gmod_del_all();
  return 0;
}
