// A fixture that runs feature texts as the engine does when a host instantiates them: a filled
// function table, a root world, the shipped feature library for calls of other features, and a
// message handler that records what the engine tells the host.
#pragma once

#include <gtest/gtest.h>
#include <varnex/base/messages.h>
#include <varnex/library/feature_list.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

class nullwelt;

namespace hardening_test {

/// A parameter handed over: a real (distance), an integer (NUMBER) or a text.
using Parameter = std::variant<double, long, const char*>;

/// Records every message the engine hands to the host.
class RecordingMessages : public PVFHandleMessage {
 public:
  void Error(const char* title, const char* text) override { Add(title, text); }
  void Warning(const char* title, const char* text) override { Add(title, text); }
  void Information(const char* title, const char* text) override { Add(title, text); }
  /// Every message as "title: text", one a line.
  std::string All() const;

 private:
  void Add(const char* title, const char* text);
  std::vector<std::string> messages_;
};

class FeatureRun : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  /// Reads the feature library for calls of other features from `directory` instead of the
  /// shipped one.
  void UseLibrary(const std::string& directory);
  /// Runs `text` (a feature text) with the leading parameters in hand_over; 0 when it ran.
  int RunText(const std::string& text, const std::vector<Parameter>& parameters = {});
  /// Runs the shipped feature `name` (features/NAME.NVL).
  int RunShipped(const char* name, const std::vector<Parameter>& parameters = {});
  /// The volume of the bodies the instance's object holds, or -1 when it holds none.
  double ObjectVolume();

  RecordingMessages messages_;

 private:
  std::unique_ptr<FEATURE_LIST> library_;
  nullwelt* saved_world_ = nullptr;
  nullwelt* root_ = nullptr;
  PVFHandleMessage* saved_handler_ = nullptr;
};

/// The text of a file, empty when it cannot be read.
std::string ReadText(const std::string& path);

}  // namespace hardening_test
