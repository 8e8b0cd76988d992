// The model commands of `varnex session`: saving the session's model as a package, loading one
// in its place and merging one into it.
#pragma once

#include <string>
#include <vector>

namespace varnex::cli {

/// Runs `save FILE.VNX`, `load FILE.VNX` or `merge FILE.VNX` and sets `handled`; other words
/// leave `handled` false. False after a message in `error` (the model is then as it was).
bool RunModelCommand(const std::vector<std::string>& words, std::string& error, bool& handled);

}  // namespace varnex::cli
