// The cost of a parametric change.
//
//   Paired/HolesPlateThickness  holes_plate with 18 x 8 holes as one node: set its thickness and
//                               update, against the same solid built by direct Open CASCADE calls
//                               (plate minus one multi-tool pattern of cylinders, plus the boss),
//                               both timed in turn under the same load. Counter "ratio": engine
//                               over kernel (target: at most 1.1).
//   Update/TreeSize/N           the same edit near the end of a tree of N nodes (a plate, a hole
//                               cut from it and a plate whose thickness follows by formula, after
//                               N - 4 unrelated nodes). Compare N = 100 and N = 1000: the update
//                               cost follows the affected nodes, not the model (target: at most
//                               1.2).
//   Sort/Chain/N                SortAllNodes of a chain of N nodes, each naming the one before,
//                               handed over in reverse order.
//   MemBody/BossOnHoledPlate    a plate with 18 x 8 hole features, each its own node, cut one by
//                               one, and a boss united on top: change the boss height and update,
//                               against rebuild_all of the same tree, with memory bodies on and
//                               switched off. Counters: "ratio" update over rebuild with memory
//                               bodies (target: at most 0.1, the holed plate restored from its
//                               memory body), "ratio_off" the same without them, "restored" the
//                               nodes the update took from memory bodies; "restore_ms" and
//                               "keep_ms" the cost of restoring that body and of keeping the
//                               new top body, measured once more on their own.
#include <benchmark/benchmark.h>
#include <varnex/tree/mem_body.h>
#include <varnex/varnex.h>

#include <BRepAlgoAPI_Cut.hxx>
#include <BRepAlgoAPI_Fuse.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A feature with one number and no body.
constexpr const char* kMark = R"(SCHEMA mark;
  ENTITY feature_mark;
    value : NUMBER;
  END_ENTITY;
  FUNCTION create_mark
  (
    value : NUMBER := 1
  ) : feature_mark;
    LOCAL
      object : feature_mark;
    END_LOCAL;
    object.value := value;
    RETURN (object);
  END_FUNCTION;
END_SCHEMA;
)";

class Session {
 public:
  Session() : saved_(anfang) {
    anfang = nullptr;
    setenv("NOVLPath", VARNEX_FEATURES, 1);
    initialize_modeller("bench");
    pFeatureList->AddFeature(PVMStrg("mark.NVL"), PVMStrg(kMark));
  }
  ~Session() {
    deinitialize_modeller();
    gmod_del_all();
    anfang = saved_;
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

 private:
  nullwelt* saved_;
};

bool Set(const std::string& name, const std::string& value) {
  PVMStrg n(name.c_str()), v(value.c_str()), result;
  return SetValue(n, v, result) != nullptr;
}

template <class Step>
double Timed(Step&& step) {
  auto start = std::chrono::steady_clock::now();
  step();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// holes_plate's solid by direct kernel calls: the plate centred on the origin minus one Boolean
// with every pin, plus the boss on the top face.
TopoDS_Shape RawHolesPlate(double thickness) {
  const double width = 200, depth = 100, pitch = 10, margin = 10, radius = 3;
  TopoDS_Shape plate =
      BRepPrimAPI_MakeBox(gp_Pnt(-width / 2, -depth / 2, -thickness / 2), width, depth, thickness)
          .Shape();
  TopTools_ListOfShape arguments, tools;
  arguments.Append(plate);
  for (int column = 0; column < 18; ++column) {
    for (int row = 0; row < 8; ++row) {
      gp_Pnt base(margin - width / 2 + column * pitch, margin - depth / 2 + row * pitch,
                  -1.5 * thickness);
      tools.Append(BRepPrimAPI_MakeCylinder(gp_Ax2(base, gp::DZ()), radius, 3 * thickness).Shape());
    }
  }
  BRepAlgoAPI_Cut cut;
  cut.SetArguments(arguments);
  cut.SetTools(tools);
  cut.Build();
  cut.SimplifyResult();
  TopoDS_Shape boss =
      BRepPrimAPI_MakeCylinder(gp_Ax2(gp_Pnt(0, 0, thickness / 2), gp::DZ()), 10, 15).Shape();
  BRepAlgoAPI_Fuse fuse(cut.Shape(), boss);
  fuse.SimplifyResult();
  return fuse.Shape();
}

void PairedHolesPlate(benchmark::State& state) {
  Session session;
  auto* node = new PDTfeat("holes_plate", "holes_plate", nullptr);
  std::string name = node->get_name();
  Set(name + ".columns", "18");
  Set(name + ".rows", "8");
  update_referencing_nodes(node, nullptr);
  double engine = 0, raw = 0;
  int turn = 0;
  for (auto _ : state) {
    std::string thickness = ++turn % 2 == 0 ? "10" : "12";
    engine += Timed([&] {
      Set(name + ".thickness", thickness);
      update_referencing_nodes(node, nullptr);
    });
    raw += Timed([&] { benchmark::DoNotOptimize(RawHolesPlate(std::atof(thickness.c_str()))); });
  }
  state.counters["engine_ms"] = 1000.0 * engine / static_cast<double>(state.iterations());
  state.counters["raw_ms"] = 1000.0 * raw / static_cast<double>(state.iterations());
  state.counters["ratio"] = engine / raw;
  state.counters["volume"] = fmvolume_of_body(node->get_body());
}

void UpdateInTree(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  Session session;
  for (int i = 0; i < size - 4; ++i) {
    new PDTfeat("mark", "mark", nullptr);
  }
  auto* plate = new PDTfeat("plate", "plate", nullptr);
  connect(plate, new PDTfeat("hole", "hole", nullptr), 0);
  auto* follower = new PDTfeat("plate", "plate", nullptr);
  std::string edited = std::string(plate->get_name()) + ".thickness";
  Set(std::string(follower->get_name()) + ".thickness", edited + " * 2");
  int turn = 0;
  std::size_t refreshed = 0;
  for (auto _ : state) {
    Set(edited, ++turn % 2 == 0 ? "10" : "12");
    update_referencing_nodes(plate, nullptr);
    refreshed = PDTLastUpdatedNodes().size();
  }
  state.counters["nodes"] = all_nodes->size();
  state.counters["refreshed"] = static_cast<double>(refreshed);
}

void SortChain(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  Session session;
  std::vector<PDTnode*> chain;
  for (int i = 0; i < size; ++i) {
    chain.push_back(new PDTfeat("mark", "mark", nullptr));
  }
  // The formulas are installed without evaluating them: reading the last value of a chain this
  // long evaluates the whole chain recursively, which the sort never does.
  for (int i = 1; i < size; ++i) {
    PVMStrg name((std::string(chain[i]->get_name()) + ".value").c_str());
    rumpf* value = search(name);
    if (value != nullptr) {
      value->set_value_source((std::string(chain[i - 1]->get_name()) + ".value + 1;").c_str());
    }
  }
  for (auto _ : state) {
    state.PauseTiming();
    for (PDTnode* node : chain) {
      all_nodes->insert(node, 0);
    }
    state.ResumeTiming();
    benchmark::DoNotOptimize(state.range(1) != 0 ? SortFastAllNodes() : SortAllNodes());
  }
  state.counters["in_order"] = (*all_nodes)[0] == chain.front() ? 1 : 0;
}

// The holed plate with the boss on top; returns the boss.
PDTnode* BossOnHoledPlate() {
  auto* plate = new PDTfeat("plate", "plate", nullptr);
  std::string plate_name = plate->get_name();
  Set(plate_name + ".width", "200");
  Set(plate_name + ".depth", "100");
  update_referencing_nodes(plate, nullptr);
  PDTnode* top = plate;
  for (int column = 0; column < 18; ++column) {
    for (int row = 0; row < 8; ++row) {
      auto* hole = new PDTfeat("hole", "hole", nullptr);
      std::string name = hole->get_name();
      Set(name + ".x", std::to_string(-85 + 10 * column));
      Set(name + ".y", std::to_string(-35 + 10 * row));
      Set(name + ".diameter", "6");
      update_referencing_nodes(hole, nullptr);
      top = connect(top, hole, 0);
    }
  }
  auto* boss = new PDTfeat("boss", "boss", nullptr);
  connect(top, boss, 0);
  return boss;
}

void BossOnHoledPlateEdit(benchmark::State& state) {
  Session session;
  PDTnode* boss = BossOnHoledPlate();
  std::string height = std::string(boss->get_name()) + ".height";
  PDTnode* top = boss->top();
  int turn = 0;
  auto edit = [&] {
    Set(height, ++turn % 2 == 0 ? "15" : "20");
    update_referencing_nodes(boss, nullptr);
  };
  // Each round: the edit with memory bodies, a full rebuild, the edit without memory bodies
  // (switching them on again keeps the rebuilt tree's bodies from the next round on).
  double update = 0, rebuild = 0, update_off = 0, restore = 0, keep = 0;
  std::size_t restored = 0, refreshed = 0, refreshed_off = 0;
  bool same_volume = true;  // the update with memory bodies gives what the rebuild gives
  bool kept = true;         // the tree was built with memory bodies on
  for (auto _ : state) {
    if (!kept) {
      PVFSaveMemBody::SetEnabled(TRUE);
      rebuild_all();  // every memory body is kept afresh
    }
    PVFSaveMemBody::Flush();
    update += Timed(edit);
    double updated_volume = fmvolume_of_body(top->get_body());
    restored = PDTLastRestoredNodes().size();
    refreshed = PDTLastUpdatedNodes().size();
    PVFSaveMemBody::Flush();
    // Where the update's time goes: restoring the holed plate's body, and keeping the new top
    // body (saved and compressed on the engine's thread), each measured once more on its own.
    if (!PDTLastRestoredNodes().empty()) {
      PDTnode* holed = all_nodes->findByName(PDTLastRestoredNodes().front().c_str());
      ENTITY* restored_body = nullptr;
      restore += Timed([&] { restored_body = PVFSaveMemBody::MemBodyFromFile(holed); });
      api_delent(restored_body);
    }
    keep += Timed([&] { PVFSaveMemBody::MemBodyToFile(top, top->get_body()); });
    PVFSaveMemBody::Flush();
    rebuild += Timed([] { rebuild_all(); });
    same_volume = same_volume && std::abs(fmvolume_of_body(top->get_body()) - updated_volume) <
                                     1e-6 * updated_volume;
    PVFSaveMemBody::Flush();
    PVFSaveMemBody::SetEnabled(FALSE);
    kept = false;
    update_off += Timed(edit);
    refreshed_off = PDTLastUpdatedNodes().size();
  }
  PVFSaveMemBody::SetEnabled(TRUE);
  double rounds = static_cast<double>(state.iterations());
  state.counters["update_ms"] = 1000.0 * update / rounds;
  state.counters["rebuild_ms"] = 1000.0 * rebuild / rounds;
  state.counters["update_off_ms"] = 1000.0 * update_off / rounds;
  state.counters["restore_ms"] = 1000.0 * restore / rounds;
  state.counters["keep_ms"] = 1000.0 * keep / rounds;
  state.counters["ratio"] = update / rebuild;
  state.counters["ratio_off"] = update_off / rebuild;
  state.counters["nodes"] = all_nodes->size();
  state.counters["restored"] = static_cast<double>(restored);
  state.counters["refreshed"] = static_cast<double>(refreshed);
  state.counters["refreshed_off"] = static_cast<double>(refreshed_off);
  state.counters["volume"] = fmvolume_of_body(top->get_body());
  state.counters["same_volume"] = same_volume ? 1 : 0;
}

BENCHMARK(PairedHolesPlate)->Name("Paired/HolesPlateThickness")->Unit(benchmark::kMillisecond);
BENCHMARK(UpdateInTree)
    ->Name("Update/TreeSize")
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SortChain)
    ->Name("Sort/Chain")
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->ArgNames({"nodes", "fast"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BossOnHoledPlateEdit)
    ->Name("MemBody/BossOnHoledPlate")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
