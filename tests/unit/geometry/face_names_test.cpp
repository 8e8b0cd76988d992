// Full names of faces, faces by full name, objects of entities, topology by points.
#include <varnex/geometry/face_names.h>
#include <varnex/geometry/primitives.h>

#include "kernel_test_support.h"

namespace kernel_test {
namespace {

class FaceNamesTest : public KernelTest {
 protected:
  // Gives `object` the faces, each with its feature attribute.
  void Hold(FakeObject& object, std::initializer_list<ENTITY*> faces) {
    for (ENTITY* face : faces) {
      new ATTRIB_DS(face, object.handle());
      object.entities.add(face);
    }
  }
  FakeLinks links;
};

TEST_F(FaceNamesTest, FullNamesOfSingleAndMultiFaceObjects) {
  ENTITY* block = fmcreate_cube(1, 1, 1);
  std::vector<ENTITY*> faces = Walk(block, api_get_faces);
  FakeObject& single = links.Add("W_@1.f_2");
  FakeObject& several = links.Add("W_@1.f_3");
  Hold(single, {faces[0]});
  Hold(several, {faces[1], faces[2]});
  PVMStrg name;
  EXPECT_STREQ(FindFaceFullName(faces[0], name), "W_@1.f_2");
  EXPECT_STREQ(FindFaceFullName(faces[2], name), "W_@1.f_3.f1");
  new PVFAttribSolidFaceName(faces[1], "_S0");
  EXPECT_STREQ(FindFaceFullName(faces[1], name), "W_@1.f_3_S0")
      << "a solid face name replaces the index";
  EXPECT_EQ(FindFaceFullName(faces[4], name), nullptr);
  EXPECT_TRUE(name.IsVoid());

  PVMStrg lookup("W_@1.f_3.f1");
  EXPECT_EQ(FindFaceByFullName(lookup), faces[2]);
  lookup = "W_@1.f_2";
  EXPECT_EQ(FindFaceByFullName(lookup), faces[0]);
  lookup = "W_@1.f_9";
  EXPECT_EQ(FindFaceByFullName(lookup), nullptr);
  lookup = "";
  EXPECT_EQ(FindFaceByFullName(lookup), nullptr);
  lookup = "W_@1.f_3.f7";
  EXPECT_EQ(FindFaceByFullName(lookup), nullptr) << "index beyond the object's entities";
  PVMStrg solid("_S0");
  EXPECT_EQ(PVFFindFaceIndexByAtts(several.handle(), solid), 0);
}

TEST_F(FaceNamesTest, ObjectsOfEntitiesAndNonGeometricFeatures) {
  ENTITY* block = fmcreate_cube(1, 1, 1);
  std::vector<ENTITY*> faces = Walk(block, api_get_faces);
  FakeObject& instance = links.Add("W_@1", false);
  FakeObject& face = links.Add("W_@1.f_0");
  new ATTRIB_DS(faces[0], instance.handle());
  Hold(face, {faces[0]});
  EXPECT_EQ(find_face_name_att(faces[0]), face.handle()) << "the first geometric one";
  EXPECT_EQ(FindGeoRumpfOfEnt(faces[0]), face.handle());
  EXPECT_EQ(FindNodeOfEntity(faces[0]), nullptr) << "no nodes yet";
  EXPECT_EQ(FindGeoRumpfOfEnt(faces[1]), nullptr);
}

TEST_F(FaceNamesTest, TopologyByPoints) {
  ENTITY* block = fmcreate_cube(2, 2, 2);
  const double a[] = {1, 1, 1}, b[] = {1, -1, 1}, c[] = {-1, -1, -1}, nowhere[] = {5, 5, 5};
  ENTITY* vertex = UXA_find_vertex(block, a);
  ASSERT_NE(vertex, nullptr);
  EXPECT_TRUE(same_point(vertex_position(vertex), SPAposition(1, 1, 1)));
  ENTITY* edge = UXA_find_edge(block, a, b);
  ASSERT_NE(edge, nullptr);
  EXPECT_EQ(UXA_find_edge(block, a, c), nullptr) << "no edge across the body";
  ENTITY* coedge = UXA_find_coedge(block, a, b);
  ASSERT_NE(coedge, nullptr);
  EXPECT_EQ(edge_start(coedge), vertex);
  EXPECT_EQ(UXA_find_coedge(block, b, a), UXA_find_coedge(block, b, a));
  EXPECT_NE(UXA_find_coedge(block, b, a), coedge);
  ENTITY* face = UXA_find_face(block, a, b);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(UXA_find_face(block, a, c), nullptr);
  EXPECT_EQ(UXA_find_face(block, a, nowhere), nullptr);
  EXPECT_EQ(UXA_find_vertex(face, a), nullptr) << "the argument must be a body";
}

}  // namespace
}  // namespace kernel_test
