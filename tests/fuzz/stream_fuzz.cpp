// The text streams: numbers, words, quoted C strings and byte blocks read in turn from a text,
// the first input byte choosing the order.
#include <varnex/varnex.h>

#include <string>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  unsigned order = data[0];
  std::string text(varnex::fuzz::AsText(data + 1, size - 1));
  PVFSStream stream(text.c_str());
  for (int step = 0; step < 16; ++step) {
    switch ((order >> (step % 4 * 2)) & 3) {
      case 0: {
        int value = 0;
        stream >> value;
        break;
      }
      case 1: {
        double value = 0;
        stream >> value;
        break;
      }
      case 2: {
        PVMStrg word;
        stream >> word;
        break;
      }
      default: {
        PVFBinBlock block;
        stream >> block;
        break;
      }
    }
  }
  return 0;
}
