// Pointer lists, value lists and string lists: order, uniqueness and index bookkeeping.
#include <gtest/gtest.h>
#include <varnex/base/rvoid_list.h>
#include <varnex/base/string_list.h>
#include <varnex/base/value_list.h>
#include <varnex/base/void_list.h>

#include <algorithm>
#include <random>
#include <unordered_map>
#include <vector>

namespace {

void* P(std::intptr_t n) {
  return reinterpret_cast<void*>(n);
}

TEST(VoidList, UniqueListKeepsFirstIndex) {
  void_list list(TRUE);
  EXPECT_EQ(list.add(P(1)), 0);
  EXPECT_EQ(list.add(P(2)), 1);
  EXPECT_EQ(list.add(P(1)), 0);
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.insert(P(2), 0), 0) << "a unique insert moves the element";
  EXPECT_EQ(list[0], P(2));
  EXPECT_EQ(list[1], P(1));
  EXPECT_EQ(list.count(), 2);
}

TEST(VoidList, InsertOutsideAppendsAndRemoveIgnoresBadIndexes) {
  void_list list;
  list.add(P(1));
  list.add(P(1));
  EXPECT_EQ(list.count(), 2) << "a plain list keeps duplicates";
  EXPECT_EQ(list.insert(P(3), 99), 2);
  EXPECT_EQ(list.insert(P(4), -1), 3);
  list.remove(17);
  list.remove(-1);
  EXPECT_EQ(list.count(), 4);
  EXPECT_EQ(list[4], nullptr);
  EXPECT_EQ(list[-1], nullptr);
  EXPECT_EQ(list.lookup(P(9)), -1);
  EXPECT_EQ(list.lookup(P(9), TRUE), 4);
  list.remove(P(1));
  EXPECT_EQ(list[0], P(1)) << "removing a pointer removes its first occurrence only";
  EXPECT_EQ(list.count(), 4);
}

TEST(VoidList, OrderSurvivesGrowthAndCopies) {
  GENERIC_LIST<int> list;
  std::vector<int> values(1000);
  for (int& v : values) {
    list.add(&v);
  }
  std::unique_ptr<void_list> copy(list.copy());
  list.Clear();
  EXPECT_EQ(list.count(), 0);
  ASSERT_EQ(copy->count(), 1000);
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ((*copy)[i], &values[i]);
  }
}

// A random walk of adds, inserts and removals, checked against a plain vector after each
// step: positions and membership must always agree.
TEST(RvoidList, IndexStaysTrueUnderRandomEdits) {
  rvoid_list list;
  std::vector<void*> reference;
  std::mt19937 random(7);
  for (int step = 0; step < 3000; ++step) {
    void* p = P(1 + random() % 200);
    switch (random() % 4) {
      case 0:
        list.add(p);
        if (std::find(reference.begin(), reference.end(), p) == reference.end()) {
          reference.push_back(p);
        }
        break;
      case 1: {
        int at = static_cast<int>(random() % (reference.size() + 2));
        list.insert(p, at);
        reference.erase(std::remove(reference.begin(), reference.end(), p), reference.end());
        reference.insert(
            at < static_cast<int>(reference.size()) ? reference.begin() + at : reference.end(), p);
        break;
      }
      case 2:
        list.remove(p);
        reference.erase(std::remove(reference.begin(), reference.end(), p), reference.end());
        break;
      default: {
        unsigned at = static_cast<unsigned>(random() % (reference.size() + 1));
        list.remove(at);
        if (at < reference.size()) {
          reference.erase(reference.begin() + at);
        }
      }
    }
    ASSERT_EQ(list.count(), static_cast<int>(reference.size()));
    for (std::size_t i = 0; i < reference.size(); ++i) {
      ASSERT_EQ(list[static_cast<unsigned>(i)], reference[i]);
      ASSERT_EQ(list.lookup(reference[i]), static_cast<int>(i));
    }
  }
  list.clear();
  EXPECT_TRUE(list.empty());
  EXPECT_FALSE(list.contains(P(1)));
}

TEST(ValueList, UniqueValues) {
  VALUE_LIST<PVMStrg> unique(TRUE);
  EXPECT_EQ(unique.add("a"), 0);
  EXPECT_EQ(unique.add("b"), 1);
  EXPECT_EQ(unique.add("a"), 0);
  EXPECT_EQ(unique.count(), 2);
  EXPECT_EQ(unique.lookup("b"), 1);
  unique.remove(0);
  EXPECT_STREQ(unique[0], "b");
}

TEST(StringList, OrderUniquenessAndTransactionSpace) {
  std::size_t before = TransactionLiveBlocks();
  {
    PVFRStringList list(TRUE);
    EXPECT_EQ(list.Add("b"), 1);
    EXPECT_EQ(list.Add("b"), 1);
    EXPECT_EQ(list.Insert("a", 0), 2);
    EXPECT_EQ(list.Insert("c", 99), 3);
    EXPECT_EQ(list.Insert("ab", 1), 4);
    EXPECT_STREQ(list[0], "a");
    EXPECT_STREQ(list[1], "ab");
    EXPECT_STREQ(list[3], "c");
    EXPECT_EQ(list[4], nullptr);
    EXPECT_EQ(list.Lookup("B"), -1) << "case-sensitive";
    EXPECT_TRUE(list.Remove("c"));
    EXPECT_EQ(list.Add("d"), 4) << "the tail pointer follows a removed last element";
    EXPECT_STREQ(list[3], "d");
    PVMStrg out;
    EXPECT_STREQ(list.At(out, 2), "b");
    EXPECT_EQ(list.At(out, 7), nullptr);
    PVFRStringList copy(list);
    list.Clear();
    EXPECT_EQ(copy.Count(), 4);
    EXPECT_GT(TransactionLiveBlocks(), before);
  }
  EXPECT_EQ(TransactionLiveBlocks(), before) << "every element returned to the space";
}

}  // namespace

namespace {

// The flat index must agree with a reference map through growth and backward-shift deletion,
// including clusters that wrap around the end of the table.
TEST(PointerIndexTest, AgreesWithReferenceMap) {
  PointerIndex index;
  std::unordered_map<const void*, std::size_t> reference;
  std::mt19937 random(11);
  for (int step = 0; step < 20000; ++step) {
    const void* key = P(16 * (1 + random() % 3000));
    if (random() % 3 == 0) {
      EXPECT_EQ(index.erase(key), reference.erase(key) == 1);
    } else {
      index.set(key, step);
      reference[key] = step;
    }
    if (step % 97 == 0) {
      ASSERT_EQ(index.size(), reference.size());
      for (const auto& [k, v] : reference) {
        ASSERT_EQ(index.find(k), v);
      }
    }
  }
  EXPECT_EQ(index.find(P(16 * 5000)), PointerIndex::kMissing);
  index.clear();
  // Megabyte-strided addresses all share their low bits: the index must stay correct when it
  // switches to scattering them.
  for (std::intptr_t i = 1; i <= 5000; ++i) {
    index.set(P(i << 20), static_cast<std::size_t>(i));
  }
  for (std::intptr_t i = 1; i <= 5000; i += 7) {
    ASSERT_TRUE(index.erase(P(i << 20)));
  }
  for (std::intptr_t i = 1; i <= 5000; ++i) {
    ASSERT_EQ(index.find(P(i << 20)), i % 7 == 1 ? PointerIndex::kMissing : std::size_t(i));
  }
  index.clear();
  EXPECT_EQ(index.find(P(16)), PointerIndex::kMissing);
}

}  // namespace
