// A private temporary directory (mode 0700) for the part files of a package, removed with
// everything in it when the object goes, also after a failure.
#pragma once

#include <string>

namespace varnex::modelstore {

class PrivateDirectory {
 public:
  /// Creates the directory under $TMPDIR (or /tmp); Ok() tells whether it exists.
  PrivateDirectory();
  ~PrivateDirectory();
  PrivateDirectory(const PrivateDirectory&) = delete;
  PrivateDirectory& operator=(const PrivateDirectory&) = delete;

  bool Ok() const { return !path_.empty(); }
  /// The directory followed by "/" and `name`.
  std::string Inside(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

/// The file name part of a path (after the last '/').
std::string BaseName(const std::string& path);

}  // namespace varnex::modelstore
