// The records of a model's worlds: the data-structure file (written and read through a C file)
// and the stream records of objects (written and read through a PVFStream), the axis record,
// and kernel entity lists in model files.
//
// Readers treat their input as untrusted: fields have no length limit, numbers and counts are
// checked, and a damaged record is reported (PVFRecordError) instead of being half taken.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/transaction.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <cstdio>

class PVFStream;
class ENTITY;
class geo_list;

// Data-structure file.

/// Writes the header ("# Feature Data Structure File", "# VARNEX Version 4.2", a comment,
/// total_count) and the records of the current world. Non-zero for a null file; otherwise the
/// result of store_current_welt (1 when every object was written).
VARNEX_API int storeds(std::FILE* file);
/// Reads a file written by storeds into the current world: sets total_count and reads the
/// records (older files, "# VARNEX Version 4.1" or the older comment header, get the old-format
/// conversions). Non-zero for a null file; otherwise the result of read_current_welt (1 when
/// read to the end). PVFRecordError tells whether the file was damaged.
VARNEX_API int readds(std::FILE* file);
/// Writes the records of the objects of the current world in list order: 1 when all were
/// written (or the world is empty, or the file is null), 0 when the list held a null entry or
/// a record could not be written faithfully (reported).
VARNEX_API int store_current_welt(std::FILE* file);
/// Reads records into the current world until "};" or the end of the file (1), or until a
/// malformed sub-world header (0). `old_format` switches the old-format conversions on.
VARNEX_API int read_current_welt(std::FILE* file, XBOOL old_format);

// Stream records.

/// Installs the object and contour stream record writers and readers of the object layer
/// (rumpf::Store/Restore, PVFconnect2dBa::Store/Restore). Idempotent.
VARNEX_API void PVFInstallObjectRecords();
/// Reads a sequence of object records into the current world: TRUE at the word "}", FALSE at
/// the end of input (the last object read then gets validity 26) or on a damaged record
/// (PVFRecordError is then set).
VARNEX_API XBOOL PVFReadObjectRecords(PVFStream& stream, int flag);

/// The first damage a reader met since the last PVFClearRecordError, or null.
VARNEX_API const char* PVFRecordError();
VARNEX_API void PVFClearRecordError();
/// Records a damage found by a reader (the first one is kept) and reports it through ClassError.
VARNEX_API void PVFSetRecordError(const char* cls, const char* message);

// Axis record.

/// An origin and a direction. Data-structure form: "ox oy oz \t dx dy dz"; stream form:
/// "Revision_: 100", a line feed, the same line, a line feed.
class VARNEX_API PVFAchsen : public PVTransaction {
 public:
  /// Revision 100, zero origin and direction.
  PVFAchsen();
  /// Reads the data-structure form; all zeros unless all six numbers were read.
  explicit PVFAchsen(std::FILE* file);
  PVFAchsen(const double* origin, const double* direction);
  virtual ~PVFAchsen();

  /// Writes the data-structure form (one line, no line feed); -1 for a null file, else 0.
  int store(std::FILE* file) const;
  /// FALSE when written.
  XBOOL Store(PVFStream& stream) const;
  /// Reads the stream form; FALSE when read, TRUE when the input ended or was damaged (the
  /// axis is then unchanged).
  XBOOL Restore(PVFStream& stream);

  const double* GetOrigin() const { return origin_; }
  const double* GetDirection() const { return direction_; }
  int GetRevision() const { return revision_; }

 private:
  int revision_ = 100;
  double origin_[3] = {0.0, 0.0, 0.0};
  double direction_[3] = {0.0, 0.0, 0.0};
};

// Kernel entity lists in model files (the kernel layer's body text).

/// Writes the body of `entity`: 1 on success, 0 when the kernel reports an error or the
/// arguments are null.
VARNEX_API int store_geom(std::FILE* file, ENTITY* entity);
/// Writes the bodies of `bodies` in list order as one entity list: 1 or 0 as store_geom.
VARNEX_API int store_geolist(std::FILE* file, geo_list* bodies);
/// Reads one entity list written by store_geolist; a new list (caller owns; the bodies are
/// the kernel layer's, not in the model), or null when the kernel reports an error.
VARNEX_API geo_list* restore_geom(std::FILE* file);
