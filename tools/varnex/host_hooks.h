// The hooks a CAD host installs into the engine, as the command-line host does them: messages
// go to stderr, printed values to stdout, and the parametric-feature context finds the shipped
// feature library when "NOVLPath" is not set.
#pragma once

#include <string>

namespace varnex::cli {

/// Installs the message handler, the print sink and the host's feature context. Idempotent.
void InstallHostHooks();

/// Whether the host answers the engine's rebuild question ("AskPDTglobalRebuild") with stop
/// instead of go on.
void SetStopOnFailure(bool stop);

/// How many errors the engine has reported to the host so far.
int ReportedErrors();

/// How many statements feature texts have reported skipped so far (warnings "NovlSkipped").
int ReportedSkips();

/// The directory of the shipped feature library: next to the binary (../share/varnex/features
/// or ./features), else the source tree's features/; empty when none exists.
std::string ShippedFeatureDirectory();

}  // namespace varnex::cli
