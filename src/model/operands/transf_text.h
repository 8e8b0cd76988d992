// The matrix text of a transformation: the three rows of the matrix part and the translation,
// each "[ a, b, c ]", then the scaling factor and the rotate, reflect and shear flags (0 or 1).
//   [ 1, 0, 0 ],
//       [ 0, 1, 0 ],
//       [ 0, 0, 1 ],
//       [ 5, 0, 0 ],
//       1, 0, 0, 0
#pragma once

#include <string>

class SPAtransf;

namespace varnex::model {

std::string TransfMatrixText(const SPAtransf& transf);
/// Reads a matrix text; FALSE (and `out` unchanged) unless it holds exactly twelve numbers in
/// brackets, a scaling factor and three 0/1 flags.
bool ReadTransfMatrix(const char* text, SPAtransf& out);

}  // namespace varnex::model
