// What a run of feature texts tells the host besides its result: the statements it skipped and
// why, and a feature's own refusal to be built. Both go through the host's message handler
// (pPVFHandleMessage); without one they are dropped and the run goes on as before.
#pragma once

#include <varnex/export.h>

#include <string>

/// Tells the host that the running feature text skipped a statement or lost a value, and why:
/// a Warning with the title "NovlSkipped" and the text "FILE:LINE: what", where FILE and LINE
/// are those of the statement being run. Only the statements of feature texts report (an
/// instantiation, a rebuild, the features they call, and their blocks); formulas evaluated
/// for values (evaluate_string, restrictions, stored formulas) stay silent. `line` 0 takes the
/// line the running text reads.
VARNEX_API void NovlReportSkipped(const std::string& what, int line = 0);

/// Whether statements of the running parse report what they skip (see NovlReportSkipped).
VARNEX_API bool NovlReportsSkipped();

/// Ends the running instantiation because the feature refuses to be built: no further
/// statement runs, the instantiation makes no instance (interpret answers null, a rebuild
/// keeps the old instance), and the host's message handler receives an Error with the title
/// "NovlRefused" and `why` as its text. Only the first refusal of a run counts.
VARNEX_API void NovlRefuseRun(const char* why);

/// The text of the refusal that ended the last outermost parse; empty when it was not refused.
VARNEX_API const char* NovlRunRefusal();
