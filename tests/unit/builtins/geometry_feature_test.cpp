// A feature text that cuts four holes from a plate with the geometry operators, run through the
// interpreter's entry point: the plate has the exact volume, the holes are used up, and the
// parameters handed over replace the defaults.
#include <varnex/geometry/measures.h>
#include <varnex/language/interpreter.h>
#include <varnex/model/hand_over.h>
#include <varnex/model/instance_bodies.h>
#include <varnex/model/object_references.h>

#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

#include "geometry_builtins_support.h"

namespace {

using namespace builtins_test;

class GeometryFeature : public GeometryBuiltins {
 protected:
  // Runs the feature text with the operands in hand_over; the body the object "plate" holds.
  ENTITY* RunPlate() {
    std::ifstream in(std::filesystem::path(VARNEX_TEST_DATA) / "builtins/plate_four_holes.NVL");
    std::stringstream text;
    text << in.rdbuf();
    std::FILE* input = yyin;
    yyin = nullptr;
    EXPECT_EQ(subparse(text.str().c_str()), 0);
    yyin = input;
    delete hand_over[0];  // the RETURN value
    hand_over[0] = nullptr;
    auto* plate = dynamic_cast<object_geom*>(search("plate"));
    return plate != nullptr ? plate->get(0) : nullptr;
  }
};

TEST_F(GeometryFeature, PlateMinusFourCylindersHasTheExactVolume) {
  int live = PVFLiveBodyCount();
  ENTITY* plate = RunPlate();
  ASSERT_NE(plate, nullptr);
  EXPECT_NEAR(fmvolume_of_body(plate), 100.0 * 100.0 * 10.0 - 4 * std::numbers::pi * 25 * 10, 1e-6);
  EXPECT_EQ(Faces(plate).size(), 10u);
  EXPECT_EQ(PVFLiveBodyCount(), live + 1) << "the holes must be used up by the cuts";
  // Every hole object let go of its body when the body went.
  // The instance handed over holds the same body; it is all the instance built.
  ENTITY_LIST bodies;
  ASSERT_EQ(PVFCollectInstanceBodies(search("object"), bodies), 1);
  EXPECT_EQ(bodies[0], plate);
  for (const char* name : {"hole_a", "hole_b", "hole_c", "hole_d"}) {
    auto* hole = dynamic_cast<object_geom*>(search(name));
    ASSERT_NE(hole, nullptr) << name;
    EXPECT_EQ(hole->get_list()->count(), 0) << name;
  }
}

TEST_F(GeometryFeature, HandedOverParametersReplaceTheDefaults) {
  hand_over[0] = new op_zahl(120.0);
  hand_over[1] = new op_zahl(80.0);
  hand_over[2] = new op_zahl(4.0);
  hand_over[3] = new op_zahl(3.0);
  hand_over[4] = nullptr;
  ENTITY* plate = RunPlate();
  ASSERT_NE(plate, nullptr);
  EXPECT_NEAR(fmvolume_of_body(plate), 120.0 * 80.0 * 4.0 - 4 * std::numbers::pi * 9 * 4, 1e-6);
}

}  // namespace
