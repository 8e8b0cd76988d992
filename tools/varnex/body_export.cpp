// The export formats of the command-line host and the measures it prints about what it wrote.
#include "body_export.h"

#include <varnex/varnex.h>

#include <algorithm>
#include <array>
#include <cctype>

#include "picture_export.h"

namespace varnex::cli {
namespace {

bool Reported(const outcome& result, std::string& error) {
  if (!result.ok()) {
    error = result.message().empty() ? "kernel error " + std::to_string(result.error_number())
                                     : result.message();
  }
  return result.ok() == TRUE;
}

bool WriteStep(const EntitySet& bodies, const char* path, std::string& error) {
  return Reported(PVFExportSTEP(bodies, path), error);
}

// Deflection 0: a thousandth of the bodies' size, fine enough to look at and to print.
bool WriteStl(const EntitySet& bodies, const char* path, std::string& error) {
  return Reported(PVFExportSTL(bodies, path, 0.0), error);
}

bool WriteBrep(const EntitySet& bodies, const char* path, std::string& error) {
  return Reported(PVFExportBREP(bodies, path), error);
}

constexpr std::array kFormats = {
    ExportFormat{".step", "STEP AP214 (millimetres)", WriteStep},
    ExportFormat{".stp", "STEP AP214 (millimetres)", WriteStep},
    ExportFormat{".stl", "binary STL triangles", WriteStl},
    ExportFormat{".brep", "Open CASCADE BREP text", WriteBrep},
    ExportFormat{".png", "shaded isometric picture, 800 x 600", WritePicture},
};

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

}  // namespace

std::span<const ExportFormat> ExportFormats() {
  return kFormats;
}

const ExportFormat* FindExportFormat(std::string_view path) {
  std::size_t dot = path.find_last_of('.');
  std::size_t slash = path.find_last_of('/');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
    return nullptr;
  }
  std::string extension = Lower(path.substr(dot));
  for (const ExportFormat& format : ExportFormats()) {
    if (format.extension == extension) {
      return &format;
    }
  }
  return nullptr;
}

std::string ExportExtensions() {
  std::string text;
  std::span<const ExportFormat> formats = ExportFormats();
  for (std::size_t i = 0; i < formats.size(); ++i) {
    if (i > 0) {
      text += i + 1 == formats.size() ? " or " : ", ";
    }
    text.append("'").append(formats[i].extension).append("'");
  }
  return text;
}

double TotalVolume(const EntitySet& bodies) {
  double volume = 0.0;
  for (int i = 0; i < bodies.count(); ++i) {
    volume += fmvolume_of_body(bodies[i]);
  }
  return volume;
}

}  // namespace varnex::cli
