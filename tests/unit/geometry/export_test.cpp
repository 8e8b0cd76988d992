// Exports for other programs: STEP, binary STL and BREP files that other programs read, and
// nothing printed on stdout.
//
// Open CASCADE's STEP writer leaks a few objects once per process (its static editors and
// geometry tables); this program alone tells the leak checker to ignore Open CASCADE's own
// allocations, so the other kernel tests keep full leak checking.
#include <varnex/geometry/body_io.h>
#include <varnex/geometry/geometry_files.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/transforms.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "kernel_test_support.h"

extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:libTKSTEP\nleak:libTKXSBase\nleak:Standard_MMgrRaw::Allocate\n"
         "leak:Standard_MMgrRaw::Reallocate\n";
}

namespace kernel_test {
namespace {

class Export : public KernelTest {
 protected:
  ENTITY_LIST Bodies() {
    ENTITY_LIST bodies;
    ENTITY* block = fmcreate_cube(4, 4, 4);
    ENTITY* sphere = fmcreate_sphere(2);
    api_apply_transf(sphere, fmtranslate(10, 0, 0));
    bodies.add(block);
    bodies.add(sphere);
    return bodies;
  }
};

TEST_F(Export, WritesFilesOtherProgramsRead) {
  ENTITY_LIST bodies = Bodies();
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "varnex_export_test";
  std::filesystem::create_directories(dir);
  std::string step = (dir / "bodies.step").string();
  std::string stl = (dir / "bodies.stl").string();
  std::string brep = (dir / "bodies.brep").string();
  testing::internal::CaptureStdout();
  ASSERT_TRUE(PVFExportSTEP(bodies, step.c_str()).ok()) << PVFLastKernelOutcome().message();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "nothing on stdout";
  ASSERT_TRUE(PVFExportSTL(bodies, stl.c_str(), 0).ok());
  ASSERT_TRUE(PVFExportBREP(bodies, brep.c_str()).ok());
  std::ifstream stepFile(step);
  std::string firstLine;
  std::getline(stepFile, firstLine);
  EXPECT_EQ(firstLine, "ISO-10303-21;");
  std::ifstream stlFile(stl, std::ios::binary);
  std::vector<char> stlBytes((std::istreambuf_iterator<char>(stlFile)), {});
  ASSERT_GT(stlBytes.size(), 84u);
  std::uint32_t triangles = 0;
  std::memcpy(&triangles, stlBytes.data() + 80, 4);
  EXPECT_EQ(stlBytes.size(), 84u + 50u * triangles) << "binary STL";
  EXPECT_GT(triangles, 12u);
  EXPECT_GT(std::filesystem::file_size(brep), 100u);
  ENTITY_LIST none;
  EXPECT_FALSE(PVFExportSTEP(none, step.c_str()).ok());
  EXPECT_FALSE(PVFExportSTL(bodies, nullptr, 0).ok());
  EXPECT_FALSE(PVFExportBREP(bodies, (dir / "missing" / "x.brep").string().c_str()).ok());
  std::filesystem::remove_all(dir);
}

// What the engine writes for other programs reads back as one body of the same volume, without
// printing (the STEP reader reports statistics unless silenced).
TEST_F(Export, StepAndBrepReadBackAsOneBody) {
  ENTITY_LIST bodies = Bodies();
  double volume = fmvolume_of_body(bodies[0]) + fmvolume_of_body(bodies[1]);
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "varnex_import_test";
  std::filesystem::create_directories(dir);
  for (const char* name : {"bodies.STEP", "bodies.stp", "bodies.brep"}) {
    std::string path = (dir / name).string();
    bool step = std::string(name).find(".brep") == std::string::npos;
    ASSERT_TRUE(
        (step ? PVFExportSTEP(bodies, path.c_str()) : PVFExportBREP(bodies, path.c_str())).ok());
    int models = gmod_anfang->count();
    testing::internal::CaptureStdout();
    ENTITY* read = fmread_geometry(path.c_str());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << name;
    ASSERT_NE(read, nullptr) << name;
    EXPECT_NEAR(fmvolume_of_body(read), volume, 1e-6 * volume) << name;
    EXPECT_EQ(gmod_anfang->count(), models + 1) << name;
  }
  std::ofstream(dir / "text.step") << "ISO-10303-21;\nnot really\n";
  testing::internal::CaptureStdout();
  EXPECT_EQ(fmread_geometry((dir / "text.step").string().c_str()), nullptr);
  testing::internal::GetCapturedStdout();
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kernel_test
