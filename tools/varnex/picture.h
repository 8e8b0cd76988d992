// Shaded pictures of body meshes: an isometric z-buffer rasterizer and a PNG writer, so that a
// user can look at a feature without a CAD program.
#pragma once

#include <varnex/geometry/mesh.h>

#include <cstdint>
#include <string>
#include <vector>

namespace varnex::picture {

/// An 8-bit RGB picture, rows from the top.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  const std::uint8_t* pixel(int x, int y) const {
    return rgb.data() + 3 * (static_cast<std::size_t>(y) * width + x);
  }
};

struct RenderOptions {
  int width = 800;
  int height = 600;
  /// Samples per pixel along each axis (smooths the outlines); 1 to 4.
  int supersample = 3;
};

/// Draws the mesh seen from the isometric direction (from +x, -y, +z towards the origin) with
/// the z axis up, fitted into the picture with a margin; triangles are shaded by their
/// orientation to a light above the viewer, and outlines and creases are drawn dark. An empty
/// mesh gives a picture of background only. Sizes below 1 are taken as 1.
Image RenderIsometric(const BodyMesh& mesh, const RenderOptions& options = {});

/// The RGB of the background.
constexpr std::uint8_t kBackground[3] = {246, 246, 244};

/// Writes the picture as an 8-bit RGB PNG. False, with the reason in `error`, when the file
/// cannot be written.
bool WritePng(const Image& image, const std::string& path, std::string& error);

}  // namespace varnex::picture
