// Combination nodes: the type and sign tables, the combined solid, and joining, separating and
// deleting nodes.
#include "geometry/kernel_faults.h"
#include "tree_test_support.h"

namespace {

using varnex::test::kPi;
using varnex::test::SignedNode;
using varnex::test::TreeSession;

class CombinationTables : public TreeSession {
 protected:
  // A combination over two stand-in operands of the given signs.
  PDTcomb* Combine(int s1, int s2) {
    std::string n1 = "op_@" + std::to_string(++made_);
    std::string n2 = "op_@" + std::to_string(++made_);
    auto* comb = new PDTcomb(0);
    comb->set_op1(new SignedNode(n1.c_str(), s1));
    comb->set_op2(new SignedNode(n2.c_str(), s2));
    return comb;
  }

 private:
  int made_ = 0;
};

// Rows: sign of operand 1 (0..7); columns: sign of operand 2 (0..7).
constexpr int kTypes[8][8] = {
    /*0*/ {0, 0, 0, 0, 0, 0, 0, 0},
    /*1*/ {0, 1, 2, 4, 5, 6, 7, 0},
    /*2*/ {0, 2, 1, 4, 5, 6, 7, 0},
    /*3*/ {0, 4, 4, 4, 0, 0, 7, 0},
    /*4*/ {0, 5, 5, 0, 0, 0, 7, 0},
    /*5*/ {0, 6, 6, 0, 0, 0, 7, 0},
    /*6*/ {0, 7, 7, 7, 7, 7, 7, 0},
    /*7*/ {0, 0, 0, 0, 0, 0, 0, 0},
};

// Signs of a combination of two present operands without constraint (negations without an
// enumeration keep the sign they meet).
constexpr int kSigns[8][8] = {
    /*0*/ {0, 0, 0, 0, 0, 0, 0, 0},
    /*1*/ {1, 1, 1, 1, 1, 1, 1, 1},
    /*2*/ {2, 1, 2, 2, 2, 2, 2, 2},
    /*3*/ {0, 1, 2, 3, 0, 0, 3, 0},
    /*4*/ {0, 1, 2, 0, 0, 0, 4, 0},
    /*5*/ {0, 1, 2, 0, 0, 0, 5, 0},
    /*6*/ {0, 1, 2, 3, 4, 5, 6, 7},
    /*7*/ {0, 0, 0, 0, 0, 0, 0, 0},
};

TEST_F(CombinationTables, TypeOfEverySignPair) {
  for (int s1 = 0; s1 < 8; ++s1) {
    for (int s2 = 0; s2 < 8; ++s2) {
      EXPECT_EQ(PDTCombinationTypeOfSigns(s1, s2), kTypes[s1][s2]) << s1 << "," << s2;
      PDTcomb* comb = Combine(s1, s2);
      EXPECT_EQ(comb->get_comb_type(), kTypes[s1][s2]) << s1 << "," << s2;
    }
  }
}

TEST_F(CombinationTables, SignOfEverySignPair) {
  for (int s1 = 0; s1 < 8; ++s1) {
    for (int s2 = 0; s2 < 8; ++s2) {
      EXPECT_EQ(Combine(s1, s2)->get_sign(), kSigns[s1][s2]) << s1 << "," << s2;
    }
  }
}

TEST_F(CombinationTables, MissingOperandAddsTheSigns) {
  auto* comb = new PDTcomb(0);
  comb->set_op1(new SignedNode("alone_@1", 2));
  EXPECT_EQ(comb->get_sign(), 2);
  EXPECT_EQ(comb->get_comb_type(), PDT_COMB_NONE);
}

TEST_F(CombinationTables, ConstraintForcesTheSign) {
  PDTcomb* comb = Combine(2, 2);
  comb->set_sign(1);
  EXPECT_EQ(comb->get_sign(), 1);
}

TEST_F(CombinationTables, StoredFixedTransformationTypeStays) {
  PDTcomb* comb = Combine(1, 2);
  comb->set_comb_type(PDT_COMB_FIXED_TRANSFORM);
  comb->correct_comb_type();
  EXPECT_EQ(comb->get_comb_type(), PDT_COMB_FIXED_TRANSFORM);
  comb->set_op2(new SignedNode("other_@99", 6));
  EXPECT_EQ(comb->get_comb_type(), PDT_COMB_FIXED_TRANSFORM);
}

TEST_F(CombinationTables, OperandChangesRecomputeUpTheTree) {
  PDTcomb* lower = Combine(1, 1);
  auto* upper = new PDTcomb(0);
  upper->set_op1(lower);
  upper->set_op2(new SignedNode("top_@1", 2));
  EXPECT_EQ(upper->get_comb_type(), PDT_COMB_SUBTRACTION);
  auto* negative = new SignedNode("neg_@1", 2);
  ASSERT_TRUE(lower->ChangeOperand(lower->get_op1(), negative));
  EXPECT_EQ(lower->get_comb_type(), PDT_COMB_SUBTRACTION);
  EXPECT_EQ(upper->get_comb_type(), PDT_COMB_SUBTRACTION) << "negative - positive is positive";
  ASSERT_TRUE(lower->ChangeOperand(lower->get_op2(), new SignedNode("neg_@2", 2)));
  EXPECT_EQ(lower->get_comb_type(), PDT_COMB_UNION);
  EXPECT_EQ(upper->get_comb_type(), PDT_COMB_UNION) << "(negative) with negative";
  EXPECT_FALSE(lower->ChangeOperand(upper, negative));
  EXPECT_EQ(lower->OtherOperand(negative), lower->get_op2());
  EXPECT_EQ(lower->OtherOperand(upper), nullptr);
}

class Combinations : public TreeSession {};

TEST_F(Combinations, NodeWithItselfKeepsOnlyOperandOne) {
  PDTfeat* slab = Feature("slab");
  auto* comb = new PDTcomb(slab, slab, 0, "", nullptr);
  EXPECT_EQ(comb->get_comb_type(), PDT_COMB_IDENTICAL);
  EXPECT_EQ(comb->get_op1(), slab);
  EXPECT_EQ(comb->get_op2(), nullptr);
  EXPECT_EQ(slab->get_parent(), comb);
  EXPECT_NEAR(Volume(comb), 50000, 1e-6);
}

TEST_F(Combinations, PlateMinusCylinder) {
  PDTfeat* slab = Feature("slab");
  PDTfeat* bore = Feature("bore", {"x=10", "radius=4"});
  ASSERT_EQ(bore->get_sign(), PDT_SIGN_NEGATIVE);
  PDTnode* comb = connect(bore, slab, 0);  // the negative operand first: still plate - cylinder
  ASSERT_NE(comb, nullptr);
  EXPECT_EQ(static_cast<PDTcomb*>(comb)->get_comb_type(), PDT_COMB_SUBTRACTION);
  EXPECT_EQ(comb->get_sign(), PDT_SIGN_POSITIVE);
  EXPECT_NEAR(Volume(comb), 100.0 * 50 * 10 - kPi * 16 * 10, 1e-3);
  EXPECT_FALSE(free_nodes->contains(slab));
  EXPECT_FALSE(free_nodes->contains(bore));
  EXPECT_TRUE(free_nodes->contains(comb));
  EXPECT_EQ(all_nodes->lookup(comb), 2) << "after its operands";
  ASSERT_NE(comb->get_geometry(), nullptr);
  EXPECT_STREQ(comb->get_geometry()->get_name(), comb->get_name());
  EXPECT_STREQ(comb->get_geometry()->get_alias_type(), "geometric");
  EXPECT_EQ(comb->refresh(0), 0) << "refreshing recombines the current bodies";
}

TEST_F(Combinations, SolidsApartAreJoinedAsLumps) {
  PDTfeat* a = Feature("slab");
  PDTnode* moved = Feature("lump", {"size=4"});
  PDTnode* lumps = connect(a, moved, PDT_COMB_UNION);
  ASSERT_NE(lumps, nullptr);
  EXPECT_NEAR(Volume(lumps), 50000, 1e-3) << "the lump lies inside the slab: fused";
}

TEST_F(Combinations, NegationToggleTurnsPositiveIntoNegative) {
  PDTfeat* slab = Feature("slab");
  PDTfeat* toggle = Feature("toggle");
  ASSERT_EQ(toggle->get_sign(), PDT_SIGN_NEGATION);
  EXPECT_EQ(PDTcomb::get_negation_sign(toggle, 1), 2);
  EXPECT_EQ(PDTcomb::get_negation_sign(toggle, 2), 1);
  auto* comb = static_cast<PDTcomb*>(connect(slab, toggle, 0));
  ASSERT_NE(comb, nullptr);
  EXPECT_EQ(comb->get_comb_type(), PDT_COMB_NEGATION);
  EXPECT_EQ(comb->get_sign(), PDT_SIGN_NEGATIVE);
  struct Row {
    const char* action;
    int from_positive, from_negative;
  } rows[] = {{"SetPositive", 1, 1}, {"SetNegative", 2, 2}, {"NoAction", 1, 2}};
  for (const Row& row : rows) {
    std::string assignment = std::string("action='") + row.action + "'";
    PDTfeat* node = Feature("toggle", {assignment.c_str()});
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(PDTcomb::get_negation_sign(node, 1), row.from_positive) << row.action;
    EXPECT_EQ(PDTcomb::get_negation_sign(node, 2), row.from_negative) << row.action;
  }
}

TEST_F(Combinations, TransformationMovesTheSolid) {
  PDTfeat* slab = Feature("slab");
  auto* shift = new PDTtrans("shift", "shift", nullptr);
  ASSERT_NE(shift->replacement(), nullptr);
  EXPECT_EQ(shift->get_sign(), PDT_SIGN_TRANSFORMATION);
  std::unique_ptr<aritm> value(shift->get_rep_aritm());
  ASSERT_NE(value, nullptr);
  ASSERT_NE(value->get_transf(), nullptr);
  auto* comb = static_cast<PDTcomb*>(connect(shift, slab, 0));  // transformation first
  ASSERT_NE(comb, nullptr);
  EXPECT_EQ(comb->get_comb_type(), PDT_COMB_TRANSFORM);
  EXPECT_EQ(comb->get_sign(), PDT_SIGN_POSITIVE);
  ASSERT_NE(comb->get_body(), nullptr);
  SPAposition low, high;
  ASSERT_TRUE(api_get_entity_box(comb->get_body(), low, high).ok());
  EXPECT_NEAR(low.x(), 150.0, 1e-6);
  EXPECT_NEAR(high.x(), 250.0, 1e-6);
  EXPECT_NEAR(Volume(comb), 50000, 1e-6);
  EXPECT_EQ(shift->refresh(0), 1);
  EXPECT_NE(shift->replacement(), nullptr);
}

TEST_F(Combinations, FailedBooleanLeavesBothOperandsWhole) {
  PDTfeat* slab = Feature("slab");
  PDTfeat* bore = Feature("bore");
  int nodes = all_nodes->size();
  ArmKernelFault(1);
  PDTnode* comb = connect(slab, bore, 0);
  ArmKernelFault(0);
  EXPECT_EQ(comb, nullptr);
  EXPECT_EQ(all_nodes->size(), nodes);
  for (PDTfeat* node : {slab, bore}) {
    EXPECT_EQ(node->get_parent(), nullptr);
    EXPECT_TRUE(free_nodes->contains(node));
    EXPECT_NE(node->feature(), nullptr);
  }
  EXPECT_NEAR(Volume(slab), 50000, 1e-6);
  EXPECT_NEAR(Volume(bore), kPi * 25 * 100, 1e-3);
  // And the pair still combines afterwards.
  PDTnode* retried = connect(slab, bore, 0);
  ASSERT_NE(retried, nullptr);
  EXPECT_NEAR(Volume(retried), 50000 - kPi * 25 * 10, 1e-3);
}

TEST_F(Combinations, UnhookReleasesBothOperands) {
  PDTfeat* slab = Feature("slab");
  PDTfeat* bore = Feature("bore");
  auto* comb = static_cast<PDTcomb*>(connect(slab, bore, 0));
  comb->Unhook();
  EXPECT_EQ(comb->get_op1(), nullptr);
  EXPECT_EQ(comb->get_op2(), nullptr);
  for (PDTnode* node : std::initializer_list<PDTnode*>{slab, bore, comb}) {
    EXPECT_EQ(node->get_parent(), nullptr);
    EXPECT_TRUE(free_nodes->contains(node));
  }
}

TEST_F(Combinations, UnhookOfASingleOperandCombinationLetsTheOperandTakeItsPlace) {
  auto* a = new SignedNode("a_@1", 1);
  auto* b = new SignedNode("b_@2", 2);
  auto* c = new SignedNode("c_@3", 2);
  auto* lower = new PDTcomb(0);
  lower->set_op1(a);
  auto* upper = new PDTcomb(0);
  upper->set_op1(lower);
  upper->set_op2(b);
  lower->Unhook();
  EXPECT_EQ(upper->get_op1(), a);
  EXPECT_EQ(a->get_parent(), upper);
  EXPECT_EQ(lower->get_parent(), nullptr);
  EXPECT_TRUE(free_nodes->contains(lower));
  EXPECT_EQ(upper->get_comb_type(), PDT_COMB_SUBTRACTION);

  // A leaf that unhooks leaves its parent's slot empty.
  b->Unhook();
  EXPECT_EQ(upper->get_op2(), nullptr);
  EXPECT_TRUE(free_nodes->contains(b));
  EXPECT_EQ(make_connection(nullptr), nullptr);
  void_list pieces;
  pieces.add(c);
  pieces.add(upper);
  EXPECT_EQ(make_connection(&pieces), upper) << "the combination with one empty slot";
  EXPECT_EQ(upper->get_op2(), c);
}

TEST_F(Combinations, DeleteNodeReleasesOperandsAndFormulas) {
  PDTfeat* slab = Feature("slab");
  PDTfeat* bore = Feature("bore");
  rumpf* radius = search("bore_@2.radius");
  ASSERT_NE(radius, nullptr);
  PVMStrg formula("slab_@1.height / 2;"), result;
  ASSERT_NE(radius->SetValue(formula, result), nullptr) << result.GetpStr();
  ASSERT_NE(radius->get_value_source(), nullptr);
  PDTnode* comb = connect(slab, bore, 0);
  ASSERT_NE(comb, nullptr);
  EXPECT_EQ(delete_node(comb), 0);
  EXPECT_TRUE(free_nodes->contains(slab));
  EXPECT_TRUE(free_nodes->contains(bore));
  EXPECT_EQ(delete_node(slab), 0);
  EXPECT_EQ(radius->get_value_source(), nullptr) << "the formula named the deleted node";
  EXPECT_EQ(all_nodes->size(), 1);
  EXPECT_EQ(delete_node(nullptr), -1);
}

TEST_F(Combinations, ConnectListFoldsFromTheLeft) {
  PDTnode* slab = Feature("slab");
  void_list bores;
  for (const char* x : {"x=-30", "x=0", "x=30"}) {
    bores.add(Feature("bore", {x}));
  }
  PDTnode* result = connect_list(slab, &bores);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(bores.count(), 0);
  EXPECT_EQ(PDTdepth(result), 4);
  EXPECT_NEAR(Volume(result), 50000 - 3 * kPi * 25 * 10, 1e-3);
  void_list none;
  EXPECT_EQ(connect_list(result, &none), result);
}

TEST_F(Combinations, DeepCopyOfACombination) {
  PDTnode* comb = connect(Feature("slab"), Feature("bore"), 0);
  PDTnode* twin = copy(comb);
  ASSERT_NE(twin, nullptr);
  EXPECT_TRUE(twin->IsTypeOf("PDTcomb"));
  auto* pair = static_cast<PDTcomb*>(twin);
  EXPECT_NE(pair->get_op1(), static_cast<PDTcomb*>(comb)->get_op1());
  EXPECT_EQ(pair->get_comb_type(), PDT_COMB_SUBTRACTION);
  EXPECT_NEAR(Volume(twin), Volume(comb), 1e-3);
}

TEST_F(Combinations, CopiedFormulasNameTheCopies) {
  PDTfeat* slab = Feature("slab");
  PDTfeat* bore = Feature("bore");
  PVMStrg formula("slab_@1.height / 2;"), result;
  ASSERT_NE(search("bore_@2.radius")->SetValue(formula, result), nullptr) << result.GetpStr();
  PDTnode* comb = connect(slab, bore, 0);
  ASSERT_NE(comb, nullptr);
  auto* twin = static_cast<PDTcomb*>(copy(comb));
  ASSERT_NE(twin, nullptr);
  std::string copied_slab = twin->get_op1()->get_name();
  std::string copied_bore = twin->get_op2()->get_name();
  EXPECT_GT(copy_references(comb, twin), 0);
  rumpf* radius = search((copied_bore + ".radius").c_str());
  ASSERT_NE(radius, nullptr);
  ASSERT_NE(radius->get_value_source(), nullptr);
  EXPECT_EQ(std::string(radius->get_value_source()).find(copied_slab + ".height"), 0u)
      << radius->get_value_source();
  EXPECT_EQ(copy_references(nullptr, twin), -1);
}

}  // namespace
