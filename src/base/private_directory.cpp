// Private temporary directories.
#include "base/private_directory.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace varnex::base {

PrivateDirectory::PrivateDirectory(const std::string& prefix, const std::string& root) {
  std::string base = root;
  if (base.empty()) {
    const char* variable = std::getenv("TMPDIR");
    base = variable != nullptr && *variable != '\0' ? variable : "/tmp";
  }
  while (base.size() > 1 && base.back() == '/') {
    base.pop_back();
  }
  std::string pattern = base + "/" + prefix + "XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (::mkdtemp(name.data()) != nullptr) {  // mkdtemp creates it with mode 0700
    path_ = name.data();
  }
}

PrivateDirectory::~PrivateDirectory() {
  if (path_.empty()) {
    return;
  }
  Clear();
  ::rmdir(path_.c_str());
}

void PrivateDirectory::Clear() const {
  if (path_.empty()) {
    return;
  }
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(path_.c_str())) {
    while (dirent* entry = ::readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") {
        names.push_back(name);
      }
    }
    ::closedir(dir);
  }
  for (const std::string& name : names) {
    ::unlink(Inside(name).c_str());
  }
}

std::string BaseName(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace varnex::base
