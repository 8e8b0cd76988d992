// The update's promise as a property: on generated trees (features whose formulas name each
// other, combinations, transformations), random value changes followed by an update leave every
// node's values and every tree's body exactly as a full rebuild from the same values makes them.
// Seeded and reproducible; VARNEX_PROPERTY_ROUNDS sets the number of rounds (20 by default).
#include <varnex/tree/update.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "tree_test_support.h"

namespace {

using varnex::test::TreeSession;

int Rounds() {
  const char* text = std::getenv("VARNEX_PROPERTY_ROUNDS");
  int rounds = text != nullptr ? std::atoi(text) : 0;
  return rounds > 0 ? rounds : 20;
}

struct Snapshot {
  std::map<std::string, std::string> values;  // "node.parameter" -> value text
  std::map<std::string, double> volumes;      // root -> volume of its body (-1: none)
};

const char* const kSlabParameters[] = {"width", "depth", "height"};
const char* const kBoreParameters[] = {"x", "y", "radius"};

class TreeGenerator {
 public:
  explicit TreeGenerator(unsigned seed) : random_(seed) {}

  // Builds 30 to 60 nodes: features, formulas between them, combinations, transformations.
  void Build() {
    int target = Uniform(30, 60);
    while (all_nodes->size() < target) {
      int kind = Uniform(0, 9);
      if (kind < 4) {
        AddSlab();
      } else if (kind < 6) {
        AddBore();
      } else if (kind < 7) {
        AddShift();
      } else {
        Combine();
      }
    }
  }

  // Sets 1 to 3 parameters to new constants (or a parameter to a formula naming another
  // feature); returns the nodes changed.
  std::vector<PDTnode*> Change() {
    std::vector<PDTnode*> changed;
    int count = Uniform(1, 3);
    for (int i = 0; i < count && !features_.empty(); ++i) {
      PDTnode* node = features_[static_cast<std::size_t>(Uniform(0, features_.size() - 1))];
      if (!all_nodes->contains(node)) {
        continue;
      }
      std::string name = Parameter(node);
      PVMStrg n(name.c_str()), v(Value(name).c_str()), result;
      if (SetValue(n, v, result) != nullptr) {
        changed.push_back(node);
      }
    }
    return changed;
  }

  void RandomFormula() {
    if (slabs_.size() < 2) {
      return;
    }
    PDTnode* from = slabs_[static_cast<std::size_t>(Uniform(0, slabs_.size() - 1))];
    PDTnode* to = slabs_[static_cast<std::size_t>(Uniform(0, slabs_.size() - 1))];
    if (from == to) {
      return;
    }
    const char* parameter = kSlabParameters[Uniform(0, 2)];
    std::string name = std::string(to->get_name()) + "." + parameter;
    std::string formula =
        std::string(from->get_name()) + "." + parameter + " + " + std::to_string(Uniform(1, 5));
    PVMStrg n(name.c_str()), v(formula.c_str()), result;
    SetValue(n, v, result);  // a cycle is refused, which is fine
  }

 private:
  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  int Uniform(int low, std::size_t high) { return Uniform(low, static_cast<int>(high)); }

  void AddSlab() {
    auto* node = new PDTfeat("slab", "slab", nullptr);
    features_.push_back(node);
    slabs_.push_back(node);
    if (Uniform(0, 2) == 0) {
      RandomFormula();
    }
  }
  void AddBore() { features_.push_back(new PDTfeat("bore", "bore", nullptr)); }
  void AddShift() {
    auto* shift = new PDTtrans("shift", "shift", nullptr);
    if (!slabs_.empty() && !shift->IsCorrupt()) {
      PDTnode* target = slabs_[static_cast<std::size_t>(Uniform(0, slabs_.size() - 1))];
      if (target->top() != shift->top() && target->top()->get_sign() == PDT_SIGN_POSITIVE) {
        connect(target, shift, 0);
      }
    }
  }
  void Combine() {
    if (features_.size() < 2) {
      return;
    }
    PDTnode* a = features_[static_cast<std::size_t>(Uniform(0, features_.size() - 1))];
    PDTnode* b = features_[static_cast<std::size_t>(Uniform(0, features_.size() - 1))];
    if (a->top() == b->top() || a->top()->get_sign() != PDT_SIGN_POSITIVE) {
      return;
    }
    connect(a, b, 0);
  }
  std::string Parameter(PDTnode* node) {
    bool slab = std::string(node->get_name()).rfind("slab", 0) == 0;
    const char* parameter = slab ? kSlabParameters[Uniform(0, 2)] : kBoreParameters[Uniform(0, 2)];
    return std::string(node->get_name()) + "." + parameter;
  }
  std::string Value(const std::string& name) {
    bool position = name.size() > 2 &&
                    (name.substr(name.size() - 2) == ".x" || name.substr(name.size() - 2) == ".y");
    return std::to_string(position ? Uniform(-40, 40) : Uniform(2, 30));
  }

  std::mt19937 random_;
  std::vector<PDTnode*> features_;
  std::vector<PDTnode*> slabs_;
};

Snapshot Take() {
  Snapshot snapshot;
  for (PDTnode* node : *all_nodes) {
    rumpf* root = node->GetRootDataElement();
    if (root != nullptr && !node->IsTypeOf("PDTcomb")) {
      GENERIC_LIST<rumpf> members;
      root->list_all_world(&members);
      for (int i = 0; i < members.count(); ++i) {
        if (members[i]->isTypeOf("Geometric")) {
          continue;
        }
        PVMStrg formula, value;
        members[i]->GetValue(formula, value);
        snapshot.values[std::string(node->get_name()) + "." + members[i]->get_name()] =
            value.GetpStr() != nullptr ? value.GetpStr() : "";
      }
    }
    if (node->get_parent() == nullptr) {
      ENTITY* body = node->get_body();
      snapshot.volumes[node->get_name()] = body != nullptr ? fmvolume_of_body(body) : -1.0;
    }
  }
  return snapshot;
}

class UpdateProperty : public TreeSession {};

TEST_F(UpdateProperty, UpdateEqualsFullRebuild) {
  int rounds = Rounds();
  for (int round = 0; round < rounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    if (round > 0) {
      TearDown();
      SetUp();
    }
    TreeGenerator generator(20261207u + static_cast<unsigned>(round));
    generator.Build();
    // The formulas were set while the tree grew: start from the state they give.
    PVFHandleMessage* quiet = pPVFHandleMessage;
    pPVFHandleMessage = nullptr;
    rebuild_all();
    pPVFHandleMessage = quiet;
    for (int step = 0; step < 2; ++step) {
      std::vector<PDTnode*> changed = generator.Change();
      if (changed.empty()) {
        continue;
      }
      void_list nodes(TRUE);
      for (PDTnode* node : changed) {
        nodes.add(node);
      }
      ASSERT_GE(update_referencing_nodes(&nodes, nullptr, nullptr, nullptr), 0);
      Snapshot updated = Take();
      PVFHandleMessage* saved = pPVFHandleMessage;
      pPVFHandleMessage = nullptr;  // the rebuild goes on without asking
      rebuild_all();
      pPVFHandleMessage = saved;
      Snapshot rebuilt = Take();
      ASSERT_EQ(updated.values, rebuilt.values);
      ASSERT_EQ(updated.volumes.size(), rebuilt.volumes.size());
      for (const auto& [root, volume] : rebuilt.volumes) {
        ASSERT_NEAR(updated.volumes[root], volume, 1e-6 * (1 + std::abs(volume))) << root;
      }
    }
  }
}

}  // namespace
