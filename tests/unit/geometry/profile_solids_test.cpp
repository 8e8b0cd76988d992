// Solids from profiles: revolutions about any axis, copies swept along vectors, skins, offsets,
// springs, spline forms and the face nearest a point.
#include <varnex/geometry/measures.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/profile_solids.h>
#include <varnex/geometry/transforms.h>

#include <cmath>
#include <numbers>

#include "kernel_test_support.h"

namespace {

using kernel_test::KernelTest;
using kernel_test::PlanarFace;

constexpr double kPi = std::numbers::pi;

class ProfileSolids : public KernelTest {};

TEST_F(ProfileSolids, RevolvingAFaceLeavesItsSolidAlone) {
  ENTITY* cube = fmcreate_cube(10, 10, 10);  // x, y, z from -5 to 5
  ENTITY* side = PlanarFace(cube, {0, -1, 0}, {0, -5, 0});
  ASSERT_NE(side, nullptr);
  // The -y face turned a quarter about the upright axis through x = 15 in its plane.
  ENTITY* ring = fmrevolve_profile(side, {15, -5, 0}, {0, 0, 1}, kPi / 2);
  ASSERT_NE(ring, nullptr);
  EXPECT_NEAR(fmvolume_of_body(ring), kPi * (400 - 100) * 10 / 4, 1e-6);
  EXPECT_NEAR(fmvolume_of_body(cube), 1000, 1e-9);
  ENTITY* other = fmrevolve_profile(side, {15, -5, 0}, {0, 0, 1}, -kPi / 2);
  ASSERT_NE(other, nullptr);
  EXPECT_NEAR(fmvolume_of_body(other), kPi * 300 * 10 / 4, 1e-6);
  EXPECT_EQ(fmrevolve_profile(side, {15, -5, 0}, {0, 0, 1}, 0.0), nullptr);
  EXPECT_EQ(fmrevolve_profile(nullptr, {15, -5, 0}, {0, 0, 1}, 1.0), nullptr);
}

TEST_F(ProfileSolids, SweptCopyKeepsTheProfile) {
  ENTITY* cube = fmcreate_cube(10, 10, 10);
  ENTITY* top = PlanarFace(cube, {0, 0, 1}, {0, 0, 5});
  ENTITY* prism = fmsweep_profile_copy(top, {0, 0, 4}, 0.0);
  ASSERT_NE(prism, nullptr);
  EXPECT_NEAR(fmvolume_of_body(prism), 400, 1e-9);
  EXPECT_NEAR(fmvolume_of_body(cube), 1000, 1e-9);
  EXPECT_EQ(fmsweep_profile_copy(top, {0, 0, 0}, 0.0), nullptr);
}

TEST_F(ProfileSolids, SkinThroughTwoSquares) {
  ENTITY* a = fmcreate_cube(10, 10, 10);
  ENTITY* b = fmcreate_cube(10, 10, 10);
  ASSERT_NE(fmtransform_Body(b, translate_transf({30, 0, 0})), nullptr);
  ENTITY* skin = fmskin_sections(
      {PlanarFace(a, {1, 0, 0}, {5, 0, 0}), PlanarFace(b, {-1, 0, 0}, {25, 0, 0})}, TRUE, FALSE);
  ASSERT_NE(skin, nullptr);
  EXPECT_NEAR(fmvolume_of_body(skin), 2000, 1e-6);
  EXPECT_EQ(fmskin_sections({PlanarFace(a, {1, 0, 0}, {5, 0, 0})}, TRUE, FALSE), nullptr);
}

TEST_F(ProfileSolids, OffsetGrowsOrShrinksWithSharpEdges) {
  ENTITY* cube = fmcreate_cube(10, 10, 10);
  ENTITY* grown = fmoffset_entity(cube, 1);
  ASSERT_NE(grown, nullptr);
  EXPECT_NEAR(fmvolume_of_body(grown), 12 * 12 * 12, 1e-6);
  ENTITY* shrunk = fmoffset_entity(cube, -1);
  ASSERT_NE(shrunk, nullptr);
  EXPECT_NEAR(fmvolume_of_body(shrunk), 8 * 8 * 8, 1e-6);
  EXPECT_EQ(fmoffset_entity(cube, 0.0), nullptr);
}

TEST_F(ProfileSolids, SpringVolumeIsSectionTimesHelixLength) {
  ENTITY* spring = fmcreate_helix_body(10, 5, 2, 1);
  ASSERT_NE(spring, nullptr);
  double length = 2 * std::hypot(2 * kPi * 10, 5.0);
  EXPECT_NEAR(fmvolume_of_body(spring), kPi * length, 1e-3 * kPi * length);
  SPAposition low, high;
  ASSERT_TRUE(api_get_entity_box(spring, low, high).ok());
  EXPECT_NEAR(high.z() - low.z(), 10 + 2, 0.2);
  EXPECT_EQ(fmcreate_helix_body(1, 5, 2, 1), nullptr) << "wire as thick as the helix";
  EXPECT_EQ(fmcreate_helix_body(10, 1, 2, 1), nullptr) << "turns would overlap";
}

TEST_F(ProfileSolids, SplineFormsKeepTheirVolumes) {
  ENTITY* ball = fmcreate_spline_sphere(2);
  ASSERT_NE(ball, nullptr);
  EXPECT_NEAR(fmvolume_of_body(ball), 4.0 / 3.0 * kPi * 8, 1e-4);
  ENTITY_LIST faces;
  api_get_faces(ball, faces);
  EXPECT_EQ(fm_face_type(faces[0]), 6);
  ENTITY* ring = fmcreate_spline_torus(5, 1);
  ASSERT_NE(ring, nullptr);
  EXPECT_NEAR(fmvolume_of_body(ring), 2 * kPi * kPi * 5, 1e-4);
  EXPECT_EQ(fmcreate_spline_torus(1, 5), nullptr);
}

TEST_F(ProfileSolids, NearestFaceOfAPoint) {
  ENTITY* cube = fmcreate_cube(10, 10, 10);
  EXPECT_EQ(fmface_nearest_point(cube, {0, 0, 9}), PlanarFace(cube, {0, 0, 1}, {0, 0, 5}));
  EXPECT_EQ(fmface_nearest_point(cube, {-4, 0, 0}), PlanarFace(cube, {-1, 0, 0}, {-5, 0, 0}));
  EXPECT_EQ(fmface_nearest_point(nullptr, {0, 0, 0}), nullptr);
}

}  // namespace
