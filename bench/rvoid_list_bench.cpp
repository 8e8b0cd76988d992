// rvoid_list::contains must not depend on the list's size: the dependency tree asks it for
// every node on every update pass. Probes come in a shuffled order (half hits, half misses) so
// the figures include the cache misses a large model really pays; a scanning lookup
// (void_list) is measured beside it for scale.
#include <benchmark/benchmark.h>
#include <varnex/base/rvoid_list.h>
#include <varnex/base/void_list.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

void* P(std::int64_t n) {
  return reinterpret_cast<void*>(0x10000 + n * 48);
}

// Every element once and as many misses; in list order (as an update pass visits the nodes)
// or shuffled (the worst case: every probe a cache miss once the table outgrows the cache).
std::vector<void*> Probes(std::int64_t size, bool shuffled) {
  std::vector<void*> probes;
  for (std::int64_t i = 0; i < size; ++i) {
    probes.push_back(P(i));
    probes.push_back(P(size + i));
  }
  if (shuffled) {
    std::shuffle(probes.begin(), probes.end(), std::mt19937(1));
  }
  return probes;
}

template <class List>
void Probe(benchmark::State& state, List& list, std::int64_t size) {
  std::vector<void*> probes = Probes(size, false);
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(list.lookup(probes[next]));
    next = next + 1 == probes.size() ? 0 : next + 1;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_RvoidListContains(benchmark::State& state) {
  rvoid_list list;
  for (std::int64_t i = 0; i < state.range(0); ++i) {
    list.add(P(i));
  }
  std::vector<void*> probes = Probes(state.range(0), state.range(1) != 0);
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(list.contains(probes[next]));
    next = next + 1 == probes.size() ? 0 : next + 1;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RvoidListContains)
    ->ArgsProduct({{1000, 1000000}, {0, 1}})
    ->ArgNames({"n", "shuffled"});

void BM_VoidListScanLookup(benchmark::State& state) {
  void_list list;
  for (std::int64_t i = 0; i < state.range(0); ++i) {
    list.add(P(i));
  }
  Probe(state, list, state.range(0));
}
BENCHMARK(BM_VoidListScanLookup)->Arg(1000)->Arg(10000);

}  // namespace
