// The feature library's reader of companion geometry files (.NOV): a text part and binary
// blocks beside a feature's .NVL file.
#include <varnex/varnex.h>

#include <filesystem>
#include <string>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  varnex::fuzz::StartEngine();
  static const std::string kText =
      "SCHEMA slab; ENTITY feature_slab; END_ENTITY; FUNCTION create_slab () : feature_slab; "
      "END_FUNCTION; END_SCHEMA;";
  std::string nvl = varnex::fuzz::ScratchFile("slab.NVL", kText);
  varnex::fuzz::ScratchFile("slab.NOV", varnex::fuzz::AsText(data, size));
  std::filesystem::path path(nvl);
  std::string directory = path.parent_path().string() + "/";
  PARSE_ATTACHMENT source(PVMStrg("slab.NVL"), PVMStrg(directory.c_str()));
  Featurelist_Element feature(&source);
  PVMStrg geometry;
  feature.GetFeatureGeometry(geometry);
  return 0;
}
