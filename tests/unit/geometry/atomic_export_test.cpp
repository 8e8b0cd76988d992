// Exports and body files that fail part-way (a full disk, a file-size limit) leave the file that
// was there before untouched, and no temporary file beside it.
#include <unistd.h>
#include <varnex/geometry/body_io.h>
#include <varnex/geometry/geometry_files.h>
#include <varnex/geometry/primitives.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../base/file_limit.h"
#include "kernel_test_support.h"

namespace kernel_test {
namespace {

namespace fs = std::filesystem;

struct Writer {
  const char* name;
  const char* file;
  bool (*write)(ENTITY* body, const char* path);
};

bool Step(ENTITY* body, const char* path) {
  ENTITY_LIST bodies;
  bodies.add(body);
  return PVFExportSTEP(bodies, path).ok();
}
bool Stl(ENTITY* body, const char* path) {
  ENTITY_LIST bodies;
  bodies.add(body);
  return PVFExportSTL(bodies, path, 0.001).ok();
}
bool Brep(ENTITY* body, const char* path) {
  ENTITY_LIST bodies;
  bodies.add(body);
  return PVFExportBREP(bodies, path).ok();
}
bool BodyFile(ENTITY* body, const char* path) {
  return fmstore_acisgeo(path, body) == 1;
}

const Writer kWriters[] = {
    {"STEP", "part.step", Step},
    {"STL", "part.stl", Stl},
    {"BREP", "part.brep", Brep},
    {"body file", "part.sat", BodyFile},
};

class AtomicExport : public KernelTest, public testing::WithParamInterface<Writer> {
 protected:
  void SetUp() override {
    KernelTest::SetUp();
    dir_ = fs::temp_directory_path() / ("varnex_atomic_export_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::remove_all(dir_);
    KernelTest::TearDown();
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path dir_;
};

TEST_P(AtomicExport, AFailedWriteKeepsTheOldFile) {
  const Writer& writer = GetParam();
  fs::path path = dir_ / writer.file;
  ASSERT_TRUE(writer.write(fmcreate_cube(4, 4, 4), path.c_str()));
  const std::string good = Read(path);
  ASSERT_GT(good.size(), 200u);
  {
    FileSizeLimit limit(200);  // far less than the sphere needs
    EXPECT_FALSE(writer.write(fmcreate_sphere(5), path.c_str()));
  }
  EXPECT_EQ(Read(path), good) << "the old file is untouched";
  std::size_t files = 0;
  for ([[maybe_unused]] const fs::directory_entry& entry : fs::directory_iterator(dir_)) {
    ++files;
  }
  EXPECT_EQ(files, 1u) << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(Writers, AtomicExport, testing::ValuesIn(kWriters),
                         [](const testing::TestParamInfo<Writer>& info) {
                           std::string name = info.param.name;
                           return name == "body file" ? std::string("BodyFile") : name;
                         });

}  // namespace
}  // namespace kernel_test
