// What the language costs on top of the kernel when a feature builds geometry: the plate with
// four holes of the built-in tests run from its feature text (parse, objects, built-ins,
// operators) against the same bodies made by direct calls of the kernel layer.
#include <benchmark/benchmark.h>
#include <varnex/builtins/builtins.h>
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/transforms.h>
#include <varnex/language/interpreter.h>
#include <varnex/model/model.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string FeatureText() {
  std::ifstream in(VARNEX_TEST_DATA "/builtins/plate_four_holes.NVL");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void BM_PlateFromFeatureText(benchmark::State& state) {
  NOVL_functions = new ifunc_list;
  fill_method_table();
  std::string text = FeatureText();
  std::FILE* input = yyin;
  yyin = nullptr;
  for (auto _ : state) {
    anfang = nullptr;
    ds_init();
    nullwelt* root = anfang;
    subparse(text.c_str());
    delete hand_over[0];
    hand_over[0] = nullptr;
    anfang = nullptr;
    delete root;
    gmod_del_all();
  }
  yyin = input;
  delete NOVL_functions;
  NOVL_functions = nullptr;
}
BENCHMARK(BM_PlateFromFeatureText)->Unit(benchmark::kMillisecond);

void BM_PlateFromKernelCalls(benchmark::State& state) {
  const double offsets[4][2] = {{35, 35}, {-35, 35}, {-35, -35}, {35, -35}};
  for (auto _ : state) {
    ENTITY* plate = fmcreate_cube(100, 100, 10);
    for (const auto& xy : offsets) {
      ENTITY* hole = fmcreate_cylinder(30, 5);
      api_apply_transf(hole, fmtranslate(xy[0], xy[1], -10));
      plate = subtract(hole, plate);
    }
    benchmark::DoNotOptimize(plate);
    gmod_del_all();
  }
}
BENCHMARK(BM_PlateFromKernelCalls)->Unit(benchmark::kMillisecond);

}  // namespace
