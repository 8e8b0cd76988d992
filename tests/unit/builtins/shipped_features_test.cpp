// Every feature of the shipped library, run from its file with its defaults and with one
// parameter changed: the solid it hands over has the volume worked out by hand.
#include <varnex/geometry/measures.h>
#include <varnex/language/interpreter.h>
#include <varnex/library/feature_list.h>
#include <varnex/model/hand_over.h>
#include <varnex/model/instance_bodies.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>
#include <variant>

#include "geometry_builtins_support.h"

namespace {

using namespace builtins_test;
using std::numbers::pi;

const double kRoot3 = std::sqrt(3.0);

// A parameter handed over: a real (distance), an integer (NUMBER) or a text.
using Parameter = std::variant<double, long, const char*>;

struct FeatureCase {
  const char* name;
  std::vector<Parameter> parameters;  // leading parameters; the rest keep their defaults
  double volume;
};

void PrintTo(const FeatureCase& c, std::ostream* out) {
  *out << c.name << " with " << c.parameters.size() << " parameters";
}

double FlangeVolume(double bore, int bolts) {
  return pi * 60 * 60 * 12 + pi * 25 * 25 * 20 - pi * bore * bore / 4 * 32 - bolts * pi * 25 * 12;
}
double NutVolume(double across_flats, double height, double hole) {
  return height * (across_flats * across_flats * kRoot3 / 2 - pi * hole * hole / 4);
}

const std::filesystem::path kFeatures = std::filesystem::path(VARNEX_SOURCE_DIR) / "features";

class ShippedFeature : public GeometryBuiltins, public testing::WithParamInterface<FeatureCase> {
 protected:
  void SetUp() override {
    GeometryBuiltins::SetUp();
    library_ = std::make_unique<FEATURE_LIST>(PVMStrg(kFeatures.string().c_str()));
    pFeatureList = library_.get();
    // The library's hooks for feature calls come with its interpreter link; a static link
    // takes that object only when something names it.
    static int (*volatile keep_interpreter_link)(void_list*) = &fill_hand_over;
    (void)keep_interpreter_link;
  }
  void TearDown() override {
    pFeatureList = nullptr;
    GeometryBuiltins::TearDown();
  }

  // Runs the feature's file with the parameters in hand_over; the volume of what the
  // instance holds, or -1 when it holds nothing.
  double Run(const FeatureCase& c) {
    std::ifstream in(kFeatures / (std::string(c.name) + ".NVL"));
    std::stringstream text;
    text << in.rdbuf();
    for (std::size_t i = 0; i < c.parameters.size(); ++i) {
      hand_over[i] = std::visit(MakeOperand{}, c.parameters[i]);
    }
    hand_over[c.parameters.size()] = nullptr;
    std::FILE* input = std::exchange(yyin, nullptr);
    EXPECT_EQ(subparse(text.str().c_str()), 0);
    yyin = input;
    delete hand_over[0];
    hand_over[0] = nullptr;
    ENTITY_LIST bodies;
    if (PVFCollectInstanceBodies(search("object"), bodies) < 1) {
      return -1;
    }
    double volume = 0;
    for (int i = 0; i < bodies.count(); ++i) {
      volume += fmvolume_of_body(bodies[i]);
    }
    return volume;
  }

 private:
  struct MakeOperand {
    aritm* operator()(double value) const { return new op_zahl(value); }
    aritm* operator()(long value) const { return new op_number(value); }
    aritm* operator()(const char* value) const { return new op_text(value); }
  };
  std::unique_ptr<FEATURE_LIST> library_;
};

TEST_P(ShippedFeature, HasTheHandComputedVolume) {
  const FeatureCase& c = GetParam();
  EXPECT_NEAR(Run(c), c.volume, 1e-6 * c.volume);
}

INSTANTIATE_TEST_SUITE_P(
    Library, ShippedFeature,
    testing::Values(
        FeatureCase{"holes_plate", {}, 200.0 * 100 * 10 - 25 * pi * 9 * 10 + pi * 100 * 15},
        FeatureCase{"holes_plate",
                    {200.0, 100.0, 10.0, 3L},
                    200.0 * 100 * 10 - 15 * pi * 9 * 10 + pi * 100 * 15},
        FeatureCase{"flange", {}, FlangeVolume(25, 6)},
        FeatureCase{"flange", {120.0, 12.0, 50.0, 20.0, 25.0, 8L}, FlangeVolume(25, 8)},
        FeatureCase{"l_bracket", {}, 60.0 * 40 * 8 + 42.0 * 40 * 8 + 36 * (1 - pi / 4) * 40},
        FeatureCase{"l_bracket", {60.0, 50.0, 40.0, 8.0, 0.0}, 60.0 * 40 * 8 + 42.0 * 40 * 8},
        FeatureCase{"face_boss", {}, 80.0 * 60 * 20 + pi * 100 * 10},
        FeatureCase{"face_boss", {80.0, 60.0, 20.0, "right"}, 80.0 * 60 * 20 + pi * 100 * 10},
        FeatureCase{"face_pocket", {}, 80.0 * 60 * 30 - 40 * 20 * 8},
        FeatureCase{"face_pocket",
                    {80.0, 60.0, 30.0, "front", 40.0, 20.0, 12.0},
                    80.0 * 60 * 30 - 40 * 20 * 12},
        FeatureCase{"named_plate", {}, 120.0 * 80 * 10},
        FeatureCase{"named_plate", {100.0, 50.0, 5.0}, 100.0 * 50 * 5},
        FeatureCase{"tapered_block", {}, 40.0 / 3 * (3600 + 900 + 1800)},
        FeatureCase{"tapered_block", {60.0, 60.0}, 60.0 * 60 * 40},
        FeatureCase{"turned_part", {}, pi * 400 * 30 + pi * 144 * 45},
        FeatureCase{"turned_part", {40.0, 30.0, 30.0}, pi * 400 * 30 + pi * 225 * 45},
        FeatureCase{"hex_nut", {}, NutVolume(13, 6.5, 8)},
        FeatureCase{"hex_nut", {13.0, 6.5, 10.0}, NutVolume(13, 6.5, 10)},
        FeatureCase{"mounting_kit", {}, FlangeVolume(25, 6) + NutVolume(41, 10, 25)},
        FeatureCase{"mounting_kit", {20.0}, FlangeVolume(20, 6) + NutVolume(41, 10, 20)}));

}  // namespace
