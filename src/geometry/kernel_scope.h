// The kernel-operation scope (the old kernel's API block), internal to the geometry layer.
//
// An operation computes its new shapes from its inputs without touching them, and commits (puts
// the new shape into the body and rebinds the wrappers) only at the end. RunKernelOperation runs
// such an operation, turns Open CASCADE exceptions, failed algorithm flags and our own failures
// into an outcome, and records it as the last outcome. Nothing escapes as an exception.
#pragma once

#include <varnex/geometry/outcome.h>

#include <Standard_Failure.hxx>
#include <exception>
#include <new>
#include <string>
#include <utility>

/// Our own failure inside an operation; caught by RunKernelOperation.
class KernelFailure : public std::exception {
 public:
  KernelFailure(int number, std::string detail) : number_(number), detail_(std::move(detail)) {}
  int number() const { return number_; }
  const std::string& detail() const { return detail_; }
  const char* what() const noexcept override { return detail_.c_str(); }

 private:
  int number_;
  std::string detail_;
};

[[noreturn]] void FailKernel(int number, std::string detail = {});
/// Fails with `number` unless `condition` holds.
inline void RequireKernel(bool condition, int number, const char* detail = "") {
  if (!condition) {
    FailKernel(number, detail);
  }
}

/// Stores `result` as the last outcome and returns it.
const outcome& RecordOutcome(outcome result);
std::string DescribeStandardFailure(const Standard_Failure& failure);

/// Sends Open CASCADE's own messages to the host's message handler (once per process).
void RouteKernelMessages();

template <class Operation>
outcome RunKernelOperation(Operation&& operation) noexcept {
  try {
    RouteKernelMessages();
    std::forward<Operation>(operation)();
    return RecordOutcome(outcome());
  } catch (const KernelFailure& failure) {
    return RecordOutcome(outcome(failure.number(), failure.detail()));
  } catch (const Standard_Failure& failure) {
    return RecordOutcome(outcome(KERNEL_EXCEPTION, DescribeStandardFailure(failure)));
  } catch (const std::bad_alloc&) {
    return RecordOutcome(outcome(KERNEL_OUT_OF_MEMORY));
  } catch (const std::exception& failure) {
    return RecordOutcome(outcome(KERNEL_INTERNAL, failure.what()));
  } catch (...) {
    return RecordOutcome(outcome(KERNEL_INTERNAL));
  }
}
