// Triangle meshes of bodies, for hosts that draw them (pictures, previews, viewers).
#pragma once

#include <varnex/export.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/outcome.h>
#include <varnex/geometry/spa.h>

#include <array>
#include <vector>

/// The faces of bodies as triangles in model coordinates. Every triangle's corners run
/// counter-clockwise seen from outside the material, so its right-hand normal points outward.
struct BodyMesh {
  std::vector<SPAposition> points;
  /// Indices into `points`.
  std::vector<std::array<int, 3>> triangles;
  /// Per triangle: the number of the face it belongs to (faces are numbered from 0 over the
  /// meshed bodies), so that a drawing can show the edges between faces.
  std::vector<int> triangle_faces;
};

/// Meshes the bodies owning the entities of the set (each body once) and appends their
/// triangles to `mesh`. `deflection` is the largest distance of a triangle from its surface
/// (<= 0: a thousandth of the bodies' size). A failure leaves `mesh` as it was.
VARNEX_API outcome PVFMeshBodies(const EntitySet& entities, double deflection, BodyMesh& mesh);
