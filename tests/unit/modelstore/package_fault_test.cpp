// Damaged packages: every truncation and a flipped byte at every position of a small package
// either loads as a valid model or is refused, and a refused load leaves the running model as
// it was.
#include <varnex/geometry/attribute_base.h>

#include "model_test_support.h"

namespace varnex::test {
namespace {

class DamagedPackages : public ModelSession {
 protected:
  // One instance with a formula and one body: small enough to damage at every byte.
  void BuildSmallModel() {
    ASSERT_STREQ(interpret("box"), "box_@1");
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
    return WorldText() + "|" + bodies + "|" + std::to_string(total_count);
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

}  // namespace
}  // namespace varnex::test
