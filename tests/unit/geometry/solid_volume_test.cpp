// Volumes of bodies against their closed forms: plates with whole, half and quarter holes,
// moved, turned and mirrored, hollow, and bodies whose faces are neither planes nor cylinders
// or whose boundaries are neither straight nor circular (spheres, tori, cones, slanted and
// crossing pins).
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/patterns.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/transforms.h>

#include <cctype>
#include <cmath>
#include <functional>
#include <numbers>
#include <ostream>
#include <string>

#include "kernel_test_support.h"

namespace kernel_test {
namespace {

using std::numbers::pi;

constexpr double kSide = 40.0;
constexpr double kThickness = 10.0;
constexpr double kRadius = 3.0;
constexpr double kPlate = kSide * kSide * kThickness;
constexpr double kHole = pi * kRadius * kRadius * kThickness;

// A pin of radius 3 through the 40 x 40 x 10 plate centred on the origin, its axis at (x, y).
ENTITY* Pin(double x, double y) {
  ENTITY* pin = fmcreate_cylinder(3 * kThickness, kRadius);
  api_apply_transf(pin, fmtranslate(x, y, -1.5 * kThickness));
  return pin;
}

ENTITY* PlateWithHoleGrid() {
  ENTITY* plate = fmcreate_cube(kSide, kSide, kThickness);
  ENTITY* pins = Pin(-10, -10);
  fmPatternBody(pins, MatrixPlacements(3, SPAvector(10, 0, 0), 3, SPAvector(0, 10, 0)));
  return subtract(pins, plate);
}

ENTITY* Moved(ENTITY* body, const SPAtransf& transf) {
  return api_apply_transf(body, transf).ok() ? body : nullptr;
}

struct VolumeCase {
  const char* name;
  std::function<ENTITY*()> build;
  double expected;
  double relative_tolerance;
};

const VolumeCase kCases[] = {
    {"box", [] { return fmcreate_cube(40, 30, 10); }, 12000.0, 1e-12},
    {"cylinder", [] { return fmcreate_cylinder(30, kRadius); }, pi * 9 * 30, 1e-12},
    {"plate with a grid of holes", PlateWithHoleGrid, kPlate - 9 * kHole, 1e-12},
    {"half a hole at an edge",
     [] { return subtract(Pin(kSide / 2, 0), fmcreate_cube(kSide, kSide, kThickness)); },
     kPlate - kHole / 2, 1e-12},
    {"a quarter hole at a corner",
     [] { return subtract(Pin(kSide / 2, kSide / 2), fmcreate_cube(kSide, kSide, kThickness)); },
     kPlate - kHole / 4, 1e-12},
    {"holed plate turned about a slanted axis and moved",
     [] {
       return Moved(Moved(PlateWithHoleGrid(), fmrotate(1, 2, 3, 0.7)), fmtranslate(50, -70, 90));
     },
     kPlate - 9 * kHole, 1e-12},
    {"holed plate mirrored",
     [] { return Moved(PlateWithHoleGrid(), reflect_transf(SPAvector(1, 1, 0))); },
     kPlate - 9 * kHole, 1e-12},
    {"hollow box", [] { return subtract(fmcreate_cube(20, 20, 20), fmcreate_cube(40, 40, 40)); },
     64000.0 - 8000.0, 1e-12},
    {"sphere", [] { return fmcreate_sphere(5); }, 4.0 / 3.0 * pi * 125, 1e-8},
    {"torus", [] { return fmcreate_torus(10, 2); }, 2 * pi* pi * 10 * 4, 1e-8},
    {"cone", [] { return fmcreate_cone(12, 5, 2); }, pi * 12 / 3 * (25 + 10 + 4), 1e-8},
    // The hole's rims are ellipses on the plate's faces, its wall bounded by splines.
    {"plate with a slanted hole",
     [] {
       ENTITY* pin = Moved(Pin(0, 0), fmrotate(1, 0, 0, pi / 6));
       return subtract(pin, fmcreate_cube(kSide, kSide, kThickness));
     },
     kPlate - kHole / std::cos(pi / 6), 1e-7},
    // Two crossing pins: their union is twice a pin less the Steinmetz solid where they meet.
    {"crossing pins",
     [] {
       ENTITY* across = Moved(fmcreate_cylinder(30, kRadius), fmtranslate(0, 0, -15));
       Moved(across, fmrotate(1, 0, 0, pi / 2));
       return unite(across, Moved(fmcreate_cylinder(30, kRadius), fmtranslate(0, 0, -15)));
     },
     2 * pi * 9 * 30 - 16.0 / 3.0 * 27, 1e-7},
};

void PrintTo(const VolumeCase& c, std::ostream* out) {
  *out << c.name;
}

class SolidVolumeTest : public KernelTest, public testing::WithParamInterface<VolumeCase> {};

TEST_P(SolidVolumeTest, MatchesTheClosedForm) {
  const VolumeCase& c = GetParam();
  ENTITY* body = c.build();
  ASSERT_NE(body, nullptr) << PVFLastKernelOutcome().error_number();
  EXPECT_NEAR(fmvolume_of_body(body), c.expected, c.relative_tolerance * c.expected);
}

INSTANTIATE_TEST_SUITE_P(Bodies, SolidVolumeTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<VolumeCase>& info) {
                           std::string name = info.param.name;
                           for (char& c : name) {
                             c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace kernel_test
