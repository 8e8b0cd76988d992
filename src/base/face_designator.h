// The face designator "f<n>": the last part of a name like "plate.shape.f3" that picks face n of a
// geometric object. Every layer that reads one (name resolution, references, the interpreter, the
// kernel layer's face names) reads it here, with one limit.
#pragma once

#include <cstddef>
#include <string_view>

namespace varnex::base {

/// The longest face designator: "f" and at most 31 digits.
constexpr std::size_t kFaceDesignatorLength = 32;

/// Whether `part` is a face designator: "f" followed by 1 to 31 decimal digits.
bool IsFaceDesignator(std::string_view part);

/// The face number of the designator `part`: its digits' value, or -1 when `part` is no
/// designator or its number does not fit an int (a designator that names no face).
int FaceDesignatorNumber(std::string_view part);

/// Splits `name` at its last "." when the part after it is a face designator: `owner` receives
/// the part before the dot and the face number is returned (-1 as FaceDesignatorNumber). A name
/// without a dot, or whose last part is no designator, answers -1 and leaves `owner` empty.
int SplitFaceDesignator(std::string_view name, std::string_view& owner);

}  // namespace varnex::base
