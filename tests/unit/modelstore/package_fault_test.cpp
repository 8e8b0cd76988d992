// Damaged packages: every truncation and a flipped byte at every position of a small package
// either loads as a valid model or is refused, and a refused load leaves the running model as
// it was.
#include <varnex/geometry/attribute_base.h>
#include <varnex/modelstore/restore.h>
#include <varnex/modelstore/tree_file.h>
#include <varnex/tree/comb.h>
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>
#include <varnex/tree/tree_functions.h>

#include "model_test_support.h"

namespace varnex::test {
namespace {

class DamagedPackages : public ModelSession {
 protected:
  // One instance with a formula, a node and one body: small enough to damage at every byte.
  void BuildSmallModel() {
    auto* node = new PDTfeat("box", "box", nullptr);
    ASSERT_STREQ(node->get_name(), "box_@1");
    search("box_@1.height")->set_value_source("box_@1.length / 2;");
    SPAtransf applied;
    int error = 0;
    double origin[3] = {0, 0, 0};
    ToModel(fmBlockBodyWithTrans(1.0, 2.0, 3.0, 0.0, origin, SPAtransf(), applied, error));
  }

  // The state a refused load must leave untouched.
  std::string Snapshot() const {
    std::string bodies;
    for (int i = 0; i < gmod_anfang->count(); ++i) {
      bodies += std::to_string(fmvolume_of_body((*gmod_anfang)[i])) + " ";
    }
    std::string nodes;
    for (PDTnode* node : *all_nodes) {
      nodes += std::string(node->get_name()) + "/" + node->get_id() + " ";
    }
    return WorldText() + "|" + bodies + "|" + std::to_string(total_count) + "|" + nodes;
  }

  // Loads every variant of `package` made by `damage`; returns how many loads were refused.
  template <class Damage>
  int Sweep(const std::string& package, std::size_t positions, Damage damage) {
    const std::string path = Path("damaged.VNX");
    int refused = 0;
    std::string before = Snapshot();
    for (std::size_t i = 0; i < positions; ++i) {
      WriteFile(path, damage(package, i));
      if (PVMLoadModel(path.c_str()) != 0) {
        ++refused;
        EXPECT_EQ(Snapshot(), before) << "a refused load changed the model (position " << i << ")";
      } else {
        before = Snapshot();  // a load that succeeded is the model the next refusal must keep
      }
    }
    return refused;
  }
};

TEST_F(DamagedPackages, EveryTruncation) {
  BuildSmallModel();
  const std::string path = Path("model.VNX");
  ASSERT_STREQ(PVMSaveModel(path.c_str()), path.c_str());
  std::string package = ReadFile(path);
  RecordProperty("package_bytes", static_cast<int>(package.size()));
  int refused = Sweep(package, package.size(),
                      [](const std::string& p, std::size_t i) { return p.substr(0, i); });
  EXPECT_GT(refused, 0);
}

TEST_F(DamagedPackages, AFlippedByteAtEveryPosition) {
  BuildSmallModel();
  const std::string path = Path("model.VNX");
  ASSERT_STREQ(PVMSaveModel(path.c_str()), path.c_str());
  std::string package = ReadFile(path);
  int refused = Sweep(package, package.size(), [](const std::string& p, std::size_t i) {
    std::string damaged = p;
    damaged[i] = static_cast<char>(damaged[i] ^ 0x5a);
    return damaged;
  });
  EXPECT_GT(refused, 0);
}

TEST_F(DamagedPackages, DataStructureFileEveryTruncationAndFlip) {
  BuildSmallModel();
  char* buffer = nullptr;
  std::size_t size = 0;
  FILE* out = open_memstream(&buffer, &size);
  storeds(out);
  std::fclose(out);
  std::string text(buffer, size);
  std::free(buffer);
  std::string before = Snapshot();
  for (std::size_t i = 0; i < text.size(); ++i) {
    for (int flip = 0; flip < 2; ++flip) {
      std::string damaged = flip == 0 ? text.substr(0, i) : text;
      if (flip == 1) {
        damaged[i] = static_cast<char>(damaged[i] ^ 0x5a);
      }
      WMODEL->add("scratch");
      WMODEL->activate("scratch");
      FILE* in = fmemopen(damaged.data(), damaged.size() + (damaged.empty() ? 1 : 0), "r");
      readds(in);
      std::fclose(in);
      WMODEL->activate("test");
      WMODEL->remove("scratch");
      EXPECT_EQ(Snapshot(), before);
    }
  }
}

TEST_F(DamagedPackages, NodeRecordsEveryTruncationAndFlip) {
  auto* slab = new PDTfeat("slab", "slab", nullptr);
  auto* shift = new PDTtrans("shift", "shift", nullptr);
  ASSERT_NE(connect(slab, new PDTfeat("bore", "bore", nullptr), 0), nullptr);
  ASSERT_NE(connect(slab, shift, 0), nullptr);
  PVFSStream out;
  PVFRestore::StructStgFeatureTree(out, nullptr);
  const std::string text = out.GetpStr();
  std::string before = Snapshot();
  PDTnodes* nodes = all_nodes;
  rvoid_list* roots = free_nodes;
  int refused = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    for (int flip = 0; flip < 2; ++flip) {
      std::string damaged = flip == 0 ? text.substr(0, i) : text;
      if (flip == 1) {
        damaged[i] = static_cast<char>(damaged[i] ^ 0x5a);
      }
      // Into an empty model of its own: the nodes find no objects and take none away.
      WMODEL->add("scratch");
      WMODEL->activate("scratch");
      all_nodes = new PDTnodes();
      free_nodes = new rvoid_list();
      PVFClearRecordError();
      FILE* in = fmemopen(damaged.data(), damaged.size() + (damaged.empty() ? 1 : 0), "r");
      refused += PVMRestoreTreeFile(in) != 0 ? 1 : 0;
      std::fclose(in);
      for (PDTnode* node : *all_nodes) {
        int steps = 0;
        for (PDTnode* up = node->get_parent(); up != nullptr; up = up->get_parent()) {
          ASSERT_LT(++steps, all_nodes->size()) << "the tree loops (position " << i << ")";
        }
      }
      PDTdelete();
      delete all_nodes;
      delete free_nodes;
      all_nodes = nodes;
      free_nodes = roots;
      WMODEL->activate("test");
      WMODEL->remove("scratch");
      EXPECT_EQ(Snapshot(), before);
    }
  }
  PVFClearRecordError();
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace varnex::test
