// Pictures of bodies: the kernel layer meshes them, the rasterizer draws them.
#include "picture_export.h"

#include <varnex/varnex.h>

#include "picture.h"

namespace varnex::cli {

bool WritePicture(const EntitySet& bodies, const char* path, std::string& error) {
  BodyMesh mesh;
  outcome meshed = PVFMeshBodies(bodies, 0.0, mesh);
  if (!meshed.ok()) {
    error = meshed.message().empty() ? "the bodies cannot be meshed" : meshed.message();
    return false;
  }
  return picture::WritePng(picture::RenderIsometric(mesh), path, error);
}

}  // namespace varnex::cli
