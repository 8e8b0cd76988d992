// Shared set-up of the model-store tests: an engine session over the test library, a model
// with instances, formulas, every object kind and three bodies, and file helpers.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>
#include <varnex/base/messages.h>
#include <varnex/geometry/basic_solids.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/spa.h>
#include <varnex/library/modeller.h>
#include <varnex/model/model.h>
#include <varnex/model/object_values.h>
#include <varnex/modelstore/model_load.h>
#include <varnex/modelstore/packages.h>
#include <varnex/persistence/model_records.h>
#include <varnex/persistence/model_registry.h>
#include <varnex/persistence/string_stream.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace varnex::test {

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class ModelSession : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("varnex_modelstore_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(dir_);
    saved_world_ = anfang;
    anfang = nullptr;
    setenv("NOVLPath", (std::string(VARNEX_TEST_DATA) + "/modelstore/").c_str(), 1);
    initialize_modeller("test");
    previous_sink_ = SetClassErrorSink([](const ClassErrorReport&) {});
  }
  void TearDown() override {
    SetClassErrorSink(previous_sink_);
    gmod_del_all();
    deinitialize_modeller();
    unsetenv("NOVLPath");
    anfang = saved_world_;
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // Two instances with formulas between them, a root object of every kind, three bodies.
  void BuildModel() {
    ASSERT_STREQ(interpret("box"), "box_@1");
    ASSERT_STREQ(interpret("box"), "box_@2");
    search("box_@2.height")->set_value_source("box_@1.volume / 100;");
    new object_zahl(2.5, "scale");
    for (double size : {1.0, 2.0, 3.0}) {
      SPAtransf applied;
      int error = 0;
      double origin[3] = {0, 0, 0};
      ENTITY* body =
          fmBlockBodyWithTrans(size, size, size, 0.0, origin, SPAtransf(), applied, error);
      ToModel(body);
    }
  }

  static double Volume(int index) { return fmvolume_of_body((*gmod_anfang)[index]); }

  static std::string WorldText() {
    PVFSStream out;
    for (welt* e = anfang->get_first(); e != nullptr; e = e->get_next()) {
      e->get_member()->Store(out);
    }
    return out.GetpStr();
  }

  std::filesystem::path dir_;

 private:
  nullwelt* saved_world_ = nullptr;
  ClassErrorSink previous_sink_;
};

}  // namespace varnex::test
