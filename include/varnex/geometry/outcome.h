// The result of a kernel operation: success, or an error number with its message text.
#pragma once

#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <string>

/// Error numbers of the kernel layer. 0 is success; the numbers are stable (hosts and model
/// messages may show them).
enum KernelError : int {
  KERNEL_OK = 0,
  KERNEL_NULL_ARGUMENT = 1,     ///< a required entity or value is missing
  KERNEL_WRONG_ENTITY = 2,      ///< the entity is of the wrong kind
  KERNEL_BAD_VALUE = 3,         ///< a dimension or parameter is out of range
  KERNEL_NON_CONFORMAL = 4,     ///< a transformation that shears or scales unevenly
  KERNEL_EXCEPTION = 10,        ///< the modelling kernel raised an exception
  KERNEL_NOT_DONE = 11,         ///< the modelling kernel could not complete the operation
  KERNEL_BOOLEAN_FAILED = 20,   ///< a Boolean operation failed
  KERNEL_BLEND_FAILED = 21,     ///< a round or chamfer could not be built
  KERNEL_SWEEP_FAILED = 22,     ///< a sweep could not be built
  KERNEL_INVALID_RESULT = 23,   ///< the operation produced an invalid solid
  KERNEL_NO_INTERSECTION = 24,  ///< the geometry does not meet where it must
  KERNEL_READ_FAILED = 30,      ///< body data could not be read
  KERNEL_WRITE_FAILED = 31,     ///< body data could not be written
  KERNEL_OUT_OF_MEMORY = 40,
  KERNEL_INTERNAL = 50,  ///< an unexpected failure inside the kernel layer
};

/// The message text of an error number ("no error" for 0, a generic text for unknown numbers).
VARNEX_API const char* find_err_mess(int error_number);

/// The outcome of one kernel operation. Copyable value.
class VARNEX_API outcome {
 public:
  outcome() = default;
  explicit outcome(int error_number, std::string detail = {});

  XBOOL ok() const { return ToXBool(error_number_ == KERNEL_OK); }
  int error_number() const { return error_number_; }
  /// The error's message text followed by the kernel's detail, if any; empty on success.
  const std::string& message() const { return message_; }

 private:
  int error_number_ = KERNEL_OK;
  std::string message_;
};

/// The outcome of the most recent kernel operation of the layer (the engine is single-threaded).
/// Functions that answer only null or a status leave their reason here.
VARNEX_API const outcome& PVFLastKernelOutcome();
