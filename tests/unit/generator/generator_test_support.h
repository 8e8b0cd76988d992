// Shared pieces of the generator tests: an engine session over the features in
// tests/data/generator, feature nodes with chosen parameters, and body measures.
#pragma once

#include <gtest/gtest.h>
#include <varnex/generator/generator.h>
#include <varnex/varnex.h>

#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace varnex::test {

inline std::string GeneratorData(const std::string& name) {
  return std::string(VARNEX_TEST_DATA) + "/generator/" + name;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

/// What `varnex check` accepts as a library name: a feature's function or entity name.
inline bool IsLibraryName(const std::string& name) {
  const PVMStrg wanted(name.c_str());
  if (pFeatureList == nullptr || pFeatureList->GetFeatureByFunction(wanted) != nullptr) {
    return pFeatureList != nullptr;
  }
  for (int i = 0; i < pFeatureList->Count(); ++i) {
    PVMStrg entity;
    if (wanted == (*pFeatureList)[i]->GetEntityName(entity)) {
      return true;
    }
  }
  return false;
}

/// An engine session over tests/data/generator: initialize_modeller on set-up,
/// deinitialize_modeller and every body deleted on tear-down.
class GeneratorSession : public testing::Test {
 protected:
  void SetUp() override {
    saved_world_ = anfang;
    anfang = nullptr;
    setenv("NOVLPath", GeneratorData("").c_str(), 1);
    initialize_modeller("generator_test");
  }
  void TearDown() override {
    deinitialize_modeller();
    gmod_del_all();
    unsetenv("NOVLPath");
    anfang = saved_world_;
  }

  /// A feature node over a new instance of `feature`, its parameters given as NAME=VALUE
  /// texts (copies of the parameter records are set, so the library's defaults stay).
  static PDTfeat* Feature(const char* feature, std::initializer_list<const char*> values = {}) {
    Featurelist_Element* element = pFeatureList->GetFeatureByName(PVMStrg(feature));
    if (element == nullptr) {
      return nullptr;
    }
    void_list* parameters = element->get_paralist();
    std::vector<std::unique_ptr<HANDOVER_PARAMETER>> copies;
    void_list handed;
    for (int i = 0; parameters != nullptr && i < parameters->count(); ++i) {
      copies.push_back(std::make_unique<HANDOVER_PARAMETER>(
          *static_cast<HANDOVER_PARAMETER*>((*parameters)[i])));
      handed.add(copies.back().get());
    }
    for (const char* assignment : values) {
      std::string text(assignment);
      std::size_t equals = text.find('=');
      PVMStrg name(text.substr(0, equals).c_str());
      HANDOVER_PARAMETER* parameter = nullptr;
      for (auto& copy : copies) {
        parameter = copy->Name() == name ? copy.get() : parameter;
      }
      if (parameter == nullptr ||
          parameter->Set(PVMStrg(text.substr(equals + 1).c_str())) == nullptr) {
        return nullptr;
      }
    }
    fill_hand_over(&handed);
    auto* node = new PDTfeat(feature, feature, nullptr);
    return node->IsCorrupt() ? nullptr : node;
  }

  /// The text of `generator` generated as feature `name`, checked clean and put into the
  /// library; empty on failure.
  static std::string Publish(PVFMtfPartTree& generator, const char* name) {
    EXPECT_TRUE(generator.SetFeatureName(PVMStrg(name)));
    if (generator.CreateFeatureDescription()) {
      ADD_FAILURE() << generator.GetError().GetpStr();
      return {};
    }
    PVMStrg text;
    generator.GetNvlDescription(text);
    std::string findings;
    NovlCheckText(
        text.GetpStr(),
        [&findings](const NovlFinding& f) {
          findings += std::to_string(f.line) + ": " + f.name + "\n";
        },
        IsLibraryName);
    EXPECT_EQ(findings, "") << text.GetpStr();
    pFeatureList->ReplaceFeature(PVMStrg((std::string(name) + ".NVL").c_str()), text);
    return text.GetpStr();
  }

  static double Volume(PDTnode* node) {
    ENTITY* body = node != nullptr ? node->get_body() : nullptr;
    return body != nullptr ? fmvolume_of_body(body) : -1.0;
  }

  static int FaceCount(PDTnode* node) {
    ENTITY* body = node != nullptr ? node->get_body() : nullptr;
    ENTITY_LIST faces;
    if (body == nullptr || !api_get_faces(body, faces).ok()) {
      return -1;
    }
    return faces.count();
  }

  /// `actual` gives the solid of the tree `expected` stands in: same volume, same face count.
  static void ExpectSameSolid(PDTnode* expected, PDTnode* actual) {
    ASSERT_NE(actual, nullptr);
    double v0 = Volume(expected->top()), v1 = Volume(actual);
    EXPECT_GT(v0, 0.0);
    EXPECT_NEAR(v1, v0, 1e-6 * v0);
    EXPECT_EQ(FaceCount(actual), FaceCount(expected->top()));
  }

 private:
  nullwelt* saved_world_ = nullptr;
};

}  // namespace varnex::test
