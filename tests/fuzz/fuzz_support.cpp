#include "fuzz_support.h"

#include <unistd.h>
#include <varnex/varnex.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace varnex::fuzz {

std::string ScratchFile(const std::string& name, std::string_view bytes) {
  static const std::filesystem::path directory = [] {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("varnex_fuzz_" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  std::filesystem::path path = directory / name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

void StartEngine() {
  static bool started = [] {
    static PVFHandleMessage silent;
    pPVFHandleMessage = &silent;
    NOVL_functions = new ifunc_list;
    fill_method_table();
    ds_init();
    NovlRunLimits limits;
    limits.feature_depth = 16;
    limits.block_depth = 64;
    limits.loop_iterations = 200;
    SetNovlRunLimits(limits);
    return true;
  }();
  (void)started;
}

void StartModeller(const char* model) {
  static bool started = [model] {
    setenv("NOVLPath", "/nonexistent/", 1);
    initialize_modeller(model);
    return true;
  }();
  (void)started;
}

}  // namespace varnex::fuzz
