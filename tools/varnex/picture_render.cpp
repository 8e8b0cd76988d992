// The isometric rasterizer: projects the mesh, fills a z-buffer at a few samples per pixel with
// Gouraud-shaded triangles, marks the samples where the visible face changes (outlines and
// body edges), and averages the samples down to pixels.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "picture.h"

namespace varnex::picture {
namespace {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};
Vec3 operator-(const Vec3& a, const Vec3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator+(const Vec3& a, const Vec3& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
double Dot(const Vec3& a, const Vec3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 Normalized(const Vec3& v) {
  double length = std::sqrt(Dot(v, v));
  return length > 0 ? Vec3{v.x / length, v.y / length, v.z / length} : v;
}
Vec3 ToVec(const SPAposition& p) {
  return {p.x(), p.y(), p.z()};
}

// Seen from (1, -1, 1) with z up: right x up = toward the eye.
const Vec3 kRight = Normalized({1, 1, 0});
const Vec3 kUp = Normalized({-1, 1, 2});
const Vec3 kTowardEye = Normalized({1, -1, 1});
// Light from above, a little left of the viewer: top, front and right faces differ.
const Vec3 kLight = Normalized({0.35, -0.55, 0.76});

constexpr std::uint8_t kSurface[3] = {104, 148, 196};
constexpr std::uint8_t kEdge[3] = {38, 44, 56};
constexpr double kMargin = 0.06;
constexpr int kBackgroundFace = -1;

struct ScreenPoint {
  double x = 0, y = 0, depth = 0;
};

// Maps model points to sample coordinates so that the mesh fills the picture with a margin.
class Projection {
 public:
  Projection(const BodyMesh& mesh, int width, int height) : width_(width), height_(height) {
    double low_x = std::numeric_limits<double>::max(), high_x = -low_x;
    double low_y = low_x, high_y = -low_x;
    for (const SPAposition& point : mesh.points) {
      Vec3 p = ToVec(point);
      low_x = std::min(low_x, Dot(p, kRight));
      high_x = std::max(high_x, Dot(p, kRight));
      low_y = std::min(low_y, Dot(p, kUp));
      high_y = std::max(high_y, Dot(p, kUp));
    }
    centre_x_ = (low_x + high_x) / 2;
    centre_y_ = (low_y + high_y) / 2;
    double span_x = std::max(high_x - low_x, 1e-9), span_y = std::max(high_y - low_y, 1e-9);
    scale_ = (1 - 2 * kMargin) * std::min(width / span_x, height / span_y);
  }

  ScreenPoint operator()(const SPAposition& point) const {
    Vec3 p = ToVec(point);
    return {width_ / 2.0 + (Dot(p, kRight) - centre_x_) * scale_,
            height_ / 2.0 - (Dot(p, kUp) - centre_y_) * scale_, Dot(p, kTowardEye)};
  }

 private:
  int width_, height_;
  double centre_x_ = 0, centre_y_ = 0, scale_ = 1;
};

// Per point: the brightness of the mesh's smoothed normal there. Points belong to one face
// each, so smoothing never crosses a body edge.
std::vector<double> PointBrightness(const BodyMesh& mesh) {
  std::vector<Vec3> normals(mesh.points.size());
  for (const auto& triangle : mesh.triangles) {
    Vec3 a = ToVec(mesh.points[triangle[0]]);
    Vec3 area_normal =
        Cross(ToVec(mesh.points[triangle[1]]) - a, ToVec(mesh.points[triangle[2]]) - a);
    for (int corner : triangle) {
      normals[corner] = normals[corner] + area_normal;
    }
  }
  std::vector<double> brightness(normals.size());
  for (std::size_t i = 0; i < normals.size(); ++i) {
    brightness[i] = 0.32 + 0.68 * std::max(0.0, Dot(Normalized(normals[i]), kLight));
  }
  return brightness;
}

// The samples: depth (larger is nearer), face and brightness of the nearest surface.
struct SampleBuffer {
  SampleBuffer(int width, int height)
      : width(width),
        height(height),
        depth(static_cast<std::size_t>(width) * height, -std::numeric_limits<float>::infinity()),
        face(depth.size(), kBackgroundFace),
        brightness(depth.size(), 0.0f) {}

  int width, height;
  std::vector<float> depth;
  std::vector<int> face;
  std::vector<float> brightness;
};

double EdgeFunction(const ScreenPoint& a, const ScreenPoint& b, double x, double y) {
  return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
}

void FillTriangle(const std::array<ScreenPoint, 3>& p, const std::array<double, 3>& light, int face,
                  SampleBuffer& buffer) {
  double area = EdgeFunction(p[0], p[1], p[2].x, p[2].y);
  if (std::abs(area) < 1e-12) {
    return;
  }
  int x0 = std::max(0, static_cast<int>(std::floor(std::min({p[0].x, p[1].x, p[2].x}))));
  int x1 =
      std::min(buffer.width - 1, static_cast<int>(std::ceil(std::max({p[0].x, p[1].x, p[2].x}))));
  int y0 = std::max(0, static_cast<int>(std::floor(std::min({p[0].y, p[1].y, p[2].y}))));
  int y1 =
      std::min(buffer.height - 1, static_cast<int>(std::ceil(std::max({p[0].y, p[1].y, p[2].y}))));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      double cx = x + 0.5, cy = y + 0.5;
      double w0 = EdgeFunction(p[1], p[2], cx, cy) / area;
      double w1 = EdgeFunction(p[2], p[0], cx, cy) / area;
      double w2 = 1.0 - w0 - w1;
      if (w0 < 0 || w1 < 0 || w2 < 0) {
        continue;
      }
      std::size_t at = static_cast<std::size_t>(y) * buffer.width + x;
      float depth = static_cast<float>(w0 * p[0].depth + w1 * p[1].depth + w2 * p[2].depth);
      if (depth > buffer.depth[at]) {
        buffer.depth[at] = depth;
        buffer.face[at] = face;
        buffer.brightness[at] = static_cast<float>(w0 * light[0] + w1 * light[1] + w2 * light[2]);
      }
    }
  }
}

// A sample lies on an edge when a neighbour shows another face (or the background).
bool OnEdge(const SampleBuffer& buffer, int x, int y) {
  int face = buffer.face[static_cast<std::size_t>(y) * buffer.width + x];
  auto differs = [&](int nx, int ny) {
    return nx >= 0 && ny >= 0 && nx < buffer.width && ny < buffer.height &&
           buffer.face[static_cast<std::size_t>(ny) * buffer.width + nx] != face;
  };
  return differs(x + 1, y) || differs(x, y + 1) || differs(x - 1, y) || differs(x, y - 1);
}

std::array<double, 3> SampleColour(const SampleBuffer& buffer, int x, int y) {
  std::size_t at = static_cast<std::size_t>(y) * buffer.width + x;
  const std::uint8_t* base = kSurface;
  double light = buffer.brightness[at];
  if (OnEdge(buffer, x, y)) {
    base = kEdge;
    light = 1.0;
  } else if (buffer.face[at] == kBackgroundFace) {
    base = kBackground;
    light = 1.0;
  }
  return {base[0] * light, base[1] * light, base[2] * light};
}

Image Downsample(const SampleBuffer& buffer, int width, int height, int factor) {
  Image image{width, height,
              std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::array<double, 3> sum{};
      for (int sy = 0; sy < factor; ++sy) {
        for (int sx = 0; sx < factor; ++sx) {
          std::array<double, 3> colour = SampleColour(buffer, x * factor + sx, y * factor + sy);
          for (int c = 0; c < 3; ++c) {
            sum[c] += colour[c];
          }
        }
      }
      std::uint8_t* out = image.rgb.data() + 3 * (static_cast<std::size_t>(y) * width + x);
      for (int c = 0; c < 3; ++c) {
        out[c] =
            static_cast<std::uint8_t>(std::clamp(sum[c] / (factor * factor) + 0.5, 0.0, 255.0));
      }
    }
  }
  return image;
}

}  // namespace

Image RenderIsometric(const BodyMesh& mesh, const RenderOptions& options) {
  const int width = std::max(1, options.width), height = std::max(1, options.height);
  const int factor = std::clamp(options.supersample, 1, 4);
  SampleBuffer buffer(width * factor, height * factor);
  Projection project(mesh, buffer.width, buffer.height);
  std::vector<double> brightness = PointBrightness(mesh);
  for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
    const auto& corners = mesh.triangles[t];
    int face = t < mesh.triangle_faces.size() ? mesh.triangle_faces[t] : 0;
    FillTriangle({project(mesh.points[corners[0]]), project(mesh.points[corners[1]]),
                  project(mesh.points[corners[2]])},
                 {brightness[corners[0]], brightness[corners[1]], brightness[corners[2]]}, face,
                 buffer);
  }
  return Downsample(buffer, width, height, factor);
}

}  // namespace varnex::picture
