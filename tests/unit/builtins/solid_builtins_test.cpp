// The solid and body built-ins: primitives with the engine's conventions, unusable arguments,
// combining, copying, deleting, and bodies read back from files.
#include <varnex/geometry/attributes.h>
#include <varnex/geometry/body_io.h>
#include <varnex/geometry/geometry_files.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/transforms.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "geometry_builtins_support.h"

namespace {

using namespace builtins_test;
namespace fs = std::filesystem;
constexpr double kPi = std::numbers::pi;

struct PrimitiveCase {
  const char* name;
  std::vector<double> args;
  double volume;  // 0: no body
};

// 12-gon of radius 1: area 6 sin 30° = 3. Square through (±1, 0), (0, ±1): area 2.
const PrimitiveCase kPrimitives[] = {
    {"create_cube", {2, 3, 4}, 24.0},
    {"create_cylinder", {2, 1}, 2 * kPi},
    {"create_cone", {3, 2, 1}, 7 * kPi},
    // The apex becomes a radius of 5e-06.
    {"create_cone", {3, 2, 0}, kPi*(4 + 2 * 5e-06 + 25e-12)},
    {"create_sphere", {1.5}, 4.5 * kPi},
    {"create_torus", {3, 1}, 6 * kPi* kPi},
    {"create_prism", {2, 1, 1, 4.9}, 4.0},  // n truncated to 4
    {"create_Pyramid", {3, 1, 1, 0, 4}, 2.0},
    {"create_pyramid", {3, 1, 0}, 3.0},
    {"create_Frustum", {2, 2, 1, 0}, 4 * kPi / 3},
    {"create_cube", {0, 1, 1}, 0.0},
    {"create_cube", {}, 0.0},
    {"create_cylinder", {-1, 1}, 0.0},
    {"create_torus", {1, 2}, 0.0},  // tube wider than the ring
    {"create_prism", {1, 1, 1, 2}, 0.0},
};

TEST_F(GeometryBuiltins, PrimitivesHaveTheirVolumesAndBadArgumentsGiveEmptyGeometry) {
  for (const PrimitiveCase& c : kPrimitives) {
    SCOPED_TRACE(c.name + ::testing::PrintToString(c.args));
    int before = gmod_anfang->count();
    std::vector<aritm*> args;
    for (double a : c.args) {
      args.push_back(Num(a));
    }
    args.push_back(nullptr);
    aritm* raw = nullptr;
    ASSERT_EQ(CallNovlFunction(c.name, args.data(), &raw), 1);
    Owned result(raw);
    for (aritm* a : args) {
      delete a;
    }
    ASSERT_TRUE(result != nullptr && result->IsOpGeom());
    ENTITY* body = result->get_ENTITY(0);
    if (c.volume == 0.0) {
      EXPECT_EQ(body, nullptr);
      EXPECT_EQ(gmod_anfang->count(), before) << "a failed primitive reached the model";
    } else {
      ASSERT_NE(body, nullptr);
      EXPECT_NEAR(fmvolume_of_body(body), c.volume, 1e-6 * c.volume);
      EXPECT_EQ(gmod_anfang->count(), before + 1);
    }
  }
}

TEST_F(GeometryBuiltins, ArgumentsOfTheWrongKindReadAsZero) {
  EXPECT_EQ(Made("create_cube", {Str("2"), Num(2), Num(2)}), nullptr);
  EXPECT_EQ(Made("create_sphere", {Vec(1, 1, 1)}), nullptr);
  ENTITY* body = Made("create_cube", {Int(2), Int(2), Int(2)});  // integers are numbers
  EXPECT_NEAR(fmvolume_of_body(body), 8.0, 1e-9);
}

TEST_F(GeometryBuiltins, MakeWireIsAStraightWireBody) {
  ENTITY* wire = Made("make_wire", {Num(0), Num(0), Num(0), Num(3), Num(4), Num(0)});
  ASSERT_NE(wire, nullptr);
  ENTITY_LIST edges;
  api_get_edges(wire, edges);
  ASSERT_EQ(edges.count(), 1);
  EXPECT_XYZ(Vector("point", {Geo(wire), Num(1)}), 3, 4, 0);
  EXPECT_EQ(Made("make_wire", {Num(1), Num(1), Num(1), Num(1), Num(1), Num(1)}), nullptr);
}

TEST_F(GeometryBuiltins, CombineBodyMovesTheFirstIntoTheSecondOnlyWithBoth) {
  ENTITY* a = fmcreate_cube(1, 1, 1);
  ENTITY* b = fmcreate_sphere(1);
  api_apply_transf(b, translate_transf(SPAvector(5, 0, 0)));
  int live = PVFLiveBodyCount();
  EXPECT_EQ(Made("combine_body", {Geo(a)}), nullptr);
  EXPECT_EQ(PVFLiveBodyCount(), live) << "one argument must change nothing";

  // A face stands for its body.
  ENTITY* combined = Made("combine_body", {Geo(Faces(a)[0]), Geo(b)});
  EXPECT_EQ(combined, b);
  EXPECT_EQ(PVFLiveBodyCount(), live - 1);
  ENTITY_LIST lumps;
  api_get_lumps(combined, lumps);
  EXPECT_EQ(lumps.count(), 2);
  EXPECT_NEAR(fmvolume_of_body(combined), 1.0 + 4.0 / 3.0 * kPi, 1e-6);
}

TEST_F(GeometryBuiltins, BodyFromCopyAndDelete) {
  ENTITY* cube = fmcreate_cube(2, 2, 2);
  ENTITY* face = Faces(cube)[0];
  EXPECT_EQ(Made("body_from", {Geo(face)}), cube);
  EXPECT_EQ(Made("body_from", {Num(1)}), nullptr);

  ENTITY* copy = Made("copy_body", {Geo(face)});
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, cube);
  EXPECT_NEAR(fmvolume_of_body(copy), 8.0, 1e-9);

  ENTITY* sheet = Made("copy_entity", {Geo(face)});
  ASSERT_NE(sheet, nullptr);
  EXPECT_NEAR(fmarea_of_body(sheet, 0), 4.0, 1e-9);

  int live = PVFLiveBodyCount();
  EXPECT_EQ(Number("delete_body", {Geo(face)}), 1.0);
  EXPECT_EQ(PVFLiveBodyCount(), live - 1);
  EXPECT_EQ(gmod_anfang->lookup(cube), -1) << "the deleted body stayed in the model";
  EXPECT_EQ(Number("delete_body", {}), 0.0);
}

class BodyFiles : public GeometryBuiltins {
 protected:
  void SetUp() override {
    GeometryBuiltins::SetUp();
    dir_ = fs::temp_directory_path() / ("varnex_geo_files_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::remove_all(dir_);
    GeometryBuiltins::TearDown();
  }
  std::string File(const char* name) { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(BodyFiles, StoredBodyReadsBackWithItsFaceNames) {
  ENTITY* cube = fmcreate_cube(1, 2, 3);
  new PVFAttribSolidFaceName(Faces(cube)[2], "side");
  ASSERT_EQ(fmstore_acisgeo(File("cube.sat").c_str(), cube), 1);

  int before = gmod_anfang->count();
  ENTITY* read = Made("read_acisgeo", {Str(File("cube.sat").c_str())});
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(gmod_anfang->count(), before + 1);
  EXPECT_NEAR(fmvolume_of_body(read), 6.0, 1e-9);
  PVFAttribSolidFaceName* name = PVFFindSolidFaceNameAtt(Faces(read)[2]);
  ASSERT_NE(name, nullptr);
  EXPECT_STREQ(name->GetName(), "side");
  // read_geometry takes a body file too.
  EXPECT_NEAR(fmvolume_of_body(Made("read_geometry", {Str(File("cube.sat").c_str())})), 6.0, 1e-9);
}

TEST_F(BodyFiles, BrepFromOtherProgramsBecomesOneBody) {
  ENTITY_LIST two;
  two.add(fmcreate_cube(1, 1, 1));
  ENTITY* ball = fmcreate_sphere(1);
  api_apply_transf(ball, translate_transf(SPAvector(4, 0, 0)));
  two.add(ball);
  ASSERT_TRUE(PVFExportBREP(two, File("two.BREP").c_str()).ok());
  ENTITY* read = Made("read_geometry", {Str(File("two.BREP").c_str())});
  ASSERT_NE(read, nullptr);
  EXPECT_NEAR(fmvolume_of_body(read), 1.0 + 4.0 / 3.0 * kPi, 1e-6);
}

TEST_F(BodyFiles, MissingOrDamagedFilesAddNothing) {
  std::ofstream(File("junk.sat")) << "VARNEX-BODIES 1 1\n12\nnot a shape";
  std::ofstream(File("junk.brep")) << "garbage";
  int before = gmod_anfang->count();
  int live = PVFLiveBodyCount();
  EXPECT_EQ(Made("read_acisgeo", {Str(File("none.sat").c_str())}), nullptr);
  EXPECT_EQ(Made("read_acisgeo", {Str(File("junk.sat").c_str())}), nullptr);
  EXPECT_EQ(Made("read_geometry", {Str(File("junk.brep").c_str())}), nullptr);
  EXPECT_EQ(Made("read_geometry", {Str(File("none.brep").c_str())}), nullptr);
  EXPECT_EQ(Made("read_geometry", {Str("")}), nullptr);
  EXPECT_EQ(Made("read_acisgeo", {Num(1)}), nullptr);
  EXPECT_EQ(fmstore_acisgeo(File("no_dir/x.sat").c_str(), fmcreate_cube(1, 1, 1)), 0);
  EXPECT_EQ(gmod_anfang->count(), before + 1);  // only the cube made for the last line
  EXPECT_EQ(PVFLiveBodyCount(), live + 1);
}

}  // namespace
