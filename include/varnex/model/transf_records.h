// Text records of transformations, in the two forms the model files use.
//
// The data-structure form (store_matrix / restore_matrix) is five lines after a title: the
// flags ("rotation" or "no rotation", the same for reflection and shear), the three rows of the
// matrix part, and the translation followed by the scaling factor, numbers separated by ", ".
// The stream form (transmatrix_into_string / RestoreMatrix) is
//   [ a, b, c ],\n\t\t[ d, e, f ],\n\t\t[ g, h, i ],\n\t\t[ tx, ty, tz ],\n\t\tscale, r, m, s
// with r, m, s the rotate, reflect and shear flags as 0 or 1. Numbers carry up to 14 fraction
// digits, trailing zeros dropped.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/export.h>

#include <cstdio>

class SPAtransf;

/// Writes the data-structure form of `transf` under `title` (no line feed after the last
/// line). Nothing for a null file or transformation. Returns 0, or -1 when nothing was written.
VARNEX_API int store_matrix(const char* title, std::FILE* file, const SPAtransf* transf);
/// Reads the data-structure form (title line included) from the file's position. Lines have no
/// length limit. A new transformation the caller owns, or null when a line is missing or does
/// not hold its numbers (the file position is then unspecified).
VARNEX_API SPAtransf* restore_matrix(std::FILE* file);
/// The same from a text; null when it is not in that form.
VARNEX_API SPAtransf* restore_matrix_text(const char* text);

/// Appends the stream form of `transf` to `text` (which holds the caller's prefix) and returns
/// the text; null (text unchanged) for a null transformation.
VARNEX_API const char* transmatrix_into_string(PVMStrg& text, const SPAtransf* transf);
/// A new transformation (caller owns) from rows 0-2, 3-5, 6-8, translation 9-11, scale and
/// flags.
VARNEX_API SPAtransf* RestoreMatrix(const double values[12], double scale, int rotate, int reflect,
                                    int shear);
/// Reads the stream form; a new transformation the caller owns, or null when the text does not
/// hold exactly that form's sixteen numbers (flags 0 or 1).
VARNEX_API SPAtransf* ReadTransMatrixString(const char* text);
