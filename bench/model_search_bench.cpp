// search() of root-world names must stay logarithmic in the size of the world: formulas resolve
// every name they mention through it, and models hold up to millions of objects.
#include <benchmark/benchmark.h>
#include <varnex/model/planet.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// A root world of `size` objects named in shuffled order, and a shuffled list of probe names.
class RootWorld {
 public:
  explicit RootWorld(std::int64_t size) {
    saved_ = anfang;
    anfang = nullptr;
    ds_init();
    root_ = anfang;
    std::vector<std::int64_t> order(size);
    for (std::int64_t i = 0; i < size; ++i) {
      order[i] = i;
    }
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    for (std::int64_t i : order) {
      new rumpf(("part_" + std::to_string(i)).c_str());
    }
    std::shuffle(order.begin(), order.end(), std::mt19937(11));
    order.resize(std::min<std::int64_t>(size, 4096));
    for (std::int64_t i : order) {
      probes_.push_back("part_" + std::to_string(i));
    }
    anfang = saved_;
  }
  ~RootWorld() { delete root_; }
  nullwelt* root() const { return root_; }
  const std::vector<std::string>& probes() const { return probes_; }

 private:
  nullwelt* saved_ = nullptr;
  nullwelt* root_ = nullptr;
  std::vector<std::string> probes_;
};

// Google Benchmark calls the function several times while it settles the iteration count: build
// each world once and keep it for the program's run.
const RootWorld& WorldOf(std::int64_t size) {
  static std::map<std::int64_t, std::unique_ptr<RootWorld>> worlds;
  std::unique_ptr<RootWorld>& world = worlds[size];
  if (world == nullptr) {
    world = std::make_unique<RootWorld>(size);
  }
  return *world;
}

void BM_SearchRootName(benchmark::State& state) {
  const RootWorld& world = WorldOf(state.range(0));
  const auto& probes = world.probes();
  nullwelt* saved = anfang;
  anfang = world.root();
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(search(probes[next].c_str()));
    next = next + 1 == probes.size() ? 0 : next + 1;
  }
  anfang = saved;
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SearchRootName)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kNanosecond);

}  // namespace
