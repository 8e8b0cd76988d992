// Regular-file reads and atomic writes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <varnex/base/file_io.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

std::string Reason(const std::string& what, const std::string& path, int error_number) {
  return what + " '" + path + "': " + std::strerror(error_number);
}

bool SetError(std::string* error, std::string reason) {
  if (error != nullptr) {
    *error = std::move(reason);
  }
  return false;
}

// The directory part of `path` with its slash ("" for a bare name).
std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string BaseNameOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool PVFIsRegularFile(const char* path, std::string* error) {
  if (path == nullptr || *path == '\0') {
    return SetError(error, "no file name");
  }
  struct stat status;
  if (::stat(path, &status) != 0) {
    return SetError(error, Reason("cannot open", path, errno));
  }
  if (S_ISDIR(status.st_mode)) {
    return SetError(error, std::string("'") + path + "' is a directory, not a file");
  }
  if (!S_ISREG(status.st_mode)) {
    return SetError(error, std::string("'") + path + "' is not a regular file");
  }
  return true;
}

bool PVFReadRegularFile(const char* path, std::string& bytes, std::string* error,
                        std::size_t limit) {
  bytes.clear();
  if (!PVFIsRegularFile(path, error)) {
    return false;
  }
  int descriptor = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (descriptor < 0) {
    return SetError(error, Reason("cannot open", path, errno));
  }
  struct stat status;
  // Checked again on the open file: the name may have been replaced since.
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(descriptor);
    return SetError(error, std::string("'") + path + "' is not a regular file");
  }
  if (static_cast<std::size_t>(status.st_size) > limit) {
    ::close(descriptor);
    return SetError(
        error, std::string("'") + path + "' is larger than " + std::to_string(limit) + " bytes");
  }
  // Read into the string itself, growing it in steps: the size stat reports may be stale.
  std::size_t filled = 0;
  for (;;) {
    if (bytes.size() - filled < 65536) {
      bytes.resize(std::min(limit + 1, filled + std::max<std::size_t>(65536, filled / 2)));
    }
    if (filled == bytes.size()) {  // one byte over the limit was read
      ::close(descriptor);
      bytes.clear();
      return SetError(
          error, std::string("'") + path + "' is larger than " + std::to_string(limit) + " bytes");
    }
    ssize_t got = ::read(descriptor, bytes.data() + filled, bytes.size() - filled);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      int saved = errno;
      ::close(descriptor);
      bytes.clear();
      return SetError(error, Reason("cannot read", path, saved));
    }
    if (got == 0) {
      break;
    }
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  ::close(descriptor);
  return true;
}

PVFAtomicFile::PVFAtomicFile(const char* target) {
  if (target == nullptr || *target == '\0') {
    error_ = "no file name";
    return;
  }
  target_ = target;
  struct stat status;
  if (::stat(target, &status) == 0 && !S_ISREG(status.st_mode)) {
    error_ = "'" + target_ + "' exists and is not a regular file";
    return;
  }
  // A hidden name in the same directory, so that the rename never crosses file systems.
  std::string pattern = DirectoryOf(target_) + "." + BaseNameOf(target_) + ".tmp-XXXXXX";
  int descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (descriptor < 0) {
    error_ = Reason("cannot create a file beside", target_, errno);
    return;
  }
  temporary_ = pattern;
  file_ = ::fdopen(descriptor, "wb");
  if (file_ == nullptr) {
    error_ = Reason("cannot write", temporary_, errno);
    ::close(descriptor);
    ::unlink(temporary_.c_str());
    temporary_.clear();
  }
}

PVFAtomicFile::~PVFAtomicFile() {
  if (!committed_) {
    Discard();
  }
}

void PVFAtomicFile::Discard() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
  }
}

bool PVFAtomicFile::Write(std::string_view bytes) {
  if (!Ok() || file_ == nullptr) {
    return false;
  }
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    Fail(Reason("cannot write", target_, errno));
    return false;
  }
  return true;
}

void PVFAtomicFile::Fail(const std::string& reason) {
  if (error_.empty()) {
    error_ = reason.empty() ? "writing '" + target_ + "' failed" : reason;
  }
}

bool PVFAtomicFile::Commit(CommitMode mode) {
  if (!Ok()) {
    Discard();
    return false;
  }
  if (file_ != nullptr) {
    std::FILE* file = file_;
    file_ = nullptr;
    // A writer that wrote through the stream itself may have met an error the stream kept.
    bool flushed = std::ferror(file) == 0 && std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
    int saved = errno;
    bool closed = std::fclose(file) == 0;
    if (!flushed || !closed) {
      Fail(Reason("cannot write", target_, flushed ? errno : saved));
      Discard();
      return false;
    }
  } else {
    // Written by name by another writer: make sure it reached the disk.
    int descriptor = ::open(temporary_.c_str(), O_RDONLY | O_CLOEXEC);
    bool synced = descriptor >= 0 && ::fsync(descriptor) == 0;
    int saved = errno;
    if (descriptor >= 0 && ::close(descriptor) != 0) {
      synced = false;
    }
    if (!synced) {
      Fail(Reason("cannot write", target_, saved));
      Discard();
      return false;
    }
  }
  // Keep the permissions a new file gets (mkstemp makes it private).
  mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat status;
  mode_t permissions =
      ::stat(target_.c_str(), &status) == 0 ? (status.st_mode & 07777) : (0666 & ~mask);
  ::chmod(temporary_.c_str(), permissions);
  if (mode == kKeepExisting) {
    if (::link(temporary_.c_str(), target_.c_str()) != 0) {
      Fail(Reason("cannot create", target_, errno));
      Discard();
      return false;
    }
    Discard();  // the target keeps the content; only the temporary name goes
    committed_ = true;
    return true;
  }
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    Fail(Reason("cannot replace", target_, errno));
    Discard();
    return false;
  }
  temporary_.clear();
  committed_ = true;
  return true;
}

bool PVFWriteFileAtomically(const char* path, std::string_view bytes, std::string* error) {
  PVFAtomicFile file(path);
  file.Write(bytes);
  if (file.Commit()) {
    return true;
  }
  return SetError(error, file.Error());
}
