// Fault injection for tests.
#include "geometry/kernel_faults.h"

#include "geometry/kernel_scope.h"

namespace {

// Fault injection for tests: armed by a test for its span, disarmed afterwards.
int gCountdown = 0;
int gErrorNumber = KERNEL_NOT_DONE;
long gPassed = 0;

}  // namespace

void ArmKernelFault(int countdown, int error_number) {
  gCountdown = countdown;
  gErrorNumber = error_number;
}

long KernelFaultPointsPassed() {
  return gPassed;
}

void KernelFaultPoint() {
  ++gPassed;
  if (gCountdown > 0 && --gCountdown == 0) {
    FailKernel(gErrorNumber, "injected fault");
  }
}
