// Naming faces into an instance of geometric objects, marking faces for a step, and finding a
// face of an instance.
#include <varnex/geometry/attribute_base.h>
#include <varnex/geometry/attributes.h>
#include <varnex/geometry/primitives.h>
#include <varnex/model/instance_bodies.h>
#include <varnex/model/object_references.h>
#include <varnex/model/object_values.h>
#include <varnex/model/planet.h>

#include "geometry_builtins_support.h"

namespace {

using namespace builtins_test;

class FaceNameBuiltins : public GeometryBuiltins {
 protected:
  object_planet* Instance(const char* name) {
    return dynamic_cast<object_planet*>(root_->find(name));
  }
  // The entity held by the geometric object `name` of the instance.
  ENTITY* Held(object_planet* instance, const char* name) {
    auto* object = dynamic_cast<object_geom*>(instance->get_subworld()->find(name));
    return object != nullptr ? object->get(0) : nullptr;
  }
};

TEST_F(FaceNameBuiltins, NameFacesMakesOneObjectPerEntityInAFreshInstance) {
  ENTITY* cube = fmcreate_cube(1, 1, 1);
  std::vector<ENTITY*> faces = Faces(cube);
  Owned names = Call("name_faces", {GeoList({faces[3], faces[1]})});
  ASSERT_TRUE(names->IsOpObject());
  object_planet* instance = Instance("f_names");
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(names->get_object(), instance);
  EXPECT_STREQ(instance->get_alias_type(), "face_names");
  EXPECT_EQ(instance->get_subworld()->get_count(), 2);
  EXPECT_EQ(Held(instance, "f_0"), faces[3]);
  EXPECT_EQ(Held(instance, "f_1"), faces[1]);
  EXPECT_EQ(Call("face_count", {new op_object(instance)})->get_long(), 2);

  // A second call in the same world is not refused for the name.
  Owned again = Call("name_faces", {Geo(cube)});
  ASSERT_NE(Instance("f_names_1"), nullptr);
  EXPECT_EQ(Held(Instance("f_names_1"), "f_0"), cube);
  EXPECT_EQ(root_->get_count(), 2);
}

TEST_F(FaceNameBuiltins, NewFacesTakesSolidFaceNamesAndIndexesTheRest) {
  ENTITY* cube = fmcreate_cube(1, 1, 1);
  std::vector<ENTITY*> faces = Faces(cube);
  new PVFAttribSolidFaceName(faces[2], "top");
  new PVFAttribSolidFaceName(faces[4], "top");  // a name twice: the first face keeps it
  Owned names = Call("new_faces", {Geo(cube)});
  object_planet* instance = Instance("f_names");
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(instance->get_subworld()->get_count(), 5);
  EXPECT_EQ(Held(instance, "top"), faces[2]);
  EXPECT_EQ(Held(instance, "f_0"), faces[0]);
  EXPECT_EQ(Held(instance, "f_5"), faces[5]);
  EXPECT_EQ(Held(instance, "f_2"), nullptr);
}

TEST_F(FaceNameBuiltins, WithoutAWorldNothingIsNamed) {
  ENTITY* cube = fmcreate_cube(1, 1, 1);
  anfang = nullptr;
  Owned names = Call("name_faces", {Geo(cube)});
  anfang = root_;
  ASSERT_TRUE(names->IsOpObject());
  EXPECT_EQ(names->get_object(), nullptr);
  EXPECT_EQ(root_->get_count(), 0);
}

TEST_F(FaceNameBuiltins, NewTempFacesMarksEveryFaceOnce) {
  ENTITY* cube = fmcreate_cube(1, 1, 1);
  Owned marked = Call("new_temp_faces", {Geo(cube)});
  ASSERT_EQ(marked->get_list()->count(), 6);
  Call("new_temp_faces", {Geo(cube)});
  for (int i = 0; i < 6; ++i) {
    ENTITY* face = marked->get_ENTITY(i);
    ATTRIB_GEN_NAME* mark = find_named_attrib(face, "_PV_TEMP_ATTRIB_");
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->value(), i);
    EXPECT_EQ(FindAttribs<ATTRIB_GEN_NAME>(face).size(), 1u);
  }
  EXPECT_EQ(Call("new_temp_faces", {Num(2)})->get_list()->count(), 0);
}

TEST_F(FaceNameBuiltins, FindAnyFaceSearchesNestedInstancesByName) {
  ENTITY* cube = fmcreate_cube(1, 1, 1);
  std::vector<ENTITY*> faces = Faces(cube);
  new PVFAttribSolidFaceName(faces[4], "pocket");
  auto* part = new object_planet("part");
  part->qualify();
  new object_zahl(3.0, "width");
  auto* inner = new object_planet("inner");
  inner->qualify();
  new object_geom(cube, "shape");
  requalify();
  requalify();

  EXPECT_EQ(Made("find_any_face", {new op_object(part)}), faces[0]);
  EXPECT_EQ(Made("find_any_face", {Str("part"), Str("pocket")}), faces[4]);
  EXPECT_EQ(Made("find_any_face", {new op_object(part), Str("nothing")}), nullptr);
  EXPECT_EQ(Made("find_any_face", {Str("no_such_instance")}), nullptr);
  EXPECT_EQ(Made("find_any_face", {Num(1)}), nullptr);
}

// What a host exports of an instance: every body its geometric objects hold, nested instances
// included, each once, in world order.
TEST_F(FaceNameBuiltins, InstanceBodiesAreCollectedOnceInWorldOrder) {
  ENTITY* plate = fmcreate_cube(4, 4, 1);
  ENTITY* pin = fmcreate_cylinder(2, 1);
  ENTITY* loose = fmcreate_sphere(1);  // in the model, held by no object of the instance
  auto* part = new object_planet("part");
  part->qualify();
  new object_geom(Faces(plate)[1], "top");
  auto* inner = new object_planet("inner");
  inner->qualify();
  new object_geom(pin, "pin");
  new object_geom(plate, "again");
  requalify();
  requalify();

  ENTITY_LIST bodies;
  EXPECT_EQ(PVFCollectInstanceBodies(part, bodies), 2);
  ASSERT_EQ(bodies.count(), 2);
  EXPECT_EQ(bodies[0], plate);
  EXPECT_EQ(bodies[1], pin);
  EXPECT_EQ(bodies.lookup(loose), -1);
  ENTITY_LIST none;
  EXPECT_EQ(PVFCollectInstanceBodies(inner, none), 2);
  // From the current (root) world: both again, already listed, so nothing is appended.
  EXPECT_EQ(PVFCollectInstanceBodies(nullptr, none), 0);
  EXPECT_EQ(none.count(), 2);
}

}  // namespace
