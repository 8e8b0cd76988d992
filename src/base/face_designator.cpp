// The face designator "f<n>" (see face_designator.h).
#include "base/face_designator.h"

#include <climits>

namespace varnex::base {

bool IsFaceDesignator(std::string_view part) {
  if (part.size() < 2 || part.size() > kFaceDesignatorLength || part[0] != 'f') {
    return false;
  }
  return part.find_first_not_of("0123456789", 1) == std::string_view::npos;
}

int FaceDesignatorNumber(std::string_view part) {
  if (!IsFaceDesignator(part)) {
    return -1;
  }
  long long number = 0;
  for (char digit : part.substr(1)) {
    number = number * 10 + (digit - '0');
    if (number > INT_MAX) {
      return -1;
    }
  }
  return static_cast<int>(number);
}

int SplitFaceDesignator(std::string_view name, std::string_view& owner) {
  owner = std::string_view();
  std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || !IsFaceDesignator(name.substr(dot + 1))) {
    return -1;
  }
  owner = name.substr(0, dot);
  return FaceDesignatorNumber(name.substr(dot + 1));
}

}  // namespace varnex::base
