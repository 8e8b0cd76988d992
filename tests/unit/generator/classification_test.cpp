// Which wrapper each chosen node gets, and what value and reproduction features write.
#include "generator_test_support.h"

namespace {

using varnex::test::GeneratorSession;

class Classification : public GeneratorSession {};

TEST_F(Classification, EachNodeKindGetsItsWrapper) {
  PDTfeat* block = Feature("block");
  PDTfeat* hole = Feature("hole");
  PDTfeat* value = Feature("generic", {"value=7.5"});
  PDTfeat* row = Feature("Repro_row");
  ASSERT_TRUE(block && hole && value && row);
  PDTnode* cut = connect(block, hole, 0);
  ASSERT_NE(cut, nullptr);

  GENERIC_LIST<PDTnode> chosen;
  chosen.add(value);
  chosen.add(cut);
  chosen.add(row);
  chosen.add(block);  // already taken with the combination
  PVFMtfPartTree generator;
  ASSERT_EQ(generator.AddNodes(&chosen), 5);
  GENERIC_LIST<PDTnode> nodes;
  ASSERT_EQ(generator.GetAllNodes(&nodes), 5);
  const std::vector<PDTnode*> order = {value, block, hole, cut, row};  // operands first
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(nodes[i], order[i]) << i;
    EXPECT_EQ(generator.GetWrapper(i)->GetNode(), order[i]) << i;
  }
  EXPECT_NE(dynamic_cast<PVFMtfAtomNode*>(generator.GetWrapper(0)), nullptr);
  EXPECT_NE(dynamic_cast<PVFMtfFeatNode*>(generator.GetWrapper(1)), nullptr);
  EXPECT_NE(dynamic_cast<PVFMtfCombNode*>(generator.GetWrapper(3)), nullptr);
  EXPECT_NE(dynamic_cast<PVFMtfReproFeatNode*>(generator.GetWrapper(4)), nullptr);
  EXPECT_EQ(dynamic_cast<PVFMtfReproFeatNode*>(generator.GetWrapper(1)), nullptr);
  // The main geometry is the last positive node: the row.
  EXPECT_EQ(generator.GetMainGeometry(), generator.GetWrapper(4));
  EXPECT_EQ(generator.GetFeatureType(), PDT_SIGN_POSITIVE);

  VALUE_LIST<PVFMtfFreeParameter> subs, parameters;
  EXPECT_EQ(generator.GetSubFeatures(&subs), 5);
  EXPECT_EQ(std::string(subs[3].GetOldName().GetpStr()), cut->get_name());
  EXPECT_EQ(generator.GetFreeParameter(&parameters), 1 + 1 + 4 + 3);
  EXPECT_EQ(std::string(parameters[0].GetOldName().GetpStr()),
            std::string(value->get_name()) + ".value");

  // AddNode starts afresh.
  EXPECT_EQ(generator.AddNode(hole), 1);
  EXPECT_EQ(generator.AddTopNode(hole), 3);
  EXPECT_EQ(generator.AddNode(nullptr), -1);
}

TEST_F(Classification, AValueFeatureWritesItsValue) {
  PDTfeat* value = Feature("generic", {"value=7.5"});
  ASSERT_NE(value, nullptr);
  PVFMtfPartTree generator;
  ASSERT_EQ(generator.AddNode(value), 1);
  ASSERT_TRUE(generator.SetSubFeatureName(PVMStrg(value->get_name()), PVMStrg("offset")));
  std::string text = Publish(generator, "offset_value");
  EXPECT_NE(text.find("\t\toffset := 7.5;\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("visibility"), std::string::npos);  // no solid: no visibility
  PDTfeat* made = Feature("offset_value");
  ASSERT_NE(made, nullptr);
  rumpf* offset = search((std::string(made->get_name()) + ".offset").c_str());
  ASSERT_NE(offset, nullptr);
  PVMStrg kept;
  offset->get_value(kept);
  EXPECT_EQ(std::string(kept.GetpStr()), "7.5");
}

TEST_F(Classification, AReproductionFeatureSetsUpItsInputList) {
  PDTfeat* row = Feature("Repro_row", {"count=4"});
  ASSERT_NE(row, nullptr);
  PVFMtfPartTree generator;
  ASSERT_EQ(generator.AddNode(row), 1);
  ASSERT_TRUE(generator.SetSubFeatureName(PVMStrg(row->get_name()), PVMStrg("row")));
  std::string text = Publish(generator, "four_cubes");
  EXPECT_NE(text.find("\t\trow_ReproInputList := init_objectlist ('row_ReproInputList', "
                      "'repro_inputlist');\n\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\t\trow := create_Repro_row (row_size, row_count, row_pitch);\n"),
            std::string::npos);
  PDTfeat* made = Feature("four_cubes");
  ASSERT_NE(made, nullptr);
  EXPECT_NEAR(Volume(made), Volume(row), 1e-6 * Volume(row));
  EXPECT_NEAR(Volume(made), 4 * 64.0, 1e-6);
}

}  // namespace
