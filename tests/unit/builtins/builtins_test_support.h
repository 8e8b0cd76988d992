// A filled function table for the built-in tests, calls that own their arguments, and a check
// that every test leaves the live-operand registry as it found it.
#pragma once

#include <gtest/gtest.h>
#include <varnex/builtins/builtins.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/model/model.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace builtins_test {

using Owned = std::unique_ptr<aritm>;

class BuiltinsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    NOVL_functions = new ifunc_list;
    ASSERT_EQ(fill_method_table(), 185);
    baseline_ = aritm::AritmCount();
  }

  void TearDown() override {
    delete NOVL_functions;
    NOVL_functions = nullptr;
    gmod_del_all();  // the bodies the geometry built-ins added to the model
    // No handler may leave an operand behind: arguments and results are all deleted by now.
    EXPECT_EQ(aritm::AritmCount(), baseline_);
  }

  /// Calls the built-in `name` with `args` (taken over and deleted after the call) and returns
  /// its result; the name must be known.
  Owned Call(const char* name, std::initializer_list<aritm*> args = {}) {
    std::vector<Owned> owned;
    std::vector<aritm*> list;
    for (aritm* arg : args) {
      owned.emplace_back(arg);
      list.push_back(arg);
    }
    list.push_back(nullptr);
    aritm* result = reinterpret_cast<aritm*>(0x1);  // the call must reset the slot
    EXPECT_EQ(CallNovlFunction(name, list.data(), &result), 1) << name;
    return Owned(result);
  }

  double Number(const char* name, std::initializer_list<aritm*> args = {}) {
    Owned result = Call(name, args);
    EXPECT_TRUE(result != nullptr && result->IsOpZahl()) << name;
    return result != nullptr ? result->get_double() : -12345.0;
  }

  std::string Text(const char* name, std::initializer_list<aritm*> args = {}) {
    Owned result = Call(name, args);
    EXPECT_TRUE(result != nullptr && result->IsOpText()) << name;
    PVMStrg text;
    return result != nullptr && result->get_text(text) != nullptr ? text.GetpStr() : "<none>";
  }

 private:
  std::size_t baseline_ = 0;
};

inline aritm* Num(double value) {
  return new op_zahl(value);
}
inline aritm* Int(long value) {
  return new op_number(value);
}
inline aritm* Str(const char* text) {
  return new op_text(text);
}
inline aritm* Vec(double x, double y, double z) {
  return new op_vector(x, y, z);
}

/// The value text of an operand ("<null>" without one).
inline std::string ValueOf(aritm* operand) {
  if (operand == nullptr) {
    return "<null>";
  }
  PVMStrg text;
  return operand->GetValue(text);
}

}  // namespace builtins_test
