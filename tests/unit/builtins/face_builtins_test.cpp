// The face built-ins on a cube of side 2 centred on the origin (faces at ±1) and on turned
// bodies: faces and edges by points, evaluation at parameters and at points, ray hits, and the
// axis or point faces define.
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/transforms.h>

#include <cmath>
#include <numbers>

#include "geometry_builtins_support.h"

namespace {

using namespace builtins_test;

class FaceBuiltins : public GeometryBuiltins {
 protected:
  void SetUp() override {
    GeometryBuiltins::SetUp();
    cube_ = fmcreate_cube(2, 2, 2);
  }

  // The face x = 1: the only face holding both ends of one of its diagonals.
  ENTITY* RightFace() {
    return Made("face", {Geo(cube_), Num(1), Num(1), Num(1), Num(1), Num(-1), Num(-1)});
  }

  ENTITY* cube_ = nullptr;
};

TEST_F(FaceBuiltins, FaceAndEdgeAreFoundByTheirVertices) {
  ENTITY* right = RightFace();
  ASSERT_NE(right, nullptr);
  EXPECT_XYZ(Vector("face_evnorm", {Geo(right), Num(9), Num(0), Num(0)}), 1, 0, 0);
  // Opposite corners of the cube share no face.
  EXPECT_EQ(Made("face", {Geo(cube_), Num(1), Num(1), Num(1), Num(-1), Num(-1), Num(-1)}), nullptr);
  EXPECT_EQ(Made("face", {Geo(cube_), Num(5), Num(1), Num(1), Num(1), Num(-1), Num(-1)}), nullptr);

  ENTITY* edge = Made("edge", {Geo(cube_), Num(1), Num(1), Num(1), Num(1), Num(1), Num(-1)});
  ASSERT_NE(edge, nullptr);
  EXPECT_TRUE(is_EDGE(edge));
  auto start = Vector("point", {Geo(edge), Num(0)});
  auto end = Vector("point", {Geo(edge), Num(1)});
  EXPECT_NEAR(start[2] + end[2], 0.0, 1e-9);
  EXPECT_NEAR(std::fabs(start[2] - end[2]), 2.0, 1e-9);
  // A face-diagonal is no edge; the list may hold a face of the body instead of the body.
  EXPECT_EQ(Made("edge", {Geo(cube_), Num(1), Num(1), Num(1), Num(1), Num(-1), Num(-1)}), nullptr);
  EXPECT_NE(Made("edge", {Geo(right), Num(1), Num(1), Num(1), Num(1), Num(1), Num(-1)}), nullptr);
}

TEST_F(FaceBuiltins, PointCountsVerticesFromZeroAndRefusesOthers) {
  auto p = Vector("point", {Geo(cube_)});
  EXPECT_NEAR(std::fabs(p[0]) + std::fabs(p[1]) + std::fabs(p[2]), 3.0, 1e-9);
  EXPECT_XYZ(Vector("point", {Geo(cube_), Num(8)}), 0, 0, 0);
  EXPECT_XYZ(Vector("point", {Geo(cube_), Num(-1)}), 0, 0, 0);
  EXPECT_XYZ(Vector("point", {Num(1)}), 0, 0, 0);
}

TEST_F(FaceBuiltins, TypesAndPlanarity) {
  ENTITY* cylinder = fmcreate_cylinder(2, 1);
  ENTITY* side = FaceOfType(cylinder, 2);
  ASSERT_NE(side, nullptr);
  EXPECT_EQ(Number("face_type", {Geo(RightFace())}), 1.0);
  EXPECT_EQ(Number("face_type", {Geo(side)}), 2.0);
  EXPECT_EQ(Number("face_type", {Geo(cube_)}), 0.0);  // a body is not a face
  EXPECT_EQ(Number("face_type", {}), 0.0);
  EXPECT_EQ(Call("IsPlanarFace", {Geo(RightFace())})->get_LOGICAL(), TRUE);
  EXPECT_EQ(Call("IsPlanarFace", {Geo(side)})->get_LOGICAL(), FALSE);
  EXPECT_EQ(Call("IsPlanarFace", {})->get_LOGICAL(), FALSE);
}

TEST_F(FaceBuiltins, NormalsAndPositionsAtParametersAndComponents) {
  ENTITY* right = RightFace();
  EXPECT_XYZ(Vector("face_normal", {Geo(right), Num(0), Num(0)}), 1, 0, 0);
  EXPECT_NEAR(Number("face_normal_x", {Geo(right), Num(0.3), Num(0.2)}), 1.0, 1e-12);
  EXPECT_NEAR(Number("face_normal_y", {Geo(right), Num(0.3), Num(0.2)}), 0.0, 1e-12);
  EXPECT_NEAR(Number("face_position_x", {Geo(right), Num(0.3), Num(0.2)}), 1.0, 1e-12);
  EXPECT_XYZ(Vector("face_normal", {Geo(cube_), Num(0), Num(0)}), 0, 0, 0);

  // On the sphere of radius 2 the normal points away from the centre, wherever it is taken.
  ENTITY* sphere_face = Faces(fmcreate_sphere(2))[0];
  auto at = Vector("face_position", {Geo(sphere_face), Num(0.7), Num(0.4)});
  auto normal = Vector("face_normal", {Geo(sphere_face), Num(0.7), Num(0.4)});
  EXPECT_XYZ(normal, at[0] / 2, at[1] / 2, at[2] / 2);
  EXPECT_NEAR(Number("face_position_z", {Geo(sphere_face), Num(0.7), Num(0.4)}), at[2], 1e-12);
  EXPECT_NEAR(Number("face_normal_z", {Geo(sphere_face), Num(0.7), Num(0.4)}), normal[2], 1e-12);
}

TEST_F(FaceBuiltins, EvaluationAtAPointFindsTheFootOnTheBoundedFace) {
  ENTITY* right = RightFace();
  EXPECT_XYZ(Vector("face_evpos", {Geo(right), Num(5), Num(0.5), Num(-0.25)}), 1, 0.5, -0.25);
  // Beyond the face's edge the foot is on the boundary, not on the infinite plane.
  EXPECT_XYZ(Vector("face_evpos", {Geo(right), Num(5), Num(3), Num(0)}), 1, 1, 0);
  EXPECT_NEAR(Number("face_evpos_y", {Geo(right), Num(5), Num(3), Num(0)}), 1.0, 1e-9);
  EXPECT_NEAR(Number("face_evnorm_x", {Geo(right), Num(5), Num(3), Num(0)}), 1.0, 1e-9);

  ENTITY* cylinder = fmcreate_cylinder(4, 1);
  ENTITY* side = FaceOfType(cylinder, 2);
  auto foot = Vector("face_evpos", {Geo(side), Num(0), Num(3), Num(2)});
  EXPECT_XYZ(foot, 0, 1, 2);
  EXPECT_XYZ(Vector("face_evnorm", {Geo(side), Num(0), Num(3), Num(2)}), 0, 1, 0);
  EXPECT_NEAR(Number("face_evnorm_z", {Geo(side), Num(0), Num(3), Num(2)}), 0.0, 1e-9);
  EXPECT_XYZ(Vector("face_evpos", {Geo(cube_), Num(5), Num(0), Num(0)}), 0, 0, 0);
}

TEST_F(FaceBuiltins, RayHitsOnlyTheBoundedFaceAheadOfItsStart) {
  ENTITY* right = RightFace();
  EXPECT_XYZ(Vector("face_ray", {Geo(right), Vec(5, 0.5, 0), Vec(-2, 0, 0), Num(0)}), 1, 0.5, 0);
  EXPECT_XYZ(Vector("face_ray", {Geo(right), Vec(5, 0.5, 0), Vec(1, 0, 0), Num(0)}), 0, 0, 0);
  EXPECT_XYZ(Vector("face_ray", {Geo(right), Vec(5, 3, 0), Vec(-1, 0, 0), Num(0)}), 0, 0, 0);
  EXPECT_XYZ(Vector("face_ray", {Geo(right), Vec(5, 0, 0), Vec(0, 0, 0), Num(0)}), 0, 0, 0);
  // The nearest of two hits on a cylinder's side.
  ENTITY* side = FaceOfType(fmcreate_cylinder(2, 1), 2);
  EXPECT_XYZ(Vector("face_ray", {Geo(side), Vec(-5, 0, 1), Vec(1, 0, 0), Num(0)}), -1, 0, 1);
}

TEST_F(FaceBuiltins, VectorsIntoPlanesAndFeetOfPerpendiculars) {
  EXPECT_XYZ(Vector("vec_to_face", {Vec(1, 2, 3), Vec(0, 0, 5)}), 1, 2, 0);
  EXPECT_XYZ(Vector("vec_to_face", {Vec(1, 2, 3), Geo(RightFace())}), 0, 2, 3);
  EXPECT_XYZ(Vector("vec_to_face", {Vec(1, 2, 3), Vec(0, 0, 0)}), 0, 0, 0);

  EXPECT_XYZ(Vector("get_PointPerpInPlane", {Vec(1, 2, 3), Vec(0, 0, 1), Vec(0, 0, 7)}), 1, 2, 1);
  EXPECT_XYZ(Vector("get_PointPerpInPlane", {Vec(5, 2, 3), Geo(RightFace())}), 1, 2, 3);
  ENTITY* side = FaceOfType(fmcreate_cylinder(2, 1), 2);
  EXPECT_XYZ(Vector("get_PointPerpInPlane", {Vec(5, 2, 3), Geo(side)}), 0, 0, 0);
}

TEST_F(FaceBuiltins, AxisAndPointThatFacesDefine) {
  ENTITY* cylinder = fmcreate_cylinder(2, 1);
  api_apply_transf(cylinder, translate_transf(SPAvector(3, 0, 0)));
  auto axis = Axis("faces_to_axis", {Geo(cylinder)});
  EXPECT_XYZ((std::array<double, 3>{axis[0], axis[1], axis[2]}), 3, 0, 1);
  EXPECT_NEAR(std::fabs(axis[5]), 1.0, 1e-12);

  // Two planes of the cube meet in the edge line x = 1, y = 1.
  ENTITY* top = Made("face", {Geo(cube_), Num(1), Num(1), Num(1), Num(-1), Num(-1), Num(1)});
  axis = Axis("faces_to_axis", {GeoList({RightFace(), top})});
  EXPECT_NEAR(axis[0], 1, 1e-9);
  EXPECT_NEAR(axis[2], 1, 1e-9);
  EXPECT_NEAR(std::fabs(axis[4]), 1, 1e-9);
  axis = Axis("faces_to_axis", {Geo(RightFace())});
  EXPECT_NEAR(std::fabs(axis[3]) + std::fabs(axis[4]) + std::fabs(axis[5]), 0, 1e-12);

  ENTITY* front = Made("face", {Geo(cube_), Num(1), Num(-1), Num(1), Num(-1), Num(-1), Num(-1)});
  EXPECT_XYZ(Vector("faces_to_point", {GeoList({RightFace(), top, front})}), 1, -1, 1);
  ENTITY* ball = fmcreate_sphere(1);
  api_apply_transf(ball, translate_transf(SPAvector(0, 4, 0)));
  EXPECT_XYZ(Vector("faces_to_point", {Geo(ball)}), 0, 4, 0);
  // The axis of the cylinder meets the plane of the first planar face listed.
  ENTITY* side = FaceOfType(cylinder, 2);
  for (ENTITY* face : Faces(cylinder)) {
    double nx, ny, nz;
    if (face != side && fm_face_evnorm(face, 3, 0, -5, nx, ny, nz) && nz < -0.99) {
      EXPECT_XYZ(Vector("faces_to_point", {GeoList({side, face})}), 3, 0, 0);
    }
  }
  EXPECT_XYZ(Vector("faces_to_point", {GeoList({RightFace(), top})}), 0, 0, 0);
}

TEST_F(FaceBuiltins, CoverFaceMakesASheet) {
  ENTITY* sheet = Made("cover_face", {Geo(RightFace())});
  ASSERT_NE(sheet, nullptr);
  EXPECT_NEAR(fmarea_of_body(sheet, 0), 4.0, 1e-9);
  EXPECT_EQ(Made("cover_face", {Num(1)}), nullptr);
}

}  // namespace
