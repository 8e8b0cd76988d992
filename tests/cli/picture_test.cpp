// The host's pictures: what is drawn where, independence of triangle order, and PNG files that
// read back pixel for pixel.
#include "picture.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

using namespace varnex::picture;

// An axis-parallel box with outward, counter-clockwise triangles; faces 0-5 are
// -z, +z, -y, +y, -x, +x.
BodyMesh Box(double x0, double y0, double z0, double x1, double y1, double z1) {
  BodyMesh mesh;
  for (int i = 0; i < 8; ++i) {
    mesh.points.emplace_back(i & 1 ? x1 : x0, i & 2 ? y1 : y0, i & 4 ? z1 : z0);
  }
  const int quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                           {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  for (int face = 0; face < 6; ++face) {
    const int* q = quads[face];
    mesh.triangles.push_back({q[0], q[1], q[2]});
    mesh.triangles.push_back({q[0], q[2], q[3]});
    mesh.triangle_faces.insert(mesh.triangle_faces.end(), {face, face});
  }
  return mesh;
}

bool IsBackground(const Image& image, int x, int y) {
  return std::equal(kBackground, kBackground + 3, image.pixel(x, y));
}

int Brightness(const Image& image, int x, int y) {
  const std::uint8_t* p = image.pixel(x, y);
  return p[0] + p[1] + p[2];
}

TEST(Picture, EmptyMeshGivesBackgroundOfTheAskedSize) {
  Image image = RenderIsometric(BodyMesh{}, {40, 30, 2});
  ASSERT_EQ(image.width, 40);
  ASSERT_EQ(image.height, 30);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      ASSERT_TRUE(IsBackground(image, x, y));
    }
  }
}

TEST(Picture, CubeFillsTheMiddleWithTopBrightestAndLeavesTheCornersFree) {
  Image image = RenderIsometric(Box(0, 0, 0, 10, 10, 10));
  EXPECT_EQ(image.width, 800);
  EXPECT_EQ(image.height, 600);
  EXPECT_TRUE(IsBackground(image, 2, 2));
  EXPECT_TRUE(IsBackground(image, 797, 597));
  // Seen from (1, -1, 1): the top above the middle, the -y face lower left, +x lower right.
  const int top = Brightness(image, 400, 170);
  const int front = Brightness(image, 310, 380);
  const int right = Brightness(image, 490, 380);
  EXPECT_FALSE(IsBackground(image, 400, 170));
  EXPECT_GT(top, front);
  EXPECT_GT(front, right);
}

TEST(Picture, NearerSurfacesWinWhateverTheTriangleOrder) {
  BodyMesh scene = Box(0, 0, 0, 10, 10, 10);
  BodyMesh front = Box(6, -8, 6, 9, -5, 9);  // nearer the viewer, partly in front of the big box
  for (const auto& point : front.points) {
    scene.points.push_back(point);
  }
  for (std::size_t t = 0; t < front.triangles.size(); ++t) {
    const auto& c = front.triangles[t];
    scene.triangles.push_back({c[0] + 8, c[1] + 8, c[2] + 8});
    scene.triangle_faces.push_back(front.triangle_faces[t] + 6);
  }
  BodyMesh reversed = scene;
  std::reverse(reversed.triangles.begin(), reversed.triangles.end());
  std::reverse(reversed.triangle_faces.begin(), reversed.triangle_faces.end());
  RenderOptions small{200, 150, 2};
  EXPECT_EQ(RenderIsometric(scene, small).rgb, RenderIsometric(reversed, small).rgb);
}

TEST(Picture, DegenerateMeshesDrawWithoutFault) {
  BodyMesh point;
  point.points.assign(3, SPAposition(1, 1, 1));
  point.triangles.push_back({0, 1, 2});
  Image image = RenderIsometric(point, {0, -5, 9});
  EXPECT_EQ(image.width, 1);
  EXPECT_EQ(image.height, 1);
}

TEST(Picture, PngReadsBackPixelForPixel) {
  Image image = RenderIsometric(Box(0, 0, 0, 30, 10, 5), {64, 48, 2});
  const std::string path =
      (std::filesystem::temp_directory_path() / "varnex_picture_test.png").string();
  std::string error;
  ASSERT_TRUE(WritePng(image, path, error)) << error;

  png_image read{};
  read.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&read, path.c_str()));
  read.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(read));
  ASSERT_TRUE(png_image_finish_read(&read, nullptr, pixels.data(), 0, nullptr));
  EXPECT_EQ(read.width, 64u);
  EXPECT_EQ(read.height, 48u);
  EXPECT_EQ(pixels, image.rgb);
  std::remove(path.c_str());
}

TEST(Picture, UnwritablePathsAndEmptyPicturesAreRefused) {
  std::string error;
  EXPECT_FALSE(WritePng(RenderIsometric(BodyMesh{}, {4, 4, 1}), "/nonexistent/dir/p.png", error));
  EXPECT_NE(error.find("/nonexistent/dir/p.png"), std::string::npos);
  EXPECT_FALSE(WritePng(Image{}, "/tmp/never.png", error));
}

}  // namespace
