// A private temporary directory (mode 0700), removed with everything in it when the object goes,
// also after a failure. Used for the part files of a package and for the memory-body files of an
// engine run.
#pragma once

#include <string>

namespace varnex::base {

class PrivateDirectory {
 public:
  /// Creates "<root>/<prefix>XXXXXX"; an empty root means $TMPDIR, or /tmp when that is unset.
  /// Ok() tells whether the directory exists.
  explicit PrivateDirectory(const std::string& prefix = "varnex-model-",
                            const std::string& root = std::string());
  ~PrivateDirectory();
  PrivateDirectory(const PrivateDirectory&) = delete;
  PrivateDirectory& operator=(const PrivateDirectory&) = delete;

  bool Ok() const { return !path_.empty(); }
  const std::string& Path() const { return path_; }
  /// The directory followed by "/" and `name`.
  std::string Inside(const std::string& name) const { return path_ + "/" + name; }
  /// Deletes every file in the directory; the directory stays.
  void Clear() const;

 private:
  std::string path_;
};

/// The file name part of a path (after the last '/').
std::string BaseName(const std::string& path);

}  // namespace varnex::base
