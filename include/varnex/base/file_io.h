// Whole-file reads that accept only regular files of bounded size, and writes that replace a
// file only once its new content is completely on disk.
//
// Every file the engine or a host writes goes through PVFAtomicFile: the content goes to a
// temporary file in the target's directory, every write and the close are checked, and only a
// complete file is renamed over the target. A failure part-way (full disk, file-size limit)
// leaves the old file as it was and no temporary file behind.
#pragma once

#include <varnex/export.h>

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

/// The largest file the engine's text readers take whole (256 MiB).
inline constexpr std::size_t kPVFMaxReadSize = std::size_t{256} << 20;

/// Reads the regular file `path` whole into `bytes`. False (with a reason in `error` when it is
/// not null, and `bytes` empty) for a missing path, a directory, a device or pipe, a file over
/// `limit` bytes, or a read error.
VARNEX_API bool PVFReadRegularFile(const char* path, std::string& bytes,
                                   std::string* error = nullptr,
                                   std::size_t limit = kPVFMaxReadSize);

/// Whether `path` names a regular file (not a directory, device or pipe); with a reason in
/// `error` when it does not.
VARNEX_API bool PVFIsRegularFile(const char* path, std::string* error = nullptr);

/// A file written under a temporary name beside its target and renamed over it by Commit().
/// Without a successful Commit() the temporary file is removed and the target never touched.
class VARNEX_API PVFAtomicFile {
 public:
  /// Creates the temporary file; Ok() is false (see Error()) when it cannot be made.
  explicit PVFAtomicFile(const char* target);
  ~PVFAtomicFile();
  PVFAtomicFile(const PVFAtomicFile&) = delete;
  PVFAtomicFile& operator=(const PVFAtomicFile&) = delete;

  /// Whether everything so far succeeded.
  bool Ok() const { return error_.empty(); }
  /// The first failure, empty while Ok().
  const std::string& Error() const { return error_; }
  /// The temporary file's name, for writers that open files by name themselves (they must have
  /// closed it before Commit()).
  const char* TemporaryPath() const { return temporary_.c_str(); }
  /// The open temporary file for writers that take a FILE*; null after a failure. Owned here.
  std::FILE* Stream() const { return file_; }

  /// Appends `bytes`; false (and the file failed) when not all were written.
  bool Write(std::string_view bytes);
  /// Records a failure of the writer (the first one wins); Commit() then fails.
  void Fail(const std::string& reason);
  enum CommitMode { kReplace, kKeepExisting };
  /// Flushes, syncs and closes the temporary file, checking each step, then renames it over the
  /// target (kReplace) or links it in only when no file of that name exists (kKeepExisting).
  /// False (the target untouched, the temporary file removed) when anything failed.
  bool Commit(CommitMode mode = kReplace);

 private:
  void Discard();

  std::string target_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  std::string error_;
  bool committed_ = false;
};

/// Writes `bytes` as the whole of `path` through a PVFAtomicFile. False with a reason in `error`
/// (when not null) and the old file untouched when anything failed.
VARNEX_API bool PVFWriteFileAtomically(const char* path, std::string_view bytes,
                                       std::string* error = nullptr);
