// Outcomes, error texts and the kernel-operation scope.
#include <varnex/geometry/outcome.h>

#include "geometry/kernel_scope.h"

namespace {

struct ErrorText {
  int number;
  const char* text;
};

constexpr ErrorText kErrorTexts[] = {
    {KERNEL_OK, "no error"},
    {KERNEL_NULL_ARGUMENT, "missing entity or value"},
    {KERNEL_WRONG_ENTITY, "entity of the wrong kind"},
    {KERNEL_BAD_VALUE, "value out of range"},
    {KERNEL_NON_CONFORMAL, "transformation shears or scales unevenly"},
    {KERNEL_EXCEPTION, "modelling kernel exception"},
    {KERNEL_NOT_DONE, "modelling kernel operation not done"},
    {KERNEL_BOOLEAN_FAILED, "Boolean operation failed"},
    {KERNEL_BLEND_FAILED, "blend could not be built"},
    {KERNEL_SWEEP_FAILED, "sweep could not be built"},
    {KERNEL_INVALID_RESULT, "operation produced an invalid body"},
    {KERNEL_NO_INTERSECTION, "geometry does not intersect"},
    {KERNEL_READ_FAILED, "body data could not be read"},
    {KERNEL_WRITE_FAILED, "body data could not be written"},
    {KERNEL_OUT_OF_MEMORY, "out of memory"},
    {KERNEL_INTERNAL, "internal error of the kernel layer"},
};

outcome& LastOutcome() {
  static outcome last;
  return last;
}

}  // namespace

const char* find_err_mess(int error_number) {
  for (const ErrorText& entry : kErrorTexts) {
    if (entry.number == error_number) {
      return entry.text;
    }
  }
  return "unknown kernel error";
}

outcome::outcome(int error_number, std::string detail) : error_number_(error_number) {
  if (error_number != KERNEL_OK) {
    message_ = find_err_mess(error_number);
    if (!detail.empty()) {
      message_ += ": ";
      message_ += detail;
    }
  }
}

const outcome& PVFLastKernelOutcome() {
  return LastOutcome();
}

const outcome& RecordOutcome(outcome result) {
  LastOutcome() = std::move(result);
  return LastOutcome();
}

void FailKernel(int number, std::string detail) {
  throw KernelFailure(number, std::move(detail));
}

std::string DescribeStandardFailure(const Standard_Failure& failure) {
  std::string text = failure.DynamicType()->Name();
  const char* message = failure.GetMessageString();
  if (message != nullptr && *message != '\0') {
    text += " ";
    text += message;
  }
  return text;
}
