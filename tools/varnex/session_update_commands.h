// varnex session: the commands that change values by name and bring the tree up to date.
#pragma once

#include <string>
#include <vector>

namespace varnex::cli {

/// Whether `word` is one of set, test, get, update, rebuild, order.
bool IsUpdateCommand(const std::string& word);
/// Runs one of those commands; false after a message in `error`.
bool RunUpdateCommand(const std::vector<std::string>& words, std::string& error);

}  // namespace varnex::cli
