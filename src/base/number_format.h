// Text forms of numbers shared by the strings and the stream family: one place decides how an
// integer or a floating-point value is written anywhere in the engine.
#pragma once

#include <string>

namespace varnex::base {

/// Integer bases as stored in a stream format's IntBase field (tested as IntBase & 0x700).
inline constexpr int kIntBaseMask = 0x700;
inline constexpr int kDecimal = 0x100;
inline constexpr int kHexadecimal = 0x200;
inline constexpr int kOctal = 0x300;
inline constexpr int kBinary = 0x400;

struct IntegerFormat {
  int intBase = kDecimal;
  bool showBase = false;
  int intRange = -1;  ///< minimum digit count, zero-filled; negative means none
};

/// Writes a signed value with the base, prefix and zero-filled width of `format`.
std::string FormatSigned(int value, const IntegerFormat& format = {});
/// Writes an unsigned value the same way, without the sign rules.
std::string FormatUnsigned(unsigned value, const IntegerFormat& format = {});

/// Writes a floating-point value in the shortest faithful form: at most `precision` fraction
/// digits (6 when negative), trailing zeros dropped, a whole number without a point.
std::string FormatFloat(double value, int precision = -1, bool exponentForm = false);

}  // namespace varnex::base
