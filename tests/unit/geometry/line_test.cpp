// PVFLine and the plane functions: tolerant comparisons (1e-9 is no distance), containment at
// the ends, the joining of segments, and plane intersections.
#include <gtest/gtest.h>
#include <varnex/geometry/line.h>

#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

TEST(PVFLine, LengthRunsAlongTheVector) {
  EXPECT_DOUBLE_EQ(PVFLine(SPAposition(1, 1, 1), SPAvector(0, 3, 4)).Length(), 5.0);
}

TEST(PVFLine, PointsBelowTheToleranceLieOnTheLine) {
  PVFLine line(SPAposition(0, 0, 0), SPAposition(10, 0, 0));
  EXPECT_TRUE(line.OnLine(SPAposition(5, 1e-9, 0)));
  EXPECT_TRUE(line.OnLine(SPAposition(-5, 0, 1e-9))) << "the infinite line";
  EXPECT_FALSE(line.OnLine(SPAposition(5, 1e-5, 0)));
  EXPECT_TRUE(line == PVFLine(SPAposition(1e-9, 0, 0), SPAposition(10, -1e-9, 0)));
  EXPECT_TRUE(line != PVFLine(SPAposition(1e-5, 0, 0), SPAposition(10, 0, 0)));
  EXPECT_TRUE(line == SPAposition(0, 1e-9, 0));
  EXPECT_TRUE(line == SPAvector(10, 0, 0));
}

TEST(PVFLine, OnAxisAnswersTheEndsFlagAtTheEnds) {
  PVFLine segment(SPAposition(0, 0, 0), SPAposition(0, 4, 0));
  const struct {
    SPAposition point;
    XBOOL withEnds, withoutEnds;
  } cases[] = {
      {SPAposition(0, 0, 0), TRUE, FALSE},        {SPAposition(0, 4, 0), TRUE, FALSE},
      {SPAposition(0, 4 + 1e-9, 0), TRUE, FALSE}, {SPAposition(0, 2, 1e-9), TRUE, TRUE},
      {SPAposition(0, 4.001, 0), FALSE, FALSE},   {SPAposition(0, -1, 0), FALSE, FALSE},
      {SPAposition(1, 2, 0), FALSE, FALSE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.point.y());
    EXPECT_EQ(segment.OnAxis(c.point, TRUE), c.withEnds);
    EXPECT_EQ(segment.OnAxis(c.point, FALSE), c.withoutEnds);
  }
  PVFLine point(SPAposition(1, 1, 1), SPAposition(1, 1, 1));
  EXPECT_TRUE(point.OnAxis(SPAposition(1, 1, 1 + 1e-9), FALSE));
  EXPECT_FALSE(point.OnAxis(SPAposition(1, 1, 2), TRUE));
}

TEST(PVFLine, ContainmentOrder) {
  PVFLine outer(SPAposition(0, 0, 0), SPAposition(10, 0, 0));
  PVFLine inner(SPAposition(2, 0, 0), SPAposition(5, 0, 0));
  PVFLine touching(SPAposition(0, 0, 0), SPAposition(5, 0, 0));
  EXPECT_TRUE(inner < outer);
  EXPECT_TRUE(outer > inner);
  EXPECT_FALSE(touching < outer) << "an end on an end does not count as inside";
  EXPECT_TRUE(touching <= outer);
  EXPECT_TRUE(outer >= touching);
  EXPECT_FALSE(outer <= inner);
}

TEST(PVFLine, MakeSameStartPointJoinsAtTheCommonEnd) {
  const SPAposition p(0, 0, 0), q(1, 0, 0), r(1, 2, 0), far(9, 9, 9);
  const struct {
    const char* name;
    PVFLine a, b;
    XBOOL joined;
    SPAposition start;
  } cases[] = {
      {"end meets start", PVFLine(p, q), PVFLine(q, r), TRUE, q},
      {"starts equal", PVFLine(q, p), PVFLine(q, r), TRUE, q},
      {"ends equal", PVFLine(p, q), PVFLine(r, q), TRUE, q},
      {"start meets end", PVFLine(q, p), PVFLine(r, q), TRUE, q},
      {"apart", PVFLine(p, q), PVFLine(r, far), FALSE, q},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PVFLine::MakeSameStartPoint(c.a, c.b), c.joined);
    EXPECT_TRUE(same_point(c.a.StartPoint(), c.start));
    if (c.joined) {
      EXPECT_TRUE(c.a.SameStartPoint(c.b));
    }
  }
}

TEST(PVFLine, SamePointReportsThisLinesEndInPairingOrder) {
  PVFLine a(SPAposition(0, 0, 0), SPAposition(1, 0, 0));
  SPAposition shared;
  EXPECT_TRUE(a.SamePoint(PVFLine(SPAposition(5, 5, 5), SPAposition(1, 0, 1e-9)), &shared));
  EXPECT_TRUE(same_point(shared, SPAposition(1, 0, 0)));
  EXPECT_TRUE(a.SamePoint(PVFLine(SPAposition(0, 0, 0), SPAposition(1, 0, 0)), &shared));
  EXPECT_TRUE(same_point(shared, SPAposition(0, 0, 0))) << "start-start comes first";
  EXPECT_FALSE(a.SamePoint(PVFLine(SPAposition(5, 5, 5), SPAposition(6, 6, 6)), nullptr));
}

TEST(PVFLine, OrderAndMoves) {
  PVFLine line(SPAposition(1, 5, 0), SPAposition(1, 2, 0));
  EXPECT_TRUE(line.Order());
  EXPECT_TRUE(same_point(line.StartPoint(), SPAposition(1, 2, 0)));
  EXPECT_FALSE(line.Order());
  line.Move(SPAposition(0, 0, 0));
  EXPECT_TRUE(same_point(line.EndPoint(), SPAposition(0, 3, 0)));
  line += SPAvector(0, 1, 0);
  EXPECT_TRUE(same_point(line.EndPoint(), SPAposition(0, 4, 0)));
  line.FixEnd(SPAvector(0, 1, 0));
  EXPECT_TRUE(same_point(line.StartPoint(), SPAposition(0, 1, 0)));
  line *= rotate_transf(kPi / 2, SPAvector(0, 0, 1));
  EXPECT_TRUE(same_point(line.StartPoint(), SPAposition(-1, 0, 0)));
  EXPECT_TRUE(same_point(line.EndPoint(), SPAposition(-4, 0, 0)));
  EXPECT_TRUE(line.ReverseDirection(SPAvector(1, 0, 0)));
  EXPECT_TRUE(line.Parallel(SPAvector(2, 0, 0)));
  EXPECT_FALSE(line.SameDirection(SPAvector(2, 0, 0)));
}

TEST(PVFLine, DistancesCrossingsAndMovesOntoLines) {
  PVFLine x(SPAposition(0, 0, 0), SPAposition(1, 0, 0));
  PVFLine y(SPAposition(3, -1, 2), SPAposition(3, 1, 2));
  SPAposition onX, onY;
  EXPECT_NEAR(x.Distance(y, &onX, &onY), 2.0, 1e-12);
  EXPECT_TRUE(same_point(onX, SPAposition(3, 0, 0)));
  EXPECT_FALSE(x.Crossing(y));
  SPAposition at;
  EXPECT_TRUE(x.Crossing(PVFLine(SPAposition(3, -1, 1e-9), SPAposition(3, 1, 0)), &at));
  EXPECT_TRUE(same_point(at, SPAposition(3, 0, 0)));
  EXPECT_FALSE(x.Crossing(PVFLine(SPAposition(0, 1, 0), SPAposition(1, 1, 0))));
  EXPECT_FALSE(x.MoveOnLine(SPAposition(7, 1e-9, 0)));
  EXPECT_TRUE(x.MoveOnLine(SPAposition(7, 2, 0)));
  EXPECT_TRUE(same_point(x.StartPoint(), SPAposition(0, 2, 0)));
  PVFLine slanted(SPAposition(0, 0, 0), SPAposition(4, 4, 0));
  EXPECT_TRUE(slanted.MoveOnLine(PVFLine(SPAposition(0, 0, 0), SPAposition(1, 0, 0))));
  EXPECT_TRUE(same_point(slanted.EndPoint(), SPAposition(4, 0, 0)));
}

TEST(PVFLine, ExpandMapAndExtent) {
  PVFLine base(SPAposition(0, 0, 0), SPAposition(2, 0, 0));
  PVFLine ahead(SPAposition(5, 0, 0), SPAposition(3, 0, 0));
  PVFLine grown = Expand(base, ahead);
  EXPECT_TRUE(same_point(grown.EndPoint(), SPAposition(5, 0, 0)));
  EXPECT_TRUE(same_point(grown.StartPoint(), SPAposition(0, 0, 0)));
  PVFLine offside(SPAposition(5, 1, 0), SPAposition(6, 1, 0));
  EXPECT_FALSE(PVFLine(base).Expand(offside)) << "only collinear segments expand";
  EXPECT_TRUE(same_point(Extent(base, offside).EndPoint(), SPAposition(6, 0, 0)));
  PVFLine mapped = Map(base, PVFLine(SPAposition(4, 3, 0), SPAposition(-1, 7, 0)));
  EXPECT_TRUE(same_point(mapped.StartPoint(), SPAposition(4, 0, 0)));
  EXPECT_TRUE(same_point(mapped.EndPoint(), SPAposition(-1, 0, 0)));
  PVFLine projected;
  ASSERT_TRUE(Projection(PVFLine(SPAposition(0, 0, 5), SPAposition(1, 0, 5)), SPAvector(0, 0, 1),
                         base, SPAvector(0, 1, 0), projected));
  EXPECT_TRUE(same_point(projected.EndPoint(), SPAposition(1, 0, 0)));
  EXPECT_FALSE(Projection(base, SPAvector(1, 0, 0), base, SPAvector(0, 1, 0), projected));
}

TEST(PointDistances, ThreeDirectionsGiveParameterThree) {
  double distance = -1, parameter = -1;
  const SPAvector direction(1, 2, 2);
  EXPECT_TRUE(DistancePointToLine(SPAposition(1, 1, 1) + 3 * direction, SPAposition(1, 1, 1),
                                  direction, distance, parameter));
  EXPECT_EQ(distance, 0.0);
  EXPECT_NEAR(parameter, 3.0, 1e-12);
  EXPECT_TRUE(DistancePointToLine(SPAposition(3, 1e-9, 0), SPAposition(0, 0, 0), SPAvector(1, 0, 0),
                                  distance, parameter));
  EXPECT_EQ(distance, 0.0) << "1e-9 off the line is on it";
  EXPECT_FALSE(DistancePointToLine(SPAposition(0, 4, 0), SPAposition(0, 0, 0), SPAvector(3, 0, 0),
                                   distance, parameter));
  EXPECT_NEAR(distance, 4.0, 1e-12);
  EXPECT_NEAR(parameter, 0.0, 1e-12);
  EXPECT_FALSE(DistancePointToLine(SPAposition(1, 0, 0), SPAposition(0, 0, 0), SPAvector(),
                                   distance, parameter));
  EXPECT_EQ(distance, 0.0);
  EXPECT_TRUE(DistancePointToLine(SPAposition(2, 2, 2), SPAposition(2, 2, 2), SPAvector(), distance,
                                  parameter));
}

TEST(PointDistances, PlaneSidesAndZeroNormal) {
  double distance = 0, parameter = 0;
  EXPECT_FALSE(DistancePointToFace(SPAposition(0, 0, -3), SPAposition(0, 0, 0), SPAvector(0, 0, 2),
                                   distance, parameter));
  EXPECT_NEAR(distance, 3.0, 1e-12);
  EXPECT_NEAR(parameter, -1.5, 1e-12);
  EXPECT_TRUE(DistancePointToFace(SPAposition(4, 5, 1e-9), SPAposition(0, 0, 0), SPAvector(0, 0, 1),
                                  distance, parameter));
  EXPECT_FALSE(DistancePointToFace(SPAposition(1, 0, 0), SPAposition(0, 0, 0), SPAvector(),
                                   distance, parameter));
}

TEST(Planes, IntersectionsOfTwoAndThree) {
  SPAposition point;
  SPAvector direction;
  ASSERT_TRUE(IntersectionLineOfTwoPlanes(SPAposition(0, 0, 3), SPAvector(0, 0, 1),
                                          SPAposition(2, 0, 0), SPAvector(1, 0, 0), point,
                                          direction));
  EXPECT_TRUE(PVFLine(point, direction).OnLine(SPAposition(2, 7, 3)));
  EXPECT_TRUE(are_parallel(direction, SPAvector(0, 1, 0)));
  EXPECT_FALSE(IntersectionLineOfTwoPlanes(SPAposition(), SPAvector(0, 0, 1), SPAposition(),
                                           SPAvector(0, 0, -2), point, direction));
  ASSERT_TRUE(IntersectionPointOfThreePlanes(SPAposition(1, 0, 0), SPAvector(1, 0, 0),
                                             SPAposition(0, 2, 0), SPAvector(0, 1, 0),
                                             SPAposition(0, 0, 3), SPAvector(1, 1, 1), point));
  EXPECT_TRUE(same_point(point, SPAposition(1, 2, 0)));
  EXPECT_FALSE(IntersectionPointOfThreePlanes(SPAposition(), SPAvector(1, 0, 0), SPAposition(),
                                              SPAvector(0, 1, 0), SPAposition(), SPAvector(1, 1, 0),
                                              point))
      << "three planes through one line";
}

TEST(Planes, AnglesWithAndWithoutReference) {
  EXPECT_NEAR(AngleBetween(SPAvector(1, 0, 0), SPAvector(0, 1, 0)), kPi / 2, 1e-15);
  EXPECT_NEAR(AngleBetween(SPAvector(1, 0, 0), SPAvector(0, 1, 0), SPAvector(0, 0, 1)), kPi / 2,
              1e-15);
  EXPECT_NEAR(AngleBetween(SPAvector(1, 0, 0), SPAvector(0, 1, 0), SPAvector(0, 0, -1)),
              3 * kPi / 2, 1e-15);
  EXPECT_NEAR(angle_between(SPAvector(1, 0, 0), SPAvector(1, 1e-12, 0)), 1e-12, 1e-20)
      << "accurate near zero";
}

}  // namespace
