// Helpers shared by the operand kinds (see kind_support.h).
#include "model/operands/kind_support.h"

#include <varnex/base/transaction.h>
#include <varnex/model/op_scalar.h>

#include <cstdlib>
#include <cstring>
#include <limits>

#include "base/number_format.h"

namespace varnex::model {

std::int32_t TruncateToInt32(double value) {
  constexpr double kLow = -2147483648.0;
  constexpr double kHigh = 2147483648.0;
  if (!(value > kLow - 1.0 && value < kHigh)) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

std::int32_t ReadInt32(const char* text) {
  if (text == nullptr) {
    return 0;
  }
  long long value = std::strtoll(text, nullptr, 10);
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

aritm* NewLogic(bool value) {
  return new op_logic(ToXBool(value));
}

std::string NumberText(double value) {
  return varnex::base::FormatFloat(value);
}

// Built by appending: "[" + std::string(...) trips a false -Wrestrict of GCC 12.
std::string VectorText(const double* xyz) {
  std::string text = "[";
  text += NumberText(xyz[0]);
  text += ',';
  text += NumberText(xyz[1]);
  text += ',';
  text += NumberText(xyz[2]);
  text += ']';
  return text;
}

std::string AxisText(const double* axis) {
  std::string text = "[";
  text += VectorText(axis);
  text += ", ";
  text += VectorText(axis + 3);
  text += ']';
  return text;
}

char* DuplicateText(const char* text) {
  if (text == nullptr) {
    return nullptr;
  }
  std::size_t size = std::strlen(text) + 1;
  char* copy = static_cast<char*>(MemoryAllocation(size));
  if (copy != nullptr) {
    std::memcpy(copy, text, size);
  }
  return copy;
}

std::string StripQuotes(const char* text) {
  std::string result = text == nullptr ? "" : text;
  if (!result.empty() && result.front() == '\'') {
    result.erase(0, 1);
  }
  if (!result.empty() && result.back() == '\'') {
    result.pop_back();
  }
  return result;
}

}  // namespace varnex::model
