// The node containers and the start and end of the tree: positions and names in all_nodes,
// lookups by qualified name, and PDTdelete leaving nothing behind.
#include <varnex/library/para_feature.h>

#include <random>
#include <set>
#include <vector>

#include "tree_test_support.h"

namespace {

using varnex::test::SignedNode;
using varnex::test::TreeSession;

class NodeContainers : public TreeSession {};

TEST_F(NodeContainers, RenameKeepsThePositionAndMovesTheName) {
  auto* a = new SignedNode("a_@1", 1);
  auto* b = new SignedNode("b_@2", 1);
  auto* c = new SignedNode("c_@3", 1);
  ASSERT_EQ(all_nodes->lookup(b), 1);
  EXPECT_TRUE(b->set_name("renamed_@9"));
  EXPECT_EQ(all_nodes->lookup(b), 1);
  EXPECT_EQ((*all_nodes)[1], b);
  EXPECT_EQ(all_nodes->findByName("renamed_@9"), b);
  EXPECT_EQ(all_nodes->findByName("b_@2"), nullptr);
  EXPECT_FALSE(b->set_name("c_@3")) << "a name another node has";
  EXPECT_STREQ(b->get_name(), "renamed_@9");
  EXPECT_EQ(all_nodes->findByName("c_@3"), c);
  EXPECT_EQ(all_nodes->lookup(a), 0);
  EXPECT_EQ(all_nodes->lookup(c), 2);
}

TEST_F(NodeContainers, InsertRemoveAndLookupAgree) {
  std::vector<PDTnode*> nodes;
  for (int i = 0; i < 6; ++i) {
    nodes.push_back(new SignedNode(("n_@" + std::to_string(i)).c_str(), 1));
  }
  EXPECT_TRUE(all_nodes->insert(nodes[5], 0));  // moved to the front
  EXPECT_TRUE(all_nodes->remove(2));            // was nodes[1]
  EXPECT_FALSE(all_nodes->remove(99));
  EXPECT_FALSE(all_nodes->add(nodes[0])) << "already a member";
  std::vector<PDTnode*> expected = {nodes[5], nodes[0], nodes[2], nodes[3], nodes[4]};
  ASSERT_EQ(all_nodes->size(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ((*all_nodes)[i], expected[i]) << i;
    EXPECT_EQ(all_nodes->lookup(expected[i]), i) << i;
  }
  EXPECT_EQ(all_nodes->lookup(nodes[1]), -1);
  EXPECT_EQ(all_nodes->findByName("n_@1"), nullptr);
  std::unique_ptr<PDTnodes> duplicate(all_nodes->copy());
  EXPECT_EQ(duplicate->lookup(nodes[4]), 4);
  std::vector<PDTnode*> backwards(all_nodes->rbegin(), all_nodes->rend());
  EXPECT_EQ(backwards.front(), nodes[4]);
  all_nodes->add(nodes[1]);
}

// Random adds, removes and renames, short and long names, checked against a plain map after
// every step: the indices never lose or misplace a node.
TEST_F(NodeContainers, IndicesAgreeWithTheSequenceThroughRandomEdits) {
  std::mt19937 random(7);
  std::vector<PDTnode*> live;
  int made = 0;
  std::vector<std::string> given;
  auto name_for = [&random, &given](int n) {
    std::string name = "n_@" + std::to_string(n);
    given.push_back(random() % 3 == 0 ? name + "_with_a_name_longer_than_a_slot" : name);
    return given.back();
  };
  for (int step = 0; step < 3000; ++step) {
    int action = static_cast<int>(random() % 4);
    if (action <= 1 || live.empty()) {
      auto* node = new SignedNode(name_for(++made).c_str(), 1);
      if (action == 1 && !live.empty()) {
        all_nodes->insert(node, static_cast<int>(random() % all_nodes->size()));
      }
      live.push_back(node);
    } else if (action == 2) {
      std::size_t victim = random() % live.size();
      delete live[victim];
      live.erase(live.begin() + static_cast<long>(victim));
    } else {
      PDTnode* node = live[random() % live.size()];
      ASSERT_TRUE(node->set_name(name_for(++made).c_str()));
    }
  }
  ASSERT_EQ(all_nodes->size(), static_cast<int>(live.size()));
  for (int i = 0; i < all_nodes->size(); ++i) {
    PDTnode* node = (*all_nodes)[i];
    ASSERT_EQ(all_nodes->lookup(node), i);
    ASSERT_EQ(all_nodes->findByName(node->get_name()), node) << node->get_name();
  }
  std::set<std::string> held;
  for (PDTnode* node : live) {
    held.insert(node->get_name());
  }
  for (const std::string& name : given) {
    if (held.count(name) == 0) {
      ASSERT_EQ(all_nodes->findByName(name.c_str()), nullptr) << "stale entry " << name;
    }
  }
}

TEST_F(NodeContainers, NodeOfNameNeedsAnInstanceName) {
  auto* plain = new SignedNode("plain", 1);
  auto* instance = new SignedNode("box_@4", 1);
  EXPECT_EQ(all_nodes->findByName("plain"), plain);
  EXPECT_EQ(NodeOfName(PVMStrg("plain")), nullptr);
  EXPECT_EQ(NodeOfName(PVMStrg("box_@4")), instance);
  EXPECT_EQ(NodeOfName(PVMStrg("box_@4.length")), instance);
  EXPECT_EQ(NodeOfName(PVMStrg("box_@5.length")), nullptr);
}

TEST_F(NodeContainers, DepthAndWidth) {
  auto* a = new SignedNode("a_@1", 1);
  auto* b = new SignedNode("b_@2", 1);
  auto* c = new SignedNode("c_@3", 1);
  auto* ab = new PDTcomb(0);
  ab->set_op1(a);
  ab->set_op2(b);
  auto* abc = new PDTcomb(0);
  abc->set_op1(ab);
  abc->set_op2(c);
  auto* lonely = new PDTcomb(0);
  struct Row {
    PDTnode* node;
    int depth, width, node_width;
  } rows[] = {{a, 1, 1, 1}, {ab, 2, 2, 2}, {abc, 3, 3, 2}, {lonely, 1, 1, 2}};
  for (const Row& row : rows) {
    EXPECT_EQ(PDTdepth(row.node), row.depth) << row.node->get_name();
    EXPECT_EQ(PDTwidth(row.node), row.width) << row.node->get_name();
    EXPECT_EQ(PDTnode_width(row.node), row.node_width) << row.node->get_name();
  }
  GENERIC_LIST<PDTnode> post_order;
  EXPECT_EQ(abc->GetAllNodes(&post_order), 5);
  std::vector<PDTnode*> expected = {a, b, ab, c, abc};
  ASSERT_EQ(post_order.count(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(post_order[i], expected[i]) << i;
  }
  EXPECT_EQ(a->top(), abc);
  EXPECT_FALSE(free_nodes->contains(ab));
  EXPECT_TRUE(free_nodes->contains(abc));
}

// A context that checks, for every lost node, that its neighbours are still alive.
class WatchingContext : public PVFParaFeature {
 public:
  std::set<PDTnode*> alive;
  int lost = 0;
  int dangling = 0;
  void NodeCreate(PDTnode* node) override { alive.insert(node); }
  void CombNodeCreate(PDTnode* node) override { alive.insert(node); }
  void NodeLost(PDTnode* node) override {
    ++lost;
    if (node->get_parent() != nullptr && alive.count(node->get_parent()) == 0) {
      ++dangling;
    }
    alive.erase(node);
  }
  // Sent while the node is still a combination (NodeLost comes from the base destructor).
  void CombNodeLost(PDTnode* node, XBOOL) override {
    auto* comb = static_cast<PDTcomb*>(node);
    for (PDTnode* operand : {comb->get_op1(), comb->get_op2()}) {
      dangling += operand != nullptr && alive.count(operand) == 0 ? 1 : 0;
    }
  }
};

class TreeLifecycle : public TreeSession {};

TEST_F(TreeLifecycle, DeleteLeavesNoNodeOperandOrBodyBehind) {
  auto* context = new WatchingContext();
  PVFParaFeature::Install(context);
  std::size_t operands = aritm::AritmCount();
  PDTnode* plate = Feature("slab");
  std::vector<std::string> combinations;
  for (int i = 0; i < 3; ++i) {
    std::string x = "x=" + std::to_string(-30 + 30 * i);
    plate = connect(plate, Feature("bore", {x.c_str()}), 0);
    ASSERT_NE(plate, nullptr);
    combinations.push_back(plate->get_name());
  }
  Feature("note");
  ASSERT_EQ(all_nodes->size(), 8);
  EXPECT_EQ(context->alive.size(), 8u);

  EXPECT_EQ(PDTdelete(), 0);
  EXPECT_EQ(all_nodes->size(), 0);
  EXPECT_EQ(free_nodes->count(), 0);
  EXPECT_EQ(context->lost, 8);
  EXPECT_EQ(context->dangling, 0) << "a lost node saw a destroyed neighbour";
  EXPECT_TRUE(context->alive.empty());
  for (const std::string& name : combinations) {
    EXPECT_EQ(search(name.c_str()), nullptr) << "the combinations' geometry went with them";
  }
  EXPECT_EQ(aritm::AritmCount(), operands);

  deinitialize_modeller();
  gmod_del_all();
  EXPECT_EQ(PVFLiveBodyCount(), 0);
  EXPECT_EQ(all_nodes, nullptr);
  EXPECT_EQ(free_nodes, nullptr);
  PVFParaFeature::Destroy();
  initialize_modeller("again");
  EXPECT_NE(all_nodes, nullptr);
  EXPECT_EQ(all_nodes->size(), 0);
}

TEST_F(TreeLifecycle, DeinitializeBeforeDeletingTheModelKeepsNodesValid) {
  auto* context = new WatchingContext();
  PVFParaFeature::Install(context);
  connect(Feature("slab"), Feature("bore"), 0);
  deinitialize_modeller();  // the nodes go first, then their objects
  EXPECT_EQ(context->lost, 3);
  EXPECT_EQ(context->dangling, 0);
  PVFParaFeature::Destroy();
  initialize_modeller("again");
}

TEST_F(TreeLifecycle, PDTdeleteWithoutContainersAnswersOne) {
  PDTnodes* nodes = std::exchange(all_nodes, nullptr);
  EXPECT_EQ(PDTdelete(), 1);
  all_nodes = nodes;
}

// Warnings of the base get_childs reach the host's handler.
class RecordingHandler : public PVFHandleMessage {
 public:
  std::vector<std::string> warnings;
  void Warning(const char*, const char* text) override { warnings.emplace_back(text); }
};

TEST_F(TreeLifecycle, BaseGetChildsWarnsThroughTheHandler) {
  RecordingHandler handler;
  PVFHandleMessage* previous = std::exchange(pPVFHandleMessage, &handler);
  auto* parent = new SignedNode("parent_@1", 1);
  auto* child = new SignedNode("child_@2", 1);
  child->occupy(parent);
  std::unique_ptr<void_list> children(parent->PDTnode::get_childs());
  pPVFHandleMessage = previous;
  ASSERT_EQ(handler.warnings.size(), 1u);
  EXPECT_NE(handler.warnings[0].find("PDTfeat::parent_@1"), std::string::npos);
  ASSERT_EQ(children->count(), 1);
  EXPECT_EQ((*children)[0], child);
}

}  // namespace
