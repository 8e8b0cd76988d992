#include "feature_runner.h"

#include <varnex/builtins/builtins.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/language/interpreter.h>
#include <varnex/model/hand_over.h>
#include <varnex/model/instance_bodies.h>
#include <varnex/model/model.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

namespace hardening_test {
namespace {

const std::filesystem::path kFeatures = std::filesystem::path(VARNEX_SOURCE_DIR) / "features";

struct MakeOperand {
  aritm* operator()(double value) const { return new op_zahl(value); }
  aritm* operator()(long value) const { return new op_number(value); }
  aritm* operator()(const char* value) const { return new op_text(value); }
};

}  // namespace

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void RecordingMessages::Add(const char* title, const char* text) {
  messages_.push_back(std::string(title != nullptr ? title : "") + ": " +
                      (text != nullptr ? text : ""));
}

std::string RecordingMessages::All() const {
  std::string all;
  for (const std::string& message : messages_) {
    all += message + "\n";
  }
  return all;
}

void FeatureRun::SetUp() {
  saved_handler_ = std::exchange(pPVFHandleMessage, &messages_);
  NOVL_functions = new ifunc_list;
  fill_method_table();
  saved_world_ = std::exchange(anfang, nullptr);
  ds_init();
  root_ = anfang;
  library_ = std::make_unique<FEATURE_LIST>(PVMStrg(kFeatures.string().c_str()));
  pFeatureList = library_.get();
  // The library's hooks for feature calls come with its interpreter link; a static link takes
  // that object only when something names it.
  static int (*volatile keep_interpreter_link)(void_list*) = &fill_hand_over;
  (void)keep_interpreter_link;
}

void FeatureRun::TearDown() {
  pFeatureList = nullptr;
  library_.reset();
  anfang = nullptr;
  delete root_;
  anfang = saved_world_;
  delete NOVL_functions;
  NOVL_functions = nullptr;
  gmod_del_all();
  pPVFHandleMessage = saved_handler_;
}

void FeatureRun::UseLibrary(const std::string& directory) {
  library_ = std::make_unique<FEATURE_LIST>(PVMStrg(directory.c_str()));
  pFeatureList = library_.get();
}

int FeatureRun::RunText(const std::string& text, const std::vector<Parameter>& parameters) {
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    hand_over[i] = std::visit(MakeOperand{}, parameters[i]);
  }
  hand_over[parameters.size()] = nullptr;
  std::FILE* input = std::exchange(yyin, nullptr);
  int status = subparse(text.c_str());
  yyin = input;
  delete hand_over[0];
  hand_over[0] = nullptr;
  return status;
}

int FeatureRun::RunShipped(const char* name, const std::vector<Parameter>& parameters) {
  return RunText(ReadText((kFeatures / (std::string(name) + ".NVL")).string()), parameters);
}

double FeatureRun::ObjectVolume() {
  ENTITY_LIST bodies;
  if (PVFCollectInstanceBodies(search("object"), bodies) < 1) {
    return -1;
  }
  double volume = 0;
  for (int i = 0; i < bodies.count(); ++i) {
    volume += fmvolume_of_body(bodies[i]);
  }
  return volume;
}

}  // namespace hardening_test
