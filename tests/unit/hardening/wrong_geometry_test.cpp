// Wrong geometry: the shipped holes_plate with holes that stand apart, touch and overlap has
// the volume of the plate less the union of its holes. The union's area is worked out here
// independently of the kernel, from the arcs that bound it.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "feature_runner.h"

namespace hardening_test {
namespace {

using std::numbers::pi;

struct Circle {
  double x, y, r;
};

bool Inside(const Circle& c, double x, double y) {
  return std::hypot(x - c.x, y - c.y) < c.r - 1e-12;
}

// The area the circles cover together: by Green's theorem, half the integral of x dy - y dx
// over the arcs of each circle that no other circle covers. Equal circles count once.
double UnionArea(std::vector<Circle> circles) {
  std::sort(circles.begin(), circles.end(), [](const Circle& a, const Circle& b) {
    return std::tie(a.x, a.y) < std::tie(b.x, b.y);
  });
  circles.erase(std::unique(circles.begin(), circles.end(),
                            [](const Circle& a, const Circle& b) {
                              return a.x == b.x && a.y == b.y && a.r == b.r;
                            }),
                circles.end());
  double area = 0;
  for (std::size_t i = 0; i < circles.size(); ++i) {
    const Circle& c = circles[i];
    std::vector<double> cuts = {0.0, 2 * pi};
    for (std::size_t j = 0; j < circles.size(); ++j) {
      const Circle& o = circles[j];
      double d = std::hypot(o.x - c.x, o.y - c.y);
      if (j == i || d >= c.r + o.r || d <= std::fabs(c.r - o.r)) {
        continue;
      }
      double toward = std::atan2(o.y - c.y, o.x - c.x);
      double spread = std::acos((c.r * c.r + d * d - o.r * o.r) / (2 * c.r * d));
      for (double angle : {toward - spread, toward + spread}) {
        cuts.push_back(std::fmod(angle + 4 * pi, 2 * pi));
      }
    }
    std::sort(cuts.begin(), cuts.end());
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
      double a = cuts[k];
      double b = cuts[k + 1];
      double middle = (a + b) / 2;
      double mx = c.x + c.r * std::cos(middle);
      double my = c.y + c.r * std::sin(middle);
      bool covered = std::any_of(circles.begin(), circles.end(),
                                 [&](const Circle& o) { return &o != &c && Inside(o, mx, my); });
      if (!covered) {
        area += 0.5 * (c.r * c.x * (std::sin(b) - std::sin(a)) -
                       c.r * c.y * (std::cos(b) - std::cos(a)) + c.r * c.r * (b - a));
      }
    }
  }
  return area;
}

TEST(UnionArea, AgreesWithClosedFormsForTwoCircles) {
  EXPECT_NEAR(UnionArea({{0, 0, 1}, {5, 0, 1}}), 2 * pi, 1e-12);
  EXPECT_NEAR(UnionArea({{0, 0, 1}, {2, 0, 1}}), 2 * pi, 1e-12);
  EXPECT_NEAR(UnionArea({{0, 0, 1}, {0, 0, 1}}), pi, 1e-12);
  double lens = 2 * std::acos(0.5) - std::sqrt(3.0) / 2;  // centres 1 apart
  EXPECT_NEAR(UnionArea({{0, 0, 1}, {1, 0, 1}}), 2 * pi - lens, 1e-12);
}

// holes_plate with its defaults apart from the holes: a 200 x 100 x 10 plate, columns x rows
// holes whose first centre lies 10 from the corner, a boss of diameter 20 and height 15
// standing on the top face.
double HolesPlateVolume(long columns, long rows, double diameter, double pitch) {
  std::vector<Circle> holes;
  for (int column = 0; column < columns; ++column) {
    for (int row = 0; row < rows; ++row) {
      holes.push_back({-90 + pitch * column, -40 + pitch * row, diameter / 2});
    }
  }
  return (200.0 * 100 - UnionArea(holes)) * 10 + pi * 10 * 10 * 15;
}

struct HolesCase {
  const char* layout;
  long columns;
  long rows;
  double diameter;
  double pitch;
};

class HolesPlate : public FeatureRun, public testing::WithParamInterface<HolesCase> {};

TEST_P(HolesPlate, HasThePlateLessTheUnionOfItsHoles) {
  const HolesCase& c = GetParam();
  ASSERT_EQ(RunShipped("holes_plate", {200.0, 100.0, 10.0, c.columns, c.rows, c.diameter, c.pitch}),
            0);
  double expected = HolesPlateVolume(c.columns, c.rows, c.diameter, c.pitch);
  EXPECT_NEAR(ObjectVolume(), expected, 1e-6 * expected) << messages_.All();
}

INSTANTIATE_TEST_SUITE_P(Layouts, HolesPlate,
                         testing::Values(HolesCase{"separate", 5, 5, 6.0, 10.0},
                                         HolesCase{"separate_wide", 5, 5, 8.0, 15.0},
                                         HolesCase{"touching", 5, 5, 10.0, 10.0},
                                         HolesCase{"overlapping_in_rows", 5, 5, 10.5, 10.0},
                                         HolesCase{"overlapping_diagonally", 5, 5, 20.0, 10.0},
                                         HolesCase{"nearly_coincident", 3, 1, 12.0, 0.5}),
                         [](const testing::TestParamInfo<HolesCase>& info) {
                           return std::string(info.param.layout);
                         });

// The figures a user compares against: the plate with overlapping holes.
TEST(HolesPlateFigures, AreTheOnesUsersCheck) {
  EXPECT_NEAR(HolesPlateVolume(5, 5, 10.5, 10.0), 183493.80, 0.005);
  EXPECT_NEAR(HolesPlateVolume(5, 5, 20.0, 10.0), 170265.01, 0.005);
}

}  // namespace
}  // namespace hardening_test
