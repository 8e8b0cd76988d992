// The live-operand registry: every operation of every family, between every pair of kinds,
// leaves exactly its result behind; ClearAritmList deletes what escaped.
#include <gtest/gtest.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/spa.h>

#include <algorithm>
#include <functional>
#include <random>

#include "model/operands/registry.h"
#include "operand_test_support.h"

namespace {

using namespace operand_test;

class FakeEntity : public ENTITY {
 public:
  explicit FakeEntity(const char* type) : type_(type) {}
  const char* type_name() const override { return type_; }

 private:
  const char* type_;
};

// One operand of every kind, each holding a typical value.
struct AllKinds {
  AllKinds() : face("face"), body("body") {
    values.add(PVMStrg("a"));
    values.add(PVMStrg("b"));
    entities.add(&body);
    entities.add(&face);
    double origin[3] = {1, 2, 3}, direction[3] = {0, 0, 1};
    kinds.emplace_back(new op_number(7));
    kinds.emplace_back(new op_zahl(2.5));
    kinds.emplace_back(new op_logic(TRUE));
    kinds.emplace_back(new op_text("abc"));
    kinds.emplace_back(new op_enum(1, &values));
    kinds.emplace_back(new op_vector(1, 2, 3));
    kinds.emplace_back(new op_axis(origin, direction));
    kinds.emplace_back(new op_geom(&entities));
    kinds.emplace_back(new op_trans(&shift));
    kinds.emplace_back(new op_reference());  // a real object would need a world
    kinds.emplace_back(new op_object());
    kinds.emplace_back(new op_connect2d());
  }
  FakeEntity face, body;
  list entities;
  VALUE_LIST<PVMStrg> values{TRUE};
  SPAtransf shift = translate_transf(SPAvector(1, 0, 0));
  std::vector<Owned> kinds;
};

// Deletes the result and tells whether the registry is back where it was.
::testing::AssertionResult LeavesOnlyItsResult(aritm* result, std::size_t before) {
  std::size_t expected = before + (result ? 1 : 0);
  if (aritm::AritmCount() != expected) {
    return ::testing::AssertionFailure()
           << "registry holds " << aritm::AritmCount() << ", expected " << expected;
  }
  delete result;
  return ::testing::AssertionResult(aritm::AritmCount() == before);
}

TEST(OperandRegistry, EveryBinaryFamilyBetweenEveryPairOfKinds) {
  ErrorRecorder quiet;
  AllKinds all;
  for (const auto& [name, operation] : Operators()) {
    for (const Owned& left : all.kinds) {
      for (const Owned& right : all.kinds) {
        std::size_t before = aritm::AritmCount();
        aritm* result = operation(left.get(), right.get());
        EXPECT_TRUE(LeavesOnlyItsResult(result, before))
            << Text(left.get()) << " " << name << " " << Text(right.get());
      }
      std::size_t before = aritm::AritmCount();
      EXPECT_TRUE(LeavesOnlyItsResult(operation(left.get(), nullptr), before)) << name;
    }
  }
}

TEST(OperandRegistry, EveryTypedAndUnaryOperationOnEveryKind) {
  ErrorRecorder quiet;
  AllKinds all;
  double xyz[3] = {1, 2, 3}, direction[3] = {0, 1, 0};
  FakeEntity edge("edge");
  SPAtransf turn = rotate_transf(1.0, SPAvector(0, 0, 1));
  using Typed = std::function<aritm*(aritm&)>;
  const Typed operations[] = {
      [](aritm& a) { return a.minus_of(); },
      [](aritm& a) { return a.inverse(); },
      [](aritm& a) { return a.not_(); },
      [](aritm& a) { return a.get_reference(); },
      [](aritm& a) { return a.add(2.0); },
      [](aritm& a) { return a.add(2); },
      [](aritm& a) { return a.add("x"); },
      [&](aritm& a) { return a.add(xyz); },
      [&](aritm& a) { return a.add(&edge); },
      [&](aritm& a) { return a.add(&all.entities); },
      [](aritm& a) { return a.add(TRUE); },
      [](aritm& a) { return a.subtract(2.0); },
      [](aritm& a) { return a.subtract(2); },
      [&](aritm& a) { return a.subtract(xyz); },
      [&](aritm& a) { return a.subtract(&all.entities); },
      [](aritm& a) { return a.multiply(2.0); },
      [](aritm& a) { return a.multiply(2); },
      [&](aritm& a) { return a.multiply(xyz); },
      [&](aritm& a) { return a.multiply(xyz, direction); },
      [&](aritm& a) { return a.multiply(&turn); },
      [&](aritm& a) { return a.multiply(&all.entities); },
      [](aritm& a) { return a.multiply(FALSE); },
      [&](aritm& a) { return a.percent(xyz); },
      [](aritm& a) { return a.percent(3); },
      [](aritm& a) { return a.divide(2.0); },
      [](aritm& a) { return a.divide(0); },
      [&](aritm& a) { return a.divide(xyz); },
      [&](aritm& a) { return a.divide(&edge); },
      [](aritm& a) { return a.equal(2.5); },
      [](aritm& a) { return a.equal("abc"); },
      [](aritm& a) { return a.equal(1, "b"); },
      [&](aritm& a) { return a.equal(xyz, direction); },
      [](aritm& a) { return a.not_equal(7); },
      [](aritm& a) { return a.not_equal(TRUE); },
      [](aritm& a) { return a.less(3.0); },
      [](aritm& a) { return a.greater_equal(3); },
      [](aritm& a) { return a.and_(TRUE); },
      [](aritm& a) { return a.or_(FALSE); },
      [](aritm& a) { return a.xor_(TRUE); },
  };
  for (const Owned& operand : all.kinds) {
    for (std::size_t i = 0; i < std::size(operations); ++i) {
      std::size_t before = aritm::AritmCount();
      aritm* result = operations[i](*operand);
      EXPECT_TRUE(LeavesOnlyItsResult(result, before)) << Text(operand.get()) << " #" << i;
    }
  }
}

TEST(OperandRegistry, SubtractionDeletesItsIntermediate) {
  op_zahl five(5), three(3);
  op_text text("t");
  std::size_t before = aritm::AritmCount();
  Owned difference(five.subtract(&three));
  EXPECT_EQ(Describe(difference.get()), "z:2");
  EXPECT_EQ(aritm::AritmCount(), before + 1);

  ErrorRecorder quiet;
  EXPECT_EQ(five.subtract(&text), nullptr);
  EXPECT_EQ(aritm::AritmCount(), before + 1);
}

// Enough operands to spread the registry over many blocks; the highest address must always be
// the last entry, whatever the order of insertion and deletion.
TEST(OperandRegistry, StaysSortedUnderRandomInsertionAndDeletion) {
  std::size_t before = aritm::AritmCount();
  std::mt19937 random(7);
  std::vector<aritm*> live;
  auto checkLast = [&] {
    if (before == 0 && !live.empty()) {
      ASSERT_EQ(varnex::model::LastRegisteredOperand(),
                *std::max_element(live.begin(), live.end(), std::less<aritm*>()));
    }
  };
  for (int round = 0; round < 4; ++round) {
    for (int i = 0; i < 1500; ++i) {
      live.push_back(new op_number(i));
    }
    std::shuffle(live.begin(), live.end(), random);
    for (int i = 0; i < 1000; ++i) {
      delete live.back();
      live.pop_back();
      checkLast();
    }
    ASSERT_EQ(aritm::AritmCount(), before + live.size());
  }
  for (aritm* operand : live) {
    delete operand;
  }
  EXPECT_EQ(aritm::AritmCount(), before);
}

TEST(OperandRegistry, ClearAritmListDeletesEveryLiveOperand) {
  for (int i = 0; i < 50; ++i) {
    new op_text("escaped");  // owned by nobody: only the registry knows them
    new op_vector(i, i, i);
  }
  op_zahl(1.0).add(2.0);  // an escaped result
  ASSERT_GE(aritm::AritmCount(), 101u);
  aritm::ClearAritmList();
  EXPECT_EQ(aritm::AritmCount(), 0u);
  aritm::ClearAritmList();
  EXPECT_EQ(aritm::AritmCount(), 0u);
}

}  // namespace
