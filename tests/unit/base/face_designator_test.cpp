// The one reading of face designators "f<n>" that name resolution, references, the interpreter
// and the kernel layer's face names share.
#include "base/face_designator.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using varnex::base::FaceDesignatorNumber;
using varnex::base::IsFaceDesignator;
using varnex::base::SplitFaceDesignator;

struct DesignatorCase {
  const char* name;
  int face;           // what the last part designates; -1: no face
  const char* owner;  // the part before the last dot when the last part is a designator
};

class FaceDesignators : public testing::TestWithParam<DesignatorCase> {};

TEST_P(FaceDesignators, ReadsTheLastPartOnce) {
  const DesignatorCase& c = GetParam();
  std::string_view name = c.name;
  std::size_t dot = name.rfind('.');
  std::string_view last = dot == std::string_view::npos ? name : name.substr(dot + 1);
  EXPECT_EQ(FaceDesignatorNumber(last), c.face) << c.name;
  std::string_view owner;
  int split = SplitFaceDesignator(name, owner);
  EXPECT_EQ(std::string(owner), c.owner) << c.name;
  EXPECT_EQ(split, dot == std::string_view::npos ? -1 : c.face) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Base, FaceDesignators,
    testing::Values(DesignatorCase{"plate.f0", 0, "plate"},
                    DesignatorCase{"a.b.shape.f12", 12, "a.b.shape"},
                    DesignatorCase{"f7", 7, ""},  // a designator, but nothing to split off
                    DesignatorCase{"plate.f007", 7, "plate"},
                    DesignatorCase{"plate.f2147483647", 2147483647, "plate"},
                    // Designators whose number no int holds name no face.
                    DesignatorCase{"plate.f2147483648", -1, "plate"},
                    DesignatorCase{"plate.f9999999999999999999999999999999", -1, "plate"},
                    // No designators: too short, too long, not digits, not "f".
                    DesignatorCase{"plate.f", -1, ""}, DesignatorCase{"plate.F1", -1, ""},
                    DesignatorCase{"plate.f1a", -1, ""}, DesignatorCase{"plate.f-1", -1, ""},
                    DesignatorCase{"plate.f 1", -1, ""}, DesignatorCase{"plate.g1", -1, ""},
                    DesignatorCase{"plate.f12345678901234567890123456789012", -1, ""},
                    DesignatorCase{"plate.", -1, ""}, DesignatorCase{"", -1, ""}));

TEST(FaceDesignator, IsLimitedToThirtyTwoCharacters) {
  std::string longest = "f" + std::string(31, '1');
  EXPECT_TRUE(IsFaceDesignator(longest));
  EXPECT_FALSE(IsFaceDesignator(longest + "1"));
}

}  // namespace
