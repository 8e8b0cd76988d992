// The dependency tree's bookkeeping: making and joining many nodes, and finding a node by name
// or its position in all_nodes at 10^3 and 10^5 nodes. Read items_per_second; the lookups
// should not slow down as the tree grows (each is one hash probe), so compare the two sizes.
#include <benchmark/benchmark.h>
#include <varnex/library/feature_list.h>
#include <varnex/library/modeller.h>
#include <varnex/model/model.h>
#include <varnex/tree/tree.h>

#include <string>
#include <vector>

namespace {

// A feature with one value and no body: an attribute, so joining two of them runs no Boolean
// and the figure is the tree's own work plus a small instantiation.
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
    initialize_modeller("bench");
    pFeatureList->Clear();
    pFeatureList->AddFeature(PVMStrg("mark.NVL"), PVMStrg(kMark));
  }
  ~Session() {
    deinitialize_modeller();
    anfang = saved_;
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

 private:
  nullwelt* saved_;
};

// 10,000 feature nodes, each joined to the tree built so far: a chain of 9,999 combinations.
void BM_CreateAndConnect(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  Session session;  // one iteration: the session's start and end stay outside the figure
  for (auto _ : state) {
    PDTnode* tree = new PDTfeat("mark", "mark", nullptr);
    for (int i = 1; i < count; ++i) {
      tree = connect(tree, new PDTfeat("mark", "mark", nullptr), 0);
    }
    if (tree == nullptr || all_nodes->size() != 2 * count - 1 || free_nodes->count() != 1) {
      state.SkipWithError("the chain was not built");
    }
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_CreateAndConnect)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

// A tree of `count` stand-in nodes (no instances: the lookups do not touch them).
class NodeTable {
 public:
  explicit NodeTable(int count) {
    PDTinit();
    for (int i = 0; i < count; ++i) {
      names_.push_back("node_@" + std::to_string(i));
      auto* node = new PDTnode("PDTfeat", names_.back().c_str(), 0, nullptr);
      all_nodes->add(node);
      nodes_.push_back(node);
    }
  }
  ~NodeTable() { PDTdelete(); }
  NodeTable(const NodeTable&) = delete;
  NodeTable& operator=(const NodeTable&) = delete;

  // The same number of probes at every size, spread over the whole table, gathered into
  // arrays of their own so that only the container's memory differs between the sizes.
  std::vector<std::string> ProbeNames() const {
    std::vector<std::string> probes;
    for (int i : ProbePositions()) {
      probes.push_back(names_[i]);
    }
    return probes;
  }
  std::vector<PDTnode*> ProbeNodes() const {
    std::vector<PDTnode*> probes;
    for (int i : ProbePositions()) {
      probes.push_back(nodes_[i]);
    }
    return probes;
  }

  static constexpr int kProbes = 1024;

 private:
  std::vector<int> ProbePositions() const {
    std::vector<int> positions;
    for (int i = 0; i < kProbes; ++i) {
      positions.push_back(static_cast<int>((static_cast<long long>(i) * 7919) % nodes_.size()));
    }
    return positions;
  }

  std::vector<std::string> names_;
  std::vector<PDTnode*> nodes_;
};

void BM_FindByName(benchmark::State& state) {
  NodeTable table(static_cast<int>(state.range(0)));
  std::vector<std::string> probes = table.ProbeNames();
  for (auto _ : state) {
    for (const std::string& name : probes) {
      benchmark::DoNotOptimize(all_nodes->findByName(name.c_str()));
    }
  }
  state.SetItemsProcessed(state.iterations() * NodeTable::kProbes);
}
BENCHMARK(BM_FindByName)->Arg(1000)->Arg(100000);

void BM_LookupPosition(benchmark::State& state) {
  NodeTable table(static_cast<int>(state.range(0)));
  std::vector<PDTnode*> probes = table.ProbeNodes();
  for (auto _ : state) {
    for (PDTnode* node : probes) {
      benchmark::DoNotOptimize(all_nodes->lookup(node));
    }
  }
  state.SetItemsProcessed(state.iterations() * NodeTable::kProbes);
}
BENCHMARK(BM_LookupPosition)->Arg(1000)->Arg(100000);

}  // namespace
