// Storing and restoring a large model through a package: 100,000 objects, instances whose
// numbers carry formulas naming each other.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <varnex/library/modeller.h>
#include <varnex/model/model.h>
#include <varnex/model/object_values.h>
#include <varnex/modelstore/model_load.h>
#include <varnex/modelstore/packages.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kObjectsPerInstance = 5;  // the instance and four numbers

// `objects` objects in instances of four numbers, three of them formulas.
void BuildModel(int objects) {
  for (int i = 0; i < objects / kObjectsPerInstance; ++i) {
    std::string name = "part_@" + std::to_string(i + 1);
    auto* instance = new object_planet(name.c_str());
    instance->set_alias_type("part");
    instance->qualify();
    auto* length = new object_zahl(10.0 + i, "length");
    length->set_alias_type("distance");
    (new object_zahl(0.0, "width"))->set_value_source("length / 2;");
    (new object_zahl(0.0, "height"))->set_value_source("length * 0.25 + 1;");
    (new object_zahl(0.0, "volume"))->set_value_source("length * width * height;");
    requalify();
  }
  total_count = objects / kObjectsPerInstance + 1;
}

void BM_StoreAndRestorePackage(benchmark::State& state) {
  const int objects = static_cast<int>(state.range(0));
  initialize_modeller("bench");
  BuildModel(objects);
  const std::string path = "/tmp/varnex_bench_" + std::to_string(::getpid()) + ".VNX";
  for (auto _ : state) {
    if (PVMSaveModel(path.c_str()).IsVoid() || PVMLoadModel(path.c_str()) != 0) {
      state.SkipWithError(PVMLastStoreError());
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * objects);
  std::remove(path.c_str());
  deinitialize_modeller();
}
BENCHMARK(BM_StoreAndRestorePackage)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
