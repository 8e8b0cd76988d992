// The value part of the stream records of the object kinds: the text between "element_: " and
// the closing ";". The persistence layer frames the records; the kinds' payloads are private,
// so the conversion lives here, next to them.
#pragma once

#include <string>

class rumpf;

namespace varnex::model {

/// Each kind's value as its stream record carries it. Numbers are written in the shortest form
/// that reads back to the same double, so a stored model keeps every value exactly.
struct StreamValues {
  /// The value text of `object` ("NULL" for geometry and contours). False, with the reason in
  /// `error`, when the value cannot be written so that it reads back whole.
  static bool Write(rumpf& object, std::string& out, std::string& error);
  /// Takes a value text written by Write; the formula and the lists are the caller's. False,
  /// with the reason in `error`, when the text is not a value of the object's kind (the
  /// object is then unchanged).
  static bool Read(rumpf& object, const std::string& text, std::string& error);
  /// The annotation number's connect name ("NULL" when none), and setting it back.
  static std::string ConnectName(rumpf& object);
  static void SetConnectName(rumpf& object, const std::string& name);
};

/// The shortest text that reads back (strtod) to exactly `value`.
std::string ExactNumber(double value);

}  // namespace varnex::model
