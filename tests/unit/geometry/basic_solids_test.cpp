// The basic feature solids: joins of the two parts, placement, face classification and names,
// revisions, prism radii, tapers, and the dimensions that build nothing.
#include <varnex/geometry/basic_solids.h>
#include <varnex/geometry/measures.h>

#include <cmath>
#include <map>
#include <numbers>
#include <string>

#include "geometry/kernel_faults.h"
#include "kernel_test_support.h"

namespace {

using kernel_test::FakeLinks;
using kernel_test::KernelTest;

constexpr double kPi = std::numbers::pi;

// Records the face objects a solid asks for, by name.
class NamingLinks : public FakeLinks {
 public:
  int CreateGeometricObjects(
      rumpf* feature, const std::vector<std::pair<std::string, ENTITY*>>& named) const override {
    for (const auto& [name, entity] : named) {
      names[name] = entity;
      featureSeen = feature;
    }
    return static_cast<int>(named.size());
  }
  mutable std::map<std::string, ENTITY*> names;
  mutable rumpf* featureSeen = nullptr;
};

SPAvector NormalOf(ENTITY* face) {
  SPAposition point;
  SPAunit_vector normal;
  EXPECT_TRUE(face != nullptr && FaceProperties(face, point, normal));
  return normal;
}

struct Box {
  SPAposition low;
  SPAposition high;
};

Box BoxOf(ENTITY* body) {
  Box box;
  EXPECT_TRUE(api_get_entity_box(body, box.low, box.high).ok());
  return box;
}

void ExpectBox(ENTITY* body, const SPAposition& low, const SPAposition& high) {
  Box box = BoxOf(body);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(box.low.coordinate(i), low.coordinate(i), 1e-6) << "low " << i;
    EXPECT_NEAR(box.high.coordinate(i), high.coordinate(i), 1e-6) << "high " << i;
  }
}

// A block call with the trailing group filled in.
struct BlockCall {
  double length = 20;
  double width = 10;
  double upper = 10;
  double lower = 0;
  double angle = 0;
  double upperTaper = 0;
  double lowerTaper = 0;
  const double* position = nullptr;
  const double* axis1 = nullptr;
  const double* axis2 = nullptr;
  rumpf* feature = nullptr;
  int revision = 3;

  ENTITY* top = nullptr;
  ENTITY* bottom = nullptr;
  XBOOL complete = TRUE;
  int error = 0;

  ENTITY* Run() {
    return fmBasicBlock(length, width, upper, lower, angle, upperTaper, lowerTaper, position, axis1,
                        axis2, feature, 0, 0, top, bottom, complete, error, revision);
  }
};

class BasicSolids : public KernelTest {};

TEST_F(BasicSolids, BlockNamesItsSideFacesAndReturnsTopAndBottom) {
  NamingLinks links;
  BlockCall call;
  call.feature = links.Add("part").handle();
  ENTITY* body = call.Run();
  ASSERT_NE(body, nullptr);
  EXPECT_NEAR(fmvolume_of_body(body), 20 * 10 * 10, 1e-6);
  EXPECT_EQ(call.complete, TRUE);
  ASSERT_EQ(links.names.size(), 4u);
  const std::pair<const char*, SPAvector> expected[] = {
      {"f_0", {1, 0, 0}}, {"f_1", {0, 1, 0}}, {"f_2", {-1, 0, 0}}, {"f_3", {0, -1, 0}}};
  for (const auto& [name, normal] : expected) {
    EXPECT_TRUE(same_vector(NormalOf(links.names[name]), normal)) << name;
  }
  EXPECT_EQ(links.featureSeen, call.feature);
  EXPECT_TRUE(same_vector(NormalOf(call.top), SPAvector(0, 0, 1)));
  EXPECT_TRUE(same_vector(NormalOf(call.bottom), SPAvector(0, 0, -1)));
  for (const auto& [name, face] : links.names) {
    EXPECT_NE(face, call.top) << name;
    EXPECT_NE(face, call.bottom) << name;
  }
  ExpectBox(body, {0, 0, 0}, {20, 10, 10});
}

struct JoinCase {
  double upper;
  double lower;
  double zLow;
  double zHigh;
};

class BlockJoins : public KernelTest, public testing::WithParamInterface<JoinCase> {};

TEST_P(BlockJoins, SignsOfTheHeightsChooseUniteOrSubtract) {
  BlockCall call;
  call.upper = GetParam().upper;
  call.lower = GetParam().lower;
  ENTITY* body = call.Run();
  ASSERT_NE(body, nullptr);
  double height = GetParam().zHigh - GetParam().zLow;
  EXPECT_NEAR(fmvolume_of_body(body), 20 * 10 * height, 1e-6);
  ExpectBox(body, {0, 0, GetParam().zLow}, {20, 10, GetParam().zHigh});
  EXPECT_EQ(gmod_anfang->count(), 1) << "the parts are joined into one body";
}

INSTANTIATE_TEST_SUITE_P(Heights, BlockJoins,
                         testing::Values(JoinCase{10, 3, -3, 10},    // unite
                                         JoinCase{10, -3, 3, 10},    // lower taken from upper
                                         JoinCase{-3, 10, -10, -3},  // upper taken from lower
                                         JoinCase{-4, -2, -4, 2},    // unite, both flipped
                                         JoinCase{0, 5, -5, 0},      // lower part alone
                                         JoinCase{-6, 0, -6, 0}));   // upper part downwards

TEST_F(BasicSolids, AngleTurnsTheBlockAboutTheEdgeThroughTheReferenceCorner) {
  BlockCall call;
  call.angle = kPi / 2;
  ENTITY* body = call.Run();
  ASSERT_NE(body, nullptr);
  // Turned about its centre it would span x 5..15; about the corner edge it swings to -x.
  ExpectBox(body, {-10, 0, 0}, {0, 20, 10});
  EXPECT_NE(api_find_vertex(body, SPAposition(0, 0, 0)), nullptr);
}

TEST_F(BasicSolids, TurnedBlockNamesTheSidesOfItsOwnFrame) {
  NamingLinks links;
  BlockCall call;
  call.angle = kPi / 2;
  call.feature = links.Add("part").handle();
  ASSERT_NE(call.Run(), nullptr);
  EXPECT_TRUE(same_vector(NormalOf(links.names["f_0"]), SPAvector(0, 1, 0)));
  EXPECT_TRUE(same_vector(NormalOf(links.names["f_1"]), SPAvector(-1, 0, 0)));
}

TEST_F(BasicSolids, RevisionTwoReflectsANegativeHeightLaterRevisionsTranslate) {
  for (int revision : {2, 3}) {
    BlockCall call;
    call.upper = -4;
    call.revision = revision;
    ENTITY* body = call.Run();
    ASSERT_NE(body, nullptr);
    ExpectBox(body, {0, 0, -4}, {20, 10, 0});
    EXPECT_EQ(GetTrans(body).reflect(), revision == 2 ? TRUE : FALSE) << revision;
    gmod_del_all();
  }
}

TEST_F(BasicSolids, TaperedNegativePartWidensAwayFromThePlaneFromRevisionThree) {
  // Revision 2 reflects the part built with the negated taper: it narrows going down.
  // Revision 3 moves it: it widens going down, as the upper part widens going up.
  const double taper = 0.1;
  for (int revision : {2, 3}) {
    BlockCall call;
    call.length = call.width = 10;
    call.upper = -5;
    call.upperTaper = taper;
    call.revision = revision;
    ENTITY* body = call.Run();
    ASSERT_NE(body, nullptr);
    ASSERT_NE(call.top, nullptr);
    ASSERT_NE(call.bottom, nullptr);
    // Revision 2: the base at the plane, narrower below. Revision 3: the base at the far end,
    // narrower towards the plane, so the section grows going down.
    double shrunk = 10 - 2 * 5 * std::tan(taper);
    double topArea = revision == 2 ? 100 : shrunk * shrunk;
    double bottomArea = revision == 2 ? shrunk * shrunk : 100;
    EXPECT_NEAR(fmarea_of_face(call.top, 0), topArea, 1e-5) << revision;
    EXPECT_NEAR(fmarea_of_face(call.bottom, 0), bottomArea, 1e-5) << revision;
    EXPECT_NEAR(BoxOf(call.top).low.z(), 0, 1e-6);
    gmod_del_all();
  }
}

TEST_F(BasicSolids, TaperedBlockHasTheVolumeOfAFrustum) {
  for (double taper : {0.2, -0.2}) {
    BlockCall call;
    call.length = call.width = 10;
    call.upper = 5;
    call.upperTaper = taper;
    ENTITY* body = call.Run();
    ASSERT_NE(body, nullptr);
    double side = 10 + 2 * 5 * std::tan(taper);
    double a1 = 100;
    double a2 = side * side;
    EXPECT_NEAR(fmvolume_of_body(body), 5.0 / 3.0 * (a1 + a2 + std::sqrt(a1 * a2)), 1e-4) << taper;
    EXPECT_EQ(call.complete, FALSE) << "drafted sides fill no side slot";
    gmod_del_all();
  }
}

TEST_F(BasicSolids, ReferencePositionLiftsAlongTheNormalOfTheAxes) {
  // Axes: origin (1, 2, 3), x along y, y along z, so the local z is the model's x.
  const double axis1[6] = {1, 2, 3, 0, 1, 0};
  const double axis2[6] = {1, 2, 3, 0, 0, 1};
  const double position[3] = {7, 50, 60};
  BlockCall call;
  call.axis1 = axis1;
  call.axis2 = axis2;
  call.position = position;
  ENTITY* body = call.Run();
  ASSERT_NE(body, nullptr);
  // Corner at the axis origin lifted by 6 along local z: x from 7 to 17.
  ExpectBox(body, {7, 2, 3}, {17, 22, 13});
  EXPECT_TRUE(same_vector(NormalOf(call.top), SPAvector(1, 0, 0)));
}

TEST_F(BasicSolids, CylinderFullAndSegmentParts) {
  ENTITY *top = nullptr, *bottom = nullptr;
  XBOOL complete = FALSE;
  int error = 0;
  NamingLinks links;
  ENTITY* full = fmBasicCylinder(4, nullptr, 0, 2 * kPi, 10, 2, 0, 0, nullptr, nullptr,
                                 links.Add("cyl").handle(), 0, 0, top, bottom, complete, error, 3);
  ASSERT_NE(full, nullptr);
  EXPECT_NEAR(fmvolume_of_body(full), kPi * 4 * 12, 1e-6);
  ExpectBox(full, {-2, -2, -2}, {2, 2, 10});
  EXPECT_NE(top, nullptr);
  EXPECT_NE(bottom, nullptr);
  EXPECT_EQ(links.names.size(), 1u) << "the mantle alone is named";
  EXPECT_EQ(fm_face_type(links.names["f_0"]), 2);

  ENTITY* quarter = fmBasicCylinder(4, nullptr, 0, kPi / 2, 10, 0, 0, 0, nullptr, nullptr, nullptr,
                                    0, 0, top, bottom, complete, error, 3);
  ASSERT_NE(quarter, nullptr);
  EXPECT_NEAR(fmvolume_of_body(quarter), kPi * 4 * 10 / 4, 1e-6);
  ExpectBox(quarter, {0, 0, 0}, {2, 2, 10});
}

TEST_F(BasicSolids, TaperedCylinderIsAConeFrustum) {
  ENTITY *top = nullptr, *bottom = nullptr;
  XBOOL complete = FALSE;
  int error = 0;
  const double taper = -0.1;
  ENTITY* body = fmBasicCylinder(10, nullptr, 0, 2 * kPi, 6, 0, taper, 0, nullptr, nullptr, nullptr,
                                 0, 0, top, bottom, complete, error, 3);
  ASSERT_NE(body, nullptr);
  double r1 = 5;
  double r2 = 5 + 6 * std::tan(taper);
  EXPECT_NEAR(fmvolume_of_body(body), kPi * 6 / 3 * (r1 * r1 + r1 * r2 + r2 * r2), 1e-4);
}

TEST_F(BasicSolids, PrismRadiiFollowFromEachOther) {
  ENTITY *top = nullptr, *bottom = nullptr;
  int error = 0;
  for (long sides : {3L, 6L, 12L}) {
    double circum = 10;
    double in = 0;
    ENTITY* body = fmBasicPrism(sides, circum, 4, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, 0,
                                0, top, bottom, in, 0, error, 3);
    ASSERT_NE(body, nullptr);
    EXPECT_NEAR(in, 10 * std::cos(kPi / sides), 1e-12);
    double area = sides / 2.0 * 100 * std::sin(2 * kPi / sides);
    EXPECT_NEAR(fmvolume_of_body(body), area * 4, 1e-6);

    double circumOut = 0;
    double given = 5;
    ASSERT_NE(fmBasicPrism(sides, circumOut, 4, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, 0,
                           0, top, bottom, given, 1, error, 3),
              nullptr);
    EXPECT_NEAR(circumOut, 5 / std::cos(kPi / sides), 1e-12);
  }
}

TEST_F(BasicSolids, PrismNegativeHeightReflectsUpToRevisionThree) {
  ENTITY *top = nullptr, *bottom = nullptr;
  int error = 0;
  for (int revision : {3, 4}) {
    double circum = 10;
    double in = 0;
    ENTITY* body = fmBasicPrism(6, circum, -4, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, 0, 0,
                                top, bottom, in, 0, error, revision);
    ASSERT_NE(body, nullptr);
    EXPECT_NEAR(BoxOf(body).low.z(), -4, 1e-6);
    EXPECT_EQ(GetTrans(body).reflect(), revision == 3 ? TRUE : FALSE) << revision;
    gmod_del_all();
  }
}

TEST_F(BasicSolids, TorusSphereAndRingPieces) {
  ENTITY *f1 = nullptr, *f2 = nullptr, *f3 = nullptr;
  XBOOL complete = FALSE;
  int error = 0;
  ENTITY* torus = fmBasicTorus(2, nullptr, 0, 2 * kPi, 10, 0, 2 * kPi, nullptr, nullptr, nullptr,
                               f1, f2, f3, complete, error);
  ASSERT_NE(torus, nullptr);
  EXPECT_NEAR(fmvolume_of_body(torus), 2 * kPi * kPi * 5 * 1, 1e-4);
  ENTITY* sphere = fmBasicTorus(2, nullptr, 0, 2 * kPi, 0, 0, 2 * kPi, nullptr, nullptr, nullptr,
                                f1, f2, f3, complete, error);
  ASSERT_NE(sphere, nullptr);
  EXPECT_NEAR(fmvolume_of_body(sphere), 4.0 / 3.0 * kPi, 1e-5);
  ENTITY* half = fmBasicTorus(2, nullptr, 0, 2 * kPi, 10, 0, kPi, nullptr, nullptr, nullptr, f1, f2,
                              f3, complete, error);
  ASSERT_NE(half, nullptr);
  EXPECT_NEAR(fmvolume_of_body(half), kPi * kPi * 5, 1e-4);
  EXPECT_NE(f1, nullptr) << "the open ring's end faces are planar";
  EXPECT_NE(f2, nullptr);
}

TEST_F(BasicSolids, ZeroDimensionsBuildNothingWithoutKernelWork) {
  ENTITY *top = nullptr, *bottom = nullptr, *third = nullptr;
  XBOOL complete = TRUE;
  int error = 0;
  double circum = 0;
  double in = 0;
  long before = KernelFaultPointsPassed();
  int bodies = PVFLiveBodyCount();
  BlockCall noLength;
  noLength.length = 0;
  BlockCall noWidth;
  noWidth.width = 0;
  BlockCall noHeight;
  noHeight.upper = 0;
  EXPECT_EQ(noLength.Run(), nullptr);
  EXPECT_EQ(noWidth.Run(), nullptr);
  EXPECT_EQ(noHeight.Run(), nullptr);
  EXPECT_EQ(fmBasicCylinder(0, nullptr, 0, 2 * kPi, 1, 0, 0, 0, nullptr, nullptr, nullptr, 0, 0,
                            top, bottom, complete, error, 3),
            nullptr);
  EXPECT_EQ(fmBasicCylinder(2, nullptr, 0, 0, 1, 0, 0, 0, nullptr, nullptr, nullptr, 0, 0, top,
                            bottom, complete, error, 3),
            nullptr);
  EXPECT_EQ(fmBasicPrism(2, circum, 1, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, 0, 0, top,
                         bottom, in, 0, error, 3),
            nullptr);
  EXPECT_EQ(fmBasicPrism(6, circum, 1, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, 0, 0, top,
                         bottom, in, 0, error, 3),
            nullptr);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(fmBasicTorus(0, nullptr, 0, 2 * kPi, 10, 0, 2 * kPi, nullptr, nullptr, nullptr, top,
                         bottom, third, complete, error),
            nullptr);
  EXPECT_EQ(error, 1);
  EXPECT_EQ(KernelFaultPointsPassed(), before);
  EXPECT_EQ(PVFLiveBodyCount(), bodies);
}

TEST_F(BasicSolids, KernelFailureInAPartLeavesNoBodyAndAnErrorNumber) {
  for (int countdown = 1; countdown <= 3; ++countdown) {
    int bodies = PVFLiveBodyCount();
    BlockCall call;
    call.lower = 3;
    ArmKernelFault(countdown);
    ENTITY* body = call.Run();
    ArmKernelFault(0);
    if (body == nullptr) {
      EXPECT_EQ(PVFLiveBodyCount(), bodies) << countdown;
    } else {
      EXPECT_NE(call.error, 0) << "a failed part reports its number: " << countdown;
    }
    gmod_del_all();
  }
}

}  // namespace
