// Feature and transformation nodes: signs from "combine_constraint", parent links, the hooks
// that keep a node in step with its instance, and the node record.
#include "tree_test_support.h"

namespace {

using varnex::test::TreeSession;

class FeatureNodes : public TreeSession {};

TEST_F(FeatureNodes, SignFollowsTheConstraintText) {
  struct Row {
    const char* constraint;
    int sign;
  } rows[] = {
      {"'positive'", 1},  {"'negative'", 2}, {"'manipulation'", 4}, {"'negation'", 5},
      {"'attribute'", 6}, {"'Positive'", 0}, {"'positive '", 0},    {"'other'", 0},
  };
  for (const Row& row : rows) {
    std::string assignment = std::string("constraint=") + row.constraint;
    PDTfeat* node = Feature("tagged", {assignment.c_str()});
    ASSERT_NE(node, nullptr) << row.constraint;
    ASSERT_NE(node->feature(), nullptr) << row.constraint;
    EXPECT_EQ(node->get_sign(), row.sign) << row.constraint;
  }
}

TEST_F(FeatureNodes, WithoutConstraintABodyMakesAManipulationElseAnAttribute) {
  PDTfeat* lump = Feature("lump");
  PDTfeat* note = Feature("note");
  EXPECT_NE(lump->get_body(), nullptr);
  EXPECT_EQ(lump->get_sign(), PDT_SIGN_MANIPULATION);
  EXPECT_EQ(note->get_body(), nullptr);
  EXPECT_EQ(note->get_sign(), PDT_SIGN_ATTRIBUTE);
  EXPECT_TRUE(PVMIsAttrFeat(lump));
  EXPECT_FALSE(PVMIsOnlyAttrFeat(lump));
  EXPECT_TRUE(PVMIsOnlyAttrFeat(note));
  EXPECT_FALSE(PVMIsAttrFeat(Feature("slab")));
}

TEST_F(FeatureNodes, ANewNodeIsARootAndStandsForItsInstance) {
  PDTfeat* slab = Feature("slab");
  ASSERT_NE(slab->feature(), nullptr);
  EXPECT_STREQ(slab->get_name(), "slab_@1");
  EXPECT_STREQ(slab->feature()->get_name(), "slab_@1");
  EXPECT_TRUE(all_nodes->contains(slab));
  EXPECT_TRUE(free_nodes->contains(slab));
  EXPECT_EQ(slab->get_sign(), PDT_SIGN_POSITIVE);
  EXPECT_NEAR(Volume(slab), 100.0 * 50 * 10, 1e-6);
  EXPECT_FALSE(slab->IsCorrupt());
  EXPECT_EQ(NodeOfRumpf(search("slab_@1.shape")), slab);
}

TEST_F(FeatureNodes, UnknownFeatureGivesACorruptNodeAndNullStatementAnEmptyOne) {
  auto* unknown = new PDTfeat("no_such_feature", "label", nullptr);
  EXPECT_TRUE(unknown->IsCorrupt());
  EXPECT_EQ(unknown->get_sign(), PDT_SIGN_UNKNOWN);
  EXPECT_TRUE(all_nodes->contains(unknown));
  auto* empty = new PDTfeat(static_cast<const char*>(nullptr), "empty", nullptr);
  EXPECT_FALSE(all_nodes->contains(empty));
  EXPECT_FALSE(free_nodes->contains(empty));
  delete empty;
}

TEST_F(FeatureNodes, OccupyRefusesNodesOutsideTheRoots) {
  PDTfeat* a = Feature("slab");
  PDTfeat* b = Feature("slab");
  PDTfeat* parent = Feature("note");
  EXPECT_EQ(a->occupy(nullptr), 0);
  EXPECT_EQ(a->get_parent(), nullptr);

  free_nodes->remove(b);
  EXPECT_EQ(b->occupy(parent), 2);
  EXPECT_EQ(b->get_parent(), nullptr);
  EXPECT_FALSE(free_nodes->contains(b));

  EXPECT_EQ(a->occupy(parent), 0);
  EXPECT_EQ(a->get_parent(), parent);
  EXPECT_FALSE(free_nodes->contains(a));
  EXPECT_EQ(a->occupy(b), 1);
  EXPECT_EQ(a->get_parent(), parent);
  EXPECT_EQ(a->top(), parent);
  a->change_occupy(nullptr);
  EXPECT_TRUE(free_nodes->contains(a));
}

TEST_F(FeatureNodes, RenamedInstanceRenamesItsNode) {
  PDTfeat* slab = Feature("slab");
  ASSERT_EQ(slab->feature()->set_name("base_plate_@7"), 1);
  EXPECT_STREQ(slab->get_name(), "base_plate_@7");
  EXPECT_EQ(all_nodes->findByName("base_plate_@7"), slab);
  EXPECT_EQ(all_nodes->findByName("slab_@1"), nullptr);
}

TEST_F(FeatureNodes, DeletedInstanceLeavesItsNodeCorrupt) {
  PDTfeat* slab = Feature("slab");
  delete slab->feature();
  EXPECT_EQ(slab->feature(), nullptr);
  EXPECT_TRUE(slab->IsCorrupt());
  EXPECT_EQ(slab->refresh(0), 1);
}

TEST_F(FeatureNodes, RefreshRebuildsTheInstanceUnderItsName) {
  PDTfeat* slab = Feature("slab");
  rumpf* before = slab->feature();
  ASSERT_EQ(slab->refresh(0), 1);
  EXPECT_NE(slab->feature(), nullptr);
  EXPECT_NE(slab->feature(), before);
  EXPECT_STREQ(slab->feature()->get_name(), "slab_@1");
  EXPECT_EQ(slab->get_sign(), PDT_SIGN_POSITIVE);
  EXPECT_NEAR(Volume(slab), 50000, 1e-6);
}

TEST_F(FeatureNodes, CopyMakesANewInstanceWithTheSameValues) {
  PDTfeat* slab = Feature("slab", {"width=40"});
  PDTnode* twin = copy(slab);
  ASSERT_NE(twin, nullptr);
  EXPECT_STRNE(twin->get_name(), slab->get_name());
  EXPECT_TRUE(free_nodes->contains(twin));
  EXPECT_NEAR(Volume(twin), 40.0 * 50 * 10, 1e-6);
  EXPECT_STRNE(twin->get_id(), slab->get_id());
}

TEST_F(FeatureNodes, UsedInstancesAreTheRootObjectsInTreeOrder) {
  Feature("slab");
  Feature("bore");
  VALUE_LIST<PVMStrg> names;
  ASSERT_NE(GetLibraryUsedInstancesProvider(), nullptr);
  EXPECT_EQ(GetLibraryUsedInstancesProvider()(&names), 2);
  ASSERT_EQ(names.count(), 2);
  EXPECT_STREQ(names[0], "slab_@1");
  EXPECT_STREQ(names[1], "bore_@2");
}

TEST_F(FeatureNodes, RecordsRoundTrip) {
  PDTfeat* slab = Feature("slab");
  PDTfeat* bore = Feature("bore");
  auto* comb = static_cast<PDTcomb*>(connect(slab, bore, 0));
  ASSERT_NE(comb, nullptr);
  SPAtransf shift = fmtranslate(1, 2, 3);
  slab->SetSilentTrans(&shift);

  PVFSStream written;
  slab->Store(written);
  comb->Store(written);
  std::string text = written.GetpStr();
  EXPECT_NE(text.find("Type_: PDTfeat\nRevision_: 100\nElement_: slab_@1\n"), std::string::npos);
  EXPECT_NE(text.find("Parent_: PDTcomb_@"), std::string::npos);
  EXPECT_NE(text.find("Element:_ slab_@1\n"), std::string::npos);
  EXPECT_NE(
      text.find("Operator1_: slab_@1\nOperator2_: bore_@2\nCombConstraint_: 0\nCombType_: 2\n"),
      std::string::npos);

  // Read back into fresh nodes, after the originals' names are free again.
  std::string comb_name = comb->get_name();
  comb->Unhook();
  PVFSStream reading(text.c_str());
  PVMStrg word;
  reading >> word >> word;  // "Type_:" "PDTfeat"
  PDTfeat restored_slab;
  ASSERT_FALSE(restored_slab.Restore(reading, 0));
  EXPECT_STREQ(restored_slab.get_name(), "slab_@1");
  EXPECT_EQ(restored_slab.feature(), slab->feature());
  EXPECT_TRUE(restored_slab.eHasSilentTrans());
  EXPECT_NEAR(restored_slab.GetSilentTrans().translation().y(), 2.0, 1e-12);

  reading >> word >> word;  // "Type_:" "PDTcomb"
  PDTcomb restored(1);
  ASSERT_FALSE(restored.Restore(reading, 0));
  EXPECT_EQ(restored.get_op1(), slab);
  EXPECT_EQ(restored.get_op2(), bore);
  EXPECT_EQ(restored.get_comb_type(), PDT_COMB_SUBTRACTION);
  restored.ReleaseOperands();
}

TEST_F(FeatureNodes, TruncatedRecordIsRefused) {
  PVFSStream reading("Revision_: 100\nElement_: x_@1\nNodeId_:");
  PDTfeat node;
  EXPECT_TRUE(node.Restore(reading, 0));
}

}  // namespace
