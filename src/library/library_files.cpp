// File-system services of the feature library (std::filesystem, error codes only).
#include "library/library_files.h"

#include <varnex/base/file_io.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "library/token_reader.h"

namespace fs = std::filesystem;

namespace varnex::library {

namespace {

fs::path AsPath(const PVMStrg& text) {
  return fs::path(ToStd(text));
}

bool HasNvlExtension(const std::string& name) {
  return name.size() > 4 && EqualsIgnoringCase(name.c_str() + name.size() - 4, ".NVL");
}

template <class Keep>
std::vector<std::string> ListDirectory(const PVMStrg& directory, Keep keep) {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator it(AsPath(directory), error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::string name = it->path().filename().string();
    if (keep(*it, name)) {
      names.push_back(std::move(name));
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

PVMStrg AsDirectory(const PVMStrg& directory) {
  PVMStrg result(directory);
  result.ReplaceAll('\\', '/');
  if (result.IsNotVoid() && !result.EndsWith('/')) {
    result &= '/';
  }
  return result;
}

PVMStrg JoinPath(const PVMStrg& directory, const PVMStrg& file) {
  return AsDirectory(directory) & file;
}

std::vector<PVMStrg> SplitPathList(const PVMStrg& list) {
  std::vector<PVMStrg> entries;
  const std::string text = ToStd(list);
  std::size_t begin = 0;
  while (begin <= text.size()) {
    std::size_t end = text.find_first_of(";:", begin);
    end = end == std::string::npos ? text.size() : end;
    PVMStrg entry = Trimmed(PVMStrg(text.substr(begin, end - begin)));
    if (entry.IsNotVoid()) {
      entries.push_back(entry);
    }
    begin = end + 1;
  }
  return entries;
}

bool IsDirectory(const PVMStrg& path) {
  std::error_code error;
  return path.IsNotVoid() && fs::is_directory(AsPath(path), error);
}

bool CanOpenForReading(const PVMStrg& path) {
  if (path.IsVoid() || !PVFIsRegularFile(path.GetpStr())) {
    return false;
  }
  std::ifstream in(path.GetpStr(), std::ios::binary);
  return static_cast<bool>(in);
}

std::vector<std::string> ListNvlFiles(const PVMStrg& directory) {
  return ListDirectory(directory, [](const fs::directory_entry& entry, const std::string& name) {
    std::error_code error;
    return HasNvlExtension(name) && entry.is_regular_file(error);
  });
}

std::vector<std::string> ListSubdirectories(const PVMStrg& directory) {
  return ListDirectory(directory, [](const fs::directory_entry& entry, const std::string& name) {
    std::error_code error;
    return !name.empty() && name[0] != '.' && entry.is_directory(error);
  });
}

std::string CanonicalKey(const PVMStrg& directory) {
  std::error_code error;
  fs::path canonical = fs::canonical(AsPath(directory), error);
  return error ? ToStd(directory) : canonical.string();
}

PVMStrg FindFileIgnoringCase(const PVMStrg& directory, const PVMStrg& name) {
  if (name.IsVoid()) {
    return PVMStrg();
  }
  PVMStrg exact = JoinPath(directory, name);
  if (CanOpenForReading(exact)) {
    return exact;
  }
  std::vector<std::string> files =
      ListDirectory(directory, [&name](const fs::directory_entry& entry, const std::string& file) {
        std::error_code error;
        return EqualsIgnoringCase(file.c_str(), name) && entry.is_regular_file(error);
      });
  return files.empty() ? PVMStrg() : JoinPath(directory, PVMStrg(files.front()));
}

bool ReadWholeFile(const PVMStrg& path, std::string& bytes) {
  return PVFReadRegularFile(path.GetpStr(), bytes);
}

bool WriteNewFile(const PVMStrg& path, const std::string& bytes) {
  // An existing file is never replaced; the new one appears only when complete.
  PVFAtomicFile file(path.GetpStr());
  file.Write(bytes);
  return file.Commit(PVFAtomicFile::kKeepExisting);
}

bool ReplaceFile(const PVMStrg& path, const std::string& bytes) {
  return PVFWriteFileAtomically(path.GetpStr(), bytes);
}

}  // namespace varnex::library
