// Persistent messages in the messenger's world, the message file and the print functions.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tree_test_support.h"

namespace {

using varnex::test::TreeSession;

class PersistentMessages : public TreeSession {
 protected:
  static std::vector<std::string> All(int type) {
    VALUE_LIST<PVMStrg> texts;
    GetAllPersistentMessages(&texts, type);
    std::vector<std::string> out;
    for (int i = 0; i < texts.count(); ++i) {
      out.emplace_back(texts[i].GetpStr());
    }
    return out;
  }
};

TEST_F(PersistentMessages, MessagesAreNumberedInTheMessengersWorld) {
  EXPECT_EQ(GetPersistentMessenger(), nullptr);
  EXPECT_FALSE(AddPersistentMessage(PVMStrg(""), 0));
  EXPECT_EQ(GetPersistentMessenger(), nullptr) << "refused before the messenger is made";

  Feature("slab");
  ASSERT_TRUE(AddPersistentMessage(PVMStrg("first"), 0));
  PDTnode* messenger = GetPersistentMessenger();
  ASSERT_NE(messenger, nullptr);
  EXPECT_STREQ(messenger->get_name(), "Messenger");
  EXPECT_EQ(all_nodes->lookup(messenger), 0);
  EXPECT_EQ(free_nodes->lookup(messenger), 0);
  EXPECT_EQ(total_count, 2) << "the counter is restored";
  ASSERT_TRUE(AddPersistentMessage(PVMStrg("second"), 3));
  EXPECT_NE(search("Messenger.Messages.Message_1.Message"), nullptr);
  EXPECT_NE(search("Messenger.Messages.Message_2.Type"), nullptr);
  EXPECT_EQ(search("Messenger.Messages.Message_1.Type"), nullptr) << "type 0 stores none";
  EXPECT_EQ(All(0), (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(All(3), (std::vector<std::string>{"second"}));
  EXPECT_EQ(All(4), (std::vector<std::string>{}));
  EXPECT_EQ(GetAllPersistentMessages(nullptr, 0), 2);
  EXPECT_EQ(CreatePersistentMessenger(), messenger);
}

TEST_F(PersistentMessages, NumberingAfterADeletionStartsFromTheRemainingCount) {
  for (const char* text : {"one", "two", "three"}) {
    ASSERT_TRUE(AddPersistentMessage(PVMStrg(text), 0));
  }
  delete search("Messenger.Messages.Message_1");
  ASSERT_TRUE(AddPersistentMessage(PVMStrg("four"), 0));
  // Two remain: the first free number from 3 on is 4.
  EXPECT_NE(search("Messenger.Messages.Message_4"), nullptr);
  EXPECT_EQ(search("Messenger.Messages.Message_1"), nullptr);
  EXPECT_EQ(All(0), (std::vector<std::string>{"two", "three", "four"}));
}

TEST_F(PersistentMessages, QuotesAreRemovedAndIndexesChecked) {
  ASSERT_TRUE(AddPersistentMessage(PVMStrg("'abc'"), 0));
  ASSERT_TRUE(AddPersistentMessage(PVMStrg(""), 7));
  EXPECT_EQ(All(0), (std::vector<std::string>{"abc", ""}));
  PVMStrg out("untouched");
  EXPECT_STREQ(GetPersistentMessage(out, 0, 0), "abc");
  out = "untouched";
  EXPECT_EQ(GetPersistentMessage(out, 0, 2), nullptr);
  EXPECT_EQ(GetPersistentMessage(out, 0, -1), nullptr);
  EXPECT_STREQ(out, "untouched");
}

TEST_F(PersistentMessages, MessengerNamesMatchExactly) {
  struct Row {
    const char* name;
    bool messenger;
  } rows[] = {{"Messenger", true},    {"Messenger_@0", false},
              {"x_@Messenger", true}, {"Messenger_@Messengers", false},
              {"Messenge_@1", false}, {"messenger_@1", false}};
  for (const Row& row : rows) {
    varnex::test::SignedNode node(row.name, 6);
    EXPECT_EQ(IsPersistentMessenger(&node) == TRUE, row.messenger) << row.name;
  }
  EXPECT_FALSE(IsPersistentMessenger(nullptr));
}

TEST_F(PersistentMessages, AMessengerWithoutMessagesWorldRefusesMessages) {
  pFeatureList->AddFeature(
      PVMStrg("Messenger.NVL"),
      PVMStrg("SCHEMA Messenger;\n ENTITY feature_Messenger;\n count : NUMBER;\n"
              " END_ENTITY;\n FUNCTION create_Messenger\n (\n ) : "
              "feature_Messenger;\n LOCAL\n object : feature_Messenger;\n "
              "END_LOCAL;\n RETURN (object);\n END_FUNCTION;\nEND_SCHEMA;\n"));
  EXPECT_FALSE(AddPersistentMessage(PVMStrg("lost"), 0));
  EXPECT_NE(GetPersistentMessenger(), nullptr) << "the messenger node stays";
  EXPECT_EQ(GetAllPersistentMessages(nullptr, 0), 0);
}

TEST(MessageFile, AppendsToTheFileNamedByMESPath) {
  std::string path = testing::TempDir() + "varnex_messages.txt";
  std::remove(path.c_str());
  setenv("MESPath", path.c_str(), 1);
  PVMStrg first("first line\n"), second("second line\n");
  EXPECT_TRUE(WriteMessStrg(first));
  EXPECT_TRUE(WriteMessStrg(second));
  unsetenv("MESPath");
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "first line\nsecond line\n");
}

TEST(PrintFunctions, FormatForTheDiagnosticSinkOnly) {
  std::vector<std::string> lines;
  DiagnosticSink previous =
      SetDiagnosticSink([&lines](const char* line) { lines.emplace_back(line); });
  fm_mesprint("hello");
  fm_valprint("width", 2.5);
  double v[3] = {1, 2, 3};
  fm_vecprint("v", v);
  double m[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 4, 5, 6};
  fm_tmprint("m", m);
  char trace[] = "trace";
  PVDebug::PVTrace(trace);
  SetDiagnosticSink(previous);
  fm_mesprint("nowhere");
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "hello", "width 2.500000", "v 1.000000 2.000000 3.000000",
                       "m\n1.000000 0.000000 0.000000\n0.000000 1.000000 0.000000\n0.000000 "
                       "0.000000 1.000000\n4.000000 5.000000 6.000000",
                       "trace"}));
}

}  // namespace
