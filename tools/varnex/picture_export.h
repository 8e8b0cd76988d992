// Pictures of bodies for the host's commands: mesh, draw isometrically, write a PNG.
#pragma once

#include <string>

class EntitySet;

namespace varnex::cli {

/// Writes an 800 x 600 shaded isometric picture of the bodies to `path` (PNG). False with the
/// reason in `error` when the bodies cannot be meshed or the file cannot be written.
bool WritePicture(const EntitySet& bodies, const char* path, std::string& error);

}  // namespace varnex::cli
