// Saving and restoring body lists: order, names, colours and features survive; storing a
// restored list gives the same bytes; damaged lists restore nothing; exports write real files.
#include <varnex/geometry/body_io.h>
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/face_names.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/transforms.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "geometry/kernel_faults.h"
#include "kernel_test_support.h"

namespace kernel_test {
namespace {

std::vector<int> Colour(ENTITY* entity) {
  std::vector<int> rgba;
  for (PVFAttribRGBColor* colour : FindAttribs<PVFAttribRGBColor>(entity)) {
    int r, g, b, a;
    colour->RGBColor(r, g, b, a);
    rgba.insert(rgba.end(), {r, g, b, a});
  }
  return rgba;
}

class BodyIo : public KernelTest {
 protected:
  // A block, a cylinder and a sphere, with names and colours on some faces and the body.
  ENTITY_LIST ThreeBodies() {
    ENTITY_LIST bodies;
    ENTITY* block = fmcreate_cube(4, 4, 4);
    ENTITY* cylinder = fmcreate_cylinder(5, 1);
    ENTITY* sphere = fmcreate_sphere(2);
    api_apply_transf(cylinder, fmtranslate(10, 0, 0));
    std::vector<ENTITY*> faces = Walk(block, api_get_faces);
    new PVFAttribSolidFaceName(faces[1], "front");
    new PVFAttribSolidFaceName(faces[4], "N_S01");
    new PVFAttribRGBColor(faces[1], 255, 0, 10, 7);
    new PVFAttribRGBColor(Walk(cylinder, api_get_faces)[0], 1, 2, 3);
    new ATTRIB_GEN_NAME(sphere, "PVFReStoreAttribGenNameV4_2", 2, "mark");
    new PVFAttribSolidFaceName(Walk(sphere, api_get_edges)[0], "seam");
    for (ENTITY* body : {block, cylinder, sphere}) {
      bodies.add(body);
    }
    return bodies;
  }

  void ExpectSameContent(const ENTITY_LIST& restored) {
    ASSERT_EQ(restored.count(), 3);
    EXPECT_NEAR(fmvolume_of_body(restored[0]), 64, 1e-9);
    EXPECT_NEAR(fmvolume_of_body(restored[1]), 5 * M_PI, 1e-6);
    EXPECT_NEAR(fmvolume_of_body(restored[2]), 4.0 / 3 * M_PI * 8, 1e-6);
    std::vector<ENTITY*> faces = Walk(restored[0], api_get_faces);
    ASSERT_EQ(faces.size(), 6u);
    EXPECT_EQ(FaceNames(faces[1]), std::vector<std::string>{"front"});
    EXPECT_EQ(FaceNames(faces[4]), std::vector<std::string>{"N_S01"});
    EXPECT_EQ(Colour(faces[1]), (std::vector<int>{255, 0, 10, 7}));
    EXPECT_EQ(Colour(Walk(restored[1], api_get_faces)[0]), (std::vector<int>{1, 2, 3, 0}));
    ATTRIB_GEN_NAME* mark = find_named_attrib(restored[2], "PVFReStoreAttribGenNameV4_2");
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->value(), 2);
    EXPECT_EQ(mark->text(), "mark");
    std::vector<PVFAttribSolidFaceName*> seam;
    PVFFindAllSolidFaceNameAtts(Walk(restored[2], api_get_edges)[0], seam);
    ASSERT_EQ(seam.size(), 1u);
    EXPECT_STREQ(seam[0]->GetName(), "seam");
  }

  void DeleteAll(ENTITY_LIST& bodies) {
    while (bodies.count() > 0) {
      api_delent(bodies[0]);
    }
  }
};

TEST_F(BodyIo, TextRoundTripKeepsOrderNamesAndColours) {
  ENTITY_LIST bodies = ThreeBodies();
  std::string text;
  ASSERT_TRUE(SaveEntityListText(bodies, text).ok());
  ENTITY_LIST restored;
  std::size_t consumed = 0;
  ASSERT_TRUE(RestoreEntityListText(text + "trailing", restored, &consumed).ok())
      << PVFLastKernelOutcome().message();
  EXPECT_EQ(consumed, text.size());
  ExpectSameContent(restored);
  std::string again;
  ASSERT_TRUE(SaveEntityListText(restored, again).ok());
  EXPECT_EQ(again, text) << "store, restore, store gives the same text";
  DeleteAll(restored);
}

TEST_F(BodyIo, BinaryRoundTripAndFaceEntitiesStandForTheirBodies) {
  ENTITY_LIST bodies = ThreeBodies();
  ENTITY_LIST mixed;
  mixed.add(Walk(bodies[0], api_get_faces)[3]);  // a face saves its body
  mixed.add(bodies[1]);
  mixed.add(bodies[0]);  // already saved
  mixed.add(bodies[2]);
  std::vector<unsigned char> data;
  ASSERT_TRUE(SaveEntityListBinary(mixed, data).ok());
  ENTITY_LIST restored;
  ASSERT_TRUE(RestoreEntityListBinary(data.data(), data.size(), restored).ok());
  ExpectSameContent(restored);
  std::vector<unsigned char> again;
  SaveEntityListBinary(restored, again);
  EXPECT_EQ(again, data);
  DeleteAll(restored);
}

TEST_F(BodyIo, FilesHoldSeveralListsInARow) {
  ENTITY_LIST bodies = ThreeBodies();
  ENTITY_LIST second;
  second.add(bodies[2]);
  for (XBOOL text : {TRUE, FALSE}) {
    SCOPED_TRACE(text ? "text" : "binary");
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(api_save_entity_list(file, text, bodies).ok());
    ASSERT_TRUE(api_save_entity_list(file, text, second).ok());
    std::rewind(file);
    ENTITY_LIST first, next, none;
    ASSERT_TRUE(api_restore_entity_list(file, text, first).ok());
    ASSERT_TRUE(api_restore_entity_list(file, text, next).ok());
    EXPECT_FALSE(api_restore_entity_list(file, text, none).ok()) << "the end of the file";
    std::fclose(file);
    ExpectSameContent(first);
    ASSERT_EQ(next.count(), 1);
    EXPECT_NE(find_named_attrib(next[0], "PVFReStoreAttribGenNameV4_2"), nullptr);
    DeleteAll(first);
    DeleteAll(next);
  }
}

TEST_F(BodyIo, DamagedListsRestoreNothing) {
  ENTITY_LIST bodies = ThreeBodies();
  std::string text;
  SaveEntityListText(bodies, text);
  int live = PVFLiveBodyCount();
  // Every truncation, and a few damaged headers and records.
  std::vector<std::string> damaged;
  for (std::size_t cut = 0; cut < text.size(); cut += 97) {
    damaged.push_back(text.substr(0, cut));
  }
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string copy = text;
    copy.replace(copy.find(from), from.size(), to);
    return copy;
  };
  damaged.push_back(replaced("VARNEX-BODIES 1", "VARNEX-BODIES 9"));
  damaged.push_back(replaced("body 1", "body 2"));
  damaged.push_back(replaced("attributes 2", "attributes 99"));
  damaged.push_back(replaced("s5:front", "s9:front"));
  damaged.push_back(replaced("F 1 -1", "F 77 -1"));
  for (const std::string& input : damaged) {
    ENTITY_LIST restored;
    EXPECT_FALSE(RestoreEntityListText(input, restored).ok()) << input.size();
    EXPECT_EQ(restored.count(), 0);
    EXPECT_EQ(PVFLiveBodyCount(), live);
  }
}

TEST_F(BodyIo, InjectedFaultMidwayDeletesWhatWasRestored) {
  ENTITY_LIST bodies = ThreeBodies();
  std::string text;
  SaveEntityListText(bodies, text);
  int live = PVFLiveBodyCount();
  for (int fault = 1; fault <= 3; ++fault) {
    ENTITY_LIST restored;
    ArmKernelFault(fault);
    EXPECT_FALSE(RestoreEntityListText(text, restored).ok());
    EXPECT_EQ(PVFLiveBodyCount(), live);
  }
  ArmKernelFault(0);
}

TEST_F(BodyIo, FeatureAttributesSaveNamesAndFindObjectsAgain) {
  FakeLinks links;
  FakeObject& face = links.Add("W_@1.f_0");
  ENTITY* block = fmcreate_cube(1, 1, 1);
  ENTITY* first = Walk(block, api_get_faces)[0];
  new ATTRIB_DS(first, face.handle());
  new ATTRIB_DS(Walk(block, api_get_faces)[1], nullptr);
  ENTITY_LIST bodies;
  bodies.add(block);
  std::string text;
  SaveEntityListText(bodies, text);
  EXPECT_NE(text.find("s8:W_@1.f_0"), std::string::npos);
  EXPECT_NE(text.find("s7:UNKNOWN"), std::string::npos) << "no feature saves UNKNOWN";

  links.satFileOperation = true;
  std::string during;
  SaveEntityListText(bodies, during);
  EXPECT_EQ(during.find("W_@1.f_0"), std::string::npos);
  links.satFileOperation = false;

  ENTITY_LIST restored;
  ASSERT_TRUE(RestoreEntityListText(text, restored).ok());
  auto featureOf = [](ENTITY* body) {
    std::vector<ATTRIB_DS*> found = FindAttribs<ATTRIB_DS>(Walk(body, api_get_faces)[0]);
    return found.empty() ? nullptr : found[0]->feature();
  };
  EXPECT_EQ(featureOf(restored[0]), face.handle());

  // Renamed feature: found through the feature library's conversion, or not at all.
  std::string renamed = text;
  renamed.replace(renamed.find("s8:W_@1.f_0"), 11, "s8:V_@1.f_0");
  ENTITY_LIST lost, found;
  ASSERT_TRUE(RestoreEntityListText(renamed, lost).ok());
  EXPECT_EQ(featureOf(lost[0]), nullptr);
  links.featureLibrary = true;
  links.renames["V_@1.f_0"] = "W_@1.f_0";
  ASSERT_TRUE(RestoreEntityListText(renamed, found).ok());
  EXPECT_EQ(featureOf(found[0]), face.handle());
  for (ENTITY_LIST* list : {&restored, &lost, &found}) {
    DeleteAll(*list);
  }
}

// A model restores its bodies before their objects: the name waits on the attribute, survives
// a save meanwhile, and relinking finds the object once it exists.
TEST_F(BodyIo, FeatureNamesRestoredBeforeTheirObjectsAreFoundWhenRelinked) {
  FakeLinks links;
  ENTITY* block = fmcreate_cube(1, 1, 1);
  ENTITY_LIST bodies;
  bodies.add(block);
  std::string text;
  {
    FakeLinks before;
    FakeObject& face = before.Add("W_@1.f_0");
    new ATTRIB_DS(Walk(block, api_get_faces)[0], face.handle());
    SaveEntityListText(bodies, text);
    DeleteAll(bodies);
  }
  // Restored under `links`, which does not know the object yet.
  ASSERT_TRUE(RestoreEntityListText(text, bodies).ok());
  ASSERT_EQ(bodies.count(), 1);
  ENTITY* face = Walk(bodies[0], api_get_faces)[0];
  std::vector<ATTRIB_DS*> found = FindAttribs<ATTRIB_DS>(face);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0]->feature(), nullptr);
  EXPECT_EQ(found[0]->unresolved_name(), "W_@1.f_0");
  std::string meanwhile;
  SaveEntityListText(bodies, meanwhile);
  EXPECT_NE(meanwhile.find("s8:W_@1.f_0"), std::string::npos) << "the waiting name is kept";

  FakeObject& object = links.Add("W_@1.f_0");
  EXPECT_EQ(PVFRelinkFeatureFaces(bodies[0]), 6);
  EXPECT_EQ(found[0]->feature(), object.handle());
  EXPECT_TRUE(found[0]->unresolved_name().empty());
  EXPECT_EQ(object.entities.lookup(face), 0) << "the object holds its face";
  PVMStrg name;
  EXPECT_STREQ(FindFaceFullName(face, name), "W_@1.f_0");
  DeleteAll(bodies);
}

TEST_F(BodyIo, OlderColourRecordsAndUnknownClasses) {
  ENTITY* block = fmcreate_cube(1, 1, 1);
  ENTITY_LIST bodies;
  bodies.add(block);
  new PVFAttribRGBColor(block, 4, 5, 6, 9);
  std::string text;
  SaveEntityListText(bodies, text);
  const std::string record = "B 0 -1 s40:PVFAttribRGBColor-PVFAttribMaster-attrib 5 i4 i4 i5 i6 i9";
  ASSERT_NE(text.find(record), std::string::npos) << text;
  // An older record without count, and an attribute of a class nobody registered.
  const std::string older =
      "B 0 -1 s40:PVFAttribRGBColor-PVFAttribMaster-attrib 3 i4 i5 i6\n"
      "F 2 -1 s14:someone-attrib 2 d1.5 s3:a b";
  std::string patched = text;
  std::size_t header = patched.find("attributes 1 ");
  std::size_t body = patched.find('\n', header) + 1;
  patched.replace(header, body - header + record.size(),
                  "attributes 2 " + std::to_string(older.size() + 1) + "\n" + older);
  ENTITY_LIST restored;
  ASSERT_TRUE(RestoreEntityListText(patched, restored).ok())
      << PVFLastKernelOutcome().message() << "\n"
      << patched;
  EXPECT_EQ(Colour(restored[0]), (std::vector<int>{4, 5, 6, 0}));
  EXPECT_EQ(Walk(restored[0], api_get_faces)[2]->attrib_count(), 0);
  DeleteAll(restored);
}

}  // namespace
}  // namespace kernel_test
