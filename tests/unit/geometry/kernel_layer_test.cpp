// The kernel layer's frame: entities keep their identity, transformations move bodies exactly as
// SPAtransf maps points (also shears and uneven scales), failures leave inputs untouched, and the
// model's body list follows deletions.
#include <varnex/geometry/measures.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/transforms.h>

#include <numbers>

#include "geometry/kernel_faults.h"
#include "kernel_test_support.h"

namespace kernel_test {
namespace {

class KernelLayer : public KernelTest {};

std::vector<SPAposition> Positions(const std::vector<ENTITY*>& vertices) {
  std::vector<SPAposition> positions;
  for (ENTITY* vertex : vertices) {
    positions.push_back(vertex_position(vertex));
  }
  return positions;
}

TEST_F(KernelLayer, TransformsMoveBodiesAsTheyMapPoints) {
  const SPAtransf shear(SPAmatrix(SPAvector(1, 0, 0), SPAvector(0.5, 1, 0), SPAvector(0, 0, 1)),
                        SPAvector(1, 2, 3), 1.0, FALSE, FALSE, TRUE);
  const SPAtransf stretch(SPAmatrix(SPAvector(2, 0, 0), SPAvector(0, 1, 0), SPAvector(0, 0, 1)),
                          SPAvector(), 1.0, FALSE, FALSE, TRUE);
  const struct {
    const char* name;
    SPAtransf transf;
    double volume;
  } cases[] = {
      {"translation", fmtranslate(1, -2, 3), 1000},
      {"rotation", fmrotate(1, 2, 3, 0.7), 1000},
      {"reflection", reflect_transf(SPAvector(1, 1, 0)), 1000},
      {"uniform scale", scale_transf(2) * fmtranslate(0, 0, 5), 8000},
      {"shear", shear, 1000},
      {"uneven scale", stretch, 2000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ENTITY* block = fmcreate_cube(10, 10, 10);
    std::vector<ENTITY*> vertices = Walk(block, api_get_vertices);
    std::vector<SPAposition> before = Positions(vertices);
    ASSERT_TRUE(api_apply_transf(block, c.transf).ok()) << PVFLastKernelOutcome().message();
    ASSERT_EQ(Walk(block, api_get_vertices), vertices) << "vertices keep their identity";
    for (std::size_t i = 0; i < vertices.size(); ++i) {
      EXPECT_TRUE(same_point(vertex_position(vertices[i]), before[i] * c.transf, 1e-7));
    }
    EXPECT_NEAR(fmvolume_of_body(block), c.volume, 1e-6 * c.volume);
    gmod_del_all();
  }
}

TEST_F(KernelLayer, SingularTransformFailsAndLeavesTheBody) {
  ENTITY* block = fmcreate_cube(10, 10, 10);
  const SPAtransf flat(SPAmatrix(SPAvector(1, 0, 0), SPAvector(0, 1, 0), SPAvector(0, 0, 0)),
                       SPAvector(), 1.0, FALSE, FALSE, TRUE);
  outcome result = api_apply_transf(block, flat);
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.error_number(), KERNEL_BAD_VALUE);
  EXPECT_NEAR(fmvolume_of_body(block), 1000, 1e-6);
  EXPECT_TRUE(GetTrans(block).identity());
}

TEST_F(KernelLayer, TransformationRecordComposes) {
  ENTITY* block = fmcreate_cube(1, 1, 1);
  api_apply_transf(block, fmtranslate(1, 0, 0));
  api_apply_transf(block, fmrotate(0, 0, 1, std::numbers::pi / 2));
  EXPECT_TRUE(same_point(SPAposition() * GetTrans(block), SPAposition(0, 1, 0), 1e-12));
}

TEST_F(KernelLayer, InjectedFaultsLeaveTheInputsUntouched) {
  ENTITY* block = fmcreate_cube(10, 10, 10);
  std::vector<ENTITY*> faces = Walk(block, api_get_faces);
  new PVFAttribSolidFaceName(faces[0], "kept");
  ArmKernelFault(1);
  outcome result = api_apply_transf(block, fmtranslate(5, 0, 0));
  EXPECT_EQ(result.error_number(), KERNEL_NOT_DONE);
  EXPECT_EQ(Walk(block, api_get_faces), faces);
  EXPECT_EQ(FaceNames(block), std::vector<std::string>{"kept"});
  SPAposition low, high;
  ASSERT_TRUE(api_get_entity_box(block, low, high).ok());
  EXPECT_TRUE(same_point(low, SPAposition(-5, -5, -5), 1e-6));

  ArmKernelFault(1);
  EXPECT_EQ(fmcreate_sphere(2), nullptr);
  EXPECT_EQ(gmod_anfang->count(), 1) << "a failed creation adds nothing";
}

TEST_F(KernelLayer, BadPrimitiveValuesGiveNullAndAnErrorNumber) {
  const struct {
    const char* name;
    ENTITY* (*make)();
  } cases[] = {
      {"zero cube side", [] { return fmcreate_cube(0, 1, 1); }},
      {"negative sphere", [] { return fmcreate_sphere(-1); }},
      {"two-sided prism", [] { return fmcreate_pris(1, 1, 1, 2.9); }},
      {"torus tube too wide", [] { return fmcreate_torus(1, 2); }},
      {"absurd side count", [] { return fmcreate_pyramid(1, 1, 1, 0, 1e300); }},
      {"NaN height", [] { return fmcreate_cylinder(std::nan(""), 1); }},
      {"point wire", [] { return fmmake_wire(1, 1, 1, 1, 1, 1); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.make(), nullptr);
    EXPECT_EQ(PVFLastKernelOutcome().error_number(), KERNEL_BAD_VALUE);
  }
  EXPECT_EQ(gmod_anfang->count(), 0);
}

TEST_F(KernelLayer, DeletedBodiesLeaveEveryList) {
  ENTITY* block = fmcreate_cube(1, 1, 1);
  ENTITY_LIST faces;
  api_get_faces(block, faces);
  geo_list bodies;
  bodies.add(block);
  geo_list* copy = bodies.copy();
  list held;
  fill_list(block, &held);
  EXPECT_EQ(held.count(), 6);
  EXPECT_EQ(fmdelete_geometric(faces[2]), 1) << "any entity deletes its body";
  EXPECT_EQ(faces.count(), 0);
  EXPECT_EQ(bodies.count(), 0);
  EXPECT_EQ(copy->count(), 0);
  EXPECT_EQ(held.count(), 0);
  EXPECT_EQ(gmod_anfang->count(), 0);
  delete copy;
  EXPECT_FALSE(api_delent(nullptr).ok());
}

TEST_F(KernelLayer, CopiesCarryCopyableAttributes) {
  FakeLinks links;
  FakeObject& object = links.Add("W_@1.f_0");
  ENTITY* block = fmcreate_cube(2, 2, 2);
  ENTITY* face = Walk(block, api_get_faces)[0];
  new PVFAttribSolidFaceName(face, "N");
  new PVFAttribRGBColor(face, 1, 2, 3);
  new ATTRIB_DS(face, object.handle());
  object.entities.add(face);
  ENTITY* copy = PVcreate_copy_Body(block);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, block);
  EXPECT_EQ(FaceNames(copy), std::vector<std::string>{"N"});
  EXPECT_EQ(object.entities.count(), 1) << "a copy does not join the original's object";
  ENTITY* copied = PlanarFace(copy, SPAvector(-1, 0, 0), SPAposition(-1, 0, 0));
  ASSERT_EQ(FindAttribs<ATTRIB_DS>(copied).size(), 1u);
  EXPECT_EQ(FindAttribs<ATTRIB_DS>(copied)[0]->feature(), object.handle());
  ENTITY* single = fmcreate_copy_entity(face);
  ASSERT_NE(single, nullptr);
  EXPECT_EQ(Walk(single, api_get_faces).size(), 1u);
  EXPECT_NEAR(fmarea_of_body(single, 0), 4.0, 1e-9);
}

TEST_F(KernelLayer, WalksAroundEdgesAndVertices) {
  ENTITY* block = fmcreate_cube(2, 2, 2);
  EXPECT_EQ(Walk(block, api_get_lumps).size(), 1u);
  EXPECT_EQ(Walk(block, api_get_shells).size(), 1u);
  EXPECT_EQ(Walk(block, api_get_edges).size(), 12u);
  EXPECT_EQ(Walk(block, api_get_loops).size(), 6u);
  EXPECT_EQ(Walk(block, api_get_coedges).size(), 24u);
  EXPECT_TRUE(Walk(block, api_get_wires).empty());
  ENTITY* vertex = api_find_vertex(block, SPAposition(1, 1, 1));
  ASSERT_NE(vertex, nullptr);
  EXPECT_EQ(Walk(vertex, api_get_faces).size(), 3u);
  EXPECT_EQ(Walk(vertex, api_get_edges).size(), 3u);
  ENTITY* edge = Walk(vertex, api_get_edges)[0];
  EXPECT_EQ(Walk(edge, api_get_faces).size(), 2u);
  EXPECT_EQ(Walk(edge, api_get_coedges).size(), 2u);
  for (ENTITY* coedge : Walk(edge, api_get_coedges)) {
    EXPECT_EQ(coedge_edge(coedge), edge);
    EXPECT_NE(owning_face(coedge), nullptr);
  }
  EXPECT_EQ(api_find_vertex(block, SPAposition(1, 1, 1.1)), nullptr);
  ENTITY* wire = fmmake_wire(0, 0, 0, 1, 2, 3);
  EXPECT_EQ(Walk(wire, api_get_wires).size(), 1u);
  EXPECT_TRUE(Walk(wire, api_get_loops).empty());
  ENTITY* line = Walk(wire, api_get_edges)[0];
  EXPECT_TRUE(same_point(vertex_position(edge_end(line)), SPAposition(1, 2, 3)));
}

}  // namespace
}  // namespace kernel_test

namespace kernel_test {
namespace {

class Primitives : public KernelTest {};

struct PrimitiveCase {
  const char* name;
  ENTITY* (*make)();
  double volume;
  int faces;
  SPAposition low, high;  // bounding box
};

TEST_F(Primitives, ConventionsOfTheOldKernel) {
  constexpr double pi = std::numbers::pi;
  const PrimitiveCase cases[] = {
      {"centred cuboid", [] { return fmcreate_cube(2, 4, 6); }, 48, 6, SPAposition(-1, -2, -3),
       SPAposition(1, 2, 3)},
      {"cylinder from z = 0", [] { return fmcreate_cylinder(5, 2); }, 20 * pi, 3,
       SPAposition(-2, -2, 0), SPAposition(2, 2, 5)},
      {"cone never ends in a point", [] { return fmcreate_cone(3, 2, 0); }, 4 * pi, 3,
       SPAposition(-2, -2, 0), SPAposition(2, 2, 3)},
      {"elliptic cylinder", [] { return fmcreate_frustum(2, 3, 1, 3); }, 6 * pi, 3,
       SPAposition(-3, -1, 0), SPAposition(3, 1, 2)},
      {"elliptic frustum", [] { return fmcreate_frustum(3, 2, 1, 1); },
       pi * 2 * 1 * 3 * (1 + 0.5 + 0.25) / 3, 3, SPAposition(-2, -1, 0), SPAposition(2, 1, 3)},
      {"twelve-sided pyramid", [] { return fmcreate_pyramid(3, 2, 0); }, 3 * 4, 13,
       SPAposition(-2, -2, -1.5), SPAposition(2, 2, 1.5)},
      {"square pyramid frustum", [] { return fmcreate_pyramid(3, 2, 2, 1, 4.9); },
       3.0 / 3 * (8 + 2 + 4), 6, SPAposition(-2, -2, -1.5), SPAposition(2, 2, 1.5)},
      {"hexagonal prism", [] { return fmcreate_pris(2, 1, 1, 6.5); }, 2 * 3 * std::sin(pi / 3), 8,
       SPAposition(-1, -std::sin(pi / 3), -1), SPAposition(1, std::sin(pi / 3), 1)},
      {"sphere", [] { return fmcreate_sphere(2); }, 32 * pi / 3, 1, SPAposition(-2, -2, -2),
       SPAposition(2, 2, 2)},
      {"torus", [] { return fmcreate_torus(3, 1); }, 2 * pi * pi * 3, 1, SPAposition(-4, -4, -1),
       SPAposition(4, 4, 1)},
  };
  for (const PrimitiveCase& c : cases) {
    SCOPED_TRACE(c.name);
    ENTITY* body = c.make();
    ASSERT_NE(body, nullptr) << PVFLastKernelOutcome().message();
    EXPECT_EQ(gmod_anfang->lookup(body), gmod_anfang->count() - 1) << "added to the model";
    EXPECT_NEAR(fmvolume_of_body(body), c.volume, 1e-4 * c.volume);
    EXPECT_EQ(Walk(body, api_get_faces).size(), static_cast<std::size_t>(c.faces));
    SPAposition low, high;
    ASSERT_TRUE(api_get_entity_box(body, low, high).ok());
    EXPECT_TRUE(same_point(low, c.low, 1e-4) && same_point(high, c.high, 1e-4))
        << low.x() << " " << low.y() << " " << low.z() << " / " << high.x() << " " << high.y()
        << " " << high.z();
  }
}

}  // namespace
}  // namespace kernel_test

namespace kernel_test {
namespace {

class Measures : public KernelTest {};

ENTITY* CubeAt(double size, double x, double y, double z) {
  ENTITY* cube = fmcreate_cube(size, size, size);
  api_apply_transf(cube, fmtranslate(x, y, z));
  return cube;
}

TEST_F(Measures, ClearanceCountsTouchingAndNestedBodiesAsMeeting) {
  const struct {
    const char* name;
    double size, x;
    XBOOL meet;
    double distance;
  } cases[] = {
      {"apart", 2, 10, FALSE, 4},
      {"touching", 2, 6, TRUE, 0},
      {"overlapping", 2, 5, TRUE, 0},
      {"nested inside", 2, 0, TRUE, 0},
      {"within tolerance", 2, 6 + 1e-9, TRUE, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ENTITY* big = CubeAt(10, 0, 0, 0);
    ENTITY* small = CubeAt(c.size, c.x, 0, 0);
    double distance = -5;
    EXPECT_EQ(fmBodyClearance(Walk(big, api_get_faces)[0], small, distance), c.meet);
    EXPECT_NEAR(distance, c.distance, 1e-7);
    gmod_del_all();
  }
  double distance = 0;
  EXPECT_FALSE(fmBodyClearance(nullptr, nullptr, distance));
  EXPECT_EQ(distance, -1);
}

TEST_F(Measures, CentresOfVolumesAndAreas) {
  list geometry;
  geometry.add(CubeAt(2, 0, 0, 0));   // volume 8
  geometry.add(CubeAt(4, 10, 0, 0));  // volume 64
  double centre[3] = {0, 0, 0};
  ASSERT_EQ(fmget_box_center(&geometry, centre, 0, 0, 1), centre);
  EXPECT_NEAR(centre[0], 640.0 / 72, 1e-9);
  EXPECT_EQ(fmget_box_center(&geometry, centre, 0, 0, 0), nullptr) << "zero normal";
  EXPECT_EQ(fmget_box_center(nullptr, centre, 0, 0, 1), nullptr);

  ENTITY* block = CubeAt(10, 0, 0, 0);
  list top;
  top.add(PlanarFace(block, SPAvector(0, 0, 1), SPAposition(0, 0, 5)));
  ASSERT_EQ(fmget_area_center(&top, centre, 0, 0), centre);
  EXPECT_TRUE(same_point(SPAposition(centre), SPAposition(0, 0, 5), 1e-9));
  ASSERT_EQ(fmget_area_center(&top, centre, 0, 2), centre);
  EXPECT_TRUE(same_point(SPAposition(centre), SPAposition(0, 0, 7), 1e-9))
      << "moved along the outward normal";
  top.add(PlanarFace(block, SPAvector(1, 0, 0), SPAposition(5, 0, 0)));
  ASSERT_EQ(fmget_area_center(&top, centre, 0, 0), centre);
  EXPECT_TRUE(same_point(SPAposition(centre), SPAposition(2.5, 0, 5), 1e-9))
      << "the weighted centre's foot on the first face";
  EXPECT_NEAR(fmarea_of_body(block, 0), 600, 1e-9);
  EXPECT_EQ(fmarea_of_face(block, 0), 0) << "a body is no face";
  EXPECT_EQ(fm_face_type(top[0]), 1);
  double u0, u1, v0, v1, x, y, z;
  ASSERT_TRUE(fm_face_param_range(top[0], u0, u1, v0, v1));
  ASSERT_TRUE(fm_face_normal(top[0], (u0 + u1) / 2, (v0 + v1) / 2, x, y, z));
  EXPECT_NEAR(z, 1, 1e-12);
  ENTITY* cylinder = fmcreate_cylinder(1, 1);
  ENTITY* wall = nullptr;
  for (ENTITY* face : Walk(cylinder, api_get_faces)) {
    wall = fm_face_type(face) == 2 ? face : wall;
  }
  EXPECT_FALSE(is_planar_face(wall));
  SPAposition point;
  SPAunit_vector normal;
  EXPECT_FALSE(FaceProperties(wall, point, normal));
}

}  // namespace
}  // namespace kernel_test
