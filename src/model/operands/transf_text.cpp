// The matrix text of a transformation (see transf_text.h).
#include "model/operands/transf_text.h"

#include <varnex/geometry/spa.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "base/number_format.h"

namespace varnex::model {
namespace {

// Enough digits to rebuild rotations faithfully, as the kernel's own text files do.
constexpr int kMatrixPrecision = 14;

std::string Number(double value) {
  return varnex::base::FormatFloat(value, kMatrixPrecision);
}

std::string Row(double a, double b, double c) {
  return "[ " + Number(a) + ", " + Number(b) + ", " + Number(c) + " ],\n\t\t";
}

bool IsSeparator(char c) {
  return c == '[' || c == ']' || c == ',' || std::isspace(static_cast<unsigned char>(c));
}

// The numbers of the text in order; FALSE at the first character that is neither a separator
// nor the start of a number.
bool ReadNumbers(const char* text, std::vector<double>& numbers) {
  while (*text != '\0') {
    if (IsSeparator(*text)) {
      ++text;
      continue;
    }
    char* end = nullptr;
    double value = std::strtod(text, &end);
    if (end == text || !std::isfinite(value)) {
      return false;
    }
    numbers.push_back(value);
    text = end;
  }
  return true;
}

XBOOL Flag(double value) {
  return value != 0.0 ? TRUE : FALSE;
}

bool IsFlag(double value) {
  return value == 0.0 || value == 1.0;
}

}  // namespace

std::string TransfMatrixText(const SPAtransf& transf) {
  const SPAmatrix& m = transf.affine();
  const SPAvector& t = transf.translation();
  std::string text;
  for (int row = 0; row < 3; ++row) {
    text += Row(m.element(row, 0), m.element(row, 1), m.element(row, 2));
  }
  text += Row(t.x(), t.y(), t.z());
  text += Number(transf.scaling()) + ", " + (transf.rotate() ? "1" : "0") + ", " +
          (transf.reflect() ? "1" : "0") + ", " + (transf.shear() ? "1" : "0");
  return text;
}

bool ReadTransfMatrix(const char* text, SPAtransf& out) {
  std::vector<double> n;
  if (text == nullptr || !ReadNumbers(text, n) || n.size() != 16) {
    return false;
  }
  if (!IsFlag(n[13]) || !IsFlag(n[14]) || !IsFlag(n[15])) {
    return false;
  }
  SPAmatrix affine(SPAvector(n[0], n[1], n[2]), SPAvector(n[3], n[4], n[5]),
                   SPAvector(n[6], n[7], n[8]));
  out = SPAtransf(affine, SPAvector(n[9], n[10], n[11]), n[12], Flag(n[13]), Flag(n[14]),
                  Flag(n[15]));
  return true;
}

}  // namespace varnex::model
