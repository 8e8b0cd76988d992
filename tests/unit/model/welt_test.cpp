// Worlds: inclusion and removal, the sorted name index at many objects in every insertion order,
// renaming, moving elements between worlds and deleting whole worlds.
#include <numeric>
#include <random>

#include "model_fixture.h"

namespace varnex::test {
namespace {

std::string NameOf(int i) {
  return "obj" + std::to_string(i);
}

TEST_F(ModelTest, DuplicateNamesAreRefusedAndTheFirstKept) {
  auto* first = new TypedObject("a", "Zahl");
  auto* second = new TypedObject("a", "Zahl");
  EXPECT_TRUE(Reported("object a already existing"));
  EXPECT_EQ(search("a"), first);
  EXPECT_EQ(second->get_first_world(), nullptr);
  EXPECT_EQ(root_->get_count(), 1);
  delete second;  // belongs to no world: deleting it leaves the first alone
  EXPECT_EQ(search("a"), first);
  EXPECT_EQ(root_->get_count(), 1);
}

TEST_F(ModelTest, ObjectsWithoutWorld) {
  nullwelt* saved = anfang;
  anfang = nullptr;
  auto* orphan = new TypedObject("x", "Zahl");
  EXPECT_TRUE(Reported("ZIDIRA not initialised"));
  EXPECT_STREQ(orphan->get_name(), "");
  anfang = saved;
  EXPECT_EQ(FullName(orphan), "<none>");
  EXPECT_TRUE(Reported("first == NULL"));
  delete orphan;
  auto* unnamed = new rumpf(static_cast<const char*>(nullptr));
  EXPECT_TRUE(Reported("no _pcName specified"));
  EXPECT_EQ(unnamed->get_first_world(), nullptr);
  delete unnamed;
}

TEST_F(ModelTest, RemovalKeepsTheChainAndCountConsistent) {
  std::vector<rumpf*> objects;
  for (int i = 0; i < 5; ++i) {
    objects.push_back(new TypedObject(NameOf(i).c_str(), "Zahl"));
  }
  delete objects[2];  // middle
  delete objects[4];  // last
  delete objects[0];  // first
  EXPECT_EQ(root_->get_count(), 2);
  EXPECT_EQ(root_->get_first()->get_member(), objects[1]);
  EXPECT_EQ(root_->get_last()->get_member(), objects[3]);
  EXPECT_EQ(root_->get_first()->get_previous(), root_);
  EXPECT_EQ(search("obj2"), nullptr);
  EXPECT_EQ(search("obj3"), objects[3]);
}

enum class Order { kAscending, kDescending, kShuffled };

class NameIndexTest : public ModelTest, public ::testing::WithParamInterface<Order> {};

// Every object must be found by binary search, whatever order the names arrived in, and removed
// names must vanish from the index.
TEST_P(NameIndexTest, FindsEveryObjectInAnyInsertionOrder) {
  constexpr int kCount = 5000;
  std::vector<int> order(kCount);
  std::iota(order.begin(), order.end(), 0);
  if (GetParam() == Order::kDescending) {
    std::reverse(order.begin(), order.end());
  } else if (GetParam() == Order::kShuffled) {
    std::shuffle(order.begin(), order.end(), std::mt19937(42));
  }
  std::vector<rumpf*> objects(kCount);
  for (int i : order) {
    objects[i] = new TypedObject(NameOf(i).c_str(), "Zahl");
  }
  ASSERT_EQ(root_->get_count(), kCount);
  ASSERT_TRUE(root_->HasNameIndex());
  for (int i = 0; i < kCount; ++i) {
    ASSERT_EQ(root_->find(NameOf(i).c_str()), objects[i]) << i;
  }
  EXPECT_EQ(root_->find("obj"), nullptr);
  EXPECT_EQ(root_->find("obj5000"), nullptr);
  EXPECT_EQ(root_->find("Obj1"), nullptr);  // case-sensitive
  for (int i = 0; i < kCount; i += 2) {
    delete objects[i];
  }
  for (int i = 0; i < kCount; ++i) {
    ASSERT_EQ(root_->find(NameOf(i).c_str()), i % 2 == 0 ? nullptr : objects[i]) << i;
  }
  EXPECT_EQ(root_->get_count(), kCount / 2);
}

INSTANTIATE_TEST_SUITE_P(Orders, NameIndexTest,
                         ::testing::Values(Order::kAscending, Order::kDescending,
                                           Order::kShuffled));

TEST_F(ModelTest, ClearedIndexFallsBackToScansAndCalibrates) {
  for (int i = 0; i < 100; ++i) {
    new TypedObject(NameOf(i).c_str(), "Zahl");
  }
  root_->ClearSortedList();
  EXPECT_FALSE(root_->HasNameIndex());
  EXPECT_NE(root_->find("obj17"), nullptr);
  root_->CalibrateSortedWithNullWelt();
  EXPECT_TRUE(root_->HasNameIndex());
  EXPECT_NE(root_->find("obj17"), nullptr);
  EXPECT_EQ(root_->find("obj100"), nullptr);
}

TEST_F(ModelTest, LargeSubworldsAreIndexedToo) {
  object_planet* p = Planet("p");
  std::vector<rumpf*> objects;
  Inside(p, [&] {
    for (int i = 0; i < 300; ++i) {
      objects.push_back(new TypedObject(NameOf(i).c_str(), "Zahl"));
    }
  });
  EXPECT_TRUE(p->get_subworld()->HasNameIndex());
  for (int i = 0; i < 300; ++i) {
    ASSERT_EQ(search(("p." + NameOf(i)).c_str()), objects[i]);
  }
}

TEST_F(ModelTest, RenamingFollowsInTheIndex) {
  std::vector<rumpf*> objects;
  for (int i = 0; i < 200; ++i) {
    objects.push_back(new TypedObject(NameOf(i).c_str(), "Zahl"));
  }
  EXPECT_EQ(objects[10]->set_name("renamed"), 1);
  EXPECT_EQ(search("renamed"), objects[10]);
  EXPECT_EQ(search("obj10"), nullptr);
  EXPECT_EQ(objects[11]->set_name("renamed"), 0);  // taken
  EXPECT_TRUE(Reported("object renamed already existing"));
  EXPECT_EQ(search("obj11"), objects[11]);
  EXPECT_EQ(objects[12]->set_name(nullptr), 0);
  EXPECT_EQ(objects[12]->set_name("obj12"), 0);
}

TEST_F(ModelTest, DefaultConstructedObjectsAreNamedLater) {
  auto* object = new rumpf();
  EXPECT_EQ(object->get_first_world(), root_);
  EXPECT_STREQ(object->get_alias_type(), "");
  EXPECT_EQ(object->set_name("restored"), 1);
  EXPECT_EQ(search("restored"), object);
  auto* next = new rumpf();  // the empty name is free again
  EXPECT_EQ(next->get_first_world(), root_);
}

TEST_F(ModelTest, ChgWeltMovesEveryElement) {
  object_planet* from = Planet("from");
  object_planet* to = Planet("to");
  rumpf *a = nullptr, *b = nullptr, *c = nullptr;
  Inside(from, [&] {
    a = new TypedObject("a", "Zahl");
    b = new TypedObject("b", "Zahl");
  });
  Inside(to, [&] { c = new TypedObject("c", "Zahl"); });
  EXPECT_EQ(to->get_subworld()->ChgWelt(from->get_subworld()), FALSE);
  EXPECT_EQ(to->get_subworld()->ChgWelt(from->get_subworld()), TRUE);  // now empty
  EXPECT_EQ(to->get_subworld()->ChgWelt(nullptr), TRUE);
  EXPECT_EQ(from->get_subworld()->get_count(), 0);
  EXPECT_EQ(to->get_subworld()->get_count(), 3);
  EXPECT_EQ(search("to.a"), a);
  EXPECT_EQ(search("to.b"), b);
  EXPECT_EQ(search("to.c"), c);
  EXPECT_EQ(search("from.a"), nullptr);
  EXPECT_EQ(a->get_first_world(), to->get_subworld());
  EXPECT_EQ(FullName(b), "to.b");
}

TEST_F(ModelTest, WeltElementLinks) {
  welt head;
  auto* one = new welt;
  auto* two = new welt;
  EXPECT_EQ(head.InsertAfterWorld(nullptr), FALSE);
  EXPECT_EQ(head.InsertAfterWorld(two), TRUE);
  EXPECT_EQ(head.InsertAfterWorld(one), TRUE);  // head, one, two
  EXPECT_EQ(head.get_next(), one);
  EXPECT_EQ(one->get_next(), two);
  EXPECT_EQ(two->get_previous(), one);
  welt* last = head.RemoveLastWorld();
  EXPECT_EQ(last, two);
  EXPECT_EQ(one->get_next(), nullptr);
  delete last;
  delete one;  // unlinks itself from head
  EXPECT_EQ(head.get_next(), nullptr);
  EXPECT_EQ(head.RemoveLastWorld(), nullptr);
}

TEST_F(ModelTest, StackOfEnteredWorlds) {
  nullwelt world;
  nullwelt a, b;
  EXPECT_EQ(world.pop(), nullptr);
  EXPECT_EQ(world.push(&a), &world);
  world.push(&b);
  EXPECT_EQ(world.get_previous(), &b);
  EXPECT_EQ(world.pop(), &b);
  EXPECT_EQ(world.pop(), &a);
  EXPECT_EQ(world.get_previous(), nullptr);
  EXPECT_EQ(world.ChgSuperworld(nullptr, &a), 1);
  EXPECT_EQ(world.ChgSuperworld(&a, &b), 1);  // a root world has no superworld
}

// Deleting a root world with nested instances and cross references releases every transaction
// block; the fixture's tear-down checks the count after deleting its own root world.
TEST(WorldDeletion, FreesEveryTransactionBlock) {
  std::size_t before = TransactionLiveBlocks();
  nullwelt* saved = anfang;
  anfang = nullptr;
  ds_init();
  nullwelt* root = anfang;
  for (int i = 0; i < 50; ++i) {
    auto* instance = new object_planet(("inst" + std::to_string(i)).c_str());
    instance->set_alias_type("box");
    instance->qualify();
    for (int j = 0; j < 80; ++j) {  // beyond the sub-world index threshold
      auto* object = new TypedObject(("m" + std::to_string(j)).c_str(), "Zahl");
      object->set_value_source("len + 1;");
      PVMStrg restriction("VALUE > 0");
      object->AddRestriction(restriction);
    }
    auto* nested = new object_planet("nested");
    nested->qualify();
    new TypedObject("deep", "vector");
    requalify();
    requalify();
    if (i == 0) {
      new TypedObject("len", "Zahl");
    }
  }
  EXPECT_GT(TransactionLiveBlocks(), before);
  delete root;
  EXPECT_EQ(anfang, nullptr);
  EXPECT_EQ(TransactionLiveBlocks(), before);
  anfang = saved;
}

}  // namespace
}  // namespace varnex::test
