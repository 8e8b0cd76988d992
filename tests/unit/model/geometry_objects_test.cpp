// Geometric objects over real kernel bodies: the feature attributes that tie faces to their
// object, face names built from full names, and what deleting either side leaves behind.
#include <varnex/geometry/attributes.h>
#include <varnex/geometry/face_names.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/topology.h>
#include <varnex/model/model.h>

#include "model_fixture.h"

namespace varnex::test {
namespace {

class GeometryObjectsTest : public ModelTest {
 protected:
  void TearDown() override {
    gmod_del_all();
    ModelTest::TearDown();
  }

  ENTITY* FaceOfCube(int index) {
    ENTITY* cube = fmcreate_cube(1, 2, 3);
    ENTITY_LIST faces;
    api_get_faces(cube, faces);
    return faces[index];
  }
};

TEST_F(GeometryObjectsTest, FacesNameTheirObject) {
  object_planet* box = Planet("box_@1");
  object_geom* face_object = nullptr;
  ENTITY* face = FaceOfCube(0);
  Inside(box, [&] { face_object = new object_geom(face, "f_0"); });
  EXPECT_EQ(find_face_name_att(face), face_object);
  EXPECT_EQ(FindGeoRumpfOfEnt(face), face_object);
  PVMStrg name;
  EXPECT_STREQ(FindFaceFullName(face, name), "box_@1.f_0");
  EXPECT_EQ(FindFaceByFullName(name), face);
}

TEST_F(GeometryObjectsTest, DeletingTheObjectTakesItsAttributesAlong) {
  ENTITY* face = FaceOfCube(2);
  auto* object = new object_geom(face, "g");
  ASSERT_EQ(find_face_name_att(face), object);
  delete object;
  EXPECT_EQ(find_face_name_att(face), nullptr);

  auto* other = new object_geom(face, "h");
  EXPECT_EQ(other->remove_entity(face), 0);
  EXPECT_EQ(find_face_name_att(face), nullptr);
}

TEST_F(GeometryObjectsTest, DeletingTheBodyEmptiesTheObject) {
  ENTITY* face = FaceOfCube(1);
  auto* object = new object_geom(face, "g");
  ASSERT_EQ(object->get_list()->count(), 1);
  api_delent(face);
  EXPECT_EQ(object->get_list()->count(), 0);
  EXPECT_EQ(object->GetGeometry(), nullptr);
}

}  // namespace
}  // namespace varnex::test
