// PVFConfiguration against configuration files in tests/data/base.
#include <gtest/gtest.h>
#include <varnex/base/configuration.h>

namespace {

PVMStrg DataFile(const char* name) {
  return PVMStrg(VARNEX_TEST_DATA "/base/") & name;
}

TEST(Configuration, RepeatedSectionsJoin) {
  PVFConfiguration config(DataFile("modules.cfg"), "A");
  EXPECT_EQ(config.Name("x"), 2);
  PVMStrg value("untouched");
  EXPECT_STREQ(config.Value("x", value), "1");
  VALUE_LIST<PVMStrg> values;
  EXPECT_EQ(config.Values("x", &values), 2);
  EXPECT_STREQ(values[1], "3");
  EXPECT_EQ(config.Values("x", nullptr), 2);
}

TEST(Configuration, CommentsBlanksAndSplitting) {
  PVFConfiguration config(DataFile("edge_cases.cfg"), "A");
  VALUE_LIST<PVMStrg> names;
  ASSERT_EQ(config.Names(&names), 4);
  EXPECT_STREQ(names[0], "a ") << "no trimming";
  EXPECT_STREQ(names[1], "key");
  EXPECT_STREQ(names[2], "bare");
  EXPECT_STREQ(names[3], "last");
  PVMStrg value;
  EXPECT_STREQ(config.Value("a ", value), " b");
  EXPECT_STREQ(config.Value("key", value), "v=w");
  EXPECT_STREQ(config.Value("bare", value), "");
  EXPECT_STREQ(config.Value("last", value), "no line feed")
      << "a last line without a line feed counts";
  EXPECT_EQ(config.Name("other"), 0) << "[A ] is another section";
  EXPECT_EQ(config.Name("before"), 0) << "lines before the first header belong to no module";
}

TEST(Configuration, WithoutModuleEveryLineCounts) {
  PVFConfiguration config(DataFile("edge_cases.cfg"), "");
  EXPECT_EQ(config.Name(""), 6);
  PVMStrg value;
  EXPECT_STREQ(config.Value("", value), "header") << "an empty name selects the first entry";
}

TEST(Configuration, MissingFileAndUniqueValues) {
  PVFConfiguration missing(DataFile("no_such_file.cfg"), "A");
  PVMStrg value("untouched");
  EXPECT_EQ(missing.Value("x", value), nullptr);
  EXPECT_STREQ(value, "untouched");
  EXPECT_EQ(missing.Name(""), 0);

  PVFConfiguration all(DataFile("modules.cfg"), "");
  VALUE_LIST<PVMStrg> unique(TRUE);
  unique.add("2");
  EXPECT_EQ(all.Values("", &unique), 3) << "value 2 already held";
}

TEST(Configuration, CrLfLinesAndRefresh) {
  PVFConfiguration config(DataFile("crlf.cfg"), "B");
  PVMStrg value;
  EXPECT_STREQ(config.Value("x", value), "2");
  EXPECT_FALSE(config.Refresh());
  EXPECT_EQ(config.Name(""), 1) << "refresh replaces, never duplicates";
  PVFConfiguration copy(config);
  EXPECT_STREQ(copy.Value("x", value), "2");
}

}  // namespace
