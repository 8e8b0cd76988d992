// Booleans: the blank holds the result, the tool is used up, failures report the features
// involved and leave no body and no geometric object pointing at deleted entities.
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/transforms.h>

#include "geometry/kernel_faults.h"
#include "kernel_test_support.h"

namespace kernel_test {
namespace {

ENTITY* BlockAt(double x, double y, double z, double size = 10.0) {
  ENTITY* block = fmcreate_cube(size, size, size);
  api_apply_transf(block, fmtranslate(x, y, z));
  return block;
}

class Booleans : public KernelTest {};

TEST_F(Booleans, UnitingOverlappingBlocksLeavesTheUnionInTheSecondArgument) {
  ENTITY* tool = BlockAt(5, 0, 0);
  ENTITY* blank = BlockAt(0, 0, 0);
  ENTITY* result = unite(tool, blank);
  ASSERT_EQ(result, blank);
  EXPECT_NEAR(fmvolume_of_body(blank), 1500.0, 1e-6);
  EXPECT_EQ(gmod_anfang->lookup(tool), -1) << "the tool is used up";
  EXPECT_EQ(gmod_anfang->count(), 1);
  EXPECT_EQ(Walk(blank, api_get_faces).size(), 6u) << "coplanar pieces are merged";
}

struct VolumeCase {
  const char* name;
  ENTITY* (*operation)(ENTITY*, ENTITY*);
  double volume;
  int lumps;
};

TEST_F(Booleans, EachOperationGivesItsVolume) {
  const VolumeCase cases[] = {
      {"unite", unite, 1500.0, 1},
      {"subtract", subtract, 500.0, 1},
      {"intersect", PVFInterSectBodies, 500.0, 1},
      {"combine", combine, 2000.0, 2},
  };
  for (const VolumeCase& c : cases) {
    SCOPED_TRACE(c.name);
    ENTITY* blank = BlockAt(0, 0, 0);
    ASSERT_EQ(c.operation(BlockAt(5, 0, 0), blank), blank);
    EXPECT_NEAR(fmvolume_of_body(blank), c.volume, 1e-6);
    EXPECT_EQ(Walk(blank, api_get_lumps).size(), static_cast<std::size_t>(c.lumps));
    gmod_del_all();
  }
}

TEST_F(Booleans, SubtractingEverythingLeavesAnEmptyBody) {
  ENTITY* blank = BlockAt(0, 0, 0, 2.0);
  ASSERT_EQ(subtract(BlockAt(0, 0, 0, 4.0), blank), blank);
  EXPECT_TRUE(Walk(blank, api_get_faces).empty());
  EXPECT_NEAR(fmvolume_of_body(blank), 0.0, 1e-9);
}

TEST_F(Booleans, InvalidOperandsChangeNothing) {
  ENTITY* blank = BlockAt(0, 0, 0);
  EXPECT_EQ(unite(nullptr, blank), nullptr);
  EXPECT_EQ(subtract(blank, blank), nullptr);
  EXPECT_EQ(PVFSubtractBodies({}, blank), nullptr);
  EXPECT_NE(PVFLastKernelOutcome().error_number(), 0);
  EXPECT_NEAR(fmvolume_of_body(blank), 1000.0, 1e-6) << "the blank is untouched";
}

TEST_F(Booleans, KeptFacesStayTheSameEntities) {
  ENTITY* blank = BlockAt(0, 0, 0);
  ENTITY* bottom = PlanarFace(blank, SPAvector(0, 0, -1), SPAposition(0, 0, -5));
  ASSERT_NE(bottom, nullptr);
  list holder;
  holder.add(bottom);
  // A pocket in the top face leaves the bottom face alone.
  ENTITY* pocket = fmcreate_cylinder(3, 2);
  api_apply_transf(pocket, fmtranslate(0, 0, 3));
  ASSERT_EQ(subtract(pocket, blank), blank);
  EXPECT_EQ(PlanarFace(blank, SPAvector(0, 0, -1), SPAposition(0, 0, -5)), bottom);
  EXPECT_EQ(holder.count(), 1);
  EXPECT_EQ(fmbody_from(bottom), blank);
}

TEST_F(Booleans, ToolFacesThatBoundTheResultMoveIntoTheBlank) {
  ENTITY* blank = BlockAt(0, 0, 0);
  ENTITY* hole = fmcreate_cylinder(20, 2);
  api_apply_transf(hole, fmtranslate(0, 0, -10));
  ENTITY_LIST holeFaces;
  api_get_faces(hole, holeFaces);
  ENTITY* wall = nullptr;
  for (int i = 0; i < holeFaces.count(); ++i) {
    if (fm_face_type(holeFaces[i]) == 2) {
      wall = holeFaces[i];
    }
  }
  ASSERT_NE(wall, nullptr);
  new PVFAttribSolidFaceName(wall, "hole");
  ASSERT_EQ(subtract(hole, blank), blank);
  EXPECT_EQ(fmbody_from(wall), blank) << "the wall's wrapper now belongs to the blank";
  EXPECT_EQ(FaceNames(blank), std::vector<std::string>{"hole"});
  EXPECT_EQ(holeFaces.count(), 1) << "the deleted end caps left the list";
}

TEST_F(Booleans, MultiToolSubtractCutsEveryTool) {
  ENTITY* plate = fmcreate_cube(100, 20, 2);
  std::vector<ENTITY*> tools;
  for (int i = 0; i < 5; ++i) {
    ENTITY* pin = fmcreate_cylinder(4, 1);
    api_apply_transf(pin, fmtranslate(-40 + 20 * i, 0, -2));
    tools.push_back(pin);
  }
  ASSERT_EQ(PVFSubtractBodies(tools, plate), plate);
  EXPECT_NEAR(fmvolume_of_body(plate), 4000.0 - 5 * 2 * M_PI, 1e-6);
  EXPECT_EQ(gmod_anfang->count(), 1);
}

// ---- failures ----

class BooleanFailures : public KernelTest {
 protected:
  // A body whose faces belong to the geometric object `object`.
  ENTITY* FeatureBlock(FakeObject& object, double x) {
    ENTITY* block = BlockAt(x, 0, 0);
    for (ENTITY* face : Walk(block, api_get_faces)) {
      new ATTRIB_DS(face, object.handle());
      object.entities.add(face);
    }
    return block;
  }

  FakeLinks links;
  RecordingHandler handler;
};

TEST_F(BooleanFailures, FailedSubtractionNamesBothFeaturesAndDeletesBothBodies) {
  FakeObject& w1 = links.Add("W1_@1.f_0");
  FakeObject& w2 = links.Add("W2_@2.f_3");
  FakeObject& other = links.Add("W2_@2.f_4");
  ENTITY* tool = FeatureBlock(w1, 5);
  ENTITY* blank = FeatureBlock(w2, 0);
  ENTITY* keep = fmcreate_sphere(1);
  other.entities.add(keep);
  new ATTRIB_DS(Walk(blank, api_get_faces).front(), other.handle());
  int live = PVFLiveBodyCount();

  ArmKernelFault(1, KERNEL_BOOLEAN_FAILED);
  EXPECT_EQ(subtract(tool, blank), nullptr);

  ASSERT_EQ(handler.warnings.size(), 1u);
  EXPECT_EQ(handler.warnings[0].first, "ErrgmifBoolSubtractErr");
  const std::string& text = handler.warnings[0].second;
  EXPECT_EQ(text.rfind("ERROR api_subtract : ", 0), 0u) << text;
  EXPECT_TRUE(text.ends_with(" // W2_@2 // W1_@1")) << text;
  EXPECT_EQ(PVFLiveBodyCount(), live - 2) << "both bodies are gone";
  EXPECT_EQ(gmod_anfang->count(), 1);
  EXPECT_EQ(w1.entities.count(), 0);
  EXPECT_EQ(w2.entities.count(), 0);
  EXPECT_EQ(other.entities.count(), 0) << "every geometric object of the features is emptied";
  EXPECT_EQ(PVFLastKernelOutcome().error_number(), KERNEL_BOOLEAN_FAILED);
}

TEST_F(BooleanFailures, BodiesWithoutFeaturesGiveEmptyNames) {
  struct Case {
    ENTITY* (*operation)(ENTITY*, ENTITY*);
    const char* id;
    const char* prefix;
  };
  const Case cases[] = {
      {unite, "ErrgmifBoolUniteErr", "ERROR api_unite : "},
      {subtract, "ErrgmifBoolSubtractErr", "ERROR api_subtract : "},
      {PVFInterSectBodies, "ErrgmifBoolIntersectErr", "api_intersect : "},
      {combine, "ErrgmifBoolCombineErr", "api_combine_body : "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    handler.warnings.clear();
    ENTITY* tool = BlockAt(5, 0, 0);
    ENTITY* blank = BlockAt(0, 0, 0);
    ArmKernelFault(1, KERNEL_BOOLEAN_FAILED);
    EXPECT_EQ(c.operation(tool, blank), nullptr);
    ASSERT_EQ(handler.warnings.size(), 1u);
    EXPECT_EQ(handler.warnings[0].first, c.id);
    EXPECT_EQ(handler.warnings[0].second,
              std::string(c.prefix) + find_err_mess(KERNEL_BOOLEAN_FAILED) + " //  // ");
    EXPECT_EQ(gmod_anfang->count(), 0);
  }
}

TEST_F(BooleanFailures, ListsForgetTheDeletedEntities) {
  ENTITY* tool = BlockAt(5, 0, 0);
  ENTITY* blank = BlockAt(0, 0, 0);
  list held;
  fill_list(blank, &held);
  held.add(tool);
  ASSERT_EQ(held.count(), 7);
  ArmKernelFault(1);
  EXPECT_EQ(unite(tool, blank), nullptr);
  EXPECT_EQ(held.count(), 0);
}

}  // namespace
}  // namespace kernel_test
