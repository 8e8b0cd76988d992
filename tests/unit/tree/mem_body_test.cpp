// Memory bodies: which nodes are kept, reading a body back from the queue and from its file,
// the run's files and nobody else's, and an update that rebuilds what a damaged or lost memory
// body no longer gives.
#include <sys/stat.h>
#include <unistd.h>
#include <varnex/tree/mem_body.h>
#include <varnex/tree/update.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tree_test_support.h"

namespace {

using varnex::test::kPi;
using varnex::test::TreeSession;

bool Exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

std::vector<std::string> FilesIn(const std::string& directory) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Collects the warnings the engine reports.
class Warnings : public PVFHandleMessage {
 public:
  Warnings() : saved_(pPVFHandleMessage) { pPVFHandleMessage = this; }
  ~Warnings() override { pPVFHandleMessage = saved_; }
  void Warning(const char* title, const char* text) override {
    if (std::string(title) == "MemoryBody") {
      texts.push_back(text);
    }
  }
  std::vector<std::string> texts;

 private:
  PVFHandleMessage* saved_;
};

// Each test runs with TMPDIR set to a directory of its own, so that what the run leaves behind
// and what belongs to others can be seen.
class MemoryBodies : public TreeSession {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "membody-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    ASSERT_NE(::mkdtemp(name.data()), nullptr);
    temp_ = name.data();
    const char* old = std::getenv("TMPDIR");
    saved_tmpdir_ = old != nullptr ? old : "";
    had_tmpdir_ = old != nullptr;
    setenv("TMPDIR", temp_.c_str(), 1);
    TreeSession::SetUp();
  }
  void TearDown() override {
    PVFSaveMemBody::HoldWriter(FALSE);
    PVFSaveMemBody::SetEnabled(TRUE);
    TreeSession::TearDown();
    if (had_tmpdir_) {
      setenv("TMPDIR", saved_tmpdir_.c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
    std::error_code error;
    std::filesystem::remove_all(temp_, error);
  }

  // A slab with `holes` bores cut from it one by one (a left-deep chain of holes + 1 features);
  // the combinations, bottom first.
  static std::vector<PDTnode*> HoledSlab(int holes) {
    std::vector<PDTnode*> combinations;
    PDTnode* top = Feature("slab");
    for (int i = 0; i < holes; ++i) {
      // Rows of five along y = 15, 0, -15 (the post stands at y = -15, beside the first row).
      std::string x = "x=" + std::to_string(-40 + 20 * (i % 5));
      std::string y = "y=" + std::to_string(15 - 15 * (i / 5));
      top = connect(top, Feature("bore", {x.c_str(), y.c_str()}), 0);
      EXPECT_NE(top, nullptr);
      combinations.push_back(top);
    }
    return combinations;
  }

  static double HoledSlabVolume(int holes, double post_height) {
    return 100.0 * 50 * 10 - holes * kPi * 25 * 10 + kPi * 64 * post_height;
  }

  std::string temp_;

 private:
  std::string saved_tmpdir_;
  bool had_tmpdir_ = false;
};

// ---- which nodes are kept ----

TEST_F(MemoryBodies, LeftDeepChainIsKeptFromSixFeaturesOnAndThenEveryTenWeightMore) {
  // Top of a chain of k features: weight 2k - 1. Kept when the weight reaches 10 plus what is
  // kept below: k = 6 (11 >= 10), then k = 11 (21 >= 10 + 11).
  std::vector<PDTnode*> chain = HoledSlab(11);
  struct Row {
    int features;
    int weight;
    bool kept;
  };
  const Row rows[] = {{2, 3, false},   {5, 9, false},  {6, 11, true},  {7, 13, false},
                      {10, 19, false}, {11, 21, true}, {12, 23, false}};
  for (const Row& row : rows) {
    if (row.features - 2 >= static_cast<int>(chain.size())) {
      continue;
    }
    PDTnode* top = chain[static_cast<std::size_t>(row.features - 2)];
    EXPECT_EQ(PVFSaveMemBody::Weight(top), row.weight) << row.features << " features";
    EXPECT_EQ(top->eHasMemBody() != FALSE, row.kept) << row.features << " features";
  }
  EXPECT_EQ(PVFSaveMemBody::CachedWeight(chain[9]), 21);  // its own kept weight
  EXPECT_EQ(PVFSaveMemBody::CachedWeight(chain[8]), 11);  // the kept combination below
}

TEST_F(MemoryBodies, NodeKindsWeighDifferently) {
  PDTnode* pattern = Feature("ReproMatrixV1");
  PDTnode* slab = Feature("slab");
  ASSERT_NE(pattern, nullptr);
  EXPECT_EQ(PVFSaveMemBody::Weight(pattern), PVFSaveMemBody::kThreshold - 1);
  EXPECT_FALSE(pattern->eHasMemBody());
  // The heavy feature alone brings its combination to the threshold.
  PDTnode* with_pattern = connect(slab, pattern, 0);
  ASSERT_NE(with_pattern, nullptr);
  EXPECT_EQ(PVFSaveMemBody::Weight(with_pattern), PVFSaveMemBody::kThreshold + 1);
  EXPECT_TRUE(with_pattern->eHasMemBody());
  // Two plain features weigh 3; a transformation nothing.
  PDTnode* plain = connect(Feature("slab"), Feature("slab"), 0);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(PVFSaveMemBody::Weight(plain), 3);
  EXPECT_FALSE(plain->eHasMemBody());
  PDTnode* moved = connect(new PDTtrans("shift", "shift", nullptr), Feature("slab"), 0);
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(PVFSaveMemBody::Weight(moved), 2);
}

TEST_F(MemoryBodies, SwitchedOffNothingIsKept) {
  PVFSaveMemBody::SetEnabled(FALSE);
  std::vector<PDTnode*> chain = HoledSlab(5);
  EXPECT_FALSE(chain.back()->eHasMemBody());
  EXPECT_EQ(PVFSaveMemBody::Directory(), "");
}

// ---- reading back ----

TEST_F(MemoryBodies, BodyReadRightAfterKeepingComesFromTheQueueThenFromItsFile) {
  PVFSaveMemBody::HoldWriter(TRUE);
  PDTnode* top = HoledSlab(5).back();
  ASSERT_TRUE(top->eHasMemBody());
  EXPECT_TRUE(PVFSaveMemBody::IsQueued(top));
  std::string file = PVFSaveMemBody::FileOf(top);
  EXPECT_FALSE(Exists(file));
  double expected = HoledSlabVolume(5, 0);
  ENTITY* queued = PVFSaveMemBody::MemBodyFromFile(top);
  ASSERT_NE(queued, nullptr);
  EXPECT_NEAR(fmvolume_of_body(queued), expected, 1e-3);
  EXPECT_NE(queued, top->get_body());
  api_delent(queued);
  EXPECT_TRUE(PVFSaveMemBody::IsQueued(top));  // reading leaves the job queued

  PVFSaveMemBody::HoldWriter(FALSE);
  PVFSaveMemBody::Flush();
  EXPECT_FALSE(PVFSaveMemBody::IsQueued(top));
  EXPECT_TRUE(Exists(file));
  ENTITY* stored = PVFSaveMemBody::MemBodyFromFile(top);
  ASSERT_NE(stored, nullptr);
  EXPECT_NEAR(fmvolume_of_body(stored), expected, 1e-3);
  api_delent(stored);
}

// ---- the run's files ----

TEST_F(MemoryBodies, RunDeletesItsOwnFilesAndNoOneElses) {
  // Another process's files in the same temporary directory.
  std::string foreign_file = temp_ + "/MBd42.tmp";
  std::string foreign_run = temp_ + "/varnex-membody-other";
  ASSERT_EQ(::mkdir(foreign_run.c_str(), 0700), 0);
  WriteFile(foreign_file, "not ours");
  WriteFile(foreign_run + "/PDTnode_@1-1.mbd", "not ours either");

  PDTnode* top = HoledSlab(5).back();
  PVFSaveMemBody::Flush();
  std::string run = PVFSaveMemBody::Directory();
  ASSERT_NE(run, "");
  EXPECT_EQ(run.rfind(temp_, 0), 0u) << run;
  struct stat info {};
  ASSERT_EQ(::stat(run.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(FilesIn(run).size(), 1u);

  PVFParaFeature::Current()->DeleteMemBodyFiles();
  EXPECT_FALSE(top->eHasMemBody());
  EXPECT_TRUE(FilesIn(run).empty());

  HoledSlab(5);
  PVFSaveMemBody::Flush();
  EXPECT_EQ(FilesIn(run).size(), 1u);
  deinitialize_modeller();
  EXPECT_FALSE(Exists(run));
  EXPECT_EQ(PVFSaveMemBody::Directory(), "");
  initialize_modeller("tree_test");

  EXPECT_TRUE(Exists(foreign_file));
  EXPECT_TRUE(Exists(foreign_run + "/PDTnode_@1-1.mbd"));
}

TEST_F(MemoryBodies, DeletedNodeLeavesNoFileBehindAndNoBodyToItsSuccessor) {
  PVFSaveMemBody::HoldWriter(TRUE);
  PDTnode* top = HoledSlab(5).back();
  ASSERT_TRUE(PVFSaveMemBody::IsQueued(top));
  std::string file = PVFSaveMemBody::FileOf(top);
  std::string run = PVFSaveMemBody::Directory();
  delete_node(top);
  PVFSaveMemBody::HoldWriter(FALSE);
  PVFSaveMemBody::Flush();
  EXPECT_FALSE(Exists(file));
  EXPECT_TRUE(FilesIn(run).empty());
  // Nodes made now (one may take the deleted node's address) have no memory body.
  for (int i = 0; i < 8; ++i) {
    auto* node = new varnex::test::SignedNode(("fresh" + std::to_string(i)).c_str(), 1);
    EXPECT_FALSE(PVFSaveMemBody::eHasMemBody(node));
    EXPECT_EQ(PVFSaveMemBody::MemBodyFromFile(node), nullptr);
  }
}

// ---- updates ----

struct Fault {
  const char* name;
  void (*spoil)(const std::string& file);
};

const Fault kFaults[] = {
    {"garbage", [](const std::string& file) { WriteFile(file, "this is no memory body"); }},
    {"truncated",
     [](const std::string& file) {
       std::string data;
       {
         std::ifstream in(file, std::ios::binary);
         data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
       }
       WriteFile(file, data.substr(0, data.size() / 2));
     }},
    {"flipped",
     [](const std::string& file) {
       std::fstream io(file, std::ios::binary | std::ios::in | std::ios::out);
       io.seekp(12);
       io.put('\x5a');
       io.put('\xa5');
     }},
    {"removed", [](const std::string& file) { std::remove(file.c_str()); }},
};

TEST_F(MemoryBodies, UpdateAboveAKeptSubtreeRestoresItInsteadOfRebuildingIt) {
  std::vector<PDTnode*> chain = HoledSlab(5);
  PDTnode* holed = chain.back();
  auto* post = Feature("post");
  PDTnode* top = connect(holed, post, 0);
  ASSERT_NE(top, nullptr);
  ASSERT_TRUE(holed->eHasMemBody());
  PVMStrg result;
  PVMStrg name((std::string(post->get_name()) + ".height").c_str()), value("35");
  ASSERT_NE(SetValue(name, value, result), nullptr) << result.GetpStr();
  ASSERT_EQ(update_referencing_nodes(post, nullptr), 0);
  EXPECT_EQ(PDTLastRestoredNodes(), std::vector<std::string>{holed->get_name()});
  EXPECT_EQ(PDTLastUpdatedNodes(), (std::vector<std::string>{post->get_name(), top->get_name()}));
  EXPECT_NEAR(Volume(top), HoledSlabVolume(5, 35), 1e-3);
  ASSERT_EQ(rebuild_all(), 0);
  EXPECT_NEAR(Volume(top), HoledSlabVolume(5, 35), 1e-3);
}

TEST_F(MemoryBodies, DamagedOrLostFileMakesTheUpdateRebuildTheSubtreeWithTheSameResult) {
  for (const Fault& fault : kFaults) {
    SCOPED_TRACE(fault.name);
    std::vector<PDTnode*> chain = HoledSlab(5);
    PDTnode* holed = chain.back();
    auto* post = Feature("post");
    PDTnode* top = connect(holed, post, 0);
    ASSERT_NE(top, nullptr);
    PVFSaveMemBody::Flush();
    std::string file = PVFSaveMemBody::FileOf(holed);
    ASSERT_TRUE(Exists(file));
    fault.spoil(file);

    Warnings warnings;
    PVMStrg result;
    PVMStrg name((std::string(post->get_name()) + ".height").c_str()), value("35");
    ASSERT_NE(SetValue(name, value, result), nullptr) << result.GetpStr();
    ASSERT_EQ(update_referencing_nodes(post, nullptr), 0);
    EXPECT_TRUE(PDTLastRestoredNodes().empty());
    ASSERT_EQ(warnings.texts.size(), 1u);
    EXPECT_NE(warnings.texts[0].find(holed->get_name()), std::string::npos) << warnings.texts[0];
    EXPECT_TRUE(Contains(PDTLastUpdatedNodes(), holed->get_name()));
    EXPECT_TRUE(Contains(PDTLastUpdatedNodes(), chain.front()->get_name()));
    EXPECT_NEAR(Volume(top), HoledSlabVolume(5, 35), 1e-3);
    // The rebuilt subtree is kept again, under a new file name.
    EXPECT_TRUE(holed->eHasMemBody());
    EXPECT_NE(PVFSaveMemBody::FileOf(holed), file);
    PDTdelete();
    gmod_del_all();
  }
}

TEST_F(MemoryBodies, SecondFailureDuringTheRestartRebuildsThatSubtreeToo) {
  // Kept at 5 and at 10 holes; both files damaged. The update fails on the upper one, starts
  // again, reaches the lower one, fails there too and rebuilds its whole subtree.
  std::vector<PDTnode*> chain = HoledSlab(10);
  ASSERT_TRUE(chain[4]->eHasMemBody());
  ASSERT_TRUE(chain[9]->eHasMemBody());
  auto* post = Feature("post");
  PDTnode* top = connect(chain.back(), post, 0);
  ASSERT_NE(top, nullptr);
  PVFSaveMemBody::Flush();
  WriteFile(PVFSaveMemBody::FileOf(chain[4]), "damaged");
  WriteFile(PVFSaveMemBody::FileOf(chain[9]), "damaged");
  Warnings warnings;
  PVMStrg result;
  PVMStrg name((std::string(post->get_name()) + ".height").c_str()), value("35");
  ASSERT_NE(SetValue(name, value, result), nullptr) << result.GetpStr();
  ASSERT_EQ(update_referencing_nodes(post, nullptr), 0);
  EXPECT_EQ(warnings.texts.size(), 2u);
  EXPECT_TRUE(PDTLastRestoredNodes().empty());
  EXPECT_EQ(static_cast<int>(PDTLastUpdatedNodes().size()), all_nodes->size());
  EXPECT_NEAR(Volume(top), HoledSlabVolume(10, 35), 1e-3);
}

TEST_F(MemoryBodies, FailedWriteIsReportedAndTheBodyForgotten) {
  PVFSaveMemBody::HoldWriter(TRUE);
  std::vector<PDTnode*> chain = HoledSlab(5);
  PDTnode* holed = chain.back();
  ASSERT_TRUE(holed->eHasMemBody());
  std::string run = PVFSaveMemBody::Directory();
  ASSERT_EQ(::rmdir(run.c_str()), 0);  // the writer has nowhere to write
  Warnings warnings;
  PVFSaveMemBody::HoldWriter(FALSE);
  PVFSaveMemBody::Flush();
  EXPECT_FALSE(holed->eHasMemBody());
  ASSERT_EQ(warnings.texts.size(), 1u);
  EXPECT_NE(warnings.texts[0].find("could not be written"), std::string::npos) << warnings.texts[0];
}

}  // namespace
