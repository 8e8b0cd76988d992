// Shared pieces of the dependency-tree tests: an engine session over the test features in
// tests/data/tree, node helpers, and a stand-in node whose sign a test chooses.
#pragma once

#include <gtest/gtest.h>
#include <varnex/varnex.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace varnex::test {

/// An engine session over tests/data/tree: initialize_modeller on set-up, deinitialize_modeller
/// and every body deleted on tear-down.
class TreeSession : public testing::Test {
 protected:
  void SetUp() override {
    saved_world_ = anfang;
    anfang = nullptr;
    setenv("NOVLPath", (std::string(VARNEX_TEST_DATA) + "/tree/").c_str(), 1);
    initialize_modeller("tree_test");
  }
  void TearDown() override {
    deinitialize_modeller();
    gmod_del_all();
    unsetenv("NOVLPath");
    anfang = saved_world_;
  }

  /// A feature node over a new instance of `feature` with its defaults.
  static PDTfeat* Feature(const char* feature) { return new PDTfeat(feature, feature, nullptr); }

  /// A feature node with the parameters given as NAME=VALUE texts.
  /// Copies of the parameter records are set, so the library's defaults stay as they are.
  static PDTfeat* Feature(const char* feature, std::initializer_list<const char*> values) {
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
        PVMStrg own;
        copy->GetName(own);
        parameter = own == name ? copy.get() : parameter;
      }
      if (parameter == nullptr ||
          parameter->Set(PVMStrg(text.substr(equals + 1).c_str())) == nullptr) {
        return nullptr;
      }
    }
    fill_hand_over(&handed);
    return Feature(feature);
  }

  static double Volume(PDTnode* node) {
    ENTITY* body = node != nullptr ? node->get_body() : nullptr;
    return body != nullptr ? fmvolume_of_body(body) : -1.0;
  }

 private:
  nullwelt* saved_world_ = nullptr;
};

/// A node whose sign the test sets: a root in free_nodes and a member of all_nodes.
class SignedNode : public PDTnode {
 public:
  SignedNode(const char* name, int sign) : PDTnode("PDTfeat", name, 0, nullptr), sign_(sign) {
    all_nodes->add(this);
  }
  int get_sign() override { return sign_; }

 private:
  int sign_;
};

inline constexpr double kPi = 3.14159265358979323846;

}  // namespace varnex::test
