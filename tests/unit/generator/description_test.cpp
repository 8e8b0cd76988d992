// The generated text of small trees: the sections in their order, operand order, types.
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "generator_test_support.h"

namespace {

using varnex::test::GeneratorData;
using varnex::test::GeneratorSession;
using varnex::test::ReadFile;

class Description : public GeneratorSession {};

TEST_F(Description, OneBlockWithOneInputParameter) {
  PDTfeat* block = Feature("block");
  ASSERT_NE(block, nullptr);
  PVFMtfPartTree generator;
  ASSERT_EQ(generator.AddNode(block), 1);
  ASSERT_TRUE(generator.SetFeatureName(PVMStrg("cube_part")));
  ASSERT_TRUE(generator.SetSubFeatureName(PVMStrg(block->get_name()), PVMStrg("base")));
  ASSERT_TRUE(generator.SetInputParameter(PVMStrg(block->get_name()) & ".size"));
  ASSERT_TRUE(generator.RenameParameter(PVMStrg(block->get_name()) & ".size", PVMStrg("size")));
  ASSERT_FALSE(generator.CreateFeatureDescription()) << generator.GetError().GetpStr();
  PVMStrg text;
  generator.GetNvlDescription(text);
  EXPECT_EQ(std::string(text.GetpStr()), ReadFile(GeneratorData("cube_part.expected.NVL")));
}

}  // namespace

namespace {

// The statement that makes the combination of a block and a hole, whichever operand the
// combination holds first.
TEST_F(Description, SubtractionWritesThePositiveOperandFirst) {
  for (bool hole_first : {false, true}) {
    SCOPED_TRACE(hole_first ? "hole is operand 1" : "block is operand 1");
    PDTfeat* block = Feature("block");
    PDTfeat* hole = Feature("hole");
    ASSERT_NE(block, nullptr);
    ASSERT_NE(hole, nullptr);
    auto* comb =
        static_cast<PDTcomb*>(hole_first ? connect(hole, block, 0) : connect(block, hole, 0));
    ASSERT_NE(comb, nullptr);
    ASSERT_EQ(comb->get_op1(), hole_first ? static_cast<PDTnode*>(hole) : block);
    ASSERT_EQ(comb->get_comb_type(), PDT_COMB_SUBTRACTION);
    PVFMtfPartTree generator;
    ASSERT_EQ(generator.AddNode(comb), 3);
    ASSERT_TRUE(generator.SetFeatureName(PVMStrg("cut_block")));
    ASSERT_TRUE(generator.SetSubFeatureName(PVMStrg(block->get_name()), PVMStrg("base")));
    ASSERT_TRUE(generator.SetSubFeatureName(PVMStrg(hole->get_name()), PVMStrg("tool")));
    ASSERT_TRUE(generator.SetSubFeatureName(PVMStrg(comb->get_name()), PVMStrg("cut")));
    ASSERT_FALSE(generator.CreateFeatureDescription()) << generator.GetError().GetpStr();
    PVMStrg text;
    std::string nvl = generator.GetNvlDescription(text);
    EXPECT_NE(nvl.find("\t\tcut := base.shape - tool.shape;\n\t\tobject.cut := cut;\n\n"),
              std::string::npos)
        << nvl;
    EXPECT_NE(nvl.find("\t\tobject.feature_shape := cut;\n"), std::string::npos);
    EXPECT_EQ(generator.GetFeatureType(), PDT_SIGN_POSITIVE);
    delete_node(comb);
    delete_node(block);
    delete_node(hole);
  }
}

TEST_F(Description, OnlyPositiveAndNegativeAreExplicitTypes) {
  PVFMtfPartTree generator;
  ASSERT_EQ(generator.AddNode(Feature("block")), 1);
  ASSERT_TRUE(generator.SetFeatureName(PVMStrg("cube_part")));
  ASSERT_FALSE(generator.CreateFeatureDescription());
  PVMStrg before, after;
  generator.GetNvlDescription(before);

  EXPECT_EQ(generator.SetExplicitFeatureType(5), 1);
  EXPECT_EQ(generator.SetExplicitFeatureType(0), 1);
  ASSERT_FALSE(generator.CreateFeatureDescription());
  generator.GetNvlDescription(after);
  EXPECT_EQ(std::string(after.GetpStr()), before.GetpStr());

  EXPECT_EQ(generator.SetExplicitFeatureType(2), 2);
  ASSERT_FALSE(generator.CreateFeatureDescription());
  std::string negative = generator.GetNvlDescription(after);
  EXPECT_NE(negative.find("\t\tobject.combine_constraint := 'negative';\n"), std::string::npos);
  EXPECT_EQ(negative.find("'positive'"), std::string::npos);
}

TEST_F(Description, FailureKeepsThePreviousDescription) {
  PVFMtfPartTree generator;
  EXPECT_TRUE(generator.CreateFeatureDescription());  // no name, no nodes
  PDTfeat* block = Feature("block");
  ASSERT_EQ(generator.AddNode(block), 1);
  EXPECT_TRUE(generator.CreateFeatureDescription());
  EXPECT_NE(std::string(generator.GetError().GetpStr()).find("no name"), std::string::npos);
  ASSERT_TRUE(generator.SetFeatureName(PVMStrg("cube_part")));
  ASSERT_FALSE(generator.CreateFeatureDescription());
  PVMStrg good, now;
  generator.GetNvlDescription(good);

  // A value the text cannot carry stops the generation; the last description stays.
  PVFMtfParameter& size = (*generator.GetWrapper(0)->GetParameters())[0];
  size.SetValue(PVMStrg("10; object.size := 0"));
  EXPECT_TRUE(generator.CreateFeatureDescription());
  EXPECT_NE(std::string(generator.GetError().GetpStr()).find("';'"), std::string::npos);
  generator.GetNvlDescription(now);
  EXPECT_EQ(std::string(now.GetpStr()), good.GetpStr());

  generator.Reset();
  EXPECT_EQ(generator.GetWrapperCount(), 0);
  EXPECT_EQ(generator.GetAllNodes(nullptr), 0);
  EXPECT_EQ(generator.GetFeatureType(), 0);
  EXPECT_EQ(generator.GetMainGeometry(), nullptr);
}

// Values the text cannot hold go to the NOV description: texts to its text parts, bytes to
// its binary block, each referred to as 'owner.NOV_index'.
TEST_F(Description, StoredValuesGoToTheNovDescription) {
  PVFMtfPartTree generator;
  ASSERT_EQ(generator.AddNode(Feature("label")), 1);
  ASSERT_TRUE(generator.SetFeatureName(PVMStrg("tagged")));
  ASSERT_TRUE(
      generator.SetSubFeatureName(PVMStrg(generator.GetWrapper(0)->GetName()), PVMStrg("tag")));
  std::vector<PVFMtfParameter>& parameters = *generator.GetWrapper(0)->GetParameters();
  ASSERT_EQ(parameters.size(), 2u);
  parameters[0].SetValue(PVMStrg("get_size (NOV_ENTRY)"));
  parameters[1].SetValue(PVMStrg("get_OpFace (NOV_ENTRY)"));
  const unsigned char bytes[] = {0, 1, 2, '\n', 255};
  parameters[1].SetBinaryValue(PVFBinBlock(bytes, sizeof bytes));
  ASSERT_FALSE(generator.CreateFeatureDescription()) << generator.GetError().GetpStr();

  PVMStrg text, nov;
  std::string nvl = generator.GetNvlDescription(text);
  EXPECT_NE(nvl.find("\t\ttag_size := get_size ('tag.NOV_0');\n"), std::string::npos) << nvl;
  EXPECT_NE(nvl.find("\t\ttag_caption := get_OpFace ('tag.NOV_0');\n"), std::string::npos);
  PVFBinBlock binary;
  ASSERT_NE(generator.GetNovDescription(nov, binary), nullptr);
  EXPECT_EQ(std::string(nov.GetpStr()), "get_size (NOV_ENTRY)");
  std::string expected = "\n*+++*BINARY*+++*\n0\n" + std::string(bytes, bytes + sizeof bytes);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(binary.GetpBlock()), binary.Length()),
            expected);

  // Written as a library geometry file beside the text, the library reads both parts back.
  const std::filesystem::path directory =
      std::filesystem::temp_directory_path() / ("varnex_nov_" + std::to_string(::getpid()));
  std::filesystem::create_directories(directory);
  std::ofstream(directory / "tagged.NVL") << text.GetpStr();
  std::ofstream(directory / "tagged.NOV", std::ios::binary)
      << Featurelist_Element::NovFileBytes(nov, generator.GetNovBinaryParts());
  {
    FEATURE_LIST library(PVMStrg(directory.c_str()));
    Featurelist_Element* element = library.GetFeatureByName(PVMStrg("tagged"));
    ASSERT_NE(element, nullptr);
    PVMStrg geometry;
    EXPECT_STREQ(element->GetFeatureGeometry(geometry), "get_size (NOV_ENTRY)");
    PVFBinBlockList contour;
    ASSERT_EQ(element->GetFeatureContour(contour), 1);
    EXPECT_EQ(
        std::string(reinterpret_cast<const char*>(contour[0].GetpBlock()), contour[0].Length()),
        std::string(bytes, bytes + sizeof bytes));
  }
  std::filesystem::remove_all(directory);
}

}  // namespace

namespace {

// The reference point lies on a face the text can name, else at the box centre.
TEST_F(Description, ReferencePointOnATranslatableFace) {
  PDTfeat* block = Feature("block");
  ASSERT_NE(block, nullptr);
  const std::string node = block->get_name();
  const struct {
    std::string face;
    double u, v;
    const char* expected;
  } kCases[] = {
      {node + ".shape.f2;trailing", 0.5, 0.25,
       "\t\tobject.ref_point0 := get_area_center (base.shape.f2, 0.5, 0.25);\n\n"},
      {"elsewhere_@9.shape.f2", 0.5, 0.25,
       "\t\tobject.ref_point0 := get_box_center (object.feature_shape);\n\n"},
      {node + ".shape.f2) ; x := (1", 0.5, 0.25,
       "\t\tobject.ref_point0 := get_box_center (object.feature_shape);\n\n"},
      {node + ".shape.f2", std::nan(""), 0.25,
       "\t\tobject.ref_point0 := get_box_center (object.feature_shape);\n\n"},
      {"", 0.0, 0.0, "\t\tobject.ref_point0 := get_box_center (object.feature_shape);\n\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.face);
    PVFMtfPartTree generator;
    ASSERT_EQ(generator.AddNode(block), 1);
    ASSERT_TRUE(generator.SetFeatureName(PVMStrg("cube_part")));
    ASSERT_TRUE(generator.SetSubFeatureName(PVMStrg(node.c_str()), PVMStrg("base")));
    generator.SetReferencePoint(PVMStrg(c.face.c_str()), c.u, c.v);
    ASSERT_FALSE(generator.CreateFeatureDescription());
    PVMStrg text;
    std::string nvl = generator.GetNvlDescription(text);
    EXPECT_NE(nvl.find(c.expected), std::string::npos) << nvl;
    generator.SuppressReferencePoint(TRUE);
    ASSERT_FALSE(generator.CreateFeatureDescription());
    nvl = generator.GetNvlDescription(text);
    EXPECT_EQ(nvl.find("ref_point0 :="), std::string::npos);
  }
}

}  // namespace

namespace {

// The generated text keeps a real value to the last digit, not to the six decimals of its
// value text, so the new feature builds the very solid.
TEST_F(Description, RealValuesKeepEveryDigit) {
  PDTfeat* block = Feature("block");
  ASSERT_NE(block, nullptr);
  rumpf* size = search((std::string(block->get_name()) + ".size").c_str());
  ASSERT_NE(size, nullptr);
  size->set(0.1234567891);
  PVFMtfPartTree generator;
  ASSERT_EQ(generator.AddNode(block), 1);
  ASSERT_TRUE(generator.SetFeatureName(PVMStrg("small_cube")));
  ASSERT_TRUE(generator.SetSubFeatureName(PVMStrg(block->get_name()), PVMStrg("base")));
  ASSERT_FALSE(generator.CreateFeatureDescription()) << generator.GetError().GetpStr();
  PVMStrg text;
  std::string nvl = generator.GetNvlDescription(text);
  EXPECT_NE(nvl.find("\t\tbase_size := 0.1234567891;\n"), std::string::npos) << nvl;
}

}  // namespace
