// Fuzzes the data-structure file reader: any bytes are read into a model of their own, which is
// then dropped; the reader must neither crash nor touch the running model.
#include <varnex/varnex.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  varnex::fuzz::StartModeller("fuzz");
  std::string text(reinterpret_cast<const char*>(data), size);
  if (WMODEL->add("scratch") == nullptr || WMODEL->activate("scratch") == nullptr) {
    return 0;
  }
  PVFClearRecordError();
  if (std::FILE* in = fmemopen(text.data(), text.size() + (text.empty() ? 1 : 0), "r")) {
    readds(in);
    std::fclose(in);
  }
  PVFClearRecordError();
  WMODEL->activate("fuzz");
  WMODEL->remove("scratch");
  return 0;
}
