// Ordering all_nodes: references before referrers, operands before combinations, and the
// checks, repairs and moves that keep that order.
#include <varnex/tree/ordering.h>

#include <string>
#include <vector>

#include "tree_test_support.h"

namespace {

using varnex::test::TreeSession;

std::vector<PDTnode*> AllNodesNow() {
  return std::vector<PDTnode*>(all_nodes->begin(), all_nodes->end());
}

const char* Set(const std::string& name, const std::string& value, PVMStrg& result) {
  PVMStrg n(name.c_str()), v(value.c_str());
  return SetValue(n, v, result);
}

class Ordering : public TreeSession {
 protected:
  // `count` link nodes, each value naming the previous one.
  std::vector<PDTnode*> Chain(int count) {
    std::vector<PDTnode*> nodes;
    for (int i = 0; i < count; ++i) {
      nodes.push_back(Feature("link"));
    }
    PVMStrg result;
    for (int i = 1; i < count; ++i) {
      std::string formula = std::string(nodes[i - 1]->get_name()) + ".value + 1";
      EXPECT_NE(Set(std::string(nodes[i]->get_name()) + ".value", formula, result), nullptr)
          << result.GetpStr();
    }
    return nodes;
  }
};

TEST_F(Ordering, OrderedTreeStaysUntouched) {
  std::vector<PDTnode*> chain = Chain(5);
  PDTnode* comb = connect(Feature("slab"), Feature("bore"), 0);
  ASSERT_NE(comb, nullptr);
  std::vector<PDTnode*> before = AllNodesNow();
  EXPECT_EQ(SortAllNodes(), 0);
  EXPECT_EQ(AllNodesNow(), before);
  EXPECT_EQ(SortFastAllNodes(), 0);
  EXPECT_EQ(AllNodesNow(), before);
  PVFPdtOrder order(nullptr);
  EXPECT_TRUE(order.IsConsistentOrder());
}

TEST_F(Ordering, ReferencesAndOperandsComeFirst) {
  std::vector<PDTnode*> chain = Chain(4);
  PDTnode* comb = connect(Feature("slab"), Feature("bore"), 0);
  // Scramble: the last link first, the combination before its operands.
  all_nodes->insert(chain[3], 0);
  all_nodes->insert(comb, 1);
  PVFPdtOrder order(nullptr);
  EXPECT_FALSE(order.IsConsistentOrder());
  for (int fast = 0; fast < 2; ++fast) {
    EXPECT_EQ(fast ? SortFastAllNodes() : SortAllNodes(), 0);
    for (int i = 1; i < 4; ++i) {
      EXPECT_LT(all_nodes->lookup(chain[i - 1]), all_nodes->lookup(chain[i]));
    }
    auto* c = static_cast<PDTcomb*>(comb);
    EXPECT_LT(all_nodes->lookup(c->get_op1()), all_nodes->lookup(comb));
    EXPECT_LT(all_nodes->lookup(c->get_op2()), all_nodes->lookup(comb));
    all_nodes->insert(chain[3], 0);
  }
}

TEST_F(Ordering, CycleKeepsOperandOrderAndEndsQuickly) {
  // A long chain closed into a cycle fails at every level for every node: each attempt is
  // worked out once, so this ends at once instead of retrying level by level along the chain.
  std::vector<PDTnode*> chain = Chain(300);
  search((std::string(chain[0]->get_name()) + ".value").c_str())
      ->set_value_source((std::string(chain.back()->get_name()) + ".value + 1;").c_str());
  std::vector<PDTnode*> before = AllNodesNow();
  EXPECT_EQ(SortAllNodes(), 1);
  EXPECT_EQ(SortFastAllNodes(), 1);
  EXPECT_EQ(AllNodesNow(), before);
  PVFPdtOrder order(nullptr);
  EXPECT_EQ(order.IsSortable(), 0);
  EXPECT_EQ(order.GetGeneralTransformationCheckLevel(), 2);
  EXPECT_EQ(order.GetSpecialTransformationCheckLevel(), 2);
}

TEST_F(Ordering, LongChainInReverseSorts) {
  std::vector<PDTnode*> chain = Chain(300);
  for (PDTnode* node : chain) {
    all_nodes->insert(node, 0);
  }
  EXPECT_EQ(SortFastAllNodes(), 0);
  EXPECT_EQ(AllNodesNow(), chain);
}

TEST_F(Ordering, PostOrderOfASubtree) {
  PDTnode* a = Feature("slab");
  PDTnode* b = Feature("bore");
  PDTnode* c = Feature("bore");
  PDTnode* inner = connect(a, b, 0);
  PDTnode* outer = connect(inner, c, 0);
  GENERIC_LIST<PDTnode> out;
  out.add(b);
  EXPECT_EQ(sort_nodes(outer, &out), 5);
  std::vector<PDTnode*> order;
  for (int i = 0; i < out.count(); ++i) {
    order.push_back(out[i]);
  }
  EXPECT_EQ(order, (std::vector<PDTnode*>{b, a, inner, c, outer}));
}

TEST_F(Ordering, TransformationMovesNextToItsTargetOnlyFromFar) {
  struct Row {
    int between;  // nodes between the solid and the transformation
    bool moves;   // the combination would stand 10 or more positions after the solid
  } rows[] = {{5, false}, {7, false}, {8, true}, {12, true}};
  for (const Row& row : rows) {
    PDTdelete();
    PDTinit();
    PDTnode* slab = Feature("slab");
    for (int i = 0; i < row.between; ++i) {
      Feature("note");
    }
    auto* shift = new PDTtrans("shift", "shift", nullptr);
    ASSERT_FALSE(shift->IsCorrupt());
    // Joining them places the transformation and the combination (they move only from far).
    auto* comb = static_cast<PDTcomb*>(connect(slab, shift, 0));
    ASSERT_NE(comb, nullptr);
    int last = all_nodes->size() - 1;
    EXPECT_EQ(all_nodes->lookup(shift), row.moves ? 1 : last - 1) << row.between;
    EXPECT_EQ(all_nodes->lookup(comb), row.moves ? 2 : last) << row.between;
    // Put back at the end, the pair moves again exactly when it stands far enough.
    all_nodes->insert(shift, all_nodes->size());
    all_nodes->insert(comb, all_nodes->size());
    std::vector<PDTnode*> before = AllNodesNow();
    EXPECT_EQ(PreSortTransNodes(comb, slab), row.moves ? 2 : 0) << row.between;
    if (!row.moves) {
      EXPECT_EQ(AllNodesNow(), before);
    }
  }
}

TEST_F(Ordering, FormulaNamingItsOwnCombinationIsACycle) {
  PDTfeat* plate = Feature("slab");
  PDTnode* comb = connect(plate, Feature("bore"), 0);
  ASSERT_NE(comb, nullptr);
  PVMStrg result;
  EXPECT_EQ(Set("slab_@1.height", std::string(comb->get_name()) + ".width", result), nullptr);
  EXPECT_STREQ(result.GetpStr(), "___CYCLES IN REFERENCES___");
}

TEST_F(Ordering, ForwardReferenceResortsTheTree) {
  PDTnode* first = Feature("slab");
  PDTnode* second = Feature("slab");
  PVMStrg result;
  ASSERT_NE(Set("slab_@1.height", "slab_@2.height + 1", result), nullptr) << result.GetpStr();
  EXPECT_LT(all_nodes->lookup(second), all_nodes->lookup(first));
  EXPECT_EQ(SortIfForwardRef(PVMStrg(""), first->GetRootDataElement()), -1);
  EXPECT_EQ(SortIfForwardRef(PVMStrg("slab_@2.height"), nullptr), -1);
}

TEST_F(Ordering, OrderCheckerReportsChangeAndLevels) {
  std::vector<PDTnode*> chain = Chain(3);
  GENERIC_LIST<PDTnode> input;
  input.add(chain[2]);
  input.add(chain[0]);
  input.add(chain[1]);
  PVFPdtOrder order(&input);
  EXPECT_EQ(order.IsSortable(), 1);
  EXPECT_EQ(order.HasChanged(), 1);
  EXPECT_EQ(order.GetGeneralTransformationCheckLevel(), 2);
  GENERIC_LIST<PDTnode> found;
  EXPECT_EQ(order.GetOrder(&found), 3);
  EXPECT_EQ(found[0], chain[0]);
  EXPECT_EQ(found[2], chain[2]);
  all_nodes->insert(chain[2], 0);
  order.Update(nullptr);
  EXPECT_EQ(order.GetOrder(nullptr), 3);
  EXPECT_EQ(AllNodesNow(), chain);
}

TEST_F(Ordering, RepairsAndInspections) {
  PDTfeat* a = Feature("slab");
  PDTfeat* b = Feature("bore");
  PDTfeat* c = Feature("bore");
  auto* inner = static_cast<PDTcomb*>(connect(a, b, 0));
  auto* outer = static_cast<PDTcomb*>(connect(inner, c, 0));
  ASSERT_NE(outer, nullptr);
  inner->ChangeOperand(b, nullptr);
  int changed = 0;
  EXPECT_EQ(make_consistent(outer, &changed), outer);
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(outer->get_op1(), a);
  EXPECT_EQ(a->get_parent(), outer);
  EXPECT_FALSE(all_nodes->contains(inner));

  delete c->feature();
  GENERIC_LIST<PDTnode> corrupt;
  // The node without instance, and the combination it can no longer feed.
  EXPECT_EQ(GetCorruptNodes(&corrupt), 2);
  EXPECT_GE(corrupt.lookup(c), 0);
  EXPECT_GE(corrupt.lookup(outer), 0);

  free_nodes->remove(b);
  free_nodes->add(static_cast<void*>(&changed));
  EXPECT_EQ(Nodes_List_Consistence(), 0);
  EXPECT_TRUE(free_nodes->contains(b));
  EXPECT_FALSE(free_nodes->contains(static_cast<void*>(&changed)));
  EXPECT_EQ(CalibrateSortWithAllNodes(), 0);
}

TEST_F(Ordering, InsignificantNodesContributeNothing) {
  PDTfeat* slab = Feature("slab");
  PDTfeat* note = Feature("note");
  auto* loose = new PDTtrans("shift", "shift", nullptr);
  auto* used = new PDTtrans("shift", "shift", nullptr);
  ASSERT_NE(connect(Feature("slab"), used, 0), nullptr);
  EXPECT_TRUE(slab->IsSignificant(0));
  EXPECT_TRUE(slab->IsSignificant(2));
  EXPECT_FALSE(note->IsSignificant(2));
  EXPECT_TRUE(loose->IsSignificant(0));
  EXPECT_FALSE(loose->IsSignificant(1));
  EXPECT_TRUE(used->IsSignificant(1));
  GENERIC_LIST<PDTnode> insignificant;
  EXPECT_EQ(GetInsignificantNodes(&insignificant, 2), 2);
  EXPECT_GE(insignificant.lookup(note), 0);
  EXPECT_GE(insignificant.lookup(loose), 0);
  // A note that another feature's formula names is significant.
  PVMStrg result;
  ASSERT_NE(Set("note_@2.text", "'remark'", result), nullptr);
  PDTfeat* reader = Feature("note");
  ASSERT_NE(Set(std::string(reader->get_name()) + ".text", "note_@2.text", result), nullptr)
      << result.GetpStr();
  EXPECT_TRUE(note->IsSignificant(2));
}

}  // namespace
