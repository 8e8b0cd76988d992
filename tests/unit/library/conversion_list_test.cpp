// CONVERSION_LIST: unique both ways, exact matches only.
#include <gtest/gtest.h>
#include <varnex/library/conversion_list.h>

#include <string>

namespace {

TEST(ConversionList, BothDirectionsStayUniqueAndSorted) {
  CONVERSION_LIST names(2);
  EXPECT_EQ(names.Include("plate_@3", "plate_@7"), 0);
  names.Include("box_@1", "box_@9");
  names.Include("axle_@2", "axle_@4");
  names.Include("box_@1", "box_@5");     // original known
  names.Include("bolt_@1", "plate_@7");  // translation taken
  names.Include(nullptr, "x");
  EXPECT_EQ(names.Count(), 3);
  EXPECT_STREQ(names.OriginalIntoTranslation("box_@1"), "box_@9");
  EXPECT_STREQ(names.TranslationIntoOriginal("axle_@4"), "axle_@2");
  EXPECT_EQ(names.OriginalIntoTranslation("box_@"), nullptr);
  EXPECT_EQ(names.OriginalIntoTranslation("bolt_@1"), nullptr);
  EXPECT_EQ(names.TranslationIntoOriginal(nullptr), nullptr);
  for (int i = 0; i < 500; ++i) {
    names.Include(("n" + std::to_string(i)).c_str(), ("t" + std::to_string(999 - i)).c_str());
  }
  EXPECT_STREQ(names.OriginalIntoTranslation("n250"), "t749");
  EXPECT_STREQ(names.TranslationIntoOriginal("t999"), "n0");
}

}  // namespace
