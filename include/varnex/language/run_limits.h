// The bounds a run of feature texts keeps, so that a runaway text ends with a message instead
// of exhausting the stack or running forever. The host may change them at any time between runs.
#pragma once

#include <varnex/export.h>

struct NovlRunLimits {
  /// Feature calls nested in one another (a feature calling a feature calling ...).
  int feature_depth = 256;
  /// Blocks of conditionals and loops nested in one another, across the feature calls of a run.
  int block_depth = 4000;
  /// Runs of the body of one dowhile loop.
  long loop_iterations = 1000000;
};

/// Installs `limits` (values below 1 count as 1) and returns the ones they replace.
VARNEX_API NovlRunLimits SetNovlRunLimits(const NovlRunLimits& limits);
/// The limits in force.
VARNEX_API NovlRunLimits GetNovlRunLimits();

/// Whether the last outermost parse (a feature's instantiation, a rebuild, a formula) was
/// stopped because it reached a limit or the end of the stack, or because the feature refused
/// (NovlRefuseRun); the host's message handler was told where (Error, title "NovlRunLimit") or
/// why (Error, title "NovlRefused"). A stopped run runs none of its remaining
/// statements, in any of its nested texts, and hands over no result.
VARNEX_API bool NovlRunStopped();
