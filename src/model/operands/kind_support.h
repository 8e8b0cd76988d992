// Helpers shared by the operand kinds: 32-bit integer arithmetic, the tolerance, text forms and
// C strings handed to callers.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

class aritm;
class SPAtransf;

namespace varnex::model {

/// Values closer than this compare equal (tolerant comparisons only).
inline constexpr double kTolerance = 1e-6;

inline bool WithinTolerance(double a, double b) {
  return std::fabs(a - b) < kTolerance;
}

/// Reduces a wide integer modulo 2^32 into the signed 32-bit range (two's complement wrap).
inline std::int32_t Wrap32(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

/// Truncates toward zero; NaN and values outside the 32-bit range give -2147483648, the
/// integer form of HUGE_VAL.
std::int32_t TruncateToInt32(double value);

/// Reads a decimal integer prefix like atol on a 32-bit `long`: leading blanks, an optional
/// sign, digits; no digits gives 0 and values beyond the range saturate.
std::int32_t ReadInt32(const char* text);

/// A new op_logic the caller owns.
aritm* NewLogic(bool value);
/// A new op_axis the caller owns: the origin moved as a position, the direction turned as a
/// vector by `transf`.
aritm* NewTransformedAxis(const double* origin, const double* direction, const SPAtransf& transf);

/// The engine's text form of a double.
std::string NumberText(double value);
/// "[x,y,z]".
std::string VectorText(const double* xyz);
/// "[[ox,oy,oz], [dx,dy,dz]]".
std::string AxisText(const double* axis);

/// A copy of `text` the caller frees with MemoryDeallocation; null for null text or when
/// memory runs out.
char* DuplicateText(const char* text);

/// Removes one leading and one trailing single quote.
std::string StripQuotes(const char* text);

}  // namespace varnex::model
