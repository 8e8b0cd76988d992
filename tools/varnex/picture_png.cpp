// The PNG writer of the pictures (libpng, 8-bit RGB).
#include <png.h>
#include <varnex/base/file_io.h>

#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

#include "picture.h"

namespace varnex::picture {
namespace {

// libpng reports errors by longjmp; nothing with a destructor may live between setjmp and the
// calls that can jump, so the rows are prepared before.
bool WriteRows(std::FILE* file, const Image& image, std::vector<png_bytep>& rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WritePng(const Image& image, const std::string& path, std::string& error) {
  if (image.width <= 0 || image.height <= 0 ||
      image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
    error = "empty picture";
    return false;
  }
  // Written beside the old picture and renamed over it only when complete.
  PVFAtomicFile file(path.c_str());
  if (!file.Ok()) {
    error = file.Error();
    return false;
  }
  std::vector<png_bytep> rows(image.height);
  for (int y = 0; y < image.height; ++y) {
    rows[y] = const_cast<png_bytep>(image.pixel(0, y));
  }
  if (!WriteRows(file.Stream(), image, rows)) {
    file.Fail("cannot write '" + path + "'");
  }
  if (!file.Commit()) {
    error = file.Error();
    return false;
  }
  return true;
}

}  // namespace varnex::picture
