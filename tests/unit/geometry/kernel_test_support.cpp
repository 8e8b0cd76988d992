// Shared helpers of the kernel layer's tests.
#include "kernel_test_support.h"

#include <varnex/geometry/measures.h>

#include <algorithm>

namespace kernel_test {

std::vector<std::string> FaceNames(ENTITY* body) {
  std::vector<std::string> names;
  for (ENTITY* face : Walk(body, api_get_faces)) {
    std::vector<PVFAttribSolidFaceName*> found;
    PVFFindAllSolidFaceNameAtts(face, found);
    for (PVFAttribSolidFaceName* attrib : found) {
      names.push_back(attrib->GetName());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

ENTITY* PlanarFace(ENTITY* body, const SPAvector& normal, const SPAposition& through) {
  for (ENTITY* face : Walk(body, api_get_faces)) {
    SPAposition point;
    SPAunit_vector faceNormal;
    if (FaceProperties(face, point, faceNormal) && parallel(faceNormal, normal, 1e-9) &&
        std::fabs((point - through) % normalise(normal)) < 1e-6) {
      return face;
    }
  }
  return nullptr;
}

}  // namespace kernel_test
