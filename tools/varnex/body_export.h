// Writing the bodies of an instance to a file whose format the file name's extension picks.
// Formats are rows of one table: a new format is one writer and one row.
#pragma once

#include <span>
#include <string>
#include <string_view>

class EntitySet;

namespace varnex::cli {

struct ExportFormat {
  std::string_view extension;  ///< lower case, with the dot
  std::string_view description;
  /// Writes the bodies to `path`; false with the reason in `error`.
  bool (*write)(const EntitySet& bodies, const char* path, std::string& error);
};

/// The formats `varnex export` writes.
std::span<const ExportFormat> ExportFormats();
/// The format of the file name's extension (case-insensitive), or null.
const ExportFormat* FindExportFormat(std::string_view path);
/// "'.step', '.stl' or '.brep'" for messages.
std::string ExportExtensions();

/// The total volume of the bodies.
double TotalVolume(const EntitySet& bodies);

}  // namespace varnex::cli
