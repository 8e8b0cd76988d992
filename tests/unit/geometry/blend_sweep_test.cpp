// Blends and sweeps: the right edges and amounts, names of neighbouring faces kept, and a blend
// or sweep the kernel cannot build changing nothing.
#include <varnex/geometry/blends.h>
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/sweeps.h>
#include <varnex/geometry/transforms.h>

#include <numbers>

#include "geometry/kernel_faults.h"
#include "kernel_test_support.h"

namespace kernel_test {
namespace {

constexpr double kPi = std::numbers::pi;

ENTITY* Face(ENTITY* body, double nx, double ny, double nz, double offset = 5) {
  return PlanarFace(body, SPAvector(nx, ny, nz),
                    SPAposition(nx * offset, ny * offset, nz * offset));
}

ENTITY_LIST Faces(std::initializer_list<ENTITY*> faces) {
  ENTITY_LIST list;
  for (ENTITY* face : faces) {
    list.add(face);
  }
  return list;
}

class Blends : public KernelTest {};

TEST_F(Blends, RoundingOneEdgeRemovesItsCornerAndKeepsNeighbours) {
  ENTITY* block = fmcreate_cube(10, 10, 10);
  ENTITY* top = Face(block, 0, 0, 1);
  ENTITY* side = Face(block, 1, 0, 0);
  new PVFAttribSolidFaceName(top, "top");
  ENTITY_LIST tops = Faces({top}), sides = Faces({side});
  ASSERT_EQ(fmset_rounds(&tops, &sides, 1.0, 0.0, 0.0), block);
  EXPECT_NEAR(fmvolume_of_body(block), 1000 - (1 - kPi / 4) * 10, 1e-6);
  EXPECT_EQ(Face(block, 0, 0, 1), top) << "the neighbour keeps its entity";
  EXPECT_EQ(FaceNames(block), std::vector<std::string>{"top"});
  EXPECT_EQ(Walk(block, api_get_faces).size(), 7u);
}

TEST_F(Blends, ChamferDistancesFollowTheLists) {
  ENTITY* block = fmcreate_cube(10, 10, 10);
  ENTITY* top = Face(block, 0, 0, 1);
  ENTITY* side = Face(block, 1, 0, 0);
  ENTITY_LIST tops = Faces({top}), sides = Faces({side});
  ASSERT_EQ(fmset_chamfer(&tops, &sides, 1.0, 2.0), block);
  EXPECT_NEAR(fmvolume_of_body(block), 1000 - 0.5 * 1 * 2 * 10, 1e-6);
  EXPECT_NEAR(fmarea_of_face(top, 0), 90, 1e-6) << "the first distance lies on the first list";
  EXPECT_NEAR(fmarea_of_face(side, 0), 80, 1e-6);
}

TEST_F(Blends, UprightEdgesAndConvexityFilter) {
  ENTITY* block = fmcreate_cube(10, 10, 10);
  ENTITY_LIST base = Faces({Face(block, 0, 0, -1)});
  ENTITY_LIST xs = Faces({Face(block, 1, 0, 0), Face(block, -1, 0, 0)});
  ENTITY_LIST ys = Faces({Face(block, 0, 1, 0), Face(block, 0, -1, 0)});
  EXPECT_EQ(fmset_rounds_vert(&base, &xs, &ys, 1.0, 0.0, -1.0), nullptr)
      << "a box has no concave edge";
  ASSERT_EQ(fmset_rounds_vert(&base, &xs, &ys, 1.0, 0.0, 1.0), block);
  EXPECT_NEAR(fmvolume_of_body(block), 1000 - 4 * (1 - kPi / 4) * 10, 1e-6);
}

TEST_F(Blends, ConcaveEdgeOfAnLShape) {
  ENTITY* block = fmcreate_cube(10, 10, 10);
  ENTITY* notch = fmcreate_cube(10, 10, 10);
  api_apply_transf(notch, fmtranslate(5, 0, 5));
  ASSERT_EQ(subtract(notch, block), block);
  ENTITY* floor = PlanarFace(block, SPAvector(0, 0, 1), SPAposition(2.5, 0, 0));
  ENTITY* wall = PlanarFace(block, SPAvector(1, 0, 0), SPAposition(0, 0, 2.5));
  ASSERT_NE(floor, nullptr);
  ASSERT_NE(wall, nullptr);
  ENTITY_LIST edges;
  ASSERT_TRUE(give_edges_of_two_faces(floor, wall, edges).ok());
  ASSERT_EQ(edges.count(), 1);
  EXPECT_EQ(api_edge_convexity_param(edges[0]), -1);
  ENTITY_LIST floors = Faces({floor}), walls = Faces({wall});
  EXPECT_EQ(fmset_rounds(&floors, &walls, 1.0, 0.0, 1.0), nullptr) << "not convex";
  ASSERT_EQ(fmset_rounds(&floors, &walls, 1.0, 0.0, -1.0), block);
  EXPECT_NEAR(fmvolume_of_body(block), 750 + (1 - kPi / 4) * 10, 1e-6);
}

TEST_F(Blends, ImpossibleBlendYieldsNullAnErrorAndNoChange) {
  ENTITY* block = fmcreate_cube(10, 10, 10);
  std::vector<ENTITY*> faces = Walk(block, api_get_faces);
  ENTITY* top = Face(block, 0, 0, 1);
  new PVFAttribSolidFaceName(top, "top");
  ENTITY_LIST tops = Faces({top});
  ENTITY_LIST sides = Faces({Face(block, 1, 0, 0), Face(block, -1, 0, 0)});
  for (double radius : {20.0, 6.0}) {  // 6: the rounds of opposite edges would eat the top
    SCOPED_TRACE(radius);
    EXPECT_EQ(fmset_rounds(&tops, &sides, radius, 0.0, 0.0), nullptr);
    int error = PVFLastKernelOutcome().error_number();
    EXPECT_TRUE(error == KERNEL_BLEND_FAILED || error == KERNEL_EXCEPTION ||
                error == KERNEL_INVALID_RESULT)
        << PVFLastKernelOutcome().message();
    EXPECT_EQ(Walk(block, api_get_faces), faces);
    EXPECT_NEAR(fmvolume_of_body(block), 1000, 1e-6);
    EXPECT_EQ(FaceNames(block), std::vector<std::string>{"top"});
  }
  EXPECT_EQ(fmset_chamfer(&tops, &sides, 0, 1), nullptr);
  EXPECT_EQ(PVFLastKernelOutcome().error_number(), KERNEL_BAD_VALUE);
}

class Sweeps : public KernelTest {};

ENTITY* Square(double size, double z = 0) {
  const SPAposition corners[] = {SPAposition(0, 0, z), SPAposition(size, 0, z),
                                 SPAposition(size, size, z), SPAposition(0, size, z),
                                 SPAposition(0, 0, z)};
  ENTITY* wire = nullptr;
  api_make_wire(corners, 5, wire);
  ToModel(wire);
  return wire;
}

TEST_F(Sweeps, WireProfileBecomesTheSolidInPlace) {
  ENTITY* profile = Square(2);
  ASSERT_EQ(fmsweep_vec(profile, 0, 0, 3, 0, 0), profile);
  EXPECT_NEAR(fmvolume_of_body(profile), 12, 1e-9);
  EXPECT_TRUE(Walk(profile, api_get_wires).empty());
  EXPECT_EQ(Walk(profile, api_get_faces).size(), 6u);
}

TEST_F(Sweeps, DraftWidensOrNarrowsTheSection) {
  ENTITY* wide = Square(2);
  ENTITY* narrow = Square(2);
  ASSERT_EQ(fmsweep_vec(wide, 0, 0, 3, 0.1, 0), wide);
  ASSERT_EQ(fmsweep_vec(narrow, 0, 0, 3, -0.1, 0), narrow);
  EXPECT_GT(fmvolume_of_body(wide), 12);
  EXPECT_LT(fmvolume_of_body(narrow), 12);
  SPAposition low, high;
  api_get_entity_box(wide, low, high);
  EXPECT_NEAR(high.x(), 2 + 3 * std::tan(0.1), 1e-6);
}

TEST_F(Sweeps, FacesOfSolidsGrowOrShrink) {
  ENTITY* block = fmcreate_cube(10, 10, 10);
  list faces;
  faces.add(Face(block, 0, 0, 1));
  ASSERT_EQ(fmsweep(&faces, 5, 0, 0), block);
  EXPECT_NEAR(fmvolume_of_body(block), 1500, 1e-6);
  faces.clear();
  faces.add(Face(block, 1, 0, 0));
  ASSERT_EQ(fmsweep(&faces, -2, 0, 0), block);
  EXPECT_NEAR(fmvolume_of_body(block), 1200, 1e-6);
  faces.clear();
  faces.add(Face(block, 0, 1, 0));
  ENTITY* copy = fmsweep_as_body(&faces, 1, 0, 0);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, block);
  EXPECT_NEAR(fmvolume_of_body(copy), 120, 1e-6);
  EXPECT_NEAR(fmvolume_of_body(block), 1200, 1e-6) << "the copied faces stay";
}

TEST_F(Sweeps, CoverRevolveAndPathSweeps) {
  ENTITY* cylinder = fmcreate_cylinder(1, 1);
  ENTITY* disk = fmcover_face(PlanarFace(cylinder, SPAvector(0, 0, -1), SPAposition()));
  ASSERT_NE(disk, nullptr);
  EXPECT_NEAR(fmarea_of_body(disk, 0), kPi, 1e-9);
  ENTITY* path = fmmake_wire(0, 0, 0, 0, 0, -10);
  ASSERT_EQ(fmsweep_wire(disk, path, 0, 0, 0), disk);
  EXPECT_NEAR(fmvolume_of_body(disk), 10 * kPi, 1e-6);

  const SPAposition ring[] = {SPAposition(2, 0, 0), SPAposition(4, 0, 0), SPAposition(4, 0, 1),
                              SPAposition(2, 0, 1), SPAposition(2, 0, 0)};
  ENTITY* section = nullptr;
  ASSERT_TRUE(api_make_wire(ring, 5, section).ok());
  ASSERT_EQ(fmrevolve_wire(section), section);
  EXPECT_NEAR(fmvolume_of_body(section), kPi * (16 - 4), 1e-6);

  const SPAposition half[] = {SPAposition(0, 0, 0), SPAposition(2, 0, 0), SPAposition(2, 0, 3),
                              SPAposition(0, 0, 3)};
  ENTITY* open = nullptr;
  ASSERT_TRUE(api_make_wire(half, 4, open).ok());
  ASSERT_EQ(fmrevolve_wire(open), open) << PVFLastKernelOutcome().message();
  EXPECT_NEAR(fmvolume_of_body(open), kPi * 4 * 3, 1e-6);
}

TEST_F(Sweeps, NestedWiresBecomeHoles) {
  ENTITY* outer = Square(10);
  ENTITY* inner = Square(2);
  api_apply_transf(inner, fmtranslate(4, 4, 0));
  ASSERT_EQ(combine(inner, outer), outer);
  ENTITY* sheet = fmcover_face(outer);
  ASSERT_NE(sheet, nullptr);
  EXPECT_NEAR(fmarea_of_body(sheet, 0), 96, 1e-9);
  ENTITY* filled = fmcover_face(Walk(sheet, api_get_faces)[0]);
  EXPECT_NEAR(fmarea_of_body(filled, 0), 100, 1e-9) << "covering a face fills its holes";
}

TEST_F(Sweeps, HullAndTorusArc) {
  ENTITY* hull = fmsweep_hull(nullptr, 10, 3, 1);
  ASSERT_NE(hull, nullptr);
  EXPECT_NEAR(fmvolume_of_body(hull), kPi * (9 - 4) * 10, 1e-6);
  EXPECT_EQ(fmsweep_hull(nullptr, 10, 3, 3), nullptr);
  ENTITY* torus = fmcreate_torus_arc(5, 1, 0, 2 * kPi, 0, 2 * kPi);
  ASSERT_NE(torus, nullptr);
  EXPECT_NEAR(fmvolume_of_body(torus), 2 * kPi * kPi * 5, 1e-6);
  ENTITY* half = fmcreate_torus_arc(5, 1, 0, 2 * kPi, 0, kPi);
  ASSERT_NE(half, nullptr);
  EXPECT_NEAR(fmvolume_of_body(half), kPi * kPi * 5, 1e-6);
  ENTITY* segment = fmcreate_torus_arc(5, 1, 0, kPi, 0, 2 * kPi);
  ASSERT_NE(segment, nullptr);
  // Half disk (area pi/2) whose centroid sits 4/(3 pi) above the ring circle in z: Pappus.
  EXPECT_NEAR(fmvolume_of_body(segment), 2 * kPi * 5 * kPi / 2, 1e-6);
}

TEST_F(Sweeps, OpenProfilesAndBadInputsChangeNothing) {
  ENTITY* line = fmmake_wire(0, 0, 0, 1, 0, 0);
  EXPECT_EQ(fmsweep_vec(line, 0, 0, 1, 0, 0), nullptr);
  EXPECT_EQ(PVFLastKernelOutcome().error_number(), KERNEL_BAD_VALUE);
  EXPECT_EQ(Walk(line, api_get_edges).size(), 1u);
  ENTITY* square = Square(1);
  EXPECT_EQ(fmsweep_vec(square, 0, 0, 0, 0, 0), nullptr);
  EXPECT_EQ(fmsweep_vec(square, 0, 0, 1, 2.0, 0), nullptr) << "a draft past a right angle";
  EXPECT_EQ(Walk(square, api_get_wires).size(), 1u);
  EXPECT_EQ(fmsweep_wire(square, square, 0, 0, 0), nullptr);
}

class WiresAndFaults : public KernelTest {};

TEST_F(WiresAndFaults, UnitingWiresJoinsTheirEdgesIntoOneWire) {
  ENTITY* first = fmmake_wire(0, 0, 0, 1, 0, 0);
  ENTITY* second = fmmake_wire(1, 0, 0, 1, 1, 0);
  ASSERT_EQ(unite_wires(second, first), first);
  EXPECT_EQ(Walk(first, api_get_edges).size(), 2u);
  EXPECT_EQ(Walk(first, api_get_wires).size(), 1u);
  EXPECT_EQ(gmod_anfang->count(), 1);
  ENTITY* crossing = fmmake_wire(0.5, -1, 0, 0.5, 1, 0);
  ASSERT_EQ(unite_wires(crossing, first), first);
  EXPECT_EQ(Walk(first, api_get_edges).size(), 5u) << "edges split where they cross";
}

// Every fault point of a sweep over two bodies fails the whole call and changes neither body.
TEST_F(WiresAndFaults, FaultSweepOverASweepOfTwoBodies) {
  ENTITY* a = fmcreate_cube(10, 10, 10);
  ENTITY* b = fmcreate_cube(10, 10, 10);
  api_apply_transf(b, fmtranslate(20, 0, 0));
  list faces;
  faces.add(Face(a, 0, 0, 1));
  faces.add(PlanarFace(b, SPAvector(0, 0, 1), SPAposition(20, 0, 5)));
  std::vector<ENTITY*> facesA = Walk(a, api_get_faces), facesB = Walk(b, api_get_faces);
  for (int fault = 1; fault <= 2; ++fault) {
    SCOPED_TRACE(fault);
    ArmKernelFault(fault);
    EXPECT_EQ(fmsweep(&faces, 5, 0, 0), nullptr);
    EXPECT_EQ(Walk(a, api_get_faces), facesA);
    EXPECT_EQ(Walk(b, api_get_faces), facesB);
    EXPECT_NEAR(fmvolume_of_body(a) + fmvolume_of_body(b), 2000, 1e-6);
    EXPECT_EQ(faces.count(), 2);
  }
  ArmKernelFault(0);
  ASSERT_EQ(fmsweep(&faces, 5, 0, 0), a);
  EXPECT_NEAR(fmvolume_of_body(a) + fmvolume_of_body(b), 3000, 1e-6);
}

}  // namespace
}  // namespace kernel_test
