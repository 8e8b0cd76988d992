// Fuzzes loading a package: any bytes as a .VNX file; a refused load must leave the model as it
// was, a load that succeeds replaces it.
#include <unistd.h>
#include <varnex/varnex.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string path;

bool Start() {
  setenv("NOVLPath", "/nonexistent/", 1);
  initialize_modeller("fuzz");
  path = "/tmp/varnex_package_fuzz_" + std::to_string(::getpid()) + ".VNX";
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static bool started = Start();
  (void)started;
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) {
    return 0;
  }
  std::fwrite(data, 1, size, out);
  std::fclose(out);
  PVMLoadModel(path.c_str());
  std::remove(path.c_str());
  return 0;
}
