// The built-in function table on the interpreter's path: every call expression looks its name
// up first (a hit for a built-in, a miss for a feature call), a hit runs the handler, and every
// initialisation fills the table once.
#include <benchmark/benchmark.h>
#include <varnex/builtins/builtins.h>
#include <varnex/model/model.h>

#include <string>
#include <vector>

namespace {

// Names as feature texts use them most: arithmetic, conversions, solids and transformations.
const std::vector<std::string> kBuiltinNames = {
    "pi",
    "sqrt",
    "sin",
    "cos",
    "rad",
    "round",
    "max",
    "toSTRING",
    "Integer",
    "strtok",
    "create_cube",
    "create_cylinder",
    "combine_body",
    "set_translation",
    "set_Zrotation",
    "transform",
    "face",
    "name_faces",
    "init_objectlist",
    "add_objectlist",
};

// Creates and fills the table for one benchmark; deletes it afterwards.
struct FilledTable {
  FilledTable() {
    NOVL_functions = new ifunc_list;
    fill_method_table();
  }
  ~FilledTable() {
    delete NOVL_functions;
    NOVL_functions = nullptr;
  }
};

void BM_FillMethodTable(benchmark::State& state) {
  for (auto _ : state) {
    FilledTable table;
    benchmark::DoNotOptimize(NOVL_functions->count());
  }
}
BENCHMARK(BM_FillMethodTable);

// Built-in names in turn.
void BM_LookupBuiltin(benchmark::State& state) {
  FilledTable table;
  const std::vector<std::string>& names = kBuiltinNames;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NOVL_functions->find(names[i].c_str()));
    i = (i + 1) % names.size();
  }
}
BENCHMARK(BM_LookupBuiltin);

// Feature function names, which the table must turn away.
void BM_LookupFeatureCall(benchmark::State& state) {
  FilledTable table;
  const std::vector<std::string> names = {"create_plate", "create_box", "Create_Pyramid", "bolt_M8",
                                          "create_flange_with_holes"};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NOVL_functions->find(names[i].c_str()));
    i = (i + 1) % names.size();
  }
}
BENCHMARK(BM_LookupFeatureCall);

// sqrt(9) as a call expression runs it: lookup, handler, result operand deleted by its owner.
void BM_CallSqrt(benchmark::State& state) {
  FilledTable table;
  op_zahl nine(9.0);
  aritm* args[] = {&nine, nullptr};
  for (auto _ : state) {
    aritm* result = nullptr;
    CallNovlFunction("sqrt", args, &result);
    benchmark::DoNotOptimize(result);
    delete result;
  }
}
BENCHMARK(BM_CallSqrt);

}  // namespace
