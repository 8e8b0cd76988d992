// Placements from directions, faces and edges, and points projected onto faces.
#include <varnex/geometry/face_names.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/positions.h>
#include <varnex/geometry/primitives.h>

#include <cmath>

#include "kernel_test_support.h"

namespace {

using kernel_test::KernelTest;
using kernel_test::PlanarFace;

// The local axes of a placement are unit, perpendicular and right-handed.
void ExpectOrthonormal(const SPAtransf& t) {
  SPAvector x = SPAvector(1, 0, 0) * t;
  SPAvector y = SPAvector(0, 1, 0) * t;
  SPAvector z = SPAvector(0, 0, 1) * t;
  EXPECT_NEAR(x.len(), 1, 1e-12);
  EXPECT_NEAR(y.len(), 1, 1e-12);
  EXPECT_NEAR(x % y, 0, 1e-12);
  EXPECT_TRUE(same_vector(x * y, z));
}

TEST(Placements, DirectionGivesZAndKeepsXNearTheModelsX) {
  const SPAvector directions[] = {{0, 0, 1}, {0, 0, -1}, {1, 0, 0}, {-1, 0, 0}, {1, 2, 3}};
  for (const SPAvector& direction : directions) {
    SPAtransf t = fmDirectionPlacement({1, 2, 3}, direction);
    ExpectOrthonormal(t);
    EXPECT_TRUE(same_vector(SPAvector(0, 0, 1) * t, normalise(direction)));
    EXPECT_TRUE(same_point(SPAposition(0, 0, 0) * t, {1, 2, 3}));
  }
  EXPECT_EQ(fmDirectionPlacement({1, 2, 3}, {0, 0, 0}).identity(), TRUE);
}

TEST(Placements, LocalSystemLiftsToThePositionsLevel) {
  const double axis1[6] = {10, 0, 0, 0, 1, 0};
  const double axis2[6] = {10, 0, 0, 0, 0, 1};
  const double position[3] = {14, 50, 60};
  SPAtransf t = fmLocalPlacement(position, axis1, axis2);
  EXPECT_TRUE(same_point(SPAposition(0, 0, 0) * t, {14, 0, 0}));
  EXPECT_TRUE(same_vector(SPAvector(0, 0, 1) * t, {1, 0, 0}));
  const double parallel[6] = {10, 0, 0, 0, 2, 0};
  EXPECT_TRUE(
      same_point(SPAposition(0, 0, 0) * fmLocalPlacement(nullptr, axis1, parallel), {0, 0, 0}))
      << "parallel axes keep the model's system";
}

class FacePlacements : public KernelTest {};

TEST_F(FacePlacements, FacePointEdgeAndProjection) {
  ENTITY* cube = fmcreate_cube(10, 10, 10);
  ENTITY* top = PlanarFace(cube, {0, 0, 1}, {0, 0, 5});
  double u = 0, v = 0, distance = 0;
  ASSERT_TRUE(fm_face_point_params(top, {2, 3, 9}, u, v, distance));
  EXPECT_NEAR(distance, 4, 1e-9);
  SPAtransf at;
  ASSERT_TRUE(fmFacePlacement(top, u, v, at));
  EXPECT_TRUE(same_point(SPAposition(0, 0, 0) * at, {2, 3, 5}));
  EXPECT_TRUE(same_vector(SPAvector(0, 0, 1) * at, {0, 0, 1}));
  EXPECT_FALSE(fmFacePlacement(nullptr, 0, 0, at));
  EXPECT_FALSE(fm_face_point_params(cube, {0, 0, 0}, u, v, distance)) << "a body is no face";

  const double from[3] = {-5, -5, 5};
  const double to[3] = {5, -5, 5};
  ENTITY* edge = UXA_find_edge(cube, from, to);
  ASSERT_NE(edge, nullptr);
  SPAtransf along;
  ASSERT_TRUE(fmEdgePlacement(edge, top, along));
  ExpectOrthonormal(along);
  SPAvector x = SPAvector(1, 0, 0) * along;
  EXPECT_NEAR(std::fabs(x.x()), 1, 1e-12) << "x runs along the edge";
  EXPECT_TRUE(same_vector(SPAvector(0, 0, 1) * along, {0, 0, 1})) << "z is the face's normal";
  EXPECT_FALSE(fmEdgePlacement(top, nullptr, along)) << "a face is no edge";
}

}  // namespace
