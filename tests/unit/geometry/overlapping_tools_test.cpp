// Booleans with several tools, and with patterns whose copies overlap, touch or coincide: the
// result is the blank against the union of the tools, never a solid built from lumps that the
// kernel took to be apart.
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/patterns.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/transforms.h>

#include <cmath>
#include <numbers>

#include "kernel_test_support.h"

namespace kernel_test {
namespace {

using std::numbers::pi;

constexpr double kRadius = 3.0;
constexpr double kThickness = 10.0;
constexpr double kSide = 40.0;

// The area two circles of radius r cover whose centres lie `d` apart.
double TwoCirclesArea(double r, double d) {
  if (d >= 2 * r) {
    return 2 * pi * r * r;
  }
  double lens = 2 * r * r * std::acos(d / (2 * r)) - d / 2 * std::sqrt(4 * r * r - d * d);
  return 2 * pi * r * r - lens;
}

// A 40 x 40 x 10 plate centred on the origin.
ENTITY* Plate() {
  return fmcreate_cube(kSide, kSide, kThickness);
}

// A pin of radius 3 through the plate, its axis at (x, 0).
ENTITY* Pin(double x) {
  ENTITY* pin = fmcreate_cylinder(3 * kThickness, kRadius);
  api_apply_transf(pin, fmtranslate(x, 0, -1.5 * kThickness));
  return pin;
}

// Two pins `apart` along x as one pattern body.
ENTITY* PinPair(double apart) {
  ENTITY* pins = Pin(0);
  EXPECT_NE(fmPatternBody(pins, MatrixPlacements(2, SPAvector(apart, 0, 0), 1, SPAvector())),
            nullptr);
  return pins;
}

struct PairCase {
  const char* name;
  double apart;
};

const PairCase kPairs[] = {
    {"apart", 10.0},      {"touching", 2 * kRadius},
    {"overlapping", 4.0}, {"nearly coincident", 0.5},
    {"coincident", 0.0},
};

class OverlappingTools : public KernelTest, public testing::WithParamInterface<PairCase> {};

TEST_P(OverlappingTools, CuttingAPatternRemovesTheUnionOfItsCopies) {
  const PairCase& c = GetParam();
  ENTITY* plate = Plate();
  ASSERT_EQ(subtract(PinPair(c.apart), plate), plate) << PVFLastKernelOutcome().error_number();
  double expected = kSide * kSide * kThickness - TwoCirclesArea(kRadius, c.apart) * kThickness;
  EXPECT_NEAR(fmvolume_of_body(plate), expected, 1e-6 * expected);
}

TEST_P(OverlappingTools, CuttingSeparateToolsRemovesTheirUnion) {
  const PairCase& c = GetParam();
  ENTITY* plate = Plate();
  ASSERT_EQ(PVFSubtractBodies({Pin(0), Pin(c.apart)}, plate), plate);
  double expected = kSide * kSide * kThickness - TwoCirclesArea(kRadius, c.apart) * kThickness;
  EXPECT_NEAR(fmvolume_of_body(plate), expected, 1e-6 * expected);
}

TEST_P(OverlappingTools, UnitingAPatternAddsTheUnionOfItsCopies) {
  const PairCase& c = GetParam();
  ENTITY* plate = Plate();
  ASSERT_EQ(unite(PinPair(c.apart), plate), plate);
  double outside = TwoCirclesArea(kRadius, c.apart) * 2 * kThickness;  // above and below
  double expected = kSide * kSide * kThickness + outside;
  EXPECT_NEAR(fmvolume_of_body(plate), expected, 1e-6 * expected);
}

TEST_P(OverlappingTools, IntersectingWithAPatternKeepsTheUnionOfItsCopies) {
  const PairCase& c = GetParam();
  ENTITY* plate = Plate();
  ASSERT_EQ(PVFInterSectBodies(PinPair(c.apart), plate), plate);
  double expected = TwoCirclesArea(kRadius, c.apart) * kThickness;
  EXPECT_NEAR(fmvolume_of_body(plate), expected, 1e-6 * expected);
}

INSTANTIATE_TEST_SUITE_P(Pins, OverlappingTools, testing::ValuesIn(kPairs),
                         [](const testing::TestParamInfo<PairCase>& info) {
                           std::string name = info.param.name;
                           for (char& c : name) {
                             c = c == ' ' ? '_' : c;
                           }
                           return name;
                         });

}  // namespace
}  // namespace kernel_test
