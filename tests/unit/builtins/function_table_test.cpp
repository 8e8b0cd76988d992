// The function table: the name hash, first-handler-wins insertion, exact case-sensitive lookup,
// the lookup-and-call convention, the registered names and the argument counter.
#include <varnex/base/void_list.h>
#include <varnex/geometry/model_bodies.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "builtins_test_support.h"

namespace {

using builtins_test::BuiltinsTest;
using builtins_test::Num;
using builtins_test::Owned;

int g_calls_first = 0;
int g_calls_second = 0;

void First(aritm**, aritm** result) {
  ++g_calls_first;
  *result = new op_zahl(1.0);
}

void Second(aritm**, aritm** result) {
  ++g_calls_second;
  *result = new op_zahl(2.0);
}

// Values worked out by hand from the rule, 32-bit, characters as signed bytes.
TEST(NovlNameHash, FollowsTheCombinationRule) {
  struct Case {
    const char* name;
    std::uint32_t hash;
  };
  const Case cases[] = {
      {"", 0x0u},
      {"a", 0x9E377A1Au},
      {"pi", 0xCD9498C5u},
      {"sqrt", 0x49A2ACB7u},
      {"create_pyramid", 0x16B37868u},
      {"create_Pyramid", 0x0DE1BD61u},
      {"Gr\xF6\xDF"
       "e",
       0x2CA666BDu},  // bytes above 127 extend their sign
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NovlNameHash(c.name), c.hash) << c.name;
    EXPECT_EQ(NovlNameHasher()(c.name), c.hash) << c.name;
  }
  EXPECT_EQ(NovlNameHash(nullptr), 0u);
}

TEST(IfuncList, FirstHandlerOfANameWins) {
  ifunc_list table;
  EXPECT_EQ(table.insert("f", First), TRUE);
  EXPECT_EQ(table.insert("f", Second), FALSE);
  EXPECT_EQ(table.insert(nullptr, Second), FALSE);
  EXPECT_EQ(table.insert("g", nullptr), FALSE);
  EXPECT_EQ(table.count(), 1);
  EXPECT_EQ(table.find("f"), &First);
  EXPECT_EQ(table.find("g"), nullptr);
}

TEST(IfuncList, LookupIsExactAndCaseSensitive) {
  ifunc_list table;
  table.insert("create_pyramid", First);
  table.insert("create_Pyramid", Second);
  EXPECT_EQ(table.find("create_pyramid"), &First);
  EXPECT_EQ(table.find("create_Pyramid"), &Second);
  EXPECT_EQ(table.find("CREATE_PYRAMID"), nullptr);
  EXPECT_EQ(table.find("create_pyramid "), nullptr);
  EXPECT_EQ(table.find("create_pyr"), nullptr);
  EXPECT_EQ(table.find(nullptr), nullptr);
}

TEST(IfuncList, CallResetsTheSlotAndAnswersWhetherTheNameIsKnown) {
  ifunc_list table;
  table.insert("f", First);
  g_calls_first = 0;
  aritm* result = reinterpret_cast<aritm*>(0x1);
  EXPECT_EQ(table.call("unknown", nullptr, &result), 0);
  EXPECT_EQ(result, nullptr);
  EXPECT_EQ(table.call("f", nullptr, &result), 1);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->get_double(), 1.0);
  EXPECT_EQ(g_calls_first, 1);
  delete result;
  EXPECT_EQ(table.call("f", nullptr, nullptr), 0);
  EXPECT_EQ(g_calls_first, 1);
}

TEST(IfuncList, GrowsPastItsInitialBucketsKeepingEveryEntry) {
  ifunc_list table;
  EXPECT_GE(table.bucket_count(), 11u);
  for (int i = 0; i < 500; ++i) {
    table.insert(("name" + std::to_string(i)).c_str(), i % 2 ? First : Second);
  }
  EXPECT_EQ(table.count(), 500);
  EXPECT_GE(table.bucket_count(), 500u);
  for (int i = 0; i < 500; ++i) {
    EXPECT_EQ(table.find(("name" + std::to_string(i)).c_str()), i % 2 ? &First : &Second);
  }
}

TEST(FillMethodTable, NeedsTheTable) {
  ASSERT_EQ(NOVL_functions, nullptr);
  EXPECT_EQ(fill_method_table(), -1);
  aritm* result = nullptr;
  EXPECT_EQ(CallNovlFunction("pi", nullptr, &result), 0);
  EXPECT_EQ(result, nullptr);
}

TEST_F(BuiltinsTest, EveryListedNameIsRegistered) {
  std::ifstream names(VARNEX_TEST_DATA "/builtins/builtin_names.txt");
  ASSERT_TRUE(names.good());
  std::set<std::string> seen;
  std::string name;
  while (std::getline(names, name)) {
    if (name.empty()) {
      continue;
    }
    EXPECT_NE(NOVL_functions->find(name.c_str()), nullptr) << name;
    seen.insert(name);
  }
  EXPECT_EQ(seen.size(), 185u);  // the engine's 176 and the 9 appended for authors
  EXPECT_EQ(NOVL_functions->count(), 185);
}

TEST_F(BuiltinsTest, FillingTwiceKeepsTheFirstHandlers) {
  ifunc_list::handler pi = NOVL_functions->find("pi");
  NOVL_functions->insert("pi", Second);
  EXPECT_EQ(fill_method_table(), 185);
  EXPECT_EQ(NOVL_functions->find("pi"), pi);
}

TEST_F(BuiltinsTest, OnlyTheTwoVirtualAppendsShareAHandler) {
  EXPECT_EQ(NOVL_functions->find("append_virt_volume"),
            NOVL_functions->find("append_virt_geometry"));
  EXPECT_NE(NOVL_functions->find("set_translation"), NOVL_functions->find("set_Translation"));
  EXPECT_NE(NOVL_functions->find("create_pyramid"), nullptr);
  EXPECT_EQ(NOVL_functions->find("Pi"), nullptr);  // taken as a feature call
  EXPECT_EQ(NOVL_functions->find("SQRT"), nullptr);
}

// The kind of a built-in's result, as builtin_results.txt names it.
std::string KindOf(aritm* result) {
  if (result == nullptr) {
    return "none";
  }
  const std::pair<XBOOL (aritm::*)(), const char*> kinds[] = {
      {&aritm::IsOpZahl, "real"},           {&aritm::IsOpNumber, "integer"},
      {&aritm::IsOpLogic, "logic"},         {&aritm::IsOpEnum, "enumeration"},
      {&aritm::IsOpText, "text"},           {&aritm::IsOpVector, "vector"},
      {&aritm::IsOpAxis, "axis"},           {&aritm::IsOpTrans, "transformation"},
      {&aritm::IsOpGeom, "geometry"},       {&aritm::IsOpObject, "object"},
      {&aritm::IsOpReference, "reference"}, {&aritm::IsOpConnect2d, "contour"}};
  for (const auto& [is, name] : kinds) {
    if ((result->*is)() != FALSE) {
      return name;
    }
  }
  return "unknown";
}

// Every built-in answers the kind of result it always answers, whatever its arguments, and
// missing or unsuitable arguments build no body.
// What builtin_results.txt says a built-in answers: without arguments, and with them.
struct ResultKinds {
  std::string bare;
  std::string with_arguments;
};

std::map<std::string, ResultKinds> ReadResultKinds() {
  std::map<std::string, ResultKinds> kinds;
  std::ifstream table(VARNEX_TEST_DATA "/builtins/builtin_results.txt");
  for (std::string line; std::getline(table, line);) {
    std::istringstream row(line);
    std::string name;
    ResultKinds kind;
    if (line.empty() || line[0] == '#' || !(row >> name >> kind.bare)) {
      continue;
    }
    if (!(row >> kind.with_arguments)) {
      kind.with_arguments = kind.bare;
    }
    kinds[name] = kind;
  }
  return kinds;
}

TEST_F(BuiltinsTest, EveryBuiltinAnswersItsKindForMissingAndUnsuitableArguments) {
  std::map<std::string, ResultKinds> kinds = ReadResultKinds();
  std::ifstream names(VARNEX_TEST_DATA "/builtins/builtin_names.txt");
  int checked = 0;
  for (std::string name; std::getline(names, name);) {
    if (name.empty() || name == "evaluate_STRING") {
      continue;  // evaluates its text: there are no arguments of its own to be unsuitable
    }
    ++checked;
    const ResultKinds& kind = kinds[name];
    auto expected = [&kind](const char* first_argument) {
      return kind.with_arguments == "first-argument" ? first_argument : kind.with_arguments;
    };
    int bodies = PVFLiveBodyCount();
    EXPECT_EQ(KindOf(Call(name.c_str()).get()), kind.bare == "first-argument" ? "none" : kind.bare)
        << name << " without arguments";
    EXPECT_EQ(
        KindOf(Call(name.c_str(), {new op_logic(TRUE), new op_text("x"), new op_enum()}).get()),
        expected("logic"))
        << name << " with unsuitable arguments";
    EXPECT_EQ(PVFLiveBodyCount(), bodies) << name << " built a body from nothing";
    EXPECT_EQ(
        KindOf(Call(name.c_str(), {Num(1), Num(2), Num(3), Num(4), Num(5), Num(6), Num(7), Num(8)})
                   .get()),
        expected("real"))
        << name << " with eight numbers";
    gmod_del_all();  // the solids that eight numbers build
  }
  EXPECT_EQ(checked, 184);
  EXPECT_EQ(kinds.size(), 184u) << "builtin_results.txt lists every built-in but evaluate_STRING";
}

TEST(ParametersFromStack, CountsAndRecordsEachArgumentOnce) {
  int a = 0;
  int b = 0;
  void* args[] = {&a, &b, &a, nullptr};
  void* empty[] = {nullptr};
  void_list list;
  EXPECT_EQ(ParametersFromStack(nullptr, &list), 0);
  EXPECT_EQ(ParametersFromStack(empty, &list), 0);
  EXPECT_EQ(ParametersFromStack(args, nullptr), 3);
  EXPECT_EQ(ParametersFromStack(args, &list), 3);
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(ParametersFromStack(args, &list), 3);
  EXPECT_EQ(list.count(), 2);
}

}  // namespace
