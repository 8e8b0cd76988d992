// Conversions between the layer's value types and Open CASCADE's.
//
// SPAtransf maps a row vector p to (p·A)·s + t; Open CASCADE maps a column vector p to M·p + t.
// So M = s·Aᵀ.
#include "geometry/occt_convert.h"

#include <cmath>
#include <gp_Mat.hxx>

#include "geometry/kernel_scope.h"

gp_Dir ToDir(const SPAvector& v) {
  RequireKernel(v.len() >= SPAresnor, KERNEL_BAD_VALUE, "zero direction");
  return gp_Dir(v.x(), v.y(), v.z());
}

namespace {

gp_Mat ColumnMatrix(const SPAtransf& transf) {
  const SPAmatrix& a = transf.affine();
  double s = transf.scaling();
  gp_Mat m;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      m.SetValue(row + 1, column + 1, s * a.element(column, row));
    }
  }
  return m;
}

}  // namespace

bool IsConformal(const SPAtransf& transf) {
  const SPAmatrix& a = transf.affine();
  double gram[3][3];
  double trace = 0.0;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      gram[i][j] = a.row(i) % a.row(j);
    }
    trace += gram[i][i];
  }
  double c = trace / 3.0;
  if (c < 1e-300) {
    return false;
  }
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      if (std::fabs(gram[i][j] - (i == j ? c : 0.0)) > 1e-9 * c) {
        return false;
      }
    }
  }
  return true;
}

bool ToTrsf(const SPAtransf& transf, gp_Trsf& out) {
  if (!IsConformal(transf) || std::fabs(transf.scaling()) < 1e-300) {
    return false;
  }
  gp_Mat m = ColumnMatrix(transf);
  const SPAvector& t = transf.translation();
  gp_Trsf trsf;
  trsf.SetValues(m(1, 1), m(1, 2), m(1, 3), t.x(), m(2, 1), m(2, 2), m(2, 3), t.y(), m(3, 1),
                 m(3, 2), m(3, 3), t.z());
  out = trsf;
  return true;
}

gp_GTrsf ToGTrsf(const SPAtransf& transf) {
  gp_GTrsf general;
  general.SetVectorialPart(ColumnMatrix(transf));
  general.SetTranslationPart(ToVec(transf.translation()).XYZ());
  return general;
}
