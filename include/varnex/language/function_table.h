// The table of NOVL's built-in functions: it maps a call name to its handler and is the one
// table the interpreter consults. The handlers themselves live in the builtins subsystem, which
// fills the table (see <varnex/builtins/builtins.h>). A call name the table does not know is
// taken as the call of another feature.
#pragma once

#include <varnex/base/void_list.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

class aritm;

/// The hash of a call name: starting from 0, for each character c (a signed byte) the value
/// becomes value ^ (c + 0x9E3779B9 + (value << 6) + (value >> 2)), in 32-bit arithmetic.
VARNEX_API std::uint32_t NovlNameHash(const char* name);

/// The hasher of the table's keys (NovlNameHash over the key's bytes). Transparent, so that a
/// lookup hashes the caller's text without copying it into a key.
struct VARNEX_API NovlNameHasher {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const;
};

/// The table of built-in functions: exact, case-sensitive names mapped to handlers.
class VARNEX_API ifunc_list {
 public:
  /// A built-in. `args` is the null-terminated list of argument operands (the handler reads
  /// them and never deletes them; a missing argument reads as null); `result` is a slot that is
  /// null on entry and receives the operand the handler creates, which the caller owns.
  using handler = void (*)(aritm** args, aritm** result);

  ifunc_list();
  ifunc_list(const ifunc_list&) = delete;
  ifunc_list& operator=(const ifunc_list&) = delete;
  ~ifunc_list();

  /// Adds `name` with `function`. A null name or handler adds nothing; a name already present
  /// keeps its first handler. Returns TRUE when the entry was added.
  XBOOL insert(const char* name, handler function);
  /// The handler of `name`, or null when the table does not know the name.
  handler find(const char* name) const;
  /// Sets `*result` to null, then calls the handler of `name` with `args` and `result`.
  /// Returns 1 when the name is known, 0 otherwise (also for a null name or slot).
  int call(const char* name, aritm** args, aritm** result) const;

  int count() const { return static_cast<int>(entries_.size()); }
  std::size_t bucket_count() const { return entries_.bucket_count(); }

 private:
  std::unordered_map<std::string, handler, NovlNameHasher, std::equal_to<>> entries_;
};

/// The table the interpreter consults; created and filled at initialisation, deleted at
/// deinitialisation. Null outside that span.
extern VARNEX_API ifunc_list* NOVL_functions;

/// Counts the entries of the null-terminated argument list `args` (0 for a null or empty list).
/// When `list` is given, each argument is recorded in it once (entries already present are not
/// added again).
VARNEX_API int ParametersFromStack(void** args, void_list* list);

/// The lookup-and-call of a call expression through NOVL_functions (see ifunc_list::call);
/// 0 when the table does not exist.
VARNEX_API int CallNovlFunction(const char* name, aritm** args, aritm** result);
