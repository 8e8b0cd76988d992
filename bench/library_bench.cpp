// The feature library: reading a directory of definitions, storing and restoring the
// definitions a model uses, substituting default parameter variables.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <varnex/library/feature_list.h>
#include <varnex/library/variable_table.h>
#include <varnex/persistence/block_stream.h>
#include <varnex/persistence/string_stream.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string Definition(int i) {
  std::string n = "part" + std::to_string(i);
  return "-- generated part " + n + "\nSCHEMA " + n + ";\n  ENTITY feature_" + n +
         ";\n    length : distance;\n    width : distance;\n    feature_shape : geometric;\n"
         "    combine_constraint : STRING;\n  END_ENTITY;\n  FUNCTION create_" +
         n +
         "\n  (\n    length, width : distance := 10.0 RESTRICTED TO {VALUE > 0},\n"
         "    height : distance := 5.0,\n    side : ENUMERATION OF (left, right) := 'left'\n"
         "  ) : feature_" +
         n + ";\n    LOCAL\n      object : feature_" + n +
         ";\n    END_LOCAL;\n    object.length := length;\n"
         "    object.feature_shape := create_cube (length, width, height);\n"
         "    object.combine_constraint := 'positive';\n    RETURN (object);\n"
         "  END_FUNCTION;\nEND_SCHEMA;\n";
}

class GeneratedLibrary {
 public:
  explicit GeneratedLibrary(int count) {
    path_ = std::filesystem::temp_directory_path() /
            ("varnex_library_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(path_);
    for (int i = 0; i < count; ++i) {
      std::ofstream(path_ / ("part" + std::to_string(i) + ".NVL")) << Definition(i);
    }
  }
  ~GeneratedLibrary() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  PVMStrg Path() const { return PVMStrg((path_.string() + "/").c_str()); }

 private:
  std::filesystem::path path_;
};

void BM_ReadLibraryDirectory(benchmark::State& state) {
  GeneratedLibrary library(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    FEATURE_LIST list(library.Path());
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadLibraryDirectory)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_StoreAndRestoreDefinitions(benchmark::State& state) {
  FEATURE_LIST list{PVMStrg()};
  VALUE_LIST<PVMStrg> instances;
  for (int i = 0; i < state.range(0); ++i) {
    list.AddFeature(PVMStrg(("part" + std::to_string(i) + ".NVL").c_str()),
                    PVMStrg(Definition(i).c_str()));
    instances.add(PVMStrg(("part" + std::to_string(i) + "_@1").c_str()));
  }
  for (auto _ : state) {
    PVFSStream out;
    list.Store(out, instances);
    PVFBStream in(reinterpret_cast<const unsigned char*>(out.GetpStr()), out.Length());
    FEATURE_LIST restored{PVMStrg()};
    benchmark::DoNotOptimize(restored.Restore(in));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StoreAndRestoreDefinitions)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_ReplaceDefaultVariables(benchmark::State& state) {
  PVFDefParaVar table;
  table.add("WALL", "RUNDRADIUS * 2 + GAP");
  table.add("GAP", "0.5");
  for (auto _ : state) {
    PVMStrg text("create_cube (WALL, WALL - RUNDRADIUS, 10);");
    benchmark::DoNotOptimize(table.replace(text));
  }
}
BENCHMARK(BM_ReplaceDefaultVariables);

}  // namespace
