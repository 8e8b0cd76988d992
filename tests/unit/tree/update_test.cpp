// Update propagation: what a change reaches, the order it is refreshed in, and what is left
// alone; the full and partial rebuilds with their questions to the host.
#include <varnex/tree/update.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tree_test_support.h"

namespace {

using varnex::test::TreeSession;

std::vector<std::string> Names(const std::vector<PDTnode*>& nodes) {
  std::vector<std::string> names;
  for (PDTnode* node : nodes) {
    names.push_back(node->get_name());
  }
  return names;
}

std::vector<PDTnode*> AllNodesNow() {
  return std::vector<PDTnode*>(all_nodes->begin(), all_nodes->end());
}

const char* Set(const char* name, const char* value, PVMStrg& result) {
  PVMStrg n(name), v(value);
  return SetValue(n, v, result);
}

std::string ValueOf(const char* name) {
  PVMStrg n(name), formula, result;
  const char* value = GetValue(n, formula, result);
  return value != nullptr ? value : "<null>";
}

// A node whose refresh the test controls: it counts refreshes, remembers the flags and runs an
// action; its memory body can be made to fail to restore.
class StubNode : public PDTnode {
 public:
  StubNode(const char* name, int result = 0)
      : PDTnode("PDTfeat", name, 0, nullptr), result_(result) {
    all_nodes->add(this);
  }
  int refresh(int first) override {
    flags.push_back(first);
    if (action) {
      action();
    }
    return result_;
  }
  int get_sign() override { return PDT_SIGN_POSITIVE; }
  XBOOL eHasMemBody() override { return has_mem_body ? TRUE : FALSE; }
  ENTITY* CopyFromMemBody() override {
    ++restores;
    // Only compared with null by the update: any non-null pointer stands for a restored body.
    return restore_ok ? reinterpret_cast<ENTITY*>(this) : nullptr;
  }
  std::vector<int> flags;
  std::function<void()> action;
  bool has_mem_body = false;
  bool restore_ok = false;
  int restores = 0;

 private:
  int result_;
};

// Records the questions the engine asks and answers them with `answer`.
class AskingHandler : public PVFHandleMessage {
 public:
  explicit AskingHandler(Answer answer) : answer_(answer), saved_(pPVFHandleMessage) {
    pPVFHandleMessage = this;
  }
  ~AskingHandler() override { pPVFHandleMessage = saved_; }
  Answer Ask(const char* key, const char* text, XBOOL) override {
    questions.push_back(std::string(key) + ": " + text);
    return answer_;
  }
  std::vector<std::string> questions;

 private:
  Answer answer_;
  PVFHandleMessage* saved_;
};

class Updates : public TreeSession {
 protected:
  static std::vector<std::string> Refreshed() { return PDTLastUpdatedNodes(); }
};

TEST_F(Updates, UnreferencedNodeRefreshesItsTreeOnly) {
  PDTfeat* plate = Feature("slab");
  PDTfeat* bore = Feature("bore");
  PDTfeat* other = Feature("slab");
  PDTnode* comb = connect(plate, bore, 0);
  ASSERT_NE(comb, nullptr);
  ENTITY* untouched = other->get_body();
  void_list tops(TRUE);
  ASSERT_EQ(update_referencing_nodes(bore, &tops), 0);
  // The combination needs both operands again; the unrelated slab stays as it was.
  EXPECT_EQ(Refreshed(), (std::vector<std::string>{"slab_@1", "bore_@2", comb->get_name()}));
  EXPECT_EQ(tops.count(), 1);
  EXPECT_EQ(tops[0], comb);
  EXPECT_EQ(other->get_body(), untouched);
  EXPECT_NEAR(Volume(comb), 100.0 * 50 * 10 - varnex::test::kPi * 25 * 10, 1e-3);
}

TEST_F(Updates, ChangedValueReachesTheNodesWhoseFormulasNameIt) {
  PDTfeat* base = Feature("slab");
  PDTfeat* follower = Feature("slab");
  PDTfeat* bystander = Feature("slab");
  PVMStrg result;
  ASSERT_NE(Set("slab_@2.height", "slab_@1.height * 2", result), nullptr) << result.GetpStr();
  ASSERT_NE(Set("slab_@1.height", "7", result), nullptr) << result.GetpStr();
  ASSERT_EQ(update_referencing_nodes(base, nullptr), 0);
  EXPECT_EQ(Refreshed(), (std::vector<std::string>{"slab_@1", "slab_@2"}));
  EXPECT_NEAR(Volume(base), 100.0 * 50 * 7, 1e-6);
  EXPECT_NEAR(Volume(follower), 100.0 * 50 * 14, 1e-6);
  EXPECT_NEAR(Volume(bystander), 100.0 * 50 * 10, 1e-6);
  // The dependency survives the refresh: a second change reaches the follower again.
  ASSERT_NE(Set("slab_@1.height", "3", result), nullptr);
  ASSERT_EQ(update_referencing_nodes(base, nullptr), 0);
  EXPECT_EQ(Refreshed(), (std::vector<std::string>{"slab_@1", "slab_@2"}));
  EXPECT_NEAR(Volume(follower), 100.0 * 50 * 6, 1e-6);
}

TEST_F(Updates, MemberNameInAFormulaIsNoNodeReference) {
  PDTfeat* a = Feature("slab");
  PDTfeat* b = Feature("slab");
  PDTfeat* named_like_member = Feature("slab");
  ASSERT_EQ(named_like_member->feature()->set_name("height"), 1);
  PVMStrg result;
  ASSERT_NE(Set("slab_@2.width", "slab_@1.height * 2", result), nullptr) << result.GetpStr();
  for (int level = 0; level <= 2; ++level) {
    GENERIC_LIST<PDTnode> fast(TRUE), by_text(TRUE);
    get_references(b, &fast, level);
    SearchReferencesByValSrc(b, &by_text, level);
    EXPECT_GE(fast.lookup(a), 0);
    EXPECT_LT(fast.lookup(named_like_member), 0);
    EXPECT_GE(by_text.lookup(a), 0);
    EXPECT_LT(by_text.lookup(named_like_member), 0);
  }
  ASSERT_EQ(update_referencing_nodes(named_like_member, nullptr), 0);
  EXPECT_EQ(Refreshed(), (std::vector<std::string>{"height"}));
}

// A reference into a moved solid also depends on the transformations that move it: level 0
// takes none, level 1 those up to the first ancestor without a transformation operand, level 2
// every one up to the common parent.
TEST_F(Updates, TransformationReferencesFollowTheLevel) {
  PDTfeat* a = Feature("slab");
  PDTnode* moved = connect(a, new PDTtrans("shift", "shift", nullptr), 0);
  ASSERT_NE(moved, nullptr);
  PDTnode* joined = connect(moved, Feature("slab"), 0);
  ASSERT_NE(joined, nullptr);
  auto* last_shift = new PDTtrans("shift", "shift", nullptr);
  PDTnode* top = connect(joined, last_shift, 0);
  ASSERT_NE(top, nullptr);
  struct Row {
    int level;
    PDTnode* stop_at;
    int added;
  } rows[] = {{0, nullptr, 0}, {1, nullptr, 3}, {2, nullptr, all_nodes->size()}, {2, joined, 3}};
  for (const Row& row : rows) {
    GENERIC_LIST<PDTnode> out(TRUE);
    EXPECT_EQ(get_transformation_references(a, &out, row.level, row.stop_at), row.added)
        << "level " << row.level;
    EXPECT_EQ(out.count(), row.added);
    if (row.added == 3) {
      EXPECT_GE(out.lookup(moved), 0);
      EXPECT_LT(out.lookup(joined), 0);
    }
  }
  GENERIC_LIST<PDTnode> out(TRUE);
  EXPECT_EQ(get_transformation_references(last_shift, &out, 2, nullptr), 0)
      << "a transformation is no moved solid";
}

// A node left without the solid it should carry is named, by updates and full rebuilds alike.
TEST_F(Updates, NodesLeftWithoutTheirSolidAreNamed) {
  PDTfeat* kept = Feature("slab");
  PDTfeat* unkept = Feature("unkept");
  ASSERT_NE(unkept->get_body(), nullptr);
  ASSERT_EQ(update_referencing_nodes(kept, nullptr), 0);
  EXPECT_TRUE(PDTLastFailedNodes().empty());
  ASSERT_EQ(update_referencing_nodes(unkept, nullptr), 0);
  EXPECT_EQ(PDTLastFailedNodes(), std::vector<std::string>{unkept->get_name()});
  rebuild_all();
  EXPECT_EQ(PDTLastFailedNodes(), std::vector<std::string>{unkept->get_name()});
  ASSERT_EQ(update_referencing_nodes(kept, nullptr), 0);
  EXPECT_TRUE(PDTLastFailedNodes().empty()) << "each update names its own failures";
}

TEST_F(Updates, ListReachingEveryNodeBecomesAFullRebuild) {
  PDTfeat* a = Feature("slab");
  PDTfeat* b = Feature("bore");
  Feature("slab");
  connect(a, b, 0);
  void_list nodes, tops(TRUE);
  for (PDTnode* node : AllNodesNow()) {
    nodes.add(node);
  }
  AskingHandler handler(AnswerYes);
  EXPECT_EQ(update_referencing_nodes(&nodes, &tops, nullptr, nullptr), 0);
  EXPECT_EQ(Refreshed(), Names(AllNodesNow()));
  ASSERT_EQ(tops.count(), free_nodes->count());
  for (int i = 0; i < free_nodes->count(); ++i) {
    EXPECT_GE(tops.lookup((*free_nodes)[static_cast<unsigned>(i)]), 0);
  }
}

TEST_F(Updates, ExcludedNodesAreNotRefreshedAndExtraOnesAre) {
  PDTfeat* a = Feature("slab");
  PDTfeat* b = Feature("slab");
  PDTfeat* c = Feature("slab");
  PVMStrg result;
  ASSERT_NE(Set("slab_@2.height", "slab_@1.height", result), nullptr);
  void_list nodes, excluded, extra;
  nodes.add(a);
  excluded.add(b);
  extra.add(c);
  ASSERT_EQ(update_referencing_nodes(&nodes, nullptr, &excluded, &extra), 0);
  EXPECT_EQ(Refreshed(), (std::vector<std::string>{"slab_@1", "slab_@3"}));
}

TEST_F(Updates, UnknownNodeChangesNothing) {
  StubNode outside("outside");
  all_nodes->remove(&outside);
  void_list tops;
  EXPECT_EQ(update_referencing_nodes(&outside, &tops), -1);
  EXPECT_EQ(outside.flags.size(), 0u);
  void_list update, mem;
  EXPECT_EQ(get_all_nodes_to_update(&outside, &tops, &update, &mem, nullptr), -1);
  void_list empty;
  EXPECT_EQ(do_update_of_nodes_in_list(&empty, nullptr, nullptr, nullptr), -1);
}

TEST_F(Updates, NodesDeletedByARefreshLeaveEveryList) {
  auto* killer = new StubNode("killer");
  auto* victim = new StubNode("victim");
  new StubNode("bystander");
  killer->action = [victim] { delete_node(victim); };
  void_list nodes, tops(TRUE);
  nodes.add(killer);
  nodes.add(victim);
  ASSERT_EQ(update_referencing_nodes(&nodes, &tops, nullptr, nullptr), 0);
  EXPECT_EQ(Refreshed(), (std::vector<std::string>{"killer"}));
  EXPECT_EQ(tops.count(), 1);
  EXPECT_EQ(tops[0], killer);
}

TEST_F(Updates, OperandWithAMemoryBodyIsRestoredNotRebuilt) {
  auto* first = new StubNode("first");
  auto* kept = new StubNode("kept");
  kept->has_mem_body = true;
  kept->restore_ok = true;
  auto* comb = new PDTcomb(0);
  ASSERT_TRUE(comb->set_op1(first));
  ASSERT_TRUE(comb->set_op2(kept));
  void_list tops(TRUE), update(TRUE), mem(TRUE);
  ASSERT_EQ(get_all_nodes_to_update(first, &tops, &update, &mem, nullptr), 2);
  EXPECT_EQ(mem.count(), 1);
  EXPECT_EQ(mem[0], kept);
  ASSERT_EQ(update_referencing_nodes(first, nullptr), 0);
  EXPECT_EQ(first->flags.size(), 1u);
  EXPECT_EQ(kept->flags.size(), 0u);
  EXPECT_EQ(kept->restores, 1);
}

TEST_F(Updates, FailedMemoryBodyRestartsTheUpdateAtMostOnce) {
  auto* first = new StubNode("first");
  auto* kept = new StubNode("kept");
  auto* also_kept = new StubNode("also_kept");
  kept->has_mem_body = true;
  also_kept->has_mem_body = true;
  auto* inner = new PDTcomb(0);
  ASSERT_TRUE(inner->set_op1(first));
  ASSERT_TRUE(inner->set_op2(kept));
  auto* outer = new PDTcomb(0);
  ASSERT_TRUE(outer->set_op1(inner));
  ASSERT_TRUE(outer->set_op2(also_kept));
  ASSERT_EQ(update_referencing_nodes(first, nullptr), 0);
  // Both bodies failed to come back: each node is rebuilt once instead.
  EXPECT_EQ(first->flags.size(), 1u);
  EXPECT_EQ(kept->flags.size(), 1u);
  EXPECT_EQ(also_kept->flags.size(), 1u);
  EXPECT_LE(also_kept->restores, 2);
}

TEST_F(Updates, SilentCheckChangesNothingWhenTheContextDoesNotAsk) {
  PDTfeat* a = Feature("slab");
  a->SetSilent(TRUE);
  void_list update(TRUE), mem(TRUE);
  update.add(a);
  GENERIC_LIST<PDTnode> silent;
  EXPECT_EQ(PVFCheckSilentNodes(&update, &mem, silent, nullptr, nullptr), 1);
  EXPECT_EQ(silent.count(), 0);
  EXPECT_EQ(update.count(), 1);
}

TEST_F(Updates, DeletingANodeTurnsFormulasNamingItIntoPlainValues) {
  PDTfeat* a = Feature("slab");
  Feature("slab");
  PVMStrg result;
  ASSERT_NE(Set("slab_@2.height", "slab_@1.height * 3", result), nullptr);
  EXPECT_EQ(ValueOf("slab_@2.height"), "30");
  delete_node(a);
  EXPECT_EQ(search("slab_@2.height")->get_value_source(), nullptr);
  EXPECT_EQ(ValueOf("slab_@2.height"), "30");
}

// ---- rebuilds ----

TEST_F(Updates, FullRebuildNamesFiveFailuresThenDots) {
  std::vector<StubNode*> failing;
  for (int i = 1; i <= 6; ++i) {
    failing.push_back(new StubNode(("broken_" + std::to_string(i)).c_str(), 3));
  }
  new StubNode("last", 3);
  {
    AskingHandler handler(AnswerYes);
    EXPECT_EQ(rebuild_all(), 0);
    ASSERT_EQ(handler.questions.size(), 1u);
    EXPECT_EQ(handler.questions[0],
              "AskPDTglobalRebuild: broken_1, broken_2, broken_3, broken_4, broken_5, ...");
  }
  AskingHandler cancel(AnswerCancel);
  EXPECT_EQ(rebuild_all(), -1);
}

TEST_F(Updates, StoppedFullRebuildLeavesLaterNodesWithoutBodies) {
  PDTfeat* before = Feature("slab");
  auto* broken = new StubNode("broken", 2);
  PDTfeat* after = Feature("slab");
  AskingHandler handler(AnswerCancel);
  EXPECT_EQ(rebuild_all(), -1);
  ASSERT_EQ(handler.questions.size(), 1u);
  EXPECT_EQ(handler.questions[0], "AskPDTglobalRebuild: broken");
  EXPECT_NEAR(Volume(before), 50000, 1e-6);
  EXPECT_EQ(broken->flags.size(), 1u);
  EXPECT_EQ(after->get_body(), nullptr);
  EXPECT_EQ(Refreshed(), (std::vector<std::string>{"slab_@1", "broken"}));
  // A later full rebuild brings every body back.
  AskingHandler go_on(AnswerYesToAll);
  EXPECT_EQ(rebuild_all(), -2);
  EXPECT_NEAR(Volume(after), 50000, 1e-6);
}

TEST_F(Updates, FailureCountWithoutNamesIsTheResult) {
  new StubNode("a", 2);
  new StubNode("b", 2);
  new StubNode("c", 0);
  AskingHandler handler(AnswerYes);
  EXPECT_EQ(rebuild_all(), 2);
  EXPECT_EQ(handler.questions.size(), 1u);  // asked once, not again
}

TEST_F(Updates, PartialRebuildMarksOnlyItsFirstNode) {
  std::vector<StubNode*> nodes;
  for (const char* name : {"n0", "n1", "n2", "n3"}) {
    nodes.push_back(new StubNode(name));
  }
  EXPECT_EQ(PDTrebuild(0), 0);
  EXPECT_EQ(nodes[0]->flags, std::vector<int>{1});
  for (int i = 1; i < 4; ++i) {
    EXPECT_EQ(nodes[i]->flags, std::vector<int>{0});
  }
  EXPECT_EQ(PDTrebuild(2), 0);
  EXPECT_EQ(nodes[1]->flags.size(), 1u);
  EXPECT_EQ(nodes[2]->flags, (std::vector<int>{0, 1}));
  EXPECT_EQ(nodes[3]->flags, (std::vector<int>{0, 0}));
}

}  // namespace
