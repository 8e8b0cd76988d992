// Models saved as packages and loaded back: the registry of models, the package layout, byte
// identity of store -> restore -> store, and the promises about files and failures.
#include <sys/resource.h>
#include <varnex/geometry/attribute_base.h>
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/topology.h>

#include <csignal>
#include <vector>

#include "model_test_support.h"

namespace varnex::test {
namespace {

using Registry = ModelSession;
using Packages = ModelSession;

TEST_F(Registry, StartUpAddsTheFirstModel) {
  ASSERT_NE(WMODEL, nullptr);
  EXPECT_EQ(WMODEL->count(), 1);
  mod_element* first = WMODEL->get_current_model();
  ASSERT_NE(first, nullptr);
  EXPECT_STREQ(first->get_name(), "test");
  EXPECT_EQ(first->GetRootWorld(), anfang);
  EXPECT_EQ(WMODEL->add("test"), nullptr) << "names are unique";

  mod_element* second = WMODEL->add("second");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(WMODEL->get_current_model(), first) << "adding does not switch";
  new object_zahl(1.0, "only_in_first");
  ASSERT_EQ(WMODEL->activate("second"), second);
  EXPECT_EQ(search("only_in_first"), nullptr);
  EXPECT_EQ(WMODEL->rename("second", "other"), 0);
  EXPECT_EQ(WMODEL->lookup("second"), nullptr);
  ASSERT_EQ(WMODEL->activate("test"), first);
  EXPECT_NE(search("only_in_first"), nullptr);
  EXPECT_EQ(WMODEL->remove("other"), 0);
  EXPECT_EQ(WMODEL->remove("other"), -1);
  EXPECT_EQ(WMODEL->count(), 1);
}

TEST_F(Registry, StoreAndRestoreNeedTheirHooks) {
  EXPECT_EQ(WMODEL->store_model(nullptr, Path("m").c_str()), -1);
  EXPECT_EQ(WMODEL->restore_model(nullptr, Path("m").c_str()), -1);
}

TEST_F(Packages, StoreRestoreStoreIsByteIdentical) {
  BuildModel();
  const std::string first = Path("model.VNX");
  ASSERT_STREQ(PVMSaveModel(first.c_str()), first.c_str()) << PVMLastStoreError();
  ASSERT_EQ(PVMLoadModel(first.c_str()), 0) << PVMLastStoreError();
  std::string world = WorldText();
  EXPECT_NE(world.find("value_source_: \"box_@1.volume / 100\""), std::string::npos)
      << "the data-structure file keeps a formula up to its ';'";
  PVMStrg formula, value;
  search("box_@2.height")->GetValue(formula, value);
  EXPECT_STREQ(value.GetpStr(), "5");
  ASSERT_EQ(gmod_anfang->count(), 3) << "three bodies saved together come back as three";
  EXPECT_NEAR(Volume(0), 1.0, 1e-6);
  EXPECT_NEAR(Volume(1), 8.0, 1e-6);
  EXPECT_NEAR(Volume(2), 27.0, 1e-6);
  const std::string second = Path("again.VNX");
  ASSERT_STREQ(PVMSaveModel(second.c_str()), second.c_str()) << PVMLastStoreError();
  EXPECT_EQ(ReadFile(second), ReadFile(first));
  EXPECT_EQ(total_count, 3);
  ASSERT_EQ(PVMLoadModel(second.c_str()), 0);
  EXPECT_EQ(WorldText(), world);
}

TEST_F(Packages, Framing) {
  new object_zahl(1.0, "x");
  const std::string path = Path("plain.VNX");
  ASSERT_STREQ(PVMSaveModel(path.c_str()), path.c_str());
  std::string bytes = ReadFile(path);
  const std::string header = "\"\\\"# VARNEX Version 4.2\\n\\\"\"\n\n";
  ASSERT_EQ(bytes.substr(0, header.size()), header);
  EXPECT_EQ(bytes.find("ACIS-Start"), std::string::npos) << "no bodies, no body section";
  EXPECT_EQ(bytes.substr(header.size(), 45), "++###++FILE_Trenner**###**\nFDS-FILE\n# Feature");
  EXPECT_NE(bytes.find("\n++###++FILE_Trenner**###**\nFLI-FILE\n"), std::string::npos);

  BuildModel();
  ASSERT_STREQ(PVMSaveModel(path.c_str()), path.c_str());
  bytes = ReadFile(path);
  EXPECT_EQ(bytes.substr(header.size(), 11), "ACIS-Start\n");
}

TEST_F(Packages, FilesBesideThePackageAreNeverTouched) {
  BuildModel();
  for (const char* suffix : {".fds", ".pdt", ".fli", ".nd"}) {
    WriteFile(Path(std::string("model") + suffix), std::string("mine ") + suffix);
  }
  const std::string path = Path("model.VNX");
  ASSERT_STREQ(PVMSaveModel(path.c_str()), path.c_str());
  ASSERT_EQ(PVMLoadModel(path.c_str()), 0);
  for (const char* suffix : {".fds", ".pdt", ".fli", ".nd"}) {
    EXPECT_EQ(ReadFile(Path(std::string("model") + suffix)), std::string("mine ") + suffix);
  }
  std::filesystem::remove(Path("model.fds"));
  ASSERT_EQ(PVMLoadModel(path.c_str()), 0);
  EXPECT_FALSE(std::filesystem::exists(Path("model.fds"))) << "unpacking writes nothing beside";
}

TEST_F(Packages, ContentHoldingTheSeparatorIsRefusedAndTheOldPackageKept) {
  new object_zahl(1.0, "x");
  const std::string path = Path("model.VNX");
  ASSERT_STREQ(PVMSaveModel(path.c_str()), path.c_str());
  std::string before = ReadFile(path);
  new object_text("++###++FILE_Trenner**###**", "trap");
  EXPECT_TRUE(PVMSaveModel(path.c_str()).IsVoid());
  EXPECT_NE(std::string(PVMLastStoreError()).find("separator"), std::string::npos);
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1)
      << "no temporary file is left behind";
}

TEST_F(Packages, SectionsEndAtTheFirstSeparator) {
  new object_zahl(1.0, "x");
  const std::string path = Path("model.VNX");
  ASSERT_STREQ(PVMSaveModel(path.c_str()), path.c_str());
  std::string bytes = ReadFile(path);
  // A section whose text ends in "+" directly before the separator.
  std::size_t fli = bytes.find("\n++###++FILE_Trenner**###**\nFLI-FILE");
  ASSERT_NE(fli, std::string::npos);
  bytes.insert(fli, "\n-- +");
  WriteFile(path, bytes);
  EXPECT_EQ(PVMLoadModel(path.c_str()), 0) << PVMLastStoreError();
  EXPECT_NE(search("x"), nullptr);
}

TEST_F(Packages, ReadOnlyPlacesAndFullDisksFailAndKeepTheOldFile) {
  BuildModel();
  EXPECT_TRUE(PVMSaveModel("/proc/varnex-model.VNX").IsVoid());
  EXPECT_FALSE(std::string(PVMLastStoreError()).empty());

  const std::string path = Path("model.VNX");
  ASSERT_STREQ(PVMSaveModel(path.c_str()), path.c_str());
  std::string before = ReadFile(path);
  new object_zahl(2.0, "more");
  // A disk that fills up part-way: the file-size limit makes writes fail.
  auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 200;
  setrlimit(RLIMIT_FSIZE, &small);
  PVMStrg result = PVMSaveModel(path.c_str());
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous_handler);
  EXPECT_TRUE(result.IsVoid());
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(Packages, NamesMustEndInVNX) {
  EXPECT_TRUE(PVMSaveModel(Path("model.txt").c_str()).IsVoid());
  EXPECT_NE(PVMLoadModel(Path("model.txt").c_str()), 0);
  EXPECT_NE(PVMLoadModel(Path("missing.VNX").c_str()), 0);
}

TEST_F(Packages, BodiesWithTheOlderMarkAreRegroupedThroughASeparation) {
  // Three blocks side by side in one body; the first and the third lump carry a generic name,
  // so the body stands for two saved bodies: blocks 1 and 2, and block 3.
  std::vector<ENTITY*> blocks;
  for (double size : {1.0, 2.0, 3.0}) {
    SPAtransf applied;
    int error = 0;
    double origin[3] = {10.0 * size, 0, 0};
    blocks.push_back(
        fmBlockBodyWithTrans(size, size, size, 0.0, origin, SPAtransf(), applied, error));
    ASSERT_NE(blocks.back(), nullptr);
  }
  for (int marked : {0, 2}) {
    ENTITY_LIST lumps;
    api_get_lumps(blocks[marked], lumps);
    ASSERT_EQ(lumps.count(), 1);
    new ATTRIB_GEN_NAME(lumps[0], "group start");
  }
  ENTITY* body = combine(blocks[2], combine(blocks[1], blocks[0]));
  ASSERT_EQ(body, blocks[0]);
  ENTITY_LIST lumps;
  api_get_lumps(body, lumps);
  ASSERT_EQ(lumps.count(), 3);
  new ATTRIB_GEN_NAME(body, "PVFReStoreAttribGenName");

  ENTITY_LIST refused;
  EXPECT_FALSE(api_separate_body(nullptr, refused).ok());
  EXPECT_FALSE(api_separate_body(lumps[0], refused).ok()) << "a lump is no body";
  EXPECT_EQ(refused.count(), 0);

  geo_list restored, bodies;
  restored.add(body);
  PVFRestoreBodies(&restored, &bodies);
  ASSERT_EQ(bodies.count(), 2);
  EXPECT_NEAR(fmvolume_of_body(bodies[0]), 1.0 + 8.0, 1e-6);
  EXPECT_NEAR(fmvolume_of_body(bodies[1]), 27.0, 1e-6);
  EXPECT_EQ(find_named_attrib(bodies[0], "PVFReStoreAttribGenName"), nullptr) << "mark removed";
  ENTITY_LIST third;
  api_get_lumps(bodies[1], third);
  ASSERT_EQ(third.count(), 1);
  EXPECT_NE(find_named_attrib(third[0], "group start"), nullptr) << "attributes move along";
  for (int i = 0; i < bodies.count(); ++i) {
    api_delent(bodies[i]);
  }
}

}  // namespace
}  // namespace varnex::test
