// The dependency tree in packages: node records and their order, the counters a fresh restore
// derives, and merging a package into a model that already holds nodes.
#include <varnex/library/feature_list.h>
#include <varnex/modelstore/restore.h>
#include <varnex/modelstore/tree_file.h>
#include <varnex/tree/comb.h>
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>
#include <varnex/tree/persistent_messages.h>
#include <varnex/tree/tree_functions.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "model_test_support.h"

namespace varnex::test {
namespace {

class TreePackages : public ModelSession {
 protected:
  // The model of BuildModel (instances, formulas, three bodies) and a tree: a slab with two
  // bores, and a second slab shifted beside it, joined into one tree of combinations.
  void BuildTreeModel() {
    BuildModel();
    slab_ = new PDTfeat("slab", "slab", nullptr);
    auto* bore1 = new PDTfeat("bore", "bore", nullptr);
    auto* bore2 = new PDTfeat("bore", "bore", nullptr);
    auto* other = new PDTfeat("slab", "slab", nullptr);
    auto* shift = new PDTtrans("shift", "shift", nullptr);
    ASSERT_NE(connect(slab_, bore1, 0), nullptr);
    ASSERT_NE(connect(slab_, bore2, 0), nullptr);
    ASSERT_NE(connect(other, shift, 0), nullptr);
    ASSERT_NE(connect(slab_, other, 0), nullptr);
    ASSERT_EQ(free_nodes->count(), 1);
  }

  // Every node: kind, name, id, parent and operands, in node-list order.
  static std::string TreeText() {
    std::string text;
    for (PDTnode* node : *all_nodes) {
      text += std::string(node->type_name()) + " " + node->get_name() + " id=" + node->get_id();
      text += " parent=" + std::string(node->get_parent() ? node->get_parent()->get_name() : "-");
      if (node->IsTypeOf("PDTcomb")) {
        auto* comb = static_cast<PDTcomb*>(node);
        text += " ops=" + std::string(comb->get_op1() ? comb->get_op1()->get_name() : "-") + "," +
                (comb->get_op2() ? comb->get_op2()->get_name() : "-");
        text += " type=" + std::to_string(comb->get_comb_type());
      }
      text += node->GetRootDataElement() != nullptr ? " object" : " no-object";
      text += "\n";
    }
    return text;
  }

  // The volumes of every node's body, in node-list order ("-" without body).
  static std::string Volumes() {
    std::string text;
    for (PDTnode* node : *all_nodes) {
      ENTITY* body = node->get_body();
      text += body != nullptr ? std::to_string(fmvolume_of_body(body)) + " " : "- ";
    }
    return text;
  }

  static std::string Section(const std::string& package, const std::string& marker) {
    const std::string separator = "++###++FILE_Trenner**###**";
    std::size_t start = package.find(separator + "\n" + marker + "\n");
    if (start == std::string::npos) {
      return "";
    }
    start += separator.size() + marker.size() + 2;
    std::size_t end = package.find(separator, start);
    return package.substr(start, end == std::string::npos ? std::string::npos : end - start);
  }

  static std::vector<std::string> Records(const std::string& pdt) {
    std::vector<std::string> records;
    std::size_t at = pdt.find("NumberInList_:");
    while (at != std::string::npos) {
      std::size_t next = pdt.find("NumberInList_:", at + 1);
      records.push_back(pdt.substr(at, next == std::string::npos ? std::string::npos : next - at));
      at = next;
    }
    return records;
  }

  PDTfeat* slab_ = nullptr;
};

TEST_F(TreePackages, StoreRestoreStoreIsByteIdentical) {
  BuildTreeModel();
  std::string tree = TreeText();
  std::string volumes = Volumes();
  ASSERT_NE(volumes.find("- "), 0u);
  const std::string first = Path("tree.VNX");
  ASSERT_STREQ(PVMSaveModel(first.c_str()), first.c_str()) << PVMLastStoreError();
  std::string package = ReadFile(first);
  EXPECT_EQ(Records(Section(package, "PDT-FILE")).size(), 9u);
  ASSERT_EQ(PVMLoadModel(first.c_str()), 0) << PVMLastStoreError();
  EXPECT_EQ(TreeText(), tree) << "names, ids, links and order come back";
  EXPECT_EQ(Volumes(), volumes) << "the nodes find their bodies again";
  EXPECT_NE(Section(package, "NB-FILE").find("B "), std::string::npos);
  ASSERT_EQ(free_nodes->count(), 1);
  PDTnode* root = static_cast<PDTnode*>((*free_nodes)[0]);
  EXPECT_EQ(PDTdepth(root), 4);
  EXPECT_EQ(PDTwidth(root), 5);
  const std::string second = Path("again.VNX");
  ASSERT_STREQ(PVMSaveModel(second.c_str()), second.c_str()) << PVMLastStoreError();
  EXPECT_EQ(ReadFile(second), package);
}

TEST_F(TreePackages, RecordsOutOfOrderComeBackInTheWritersOrder) {
  BuildTreeModel();
  std::string tree = TreeText();
  const std::string path = Path("tree.VNX");
  ASSERT_STREQ(PVMSaveModel(path.c_str()), path.c_str());
  std::string package = ReadFile(path);
  std::string pdt = Section(package, "PDT-FILE");
  std::vector<std::string> records = Records(pdt);
  ASSERT_EQ(records.size(), 9u);
  std::reverse(records.begin(), records.end());
  std::string shuffled;
  for (const std::string& record : records) {
    shuffled += record;
  }
  package.replace(package.find(pdt), pdt.size(), shuffled);
  WriteFile(path, package);
  ASSERT_EQ(PVMLoadModel(path.c_str()), 0) << PVMLastStoreError();
  EXPECT_EQ(TreeText(), tree) << "combinations read before their operands link them too";
}

TEST_F(TreePackages, FreshModeCountsBeyondTheLargestRestoredNumber) {
  const char* records =
      "NumberInList_: 0\n{\nType_: PDTfeat\nRevision_: 100\nElement_: NULL\nNodeId_: 17\n"
      "Name_: a_@3\nParent_: NULL\nSilentSwitch_: FALSE\nSilentTrans_: {\n\t\tNULL\n}\n"
      "Revision_: 100\nElement:_ NULL\n}\n"
      "NumberInList_: 1\n{\nType_: PDTfeat\nRevision_: 100\nElement_: NULL\nNodeId_: 18\n"
      "Name_: b_@7\nParent_: NULL\nSilentSwitch_: FALSE\nSilentTrans_: {\n\t\tNULL\n}\n"
      "Revision_: 100\nElement:_ NULL\n}\n";
  for (int before : {1, 5, 20}) {
    PDTdelete();
    PDTinit();
    total_count = before;
    PVFRestoreFM context;
    ASSERT_FALSE(context.IsMergeMode());
    PVFRestore::SetInstance(&context);
    PVFSStream in(records);
    int read = 0;
    while (PVFRestore::ReadNode(in, 0) == TRUE) {
      ++read;
    }
    EXPECT_EQ(read, 2);
    EXPECT_EQ(context.Finish(), FALSE);
    PVFRestore::SetInstance(nullptr);
    EXPECT_EQ(total_count, std::max(before, 8)) << "never below what the model counted";
    ASSERT_EQ(all_nodes->size(), 2);
    EXPECT_STREQ((*all_nodes)[0]->get_name(), "a_@3") << "fresh mode renames nothing";
    EXPECT_STREQ((*all_nodes)[1]->get_id(), "18");
    EXPECT_EQ(context.GetNodeByName("b_@7"), (*all_nodes)[1]);
    EXPECT_EQ(context.GetNodeById("17"), (*all_nodes)[0]);
  }
}

TEST_F(TreePackages, WithoutContextNoNodeIsRead) {
  PVFSStream in("NumberInList_: 0\n{\nType_: PDTfeat\n");
  EXPECT_EQ(PVFRestore::ReadNode(in, 0), FALSE);
  EXPECT_EQ(all_nodes->size(), 0);
}

TEST_F(TreePackages, DamagedNodeRecordsAreRefused) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"a position that is no number", "NumberInList_: x\n{\nType_: PDTfeat\n}\n"},
      {"a record cut short", "NumberInList_: 0\n{\nType_: PDTfeat\nRevision_: 100\nElement_:"},
      {"a name used twice",
       "Type_: PDTfeat Revision_: 100 Element_: NULL NodeId_: 1 Name_: a_@1 Parent_: NULL "
       "SilentSwitch_: FALSE SilentTrans_: { NULL } Revision_: 100 Element:_ NULL }\n"
       "Type_: PDTfeat Revision_: 100 Element_: NULL NodeId_: 2 Name_: a_@1 Parent_: NULL "
       "SilentSwitch_: FALSE SilentTrans_: { NULL } Revision_: 100 Element:_ NULL }\n"},
      {"combinations that name each other",
       "Type_: PDTcomb Revision_: 100 Element_: NULL NodeId_: 1 Name_: c_@1 Parent_: NULL "
       "SilentSwitch_: FALSE SilentTrans_: { NULL } Revision_: 115 Operator1_: c_@2 "
       "Operator2_: NULL CombConstraint_: 0 CombType_: 1 Geometry_: NULL }\n"
       "Type_: PDTcomb Revision_: 100 Element_: NULL NodeId_: 2 Name_: c_@2 Parent_: NULL "
       "SilentSwitch_: FALSE SilentTrans_: { NULL } Revision_: 115 Operator1_: c_@1 "
       "Operator2_: NULL CombConstraint_: 0 CombType_: 1 Geometry_: NULL }\n"},
  };
  for (const auto& [what, text] : cases) {
    PDTdelete();
    PDTinit();
    PVFClearRecordError();
    std::FILE* file = fmemopen(const_cast<char*>(text), std::strlen(text), "r");
    EXPECT_NE(PVMRestoreTreeFile(file), 0) << what;
    std::fclose(file);
    EXPECT_NE(PVFRecordError(), nullptr) << what;
    for (PDTnode* node : *all_nodes) {
      for (PDTnode* up = node->get_parent(); up != nullptr; up = up->get_parent()) {
        ASSERT_NE(up, node) << what << ": the tree must never loop";
      }
    }
  }
  PVFClearRecordError();
}

TEST_F(TreePackages, RepairRelPosErrorLeavesOtherNodesAlone) {
  BuildTreeModel();
  std::string world = WorldText();
  std::string tree = TreeText();
  for (PDTnode* node : *all_nodes) {
    EXPECT_EQ(PVFRestore::RepairRelPosError(node, 0), 0) << node->get_name();
  }
  PDTtrans* named = nullptr;
  for (PDTnode* node : *all_nodes) {
    named = node->IsTypeOf("PDTtrans") ? static_cast<PDTtrans*>(node) : named;
  }
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(PVFRestore::RepairRelPosError(named, 0), 0) << "a transformation not named Pos_Rel";
  EXPECT_EQ(PVFRestore::RepairRelPosError(nullptr, 0), 0);
  EXPECT_EQ(WorldText(), world);
  EXPECT_EQ(TreeText(), tree);
}

TEST_F(TreePackages, RepairRelPosErrorReportsAStrayThisNodeRef) {
  auto* instance = new object_planet("Pos_Rel_@4");
  ASSERT_NE(instance->qualify(), nullptr);
  auto* reference = new object_zahl(3.0, "ThisNodeRef");
  reference->set_value_source("1 + 2;");
  requalify();
  auto* node = new PDTtrans();
  node->set_name("Pos_Rel_@4");
  EXPECT_EQ(PVFRestore::RepairRelPosError(node, 1), 1) << "it names something else";
  EXPECT_STREQ(reference->get_value_source(), "1 + 2;") << "flag 1 only reports";
  node->set_name("Pos_Rel_@5");
  EXPECT_EQ(PVFRestore::RepairRelPosError(node, 0), 0) << "no object Pos_Rel_@5.ThisNodeRef";
  delete node;
}

// ---------------------------------------------------------------------------------------------
// Merging

class MergePackages : public TreePackages {};

TEST_F(MergePackages, EveryGeneratedNameIsRenamedConsistently) {
  BuildTreeModel();
  delete search("scale");  // only generated names are renamed
  VALUE_LIST<PVMStrg> refs;
  refs.add(PVMStrg("box_@2.height"));
  search("box_@1.width")->SetReferencesBy(&refs);
  const std::string path = Path("tree.VNX");
  ASSERT_STREQ(PVMSaveModel(path.c_str()), path.c_str());
  const int nodes_before = all_nodes->size();
  std::vector<std::string> names_before;
  for (PDTnode* node : *all_nodes) {
    names_before.push_back(node->get_name());
  }
  const int count_before = total_count;
  const std::string volumes = Volumes();

  int renamed = -1;
  ASSERT_EQ(PVMMergeModel(path.c_str(), &renamed), 0) << PVMLastStoreError();
  ASSERT_EQ(all_nodes->size(), 2 * nodes_before);
  EXPECT_GT(renamed, 0);
  EXPECT_EQ(Volumes(), volumes + volumes) << "the merged nodes hold their own bodies";
  // The old nodes are untouched; the merged ones carry fresh numbers from the old counter on.
  for (int i = 0; i < nodes_before; ++i) {
    EXPECT_EQ((*all_nodes)[i]->get_name(), names_before[i]);
  }
  std::vector<std::string> merged_names;
  for (int i = nodes_before; i < all_nodes->size(); ++i) {
    PDTnode* node = (*all_nodes)[i];
    merged_names.push_back(node->get_name());
    EXPECT_EQ(std::find(names_before.begin(), names_before.end(), node->get_name()),
              names_before.end())
        << node->get_name();
    ASSERT_NE(node->GetRootDataElement(), nullptr) << node->get_name() << " finds its object";
    EXPECT_STREQ(node->GetRootDataElement()->get_name(), node->get_name());
    // Restored ids are the bare decimal texts of the last values of the id counter.
    EXPECT_EQ(std::string(node->get_id()),
              std::to_string(PDTnode::get_id_count() - (all_nodes->size() - 1 - i)));
  }
  EXPECT_GE(total_count, count_before + renamed);
  // The merged tree is linked within itself.
  EXPECT_EQ(free_nodes->count(), 2);
  // Formulas and reference lists name the merged objects.
  int merged_boxes = 0;
  for (welt* e = anfang->get_first(); e != nullptr; e = e->get_next()) {
    rumpf* object = e->get_member();
    std::string name = object->get_name();
    if (name.rfind("box_@", 0) != 0 || name == "box_@1" || name == "box_@2") {
      continue;
    }
    ++merged_boxes;
  }
  EXPECT_EQ(merged_boxes, 2);
  std::string box1 = "box_@" + std::to_string(count_before);
  std::string box2 = "box_@" + std::to_string(count_before + 1);
  ASSERT_NE(search((box2 + ".height").c_str()), nullptr) << WorldText();
  EXPECT_STREQ(search((box2 + ".height").c_str())->get_value_source(),
               (box1 + ".volume/100").c_str());
  PVMStrg formula, value;
  search((box2 + ".height").c_str())->GetValue(formula, value);
  EXPECT_STREQ(value.GetpStr(), "5");
  VALUE_LIST<PVMStrg> by;
  search((box1 + ".width").c_str())->GetReferencesBy(&by);
  ASSERT_EQ(by.count(), 1);
  EXPECT_STREQ(by[0].GetpStr(), (box2 + ".height").c_str());
  // Nothing in the merged model names an identifier of the original model's merged twin.
  std::string world = WorldText();
  for (const std::string& name : merged_names) {
    EXPECT_NE(world.find("name_: " + name), std::string::npos) << name;
  }
}

TEST_F(MergePackages, AFailedMergeLeavesTheModelAsItWas) {
  BuildTreeModel();
  const std::string path = Path("tree.VNX");
  ASSERT_STREQ(PVMSaveModel(path.c_str()), path.c_str());
  std::string package = ReadFile(path);
  std::string world = WorldText();
  std::string tree = TreeText();
  int bodies = gmod_anfang->count();
  int count = total_count;
  // Cut inside the last node record.
  std::size_t cut = package.rfind("Element:_");
  ASSERT_NE(cut, std::string::npos);
  WriteFile(path, package.substr(0, cut));
  int renamed = -1;
  EXPECT_NE(PVMMergeModel(path.c_str(), &renamed), 0);
  EXPECT_FALSE(std::string(PVMLastStoreError()).empty());
  EXPECT_EQ(renamed, 0);
  EXPECT_EQ(WorldText(), world);
  EXPECT_EQ(TreeText(), tree);
  EXPECT_EQ(gmod_anfang->count(), bodies);
  EXPECT_EQ(total_count, count);
}

TEST_F(MergePackages, APlainNameTheModelHoldsIsRefused) {
  BuildTreeModel();
  const std::string path = Path("tree.VNX");
  ASSERT_STREQ(PVMSaveModel(path.c_str()), path.c_str());
  std::string world = WorldText();
  std::string tree = TreeText();
  int bodies = gmod_anfang->count();
  EXPECT_NE(PVMMergeModel(path.c_str(), nullptr), 0);
  EXPECT_NE(std::string(PVMLastStoreError()).find("<scale>"), std::string::npos)
      << PVMLastStoreError();
  EXPECT_EQ(WorldText(), world);
  EXPECT_EQ(TreeText(), tree);
  EXPECT_EQ(gmod_anfang->count(), bodies);
}

// Every message with its type, in the messenger's order.
std::vector<std::string> Messages() {
  std::vector<std::string> texts;
  for (const PersistentMessage& message : ListPersistentMessages()) {
    texts.push_back(std::to_string(message.type) + ":" + message.text.GetpStr());
  }
  return texts;
}

int Messengers() {
  return static_cast<int>(std::count_if(all_nodes->begin(), all_nodes->end(), [](PDTnode* node) {
    return IsPersistentMessenger(node) == TRUE;
  }));
}

TEST_F(MergePackages, TheMergedMessagesJoinTheModelsOwnMessenger) {
  BuildTreeModel();
  delete search("scale");
  ASSERT_TRUE(AddPersistentMessage(PVMStrg("saved with the package"), 1));
  const std::string path = Path("tree.VNX");
  ASSERT_STREQ(PVMSaveModel(path.c_str()), path.c_str());
  ASSERT_TRUE(AddPersistentMessage(PVMStrg("added after saving"), 2));
  PDTnode* messenger = GetPersistentMessenger();

  ASSERT_EQ(PVMMergeModel(path.c_str(), nullptr), 0) << PVMLastStoreError();
  EXPECT_EQ(Messengers(), 1);
  EXPECT_EQ(GetPersistentMessenger(), messenger) << "the model keeps its own messenger";
  EXPECT_STREQ(messenger->get_name(), "Messenger");
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{"1:saved with the package", "2:added after saving",
                                      "1:saved with the package"}));
  EXPECT_EQ(search("Messenger_before_merge"), nullptr);
}

TEST_F(MergePackages, AMergedMessengerStaysWhenTheModelHadNone) {
  BuildTreeModel();
  delete search("scale");
  ASSERT_TRUE(AddPersistentMessage(PVMStrg("from the package"), 3));
  const std::string path = Path("tree.VNX");
  ASSERT_STREQ(PVMSaveModel(path.c_str()), path.c_str());
  PDTnode* messenger = GetPersistentMessenger();
  PVMStrg instance(messenger->get_name());
  delete_node(messenger);
  delete search(instance);
  ASSERT_EQ(Messengers(), 0);

  ASSERT_EQ(PVMMergeModel(path.c_str(), nullptr), 0) << PVMLastStoreError();
  EXPECT_EQ(Messengers(), 1);
  EXPECT_EQ(Messages(), std::vector<std::string>{"3:from the package"});
}

TEST_F(MergePackages, AFailedMergeKeepsTheMessengerAndTakesAwayTheDefinitionsItBrought) {
  BuildTreeModel();  // "scale" stays: the merge is refused
  ASSERT_TRUE(AddPersistentMessage(PVMStrg("kept"), 1));
  const std::string path = Path("tree.VNX");
  ASSERT_STREQ(PVMSaveModel(path.c_str()), path.c_str());
  // The package brings the messenger's definition, which the library no longer holds.
  ASSERT_EQ(pFeatureList->RemoveFeature(PVMStrg("Messenger")), 1);
  const int definitions = pFeatureList->Count();
  std::string world = WorldText();

  EXPECT_NE(PVMMergeModel(path.c_str(), nullptr), 0);
  EXPECT_EQ(pFeatureList->Count(), definitions);
  EXPECT_EQ(pFeatureList->GetFeatureByName(PVMStrg("Messenger")), nullptr);
  EXPECT_EQ(WorldText(), world);
  EXPECT_STREQ(GetPersistentMessenger()->get_name(), "Messenger");
  EXPECT_EQ(Messages(), std::vector<std::string>{"1:kept"});
}

TEST_F(MergePackages, ConversionsOfTheContext) {
  new PDTfeat("slab", "slab", nullptr);  // the tree holds a node: merge mode
  total_count = 40;
  PVFRestoreFM context;
  ASSERT_TRUE(context.IsMergeMode());
  PVFRestore::SetInstance(&context);
  PVMStrg formula("box_@3.length * 2 + box_@5.width + 'box_@3' + size");
  PVFRestore::ConvertRestoreString(formula);
  EXPECT_STREQ(formula.GetpStr(), "box_@40.length*2+box_@41.width+'box_@3'+size")
      << "rebuilt from its tokens";
  PVMStrg again("box_@3");
  PVFRestore::ConvertRestoreString(again);
  EXPECT_STREQ(again.GetpStr(), "box_@40") << "the same old identifier, the same fresh one";
  PVMStrg parse("box_@5.x + box_@9.y");
  PVFRestore::ConvertStringParse(parse);
  EXPECT_STREQ(parse.GetpStr(), "box_@41.x+box_@9.y") << "only translations already made";
  PVMStrg whole("box_@5");
  PVFRestore::ConvertString(whole);
  EXPECT_STREQ(whole.GetpStr(), "box_@41");
  PVMStrg face("box_@40.f_3N3N5N7");
  context.ConvertFaceNodeNr(face);
  EXPECT_STREQ(face.GetpStr(), "box_@40.f_3N40N41N7") << "numbers behind N follow the renaming";
  PVMStrg plain("f_3");
  context.ConvertFaceNodeNr(plain);
  EXPECT_STREQ(plain.GetpStr(), "f_3");
  PVMStrg null_text("NULL");
  PVFRestore::ConvertRestoreString(null_text);
  EXPECT_STREQ(null_text.GetpStr(), "NULL");
  ASSERT_EQ(context.RenamedIdentifiers().size(), 2u);
  EXPECT_EQ(context.RenamedIdentifiers()[0], "box_@3");
  PVFRestore::SetInstance(nullptr);
}

TEST_F(MergePackages, FindPosInSortedList) {
  std::vector<NodeNumberInList> list;
  EXPECT_EQ(PVFRestoreFM::FindPosInSortedList(list, 5), 0);
  list = {{nullptr, 2}, {nullptr, 4}, {nullptr, 4}, {nullptr, 9}};
  EXPECT_EQ(PVFRestoreFM::FindPosInSortedList(list, 1), 0);
  EXPECT_EQ(PVFRestoreFM::FindPosInSortedList(list, 3), 1);
  EXPECT_EQ(PVFRestoreFM::FindPosInSortedList(list, 4), 3);
  EXPECT_EQ(PVFRestoreFM::FindPosInSortedList(list, 9), 4);
  EXPECT_EQ(PVFRestoreFM::FindPosInSortedList(list, 12), 4);
}

}  // namespace
}  // namespace varnex::test
