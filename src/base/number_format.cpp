// Integer and floating-point text forms (see number_format.h).
#include "base/number_format.h"

#include <cstdio>
#include <cstdlib>

#include "base/string_printf.h"

namespace varnex::base {
namespace {

std::string BinaryDigits(unsigned value, const IntegerFormat& format) {
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + (value & 1u)));
    value >>= 1;
  } while (value != 0);
  if (format.intRange >= 0 && static_cast<std::size_t>(format.intRange) > digits.size()) {
    digits.insert(0, format.intRange - digits.size(), '0');
  }
  return format.showBase ? "0b" + digits : digits;
}

// The C format for one integer: base prefix, optional width, conversion letter.
std::string IntegerPattern(const IntegerFormat& format, bool isSigned, bool negative) {
  int base = format.intBase & kIntBaseMask;
  std::string pattern;
  if (format.showBase && base == kHexadecimal) {
    pattern = "0x";
  } else if (format.showBase && base == kOctal) {
    pattern = "0o";
  }
  pattern += '%';
  if (format.intRange >= 0) {
    bool roomForSign = isSigned && negative && base == kDecimal;
    pattern += std::to_string(format.intRange + (roomForSign ? 1 : 0));
  }
  switch (base) {
    case kDecimal:
      pattern += isSigned ? 'd' : 'u';
      break;
    case kHexadecimal:
      pattern += 'x';
      break;
    case kOctal:
      pattern += 'o';
      break;
    default:
      pattern += 'i';
      break;
  }
  return pattern;
}

// Width padding comes out as blanks; the engine writes zeros and keeps a leading sign.
void ZeroFill(std::string& text, bool isSigned) {
  bool negative = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ') {
      text[i] = '0';
    } else if (isSigned && text[i] == '-' && i != 0) {
      text[i] = '0';
      negative = true;
    }
  }
  if (negative) {
    text[0] = '-';
  }
}

std::string FormatInteger(long long value, bool isSigned, const IntegerFormat& format) {
  if ((format.intBase & kIntBaseMask) == kBinary) {
    return BinaryDigits(static_cast<unsigned>(value), format);
  }
  std::string pattern = IntegerPattern(format, isSigned, value < 0);
  std::string text;
  int base = format.intBase & kIntBaseMask;
  bool usesUnsignedConversion = base == kHexadecimal || base == kOctal || !isSigned;
  if (usesUnsignedConversion) {
    text = StringPrintf(pattern.c_str(), static_cast<unsigned>(value));
  } else {
    text = StringPrintf(pattern.c_str(), static_cast<int>(value));
  }
  ZeroFill(text, isSigned);
  return text;
}

void TrimTrailingZeros(std::string& digits) {
  std::size_t end = digits.find_last_not_of('0');
  digits.erase(end == std::string::npos ? 0 : end + 1);
}

// Exponent form: trim the mantissa's fraction, never the exponent.
std::string TrimExponentForm(const std::string& text) {
  std::size_t exponent = text.find_first_of("eE");
  std::string mantissa = text.substr(0, exponent);
  std::string tail = exponent == std::string::npos ? "" : text.substr(exponent);
  std::size_t point = mantissa.find('.');
  if (point != std::string::npos) {
    std::string fraction = mantissa.substr(point + 1);
    TrimTrailingZeros(fraction);
    mantissa =
        fraction.empty() ? mantissa.substr(0, point) : mantissa.substr(0, point + 1) + fraction;
  }
  return mantissa + tail;
}

void SplitAtPoint(const std::string& text, std::string& whole, std::string& fraction) {
  std::size_t point = text.find('.');
  whole = text.substr(0, point);
  fraction = point == std::string::npos ? "" : text.substr(point + 1);
}

}  // namespace

std::string FormatSigned(int value, const IntegerFormat& format) {
  return FormatInteger(value, true, format);
}

std::string FormatUnsigned(unsigned value, const IntegerFormat& format) {
  return FormatInteger(value, false, format);
}

std::string FormatFloat(double value, int precision, bool exponentForm) {
  std::string pattern = "%";
  if (precision >= 0) {
    pattern += '.';
    pattern += std::to_string(precision);
  }
  pattern += exponentForm ? 'e' : 'f';
  std::string text = StringPrintf(pattern.c_str(), value);
  if (exponentForm) {
    return TrimExponentForm(text);
  }
  std::string whole, fraction;
  SplitAtPoint(text, whole, fraction);
  TrimTrailingZeros(fraction);
  if (fraction.empty()) {
    return whole;
  }
  // A ten-digit rendering may show that a long fraction is really a short one.
  std::string whole10, fraction10;
  SplitAtPoint(StringPrintf("%.10f", value), whole10, fraction10);
  if (whole10 == whole && fraction10.size() < fraction.size()) {
    TrimTrailingZeros(fraction10);
  }
  if (fraction10.size() < 4) {
    std::string candidate = whole10 + "." + fraction10;
    if (std::strtod(candidate.c_str(), nullptr) == value) {
      return candidate;
    }
  }
  return whole + "." + fraction;
}

}  // namespace varnex::base
