// Shared rules of the data-structure record texts: where a formula ends, and how a braced list
// of formulas is split, both without looking inside string literals ('...').
#pragma once

#include <string>
#include <vector>

namespace varnex::model {

/// The position of the first ';' of `text` outside string literals (text.size() when none).
std::size_t StatementEnd(const std::string& text);
/// Splits `text` at every ';' outside string literals.
std::vector<std::string> SplitStatements(const std::string& text);

}  // namespace varnex::model
