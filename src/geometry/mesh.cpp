// Triangle meshes of bodies for drawing: Open CASCADE's incremental mesher, read back face by
// face into the kernel layer's own types.
#include <varnex/geometry/mesh.h>

#include <BRepBndLib.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <Poly_Triangulation.hxx>
#include <TopExp_Explorer.hxx>
#include <TopLoc_Location.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Face.hxx>
#include <algorithm>
#include <cmath>

#include "geometry/body_pieces.h"
#include "geometry/entity_core.h"
#include "geometry/kernel_scope.h"

namespace {

double DefaultDeflection(const TopoDS_Shape& shapes) {
  Bnd_Box box;
  BRepBndLib::Add(shapes, box);
  RequireKernel(!box.IsVoid(), KERNEL_BAD_VALUE, "empty bodies");
  return std::max(1e-6, 1e-3 * std::sqrt(box.SquareExtent()));
}

// Appends one face's triangles; a reversed face turns its triangles round so that they keep
// facing out of the material.
void AppendFace(const TopoDS_Face& face, int number, BodyMesh& mesh) {
  TopLoc_Location location;
  Handle(Poly_Triangulation) triangulation = BRep_Tool::Triangulation(face, location);
  if (triangulation.IsNull()) {
    return;
  }
  const gp_Trsf& placement = location.Transformation();
  const int first = static_cast<int>(mesh.points.size());
  for (int i = 1; i <= triangulation->NbNodes(); ++i) {
    gp_Pnt point = triangulation->Node(i).Transformed(placement);
    mesh.points.emplace_back(point.X(), point.Y(), point.Z());
  }
  const bool reversed = face.Orientation() == TopAbs_REVERSED;
  for (int i = 1; i <= triangulation->NbTriangles(); ++i) {
    int a = 0, b = 0, c = 0;
    triangulation->Triangle(i).Get(a, b, c);
    if (reversed) {
      std::swap(b, c);
    }
    mesh.triangles.push_back({first + a - 1, first + b - 1, first + c - 1});
    mesh.triangle_faces.push_back(number);
  }
}

}  // namespace

outcome PVFMeshBodies(const EntitySet& entities, double deflection, BodyMesh& mesh) {
  BodyMesh added;
  outcome result = RunKernelOperation([&] {
    TopoDS_Compound shapes = ShapesOfBodies(entities);
    if (!(deflection > 0.0) || !std::isfinite(deflection)) {
      deflection = DefaultDeflection(shapes);
    }
    BRepMesh_IncrementalMesh mesher(shapes, deflection, false, 0.5, false);
    RequireKernel(mesher.IsDone(), KERNEL_NOT_DONE, "meshing");
    int number = 0;
    for (TopExp_Explorer faces(shapes, TopAbs_FACE); faces.More(); faces.Next()) {
      AppendFace(TopoDS::Face(faces.Current()), number++, added);
    }
  });
  if (result.ok()) {
    const int offset = static_cast<int>(mesh.points.size());
    const int face_offset =
        mesh.triangle_faces.empty()
            ? 0
            : *std::max_element(mesh.triangle_faces.begin(), mesh.triangle_faces.end()) + 1;
    for (int face : added.triangle_faces) {
      mesh.triangle_faces.push_back(face + face_offset);
    }
    mesh.points.insert(mesh.points.end(), added.points.begin(), added.points.end());
    for (const auto& triangle : added.triangles) {
      mesh.triangles.push_back({triangle[0] + offset, triangle[1] + offset, triangle[2] + offset});
    }
  }
  return result;
}
