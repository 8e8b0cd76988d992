// Transformations must compose, invert and act on positions and vectors consistently: every
// placement in the engine goes through them.
#include <gtest/gtest.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/spa.h>

#include <cmath>
#include <numbers>

namespace {

void ExpectSame(const SPAposition& a, const SPAposition& b) {
  EXPECT_TRUE(same_point(a, b, 1e-9)) << "(" << a.x() << "," << a.y() << "," << a.z() << ") vs ("
                                      << b.x() << "," << b.y() << "," << b.z() << ")";
}

TEST(SpaTransf, RotationFollowsTheRightHand) {
  SPAtransf quarter = rotate_transf(std::numbers::pi / 2, SPAvector(0, 0, 1));
  ExpectSame(SPAposition(1, 0, 0) * quarter, SPAposition(0, 1, 0));
  ExpectSame(SPAposition(0, 1, 5) * quarter, SPAposition(-1, 0, 5));
  SPAvector turned = SPAvector(0, 1, 0) * rotate_transf(std::numbers::pi / 2, SPAvector(1, 0, 0));
  EXPECT_TRUE(same_vector(turned, SPAvector(0, 0, 1), 1e-12));
}

TEST(SpaTransf, ProductAppliesLeftFirst) {
  SPAtransf move = translate_transf(SPAvector(10, 0, 0));
  SPAtransf turn = rotate_transf(std::numbers::pi / 2, SPAvector(0, 0, 1));
  ExpectSame(SPAposition(1, 0, 0) * (move * turn), SPAposition(0, 11, 0));
  ExpectSame(SPAposition(1, 0, 0) * (turn * move), SPAposition(10, 1, 0));
  SPAtransf chained = move;
  chained *= turn;
  ExpectSame(SPAposition(1, 0, 0) * chained, SPAposition(0, 11, 0));
}

TEST(SpaTransf, InverseUndoesEveryKind) {
  const SPAtransf kinds[] = {
      translate_transf(SPAvector(1, -2, 3)),
      rotate_transf(0.7, SPAvector(1, 2, 3)),
      scale_transf(2.5),
      reflect_transf(SPAvector(1, 1, 0)),
      coordinate_transf(SPAposition(5, 6, 7), SPAunit_vector(0, 1, 0), SPAunit_vector(-1, 0, 0)),
      translate_transf(SPAvector(4, 0, 0)) * scale_transf(3) *
          rotate_transf(1.1, SPAvector(0, 1, 1)),
  };
  const SPAposition p(0.3, -4, 12);
  for (const SPAtransf& t : kinds) {
    ExpectSame((p * t) * t.inverse(), p);
    EXPECT_TRUE((t * t.inverse()).identity());
  }
}

TEST(SpaTransf, ReflectionAndScaleFlags) {
  SPAtransf mirror = reflect_transf(SPAvector(0, 0, 2));
  ExpectSame(SPAposition(1, 2, 3) * mirror, SPAposition(1, 2, -3));
  EXPECT_TRUE(mirror.reflect());
  EXPECT_FALSE((mirror * mirror).reflect()) << "two reflections make a proper motion";
  SPAtransf grow = scale_transf(2) * translate_transf(SPAvector(1, 0, 0));
  ExpectSame(SPAposition(1, 1, 1) * grow, SPAposition(3, 2, 2));
  EXPECT_TRUE(same_vector(SPAvector(1, 1, 1) * grow, SPAvector(2, 2, 2)))
      << "vectors ignore the translation";
  SPAunit_vector direction = SPAunit_vector(3, 0, 0) * grow;
  EXPECT_NEAR(direction.len(), 1.0, 1e-12) << "unit vectors stay unit";
}

TEST(SpaTransf, CoordinateSystemMapsLocalToGlobal) {
  SPAtransf local =
      coordinate_transf(SPAposition(10, 0, 0), SPAunit_vector(0, 1, 0), SPAunit_vector(-1, 0, 0));
  ExpectSame(SPAposition(1, 0, 0) * local, SPAposition(10, 1, 0));
  ExpectSame(SPAposition(0, 1, 0) * local, SPAposition(9, 0, 0));
  ExpectSame(SPAposition(0, 0, 1) * local, SPAposition(10, 0, 1));
}

TEST(SpaVector, ProductsAndPredicates) {
  SPAvector x(1, 0, 0), y(0, 1, 0);
  EXPECT_TRUE(same_vector(x * y, SPAvector(0, 0, 1)));
  EXPECT_DOUBLE_EQ(SPAvector(1, 2, 3) % SPAvector(4, 5, 6), 32.0);
  EXPECT_TRUE(parallel(x, 3 * x));
  EXPECT_FALSE(parallel(x, -x));
  EXPECT_TRUE(antiparallel(x, -x));
  EXPECT_TRUE(perpendicular(x, y));
  EXPECT_FALSE(parallel(x, SPAvector()));
  EXPECT_TRUE(normalise(SPAvector()).is_zero());
  EXPECT_TRUE(same_point(SPAposition(1, 1, 1), SPAposition(1, 1, 1 + 1e-9)));
  EXPECT_FALSE(same_point(SPAposition(1, 1, 1), SPAposition(1, 1, 1 + 1e-5)));
  EXPECT_NEAR(SPAmatrix(x, y, SPAvector(0, 0, 2)).inverse().element(2, 2), 0.5, 1e-15);
  EXPECT_EQ(SPAmatrix(x, x, y).inverse().element(0, 0), 0.0) << "singular gives zero";
}

struct FakeEntity : ENTITY {
  const char* type_name() const override { return "fake"; }
};

TEST(EntityList, OrderedSetWithIteration) {
  FakeEntity a, b, c;
  list entities;
  EXPECT_EQ(entities.add(&a), 0);
  EXPECT_EQ(entities.add(&b), 1);
  EXPECT_EQ(entities.add(&a), 0);
  EXPECT_EQ(entities.add(nullptr), -1);
  entities.add(&c);
  EXPECT_EQ(entities.remove(&b), 1);
  EXPECT_EQ(entities.lookup(&c), 1);
  entities.init();
  EXPECT_EQ(entities.next(), &a);
  EXPECT_EQ(entities.next(), &c);
  EXPECT_EQ(entities.next(), nullptr);
  EXPECT_EQ(entities[5], nullptr);
}

}  // namespace
