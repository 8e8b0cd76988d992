// A part built as a tree of plate, holes and boss, generated into a feature: the text checks
// clean, and instances of it give the solid the tree gives, also with a changed input.
#include <cmath>

#include "generator_test_support.h"

namespace {

using varnex::test::GeneratorSession;

class RoundTrip : public GeneratorSession {
 protected:
  // A plate with four holes and a boss: the plate's node.
  static PDTfeat* BuildPart(const char* width) {
    std::string width_value = std::string("width=") + width;
    PDTfeat* plate = Feature("plate", {width_value.c_str(), "depth=80", "thickness=10"});
    std::vector<PDTnode*> tools = {
        Feature("hole", {"x=-45", "y=-25"}), Feature("hole", {"x=45", "y=-25"}),
        Feature("hole", {"x=45", "y=25"}), Feature("hole", {"x=-45", "y=25"}),
        Feature("boss", {"diameter=30", "height=12"})};
    for (PDTnode* tool : tools) {
      if (plate == nullptr || tool == nullptr || connect(plate, tool, 0) == nullptr) {
        return nullptr;
      }
    }
    return plate;
  }

  // Generates the plate's tree as feature `name` with the plate's width as input "width",
  // checked clean and put into the library. Empty text on failure.
  static std::string Generate(PDTfeat* plate, const char* name) {
    PVFMtfPartTree generator;
    PVMStrg width = PVMStrg(plate->get_name()) & ".width";
    if (generator.AddTopNode(plate) < 1 || !generator.SetInputParameter(width) ||
        !generator.RenameParameter(width, PVMStrg("width"))) {
      ADD_FAILURE() << generator.GetError().GetpStr();
      return {};
    }
    return Publish(generator, name);
  }
};

TEST_F(RoundTrip, GeneratedFeatureChecksCleanAndGivesTheSameSolid) {
  PDTfeat* plate = BuildPart("120");
  ASSERT_NE(plate, nullptr);
  std::string text = Generate(plate, "plate_part");
  ASSERT_FALSE(text.empty());
  ExpectSameSolid(plate, Feature("plate_part", {"width=120"}));
  ExpectSameSolid(plate, Feature("plate_part"));  // the inputs default to the part's values
}

// Sets `object` of the node's instance to `value` and updates what depends on it.
void Change(PDTnode* node, const char* object, const char* value) {
  PVMStrg name = PVMStrg(node->get_name()) & "." & object, text(value), result;
  ASSERT_NE(SetValue(name, text, result), nullptr) << result.GetpStr();
  ASSERT_GE(update_referencing_nodes(node, nullptr), 0);
  EXPECT_TRUE(PDTLastFailedNodes().empty()) << PDTLastFailedNodes().front();
}

TEST_F(RoundTrip, ChangedInputChangesTheSolidAsTheTreeWould) {
  PDTfeat* plate = BuildPart("120");
  ASSERT_NE(plate, nullptr);
  ASSERT_FALSE(Generate(plate, "plate_part").empty());
  PDTfeat* generated = Feature("plate_part");
  ASSERT_NE(generated, nullptr);
  const double before = Volume(generated);
  // The same change made in the modelled tree and to the generated feature's input, each
  // followed by an update.
  Change(plate, "width", "150");
  Change(generated, "width", "150");
  ExpectSameSolid(plate, generated);
  EXPECT_GT(Volume(generated), before);
  Change(plate, "width", "100");
  Change(generated, "width", "100");
  ExpectSameSolid(plate, generated);
  EXPECT_LT(Volume(generated), before);
}

}  // namespace

namespace {

class HostileTexts : public varnex::test::GeneratorSession {
 protected:
  // A label whose caption object holds `caption` as it is.
  static PDTfeat* Label(const std::string& caption) {
    PDTfeat* label = Feature("label");
    rumpf* object =
        label != nullptr ? search((std::string(label->get_name()) + ".caption").c_str()) : nullptr;
    if (object == nullptr) {
      return nullptr;
    }
    object->set(caption.c_str());
    return label;
  }

  // Generates feature "captioned" from a label; the caption is an input when `input`.
  static XBOOL Generate(PDTfeat* label, bool input, PVFMtfPartTree& generator) {
    PVMStrg caption = PVMStrg(label->get_name()) & ".caption";
    EXPECT_EQ(generator.AddNode(label), 1);
    EXPECT_TRUE(generator.SetFeatureName(PVMStrg("captioned")));
    EXPECT_TRUE(generator.RenameParameter(caption, PVMStrg("caption")));
    if (input) {
      EXPECT_TRUE(generator.SetInputParameter(caption));
    }
    return generator.CreateFeatureDescription();
  }
};

// Quotes, comment markers, statement ends and line feeds in a text value stay inside its
// literal: the text checks clean and the new feature's instance holds the very same text.
TEST_F(HostileTexts, AreQuotedNotPasted) {
  const char* kCaptions[] = {"it's",
                             "-- the rest of the line",
                             "a /* b */ c",
                             "x'; object.size := 0; RETURN (NULL); --",
                             "two\nlines",
                             "{balanced}",
                             "'"};
  for (const char* caption : kCaptions) {
    for (bool input : {false, true}) {
      SCOPED_TRACE(std::string(caption) + (input ? " (input)" : ""));
      PDTfeat* label = Label(caption);
      ASSERT_NE(label, nullptr);
      PVFMtfPartTree generator;
      if (input && std::string(caption).find('\'') != std::string::npos) {
        // The library reads defaults without escapes: refused, not mangled.
        EXPECT_TRUE(Generate(label, input, generator));
        EXPECT_NE(std::string(generator.GetError().GetpStr()).find("quote"), std::string::npos);
        delete_node(label);
        continue;
      }
      ASSERT_FALSE(Generate(label, input, generator)) << generator.GetError().GetpStr();
      PVMStrg text;
      generator.GetNvlDescription(text);
      int findings = NovlCheckText(
          text.GetpStr(), [](const NovlFinding&) {}, varnex::test::IsLibraryName);
      EXPECT_EQ(findings, 0) << text.GetpStr();
      pFeatureList->ReplaceFeature(PVMStrg("captioned.NVL"), text);
      PDTfeat* made = Feature("captioned");
      ASSERT_NE(made, nullptr);
      rumpf* kept = search((std::string(made->get_name()) + ".caption").c_str());
      ASSERT_NE(kept, nullptr);
      PVMStrg value;
      kept->get_value(value);
      EXPECT_EQ(std::string(value.GetpStr()), std::string("'") + caption + "'");
      EXPECT_NEAR(Volume(made), 1000.0, 1e-6);  // the statements after the text all ran
      delete_node(made);
      delete_node(label);
    }
  }
}

// What a text literal cannot carry is refused with the reason, and nothing is generated.
TEST_F(HostileTexts, ThatNoLiteralCarriesAreRefused) {
  const struct {
    const char* caption;
    const char* reason;
  } kCases[] = {{"a { b", "brace"}, {"b } a", "brace"}, {"ends in \\", "not closed"}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.caption);
    PDTfeat* label = Label(c.caption);
    ASSERT_NE(label, nullptr);
    PVFMtfPartTree generator;
    EXPECT_TRUE(Generate(label, false, generator));
    std::string error = generator.GetError().GetpStr();
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_NE(error.find(".caption"), std::string::npos) << error;
    PVMStrg text;
    EXPECT_EQ(std::string(generator.GetNvlDescription(text)), "");
    delete_node(label);
  }
}

// Names go into the text as they are, so only plain identifiers are taken.
TEST_F(HostileTexts, NamesMustBePlainIdentifiers) {
  PDTfeat* label = Label("ok");
  ASSERT_NE(label, nullptr);
  PVFMtfPartTree generator;
  ASSERT_EQ(generator.AddNode(label), 1);
  PVMStrg caption = PVMStrg(label->get_name()) & ".caption";
  for (const char* name :
       {"x; RETURN (NULL)", "a--b", "a'b", "a\nb", "a /* b", "", "if", "plate_@1", "a.b"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(generator.SetFeatureName(PVMStrg(name)));
    EXPECT_FALSE(generator.SetSubFeatureName(PVMStrg(label->get_name()), PVMStrg(name)));
    EXPECT_FALSE(generator.RenameParameter(caption, PVMStrg(name)));
    EXPECT_FALSE(generator.GetError().IsVoid());
  }
  // Names the text uses itself are taken.
  for (const char* name : {"object", "visibility", "feature_shape", "combine_constraint"}) {
    EXPECT_FALSE(generator.SetSubFeatureName(PVMStrg(label->get_name()), PVMStrg(name)));
    EXPECT_FALSE(generator.RenameParameter(caption, PVMStrg(name)));
  }
  // A name another parameter has is taken.
  EXPECT_FALSE(generator.RenameParameter(
      caption, generator.GetWrapper(0)->GetParameters()->at(0).GetNewName()));
  EXPECT_TRUE(generator.RenameParameter(caption, PVMStrg("caption")));
  EXPECT_TRUE(generator.GetFeatureName().IsVoid());
  delete_node(label);
}

}  // namespace
