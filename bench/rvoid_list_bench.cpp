// rvoid_list::contains must not depend on the list's size: the dependency tree asks it for
// every node on every update pass.
#include <benchmark/benchmark.h>
#include <varnex/base/rvoid_list.h>

#include <cstdint>

namespace {

void* P(std::intptr_t n) {
  return reinterpret_cast<void*>(n * 16);
}

void BM_RvoidListContains(benchmark::State& state) {
  const std::int64_t size = state.range(0);
  rvoid_list list;
  for (std::int64_t i = 0; i < size; ++i) {
    list.add(P(i));
  }
  std::int64_t probe = 0;
  for (auto _ : state) {
    // Alternate hits and misses spread over the whole list.
    benchmark::DoNotOptimize(list.contains(P(probe)));
    probe = (probe + 7919) % (2 * size);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RvoidListContains)->Arg(1000)->Arg(1000000);

}  // namespace
