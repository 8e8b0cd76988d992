// File-system services of the feature library: directory listings, case-insensitive
// lookups, whole-file reads and writes that never leave a half-written file behind. Paths use
// "/" separators; a directory text ends in "/". Nothing here throws.
#pragma once

#include <varnex/base/strg.h>

#include <string>
#include <vector>

namespace varnex::library {

/// `directory` ending in "/" (an empty text stays empty); "\\" separators become "/".
PVMStrg AsDirectory(const PVMStrg& directory);
/// `directory` + `file`, with exactly one "/" between them.
PVMStrg JoinPath(const PVMStrg& directory, const PVMStrg& file);

/// The entries of a search-path list separated by ";" or ":", trimmed, empty ones dropped.
std::vector<PVMStrg> SplitPathList(const PVMStrg& list);

bool IsDirectory(const PVMStrg& path);
/// Whether the file can be opened for reading.
bool CanOpenForReading(const PVMStrg& path);

/// Names of the regular files in `directory` whose extension is ".NVL" in any letter case,
/// sorted; empty when the directory cannot be read.
std::vector<std::string> ListNvlFiles(const PVMStrg& directory);
/// Names of the subdirectories of `directory` not starting with ".", sorted.
std::vector<std::string> ListSubdirectories(const PVMStrg& directory);
/// A text identifying the directory the path leads to (symbolic links resolved), or the path
/// itself when it cannot be resolved.
std::string CanonicalKey(const PVMStrg& directory);

/// The full path of the file in `directory` whose name equals `name` (exactly, else ignoring
/// letter case); empty when there is none.
PVMStrg FindFileIgnoringCase(const PVMStrg& directory, const PVMStrg& name);

/// The file's bytes; false when it cannot be read.
bool ReadWholeFile(const PVMStrg& path, std::string& bytes);

/// Creates the file with `bytes`; fails without touching anything when it exists already. A
/// failed write removes the file it created.
bool WriteNewFile(const PVMStrg& path, const std::string& bytes);
/// Writes `bytes` to a sibling file and moves it over `path`, so a failure leaves any old file
/// as it was.
bool ReplaceFile(const PVMStrg& path, const std::string& bytes);

}  // namespace varnex::library
