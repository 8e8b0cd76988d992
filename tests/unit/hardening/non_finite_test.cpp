// Non-finite input: transformations, pattern steps and counts that are not finite, or too many
// copies, are refused where they are made, with a message, instead of hanging the mesher later
// or dropping the copies silently.
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/patterns.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/transforms.h>
#include <varnex/model/model.h>

#include <cmath>
#include <limits>
#include <string>

#include "feature_runner.h"

namespace hardening_test {
namespace {

const std::string kData = std::string(VARNEX_TEST_DATA) + "/hardening/";
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class NonFinite : public FeatureRun {
 protected:
  void SetUp() override {
    FeatureRun::SetUp();
    UseLibrary(kData + "library");
  }
};

TEST_F(NonFinite, ARotationByANonFiniteAngleIsRefusedWhereItIsMade) {
  RunText("x := create_turn_by_zero(0);");
  EXPECT_NE(messages_.All().find("set_Zrotation: the transformation is not finite"),
            std::string::npos)
      << messages_.All();
}

TEST_F(NonFinite, KernelTransformationsThatAreNotFiniteChangeNothing) {
  const double angles[] = {kInfinity, -kInfinity, kNaN};
  for (double angle : angles) {
    ENTITY* block = fmcreate_cube(10, 10, 10);
    EXPECT_FALSE(api_apply_transf(block, fmrotate(0, 0, 1, angle)).ok()) << angle;
    EXPECT_FALSE(api_apply_transf(block, fmtranslate(angle, 0, 0)).ok()) << angle;
    EXPECT_NEAR(fmvolume_of_body(block), 1000.0, 1e-6);
  }
}

TEST_F(NonFinite, PatternStepsThatAreNotFiniteGiveNoPlacements) {
  EXPECT_TRUE(MatrixPlacements(2, SPAvector(kInfinity, 0, 0), 1, SPAvector()).empty());
  EXPECT_TRUE(MatrixPlacements(2, SPAvector(1, 0, 0), 2, SPAvector(0, kNaN, 0)).empty());
  EXPECT_TRUE(
      CirclePlacements(SPAposition(), SPAvector(0, 0, 1), 4, kNaN, true, SPAposition()).empty());
  EXPECT_TRUE(CirclePlacements(SPAposition(kInfinity, 0, 0), SPAvector(0, 0, 1), 4, 0.5, true,
                               SPAposition())
                  .empty());
  ENTITY* block = fmcreate_cube(10, 10, 10);
  EXPECT_EQ(fmPatternBody(block, {SPAtransf(), translate_transf(SPAvector(kNaN, 0, 0))}), nullptr);
  EXPECT_NEAR(fmvolume_of_body(block), 1000.0, 1e-6);
}

TEST_F(NonFinite, APatternOverTheLimitIsRefusedWithAMessage) {
  RunShipped("holes_plate", {200.0, 100.0, 10.0, 1000L, 1000L});
  EXPECT_NE(messages_.All().find("Generate_Matrix: more than 100000 copies"), std::string::npos)
      << messages_.All();
}

}  // namespace
}  // namespace hardening_test
