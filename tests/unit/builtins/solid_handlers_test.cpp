// The position handlers whose results are values (transformations, axes, vectors, geometry
// lists), and the basic solids' handlers given unusable arguments.
#include <varnex/geometry/model_bodies.h>

#include <cmath>
#include <numbers>

#include "builtins_test_support.h"

namespace {

using builtins_test::BuiltinsTest;
using builtins_test::Num;
using builtins_test::Vec;

constexpr double kPi = std::numbers::pi;

aritm* Transf(const SPAtransf& t) {
  return new op_trans(&t);
}

aritm* Axis(double x, double y, double z, double dx, double dy, double dz) {
  const double origin[3] = {x, y, z};
  const double direction[3] = {dx, dy, dz};
  return new op_axis(origin, direction);
}

SPAposition Moved(aritm* transf, const SPAposition& p) {
  EXPECT_TRUE(transf != nullptr && transf->get_transf() != nullptr);
  return transf != nullptr && transf->get_transf() ? p * *transf->get_transf() : SPAposition();
}

class SolidHandlers : public BuiltinsTest {
 protected:
  void TearDown() override {
    gmod_del_all();
    BuiltinsTest::TearDown();
  }
};

TEST_F(SolidHandlers, ContextTransformationTurnsAboutTheContextsOrigin) {
  auto turned = Call("context_transformation", {Transf(rotate_transf(kPi / 2, {0, 0, 1})),
                                                Transf(translate_transf({10, 0, 0}))});
  EXPECT_TRUE(same_point(Moved(turned.get(), {11, 0, 0}), {10, 1, 0}));
  EXPECT_TRUE(same_point(Moved(turned.get(), {10, 0, 0}), {10, 0, 0}));
}

TEST_F(SolidHandlers, PartsolTakesOnePlacementToTheOther) {
  SPAtransf from = rotate_transf(1.0, {1, 1, 0}) * translate_transf({3, 4, 5});
  SPAtransf to = translate_transf({-7, 0, 2});
  auto step = Call("partsol_transformation", {Transf(from), Transf(to)});
  const SPAposition p(1, 2, 3);
  EXPECT_TRUE(same_point(Moved(step.get(), p * from), p * to));
}

TEST_F(SolidHandlers, AxesAndVectorsTurnAndMove) {
  auto axis =
      Call("actual_axis", {Axis(1, 0, 0, 1, 0, 0), Transf(rotate_transf(kPi / 2, {0, 0, 1}))});
  ASSERT_TRUE(axis->IsOpAxis());
  const double* a = axis->get_axis();
  EXPECT_TRUE(same_point(SPAposition(a), {0, 1, 0}));
  EXPECT_TRUE(same_vector(SPAvector(a + 3), {0, 1, 0}));
  auto v = Call("vector_rotation", {Vec(1, 0, 0), Vec(0, 0, 1), Num(kPi / 2)});
  EXPECT_TRUE(same_vector(SPAvector(v->get_vector()), {0, 1, 0}));
  auto none = Call("vector_rotation", {Num(1), Vec(0, 0, 1), Num(1)});
  EXPECT_TRUE(same_vector(SPAvector(none->get_vector()), {0, 0, 0}));
}

TEST_F(SolidHandlers, IncludeAxesAddsOneEdgePerAxis) {
  auto axes =
      Call("include_axes", {new op_geom(), Axis(0, 0, 0, 0, 0, 5), Num(3), Axis(1, 1, 1, 1, 0, 0)});
  ASSERT_TRUE(axes->IsOpGeom());
  EXPECT_EQ(axes->get_list()->count(), 2);
}

TEST_F(SolidHandlers, PlacementsOfUnusableArgumentsAreIdentity) {
  for (const char* name : {"set_position", "set_poscol", "set_poslcs", "set_posedge", "CalcStaPos",
                           "GetTrafoOfFS", "context_transformation", "partsol_transformation"}) {
    auto result = Call(name, {Vec(0, 0, 0), Vec(0, 0, 0), Vec(0, 0, 0)});
    ASSERT_TRUE(result != nullptr && result->IsOpTrans()) << name;
    EXPECT_TRUE(result->get_transf() == nullptr || result->get_transf()->identity()) << name;
  }
}

TEST_F(SolidHandlers, ZeroDimensionsAnswerEmptyGeometry) {
  int bodies = PVFLiveBodyCount();
  auto block = Call("create_BasicBlockGeo", {Num(0), Num(10), Num(10), Num(0)});
  auto prism = Call("create_BasicPrismGeo", {Num(2), Num(10), Num(10), Num(0)});
  auto pattern = Call("Generate_Matrix", {new op_geom(), Num(3), Num(10), Num(3), Num(10)});
  for (aritm* result : {block.get(), prism.get(), pattern.get()}) {
    ASSERT_TRUE(result->IsOpGeom());
    EXPECT_EQ(result->get_list()->count(), 0);
  }
  EXPECT_EQ(PVFLiveBodyCount(), bodies);
}

}  // namespace
