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

/// inputs LIST NODE ... [/ NODE ...]: the input list LIST of a reproduction, one element per
/// group of NODEs ('/' between groups), each element referring to its nodes' instances; prints
/// LIST. `new Repro_Matrix inputs=LIST ...` then reproduces them. False after a reason in
/// `error` (nothing made).
bool MakeInputList(const std::vector<std::string>& words, std::string& error);

}  // namespace varnex::cli
