// A ten-step arithmetic expression evaluated the way the interpreter does it: every literal and
// every name read becomes a new operand, every operator yields a new one, and the consumed
// operands are deleted. Each operand passes through the live-operand registry, so the
// registry's cost is measured beside it, with other operands alive in the background.
#include <benchmark/benchmark.h>
#include <varnex/model/model.h>

#include <memory>
#include <vector>

#include "model/operands/registry.h"

namespace {

using Operation = aritm* (*)(aritm*, aritm*);

struct Step {
  Operation operation;
  double operand;
  bool integer;
};

// ((((((((((x + 2) * 3.5) - y) / 4) + 1.25) * x) - 7) / y) + 0.5) * 2), x = 3, y = 1.5
aritm* Evaluate(double x, double y) {
  const Step steps[] = {
      {[](aritm* a, aritm* b) { return a->add(b); }, 2, true},
      {[](aritm* a, aritm* b) { return a->multiply(b); }, 3.5, false},
      {[](aritm* a, aritm* b) { return a->subtract(b); }, y, false},
      {[](aritm* a, aritm* b) { return a->divide(b); }, 4, true},
      {[](aritm* a, aritm* b) { return a->add(b); }, 1.25, false},
      {[](aritm* a, aritm* b) { return a->multiply(b); }, x, false},
      {[](aritm* a, aritm* b) { return a->subtract(b); }, 7, true},
      {[](aritm* a, aritm* b) { return a->divide(b); }, y, false},
      {[](aritm* a, aritm* b) { return a->add(b); }, 0.5, false},
      {[](aritm* a, aritm* b) { return a->multiply(b); }, 2, true},
  };
  aritm* value = new op_zahl(x);
  for (const Step& step : steps) {
    aritm* right = step.integer
                       ? static_cast<aritm*>(new op_number(static_cast<long>(step.operand)))
                       : new op_zahl(step.operand);
    aritm* result = step.operation(value, right);
    delete value;
    delete right;
    value = result;
  }
  return value;
}

// Operands that stay alive during the measurement, as in a deep evaluation.
std::vector<std::unique_ptr<aritm>> Background(std::int64_t count) {
  std::vector<std::unique_ptr<aritm>> operands;
  for (std::int64_t i = 0; i < count; ++i) {
    operands.emplace_back(new op_zahl(static_cast<double>(i)));
  }
  return operands;
}

void BM_TenStepExpression(benchmark::State& state) {
  auto background = Background(state.range(0));
  for (auto _ : state) {
    aritm* result = Evaluate(3.0, 1.5);
    benchmark::DoNotOptimize(result->get_double());
    delete result;
  }
  state.counters["operations/s"] =
      benchmark::Counter(10.0 * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TenStepExpression)->Arg(0)->Arg(1000)->Arg(100000);

// One operand's registry traffic: insertion at construction and removal at deletion. The probe
// addresses lie below every heap operand (range 1 = 0: static storage, the worst case, the
// whole array shifts) or above them (1: a block large enough to be mapped apart from the heap,
// the best case, nothing shifts).
char lowProbes[64 * 64];

void BM_RegistryInsertRemove(benchmark::State& state) {
  auto background = Background(state.range(0));
  std::unique_ptr<char[]> highProbes(new char[1 << 22]);
  char* probes = state.range(1) == 0 ? lowProbes : highProbes.get();
  std::size_t next = 0;
  for (auto _ : state) {
    auto* probe = reinterpret_cast<aritm*>(probes + 64 * next);
    varnex::model::RegisterOperand(probe);
    varnex::model::UnregisterOperand(probe);
    next = (next + 1) % 64;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RegistryInsertRemove)->ArgsProduct({{0, 1000, 100000}, {0, 1}});

// The same operand traffic without the operations: construction and deletion only.
void BM_OperandCreateDelete(benchmark::State& state) {
  auto background = Background(state.range(0));
  for (auto _ : state) {
    aritm* operand = new op_zahl(1.0);
    benchmark::DoNotOptimize(operand);
    delete operand;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OperandCreateDelete)->Arg(0)->Arg(100000);

}  // namespace
