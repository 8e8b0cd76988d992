// Hand-over operands made from parameter records, and feature calls resolved through the
// feature library.
#include <gtest/gtest.h>
#include <varnex/language/interpreter.h>
#include <varnex/library/feature_list.h>
#include <varnex/library/handover_parameter.h>
#include <varnex/model/model.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

std::string ValueText(aritm* operand) {
  PVMStrg text;
  return operand != nullptr ? operand->GetValue(text) : "null";
}

class FillHandOver : public testing::Test {
 protected:
  void TearDown() override {
    for (std::size_t i = 0; hand_over[i] != nullptr; ++i) {
      delete hand_over[i];
      hand_over[i] = nullptr;
    }
  }
  void Add(const char* name, const char* type, const char* value, const char* restraints) {
    owned_.push_back(std::make_unique<HANDOVER_PARAMETER>(name, type, value, restraints));
    parameters_.add(owned_.back().get());
  }

  std::vector<std::unique_ptr<HANDOVER_PARAMETER>> owned_;
  GENERIC_LIST<HANDOVER_PARAMETER> parameters_;
};

TEST_F(FillHandOver, MakesOneOperandPerParameterOfItsKind) {
  Add("w", "distance", "2.5", "{VALUE > 1; VALUE < 10}");
  Add("n", "NUMBER", "3", nullptr);
  Add("t", "STRING", "'top'", nullptr);
  Add("v", "vector", "[1, 2, 3]", nullptr);
  Add("on", "LOGIC", "TRUE", nullptr);
  Add("e", "ENUMERATION_OF(red, green)", "green", nullptr);
  Add("f", "feature_plate", nullptr, nullptr);
  ASSERT_EQ(fill_hand_over(&parameters_), 1);
  ASSERT_EQ(hand_over.count(), 7u);
  EXPECT_TRUE(hand_over[0]->IsOpZahl());
  EXPECT_EQ(ValueText(hand_over[0]), "2.5");
  VALUE_LIST<PVMStrg> restrictions;
  EXPECT_EQ(hand_over[0]->GetRestrictions(&restrictions), 2);
  EXPECT_STREQ(restrictions[1].GetpStr(), " VALUE < 10");
  EXPECT_TRUE(hand_over[1]->IsOpNumber());
  EXPECT_EQ(ValueText(hand_over[2]), "'top'");
  EXPECT_TRUE(hand_over[3]->IsOpVector());
  EXPECT_EQ(hand_over[4]->get_LOGICAL(), TRUE);
  ASSERT_TRUE(hand_over[5]->IsOpEnum());
  EXPECT_STREQ(hand_over[5]->get_enum_val(), "green");
  EXPECT_TRUE(hand_over[6]->IsOpObject());
}

TEST_F(FillHandOver, AParameterWithoutTypeUndoesTheList) {
  Add("w", "distance", "2.5", nullptr);
  Add("x", nullptr, "1", nullptr);
  EXPECT_EQ(fill_hand_over(&parameters_), -1);
  EXPECT_EQ(hand_over[0], nullptr);
  EXPECT_EQ(fill_hand_over(nullptr), -1);
}

TEST_F(FillHandOver, AnEmptyListGivesAnEmptyHandOver) {
  EXPECT_EQ(fill_hand_over(&parameters_), 1);
  EXPECT_EQ(hand_over[0], nullptr);
}

TEST(LibraryCalls, AFunctionNameFindsTheLibrarysFeature) {
  nullwelt* saved = anfang;
  anfang = nullptr;
  ds_init();
  nullwelt* root = anfang;
  std::ifstream in(std::string(VARNEX_TEST_DATA) + "/language/box.NVL");
  std::stringstream text;
  text << in.rdbuf();
  FEATURE_LIST library;
  library.AddFeature(PVMStrg("box.NVL"), PVMStrg(text.str()));
  FEATURE_LIST* previous = pFeatureList;
  pFeatureList = &library;

  std::unique_ptr<aritm> volume(evaluate_string("make_box(2, 3, 4);"));
  EXPECT_EQ(ValueText(volume.get()), "24");
  EXPECT_NE(search("make_box"), nullptr);

  pFeatureList = previous;
  anfang = nullptr;
  delete root;
  anfang = saved;
}

}  // namespace
