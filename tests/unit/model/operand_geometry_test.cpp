// Geometric operands on real kernel bodies: the Boolean operators between two geometric
// operands, and a geometry times a transformation.
#include <gtest/gtest.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/topology.h>
#include <varnex/geometry/transforms.h>

#include "operand_test_support.h"

namespace {

using namespace operand_test;

// A box of length `length` along x from `fromX`, 10 deep and 10 high, centred on y = z = 0.
ENTITY* Box(double length, double fromX) {
  ENTITY* body = fmcreate_cube(length, 10, 10);
  fmtransform_Body(body, translate_transf(SPAvector(fromX + length / 2, 0, 0)));
  return body;
}

// An operand over the faces of the body, as a geometric object hands it out.
Owned FacesOf(ENTITY* body) {
  list faces;
  fill_list(body, &faces);
  return Owned(new op_geom(&faces));
}

class OperandGeometry : public ::testing::Test {
 protected:
  void SetUp() override { bodies_ = PVFLiveBodyCount(); }
  void TearDown() override {
    gmod_del_all();
    EXPECT_EQ(PVFLiveBodyCount(), bodies_) << "a body outlived the test";
  }
  int bodies_ = 0;
};

TEST_F(OperandGeometry, BooleanOperatorsKeepTheLeftBodyAndUseUpTheRight) {
  struct Case {
    const char* op;
    double rightFrom;  // the right box is 20 long; the left one spans x -5..5
    double volume;
  };
  const Case cases[] = {
      {"+", 0, 2500},   // unite
      {"-", 0, 500},    // left minus right
      {"*", 0, 500},    // intersect
      {"/", 30, 3000},  // combine, disjoint
  };
  for (const Case& c : cases) {
    ENTITY* leftBody = Box(10, -5);
    ENTITY* rightBody = Box(20, c.rightFrom);
    Owned left = FacesOf(leftBody), right = FacesOf(rightBody);
    int bodies = PVFLiveBodyCount();
    std::size_t operands = aritm::AritmCount();
    Owned result(Apply(left.get(), c.op, right.get()));
    ASSERT_TRUE(result && result->IsOpGeom()) << c.op;
    EXPECT_EQ(aritm::AritmCount(), operands + 1);
    EXPECT_EQ(result->get_ENTITY(0), leftBody) << "the blank holds the result";
    EXPECT_NEAR(fmvolume_of_body(leftBody), c.volume, 1e-6) << c.op;
    EXPECT_EQ(PVFLiveBodyCount(), bodies - 1) << "the tool body is used up";
    gmod_del_all();
  }
}

TEST_F(OperandGeometry, ToolMustEndInAFaceAnEdgeOrABody) {
  ENTITY* leftBody = Box(10, -5);
  ENTITY* rightBody = Box(20, 0);
  Owned left = FacesOf(leftBody);
  ENTITY_LIST vertices;
  api_get_vertices(rightBody, vertices);
  op_geom vertex(vertices[0]);
  int bodies = PVFLiveBodyCount();
  EXPECT_EQ(Own(left->add(&vertex)), nullptr);
  EXPECT_EQ(PVFLiveBodyCount(), bodies) << "nothing was consumed";

  // A whole body, as the creators hand it out, stands for itself.
  op_geom wholeBody(rightBody);
  Owned result = Own(left->add(&wholeBody));
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->get_ENTITY(0), leftBody);
  EXPECT_NEAR(fmvolume_of_body(leftBody), 10 * 10 * 25, 1e-6);
  EXPECT_EQ(PVFLiveBodyCount(), bodies - 1);
}

TEST_F(OperandGeometry, TransformationMovesEachBodyOnce) {
  ENTITY* body = Box(10, -5);
  Owned geometry = FacesOf(body);
  SPAtransf lift = translate_transf(SPAvector(0, 0, 7));
  op_trans transf(&lift);
  Owned moved(geometry->multiply(&transf));
  ASSERT_TRUE(moved && moved->IsOpGeom());
  EXPECT_EQ(moved->get_list()->count(), geometry->get_list()->count());
  SPAposition low, high;
  api_get_entity_box(body, low, high);
  EXPECT_NEAR(low.z(), 2.0, 1e-6) << "six faces of one body move it once";
  EXPECT_EQ(Own(transf.multiply(geometry.get())), nullptr)
      << "a transformation times geometry is not defined";
}

}  // namespace
