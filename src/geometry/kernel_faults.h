// Fault injection for tests (internal; no Open CASCADE here, tests include it).
//
// Every kernel operation passes a fault point just before it changes anything (commits a new
// shape, creates a body). An armed fault makes the chosen point fail as if the modelling kernel
// had failed there, so tests can check that a failure leaves the model as it was.
#pragma once

#include <varnex/geometry/outcome.h>

/// The `countdown`-th fault point from now fails with `error_number` (1 = the next one);
/// 0 disarms.
void ArmKernelFault(int countdown, int error_number = KERNEL_NOT_DONE);
/// How many fault points have been passed since the process started (to size fault sweeps).
long KernelFaultPointsPassed();
/// Fails (throws the layer's internal failure) when the armed fault fires. Only inside a
/// kernel operation.
void KernelFaultPoint();
