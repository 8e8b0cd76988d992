// Formula evaluation speed: evaluate_string of "a.b * 2 + c;" against a root world that holds
// many other objects, so that name lookups go through the root world's name index.
#include <benchmark/benchmark.h>
#include <varnex/varnex.h>

#include <memory>
#include <string>

namespace {

class RootWorld {
 public:
  explicit RootWorld(int objects) {
    ds_init();
    for (int i = 0; i < objects; ++i) {
      new object_zahl(static_cast<double>(i), ("n" + std::to_string(i)).c_str());
    }
    auto* a = new object_planet("a");
    a->qualify();
    new object_zahl(1.5, "b");
    requalify();
    new object_zahl(4.0, "c");
  }
};

void BM_EvaluateFormula(benchmark::State& state) {
  static RootWorld world(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::unique_ptr<aritm> value(evaluate_string("a.b * 2 + c;"));
    benchmark::DoNotOptimize(value.get());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateFormula)->Arg(100000);

void BM_EvaluateConstantFormula(benchmark::State& state) {
  for (auto _ : state) {
    std::unique_ptr<aritm> value(evaluate_string("2 + 3 * 4;"));
    benchmark::DoNotOptimize(value.get());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateConstantFormula);

}  // namespace
