// Meshes for drawing: closed, facing outward, numbered by face, and appended without
// disturbing what a mesh held before.
#include <varnex/geometry/mesh.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/transforms.h>

#include <set>

#include "kernel_test_support.h"

namespace kernel_test {
namespace {

// The volume the triangles enclose (divergence theorem); positive only when they face outward.
double EnclosedVolume(const BodyMesh& mesh) {
  double six_volumes = 0;
  for (const auto& t : mesh.triangles) {
    const SPAposition &a = mesh.points[t[0]], &b = mesh.points[t[1]], &c = mesh.points[t[2]];
    six_volumes += a.x() * (b.y() * c.z() - b.z() * c.y()) -
                   a.y() * (b.x() * c.z() - b.z() * c.x()) +
                   a.z() * (b.x() * c.y() - b.y() * c.x());
  }
  return six_volumes / 6;
}

using Mesh = KernelTest;

TEST_F(Mesh, BlockIsClosedFacesOutwardAndHasSixFaces) {
  EntitySet bodies;
  bodies.add(fmcreate_cube(4, 2, 3));
  BodyMesh mesh;
  ASSERT_TRUE(PVFMeshBodies(bodies, 0, mesh).ok());
  EXPECT_NEAR(EnclosedVolume(mesh), 24.0, 1e-9);
  EXPECT_EQ(mesh.triangle_faces.size(), mesh.triangles.size());
  EXPECT_EQ(std::set<int>(mesh.triangle_faces.begin(), mesh.triangle_faces.end()).size(), 6u);
}

TEST_F(Mesh, CurvedAndMovedBodiesFollowTheirSurfaces) {
  ENTITY* cylinder = fmcreate_cylinder(10, 2);
  api_apply_transf(cylinder, fmtranslate(50, -20, 7));
  EntitySet bodies;
  bodies.add(cylinder);
  BodyMesh mesh;
  ASSERT_TRUE(PVFMeshBodies(bodies, 0.001, mesh).ok());
  const double volume = 3.141592653589793 * 4 * 10;
  EXPECT_NEAR(EnclosedVolume(mesh), volume, volume * 0.002);
  for (const SPAposition& point : mesh.points) {
    EXPECT_NEAR(point.x(), 50, 2.0 + 1e-6);
    EXPECT_NEAR(point.y(), -20, 2.0 + 1e-6);
  }
}

TEST_F(Mesh, AppendsAfterWhatTheMeshHeld) {
  EntitySet first, second;
  first.add(fmcreate_cube(1, 1, 1));
  ENTITY* moved = fmcreate_cube(2, 2, 2);
  api_apply_transf(moved, fmtranslate(5, 0, 0));
  second.add(moved);
  BodyMesh mesh;
  ASSERT_TRUE(PVFMeshBodies(first, 0, mesh).ok());
  ASSERT_TRUE(PVFMeshBodies(second, 0, mesh).ok());
  EXPECT_NEAR(EnclosedVolume(mesh), 1.0 + 8.0, 1e-9);
  EXPECT_EQ(std::set<int>(mesh.triangle_faces.begin(), mesh.triangle_faces.end()).size(), 12u);
}

TEST_F(Mesh, NothingToMeshFailsAndLeavesTheMeshAlone) {
  EntitySet none;
  BodyMesh mesh;
  mesh.points.emplace_back(1, 2, 3);
  EXPECT_FALSE(PVFMeshBodies(none, 0, mesh).ok());
  EXPECT_EQ(mesh.points.size(), 1u);
  EXPECT_TRUE(mesh.triangles.empty());
}

}  // namespace
}  // namespace kernel_test
