// Shared set-up of the object-layer tests: a fresh root world per test, the ClassError reports it
// produced, and the check that the transaction space is back where it started.
#pragma once

#include <gtest/gtest.h>
#include <varnex/base/messages.h>
#include <varnex/base/transaction.h>
#include <varnex/model/hand_over.h>
#include <varnex/model/planet.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>

#include <algorithm>
#include <string>
#include <vector>

namespace varnex::test {

/// A plain named object of a given type (vector, AXIS, Geometric, ...) for tests that need only
/// names and types.
class TypedObject : public rumpf {
 public:
  TypedObject(const char* name, const char* type) : rumpf(name) { set_type(type); }
};

class ModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    start_blocks_ = TransactionLiveBlocks();
    ds_init();
    root_ = anfang;
    previous_sink_ = SetClassErrorSink(
        [this](const ClassErrorReport& report) { messages_.emplace_back(report.message); });
  }

  void TearDown() override {
    SetClassErrorSink(previous_sink_);
    anfang = root_;
    previous_world = nullptr;
    delete root_;
    anfang = nullptr;
    EXPECT_EQ(TransactionLiveBlocks(), start_blocks_) << "transaction blocks leaked";
  }

  bool Reported(const std::string& message) const {
    return std::find(messages_.begin(), messages_.end(), message) != messages_.end();
  }

  /// A new instance `name` in the current world.
  object_planet* Planet(const char* name) { return new object_planet(name); }

  /// Runs `body` inside the sub-world of `instance`.
  template <class Body>
  void Inside(object_planet* instance, Body body) {
    ASSERT_NE(instance->qualify(), nullptr);
    body();
    ASSERT_NE(requalify(), nullptr);
  }

  static std::string FullName(const rumpf* object) {
    PVMStrg out;
    return object->get_full_name(out) == nullptr ? std::string("<none>") : std::string(out);
  }

  nullwelt* root_ = nullptr;
  std::vector<std::string> messages_;

 private:
  std::size_t start_blocks_ = 0;
  ClassErrorSink previous_sink_;
};

}  // namespace varnex::test
