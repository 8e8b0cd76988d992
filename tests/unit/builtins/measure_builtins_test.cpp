// The measure and geometry-transforming built-ins: areas, centres, principal axes, and bodies
// moved by transformations (each body once, however many of its pieces a list holds).
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/transforms.h>

#include <cmath>
#include <numbers>

#include "geometry_builtins_support.h"

namespace {

using namespace builtins_test;

class MeasureBuiltins : public GeometryBuiltins {
 protected:
  ENTITY* FaceAtX(ENTITY* body, double x) {
    for (ENTITY* face : Faces(body)) {
      double px, py, pz;
      fm_face_evpos(face, x + 5, 0, 0, px, py, pz);
      double nx, ny, nz;
      if (fm_face_evnorm(face, x + 5, 0, 0, nx, ny, nz) && nx > 0.99 && std::fabs(px - x) < 1e-9) {
        return face;
      }
    }
    return nullptr;
  }
};

TEST_F(MeasureBuiltins, AreasOfFacesAndBodies) {
  ENTITY* cube = fmcreate_cube(1, 2, 3);
  EXPECT_NEAR(Number("area_of_body", {Geo(cube), Num(0)}), 22.0, 1e-9);
  EXPECT_NEAR(Number("area_of_body", {Geo(FaceAtX(cube, 0.5))}), 22.0, 1e-9);
  EXPECT_NEAR(Number("area_of_face", {Geo(FaceAtX(cube, 0.5)), Num(1e-3)}), 6.0, 1e-9);
  EXPECT_EQ(Number("area_of_face", {Geo(cube)}), 0.0);
  EXPECT_EQ(Number("area_of_body", {Num(3)}), 0.0);
  ENTITY* sphere = fmcreate_sphere(2);
  EXPECT_NEAR(Number("area_of_body", {Geo(sphere), Num(1e-9)}), 16 * std::numbers::pi, 1e-6);
}

// A face stands for its body; a body with a cavity counts only its material.
TEST_F(MeasureBuiltins, VolumeOfTheOwningBody) {
  ENTITY* cube = fmcreate_cube(1, 2, 3);
  EXPECT_NEAR(Number("volume_of_body", {Geo(cube)}), 6.0, 1e-9);
  EXPECT_NEAR(Number("volume_of_body", {Geo(FaceAtX(cube, 0.5))}), 6.0, 1e-9);
  ENTITY* tube = ::subtract(fmcreate_cylinder(5, 5), fmcreate_cylinder(5, 10));  // tool, blank
  EXPECT_NEAR(Number("volume_of_body", {Geo(tube)}), std::numbers::pi * 5 * (100 - 25), 1e-6);
  EXPECT_EQ(Number("volume_of_body", {Num(3)}), 0.0);
  EXPECT_EQ(Number("volume_of_body"), 0.0);
}

TEST_F(MeasureBuiltins, CentresOfBoxesAndAreas) {
  ENTITY* cube = fmcreate_cube(2, 2, 2);
  api_apply_transf(cube, translate_transf(SPAvector(1, 2, 3)));
  EXPECT_XYZ(Vector("get_box_center", {Geo(cube), Num(0), Num(0), Num(1)}), 1, 2, 3);
  // Without a projection normal the centre is the same.
  EXPECT_XYZ(Vector("get_box_center", {Geo(cube)}), 1, 2, 3);
  EXPECT_XYZ(Vector("get_box_center", {Num(1)}), 0, 0, 0);
  // The face x = 2 has its area centre at (2, 2, 3); 0.5 out along its normal.
  EXPECT_XYZ(Vector("get_area_center", {Geo(FaceAtX(cube, 2)), Num(0), Num(0.5)}), 2.5, 2, 3);
  EXPECT_XYZ(Vector("get_area_center", {Str("x")}), 0, 0, 0);
}

TEST_F(MeasureBuiltins, CentreOfGravityWeighsTheHighestDimension) {
  ENTITY* small = fmcreate_cube(1, 1, 1);
  ENTITY* large = fmcreate_cube(2, 2, 2);
  api_apply_transf(large, translate_transf(SPAvector(9, 0, 0)));
  // Volumes 1 and 8: the centre lies at 8/9 of the way.
  EXPECT_XYZ(Vector("center_of_gravity", {GeoList({small, large})}), 8, 0, 0);
  // A face beside a body does not count; the same body twice counts once.
  EXPECT_XYZ(Vector("center_of_gravity", {GeoList({large, FaceAtX(small, 0.5), large})}), 9, 0, 0);
  EXPECT_XYZ(Vector("center_of_gravity", {GeoList({FaceAtX(small, 0.5)})}), 0.5, 0, 0);
  ENTITY* wire = fmmake_wire(0, 0, 0, 4, 0, 0);
  EXPECT_XYZ(Vector("center_of_gravity", {Geo(wire)}), 2, 0, 0);
  EXPECT_XYZ(Vector("center_of_gravity", {}), 0, 0, 0);
}

TEST_F(MeasureBuiltins, FirstPrincipalAxisRunsAlongTheLongSide) {
  ENTITY* bar = fmcreate_cube(2, 10, 2);
  api_apply_transf(bar, translate_transf(SPAvector(0, 0, 5)));
  auto axis = Axis("first_principal_axis", {Geo(bar)});
  EXPECT_NEAR(axis[2], 5, 1e-9);
  EXPECT_NEAR(axis[3], 0, 1e-9);
  EXPECT_NEAR(axis[4], 1, 1e-9);  // the sign is fixed: largest component positive
  EXPECT_NEAR(axis[5], 0, 1e-9);
  // A cube has no first axis.
  axis = Axis("first_principal_axis", {Geo(fmcreate_cube(3, 3, 3))});
  EXPECT_NEAR(std::fabs(axis[3]) + std::fabs(axis[4]) + std::fabs(axis[5]), 0, 1e-12);
}

TEST_F(MeasureBuiltins, TransformMovesEachBodyOnce) {
  ENTITY* cube = fmcreate_cube(2, 2, 2);
  std::vector<ENTITY*> faces = Faces(cube);
  Owned moved =
      Call("transform", {GeoList({faces[0], faces[1], cube}), Transf(fmtranslate(1, 2, 3))});
  ASSERT_TRUE(moved->IsOpGeom());
  EXPECT_EQ(moved->get_list()->count(), 3);
  EXPECT_EQ(moved->get_ENTITY(0), faces[0]);  // the same entities, now moved
  EXPECT_XYZ(Vector("get_box_center", {Geo(cube)}), 1, 2, 3);

  Call("transform", {Geo(cube), Transf(fmrotate(0, 0, 1, std::numbers::pi))});
  EXPECT_XYZ(Vector("get_box_center", {Geo(cube)}), -1, -2, 3);
  EXPECT_EQ(Call("transform", {Geo(cube), Num(1)})->get_ENTITY(0), nullptr);
  EXPECT_EQ(Call("transform", {Num(1), Transf(fmtranslate(1, 0, 0))})->get_ENTITY(0), nullptr);
  EXPECT_XYZ(Vector("get_box_center", {Geo(cube)}), -1, -2, 3);
}

TEST_F(MeasureBuiltins, TransformWireMovesTheWireBody) {
  ENTITY* wire = fmmake_wire(0, 0, 0, 1, 0, 0);
  ENTITY_LIST edges;
  api_get_edges(wire, edges);
  EXPECT_EQ(Made("transform_wire", {Geo(edges[0]), Transf(fmtranslate(0, 0, 5))}), edges[0]);
  EXPECT_XYZ(Vector("point", {Geo(wire), Num(1)}), 1, 0, 5);
  EXPECT_EQ(Made("transform_wire", {Geo(wire)}), nullptr);
}

}  // namespace
