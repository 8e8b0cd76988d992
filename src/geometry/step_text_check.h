// A check of a STEP file's exchange structure before Open CASCADE reads it. Its reader forgives
// syntax errors and follows references without checking them, so a damaged file can send it into
// endless recursion; a file that fails this check is refused as damaged instead.
#pragma once

#include <string>
#include <string_view>

namespace varnex::geometry {

/// Empty when every instance of the DATA sections is well formed ("#N = ...;" with balanced
/// parentheses and closed strings), is defined once, refers only to defined instances, and no
/// chain of references leads back to where it started; otherwise what is wrong.
std::string CheckStepText(std::string_view text);

}  // namespace varnex::geometry
