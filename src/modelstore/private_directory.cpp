// Private temporary directories for package part files.
#include "modelstore/private_directory.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace varnex::modelstore {

PrivateDirectory::PrivateDirectory() {
  const char* root = std::getenv("TMPDIR");
  std::string pattern =
      std::string(root != nullptr && *root != '\0' ? root : "/tmp") + "/varnex-model-XXXXXX";
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
  if (DIR* dir = ::opendir(path_.c_str())) {
    while (dirent* entry = ::readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") {
        ::unlink(Inside(name).c_str());
      }
    }
    ::closedir(dir);
  }
  ::rmdir(path_.c_str());
}

std::string BaseName(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace varnex::modelstore
