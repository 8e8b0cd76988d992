// Attributes through the history of operations: face names split and merge by their rules,
// colours follow, feature attributes keep their geometric objects' entity lists true.
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/transforms.h>

#include "kernel_test_support.h"

namespace kernel_test {
namespace {

ENTITY* Box(double x, double y, double z, double dx, double dy, double dz) {
  ENTITY* box = fmcreate_cube(dx, dy, dz);
  api_apply_transf(box, fmtranslate(x, y, z));
  return box;
}

ENTITY* TopFace(ENTITY* body, double z = 5) {
  return PlanarFace(body, SPAvector(0, 0, 1), SPAposition(0, 0, z));
}

// Cuts a slot through the whole block along y (|x| < 1) or along x (|y| < 1).
void CutSlot(ENTITY* block, bool alongY) {
  ENTITY* slot = alongY ? Box(0, 0, 0, 2, 40, 40) : Box(0, 0, 0, 40, 2, 40);
  ASSERT_EQ(subtract(slot, block), block);
}

class FaceNamesThroughHistory : public KernelTest {};

TEST_F(FaceNamesThroughHistory, SplitsNumberThePiecesAlongOneBranch) {
  ENTITY* block = fmcreate_cube(10, 10, 10);
  new PVFAttribSolidFaceName(TopFace(block), "N");
  CutSlot(block, true);
  EXPECT_EQ(FaceNames(block), (std::vector<std::string>{"N_S0", "N_S1"}));
  CutSlot(block, false);
  EXPECT_EQ(FaceNames(block), (std::vector<std::string>{"N_S00", "N_S01", "N_S10", "N_S11"}))
      << "a second split appends a digit, never a second _S";
}

TEST_F(FaceNamesThroughHistory, ColoursFollowSplitPieces) {
  ENTITY* block = fmcreate_cube(10, 10, 10);
  new PVFAttribRGBColor(TopFace(block), 10, 20, 30, 40);
  CutSlot(block, true);
  int coloured = 0;
  for (ENTITY* face : Walk(block, api_get_faces)) {
    for (PVFAttribRGBColor* colour : FindAttribs<PVFAttribRGBColor>(face)) {
      int r, g, b, a;
      colour->RGBColor(r, g, b, a);
      EXPECT_EQ((std::vector{r, g, b, a}), (std::vector{10, 20, 30, 40}));
      ++coloured;
    }
  }
  EXPECT_EQ(coloured, 2);
}

struct MergeCase {
  const char* name;
  const char* goingName;     // on the tool's top face (the face that goes away)
  const char* survivorName;  // on the blank's top face, null for none
  std::vector<std::string> expected;
};

TEST_F(FaceNamesThroughHistory, MergesFollowTheFamilyRule) {
  const MergeCase cases[] = {
      {"same family", "N_S0", "N_S1", {"N_S1"}},       {"other name", "N_S0", "M", {"M", "N_S0"}},
      {"unnamed survivor", "N_S0", nullptr, {"N_S0"}}, {"same name", "K", "K", {"K"}},
      {"prefix of the family", "N_S0", "N", {"N"}},
  };
  for (const MergeCase& c : cases) {
    SCOPED_TRACE(c.name);
    ENTITY* blank = Box(0, 0, 0, 10, 10, 10);
    ENTITY* tool = Box(10, 0, 0, 10, 10, 10);
    new PVFAttribSolidFaceName(TopFace(tool), c.goingName);
    if (c.survivorName != nullptr) {
      new PVFAttribSolidFaceName(TopFace(blank), c.survivorName);
    }
    ASSERT_EQ(unite(tool, blank), blank);
    ENTITY* top = TopFace(blank);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(FaceNames(top), c.expected);
    gmod_del_all();
  }
}

TEST_F(FaceNamesThroughHistory, MergedColourKeepsTheSurvivorsOwn) {
  ENTITY* blank = Box(0, 0, 0, 10, 10, 10);
  ENTITY* tool = Box(10, 0, 0, 10, 10, 10);
  new PVFAttribRGBColor(TopFace(blank), 1, 1, 1);
  new PVFAttribRGBColor(TopFace(tool), 2, 2, 2);
  ENTITY* bottomTool = PlanarFace(tool, SPAvector(0, 0, -1), SPAposition(10, 0, -5));
  new PVFAttribRGBColor(bottomTool, 3, 3, 3);
  ASSERT_EQ(unite(tool, blank), blank);
  auto colours = [](ENTITY* face) {
    std::vector<int> reds;
    for (PVFAttribRGBColor* colour : FindAttribs<PVFAttribRGBColor>(face)) {
      int r, g, b;
      colour->RGBColor(r, g, b);
      reds.push_back(r);
    }
    return reds;
  };
  EXPECT_EQ(colours(TopFace(blank)), std::vector<int>{1});
  EXPECT_EQ(colours(PlanarFace(blank, SPAvector(0, 0, -1), SPAposition(0, 0, -5))),
            std::vector<int>{3})
      << "a survivor without colour receives the going face's";
}

class FeatureListsThroughHistory : public KernelTest {
 protected:
  FakeLinks links;
};

TEST_F(FeatureListsThroughHistory, CutThatDeletesAFaceRemovesItFromItsObject) {
  FakeObject& top = links.Add("W_@1.f_0");
  ENTITY* block = fmcreate_cube(10, 10, 10);
  ENTITY* face = TopFace(block);
  new ATTRIB_DS(face, top.handle());
  top.entities.add(face);
  ASSERT_EQ(subtract(Box(0, 0, 5, 20, 20, 4), block), block);  // takes z > 3 away
  EXPECT_EQ(TopFace(block), nullptr);
  EXPECT_EQ(top.entities.count(), 0);
}

TEST_F(FeatureListsThroughHistory, CutThatSplitsAFaceAddsEveryPiece) {
  FakeObject& top = links.Add("W_@1.f_0");
  ENTITY* block = fmcreate_cube(10, 10, 10);
  ENTITY* face = TopFace(block);
  new ATTRIB_DS(face, top.handle());
  top.entities.add(face);
  CutSlot(block, true);
  ASSERT_EQ(top.entities.count(), 2);
  for (int i = 0; i < 2; ++i) {
    ENTITY* piece = top.entities[i];
    EXPECT_EQ(fmbody_from(piece), block);
    ASSERT_EQ(FindAttribs<ATTRIB_DS>(piece).size(), 1u);
    EXPECT_EQ(FindAttribs<ATTRIB_DS>(piece)[0]->feature(), top.handle());
  }
  EXPECT_NEAR(fmarea_of_face(top.entities[0], 0) + fmarea_of_face(top.entities[1], 0), 80.0, 1e-6);
}

TEST_F(FeatureListsThroughHistory, MergeAddsTheSurvivorToTheGoingFacesObject) {
  FakeObject& left = links.Add("A_@1.f_0");
  FakeObject& right = links.Add("B_@2.f_0");
  ENTITY* blank = Box(0, 0, 0, 10, 10, 10);
  ENTITY* tool = Box(10, 0, 0, 10, 10, 10);
  for (auto [body, object] : {std::pair{blank, &left}, std::pair{tool, &right}}) {
    ENTITY* face = TopFace(body);
    new ATTRIB_DS(face, object->handle());
    object->entities.add(face);
  }
  ASSERT_EQ(unite(tool, blank), blank);
  ENTITY* merged = TopFace(blank);
  EXPECT_EQ(left.entities.count(), 1);
  EXPECT_EQ(left.entities[0], merged);
  EXPECT_EQ(right.entities.count(), 1);
  EXPECT_EQ(right.entities[0], merged);
  EXPECT_EQ(FindAttribs<ATTRIB_DS>(merged).size(), 2u);
}

TEST_F(FeatureListsThroughHistory, TransformKeepsEveryWrapper) {
  ENTITY* block = fmcreate_cube(10, 10, 10);
  std::vector<ENTITY*> faces = Walk(block, api_get_faces);
  std::vector<ENTITY*> vertices = Walk(block, api_get_vertices);
  ASSERT_TRUE(api_apply_transf(block, fmrotate(1, 1, 0, 0.3) * fmtranslate(5, 0, 0)).ok());
  EXPECT_EQ(Walk(block, api_get_faces), faces);
  EXPECT_EQ(Walk(block, api_get_vertices), vertices);
}

}  // namespace
}  // namespace kernel_test
