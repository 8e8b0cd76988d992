// Featurelist_Element: reading definitions, parameter lists, feature types, geometry files
// and saving.
#include <gtest/gtest.h>
#include <varnex/language/parse_attachment.h>
#include <varnex/library/feature_element.h>
#include <varnex/library/para_feature.h>

#include <cstdlib>
#include <filesystem>

#include "library_test_support.h"

namespace {

using varnex::test::LibraryData;
using varnex::test::ReadText;
using varnex::test::TempDir;
using varnex::test::WriteText;

const HANDOVER_PARAMETER* Parameter(void_list* list, int index) {
  return static_cast<const HANDOVER_PARAMETER*>((*list)[index]);
}

struct ParameterExpectation {
  const char* name;
  const char* type;
  const char* value;
  const char* restraints;
};

void ExpectParameters(void_list* list, std::initializer_list<ParameterExpectation> expected) {
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), static_cast<int>(expected.size()));
  int i = 0;
  for (const ParameterExpectation& e : expected) {
    const HANDOVER_PARAMETER* p = Parameter(list, i++);
    PVMStrg text;
    EXPECT_STREQ(p->GetName(text), e.name);
    EXPECT_STREQ(p->GetType(text), e.type) << e.name;
    EXPECT_STREQ(p->GetValue(text), e.value) << e.name;
    EXPECT_STREQ(p->GetRestraints(text), e.restraints) << e.name;
  }
}

TEST(FeatureElement, ReadsALibraryFile) {
  PARSE_ATTACHMENT source("box.NVL", LibraryData("first").c_str());
  Featurelist_Element box(&source);
  PVMStrg text;
  EXPECT_STREQ(box.GetFeatureName(text), "box");
  EXPECT_STREQ(box.GetFunctionName(text), "create_box");
  EXPECT_STREQ(box.GetEntityName(text), "feature_box");
  EXPECT_STREQ(box.GetFeatureType(text), "SOLID_POSITIVE");
  EXPECT_STREQ(box.GetFileName(text), "box.NVL");
  EXPECT_STREQ(box.GetPathName(text), LibraryData("first").c_str());
  ExpectParameters(box.get_paralist(), {{"length", "distance", "10.0", "{ VALUE > 0 }"},
                                        {"width", "distance", "10.0", "{ VALUE > 0 }"},
                                        {"height", "distance", "5.0", ""}});
  ExpectParameters(box.get_entity_list(), {{"length", "distance", "", ""},
                                           {"width", "distance", "", ""},
                                           {"feature_shape", "geometric", "", ""},
                                           {"combine_constraint", "STRING", "", ""}});
  EXPECT_FALSE(box.HasFeatureDescription()) << "read lazily";
  box.GetFeatureDescription(text);
  EXPECT_TRUE(text.Find("FUNCTION create_box"));
  EXPECT_FALSE(text.Find("A block")) << "comments removed";
  EXPECT_TRUE(box.HasFeatureDescription());
}

TEST(FeatureElement, ParameterListsWithGroupsDefaultsEnumerationsRestraints) {
  Featurelist_Element element("f.NVL",
                              "ENTITY feature_f; s : STRING; DERIVE d : NUMBER := s + 1; "
                              "WHERE rule : s > 0; t : LOGIC; END_ENTITY;\n"
                              "FUNCTION create_f (a, b : NUMBER := max(1, 2) "
                              "RESTRICTED_TO {VALUE > 0; VALUE < max(10, 20)},\n"
                              "  c : ENUMERATION  OF (x, y) := 'x',\n"
                              "  d : vector, e : distance := 10 - -2, g : feature_box) "
                              ": feature_f;");
  ExpectParameters(element.get_paralist(),
                   {{"a", "NUMBER", "max(1, 2)", "{ VALUE > 0; VALUE < max(10, 20) }"},
                    {"b", "NUMBER", "max(1, 2)", "{ VALUE > 0; VALUE < max(10, 20) }"},
                    {"c", "ENUMERATION_OF(x,y)", "'x'", ""},
                    {"d", "vector", "", ""},
                    {"e", "distance", "10 - -2", ""},
                    {"g", "feature_box", "", ""}});
  ExpectParameters(element.get_entity_list(),
                   {{"s", "STRING", "", ""}, {"d", "NUMBER", "s + 1", ""}, {"t", "LOGIC", "", ""}});
  EXPECT_EQ(Parameter(element.get_paralist(), 2)->GetEnumerationValues(nullptr), 2);
  EXPECT_TRUE(element.HasAliasTypeParameter("feature_box"));
  EXPECT_FALSE(element.HasAliasTypeParameter("feature_f"));
  EXPECT_NE(element.IsFunctionParameter("e"), nullptr);
  EXPECT_EQ(element.IsFunctionParameter("s"), nullptr);
  EXPECT_NE(element.IsEntityParameter("s"), nullptr);

  VALUE_LIST<HANDOVER_PARAMETER> values;
  EXPECT_EQ(element.GetFunctionParameters(&values), 6);
  GENERIC_LIST<HANDOVER_PARAMETER> copies;
  EXPECT_EQ(element.GetEntityParameters(&copies), 3);
  EXPECT_TRUE(*copies[0] == *Parameter(element.get_entity_list(), 0));
  EXPECT_NE(copies[0], Parameter(element.get_entity_list(), 0)) << "copies, not the originals";
  for (int i = 0; i < copies.count(); ++i) {
    delete copies[i];
  }
  element.evict();
  EXPECT_EQ(element.get_paralist(), nullptr);
  EXPECT_EQ(element.IsFunctionParameter("e"), nullptr);
}

struct TypeCase {
  const char* text;
  const char* type;
};

TEST(FeatureElement, FeatureTypeFromTheText) {
  const TypeCase cases[] = {
      {"ENTITY feature_a; x : distance; END_ENTITY;", "ATTRIBUTE"},
      {"ENTITY feature_t; replacement : transformation_matrix; END_ENTITY;", "TRANSFORMATION"},
      {"ENTITY feature_s; combine_constraint : STRING; END_ENTITY;", "SOLID"},
      {"ENTITY feature_s; combine_constraint : STRING; END_ENTITY; "
       "FUNCTION f () : feature_s; object.combine_constraint := 'negative'; END_FUNCTION;",
       "SOLID_NEGATIVE"},
      {"ENTITY feature_s; combine_constraint : STRING; END_ENTITY; "
       "x.other := 'positive'; object.combine_constraint := 'weird';",
       "SOLID"},
  };
  for (const TypeCase& c : cases) {
    Featurelist_Element element("x.NVL", c.text);
    PVMStrg type;
    EXPECT_STREQ(element.GetFeatureType(type), c.type) << c.text;
  }
  Featurelist_Element element("x.NVL", cases[0].text);
  const TypeCase words[] = {{"SOLID", "SOLID"}, {"  MyOwnType\n", "MyOwnType"}};
  for (const TypeCase& c : words) {
    element.set_feature_type(c.text);
    EXPECT_STREQ(element.get_feature_type(), c.type) << "one word is taken as it is";
  }
}

TEST(FeatureElement, DamagedDefinitionsLoseOnlyTheDamagedList) {
  struct {
    const char* file;
    const char* feature;
    int function_parameters;
  } cases[] = {{"empty.NVL", "", 0},
               {"words.NVL", "", 0},
               {"unclosed.NVL", "unclosed", 0},
               {"nohead.NVL", "nohead", 1},
               {"binary.NVL", "", 0}};
  for (const auto& c : cases) {
    PARSE_ATTACHMENT source(c.file, LibraryData("damaged").c_str());
    Featurelist_Element element(&source);
    EXPECT_STREQ(element.FeatureName(), c.feature) << c.file;
    EXPECT_EQ(element.get_paralist()->count(), c.function_parameters) << c.file;
  }
  PARSE_ATTACHMENT source("nohead.NVL", LibraryData("damaged").c_str());
  Featurelist_Element nohead(&source);
  PVMStrg value;
  EXPECT_STREQ(Parameter(nohead.get_paralist(), 0)->GetValue(value), "2.0");
  Featurelist_Element missing(static_cast<PARSE_ATTACHMENT*>(nullptr));
  EXPECT_TRUE(missing.FeatureName().IsVoid());
}

TEST(FeatureElement, GeometryFileWithContourBlocks) {
  PARSE_ATTACHMENT source("slab.NVL", LibraryData("geometry").c_str());
  Featurelist_Element slab(&source);
  PVMStrg geometry;
  EXPECT_STREQ(slab.GetFeatureGeometry(geometry), "outline.points := 4;\nNOV_0 := 1;\n")
      << "the lower-case .nov is found, CR LF read as LF, cut at the separator";
  PVFBinBlockList contours;
  ASSERT_EQ(slab.GetFeatureContour(contours), 2);
  EXPECT_EQ(contours[0].Length(), 3u);
  ASSERT_EQ(contours[1].Length(), 4u);
  EXPECT_EQ(contours[1][1], 0) << "binary bytes kept";
  Featurelist_Element from_text("slab.NVL", "ENTITY feature_slab; END_ENTITY;");
  EXPECT_FALSE(from_text.ReadNOVFile()) << "no path: no file";
}

TEST(FeatureElement, ParseAttachmentOverAFeature) {
  Featurelist_Element element("e.NVL", "ENTITY feature_e; -- note\n END_ENTITY;");
  PARSE_ATTACHMENT source(&element);
  PVMStrg text;
  EXPECT_STREQ(source.GetFileName(text), "e.NVL");
  EXPECT_FALSE(PVMStrg(source.GetSourceCode(text)).Find("note"));
  PARSE_ATTACHMENT none(static_cast<Featurelist_Element*>(nullptr));
  EXPECT_TRUE(PVMStrg(none.GetSourceCode(text)).IsVoid());
}

TEST(FeatureElement, EqualityComparesDefinitions) {
  const char* text =
      "ENTITY feature_q; a : distance; END_ENTITY; FUNCTION f (a : distance := 1) "
      ": feature_q;";
  Featurelist_Element one("q.NVL", text), two("elsewhere.NVL", text);
  EXPECT_TRUE(one == two);
  Featurelist_Element other("q.NVL",
                            "ENTITY feature_q; a : distance; END_ENTITY; "
                            "FUNCTION f (a : distance := 2) : feature_q;");
  EXPECT_TRUE(one != other);
  two.SetFeatureGeometry("g");
  EXPECT_TRUE(one != two);
}

const char* kPercentText =
    "-- 100% of the width: printf would see %s and %d here\n"
    "ENTITY feature_pct; w : distance := 50%2; END_ENTITY;\n";

TEST(FeatureElementSave, WritesTheDescriptionVerbatim) {
  TempDir dir;
  Featurelist_Element element("pct.NVL", kPercentText);
  ASSERT_TRUE(element.Save(PVMStrg(dir.Path().c_str()), FALSE));
  EXPECT_EQ(ReadText(dir.File("pct.NVL")), kPercentText);
  EXPECT_FALSE(std::filesystem::exists(dir.File("pct.NOV"))) << "no geometry, no geometry file";
}

TEST(FeatureElementSave, WithoutOverwriteAnExistingFileIsNeverTouched) {
  TempDir dir;
  WriteText(dir.File("pct.NVL"), "original");
  WriteText(dir.File("PCT.nov"), "original geometry");
  Featurelist_Element element("pct.NVL", kPercentText);
  element.SetFeatureGeometry("new geometry");
  auto before = std::filesystem::last_write_time(dir.File("pct.NVL"));
  EXPECT_FALSE(element.Save(PVMStrg(dir.Path().c_str()), FALSE));
  EXPECT_EQ(ReadText(dir.File("pct.NVL")), "original");
  EXPECT_EQ(std::filesystem::last_write_time(dir.File("pct.NVL")), before);
  EXPECT_EQ(ReadText(dir.File("PCT.nov")), "original geometry");
  Featurelist_Element upper("PCT.NVL", kPercentText);
  EXPECT_FALSE(upper.Save(PVMStrg(dir.Path().c_str()), FALSE)) << "the same name in other case";
  EXPECT_FALSE(std::filesystem::exists(dir.File("PCT.NVL")));
}

TEST(FeatureElementSave, OverwriteReplacesAndKeepsContoursReadable) {
  TempDir dir;
  WriteText(dir.File("pct.NVL"), "original");
  WriteText(dir.File("pct.nov"), "original geometry");
  Featurelist_Element element("pct.NVL", kPercentText);
  element.SetFeatureGeometry("points := 3;\n");
  PVFBinBlockList contours;
  contours.Add(PVFBinBlock("first"));
  contours.Add(PVFBinBlock(reinterpret_cast<const unsigned char*>("a\0b\n*+"), 6));
  element.SetFeatureContour(contours);
  ASSERT_TRUE(element.Save(PVMStrg(dir.Path().c_str()), TRUE));
  EXPECT_EQ(ReadText(dir.File("pct.NVL")), kPercentText);
  EXPECT_FALSE(std::filesystem::exists(dir.File("pct.NOV"))) << "the existing pct.nov is reused";
  int files = 0;
  for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    ++files;
  }
  EXPECT_EQ(files, 2) << "no temporary file left behind";

  PARSE_ATTACHMENT source("pct.NVL", dir.Path().c_str());
  Featurelist_Element reread(&source);
  PVMStrg geometry;
  EXPECT_STREQ(reread.GetFeatureGeometry(geometry), "points := 3;\n");
  PVFBinBlockList back;
  ASSERT_EQ(reread.GetFeatureContour(back), 2);
  EXPECT_EQ(back[1].Length(), 6u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(back[1].GetpBlock()), 6),
            std::string("a\0b\n*+", 6));
}

TEST(FeatureElementSave, NothingToWriteOrNowhereToWrite) {
  TempDir dir;
  PARSE_ATTACHMENT source("box.NVL", LibraryData("first").c_str());
  Featurelist_Element unread(&source);
  EXPECT_FALSE(unread.Save(PVMStrg(dir.Path().c_str()), TRUE)) << "no description held";
  Featurelist_Element element("pct.NVL", kPercentText);
  EXPECT_FALSE(element.Save(PVMStrg((dir.Path() + "missing/").c_str()), TRUE));
  EXPECT_FALSE(element.Save("", PVMStrg(dir.Path().c_str()), TRUE));
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(FeatureElementSave, DefaultsToFeatureNameAndLanguagePath) {
  TempDir dir;
  setenv("NOVLPath", ("#" + dir.Path() + ":/elsewhere").c_str(), 1);
  PVFParaFeature::Destroy();
  Featurelist_Element element("", kPercentText);
  EXPECT_TRUE(element.Save(FALSE));
  EXPECT_EQ(ReadText(dir.File("pct.NVL")), kPercentText);
  VALUE_LIST<PVMStrg> directories;
  directories.add(PVMStrg(dir.Path().c_str()));
  EXPECT_TRUE(element.IsSaved(directories));
  unsetenv("NOVLPath");
  PVFParaFeature::Destroy();
}

}  // namespace
