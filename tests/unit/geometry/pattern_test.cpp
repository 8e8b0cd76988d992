// Patterns: placements of matrices and circles, the body that holds all copies, and cutting a
// pattern in one Boolean.
#include <varnex/geometry/basic_solids.h>
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/patterns.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/transforms.h>

#include <cmath>
#include <numbers>

#include "geometry/kernel_faults.h"
#include "kernel_test_support.h"

namespace {

using kernel_test::KernelTest;

constexpr double kPi = std::numbers::pi;

TEST(PatternPlacements, MatrixRunsRowByRowFromTheOriginal) {
  std::vector<SPAtransf> placements = MatrixPlacements(3, {10, 0, 0}, 2, {0, 5, 0});
  ASSERT_EQ(placements.size(), 6u);
  EXPECT_EQ(placements[0].identity(), TRUE);
  const SPAposition expected[] = {{0, 0, 0},  {0, 5, 0},  {10, 0, 0},
                                  {10, 5, 0}, {20, 0, 0}, {20, 5, 0}};
  for (std::size_t k = 0; k < placements.size(); ++k) {
    EXPECT_TRUE(same_point(SPAposition(0, 0, 0) * placements[k], expected[k])) << k;
  }
}

TEST(PatternPlacements, UnusableCountsGiveNoPlacements) {
  EXPECT_TRUE(MatrixPlacements(0, {1, 0, 0}, 3, {0, 1, 0}).empty());
  EXPECT_TRUE(MatrixPlacements(3, {1, 0, 0}, -1, {0, 1, 0}).empty());
  EXPECT_TRUE(MatrixPlacements(kMaxPatternCopies, {1, 0, 0}, 2, {0, 1, 0}).empty());
  EXPECT_TRUE(CirclePlacements({}, {0, 0, 1}, 0, 1.0, true, {}).empty());
  EXPECT_TRUE(CirclePlacements({}, {0, 0, 0}, 4, 1.0, true, {}).empty()) << "no axis";
  EXPECT_TRUE(CirclePlacements({}, {0, 0, 1}, 4, NAN, true, {}).empty());
}

TEST(PatternPlacements, CircleTurnsOrOnlyMovesTheReference) {
  const SPAposition centre(5, 5, 0);
  const SPAposition reference(15, 5, 0);
  std::vector<SPAtransf> turned = CirclePlacements(centre, {0, 0, 1}, 4, kPi / 2, true, reference);
  std::vector<SPAtransf> moved = CirclePlacements(centre, {0, 0, 1}, 4, kPi / 2, false, reference);
  ASSERT_EQ(turned.size(), 4u);
  ASSERT_EQ(moved.size(), 4u);
  const SPAposition onCircle[] = {{15, 5, 0}, {5, 15, 0}, {-5, 5, 0}, {5, -5, 0}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_TRUE(same_point(reference * turned[k], onCircle[k])) << k;
    EXPECT_TRUE(same_point(reference * moved[k], onCircle[k])) << k;
  }
  // A direction turns with the circle only in the turning form.
  EXPECT_TRUE(same_vector(SPAvector(1, 0, 0) * turned[1], SPAvector(0, 1, 0)));
  EXPECT_TRUE(same_vector(SPAvector(1, 0, 0) * moved[1], SPAvector(1, 0, 0)));
}

class Patterns : public KernelTest {};

TEST_F(Patterns, PatternBodyHoldsEveryCopyAndKeepsTheOriginalsFaces) {
  ENTITY* cube = fmcreate_cube(2, 2, 2);
  ASSERT_NE(cube, nullptr);
  std::vector<ENTITY*> before = kernel_test::Walk(cube, api_get_faces);
  ENTITY* pattern = fmPatternBody(cube, MatrixPlacements(3, {5, 0, 0}, 2, {0, 5, 0}));
  ASSERT_EQ(pattern, cube);
  EXPECT_NEAR(fmvolume_of_body(pattern), 6 * 8, 1e-9);
  std::vector<ENTITY*> after = kernel_test::Walk(pattern, api_get_faces);
  ASSERT_EQ(after.size(), 36u);
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(after[i], before[i]) << "the original's faces stay the same entities";
  }
  ENTITY_LIST lumps;
  api_get_lumps(pattern, lumps);
  EXPECT_EQ(lumps.count(), 6);
}

TEST_F(Patterns, AFailedPatternLeavesTheBodyAsItWas) {
  ENTITY* cube = fmcreate_cube(2, 2, 2);
  ArmKernelFault(1);
  EXPECT_EQ(fmPatternBody(cube, MatrixPlacements(2, {5, 0, 0}, 1, {})), nullptr);
  ArmKernelFault(0);
  EXPECT_NEAR(fmvolume_of_body(cube), 8, 1e-9);
  EXPECT_EQ(fmPatternBody(nullptr, MatrixPlacements(2, {5, 0, 0}, 1, {})), nullptr);
  EXPECT_EQ(fmPatternBody(cube, {}), nullptr);
}

TEST_F(Patterns, OneCutTakesTheWholePatternAway) {
  ENTITY* plate = fmcreate_cube(60, 60, 4);
  ENTITY* pin = fmcreate_cylinder(10, 1);
  ASSERT_NE(plate, nullptr);
  ASSERT_NE(pin, nullptr);
  ASSERT_NE(fmtransform_Body(pin, translate_transf({-25, -25, -5})), nullptr);
  ENTITY* pins = fmPatternBody(pin, MatrixPlacements(6, {10, 0, 0}, 6, {0, 10, 0}));
  ASSERT_NE(pins, nullptr);
  ASSERT_EQ(subtract(pins, plate), plate);
  EXPECT_NEAR(fmvolume_of_body(plate), 60 * 60 * 4 - 36 * kPi * 4, 1e-6);
  ENTITY_LIST faces;
  api_get_faces(plate, faces);
  EXPECT_EQ(faces.count(), 6 + 36);
}

}  // namespace
