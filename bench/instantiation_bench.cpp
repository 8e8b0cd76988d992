// Instantiating a library feature through interpret: a feature of twenty statements with five
// parameters, 10,000 instances into one model. The figure to read is items_per_second
// (instances per second).
#include <benchmark/benchmark.h>
#include <varnex/language/interpreter.h>
#include <varnex/library/feature_list.h>
#include <varnex/library/modeller.h>
#include <varnex/model/model.h>

#include <string>

namespace {

// Five parameters, twenty statements (declarations, assignments, a conditional, built-in
// calls and the RETURN).
constexpr const char* kSlab = R"(SCHEMA slab;
  ENTITY feature_slab;
    length : distance;
    width : distance;
    height : distance;
    rim : distance;
    holes : NUMBER;
    area : distance;
    volume : distance;
    perimeter : distance;
    rim_area : distance;
    net : distance;
  END_ENTITY;
  FUNCTION create_slab
  (
    length, width : distance := 10.0 RESTRICTED_TO {VALUE > 0},
    height : distance := 2.0,
    rim : distance := 0.5,
    holes : NUMBER := 4
  ) : feature_slab;
    LOCAL
      object : feature_slab;
      inner_length, inner_width, hole_area : distance;
    END_LOCAL;
    object.length := length;
    object.width := width;
    object.height := height;
    object.rim := rim;
    object.holes := holes;
    object.area := length * width;
    object.perimeter := 2 * (length + width);
    inner_length := length - 2 * rim;
    inner_width := width - 2 * rim;
    object.rim_area := object.area - inner_length * inner_width;
    hole_area := holes * 3.14159 * rim * rim;
    object.net := object.area - hole_area;
    if (object.net < 0)
    {
      object.net := 0;
    };
    object.volume := object.net * height;
    object.perimeter := max(object.perimeter, abs(inner_length));
    object.area := sqrt(object.area * object.area);
    RETURN (object);
  END_FUNCTION;
END_SCHEMA;
)";

// A started engine whose library holds only the slab.
class Session {
 public:
  Session() : saved_(anfang) {
    anfang = nullptr;
    initialize_modeller("bench");
    pFeatureList->Clear();
    pFeatureList->AddFeature(PVMStrg("slab.NVL"), PVMStrg(kSlab));
  }
  ~Session() {
    deinitialize_modeller();
    anfang = saved_;
  }

 private:
  nullwelt* saved_;
};

void BM_InstantiateSlab(benchmark::State& state) {
  Session session;
  for (auto _ : state) {
    hand_over[0] = new op_zahl(12.0);
    hand_over[1] = new op_zahl(8.0);
    hand_over[2] = new op_zahl(1.5);
    hand_over[3] = new op_zahl(0.25);
    hand_over[4] = new op_number(6L);
    hand_over[5] = nullptr;
    char* name = interpret("slab");
    benchmark::DoNotOptimize(name);
  }
  if (search("slab_@1.volume") == nullptr) {
    state.SkipWithError("the slab made no instance");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InstantiateSlab)->Iterations(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
