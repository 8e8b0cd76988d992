// PVFConfiguration: name=value files grouped in [module] sections, read for the host.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/value_list.h>
#include <varnex/export.h>

#include <memory>

/// Reads the entries of one module (or of the whole file when no module is named). A missing
/// or unreadable file simply yields no entries.
class VARNEX_API PVFConfiguration {
 public:
  PVFConfiguration();
  PVFConfiguration(const PVMStrg& file, const PVMStrg& module);
  PVFConfiguration(const PVFConfiguration& other);
  PVFConfiguration& operator=(const PVFConfiguration& other);
  ~PVFConfiguration();

  /// Empties the entries and reads the file again; returns FALSE.
  XBOOL Refresh();
  /// Number of entries named `name`; an empty name counts all entries.
  int Name(const PVMStrg& name) const;
  /// Appends every name in file order to `out` (when not null); returns their number.
  int Names(VALUE_LIST<PVMStrg>* out, XBOOL flag = FALSE) const;
  /// Copies the first value of `name` (empty: of the first entry) into `out` and returns it;
  /// null when there is no such entry, leaving `out` unchanged.
  const char* Value(const PVMStrg& name, PVMStrg& out) const;
  /// Appends the values of `name` (empty: all values) to `out`, a unique `out` skipping values
  /// it holds; returns out's count. With a null `out` the same as Name(name).
  int Values(const PVMStrg& name, VALUE_LIST<PVMStrg>* out) const;

 private:
  void ReadFile();
  void TakeLine(const PVMStrg& line);

  std::unique_ptr<PVMStrg> file_;
  std::unique_ptr<PVMStrg> module_;
  VALUE_LIST<PVMStrg> names_;
  VALUE_LIST<PVMStrg> values_;
};
