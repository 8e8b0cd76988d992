// The session command `generate`: a new library feature from chosen nodes of the session's tree.
#pragma once

#include <string>
#include <vector>

namespace varnex::cli {

/// generate NAME NODE ... [--input PARAM[=NEW] ...] [-o FILE.NVL]: writes the feature text of
/// the chosen nodes (and its .NOV description when there is one) to FILE.NVL or into the first
/// directory of the library's search path, puts the feature into the running library and
/// prints its function name. False after a reason in `error` (nothing written, the library
/// unchanged).
bool GenerateFeature(const std::vector<std::string>& words, std::string& error);

}  // namespace varnex::cli
