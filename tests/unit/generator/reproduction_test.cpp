// Reproductions in generated features: the shipped Repro_Matrix reproduces the features its
// input list refers to; the generator reads that list from the model, rebuilds it from the
// chosen nodes, and the generated feature gives the solid the tree gives.
#include <initializer_list>
#include <memory>

#include "generator/generator_internal.h"
#include "generator_test_support.h"

namespace {

using varnex::test::GeneratorSession;
using varnex::test::ReadFile;

constexpr double kPi = 3.14159265358979323846;

class Reproduction : public GeneratorSession {
 protected:
  void SetUp() override {
    GeneratorSession::SetUp();
    // The shipped reproduction feature joins the test library.
    std::string text = ReadFile(std::string(VARNEX_SOURCE_DIR) + "/features/Repro_Matrix.NVL");
    ASSERT_FALSE(text.empty());
    ASSERT_NE(pFeatureList->ReplaceFeature(PVMStrg("Repro_Matrix.NVL"), PVMStrg(text.c_str())),
              nullptr);
  }

  // The input list `name` as a host builds it: element i refers to the nodes elements[i].
  static bool InputList(const std::string& name,
                        const std::vector<std::vector<PDTnode*>>& elements) {
    PVMStrg error;
    rumpf* list = PVFMtfReproFeatNode::CreateInputList(PVMStrg(name.c_str()), elements, error);
    EXPECT_NE(list, nullptr) << error.GetpStr();
    return list != nullptr;
  }

  // Generates feature `name` from `nodes` where generation must be refused: no text comes out,
  // and the refusal's message is returned.
  static std::string RefusalOf(std::initializer_list<PDTnode*> nodes, const char* name) {
    GENERIC_LIST<PDTnode> chosen;
    for (PDTnode* node : nodes) {
      chosen.add(node);
    }
    PVFMtfPartTree generator;
    EXPECT_EQ(generator.AddNodes(&chosen), static_cast<int>(nodes.size()));
    EXPECT_TRUE(generator.SetFeatureName(PVMStrg(name)));
    EXPECT_TRUE(generator.CreateFeatureDescription());
    PVMStrg text;
    EXPECT_EQ(std::string(generator.GetNvlDescription(text)), "");
    return generator.GetError().GetpStr();
  }
};

TEST_F(Reproduction, ShippedFeatureReproducesTheReferencedShapes) {
  PDTfeat* front = Feature("hole", {"x=-45", "y=-25"});
  PDTfeat* back = Feature("hole", {"x=-45", "y=25"});
  ASSERT_TRUE(front && back);
  ASSERT_TRUE(InputList("holes", {{front, back}}));
  PDTfeat* row = Feature("Repro_Matrix", {"inputs=holes", "count1=3", "pitch1=20.0"});
  ASSERT_NE(row, nullptr);
  EXPECT_NEAR(Volume(row), 6 * kPi * 16 * 200, 1e-6 * 6 * kPi * 16 * 200);
  EXPECT_EQ(row->get_sign(), PDT_SIGN_NEGATIVE);     // reproduced holes stay holes
  EXPECT_NEAR(Volume(front), kPi * 16 * 200, 1e-3);  // the inputs keep their shapes
}

TEST_F(Reproduction, ReadingTheModelFillsTheElementsInOrder) {
  PDTfeat* front = Feature("hole", {"x=-45", "y=-25"});
  PDTfeat* back = Feature("hole", {"x=-45", "y=25"});
  PDTfeat* side = Feature("hole", {"x=45", "y=0"});
  ASSERT_TRUE(front && back && side);
  ASSERT_TRUE(InputList("holes", {{front, back}, {side}}));
  PDTfeat* row = Feature("Repro_Matrix", {"inputs=holes", "count1=3", "pitch1=20.0"});
  ASSERT_NE(row, nullptr);

  GENERIC_LIST<PDTnode> chosen;
  for (PDTnode* node : {static_cast<PDTnode*>(front), static_cast<PDTnode*>(back),
                        static_cast<PDTnode*>(side), static_cast<PDTnode*>(row)}) {
    chosen.add(node);
  }
  PVFMtfPartTree generator;
  ASSERT_EQ(generator.AddNodes(&chosen), 4);
  auto* repro = dynamic_cast<PVFMtfReproFeatNode*>(generator.GetWrapper(3));
  ASSERT_NE(repro, nullptr);
  ASSERT_EQ(repro->GetElementCount(), 2);
  const std::vector<std::vector<PDTnode*>> expected = {{front, back}, {side}};
  for (int i = 0; i < 2; ++i) {
    const VALUE_LIST<PVMStrg>& references = *repro->GetInputReferences(i);
    ASSERT_EQ(references.count(), static_cast<int>(expected[i].size())) << i;
    for (int k = 0; k < references.count(); ++k) {
      EXPECT_EQ(std::string(references[k].GetpStr()), expected[i][k]->get_name()) << i << k;
    }
  }
  EXPECT_EQ(repro->GetInputReferences(2), nullptr);
  // The model's list is no parameter of the new feature: the generated text passes its own.
  VALUE_LIST<PVFMtfFreeParameter> parameters;
  generator.GetFreeParameter(&parameters);
  for (int i = 0; i < parameters.count(); ++i) {
    EXPECT_EQ(std::string(parameters[i].GetOldName().GetpStr()).find(".inputs"), std::string::npos);
  }

  for (auto [node, name] : {std::pair<PDTnode*, const char*>{front, "front"},
                            {back, "back"},
                            {side, "side"},
                            {row, "row"}}) {
    ASSERT_TRUE(generator.SetSubFeatureName(PVMStrg(node->get_name()), PVMStrg(name)));
  }
  std::string text = Publish(generator, "hole_rows");
  EXPECT_NE(text.find("\t\trow_ReproReferenceList_0 := init_objectlist "
                      "('row_ReproReferenceList_0', 'repro_reflist');\n"
                      "\t\tadd_objectlist (row_ReproReferenceList_0, front, 'reference_0');\n"
                      "\t\tadd_objectlist (row_ReproReferenceList_0, back, 'reference_1');\n"
                      "\t\tadd_objectlist (row_ReproInputList, row_ReproReferenceList_0, "
                      "'element_0');\n\n"
                      "\t\trow_ReproReferenceList_1 := init_objectlist "
                      "('row_ReproReferenceList_1', 'repro_reflist');\n"
                      "\t\tadd_objectlist (row_ReproReferenceList_1, side, 'reference_0');\n"
                      "\t\tadd_objectlist (row_ReproInputList, row_ReproReferenceList_1, "
                      "'element_1');\n\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\t\trow := create_Repro_Matrix (row_ReproInputList, row_count1, row_pitch1, "
                      "row_count2, row_pitch2);\n"),
            std::string::npos)
      << text;
  // Its shape is the reproduction's: nine holes.
  PDTfeat* made = Feature("hole_rows");
  ASSERT_NE(made, nullptr);
  EXPECT_NEAR(Volume(made), Volume(row), 1e-6 * Volume(row));
  EXPECT_NEAR(Volume(made), 9 * kPi * 16 * 200, 1e-6 * 9 * kPi * 16 * 200);
}

class ReproductionRoundTrip : public Reproduction {
 protected:
  // A plate 120 x 80 x 10 with holes of diameter 8 at (-45, -25) and (-45, 25), each reproduced
  // `count` times 20 apart along x; the plate's node, the reproduction in `row`.
  static PDTfeat* BuildPart(const char* count, PDTfeat** row) {
    PDTfeat* plate = Feature("plate", {"width=120", "depth=80", "thickness=10"});
    PDTfeat* front = Feature("hole", {"x=-45", "y=-25"});
    PDTfeat* back = Feature("hole", {"x=-45", "y=25"});
    std::string count_value = std::string("count1=") + count;
    *row = nullptr;
    if (plate == nullptr || front == nullptr || back == nullptr ||
        !InputList("holes", {{front}, {back}})) {
      return nullptr;
    }
    // The reproduction copies the holes' shapes before the plate uses them up.
    *row = Feature("Repro_Matrix", {"inputs=holes", count_value.c_str(), "pitch1=20.0"});
    for (PDTnode* tool :
         {static_cast<PDTnode*>(front), static_cast<PDTnode*>(back), static_cast<PDTnode*>(*row)}) {
      if (tool == nullptr || connect(plate, tool, 0) == nullptr) {
        return nullptr;
      }
    }
    return plate;
  }

  static double PartVolume(int count) { return 120.0 * 80 * 10 - 2 * count * kPi * 16 * 10; }
};

TEST_F(ReproductionRoundTrip, GeneratedFeatureChecksCleanAndGivesTheSameSolid) {
  PDTfeat* row = nullptr;
  PDTfeat* plate = BuildPart("3", &row);
  ASSERT_NE(plate, nullptr);
  EXPECT_NEAR(Volume(plate->top()), PartVolume(3), 1e-6 * PartVolume(3));

  PVFMtfPartTree generator;
  PVMStrg count = PVMStrg(row->get_name()) & ".count1";
  ASSERT_EQ(generator.AddTopNode(plate), 7);
  ASSERT_TRUE(generator.SetInputParameter(count));
  ASSERT_TRUE(generator.RenameParameter(count, PVMStrg("count")));
  std::string text = Publish(generator, "holes_part");
  ASSERT_FALSE(text.empty());
  // The reproduction copies the holes before a combination uses them up.
  EXPECT_LT(text.find(":= create_Repro_Matrix ("), text.find(" - "));

  ExpectSameSolid(plate, Feature("holes_part", {"count=3"}));
  ExpectSameSolid(plate, Feature("holes_part"));  // the input defaults to the part's value
  // A changed input changes the solid as the same change in the tree does.
  PDTfeat* more = Feature("holes_part", {"count=4"});
  ASSERT_NE(more, nullptr);
  EXPECT_NEAR(Volume(more), PartVolume(4), 1e-6 * PartVolume(4));
  PVMStrg name = PVMStrg(row->get_name()) & ".count1", value("4"), result;
  ASSERT_NE(SetValue(name, value, result), nullptr) << result.GetpStr();
  ASSERT_GE(update_referencing_nodes(row, nullptr), 0);
  EXPECT_TRUE(PDTLastFailedNodes().empty()) << PDTLastFailedNodes().front();
  ExpectSameSolid(plate, more);
}

// An input that is not among the chosen nodes cannot be rebuilt: generation fails and says
// which input it is.
TEST_F(ReproductionRoundTrip, InputNotAmongTheChosenNodesIsRefused) {
  PDTfeat* row = nullptr;
  PDTfeat* plate = BuildPart("3", &row);
  ASSERT_NE(plate, nullptr);
  // The holes the row refers to are left out.
  std::string error = RefusalOf({row}, "lonely_row");
  EXPECT_NE(error.find("not among the chosen nodes"), std::string::npos) << error;
  EXPECT_NE(error.find("hole_@"), std::string::npos) << error;
}

// An input list whose entry is no reference list (here a host added the hole itself after the
// reproduction was built) is refused with the entry's name instead of being written as
// something the feature cannot read.
TEST_F(Reproduction, InputListEntryThatIsNoReferenceListIsRefused) {
  PDTfeat* hole = Feature("hole");
  ASSERT_NE(hole, nullptr);
  ASSERT_TRUE(InputList("holes", {{hole}}));
  PDTfeat* row = Feature("Repro_Matrix", {"inputs=holes"});
  ASSERT_NE(row, nullptr);
  ASSERT_TRUE(varnex::generator::NewReference(search("holes"), hole->get_name(), "element_1"));
  std::string error = RefusalOf({hole, row}, "odd_row");
  EXPECT_NE(error.find("'element_1', which is no list of alias type 'repro_reflist'"),
            std::string::npos)
      << error;
}

// The model's references go into the text as names: a reference whose stored target is no name
// (of a chosen node) is refused, never pasted.
TEST_F(Reproduction, HostileReferenceTargetsAreRefused) {
  int n = 0;
  for (const char* tail : {".shape); RETURN (NULL); --", "'); x := 1; --", " /* x */", "\nx"}) {
    SCOPED_TRACE(tail);
    PDTfeat* hole = Feature("hole");
    ASSERT_NE(hole, nullptr);
    std::string list = "holes_" + std::to_string(n++);
    ASSERT_TRUE(InputList(list, {{hole}}));
    PDTfeat* row = Feature("Repro_Matrix", {("inputs=" + list).c_str()});
    ASSERT_NE(row, nullptr);
    ASSERT_TRUE(varnex::generator::NewReference(
        search((list + "_0").c_str()), hole->get_name() + std::string(tail), "reference_1"));
    std::string error = RefusalOf({hole, row}, "hostile_row");
    EXPECT_TRUE(error.find("cannot be written as a name") != std::string::npos ||
                error.find("is not among the chosen nodes") != std::string::npos)
        << error;
  }
}

// What cannot make an input list is refused with the reason, and nothing is made.
TEST_F(Reproduction, InputListThatCannotBeMadeIsRefused) {
  PDTfeat* hole = Feature("hole");
  ASSERT_NE(hole, nullptr);
  ASSERT_TRUE(InputList("taken", {{hole}}));
  const struct {
    const char* name;
    std::vector<std::vector<PDTnode*>> elements;
    const char* reason;
  } kCases[] = {
      {"none", {}, "at least one element"},
      {"hollow", {{hole}, {}}, "element 1 of 'hollow' is empty"},
      {"lost", {{hole, nullptr}}, "has no instance"},
      {"bad;name", {{hole}}, "cannot name an input list"},
      {"taken", {{hole}}, "'taken' is taken"},
      {"taken_0", {{hole}}, "'taken_0' is taken"},  // by the element list of 'taken'
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    PVMStrg error;
    EXPECT_EQ(PVFMtfReproFeatNode::CreateInputList(PVMStrg(c.name), c.elements, error), nullptr);
    EXPECT_NE(std::string(error.GetpStr()).find(c.reason), std::string::npos) << error.GetpStr();
  }
  EXPECT_EQ(search("none"), nullptr);
  EXPECT_EQ(search("hollow"), nullptr);
  EXPECT_EQ(search("hollow_0"), nullptr);
  EXPECT_EQ(search("lost"), nullptr);
}

// Without an input list the shipped feature refuses, saying what it needs.
TEST_F(Reproduction, ShippedFeatureWithoutInputsRefuses) {
  EXPECT_EQ(Feature("Repro_Matrix"), nullptr);
  EXPECT_NE(std::string(NovlRunRefusal()).find("inputs"), std::string::npos) << NovlRunRefusal();
}

}  // namespace
